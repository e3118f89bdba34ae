// The text work of the editing commands, apart from any window (declared in EditCmds.h):
// built natively too, where the fuzz targets read it.
#include "editor/EditCmds.h"

namespace vx {

AnsiString AsciiLowerCase(AnsiString s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

AnsiString AsciiUpperCase(AnsiString s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

bool StripHTMLTags(AnsiString& text) {
  AnsiString out;
  out.reserve(text.size());
  size_t at = 0;
  for (;;) {
    size_t open = text.find('<', at);
    if (open == AnsiString::npos) break;
    size_t close = text.find('>', open + 1);
    if (close == AnsiString::npos) return false;
    out.append(text, at, open - at);
    at = close + 1;
  }
  out.append(text, at, AnsiString::npos);
  text = std::move(out);
  return true;
}

AnsiString StripChars(const AnsiString& S, const AnsiString& Chars) {
  AnsiString out;
  for (char c : S)
    if (Chars.find(c) == AnsiString::npos) out += c;
  return out;
}

AnsiString ImageMapSelectionError(const AnsiString& text) {
  // Checked on a lower-cased copy: the map's name and addresses keep their case.
  AnsiString lower = AsciiLowerCase(text);
  size_t end = lower.find("</map>");
  if (end == AnsiString::npos) return "Ending </MAP> tag missing";
  if (end + 6 != lower.size()) return "Highlighted text incorrect - \r\nHighlight text from <MAP> to </MAP>";
  if (lower.compare(0, 4, "<map") != 0) return "Selected text does not start with <MAP> tag";
  return "";
}

}  // namespace vx
