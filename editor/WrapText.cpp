// Markup put around a selection of the edit control in one edit.
#include <algorithm>

#include "editctl/LEDlp32.h"
#include "editor/WrapText.h"

namespace vx {

namespace {

// Steps (line, pos) over text inserted there: CR LF, LF and CR each break a line once.
void StepOver(const AnsiString& text, int& line, int& pos) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++line;
      pos = 0;
    } else {
      ++pos;
    }
  }
}

// The longest line that text forms between `head` characters before it and `tail` after.
size_t LongestLine(const AnsiString& text, size_t head, size_t tail) {
  size_t longest = 0, run = head;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      longest = std::max(longest, run);
      run = 0;
    } else {
      ++run;
    }
  }
  return std::max(longest, run + tail);
}

void Select(TCustomLEdit* ed, int startLine, int startPos, int endLine, int endPos) {
  ed->SetStartLine(startLine);
  ed->SetStartPos(startPos);
  ed->SetEndLine(endLine);
  ed->SetEndPos(endPos);
  ed->ApplySelection();
}

}  // namespace

bool WrapText(TCustomLEdit* ed, int startLine, int startPos, int endLine, int endPos, const AnsiString& before,
              const AnsiString& after, bool selectWhole) {
  Select(ed, startLine, startPos, endLine, endPos);
  // The control puts the two ends in as one step and keeps the text between as it is.
  AnsiString whole = before + (ed->GetSelLength() > 0 ? ed->SelTextToString() : AnsiString()) + after;
  size_t tail = static_cast<size_t>(std::max(0, ed->GetLineLength(endLine) - endPos));
  if (LongestLine(whole, static_cast<size_t>(startPos), tail) > LE_MAX_COLUMNS) return false;
  if (!ed->SurroundSelText(before, after)) return false;
  int line = startLine, pos = startPos;
  if (selectWhole) {
    StepOver(whole, line, pos);
    Select(ed, startLine, startPos, line, pos);
  } else {
    StepOver(before, line, pos);
    Select(ed, line, pos, line, pos);
  }
  return true;
}

}  // namespace vx
