// Fuzz target of the reader's entries without the window system: the depth asked for, the
// dither flag and the size of the caller's palette come first, the file follows (its kind
// told by its first bytes, as the entries are chosen by the file's extension). A file that
// decodes must give whole bitmap rows and a palette every index lies in.
#include <cstddef>
#include <cstdint>

#include "imagelib/Decode.h"
#include "imagelib/Quantize.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int depth = data[0] == 0 ? 1 : data[0];
  const bool dither = data[1] & 1;
  std::vector<ilib::Rgb> given;
  for (int i = 0; i < data[2] * 2; ++i) given.push_back({uint8_t(i), uint8_t(i * 3), uint8_t(255 - i)});
  const uint8_t* d = data + 3;
  const size_t n = size - 3;
  ilib::Kind kind = ilib::Kind::Bmp;
  for (ilib::Kind k : {ilib::Kind::Jpeg, ilib::Kind::Gif, ilib::Kind::Png})
    if (ilib::HasSignature(k, d, n)) kind = k;
  ilib::Image image;
  if (ilib::Decode(kind, d, n, image) != ilOk) return 0;
  if (size_t(image.width) * size_t(image.height) > 512 * 512) return 0;  // keep runs quick
  ilib::Dib dib;
  if (!ilib::BuildDib(image, depth, dither, given, dib, nullptr)) __builtin_trap();
  const size_t pixelBytes = dib.bits == 24 ? 3 : 1;
  const size_t stride = (size_t(image.width) * pixelBytes + 3) & ~size_t(3);
  if (dib.rows.size() != stride * size_t(image.height)) __builtin_trap();
  if (dib.bits == 8) {
    if (dib.colors.empty() || dib.colors.size() > (depth <= 4 ? 16u : 256u)) __builtin_trap();
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x)
        if (dib.rows[stride * size_t(y) + size_t(x)] >= dib.colors.size()) __builtin_trap();
  }
  return 0;
}
