#include "tools/icongen/formats.h"

#include <array>
#include <stdexcept>

namespace icongen {

namespace {

class Writer {
 public:
  explicit Writer(Bytes& out) : out_(out) {}
  void U8(unsigned v) { out_.push_back(static_cast<std::uint8_t>(v)); }
  void U16(unsigned v) {
    U8(v & 0xFF);
    U8((v >> 8) & 0xFF);
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void U32BigEndian(std::uint32_t v) {
    U8(v >> 24);
    U8((v >> 16) & 0xFF);
    U8((v >> 8) & 0xFF);
    U8(v & 0xFF);
  }

 private:
  Bytes& out_;
};

constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
constexpr std::uint32_t kIconDirSize = 6;
constexpr std::uint32_t kIconDirEntrySize = 16;
constexpr unsigned kIconType = 1;
constexpr unsigned kBitsPerPixel = 4;

std::uint32_t RowBytes(int width, unsigned bits) {
  return ((static_cast<std::uint32_t>(width) * bits + 31) / 32) * 4;
}

unsigned IndexOf(std::span<const Rgb> palette, Rgb colour) {
  const int index = PaletteIndex(palette, colour);
  if (index < 0) throw std::invalid_argument("colour outside the palette");
  return static_cast<unsigned>(index);
}

void WriteInfoHeader(Writer& w, int width, int bitmap_height, std::uint32_t image_bytes,
                     std::uint32_t colours_used) {
  w.U32(kBitmapInfoHeaderSize);
  w.U32(static_cast<std::uint32_t>(width));
  w.U32(static_cast<std::uint32_t>(bitmap_height));
  w.U16(1);  // planes
  w.U16(kBitsPerPixel);
  w.U32(0);  // BI_RGB
  w.U32(image_bytes);
  w.U32(0);
  w.U32(0);
  w.U32(colours_used);
  w.U32(0);
}

void WritePalette(Writer& w, std::span<const Rgb> palette) {
  for (const Rgb& c : palette) {
    w.U8(c.b);
    w.U8(c.g);
    w.U8(c.r);
    w.U8(0);
  }
}

// 4-bit rows, bottom row first; `colour_of` gives the palette index of a pixel.
template <typename ColourOf>
void WritePixels(Writer& w, const Image& image, ColourOf colour_of) {
  const std::uint32_t row_bytes = RowBytes(image.width(), kBitsPerPixel);
  for (int y = image.height() - 1; y >= 0; --y) {
    std::uint32_t written = 0;
    for (int x = 0; x < image.width(); x += 2) {
      const unsigned high = colour_of(x, y);
      const unsigned low = x + 1 < image.width() ? colour_of(x + 1, y) : 0;
      w.U8((high << 4) | low);
      ++written;
    }
    for (; written < row_bytes; ++written) w.U8(0);
  }
}

Bytes IconImage(const Image& image) {
  const std::uint32_t xor_bytes = RowBytes(image.width(), kBitsPerPixel) * static_cast<std::uint32_t>(image.height());
  const std::uint32_t and_row = RowBytes(image.width(), 1);
  const std::uint32_t and_bytes = and_row * static_cast<std::uint32_t>(image.height());
  Bytes out;
  Writer w(out);
  // An icon's bitmap header counts the colour image and the mask together: twice the height.
  WriteInfoHeader(w, image.width(), image.height() * 2, xor_bytes + and_bytes, 0);
  WritePalette(w, kPalette16);
  // Transparent pixels are black in the colour image, so that the mask alone decides.
  WritePixels(w, image, [&](int x, int y) {
    const std::optional<Rgb> c = image.at(x, y);
    return c ? IndexOf(kPalette16, *c) : 0u;
  });
  for (int y = image.height() - 1; y >= 0; --y) {
    std::uint32_t written = 0;
    for (int x0 = 0; x0 < image.width(); x0 += 8) {
      unsigned byte = 0;
      for (int bit = 0; bit < 8; ++bit) {
        const int x = x0 + bit;
        if (x < image.width() && !image.at(x, y)) byte |= 0x80u >> bit;
      }
      w.U8(byte);
      ++written;
    }
    for (; written < and_row; ++written) w.U8(0);
  }
  return out;
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0xFFFFFFFFu) {
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc;
}

void PngChunk(Bytes& out, const char (&type)[5], const Bytes& data) {
  Writer w(out);
  w.U32BigEndian(static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  w.U32BigEndian(Crc32(out.data() + start, out.size() - start) ^ 0xFFFFFFFFu);
}

// A zlib stream of stored (uncompressed) blocks: the pictures are tiny, and this needs no library.
Bytes ZlibStored(const Bytes& raw) {
  constexpr std::size_t kMaxBlock = 65535;
  Bytes out{0x78, 0x01};
  Writer w(out);
  std::size_t offset = 0;
  do {
    const std::size_t n = std::min(kMaxBlock, raw.size() - offset);
    const bool last = offset + n == raw.size();
    w.U8(last ? 1 : 0);
    w.U16(static_cast<unsigned>(n));
    w.U16(static_cast<unsigned>(~n & 0xFFFF));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
               raw.begin() + static_cast<std::ptrdiff_t>(offset + n));
    offset += n;
  } while (offset < raw.size());
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  w.U32BigEndian((b << 16) | a);
  return out;
}

}  // namespace

int PaletteIndex(std::span<const Rgb> palette, Rgb colour) {
  for (std::size_t i = 0; i < palette.size(); ++i) {
    if (palette[i] == colour) return static_cast<int>(i);
  }
  return -1;
}

Bytes EncodeIco(std::span<const Image> images) {
  std::vector<Bytes> bodies;
  for (const Image& image : images) bodies.push_back(IconImage(image));
  Bytes out;
  Writer w(out);
  w.U16(0);
  w.U16(kIconType);
  w.U16(static_cast<unsigned>(images.size()));
  std::uint32_t offset = kIconDirSize + kIconDirEntrySize * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    w.U8(static_cast<unsigned>(images[i].width() & 0xFF));  // 0 would mean 256
    w.U8(static_cast<unsigned>(images[i].height() & 0xFF));
    w.U8(16);  // colours
    w.U8(0);
    w.U16(1);  // planes
    w.U16(kBitsPerPixel);
    w.U32(static_cast<std::uint32_t>(bodies[i].size()));
    w.U32(offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const Bytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes EncodeBmp(const Image& image, std::span<const Rgb> palette) {
  if (palette.empty() || palette.size() > 16) throw std::invalid_argument("palette of 1 to 16 colours");
  constexpr std::uint32_t kFileHeaderSize = 14;
  const std::uint32_t pixel_bytes = RowBytes(image.width(), kBitsPerPixel) * static_cast<std::uint32_t>(image.height());
  const std::uint32_t pixel_offset =
      kFileHeaderSize + kBitmapInfoHeaderSize + 4 * static_cast<std::uint32_t>(palette.size());
  Bytes out;
  Writer w(out);
  w.U8('B');
  w.U8('M');
  w.U32(pixel_offset + pixel_bytes);
  w.U32(0);
  w.U32(pixel_offset);
  WriteInfoHeader(w, image.width(), image.height(), pixel_bytes, static_cast<std::uint32_t>(palette.size()));
  WritePalette(w, palette);
  WritePixels(w, image, [&](int x, int y) {
    const std::optional<Rgb> c = image.at(x, y);
    if (!c) throw std::invalid_argument("a bitmap has no transparent pixels");
    return IndexOf(palette, *c);
  });
  return out;
}

Bytes EncodePng(const Image& image, int scale) {
  if (scale < 1) throw std::invalid_argument("scale below 1");
  const int width = image.width() * scale;
  const int height = image.height() * scale;
  Bytes raw;
  raw.reserve(static_cast<std::size_t>((width * 4 + 1) * height));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < width; ++x) {
      const std::optional<Rgb> c = image.at(x / scale, y / scale);
      raw.push_back(c ? c->r : 0);
      raw.push_back(c ? c->g : 0);
      raw.push_back(c ? c->b : 0);
      raw.push_back(c ? 255 : 0);
    }
  }
  Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  Writer h(header);
  h.U32BigEndian(static_cast<std::uint32_t>(width));
  h.U32BigEndian(static_cast<std::uint32_t>(height));
  h.U8(8);  // bit depth
  h.U8(6);  // RGBA
  h.U8(0);
  h.U8(0);
  h.U8(0);
  PngChunk(out, "IHDR", header);
  PngChunk(out, "IDAT", ZlibStored(raw));
  PngChunk(out, "IEND", {});
  return out;
}

}  // namespace icongen
