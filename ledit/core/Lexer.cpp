#include "ledit/core/Lexer.h"

#include <algorithm>
#include <climits>

#include "ledit/core/Document.h"

namespace ledit {

namespace {
bool IsEmptySlot(const std::pair<uint8_t, uint8_t>& e) { return e.first == 1 && e.second == 1; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }
bool IsLetter(char c) { return IsWordChar(static_cast<unsigned char>(c)); }
bool Matches(std::string_view line, size_t i, const char* s) {
  size_t n = 0;
  while (s[n]) ++n;
  return n > 0 && i + n <= line.size() && line.compare(i, n, s) == 0;
}
size_t Len(const char* s) { return s[0] ? (s[1] ? 2 : 1) : 0; }
}  // namespace

void Lexer::SetTable(const std::vector<std::pair<uint8_t, uint8_t>>& entries) {
  *this = Lexer{};
  empty_ = entries.empty();
  for (size_t i = 0; i < entries.size(); ++i) {
    auto e = entries[i];
    if (IsEmptySlot(e) || e.first == 0) continue;
    char a = static_cast<char>(e.first), b = static_cast<char>(e.second);
    if (i < 2) {
      strOpen_[i] = a;
      strClose_[i] = b ? b : a;
    } else if (i == 2) {
      lineComment_[0] = a;
      lineComment_[1] = b;
    } else if (i == 3) {
      blockOpen_[0] = a;
      blockOpen_[1] = b;
    } else if (i == 4) {
      blockClose_[0] = a;
      blockClose_[1] = b;
    } else if (e.second == 3) {
      extraOpen_ = a;
    } else if (e.second == 4) {
      extraClose_ = a;
    } else {
      symbols_.emplace_back(a, b);
    }
  }
  // Two-character symbols are tried before one-character ones.
  std::stable_sort(symbols_.begin(), symbols_.end(),
                   [](auto& x, auto& y) { return (x.second != 0) > (y.second != 0); });
}

bool Lexer::MatchSym(std::string_view line, size_t i, size_t& len) const {
  for (auto& s : symbols_) {
    size_t n = s.second ? 2 : 1;
    if (i + n > line.size() || line[i] != s.first || (n == 2 && line[i + 1] != s.second)) continue;
    // Symbols made of letters ("gt") count only as whole words.
    if (IsLetter(s.first)) {
      if (i > 0 && IsLetter(line[i - 1])) continue;
      if (i + n < line.size() && IsLetter(line[i + n])) continue;
    }
    len = n;
    return true;
  }
  return false;
}

// Position of the closer of state st at or after `from`, or npos.
size_t Lexer::FindCloser(std::string_view line, size_t from, LexState st, size_t& closeLen) const {
  if (st == 1 || st == 2) {
    closeLen = 1;
    return line.find(strClose_[st - 1], from);
  }
  if (st == 3) {
    if (!blockClose_[0]) return std::string_view::npos;
    closeLen = Len(blockClose_);
    for (size_t i = from; i < line.size(); ++i)
      if (Matches(line, i, blockClose_)) return i;
    return std::string_view::npos;
  }
  if (st == 4) {
    closeLen = 1;
    return extraClose_ ? line.find(extraClose_, from) : std::string_view::npos;
  }
  return std::string_view::npos;
}

LexState Lexer::LexLine(std::string_view line, LexState in, std::vector<Token>* out) const {
  auto emit = [&](size_t col, size_t len, uint16_t type) {
    if (out && len) out->push_back({static_cast<int>(col), static_cast<int>(len), type});
  };
  size_t i = 0;
  const size_t n = line.size();
  LexState st = in;
  if (empty_) st = 0;
  // Continue a string or comment that an earlier line opened.
  if (st != 0) {
    size_t cl = 0;
    size_t j = FindCloser(line, 0, st, cl);
    uint16_t piece = (st == 1 || st == 2) ? kStringPiece : kCommentPiece;
    if (j == std::string_view::npos) {
      emit(0, n, piece);
      return st;
    }
    emit(0, j + cl, piece);
    i = j + cl;
    st = 0;
  }
  while (i < n) {
    char c = line[i];
    if (IsSpace(c)) {
      ++i;
      continue;
    }
    if (empty_) {
      // Without a table every run of word characters, or other character, is a word.
    } else {
      // Block comment, with a "<" directly before the opener joining it.
      if (blockOpen_[0]) {
        size_t at = std::string_view::npos;
        if (c == '<' && Matches(line, i + 1, blockOpen_))
          at = i + 1;
        else if (Matches(line, i, blockOpen_))
          at = i;
        if (at != std::string_view::npos) {
          size_t cl = 0;
          size_t j = FindCloser(line, at + Len(blockOpen_), 3, cl);
          if (j != std::string_view::npos) {
            emit(i, j + cl - i, kComment);
            i = j + cl;
            continue;
          }
          if (opt_.multiLineItems) {
            emit(i, n - i, kCommentPiece);
            return 3;
          }
          emit(i, n - i, kComment);
          return 0;
        }
      }
      if (opt_.item2AsComment && lineComment_[0] && Matches(line, i, lineComment_)) {
        emit(i, n - i, kComment);
        return 0;
      }
      if (opt_.extraComments && extraOpen_ && c == extraOpen_) {
        size_t cl = 0;
        size_t j = FindCloser(line, i + 1, 4, cl);
        if (j != std::string_view::npos) {
          emit(i, j + cl - i, kComment);
          i = j + cl;
          continue;
        }
        if (opt_.multiLineItems) {
          emit(i, n - i, kCommentPiece);
          return 4;
        }
        emit(i, n - i, kComment);
        return 0;
      }
      int pair = strOpen_[0] && c == strOpen_[0] ? 0 : (strOpen_[1] && c == strOpen_[1] ? 1 : -1);
      if (pair >= 0) {
        size_t j = line.find(strClose_[pair], i + 1);
        if (j != std::string_view::npos) {
          emit(i, j + 1 - i, kString);
          i = j + 1;
          continue;
        }
        if (opt_.multiLineStrings) {
          emit(i, n - i, kStringPiece);
          return static_cast<LexState>(1 + pair);
        }
        emit(i, n - i, kString);
        return 0;
      }
      size_t sl = 0;
      if (MatchSym(line, i, sl)) {
        emit(i, sl, kSymbol);
        i += sl;
        continue;
      }
    }
    // A word: "<" joins the name that follows it.
    size_t j = i;
    if (c == '<') {
      ++j;
      while (j < n && IsLetter(line[j])) ++j;
    } else if (IsLetter(c)) {
      while (j < n && IsLetter(line[j])) {
        // A symbol made of letters inside a run is not split out; only whole words match.
        ++j;
      }
    } else {
      j = i + 1;
    }
    emit(i, j - i, kWord);
    i = j;
  }
  return 0;
}

void LexCache::Reset(int lineCount) {
  start_.assign(static_cast<size_t>(std::max(lineCount, 1)), 0);
  dirtyFrom_ = 0;
  mustThrough_ = lineCount;
  clean_ = false;
}

void LexCache::LinesReplaced(int first, int removed, int inserted) {
  if (start_.empty()) start_.assign(1, 0);
  int size = static_cast<int>(start_.size());
  first = std::min(first, size - 1);
  removed = std::min(removed, size - 1 - first);
  LexState fill = start_[first];
  start_.erase(start_.begin() + first + 1, start_.begin() + first + 1 + removed);
  start_.insert(start_.begin() + first + 1, static_cast<size_t>(inserted), fill);
  int through = first + inserted;
  if (clean_) {
    clean_ = false;
    dirtyFrom_ = first;
    mustThrough_ = through;
  } else {
    if (mustThrough_ > first + removed)
      mustThrough_ += inserted - removed;
    else if (mustThrough_ > first)
      mustThrough_ = first;
    mustThrough_ = std::max(mustThrough_, through);
    if (dirtyFrom_ > first + removed) dirtyFrom_ += inserted - removed;
    dirtyFrom_ = std::min(dirtyFrom_, first);
  }
}

LexState LexCache::StateAt(int line, const Document& doc, const Lexer& lexer) {
  if (static_cast<int>(start_.size()) != doc.LineCount()) Reset(doc.LineCount());
  start_[0] = lexer.Initial();
  if (line < 0) line = 0;
  if (line >= doc.LineCount()) line = doc.LineCount() - 1;
  while (!clean_ && dirtyFrom_ < line) {
    int i = dirtyFrom_;
    LexState out = lexer.LexLine(doc.Line(i), start_[i], nullptr);
    ++lexed_;
    if (i + 1 > mustThrough_ && start_[i + 1] == out) {
      clean_ = true;
      break;
    }
    start_[i + 1] = out;
    dirtyFrom_ = i + 1;
    if (dirtyFrom_ >= static_cast<int>(start_.size()) - 1) clean_ = true;
  }
  return start_[line];
}

}  // namespace ledit
