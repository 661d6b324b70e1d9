#pragma once
#include <array>
#include <cstdint>

#include "alerts/system_colors.h"
#include "core/phase.h"
#include "core/settings.h"

namespace quellin {

// The three elements recoloured during a rest, in the order every call passes them.
inline constexpr std::array<int, 3> kRestColorElements = {10 /* COLOR_ACTIVEBORDER */,
                                                          2 /* COLOR_ACTIVECAPTION */,
                                                          3 /* COLOR_INACTIVECAPTION */};

// The rest colours for a base colour: the two active elements take it whole, the inactive
// caption each channel halved.
std::array<std::uint32_t, 3> RestColorsFor(std::uint32_t restColor);

// Keeps the user's own colours of the three elements, puts the rest colours over them while
// a rest is due and the user wants it, and tells the program's own colour changes apart from
// everybody else's.
class RestColorScheme {
 public:
  explicit RestColorScheme(SystemColors& colors) : colors_(colors) {}

  void CaptureSystemColors();
  void ApplyRestColors(bool force, std::uint32_t restColor);
  void RestoreSystemColors(bool force);
  // Brings the scheme in line with UseColors and the phase.
  void UpdateRestColors(bool force, const Settings& settings, Phase phase);
  // The platform's colour-change notification.
  void OnSysColorChange(const Settings& settings, Phase phase);

  bool restColorsApplied() const { return applied_; }
  bool ownChangePending() const { return ownChangePending_; }
  const std::array<std::uint32_t, 3>& savedColors() const { return saved_; }

 private:
  SystemColors& colors_;
  std::array<std::uint32_t, 3> saved_{};
  std::array<std::uint32_t, 3> shownRest_{};  // what ApplyRestColors last set
  bool applied_ = false;
  bool ownChangePending_ = false;
};

}  // namespace quellin
