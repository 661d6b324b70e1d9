#include "core/cycle.h"

#include <cstdint>
#include <limits>

#include "resources/resource_ids.h"

namespace quellin {
namespace {

constexpr Seconds kWarningSeconds = 60;
constexpr Seconds kSecondsPerMinute = 60;
constexpr std::int32_t kExtensionMinutes = 5;
// From this many active ticks in one rest on, the louder red alert plays.
constexpr std::int32_t kMajorAlertActivityCount = 30;
// With more than this many seconds left the tray square carries no digit.
constexpr Seconds kDigitSeconds = 300;

// The text inserts are 32-bit; a clock set back by centuries must not wrap them.
std::int32_t ToInsert(Seconds value) {
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

// The minutes left rounded up, 1 to 5: the digit on the square once 300 seconds or less
// remain (1 also when nothing or less than nothing is left).
int DigitFor(Seconds left) {
  constexpr Seconds kHighestDigit = kDigitSeconds / kSecondsPerMinute;
  const Seconds minutes = (left + kSecondsPerMinute - 1) / kSecondsPerMinute;
  if (minutes < 1) return 1;
  return static_cast<int>(minutes < kHighestDigit ? minutes : kHighestDigit);
}

int GreenIconFor(Seconds workLeft) {
  if (workLeft > kDigitSeconds) return IDI_GREEN;
  return IDI_GREEN_1 - 1 + DigitFor(workLeft);
}

int RedIconFor(Seconds now, Seconds restLeft) {
  if (now % 2 != 0) return IDI_EMPTY;
  if (restLeft > kDigitSeconds) return IDI_RED;
  return IDI_RED_1 - 1 + DigitFor(restLeft);
}

}  // namespace

Cycle::Cycle(Seconds now) {
  state_.WorkStartTime = now;
  state_.LastActivityTime = now;
}

void Cycle::Tick(Seconds now, bool active, const Settings& settings, const TextSource& texts,
                 CycleOutputs& out) {
  if (active) state_.LastActivityTime = now;

  const Seconds restSeconds = static_cast<Seconds>(settings.RestPeriod) * kSecondsPerMinute;
  if (now - state_.LastActivityTime >= restSeconds) {
    state_.WorkStartTime = now;
    state_.ExtensionMinutes = 0;
  }

  const Seconds workSeconds =
      (static_cast<Seconds>(settings.WorkPeriod) + state_.ExtensionMinutes) * kSecondsPerMinute;
  const Seconds elapsedWork = now - state_.WorkStartTime;
  Phase newPhase = Phase::Red;
  if (elapsedWork < workSeconds) {
    newPhase = elapsedWork >= workSeconds - kWarningSeconds ? Phase::Amber : Phase::Green;
    state_.RedActivityCount = 0;
  }

  // The tray shows the phase recorded so far; a change found above reaches it next tick.
  switch (state_.phase) {
    case Phase::Green: {
      const Seconds workLeft = workSeconds + state_.WorkStartTime - now;
      out.SetTrayTip(texts.FormatText(IDS_TIP_REST_IN, {ToInsert((workLeft + kSecondsPerMinute / 2) / kSecondsPerMinute)}));
      out.SetTrayIcon(GreenIconFor(workLeft), true);
      break;
    }
    case Phase::Amber:
      out.SetTrayTip(texts.LoadText(IDS_TIP_REST_SOON));
      out.SetTrayIcon(now % 2 != 0 ? IDI_YELLOW_1 : IDI_EMPTY, true);
      break;
    case Phase::Red: {
      const Seconds restLeft = restSeconds + state_.LastActivityTime - now;
      const Seconds minutes = restLeft / kSecondsPerMinute;
      out.SetTrayTip(texts.FormatText(IDS_TIP_RESTING, {minutes < 1 ? 1 : ToInsert(minutes)}));
      out.SetTrayIcon(RedIconFor(now, restLeft), true);
      if (active) {
        // Saturates rather than wraps: past the threshold only "at least 30" matters.
        if (state_.RedActivityCount < std::numeric_limits<std::int32_t>::max()) ++state_.RedActivityCount;
        out.PlayAlert(state_.RedActivityCount < kMajorAlertActivityCount ? IDS_QN_RED_EVENT_MINOR
                                                                          : IDS_QN_RED_EVENT_MAJOR);
      }
      break;
    }
  }

  if (newPhase != state_.phase) {
    switch (newPhase) {
      case Phase::Green:
        out.SetStatusImage(IDI_LIGHT_GREEN);
        out.SetPendingAlert(0);
        if (state_.phase == Phase::Red) out.PlayAlert(IDS_QN_CHANGE_TO_GREEN);
        break;
      case Phase::Amber:
        out.SetStatusImage(IDI_LIGHT_YELLOW);
        out.SetPendingAlert(IDS_QN_CHANGE_TO_AMBER);
        break;
      case Phase::Red:
        out.SetStatusImage(IDI_LIGHT_RED);
        out.SetPendingAlert(IDS_QN_CHANGE_TO_RED);
        break;
    }
    state_.phase = newPhase;
    out.UpdateRestColors(false);
    out.UpdateSettingsLock();
  }

  if (active) out.PlayPendingAlert();
}

void Cycle::RequestExtension(CycleOutputs& out) {
  if (state_.ExtensionMinutes != 0) {
    out.PlayAlert(IDS_QN_FIVE_MINS_DENIED);
    return;
  }
  state_.ExtensionMinutes = kExtensionMinutes;
  out.PlayAlert(IDS_QN_FIVE_MINS_OK);
}

}  // namespace quellin
