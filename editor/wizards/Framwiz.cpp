#include "editor/wizards/Framwiz.h"

#include "editctl/LEDlp32.h"
#include "editor/wizards/FormBuild.h"
#include "editor/wizards/WizardText.h"
#include "framework/core/SysUtils.h"
#include "tagdefs/tePaths.h"
#include "toolkit/ZXCtrls.h"

namespace vx {

namespace {
const char* const SrcHint =
    "The SRC attribute takes as its value the \rURL of the document to be displayed in \rthis particular "
    "frame.|URL filename for window";
const char* const FileButtonNames[3] = {"OPenFile1", "OpenFile2", "Openfile3"};
// Which width and height fields each layout uses, by row; row 3 only in layouts 3 to 5.
const bool WidthShown[5][3] = {{1, 1, 0}, {0, 0, 0}, {0, 1, 1}, {1, 1, 0}, {0, 0, 0}};
const bool HeightShown[5][3] = {{0, 0, 0}, {1, 1, 0}, {1, 0, 0}, {0, 0, 1}, {1, 1, 1}};
}  // namespace

TForm_FrameWiz::TForm_FrameWiz(TComponent* owner) : TForm(owner) {
  MakeDialog(this, "Form_FrameWiz", "Frame Wizard", 587, 215);
  SetHelpContext(98);
  SetShowHint(true);

  GroupBox1 = MakeControl<TGroupBox>(this, this, "GroupBox1", 8, 4, 248, 62);
  GroupBox1->SetCaption("&Frame Type");
  for (int i = 0; i < 5; ++i) {
    const char digit[2] = {static_cast<char>('1' + i), 0};
    auto* b =
        MakeControl<TZxSpeedButton>(this, GroupBox1, Format("SpeedButton%d", i + 1).c_str(), 10 + i * 46, 16, 40, 38);
    b->SetTag(i + 1);
    b->SetGroupIndex(1);
    SetButtonPicture(b, Format("FrameWiz%d", i + 1).c_str(), digit);
    b->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
    SpeedButtons[i] = b;
  }
  SpeedButtons[0]->SetDown(true);

  GroupBox2 = MakeControl<TGroupBox>(this, this, "GroupBox2", 8, 70, 571, 138);
  GroupBox2->SetCaption("Frame &1");
  const char* heads[8] = {"Src", "Name", "Width", "Height", "Margin Width", "Margin Height", "Scrolling", "No Resize"};
  const int headX[8] = {28, 186, 268, 312, 356, 410, 464, 528};
  for (int i = 0; i < 8; ++i) {
    TLabel* l = PlaceLabel(this, GroupBox2, Format("Label%d", i + 4).c_str(), heads[i], headX[i], 14);
    l->SetAutoSize(false);
    l->SetWordWrap(true);
    l->SetBounds(headX[i], 12, i == 7 ? 40 : 52, 28);
    ColumnLabels[i] = l;
  }
  for (int n = 0; n < 3; ++n) {
    int y = 44 + n * 30;
    AnsiString k = IntToStr(n + 1);
    SrcE[n] = MakeControl<TEdit>(this, GroupBox2, ("SrcE" + k).c_str(), 28, y, 130, 21);
    RowLabels[n] = PlaceLabel(this, GroupBox2, ("Label" + k).c_str(), ("&" + k).c_str(), 12, y + 3, SrcE[n]);
    OpenFile[n] = MakeControl<TZxSpeedButton>(this, GroupBox2, FileButtonNames[n], 160, y - 1, 23, 23);
    OpenFile[n]->SetTag(n + 1);
    SetButtonPicture(OpenFile[n], "siOpen", "...");
    OpenFile[n]->OnClick = [this](TObject* s) { OPenFile1Click(s); };
    NameLB[n] = MakeControl<TComboBox>(this, GroupBox2, ("NameLB" + k).c_str(), 186, y, 78, 22);
    WidthE[n] = MakeControl<TEdit>(this, GroupBox2, ("WidthE" + k).c_str(), 268, y, 40, 21);
    HeightE[n] = MakeControl<TEdit>(this, GroupBox2, ("HeightE" + k).c_str(), 312, y, 40, 21);
    for (TEdit* e : {WidthE[n], HeightE[n]}) {
      e->SetText("*");
      e->OnExit = [this](TObject* s) { WidthE1Exit(s); };
    }
    MarginWidthSE[n] = MakeControl<TSpinEdit>(this, GroupBox2, ("MarginWidthSE" + k).c_str(), 356, y, 50, 21);
    MarginHeight[n] = MakeControl<TSpinEdit>(this, GroupBox2, ("MarginHeight" + k).c_str(), 410, y, 50, 21);
    ScrollingLB[n] = MakeControl<TComboBox>(this, GroupBox2, ("ScrollingLB" + k).c_str(), 464, y, 60, 22);
    ScrollingLB[n]->SetStyle(csDropDownList);
    NoResizeCB[n] = MakeControl<TCheckBox>(this, GroupBox2, ("NoResizeCB" + k).c_str(), 536, y + 2, 17, 17);
  }
  SrcE[0]->SetHint(SrcHint);
  OpenFile[0]->SetHint("|Select URL");
  for (const char* t : {"_blank", "_self", "_parent", "_top"}) NameLB[0]->Items()->Add(t);
  for (const char* t : {"(none)", "yes", "no", "auto"}) ScrollingLB[0]->Items()->Add(t);

  OkBtn = PlaceDialogButton(this, this, "OkBtn", "&Ok", 416, 24, mrOk, true);
  CancelBtn = PlaceDialogButton(this, this, "CancelBtn", "&Cancel", 500, 24, mrCancel, false, true);
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->SetTitle("Select HTML File");
  OpenDialog1->SetOptions(TOpenOptions{ofHideReadOnly, ofNoChangeDir});
  DocFilter = "HTML files (*.html)|*.html|HTM Files (*.htm)|*.htm|All Files|*.*";
  DocExt = "html";
  SetActiveControl(SrcE[0]);
  OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TForm_FrameWiz::FormCreate(TObject*) {
  for (int n = 1; n < 3; ++n) {
    NameLB[n]->Items()->Assign(*NameLB[0]->Items());
    ScrollingLB[n]->Items()->Assign(*ScrollingLB[0]->Items());
    SrcE[n]->SetHint(SrcE[0]->Hint());
    OpenFile[n]->SetHint(OpenFile[0]->Hint());
    NameLB[n]->SetHint(NameLB[0]->Hint());
    WidthE[n]->SetHint(WidthE[0]->Hint());
    HeightE[n]->SetHint(HeightE[0]->Hint());
    MarginWidthSE[n]->SetHint(MarginWidthSE[0]->Hint());
    MarginHeight[n]->SetHint(MarginHeight[0]->Hint());
    ScrollingLB[n]->SetHint(ScrollingLB[0]->Hint());
    NoResizeCB[n]->SetHint(NoResizeCB[0]->Hint());
  }
  for (TComboBox* c : ScrollingLB) c->SetItemIndex(0);
  layout_ = 1;
  ShowLayout();
}

void TForm_FrameWiz::SpeedButton1Click(TObject* Sender) {
  if (auto* c = dynamic_cast<TComponent*>(Sender)) layout_ = c->Tag();
  ShowLayout();
}

void TForm_FrameWiz::ShowLayout() {
  bool third = layout_ >= 3;
  for (TControl* c : std::initializer_list<TControl*>{RowLabels[2], SrcE[2], OpenFile[2], NameLB[2], MarginWidthSE[2],
                                                      MarginHeight[2], ScrollingLB[2], NoResizeCB[2]})
    c->SetVisible(third);
  for (int n = 0; n < 3; ++n) {
    WidthE[n]->SetVisible(WidthShown[layout_ - 1][n] && (n < 2 || third));
    HeightE[n]->SetVisible(HeightShown[layout_ - 1][n] && (n < 2 || third));
  }
}

void TForm_FrameWiz::OPenFile1Click(TObject* Sender) {
  auto* b = dynamic_cast<TComponent*>(Sender);
  int n = b ? b->Tag() : 0;
  if (n < 1 || n > 3) return;
  OpenDialog1->SetFilter(DocFilter);
  OpenDialog1->SetDefaultExt(DocExt);
  if (!OpenDialog1->Execute()) return;
  SrcE[n - 1]->SetText(RelativeURL(OpenDialog1->FileName()));
  if (SrcE[n - 1]->CanFocus()) SrcE[n - 1]->SetFocus();
}

void TForm_FrameWiz::WidthE1Exit(TObject* Sender) {
  if (auto* e = dynamic_cast<TEdit*>(Sender))
    if (e->Text().empty()) e->SetText("*");
}

TFrameRow TForm_FrameWiz::Row(int n) {
  TFrameRow r;
  r.Src = SrcE[n]->Text();
  r.Name = NameLB[n]->Text();
  r.Width = WidthE[n]->Text();
  r.Height = HeightE[n]->Text();
  r.MarginWidth = MarginWidthSE[n]->Value();
  r.MarginHeight = MarginHeight[n]->Value();
  int s = ScrollingLB[n]->ItemIndex();
  if (s > 0) r.Scrolling = ScrollingLB[n]->Items()->Strings(s);
  r.NoResize = NoResizeCB[n]->Checked();
  return r;
}

void TForm_FrameWiz::InsertFrames(TCustomLEdit* editor) {
  if (!editor) return;
  TFrameRow rows[3] = {Row(0), Row(1), Row(2)};
  // One insertion for the whole frameset: one Undo takes it away.
  editor->InsertText(Joined(FramesetLines(layout_, rows)));
}

}  // namespace vx
