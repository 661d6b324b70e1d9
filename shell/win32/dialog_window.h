#pragma once
#include <windows.h>

namespace quellin::win32 {

// A modeless dialog box whose messages reach one C++ object through its message map.
// The object is handed to the dialog procedure as the creation parameter and kept in
// the window's DWLP_USER slot; messages that arrive before WM_INITDIALOG (the font)
// and those the map leaves alone get the platform's default dialog processing.
class DialogWindow {
 public:
  DialogWindow() = default;
  virtual ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  // Creates the dialog from a template of `module`, without a parent; null on failure.
  HWND Create(HINSTANCE module, int templateId);
  // The same from a template in memory (tests build their own).
  HWND CreateIndirect(HINSTANCE module, const DLGTEMPLATE* dialogTemplate);

  // The window's handle, or null before creation and after destruction.
  HWND hwnd() const { return hwnd_; }

 protected:
  // The message map: true when the message was handled, with its result in `result`.
  virtual bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result) = 0;
  // Called after the window's last message; the window is gone.
  virtual void OnFinalMessage(HWND window);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

}  // namespace quellin::win32
