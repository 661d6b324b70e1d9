// The structure of the generated files: what LoadIconA, LoadImage and a PNG reader expect.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "resources/resource_ids.h"
#include "tools/icongen/art.h"
#include "tools/icongen/formats.h"

namespace icongen {
namespace {

std::uint32_t U16(const Bytes& b, std::size_t at) { return b.at(at) | (b.at(at + 1) << 8); }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }
std::uint32_t Be32(const Bytes& b, std::size_t at) {
  return (std::uint32_t{b.at(at)} << 24) | (b.at(at + 1) << 16) | (b.at(at + 2) << 8) | b.at(at + 3);
}

const Picture& PictureOf(int id) {
  for (const IconEntry& e : IconSet()) {
    if (e.id == id) return e.picture;
  }
  throw std::logic_error("no such icon");
}

Bytes IcoOf(int id) {
  std::vector<Image> images;
  for (int size : kIconSizes) images.push_back(Draw(PictureOf(id), size));
  return EncodeIco(images);
}

struct IcoImage {
  int size;
  std::size_t offset;  // of its bitmap header
  std::size_t bytes;
};

// Reads the directory and checks every entry against its bitmap header.
std::vector<IcoImage> ReadDirectory(const Bytes& ico) {
  std::vector<IcoImage> images;
  EXPECT_EQ(U16(ico, 0), 0u);
  EXPECT_EQ(U16(ico, 2), 1u) << "type icon";
  const std::uint32_t count = U16(ico, 4);
  std::size_t end = 6 + 16 * count;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t e = 6 + 16 * i;
    const int size = ico.at(e);
    EXPECT_EQ(ico.at(e + 1), size);
    EXPECT_EQ(ico.at(e + 2), 16) << "colour count";
    EXPECT_EQ(U16(ico, e + 4), 1u) << "planes";
    EXPECT_EQ(U16(ico, e + 6), 4u) << "bits per pixel";
    const std::uint32_t bytes = U32(ico, e + 8);
    const std::uint32_t offset = U32(ico, e + 12);
    EXPECT_EQ(offset, end) << "images follow each other";
    end = offset + bytes;
    const std::size_t xor_row = ((static_cast<std::size_t>(size) * 4 + 31) / 32) * 4;
    const std::size_t and_row = ((static_cast<std::size_t>(size) + 31) / 32) * 4;
    EXPECT_EQ(bytes, 40 + 16 * 4 + (xor_row + and_row) * static_cast<std::size_t>(size));
    EXPECT_EQ(U32(ico, offset), 40u);
    EXPECT_EQ(U32(ico, offset + 4), static_cast<std::uint32_t>(size));
    EXPECT_EQ(U32(ico, offset + 8), static_cast<std::uint32_t>(2 * size)) << "colour image and mask";
    EXPECT_EQ(U16(ico, offset + 14), 4u);
    EXPECT_EQ(U32(ico, offset + 16), 0u) << "uncompressed";
    images.push_back({size, offset, bytes});
  }
  EXPECT_EQ(end, ico.size());
  return images;
}

// Palette index and mask bit of one pixel (row 0 = top) of a 4-bit icon image.
struct IcoPixel {
  unsigned index;
  bool transparent;
};
IcoPixel PixelAt(const Bytes& ico, const IcoImage& image, int x, int y) {
  const std::size_t xor_row = ((static_cast<std::size_t>(image.size) * 4 + 31) / 32) * 4;
  const std::size_t and_row = ((static_cast<std::size_t>(image.size) + 31) / 32) * 4;
  const std::size_t pixels = image.offset + 40 + 64;
  const std::size_t row = static_cast<std::size_t>(image.size - 1 - y);
  const std::uint8_t pair = ico.at(pixels + row * xor_row + static_cast<std::size_t>(x / 2));
  const unsigned index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
  const std::size_t mask = pixels + xor_row * static_cast<std::size_t>(image.size);
  const std::uint8_t bits = ico.at(mask + row * and_row + static_cast<std::size_t>(x / 8));
  return {index, (bits & (0x80 >> (x % 8))) != 0};
}

Rgb PaletteEntry(const Bytes& ico, const IcoImage& image, unsigned index) {
  const std::size_t at = image.offset + 40 + 4 * index;
  return {ico.at(at + 2), ico.at(at + 1), ico.at(at)};
}

TEST(IcoFile, HoldsTheFiveSizesEachSixteenColoursWithAMask) {
  for (const IconEntry& e : IconSet()) {
    SCOPED_TRACE(e.name);
    const std::vector<IcoImage> images = ReadDirectory(IcoOf(e.id));
    std::vector<int> sizes;
    for (const IcoImage& image : images) sizes.push_back(image.size);
    EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 48}));
  }
}

TEST(IcoFile, PixelsAndMaskDecodeToTheDrawing) {
  for (int id : {IDI_GREEN_5, IDI_EMPTY, IDI_LIGHT_RED}) {
    const Bytes ico = IcoOf(id);
    for (const IcoImage& image : ReadDirectory(ico)) {
      SCOPED_TRACE(testing::Message() << "icon " << id << " at " << image.size);
      const Image drawn = Draw(PictureOf(id), image.size);
      for (int y = 0; y < image.size; ++y) {
        for (int x = 0; x < image.size; ++x) {
          const IcoPixel p = PixelAt(ico, image, x, y);
          const std::optional<Rgb> want = drawn.at(x, y);
          ASSERT_EQ(p.transparent, !want.has_value()) << x << "," << y;
          // Under the mask the colour image is black, so nothing shows through.
          const Rgb shown = PaletteEntry(ico, image, p.index);
          ASSERT_EQ(shown, want.value_or(colours::kBlack)) << x << "," << y;
        }
      }
    }
  }
}

TEST(IcoFile, RejectsAColourOutsideThePalette) {
  Image odd(16, 16);
  odd.set(3, 3, Rgb{1, 2, 3});
  const Image images[] = {odd};
  EXPECT_THROW(EncodeIco(images), std::invalid_argument);
}

TEST(BmpFile, LogoIsAFourBitBitmapWithThreeColours) {
  const Bytes bmp = EncodeBmp(DrawLogo(), LogoPalette());
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(U32(bmp, 2), bmp.size());
  const std::uint32_t pixels = U32(bmp, 10);
  EXPECT_EQ(pixels, 14u + 40u + 3u * 4u);
  EXPECT_EQ(U32(bmp, 14), 40u);
  EXPECT_EQ(U32(bmp, 18), 75u);
  EXPECT_EQ(U32(bmp, 22), 75u) << "bottom-up";
  EXPECT_EQ(U16(bmp, 28), 4u);
  EXPECT_EQ(U32(bmp, 46), 3u) << "colours used";
  const std::size_t row = 40;  // 75 pixels at 4 bits, padded to 4 bytes
  EXPECT_EQ(bmp.size(), pixels + row * 75);
  for (std::size_t y = 0; y < 75; ++y) {
    for (std::size_t x = 0; x < 75; ++x) {
      const std::uint8_t pair = bmp[pixels + y * row + x / 2];
      ASSERT_LT(x % 2 == 0 ? pair >> 4 : pair & 0x0F, 3) << x << "," << y;
    }
  }
}

TEST(BmpFile, RejectsTransparencyAndOversizedPalettes) {
  const Image clear(4, 4);
  EXPECT_THROW(EncodeBmp(clear, LogoPalette()), std::invalid_argument);
  const std::vector<Rgb> seventeen(17);
  EXPECT_THROW(EncodeBmp(DrawLogo(), seventeen), std::invalid_argument);
}

TEST(PngFile, HasSignatureHeaderAndAStoredStreamOfEveryRow) {
  const Image image = Draw(PictureOf(IDI_LIGHT_ALL), 20);
  const Bytes png = EncodePng(image, 3);
  const Bytes signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
  EXPECT_EQ(Be32(png, 8), 13u);
  EXPECT_EQ(Be32(png, 16), 60u);
  EXPECT_EQ(Be32(png, 20), 60u);
  EXPECT_EQ(png.at(24), 8);
  EXPECT_EQ(png.at(25), 6) << "RGBA";
  const std::size_t idat = 8 + 12 + 13;
  EXPECT_EQ(std::string(png.begin() + idat + 4, png.begin() + idat + 8), "IDAT");
  // Stored deflate blocks: a 2-byte zlib header, then per block 5 bytes and its data.
  const std::size_t raw = 60 * (60 * 4 + 1);
  const std::size_t blocks = (raw + 65534) / 65535;
  EXPECT_EQ(Be32(png, idat), 2 + 5 * blocks + raw + 4);
  const std::size_t iend = png.size() - 12;
  EXPECT_EQ(std::string(png.begin() + iend + 4, png.begin() + iend + 8), "IEND");
}

}  // namespace
}  // namespace icongen
