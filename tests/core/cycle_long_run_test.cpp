// A week of seconds with random work, pauses, suspends, clocks set back, extension
// requests and new periods, checking at every tick what the rules say must hold. The
// rules are stated here from the user's side (what counts as a rest, when a rest is due,
// what the tray shows), not by replaying the cycle's own steps.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "core/cycle.h"

namespace {

using quellin::Phase;
using quellin::Seconds;

// What one tick or one request did, kept small so a week of it stays quick.
struct TickLog final : quellin::CycleOutputs {
  std::string tip;
  int icon = 0;
  int tipCount = 0;
  int iconCount = 0;
  std::array<int, 4> alerts{};
  int alertCount = 0;
  int status = 0;
  int statusCount = 0;
  int colorUpdates = 0;
  int lockUpdates = 0;
  int pendingPlays = 0;
  int slot = 0;       // the pending slot, as the alert player keeps it
  int slotPlayed = 0;  // what the slot played this tick

  void Reset() {
    tipCount = iconCount = alertCount = statusCount = colorUpdates = lockUpdates = pendingPlays = 0;
    slotPlayed = 0;
  }
  void SetTrayTip(const std::string& text) override {
    tip = text;
    ++tipCount;
  }
  void SetTrayIcon(int iconId, bool force) override {
    EXPECT_TRUE(force);
    icon = iconId;
    ++iconCount;
  }
  void PlayAlert(int alertId) override {
    if (alertCount < static_cast<int>(alerts.size())) alerts[static_cast<std::size_t>(alertCount)] = alertId;
    ++alertCount;
  }
  void SetPendingAlert(int alertId) override { slot = alertId; }
  void SetStatusImage(int iconId) override {
    status = iconId;
    ++statusCount;
  }
  void UpdateRestColors(bool force) override {
    EXPECT_FALSE(force);
    ++colorUpdates;
  }
  void UpdateSettingsLock() override { ++lockUpdates; }
  void PlayPendingAlert() override {
    ++pendingPlays;
    slotPlayed = slot;
    slot = 0;
  }
};

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// The tray of a phase: the pictures and the tooltip that belong to it.
void ExpectTrayShows(Phase phase, Seconds now, const TickLog& log) {
  ASSERT_EQ(log.iconCount, 1);
  ASSERT_EQ(log.tipCount, 1);
  const bool odd = now % 2 != 0;
  switch (phase) {
    case Phase::Green:
      EXPECT_TRUE(log.icon == 130 || (log.icon >= 138 && log.icon <= 142)) << log.icon;
      EXPECT_TRUE(StartsWith(log.tip, "Rest in about ")) << log.tip;
      break;
    case Phase::Amber:
      EXPECT_EQ(log.icon, odd ? 147 : 132);
      EXPECT_EQ(log.tip, "Rest in < 1 min.");
      break;
    case Phase::Red:
      if (odd) {
        EXPECT_EQ(log.icon, 132);
      } else {
        EXPECT_TRUE(log.icon == 131 || (log.icon >= 133 && log.icon <= 137)) << log.icon;
      }
      EXPECT_TRUE(StartsWith(log.tip, "Quellin!  for ")) << log.tip;
      EXPECT_FALSE(StartsWith(log.tip, "Quellin!  for 0 ")) << log.tip;
      EXPECT_FALSE(StartsWith(log.tip, "Quellin!  for -")) << log.tip;
      break;
  }
}

int StatusFor(Phase phase) {
  switch (phase) {
    case Phase::Green:
      return 145;
    case Phase::Amber:
      return 144;
    case Phase::Red:
      return 143;
  }
  return 0;
}

int SoundFor(Phase phase) { return phase == Phase::Amber ? 57350 : phase == Phase::Red ? 57351 : 0; }

TEST(CycleLongRun, AWeekOfRandomUse) {
  std::mt19937 random(20261209);
  auto chance = [&random](int oneIn) { return std::uniform_int_distribution<int>(1, oneIn)(random) == 1; };
  auto between = [&random](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };

  quellin::Settings settings;
  const quellin::BuiltinTexts texts;
  TickLog log;
  Seconds now = 1'000'000;
  quellin::Cycle cycle(now);

  // What the user did, as the test saw it.
  Seconds lastActiveTick = now;
  bool extensionHeld = false;
  int activeTicksInRed = 0;
  bool working = true;
  std::array<int, 9> transitions{};  // from * 3 + to

  constexpr int kTicks = 7 * 24 * 3600;
  for (int tick = 0; tick < kTicks; ++tick) {
    // The world between two ticks.
    if (chance(working ? 3000 : 500)) working = !working;
    if (chance(20000)) now += between(1, 7200);  // suspended
    if (chance(50000)) now -= between(1, 3600);  // clock set back
    ++now;
    if (chance(100000)) {
      settings.WorkPeriod = static_cast<std::uint32_t>(between(2, 240));
      settings.RestPeriod = static_cast<std::uint32_t>(between(1, 60));
    }
    const bool active = working && !chance(4);
    const Seconds restSeconds = settings.RestPeriod * 60;

    const Phase before = cycle.phase();
    const Seconds workStartBefore = cycle.state().WorkStartTime;
    log.Reset();
    cycle.Tick(now, active, settings, texts, log);
    const Phase after = cycle.phase();
    const auto& state = cycle.state();
    SCOPED_TRACE(testing::Message() << "tick " << tick << ", second " << now);

    // A rest is taken only when a whole rest period has passed without activity.
    if (active) lastActiveTick = now;
    const bool restTaken = now - lastActiveTick >= restSeconds;
    ASSERT_EQ(state.LastActivityTime, lastActiveTick);
    if (restTaken) {
      ASSERT_EQ(state.WorkStartTime, now);
      extensionHeld = false;
    } else {
      ASSERT_EQ(state.WorkStartTime, workStartBefore);
    }
    ASSERT_EQ(state.ExtensionMinutes, extensionHeld ? 5 : 0);

    // A rest is due once the work period, with any extension, has run out; its last
    // minute warns.
    const Seconds worked = now - state.WorkStartTime;
    const Seconds allowed = (settings.WorkPeriod + (extensionHeld ? 5 : 0)) * 60;
    const Phase expected = worked >= allowed ? Phase::Red : worked >= allowed - 60 ? Phase::Amber : Phase::Green;
    ASSERT_EQ(after, expected);

    // The tray lags one tick behind the decision.
    ExpectTrayShows(before, now, log);

    // Red alerts: one per active tick while a rest was already due, louder from the 30th.
    int expectedAlerts = 0;
    if (after != Phase::Red) activeTicksInRed = 0;
    if (before == Phase::Red && active) {
      ++activeTicksInRed;
      ASSERT_GE(log.alertCount, 1);
      EXPECT_EQ(log.alerts[0], activeTicksInRed < 30 ? 57352 : 57353);
      ++expectedAlerts;
    }
    if (before == Phase::Red && after == Phase::Green) {
      ASSERT_EQ(log.alertCount, expectedAlerts + 1);
      EXPECT_EQ(log.alerts[static_cast<std::size_t>(expectedAlerts)], 57354);
      ++expectedAlerts;
    }
    ASSERT_EQ(log.alertCount, expectedAlerts);

    // A change is announced once: status picture, slot, colours and lock.
    if (before != after) {
      transitions[static_cast<std::size_t>(static_cast<int>(before) * 3 + static_cast<int>(after))]++;
      EXPECT_EQ(log.statusCount, 1);
      EXPECT_EQ(log.status, StatusFor(after));
      EXPECT_EQ(log.colorUpdates, 1);
      EXPECT_EQ(log.lockUpdates, 1);
      if (!active) {
        EXPECT_EQ(log.slot, SoundFor(after));
      }
    } else {
      EXPECT_EQ(log.statusCount + log.colorUpdates + log.lockUpdates, 0);
    }
    EXPECT_EQ(log.pendingPlays, active ? 1 : 0);
    if (active && before != after) {
      EXPECT_EQ(log.slotPlayed, SoundFor(after));
    }

    // Users ask for more time mostly when warned or told to stop.
    if (chance(after == Phase::Green ? 3000 : 150)) {
      log.Reset();
      cycle.RequestExtension(log);
      ASSERT_EQ(log.alertCount, 1);
      EXPECT_EQ(log.alerts[0], extensionHeld ? 57360 : 57359);
      extensionHeld = true;
    }
  }

  // The run must have gone through every kind of change, or it proved little.
  for (int from = 0; from < 3; ++from) {
    for (int to = 0; to < 3; ++to) {
      if (from != to) {
        EXPECT_GT(transitions[static_cast<std::size_t>(from * 3 + to)], 0) << from << " to " << to;
      }
    }
  }
}

}  // namespace
