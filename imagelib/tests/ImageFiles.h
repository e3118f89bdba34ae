// Image files made by the tests themselves: BMP and GIF written by hand, PNG and JPEG
// through stb_image_write.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ilibtest {

struct Color {
  uint8_t r, g, b;
};

struct Pixels {
  int w = 0, h = 0;
  std::vector<uint8_t> rgb;  // rows from the top
  void Set(int x, int y, Color c) {
    uint8_t* p = &rgb[(size_t(y) * size_t(w) + size_t(x)) * 3];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
  }
};

Pixels Solid(int w, int h, Color c);
// Four quadrants: red top left, green top right, blue bottom left, white bottom right.
Pixels Quadrants(int w, int h);

std::vector<uint8_t> MakeBmp24(const Pixels& p);
std::vector<uint8_t> MakePng(const Pixels& p);
std::vector<uint8_t> MakeJpeg(const Pixels& p, int quality = 95);
// A GIF of palette indexes; transparent < 0 writes no graphic control extension.
// gif89 false writes a GIF87a header. localTable puts the table on the image instead.
std::vector<uint8_t> MakeGif(int w, int h, const std::vector<Color>& table, const std::vector<uint8_t>& indexes,
                             int transparent = -1, bool gif89 = true, bool localTable = false);

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace ilibtest
