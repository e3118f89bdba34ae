// The auto-correct file: one "wrong=replacement" pair a line, in the ANSI code page.
#pragma once

#include "framework/core/Classes.h"

namespace vx {

// Appends the file's pairs to the two parallel lists: the wrong word converted to the OEM
// code page (the scanner's words are OEM), the replacement as written. A line is cut to
// 255 characters and split at its first "="; one with no "=" or an empty side is skipped.
void ReadAutoCorrectFile(const AnsiString& fileName, TStrings& from, TStrings& to);

}  // namespace vx
