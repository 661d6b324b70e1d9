#include "shell/win32/message_map.h"

#include "resources/resource_ids.h"
#include "shell/win32/handles.h"

namespace quellin::win32 {

bool RouteSettingsMessage(SettingsWindowHandlers& handlers, UINT taskbarCreated, UINT message, WPARAM wParam,
                          LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_SYSCOLORCHANGE:
      handlers.OnSysColorChange();
      return true;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return item != nullptr && handlers.OnDrawItem(static_cast<int>(wParam), *item);
    }
    case WM_INITDIALOG:
      handlers.OnInitDialog();
      result = TRUE;
      return true;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_OK:
          handlers.OnOK();
          return true;
        case IDC_CANCEL:
          handlers.OnCancel();
          return true;
        case IDC_COLOR_SWATCH:
          handlers.OnColorButton();
          return true;
        case IDC_HELP_BUTTON:
          handlers.OnHelp();
          return true;
        default:
          return false;
      }
    case WM_TIMER:
      handlers.OnTimer();
      return true;
    case WM_POWERBROADCAST:
      handlers.OnPowerBroadcast(wParam);
      return true;
    case QUELLIN_TRAY_CALLBACK:
      handlers.OnTrayNotify(lParam);
      return true;
    default:
      if (taskbarCreated != 0 && message == taskbarCreated) {
        handlers.OnTaskbarCreated();
        return true;
      }
      return false;
  }
}

void DrawSwatch(HDC dc, RECT rect, bool pressed, COLORREF color) {
  const Brush brush(::CreateSolidBrush(color));
  ::DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0u));
  ::FillRect(dc, &rect, brush.get());
}

}  // namespace quellin::win32
