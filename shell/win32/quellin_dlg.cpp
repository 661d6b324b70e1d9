#include "shell/win32/quellin_dlg.h"

#include <ctime>

#include "resources/resource_ids.h"

namespace quellin::win32 {

CQuellinDlg::CQuellinDlg(HINSTANCE module, InputSource& input, Seconds now, NotifyIconFunction notify)
    : module_(module),
      accelerators_(::LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDR_ACCELERATORS))),
      icons_(module),
      // A restarted shell announces its new taskbar with this message to every top-level
      // window; the icons it had are gone.
      taskbarCreated_(::RegisterWindowMessageA("TaskbarCreated")),
      tray_(*this, icons_, notify),
      help_(helpPlatform_),
      view_(*this, module, icons_, help_),
      texts_(module),
      platform_{store_, input, speaker_, colors_, tray_, view_, texts_},
      app_(platform_, now, IsNtFamily()) {}

CQuellinDlg::~CQuellinDlg() {
  // The window goes first, while the tooltips and the logic it reaches are still alive.
  if (hwnd() != nullptr) ::DestroyWindow(hwnd());
}

HWND CQuellinDlg::Create() { return DialogWindow::Create(module_, IDD_SETTINGS); }

bool CQuellinDlg::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  return RouteSettingsMessage(*this, taskbarCreated_, message, wParam, lParam, result);
}

void CQuellinDlg::OnSysColorChange() { app_.OnSysColorChange(); }

bool CQuellinDlg::OnDrawItem(int controlId, const DRAWITEMSTRUCT& item) {
  if (controlId != IDC_COLOR_SWATCH) return false;
  DrawSwatch(item.hDC, item.rcItem, (item.itemState & ODS_SELECTED) != 0, app_.settings().RestColor);
  return true;
}

void CQuellinDlg::OnInitDialog() { app_.OnInitDialog(); }
void CQuellinDlg::OnOK() { app_.OnOK(); }
void CQuellinDlg::OnCancel() { app_.OnCancel(); }
void CQuellinDlg::OnColorButton() { app_.OnColorButton(); }
void CQuellinDlg::OnHelp() { app_.OnHelp(); }
void CQuellinDlg::OnTimer() { app_.OnTimer(static_cast<Seconds>(std::time(nullptr))); }
void CQuellinDlg::OnPowerBroadcast(WPARAM event) { app_.OnPowerBroadcast(static_cast<std::uint32_t>(event)); }
void CQuellinDlg::OnTrayNotify(LPARAM mouseMessage) { app_.OnTrayNotify(static_cast<std::uint32_t>(mouseMessage)); }
void CQuellinDlg::OnTaskbarCreated() { app_.OnTaskbarCreated(); }

}  // namespace quellin::win32
