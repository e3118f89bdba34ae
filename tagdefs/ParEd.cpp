#include "tagdefs/ParEd.h"

#include "framework/core/SysUtils.h"
#include "tagdefs/tePaths.h"

namespace vx {

TfrmParEd::TfrmParEd(TComponent* owner) : TForm(owner) {
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetBounds(120, 100, 406, 303);
  SetPosition(poScreenCenter);

  TabControl1 = new TTabControl(this);
  TabControl1->SetName("TabControl1");
  TabControl1->SetParent(this);
  TabControl1->SetBounds(4, 4, 390, 228);
  TabControl1->Tabs()->SetText("Netscape 3\r\nMSI 3\r\nMosaic\r\nInt Browser\r\n");
  TabControl1->SetTabIndex(0);
  TabControl1->OnChange = [this](TObject* s) { TabControl1Change(s); };

  // Bottom first: the splitter then stands above the help panel it resizes.
  Panel6 = new TPanel(this);
  Panel6->SetName("Panel6");
  Panel6->SetParent(TabControl1);
  Panel6->SetBevelOuter(bvNone);
  Panel6->SetCaption("");
  Panel6->SetAlign(alBottom);
  Panel6->SetHeight(89);
  HTMLViewer1 = new THTMLViewer(this);
  HTMLViewer1->SetName("HTMLViewer1");
  HTMLViewer1->SetParent(Panel6);
  HTMLViewer1->SetAlign(alClient);
  HTMLViewer1->SetViewImages(false);
  HTMLViewer1->SetDefFontName("Times New Roman");
  HTMLViewer1->SetDefFontSize(10);
  HTMLViewer1->SetDefPreFontName("Courier New");
  HTMLViewer1->SetHistoryMaxCount(0);
  AddViewerPopup(
      this, HTMLViewer1, PopupMenu1, cmdCopy, cmdSelectAll, [this](TObject* s) { cmdCopyClick(s); },
      [this](TObject* s) { cmdSelectAllClick(s); }, [this](TObject* s) { PopupMenu1Popup(s); });

  Splitter1 = new TSplitter(this);
  Splitter1->SetName("Splitter1");
  Splitter1->SetParent(TabControl1);
  Splitter1->SetAlign(alBottom);
  Splitter1->SetHeight(3);

  Panel5 = new TPanel(this);
  Panel5->SetName("Panel5");
  Panel5->SetParent(TabControl1);
  Panel5->SetBevelOuter(bvNone);
  Panel5->SetCaption("");
  Panel5->SetAlign(alClient);
  XGrid1 = new TXGrid(this);
  XGrid1->SetName("XGrid1");
  XGrid1->SetParent(Panel5);
  XGrid1->SetBounds(0, 0, 380, 100);
  XGrid1->SetColWidth(100);
  XGrid1->SetAlign(alClient);
  XGrid1->OnEditUpdateContents = [this](TObject* s) { XGrid1EditUpdateContents(s); };

  cbHelp = new TCheckBox(this);
  cbHelp->SetName("cbHelp");
  cbHelp->SetParent(this);
  cbHelp->SetBounds(8, 248, 97, 17);
  cbHelp->SetCaption("Display Help");
  cbHelp->SetChecked(true);
  cbHelp->OnClick = [this](TObject* s) { cbHelpClick(s); };

  btnOK = new TButton(this);
  btnOK->SetName("btnOK");
  btnOK->SetParent(this);
  btnOK->SetBounds(236, 244, 75, 25);
  btnOK->SetCaption("OK");
  btnOK->SetDefault(true);
  btnOK->OnClick = [this](TObject* s) { btnOKClick(s); };
  btnCancel = new TButton(this);
  btnCancel->SetName("btnCancel");
  btnCancel->SetParent(this);
  btnCancel->SetBounds(318, 244, 75, 25);
  btnCancel->SetCaption("Cancel");
  btnCancel->SetCancel(true);
  btnCancel->SetModalResult(mrCancel);

  FormStorage1 = new TFormStorage(this);
  FormStorage1->SetName("FormStorage1");
  FormStorage1->SetUseRegistry(true);
  FormStorage1->SetIniSection("ParWindow");
  for (const char* p : {"TabControl1.TabIndex", "Panel6.Height", "cbHelp.Checked", "HTMLViewer1.Visible"})
    FormStorage1->StoredProps()->Add(p);
  FormStorage1->MinMaxInfo()->SetMinTrackWidth(200);
  FormStorage1->MinMaxInfo()->SetMinTrackHeight(200);
  FormStorage1->MinMaxInfo()->SetMaxTrackWidth(600);
  FormStorage1->MinMaxInfo()->SetMaxTrackHeight(400);

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnResize = [this](TObject* s) { FormResize(s); };
}

void TfrmParEd::FormCreate(TObject*) { FormStorage1->SetIniFileName("Software\\Marrowby\\Vornix"); }

void TfrmParEd::btnOKClick(TObject*) { SetModalResult(mrOk); }

void TfrmParEd::FormResize(TObject*) {
  int w = ClientWidth(), h = ClientHeight();
  TabControl1->SetBounds(TabControl1->Left(), TabControl1->Top(), w - 8, h - 40);
  btnCancel->SetBounds(w - btnCancel->Width() - 5, h - btnCancel->Height() - 5, btnCancel->Width(),
                       btnCancel->Height());
  btnOK->SetBounds(w - btnCancel->Width() - btnOK->Width() - 10, h - btnOK->Height() - 5, btnOK->Width(),
                   btnOK->Height());
  cbHelp->SetBounds(cbHelp->Left(), h - cbHelp->Height() - 5, cbHelp->Width(), cbHelp->Height());
}

void TfrmParEd::LoadTag(THTMLTagDef* tag) {
  TagDef = tag;
  if (tag->Kind() != tkStandAlone)
    SetCaption(Format("Editing HTML Tag <%s> ... <%s>", tag->Name().c_str(), tag->EndTag().c_str()));
  else
    SetCaption(Format("Editing HTML Tag <%s>", tag->Name().c_str()));
  TStringList help;
  help.Add(tag->Description());
  attrs_.LowerCaseTags = LowerCaseTags;
  attrs_.LoadTag(*tag);
  TXGridRows* rows = XGrid1->GridRows();
  rows->BeginUpdate();
  rows->Clear();
  for (int i = 0; i < tag->Attribs().Count(); ++i) {
    THTMLAttribDef* a = tag->AttribAt(i);
    TXGridRowItem* row = rows->Add();
    row->SetState(a->Required() != arNotRequired ? 1 : 0);
    row->SetCaption(a->Name());
    help.Add("<p>");
    help.Add("<FONT color=blue><A NAME=" + a->Name() + "><h5>" + a->Name() + "</h5></A></FONT>");
    help.Add(a->Description());
    switch (a->AttrType()) {
      case atText: row->SetButtonStyle(rbsNone); break;
      case atNumeric: row->SetButtonStyle(rbsNumber); break;
      case atColor: row->SetButtonStyle(rbsColor); break;
      case atPickList: {
        row->SetButtonStyle(rbsPickList);
        TStringList pick;
        pick.SetText(a->PickList());
        for (int k = 0; k < pick.Count(); ++k) pick.SetStrings(k, LowerCaseIf(pick[k], LowerCaseTags));
        row->SetPickList(&pick);
        break;
      }
      case atFile: row->SetButtonStyle(rbsFile); break;
      case atImage: row->SetButtonStyle(rbsImage); break;
      default: row->SetButtonStyle(rbsNone); break;
    }
    if (a->AttrType() == atFile || a->AttrType() == atImage) {
      // Empty or a lone blank: the program's default filter of the kind.
      if (a->Filter() > " ")
        row->SetFilter(a->Filter());
      else
        row->SetFilter(a->AttrType() == atFile ? DocFilter : ImgFilter);
    }
    row->SetIsFlag(a->IsFlag());
    if (a->IsFlag()) {
      TStringList pick;
      pick.Add(LowerCaseIf("TRUE", LowerCaseTags));
      row->SetPickList(&pick);
      row->SetButtonStyle(rbsPickList);
    }
  }
  rows->EndUpdate();
  helpText_ = help.Text();
  HTMLViewer1->LoadFromString(helpText_);
  TabControl1Change(TabControl1);
}

void TfrmParEd::RowsToAttributes() {
  TXGridRows* rows = XGrid1->GridRows();
  auto& r = attrs_.Rows();
  for (int i = 0; i < rows->Count() && i < static_cast<int>(r.size()); ++i) {
    r[static_cast<size_t>(i)].Value = rows->Items(i)->Value();
    r[static_cast<size_t>(i)].IsFlag = rows->Items(i)->IsFlag();
  }
}

void TfrmParEd::ParseAttributes(const AnsiString& text) {
  RowsToAttributes();
  attrs_.ParseAttributes(text);
  TXGridRows* rows = XGrid1->GridRows();
  auto& r = attrs_.Rows();
  for (int i = 0; i < rows->Count() && i < static_cast<int>(r.size()); ++i)
    rows->Items(i)->SetValue(r[static_cast<size_t>(i)].Value);
}

AnsiString TfrmParEd::BuildAttributes() {
  RowsToAttributes();
  return attrs_.BuildAttributes();
}

void TfrmParEd::TabControl1Change(TObject*) {
  if (!TagDef) return;
  int tab = TabControl1->TabIndex();
  TBrowserFlags bit = tab >= 0 && tab < 4 ? BrowserFlagBits[tab] : 0;
  TXGridRows* rows = XGrid1->GridRows();
  for (int i = 0; i < TagDef->Attribs().Count() && i < rows->Count(); ++i)
    rows->Items(i)->SetColor(TagDef->AttribAt(i)->Browsers() & bit ? clMaroon : clBlack);
  XGrid1->Invalidate();
}

void TfrmParEd::cbHelpClick(TObject*) {
  bool on = cbHelp->Checked();
  Panel6->SetVisible(on);
  Splitter1->SetVisible(on);
  HTMLViewer1->SetVisible(on);
}

void TfrmParEd::XGrid1EditUpdateContents(TObject*) {
  if (!HTMLViewer1->Visible()) return;
  if (TXGridRowItem* row = XGrid1->CurrentItem()) HTMLViewer1->GoToAnchor("#" + row->Caption());
}

void TfrmParEd::PopupMenu1Popup(TObject*) { cmdCopy->SetEnabled(HTMLViewer1->SelLength() > 0); }

void TfrmParEd::cmdCopyClick(TObject*) { HTMLViewer1->CopyToClipboard(); }

void TfrmParEd::cmdSelectAllClick(TObject*) { HTMLViewer1->SelectAll(); }

void AddViewerPopup(TComponent* Owner, THTMLViewer* Viewer, TPopupMenu*& Menu, TMenuItem*& Copy, TMenuItem*& SelectAll,
                    TNotifyEvent OnCopy, TNotifyEvent OnSelectAll, TNotifyEvent OnPopup) {
  Menu = new TPopupMenu(Owner);
  Menu->SetName("PopupMenu1");
  Copy = new TMenuItem(Owner);
  Copy->SetName("cmdCopy");
  Copy->SetCaption("&Copy");
  Copy->OnClick = std::move(OnCopy);
  Menu->Items()->Add(Copy);
  SelectAll = new TMenuItem(Owner);
  SelectAll->SetName("cmdSelectAll");
  SelectAll->SetCaption("&Select All");
  SelectAll->OnClick = std::move(OnSelectAll);
  Menu->Items()->Add(SelectAll);
  Menu->OnPopup = std::move(OnPopup);
  Viewer->SetPopupMenu(Menu);
}

}  // namespace vx
