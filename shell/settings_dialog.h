#pragma once
#include <cstdint>
#include <string_view>

#include "alerts/rest_colors.h"
#include "core/cycle.h"
#include "core/settings.h"
#include "core/texts.h"
#include "shell/dialog_view.h"
#include "shell/tray_icon.h"

namespace quellin {

// A period field's text read as the C library's atoi reads it: blanks, an optional sign,
// the leading digits, anything after them ignored; no digits give 0. The result is taken as
// unsigned 32 bits, so negative numbers come out huge and fail every range check. Unlike
// atoi, a number too long for 32 bits is defined: it saturates (to INT32_MAX, or INT32_MIN
// for a negative one) and is therefore out of range too.
std::uint32_t ReadPeriodText(std::string_view text);

// What the settings window works on besides itself; all owned by the main object.
struct SettingsDialogParts {
  DialogView& view;
  const TextSource& texts;
  Settings& settings;
  ConfigStore& store;
  TrayIcon& tray;
  RestColorScheme& colors;
  const Cycle& cycle;
};

// The settings window's handlers: filling the controls, OK with its checks, the colour
// swatch, the lock on the period controls, and the exit sequence.
class SettingsDialog {
 public:
  explicit SettingsDialog(const SettingsDialogParts& parts) : parts_(parts) {}

  void OnInitDialog();
  void OnOK();
  void OnColorButton();
  void OnCancel();
  void OnHelp();
  void SetStatusImage(int iconId);
  // The period controls are greyed out while DisableChanges is on and a rest is near or
  // due; the stored setting counts, not what the check box shows.
  void UpdateSettingsLock();

  bool controlsEnabled() const { return controlsEnabled_; }
  unsigned timerId() const { return timerId_; }

 private:
  SettingsDialogParts parts_;
  unsigned timerId_ = 0;
  bool controlsEnabled_ = true;
};

}  // namespace quellin
