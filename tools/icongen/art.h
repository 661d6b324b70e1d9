// The pictures of the program, drawn from their geometry at any size: the tray squares,
// the traffic lights, the empty picture and the logo. Pure C++, shared by the generator
// and its tests.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace icongen {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

namespace colours {
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kOlive{128, 128, 0};
}  // namespace colours

// The sixteen colours that a 4-bit icon may use, in their conventional order: every
// colour of the pictures is one of them, so the 16-colour images lose nothing.
inline constexpr Rgb kPalette16[16] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};

// A picture: a colour per pixel, or none where it is transparent. Row 0 is the top row.
class Image {
 public:
  Image(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  std::optional<Rgb> at(int x, int y) const;
  void set(int x, int y, std::optional<Rgb> colour);

 private:
  int width_;
  int height_;
  std::vector<std::optional<Rgb>> pixels_;
};

enum class Shape { Square, TrafficLight, Empty };

enum class Lamp { Red, Yellow, Green };

// What one icon of the set shows.
struct Picture {
  Shape shape = Shape::Empty;
  Rgb fill{};                 // squares only
  int digit = 0;              // squares only; 0 for none
  std::span<const Lamp> lit;  // traffic lights only
};

struct IconEntry {
  int id;
  std::string_view name;  // file name stem of the generated files
  Picture picture;
};

// The icon set by resource id, in id order.
std::span<const IconEntry> IconSet();

// The sizes drawn into every icon file; 32 is the 16-colour image that LoadIconA takes.
inline constexpr int kIconSizes[] = {16, 20, 24, 32, 48};
inline constexpr int kBaseSize = 32;

Image Draw(const Picture& picture, int size);

// The decorative logo of the settings window: 75 x 75 pixels in three colours.
inline constexpr int kLogoSize = 75;
std::span<const Rgb> LogoPalette();
Image DrawLogo();

}  // namespace icongen
