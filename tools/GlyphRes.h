// Glyph pictures as text: a palette legend maps one character to one colour, a picture
// is a block of such characters. They become 16-colour bitmaps (and a cursor) for the
// program's resources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

struct GlyphPalette {
  std::vector<char> keys;         // at most 16, in legend order
  std::vector<uint32_t> colours;  // 0xRRGGBB
  int IndexOf(char key) const;
};

struct GlyphPicture {
  std::string name;
  int width = 0, height = 0;
  std::vector<std::string> rows;  // top row first
  int hotX = 0, hotY = 0;         // cursors only
};

// Lines "K RRGGBB words...", '#' comments and blank lines skipped. Throws
// std::runtime_error with "file:line: message" on a mistake.
GlyphPalette ParseGlyphPalette(const std::string& text, const std::string& file);
// Picture lines of equal width in legend characters; "hotspot X Y" for a cursor. The
// bottom-left pixel must be the legend's first key (the transparent colour).
GlyphPicture ParseGlyphPicture(const std::string& text, const std::string& file, const GlyphPalette& palette,
                               bool cursor);
// A 4-bit BMP file of the picture with the whole legend as its colour table.
std::vector<uint8_t> MakeGlyphBitmap(const GlyphPicture& p, const GlyphPalette& palette);
// A 32 x 32 monochrome CUR file: 'k' black, 'w' white, '.' transparent, 'x' inverted.
std::vector<uint8_t> MakeGlyphCursor(const GlyphPicture& p);

// glyphres OUTDIR PALETTE FILE... : writes NAME.bmp per ".glyph" file, NAME.cur per
// ".cursor" file and glyphs.rc naming them all; the resource name is the file's name.
int GlyphResMain(int argc, char** argv);

}  // namespace vx
