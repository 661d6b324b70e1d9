#include "shell/quellin_app.h"

#include "alerts/alert_player.h"
#include "alerts/rest_colors.h"
#include "shell/settings_dialog.h"
#include "shell/tray_icon.h"

namespace quellin {

// The tick's effects reach the tray, the speaker, the dialog and the colour scheme through
// this object, with the settings and the phase as they stand at that moment.
struct QuellinApp::Impl final : CycleOutputs {
  Impl(const Platform& platform_, Seconds now, bool ntFamily)
      : platform(platform_),
        cycle(now),
        alerts(platform.speaker, platform.texts, ntFamily),
        colors(platform.colors),
        tray(platform.tray),
        sampler(platform.input),
        dialog({platform.dialog, platform.texts, settings, platform.config, tray, colors, cycle}) {
    colors.CaptureSystemColors();
    settings = LoadSettings(platform.config);
  }

  void SetTrayTip(const std::string& text) override { tray.SetTrayTip(text); }
  void SetTrayIcon(int iconId, bool force) override { tray.SetTrayIcon(iconId, force); }
  void PlayAlert(int alertId) override { alerts.PlayAlert(alertId, settings.UseSounds); }
  void SetPendingAlert(int alertId) override { alerts.SetPendingAlert(alertId); }
  void SetStatusImage(int iconId) override { dialog.SetStatusImage(iconId); }
  void UpdateRestColors(bool force) override { colors.UpdateRestColors(force, settings, cycle.phase()); }
  void UpdateSettingsLock() override { dialog.UpdateSettingsLock(); }
  void PlayPendingAlert() override { alerts.PlayPendingAlert(settings.UseSounds); }

  Platform platform;
  Cycle cycle;
  AlertPlayer alerts;
  RestColorScheme colors;
  Settings settings;
  TrayIcon tray;
  ActivitySampler sampler;
  SettingsDialog dialog;
};

QuellinApp::QuellinApp(const Platform& platform, Seconds now, bool ntFamily)
    : impl_(std::make_unique<Impl>(platform, now, ntFamily)) {}

QuellinApp::~QuellinApp() = default;

void QuellinApp::OnInitDialog() { impl_->dialog.OnInitDialog(); }

void QuellinApp::OnTimer(Seconds now) { Tick(now, impl_->sampler.SampleActivity()); }

void QuellinApp::Tick(Seconds now, bool active) {
  impl_->cycle.Tick(now, active, impl_->settings, impl_->platform.texts, *impl_);
}

void QuellinApp::OnOK() { impl_->dialog.OnOK(); }
void QuellinApp::OnCancel() { impl_->dialog.OnCancel(); }
void QuellinApp::OnColorButton() { impl_->dialog.OnColorButton(); }
void QuellinApp::OnHelp() { impl_->dialog.OnHelp(); }

void QuellinApp::OnSysColorChange() { impl_->colors.OnSysColorChange(impl_->settings, impl_->cycle.phase()); }

void QuellinApp::OnTrayNotify(std::uint32_t lParam) {
  const TrayClickAction action = impl_->tray.OnTrayNotify(lParam);
  switch (action.click) {
    case TrayClick::ShowWindow:
      impl_->platform.dialog.ShowWindow(action.showCommand);
      break;
    case TrayClick::RequestExtension:
      impl_->cycle.RequestExtension(*impl_);
      break;
    case TrayClick::None:
      break;
  }
}

void QuellinApp::OnPowerBroadcast(std::uint32_t wParam) { impl_->tray.OnPowerBroadcast(wParam); }
void QuellinApp::OnTaskbarCreated() { impl_->tray.OnTaskbarCreated(); }

const Settings& QuellinApp::settings() const { return impl_->settings; }
Phase QuellinApp::phase() const { return impl_->cycle.phase(); }
const CycleState& QuellinApp::cycle() const { return impl_->cycle.state(); }
int QuellinApp::shownTrayIcon() const { return impl_->tray.shownIcon(); }

}  // namespace quellin
