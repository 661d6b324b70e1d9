#pragma once
#include <windows.h>

#include "alerts/speaker.h"
#include "alerts/system_colors.h"

namespace quellin::win32 {

// Named sounds through winmm, tones through Beep.
class Win32Speaker final : public Speaker {
 public:
  bool PlayNamedSound(const std::string& name) override;
  void Beep(int hz, int ms) override;
};

class Win32SystemColors final : public SystemColors {
 public:
  std::uint32_t GetSysColor(int element) override;
  void SetSysColors(int count, const int* elements, const std::uint32_t* colors) override;
};

// True on the NT platform family (GetVersionExA's platform id 2).
bool IsNtFamily();

}  // namespace quellin::win32
