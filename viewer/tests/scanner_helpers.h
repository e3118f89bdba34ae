// Shared helpers of the scanner tests: scan a text into a list of symbols.
#pragma once

#include <string>
#include <vector>

#include "viewer/HTMLScanner.h"

namespace vx::test {

struct Scanned {
  THtmlSymbol sy;
  std::string token;
  TAttributeList attrs;
  int level;
};

// Scans `html` from memory until the end symbol (included) or `limit` symbols.
inline std::vector<Scanned> ScanAll(const std::string& html, bool pre = false, size_t limit = 100000) {
  THtmlScanner s;
  s.Preformatted = pre;
  s.OpenMemory(html.data(), html.size());
  s.Start();
  std::vector<Scanned> out;
  do {
    s.ScanSymbol();
    out.push_back({s.Sy, s.Token, s.Attributes, s.HeadingLevel});
  } while (s.Sy != EofSym && out.size() < limit);
  return out;
}

// Symbols only, as display names with text in quotes: "<B>", "'Bold'", "</B>", "eof".
inline std::string Dump(const std::vector<Scanned>& v) {
  std::string r;
  for (const Scanned& x : v) {
    if (!r.empty()) r += ' ';
    if (x.sy == TextSym || x.sy == SingleCharSym)
      r += (x.sy == TextSym ? "'" : "c'") + x.token + "'";
    else
      r += SymbolDisplayName(x.sy);
  }
  return r;
}

inline std::string DumpHtml(const std::string& html, bool pre = false) { return Dump(ScanAll(html, pre)); }

// All text of the text symbols, concatenated.
inline std::string TextOf(const std::vector<Scanned>& v) {
  std::string r;
  for (const Scanned& x : v)
    if (x.sy == TextSym) r += x.token;
  return r;
}

}  // namespace vx::test
