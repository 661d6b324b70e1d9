#include "tools/sim/scenario_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <sstream>

namespace quellin::sim {
namespace {

using ::testing::ElementsAre;

TEST(SplitWords, BlanksSeparateQuotesHoldBlanksAndEmptyWords) {
  struct Case {
    const char* line;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"tick 5 active", {"tick", "5", "active"}},
      {"  tick\t5  ", {"tick", "5"}},
      {"ok \" 45\" 45abc beep 0 1", {"ok", " 45", "45abc", "beep", "0", "1"}},
      {"ok \"\" \"\" beep 0 1", {"ok", "", "", "beep", "0", "1"}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<std::string> words;
    ScenarioError error;
    EXPECT_TRUE(SplitWords(c.line, words, error)) << error.message;
    EXPECT_EQ(words, c.words);
  }
  for (const char* bad : {"ok \"45", "ok \"4\"5", "ok 4\"5\"", "\""}) {
    SCOPED_TRACE(bad);
    std::vector<std::string> words;
    ScenarioError error;
    EXPECT_FALSE(SplitWords(bad, words, error));
    EXPECT_FALSE(error.message.empty());
  }
}

TEST(ParseNumber, DecimalSignedOrHexWithinBounds) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  struct Case {
    const char* word;
    std::int64_t min;
    std::int64_t max;
    std::optional<std::int64_t> value;
  };
  const Case cases[] = {
      {"0", 0, 10, 0},
      {"10", 0, 10, 10},
      {"11", 0, 10, std::nullopt},
      {"-1", 0, 10, std::nullopt},
      {"-1", -1, 10, -1},
      {"0x00c0c0c0", 0, 0xFFFFFFFF, 0x00c0c0c0},
      {"0XFF", 0, 255, 255},
      {"0xffffffff", 0, 0xFFFFFFFF, 0xFFFFFFFF},
      {"0x100000000", 0, 0xFFFFFFFF, std::nullopt},
      {"9223372036854775807", kMin, kMax, kMax},
      {"-9223372036854775808", kMin, kMax, kMin},
      {"9223372036854775808", kMin, kMax, std::nullopt},
      {"99999999999999999999999", kMin, kMax, std::nullopt},
      {"0x", 0, 10, std::nullopt},
      {"-", kMin, kMax, std::nullopt},
      {"", kMin, kMax, std::nullopt},
      {"12x", kMin, kMax, std::nullopt},
      {"1f", kMin, kMax, std::nullopt},
      {"+5", kMin, kMax, std::nullopt},
      {"-0x5", kMin, kMax, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    EXPECT_EQ(ParseNumber(c.word, c.min, c.max), c.value);
  }
}

TEST(ScenarioReader, SkipsBlankAndCommentLinesAndNumbersTheRest) {
  std::istringstream in("# heading\n\nstart 0\r\n   \n  # indented comment\ntick 1 active\nok \"open\n");
  ScenarioReader reader(in);
  std::optional<ScenarioLine> line = reader.Next();
  ASSERT_TRUE(line);
  EXPECT_EQ(line->number, 3);
  EXPECT_THAT(line->words, ElementsAre("start", "0"));
  line = reader.Next();
  ASSERT_TRUE(line);
  EXPECT_EQ(line->number, 6);
  EXPECT_THAT(line->words, ElementsAre("tick", "1", "active"));
  EXPECT_FALSE(reader.Next());
  ASSERT_TRUE(reader.error());
  EXPECT_EQ(reader.lineNumber(), 7);
}

}  // namespace
}  // namespace quellin::sim
