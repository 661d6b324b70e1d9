#include "core/cycle.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/fakes/recording_outputs.h"

namespace {

using quellin::Phase;
using quellin::Seconds;
using quellin::testing::RecordingOutputs;
using Effects = std::vector<std::string>;

std::string WorkTip(int minutes) { return "tip Rest in about " + std::to_string(minutes) + " min."; }
const std::string kSoonTip = "tip Rest in < 1 min.";
std::string RestTip(int minutes) { return "tip Quellin!  for " + std::to_string(minutes) + " min.  rest"; }

// A cycle started at second 0 with the default settings (work 30, rest 5), driven second
// by second.
struct Harness {
  quellin::Settings settings;
  quellin::BuiltinTexts texts;
  RecordingOutputs out;
  quellin::Cycle cycle{0};

  void TickAt(Seconds t, bool active) {
    out.now = t;
    cycle.Tick(t, active, settings, texts, out);
  }
  void Run(Seconds from, Seconds to, bool active) {
    for (Seconds t = from; t <= to; ++t) TickAt(t, active);
  }
  void ExtendAt(Seconds t) {
    out.now = t;
    cycle.RequestExtension(out);
  }
};

struct Row {
  Seconds at;
  Effects effects;
};

void ExpectTimeline(const Harness& h, const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "second " << row.at);
    EXPECT_EQ(h.out.At(row.at), row.effects);
  }
}

TEST(CycleTimeline, TypingSteadilyThroughAWorkPeriodAndThenResting) {
  Harness h;
  h.Run(1, 1900, true);  // the user stops after second 1900
  h.Run(1901, 2201, false);
  ExpectTimeline(h, {
      {1, {WorkTip(30), "icon 130", "play pending 0"}},
      {1499, {WorkTip(5), "icon 130", "play pending 0"}},
      {1500, {WorkTip(5), "icon 142", "play pending 0"}},
      {1739, {WorkTip(1), "icon 139", "play pending 0"}},
      {1740, {WorkTip(1), "icon 138", "status 144", "pending 57350", "colors", "lock", "play pending 57350"}},
      {1741, {kSoonTip, "icon 147", "play pending 0"}},
      {1742, {kSoonTip, "icon 132", "play pending 0"}},
      {1799, {kSoonTip, "icon 147", "play pending 0"}},
      {1800, {kSoonTip, "icon 132", "status 143", "pending 57351", "colors", "lock", "play pending 57351"}},
      {1801, {RestTip(5), "icon 132", "alert 57352", "play pending 0"}},
      {1802, {RestTip(5), "icon 137", "alert 57352", "play pending 0"}},
      {1829, {RestTip(5), "icon 132", "alert 57352", "play pending 0"}},
      {1830, {RestTip(5), "icon 137", "alert 57353", "play pending 0"}},
      {1900, {RestTip(5), "icon 137", "alert 57353", "play pending 0"}},
      {1901, {RestTip(4), "icon 132"}},
      {1902, {RestTip(4), "icon 137"}},
      {1960, {RestTip(4), "icon 136"}},
      {2140, {RestTip(1), "icon 133"}},
      {2141, {RestTip(1), "icon 132"}},
      {2199, {RestTip(1), "icon 132"}},
      {2200, {RestTip(1), "icon 133", "status 145", "pending 0", "alert 57354", "colors", "lock"}},
      {2201, {WorkTip(30), "icon 130"}},
  });
  EXPECT_EQ(h.cycle.phase(), Phase::Green);
  EXPECT_EQ(h.cycle.state().WorkStartTime, 2201);
}

struct TransitionCase {
  const char* name;
  std::function<void(Harness&)> before;
  Seconds at;
  bool active;
  Effects effects;
  Phase after;
};

TEST(CycleTransitions, EveryRowOfTheTable) {
  const TransitionCase cases[] = {
      {"green to amber", [](Harness& h) { h.Run(1, 1739, true); }, 1740, false,
       {WorkTip(1), "icon 138", "status 144", "pending 57350", "colors", "lock"}, Phase::Amber},
      // (120 - 200 + 30) / 60 truncates to 0, not to -1.
      {"green to red, work period shortened",
       [](Harness& h) {
         h.Run(1, 199, true);
         h.settings.WorkPeriod = 2;
       },
       200, true,
       {WorkTip(0), "icon 138", "status 143", "pending 57351", "colors", "lock", "play pending 57351"}, Phase::Red},
      // A suspend of four minutes counts as work; (-140 + 30) / 60 truncates to -1.
      {"green to red, suspended shorter than the rest", [](Harness& h) { h.Run(1, 1700, true); }, 1940, false,
       {WorkTip(-1), "icon 138", "status 143", "pending 57351", "colors", "lock"}, Phase::Red},
      {"amber to red", [](Harness& h) { h.Run(1, 1799, true); }, 1800, false,
       {kSoonTip, "icon 132", "status 143", "pending 57351", "colors", "lock"}, Phase::Red},
      {"amber to green, full rest",
       [](Harness& h) {
         h.Run(1, 1500, true);
         h.Run(1501, 1799, false);
       },
       1800, false, {kSoonTip, "icon 132", "status 145", "pending 0", "colors", "lock"}, Phase::Green},
      {"amber to green, extension",
       [](Harness& h) {
         h.Run(1, 1750, true);
         h.ExtendAt(1750);
       },
       1751, true, {kSoonTip, "icon 147", "status 145", "pending 0", "colors", "lock", "play pending 0"},
       Phase::Green},
      {"amber to green, longer work period",
       [](Harness& h) {
         h.Run(1, 1750, true);
         h.settings.WorkPeriod = 40;
       },
       1751, true, {kSoonTip, "icon 147", "status 145", "pending 0", "colors", "lock", "play pending 0"},
       Phase::Green},
      {"red to green, full rest",
       [](Harness& h) {
         h.Run(1, 1900, true);
         h.Run(1901, 2199, false);
       },
       2200, false, {RestTip(1), "icon 133", "status 145", "pending 0", "alert 57354", "colors", "lock"},
       Phase::Green},
      // The red alert of the presentation comes before the change's own sound.
      {"red to green, extension",
       [](Harness& h) {
         h.Run(1, 1810, true);
         h.ExtendAt(1810);
       },
       1811, true,
       {RestTip(5), "icon 132", "alert 57352", "status 145", "pending 0", "alert 57354", "colors", "lock",
        "play pending 0"},
       Phase::Green},
      {"red to green, longer work period",
       [](Harness& h) {
         h.Run(1, 1810, true);
         h.settings.WorkPeriod = 60;
       },
       1811, true,
       {RestTip(5), "icon 132", "alert 57352", "status 145", "pending 0", "alert 57354", "colors", "lock",
        "play pending 0"},
       Phase::Green},
      // Computing amber clears the count before the tick's red alert: a minor one again.
      {"red to amber, extension leaves less than a minute",
       [](Harness& h) {
         h.Run(1, 2050, true);
         h.ExtendAt(2050);
       },
       2051, true,
       {RestTip(5), "icon 132", "alert 57352", "status 144", "pending 57350", "colors", "lock",
        "play pending 57350"},
       Phase::Amber},
      {"red stays red, extension five minutes late",
       [](Harness& h) {
         h.Run(1, 2100, true);
         h.ExtendAt(2100);
       },
       2101, true, {RestTip(5), "icon 132", "alert 57353", "play pending 0"}, Phase::Red},
  };
  for (const TransitionCase& c : cases) {
    SCOPED_TRACE(c.name);
    Harness h;
    c.before(h);
    h.out.Clear();
    h.TickAt(c.at, c.active);
    EXPECT_EQ(h.out.At(c.at), c.effects);
    EXPECT_EQ(h.cycle.phase(), c.after);
  }
}

TEST(CycleRounding, TooltipRoundsToNearestWhileTheGreenIconRoundsUp) {
  const struct {
    Seconds workLeft;
    int tipMinutes;
    int icon;
  } cases[] = {{301, 5, 130}, {300, 5, 142}, {241, 4, 142}, {240, 4, 141}, {181, 3, 141},
               {121, 2, 140}, {120, 2, 139}, {90, 2, 139},  {89, 1, 139},  {61, 1, 139}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.workLeft << " s of work left");
    Harness h;
    const Seconds now = 1800 - c.workLeft;
    h.Run(1, now, true);
    EXPECT_EQ(h.out.At(now), (Effects{WorkTip(c.tipMinutes), "icon " + std::to_string(c.icon), "play pending 0"}));
  }
}

TEST(CycleRounding, RestTooltipRoundsDownWhileTheRedIconRoundsUp) {
  const struct {
    Seconds restLeft;
    int tipMinutes;
    int icon;
  } cases[] = {{299, 4, 137}, {298, 4, 137}, {241, 4, 137}, {240, 4, 136}, {181, 3, 136}, {180, 3, 135}, {179, 2, 135},
               {121, 2, 135}, {120, 2, 134}, {119, 1, 134}, {61, 1, 134},  {60, 1, 133},  {1, 1, 133}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.restLeft << " s of rest left");
    Harness h;
    // The digit shows on even seconds only: pick the last active second to make `now` even.
    const Seconds lastActive = (1900 + 300 - c.restLeft) % 2 == 0 ? 1900 : 1901;
    const Seconds now = lastActive + 300 - c.restLeft;
    h.Run(1, lastActive, true);
    h.Run(lastActive + 1, now, false);
    EXPECT_EQ(h.out.At(now), (Effects{RestTip(c.tipMinutes), "icon " + std::to_string(c.icon)}));
  }
}

TEST(CycleSettings, WorkPeriodOfTwoMinutes) {
  Harness h;
  h.settings.WorkPeriod = 2;
  for (Seconds t = 1; t <= 130; ++t) {
    SCOPED_TRACE(testing::Message() << "second " << t);
    h.TickAt(t, true);
    EXPECT_EQ(h.cycle.phase(), t < 60 ? Phase::Green : t < 120 ? Phase::Amber : Phase::Red);
  }
}

TEST(CycleSettings, RestPeriodOfOneMinuteAlwaysShowsOne) {
  Harness h;
  h.settings.WorkPeriod = 2;
  h.settings.RestPeriod = 1;
  h.Run(1, 200, true);
  h.Run(201, 259, false);
  for (Seconds t = 121; t <= 259; ++t) {
    SCOPED_TRACE(testing::Message() << "second " << t);
    const Effects effects = h.out.At(t);
    ASSERT_GE(effects.size(), 2u);
    EXPECT_EQ(effects[0], RestTip(1));
    EXPECT_EQ(effects[1], t % 2 == 0 ? "icon 133" : "icon 132");
  }
  h.TickAt(260, false);
  EXPECT_EQ(h.cycle.phase(), Phase::Green);
}

TEST(CycleSettings, RestPeriodOfTenMinutesShowsNoDigitUntilFiveMinutesAreLeft) {
  Harness h;
  h.settings.WorkPeriod = 2;
  h.settings.RestPeriod = 10;
  h.Run(1, 130, true);
  h.Run(131, 730, false);
  ExpectTimeline(h, {
      {132, {RestTip(9), "icon 131"}},
      {428, {RestTip(5), "icon 131"}},  // 302 s left
      {430, {RestTip(5), "icon 137"}},  // 300 s left
      {730, {RestTip(1), "icon 133", "status 145", "pending 0", "alert 57354", "colors", "lock"}},
  });
}

TEST(CycleSettings, NewPeriodsTakeEffectAtTheNextTickWithoutTouchingTheTimeStamps) {
  Harness h;
  h.Run(1, 300, true);
  h.settings.WorkPeriod = 5;  // 300 s: the work period is over
  h.TickAt(301, true);
  EXPECT_EQ(h.cycle.phase(), Phase::Red);
  EXPECT_EQ(h.cycle.state().WorkStartTime, 0);
  h.settings.WorkPeriod = 30;
  h.TickAt(302, true);
  EXPECT_EQ(h.cycle.phase(), Phase::Green);
  EXPECT_EQ(h.out.At(302).at(3), "status 145");
}

TEST(CycleRest, OnlyAWholeIdleRestPeriodCounts) {
  {
    SCOPED_TRACE("a pause one second short");
    Harness h;
    h.Run(1, 100, true);
    h.Run(101, 399, false);
    h.TickAt(400, true);
    EXPECT_EQ(h.cycle.state().WorkStartTime, 0);
  }
  {
    SCOPED_TRACE("exactly the rest period, idle at that tick");
    Harness h;
    h.Run(1, 100, true);
    h.Run(101, 400, false);
    EXPECT_EQ(h.cycle.state().WorkStartTime, 400);
  }
  {
    SCOPED_TRACE("coming back exactly at that tick");
    Harness h;
    h.Run(1, 100, true);
    h.Run(101, 399, false);
    h.TickAt(400, true);
    h.Run(401, 699, false);
    h.TickAt(700, true);
    EXPECT_EQ(h.cycle.state().WorkStartTime, 0);
  }
}

TEST(CycleRest, OneKeystrokeDuringTheRestStartsItAgain) {
  Harness h;
  h.Run(1, 1900, true);
  h.Run(1901, 2100, false);
  h.TickAt(2101, true);
  h.TickAt(2102, false);
  ExpectTimeline(h, {
      {2100, {RestTip(1), "icon 134"}},
      {2101, {RestTip(5), "icon 132", "alert 57353", "play pending 0"}},
      {2102, {RestTip(4), "icon 137"}},
  });
  h.Run(2103, 2400, false);
  EXPECT_EQ(h.cycle.phase(), Phase::Red);
  h.TickAt(2401, false);
  EXPECT_EQ(h.cycle.phase(), Phase::Green);
}

TEST(CycleAlerts, AUserAwayWhenAPhaseBeginsHearsItOnReturn) {
  {
    SCOPED_TRACE("back during amber");
    Harness h;
    h.Run(1, 1700, true);
    h.Run(1701, 1760, false);
    h.TickAt(1761, true);
    EXPECT_EQ(h.out.At(1761), (Effects{kSoonTip, "icon 147", "play pending 57350"}));
  }
  {
    SCOPED_TRACE("back during red: the red alert first, then the pending one");
    Harness h;
    h.Run(1, 1700, true);
    h.Run(1701, 1810, false);
    h.TickAt(1811, true);
    EXPECT_EQ(h.out.At(1800), (Effects{kSoonTip, "icon 132", "status 143", "pending 57351", "colors", "lock"}));
    EXPECT_EQ(h.out.At(1811), (Effects{RestTip(5), "icon 132", "alert 57352", "play pending 57351"}));
  }
  {
    SCOPED_TRACE("away until the rest is complete: only the return to work sounds");
    Harness h;
    h.Run(1, 1600, true);
    h.out.Clear();
    h.Run(1601, 2000, false);
    Effects sounds;
    for (const auto& e : h.out.effects) {
      if (e.what.rfind("alert", 0) == 0 || e.what.rfind("play", 0) == 0) sounds.push_back(e.what);
    }
    EXPECT_EQ(sounds, Effects{"alert 57354"});
    EXPECT_EQ(h.out.At(1900).at(2), "status 145");
  }
}

TEST(CycleExtension, OncePerWorkPeriod) {
  Harness h;
  h.Run(1, 10, true);
  h.ExtendAt(10);
  h.ExtendAt(10);
  EXPECT_EQ(h.out.At(10).back(), "alert 57360");
  EXPECT_EQ(h.cycle.state().ExtensionMinutes, 5);
  h.Run(11, 2039, true);
  EXPECT_EQ(h.cycle.phase(), Phase::Green);
  h.TickAt(2040, true);
  EXPECT_EQ(h.cycle.phase(), Phase::Amber);

  h.Run(2041, 2340, false);  // a full rest clears it
  EXPECT_EQ(h.cycle.state().ExtensionMinutes, 0);
  h.ExtendAt(2340);
  EXPECT_EQ(h.out.At(2340).back(), "alert 57359");
}

TEST(CycleExtension, AskedTooLateInRedItIsStillUsedUp) {
  Harness h;
  h.Run(1, 2100, true);
  h.ExtendAt(2100);
  h.Run(2101, 2200, true);
  EXPECT_EQ(h.cycle.phase(), Phase::Red);
  h.ExtendAt(2200);
  EXPECT_EQ(h.out.At(2200).back(), "alert 57360");
}

TEST(CycleClock, JumpsForwardAndBack) {
  {
    SCOPED_TRACE("suspended for an hour during red, idle on waking");
    Harness h;
    h.Run(1, 1850, true);
    h.ExtendAt(1850);
    h.settings.WorkPeriod = 2;  // keep it red despite the extension
    h.TickAt(1851, true);
    h.TickAt(1851 + 3600, false);
    EXPECT_EQ(h.out.At(5451),
              (Effects{RestTip(1), "icon 132", "status 145", "pending 0", "alert 57354", "colors", "lock"}));
    EXPECT_EQ(h.cycle.state().ExtensionMinutes, 0);
    EXPECT_EQ(h.cycle.state().WorkStartTime, 5451);
  }
  {
    SCOPED_TRACE("suspended for an hour during green, woken by a key");
    Harness h;
    h.Run(1, 1000, true);
    h.TickAt(4600, true);
    // (1800 - 4600 + 30) / 60 = -46.17, truncated toward zero.
    EXPECT_EQ(h.out.At(4600), (Effects{WorkTip(-46), "icon 138", "status 143", "pending 57351", "colors", "lock",
                                       "play pending 57351"}));
  }
  {
    SCOPED_TRACE("clock set back during green: the work period lasts longer");
    Harness h;
    h.Run(1, 1000, true);
    h.TickAt(400, true);
    EXPECT_EQ(h.out.At(400).at(0), WorkTip(23));
    h.Run(401, 1739, true);
    EXPECT_EQ(h.cycle.phase(), Phase::Green);
    h.TickAt(1740, true);
    EXPECT_EQ(h.cycle.phase(), Phase::Amber);
  }
  {
    SCOPED_TRACE("clock set back by millennia: the minutes stop at the largest insert");
    Harness h;
    h.TickAt(-(Seconds{1} << 40), true);
    EXPECT_EQ(h.out.At(-(Seconds{1} << 40)).at(0), WorkTip(2147483647));
  }
  {
    SCOPED_TRACE("clock set back during red: the rest needs that much longer");
    Harness h;
    h.Run(1, 2000, true);
    h.out.Clear();
    h.TickAt(1900, false);
    EXPECT_EQ(h.out.At(1900), (Effects{RestTip(6), "icon 131"}));
    h.Run(1901, 2299, false);
    EXPECT_EQ(h.cycle.phase(), Phase::Red);
    h.TickAt(2300, false);
    EXPECT_EQ(h.cycle.phase(), Phase::Green);
  }
}

}  // namespace
