#include "toolkit/StoredValues.h"

#include <algorithm>

#include "framework/core/SysUtils.h"
#include "toolkit/StrUtils.h"

namespace vx {

namespace {

const TCharSet& BlankComma() {
  static const TCharSet set = MakeCharSet(" ,");
  return set;
}

bool IsCoordinate(int v) { return v >= -kMaxStoredExtent - 1 && v <= kMaxStoredExtent; }

// A placement word, read as the stores read integers: a coordinate, else the value given.
int PlacementWord(const AnsiString& word, int deflt) {
  if (word.empty()) return deflt;
  const int v = StoredTextToInt(word, deflt);
  return IsCoordinate(v) ? v : deflt;
}

// A button's coordinate word: a decimal coordinate, else the value given.
int ButtonWord(const AnsiString& word, int deflt) {
  int v = 0;
  return TryStrToInt(word, v) && IsCoordinate(v) ? v : deflt;
}

// The longest full path a file can have.
constexpr size_t kMaxPath = 259;

}  // namespace

AnsiString StoredText(const AnsiString& text, const AnsiString& deflt) {
  return text.size() > static_cast<size_t>(kMaxStoredText) ? deflt : text;
}

int StoredInt(const AnsiString& text, int deflt) {
  if (text.empty() || text.size() > static_cast<size_t>(kMaxStoredText)) return deflt;
  return StoredTextToInt(text, deflt);
}

int StoredIntIn(const AnsiString& text, int deflt, int lo, int hi) {
  return std::clamp(StoredInt(text, deflt), lo, hi);
}

bool StoredBool(const AnsiString& text, bool deflt) { return StoredInt(text, deflt ? 1 : 0) != 0; }

int StoredColor(const AnsiString& text, int deflt) {
  const unsigned v = static_cast<unsigned>(StoredInt(text, deflt));
  const bool rgb = (v & 0xFC000000u) == 0;                  // plain, palette index, palette-relative
  const bool system = (v & 0xFFFFFF00u) == 0x80000000u;  // a system colour number
  return rgb || system ? static_cast<int>(v) : deflt;
}

void StoredPlacementWords(const AnsiString& text, int values[4]) {
  if (text.size() > static_cast<size_t>(kMaxStoredText)) return;
  for (int i = 0; i < 4; ++i) values[i] = PlacementWord(NthWord(i + 1, text, BlankComma()), values[i]);
}

int StoredPlacementFlags(const AnsiString& text, int deflt) {
  // Set the minimised position, restore to maximised, place asynchronously.
  const int v = StoredInt(text, deflt);
  return (v & ~7) == 0 ? v : deflt;
}

int StoredBarAlign(const AnsiString& text) {
  const int v = StoredInt(text, 1);
  return v >= 0 && v <= 5 ? v : 1;
}

int StoredBarWidth(const AnsiString& text, int deflt) {
  const int v = StoredInt(text, deflt);
  return v >= 1 && v <= kMaxStoredExtent ? v : deflt;
}

int StoredCount(const AnsiString& text, int limit) { return std::clamp(StoredInt(text, 0), 0, limit); }

AnsiString StoredButtonName(const AnsiString& text) {
  return text.size() > static_cast<size_t>(kMaxStoredText) ? AnsiString() : NthWord(1, text, BlankComma());
}

void StoredButtonPlace(const AnsiString& text, int& left, int& top) {
  if (text.size() > static_cast<size_t>(kMaxStoredText)) return;
  left = ButtonWord(NthWord(2, text, BlankComma()), left);
  top = ButtonWord(NthWord(3, text, BlankComma()), top);
}

AnsiString StoredRecentName(const AnsiString& text) {
  if (text.size() > kMaxPath) return AnsiString();
  for (char c : text)
    if (static_cast<unsigned char>(c) < ' ') return AnsiString();
  return text;
}

}  // namespace vx
