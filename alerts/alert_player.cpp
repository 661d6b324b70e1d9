#include "alerts/alert_player.h"

#include <cstdint>
#include <limits>
#include <string>

#include "alerts/tone_patterns.h"

namespace quellin {

AlertPlayer::AlertPlayer(Speaker& speaker, const TextSource& texts, bool ntFamily)
    : speaker_(speaker), texts_(texts), ntFamily_(ntFamily) {}

void AlertPlayer::PlayAlert(int alertId, bool useSounds) {
  if (!useSounds) {
    PlayTonePattern(alertId);
    return;
  }
  // An id that is no text id has no name; the platform then plays its default sound.
  std::string name;
  if (alertId > 0 && alertId <= std::numeric_limits<std::uint16_t>::max()) {
    name = texts_.LoadText(static_cast<std::uint16_t>(alertId));
  }
  if (!speaker_.PlayNamedSound(name)) PlayTonePattern(alertId);
}

void AlertPlayer::PlayTonePattern(int alertId) {
  const TonePattern& pattern = TonePatternFor(alertId);
  const std::size_t first = ntFamily_ ? 0 : pattern.count - 1;
  for (std::size_t i = first; i < pattern.count; ++i) speaker_.Beep(pattern.tones[i].hz, pattern.tones[i].ms);
}

void AlertPlayer::SetPendingAlert(int alertId) { pending_ = alertId; }

void AlertPlayer::PlayPendingAlert(bool useSounds) {
  if (pending_ == 0) return;
  PlayAlert(pending_, useSounds);
  pending_ = 0;
}

}  // namespace quellin
