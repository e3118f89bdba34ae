#include "tools/GlyphRes.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace vx {

namespace {

[[noreturn]] void Fail(const std::string& file, int line, const std::string& msg) {
  throw std::runtime_error(file + ":" + std::to_string(line) + ": " + msg);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : text) {
    if (c == '\n') {
      out.push_back(cur);
      cur.clear();
    } else if (c != '\r') {
      cur += c;
    }
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
  return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

void Put16(std::vector<uint8_t>& b, unsigned v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back((v >> (8 * i)) & 0xFF);
}

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) throw std::runtime_error(path + ": cannot open");
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& data) {
  std::ofstream f(path, std::ios::binary);
  f.write(data.data(), static_cast<std::streamsize>(data.size()));
  if (!f) throw std::runtime_error(path + ": cannot write");
}

std::string BaseName(const std::string& path, std::string& ext) {
  size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind('.');
  ext = dot == std::string::npos ? "" : name.substr(dot);
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

int GlyphPalette::IndexOf(char key) const {
  for (size_t i = 0; i < keys.size(); ++i)
    if (keys[i] == key) return static_cast<int>(i);
  return -1;
}

GlyphPalette ParseGlyphPalette(const std::string& text, const std::string& file) {
  GlyphPalette p;
  std::vector<std::string> lines = Lines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string l = Trim(lines[i]);
    if (l.empty() || l[0] == '#') continue;
    int n = static_cast<int>(i) + 1;
    if (l.size() < 8 || l[1] != ' ') Fail(file, n, "expected \"K RRGGBB name\"");
    std::string hex = l.substr(2, 6);
    if (hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) Fail(file, n, "bad colour " + hex);
    if (p.IndexOf(l[0]) >= 0) Fail(file, n, std::string("key '") + l[0] + "' given twice");
    if (p.keys.size() == 16) Fail(file, n, "more than 16 colours");
    p.keys.push_back(l[0]);
    p.colours.push_back(static_cast<uint32_t>(std::stoul(hex, nullptr, 16)));
  }
  if (p.keys.empty()) Fail(file, 1, "empty palette");
  return p;
}

GlyphPicture ParseGlyphPicture(const std::string& text, const std::string& file, const GlyphPalette& palette,
                               bool cursor) {
  GlyphPicture g;
  std::vector<std::string> lines = Lines(text);
  int firstRow = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string l = lines[i];
    int n = static_cast<int>(i) + 1;
    if (Trim(l).empty() || l[0] == '#') continue;
    if (l.rfind("hotspot ", 0) == 0) {
      std::istringstream s(l.substr(8));
      if (!(s >> g.hotX >> g.hotY)) Fail(file, n, "expected \"hotspot X Y\"");
      continue;
    }
    l = Trim(l);
    if (g.rows.empty()) firstRow = n;
    if (!g.rows.empty() && l.size() != g.rows[0].size())
      Fail(file, n, "row of " + std::to_string(l.size()) + " pixels, expected " + std::to_string(g.rows[0].size()));
    for (char c : l) {
      bool ok = cursor ? std::string(".kwx").find(c) != std::string::npos : palette.IndexOf(c) >= 0;
      if (!ok) Fail(file, n, std::string("'") + c + "' is not in the legend");
    }
    g.rows.push_back(l);
  }
  if (g.rows.empty()) Fail(file, 1, "no picture");
  g.width = static_cast<int>(g.rows[0].size());
  g.height = static_cast<int>(g.rows.size());
  if (cursor) {
    if (g.width != 32 || g.height != 32) Fail(file, firstRow, "a cursor is 32 x 32");
    if (g.hotX < 0 || g.hotX > 31 || g.hotY < 0 || g.hotY > 31) Fail(file, 1, "hotspot outside");
  } else if (g.rows.back()[0] != palette.keys[0]) {
    Fail(file, firstRow + g.height - 1, "the bottom-left pixel must be the transparent colour");
  }
  return g;
}

std::vector<uint8_t> MakeGlyphBitmap(const GlyphPicture& p, const GlyphPalette& palette) {
  int stride = ((p.width + 1) / 2 + 3) / 4 * 4;
  uint32_t pixelBytes = static_cast<uint32_t>(stride * p.height);
  uint32_t offset = 14 + 40 + 16 * 4;
  std::vector<uint8_t> b;
  b.push_back('B');
  b.push_back('M');
  Put32(b, offset + pixelBytes);
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, static_cast<uint32_t>(p.width));
  Put32(b, static_cast<uint32_t>(p.height));
  Put16(b, 1);
  Put16(b, 4);
  Put32(b, 0);  // BI_RGB
  Put32(b, pixelBytes);
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, 16);
  Put32(b, 0);
  for (size_t i = 0; i < 16; ++i) {
    uint32_t c = i < palette.colours.size() ? palette.colours[i] : 0;
    b.push_back(c & 0xFF);          // blue
    b.push_back((c >> 8) & 0xFF);   // green
    b.push_back((c >> 16) & 0xFF);  // red
    b.push_back(0);
  }
  for (int y = p.height - 1; y >= 0; --y) {  // bottom row first
    std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
    for (int x = 0; x < p.width; ++x) {
      int idx = palette.IndexOf(p.rows[y][x]);
      row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? idx << 4 : idx);
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

std::vector<uint8_t> MakeGlyphCursor(const GlyphPicture& p) {
  std::vector<uint8_t> b;
  uint32_t size = 40 + 8 + 32 * 4 * 2;
  Put16(b, 0);
  Put16(b, 2);  // cursor
  Put16(b, 1);
  b.push_back(32);
  b.push_back(32);
  b.push_back(0);
  b.push_back(0);
  Put16(b, static_cast<unsigned>(p.hotX));
  Put16(b, static_cast<unsigned>(p.hotY));
  Put32(b, size);
  Put32(b, 22);
  Put32(b, 40);
  Put32(b, 32);
  Put32(b, 64);  // the XOR and AND masks together
  Put16(b, 1);
  Put16(b, 1);
  for (int i = 0; i < 6; ++i) Put32(b, 0);
  Put32(b, 0);           // black
  Put32(b, 0x00FFFFFF);  // white
  std::vector<uint8_t> xorMask, andMask;
  for (int y = 31; y >= 0; --y)
    for (int byte = 0; byte < 4; ++byte) {
      uint8_t xv = 0, av = 0;
      for (int bit = 0; bit < 8; ++bit) {
        char c = p.rows[y][byte * 8 + bit];
        uint8_t m = static_cast<uint8_t>(0x80 >> bit);
        if (c == 'w' || c == 'x') xv |= m;
        if (c == '.' || c == 'x') av |= m;
      }
      xorMask.push_back(xv);
      andMask.push_back(av);
    }
  b.insert(b.end(), xorMask.begin(), xorMask.end());
  b.insert(b.end(), andMask.begin(), andMask.end());
  return b;
}

int GlyphResMain(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: glyphres OUTDIR PALETTE FILE...\n";
    return 2;
  }
  try {
    std::string out = argv[1];
    GlyphPalette palette = ParseGlyphPalette(ReadFile(argv[2]), argv[2]);
    std::string rc = "// Made by glyphres from data/glyphs: do not edit.\n";
    for (int i = 3; i < argc; ++i) {
      std::string ext;
      std::string name = BaseName(argv[i], ext);
      bool cursor = ext == ".cursor";
      GlyphPicture g = ParseGlyphPicture(ReadFile(argv[i]), argv[i], palette, cursor);
      std::vector<uint8_t> bytes = cursor ? MakeGlyphCursor(g) : MakeGlyphBitmap(g, palette);
      std::string file = name + (cursor ? ".cur" : ".bmp");
      WriteFile(out + "/" + file, std::string(bytes.begin(), bytes.end()));
      rc += name + (cursor ? " CURSOR \"" : " BITMAP \"") + file + "\"\n";
    }
    WriteFile(out + "/glyphs.rc", rc);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace vx
