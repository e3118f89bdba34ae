// The edit control's document: lines of bytes, the selection, grouped undo and redo,
// modified bits and bookmarks that follow their lines. Knows nothing of windows.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ledit {

constexpr int kMaxColumns = 32767;  // columns travel as 16-bit signed values
constexpr int kMaxUndo = 32000;
constexpr int kMaxBookmarks = 256;

struct Pos {
  int line = 0;  // from 0
  int col = 0;
  friend bool operator==(const Pos&, const Pos&) = default;
  friend bool operator<(const Pos& a, const Pos& b) { return a.line < b.line || (a.line == b.line && a.col < b.col); }
  friend bool operator<=(const Pos& a, const Pos& b) { return !(b < a); }
};

// How an edit may merge with the previous undo step: typed characters, backspaces
// and forward deletes each run together into one step.
enum class EditKind { Other, Typing, DeleteBack, DeleteForward };

enum class LineEnd { CrLf, Lf, Cr };

enum class LoadResult { Ok, LineTooLong };

class Document {
 public:
  // Lines [first, first + removed] were replaced by [first, first + inserted].
  using ChangeFn = std::function<void(int first, int removed, int inserted)>;

  Document();

  int LineCount() const { return static_cast<int>(lines_.size()); }
  const std::string& Line(int i) const { return lines_[static_cast<size_t>(i)]; }
  int LineLength(int i) const { return static_cast<int>(lines_[static_cast<size_t>(i)].size()); }

  // Whole text and ranges, joined with the given line end.
  size_t TextLength(size_t eolLength = 2) const;
  std::string Text(std::string_view eol = "\r\n") const;
  void AppendText(std::string& out, std::string_view eol) const;
  std::string TextRange(Pos a, Pos b, std::string_view eol = "\r\n") const;
  size_t RangeLength(Pos a, Pos b, size_t eolLength = 2) const;

  Pos Clamp(Pos p) const;
  Pos EndPos() const { return {LineCount() - 1, LineLength(LineCount() - 1)}; }
  // Where text inserted at p ends (text with any line ends).
  static Pos EndOf(Pos p, std::string_view text);

  // Selection: anchor is where it started, caret where it ends.
  Pos Anchor() const { return anchor_; }
  Pos Caret() const { return caret_; }
  Pos SelStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
  Pos SelEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
  bool HasSelection() const { return !(anchor_ == caret_); }
  void SetSelection(Pos anchor, Pos caret);  // clamps; ends a run of typing

  // Replaces [a, b) (any order) with text (CR LF, LF and CR all break lines); caret
  // and anchor end after the text. False, with nothing changed, when a line would
  // grow beyond kMaxColumns.
  bool Replace(Pos a, Pos b, std::string_view text, EditKind kind = EditKind::Other);
  bool ReplaceSelection(std::string_view text, EditKind kind = EditKind::Other) {
    return Replace(anchor_, caret_, text, kind);
  }
  // Puts `before` at the start of [a, b) and `after` at its end as one undo step: the lines
  // between, and their bookmarks, stay as they are. The caret ends after `after`. False,
  // with nothing changed, when a line would grow beyond kMaxColumns.
  bool Surround(Pos a, Pos b, std::string_view before, std::string_view after);
  bool SurroundSelection(std::string_view before, std::string_view after) {
    return Surround(anchor_, caret_, before, after);
  }
  // Replaces everything with text as one edit; the caret goes to the start.
  bool SetText(std::string_view text);

  // File contents: any line ends; refuses (leaving the document) lines too long.
  // Clears undo, modified bits and bookmarks.
  LoadResult Load(std::string_view bytes, int* badLine = nullptr);
  std::string Save(LineEnd eol) const;
  void Clear();  // empty document, no undo, not modified

  // Undo and redo restore the text and the selection around each step.
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  bool Undo();
  bool Redo();
  void SetUndoDepth(int depth);  // steps kept; 0 keeps none
  int UndoDepth() const { return undoDepth_; }
  void CloseUndoStep() { mergeOpen_ = false; }
  // Edits between BeginStep and EndStep undo as one step; UndoGroup pairs them.
  void BeginStep() {
    if (compound_++ == 0) compoundStarted_ = false;
    mergeOpen_ = false;
  }
  void EndStep() {
    if (compound_ > 0) --compound_;
    mergeOpen_ = false;
  }
  void ClearUndo();

  // Eight modified bits; every edit sets all of them. A mask of 0 means all bits.
  bool Modified(uint8_t mask) const { return (modified_ & (mask ? mask : 0xFF)) != 0; }
  void SetModified(bool on, uint8_t mask);
  uint8_t ModifiedBits() const { return modified_; }

  // Bookmarks hold a line (from 0) or -1; edits keep them on their lines.
  void SetBookmarkCount(int n);
  int BookmarkCount() const { return bookmarkCount_; }
  bool SetBookmark(int index, int line);  // line -1 clears
  int Bookmark(int index) const;

  // Find in one direction from `from`; no wrap. Matches do not span lines.
  bool Find(std::string_view what, Pos from, bool forward, bool matchCase, bool wholeWord, Pos& start, Pos& end) const;
  // Replaces every match from the start as one undo step; the number replaced.
  int ReplaceAll(std::string_view what, std::string_view with, bool matchCase, bool wholeWord);

  // Increases with every change of the text.
  uint64_t Version() const { return version_; }
  void SetChangeHandler(ChangeFn fn) { onChange_ = std::move(fn); }

 private:
  struct Edit {
    Pos start;
    std::string removed;   // '\n' between lines
    std::string inserted;  // '\n' between lines
  };
  struct Step {
    std::vector<Edit> edits;
    Pos anchorBefore, caretBefore, anchorAfter, caretAfter;
    EditKind kind = EditKind::Other;
  };

  bool Fits(Pos a, Pos b, const std::vector<std::string_view>& pieces) const;
  bool RawReplace(Pos a, Pos b, std::string_view normText, std::string* removed);
  void Record(Edit e, EditKind kind, Pos anchorBefore, Pos caretBefore);
  void MoveBookmarks(Pos a, Pos b, int insertedBreaks);

  std::vector<std::string> lines_;
  Pos anchor_, caret_;
  std::vector<Step> undo_, redo_;
  int undoDepth_ = kMaxUndo;
  bool mergeOpen_ = false;
  int compound_ = 0;
  bool compoundStarted_ = false;
  uint8_t modified_ = 0;
  std::array<int, kMaxBookmarks> bookmarks_;
  int bookmarkCount_ = kMaxBookmarks;
  uint64_t version_ = 0;
  ChangeFn onChange_;
};

// One undo step for the edits of its scope. Ends the step when the scope is left by an
// exception too, or every later edit would merge into the broken step.
class UndoGroup {
 public:
  explicit UndoGroup(Document& d) : d_(d) { d_.BeginStep(); }
  ~UndoGroup() { d_.EndStep(); }
  UndoGroup(const UndoGroup&) = delete;
  UndoGroup& operator=(const UndoGroup&) = delete;

 private:
  Document& d_;
};

// Text with CR LF, CR and LF all turned into '\n'.
std::string NormalizeLineEnds(std::string_view text);

// Code page 1252 case folding and word characters, shared by find and the lexer.
unsigned char FoldCase(unsigned char c);
bool IsWordChar(unsigned char c);

}  // namespace ledit
