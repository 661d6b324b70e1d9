#pragma once
#include <string>

namespace quellin {

// Sound output: named application sounds through the sound card, tones on the speaker.
class Speaker {
 public:
  virtual ~Speaker() = default;
  // Starts the sound registered for this program under `name` without waiting for it.
  // False when it could not be started (device busy or absent).
  virtual bool PlayNamedSound(const std::string& name) = 0;
  // Sounds one tone and returns when it has ended.
  virtual void Beep(int hz, int ms) = 0;
};

}  // namespace quellin
