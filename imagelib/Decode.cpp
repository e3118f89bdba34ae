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
// The JPEG decoder's refill of its bit buffer goes through VxGrowBits, which bounds it to the
// data that is there. The refill is called as (j) and (z) and defined as (stbi__jpeg *j): the
// calls become VxGrowBits, the definition StbGrowBits, which VxGrowBits calls.
#define stbi__grow_buffer_unsafe(x) VX_GROW_##x)
#define VX_GROW_j VxGrowBits(j
#define VX_GROW_z VxGrowBits(z
#define VX_GROW_stbi__jpeg StbGrowBits(stbi__jpeg
template <class Jpeg>
static void VxGrowBits(Jpeg* j);
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
#undef stbi__grow_buffer_unsafe

// Past the marker that ends a scan's data the decoder goes on with zero bits of its own.
// At the end of the image (a cut file is given that marker) these, and the padding before the
// marker, would draw the rest of the picture as garbage or fail it. From that marker on,
// `nomore` (which the decoder only tests for non-zero) counts one more than the zero bits
// added: the bits in the buffer less these are what is left of the file. The buffer is kept
// at the 16 bits a code may need, so that the decoder asks for more before each code; once
// nothing is left but the padding of one bits, every block from there on decodes as empty,
// mid-grey, and the picture shows as far as its data goes. Other markers end a scan whose
// data is whole, or start the decoder afresh (a restart).
static void VxEmptyBlock(stbi_uc* out, int stride, short*) {
  for (int y = 0; y < 8; ++y) std::memset(out + y * stride, 128, 8);
}

template <class Jpeg>
static void VxStopAtTheEnd(Jpeg* j) {
  // Every symbol from here decodes as code 0 of one bit, value 0: no DC change, an end of
  // block for AC coefficients, no correction bits.
  for (stbi__huffman* h : {j->huff_dc, j->huff_ac})
    for (int t = 0; t < 4; ++t) {
      std::memset(h[t].fast, 0, sizeof h[t].fast);
      h[t].size[0] = 1;
      h[t].values[0] = 0;
    }
  std::memset(j->fast_ac, 0, sizeof j->fast_ac);
  // A baseline block is drawn as soon as it is decoded: the one under way may hold made-up
  // bits, so it and all after it are drawn empty.
  if (!j->progressive) j->idct_block_kernel = VxEmptyBlock;
  j->nomore = -1;
}

template <class Jpeg>
static void VxGrowBits(Jpeg* j) {
  int before = j->code_bits;
  if (j->nomore < 0) {
    // Past the end; the block under way when it was seen has taken its DC value by now.
    for (auto& c : j->img_comp) c.dc_pred = 0;
  } else if (j->nomore == 0) {
    StbGrowBits(j);
    if (j->nomore == 0) return;
    before = j->code_bits;  // the bits before the marker, all from the file
    if (j->marker == 0xD9) {
      // A restart interval that ends here would end the scan with its later blocks undrawn:
      // the scan goes on to its last block. At an interval's end the decoder is told of a
      // restart and meets the end marker again, unread, after it (also where no block is
      // left to decode).
      if (j->todo > 0) {
        j->todo = 0x7fffffff;
      } else {
        j->marker = 0xD0;
        j->s->img_buffer -= 2;
      }
    }
  }
  if (j->nomore > 0 && j->marker == 0xD9) {
    int left = j->code_bits - (j->nomore - 1);
    if (left < 8 && (left <= 0 || j->code_buffer >> (32 - left) == (1u << left) - 1)) VxStopAtTheEnd(j);
  }
  StbGrowBits(j);
  if (j->code_bits > 16) j->code_bits = std::max(before, 16);
  if (j->nomore > 0) j->nomore += j->code_bits - before;
}

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

// The decoder reads zeros past the end of its input, so a cut BMP, GIF or PNG file would pass
// as an image with a blank part: these are checked for their whole length first.
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

// How much of a JPEG file the decoder is given, or 0 to refuse it. Huffman tables are checked
// before the decoder sees them: it trusts a table's symbol counts (more than 256 run over its
// arrays), and a scan that names a table never defined would decode through uninitialised
// memory. A file cut short is given up to the cut inside a scan's data, or else up to its last
// whole segment; `ended` tells whether the part given ends with the end-of-image marker. A
// file without a scan has nothing to show.
size_t JpegUsable(const uint8_t* d, size_t n, bool& ended) {
  bool defined[2][4] = {}, scan = false;
  bool progressive = false;
  ended = false;
  size_t p = 2;
  while (p < n) {
    size_t start = p;
    if (d[p] != 0xFF) return 0;
    while (p < n && d[p] == 0xFF) ++p;
    if (p >= n) return scan ? start : 0;
    uint8_t m = d[p++];
    if (m == 0xD9) {
      ended = true;
      return scan ? p : 0;
    }
    if (m == 0x01 || (m >= 0xD0 && m <= 0xD8)) continue;
    if (n - p < 2) return scan ? start : 0;
    size_t len = size_t(d[p]) << 8 | d[p + 1];
    if (len < 2) return 0;
    if (len > n - p) return scan ? start : 0;
    size_t end = p + len;
    if (m == 0xC4) {
      for (size_t q = p + 2; q < end;) {
        uint8_t tcth = d[q];
        if ((tcth >> 4) > 1 || (tcth & 15) > 3 || end - q < 17) return 0;
        size_t symbols = 0;
        for (int i = 1; i <= 16; ++i) symbols += d[q + size_t(i)];
        if (symbols > 256 || end - q - 17 < symbols) return 0;
        defined[tcth >> 4][tcth & 15] = true;
        q += 17 + symbols;
      }
    }
    if (m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC) progressive = m == 0xC2;
    if (m == 0xDA) {
      if (len < 3) return 0;
      size_t components = d[p + 2];
      if (components == 0 || components > 4 || len < 6 + 2 * components) return 0;
      size_t tail = p + 3 + 2 * components;
      int ss = d[tail], ah = d[tail + 2] >> 4;
      bool needDc = !progressive || (ss == 0 && ah == 0), needAc = !progressive || ss != 0;
      for (size_t i = 0; i < components; ++i) {
        uint8_t sel = d[p + 4 + 2 * i];
        int dc = sel >> 4, ac = sel & 15;
        if (dc > 3 || ac > 3 || (needDc && !defined[0][dc]) || (needAc && !defined[1][ac])) return 0;
      }
      scan = true;
    }
    p = end;
    if (m == 0xDA) {
      // Entropy-coded data runs to the next marker that is not a stuffed byte or a restart.
      for (;;) {
        const void* ff = std::memchr(d + p, 0xFF, n - p);
        if (!ff) return n;
        p = size_t(static_cast<const uint8_t*>(ff) - d);
        if (p + 1 >= n) return n;
        uint8_t next = d[p + 1];
        if (next != 0x00 && next != 0xFF && !(next >= 0xD0 && next <= 0xD7)) break;
        p += next == 0xFF ? 1 : 2;
      }
    }
  }
  return scan ? p : 0;
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
    case Kind::Gif: return GifComplete(d, n);
    case Kind::Png: return PngComplete(d, n);
    case Kind::Jpeg: break;  // shown as far as it goes (JpegUsable, VxGrowBits)
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
  std::vector<uint8_t> cut;
  if (kind == Kind::Jpeg) {
    bool ended = false;
    n = JpegUsable(d, n, ended);
    if (n == 0) return ilFailed;
    if (!ended) {
      // A file cut short: the decoder is given the end-of-image marker the file lacks.
      try {
        cut.assign(d, d + n);
        cut.insert(cut.end(), {0xFF, 0xD9});
      } catch (...) {
        return ilNoResources;
      }
      d = cut.data();
      n = cut.size();
    }
  } else if (!Complete(kind, d, n)) {
    return ilFailed;
  }
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
