#include "shell/settings_dialog.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "resources/resource_ids.h"

namespace quellin {
namespace {

struct ControlTip {
  int controlId;
  int stringId;
};

constexpr std::array<ControlTip, 8> kControlTips = {{
    {IDC_WORK_PERIOD, IDS_TIP_WORK_PERIOD},
    {IDC_REST_PERIOD, IDS_TIP_REST_PERIOD},
    {IDC_BEEP_RADIO, IDS_TIP_BEEP},
    {IDC_SOUNDS_RADIO, IDS_TIP_SOUNDS},
    {IDC_COLOR_CHECK, IDS_TIP_COLOR_CHECK},
    {IDC_COLOR_SWATCH, IDS_TIP_COLOR_SWATCH},
    {IDC_DISABLE_CHANGES, IDS_TIP_DISABLE_CHANGES},
    {IDC_OK, IDS_TIP_OK},
}};

// The controls that the lock greys out, in the order they are switched.
constexpr std::array<int, 5> kLockedControls = {IDC_REST_PERIOD, IDC_REST_SPIN, IDC_WORK_PERIOD, IDC_WORK_SPIN,
                                                IDC_DISABLE_CHANGES};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

std::uint32_t ReadPeriodText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // One past the largest magnitude a 32-bit int can take: enough to know it saturates.
  constexpr std::int64_t kLimit = static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
}

void SettingsDialog::OnInitDialog() {
  DialogView& view = parts_.view;
  const Settings& settings = parts_.settings;
  // A running copy is found by this caption, so it is the title text and nothing else.
  view.SetCaption(parts_.texts.LoadText(IDS_TITLE));
  view.SetBigIcon(IDI_LIGHT_ALL);
  parts_.tray.SetTrayIcon(IDI_GREEN, true);
  SetStatusImage(IDI_LIGHT_GREEN);
  view.CheckRadioButton(IDC_BEEP_RADIO, IDC_SOUNDS_RADIO, settings.UseSounds ? IDC_SOUNDS_RADIO : IDC_BEEP_RADIO);
  view.CheckDlgButton(IDC_DISABLE_CHANGES, settings.DisableChanges);
  view.CheckDlgButton(IDC_COLOR_CHECK, settings.UseColors);
  view.SetDlgItemInt(IDC_WORK_PERIOD, static_cast<std::int32_t>(settings.WorkPeriod));
  view.SetDlgItemInt(IDC_REST_PERIOD, static_cast<std::int32_t>(settings.RestPeriod));
  // The arrows keep to the bounds that OK enforces.
  view.SetUpDownRange(IDC_WORK_SPIN, static_cast<int>(kMinWorkPeriod), static_cast<int>(kMaxWorkPeriod));
  view.SetUpDownRange(IDC_REST_SPIN, static_cast<int>(kMinRestPeriod), static_cast<int>(kMaxRestPeriod));
  UpdateSettingsLock();
  view.CreateTooltips();
  for (const ControlTip& tip : kControlTips) view.AddControlTip(tip.controlId, tip.stringId);
  timerId_ = view.StartTimer();
}

void SettingsDialog::OnOK() {
  DialogView& view = parts_.view;
  const std::uint32_t work = ReadPeriodText(view.ReadItemText(IDC_WORK_PERIOD));
  if (work < kMinWorkPeriod || work > kMaxWorkPeriod) {
    view.ShowMessage(parts_.texts.FormatText(
        IDS_BAD_WORK_PERIOD, {static_cast<std::int32_t>(kMinWorkPeriod), static_cast<std::int32_t>(kMaxWorkPeriod)}));
    return;
  }
  const std::uint32_t rest = ReadPeriodText(view.ReadItemText(IDC_REST_PERIOD));
  if (rest < kMinRestPeriod || rest > kMaxRestPeriod) {
    view.ShowMessage(parts_.texts.FormatText(
        IDS_BAD_REST_PERIOD, {static_cast<std::int32_t>(kMinRestPeriod), static_cast<std::int32_t>(kMaxRestPeriod)}));
    return;
  }
  Settings& settings = parts_.settings;
  settings.UseSounds = view.IsDlgButtonChecked(IDC_SOUNDS_RADIO);
  settings.DisableChanges = view.IsDlgButtonChecked(IDC_DISABLE_CHANGES);
  settings.UseColors = view.IsDlgButtonChecked(IDC_COLOR_CHECK);
  settings.RestPeriod = rest;
  settings.WorkPeriod = work;
  SaveSettings(parts_.store, settings);
  parts_.colors.UpdateRestColors(false, settings, parts_.cycle.phase());
  parts_.tray.SetTrayIcon(parts_.tray.shownIcon(), true);
  UpdateSettingsLock();
  view.ShowWindow(kShowHide);
}

void SettingsDialog::OnColorButton() {
  if (const std::optional<std::uint32_t> picked = parts_.view.PickColor(parts_.settings.RestColor)) {
    parts_.settings.RestColor = *picked;
    parts_.view.InvalidateSwatch();
  }
  // Forced, so that a new colour shows on the captions at once while a rest is due.
  parts_.colors.UpdateRestColors(true, parts_.settings, parts_.cycle.phase());
}

void SettingsDialog::OnCancel() {
  parts_.view.KillTimer(timerId_);
  parts_.tray.SetTrayIcon(0, true);
  // Unconditionally: whatever the program believes, the user leaves with their own colours.
  parts_.colors.RestoreSystemColors(true);
  parts_.view.DestroyWindow();
  parts_.view.PostQuitMessage();
}

void SettingsDialog::OnHelp() { parts_.view.ShowHelp(); }

void SettingsDialog::SetStatusImage(int iconId) { parts_.view.SetStatusImage(iconId); }

void SettingsDialog::UpdateSettingsLock() {
  const Phase phase = parts_.cycle.phase();
  const bool enable = !(parts_.settings.DisableChanges && (phase == Phase::Amber || phase == Phase::Red));
  if (enable == controlsEnabled_) return;
  for (const int control : kLockedControls) parts_.view.EnableControl(control, enable);
  controlsEnabled_ = enable;
}

}  // namespace quellin
