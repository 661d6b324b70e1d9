#include "shell/settings_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "resources/resource_ids.h"
#include "shell/quellin_app.h"
#include "tests/shell/recording_platform.h"

namespace quellin::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr Seconds kStart = 1'000'000;
const std::string kWorkMessage = "msgbox Please enter a work period between 2 and 240 minutes.";
const std::string kRestMessage = "msgbox Please enter a rest period between 1 and 60 minutes.";

TEST(ReadPeriodText, ReadsAsAtoiWouldAndSaturatesBeyond32Bits) {
  struct Case {
    const char* text;
    std::uint32_t value;
  };
  const Case cases[] = {
      {"45", 45},
      {" 45", 45},
      {"\t\n 45", 45},
      {"45abc", 45},
      {"+45", 45},
      {"-5", 0xFFFFFFFBu},
      {"", 0},
      {"abc", 0},
      {"- 5", 0},
      {"0045", 45},
      {"2147483647", 0x7FFFFFFFu},
      {"-2147483648", 0x80000000u},
      {"2147483648", 0x7FFFFFFFu},
      {"99999999999", 0x7FFFFFFFu},
      // Wrapping would make these 2 and 45: an accepted period out of nonsense.
      {"-4294967294", 0x80000000u},
      {"4294967341", 0x7FFFFFFFu},
      {"999999999999999999999999999999", 0x7FFFFFFFu},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("text '") + c.text + "'");
    EXPECT_EQ(ReadPeriodText(c.text), c.value);
  }
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  // Settings in the store before the start; the window's controls filled from them.
  void Start(std::uint32_t work = 30, std::uint32_t rest = 5, bool disableChanges = false) {
    fakes.store.memory.SetDword("WorkPeriod", work);
    fakes.store.memory.SetDword("RestPeriod", rest);
    fakes.store.memory.SetDword("DisableChanges", disableChanges ? 1 : 0);
    fakes.store.memory.SetDword("UseColors", 1);
    fakes.colors.current = {{10, 100}, {2, 200}, {3, 300}};
    app = std::make_unique<QuellinApp>(fakes.platform, kStart, true);
    app->OnInitDialog();
    fakes.Take();
  }
  void Type(const std::string& work, const std::string& rest) {
    fakes.dialog.text[IDC_WORK_PERIOD] = work;
    fakes.dialog.text[IDC_REST_PERIOD] = rest;
  }
  // Ticks from the start up to `end`, the user idle: with WorkPeriod 2 the phase is Amber
  // from 60 s and Red from 120 s.
  void RunUntil(Seconds end) {
    for (Seconds t = kStart + 1; t <= kStart + end; ++t) app->Tick(t, false);
    fakes.Take();
  }

  RecordingPlatform fakes;
  std::unique_ptr<QuellinApp> app;
};

TEST_F(SettingsDialogTest, PeriodTextsOutOfRangeShowOneMessageAndChangeNothing) {
  struct Case {
    const char* work;
    const char* rest;
    const std::string* message;  // null: accepted
    std::uint32_t workAfter;
    std::uint32_t restAfter;
  };
  const Case cases[] = {
      {"2", "1", nullptr, 2, 1},
      {"240", "60", nullptr, 240, 60},
      {" 45", "45abc", nullptr, 45, 45},
      {"1", "5", &kWorkMessage, 30, 5},
      {"241", "5", &kWorkMessage, 30, 5},
      {"0", "5", &kWorkMessage, 30, 5},
      {"-5", "5", &kWorkMessage, 30, 5},
      {"", "5", &kWorkMessage, 30, 5},
      {"99999999999", "5", &kWorkMessage, 30, 5},
      {"-4294967294", "5", &kWorkMessage, 30, 5},
      {"30", "0", &kRestMessage, 30, 5},
      {"30", "61", &kRestMessage, 30, 5},
      {"30", "", &kRestMessage, 30, 5},
      {"30", "-4294967295", &kRestMessage, 30, 5},
      {"0", "0", &kWorkMessage, 30, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("work '") + c.work + "', rest '" + c.rest + "'");
    Start();
    Type(c.work, c.rest);
    app->OnOK();
    const Log log = fakes.Take();
    if (c.message != nullptr) {
      EXPECT_THAT(log, ElementsAre(*c.message));
    } else {
      ASSERT_FALSE(log.empty());
      EXPECT_EQ(log.back(), "show 0");
    }
    EXPECT_EQ(app->settings().WorkPeriod, c.workAfter);
    EXPECT_EQ(app->settings().RestPeriod, c.restAfter);
  }
}

TEST_F(SettingsDialogTest, AcceptedOkStoresAppliesResendsLocksAndHidesInThatOrder) {
  Start();
  Type("45", "10");
  fakes.dialog.Click(IDC_SOUNDS_RADIO, true);
  fakes.dialog.Click(IDC_BEEP_RADIO, false);
  fakes.dialog.Click(IDC_DISABLE_CHANGES, true);
  fakes.dialog.Click(IDC_COLOR_CHECK, false);
  app->OnOK();
  EXPECT_THAT(fakes.Take(),
              ElementsAre("store open", "store write RestPeriod 10", "store write WorkPeriod 45",
                          "store write DisableChanges 1", "store write UseSounds 1", "store write UseColors 0",
                          "store write RestColor 255", "store close", "tray modify 130", "show 0"));
  const Settings& s = app->settings();
  EXPECT_EQ(s.WorkPeriod, 45u);
  EXPECT_EQ(s.RestPeriod, 10u);
  EXPECT_TRUE(s.UseSounds);
  EXPECT_TRUE(s.DisableChanges);
  EXPECT_FALSE(s.UseColors);
}

TEST_F(SettingsDialogTest, OkDuringARestWithColoursTurnedOffPutsTheUserColoursBackBeforeTheTray) {
  Start(2, 5);
  RunUntil(121);
  ASSERT_EQ(app->phase(), Phase::Red);
  Type("2", "5");
  fakes.dialog.Click(IDC_COLOR_CHECK, false);
  app->OnOK();
  const Log log = fakes.Take();
  const auto colors = std::find(log.begin(), log.end(), "setcolors 10=100 2=200 3=300");
  const auto tray = std::find_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("tray ", 0) == 0; });
  ASSERT_NE(colors, log.end());
  ASSERT_NE(tray, log.end());
  EXPECT_LT(colors, tray);
  EXPECT_EQ(*tray, "tray modify 132");
}

TEST_F(SettingsDialogTest, LockGreysOutThePeriodControlsNearAndDuringARestOnlyWithDisableChanges) {
  const Log disabled = {"enable 1003 0", "enable 1004 0", "enable 1001 0", "enable 1002 0", "enable 1035 0"};
  const Log enabled = {"enable 1003 1", "enable 1004 1", "enable 1001 1", "enable 1002 1", "enable 1035 1"};
  auto locks = [](const Log& log) {
    Log result;
    for (const std::string& line : log) {
      if (line.rfind("enable ", 0) == 0) result.push_back(line);
    }
    return result;
  };

  Start(2, 1, true);
  for (Seconds t = kStart + 1; t <= kStart + 300; ++t) {
    SCOPED_TRACE("t=" + std::to_string(t - kStart));
    app->Tick(t, t - kStart <= 130);
    const Log log = locks(fakes.Take());
    if (t - kStart == 60) {
      EXPECT_EQ(log, disabled);  // Amber
    } else if (t - kStart == 190) {
      EXPECT_EQ(log, enabled);  // a full minute without activity after the last at 130
    } else {
      EXPECT_THAT(log, IsEmpty());  // Amber to Red keeps the lock: no call at all
    }
  }
}

TEST_F(SettingsDialogTest, DisableChangesTurnedOnDuringARestLocksAtOnce) {
  Start(2, 5, false);
  RunUntil(121);
  Type("2", "5");
  fakes.dialog.Click(IDC_DISABLE_CHANGES, true);
  app->OnOK();
  Log log = fakes.Take();
  EXPECT_THAT(std::vector<std::string>(log.end() - 6, log.end()),
              ElementsAre("enable 1003 0", "enable 1004 0", "enable 1001 0", "enable 1002 0", "enable 1035 0",
                          "show 0"));
  // The box itself is greyed out now: a further OK leaves the lock as it is.
  Type("2", "5");
  app->OnOK();
  log = fakes.Take();
  EXPECT_TRUE(std::none_of(log.begin(), log.end(), [](const std::string& l) { return l.rfind("enable", 0) == 0; }));
  EXPECT_TRUE(app->settings().DisableChanges);
}

TEST_F(SettingsDialogTest, LockedOkStoresThePeriodsTheControlsStillShow) {
  Start(2, 5, true);
  RunUntil(121);
  app->OnOK();  // the controls hold what the initialisation put in them
  EXPECT_EQ(app->settings().WorkPeriod, 2u);
  EXPECT_EQ(app->settings().RestPeriod, 5u);
  EXPECT_EQ(fakes.store.memory.writes.size(), 6u);
}

TEST_F(SettingsDialogTest, ColourPickedDuringARestShowsAtOnceCancelStillForcesTheScheme) {
  Start(2, 5);
  RunUntil(121);
  fakes.dialog.picked = 0x00204080u;
  app->OnColorButton();
  EXPECT_THAT(fakes.Take(), ElementsAre("choosecolor 255", "invalidate swatch",
                                        "setcolors 10=" + std::to_string(0x00204080u) + " 2=" +
                                            std::to_string(0x00204080u) + " 3=" + std::to_string(0x00102040u)));
  EXPECT_EQ(app->settings().RestColor, 0x00204080u);

  fakes.dialog.picked.reset();
  app->OnColorButton();
  EXPECT_THAT(fakes.Take(), ElementsAre("choosecolor " + std::to_string(0x00204080u),
                                        "setcolors 10=" + std::to_string(0x00204080u) + " 2=" +
                                            std::to_string(0x00204080u) + " 3=" + std::to_string(0x00102040u)));
  EXPECT_EQ(app->settings().RestColor, 0x00204080u);
}

TEST_F(SettingsDialogTest, ColourPickedWhileWorkingPutsTheUserColoursBackWithForce) {
  Start();
  fakes.dialog.picked = 0x0000ff00u;
  app->OnColorButton();
  EXPECT_THAT(fakes.Take(),
              ElementsAre("choosecolor 255", "invalidate swatch", "setcolors 10=100 2=200 3=300"));
  // Held in memory only until the next OK.
  EXPECT_TRUE(fakes.store.memory.writes.empty());
}

}  // namespace
}  // namespace quellin::testing
