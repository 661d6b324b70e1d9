#include "core/win32/tapline_input_source.h"

#include "hook/tapline.h"

namespace quellin::win32 {

std::uint32_t TaplineInputSource::GetKeyboardCount() { return ::GetKeyboardCount(); }

void TaplineInputSource::GetMousePos(std::int32_t& x, std::int32_t& y) {
  // The library leaves the point as passed when the position cannot be read: start from
  // the caller's values, so that no movement is seen then.
  POINT point{x, y};
  ::GetMousePos(&point);
  x = point.x;
  y = point.y;
}

}  // namespace quellin::win32
