#include "tagdefs/CustomClr.h"

#include "framework/core/Classes.h"
#include "framework/core/SysUtils.h"

namespace vx {

namespace {

AnsiString ColorName(int i) { return AnsiString("Color") + static_cast<char>('A' + i); }

// A colour value of one to six hexadecimal digits, else kNoCustomColor.
int32_t ParseColor(const AnsiString& text) {
  AnsiString v = Trim(text);
  if (v.empty() || v.size() > 6) return kNoCustomColor;
  int32_t c = 0;
  for (char ch : v) {
    int d;
    if (ch >= '0' && ch <= '9')
      d = ch - '0';
    else if (ch >= 'A' && ch <= 'F')
      d = ch - 'A' + 10;
    else if (ch >= 'a' && ch <= 'f')
      d = ch - 'a' + 10;
    else
      return kNoCustomColor;
    c = c * 16 + d;
  }
  return c;
}

}  // namespace

TCustomColors ReadCustomColors(const AnsiString& text) {
  TStringList lines;
  lines.SetText(text);
  TCustomColors colors;
  for (int i = 0; i < 16; ++i) {
    int at = lines.IndexOfName(ColorName(i));
    const AnsiString line = at < 0 ? AnsiString() : lines[at];
    colors[static_cast<size_t>(i)] = at < 0 ? kNoCustomColor : ParseColor(line.substr(line.find('=') + 1));
  }
  return colors;
}

AnsiString CustomColorsText(const TCustomColors& colors) {
  TStringList lines;
  for (int i = 0; i < 16; ++i)
    if (colors[static_cast<size_t>(i)] != kNoCustomColor)
      lines.Add(ColorName(i) + "=" + IntToHex(colors[static_cast<size_t>(i)], 6));
  return lines.Text();
}

}  // namespace vx
