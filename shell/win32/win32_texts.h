#pragma once
#include <windows.h>

#include "core/texts.h"

namespace quellin::win32 {

// The string table of a module's resources, formatted by the platform.
class ResourceTexts final : public TextSource {
 public:
  explicit ResourceTexts(HINSTANCE module) : module_(module) {}
  std::string LoadText(std::uint16_t id) const override;
  std::string FormatText(std::uint16_t id, std::initializer_list<std::int32_t> values) const override;

 private:
  HINSTANCE module_;
};

}  // namespace quellin::win32
