// The decoder as Debian ships it, with no check in front: the benchmark's reference.
#include "imagelib/bench/StbPlain.h"

#include <cstdlib>
#include <cstring>

#define STBI_MALLOC(size)     std::calloc(1, size)
#define STBI_REALLOC(p, size) std::realloc(p, size)
#define STBI_FREE(p)          std::free(p)
#define STBI_NO_STDIO
#define STBI_ONLY_JPEG
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#endif
#include "stb_image.h"
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

bool PlainJpegDecode(const uint8_t* d, size_t n, int& width, int& height, std::vector<uint8_t>& rgb) {
  int comp = 0;
  stbi_uc* pixels = stbi_load_from_memory(d, int(n), &width, &height, &comp, 3);
  if (!pixels) return false;
  // The copy the reader makes too, so that the two differ by the check alone.
  rgb.resize(size_t(width) * size_t(height) * 3);
  std::memcpy(rgb.data(), pixels, rgb.size());
  stbi_image_free(pixels);
  return true;
}
