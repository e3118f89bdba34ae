#include "editor/H_submit.h"

#include "framework/win/MakeControl.h"

namespace vx {

TSubmitForm::TSubmitForm(TComponent* owner) : TForm(owner) {
  SetName("SubmitForm");
  SetCaption("Submit Results");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientSize(360, 280);
  auto label = [this](const char* caption, int top) {
    auto* l = new TLabel(this);
    l->SetParent(this);
    l->SetCaption(caption);
    l->SetLeft(8);
    l->SetTop(top);
    return l;
  };
  Label1 = label("Action:", 12);
  ActionText = MakeControl<TEdit>(this, this, "ActionText", 64, 8, 288, 21);
  Label2 = label("Method:", 40);
  MethodText = MakeControl<TEdit>(this, this, "MethodText", 64, 36, 288, 21);
  Label3 = label("Results", 68);
  ResultBox = MakeControl<TListBox>(this, this, "ResultBox", 8, 84, 344, 152);
  // Only the button takes the focus: the fields are there to be read.
  for (TWinControl* c : {static_cast<TWinControl*>(ActionText), static_cast<TWinControl*>(MethodText),
                         static_cast<TWinControl*>(ResultBox)})
    c->SetTabStop(false);
  ActionText->SetReadOnly(true);
  MethodText->SetReadOnly(true);
  CloseButton = MakeControl<TButton>(this, this, "CloseButton", 142, 246, 75, 25);
  CloseButton->SetCaption("&Close");
  CloseButton->SetDefault(true);
  CloseButton->SetModalResult(mrOk);
}

}  // namespace vx
