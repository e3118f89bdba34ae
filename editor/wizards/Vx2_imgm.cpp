#include "editor/wizards/Vx2_imgm.h"

#include <cstdlib>

#include "editctl/LEDlp32.h"
#include "editor/wizards/FormBuild.h"
#include "editor/wizards/Handles.h"
#include "editor/wizards/Vx2_imgp.h"
#include "editor/wizards/WizardText.h"
#include "framework/core/SysUtils.h"
#include "tagdefs/ImgDlg.h"
#include "viewer/HTMLGdi.h"

namespace vx {

THotSpot::THotSpot(TComponent* owner) : TShape(owner) { Brush()->SetStyle(bsClear); }

TForm_Imgm::TForm_Imgm(TComponent* owner) : TForm(owner) {
  SetName("Form_Imgm");
  SetCaption("Image Map Wizard");
  SetHelpContext(97);
  SetPosition(poScreenCenter);
  SetClientSize(520, 400);
  SetShowHint(true);

  Panel1 = MakeControl<TPanel>(this, this, "Panel1", 0, 0, 520, 30);
  Panel1->SetCaption("");
  Panel1->SetAlign(alTop);
  LocationP = MakeControl<TPanel>(this, Panel1, "LocationP", 50, 4, 150, 22);
  Label1 = PlaceLabel(this, Panel1, "Label1", "Coords", 8, 8);
  Label2 = PlaceLabel(this, Panel1, "Label2", "URL", 214, 8);
  UrlP = MakeControl<TPanel>(this, Panel1, "UrlP", 240, 4, 272, 22);
  for (TPanel* p : {LocationP, UrlP}) {
    p->SetCaption("");
    p->SetBevelOuter(bvLowered);
    p->SetAlignment(taLeftJustify);
  }

  Panel2 = MakeControl<TPanel>(this, this, "Panel2", 0, 362, 520, 38);
  Panel2->SetCaption("");
  Panel2->SetAlign(alBottom);
  NameE = MakeControl<TEdit>(this, Panel2, "NameE", 52, 8, 200, 21);
  NameE->SetHint("Image map name is used by the \rimage usemap field. This name \rmust be unique|Image map name");
  Label3 = PlaceLabel(this, Panel2, "Label3", "&Name", 10, 12, NameE);
  OkBtn = PlaceDialogButton(this, Panel2, "OkBtn", "OK", 356, 6, mrOk, true);
  CancelBtn = PlaceDialogButton(this, Panel2, "CancelBtn", "Cancel", 437, 6, mrCancel, false, true);

  ScrollBox1 = MakeControl<TScrollBox>(this, this, "ScrollBox1", 0, 30, 520, 332);
  ScrollBox1->SetAlign(alClient);
  ScrollBox1->SetColor(clWindow);
  Image1 = MakeControl<TImage>(this, ScrollBox1, "Image1", 0, 0, 460, 300);
  Image1->SetCursor(crCross);
  Image1->SetAutoSize(true);
  // Until a picture is opened, spots are drawn on a white page.
  TCanvas* blank = Image1->Canvas();
  blank->Brush()->SetColor(clWhite);
  blank->FillRect(RECT{0, 0, Image1->Width(), Image1->Height()});
  Image1->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    Image1MouseDown(s, b, sh, x, y);
  };
  Image1->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { Image1MouseMove(s, sh, x, y); };
  Image1->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    Image1MouseUp(s, b, sh, x, y);
  };

  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  File1 = MakeMenuItem(this, MainMenu1->Items(), "File1", "&File");
  TNotifyEvent open = [this](TObject* s) { OPenMIClick(s); };
  TNotifyEvent exit = [this](TObject* s) { Exit1Click(s); };
  TNotifyEvent edit = [this](TObject* s) { Edit1Click(s); };
  TNotifyEvent properties = [this](TObject* s) { PropertiesMIClick(s); };
  TNotifyEvent remove = [this](TObject* s) { DeleteMIClick(s); };
  OPenMI = MakeMenuItem(this, File1, "OPenMI", "&Open", open, scCtrl | 'O');
  Exit1 = MakeMenuItem(this, File1, "Exit1", "&Exit", exit);
  Edit1 = MakeMenuItem(this, MainMenu1->Items(), "Edit1", "&Edit", edit);
  PropertiesMI = MakeMenuItem(this, Edit1, "PropertiesMI", "&Properties", properties, scCtrl | 'E');
  DeleteMI = MakeMenuItem(this, Edit1, "DeleteMI", "&Delete", remove, VK_DELETE);
  SetMenu(MainMenu1);
  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  PropertiesPMI = MakeMenuItem(this, PopupMenu1->Items(), "PropertiesPMI", "&Properties", properties, scCtrl | 'P');
  DeletePMI = MakeMenuItem(this, PopupMenu1->Items(), "DeletePMI", "Delete", remove, VK_DELETE);

  Handle1 = new TStretchHandle(this);
  Handle1->SetName("Handle1");
  Handle1->SetHint("Press the right mouse \rbutton for options menu");
  Handle1->SetColor(clOlive);
  Handle1->SetSecondaryColor(clMaroon);
  Handle1->SetGridX(1);
  Handle1->SetGridY(1);
  Handle1->SetPopupMenu(PopupMenu1);
  Handle1->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { Handle1MouseMove(s, sh, x, y); };

  ImgDlg1 = new TImgDlg(this);
  ImgDlg1->SetName("ImgDlg1");
  SetActiveControl(NameE);
}

// ---- hot spots -------------------------------------------------------------------------

std::vector<THotSpot*> TForm_Imgm::HotSpots() {
  std::vector<THotSpot*> v;
  for (int i = 0; i < Image1->ComponentCount(); ++i)
    if (auto* s = dynamic_cast<THotSpot*>(Image1->Components(i))) v.push_back(s);
  return v;
}

RECT TForm_Imgm::ImageRect(THotSpot* spot) {
  // The picture's left and top are 0 or negative while the box is scrolled.
  int l = spot->Left() + std::abs(Image1->Left()), t = spot->Top() + std::abs(Image1->Top());
  return RECT{l, t, l + spot->Width(), t + spot->Height()};
}

THotSpot* TForm_Imgm::NewHotSpot(const RECT& r) {
  auto* spot = new THotSpot(Image1);
  spot->SetBounds(r.left + Image1->Left(), r.top + Image1->Top(), r.right - r.left, r.bottom - r.top);
  spot->SetParent(ScrollBox1);
  spot->SetVisible(true);
  spot->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    HotSpotMouseDown(s, b, sh, x, y);
  };
  spot->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { Handle1MouseMove(s, sh, x, y); };
  return spot;
}

void TForm_Imgm::HotSpotMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
  auto* spot = dynamic_cast<THotSpot*>(Sender);
  if (!spot) return;
  if (Handle1->AttachedControl() == spot)
    Handle1->Detach();
  else
    Handle1->Attach(spot);
}

void TForm_Imgm::Handle1MouseMove(TObject* Sender, TShiftState, int, int) {
  auto* spot = dynamic_cast<THotSpot*>(Sender);
  if (Sender == Handle1) spot = dynamic_cast<THotSpot*>(Handle1->AttachedControl());
  if (!spot) return;
  UrlP->SetCaption(spot->HREF());
  RECT r = ImageRect(spot);
  LocationP->SetCaption(Format("%d, %d, %d, %d", static_cast<int>(r.left), static_cast<int>(r.top),
                               static_cast<int>(r.right), static_cast<int>(r.bottom)));
}

// ---- drawing a new hot spot --------------------------------------------------------------

void TForm_Imgm::DrawBand() {
  RECT r{std::min(start_.x, current_.x), std::min(start_.y, current_.y), std::max(start_.x, current_.x) + 1,
         std::max(start_.y, current_.y) + 1};
  TCanvas* c = Image1->Canvas();
  c->Pen()->SetMode(pmNotXor);
  c->Pen()->SetColor(clBlack);
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetWidth(1);
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(r);
  c->Pen()->SetMode(pmCopy);
  c->Brush()->SetStyle(bsSolid);
  Image1->Invalidate();
}

void TForm_Imgm::Image1MouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  LocationP->SetCaption(Format("(%d, %d)", X, Y));
  if (Button != mbLeft) return;
  drawing_ = true;
  bandShown_ = false;
  start_ = current_ = POINT{X, Y};
}

void TForm_Imgm::Image1MouseMove(TObject*, TShiftState, int X, int Y) {
  LocationP->SetCaption(Format("(%d, %d)", X, Y));
  if (!drawing_) return;
  if (bandShown_) DrawBand();  // erases the one drawn last
  current_ = POINT{X, Y};
  DrawBand();
  bandShown_ = true;
}

void TForm_Imgm::Image1MouseUp(TObject*, TMouseButton, TShiftState, int X, int Y) {
  LocationP->SetCaption(Format("(%d, %d)", X, Y));
  if (!drawing_) return;
  drawing_ = false;
  // Erased where it was last drawn, not at the release point, so no trace is left.
  if (bandShown_) DrawBand();
  bandShown_ = false;
  if (std::abs(X - start_.x) > 5 && std::abs(Y - start_.y) > 5)
    NewHotSpot(RECT{std::min(static_cast<int>(start_.x), X), std::min(static_cast<int>(start_.y), Y),
                    std::max(static_cast<int>(start_.x), X), std::max(static_cast<int>(start_.y), Y)});
}

// ---- commands ----------------------------------------------------------------------------

void TForm_Imgm::OPenMIClick(TObject*) {
  ImgDlg1->SetFilter(ImgFilter);
  ImgDlg1->Setfilename("");
  if (!ImgDlg1->Execute()) return;
  std::unique_ptr<TBitmap> picture = LoadImageByExtension(ImgDlg1->filename());
  if (!picture || picture->Empty()) return;  // a file that cannot be read changes nothing
  Image1->Picture()->SetGraphic(std::move(picture));
  ImageFile = ImgDlg1->RelFileName();
}

void TForm_Imgm::Exit1Click(TObject*) {
  if (Modal())
    SetModalResult(mrCancel);
  else
    Close();
}

void TForm_Imgm::Edit1Click(TObject*) {
  bool held = Handle1->Attached();
  PropertiesMI->SetEnabled(held);
  DeleteMI->SetEnabled(held);
}

void TForm_Imgm::DeleteMIClick(TObject*) {
  TControl* spot = Handle1->AttachedControl();
  Handle1->Detach();
  if (spot) spot->Free();
}

void TForm_Imgm::PropertiesMIClick(TObject*) {
  auto* spot = dynamic_cast<THotSpot*>(Handle1->AttachedControl());
  if (!spot) return;
  auto props = NewForm<TForm_Imgp>(Application);
  props->HRefE->SetText(spot->HREF());
  if (props->ShowModal() == mrOk) spot->SetHREF(props->HRefE->Text());
}

// ---- maps in documents -------------------------------------------------------------------

void TForm_Imgm::ParseMapTag(const AnsiString& text) {
  if (text.find('=') != AnsiString::npos) NameE->SetText(MapNameFromTag(text));
}

THotSpot* TForm_Imgm::ParseArea(const AnsiString& text) {
  TAreaFields a = ParseAreaText(text);
  THotSpot* spot = NewHotSpot(RECT{0, 0, 65, 65});
  if (a.HasCoords) spot->SetBounds(a.Left + Image1->Left(), a.Top + Image1->Top(), a.Width, a.Height);
  spot->SetHREF(a.HRef);
  return spot;
}

void TForm_Imgm::InsertMap(TCustomLEdit* editor, bool withImage) {
  if (!editor) return;
  std::vector<TMapArea> areas;
  for (THotSpot* s : HotSpots()) {
    RECT r = ImageRect(s);
    areas.push_back(TMapArea{static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
                             static_cast<int>(r.bottom), s->HREF()});
  }
  // One insertion for the whole map: one Undo takes it away, and a large map goes in at once.
  editor->InsertText(Joined(MapPieces(NameE->Text(), areas, withImage, ImageFile)));
}

}  // namespace vx
