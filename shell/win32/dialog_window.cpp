#include "shell/win32/dialog_window.h"

#include <utility>

namespace quellin::win32 {
namespace {

// Messages whose result a dialog procedure returns itself instead of through
// DWLP_MSGRESULT (the platform's dialog manager reads them from the return value).
bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return true;
    default:
      return false;
  }
}

}  // namespace

DialogWindow::~DialogWindow() {
  if (hwnd_ != nullptr) {
    // The object is going away: the window's last messages must not reach it.
    ::SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
    ::DestroyWindow(std::exchange(hwnd_, nullptr));
  }
}

HWND DialogWindow::Create(HINSTANCE module, int templateId) {
  return ::CreateDialogParamA(module, MAKEINTRESOURCEA(templateId), nullptr, &DialogWindow::DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

HWND DialogWindow::CreateIndirect(HINSTANCE module, const DLGTEMPLATE* dialogTemplate) {
  return ::CreateDialogIndirectParamA(module, dialogTemplate, nullptr, &DialogWindow::DialogProc,
                                      reinterpret_cast<LPARAM>(this));
}

void DialogWindow::OnFinalMessage(HWND) {}

INT_PTR CALLBACK DialogWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<DialogWindow*>(::GetWindowLongPtrA(window, DWLP_USER));
  if (self == nullptr) {
    if (message != WM_INITDIALOG) return FALSE;
    self = reinterpret_cast<DialogWindow*>(lParam);
    if (self == nullptr) return FALSE;
    ::SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = window;
  }

  LRESULT result = 0;
  const bool handled = self->ProcessWindowMessage(window, message, wParam, lParam, result);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    self->OnFinalMessage(window);
    return handled ? TRUE : FALSE;
  }
  if (!handled) return FALSE;
  if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
  ::SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace quellin::win32
