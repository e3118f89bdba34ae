#include "editor/Splash.h"

namespace vx {

TSplashForm::TSplashForm(TComponent* owner) : TForm(owner) {
  SetName("SplashForm");
  SetCaption("About Vornix");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientSize(300, 130);
  SetHelpContext(17);
  auto* title = new TLabel(this);
  title->SetParent(this);
  title->SetBounds(16, 16, 268, 20);
  title->Font()->SetSize(12);
  title->Font()->SetStyle(TFontStyles{fsBold});
  title->SetCaption("Vornix");
  VersionLabel = new TLabel(this);
  VersionLabel->SetName("VersionLabel");
  VersionLabel->SetParent(this);
  VersionLabel->SetBounds(16, 44, 268, 16);
  VersionLabel->SetCaption(Application->Title());
  OkButton = new TButton(this);
  OkButton->SetName("OkButton");
  OkButton->SetParent(this);
  OkButton->SetCaption("&Ok");
  OkButton->SetBounds(112, 94, 75, 25);
  OkButton->SetModalResult(mrOk);
  OkButton->SetDefault(true);
}

}  // namespace vx
