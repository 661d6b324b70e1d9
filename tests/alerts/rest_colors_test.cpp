#include "alerts/rest_colors.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/alerts/fakes.h"

namespace {

using quellin::Phase;
using quellin::RestColorScheme;
using quellin::testing::FakeSystemColors;
using Colors = std::vector<std::uint32_t>;

constexpr std::uint32_t kBorder = 0x00C0C0C0;
constexpr std::uint32_t kCaption = 0x00800000;
constexpr std::uint32_t kInactive = 0x00808080;
const Colors kUserColors = {kBorder, kCaption, kInactive};

struct Scheme {
  FakeSystemColors platform;
  RestColorScheme scheme{platform};
  quellin::Settings settings;

  Scheme() {
    platform.current = {{10, kBorder}, {2, kCaption}, {3, kInactive}};
    scheme.CaptureSystemColors();
  }
  Colors Showing() { return {platform.current[10], platform.current[2], platform.current[3]}; }
  // The platform's notification after each SetSysColors, as the window receives it.
  void Notify() { scheme.OnSysColorChange(settings, phase); }
  Phase phase = Phase::Green;
};

TEST(RestColorsFor, HalvesEachChannelOfTheInactiveCaption) {
  const struct {
    std::uint32_t base;
    std::array<std::uint32_t, 3> expected;
  } cases[] = {
      {0x000000FF, {0x000000FF, 0x000000FF, 0x0000007F}},
      {0x00FF0301, {0x00FF0301, 0x00FF0301, 0x007F0100}},
      {0xAB0000FF, {0xAB0000FF, 0xAB0000FF, 0x0000007F}},
      {0x00FFFFFF, {0x00FFFFFF, 0x00FFFFFF, 0x007F7F7F}},
      {0x00000000, {0x00000000, 0x00000000, 0x00000000}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.base);
    EXPECT_EQ(quellin::RestColorsFor(c.base), c.expected);
  }
}

TEST(RestColorScheme, CapturesAndSetsTheThreeElementsInTableOrder) {
  Scheme s;
  EXPECT_EQ(s.scheme.savedColors(), (std::array<std::uint32_t, 3>{kBorder, kCaption, kInactive}));
  s.scheme.ApplyRestColors(false, 255);
  EXPECT_EQ(s.platform.lastElements, (std::vector<int>{10, 2, 3}));
  EXPECT_EQ(s.Showing(), (Colors{255, 255, 127}));
}

TEST(RestColorScheme, UpdateFollowsUseColorsPhaseAndForce) {
  const struct {
    const char* what;
    bool useColors;
    bool appliedBefore;
    Phase phase;
    bool force;
    std::vector<Colors> sets;
  } cases[] = {
      {"red, nothing applied", true, false, Phase::Red, false, {{255, 255, 127}}},
      {"red, applied already", true, true, Phase::Red, false, {}},
      {"red, applied already, forced", true, true, Phase::Red, true, {{255, 255, 127}}},
      {"green, applied", true, true, Phase::Green, false, {kUserColors}},
      {"amber, applied", true, true, Phase::Amber, false, {kUserColors}},
      {"green, nothing applied", true, false, Phase::Green, false, {}},
      {"green, nothing applied, forced", true, false, Phase::Green, true, {kUserColors}},
      {"off, applied", false, true, Phase::Red, false, {kUserColors}},
      {"off, nothing applied", false, false, Phase::Red, false, {}},
      {"off, nothing applied, forced", false, false, Phase::Red, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Scheme s;
    if (c.appliedBefore) s.scheme.ApplyRestColors(false, 255);
    s.platform.sets.clear();
    s.settings.UseColors = c.useColors;
    s.scheme.UpdateRestColors(c.force, s.settings, c.phase);
    EXPECT_EQ(s.platform.sets, c.sets);
    EXPECT_EQ(s.scheme.restColorsApplied(), c.useColors && c.phase == Phase::Red);
  }
}

TEST(RestColorScheme, ItsOwnChangeIsNotTakenForTheUsers) {
  Scheme s;
  s.phase = Phase::Red;
  s.scheme.UpdateRestColors(false, s.settings, s.phase);
  EXPECT_TRUE(s.scheme.ownChangePending());
  s.Notify();  // our own
  EXPECT_FALSE(s.scheme.ownChangePending());
  EXPECT_EQ(s.scheme.savedColors()[0], kBorder);

  s.phase = Phase::Green;
  s.scheme.UpdateRestColors(false, s.settings, s.phase);
  s.Notify();
  EXPECT_EQ(s.Showing(), kUserColors);
  EXPECT_EQ(s.platform.sets.size(), 2u);
}

TEST(RestColorScheme, AUserSchemeChangeDuringARestBecomesTheSavedOne) {
  Scheme s;
  s.phase = Phase::Red;
  s.scheme.UpdateRestColors(false, s.settings, s.phase);
  s.Notify();

  // The user picks a new scheme in the control panel.
  s.platform.current = {{10, 0x00111111}, {2, 0x00222222}, {3, 0x00333333}};
  s.Notify();
  EXPECT_EQ(s.scheme.savedColors(), (std::array<std::uint32_t, 3>{0x00111111, 0x00222222, 0x00333333}));
  EXPECT_EQ(s.Showing(), (Colors{255, 255, 127}));
  s.Notify();  // the re-application's own notification

  s.phase = Phase::Green;
  s.scheme.UpdateRestColors(false, s.settings, s.phase);
  EXPECT_EQ(s.Showing(), (Colors{0x00111111, 0x00222222, 0x00333333}));
}

TEST(RestColorScheme, AnotherProgramChangingOtherElementsKeepsTheUsersColoursSaved) {
  Scheme s;
  s.phase = Phase::Red;
  s.scheme.UpdateRestColors(false, s.settings, s.phase);
  s.Notify();
  s.Notify();  // someone else changed other elements only
  EXPECT_EQ(s.scheme.savedColors(), (std::array<std::uint32_t, 3>{kBorder, kCaption, kInactive}));
  s.Notify();  // the re-application's own notification

  // One element changed by someone else during the rest is theirs; the others stay the user's.
  s.platform.current[3] = 0x00444444;
  s.Notify();
  EXPECT_EQ(s.scheme.savedColors(), (std::array<std::uint32_t, 3>{kBorder, kCaption, 0x00444444}));
  EXPECT_EQ(s.Showing(), (Colors{255, 255, 127}));
  s.Notify();

  s.phase = Phase::Green;
  s.scheme.UpdateRestColors(false, s.settings, s.phase);
  EXPECT_EQ(s.Showing(), (Colors{kBorder, kCaption, 0x00444444}));
}

TEST(RestColorScheme, ANewColourDuringARestIsAppliedAtOnceWhenForced) {
  Scheme s;
  s.phase = Phase::Red;
  s.scheme.UpdateRestColors(false, s.settings, s.phase);
  s.Notify();
  s.settings.RestColor = 0x00FF0000;
  s.scheme.UpdateRestColors(true, s.settings, s.phase);
  EXPECT_EQ(s.Showing(), (Colors{0x00FF0000, 0x00FF0000, 0x007F0000}));

  s.settings.UseColors = false;
  s.scheme.UpdateRestColors(false, s.settings, s.phase);
  EXPECT_EQ(s.Showing(), kUserColors);
}

TEST(RestColorScheme, ForcedRestoreAtExitWritesTheSavedColoursEvenIfNothingWasApplied) {
  Scheme s;
  s.platform.current[2] = 0x00ABCDEF;  // not yet noticed
  s.scheme.RestoreSystemColors(true);
  EXPECT_EQ(s.Showing(), kUserColors);
}

}  // namespace
