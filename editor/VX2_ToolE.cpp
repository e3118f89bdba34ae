#include "editor/VX2_ToolE.h"

#include <tuple>

#include "editor/CusTool.h"
#include "editor/FileNameEdits.h"
#include "framework/core/SysUtils.h"
#include "framework/win/MakeControl.h"
#include "toolkit/ToolEdit.h"

namespace vx {

TfrmCusToolE::TfrmCusToolE(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientSize(400, 200);
  Label1 = MakeControl<TLabel>(this, this, "Label1", 10, 10, 200, 13);
  Label1->SetCaption("&Command");
  CmdE = MakeControl<TFilenameEdit>(this, this, "CmdE", 10, 28, 380, 21);
  CmdE->SetFilter(
      "Executable Files (*.exe)|*.exe|Com Files (*.com)|*.com|Batch File (*.bat)|*.bat|All files (*.*)|*.*");
  Label1->SetFocusControl(CmdE);
  Label2 = MakeControl<TLabel>(this, this, "Label2", 10, 60, 200, 13);
  Label2->SetCaption("&Parameters");
  ParamE = MakeControl<TEdit>(this, this, "ParamE", 10, 78, 380, 21);
  Label2->SetFocusControl(ParamE);
  Label3 = MakeControl<TLabel>(this, this, "Label3", 10, 104, 380, 13);
  Label3->SetCaption("( use %s to reference current Edit Windows filename) ");
  SaveCB = MakeControl<TCheckBox>(this, this, "SaveCB", 10, 130, 380, 17);
  SaveCB->SetCaption("S&ave Contents of Document before executing");
  std::tie(btnOK, btnCancel) = PlaceOkCancel(this, 234, 166);
  SetActiveControl(CmdE);
}

TfrmCusToolE::~TfrmCusToolE() = default;

void TfrmCusToolE::LoadItem(const TCusToolItem& item) {
  SetCaption(Format("Editing %s", item.Name().c_str()));
  ShowFileName(CmdE, item.Command());
  ParamE->SetText(item.Params());
  SaveCB->SetChecked(item.SaveFirst());
}

void TfrmCusToolE::StoreItem(TCusToolItem& item) {
  item.SetCommand(FileNameOf(CmdE));
  item.SetParams(ParamE->Text());
  item.SetSaveFirst(SaveCB->Checked());
}

}  // namespace vx
