#pragma once
#include <windows.h>

namespace quellin::win32 {

// The handlers that the settings window's message map reaches.
class SettingsWindowHandlers {
 public:
  virtual ~SettingsWindowHandlers() = default;
  virtual void OnSysColorChange() = 0;
  // False when the item is not the colour swatch: the platform then draws it.
  virtual bool OnDrawItem(int controlId, const DRAWITEMSTRUCT& item) = 0;
  virtual void OnInitDialog() = 0;
  virtual void OnOK() = 0;
  virtual void OnCancel() = 0;
  virtual void OnColorButton() = 0;
  virtual void OnHelp() = 0;
  virtual void OnTimer() = 0;
  virtual void OnPowerBroadcast(WPARAM event) = 0;
  virtual void OnTrayNotify(LPARAM mouseMessage) = 0;
  // The shell's taskbar was created again, and with it an empty notification area.
  virtual void OnTaskbarCreated() = 0;
};

// Routes one message of the settings window: true when a handler took it, with the
// result. Commands are matched by id alone, whatever their notification code;
// `taskbarCreated` is the registered "TaskbarCreated" message, 0 when there is none.
bool RouteSettingsMessage(SettingsWindowHandlers& handlers, UINT taskbarCreated, UINT message, WPARAM wParam,
                          LPARAM lParam, LRESULT& result);

// Draws the colour swatch: a push-button frame, sunken while pressed, filled with `color`.
void DrawSwatch(HDC dc, RECT rect, bool pressed, COLORREF color);

}  // namespace quellin::win32
