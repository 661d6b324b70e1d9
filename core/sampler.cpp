#include "core/sampler.h"

#include <cstdint>

namespace quellin {
namespace {

constexpr std::int64_t kMoveThreshold = 20;

// Widened first: two positions at opposite ends of the 32-bit range must not overflow.
bool MovedFar(std::int32_t now, std::int32_t before) {
  std::int64_t delta = static_cast<std::int64_t>(now) - before;
  if (delta < 0) delta = -delta;
  return delta > kMoveThreshold;
}

}  // namespace

bool ActivitySampler::SampleActivity() {
  const std::uint32_t keyCount = input_.GetKeyboardCount();
  // Where the platform cannot tell, the point keeps the last position: no movement.
  std::int32_t x = LastMouseX;
  std::int32_t y = LastMouseY;
  input_.GetMousePos(x, y);

  const bool active = keyCount != LastKeyCount || MovedFar(x, LastMouseX) || MovedFar(y, LastMouseY);

  LastKeyCount = keyCount;
  LastMouseX = x;
  LastMouseY = y;
  return active;
}

}  // namespace quellin
