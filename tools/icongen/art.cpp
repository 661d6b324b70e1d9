#include "tools/icongen/art.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "resources/resource_ids.h"

namespace icongen {

Image::Image(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height)) {}

std::optional<Rgb> Image::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return std::nullopt;
  return pixels_[static_cast<std::size_t>(y * width_ + x)];
}

void Image::set(int x, int y, std::optional<Rgb> colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y * width_ + x)] = colour;
}

namespace {

struct Point {
  double x;
  double y;
};

struct Line {
  Point from;
  Point to;
};

// Angles in degrees, clockwise on screen (y grows downwards), 0 pointing right;
// the arc runs from `from_deg` up to `to_deg` (to_deg > from_deg).
struct Arc {
  Point centre;
  double radius;
  double from_deg;
  double to_deg;
};

struct Glyph {
  std::span<const Line> lines;
  std::span<const Arc> arcs;
};

// All geometry below is in units of the 32 x 32 picture, with (0, 0) the top left corner
// of the top left pixel, so that a pixel's centre at 32 x 32 is (x + 0.5, y + 0.5).
// Other sizes sample the same shapes at their own pixel centres.
constexpr double kUnits = 32.0;
// Edges are widened by this much before a pixel centre is compared with them, so that a
// centre lying on an edge is decided the same way however the last bit of a distance rounds
// (the generator runs on the build host, the tests also as 32-bit Windows programs).
constexpr double kTie = 1e-6;

// The digit: bold black strokes in a box 17 units wide and 27 tall, centred.
constexpr Point kDigitOrigin{7.5, 2.5};
constexpr double kDigitStroke = 5.0;
// Below this width in pixels a stroke breaks up, so small sizes get relatively bolder digits.
constexpr double kMinStrokePixels = 2.0;

// Digit strokes, relative to the digit box (17 x 27); centre lines lie 2.5 units inside it.
constexpr Line kOneLines[] = {{{10.0, 2.5}, {10.0, 24.5}}, {{10.0, 2.5}, {4.0, 8.0}},
                              {{4.0, 24.5}, {15.0, 24.5}}};
constexpr Line kTwoLines[] = {{{14.0, 10.8}, {2.5, 24.5}}, {{2.5, 24.5}, {14.5, 24.5}}};
constexpr Arc kTwoArcs[] = {{{8.5, 8.5}, 6.0, 165.0, 385.0}};
constexpr Arc kThreeArcs[] = {{{8.5, 7.5}, 5.0, 195.0, 450.0}, {{8.5, 18.5}, 6.0, 270.0, 520.0}};
constexpr Line kFourLines[] = {{{11.0, 2.5}, {11.0, 24.5}}, {{11.0, 2.5}, {2.5, 17.5}},
                               {{2.5, 17.5}, {14.5, 17.5}}};
constexpr Line kFiveLines[] = {{{3.5, 2.5}, {14.0, 2.5}}, {{3.5, 2.5}, {3.0, 12.5}}};
constexpr Arc kFiveArcs[] = {{{8.0, 17.5}, 6.5, 235.0, 500.0}};

constexpr Glyph kDigits[] = {
    {kOneLines, {}}, {kTwoLines, kTwoArcs}, {{}, kThreeArcs}, {kFourLines, {}}, {kFiveLines, kFiveArcs},
};

// The traffic light: a bar over the full height and three lamps 9 across on it.
constexpr double kBarLeft = 8.0;    // first column of the bar
constexpr double kBarRight = 23.0;  // one past its last column
constexpr double kLampRadius = 4.5;
constexpr double kLampCentreX = 15.5;
struct LampPlace {
  Lamp lamp;
  double centre_y;
  Rgb lit;
};
constexpr LampPlace kLamps[] = {
    {Lamp::Red, 5.5, colours::kRed},        // rows 1 to 9
    {Lamp::Yellow, 16.5, colours::kYellow},  // rows 12 to 20
    {Lamp::Green, 26.5, colours::kGreen},    // rows 22 to 30
};
constexpr Rgb kUnlitLamp = colours::kOlive;

double Distance(Point p, const Line& line) {
  const double dx = line.to.x - line.from.x;
  const double dy = line.to.y - line.from.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - line.from.x) * dx + (p.y - line.from.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (line.from.x + t * dx), p.y - (line.from.y + t * dy));
}

Point OnArc(const Arc& arc, double degrees) {
  const double a = degrees * std::numbers::pi / 180.0;
  return {arc.centre.x + arc.radius * std::cos(a), arc.centre.y + arc.radius * std::sin(a)};
}

double Distance(Point p, const Arc& arc) {
  double angle = std::atan2(p.y - arc.centre.y, p.x - arc.centre.x) * 180.0 / std::numbers::pi;
  while (angle < arc.from_deg) angle += 360.0;
  while (angle >= arc.from_deg + 360.0) angle -= 360.0;
  if (angle <= arc.to_deg) {
    return std::abs(std::hypot(p.x - arc.centre.x, p.y - arc.centre.y) - arc.radius);
  }
  const Point a = OnArc(arc, arc.from_deg);
  const Point b = OnArc(arc, arc.to_deg);
  return std::min(std::hypot(p.x - a.x, p.y - a.y), std::hypot(p.x - b.x, p.y - b.y));
}

bool OnGlyph(const Glyph& glyph, Point p, double half_stroke) {
  for (const Line& line : glyph.lines) {
    if (Distance(p, line) <= half_stroke + kTie) return true;
  }
  for (const Arc& arc : glyph.arcs) {
    if (Distance(p, arc) <= half_stroke + kTie) return true;
  }
  return false;
}

// Exact for every size that divides evenly, so pixel centres that fall on an edge land on it
// on every compiler and floating-point unit alike.
Point PixelCentre(int x, int y, int size) {
  return {(2 * x + 1) * kUnits / (2 * size), (2 * y + 1) * kUnits / (2 * size)};
}

void DrawSquare(Image& image, const Picture& picture) {
  const int size = image.width();
  const bool has_digit = picture.digit >= 1 && picture.digit <= static_cast<int>(std::size(kDigits));
  const double stroke = std::max(kDigitStroke, kMinStrokePixels * kUnits / size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Point p = PixelCentre(x, y, size);
      const Point in_box{p.x - kDigitOrigin.x, p.y - kDigitOrigin.y};
      const bool ink = has_digit && OnGlyph(kDigits[picture.digit - 1], in_box, stroke / 2);
      image.set(x, y, ink ? colours::kBlack : picture.fill);
    }
  }
}

bool IsLit(const Picture& picture, Lamp lamp) {
  return std::find(picture.lit.begin(), picture.lit.end(), lamp) != picture.lit.end();
}

void DrawTrafficLight(Image& image, const Picture& picture) {
  const int size = image.width();
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Point p = PixelCentre(x, y, size);
      if (p.x < kBarLeft - kTie || p.x >= kBarRight - kTie) continue;
      Rgb colour = colours::kBlack;
      for (const LampPlace& place : kLamps) {
        if (std::hypot(p.x - kLampCentreX, p.y - place.centre_y) <= kLampRadius + kTie) {
          colour = IsLit(picture, place.lamp) ? place.lit : kUnlitLamp;
        }
      }
      image.set(x, y, colour);
    }
  }
}

constexpr Lamp kAllLamps[] = {Lamp::Red, Lamp::Yellow, Lamp::Green};
constexpr Lamp kRedLamp[] = {Lamp::Red};
constexpr Lamp kYellowLamp[] = {Lamp::Yellow};
constexpr Lamp kGreenLamp[] = {Lamp::Green};

constexpr Picture Light(std::span<const Lamp> lit) { return {Shape::TrafficLight, {}, 0, lit}; }
constexpr Picture Square(Rgb fill, int digit) { return {Shape::Square, fill, digit, {}}; }

constexpr IconEntry kIconSet[] = {
    {IDI_LIGHT_ALL, "light_all", Light(kAllLamps)},
    {IDI_GREEN, "green", Square(colours::kGreen, 0)},
    {IDI_RED, "red", Square(colours::kRed, 0)},
    {IDI_EMPTY, "empty", {Shape::Empty, {}, 0, {}}},
    {IDI_RED_1, "red_1", Square(colours::kRed, 1)},
    {IDI_RED_2, "red_2", Square(colours::kRed, 2)},
    {IDI_RED_3, "red_3", Square(colours::kRed, 3)},
    {IDI_RED_4, "red_4", Square(colours::kRed, 4)},
    {IDI_RED_5, "red_5", Square(colours::kRed, 5)},
    {IDI_GREEN_1, "green_1", Square(colours::kGreen, 1)},
    {IDI_GREEN_2, "green_2", Square(colours::kGreen, 2)},
    {IDI_GREEN_3, "green_3", Square(colours::kGreen, 3)},
    {IDI_GREEN_4, "green_4", Square(colours::kGreen, 4)},
    {IDI_GREEN_5, "green_5", Square(colours::kGreen, 5)},
    {IDI_LIGHT_RED, "light_red", Light(kRedLamp)},
    {IDI_LIGHT_YELLOW, "light_yellow", Light(kYellowLamp)},
    {IDI_LIGHT_GREEN, "light_green", Light(kGreenLamp)},
    {IDI_YELLOW_1, "yellow_1", Square(colours::kYellow, 1)},
};

// The logo: a green ring with a black tail (a "Q" that is also a clock face) and two
// clock hands, on white. Coordinates in pixels of the 75 x 75 picture.
namespace logo {
constexpr Rgb kGround{255, 255, 255};
constexpr Rgb kRing{0, 160, 0};
constexpr Rgb kInk = colours::kBlack;
constexpr Rgb kPalette[] = {kGround, kRing, kInk};
constexpr Point kCentre{35.5, 34.5};
constexpr double kRingOuter = 30.7;
constexpr double kRingInner = 22.7;
constexpr double kHandWidth = 5.0;
constexpr Line kHands[] = {{kCentre, {35.5, 15.0}}, {kCentre, {50.0, 34.5}}};
constexpr double kTailWidth = 9.0;
constexpr Line kTail{{52.0, 52.0}, {69.0, 69.0}};
}  // namespace logo

}  // namespace

std::span<const IconEntry> IconSet() { return kIconSet; }

Image Draw(const Picture& picture, int size) {
  Image image(size, size);
  switch (picture.shape) {
    case Shape::Square:
      DrawSquare(image, picture);
      break;
    case Shape::TrafficLight:
      DrawTrafficLight(image, picture);
      break;
    case Shape::Empty:
      break;
  }
  return image;
}

std::span<const Rgb> LogoPalette() { return logo::kPalette; }

Image DrawLogo() {
  Image image(kLogoSize, kLogoSize);
  for (int y = 0; y < kLogoSize; ++y) {
    for (int x = 0; x < kLogoSize; ++x) {
      const Point p{x + 0.5, y + 0.5};
      const double r = std::hypot(p.x - logo::kCentre.x, p.y - logo::kCentre.y);
      Rgb colour = logo::kGround;
      if (r <= logo::kRingOuter && r >= logo::kRingInner) colour = logo::kRing;
      if (Distance(p, logo::kTail) <= logo::kTailWidth / 2) colour = logo::kInk;
      for (const Line& hand : logo::kHands) {
        if (Distance(p, hand) <= logo::kHandWidth / 2) colour = logo::kInk;
      }
      image.set(x, y, colour);
    }
  }
  return image;
}

}  // namespace icongen
