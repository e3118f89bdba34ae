#include "toolkit/StrUtils.h"

namespace vx {

namespace {
bool IsDelim(const TCharSet& d, char c) { return d.test(static_cast<unsigned char>(c)); }
}  // namespace

TCharSet MakeCharSet(const char* chars) {
  TCharSet set;
  for (const char* p = chars; p && *p; ++p) set.set(static_cast<unsigned char>(*p));
  return set;
}

int CountWords(const AnsiString& s, const TCharSet& delims) {
  int count = 0;
  bool inWord = false;
  for (char c : s) {
    if (IsDelim(delims, c)) {
      inWord = false;
    } else if (!inWord) {
      inWord = true;
      ++count;
    }
  }
  return count;
}

int NthWordStart(int n, const AnsiString& s, const TCharSet& delims) {
  if (n < 1) return 0;
  int count = 0;
  bool inWord = false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsDelim(delims, s[i])) {
      inWord = false;
    } else if (!inWord) {
      inWord = true;
      if (++count == n) return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

AnsiString NthWord(int n, const AnsiString& s, const TCharSet& delims) {
  int start = NthWordStart(n, s, delims);
  if (start == 0) return AnsiString();
  size_t b = static_cast<size_t>(start - 1), e = b;
  while (e < s.size() && !IsDelim(delims, s[e])) ++e;
  return s.substr(b, e - b);
}

}  // namespace vx
