// A custom tag put around the current editor's selection.
#include "editor/CustTags.h"
#include "editor/vx2_EdWin.h"
#include "framework/core/SysUtils.h"

namespace vx {

namespace {

const char* const kMissingFile = "[Error : Could not load text file ! Check Custom Tag]";

// The text of one side: typed in, or the file's lines each ended by CR LF.
AnsiString SideText(const AnsiString& value, bool isFile) {
  if (!isFile) return value;
  if (!FileExists(value)) return kMissingFile;
  TStringList lines;
  lines.LoadFromFile(value);
  return lines.Text();
}

// Where inserted text ends: the line breaks it holds (CR LF, LF or CR each count once)
// and the length of its last line.
void TextEnd(const AnsiString& text, int& breaks, int& lastLine) {
  breaks = 0;
  lastLine = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++breaks;
      lastLine = 0;
    } else {
      ++lastLine;
    }
  }
}

}  // namespace

void TfrmEditWin::InsertCustomTag(TCusTagItem* item) {
  TxEdit* ed = CurrentEditor();
  if (!ed || !item) return;
  int startLine, startPos, endLine, endPos;
  bool hasSel = OrderedSelection(ed, startLine, startPos, endLine, endPos);
  // Both texts before either goes in: a file that cannot be read leaves no half a tag.
  AnsiString after = SideText(item->After(), item->AfterIsFile());
  AnsiString before = SideText(item->Before(), item->BeforeIsFile());
  // The end first, so that the start position stays valid.
  ed->InsertTextAt(endLine, endPos, after);
  ed->InsertTextAt(startLine, startPos, before);
  if (hasSel && !item->BeforeIsFile() && !item->AfterIsFile()) {
    // The selection ends where the text after it ends; the text before it moves that
    // end down by its own line breaks, and along when both lie on one line.
    int aBreaks, aLast, bBreaks, bLast;
    TextEnd(after, aBreaks, aLast);
    TextEnd(before, bBreaks, bLast);
    int line = endLine + aBreaks;
    int pos = aBreaks ? aLast : endPos + static_cast<int>(after.size());
    if (line == startLine) pos = bBreaks ? bLast + (pos - startPos) : pos + static_cast<int>(before.size());
    line += bBreaks;
    ed->SetStartLine(startLine);
    ed->SetStartPos(startPos);
    ed->SetEndLine(line);
    ed->SetEndPos(pos);
    ed->ApplySelection();
  }
  if (ed->CanFocus()) ed->SetFocus();
}

}  // namespace vx
