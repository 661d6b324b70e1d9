// Pixel checks of the drawn pictures, at every size that the icon files carry.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tools/icongen/art.h"

namespace icongen {
namespace {

constexpr std::optional<Rgb> kClear = std::nullopt;
const Rgb kBlack = colours::kBlack;

const IconEntry& Entry(int id) {
  for (const IconEntry& e : IconSet()) {
    if (e.id == id) return e;
  }
  ADD_FAILURE() << "no icon " << id;
  return IconSet().front();
}

Image DrawId(int id, int size) { return Draw(Entry(id).picture, size); }

struct Ink {
  int count = 0;
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

Ink BlackInk(const Image& image) {
  Ink ink;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.at(x, y) != kBlack) continue;
      ++ink.count;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

std::vector<bool> BlackMask(const Image& image) {
  std::vector<bool> mask;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) mask.push_back(image.at(x, y) == kBlack);
  }
  return mask;
}

// What each resource id must show, in the words of the icon table.
struct Expected {
  int id;
  Shape shape;
  Rgb fill;
  int digit;
  bool red_lit, yellow_lit, green_lit;
};

const Expected kExpected[] = {
    {128, Shape::TrafficLight, {}, 0, true, true, true},
    {130, Shape::Square, colours::kGreen, 0, false, false, false},
    {131, Shape::Square, colours::kRed, 0, false, false, false},
    {132, Shape::Empty, {}, 0, false, false, false},
    {133, Shape::Square, colours::kRed, 1, false, false, false},
    {134, Shape::Square, colours::kRed, 2, false, false, false},
    {135, Shape::Square, colours::kRed, 3, false, false, false},
    {136, Shape::Square, colours::kRed, 4, false, false, false},
    {137, Shape::Square, colours::kRed, 5, false, false, false},
    {138, Shape::Square, colours::kGreen, 1, false, false, false},
    {139, Shape::Square, colours::kGreen, 2, false, false, false},
    {140, Shape::Square, colours::kGreen, 3, false, false, false},
    {141, Shape::Square, colours::kGreen, 4, false, false, false},
    {142, Shape::Square, colours::kGreen, 5, false, false, false},
    {143, Shape::TrafficLight, {}, 0, true, false, false},
    {144, Shape::TrafficLight, {}, 0, false, true, false},
    {145, Shape::TrafficLight, {}, 0, false, false, true},
    {147, Shape::Square, colours::kYellow, 1, false, false, false},
};

TEST(IconSet, HoldsExactlyTheEighteenIdsOnce) {
  std::vector<int> ids;
  for (const IconEntry& e : IconSet()) ids.push_back(e.id);
  std::vector<int> expected;
  for (const Expected& e : kExpected) expected.push_back(e.id);
  EXPECT_EQ(ids, expected);
  std::map<std::string_view, int> names;
  for (const IconEntry& e : IconSet()) EXPECT_EQ(++names[e.name], 1) << e.name;
}

TEST(IconSet, EveryColourIsOneOfTheSixteen) {
  for (const IconEntry& e : IconSet()) {
    for (int size : kIconSizes) {
      const Image image = Draw(e.picture, size);
      for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
          const std::optional<Rgb> c = image.at(x, y);
          if (!c) continue;
          ASSERT_TRUE(std::find(std::begin(kPalette16), std::end(kPalette16), *c) != std::end(kPalette16))
              << e.name << " at " << size << " (" << x << ", " << y << ")";
        }
      }
    }
  }
}

TEST(IconSet, SquaresAreFilledEdgeToEdgeWithADigitOnlyWhereListed) {
  for (const Expected& want : kExpected) {
    if (want.shape != Shape::Square) continue;
    for (int size : kIconSizes) {
      SCOPED_TRACE(testing::Message() << "icon " << want.id << " at " << size);
      const Image image = DrawId(want.id, size);
      const int last = size - 1;
      for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
        EXPECT_EQ(image.at(x, y), want.fill) << "corner " << x << "," << y;
      }
      for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
          const std::optional<Rgb> c = image.at(x, y);
          ASSERT_TRUE(c == want.fill || c == kBlack) << x << "," << y;
        }
      }
      const Ink ink = BlackInk(image);
      if (want.digit == 0) {
        EXPECT_EQ(ink.count, 0);
        EXPECT_EQ(image.at(size / 2, size / 2), want.fill);
        continue;
      }
      // A bold digit about 17 x 27 at 32 pixels, in the middle, scaled with the picture.
      const double scale = size / 32.0;
      const int width = ink.right - ink.left + 1;
      const int height = ink.bottom - ink.top + 1;
      EXPECT_NEAR(height, 27 * scale, 2.0);
      EXPECT_GE(width, (want.digit == 1 ? 11 : 14) * scale);
      EXPECT_LE(width, 17 * scale + 1.5);
      EXPECT_NEAR((ink.left + ink.right) / 2.0, (size - 1) / 2.0, 2.0 * scale + 0.5);
      EXPECT_NEAR((ink.top + ink.bottom) / 2.0, (size - 1) / 2.0, 1.0 * scale + 0.5);
      // Bold: at least a fifth of the digit's box is ink.
      EXPECT_GE(ink.count, width * height / 5);
      EXPECT_GE(ink.left, 1);
      EXPECT_LE(ink.right, size - 2);
    }
  }
}

// The two countdowns and the yellow square use the same digit glyphs, and the five digits
// differ from one another at every size, the smallest included.
TEST(IconSet, DigitsAreTheSameGlyphInEveryColourAndDistinctFromEachOther) {
  const int green[] = {IDI_GREEN_1, IDI_GREEN_2, IDI_GREEN_3, IDI_GREEN_4, IDI_GREEN_5};
  const int red[] = {IDI_RED_1, IDI_RED_2, IDI_RED_3, IDI_RED_4, IDI_RED_5};
  for (int size : kIconSizes) {
    SCOPED_TRACE(testing::Message() << "size " << size);
    EXPECT_EQ(BlackMask(DrawId(IDI_YELLOW_1, size)), BlackMask(DrawId(IDI_GREEN_1, size)));
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(BlackMask(DrawId(green[i], size)), BlackMask(DrawId(red[i], size))) << "digit " << i + 1;
      for (int j = i + 1; j < 5; ++j) {
        const std::vector<bool> a = BlackMask(DrawId(green[i], size));
        const std::vector<bool> b = BlackMask(DrawId(green[j], size));
        int differing = 0;
        for (std::size_t k = 0; k < a.size(); ++k) differing += a[k] != b[k];
        EXPECT_GE(differing, size / 2) << "digits " << i + 1 << " and " << j + 1;
      }
    }
  }
}

// The 1 is an upright stem: one column of ink nearly the whole digit height.
TEST(IconSet, TheDigitOneIsAnUprightStem) {
  const Image image = DrawId(IDI_GREEN_1, 32);
  const Ink ink = BlackInk(image);
  int longest = 0;
  for (int x = 0; x < 32; ++x) {
    int run = 0;
    for (int y = 0; y < 32; ++y) {
      run = image.at(x, y) == kBlack ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  EXPECT_GE(longest, ink.bottom - ink.top + 1);
}

TEST(IconSet, EmptyPictureIsTransparentEverywhere) {
  for (int size : kIconSizes) {
    const Image image = DrawId(IDI_EMPTY, size);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) ASSERT_EQ(image.at(x, y), kClear) << size << ": " << x << "," << y;
    }
  }
}

TEST(IconSet, TrafficLightsAtThirtyTwoPixels) {
  struct LampRows {
    int first, last;
    Rgb pure;
    bool Expected::*lit;
  };
  const LampRows lamps[] = {{1, 9, colours::kRed, &Expected::red_lit},
                            {12, 20, colours::kYellow, &Expected::yellow_lit},
                            {22, 30, colours::kGreen, &Expected::green_lit}};
  for (const Expected& want : kExpected) {
    if (want.shape != Shape::TrafficLight) continue;
    SCOPED_TRACE(testing::Message() << "icon " << want.id);
    const Image image = DrawId(want.id, 32);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const bool on_bar = x >= 8 && x <= 22;
        ASSERT_EQ(image.at(x, y).has_value(), on_bar) << x << "," << y;
      }
    }
    for (const LampRows& lamp : lamps) {
      const Rgb colour = want.*lamp.lit ? lamp.pure : colours::kOlive;
      const int middle = (lamp.first + lamp.last) / 2;
      // 9 across: rows first..last down the middle column, columns 11..19 across the middle row.
      for (int y = lamp.first; y <= lamp.last; ++y) EXPECT_EQ(image.at(15, y), colour) << "row " << y;
      EXPECT_EQ(image.at(15, lamp.first - 1), kBlack);
      EXPECT_EQ(image.at(15, lamp.last + 1), kBlack);
      for (int x = 11; x <= 19; ++x) EXPECT_EQ(image.at(x, middle), colour) << "column " << x;
      EXPECT_EQ(image.at(10, middle), kBlack);
      EXPECT_EQ(image.at(20, middle), kBlack);
      // Round, not square: the lamp's bounding corners are bar.
      EXPECT_EQ(image.at(11, lamp.first), kBlack);
      EXPECT_EQ(image.at(19, lamp.last), kBlack);
    }
  }
}

// Smaller and larger pictures keep the shape: the bar in the same share of the width and
// each lamp's centre in its colour.
TEST(IconSet, TrafficLightsAtOtherSizes) {
  for (int size : kIconSizes) {
    SCOPED_TRACE(testing::Message() << "size " << size);
    const Image image = DrawId(IDI_LIGHT_YELLOW, size);
    const double scale = size / 32.0;
    const int x = static_cast<int>(15.5 * scale);
    EXPECT_EQ(image.at(x, static_cast<int>(5.5 * scale)), colours::kOlive);
    EXPECT_EQ(image.at(x, static_cast<int>(16.5 * scale)), colours::kYellow);
    EXPECT_EQ(image.at(x, static_cast<int>(26.5 * scale)), colours::kOlive);
    EXPECT_EQ(image.at(0, size / 2), kClear);
    EXPECT_EQ(image.at(size - 1, size / 2), kClear);
    EXPECT_EQ(image.at(static_cast<int>(8.5 * scale), 0), kBlack);
  }
}

TEST(Logo, IsSeventyFiveSquareInExactlyThreeColours) {
  const Image logo = DrawLogo();
  ASSERT_EQ(logo.width(), 75);
  ASSERT_EQ(logo.height(), 75);
  std::vector<Rgb> seen;
  for (int y = 0; y < 75; ++y) {
    for (int x = 0; x < 75; ++x) {
      const std::optional<Rgb> c = logo.at(x, y);
      ASSERT_TRUE(c.has_value());
      if (std::find(seen.begin(), seen.end(), *c) == seen.end()) seen.push_back(*c);
    }
  }
  EXPECT_EQ(seen.size(), 3u);
  for (const Rgb& c : seen) {
    EXPECT_TRUE(std::find(LogoPalette().begin(), LogoPalette().end(), c) != LogoPalette().end());
  }
}

}  // namespace
}  // namespace icongen
