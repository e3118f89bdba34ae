// Decoding of the four file kinds into 24-bit pixels, independent of the window system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imagelib/ILibResults.h"

namespace ilib {

enum class Kind { Jpeg, Gif, Bmp, Png };

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

// Pixels in rows from the top, three bytes (red, green, blue) each.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  Rgb At(int x, int y) const {
    const uint8_t* p = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
    return {p[0], p[1], p[2]};
  }
};

constexpr int MaxDimension = 16384;
constexpr long long MaxPixels = 16LL * 1024 * 1024;

// Whether the bytes start like a file of this kind.
bool HasSignature(Kind kind, const uint8_t* data, size_t size);

// The colour of the first image's transparent index (its local table, else the global
// one); false when there is none or the file does not hold it.
bool GifTransparentColor(const uint8_t* data, size_t size, Rgb& color);

// Decodes the first image. Returns ilOk, or ilFailed / ilTooLarge / ilNoResources.
// GIF pixels that are transparent come back in the colour of the transparent index.
int Decode(Kind kind, const uint8_t* data, size_t size, Image& out);

}  // namespace ilib
