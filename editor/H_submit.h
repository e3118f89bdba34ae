// What an HTML form in the preview would submit: its action, its method and its name=value
// lines.
#pragma once

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TSubmitForm : public TForm {
 public:
  explicit TSubmitForm(TComponent* owner);
  const char* ClassName() const override { return "TSubmitForm"; }
  TLabel *Label1, *Label2, *Label3;
  TEdit* ActionText;
  TEdit* MethodText;
  TListBox* ResultBox;
  TButton* CloseButton;

 protected:
  ~TSubmitForm() override = default;
};

}  // namespace vx
