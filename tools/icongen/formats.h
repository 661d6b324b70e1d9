// File formats of the generated pictures: Windows icon files with 16-colour images and
// their transparency masks, a palette bitmap, and PNG for the documents.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tools/icongen/art.h"

namespace icongen {

using Bytes = std::vector<std::uint8_t>;

// One .ico file holding every image given, each 4 bits per pixel in kPalette16 with an
// AND mask (1 = transparent). Every colour of the images must be one of kPalette16.
Bytes EncodeIco(std::span<const Image> images);

// A bottom-up 4-bit BMP file whose colour table is exactly `palette` (at most 16 colours);
// every pixel of `image` must be opaque and in `palette`.
Bytes EncodeBmp(const Image& image, std::span<const Rgb> palette);

// An RGBA PNG, transparent where the image is; each pixel drawn as scale x scale pixels.
Bytes EncodePng(const Image& image, int scale = 1);

// The palette index of a colour, or -1.
int PaletteIndex(std::span<const Rgb> palette, Rgb colour);

}  // namespace icongen
