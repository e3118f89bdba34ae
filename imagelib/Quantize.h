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

}  // namespace ilib
