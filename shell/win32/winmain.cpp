// The program's entry point: registration switches, one copy per desktop, the keyboard
// hook, the hidden settings dialog and the one message loop.
#include <windows.h>

#include <ctime>
#include <string>

#include "alerts/regscript/win32/run_registration_script.h"
#include "alerts/regscript/win32/win32_code_page.h"
#include "core/win32/tapline_input_source.h"
#include "hook/tapline.h"
#include "shell/win32/handles.h"
#include "shell/win32/quellin_dlg.h"
#include "resources/resource_ids.h"
#include "shell/win32/win32_texts.h"
#include "shell/startup/switches.h"

namespace {

using quellin::win32::ComInit;

// The class of standard dialog boxes, by its atom.
const char* const kDialogClass = MAKEINTATOM(32770);

// The keyboard hook of Tapline.dll for as long as the program runs.
class HookInstall {
 public:
  HookInstall() : installed_(InstallHooks() != 0) {}
  ~HookInstall() { Remove(); }
  HookInstall(const HookInstall&) = delete;
  HookInstall& operator=(const HookInstall&) = delete;

  explicit operator bool() const { return installed_; }
  void Remove() {
    if (installed_) RemoveHooks();
    installed_ = false;
  }

 private:
  bool installed_;
};

// A second start opens the running copy's settings window, or the message box it shows.
void BringForward(HWND running) {
  HWND popup = ::GetLastActivePopup(running);
  ::SetForegroundWindow(running);
  if (!::IsWindowVisible(running) || ::IsIconic(running)) ::ShowWindow(running, SW_RESTORE);
  if (popup != nullptr && popup != running) ::SetForegroundWindow(popup);
}

void RunMessageLoop(const quellin::win32::CQuellinDlg& dialog) {
  MSG message;
  // GetMessageA answers -1 on failure: that ends the loop as the quit message does.
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (::TranslateAcceleratorA(dialog.hwnd(), dialog.accelerators(), &message) != 0) continue;
    if (::IsDialogMessageA(dialog.hwnd(), &message) != FALSE) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

int Run(HINSTANCE module) {
  const char* commandLine = ::GetCommandLineA();
  const ComInit com;

  const quellin::regscript::win32::Win32CodePage codePage;
  const auto request = quellin::startup::FindRegistrationRequest(codePage, commandLine);
  if (request != quellin::startup::RegistrationRequest::None) {
    // The script's result is not reported: the program ends either way.
    quellin::regscript::win32::RunRegistrationScript(
        IDR_REGISTRATION_SCRIPT, request == quellin::startup::RegistrationRequest::Register, nullptr);
    return 0;
  }

  const quellin::win32::ResourceTexts texts(module);
  const std::string title = texts.LoadText(IDS_TITLE);
  if (HWND running = ::FindWindowA(kDialogClass, title.c_str())) {
    BringForward(running);
    return 0;
  }

  HookInstall hooks;
  if (!hooks) {
    ::MessageBoxA(nullptr, texts.LoadText(IDS_HOOK_FAILED).c_str(), title.c_str(), MB_ICONERROR | MB_OK);
    return 0;
  }

  quellin::win32::TaplineInputSource input;
  quellin::win32::CQuellinDlg dialog(module, input, static_cast<quellin::Seconds>(std::time(nullptr)));
  // Without its window the program could neither tick nor be closed: end at once.
  if (dialog.Create() == nullptr) return 0;
  RunMessageLoop(dialog);
  hooks.Remove();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR, int) { return Run(module); }
