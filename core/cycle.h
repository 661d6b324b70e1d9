#pragma once
#include <cstdint>
#include <string>

#include "core/phase.h"
#include "core/settings.h"
#include "core/texts.h"

namespace quellin {

// What a tick hands out, in the order the cycle causes it. The program's main object
// implements it over the tray, the dialog, the speaker and the colour scheme.
class CycleOutputs {
 public:
  virtual ~CycleOutputs() = default;
  virtual void SetTrayTip(const std::string& text) = 0;
  virtual void SetTrayIcon(int iconId, bool force) = 0;
  virtual void PlayAlert(int alertId) = 0;
  virtual void SetPendingAlert(int alertId) = 0;
  virtual void SetStatusImage(int iconId) = 0;
  virtual void UpdateRestColors(bool force) = 0;
  virtual void UpdateSettingsLock() = 0;
  virtual void PlayPendingAlert() = 0;
};

struct CycleState {
  Phase phase = Phase::Green;
  Seconds WorkStartTime = 0;
  Seconds LastActivityTime = 0;
  std::int32_t ExtensionMinutes = 0;  // 0 or 5
  std::int32_t RedActivityCount = 0;
};

// The work/rest cycle. Pure decisions: the clock and the activity answer come in as
// arguments, everything it decides goes out through CycleOutputs.
class Cycle {
 public:
  explicit Cycle(Seconds now);
  void Tick(Seconds now, bool active, const Settings& settings, const TextSource& texts, CycleOutputs& out);
  void RequestExtension(CycleOutputs& out);
  Phase phase() const { return state_.phase; }
  const CycleState& state() const { return state_; }

 private:
  CycleState state_;
};

}  // namespace quellin
