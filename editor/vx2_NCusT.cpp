#include "editor/vx2_NCusT.h"

#include "framework/win/MakeControl.h"

namespace vx {

TNameDlg::TNameDlg(TComponent* owner, const char* caption, const char* label, const char* editName) : TForm(owner) {
  SetCaption(caption);
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientSize(300, 96);
  Label1 = MakeControl<TLabel>(this, this, "Label1", 10, 10, 200, 13);
  Label1->SetCaption(label);
  NameEdit = MakeControl<TEdit>(this, this, editName, 10, 28, 280, 21);
  Label1->SetFocusControl(NameEdit);
  btnOK = MakeControl<TButton>(this, this, "btnOK", 130, 62, 75, 25);
  btnOK->SetCaption("OK");
  btnOK->SetModalResult(mrOk);
  btnOK->SetDefault(true);
  btnCancel = MakeControl<TButton>(this, this, "btnCancel", 215, 62, 75, 25);
  btnCancel->SetCaption("Cancel");
  btnCancel->SetModalResult(mrCancel);
  btnCancel->SetCancel(true);
  SetActiveControl(NameEdit);
}

TNameDlg::~TNameDlg() = default;

TfrmNewTag::TfrmNewTag(TComponent* owner)
    : TNameDlg(owner, "New Custom Tag", "&Tag Description", "newtagE"), newtagE(NameEdit) {}

}  // namespace vx
