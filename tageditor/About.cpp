#include "tageditor/About.h"

#include "framework/core/SysUtils.h"
#include "tageditor/FormParts.h"
#include "tageditor/TagEdRules.h"

namespace vx {

TfrmAbout::TfrmAbout(TComponent* owner) : TForm(owner) {
  MakeDialog(this, "", "About", 300, 172);
  Image1 = MakeControl<TImage>(this, this, "Image1", 16, 16, 32, 32);
  lblProgram = PlaceLabel(this, this, "lblProgram", "", 64, 14);
  lblProgram->Font()->SetSize(12);
  lblProgram->Font()->SetStyle(TFontStyles{fsBold});
  lblProgram->SetCaption("Vornix Pro");  // after the font, so the label takes the size of its text
  lblTitle = PlaceLabel(this, this, "lblTitle", "HTML Tag Editor", 64, 38);
  lblMemory = PlaceLabel(this, this, "lblMemory", "Memory Available to Windows", 64, 70);
  lblMemAvail = PlaceLabel(this, this, "lblMemAvail", "", 64, 88);
  lblVersion = PlaceLabel(this, this, "lblVersion", "Version 1.0 (Build 1)", 64, 112);
  btnOK = PlaceButton(this, this, "btnOK", "OK", 112, 138);
  btnOK->SetDefault(true);
  btnOK->SetCancel(true);
  btnOK->SetModalResult(mrOk);
  OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TfrmAbout::FormCreate(TObject*) {
  TBitmap* b = Image1->Picture()->Bitmap();
  b->SetSize(32, 32);
  b->Canvas()->Brush()->SetColor(clBtnFace);
  b->Canvas()->FillRect(RECT{0, 0, 32, 32});
  DrawIcon(b->Canvas()->Handle(), 0, 0, LoadIconA(nullptr, IDI_APPLICATION));
  // The whole physical memory, in 64 bits: the older call stops counting at 2 or 4 GB.
  MEMORYSTATUSEX ms{};
  ms.dwLength = sizeof ms;
  GlobalMemoryStatusEx(&ms);
  char sep[4] = ",";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, sep, sizeof sep);
  lblMemAvail->SetCaption(FormatKilobytes(ms.ullTotalPhys, sep[0]));
}

}  // namespace vx
