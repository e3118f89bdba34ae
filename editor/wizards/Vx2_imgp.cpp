#include "editor/wizards/Vx2_imgp.h"

#include "editor/wizards/FormBuild.h"
#include "editor/wizards/H_hrefb.h"
#include "tagdefs/tePaths.h"
#include "toolkit/ZXCtrls.h"

namespace vx {

TForm_Imgp::TForm_Imgp(TComponent* owner) : TForm(owner) {
  MakeDialog(this, "Form_Imgp", "Properties", 360, 110);
  SetShowHint(true);

  HRefE = MakeControl<TEdit>(this, this, "HRefE", 64, 8, 212, 21);
  HRefL = PlaceLabel(this, this, "HRefL", "&HRef", 8, 12, HRefE);
  SpeedButton1 = MakeControl<TZxSpeedButton>(this, this, "SpeedButton1", 280, 7, 25, 23);
  SpeedButton1->SetHint("Select File");
  SetButtonPicture(SpeedButton1, "siOpen", "F");
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  Button1 = MakeControl<TButton>(this, this, "Button1", 310, 7, 42, 23);
  Button1->SetCaption("...");
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  targetE = MakeControl<TComboBox>(this, this, "targetE", 64, 40, 120, 22);
  for (const char* t : {"_self", "_parent", "_top"}) targetE->Items()->Add(t);
  TargetL = PlaceLabel(this, this, "TargetL", "&Target", 8, 44, targetE);
  OkBtn = PlaceDialogButton(this, this, "OkBtn", "OK", 196, 76, mrOk, true);
  CancelBtn = PlaceDialogButton(this, this, "CancelBtn", "Cancel", 277, 76, mrCancel, false, true);

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->SetTitle("Select File");
  OpenDialog1->SetFilter("HTML Files (*.htm)|*.htm|All Files|*.*");
  OpenDialog1->SetOptions(TOpenOptions{ofHideReadOnly, ofNoChangeDir});
}

void TForm_Imgp::SpeedButton1Click(TObject*) {
  if (!OpenDialog1->Execute()) return;
  HRefE->SetText(RelativeURL(OpenDialog1->FileName()));
  if (HRefE->CanFocus()) HRefE->SetFocus();
}

void TForm_Imgp::Button1Click(TObject*) {
  auto refb = NewForm<TForm_RefB>(Application);
  if (refb->ShowModal() == mrOk) HRefE->SetText(refb->URLE->Text());
  if (HRefE->CanFocus()) HRefE->SetFocus();
}

}  // namespace vx
