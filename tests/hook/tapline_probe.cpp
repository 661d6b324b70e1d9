// A second (or third) Wine process around Tapline.dll for the hook tests:
//   fields            print the shared section's four fields
//   vanish            install the hook and end without removing it, as a crashed program would
//   window TITLE N    show a window for typed keys for N seconds
//   watch N STOP      install the hook and run the activity sampler over Tapline, printing
//                     one line per sample, until the file STOP exists or N seconds passed
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/sampler.h"
#include "core/win32/tapline_input_source.h"
#include "hook/tapline.h"
#include "tests/hook/section_view.h"

namespace {

constexpr DWORD kSampleMilliseconds = 250;

void PrintFields() {
  const tapline::SharedHookData* shared = tapline_test::LoadedSharedSection();
  if (shared == nullptr) {
    std::printf("no section\n");
    return;
  }
  std::printf("HookHandle=%llu ModuleInstance=%llu InstallCount=%ld KeyCount=%lu\n",
              static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(shared->HookHandle)),
              static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(shared->ModuleInstance)),
              static_cast<long>(shared->InstallCount), static_cast<unsigned long>(GetKeyboardCount()));
}

void PumpFor(DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  MSG message;
  while (::GetTickCount() - start < milliseconds) {
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

int ShowWindow(const char* title, DWORD seconds) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &::DefWindowProcA;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TaplineProbeWindow";
  ::RegisterClassA(&windowClass);
  HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                  100, 400, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return 1;
  std::printf("window\n");
  std::fflush(stdout);
  PumpFor(seconds * 1000);
  ::DestroyWindow(window);
  return 0;
}

int Watch(DWORD seconds, const char* stopFile) {
  if (!InstallHooks()) return 1;
  quellin::win32::TaplineInputSource input;
  quellin::ActivitySampler sampler(input);
  sampler.SampleActivity();
  std::printf("ready\n");
  std::fflush(stdout);
  for (DWORD i = 0; i < seconds * 1000 / kSampleMilliseconds; ++i) {
    if (::GetFileAttributesA(stopFile) != INVALID_FILE_ATTRIBUTES) break;
    PumpFor(kSampleMilliseconds);
    const bool active = sampler.SampleActivity();
    std::printf("count=%lu active=%d\n", static_cast<unsigned long>(GetKeyboardCount()), active ? 1 : 0);
    std::fflush(stdout);
  }
  std::printf("removed=%d\n", RemoveHooks());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "fields") == 0) {
    PrintFields();
    return 0;
  }
  if (argc >= 2 && std::strcmp(argv[1], "vanish") == 0) {
    if (!InstallHooks()) return 1;
    PrintFields();
    std::fflush(stdout);
    ::TerminateProcess(::GetCurrentProcess(), 0);
  }
  if (argc >= 4 && std::strcmp(argv[1], "window") == 0) {
    return ShowWindow(argv[2], static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)));
  }
  if (argc >= 4 && std::strcmp(argv[1], "watch") == 0) {
    return Watch(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)), argv[3]);
  }
  std::fprintf(stderr, "usage: tapline_probe fields | vanish | window TITLE SECONDS | watch SECONDS STOPFILE\n");
  return 2;
}
