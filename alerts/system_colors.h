#pragma once
#include <cstdint>

namespace quellin {

// The system-wide colour scheme, by element index (COLOR_ACTIVEBORDER and so on).
class SystemColors {
 public:
  virtual ~SystemColors() = default;
  virtual std::uint32_t GetSysColor(int element) = 0;
  // Sets `count` elements at once; the platform then notifies the program's window.
  virtual void SetSysColors(int count, const int* elements, const std::uint32_t* colors) = 0;
};

}  // namespace quellin
