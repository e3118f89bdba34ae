#include "editor/vx2_NCusT.h"

namespace vx {

TNameDlg::TNameDlg(TComponent* owner, const char* caption, const char* label, const char* editName) : TForm(owner) {
  SetCaption(caption);
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientSize(300, 96);
  Label1 = new TLabel(this);
  Label1->SetName("Label1");
  Label1->SetParent(this);
  Label1->SetCaption(label);
  Label1->SetBounds(10, 10, 200, 13);
  NameEdit = new TEdit(this);
  NameEdit->SetName(editName);
  NameEdit->SetParent(this);
  NameEdit->SetBounds(10, 28, 280, 21);
  Label1->SetFocusControl(NameEdit);
  btnOK = new TButton(this);
  btnOK->SetName("btnOK");
  btnOK->SetParent(this);
  btnOK->SetCaption("OK");
  btnOK->SetBounds(130, 62, 75, 25);
  btnOK->SetModalResult(mrOk);
  btnOK->SetDefault(true);
  btnCancel = new TButton(this);
  btnCancel->SetName("btnCancel");
  btnCancel->SetParent(this);
  btnCancel->SetCaption("Cancel");
  btnCancel->SetBounds(215, 62, 75, 25);
  btnCancel->SetModalResult(mrCancel);
  btnCancel->SetCancel(true);
  SetActiveControl(NameEdit);
}

TNameDlg::~TNameDlg() { BeforeDestruction(); }

TfrmNewTag::TfrmNewTag(TComponent* owner)
    : TNameDlg(owner, "New Custom Tag", "&Tag Description", "newtagE"), newtagE(NameEdit) {}

}  // namespace vx
