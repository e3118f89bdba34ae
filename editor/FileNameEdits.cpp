#include "editor/FileNameEdits.h"

#include "framework/core/SysUtils.h"
#include "toolkit/ToolEdit.h"

namespace vx {

void ShowFileName(TFilenameEdit* edit, const AnsiString& name) {
  try {
    edit->SetFileName(name);
  } catch (const EComboEditError&) {
    edit->SetText(name);
  }
}

AnsiString FileNameOf(TFilenameEdit* edit) {
  AnsiString text = Trim(edit->Text());
  if (!text.empty() && text[0] == '"') return edit->FileName();
  return text;
}

}  // namespace vx
