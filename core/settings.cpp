#include "core/settings.h"

namespace quellin {
namespace {

// The stored names, in the order in which both the load and the store visit them.
constexpr const char* kRestPeriodName = "RestPeriod";
constexpr const char* kWorkPeriodName = "WorkPeriod";
constexpr const char* kDisableChangesName = "DisableChanges";
constexpr const char* kUseSoundsName = "UseSounds";
constexpr const char* kUseColorsName = "UseColors";
constexpr const char* kRestColorName = "RestColor";

// One read into a fresh buffer. The buffer starts zero-filled, so a value shorter than
// four bytes is taken as its own bytes with zeros above them, never as leftovers of an
// earlier read.
bool ReadDword(ConfigStore& store, const char* name, std::uint32_t& value) {
  std::uint8_t data[4] = {0, 0, 0, 0};
  if (store.ReadValue(name, data) != 0) return false;
  value = static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8) |
          (static_cast<std::uint32_t>(data[2]) << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
  return true;
}

// A period is kept only inside its range; the comparison is unsigned, so a pattern that
// is negative as a signed number is simply far too large.
void ReadPeriod(ConfigStore& store, const char* name, std::uint32_t min, std::uint32_t max,
                std::uint32_t& field) {
  std::uint32_t value = 0;
  if (ReadDword(store, name, value) && value >= min && value <= max) field = value;
}

void ReadFlag(ConfigStore& store, const char* name, bool& field) {
  std::uint32_t value = 0;
  if (ReadDword(store, name, value)) field = value != 0;
}

}  // namespace

Settings LoadSettings(ConfigStore& store) {
  Settings settings;
  if (store.OpenKey() != 0) return settings;
  ReadPeriod(store, kRestPeriodName, kMinRestPeriod, kMaxRestPeriod, settings.RestPeriod);
  ReadPeriod(store, kWorkPeriodName, kMinWorkPeriod, kMaxWorkPeriod, settings.WorkPeriod);
  ReadFlag(store, kDisableChangesName, settings.DisableChanges);
  ReadFlag(store, kUseSoundsName, settings.UseSounds);
  ReadFlag(store, kUseColorsName, settings.UseColors);
  std::uint32_t color = 0;
  if (ReadDword(store, kRestColorName, color)) settings.RestColor = color;
  store.CloseKey();
  return settings;
}

long SaveSettings(ConfigStore& store, const Settings& settings) {
  const long opened = store.OpenKey();
  if (opened != 0) return opened;
  // Each write stands alone: one refused value must not cost the user the others.
  store.WriteDword(kRestPeriodName, settings.RestPeriod);
  store.WriteDword(kWorkPeriodName, settings.WorkPeriod);
  store.WriteDword(kDisableChangesName, settings.DisableChanges ? 1u : 0u);
  store.WriteDword(kUseSoundsName, settings.UseSounds ? 1u : 0u);
  store.WriteDword(kUseColorsName, settings.UseColors ? 1u : 0u);
  store.WriteDword(kRestColorName, settings.RestColor);
  return store.CloseKey();
}

}  // namespace quellin
