// Fuzz target of the image decoder: any bytes, read as any of the four kinds, either decode
// to a whole image (then quantised at 4 and 8 bits) or fail; never a fault.
#include <cstddef>
#include <cstdint>

#include "imagelib/Decode.h"
#include "imagelib/Quantize.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  ilib::Kind kind = ilib::Kind(data[0] % 4);
  const uint8_t* d = data + 1;
  size_t n = size - 1;
  ilib::Rgb key{};
  ilib::GifTransparentColor(d, n, key);
  ilib::Image image;
  if (ilib::Decode(kind, d, n, image) != ilOk) return 0;
  if (image.rgb.size() != size_t(image.width) * size_t(image.height) * 3) __builtin_trap();
  if (size_t(image.width) * size_t(image.height) > 512 * 512) return 0;  // keep runs quick
  std::vector<uint8_t> idx;
  std::vector<ilib::Rgb> pal;
  if (!ilib::ExactPalette(image, 256, pal)) pal = ilib::Uniform256Palette();
  ilib::QuantizeImage(image, pal, true, idx, nullptr);
  ilib::QuantizeImage(image, ilib::Vga16Palette(), false, idx, nullptr);
  for (uint8_t i : idx)
    if (i >= 16) __builtin_trap();
  return 0;
}
