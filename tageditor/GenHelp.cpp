#include "tageditor/GenHelp.h"

#include "framework/core/Exceptions.h"
#include "framework/core/SafeSave.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "tageditor/FormParts.h"

namespace vx {

namespace {

// A name as this system compares file names: read in the code page the program runs under
// and upper-cased by the system's own rule, whatever language is set.
std::u16string SystemNameFold(const AnsiString& name) {
  const int n = static_cast<int>(name.size());
  int wide = n ? MultiByteToWideChar(CP_ACP, 0, name.data(), n, nullptr, 0) : 0;
  std::wstring w(static_cast<size_t>(wide), L'\0');
  if (wide) MultiByteToWideChar(CP_ACP, 0, name.data(), n, w.data(), wide);
  std::wstring upper(w.size(), L'\0');
  if (wide && !LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, w.data(), wide, upper.data(), wide))
    return WesternFold(name);
  return std::u16string(upper.begin(), upper.end());
}

}  // namespace

TfrmGenHelp::TfrmGenHelp(TComponent* owner) : TForm(owner) {
  MakeDialog(this, "", "Help Generator", 360, 176);
  GroupBox1 = PlaceGroup(this, this, "GroupBox1", "&Destination Directory", 8, 6, 344, 52);
  DirectoryEdit1 = MakeControl<TDirectoryEdit>(this, GroupBox1, "DirectoryEdit1", 12, 20, 320, 21);
  DirectoryEdit1->SetDialogOptions({sdAllowCreate, sdPerformCreate, sdPrompt});
  GroupBox2 = PlaceGroup(this, this, "GroupBox2", "&Options", 8, 64, 344, 70);
  btnGenerateHelp = PlaceButton(this, this, "btnGenerateHelp", "Generate Help", 150, 142, 110);
  btnGenerateHelp->OnClick = [this](TObject* s) { btnGenerateHelpClick(s); };
  btnCancel = PlaceButton(this, this, "btnCancel", "Cancel", 268, 142, 84);
  btnCancel->SetCancel(true);
  btnCancel->SetModalResult(mrCancel);
}

void TfrmGenHelp::btnGenerateHelpClick(TObject*) {
  AnsiString dest = Trim(DirectoryEdit1->Text());
  // Made full first: the pages are written by name after the change of folder, and a
  // relative name would then point somewhere else.
  if (!dest.empty()) dest = ExpandFileName(dest);
  if (dest.empty() || !SetCurrentDir(dest)) {
    MessageDlg("Cannot find directory", mtWarning, {mbOK}, 0);
    return;
  }
  GenerateHelp(dest);
}

void TfrmGenHelp::GenerateHelp(const AnsiString& folder) {
  if (!Group) return;
  const AnsiString prefix = IncludeTrailingBackslash(folder);
  // An index of an earlier run goes first: a run that stops at a page it cannot write
  // must not leave it beside the new pages, linking to pages of that run.
  const AnsiString index = prefix + "index.htm";
  if (FileExists(index) && !DeleteFile(index)) throw EFCreateError("Cannot create file " + index);
  GenerateHelpPages(*Group, [&](const AnsiString& fileName, const THelpLines& lines) {
    AnsiString text = LinesText(lines);
    SaveFileSafely(prefix + fileName, [&](TStream& s) { s.WriteBuffer(text.data(), static_cast<int>(text.size())); });
  }, SystemNameFold);
}

}  // namespace vx
