#include "alerts/rest_colors.h"

namespace quellin {
namespace {

constexpr int kElementCount = static_cast<int>(kRestColorElements.size());

std::uint32_t Halved(std::uint32_t color) {
  const std::uint32_t red = (color & 0xFFu) >> 1;
  const std::uint32_t green = ((color >> 8) & 0xFFu) >> 1;
  const std::uint32_t blue = ((color >> 16) & 0xFFu) >> 1;
  return red | (green << 8) | (blue << 16);
}

}  // namespace

std::array<std::uint32_t, 3> RestColorsFor(std::uint32_t restColor) {
  return {restColor, restColor, Halved(restColor)};
}

void RestColorScheme::CaptureSystemColors() {
  for (std::size_t i = 0; i < kRestColorElements.size(); ++i) saved_[i] = colors_.GetSysColor(kRestColorElements[i]);
}

void RestColorScheme::ApplyRestColors(bool force, std::uint32_t restColor) {
  if (!force && applied_) return;
  const std::array<std::uint32_t, 3> rest = RestColorsFor(restColor);
  // Set before the call: the platform may deliver its notification while we are inside it.
  ownChangePending_ = true;
  colors_.SetSysColors(kElementCount, kRestColorElements.data(), rest.data());
  shownRest_ = rest;
  applied_ = true;
}

void RestColorScheme::RestoreSystemColors(bool force) {
  if (!force && !applied_) return;
  ownChangePending_ = true;
  colors_.SetSysColors(kElementCount, kRestColorElements.data(), saved_.data());
  applied_ = false;
}

void RestColorScheme::UpdateRestColors(bool force, const Settings& settings, Phase phase) {
  if (settings.UseColors) {
    if (phase == Phase::Red) {
      ApplyRestColors(force, settings.RestColor);
    } else {
      RestoreSystemColors(force);
    }
  } else if (applied_) {
    RestoreSystemColors(force);
  }
}

void RestColorScheme::OnSysColorChange(const Settings& settings, Phase phase) {
  if (ownChangePending_) {
    ownChangePending_ = false;
    return;
  }
  // Somebody else changed the scheme: their colours are the ones to come back to, and a
  // rest still due goes on showing over them. While the rest colours are up, an element
  // that still shows the rest colour was not touched by them; taking it as theirs would
  // make every later restore put the rest colour back for good, so it keeps its saved one.
  if (applied_) {
    for (std::size_t i = 0; i < kRestColorElements.size(); ++i) {
      const std::uint32_t now = colors_.GetSysColor(kRestColorElements[i]);
      if (now != shownRest_[i]) saved_[i] = now;
    }
  } else {
    CaptureSystemColors();
  }
  UpdateRestColors(true, settings, phase);
}

}  // namespace quellin
