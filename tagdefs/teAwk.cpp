#include "tagdefs/teAwk.h"

namespace vx {

char DecodeSeparator(const AnsiString& sep) {
  if (sep.empty()) return ' ';
  if (sep[0] == '^' && sep.size() > 1) {
    char c = sep[1];
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 1);
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 1);
    if (c == '[') return 27;
    return '^';
  }
  return sep[0];
}

void TFieldSplitter::SetSeparatorString(const AnsiString& sep) {
  sep_ = DecodeSeparator(sep);
  explicit_ = !sep.empty();
}

void TFieldSplitter::Parse(const AnsiString& line) {
  line_ = line;
  count_ = 0;
  start_[0] = 0;
  length_[0] = 0;
  int index = 0, found = 0;
  bool inField = false, inQuotes = false;
  // Moves to the next slot; false once the table is full, which ends the split.
  auto next = [&]() {
    if (index + 1 >= MaxFields) {
      ++index;
      return false;
    }
    ++index;
    start_[index] = 0;
    length_[index] = 0;
    return true;
  };
  const int n = static_cast<int>(line_.size());
  for (int p = 1; p <= n; ++p) {
    const char c = line_[static_cast<size_t>(p - 1)];
    if (c != sep_ || (quoteAware_ && inQuotes)) {
      if (inField) {
        ++length_[index];
      } else {
        start_[index] = p;
        length_[index] = 1;
        inField = true;
        ++found;
      }
    } else if (inField) {
      inField = false;
      if (!next()) break;
    } else if (explicit_) {
      start_[index] = p;
      length_[index] = 0;
      if (!next()) break;
    }
    if (quoteAware_ && c == '"') inQuotes = !inQuotes;
  }
  if (start_[0] == 0) {
    count_ = 0;
  } else if (explicit_) {
    count_ = static_cast<uint8_t>(index + 1 > MaxFields ? MaxFields : index + 1);
  } else {
    count_ = static_cast<uint8_t>(found > MaxFields ? MaxFields : found);
  }
}

AnsiString TFieldSplitter::GetField(uint8_t n) const {
  if (n == 0) return line_;
  if (n > count_) return AnsiString();
  const int slot = n - 1;
  if (start_[slot] == 0) return AnsiString();
  return line_.substr(static_cast<size_t>(start_[slot] - 1), static_cast<size_t>(length_[slot]));
}

TAwkParser::TAwkParser(char sep, const AnsiString& line) : TFieldSplitter(sep, true, true) { Parse(line); }

TMAwkParser::TMAwkParser(const AnsiString& sep, const AnsiString& line) : TFieldSplitter(' ', false, false) {
  SetSeparatorString(sep);
  Parse(line);
}

}  // namespace vx
