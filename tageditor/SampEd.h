// The code sample editor: an HTML description or sample edited with highlighting, shown
// rendered on its preview page, and "Format" to turn markup into visible text.
#pragma once

#include <string_view>

#include "editctl/LEDlp32.h"
#include "framework/win/Forms.h"
#include "framework/win/PageControl.h"
#include "framework/win/StdCtrls.h"
#include "viewer/Htmlview.h"

namespace vx {

// The editor's syntax: '2' and two double quotes (strings), "!-" ... "->" (comments),
// and the symbols "&", ";", "</", ">", "gt" and "lt".
extern const char SampleSyntax[26];

class TfrmSampEd : public TForm {
 public:
  explicit TfrmSampEd(TComponent* owner);
  const char* ClassName() const override { return "TfrmSampEd"; }

  // The editor's whole text (not the caption's SetText and GetText).
  void SetText(std::string_view text) { Ledit->SetText(AnsiString(text)); }
  AnsiString GetText() const { return Ledit->GetText(); }

  TPageControl* PageControl1;
  TTabSheet* TabSheet1;
  TLEdit* Ledit;
  TTabSheet* TabSheet2;
  THTMLViewer* Viewer;
  TButton* btnOK;
  TButton* btnCancel;
  TButton* btnFormat;

  void PageControl1Change(TObject* Sender);
  void btnFormatClick(TObject* Sender);
  void FormResize(TObject* Sender);
  void LeditControlHighlight(TObject* Sender, uint16_t WordType, int32_t WordValue, const AnsiString& WordStr,
                             TColor& ForeClr, TColor& BackClr);

 protected:
  ~TfrmSampEd() override = default;
};

}  // namespace vx
