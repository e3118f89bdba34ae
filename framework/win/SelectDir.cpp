#include "framework/win/SelectDir.h"

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "framework/win/MakeControl.h"

namespace vx {

const TTypeInfo* TypeInfoSelectDirOpts() {
  return SetTypeInfo("TSelectDirOpts", EnumTypeInfo("TSelectDirOpt", {"sdAllowCreate", "sdPerformCreate", "sdPrompt"}));
}

namespace {

TLabel* AddLabel(TForm* f, const char* name, const char* caption, int x, int y) {
  auto* l = MakeControl<TLabel>(f, f, name, x, y, 200, 13);
  l->SetCaption(caption);
  return l;
}

TButton* AddButton(TForm* f, const char* name, const char* caption, int y) {
  auto* b = MakeControl<TButton>(f, f, name, 228, y, 96, 25);
  b->SetCaption(caption);
  return b;
}

// A name with a drive or a leading separator stands for itself; anything else lies
// below the folder the lists show.
bool IsRootedName(const AnsiString& name) {
  return (name.size() >= 2 && name[1] == ':') || (!name.empty() && IsPathDelimiter(name[0]));
}

}  // namespace

TSelectDirDlg::TSelectDirDlg(TComponent* owner) : TForm(owner) {
  SetCaption("Select Directory");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetClientSize(332, 292);

  DirNameLabel = AddLabel(this, "DirNameLabel", "Directory &Name:", 8, 8);
  DirEdit = MakeControl<TEdit>(this, this, "DirEdit", 8, 24, 316, 21);
  DirNameLabel->SetFocusControl(DirEdit);

  DirListLabel = AddLabel(this, "DirListLabel", "&Directories:", 8, 52);
  DirList = MakeControl<TDirectoryListBox>(this, this, "DirList", 8, 68, 208, 170);
  DirList->OnChange = [this](TObject* s) { DirListChange(s); };
  DirListLabel->SetFocusControl(DirList);

  DriveLabel = AddLabel(this, "DriveLabel", "Dri&ves:", 8, 244);
  DriveList = MakeControl<TDriveComboBox>(this, this, "DriveList", 8, 260, 208, 21);
  DriveList->SetDirList(DirList);
  DriveLabel->SetFocusControl(DriveList);

  OKButton = AddButton(this, "OKButton", "OK", 68);
  OKButton->SetDefault(true);
  OKButton->OnClick = [this](TObject* s) { OKButtonClick(s); };
  CancelButton = AddButton(this, "CancelButton", "Cancel", 100);
  CancelButton->SetCancel(true);
  CancelButton->SetModalResult(mrCancel);
  HelpButton = AddButton(this, "HelpButton", "&Help", 132);
  HelpButton->OnClick = [this](TObject* s) { HelpButtonClick(s); };
  HelpButton->SetVisible(false);

  SetOptions({});
}

void TSelectDirDlg::SetOptions(TSelectDirOpts o) {
  options_ = o;
  // Without leave to name a new folder the edit only shows the list's choice.
  DirEdit->SetReadOnly(!o.Contains(sdAllowCreate));
  DirEdit->SetColor(o.Contains(sdAllowCreate) ? clWindow : clBtnFace);
  DirEdit->SetTabStop(o.Contains(sdAllowCreate));
}

void TSelectDirDlg::SetDirectory(const AnsiString& dir) {
  try {
    if (!dir.empty()) DirList->SetDirectory(dir);
  } catch (const EInOutError&) {
    // An unreadable folder: the lists stay where they are.
  }
  DirListChange(DirList);
}

void TSelectDirDlg::DirListChange(TObject*) { DirEdit->SetText(DirList->Directory()); }

void TSelectDirDlg::HelpButtonClick(TObject*) { Application->HelpContext(HelpContext()); }

void TSelectDirDlg::OKButtonClick(TObject*) {
  AnsiString name = Trim(DirEdit->Text());
  if (name.empty()) name = DirList->Directory();
  if (!IsRootedName(name)) name = IncludeTrailingBackslash(DirList->Directory()) + name;
  name = ExpandFileName(name);
  if (name.size() > 3) name = ExcludeTrailingBackslash(name);  // a root keeps its "\"
  if (!DirectoryExists(name)) {
    if (!options_.Contains(sdAllowCreate)) return;
    if (FileExists(ExcludeTrailingBackslash(name))) {
      MessageDlg(Format("%s is a file, not a folder.", name.c_str()), mtError, {mbOK}, 0);
      return;
    }
    if (options_.Contains(sdPrompt) &&
        MessageDlg(Format("The folder %s does not exist.\r\nDo you want to create it?", name.c_str()), mtConfirmation,
                   {mbYes, mbNo}, 0) != mrYes)
      return;
    if (options_.Contains(sdPerformCreate) && !ForceDirectories(name)) {
      MessageDlg(Format("Cannot create the folder %s", name.c_str()), mtError, {mbOK}, 0);
      return;
    }
  }
  directory_ = name;
  SetModalResult(mrOk);
}

bool SelectDirectory(AnsiString& directory, TSelectDirOpts options, int helpContext) {
  TSelectDirDlg* dlg = CreateForm<TSelectDirDlg>(Application);
  auto freeDialog = OnScopeExit([dlg] { dlg->Free(); });
  dlg->SetOptions(options);
  dlg->SetHelpContext(helpContext);
  dlg->HelpButton->SetVisible(helpContext != 0);
  dlg->SetDirectory(directory);
  if (dlg->ShowModal() != mrOk) return false;
  directory = dlg->Directory();
  return true;
}

}  // namespace vx
