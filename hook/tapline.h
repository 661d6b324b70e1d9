#pragma once
// The exports of Tapline.dll, linked by name at load time through its import library.
#include <windows.h>

extern "C" {
// The number of keyboard events the hook has seen on the desktop; wraps at 32 bits.
DWORD WINAPI GetKeyboardCount();
// Fills point with the cursor position; always 1, and point keeps what it held when the
// position cannot be read.
BOOL WINAPI GetMousePos(POINT* point);
// 1 when the keyboard hook is installed after the call, else 0.
BOOL WINAPI InstallHooks();
// 1, or the platform's answer when this call took the hook away.
BOOL WINAPI RemoveHooks();
}
