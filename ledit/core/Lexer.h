// Syntax colouring: a line lexer driven by the owner's syntax table, and a cache of
// the lexer state at every line start so that an edit re-lexes from its line only.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace ledit {

class Document;

enum TokenType : uint16_t {
  kWord = 0x0001,
  kComment = 0x1001,
  kString = 0x2001,
  kCommentPiece = 0x5001,
  kStringPiece = 0x6001,
  kSymbol = 0x8000,
};

struct Token {
  int col = 0;
  int len = 0;
  uint16_t type = kWord;
};

struct LexOptions {
  bool item2AsComment = false;    // table entry 2 is a line comment
  bool extraComments = false;     // (c,3)/(c,4) entries open and close comments
  bool multiLineItems = false;    // comments may span lines
  bool multiLineStrings = false;  // strings may span lines
  bool startInComments = false;   // the text starts inside a comment
  friend bool operator==(const LexOptions&, const LexOptions&) = default;
};

// State at a line start: 0 plain text, 1/2 inside a string of delimiter pair 0/1,
// 3 inside a block comment, 4 inside an extra comment.
using LexState = uint8_t;

class Lexer {
 public:
  // Entries as the owner sends them: positional meaning for entries 0-4, symbols after.
  void SetTable(const std::vector<std::pair<uint8_t, uint8_t>>& entries);
  void SetOptions(const LexOptions& o) { opt_ = o; }
  const LexOptions& Options() const { return opt_; }
  bool Empty() const { return empty_; }

  LexState Initial() const { return opt_.startInComments && blockOpen_[0] ? 3 : 0; }
  // Lexes one line from state `in`; appends tokens when `out` is given; returns the
  // state at the next line's start.
  LexState LexLine(std::string_view line, LexState in, std::vector<Token>* out) const;

 private:
  bool MatchSym(std::string_view line, size_t i, size_t& len) const;
  size_t FindCloser(std::string_view line, size_t from, LexState st, size_t& closeLen) const;

  bool empty_ = true;
  char strOpen_[2] = {0, 0}, strClose_[2] = {0, 0};
  char lineComment_[3] = {0, 0, 0};
  char blockOpen_[3] = {0, 0, 0}, blockClose_[3] = {0, 0, 0};
  char extraOpen_ = 0, extraClose_ = 0;
  std::vector<std::pair<char, char>> symbols_;  // second 0 for one-character symbols
  LexOptions opt_;
};

// Lexer state at every line start, computed lazily and invalidated from an edit on.
class LexCache {
 public:
  void Reset(int lineCount);
  void LinesReplaced(int first, int removed, int inserted);
  LexState StateAt(int line, const Document& doc, const Lexer& lexer);
  // Lines lexed since the counter was last cleared (to check incremental work).
  long long LinesLexed() const { return lexed_; }
  void ClearCounter() { lexed_ = 0; }

 private:
  std::vector<LexState> start_;
  int dirtyFrom_ = 0;    // start_[0..dirtyFrom_] are known
  int mustThrough_ = 0;  // states up to here must be recomputed before early-out
  long long lexed_ = 0;
  bool clean_ = false;
};

}  // namespace ledit
