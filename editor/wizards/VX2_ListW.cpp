#include "editor/wizards/VX2_ListW.h"

#include "editor/wizards/FormBuild.h"
#include "editor/wizards/WizardText.h"
#include "framework/win/ExtCtrls.h"
#include "viewer/Htmlview.h"

namespace vx {

TfrmListW::TfrmListW(TComponent* owner) : TForm(owner) {
  MakeDialog(this, "frmListW", "List Wizard", 445, 336);

  PageControl1 = MakeControl<TPageControl>(this, this, "PageControl1", 6, 6, 433, 288);
  TabSheet1 = AddSheet(this, PageControl1, "TabSheet1", "List Items");
  TabSheet2 = AddSheet(this, PageControl1, "TabSheet2", "Preview");
  // The pages take their size from the tabs' window: their controls follow by alignment.
  TPanel* bottom = PlainPanel(this, TabSheet1, "Panel1", alBottom, 38);
  Memo1 = MakeControl<TMemo>(this, TabSheet1, "Memo1", 0, 0, 100, 100);
  Memo1->SetAlign(alClient);
  Memo1->SetScrollBars(ssVertical);
  Memo1->SetWordWrap(false);
  btnSort = PlaceButton(this, bottom, "btnSort", "&Sort", 4, 7);
  btnSort->OnClick = [this](TObject* s) { btnSortClick(s); };
  cbOrdered = MakeControl<TCheckBox>(this, bottom, "cbOrdered", 96, 10, 140, 19);
  cbOrdered->SetCaption("&Ordered List");

  HTMLViewer1 = PlacePreview(this, TabSheet2, "HTMLViewer1");
  PageControl1->OnChange = [this](TObject* s) { PageControl1Change(s); };

  OkBtn = PlaceDialogButton(this, this, "OkBtn", "OK", 283, 304, mrOk, true);
  CancelBtn = PlaceDialogButton(this, this, "CancelBtn", "Cancel", 364, 304, mrCancel, false, true);
  SetActiveControl(Memo1);
}

void TfrmListW::SetItems(const AnsiString& text) { Memo1->SetText(text); }

std::vector<AnsiString> TfrmListW::MemoLines() {
  std::vector<AnsiString> items;
  TStrings* lines = Memo1->Lines();
  for (int i = 0; i < lines->Count(); ++i) items.push_back(lines->Strings(i));
  return items;
}

AnsiString TfrmListW::GetListText() { return LinesText(ListLines(MemoLines(), cbOrdered->Checked())); }

void TfrmListW::btnSortClick(TObject*) {
  TStringList sorted;
  sorted.Assign(*Memo1->Lines());
  sorted.Sort();
  // Written back as one text: line by line, a leading empty line would be lost.
  AnsiString text;
  for (int i = 0; i < sorted.Count(); ++i) text += (i ? "\r\n" : "") + sorted.Strings(i);
  Memo1->SetText(text);
}

void TfrmListW::PageControl1Change(TObject*) {
  if (PageControl1->ActivePage() != TabSheet2) return;
  // The preview shows the very text OK inserts.
  HTMLViewer1->LoadFromString(GetListText());
}

}  // namespace vx
