#include "shell/quellin_app.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "resources/resource_ids.h"
#include "shell/tray_icon.h"
#include "tests/shell/recording_platform.h"

namespace quellin::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr Seconds kStart = 5000;

class QuellinAppTest : public ::testing::Test {
 protected:
  void Store(const char* name, std::uint32_t value) { fakes.store.memory.SetDword(name, value); }
  void Construct() {
    fakes.colors.current = {{10, 11}, {2, 22}, {3, 33}};
    app = std::make_unique<QuellinApp>(fakes.platform, kStart, true);
  }
  void Start() {
    Construct();
    app->OnInitDialog();
    fakes.Take();
  }

  RecordingPlatform fakes;
  std::unique_ptr<QuellinApp> app;
};

TEST_F(QuellinAppTest, ConstructionCapturesTheColoursThenLoadsTheSettingsAndTouchesNothingElse) {
  Store("WorkPeriod", 45);
  Construct();
  EXPECT_THAT(fakes.Take(), ElementsAre("getcolor 10", "getcolor 2", "getcolor 3", "store open",
                                        "store read RestPeriod", "store read WorkPeriod", "store read DisableChanges",
                                        "store read UseSounds", "store read UseColors", "store read RestColor",
                                        "store close"));
  EXPECT_EQ(app->settings().WorkPeriod, 45u);
  EXPECT_EQ(app->cycle().WorkStartTime, kStart);
  EXPECT_EQ(app->cycle().LastActivityTime, kStart);
  EXPECT_EQ(app->phase(), Phase::Green);
  EXPECT_EQ(app->shownTrayIcon(), 0);
}

TEST_F(QuellinAppTest, InitialisationFillsTheWindowInOrder) {
  Store("WorkPeriod", 45);
  Store("RestPeriod", 7);
  Store("UseSounds", 1);
  Store("DisableChanges", 1);
  Store("UseColors", 0);
  Construct();
  fakes.Take();
  app->OnInitDialog();
  EXPECT_THAT(fakes.Take(),
              ElementsAre("caption Verrow Quellin!", "bigicon 128", "tray add 130", "status 145", "radio 1028 1029 1029",
                          "check 1035 1", "check 206 0", "int 1001 45", "int 1003 7", "range 1002 2 240",
                          "range 1004 1 60", "tooltips", "controltip 1001 57373", "controltip 1003 57374",
                          "controltip 1028 57375", "controltip 1029 57376", "controltip 206 57377",
                          "controltip 208 57378", "controltip 1035 57380", "controltip 1 57379", "settimer"));
  EXPECT_EQ(app->shownTrayIcon(), IDI_GREEN);
}

TEST_F(QuellinAppTest, CloseKillsTheTimerRemovesTheIconRestoresColoursAndQuits) {
  Start();
  app->OnCancel();
  EXPECT_THAT(fakes.Take(),
              ElementsAre("killtimer 7", "tray delete 0", "setcolors 10=11 2=22 3=33", "destroy", "quit"));
  EXPECT_EQ(app->shownTrayIcon(), 0);
}

// The key seconds of a two-minute work period with the user typing throughout, sounds on:
// each effect of the tick reaches its part of the platform, in the tick's order.
TEST_F(QuellinAppTest, TickEffectsReachTrayDialogSpeakerAndColoursInOrder) {
  Store("WorkPeriod", 2);
  Store("RestPeriod", 1);
  Store("UseSounds", 1);
  Store("DisableChanges", 1);
  Start();
  const std::map<Seconds, Log> expected = {
      {1, {"tip Rest in about 2 min.", "tray modify 139"}},
      {31, {"tip Rest in about 1 min.", "tray modify 139"}},
      {59, {"tray modify 139"}},
      {60,
       {"tray modify 138", "status 144", "enable 1003 0", "enable 1004 0",
        "enable 1001 0", "enable 1002 0", "enable 1035 0", "sound QN_ChangeToAmber"}},
      {61, {"tip Rest in < 1 min.", "tray modify 147"}},
      {120,
       {"tray modify 132", "status 143", "setcolors 10=255 2=255 3=127", "sound QN_ChangeToRed"}},
      {121, {"tip Quellin!  for 1 min.  rest", "tray modify 132", "sound QN_RedEventMinor"}},
      {122, {"tray modify 133", "sound QN_RedEventMinor"}},
  };
  for (Seconds t = 1; t <= 122; ++t) {
    SCOPED_TRACE("t=" + std::to_string(t));
    app->Tick(kStart + t, true);
    const Log log = fakes.Take();
    const auto it = expected.find(t);
    if (it != expected.end()) {
      EXPECT_EQ(log, it->second);
    }
  }
  // Away for the whole rest: back to work with the green sound, colours and controls back.
  for (Seconds t = 123; t <= 181; ++t) app->Tick(kStart + t, false);
  fakes.Take();
  app->Tick(kStart + 182, false);
  EXPECT_THAT(fakes.Take(),
              ElementsAre("tray modify 133", "status 145", "sound QN_ChangeToGreen", "setcolors 10=11 2=22 3=33",
                          "enable 1003 1", "enable 1004 1", "enable 1001 1", "enable 1002 1", "enable 1035 1"));
}

TEST_F(QuellinAppTest, TimerAsksTheSamplerForActivity) {
  Start();
  app->OnTimer(kStart + 1);
  EXPECT_EQ(app->cycle().LastActivityTime, kStart);
  fakes.input.keys = 2;
  app->OnTimer(kStart + 2);
  EXPECT_EQ(app->cycle().LastActivityTime, kStart + 2);
  app->OnTimer(kStart + 3);
  EXPECT_EQ(app->cycle().LastActivityTime, kStart + 2);
}

TEST_F(QuellinAppTest, TrayClicksShowTheWindowAndAskForTheOneExtension) {
  Store("UseSounds", 1);
  Start();
  app->OnTrayNotify(kMouseLeftDown);
  app->OnTrayNotify(514);
  app->OnTrayNotify(kMouseLeftDown);
  app->OnTrayNotify(kMouseRightDown);
  app->OnTrayNotify(kMouseRightDown);
  EXPECT_THAT(fakes.Take(), ElementsAre("show 1", "show 9", "sound QN_FiveMinsOk", "sound QN_FiveMinsDenied"));
  EXPECT_EQ(app->cycle().ExtensionMinutes, 5);
}

TEST_F(QuellinAppTest, AlertsFollowTheSoundChoiceOfTheLatestOkAndFallBackToTonesWhenSoundsFail) {
  Start();
  app->OnTrayNotify(kMouseRightDown);
  const Log beeps = fakes.Take();
  ASSERT_FALSE(beeps.empty());
  EXPECT_EQ(beeps.front().rfind("beep ", 0), 0u);

  fakes.dialog.Click(IDC_SOUNDS_RADIO, true);
  app->OnOK();
  fakes.Take();
  fakes.speaker.started = false;
  app->OnTrayNotify(kMouseRightDown);
  const Log fallback = fakes.Take();
  ASSERT_GE(fallback.size(), 2u);
  EXPECT_EQ(fallback.front(), "sound QN_FiveMinsDenied");
  EXPECT_EQ(fallback[1].rfind("beep ", 0), 0u);
}

TEST_F(QuellinAppTest, ForeignColourChangeDuringARestIsKeptAndCoveredAgain) {
  Store("WorkPeriod", 2);
  Start();
  for (Seconds t = 1; t <= 121; ++t) app->Tick(kStart + t, true);
  app->OnSysColorChange();  // the program's own change at 120
  fakes.Take();
  fakes.colors.current = {{10, 1}, {2, 2}, {3, 3}};
  app->OnSysColorChange();
  EXPECT_THAT(fakes.Take(), ElementsAre("getcolor 10", "getcolor 2", "getcolor 3", "setcolors 10=255 2=255 3=127"));
  app->OnCancel();
  EXPECT_THAT(fakes.Take(), ElementsAre("killtimer 7", "tray delete 0", "setcolors 10=1 2=2 3=3", "destroy", "quit"));
}

TEST_F(QuellinAppTest, ResumeAndANewTaskbarSendThePictureAgain) {
  Start();
  app->OnPowerBroadcast(kPowerResumeSuspend);
  app->OnPowerBroadcast(4);
  app->OnTaskbarCreated();
  EXPECT_THAT(fakes.Take(), ElementsAre("tray modify 130", "tray add 130"));
}

}  // namespace
}  // namespace quellin::testing
