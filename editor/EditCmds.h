// The text work of the editing commands, apart from any window: case conversion,
// stripping tags, the image map selection check and StripChars.
#pragma once

#include "framework/core/SysUtils.h"

namespace vx {

// Only the letters A to Z and a to z change; every other byte (accented letters too) stays.
AnsiString AsciiLowerCase(AnsiString s);
AnsiString AsciiUpperCase(AnsiString s);
// Removes every span from a "<" to the first ">" after it. False, with text unchanged,
// when a "<" has no ">" after it.
bool StripHTMLTags(AnsiString& text);
// The characters of S, in order, that do not occur in Chars.
AnsiString StripChars(const AnsiString& S, const AnsiString& Chars);
// Why a selection is not one whole MAP element ("" when it is); letter case is ignored.
AnsiString ImageMapSelectionError(const AnsiString& text);

}  // namespace vx
