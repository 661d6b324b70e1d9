#pragma once
#include <cstdint>
#include <string>

#include "shell/dialog_view.h"
#include "shell/tray_shell.h"

namespace quellin {

// What a mouse message on the icon asks of the program.
enum class TrayClick { None, ShowWindow, RequestExtension };

struct TrayClickAction {
  TrayClick click = TrayClick::None;
  int showCommand = 0;  // with ShowWindow: SW_SHOWNORMAL the first time, SW_RESTORE after
};

inline constexpr std::uint32_t kMouseLeftDown = 513;   // WM_LBUTTONDOWN
inline constexpr std::uint32_t kMouseRightDown = 516;  // WM_RBUTTONDOWN
inline constexpr std::uint32_t kPowerResumeSuspend = 7;  // PBT_APMRESUMESUSPEND
inline constexpr std::size_t kTrayTipLength = 63;  // the shell's record holds 64 with the zero

// The program's one notification-area icon: carries picture and tooltip requests to the
// shell and remembers only what the shell has accepted, so that a refused request is made
// again by the next one.
class TrayIcon {
 public:
  explicit TrayIcon(TrayShell& shell) : shell_(shell) {}

  // iconId 0 removes the icon.
  void SetTrayIcon(int iconId, bool force);
  void SetTrayTip(const std::string& text);
  TrayClickAction OnTrayNotify(std::uint32_t mouseMessage);
  void OnPowerBroadcast(std::uint32_t event);
  // A new taskbar knows neither the icon nor its tooltip: both are sent again, the picture
  // at once and the tooltip with the next text the cycle asks for.
  void OnTaskbarCreated();

  int shownIcon() const { return shown_; }
  const std::string& lastTip() const { return lastTip_; }
  bool firstShow() const { return firstShow_; }

 private:
  TrayShell& shell_;
  int shown_ = 0;
  std::string lastTip_;
  bool firstShow_ = true;
};

}  // namespace quellin
