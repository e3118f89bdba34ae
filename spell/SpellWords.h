// Small rules about words shared by the dictionary, the suggestions and the scanner.
#pragma once

#include <cstdint>

#include "framework/core/Object.h"
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
// The letters A to Z only; every other byte stays (the words are in the OEM code page).
inline AnsiString LowerWord(AnsiString w) {
  for (char& c : w)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return w;
}
inline AnsiString UpperWordAZ(AnsiString w) {
  for (char& c : w)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return w;
}

}  // namespace vx
