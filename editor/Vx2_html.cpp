#include "editor/Vx2_html.h"

#include "editor/H_submit.h"
#include "editor/Settings.h"
#include "editor/Vx2_main.h"
#include "framework/core/SysUtils.h"
#include "framework/win/ComCtrls.h"
#include "framework/win/MakeControl.h"
#include "toolkit/Placemnt.h"

namespace vx {

TForm_HTMLView* Form_HTMLView = nullptr;

#define VX_HANDLER(method) [this](TObject* s) { method(s); }

TForm_HTMLView::TForm_HTMLView(TComponent* owner) : TForm(owner) {
  SetName("Form_HTMLView");
  SetFormStyle(fsMDIChild);
  SetPosition(poDefaultPosOnly);
  SetCaption("Form_HTMLView");
  SetBounds(0, 0, 560, 400);

  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  BackButton1 = MakeMenuItem(this, PopupMenu1->Items(), "BackButton1", "Back", VX_HANDLER(FwdBackClick), 0, 1);
  FwdButton1 = MakeMenuItem(this, PopupMenu1->Items(), "FwdButton1", "Forward", VX_HANDLER(FwdBackClick));
  MakeMenuItem(this, PopupMenu1->Items(), "", "-");
  EditDocument2 =
      MakeMenuItem(this, PopupMenu1->Items(), "EditDocument2", "Edit Document", VX_HANDLER(EditDocumentClick));

  Viewer = new TFrameViewer(this);
  Viewer->SetName("Viewer");
  Viewer->SetPopupMenu(PopupMenu1);
  Viewer->SetParent(this);
  Viewer->SetAlign(alClient);
  Viewer->SetNoSelect(false);
  Viewer->OnHistoryChange = VX_HANDLER(HistoryChange);
  Viewer->OnProcessing = [this](TObject* s, bool on) { ProcessingHandler(s, on); };
  Viewer->OnHotSpotTargetCovered = [this](TObject* s, const std::string& t, const std::string& u) {
    ViewerHotSpotTargetCovered(s, t, u);
  };
  Viewer->SetOnFormSubmit([this](TObject* s, const std::string& a, const std::string& m,
                                 std::unique_ptr<TStringList> r) { SubmitEvent(s, a, m, std::move(r)); });

  MainMenu = new TMainMenu(this);
  MainMenu->SetName("MainMenu");
  HistoryMenuItem = MakeMenuItem(this, MainMenu->Items(), "HistoryMenuItem", "&Browser");
  HistoryMenuItem->SetGroupIndex(3);
  Open1 = MakeMenuItem(this, HistoryMenuItem, "Open1", "Open...", VX_HANDLER(Open1Click));
  MakeMenuItem(this, HistoryMenuItem, "", "-");
  ShowImages = MakeMenuItem(this, HistoryMenuItem, "ShowImages", "&Show images", VX_HANDLER(ShowImagesClick));
  ShowImages->SetChecked(true);
  EditDocument1 = MakeMenuItem(this, HistoryMenuItem, "EditDocument1", "&Edit Document", VX_HANDLER(EditDocumentClick),
                               scCtrl | 'R');
  MakeMenuItem(this, HistoryMenuItem, "", "-");
  BackButton = MakeMenuItem(this, HistoryMenuItem, "BackButton", "Back", VX_HANDLER(FwdBackClick), VK_F11, 1);
  FwdButton = MakeMenuItem(this, HistoryMenuItem, "FwdButton", "Forward", VX_HANDLER(FwdBackClick), VK_F12);
  MakeMenuItem(this, HistoryMenuItem, "", "-");
  SetMenu(MainMenu);

  PrintDialog = new TPrintDialog(this);
  PrintDialog->SetName("PrintDialog");
  PrintDialog->SetOptions(TPrintDialogOptions{poPageNums});
  PrintDialog->SetMinPage(1);
  PrintDialog->SetMaxPage(9999);
  PrintDialog->SetFromPage(1);
  PrintDialog->SetToPage(9999);
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->SetTitle("Open HTML document");
  FormStorage1 = new TFormStorage(this);
  FormStorage1->SetName("FormStorage1");
  FormStorage1->SetUseRegistry(true);
  FormStorage1->SetIniSection("Browser");
  FormStorage1->StoredProps()->Add("Viewer.ViewImages");

  OnCreate = VX_HANDLER(FormCreate);
  OnActivate = VX_HANDLER(FormActivate);
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnDestroy = VX_HANDLER(FormDestroy);
}

TForm_HTMLView::~TForm_HTMLView() {
  if (Form_HTMLView == this) Form_HTMLView = nullptr;
}

void TForm_HTMLView::FormCreate(TObject*) {
  FormStorage1->SetIniFileName(VornixRegKey);
  SetHelpContext(95);
  if (TSettings* s = FrameForm ? FrameForm->Settings() : nullptr) {
    Viewer->SetDefBackground(s->BrowserBG());
    Viewer->SetDefFontName(s->BrowserFont());
    Viewer->SetDefFontColor(s->BrowserFontColor());
    Viewer->SetDefFontSize(s->BrowserFontSize());
    Viewer->SetDefHotSpotColor(s->HotSpot());
    Viewer->SetDefPreFontName(s->PreFont());
  }
  Viewer->SetHistoryMaxCount(6);
  for (int i = 0; i < 6; ++i) {
    HistoryItems[i] = MakeMenuItem(this, HistoryMenuItem, "", "", VX_HANDLER(HistoryClick), 0, i);
    HistoryItems[i]->SetVisible(false);
  }
  // The menu comes with the first page.
  HistoryMenuItem->SetVisible(false);
}

void TForm_HTMLView::ShowFile(const AnsiString& FileName) {
  if (FileName.empty()) {
    Open1Click(this);
    return;
  }
  Viewer->LoadFromFile(FileName);
  SetCaption(ExtractFileName(FileName) + " [" + Viewer->GetTitle() + "]");
  ShowImages->SetChecked(Viewer->ViewImages());
  Show();
}

void TForm_HTMLView::Open1Click(TObject*) {
  if (TSettings* s = FrameForm ? FrameForm->Settings() : nullptr) {
    OpenDialog1->SetFilter(s->DocFilter());
    OpenDialog1->SetDefaultExt(s->DocExt());
  }
  if (OpenDialog1->Execute()) ShowFile(OpenDialog1->FileName());
}

void TForm_HTMLView::ShowImagesClick(TObject*) {
  Viewer->SetViewImages(!Viewer->ViewImages());
  // Turning images on is refused while a page loads: the check follows the viewer.
  ShowImages->SetChecked(Viewer->ViewImages());
}

void TForm_HTMLView::FwdBackClick(TObject* Sender) {
  auto* c = dynamic_cast<TComponent*>(Sender);
  Viewer->SetHistoryIndex(Viewer->HistoryIndex() + (c && c->Tag() == 1 ? 1 : -1));
}

void TForm_HTMLView::EnableFwdBack() {
  bool fwd = Viewer->HistoryIndex() > 0, back = Viewer->HistoryIndex() < Viewer->HistoryCount() - 1;
  FwdButton->SetEnabled(fwd);
  FwdButton1->SetEnabled(fwd);
  BackButton->SetEnabled(back);
  BackButton1->SetEnabled(back);
}

void TForm_HTMLView::HistoryChange(TObject*) {
  // Another page: the link that was under the mouse is gone with the one it was on.
  ViewerHotSpotTargetCovered(this, "", "");
  EnableFwdBack();
  HistoryMenuItem->SetVisible(Viewer->HistoryCount() > 0);
  for (int i = 0; i < 6; ++i) {
    if (!HistoryItems[i]) continue;
    if (i < Viewer->HistoryCount()) {
      HistoryItems[i]->SetCaption(Viewer->History(i));
      HistoryItems[i]->SetVisible(true);
      HistoryItems[i]->SetChecked(i == Viewer->HistoryIndex());
    } else {
      HistoryItems[i]->SetVisible(false);
    }
  }
  SetCaption(Viewer->GetTitle());
}

void TForm_HTMLView::HistoryClick(TObject* Sender) {
  if (auto* c = dynamic_cast<TComponent*>(Sender)) Viewer->SetHistoryIndex(c->Tag());
}

void TForm_HTMLView::ProcessingHandler(TObject*, bool ProcessingOn) {
  if (ProcessingOn) {
    FwdButton->SetEnabled(false);
    BackButton->SetEnabled(false);
  } else {
    EnableFwdBack();
  }
}

void TForm_HTMLView::ViewerHotSpotTargetCovered(TObject*, const std::string&, const std::string& URL) {
  if (FrameForm && FrameForm->StatusBar->Panels()->Count() > 3) FrameForm->StatusBar->Panels()->Items(3)->SetText(URL);
}

void TForm_HTMLView::SubmitEvent(TObject*, const std::string& Action, const std::string& Method,
                                 std::unique_ptr<TStringList> Results) {
  TComponentPtr<TSubmitForm> f(CreateForm<TSubmitForm>(Application));
  f->ActionText->SetText(Action);
  f->MethodText->SetText(Method);
  if (Results) f->ResultBox->Items()->Assign(*Results);
  f->ShowModal();
}

void TForm_HTMLView::Print1Click(TObject*) {
  if (!PrintDialog->Execute()) return;
  if (HDC dc = PrintDialog->PrinterDC()) DeleteDC(dc);  // the viewer makes its own
  if (PrintDialog->PrintRange() == prPageNums)
    Viewer->Print(PrintDialog->FromPage(), PrintDialog->ToPage());
  else
    Viewer->Print(1, 9999);
}

void TForm_HTMLView::EditDocumentClick(TObject* Sender) {
  if (FrameForm) FrameForm->ReloadSBClick(Sender);
}

AnsiString TForm_HTMLView::CurrentFileName() {
  if (THTMLViewer* v = Viewer->GetCurrentViewer())
    if (!v->GetFileName().empty()) return v->GetFileName();
  return Viewer->GetFileName();
}

void TForm_HTMLView::FormActivate(TObject*) {
  if (FrameForm) FrameForm->EnableEditTools(false);
}

void TForm_HTMLView::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TForm_HTMLView::FormDestroy(TObject*) { Form_HTMLView = nullptr; }

}  // namespace vx
