#pragma once
// The hook procedure and the install/remove rules of Tapline.dll, written against the
// data they work on and a type that stands for the platform calls, so that the library
// and its tests compile the same code.
#include <windows.h>

namespace tapline {

// The library's shared section: one copy for every process that has the library loaded.
// Other processes and tools read these four words in this order.
struct SharedHookData {
  HHOOK HookHandle;
  HINSTANCE ModuleInstance;
  LONG InstallCount;
  DWORD KeyCount;
};

// What only this process knows: its own copy of the library and the hook it installed.
// A handle in the shared section that this process did not install may be the leftover of
// a program that ended without removing it (Windows ends such a hook with its thread), so
// it is never taken for an installed hook here.
struct ProcessHookRecord {
  HINSTANCE Module = nullptr;
  HHOOK OwnHook = nullptr;
};

// The platform calls, as an object so that tests can stand in for it; this one is empty
// and inlines to the calls themselves.
struct SystemHookApi {
  HHOOK SetHook(HOOKPROC procedure, HINSTANCE module) {
    return ::SetWindowsHookExA(WH_KEYBOARD, procedure, module, 0);
  }
  LRESULT CallNext(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    return ::CallNextHookEx(hook, code, wParam, lParam);
  }
  BOOL Unhook(HHOOK hook) { return ::UnhookWindowsHookEx(hook); }
};

// Runs inside every application on the desktop for every keyboard message: one increment
// and the pass-on. The count is not guarded: only its changes are read, so an event lost
// when two processes count at the same instant does no harm.
template <class Api>
LRESULT CountAndPassOn(Api& api, SharedHookData& shared, int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) ++shared.KeyCount;
  return api.CallNext(shared.HookHandle, code, wParam, lParam);
}

inline void RecordAttach(SharedHookData& shared, ProcessHookRecord& process, HINSTANCE instance,
                         DWORD reason) {
  if (reason != DLL_PROCESS_ATTACH) return;
  process.Module = instance;
  if (instance != shared.ModuleInstance) shared.ModuleInstance = instance;
}

template <class Api>
BOOL Install(Api& api, SharedHookData& shared, ProcessHookRecord& process, HOOKPROC procedure) {
  const bool recordIsOurs = shared.HookHandle != nullptr && shared.HookHandle == process.OwnHook;
  if (!recordIsOurs) {
    // The shared module handle is the one of whichever process loaded the library last,
    // and names nothing here if that copy landed elsewhere: pass this process's own.
    HHOOK hook = process.OwnHook != nullptr ? process.OwnHook : api.SetHook(procedure, process.Module);
    if (hook == nullptr) return FALSE;
    // Installs counted against a handle that was not ours went with that handle.
    if (shared.HookHandle != nullptr) shared.InstallCount = 0;
    shared.HookHandle = hook;
    process.OwnHook = hook;
  }
  ++shared.InstallCount;
  return TRUE;
}

template <class Api>
BOOL Remove(Api& api, SharedHookData& shared, ProcessHookRecord& process) {
  // No install of this process to match: whatever the section says belongs to another.
  if (process.OwnHook == nullptr) return TRUE;
  if (process.OwnHook != shared.HookHandle) {
    // A later program took the record over; this process's own hook goes, the record stays.
    HHOOK own = process.OwnHook;
    process.OwnHook = nullptr;
    return api.Unhook(own);
  }
  if (shared.InstallCount == 0) return TRUE;
  if (--shared.InstallCount > 0) return TRUE;
  HHOOK hook = shared.HookHandle;
  shared.HookHandle = nullptr;
  process.OwnHook = nullptr;
  return api.Unhook(hook);
}

}  // namespace tapline
