#include "shell/tray_icon.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/shell/recording_platform.h"

namespace quellin::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// One step of a tray timeline: what the shell answers, what the program asks, what must
// reach the shell and which picture the program then believes is shown.
struct TrayStep {
  bool shellAccepts;
  int iconId;
  bool force;
  std::vector<std::string> sent;
  int shownAfter;
};

struct TrayTimeline {
  const char* name;
  std::vector<TrayStep> steps;
};

class TrayIconTimeline : public ::testing::TestWithParam<TrayTimeline> {};

TEST_P(TrayIconTimeline, RecordsOnlyWhatTheShellAccepted) {
  Log log;
  RecordingTray shell(log);
  TrayIcon tray(shell);
  int step = 0;
  for (const TrayStep& s : GetParam().steps) {
    SCOPED_TRACE("step " + std::to_string(step++));
    shell.accepts = s.shellAccepts;
    tray.SetTrayIcon(s.iconId, s.force);
    EXPECT_EQ(log, s.sent);
    EXPECT_EQ(tray.shownIcon(), s.shownAfter);
    log.clear();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TrayIconTimeline,
    ::testing::Values(
        TrayTimeline{"AddThenModify",
                     {{true, IDI_GREEN, true, {"tray add 130"}, IDI_GREEN},
                      {true, IDI_GREEN_5, true, {"tray modify 142"}, IDI_GREEN_5},
                      {true, IDI_GREEN_5, true, {"tray modify 142"}, IDI_GREEN_5}}},
        TrayTimeline{"UnforcedSameIconSendsNothing",
                     {{true, IDI_GREEN, true, {"tray add 130"}, IDI_GREEN},
                      {true, IDI_GREEN, false, {}, IDI_GREEN},
                      {true, IDI_EMPTY, false, {"tray modify 132"}, IDI_EMPTY}}},
        // The taskbar may not exist yet at log-on: each refused add is tried again.
        TrayTimeline{"RefusedAddIsAddedAgain",
                     {{false, IDI_GREEN, true, {"tray add 130"}, 0},
                      {false, IDI_GREEN, true, {"tray add 130"}, 0},
                      {true, IDI_GREEN, true, {"tray add 130"}, IDI_GREEN}}},
        TrayTimeline{"RefusedModifyKeepsTheOlderPicture",
                     {{true, IDI_GREEN, true, {"tray add 130"}, IDI_GREEN},
                      {false, IDI_YELLOW_1, true, {"tray modify 147"}, IDI_GREEN},
                      {true, IDI_EMPTY, true, {"tray modify 132"}, IDI_EMPTY}}},
        TrayTimeline{"RemovalAcceptedAndRefused",
                     {{true, IDI_GREEN, true, {"tray add 130"}, IDI_GREEN},
                      {false, 0, true, {"tray delete 0"}, IDI_GREEN},
                      {true, 0, true, {"tray delete 0"}, 0},
                      {true, IDI_RED, true, {"tray add 131"}, IDI_RED}}},
        TrayTimeline{"RemovalWithNoIconShown",
                     {{false, 0, true, {"tray delete 0"}, 0},
                      {true, 0, false, {}, 0}}}),
    [](const ::testing::TestParamInfo<TrayTimeline>& param) { return std::string(param.param.name); });

class TrayTip : public ::testing::Test {
 protected:
  Log log;
  RecordingTray shell{log};
  TrayIcon tray{shell};
};

TEST_F(TrayTip, DroppedAndNotRecordedWhileNoIconIsShown) {
  tray.SetTrayTip("Rest in about 30 min.");
  EXPECT_THAT(log, IsEmpty());
  EXPECT_EQ(tray.lastTip(), "");
  tray.SetTrayIcon(IDI_GREEN, true);
  tray.SetTrayTip("Rest in about 30 min.");
  EXPECT_THAT(log, ElementsAre("tray add 130", "tip Rest in about 30 min."));
}

TEST_F(TrayTip, SameTextIsSentOnceAndAnEmptyFirstTextNever) {
  tray.SetTrayIcon(IDI_GREEN, true);
  log.clear();
  tray.SetTrayTip("");
  tray.SetTrayTip("a");
  tray.SetTrayTip("a");
  tray.SetTrayTip("b");
  tray.SetTrayTip("a");
  EXPECT_THAT(log, ElementsAre("tip a", "tip b", "tip a"));
}

TEST_F(TrayTip, LongTextIsCutForTheShellButRecordedWhole) {
  tray.SetTrayIcon(IDI_GREEN, true);
  log.clear();
  const std::string head(63, 'x');
  tray.SetTrayTip(head + "yz");
  EXPECT_EQ(tray.lastTip(), head + "yz");
  // The shell shows the same 63 characters, but the whole text differs: sent again.
  tray.SetTrayTip(head + "y!");
  tray.SetTrayTip(head);
  EXPECT_THAT(log, ElementsAre("tip " + head, "tip " + head, "tip " + head));
}

TEST_F(TrayTip, RefusedTipIsNotSentAgainUntilTheTextChanges) {
  tray.SetTrayIcon(IDI_GREEN, true);
  shell.accepts = false;
  log.clear();
  tray.SetTrayTip("a");
  tray.SetTrayTip("a");
  EXPECT_THAT(log, ElementsAre("tip a"));
}

TEST(TrayNotify, LeftClickShowsNormalFirstThenRestoresRightClickAsksForTheExtension) {
  Log log;
  RecordingTray shell(log);
  TrayIcon tray(shell);
  struct Case {
    std::uint32_t message;
    TrayClick click;
    int showCommand;
  };
  const Case cases[] = {
      {512, TrayClick::None, 0},  // mouse move
      {514, TrayClick::None, 0},  // left button up
      {515, TrayClick::None, 0},  // double click
      {517, TrayClick::None, 0},  // right button up
      {519, TrayClick::None, 0},  // middle button down
      {kMouseLeftDown, TrayClick::ShowWindow, kShowNormal},
      {kMouseRightDown, TrayClick::RequestExtension, 0},
      {kMouseLeftDown, TrayClick::ShowWindow, kShowRestore},
      {kMouseLeftDown, TrayClick::ShowWindow, kShowRestore},
  };
  int i = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE("case " + std::to_string(i++));
    const TrayClickAction action = tray.OnTrayNotify(c.message);
    EXPECT_EQ(action.click, c.click);
    EXPECT_EQ(action.showCommand, c.showCommand);
  }
  EXPECT_THAT(log, IsEmpty());
}

TEST(TrayPower, ResumeSendsTheShownPictureAgainOtherEventsNothing) {
  Log log;
  RecordingTray shell(log);
  TrayIcon tray(shell);
  // No icon yet: the resume asks for a removal that the shell refuses; still none shown.
  shell.accepts = false;
  tray.OnPowerBroadcast(kPowerResumeSuspend);
  EXPECT_EQ(tray.shownIcon(), 0);
  shell.accepts = true;
  tray.SetTrayIcon(IDI_RED_3, true);
  log.clear();
  for (std::uint32_t event : {0u, 4u, 6u, 10u, 18u}) tray.OnPowerBroadcast(event);
  tray.OnPowerBroadcast(kPowerResumeSuspend);
  EXPECT_THAT(log, ElementsAre("tray modify 135"));
}

TEST(TrayTaskbar, NewTaskbarGetsThePictureAddedAndTheTipSentAgain) {
  Log log;
  RecordingTray shell(log);
  TrayIcon tray(shell);
  tray.SetTrayIcon(IDI_GREEN_2, true);
  tray.SetTrayTip("Rest in about 2 min.");
  log.clear();
  tray.OnTaskbarCreated();
  tray.SetTrayTip("Rest in about 2 min.");
  EXPECT_THAT(log, ElementsAre("tray add 139", "tip Rest in about 2 min."));
}

TEST(TrayTaskbar, NothingIsAddedWhenNoIconWasShown) {
  Log log;
  RecordingTray shell(log);
  TrayIcon tray(shell);
  tray.OnTaskbarCreated();
  EXPECT_THAT(log, IsEmpty());
}

}  // namespace
}  // namespace quellin::testing
