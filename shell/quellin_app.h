#pragma once
#include <cstdint>
#include <memory>

#include "alerts/speaker.h"
#include "alerts/system_colors.h"
#include "core/cycle.h"
#include "core/phase.h"
#include "core/sampler.h"
#include "core/settings.h"
#include "core/texts.h"
#include "shell/dialog_view.h"
#include "shell/tray_shell.h"

namespace quellin {

// Everything the program reaches outside itself. Windows answers it with the registry,
// the hook library, winmm, the system colours, the notification area and the dialog;
// tests and the simulator answer it with recording fakes.
struct Platform {
  ConfigStore& config;
  InputSource& input;
  Speaker& speaker;
  SystemColors& colors;
  TrayShell& tray;
  DialogView& dialog;
  const TextSource& texts;
};

// The settings window's object without the window: all state of the running program and
// every handler of its messages. The Win32 dialog class forwards its messages here.
class QuellinApp {
 public:
  // Construction: cycle state from `now`, the platform-family flag, capture of the user's
  // colours, then the settings load.
  QuellinApp(const Platform& platform, Seconds now, bool ntFamily);
  ~QuellinApp();
  QuellinApp(const QuellinApp&) = delete;
  QuellinApp& operator=(const QuellinApp&) = delete;

  void OnInitDialog();
  // WM_TIMER: one tick with the activity that the sampler sees now.
  void OnTimer(Seconds now);
  // The tick itself, with the activity answer given.
  void Tick(Seconds now, bool active);
  void OnOK();
  void OnCancel();
  void OnColorButton();
  void OnHelp();
  void OnSysColorChange();
  void OnTrayNotify(std::uint32_t lParam);
  void OnPowerBroadcast(std::uint32_t wParam);
  // The shell's taskbar was created again and has lost the icon: no icon is shown and no
  // tooltip is known any more, so the picture is added again at once.
  void OnTaskbarCreated();

  const Settings& settings() const;
  Phase phase() const;
  const CycleState& cycle() const;
  int shownTrayIcon() const;  // 0 while no icon is in the notification area

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quellin
