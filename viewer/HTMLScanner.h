// The HTML scanner: cuts HTML text into symbols for the document builder, one symbol at a
// time, with one character of look-ahead. The whole parse state is one object, so two
// parses never see each other's state; the builder reads and sets its public fields.
#pragma once

#include <cstdio>
#include <functional>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"
#include "viewer/HtmlSymbols.h"

namespace vx {

// A comment or declaration still open at the end of the source.
VX_EXCEPTION(EParseError, Exception);

constexpr char EofChar = 26;  // the end-of-file mark every source yields at its end
constexpr char CrChar = 13;   // every line end comes as one carriage return

enum TScanSourceKind { skTextFile = 0, skMemory = 1, skStrings = 2 };

// Gives line `index` of a string list; false past the last line.
using TLineReader = std::function<bool(int index, AnsiString& line)>;

class THtmlScanner {
 public:
  static constexpr int MaxTokenLength = 150;  // text buffer limit
  static constexpr int MaxRunLength = 100;    // characters in one text symbol
  static constexpr int FileBufferSize = 2000;

  THtmlScanner();
  ~THtmlScanner();
  THtmlScanner(const THtmlScanner&) = delete;
  THtmlScanner& operator=(const THtmlScanner&) = delete;

  // Sources. Each replaces the previous one; call Start() before the first symbol.
  // A file that cannot be opened raises EFOpenError; a read failure EReadError.
  void OpenFile(const AnsiString& fileName);
  // The buffer must outlive the scan.
  void OpenMemory(const char* buffer, size_t length);
  // Lines in order, each followed by a carriage return.
  void OpenStrings(TLineReader reader);
  void OpenStrings(const std::vector<AnsiString>& lines);  // kept by reference
  // Any string list with Count() and Strings(i) (TStrings); kept by reference.
  template <class L>
  requires requires(const L& l) {
    l.Count();
    l.Strings(0);
  }
  void OpenStrings(const L& list) {
    OpenStrings([&list](int i, AnsiString& line) {
      if (i >= list.Count()) return false;
      line = list.Strings(i);
      return true;
    });
  }
  void Close();  // closes a file source; the scanner then yields only the end mark

  // Clears the pushed-back character and reads the first character.
  void Start();

  // Character level, also called by the builder directly.
  void ReadChar();              // next character, line ends and tabs folded
  void ReadCharSkipComments();  // next character with comments and declarations skipped
  void SkipBlanks();            // past blanks, tabs, line ends and comments

  // Symbol level.
  void ScanSymbol();          // next symbol in normal mode
  void ScanTextAreaSymbol();  // next symbol between TEXTAREA and its end tag
  // Parses a character reference at "&" into Token (a text symbol). The builder calls it
  // in its preformatted character loop.
  void ScanEntity();

  // The state the builder shares.
  TScanSourceKind SourceKind = skMemory;
  char Ch = EofChar;          // current character
  char UCh = EofChar;         // its upper-case copy, used for every letter and digit test
  THtmlSymbol Sy = EofSym;    // current symbol
  AnsiString Token;           // text of the symbol, at most MaxTokenLength characters
  int HeadingLevel = 0;       // 1..6 after H1..H6 (start or end), else 0
  TAttributeList Attributes;  // of the last tag that takes attributes
  bool Preformatted = false;  // keep blanks and line ends in text runs

 private:
  char ReadRawChar();
  char NextRawChar();  // the pushed-back character, else a raw one
  void PushBack(char c);
  void SkipCommentBody();
  void ScanTag();
  bool ScanAttribute(TAttribute& attr);
  void ScanTextRun();

  TAttribute discarded_;  // what a tag that takes no attributes has, read and thrown away
  bool hasPushBack_ = false;
  char pushBack_ = 0;
  bool inComment_ = false;

  // Text file.
  std::FILE* file_ = nullptr;
  AnsiString fileName_;
  std::vector<char> fileBuffer_;
  size_t filePos_ = 0, fileLen_ = 0;
  bool fileEnd_ = false;
  // Memory buffer.
  const char* mem_ = nullptr;
  size_t memLen_ = 0, memPos_ = 0;
  // String list.
  TLineReader lines_;
  AnsiString line_;
  int lineIndex_ = 0;
  size_t linePos_ = 0;
  bool lineLoaded_ = false, linesEnd_ = true;
};

}  // namespace vx
