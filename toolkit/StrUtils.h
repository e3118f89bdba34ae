// Word splitting over a set of delimiter characters.
#pragma once

#include <bitset>

#include "framework/core/Object.h"

namespace vx {

// A set of 8-bit characters.
using TCharSet = std::bitset<256>;

// The set of the characters of chars ("[ ,]" gives '[', ' ', ',', ']').
TCharSet MakeCharSet(const char* chars);

// A word is a maximal run of characters not in the set; delimiter runs make no empty words.
int CountWords(const AnsiString& s, const TCharSet& delims);
// 1-based position of the first character of word n; 0 when there are fewer than n words.
int NthWordStart(int n, const AnsiString& s, const TCharSet& delims);
// Word n (1-based), empty when there is none.
AnsiString NthWord(int n, const AnsiString& s, const TCharSet& delims);

}  // namespace vx
