// The glyph picture reader and the bitmap and cursor files it writes.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/GlyphRes.h"

namespace vx {
namespace {

const char* const kPalette =
    "# legend\n"
    ". FF00FF transparent\n"
    "k 000000 black\n"
    "n 000080 navy\n";

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

TEST(GlyphRes, BitmapHasLegendColoursAndRowsBottomUp) {
  GlyphPalette p = ParseGlyphPalette(kPalette, "palette.txt");
  ASSERT_EQ(p.keys.size(), 3u);
  GlyphPicture g = ParseGlyphPicture("# two rows\nkn.\n.nk\n", "a.glyph", p, false);
  EXPECT_EQ(g.width, 3);
  EXPECT_EQ(g.height, 2);
  std::vector<uint8_t> b = MakeGlyphBitmap(g, p);
  ASSERT_GE(b.size(), 14u + 40 + 64 + 8);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(U32(b, 2), b.size());
  EXPECT_EQ(U32(b, 18), 3u);  // width
  EXPECT_EQ(U32(b, 22), 2u);  // height, bottom-up
  EXPECT_EQ(b[28], 4);        // bits per pixel
  // Navy in the table as blue, green, red.
  EXPECT_EQ(b[54 + 2 * 4 + 0], 0x80);
  EXPECT_EQ(b[54 + 2 * 4 + 2], 0x00);
  size_t pixels = U32(b, 10);
  // The first stored row is the bottom one: ".nk" = 0, 2, 1.
  EXPECT_EQ(b[pixels], 0x02);
  EXPECT_EQ(b[pixels + 1], 0x10);
  // The top row "kn." = 1, 2, 0, four bytes further.
  EXPECT_EQ(b[pixels + 4], 0x12);
}

TEST(GlyphRes, MistakesNameTheFileAndLine) {
  GlyphPalette p = ParseGlyphPalette(kPalette, "palette.txt");
  auto message = [&](const char* text) {
    try {
      ParseGlyphPicture(text, "x.glyph", p, false);
    } catch (const std::runtime_error& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message("kn.\n.n\n"), "x.glyph:2: row of 2 pixels, expected 3");
  EXPECT_EQ(message("kz.\n"), "x.glyph:1: 'z' is not in the legend");
  // The bottom-left pixel decides the transparent colour, so it must be that colour.
  EXPECT_EQ(message("...\nk..\n"), "x.glyph:2: the bottom-left pixel must be the transparent colour");
  EXPECT_THROW(ParseGlyphPalette("k 0000 short\n", "p"), std::runtime_error);
  EXPECT_THROW(ParseGlyphPalette(". FF00FF a\n. 000000 b\n", "p"), std::runtime_error);
}

TEST(GlyphRes, CursorMasks) {
  std::string text = "hotspot 3 4\n";
  for (int y = 0; y < 32; ++y) text += y == 0 ? "kwx" + std::string(29, '.') + "\n" : std::string(32, '.') + "\n";
  GlyphPicture g = ParseGlyphPicture(text, "c.cursor", GlyphPalette{}, true);
  std::vector<uint8_t> b = MakeGlyphCursor(g);
  EXPECT_EQ(b[2], 2);   // a cursor
  EXPECT_EQ(b[10], 3);  // hot spot x
  EXPECT_EQ(b[12], 4);  // hot spot y
  size_t xorAt = 22 + 40 + 8, andAt = xorAt + 128;
  // The top row is stored last: black is neither mask, white the XOR mask, inverted both.
  EXPECT_EQ(b[xorAt + 31 * 4], 0x60);
  EXPECT_EQ(b[andAt + 31 * 4], 0x3F);
  EXPECT_EQ(b[andAt], 0xFF);
}

}  // namespace
}  // namespace vx
