#pragma once
// The tone pattern of every alert event, for the internal speaker. The one table both the
// player and its tests read.
#include <array>
#include <cstddef>

#include "resources/resource_ids.h"

namespace quellin {

struct Tone {
  int hz;
  int ms;
};

struct TonePattern {
  int alertId;  // 0: the row for every id not listed
  std::array<Tone, 2> tones;
  std::size_t count;  // 1 or 2; off the NT family only the last tone sounds
};

inline constexpr std::array<TonePattern, 6> kTonePatterns = {{
    {IDS_QN_CHANGE_TO_AMBER, {{{600, 200}, {400, 200}}}, 2},
    {IDS_QN_CHANGE_TO_RED, {{{400, 100}, {200, 200}}}, 2},
    {IDS_QN_RED_EVENT_MINOR, {{{200, 100}, {0, 0}}}, 1},
    {IDS_QN_RED_EVENT_MAJOR, {{{200, 200}, {0, 0}}}, 1},
    {IDS_QN_FIVE_MINS_DENIED, {{{400, 200}, {200, 200}}}, 2},
    // Also 57354 (back to work) and 57359 (extension granted): the rising pattern.
    {0, {{{600, 100}, {1200, 100}}}, 2},
}};

// The row for an alert id; ids not in the table take the last row.
constexpr const TonePattern& TonePatternFor(int alertId) {
  for (const TonePattern& p : kTonePatterns) {
    if (p.alertId == alertId) return p;
  }
  return kTonePatterns.back();
}

}  // namespace quellin
