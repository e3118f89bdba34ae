// Decoding with stb_image, plus the GIF block walk that finds the transparent colour.
#include "imagelib/Decode.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

// Zeroed allocations: a hostile file then never makes the decoder read leftover memory.
#define STBI_MALLOC(size)     std::calloc(1, size)
#define STBI_REALLOC(p, size) std::realloc(p, size)
#define STBI_FREE(p)          std::free(p)
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_MAX_DIMENSIONS 16384
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

namespace ilib {

bool HasSignature(Kind kind, const uint8_t* d, size_t n) {
  switch (kind) {
    case Kind::Jpeg: return n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF;
    case Kind::Gif: return n >= 6 && std::memcmp(d, "GIF8", 4) == 0 && (d[4] == '7' || d[4] == '9') && d[5] == 'a';
    case Kind::Bmp: return n >= 2 && d[0] == 'B' && d[1] == 'M';
    case Kind::Png: return n >= 8 && std::memcmp(d, "\x89PNG\r\n\x1A\n", 8) == 0;
  }
  return false;
}

namespace {

// Skips a chain of data sub-blocks starting at p; false when it runs off the end.
bool SkipSubBlocks(const uint8_t* d, size_t n, size_t& p) {
  while (p < n) {
    size_t len = d[p++];
    if (len == 0) return true;
    if (len > n - p) return false;
    p += len;
  }
  return false;
}

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
unsigned Le16(const uint8_t* p) { return unsigned(p[0]) | unsigned(p[1]) << 8; }

// The decoder reads zeros past the end of its input, so a cut file would pass as an image
// with a blank part: each kind is checked for its whole length first.
bool BmpComplete(const uint8_t* d, size_t n) {
  if (n < 26) return false;
  uint64_t offBits = Le32(d + 10);
  uint32_t headerSize = Le32(d + 14);
  int64_t w, h;
  unsigned bits, compression = 0;
  if (headerSize == 12) {
    w = Le16(d + 18);
    h = Le16(d + 20);
    bits = Le16(d + 24);
  } else {
    if (n < 34) return false;
    w = int32_t(Le32(d + 18));
    h = int32_t(Le32(d + 22));
    bits = Le16(d + 28);
    compression = Le32(d + 30);
  }
  if (w <= 0 || h == 0) return false;
  if (h < 0) h = -h;
  if (compression != 0 && compression != 3) return true;  // packed rows: the decoder judges
  uint64_t stride = ((uint64_t(w) * bits + 31) / 32) * 4;
  return offBits + stride * uint64_t(h) <= n;
}

struct Huffman {
  bool defined = false;
  // For each code length: the first code, how many codes and where their symbols start.
  int first[17] = {}, count[17] = {}, offset[17] = {};
  uint8_t symbols[256] = {};
  // By the next 9 bits: length << 8 | symbol of the code they start with, 0 for a longer one.
  uint16_t fast[512] = {};
};

// The bits of one entropy-coded segment, up to the marker that ends it. Each read must
// come from the segment itself: past it the decoder goes on with made-up zero bits, which
// draws the rest of the image as garbage.
class ScanBits {
 public:
  ScanBits(const uint8_t* d, size_t n, size_t p) : d_(d), n_(n), p_(p) {}

  bool Read(int k, uint32_t& v) {
    if (!Want(k)) return false;
    v = k ? uint32_t(buf_ >> (64 - k)) : 0;
    Drop(k);
    return true;
  }
  bool Skip(int k) {
    if (!Want(k)) return false;
    Drop(k);
    return true;
  }
  // Decodes one Huffman symbol; false for a code the table lacks or bits that run out.
  bool Symbol(const Huffman& h, int& symbol);
  // A restart: the rest of the byte is padding, and the next marker must be RSTn.
  bool Restart() {
    if (bits_ >= 8) return false;
    buf_ = 0;
    bits_ = 0;
    Fill();
    if (bits_ != 0 || !atMarker_ || p_ + 1 >= n_) return false;
    uint8_t m = d_[p_ + 1];
    if (m < 0xD0 || m > 0xD7) return false;
    p_ += 2;
    atMarker_ = false;
    return true;
  }

 private:
  bool Want(int k) {
    if (bits_ < k) Fill();
    return bits_ >= k;
  }
  void Drop(int k) {
    buf_ = k >= 64 ? 0 : buf_ << k;
    bits_ -= k;
  }
  void Fill() {
    while (bits_ <= 56 && !atMarker_) {
      if (p_ >= n_) {
        atMarker_ = true;
        return;
      }
      uint8_t b = d_[p_];
      if (b == 0xFF) {
        size_t q = p_ + 1;
        while (q < n_ && d_[q] == 0xFF) ++q;  // fill bytes
        if (q >= n_ || d_[q] != 0x00) {
          p_ = q - 1;
          atMarker_ = true;
          return;
        }
        p_ = q + 1;
      } else {
        ++p_;
      }
      buf_ |= uint64_t(b) << (56 - bits_);
      bits_ += 8;
    }
  }

  const uint8_t* d_;
  size_t n_, p_;
  uint64_t buf_ = 0;
  int bits_ = 0;
  bool atMarker_ = false;
};

bool ScanBits::Symbol(const Huffman& h, int& symbol) {
  if (bits_ < 16) Fill();
  if (uint16_t f = h.fast[buf_ >> 55]) {
    int len = f >> 8;
    if (len > bits_) return false;
    symbol = f & 255;
    Drop(len);
    return true;
  }
  for (int len = 10; len <= 16 && len <= bits_; ++len) {
    int code = int(buf_ >> (64 - len));
    if (code >= h.first[len] && code - h.first[len] < h.count[len]) {
      symbol = h.symbols[h.offset[len] + code - h.first[len]];
      Drop(len);
      return true;
    }
  }
  return false;
}

struct JpegFrame {
  int width = 0, height = 0, count = 0, hmax = 1, vmax = 1;
  int id[4] = {}, h[4] = {}, v[4] = {};
  int mcusX = 0, mcusY = 0;
  // Progressive files: the AC coefficients already non-zero in each block, by zigzag index.
  std::vector<uint64_t> nonzero[4];
  int blocksX(int c) const { return mcusX * h[c]; }
};

// Follows one scan through its entropy-coded data block by block, as the decoder will,
// and tells whether the data holds every block of it.
bool WalkScan(const uint8_t* d, size_t n, size_t p, JpegFrame& f, const int* comps, int ncomps,
              const int* dcTable, const int* acTable, Huffman (&tables)[2][4], bool progressive, int ss,
              int se, int ah, unsigned restartInterval) {
  ScanBits bits(d, n, p);
  bool single = ncomps == 1;
  int c0 = comps[0];
  // A scan of one component covers only that component's own blocks, not whole MCUs.
  int unitsX = single ? (((f.width * f.h[c0] + f.hmax - 1) / f.hmax) + 7) / 8 : f.mcusX;
  int unitsY = single ? (((f.height * f.v[c0] + f.vmax - 1) / f.vmax) + 7) / 8 : f.mcusY;
  long long units = (long long)unitsX * unitsY;
  unsigned eobRun = 0;
  auto block = [&](int c, long long bx, long long by, int dcT, int acT) -> bool {
    uint64_t* nz = progressive ? &f.nonzero[c][size_t(by * f.blocksX(c) + bx)] : nullptr;
    int t;
    // An end-of-band run: this block and the next 2^r - 1 + (r more bits) ones end here.
    auto readEobRun = [&](int r) {
      uint32_t v;
      if (!bits.Read(r, v)) return false;
      eobRun = (1u << r) - 1 + v;
      return true;
    };
    if (!progressive || ss == 0) {
      if (progressive && ah != 0) return bits.Skip(1);
      if (!bits.Symbol(tables[0][dcT], t) || t > 15 || !bits.Skip(t)) return false;
      if (progressive) return true;
      for (int k = 1; k < 64;) {
        if (!bits.Symbol(tables[1][acT], t)) return false;
        int r = t >> 4, s = t & 15;
        if (s == 0) {
          if (t != 0xF0) break;
          k += 16;
        } else {
          k += r + 1;
          if (!bits.Skip(s)) return false;
        }
      }
      return true;
    }
    if (ah == 0) {
      if (eobRun) {
        --eobRun;
        return true;
      }
      for (int k = ss; k <= se;) {
        if (!bits.Symbol(tables[1][acT], t)) return false;
        int r = t >> 4, s = t & 15;
        if (s == 0) {
          if (r < 15) {
            if (!readEobRun(r)) return false;
            break;
          }
          k += 16;
        } else {
          k += r;
          *nz |= uint64_t(1) << (k > 63 ? 63 : k);
          ++k;
          if (!bits.Skip(s)) return false;
        }
      }
      return true;
    }
    // Refinement: every coefficient already non-zero takes a correction bit.
    if (eobRun) {
      --eobRun;
      for (int k = ss; k <= se; ++k)
        if ((*nz >> k & 1) && !bits.Skip(1)) return false;
      return true;
    }
    for (int k = ss; k <= se;) {
      if (!bits.Symbol(tables[1][acT], t)) return false;
      int r = t >> 4, s = t & 15;
      if (s == 0) {
        if (r < 15) {
          if (!readEobRun(r)) return false;
          r = 64;
        }
      } else {
        if (s != 1 || !bits.Skip(1)) return false;
      }
      while (k <= se) {
        int at = k++;
        if (*nz >> at & 1) {
          if (!bits.Skip(1)) return false;
        } else {
          if (r == 0) {
            if (s) *nz |= uint64_t(1) << at;
            break;
          }
          --r;
        }
      }
    }
    return true;
  };
  for (long long u = 0; u < units; ++u) {
    if (restartInterval && u && u % restartInterval == 0) {
      if (!bits.Restart()) return false;
      eobRun = 0;
    }
    long long ux = u % unitsX, uy = u / unitsX;
    if (single) {
      if (!block(c0, ux, uy, dcTable[0], acTable[0])) return false;
      continue;
    }
    for (int i = 0; i < ncomps; ++i) {
      int c = comps[i];
      for (int y = 0; y < f.v[c]; ++y)
        for (int x = 0; x < f.h[c]; ++x)
          if (!block(c, ux * f.h[c] + x, uy * f.v[c] + y, dcTable[i], acTable[i])) return false;
    }
  }
  return true;
}

// Walks the JPEG segments up to the end-of-image marker. Huffman tables are checked before
// the decoder sees them: it trusts a table's symbol counts (more than 256 run over its
// arrays), and a scan that names a table never defined would decode through uninitialised
// memory. Each scan's entropy data is followed to its last block: data that ends early
// would be decoded from bits that are not there.
bool JpegCompleteUnsafe(const uint8_t* d, size_t n) {
  Huffman tables[2][4];
  JpegFrame frame;
  bool progressive = false, walk = false;
  unsigned restartInterval = 0;
  size_t p = 2;
  while (p < n) {
    if (d[p] != 0xFF) return false;
    while (p < n && d[p] == 0xFF) ++p;
    if (p >= n) return false;
    uint8_t m = d[p++];
    if (m == 0xD9) return true;
    if (m == 0x01 || (m >= 0xD0 && m <= 0xD8)) continue;
    if (n - p < 2) return false;
    size_t len = size_t(d[p]) << 8 | d[p + 1];
    if (len < 2 || len > n - p) return false;
    size_t end = p + len;
    if (m == 0xC4) {
      size_t q = p + 2;
      while (q < end) {
        uint8_t tcth = d[q];
        if ((tcth >> 4) > 1 || (tcth & 15) > 3 || end - q < 17) return false;
        size_t symbols = 0;
        for (int i = 1; i <= 16; ++i) symbols += d[q + size_t(i)];
        if (symbols > 256 || end - q - 17 < symbols) return false;
        Huffman& h = tables[tcth >> 4][tcth & 15];
        h = Huffman{};
        h.defined = true;
        int code = 0, offset = 0;
        for (int i = 1; i <= 16; ++i) {
          h.first[i] = code;
          h.count[i] = d[q + size_t(i)];
          h.offset[i] = offset;
          for (int j = 0; i <= 9 && j < h.count[i]; ++j) {
            int c = code + j;
            if (c >= 1 << i) break;
            for (int x = 0; x < 1 << (9 - i); ++x)
              h.fast[c << (9 - i) | x] = uint16_t(i << 8 | d[q + 17 + size_t(offset + j)]);
          }
          offset += h.count[i];
          code = (code + h.count[i]) << 1;
        }
        std::memcpy(h.symbols, d + q + 17, symbols);
        q += 17 + symbols;
      }
    }
    if (m == 0xDD) {
      if (len < 4) return false;
      restartInterval = unsigned(d[p + 2]) << 8 | d[p + 3];
    }
    if (m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC) {
      // Only these frames are decoded; the decoder refuses the others itself.
      walk = m == 0xC0 || m == 0xC1 || m == 0xC2;
      progressive = m == 0xC2;
      if (walk) {
        if (len < 8) return false;
        frame = JpegFrame{};
        frame.height = int(d[p + 3]) << 8 | d[p + 4];
        frame.width = int(d[p + 5]) << 8 | d[p + 6];
        frame.count = d[p + 7];
        if (frame.count < 1 || frame.count > 4 || len < 8 + 3 * size_t(frame.count)) return false;
        for (int i = 0; i < frame.count; ++i) {
          const uint8_t* c = d + p + 8 + 3 * i;
          frame.id[i] = c[0];
          frame.h[i] = c[1] >> 4;
          frame.v[i] = c[1] & 15;
          if (frame.h[i] < 1 || frame.h[i] > 4 || frame.v[i] < 1 || frame.v[i] > 4) return false;
          frame.hmax = std::max(frame.hmax, frame.h[i]);
          frame.vmax = std::max(frame.vmax, frame.v[i]);
        }
        // Too large or without a height: the decoder refuses these before any scan.
        if (frame.width <= 0 || frame.height <= 0 || frame.width > MaxDimension || frame.height > MaxDimension ||
            (long long)frame.width * frame.height > MaxPixels) {
          walk = false;
        } else {
          frame.mcusX = (frame.width + 8 * frame.hmax - 1) / (8 * frame.hmax);
          frame.mcusY = (frame.height + 8 * frame.vmax - 1) / (8 * frame.vmax);
          if (progressive)
            for (int i = 0; i < frame.count; ++i)
              frame.nonzero[i].assign(size_t(frame.mcusX) * frame.h[i] * size_t(frame.mcusY) * frame.v[i], 0);
        }
      }
    }
    if (m == 0xDA) {
      if (len < 3) return false;
      size_t components = d[p + 2];
      if (components == 0 || components > 4 || len < 6 + 2 * components) return false;
      size_t tail = p + 3 + 2 * components;
      int ss = d[tail], se = d[tail + 1], ah = d[tail + 2] >> 4;
      int comps[4], dcTable[4], acTable[4];
      for (size_t i = 0; i < components; ++i) {
        uint8_t sel = d[p + 4 + 2 * i];
        int dc = sel >> 4, ac = sel & 15;
        if (dc > 3 || ac > 3) return false;
        bool needDc = !progressive || (ss == 0 && ah == 0);
        bool needAc = !progressive || ss != 0;
        if ((needDc && !tables[0][dc].defined) || (needAc && !tables[1][ac].defined)) return false;
        dcTable[i] = dc;
        acTable[i] = ac;
        comps[i] = -1;
        for (int c = 0; c < frame.count; ++c)
          if (frame.id[c] == d[p + 3 + 2 * i]) comps[i] = c;
        if (walk && comps[i] < 0) return false;
      }
      if (walk) {
        if (progressive && (se > 63 || ss > se || (ss == 0 && se != 0) || (ss != 0 && components != 1)))
          return false;
        if (!WalkScan(d, n, end, frame, comps, int(components), dcTable, acTable, tables, progressive, ss,
                      progressive ? se : 63, ah, restartInterval))
          return false;
      }
    }
    p = end;
    if (m == 0xDA) {
      // Entropy-coded data runs to the next marker that is not a stuffed byte or a restart.
      while (p + 1 < n && !(d[p] == 0xFF && d[p + 1] != 0x00 && !(d[p + 1] >= 0xD0 && d[p + 1] <= 0xD7))) ++p;
      if (p + 1 >= n) return false;
    }
  }
  return false;
}

bool JpegComplete(const uint8_t* d, size_t n) {
  try {
    return JpegCompleteUnsafe(d, n);
  } catch (...) {
    return false;  // no memory for a large progressive file's block states
  }
}

bool GifComplete(const uint8_t* d, size_t n) {
  if (n < 13) return false;
  size_t p = 13;
  if (d[10] & 0x80) {
    size_t table = (size_t(2) << (d[10] & 7)) * 3;
    if (table > n - p) return false;
    p += table;
  }
  while (p < n) {
    uint8_t block = d[p++];
    if (block == 0x21) {
      if (p >= n) return false;
      ++p;
      if (!SkipSubBlocks(d, n, p)) return false;
    } else if (block == 0x2C) {
      if (p + 9 > n) return false;
      uint8_t flags = d[p + 8];
      p += 9;
      if (flags & 0x80) {
        size_t table = (size_t(2) << (flags & 7)) * 3;
        if (table > n - p) return false;
        p += table;
      }
      if (p >= n) return false;
      ++p;  // code size
      return SkipSubBlocks(d, n, p);
    } else {
      return false;
    }
  }
  return false;
}

bool PngComplete(const uint8_t* d, size_t n) {
  // Chunks, each length, type, data and check value, up to a whole IEND chunk.
  size_t p = 8;
  while (n - p >= 12) {
    uint64_t len = uint64_t(d[p]) << 24 | uint64_t(d[p + 1]) << 16 | uint64_t(d[p + 2]) << 8 | d[p + 3];
    if (len > n - p - 12) return false;
    if (std::memcmp(d + p + 4, "IEND", 4) == 0) return true;
    p += 12 + size_t(len);
  }
  return false;
}

bool Complete(Kind kind, const uint8_t* d, size_t n) {
  switch (kind) {
    case Kind::Bmp: return BmpComplete(d, n);
    case Kind::Jpeg: return JpegComplete(d, n);
    case Kind::Gif: return GifComplete(d, n);
    case Kind::Png: return PngComplete(d, n);
  }
  return false;
}

}  // namespace

bool GifTransparentColor(const uint8_t* d, size_t n, Rgb& color) {
  if (!HasSignature(Kind::Gif, d, n) || n < 13) return false;
  size_t p = 13;
  const uint8_t* globalTable = nullptr;
  size_t globalCount = 0;
  if (d[10] & 0x80) {
    globalCount = size_t(2) << (d[10] & 7);
    if (globalCount * 3 > n - p) return false;
    globalTable = d + p;
    p += globalCount * 3;
  }
  int transparent = -1;
  while (p < n) {
    uint8_t block = d[p++];
    if (block == 0x21) {  // extension
      if (p >= n) return false;
      uint8_t label = d[p++];
      if (label == 0xF9 && p + 5 <= n && d[p] >= 4) {
        bool hasTransparency = (d[p + 1] & 1) != 0;
        transparent = hasTransparency ? d[p + 4] : -1;
      }
      if (!SkipSubBlocks(d, n, p)) return false;
    } else if (block == 0x2C) {  // the first image: its local table wins
      if (transparent < 0 || p + 9 > n) return false;
      uint8_t flags = d[p + 8];
      p += 9;
      const uint8_t* table = globalTable;
      size_t count = globalCount;
      if (flags & 0x80) {
        count = size_t(2) << (flags & 7);
        if (count * 3 > n - p) return false;
        table = d + p;
      }
      if (!table || size_t(transparent) >= count) return false;
      const uint8_t* c = table + size_t(transparent) * 3;
      color = {c[0], c[1], c[2]};
      return true;
    } else {
      return false;  // the trailer or a corrupt block before any image
    }
  }
  return false;
}

int Decode(Kind kind, const uint8_t* d, size_t n, Image& out) {
  if (!HasSignature(kind, d, n) || n > size_t(0x7FFFFFFF)) return ilFailed;
  if (!Complete(kind, d, n)) return ilFailed;
  int w = 0, h = 0, comp = 0;
  if (!stbi_info_from_memory(d, int(n), &w, &h, &comp)) return ilFailed;
  if (w <= 0 || h <= 0) return ilFailed;
  if (w > MaxDimension || h > MaxDimension || (long long)w * h > MaxPixels) return ilTooLarge;

  bool gif = kind == Kind::Gif;
  // GIF pixels are read with alpha, to tell the transparent ones.
  int channels = gif ? 4 : 3;
  stbi_uc* pixels = stbi_load_from_memory(d, int(n), &w, &h, &comp, channels);
  if (!pixels) return ilFailed;
  if (w <= 0 || h <= 0 || w > MaxDimension || h > MaxDimension) {
    stbi_image_free(pixels);
    return ilFailed;
  }
  size_t count = size_t(w) * size_t(h);
  try {
    out.rgb.resize(count * 3);
  } catch (...) {
    stbi_image_free(pixels);
    return ilNoResources;
  }
  out.width = w;
  out.height = h;
  if (!gif) {
    std::memcpy(out.rgb.data(), pixels, count * 3);
  } else {
    Rgb key{0, 0, 0};
    bool hasKey = GifTransparentColor(d, n, key);
    for (size_t i = 0; i < count; ++i) {
      const stbi_uc* s = pixels + i * 4;
      uint8_t* t = &out.rgb[i * 3];
      if (s[3] == 0 && hasKey) {
        t[0] = key.r;
        t[1] = key.g;
        t[2] = key.b;
      } else {
        t[0] = s[0];
        t[1] = s[1];
        t[2] = s[2];
      }
    }
  }
  stbi_image_free(pixels);
  return ilOk;
}

}  // namespace ilib
