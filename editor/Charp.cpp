#include "editor/Charp.h"

namespace vx {

TForm_Charp* Form_Charp = nullptr;

TForm_Charp::TForm_Charp(TComponent* owner) : TForm(owner) {
  SetName("Form_Charp");
  SetCaption("Special Characters");
  SetBorderStyle(bsToolWindow);
  SetVisible(false);
  Form_Charp = this;
}

TForm_Charp::~TForm_Charp() {
  if (Form_Charp == this) Form_Charp = nullptr;
}

}  // namespace vx
