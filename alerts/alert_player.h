#pragma once
#include <cstdint>

#include "alerts/speaker.h"
#include "core/texts.h"

namespace quellin {

// The program's alerts: a named sound event through the sound card, or the event's tone
// pattern on the speaker when sounds are off or the named sound cannot be started; and the
// one-slot pending alert through which the cycle defers a transition sound until the user
// is at the computer.
class AlertPlayer {
 public:
  // ntFamily: the platform family flag, read once at start-up; off it, only the last tone
  // of a two-tone pattern is sounded.
  AlertPlayer(Speaker& speaker, const TextSource& texts, bool ntFamily);

  void PlayAlert(int alertId, bool useSounds);
  void PlayTonePattern(int alertId);
  void SetPendingAlert(int alertId);  // 0 empties the slot
  void PlayPendingAlert(bool useSounds);
  int pendingAlert() const { return pending_; }
  bool ntFamily() const { return ntFamily_; }

 private:
  Speaker& speaker_;
  const TextSource& texts_;
  bool ntFamily_;
  int pending_ = 0;
};

}  // namespace quellin
