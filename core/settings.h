#pragma once
#include <cstdint>

namespace quellin {

struct Settings {
  std::uint32_t WorkPeriod = 30;  // minutes, 2..240
  std::uint32_t RestPeriod = 5;   // minutes, 1..60
  bool UseSounds = false;
  bool DisableChanges = false;
  bool UseColors = true;
  std::uint32_t RestColor = 255;  // COLORREF: red in the low byte
};

inline constexpr std::uint32_t kMinWorkPeriod = 2;
inline constexpr std::uint32_t kMaxWorkPeriod = 240;
inline constexpr std::uint32_t kMinRestPeriod = 1;
inline constexpr std::uint32_t kMaxRestPeriod = 60;

// The per-user settings key (Software\KTX\Quellin under the current user) seen as the
// four operations the settings need. Results are platform status codes: 0 is success.
class ConfigStore {
 public:
  virtual ~ConfigStore() = default;
  // Opens the key, creating it when it does not exist.
  virtual long OpenKey() = 0;
  // Reads a value into `data` (4 bytes). Fails when the value is missing or longer than
  // 4 bytes; a shorter value fills only its own bytes.
  virtual long ReadValue(const char* name, std::uint8_t (&data)[4]) = 0;
  virtual long WriteDword(const char* name, std::uint32_t value) = 0;
  virtual long CloseKey() = 0;
};

Settings LoadSettings(ConfigStore& store);
// Returns the status of opening the key, else of the final close.
long SaveSettings(ConfigStore& store, const Settings& settings);

}  // namespace quellin
