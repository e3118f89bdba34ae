// ILIB95HT.DLL through its import library (by ordinal): depths, palettes, dithering, GIF
// transparency, the progress call-back, and files that are corrupt, truncated or absent.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <set>
#include <string>

#include "imagelib/ILib95ht.h"
#include "imagelib/tests/ImageFiles.h"

namespace {

using namespace ilibtest;

struct ReadBack {
  int w = 0, h = 0;
  std::vector<uint32_t> px;  // 0x00RRGGBB, rows from the top
  uint32_t At(int x, int y) const { return px[size_t(y) * size_t(w) + size_t(x)]; }
};

ReadBack ReadPixels(HBITMAP bmp) {
  ReadBack r;
  BITMAP bm{};
  if (!GetObjectA(bmp, sizeof(bm), &bm)) return r;
  r.w = bm.bmWidth;
  r.h = bm.bmHeight;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = r.w;
  bi.bmiHeader.biHeight = -r.h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  r.px.resize(size_t(r.w) * size_t(r.h));
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bmp, 0, UINT(r.h), r.px.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  for (uint32_t& p : r.px) p &= 0xFFFFFF;
  return r;
}

uint32_t Rgb(Color c) { return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b; }

std::set<uint32_t> PaletteSet(HPALETTE pal, int* count = nullptr) {
  std::set<uint32_t> s;
  PALETTEENTRY e[256];
  UINT n = GetPaletteEntries(pal, 0, 256, e);
  if (count) *count = int(n);
  for (UINT i = 0; i < n; ++i) s.insert(uint32_t(e[i].peRed) << 16 | e[i].peGreen << 8 | e[i].peBlue);
  return s;
}

HPALETTE MakeCubePalette() {
  struct {
    WORD version, count;
    PALETTEENTRY e[216];
  } lp{0x300, 216, {}};
  int i = 0;
  for (int b = 0; b < 6; ++b)
    for (int g = 0; g < 6; ++g)
      for (int r = 0; r < 6; ++r) lp.e[i++] = {BYTE(r * 51), BYTE(g * 51), BYTE(b * 51), 0};
  return CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
}

int progressCalls = 0;
int progressStopAt = -1;  // answer 0 on this call (counted from 1); -1 never
int __stdcall Progress() {
  ++progressCalls;
  return progressCalls == progressStopAt ? 0 : 1;
}

enum class K { Jpeg, Gif, Bmp, Png };

struct Result {
  int code = 0;
  HBITMAP bmp = nullptr;
  HPALETTE pal = nullptr;
};

Result Read(K kind, const std::string& file, int depth, int dither = 1, HPALETTE in = nullptr) {
  char name[256] = {};
  lstrcpynA(name, file.c_str(), sizeof(name));
  Result r;
  r.pal = in;
  switch (kind) {
    case K::Jpeg: r.code = ilReadJpeg(name, BYTE(depth), BYTE(dither), &r.bmp, &r.pal, Progress, 0); break;
    case K::Gif: r.code = ilReadGif(name, BYTE(depth), BYTE(dither), &r.bmp, &r.pal, Progress, 0, "lzw"); break;
    case K::Bmp: r.code = ilReadBmp(name, BYTE(depth), BYTE(dither), &r.bmp, &r.pal, Progress, 0); break;
    case K::Png: r.code = ilReadPng(name, BYTE(depth), BYTE(dither), &r.bmp, &r.pal, Progress, 0); break;
  }
  return r;
}

void Free(Result& r, HPALETTE keep = nullptr) {
  if (r.bmp) DeleteObject(r.bmp);
  if (r.pal && r.pal != keep) DeleteObject(r.pal);
  r = {};
}

// Where a JPEG file's first scan data starts.
size_t JpegDataStart(const std::vector<uint8_t>& d) {
  for (size_t i = 0; i + 3 < d.size(); ++i)
    if (d[i] == 0xFF && d[i + 1] == 0xDA) return i + 2 + (size_t(d[i + 2]) << 8 | d[i + 3]);
  return d.size();
}

class ImageReader : public ::testing::Test {
 protected:
  void SetUp() override {
    progressCalls = 0;
    progressStopAt = -1;
  }
  std::string File(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = ::testing::TempDir() + name;
    WriteBytes(path, bytes);
    files_.push_back(path);
    return path;
  }
  void TearDown() override {
    for (auto& f : files_) DeleteFileA(f.c_str());
  }
  std::vector<std::string> files_;
};

// The four kinds at depth 24 keep the colours of the quadrant image.
TEST_F(ImageReader, Depth24KeepsColours) {
  Pixels q = Quadrants(40, 30);
  std::vector<Color> table = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  std::vector<uint8_t> idx(40 * 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) idx[size_t(y * 40 + x)] = uint8_t((y >= 15 ? 2 : 0) + (x >= 20 ? 1 : 0));
  struct Case {
    K kind;
    std::string file;
    int tolerance;
  } cases[] = {{K::Bmp, File("q.bmp", MakeBmp24(q)), 0},
               {K::Png, File("q.png", MakePng(q)), 0},
               {K::Gif, File("q.gif", MakeGif(40, 30, table, idx)), 0},
               {K::Jpeg, File("q.jpg", MakeJpeg(q)), 24}};
  for (const Case& c : cases) {
    Result r = Read(c.kind, c.file, 24);
    ASSERT_GE(r.code, 1) << c.file;
    ASSERT_NE(r.bmp, nullptr);
    EXPECT_EQ(r.pal, nullptr);
    ReadBack b = ReadPixels(r.bmp);
    ASSERT_EQ(b.w, 40);
    ASSERT_EQ(b.h, 30);
    // Probe the middle of each quadrant.
    const int xs[] = {10, 30, 10, 30}, ys[] = {7, 7, 22, 22};
    for (int i = 0; i < 4; ++i) {
      uint32_t got = b.At(xs[i], ys[i]), want = Rgb(table[size_t(i)]);
      for (int sh = 0; sh <= 16; sh += 8)
        EXPECT_LE(std::abs(int((got >> sh) & 255) - int((want >> sh) & 255)), c.tolerance)
            << c.file << " quadrant " << i;
    }
    Free(r);
  }
  EXPECT_GE(progressCalls, 4);
}

// Depth 8 with the viewer's palette: every pixel is one of its colours, the palette comes
// back as a new object with the same colours, and dithering mixes them.
TEST_F(ImageReader, Depth8QuantisesAgainstThePaletteGiven) {
  HPALETTE cube = MakeCubePalette();
  std::set<uint32_t> cubeColors = PaletteSet(cube);
  Pixels grey = Solid(32, 32, {100, 100, 100});  // between the cube's 51 and 102
  std::string png = File("grey.png", MakePng(grey));

  Result r = Read(K::Png, png, 8, 1, cube);
  ASSERT_GE(r.code, 1);
  ASSERT_NE(r.pal, nullptr);
  EXPECT_NE(r.pal, cube);
  EXPECT_EQ(PaletteSet(r.pal), cubeColors);
  ReadBack b = ReadPixels(r.bmp);
  std::set<uint32_t> used;
  long sum = 0;
  for (uint32_t p : b.px) {
    EXPECT_TRUE(cubeColors.count(p)) << std::hex << p;
    used.insert(p);
    sum += p & 255;
  }
  EXPECT_GE(used.size(), 2u);  // dithered: a mix, not one flat colour
  EXPECT_NEAR(double(sum) / double(b.px.size()), 100.0, 4.0);
  Free(r, cube);

  // Without dithering the nearest colour is taken everywhere.
  r = Read(K::Png, png, 8, 0, cube);
  ASSERT_GE(r.code, 1);
  b = ReadPixels(r.bmp);
  for (uint32_t p : b.px) EXPECT_EQ(p, 0x666666u);
  Free(r, cube);
  DeleteObject(cube);
}

// Depth 8 without a palette: an image of few colours keeps them exactly; one of many
// colours gets a fixed palette of 256.
TEST_F(ImageReader, Depth8WithoutPalette) {
  Pixels q = Quadrants(16, 16);
  Result r = Read(K::Bmp, File("q8.bmp", MakeBmp24(q)), 8);
  ASSERT_GE(r.code, 1);
  ASSERT_NE(r.pal, nullptr);
  int count = 0;
  std::set<uint32_t> colors = PaletteSet(r.pal, &count);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(colors, (std::set<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
  ReadBack b = ReadPixels(r.bmp);
  EXPECT_EQ(b.At(0, 0), 0xFF0000u);
  EXPECT_EQ(b.At(15, 15), 0xFFFFFFu);
  Free(r);

  Pixels ramp = Solid(64, 64, {0, 0, 0});
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) ramp.Set(x, y, {uint8_t(x * 4), uint8_t(y * 4), uint8_t(x + y)});
  r = Read(K::Png, File("ramp.png", MakePng(ramp)), 8);
  ASSERT_GE(r.code, 1);
  colors = PaletteSet(r.pal, &count);
  EXPECT_EQ(count, 256);
  b = ReadPixels(r.bmp);
  for (uint32_t p : b.px) ASSERT_TRUE(colors.count(p));
  Free(r);
}

// Depth 4: the sixteen colours of a 16-colour screen.
TEST_F(ImageReader, Depth4UsesSixteenColours) {
  Pixels ramp = Solid(48, 20, {0, 0, 0});
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 48; ++x) ramp.Set(x, y, {uint8_t(x * 5), 90, uint8_t(255 - x * 5)});
  for (K kind : {K::Jpeg, K::Png}) {
    std::string f = kind == K::Jpeg ? File("r4.jpg", MakeJpeg(ramp)) : File("r4.png", MakePng(ramp));
    Result r = Read(kind, f, 4);
    ASSERT_GE(r.code, 1);
    int count = 0;
    std::set<uint32_t> colors = PaletteSet(r.pal, &count);
    EXPECT_EQ(count, 16);
    EXPECT_TRUE(colors.count(0xC0C0C0));
    ReadBack b = ReadPixels(r.bmp);
    std::set<uint32_t> used;
    for (uint32_t p : b.px) {
      ASSERT_TRUE(colors.count(p)) << std::hex << p;
      used.insert(p);
    }
    EXPECT_GE(used.size(), 3u);
    Free(r);
  }
}

// Transparent GIF pixels come back in the colour of the transparent index, from the
// global or the local table.
TEST_F(ImageReader, GifTransparentPixelsTakeTheirIndexColour) {
  std::vector<Color> table = {{0, 0, 0}, {10, 200, 30}, {250, 250, 250}};
  std::vector<uint8_t> idx(8 * 8, 2);
  for (int i = 0; i < 8; ++i) idx[size_t(i * 8 + i)] = 1;  // a diagonal of transparent pixels
  idx[63 - 7] = 0;
  for (bool local : {false, true}) {
    std::string f = File(local ? "tl.gif" : "tg.gif", MakeGif(8, 8, table, idx, 1, true, local));
    for (int depth : {24, 8}) {
      Result r = Read(K::Gif, f, depth);
      ASSERT_GE(r.code, 1) << local << depth;
      ReadBack b = ReadPixels(r.bmp);
      EXPECT_EQ(b.At(3, 3), 0x0AC81Eu) << local << depth;
      EXPECT_EQ(b.At(7, 7), 0x0AC81Eu);
      EXPECT_EQ(b.At(1, 0), 0xFAFAFAu);
      EXPECT_EQ(b.At(0, 7), 0x000000u);
      Free(r);
    }
  }
}

TEST_F(ImageReader, ProgressCallBackStopsTheRead) {
  Pixels big = Solid(64, 400, {20, 40, 60});
  std::string png = File("big.png", MakePng(big));
  for (int depth : {24, 8, 4}) {
    for (int stopAt : {1, 2, 3}) {
      progressCalls = 0;
      progressStopAt = stopAt;
      HPALETTE in = nullptr;
      Result r = Read(K::Png, png, depth, 1, in);
      EXPECT_LE(r.code, 0) << depth << " " << stopAt;
      EXPECT_EQ(r.bmp, nullptr);
      EXPECT_EQ(r.pal, nullptr);
      EXPECT_EQ(progressCalls, stopAt);  // asked no more after the stop
    }
  }
  progressCalls = 0;
  progressStopAt = -1;
  Result r = Read(K::Png, png, 8);
  EXPECT_GE(r.code, 1);
  EXPECT_GE(progressCalls, 5);  // asked through the rows, not only at the ends
  Free(r);
}

// Corrupt, truncated, empty and missing files, the wrong kind and bad arguments: a result
// of 0 or below, no bitmap, the palette as it was, and no crash.
TEST_F(ImageReader, BadInputFailsCleanly) {
  Pixels q = Quadrants(24, 24);
  std::vector<uint8_t> idx(24 * 24, 1);
  struct Src {
    K kind;
    std::vector<uint8_t> bytes;
  } sources[] = {{K::Bmp, MakeBmp24(q)},
                 {K::Png, MakePng(q)},
                 {K::Jpeg, MakeJpeg(q)},
                 {K::Gif, MakeGif(24, 24, {{1, 2, 3}, {4, 5, 6}}, idx, 0)}};
  HPALETTE cube = MakeCubePalette();
  int n = 0;
  for (const Src& s : sources) {
    std::vector<std::vector<uint8_t>> bad;
    for (size_t len : {size_t(0), size_t(1), size_t(7), size_t(20), s.bytes.size() / 3})
      bad.emplace_back(s.bytes.begin(), s.bytes.begin() + long(std::min(len, s.bytes.size())));
    std::vector<uint8_t> garbled = s.bytes;
    for (size_t i = 12; i < garbled.size(); i += 3) garbled[i] = uint8_t(i * 7);
    bad.push_back(garbled);
    std::vector<uint8_t> hugeHeader = s.bytes;
    if (s.kind == K::Bmp) {  // 100000 x 100000 pixels claimed
      hugeHeader[18] = 0xA0;
      hugeHeader[19] = 0x86;
      hugeHeader[20] = 0x01;
      hugeHeader[22] = 0xA0;
      hugeHeader[23] = 0x86;
      hugeHeader[24] = 0x01;
      bad.push_back(hugeHeader);
    }
    for (size_t b = 0; b < bad.size(); ++b) {
      std::string f = File("bad" + std::to_string(n++) + ".img", bad[b]);
      // A JPEG file cut inside its picture data shows what it holds (below).
      bool truncated = b < 5 && !(s.kind == K::Jpeg && bad[b].size() > JpegDataStart(s.bytes));
      for (int depth : {24, 8}) {
        Result r = Read(s.kind, f, depth, 1, cube);
        if (!truncated && r.code >= 1) {  // a garbled body may still decode; then it is whole
          EXPECT_NE(r.bmp, nullptr);
          Free(r, cube);
          continue;
        }
        EXPECT_EQ(r.bmp, nullptr) << f;
        EXPECT_EQ(r.pal, cube) << f;
      }
    }
  }
  // One byte short is short too.
  for (const Src& s : sources) {
    if (s.kind == K::Jpeg) continue;
    std::string f =
        File("short" + std::to_string(n++) + ".img", std::vector<uint8_t>(s.bytes.begin(), s.bytes.end() - 2));
    EXPECT_LE(Read(s.kind, f, 24).code, 0) << f;
  }
  // A PNG handed to the JPEG and BMP readers is not read.
  std::string png = File("kind.png", sources[1].bytes);
  EXPECT_LE(Read(K::Jpeg, png, 24).code, 0);
  EXPECT_LE(Read(K::Bmp, png, 24).code, 0);
  EXPECT_GE(Read(K::Png, png, 24).code, 1);
  EXPECT_LE(Read(K::Gif, ::testing::TempDir() + "no-such-file.gif", 8).code, 0);

  HBITMAP bmp = nullptr;
  HPALETTE pal = nullptr;
  EXPECT_LE(ilReadPng(nullptr, 24, 1, &bmp, &pal, Progress, 0), 0);
  EXPECT_LE(ilReadPng(png.c_str(), 24, 1, nullptr, &pal, Progress, 0), 0);
  EXPECT_LE(ilReadPng(png.c_str(), 24, 1, &bmp, nullptr, Progress, 0), 0);
  EXPECT_LE(ilReadPng(png.c_str(), 0, 1, &bmp, &pal, Progress, 0), 0);
  std::string longName(300, 'a');  // not terminated inside its 256-byte buffer
  EXPECT_LE(ilReadPng(longName.c_str(), 24, 1, &bmp, &pal, Progress, 0), 0);
  EXPECT_EQ(bmp, nullptr);
  // No call-back at all is allowed.
  EXPECT_GE(ilReadPng(png.c_str(), 24, 1, &bmp, &pal, nullptr, 0), 1);
  DeleteObject(bmp);
  DeleteObject(cube);
}

// The library exports ordinals 1 to 4 and no names.
// A JPEG file cut inside its picture data, as a download that broke off leaves it: the
// bitmap shows the top as the whole file has it and mid-grey where the data is missing.
TEST_F(ImageReader, ACutJpegShowsAsFarAsItGoes) {
  std::vector<uint8_t> whole = MakeJpeg(Quadrants(64, 64));
  size_t start = JpegDataStart(whole);
  std::vector<uint8_t> cut(whole.begin(), whole.begin() + long(start + (whole.size() - start) / 3));
  Result r = Read(K::Jpeg, File("cut.jpg", cut), 24);
  ASSERT_GE(r.code, 1);
  ReadBack b = ReadPixels(r.bmp);
  ASSERT_EQ(b.w, 64);
  ASSERT_EQ(b.h, 64);
  auto close = [](uint32_t got, uint32_t want) {
    for (int sh = 0; sh <= 16; sh += 8)
      if (std::abs(int((got >> sh) & 255) - int((want >> sh) & 255)) > 24) return false;
    return true;
  };
  EXPECT_TRUE(close(b.At(8, 8), 0xFF0000)) << std::hex << b.At(8, 8);
  for (int x : {0, 31, 32, 63}) EXPECT_TRUE(close(b.At(x, 63), 0x808080)) << x << " " << std::hex << b.At(x, 63);
  Free(r);
}

TEST(ImageReaderLibrary, ExportsByOrdinalOnly) {
  HMODULE lib = GetModuleHandleA("ILIB95HT.DLL");
  ASSERT_NE(lib, nullptr);
  for (int i = 1; i <= 4; ++i) EXPECT_NE(GetProcAddress(lib, MAKEINTRESOURCEA(i)), nullptr) << i;
  EXPECT_EQ(GetProcAddress(lib, MAKEINTRESOURCEA(5)), nullptr);
  EXPECT_EQ(GetProcAddress(lib, "ilReadJpeg"), nullptr);
  EXPECT_EQ(GetProcAddress(lib, "ilReadJpeg@28"), nullptr);
}

}  // namespace
