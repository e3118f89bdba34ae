#include "framework/core/SysUtils.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "framework/core/Exceptions.h"
#include "framework/core/FileSystem.h"

namespace vx {

// ---------------------------------------------------------------------------------------
// Case mapping

namespace {

struct CaseTables {
  unsigned char upper[256];
  unsigned char lower[256];
  CaseTables() {
    for (int c = 0; c < 256; ++c) upper[c] = lower[c] = static_cast<unsigned char>(c);
    auto pair = [this](int up, int low) {
      upper[low] = static_cast<unsigned char>(up);
      lower[up] = static_cast<unsigned char>(low);
    };
    for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
    pair(0x8A, 0x9A);  // S caron
    pair(0x8C, 0x9C);  // OE
    pair(0x8E, 0x9E);  // Z caron
    pair(0x9F, 0xFF);  // Y diaeresis
    for (int c = 0xC0; c <= 0xDE; ++c)
      if (c != 0xD7) pair(c, c + 32);  // 0xD7 and 0xF7 are the multiplication and division signs
  }
};

const CaseTables& Cases() {
  static const CaseTables t;
  return t;
}

}  // namespace

char AnsiUpperChar(char c) { return static_cast<char>(Cases().upper[static_cast<unsigned char>(c)]); }
char AnsiLowerChar(char c) { return static_cast<char>(Cases().lower[static_cast<unsigned char>(c)]); }

AnsiString AnsiUpperCase(const AnsiString& s) {
  const auto& t = Cases();
  AnsiString r(s);
  for (auto& ch : r) ch = static_cast<char>(t.upper[static_cast<unsigned char>(ch)]);
  return r;
}

AnsiString AnsiLowerCase(const AnsiString& s) {
  const auto& t = Cases();
  AnsiString r(s);
  for (auto& ch : r) ch = static_cast<char>(t.lower[static_cast<unsigned char>(ch)]);
  return r;
}

AnsiString UpperCase(const AnsiString& s) {
  AnsiString r(s);
  for (auto& ch : r)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
  return r;
}

AnsiString LowerCase(const AnsiString& s) {
  AnsiString r(s);
  for (auto& ch : r)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
  return r;
}

// ---------------------------------------------------------------------------------------
// Collation. A string's sort key has four levels: the primary elements of its letters,
// digits and symbols; one diacritic weight per element; one case weight per element; and
// the punctuation level, where hyphens, apostrophes and control characters weigh by their
// position. Keys compare bytewise, level after level, as the platform's keys do.

namespace {

struct Coll {
  uint8_t n;  // primary elements: 0 (punctuation level or ignored), 1, or 2 for ligatures
  uint16_t p1, p2;
  uint8_t d1, d2;    // diacritic weights
  uint8_t ci1, ci2;  // case weights when case is ignored
  uint8_t cs1, cs2;  // case weights when case counts
  uint8_t sw, sc;    // punctuation weight and its case byte; 0 = ignored altogether
};

const Coll kColl[256] = {
#include "framework/core/Collation1252.inc"
};

void TrimMinimal(std::string& level) {
  while (!level.empty() && static_cast<unsigned char>(level.back()) == 2) level.pop_back();
}

std::string SortKey(const AnsiString& s, bool ignoreCase) {
  std::string prim, diac, cas, punct;
  prim.reserve(s.size() * 2);
  unsigned elements = 0;
  for (unsigned char ch : s) {
    const Coll& c = kColl[ch];
    if (c.n == 0) {
      if (c.sw == 0) continue;
      unsigned pos = 0xFFFF - (elements > 0xFFFF ? 0xFFFF : elements);
      punct.push_back(static_cast<char>(pos >> 8));
      punct.push_back(static_cast<char>(pos & 0xFF));
      punct.push_back(static_cast<char>(c.sw));
      punct.push_back(static_cast<char>(c.sc));
      continue;
    }
    prim.push_back(static_cast<char>(c.p1 >> 8));
    prim.push_back(static_cast<char>(c.p1 & 0xFF));
    diac.push_back(static_cast<char>(c.d1));
    cas.push_back(static_cast<char>(ignoreCase ? c.ci1 : c.cs1));
    ++elements;
    if (c.n == 2) {
      prim.push_back(static_cast<char>(c.p2 >> 8));
      prim.push_back(static_cast<char>(c.p2 & 0xFF));
      diac.push_back(static_cast<char>(c.d2));
      cas.push_back(static_cast<char>(ignoreCase ? c.ci2 : c.cs2));
      ++elements;
    }
  }
  TrimMinimal(diac);
  TrimMinimal(cas);
  std::string key;
  key.reserve(prim.size() + diac.size() + cas.size() + punct.size() + 5);
  key += prim;
  key += '\x01';
  key += diac;
  key += '\x01';
  key += cas;
  key += '\x01';
  key += '\x01';
  key += punct;
  return key;
}

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

// Strings made only of one-element characters compare level by level without keys.
bool Simple(const AnsiString& s) {
  for (unsigned char ch : s)
    if (kColl[ch].n != 1) return false;
  return true;
}

int CompareSimple(const AnsiString& a, const AnsiString& b, bool ignoreCase) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    uint16_t x = kColl[static_cast<unsigned char>(a[i])].p1;
    uint16_t y = kColl[static_cast<unsigned char>(b[i])].p1;
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (size_t i = 0; i < n; ++i) {
    uint8_t x = kColl[static_cast<unsigned char>(a[i])].d1;
    uint8_t y = kColl[static_cast<unsigned char>(b[i])].d1;
    if (x != y) return x < y ? -1 : 1;
  }
  for (size_t i = 0; i < n; ++i) {
    const Coll& ca = kColl[static_cast<unsigned char>(a[i])];
    const Coll& cb = kColl[static_cast<unsigned char>(b[i])];
    uint8_t x = ignoreCase ? ca.ci1 : ca.cs1;
    uint8_t y = ignoreCase ? cb.ci1 : cb.cs1;
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

int Collate(const AnsiString& a, const AnsiString& b, bool ignoreCase) {
  if (Simple(a) && Simple(b)) return CompareSimple(a, b, ignoreCase);
  return Sign(SortKey(a, ignoreCase).compare(SortKey(b, ignoreCase)));
}

}  // namespace

int AnsiCompareText(const AnsiString& a, const AnsiString& b) {
  if (a.size() == b.size()) {
    const auto& t = Cases();
    size_t i = 0;
    while (i < a.size() && t.lower[static_cast<unsigned char>(a[i])] == t.lower[static_cast<unsigned char>(b[i])]) ++i;
    if (i == a.size()) return 0;
  }
  return Collate(a, b, true);
}

int AnsiCompareStr(const AnsiString& a, const AnsiString& b) {
  if (a == b) return 0;
  return Collate(a, b, false);
}

bool AnsiSameText(const AnsiString& a, const AnsiString& b) { return AnsiCompareText(a, b) == 0; }
bool AnsiSameStr(const AnsiString& a, const AnsiString& b) { return AnsiCompareStr(a, b) == 0; }

int CompareText(const AnsiString& a, const AnsiString& b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameText(const AnsiString& a, const AnsiString& b) { return CompareText(a, b) == 0; }

int CompareStr(const AnsiString& a, const AnsiString& b) { return Sign(a.compare(b)); }

// ---------------------------------------------------------------------------------------
// Numbers

AnsiString IntToStr(int64_t v) { return std::to_string(v); }

AnsiString IntToHex(int64_t v, int digits) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*llX", digits < 0 ? 0 : (digits > 16 ? 16 : digits),
                static_cast<unsigned long long>(v));
  return buf;
}

namespace {

// The one reader of integer text, in three syntaxes:
//  Pascal: blanks around, a sign, then decimal or hexadecimal after "$" or "0x";
//  Stored (registry and INI values): blanks around, then hexadecimal after "0x" with at
//          least one digit and no sign, or signed decimal;
//  Exact:  signed decimal and nothing else.
// Hexadecimal spells the 32 bits ($FFFFFFFF is -1); decimal must lie in 32-bit range.
enum class IntText { Pascal, Stored, Exact };

bool ReadInteger(const AnsiString& s, IntText syntax, int& value) {
  size_t i = 0, n = s.size();
  if (syntax != IntText::Exact) {
    while (i < n && static_cast<unsigned char>(s[i]) <= ' ') ++i;
    while (n > i && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
  }
  const auto zeroX = [&](size_t at) { return at + 1 < n && s[at] == '0' && (s[at + 1] == 'x' || s[at + 1] == 'X'); };
  bool neg = false, hex = false;
  if (syntax == IntText::Stored && zeroX(i) && i + 2 < n) {
    hex = true;
    i += 2;
  } else {
    if (i < n && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    if (syntax == IntText::Pascal) {
      if (i < n && s[i] == '$') {
        hex = true;
        ++i;
      } else if (zeroX(i)) {
        hex = true;
        i += 2;
      }
    }
  }
  if (i >= n) return false;
  uint64_t acc = 0;
  for (; i < n; ++i) {
    const char c = s[i];
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (hex && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return false;
    acc = acc * (hex ? 16 : 10) + static_cast<uint64_t>(d);
    if (acc > 0xFFFFFFFFull) return false;
  }
  if (hex) {
    const int32_t v = static_cast<int32_t>(static_cast<uint32_t>(acc));
    value = neg ? static_cast<int>(-static_cast<int64_t>(v)) : v;
    return true;
  }
  const int64_t v = neg ? -static_cast<int64_t>(acc) : static_cast<int64_t>(acc);
  if (v < INT32_MIN || v > INT32_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace

bool TryStrToInt(const AnsiString& s, int& value) { return ReadInteger(s, IntText::Pascal, value); }

int StoredTextToInt(const AnsiString& text, int deflt) {
  int v;
  return ReadInteger(text, IntText::Stored, v) ? v : deflt;
}

bool TryDecimalToInt(const AnsiString& s, int& value) { return ReadInteger(s, IntText::Exact, value); }

int StrToInt(const AnsiString& s) {
  int v;
  if (!TryStrToInt(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
  return v;
}

int StrToIntDef(const AnsiString& s, int def) {
  int v;
  return TryStrToInt(s, v) ? v : def;
}

AnsiString FloatToStr(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", v);
  // Exponents as "1E20" and "1E-5": no plus sign, no leading zeros.
  std::string r(buf);
  size_t e = r.find('E');
  if (e != std::string::npos) {
    std::string mant = r.substr(0, e), ex = r.substr(e + 1);
    bool neg = !ex.empty() && ex[0] == '-';
    if (!ex.empty() && (ex[0] == '+' || ex[0] == '-')) ex.erase(0, 1);
    while (ex.size() > 1 && ex[0] == '0') ex.erase(0, 1);
    r = mant + "E" + (neg ? "-" : "") + ex;
  }
  return r;
}

// ---------------------------------------------------------------------------------------
// Text

AnsiString Trim(const AnsiString& s) { return TrimLeft(TrimRight(s)); }

AnsiString TrimLeft(const AnsiString& s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  return s.substr(i);
}

AnsiString TrimRight(const AnsiString& s) {
  size_t n = s.size();
  while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
  return s.substr(0, n);
}

AnsiString Format(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  va_list ap2;
  va_copy(ap2, ap);
  char small[256];
  int n = std::vsnprintf(small, sizeof small, fmt, ap);
  va_end(ap);
  AnsiString r;
  if (n < 0) {
    va_end(ap2);
    return r;
  }
  if (static_cast<size_t>(n) < sizeof small) {
    r.assign(small, static_cast<size_t>(n));
  } else {
    r.resize(static_cast<size_t>(n));
    std::vsnprintf(&r[0], static_cast<size_t>(n) + 1, fmt, ap2);
  }
  va_end(ap2);
  return r;
}

AnsiString StrPas(const char* s) { return s ? AnsiString(s) : AnsiString(); }

AnsiString QuotedStr(const AnsiString& s) {
  AnsiString r = "'";
  for (char c : s) {
    r += c;
    if (c == '\'') r += '\'';
  }
  r += '\'';
  return r;
}

AnsiString QuotedIfBlank(const AnsiString& s) { return s.find(' ') != AnsiString::npos ? "\"" + s + "\"" : s; }

AnsiString StringReplace(const AnsiString& s, const AnsiString& from, const AnsiString& to, TReplaceFlags flags) {
  if (from.empty()) return s;
  const bool ic = (flags & rfIgnoreCase) != 0;
  const AnsiString hay = ic ? AnsiUpperCase(s) : s;
  const AnsiString needle = ic ? AnsiUpperCase(from) : from;
  AnsiString r;
  size_t at = 0;
  for (;;) {
    size_t f = hay.find(needle, at);
    if (f == AnsiString::npos) break;
    r.append(s, at, f - at);
    r += to;
    at = f + from.size();
    if (!(flags & rfReplaceAll)) break;
  }
  r.append(s, at, AnsiString::npos);
  return r;
}

int Pos(const AnsiString& sub, const AnsiString& s) {
  if (sub.empty()) return 0;
  size_t f = s.find(sub);
  return f == AnsiString::npos ? 0 : static_cast<int>(f) + 1;
}

AnsiString Copy(const AnsiString& s, int index1, int count) {
  if (index1 < 1) index1 = 1;
  if (count <= 0 || static_cast<size_t>(index1) > s.size()) return AnsiString();
  return s.substr(static_cast<size_t>(index1) - 1, static_cast<size_t>(count));
}

// ---------------------------------------------------------------------------------------
// File names

bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

namespace {
// Index just after the last folder separator or drive colon (0 when none).
size_t NameStart(const AnsiString& name) {
  for (size_t i = name.size(); i > 0; --i) {
    char c = name[i - 1];
    if (IsPathDelimiter(c) || c == ':') return i;
  }
  return 0;
}
}  // namespace

AnsiString ExtractFilePath(const AnsiString& name) { return name.substr(0, NameStart(name)); }

AnsiString ExtractFileDir(const AnsiString& name) {
  size_t i = NameStart(name);
  // Keep the separator of a root ("C:\", "\", "/").
  if (i > 1 && IsPathDelimiter(name[i - 1]) && !IsPathDelimiter(name[i - 2]) && name[i - 2] != ':') --i;
  return name.substr(0, i);
}

AnsiString ExtractFileName(const AnsiString& name) { return name.substr(NameStart(name)); }

AnsiString ExtractFileExt(const AnsiString& name) {
  size_t start = NameStart(name);
  size_t dot = name.rfind('.');
  if (dot == AnsiString::npos || dot < start) return AnsiString();
  return name.substr(dot);
}

AnsiString ChangeFileExt(const AnsiString& name, const AnsiString& ext) {
  size_t start = NameStart(name);
  size_t dot = name.rfind('.');
  if (dot == AnsiString::npos || dot < start) return name + ext;
  return name.substr(0, dot) + ext;
}

AnsiString IncludeTrailingBackslash(const AnsiString& s) {
  if (!s.empty() && IsPathDelimiter(s.back())) return s;
  return s + PathDelim;
}

AnsiString ExcludeTrailingBackslash(const AnsiString& s) {
  if (!s.empty() && IsPathDelimiter(s.back())) return s.substr(0, s.size() - 1);
  return s;
}

bool ForceDirectories(const AnsiString& dir) {
  AnsiString d = ExcludeTrailingBackslash(dir);
  if (d.empty() || DirectoryExists(d)) return !d.empty() || !dir.empty();
  if (d.size() == 2 && d[1] == ':') return false;  // a missing drive
  AnsiString parent = ExtractFileDir(d);
  if (!parent.empty() && parent != d && !ForceDirectories(parent)) return false;
  return MakeDir(d) || DirectoryExists(d);
}

}  // namespace vx
