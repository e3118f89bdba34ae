// The HTML scanner's character reader and symbol scanners.
#include "viewer/HTMLScanner.h"

#include <array>
#include <cerrno>
#include <climits>

namespace vx {

namespace {

constexpr char kLf = 10;
constexpr char kTab = 9;

inline unsigned char U(char c) { return static_cast<unsigned char>(c); }
inline bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline char UpCase(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }

// The decimal value of a whole string: an optional sign and digits, in range; else 0.
int DecimalValue(const char* s, size_t n) {
  size_t i = 0;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i == n) return 0;
  long long v = 0;
  for (; i < n; ++i) {
    if (!IsDigit(s[i])) return 0;
    v = v * 10 + (s[i] - '0');
    if (v > 2147483648LL) return 0;
  }
  if (negative) v = -v;
  if (v > INT_MAX || v < INT_MIN) return 0;
  return int(v);
}
int DecimalValue(const AnsiString& s) { return DecimalValue(s.data(), s.size()); }

// Characters with codes up to 32 removed from both ends, in place.
void TrimControls(AnsiString& s) {
  size_t e = s.size();
  while (e > 0 && U(s[e - 1]) <= 32) --e;
  s.resize(e);
  size_t b = 0;
  while (b < e && U(s[b]) <= 32) ++b;
  s.erase(0, b);
}

}  // namespace

THtmlScanner::THtmlScanner() = default;

THtmlScanner::~THtmlScanner() { Close(); }

void THtmlScanner::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  fileEnd_ = true;
  mem_ = nullptr;
  memLen_ = memPos_ = 0;
  lines_ = nullptr;
  linesEnd_ = true;
}

void THtmlScanner::OpenFile(const AnsiString& fileName) {
  Close();
  SourceKind = skTextFile;
  file_ = std::fopen(fileName.c_str(), "rb");
  if (!file_) throw EFOpenError("Cannot open file " + fileName);
  fileName_ = fileName;
  fileBuffer_.assign(FileBufferSize, 0);
  filePos_ = fileLen_ = 0;
  fileEnd_ = false;
}

void THtmlScanner::OpenMemory(const char* buffer, size_t length) {
  Close();
  SourceKind = skMemory;
  mem_ = buffer;
  memLen_ = buffer ? length : 0;
  memPos_ = 0;
}

void THtmlScanner::OpenStrings(TLineReader reader) {
  Close();
  SourceKind = skStrings;
  lines_ = std::move(reader);
  lineIndex_ = 0;
  linePos_ = 0;
  lineLoaded_ = false;
  linesEnd_ = !lines_;
}

void THtmlScanner::OpenStrings(const std::vector<AnsiString>& lines) {
  OpenStrings([&lines](int i, AnsiString& line) {
    if (i < 0 || size_t(i) >= lines.size()) return false;
    line = lines[size_t(i)];
    return true;
  });
}

void THtmlScanner::Start() {
  hasPushBack_ = false;
  inComment_ = false;
  ReadCharSkipComments();
}

char THtmlScanner::ReadRawChar() {
  switch (SourceKind) {
    case skTextFile:
      if (filePos_ >= fileLen_) {
        if (fileEnd_ || !file_) return EofChar;
        fileLen_ = std::fread(fileBuffer_.data(), 1, fileBuffer_.size(), file_);
        filePos_ = 0;
        if (fileLen_ == 0) {
          bool failed = std::ferror(file_) != 0;
          fileEnd_ = true;
          if (failed) throw EReadError("Stream read error");
          return EofChar;
        }
      }
      return fileBuffer_[filePos_++];
    case skMemory:
      if (memPos_ >= memLen_) return EofChar;
      return mem_[memPos_++];
    case skStrings:
      if (linesEnd_) return EofChar;
      if (!lineLoaded_) {
        if (!lines_(lineIndex_, line_)) {
          linesEnd_ = true;
          return EofChar;
        }
        lineLoaded_ = true;
        linePos_ = 0;
      }
      if (linePos_ < line_.size()) return line_[linePos_++];
      lineLoaded_ = false;
      ++lineIndex_;
      return CrChar;
  }
  return EofChar;
}

char THtmlScanner::NextRawChar() {
  if (hasPushBack_) {
    hasPushBack_ = false;
    return pushBack_;
  }
  return ReadRawChar();
}

void THtmlScanner::PushBack(char c) {
  pushBack_ = c;
  hasPushBack_ = true;
}

void THtmlScanner::ReadChar() {
  char c = NextRawChar();
  if (c == CrChar || c == kLf) {
    char partner = (c == CrChar) ? kLf : CrChar;
    char n = ReadRawChar();
    if (n != partner) PushBack(n);
    c = CrChar;
  } else if (c == kTab || c == 0 || c == 2 || c == 4) {
    // Bytes 0, 2 and 4 would pose as end of text or as control and image markers.
    c = ' ';
  }
  Ch = c;
  UCh = UpCase(c);
  if (c == EofChar && inComment_) {
    inComment_ = false;
    throw EParseError("Open Comment at End of HTML File");
  }
}

void THtmlScanner::SkipCommentBody() {
  ReadChar();
  for (;;) {
    while (Ch != '-') ReadChar();
    ReadChar();
    if (Ch != '-') continue;
    while (Ch == '-') ReadChar();
    while (Ch == ' ' || Ch == CrChar) ReadChar();
    if (Ch == '>') return;
  }
}

// Characters that ReadChar and ReadCharSkipComments take as they stand: not a line end, tab,
// marker byte, end mark or the start of a comment.
constexpr auto kPlainChars = [] {
  std::array<bool, 256> t{};
  for (int c = 0; c < 256; ++c) t[size_t(c)] = true;
  for (int c : {0, 2, 4, int(kTab), int(kLf), int(CrChar), int(EofChar), int('<')}) t[size_t(c)] = false;
  return t;
}();

void THtmlScanner::ReadCharSkipComments() {
  // Most characters are plain ones waiting in the buffer: taken here, without the calls of
  // the general path.
  if (!hasPushBack_) {
    const char* p = nullptr;
    size_t* pos = nullptr;
    if (SourceKind == skMemory && memPos_ < memLen_) {
      p = mem_ + memPos_;
      pos = &memPos_;
    } else if (SourceKind == skTextFile && filePos_ < fileLen_) {
      p = fileBuffer_.data() + filePos_;
      pos = &filePos_;
    }
    if (p && kPlainChars[U(*p)]) {
      ++*pos;
      Ch = *p;
      UCh = UpCase(Ch);
      return;
    }
  }
  for (;;) {
    ReadChar();
    if (Ch != '<') return;
    char n = NextRawChar();
    if (n != '!') {
      PushBack(n);
      return;
    }
    inComment_ = true;
    ReadChar();
    bool body = false;
    if (Ch == '-') {
      ReadChar();
      body = Ch == '-';
    }
    if (body) {
      SkipCommentBody();
    } else {
      while (Ch != '>') ReadChar();
    }
    inComment_ = false;
  }
}

void THtmlScanner::SkipBlanks() {
  while (Ch == ' ' || Ch == kTab || Ch == CrChar) ReadCharSkipComments();
}

void THtmlScanner::ScanSymbol() {
  Token.clear();
  if (Ch == EofChar) {
    Sy = EofSym;
  } else if (Ch == '<') {
    ScanTag();
  } else if (Ch == '&') {
    ScanEntity();
  } else {
    ScanTextRun();
    if (Token.empty()) {
      Sy = SingleCharSym;
      Token.assign(1, Ch);
      ReadCharSkipComments();
    }
  }
}

void THtmlScanner::ScanTag() {
  ReadCharSkipComments();
  bool endTag = false;
  if (Ch == '/') {
    endTag = true;
    ReadCharSkipComments();
  }
  Sy = UnknownTagSym;
  AnsiString name;
  while (IsUpperLetter(UCh)) {
    if (int(name.size()) < MaxTokenLength) name += UCh;
    ReadCharSkipComments();
  }
  THtmlSymbol found = LookupTag(name);
  if (found != UnknownTagSym) Sy = endTag ? EndTagOf(found) : found;

  SkipBlanks();
  HeadingLevel = 0;
  if ((Sy == HTag || Sy == HEndTag) && Ch >= '1' && Ch <= '6') {
    HeadingLevel = Ch - '0';
    ReadCharSkipComments();
  }

  bool takes = IsStartTag(Sy) && TakesAttributes(Sy);
  if (takes) Attributes.Clear();
  while (ScanAttribute(takes ? Attributes.Slot() : discarded_)) {
    if (takes) Attributes.Keep();
  }
  while (Ch != '>' && Ch != EofChar) ReadCharSkipComments();
  if (Ch == '>') ReadCharSkipComments();
}

bool THtmlScanner::ScanAttribute(TAttribute& attr) {
  SkipBlanks();
  if (!IsUpperLetter(UCh)) return false;
  AnsiString name;
  while (IsUpperLetter(UCh)) {
    if (int(name.size()) < MaxTokenLength) name += UCh;
    ReadCharSkipComments();
  }
  attr.Which = LookupAttribute(name);
  SkipBlanks();
  attr.Name.clear();
  // A bare BORDER means a border of 1.
  attr.Value = attr.Which == BorderAttr ? 1 : 0;
  if (Ch != '=') return true;

  ReadCharSkipComments();
  SkipBlanks();
  AnsiString& s = attr.Name;
  if (Ch == '"' || Ch == '\'') {
    char quote = Ch;
    ReadCharSkipComments();
    // A ">" ends even a quoted value; the tag's end is left for the caller.
    while (Ch != quote && Ch != EofChar && Ch != '>') {
      if (Ch != CrChar) s += Ch;
      ReadCharSkipComments();
    }
    if (Ch == quote) ReadCharSkipComments();
    TrimControls(s);
    size_t digits = s.size();
    if (digits > 0 && s.back() == '%' && s.find('%') == digits - 1) --digits;
    attr.Value = DecimalValue(s.data(), digits);
  } else if (Ch == '+' || Ch == '-' || IsDigit(Ch)) {
    if (Ch == '+' || Ch == '-') {
      s += Ch;
      ReadCharSkipComments();
    }
    // Hex letters are kept, so an unquoted colour such as 00FF00 stays whole.
    while (IsDigit(UCh) || (UCh >= 'A' && UCh <= 'F')) {
      s += Ch;
      ReadCharSkipComments();
    }
    SkipBlanks();
    attr.Value = DecimalValue(s);
    if (Ch == '%') {
      s += '%';
      ReadCharSkipComments();
    }
  } else {
    while (Ch != ' ' && Ch != kTab && Ch != CrChar && Ch != EofChar && Ch != '>') {
      s += Ch;
      ReadCharSkipComments();
    }
  }
  return true;
}

void THtmlScanner::ScanEntity() {
  Sy = TextSym;
  Token.clear();
  ReadCharSkipComments();
  if (Ch == '#') {
    ReadCharSkipComments();
    AnsiString digits;
    while (IsDigit(Ch) && digits.size() < 4) {
      digits += Ch;
      ReadCharSkipComments();
    }
    bool semicolon = false;
    if (!digits.empty() && digits.size() < 4) {
      if (Ch == ';') {
        semicolon = true;
        ReadCharSkipComments();
      }
      int v = DecimalValue(digits);
      if (v <= 255 && (v == 9 || v == 10 || v >= 32)) {
        Token.assign(1, char(v));
        return;
      }
    }
    Token.assign("&#", 2);
    Token += digits;
    if (semicolon) Token += ';';
    return;
  }

  AnsiString letters;
  while (IsUpperLetter(UCh) && letters.size() < 7) {
    letters += Ch;
    ReadCharSkipComments();
  }
  if (letters.size() == 7) {
    Token.assign(1, '&');
    Token += letters;
    return;
  }
  bool semicolon = false;
  if (Ch == ';') {
    semicolon = true;
    ReadCharSkipComments();
  }
  int code = LookupEntity(letters);
  if (code >= 0) {
    Token.assign(1, char(code));
  } else {
    Token.assign(1, '&');
    Token += letters;
    if (semicolon) Token += ';';
  }
}

void THtmlScanner::ScanTextRun() {
  while (int(Token.size()) < MaxRunLength) {
    char c = Ch;
    if ((U(c) < 32 && c != CrChar) || c == '&' || c == '<' || c == '>') break;
    if (Preformatted) {
      Token += c;
      ReadCharSkipComments();
    } else if (c == ' ' || c == CrChar) {
      Token += ' ';
      SkipBlanks();
    } else {
      Token += c;
      ReadCharSkipComments();
    }
  }
  if (!Token.empty()) Sy = TextSym;
}

void THtmlScanner::ScanTextAreaSymbol() {
  Token.clear();
  if (Ch == EofChar) {
    Sy = EofSym;
  } else if (Ch == CrChar) {
    Sy = EolSym;
    ReadCharSkipComments();
  } else if (Ch == '<') {
    Token.assign(1, '<');
    ReadCharSkipComments();
    // The probe stops at the end of the source too, and never outgrows the text buffer.
    while (Ch != ' ' && Ch != kTab && Ch != CrChar && Ch != '>' && Ch != EofChar &&
           int(Token.size()) < MaxTokenLength) {
      Token += Ch;
      ReadCharSkipComments();
    }
    AnsiString upper;
    for (char c : Token) upper += UpCase(c);
    Sy = upper == "</TEXTAREA" ? TextAreaEndTag : UnknownTagSym;
  } else {
    while (Ch != CrChar && Ch != EofChar && Ch != '<' && int(Token.size()) < MaxRunLength) {
      Token += Ch;
      ReadCharSkipComments();
    }
    Sy = TextSym;
  }
}

}  // namespace vx
