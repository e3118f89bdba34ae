// Reduction of 24-bit pixels to palette indexes, with Floyd-Steinberg error diffusion.
#pragma once

#include <functional>
#include <vector>

#include "imagelib/Decode.h"

namespace ilib {

// The sixteen colours of a 4-bit screen.
std::vector<Rgb> Vga16Palette();
// 216 colours of a 6x6x6 cube and 40 greys, for 8-bit images with many colours.
std::vector<Rgb> Uniform256Palette();
// The image's own colours when there are at most maxColors of them.
bool ExactPalette(const Image& image, size_t maxColors, std::vector<Rgb>& palette);

// Index of the palette colour nearest to c (squared distance; first on ties).
int NearestIndex(const std::vector<Rgb>& palette, Rgb c);

// Maps every pixel to a palette index (one byte each, rows from the top). keepGoing is
// asked every few rows; false from it stops the work and the result is false.
bool QuantizeImage(const Image& image, const std::vector<Rgb>& palette, bool dither, std::vector<uint8_t>& indexes,
                   const std::function<bool()>& keepGoing);

// The rows of a bottom-up device-independent bitmap for an image read at the depth asked
// for: 24-bit pixels (blue, green, red) for depths over 8, else 8-bit indexes into colors.
// The colours are the caller's palette where it fits (any size for 24 bits, at most 16 or
// 256 colours for 4 and 8), else the 16 VGA colours, the image's own or a uniform 256.
// Rows are padded to four bytes. False when keepGoing stopped the work.
struct Dib {
  int bits = 24;
  std::vector<Rgb> colors;
  std::vector<uint8_t> rows;
};
bool BuildDib(const Image& image, int depth, bool dither, const std::vector<Rgb>& given, Dib& out,
              const std::function<bool()>& keepGoing);

}  // namespace ilib
