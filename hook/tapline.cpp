// Tapline.dll: a desktop-wide keyboard hook that counts keyboard events in a data section
// shared by every process the platform loads the library into.
#include "hook/tapline.h"

#include "hook/hook_logic.h"

namespace {

// mingw gcc shares a section only for initialised variables; zero-initialised ones
// would land in .bss.
__attribute__((section(".sdata"), shared)) tapline::SharedHookData shared = {nullptr, nullptr, 0, 0};

tapline::ProcessHookRecord process;

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  tapline::SystemHookApi api;
  return tapline::CountAndPassOn(api, shared, code, wParam, lParam);
}

}  // namespace

extern "C" {

DWORD WINAPI GetKeyboardCount() { return shared.KeyCount; }

BOOL WINAPI GetMousePos(POINT* point) {
  ::GetCursorPos(point);
  return TRUE;
}

BOOL WINAPI InstallHooks() {
  tapline::SystemHookApi api;
  return tapline::Install(api, shared, process, &KeyboardHookProc);
}

BOOL WINAPI RemoveHooks() {
  tapline::SystemHookApi api;
  return tapline::Remove(api, shared, process);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  tapline::RecordAttach(shared, process, instance, reason);
  return TRUE;
}

}  // extern "C"
