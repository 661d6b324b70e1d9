#pragma once
#include "core/sampler.h"

namespace quellin::win32 {

// The sampler's signals as Tapline.dll gives them: its desktop-wide key count and the
// cursor position.
class TaplineInputSource final : public InputSource {
 public:
  std::uint32_t GetKeyboardCount() override;
  void GetMousePos(std::int32_t& x, std::int32_t& y) override;
};

}  // namespace quellin::win32
