#include "alerts/alert_player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alerts/tone_patterns.h"
#include "tests/alerts/fakes.h"

namespace {

using quellin::AlertPlayer;
using quellin::testing::RecordingSpeaker;
using Sounds = std::vector<std::string>;

struct ToneCase {
  int id;
  Sounds nt;
  Sounds other;
};

TEST(TonePattern, EveryEventOnBothPlatformFamilies) {
  const ToneCase cases[] = {
      {57350, {"beep 600 200", "beep 400 200"}, {"beep 400 200"}},
      {57351, {"beep 400 100", "beep 200 200"}, {"beep 200 200"}},
      {57352, {"beep 200 100"}, {"beep 200 100"}},
      {57353, {"beep 200 200"}, {"beep 200 200"}},
      {57354, {"beep 600 100", "beep 1200 100"}, {"beep 1200 100"}},
      {57359, {"beep 600 100", "beep 1200 100"}, {"beep 1200 100"}},
      {57360, {"beep 400 200", "beep 200 200"}, {"beep 200 200"}},
      {0, {"beep 600 100", "beep 1200 100"}, {"beep 1200 100"}},
      {57355, {"beep 600 100", "beep 1200 100"}, {"beep 1200 100"}},
      {-1, {"beep 600 100", "beep 1200 100"}, {"beep 1200 100"}},
  };
  const quellin::BuiltinTexts texts;
  for (const ToneCase& c : cases) {
    SCOPED_TRACE(c.id);
    for (bool nt : {true, false}) {
      SCOPED_TRACE(nt ? "NT family" : "other platforms");
      RecordingSpeaker speaker;
      AlertPlayer player(speaker, texts, nt);
      player.PlayAlert(c.id, false);
      EXPECT_EQ(speaker.played, nt ? c.nt : c.other);
    }
  }
}

TEST(TonePattern, NoPatternIsLongerThanTheTickCanAfford) {
  for (const quellin::TonePattern& p : quellin::kTonePatterns) {
    int ms = 0;
    for (std::size_t i = 0; i < p.count; ++i) ms += p.tones[i].ms;
    EXPECT_LE(ms, 400) << p.alertId;
  }
}

TEST(AlertPlayer, NamedSoundsByTheEventsName) {
  const quellin::BuiltinTexts texts;
  const struct {
    int id;
    bool starts;
    Sounds expected;
  } cases[] = {
      {57351, true, {"sound QN_ChangeToRed"}},
      {57359, true, {"sound QN_FiveMinsOk"}},
      {57350, false, {"sound QN_ChangeToAmber", "beep 600 200", "beep 400 200"}},
      {57355, true, {"sound "}},
      {57355, false, {"sound ", "beep 600 100", "beep 1200 100"}},
      {57351 + 65536, true, {"sound "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.id << (c.starts ? " starts" : " fails"));
    RecordingSpeaker speaker;
    speaker.soundsStart = c.starts;
    AlertPlayer player(speaker, texts, true);
    player.PlayAlert(c.id, true);
    EXPECT_EQ(speaker.played, c.expected);
  }
}

TEST(AlertPlayer, PendingSlotPlaysOnceAndCanBeDropped) {
  const quellin::BuiltinTexts texts;
  RecordingSpeaker speaker;
  AlertPlayer player(speaker, texts, true);

  player.PlayPendingAlert(true);
  EXPECT_TRUE(speaker.played.empty());

  player.SetPendingAlert(57351);
  player.PlayPendingAlert(true);
  player.PlayPendingAlert(true);
  EXPECT_EQ(speaker.played, Sounds{"sound QN_ChangeToRed"});
  EXPECT_EQ(player.pendingAlert(), 0);

  speaker.played.clear();
  player.SetPendingAlert(57350);
  player.SetPendingAlert(0);
  player.PlayPendingAlert(false);
  EXPECT_TRUE(speaker.played.empty());

  player.SetPendingAlert(57350);
  player.SetPendingAlert(57351);
  player.PlayPendingAlert(false);
  EXPECT_EQ(speaker.played, (Sounds{"beep 400 100", "beep 200 200"}));
}

}  // namespace
