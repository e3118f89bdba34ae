// A window with the combo, file-name and directory edits (for looking at them). Run with
// "dir" to see the select-directory dialog over it.
#include <cstring>

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"
#include "toolkit/ToolEdit.h"

using namespace vx;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmd, int) {
  auto* form = CreateForm<TForm>(Application);
  form->SetCaption("Vornix combo edits");
  form->SetBounds(10, 10, 360, 220);
  auto add = [&](TCustomComboEdit* e, const char* label, int y) {
    auto* l = new TLabel(form);
    l->SetParent(form);
    l->SetBounds(10, y + 3, 90, 13);
    l->SetCaption(label);
    e->SetParent(form);
    e->SetBounds(100, y, 230, 21);
  };
  auto* combo = new TComboEdit(form);
  combo->SetGlyphKind(gkEllipsis);
  combo->SetText("HTML files (*.htm)|*.htm");
  add(combo, "Ellipsis:", 10);
  auto* drop = new TComboEdit(form);
  drop->SetGlyphKind(gkDropDown);
  drop->SetText("drop-down glyph");
  add(drop, "Drop-down:", 40);
  auto* file = new TFilenameEdit(form);
  file->SetFileName("C:\\Program Files\\Web Browser\\web.exe");
  add(file, "File name:", 70);
  auto* dir = new TDirectoryEdit(form);
  dir->SetText("C:\\windows");
  dir->SetDialogOptions({sdAllowCreate, sdPerformCreate, sdPrompt});
  add(dir, "Directory:", 100);
  auto* off = new TDirectoryEdit(form);
  off->SetText("disabled");
  off->SetEnabled(false);
  add(off, "Disabled:", 130);
  form->Show();
  if (std::strstr(cmd, "dir")) {
    AnsiString d = "C:\\windows";
    SelectDirectory(d, {sdAllowCreate, sdPerformCreate, sdPrompt}, 0);
  }
  Application->Run();
  return 0;
}
