// A custom tag put around the current editor's selection.
#include "editor/CustTags.h"
#include "editor/WrapText.h"
#include "editor/vx2_EdWin.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"

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

}  // namespace

void TfrmEditWin::InsertCustomTag(TCusTagItem* item) {
  TxEdit* ed = CurrentEditor();
  if (!ed || !item) return;
  int startLine, startPos, endLine, endPos;
  bool hasSel = OrderedSelection(ed, startLine, startPos, endLine, endPos);
  // Both texts before either goes in: a file that cannot be read leaves no half a tag.
  AnsiString after = SideText(item->After(), item->AfterIsFile());
  AnsiString before = SideText(item->Before(), item->BeforeIsFile());
  // With a selection and typed texts the whole result is selected; otherwise the caret
  // stands after the text put before.
  bool selectWhole = hasSel && !item->BeforeIsFile() && !item->AfterIsFile();
  if (!WrapText(ed, startLine, startPos, endLine, endPos, before, after, selectWhole)) {
    MessageDlg(Format("The custom tag %s was not inserted: its texts would make a line longer than %d characters.",
                      item->Name().c_str(), LE_MAX_COLUMNS),
               mtError, {mbOK}, 0);
    return;
  }
  if (ed->CanFocus()) ed->SetFocus();
}

}  // namespace vx
