// The list wizard: lines of text become an ordered or unordered HTML list, with a preview.
#pragma once

#include "framework/win/Forms.h"
#include "framework/win/PageControl.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class THTMLViewer;

class TfrmListW : public TForm {
 public:
  explicit TfrmListW(TComponent* owner);
  const char* ClassName() const override { return "TfrmListW"; }

  TPageControl* PageControl1;
  TTabSheet *TabSheet1, *TabSheet2;
  TMemo* Memo1;
  TButton* btnSort;
  TCheckBox* cbOrdered;
  THTMLViewer* HTMLViewer1;
  TButton *OkBtn, *CancelBtn;

  // The memo's text becomes the given text.
  void SetItems(const AnsiString& text);
  // The list: its lines each followed by CR LF.
  AnsiString GetListText();
  void btnSortClick(TObject* Sender);
  void PageControl1Change(TObject* Sender);

 private:
  std::vector<AnsiString> MemoLines();

 protected:
  ~TfrmListW() override = default;
};

}  // namespace vx
