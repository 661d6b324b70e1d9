#pragma once
// A CycleOutputs that writes down every effect with the second of the tick that caused it,
// as short readable lines ("icon 130", "tip Rest in about 30 min.", "alert 57351"), so that
// timeline tests can list what they expect and a failure prints what came instead.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/cycle.h"

namespace quellin::testing {

struct Effect {
  Seconds at = 0;
  std::string what;
  bool operator==(const Effect&) const = default;
};

inline void PrintTo(const Effect& e, std::ostream* os) { *os << "t=" << e.at << " " << e.what; }

class RecordingOutputs : public CycleOutputs {
 public:
  // The second that the next effects belong to; the driver sets it before each tick.
  Seconds now = 0;
  std::vector<Effect> effects;
  int pending = 0;

  void SetTrayTip(const std::string& text) override { Record("tip " + text); }
  void SetTrayIcon(int iconId, bool force) override {
    Record("icon " + std::to_string(iconId) + (force ? "" : " unforced"));
  }
  void PlayAlert(int alertId) override { Record("alert " + std::to_string(alertId)); }
  void SetPendingAlert(int alertId) override {
    pending = alertId;
    Record("pending " + std::to_string(alertId));
  }
  void SetStatusImage(int iconId) override { Record("status " + std::to_string(iconId)); }
  void UpdateRestColors(bool force) override { Record(force ? "colors force" : "colors"); }
  void UpdateSettingsLock() override { Record("lock"); }
  // Models the slot as the alert player keeps it: "play pending 57350" is the amber sound
  // heard from the slot, "play pending 0" an empty slot.
  void PlayPendingAlert() override {
    Record("play pending " + std::to_string(pending));
    pending = 0;
  }

  // The effects of one second, in order.
  std::vector<std::string> At(Seconds t) const {
    std::vector<std::string> result;
    for (const Effect& e : effects) {
      if (e.at == t) result.push_back(e.what);
    }
    return result;
  }
  void Clear() { effects.clear(); }

 private:
  void Record(std::string what) { effects.push_back({now, std::move(what)}); }
};

}  // namespace quellin::testing
