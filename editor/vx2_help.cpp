#include "editor/vx2_help.h"

#include "framework/core/SysUtils.h"
#include "tagdefs/ParEd.h"
#include "tagdefs/teTagType.h"
#include "toolkit/Placemnt.h"
#include "viewer/Htmlview.h"

namespace vx {

TfrmHelpView::TfrmHelpView(TComponent* owner) : TForm(owner) {
  SetName("frmHelpView");
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetBounds(150, 120, 420, 300);

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  Panel1->SetCaption("");
  Panel1->SetBevelOuter(bvLowered);
  Panel1->SetBounds(6, 6, 400, 250);
  HTMLViewer1 = new THTMLViewer(this);
  HTMLViewer1->SetName("HTMLViewer1");
  HTMLViewer1->SetParent(Panel1);
  HTMLViewer1->SetAlign(alClient);
  HTMLViewer1->SetCursor(crIBeam);
  HTMLViewer1->SetViewImages(false);
  HTMLViewer1->SetBorderStyle(htNone);
  HTMLViewer1->SetNoSelect(false);
  HTMLViewer1->SetDefFontName("Times New Roman");
  HTMLViewer1->SetDefPreFontName("Courier New");

  AddViewerPopup(
      this, HTMLViewer1, PopupMenu1, cmdCopy, cmdSelectAll, [this](TObject* s) { cmdCopyClick(s); },
      [this](TObject* s) { cmdSelectAllClick(s); }, [this](TObject* s) { PopupMenu1Popup(s); });

  btnOK = new TButton(this);
  btnOK->SetName("btnOK");
  btnOK->SetParent(this);
  btnOK->SetBounds(248, 264, 75, 25);
  btnOK->SetCaption("OK");
  btnOK->SetDefault(true);
  btnOK->SetModalResult(mrOk);
  btnCancel = new TButton(this);
  btnCancel->SetName("btnCancel");
  btnCancel->SetParent(this);
  btnCancel->SetBounds(330, 264, 75, 25);
  btnCancel->SetCaption("Cancel");
  btnCancel->SetCancel(true);
  btnCancel->SetModalResult(mrCancel);

  FormStorage1 = new TFormStorage(this);
  FormStorage1->SetName("FormStorage1");
  FormStorage1->SetUseRegistry(false);
  FormStorage1->SetIniFileName("vornix32.ini");
  FormStorage1->SetIniSection("HelpView");
  // Smaller, the buttons would leave the client area (FormResize lays them out).
  FormStorage1->MinMaxInfo()->SetMinTrackWidth(220);
  FormStorage1->MinMaxInfo()->SetMinTrackHeight(150);

  OnResize = [this](TObject* s) { FormResize(s); };
}

void TfrmHelpView::ShowTag(THTMLTagDef* Def) {
  if (!Def) return;
  if (Def->Kind() != tkStandAlone)
    SetCaption(Format("HTML Tag <%s> ... <%s>", Def->Name().c_str(), Def->EndTag().c_str()));
  else
    SetCaption(Format("HTML Tag <%s>", Def->Name().c_str()));
  TStringList page;
  page.Add(Def->Description());
  HTMLViewer1->LoadFromStrings(page);
}

void TfrmHelpView::FormResize(TObject*) {
  int w = ClientWidth(), h = ClientHeight();
  Panel1->SetWidth(w - 12);
  Panel1->SetHeight(h - 40);
  btnOK->SetTop(h - 28);
  btnCancel->SetTop(h - 28);
  btnCancel->SetLeft(w - btnCancel->Width() - 8);
  btnOK->SetLeft(w - btnOK->Width() - btnCancel->Width() - 12);
}

void TfrmHelpView::PopupMenu1Popup(TObject*) { cmdCopy->SetEnabled(HTMLViewer1->SelLength() > 0); }

void TfrmHelpView::cmdCopyClick(TObject*) { HTMLViewer1->CopyToClipboard(); }

void TfrmHelpView::cmdSelectAllClick(TObject*) { HTMLViewer1->SelectAll(); }

}  // namespace vx
