// The colour dialog's custom colours as the attribute grid keeps them in "custom.clr":
// lines "ColorA=" to "ColorP=" with the colour value (blue, green, red bytes from high
// to low) in six hexadecimal digits.
#pragma once

#include <array>
#include <cstdint>

#include "framework/core/Object.h"

namespace vx {

// The 16 custom colours; kNoCustomColor where the file sets none.
constexpr int32_t kNoCustomColor = -1;
using TCustomColors = std::array<int32_t, 16>;

// The colours that a file's text sets. The first line of a name counts (names compare
// without regard to case); a value that is missing, empty, not hexadecimal or beyond
// 0xFFFFFF sets nothing.
TCustomColors ReadCustomColors(const AnsiString& text);
// One line "ColorX=RRGGBB-as-stored" for each colour that is set, in order.
AnsiString CustomColorsText(const TCustomColors& colors);

}  // namespace vx
