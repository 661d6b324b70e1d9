#include "shell/win32/sound_and_colors.h"

#include <mmsystem.h>

#include <array>

namespace quellin::win32 {
namespace {

// Asynchronous, the name as an application alias, no waiting for a busy device.
constexpr DWORD kPlayFlags = 0x2081;
static_assert(kPlayFlags == (SND_ASYNC | SND_APPLICATION | SND_NOWAIT));
constexpr DWORD kVersionInfoSize = 148;
static_assert(sizeof(OSVERSIONINFOA) == kVersionInfoSize);
// SetSysColors takes at most this many elements from the logic at once.
constexpr int kMaxElements = 8;

}  // namespace

bool Win32Speaker::PlayNamedSound(const std::string& name) {
  return ::PlaySoundA(name.c_str(), nullptr, kPlayFlags) != FALSE;
}

void Win32Speaker::Beep(int hz, int ms) { ::Beep(static_cast<DWORD>(hz), static_cast<DWORD>(ms)); }

std::uint32_t Win32SystemColors::GetSysColor(int element) { return ::GetSysColor(element); }

void Win32SystemColors::SetSysColors(int count, const int* elements, const std::uint32_t* colors) {
  if (count <= 0 || count > kMaxElements) return;
  std::array<COLORREF, kMaxElements> values{};
  for (int i = 0; i < count; ++i) values[static_cast<std::size_t>(i)] = colors[i];
  ::SetSysColors(count, elements, values.data());
}

bool IsNtFamily() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = kVersionInfoSize;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const bool ok = ::GetVersionExA(&info) != FALSE;
#pragma GCC diagnostic pop
  return ok && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace quellin::win32
