#pragma once
#include <windows.h>

#include "core/sampler.h"
#include "shell/quellin_app.h"
#include "shell/win32/dialog_window.h"
#include "shell/win32/help.h"
#include "shell/win32/message_map.h"
#include "shell/win32/registry_config_store.h"
#include "shell/win32/settings_view.h"
#include "shell/win32/sound_and_colors.h"
#include "shell/win32/tray.h"
#include "shell/win32/win32_texts.h"

namespace quellin::win32 {

// The main object: the hidden, modeless settings dialog that owns all state of the
// program. Its logic is QuellinApp's; this class gives it the platform and routes the
// window's messages to it.
class CQuellinDlg final : public DialogWindow, private SettingsWindowHandlers {
 public:
  // Construction order: accelerators, icon set, then the logic (cycle state from `now`,
  // platform family, capture of the user's colours, settings load).
  CQuellinDlg(HINSTANCE module, InputSource& input, Seconds now, NotifyIconFunction notify = &::Shell_NotifyIconA);
  ~CQuellinDlg() override;

  // Creates the settings window from template 102, hidden.
  HWND Create();
  HACCEL accelerators() const { return accelerators_; }
  const QuellinApp& app() const { return app_; }

 private:
  bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  void OnSysColorChange() override;
  bool OnDrawItem(int controlId, const DRAWITEMSTRUCT& item) override;
  void OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnColorButton() override;
  void OnHelp() override;
  void OnTimer() override;
  void OnPowerBroadcast(WPARAM event) override;
  void OnTrayNotify(LPARAM mouseMessage) override;
  void OnTaskbarCreated() override;

  HINSTANCE module_;
  // Loaded from the module's resources: released with the module, not one by one.
  HACCEL accelerators_;
  IconSet icons_;
  UINT taskbarCreated_;
  RegistryConfigStore store_;
  Win32Speaker speaker_;
  Win32SystemColors colors_;
  Win32TrayShell tray_;
  Win32HelpPlatform helpPlatform_;
  Help help_;
  Win32DialogView view_;
  ResourceTexts texts_;
  Platform platform_;
  QuellinApp app_;
};

}  // namespace quellin::win32
