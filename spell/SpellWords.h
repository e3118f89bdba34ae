// Small rules about words shared by the dictionary, the suggestions and the scanner.
#pragma once

#include <cstdint>

#include "framework/core/SysUtils.h"
#include "spell/DctFormat.h"

namespace vx {

constexpr int kMaxWordLength = dct::kMaxWordLength;

// The word characters: the apostrophe, digits, ASCII letters and the bytes 128-165 (the
// accented letters of the OEM code page).
constexpr bool IsWordChar(uint8_t c) {
  return c == 39 || (c >= 48 && c <= 57) || (c >= 65 && c <= 90) || (c >= 97 && c <= 122) || (c >= 128 && c <= 165);
}
constexpr bool IsDigitChar(uint8_t c) { return c >= '0' && c <= '9'; }

inline AnsiString CutWord(const AnsiString& w) {
  return w.size() > static_cast<size_t>(kMaxWordLength) ? w.substr(0, kMaxWordLength) : w;
}
// The form in which the dictionary looks a word up, and so the form its builder stores:
// cut to 50 characters, A-Z lower-cased (LowerCase changes no other byte, and the words are
// in the OEM code page), a final "'s" dropped.
inline AnsiString LookupForm(const AnsiString& word) {
  AnsiString w = LowerCase(CutWord(word));
  if (w.size() >= 2 && w.compare(w.size() - 2, 2, "'s") == 0) w.resize(w.size() - 2);
  return w;
}

}  // namespace vx
