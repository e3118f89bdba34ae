// Writers of the test images.
#include "imagelib/tests/ImageFiles.h"

#include <algorithm>
#include <cstdio>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include "stb_image_write.h"
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace ilibtest {

namespace {

void Put16(std::vector<uint8_t>& v, unsigned x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, unsigned x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

void Append(void* ctx, void* data, int size) {
  auto* v = static_cast<std::vector<uint8_t>*>(ctx);
  auto* b = static_cast<uint8_t*>(data);
  v->insert(v->end(), b, b + size);
}

// LZW with 8-bit roots and a clear code every 128 codes, so codes stay 9 bits wide.
std::vector<uint8_t> LzwData(const std::vector<uint8_t>& indexes) {
  std::vector<uint8_t> packed;
  uint32_t acc = 0;
  int nbits = 0;
  auto code = [&](unsigned c) {
    acc |= c << nbits;
    nbits += 9;
    while (nbits >= 8) {
      packed.push_back(uint8_t(acc));
      acc >>= 8;
      nbits -= 8;
    }
  };
  code(256);
  int run = 0;
  for (uint8_t i : indexes) {
    code(i);
    if (++run == 128) {
      code(256);
      run = 0;
    }
  }
  code(257);
  if (nbits > 0) packed.push_back(uint8_t(acc));
  std::vector<uint8_t> out;
  out.push_back(8);
  for (size_t p = 0; p < packed.size(); p += 255) {
    size_t n = std::min<size_t>(255, packed.size() - p);
    out.push_back(uint8_t(n));
    for (size_t k = 0; k < n; ++k) out.push_back(packed[p + k]);
  }
  out.push_back(0);
  return out;
}

}  // namespace

Pixels Solid(int w, int h, Color c) {
  Pixels p;
  p.w = w;
  p.h = h;
  p.rgb.resize(size_t(w) * size_t(h) * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.Set(x, y, c);
  return p;
}

Pixels Quadrants(int w, int h) {
  Pixels p = Solid(w, h, {0, 0, 0});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      bool right = x >= w / 2, bottom = y >= h / 2;
      Color c =
          !bottom ? (right ? Color{0, 255, 0} : Color{255, 0, 0}) : (right ? Color{255, 255, 255} : Color{0, 0, 255});
      p.Set(x, y, c);
    }
  return p;
}

std::vector<uint8_t> MakeBmp24(const Pixels& p) {
  unsigned stride = (unsigned(p.w) * 3 + 3) & ~3u;
  unsigned image = stride * unsigned(p.h);
  std::vector<uint8_t> v = {'B', 'M'};
  Put32(v, 54 + image);
  Put32(v, 0);
  Put32(v, 54);
  Put32(v, 40);
  Put32(v, unsigned(p.w));
  Put32(v, unsigned(p.h));
  Put16(v, 1);
  Put16(v, 24);
  Put32(v, 0);
  Put32(v, image);
  Put32(v, 2835);
  Put32(v, 2835);
  Put32(v, 0);
  Put32(v, 0);
  for (int y = p.h - 1; y >= 0; --y) {
    for (int x = 0; x < p.w; ++x) {
      const uint8_t* s = &p.rgb[(size_t(y) * size_t(p.w) + size_t(x)) * 3];
      v.push_back(s[2]);
      v.push_back(s[1]);
      v.push_back(s[0]);
    }
    for (unsigned k = unsigned(p.w) * 3; k < stride; ++k) v.push_back(0);
  }
  return v;
}

std::vector<uint8_t> MakePng(const Pixels& p) {
  std::vector<uint8_t> v;
  stbi_write_png_to_func(Append, &v, p.w, p.h, 3, p.rgb.data(), p.w * 3);
  return v;
}

std::vector<uint8_t> MakeJpeg(const Pixels& p, int quality) {
  std::vector<uint8_t> v;
  stbi_write_jpg_to_func(Append, &v, p.w, p.h, 3, p.rgb.data(), quality);
  return v;
}

std::vector<uint8_t> MakeGif(int w, int h, const std::vector<Color>& table, const std::vector<uint8_t>& indexes,
                             int transparent, bool gif89, bool localTable) {
  int sizeBits = 0;
  while ((2u << sizeBits) < table.size()) ++sizeBits;
  size_t entries = size_t(2) << sizeBits;
  std::vector<uint8_t> v;
  const char* sig = gif89 ? "GIF89a" : "GIF87a";
  for (int i = 0; i < 6; ++i) v.push_back(uint8_t(sig[i]));
  Put16(v, unsigned(w));
  Put16(v, unsigned(h));
  v.push_back(uint8_t(localTable ? 0x70 : 0xF0 | sizeBits));
  v.push_back(0);
  v.push_back(0);
  auto putTable = [&] {
    for (size_t i = 0; i < entries; ++i) {
      Color c = i < table.size() ? table[i] : Color{0, 0, 0};
      v.push_back(c.r);
      v.push_back(c.g);
      v.push_back(c.b);
    }
  };
  if (!localTable) putTable();
  if (transparent >= 0) {
    for (uint8_t b : {uint8_t(0x21), uint8_t(0xF9), uint8_t(4), uint8_t(1), uint8_t(0), uint8_t(0),
                      uint8_t(transparent), uint8_t(0)})
      v.push_back(b);
  }
  v.push_back(0x2C);
  Put16(v, 0);
  Put16(v, 0);
  Put16(v, unsigned(w));
  Put16(v, unsigned(h));
  v.push_back(uint8_t(localTable ? 0x80 | sizeBits : 0));
  if (localTable) putTable();
  std::vector<uint8_t> data = LzwData(indexes);
  for (uint8_t b : data) v.push_back(b);
  v.push_back(0x3B);
  return v;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

}  // namespace ilibtest
