#include "tageditor/SampEd.h"

#include "framework/core/Scoped.h"
#include "tageditor/FormParts.h"
#include "tageditor/TagEdRules.h"

namespace vx {

// Bytes, not a string literal with escapes: the two double quotes are part of it.
const char SampleSyntax[26] = {'2', '"', '"', '0', '0', '2', '!', '-', '2', '-', '>', '1', '&',
                               '1', ';', '2', '<', '/', '1', '>', '2', 'g', 't', '2', 'l', 't'};

TfrmSampEd::TfrmSampEd(TComponent* owner) : TForm(owner) {
  SetCaption("Code Sample Editor");
  SetPosition(poScreenCenter);
  SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
  SetClientSize(480, 340);

  PageControl1 = MakeControl<TPageControl>(this, this, "PageControl1", 5, 5, 470, 300);
  TabSheet1 = AddSheet(this, PageControl1, "TabSheet1", "Example Code");
  Ledit = new TLEdit(this);
  Ledit->SetName("Ledit");
  Ledit->SetParent(TabSheet1);
  Ledit->SetAlign(alClient);
  Ledit->SetWordWrap(true);  // no right margin and no file: the control's defaults
  Ledit->SetSyntax(AnsiString(SampleSyntax, sizeof SampleSyntax));
  Ledit->SetHighlight(true);
  Ledit->SetBookmarksMax(1);
  Ledit->SetUndoDepth(909);
  Ledit->SetDefaultExt("TXT");
  Ledit->OnControlHighlight = [this](TObject* s, uint16_t t, int32_t v, const AnsiString& w, TColor& f, TColor& b) {
    LeditControlHighlight(s, t, v, w, f, b);
  };

  TabSheet2 = AddSheet(this, PageControl1, "TabSheet2", "Preview");
  Viewer = new THTMLViewer(this);
  Viewer->SetName("Viewer");
  Viewer->SetParent(TabSheet2);
  Viewer->SetAlign(alClient);
  Viewer->SetViewImages(false);
  Viewer->SetDefFontName("Times New Roman");
  Viewer->SetDefFontSize(10);
  Viewer->SetDefPreFontName("Courier New");
  PageControl1->SetActivePage(TabSheet1);
  PageControl1->OnChange = [this](TObject* s) { PageControl1Change(s); };

  btnOK = PlaceButton(this, this, "btnOK", "OK", 314, 312);
  btnOK->SetModalResult(mrOk);
  btnCancel = PlaceButton(this, this, "btnCancel", "Cancel", 399, 312);
  btnCancel->SetCancel(true);
  btnCancel->SetModalResult(mrCancel);
  btnFormat = PlaceButton(this, this, "btnFormat", "Format", 5, 312);
  btnFormat->SetHint("Convert selected text \r\ncontaining < > to &lt; &gt;");
  btnFormat->SetShowHint(true);
  btnFormat->OnClick = [this](TObject* s) { btnFormatClick(s); };
  OnResize = [this](TObject* s) { FormResize(s); };
}

void TfrmSampEd::PageControl1Change(TObject*) {
  if (PageControl1->ActivePage() != TabSheet2) return;
  HGLOBAL block = Ledit->GetTextHandle();
  int length = Ledit->GetTextLength();
  auto release = OnScopeExit([block] { TCustomLEdit::FreeTextHandle(block); });
  if (block && length > 0) {
    const char* text = static_cast<const char*>(GlobalLock(block));
    auto unlock = OnScopeExit([block] { GlobalUnlock(block); });
    Viewer->LoadFromMemory(text, static_cast<size_t>(length));
  } else {
    Viewer->Clear();  // an emptied sample must not keep showing the last preview
  }
}

void TfrmSampEd::btnFormatClick(TObject*) {
  if (Ledit->GetSelLength() > 0)
    Ledit->SetSelText(EscapeSampleText(Ledit->GetSelText()));
  else
    Ledit->SetText(EscapeSampleText(Ledit->GetText()));
}

void TfrmSampEd::FormResize(TObject*) {
  int w = ClientWidth(), h = ClientHeight();
  PageControl1->SetBounds(PageControl1->Left(), PageControl1->Top(), w - 10, h - 40);
  int top = h - 28;
  btnCancel->SetBounds(w - btnCancel->Width() - 6, top, btnCancel->Width(), btnCancel->Height());
  btnOK->SetBounds(w - btnOK->Width() - btnCancel->Width() - 10, top, btnOK->Width(), btnOK->Height());
  btnFormat->SetBounds(btnFormat->Left(), top, btnFormat->Width(), btnFormat->Height());
}

void TfrmSampEd::LeditControlHighlight(TObject*, uint16_t WordType, int32_t, const AnsiString& WordStr, TColor& ForeClr,
                                       TColor& BackClr) {
  switch (WordType) {
    case 1:
      ForeClr = clBlack;
      BackClr = Ledit->Color();
      if (IsSampleTagWord(WordStr)) ForeClr = clGreen;
      break;
    case 0x2001:
    case 0x6001: ForeClr = clNavy; break;
    case 0x8000: ForeClr = clGreen; break;
    default: break;
  }
}

}  // namespace vx
