#include "editor/vx2_NCusT.h"

#include <tuple>

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
  std::tie(btnOK, btnCancel) = PlaceOkCancel(this, 134, 62);
  SetActiveControl(NameEdit);
}

TNameDlg::~TNameDlg() = default;

TfrmNewTag::TfrmNewTag(TComponent* owner)
    : TNameDlg(owner, "New Custom Tag", "&Tag Description", "newtagE"), newtagE(NameEdit) {}

}  // namespace vx
