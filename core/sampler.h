#pragma once
#include <cstdint>

namespace quellin {

// Where the activity signals come from: the hook library's two exports on Windows.
class InputSource {
 public:
  virtual ~InputSource() = default;
  virtual std::uint32_t GetKeyboardCount() = 0;
  // Fills x and y with the cursor's screen position; leaves them as passed when the
  // platform cannot tell.
  virtual void GetMousePos(std::int32_t& x, std::int32_t& y) = 0;
};

class ActivitySampler {
 public:
  explicit ActivitySampler(InputSource& input) : input_(input) {}
  // True when a key event was counted, or the cursor moved more than 20 pixels on an
  // axis, since the previous call.
  bool SampleActivity();

 private:
  InputSource& input_;
  std::uint32_t LastKeyCount = 0;
  std::int32_t LastMouseX = 0;
  std::int32_t LastMouseY = 0;
};

}  // namespace quellin
