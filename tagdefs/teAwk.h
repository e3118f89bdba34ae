// Field splitters: cut a line into numbered fields at a separator (attribute text, path
// parts, image-map text). Field 0 is the whole line; fields 1..Count() follow.
#pragma once

#include <cstdint>

#include "framework/core/Object.h"

namespace vx {

// A separator string: "" is a blank (and means the default blank, see below); "^A".."^Z"
// (either case) are control characters 1..26 and "^[" is 27; "^" before anything else
// is "^"; otherwise the first character counts.
char DecodeSeparator(const AnsiString& sep);

class TFieldSplitter : public TObject {
 public:
  // At most this many fields; the rest of a longer line is not split.
  static constexpr int MaxFields = 255;

  const char* ClassName() const override { return "TFieldSplitter"; }
  // Replaces the line and splits it again.
  void Parse(const AnsiString& line);
  // 0: the whole line; 1..Count(): that field as written (quotes included); "" otherwise.
  AnsiString GetField(uint8_t n) const;
  uint8_t Count() const { return count_; }
  const AnsiString& Line() const { return line_; }
  char Separator() const { return sep_; }

 protected:
  // explicitSep: every separator ends a field, so empty fields arise; otherwise (the
  // default blank) runs of blanks separate and make none. quoteAware: separators inside
  // double quotes do not split.
  TFieldSplitter(char sep, bool explicitSep, bool quoteAware)
      : sep_(sep), explicit_(explicitSep), quoteAware_(quoteAware) {}
  void SetSeparatorString(const AnsiString& sep);

 private:
  AnsiString line_;
  char sep_;
  bool explicit_;
  bool quoteAware_;
  uint8_t count_ = 0;
  int start_[MaxFields + 1] = {};  // 1-based; 0 = no text recorded
  int length_[MaxFields + 1] = {};
};

// One-character separator, quote-aware, empty fields (RelativePath's "\" splitter).
class TAwkParser : public TFieldSplitter {
 public:
  TAwkParser(char sep, const AnsiString& line);
  const char* ClassName() const override { return "TAwkParser"; }
};

// Separator string, quotes are ordinary characters (MRelativePath, the image map wizard).
class TMAwkParser : public TFieldSplitter {
 public:
  TMAwkParser(const AnsiString& sep, const AnsiString& line);
  const char* ClassName() const override { return "TMAwkParser"; }
};

// The attribute editor's splitter: default blank, quote-aware, split by Parse.
class TAttrParser : public TFieldSplitter {
 public:
  TAttrParser() : TFieldSplitter(' ', false, true) {}
  const char* ClassName() const override { return "TAttrParser"; }
  const AnsiString& SeparatorText() const { return sepText_; }
  void SetSeparatorText(const AnsiString& sep) {
    sepText_ = sep;
    SetSeparatorString(sep);
  }

 private:
  AnsiString sepText_;
};

}  // namespace vx
