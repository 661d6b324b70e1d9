#include "core/sampler.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct FakeInput final : quellin::InputSource {
  std::uint32_t keys = 0;
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool positionKnown = true;

  std::uint32_t GetKeyboardCount() override { return keys; }
  void GetMousePos(std::int32_t& outX, std::int32_t& outY) override {
    if (!positionKnown) return;
    outX = x;
    outY = y;
  }
};

struct Sample {
  const char* what;
  std::uint32_t keys;
  std::int32_t x, y;
  bool active;
};

// Each row is one sample, taken in order by one sampler.
void RunSamples(const std::vector<Sample>& samples) {
  FakeInput input;
  quellin::ActivitySampler sampler(input);
  for (const Sample& s : samples) {
    SCOPED_TRACE(s.what);
    input.keys = s.keys;
    input.x = s.x;
    input.y = s.y;
    EXPECT_EQ(sampler.SampleActivity(), s.active);
  }
}

TEST(ActivitySampler, MovementCountsPerAxisAboveTwentyPixels) {
  RunSamples({
      {"first sample near the corner", 0, 5, 5, false},
      {"still", 0, 5, 5, false},
      {"20 px on both axes", 0, 25, 25, false},
      {"21 px right", 0, 46, 25, true},
      {"21 px down", 0, 46, 46, true},
      {"21 px left", 0, 25, 46, true},
      {"21 px up", 0, 25, 25, true},
      {"20 px left and up", 0, 5, 5, false},
      {"creeping 15 px", 0, 20, 20, false},
      {"creeping 15 px again", 0, 35, 35, false},
      {"creeping 15 px a third time", 0, 50, 50, false},
  });
}

TEST(ActivitySampler, FirstSampleIsMeasuredAgainstTheOrigin) {
  RunSamples({{"cursor at (300, 5)", 0, 300, 5, true}, {"then still", 0, 300, 5, false}});
  RunSamples({{"keys counted before the start", 7, 5, 5, true}});
}

TEST(ActivitySampler, OnlyAChangeOfTheCountMatters) {
  RunSamples({
      {"a key pressed and released", 2, 0, 0, true},
      {"no further input", 2, 0, 0, false},
      {"a hundred keys", 102, 0, 0, true},
      {"count about to wrap", 0xFFFFFFFF, 0, 0, true},
      {"count wrapped", 1, 0, 0, true},
      {"wrapped count unchanged", 1, 0, 0, false},
  });
}

TEST(ActivitySampler, ExtremePositionsDoNotOverflow) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  RunSamples({
      {"far top left", 0, kMin, kMin, true},
      {"far bottom right", 0, kMax, kMax, true},
      {"unchanged", 0, kMax, kMax, false},
  });
}

TEST(ActivitySampler, AnUnknownPositionIsNoMovement) {
  FakeInput input;
  quellin::ActivitySampler sampler(input);
  input.x = 400;
  input.y = 300;
  EXPECT_TRUE(sampler.SampleActivity());
  input.positionKnown = false;
  EXPECT_FALSE(sampler.SampleActivity());
  input.positionKnown = true;
  input.x = 410;
  EXPECT_FALSE(sampler.SampleActivity());
}

}  // namespace
