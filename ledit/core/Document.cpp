#include "ledit/core/Document.h"

#include <algorithm>
#include <cstring>

namespace ledit {

std::string NormalizeLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}

bool IsWordChar(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == 0x8A ||
         c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F ||
         (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

Document::Document() : lines_(1) { bookmarks_.fill(-1); }

size_t Document::TextLength(size_t eolLength) const {
  size_t n = 0;
  for (const auto& l : lines_) n += l.size();
  return n + eolLength * (lines_.size() - 1);
}

void Document::AppendText(std::string& out, std::string_view eol) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (i) out.append(eol);
    out.append(lines_[i]);
  }
}

std::string Document::Text(std::string_view eol) const {
  std::string out;
  out.reserve(TextLength(eol.size()));
  AppendText(out, eol);
  return out;
}

Pos Document::Clamp(Pos p) const {
  p.line = std::clamp(p.line, 0, LineCount() - 1);
  p.col = std::clamp(p.col, 0, LineLength(p.line));
  return p;
}

std::string Document::TextRange(Pos a, Pos b, std::string_view eol) const {
  a = Clamp(a);
  b = Clamp(b);
  if (b < a) std::swap(a, b);
  if (a.line == b.line) return Line(a.line).substr(a.col, b.col - a.col);
  std::string out = Line(a.line).substr(a.col);
  for (int l = a.line + 1; l < b.line; ++l) {
    out.append(eol);
    out.append(Line(l));
  }
  out.append(eol);
  out.append(Line(b.line), 0, b.col);
  return out;
}

size_t Document::RangeLength(Pos a, Pos b, size_t eolLength) const {
  a = Clamp(a);
  b = Clamp(b);
  if (b < a) std::swap(a, b);
  if (a.line == b.line) return b.col - a.col;
  size_t n = LineLength(a.line) - a.col;
  for (int l = a.line + 1; l < b.line; ++l) n += LineLength(l);
  return n + b.col + eolLength * (b.line - a.line);
}

Pos Document::EndOf(Pos p, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++p.line;
      p.col = 0;
    } else {
      ++p.col;
    }
  }
  return p;
}

void Document::SetSelection(Pos anchor, Pos caret) {
  anchor_ = Clamp(anchor);
  caret_ = Clamp(caret);
  mergeOpen_ = false;
}

// The lines of a text that uses '\n' only.
static std::vector<std::string_view> Pieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  size_t s = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n') {
      pieces.push_back(text.substr(s, i - s));
      s = i + 1;
    }
  }
  return pieces;
}

// Whether the lines that replacing [a, b) (in order) by these pieces forms stay within kMaxColumns.
bool Document::Fits(Pos a, Pos b, const std::vector<std::string_view>& pieces) const {
  size_t headLen = a.col, tailLen = lines_[b.line].size() - b.col;
  if (pieces.size() == 1) return headLen + pieces[0].size() + tailLen <= kMaxColumns;
  if (headLen + pieces.front().size() > kMaxColumns) return false;
  if (pieces.back().size() + tailLen > kMaxColumns) return false;
  for (size_t i = 1; i + 1 < pieces.size(); ++i)
    if (pieces[i].size() > kMaxColumns) return false;
  return true;
}

// Replaces [a, b) by text that uses '\n' only. Checks line lengths first.
bool Document::RawReplace(Pos a, Pos b, std::string_view text, std::string* removed) {
  a = Clamp(a);
  b = Clamp(b);
  if (b < a) std::swap(a, b);
  std::vector<std::string_view> pieces = Pieces(text);
  if (!Fits(a, b, pieces)) return false;
  const std::string& first = lines_[a.line];
  const std::string& last = lines_[b.line];
  size_t headLen = a.col;
  if (removed) *removed = TextRange(a, b, "\n");
  std::string tail = last.substr(b.col);
  std::string head = first.substr(0, a.col);
  int removedLines = b.line - a.line;
  int insertedLines = static_cast<int>(pieces.size()) - 1;
  MoveBookmarks(a, b, insertedLines);
  // Reuse the line slots that exist, then insert or erase the difference.
  std::vector<std::string> fresh;
  fresh.reserve(pieces.size());
  for (auto p : pieces) fresh.emplace_back(p);
  fresh.front().insert(0, head);
  fresh.back().append(tail);
  auto firstIt = lines_.begin() + a.line;
  if (insertedLines == removedLines) {
    std::move(fresh.begin(), fresh.end(), firstIt);
  } else {
    lines_.erase(firstIt, firstIt + removedLines + 1);
    lines_.insert(lines_.begin() + a.line, std::make_move_iterator(fresh.begin()),
                  std::make_move_iterator(fresh.end()));
  }
  Pos end{a.line + insertedLines,
          static_cast<int>(pieces.size() == 1 ? headLen + pieces[0].size() : pieces.back().size())};
  anchor_ = caret_ = end;
  ++version_;
  modified_ = 0xFF;
  if (onChange_) onChange_(a.line, removedLines, insertedLines);
  return true;
}

void Document::MoveBookmarks(Pos a, Pos b, int insertedBreaks) {
  int delta = insertedBreaks - (b.line - a.line);
  for (int i = 0; i < kMaxBookmarks; ++i) {
    int& m = bookmarks_[i];
    if (m < a.line) continue;
    if (m > b.line) {
      m += delta;
    } else if (m == a.line) {
      // An insertion at the very start of the line pushes the line's text down.
      if (a.col == 0 && a.line == b.line && insertedBreaks > 0) m = a.line + insertedBreaks;
    } else {
      // Removed lines collapse onto the line holding the rest of the last one.
      m = a.line + insertedBreaks;
    }
  }
}

void Document::Record(Edit e, EditKind kind, Pos anchorBefore, Pos caretBefore) {
  redo_.clear();
  if (undoDepth_ <= 0) return;
  if (compound_ > 0 && compoundStarted_ && !undo_.empty()) {
    undo_.back().edits.push_back(std::move(e));
    undo_.back().anchorAfter = anchor_;
    undo_.back().caretAfter = caret_;
    return;
  }
  if (compound_ > 0) {
    compoundStarted_ = true;
    kind = EditKind::Other;
  }
  if (mergeOpen_ && kind != EditKind::Other && !undo_.empty() && undo_.back().kind == kind) {
    Step& st = undo_.back();
    Edit& prev = st.edits.back();
    bool merged = false;
    if (kind == EditKind::Typing && e.removed.empty() && prev.removed.empty() &&
        EndOf(prev.start, prev.inserted) == e.start && e.inserted.find('\n') == std::string::npos) {
      prev.inserted += e.inserted;
      merged = true;
    } else if (kind == EditKind::DeleteBack && e.inserted.empty() && prev.inserted.empty() &&
               EndOf(e.start, e.removed) == prev.start) {
      prev.removed.insert(0, e.removed);
      prev.start = e.start;
      merged = true;
    } else if (kind == EditKind::DeleteForward && e.inserted.empty() && prev.inserted.empty() &&
               e.start == prev.start) {
      prev.removed += e.removed;
      merged = true;
    } else if (kind == EditKind::Typing) {
      // Overwrite mode: a typed character replacing one continues the run.
      if (!e.removed.empty() && e.removed.find('\n') == std::string::npos &&
          EndOf(prev.start, prev.inserted) == e.start && prev.removed.find('\n') == std::string::npos &&
          e.inserted.find('\n') == std::string::npos) {
        prev.inserted += e.inserted;
        prev.removed += e.removed;
        merged = true;
      }
    }
    if (merged) {
      st.anchorAfter = anchor_;
      st.caretAfter = caret_;
      return;
    }
  }
  Step st;
  st.edits.push_back(std::move(e));
  st.anchorBefore = anchorBefore;
  st.caretBefore = caretBefore;
  st.anchorAfter = anchor_;
  st.caretAfter = caret_;
  st.kind = kind;
  undo_.push_back(std::move(st));
  if (static_cast<int>(undo_.size()) > undoDepth_) undo_.erase(undo_.begin());
  mergeOpen_ = kind != EditKind::Other;
}

bool Document::Replace(Pos a, Pos b, std::string_view text, EditKind kind) {
  a = Clamp(a);
  b = Clamp(b);
  if (b < a) std::swap(a, b);
  std::string norm = NormalizeLineEnds(text);
  if (a == b && norm.empty()) return true;
  Pos anchorBefore = anchor_, caretBefore = caret_;
  Edit e{a, {}, norm};
  if (!RawReplace(a, b, norm, &e.removed)) return false;
  Record(std::move(e), kind, anchorBefore, caretBefore);
  return true;
}

bool Document::Surround(Pos a, Pos b, std::string_view before, std::string_view after) {
  a = Clamp(a);
  b = Clamp(b);
  if (b < a) std::swap(a, b);
  std::string head = NormalizeLineEnds(before), tail = NormalizeLineEnds(after);
  // The lines the whole forms: both ends and the kept text between.
  std::string whole = head + TextRange(a, b, "\n") + tail;
  if (!Fits(a, b, Pieces(whole))) return false;
  if (head.empty() && tail.empty()) {
    anchor_ = caret_ = b;
    return true;
  }
  Pos anchorBefore = anchor_, caretBefore = caret_;
  UndoGroup group(*this);
  // The end first, so that the start stays where it is.
  for (auto [p, piece] : {std::pair{b, std::string_view(tail)}, std::pair{a, std::string_view(head)}}) {
    if (piece.empty()) continue;
    RawReplace(p, p, piece, nullptr);
    Record(Edit{p, {}, std::string(piece)}, EditKind::Other, anchorBefore, caretBefore);
  }
  anchor_ = caret_ = EndOf(a, whole);
  if (!undo_.empty() && undoDepth_ > 0) undo_.back().anchorAfter = undo_.back().caretAfter = caret_;
  return true;
}

bool Document::SetText(std::string_view text) {
  bool ok = Replace({0, 0}, EndPos(), text);
  if (ok) {
    anchor_ = caret_ = {0, 0};
    if (!undo_.empty() && undoDepth_ > 0) undo_.back().anchorAfter = undo_.back().caretAfter = {0, 0};
  }
  return ok;
}

bool Document::Undo() {
  if (undo_.empty()) return false;
  Step st = std::move(undo_.back());
  undo_.pop_back();
  for (auto it = st.edits.rbegin(); it != st.edits.rend(); ++it)
    RawReplace(it->start, EndOf(it->start, it->inserted), it->removed, nullptr);
  anchor_ = Clamp(st.anchorBefore);
  caret_ = Clamp(st.caretBefore);
  redo_.push_back(std::move(st));
  mergeOpen_ = false;
  return true;
}

bool Document::Redo() {
  if (redo_.empty()) return false;
  Step st = std::move(redo_.back());
  redo_.pop_back();
  for (auto& e : st.edits) RawReplace(e.start, EndOf(e.start, e.removed), e.inserted, nullptr);
  anchor_ = Clamp(st.anchorAfter);
  caret_ = Clamp(st.caretAfter);
  undo_.push_back(std::move(st));
  mergeOpen_ = false;
  return true;
}

void Document::SetUndoDepth(int depth) {
  if (depth < 0 || depth > kMaxUndo) depth = kMaxUndo;
  undoDepth_ = depth;
  while (static_cast<int>(undo_.size()) > undoDepth_) undo_.erase(undo_.begin());
  if (undoDepth_ == 0) redo_.clear();
  mergeOpen_ = false;
}

void Document::ClearUndo() {
  undo_.clear();
  redo_.clear();
  mergeOpen_ = false;
}

void Document::SetModified(bool on, uint8_t mask) {
  uint8_t m = mask ? mask : 0xFF;
  if (on)
    modified_ |= m;
  else
    modified_ &= static_cast<uint8_t>(~m);
}

LoadResult Document::Load(std::string_view bytes, int* badLine) {
  std::vector<std::string> lines;
  lines.reserve(bytes.size() / 40 + 1);
  size_t s = 0;
  size_t n = bytes.size();
  const char* p = bytes.data();
  for (size_t i = 0;; ++i) {
    if (i == n || p[i] == '\r' || p[i] == '\n') {
      if (i - s > static_cast<size_t>(kMaxColumns)) {
        if (badLine) *badLine = static_cast<int>(lines.size()) + 1;
        return LoadResult::LineTooLong;
      }
      lines.emplace_back(p + s, i - s);
      if (i == n) break;
      if (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n') ++i;
      s = i + 1;
    }
  }
  int oldCount = LineCount();
  lines_ = std::move(lines);
  anchor_ = caret_ = {0, 0};
  ClearUndo();
  modified_ = 0;
  bookmarks_.fill(-1);
  ++version_;
  if (onChange_) onChange_(0, oldCount - 1, LineCount() - 1);
  return LoadResult::Ok;
}

std::string Document::Save(LineEnd eol) const {
  std::string_view e = eol == LineEnd::CrLf ? "\r\n" : eol == LineEnd::Lf ? "\n" : "\r";
  return Text(e);
}

void Document::Clear() {
  int oldCount = LineCount();
  lines_.assign(1, std::string());
  anchor_ = caret_ = {0, 0};
  ClearUndo();
  modified_ = 0;
  bookmarks_.fill(-1);
  ++version_;
  if (onChange_) onChange_(0, oldCount - 1, 0);
}

void Document::SetBookmarkCount(int n) { bookmarkCount_ = std::clamp(n, 1, kMaxBookmarks); }

bool Document::SetBookmark(int index, int line) {
  if (index < 0 || index >= bookmarkCount_) return false;
  bookmarks_[index] = line < 0 ? -1 : std::min(line, LineCount() - 1);
  return true;
}

int Document::Bookmark(int index) const {
  if (index < 0 || index >= bookmarkCount_) return -1;
  return bookmarks_[index];
}

namespace {
bool MatchAt(const std::string& line, size_t at, std::string_view what, bool matchCase) {
  if (at + what.size() > line.size()) return false;
  if (matchCase) return line.compare(at, what.size(), what) == 0;
  for (size_t i = 0; i < what.size(); ++i)
    if (FoldCase(static_cast<unsigned char>(line[at + i])) != FoldCase(static_cast<unsigned char>(what[i])))
      return false;
  return true;
}
bool WholeWordAt(const std::string& line, size_t at, size_t len) {
  if (at > 0 && IsWordChar(static_cast<unsigned char>(line[at - 1]))) return false;
  if (at + len < line.size() && IsWordChar(static_cast<unsigned char>(line[at + len]))) return false;
  return true;
}
}  // namespace

int Document::ReplaceAll(std::string_view what, std::string_view with, bool matchCase, bool wholeWord) {
  UndoGroup group(*this);
  int count = 0;
  Pos s, t, from{0, 0};
  while (Find(what, from, true, matchCase, wholeWord, s, t)) {
    if (!Replace(s, t, with)) break;
    from = caret_;
    ++count;
  }
  return count;
}

bool Document::Find(std::string_view what, Pos from, bool forward, bool matchCase, bool wholeWord, Pos& start,
                    Pos& end) const {
  if (what.empty()) return false;
  from = Clamp(from);
  const int count = LineCount();
  if (forward) {
    for (int l = from.line; l < count; ++l) {
      const std::string& line = Line(l);
      size_t c = l == from.line ? static_cast<size_t>(from.col) : 0;
      for (; c + what.size() <= line.size(); ++c) {
        if (MatchAt(line, c, what, matchCase) && (!wholeWord || WholeWordAt(line, c, what.size()))) {
          start = {l, static_cast<int>(c)};
          end = {l, static_cast<int>(c + what.size())};
          return true;
        }
      }
    }
  } else {
    for (int l = from.line; l >= 0; --l) {
      const std::string& line = Line(l);
      long long limit = l == from.line ? static_cast<long long>(from.col) - static_cast<long long>(what.size())
                                       : static_cast<long long>(line.size()) - static_cast<long long>(what.size());
      for (long long c = limit; c >= 0; --c) {
        if (MatchAt(line, static_cast<size_t>(c), what, matchCase) &&
            (!wholeWord || WholeWordAt(line, static_cast<size_t>(c), what.size()))) {
          start = {l, static_cast<int>(c)};
          end = {l, static_cast<int>(c + what.size())};
          return true;
        }
      }
    }
  }
  return false;
}

}  // namespace ledit
