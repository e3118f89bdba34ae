// Palettes and the error-diffusing quantiser of the image reader.
#include "imagelib/Quantize.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace ilib {

std::vector<Rgb> Vga16Palette() {
  return {{0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
          {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
          {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
}

std::vector<Rgb> Uniform256Palette() {
  std::vector<Rgb> p;
  p.reserve(256);
  for (int b = 0; b < 6; ++b)
    for (int g = 0; g < 6; ++g)
      for (int r = 0; r < 6; ++r) p.push_back({uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)});
  for (int i = 1; p.size() < 256; ++i) {
    uint8_t v = uint8_t(i * 255 / 41);
    p.push_back({v, v, v});
  }
  return p;
}

bool ExactPalette(const Image& image, size_t maxColors, std::vector<Rgb>& palette) {
  std::unordered_map<uint32_t, int> seen;
  std::vector<Rgb> colors;
  size_t count = size_t(image.width) * size_t(image.height);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = &image.rgb[i * 3];
    uint32_t key = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    if (seen.emplace(key, 0).second) {
      if (colors.size() == maxColors) return false;
      colors.push_back({p[0], p[1], p[2]});
    }
  }
  if (colors.empty()) colors.push_back({0, 0, 0});
  palette = std::move(colors);
  return true;
}

int NearestIndex(const std::vector<Rgb>& palette, Rgb c) {
  int best = 0;
  long bestDist = 0x7FFFFFFF;
  for (size_t i = 0; i < palette.size(); ++i) {
    long dr = long(c.r) - palette[i].r, dg = long(c.g) - palette[i].g, db = long(c.b) - palette[i].b;
    long d = dr * dr + dg * dg + db * db;
    if (d < bestDist) {
      bestDist = d;
      best = int(i);
      if (d == 0) break;
    }
  }
  return best;
}

namespace {

// Remembers nearest indexes of colours already seen; dithered images repeat many.
class NearestCache {
 public:
  explicit NearestCache(const std::vector<Rgb>& palette) : palette_(palette) {}
  int Find(Rgb c) {
    uint32_t key = uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
    auto it = map_.find(key);
    if (it != map_.end()) return it->second;
    if (map_.size() > (1u << 20)) map_.clear();
    int i = NearestIndex(palette_, c);
    map_.emplace(key, i);
    return i;
  }

 private:
  const std::vector<Rgb>& palette_;
  std::unordered_map<uint32_t, int> map_;
};

inline uint8_t Clamp(int v) { return uint8_t(std::clamp(v, 0, 255)); }

constexpr int kRowsPerProgress = 32;

}  // namespace

bool QuantizeImage(const Image& image, const std::vector<Rgb>& palette, bool dither, std::vector<uint8_t>& indexes,
                   const std::function<bool()>& keepGoing) {
  if (palette.empty()) return false;
  const int w = image.width, h = image.height;
  indexes.assign(size_t(w) * size_t(h), 0);
  NearestCache cache(palette);
  // Errors carried to this row and the next, in sixteenths, with a guard column each side.
  std::vector<int> cur(size_t(w + 2) * 3, 0), next(size_t(w + 2) * 3, 0);
  for (int y = 0; y < h; ++y) {
    if (y % kRowsPerProgress == 0 && keepGoing && !keepGoing()) return false;
    std::fill(next.begin(), next.end(), 0);
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = &image.rgb[(size_t(y) * size_t(w) + size_t(x)) * 3];
      int* e = &cur[size_t(x + 1) * 3];
      Rgb want{p[0], p[1], p[2]};
      if (dither) want = {Clamp(p[0] + e[0] / 16), Clamp(p[1] + e[1] / 16), Clamp(p[2] + e[2] / 16)};
      int i = cache.Find(want);
      indexes[size_t(y) * size_t(w) + size_t(x)] = uint8_t(i);
      if (!dither) continue;
      int err[3] = {want.r - palette[size_t(i)].r, want.g - palette[size_t(i)].g, want.b - palette[size_t(i)].b};
      for (int c = 0; c < 3; ++c) {
        cur[size_t(x + 2) * 3 + c] += err[c] * 7;
        next[size_t(x) * 3 + c] += err[c] * 3;
        next[size_t(x + 1) * 3 + c] += err[c] * 5;
        next[size_t(x + 2) * 3 + c] += err[c];
      }
    }
    std::swap(cur, next);
  }
  return true;
}

bool BuildDib(const Image& image, int depth, bool dither, const std::vector<Rgb>& given, Dib& out,
              const std::function<bool()>& keepGoing) {
  const auto going = [&] { return !keepGoing || keepGoing(); };
  const int w = image.width, h = image.height;
  const int wanted = depth <= 4 ? 4 : depth <= 8 ? 8 : 24;
  out = Dib{};
  if (wanted == 24) {
    const size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    out.rows.assign(stride * size_t(h), 0);
    for (int y = 0; y < h; ++y) {
      if (y % 64 == 0 && !going()) return false;
      uint8_t* t = &out.rows[stride * size_t(h - 1 - y)];
      const uint8_t* s = &image.rgb[size_t(y) * size_t(w) * 3];
      for (int x = 0; x < w; ++x, s += 3, t += 3) {
        t[0] = s[2];
        t[1] = s[1];
        t[2] = s[0];
      }
    }
    out.colors = given;
    return true;
  }
  const size_t limit = wanted == 4 ? 16 : 256;
  if (!given.empty() && given.size() <= limit)
    out.colors = given;
  else if (wanted == 4)
    out.colors = Vga16Palette();
  else if (!ExactPalette(image, 256, out.colors))
    out.colors = Uniform256Palette();
  std::vector<uint8_t> indexes;
  if (!QuantizeImage(image, out.colors, dither, indexes, keepGoing)) return false;
  const size_t stride = (size_t(w) + 3) & ~size_t(3);
  out.rows.assign(stride * size_t(h), 0);
  for (int y = 0; y < h; ++y)
    std::memcpy(&out.rows[stride * size_t(h - 1 - y)], &indexes[size_t(y) * size_t(w)], size_t(w));
  out.bits = 8;
  return true;
}

}  // namespace ilib
