// The image reader bridge: depth choice, reads into a TBitmap and failures that leave it
// untouched. (The GIF transparent colour belongs to the image unit and is tested there.)
#include <gtest/gtest.h>

#include "framework/win/Graphics.h"
#include "imagelib/tests/ImageFiles.h"
#include "viewer/DLLINT32.h"

namespace vx {
namespace {

using namespace ilibtest;

int __stdcall KeepGoing() { return 1; }
int __stdcall Stop() { return 0; }

class ImageBridge : public ::testing::Test {
 protected:
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

TEST(ImageBridgeDepth, DepthFromScreenBits) {
  EXPECT_EQ(ColorDepthFromBits(1), 4);
  EXPECT_EQ(ColorDepthFromBits(4), 4);
  EXPECT_EQ(ColorDepthFromBits(8), 8);
  EXPECT_EQ(ColorDepthFromBits(15), 8);
  EXPECT_EQ(ColorDepthFromBits(16), 24);
  EXPECT_EQ(ColorDepthFromBits(24), 24);
  EXPECT_EQ(ColorDepthFromBits(32), 24);
  HDC screen = GetDC(nullptr);
  int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  EXPECT_EQ(DisplayColorDepth(screen), ColorDepthFromBits(bits));
  ReleaseDC(nullptr, screen);
}

TEST_F(ImageBridge, ReadsEachKindIntoABitmap) {
  Pixels q = Quadrants(20, 10);
  std::vector<uint8_t> idx(200, 0);
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    bool (*read)(const AnsiString&, int, int, TImageProgressCallback, TBitmap&, HPALETTE);
  } cases[] = {{"b.png", MakePng(q), ReadPngImage},
               {"b.bmp", MakeBmp24(q), ReadBmpImage},
               {"b.jpg", MakeJpeg(q), ReadJpegImage},
               {"b.gif", MakeGif(20, 10, {{9, 9, 9}, {1, 1, 1}}, idx), ReadGifImage}};
  for (Case& c : cases) {
    std::string f = File(c.name, c.bytes);
    for (int depth : {24, 8, 4}) {
      TBitmap b;
      ASSERT_TRUE(c.read(f, depth, ImageDitherFlag, KeepGoing, b, nullptr)) << c.name << depth;
      EXPECT_EQ(b.Width(), 20);
      EXPECT_EQ(b.Height(), 10);
      EXPECT_EQ(b.Palette() != nullptr, depth != 24) << c.name << depth;
    }
  }
}

TEST_F(ImageBridge, ViewerPaletteIsOnlyLent) {
  struct {
    WORD version, count;
    PALETTEENTRY e[2];
  } lp{0x300, 2, {{0, 0, 0, 0}, {255, 255, 255, 0}}};
  HPALETTE viewer = CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
  std::string f = File("p.png", MakePng(Solid(8, 8, {200, 200, 200})));
  for (int depth : {8, 24}) {
    {
      TBitmap b;
      ASSERT_TRUE(ReadPngImage(f, depth, 1, KeepGoing, b, viewer));
      ASSERT_NE(b.Palette(), nullptr);
      EXPECT_NE(b.Palette(), viewer);
      PALETTEENTRY e[4];
      EXPECT_EQ(GetPaletteEntries(b.Palette(), 0, 4, e), 2u);
    }  // the TBitmap frees its own palette here
    WORD count = 0;
    EXPECT_TRUE(GetObjectA(viewer, sizeof(count), &count)) << "viewer palette still alive";
  }
  DeleteObject(viewer);
}

TEST_F(ImageBridge, FailureLeavesTheBitmapUntouched) {
  std::string png = File("ok.png", MakePng(Solid(5, 7, {1, 2, 3})));
  std::string bad = File("bad.gif", {'G', 'I', 'F', '8', '9', 'a', 1, 0});
  TBitmap b;
  b.SetSize(3, 3);
  HBITMAP before = b.Handle();
  EXPECT_FALSE(ReadGifImage(bad, 24, 1, KeepGoing, b));
  EXPECT_FALSE(ReadGifImage(::testing::TempDir() + "missing.gif", 24, 1, KeepGoing, b));
  EXPECT_FALSE(ReadPngImage(png, 24, 1, Stop, b));        // stopped by the call-back
  EXPECT_FALSE(ReadJpegImage(png, 24, 1, KeepGoing, b));  // not a JPEG
  EXPECT_EQ(b.Handle(), before);
  EXPECT_EQ(b.Width(), 3);

  // Names that do not fit the 256-byte buffer are refused, not cut to another name.
  std::string longName = ::testing::TempDir() + std::string(300, 'x') + ".png";
  EXPECT_FALSE(ReadPngImage(longName, 24, 1, KeepGoing, b));
  HBITMAP raw = nullptr;
  HPALETTE pal = nullptr;
  EXPECT_FALSE(ReadPngImage(longName, 24, 1, KeepGoing, raw, pal));
  EXPECT_EQ(raw, nullptr);
  ASSERT_TRUE(ReadPngImage(png, 24, 1, KeepGoing, raw, pal));
  EXPECT_NE(raw, nullptr);
  DeleteObject(raw);
}

}  // namespace
}  // namespace vx
