#include "editor/wizards/H_charp.h"

#include <algorithm>

#include "editctl/LEDlp32.h"
#include "editor/wizards/FormBuild.h"
#include "editor/wizards/WizardText.h"
#include "framework/core/Scoped.h"
#include "toolkit/Placemnt.h"

namespace vx {

TForm_Charp* Form_Charp = nullptr;

TForm_Charp::TForm_Charp(TComponent* owner) : TForm(owner) {
  SetName("Form_Charp");
  SetCaption("Special Characters");
  SetBorderStyle(bsToolWindow);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetClientSize(168, 266);
  SetVisible(false);

  Panel1 = MakeControl<TPaintBox>(this, this, "Panel1", 0, 0, 168, 239);
  Panel1->OnPaint = [this](TObject* s) { FormPaint(s); };
  Panel1->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    FormMouseDown(s, b, sh, x, y);
  };
  Panel1->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { FormMouseUp(s, b, sh, x, y); };
  Panel1->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
  cbRaw = MakeControl<TCheckBox>(this, this, "cbRaw", 4, 243, 160, 19);
  cbRaw->SetCaption("Insert Raw Character");

  FormStorage1 = new TFormStorage(this);
  FormStorage1->SetName("FormStorage1");
  FormStorage1->SetUseRegistry(true);
  FormStorage1->SetIniFileName("Software\\Marrowby\\Vornix");
  FormStorage1->SetIniSection("Charp");
  FormStorage1->StoredProps()->Add("cbRaw.Checked");
  Form_Charp = this;
}

void TForm_Charp::BeforeDestruction() {
  if (Form_Charp == this) Form_Charp = nullptr;
  TForm::BeforeDestruction();
}

void TForm_Charp::ShowNoActivate() {
  if (Visible()) return;
  // Placement and stored properties are restored while the window is still hidden: a
  // window state applied to a shown window would show and activate it.
  HandleNeeded();
  DoShow();
  noActivate_ = true;
  auto done = OnScopeExit([this] { noActivate_ = false; });
  SetVisible(true);
}

void TForm_Charp::VisibleChanged() {
  if (!Visible() || !noActivate_) {
    TForm::VisibleChanged();
    return;
  }
  // Shown above the program's windows but not activated: the editor's window stays active.
  // It is owned by the main window, which keeps it above that window.
  if (!placed_) {
    placed_ = true;
    // First shown at the top right of the main window's work area, clear of its menus and bars.
    TForm* main = Application->MainForm();
    if (main && main != this && main->HandleAllocated()) {
      RECT r;
      HWND area = main->ClientHandle() ? main->ClientHandle() : main->Handle();
      GetWindowRect(area, &r);
      SetBounds(std::max<int>(r.left, r.right - Width() - 8), r.top + 8, Width(), Height());
    }
  }
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(Handle());
}

void TForm_Charp::WndProc(TMessage& m) {
  // A click must leave the editor active and focused.
  if (m.Msg == WM_MOUSEACTIVATE) {
    m.Result = MA_NOACTIVATE;
    return;
  }
  TForm::WndProc(m);
}

void TForm_Charp::FormPaint(TObject*) {
  TCanvas* c = Panel1->Canvas();
  HDC dc = c->Handle();
  c->Font()->Assign(*Font());
  // Large enough for the accents of the capitals to stay apart.
  c->Font()->SetName("Arial");
  c->Font()->SetHeight(-15);
  for (int cell = 1; cell <= kCharpCells; ++cell) {
    int l, t, rt, b;
    CharpCellRect(cell, l, t, rt, b);
    RECT r{l, t, rt, b};
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    RECT e = r;
    DrawEdge(dc, &e, cell == downCell_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    AnsiString ch(1, CharpChar(cell));
    int shift = cell == downCell_ ? 1 : 0;
    int x = (r.left + r.right) / 2 - c->TextWidth(ch) / 2 + shift;
    // Centred in the cell, clear of its edges: the accents of the capitals stand above them.
    int y = (r.top + r.bottom) / 2 - c->TextHeight(ch) / 2 + shift;
    c->Brush()->SetStyle(bsClear);
    c->TextOut(x, y, ch);
    c->Brush()->SetStyle(bsSolid);
  }
}

void TForm_Charp::SetDownCell(int cell) {
  if (cell == downCell_) return;
  downCell_ = cell;
  Panel1->Invalidate();
}

void TForm_Charp::FormMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbLeft) return;
  pressed_ = true;
  pressPoint_ = POINT{X, Y};
  SetDownCell(CharpCellAt(X, Y));
}

void TForm_Charp::FormMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  if (!pressed_) return;
  pressed_ = false;
  // The cell is the one the button went down on, wherever it comes up.
  int cell = CharpCellAt(pressPoint_.x, pressPoint_.y);
  SetDownCell(0);
  lastCell_ = cell;
  if (cell == 0) return;
  TCustomLEdit* ed = CurrentEditor ? CurrentEditor() : nullptr;
  if (ed) ed->InsertText(CharpInsertText(cell, cbRaw->Checked()));
}

void TForm_Charp::FormMouseMove(TObject*, TShiftState, int X, int Y) {
  int cell = CharpCellAt(X, Y);
  if (cell) SetCaption(CharpEntity(cell));
}

}  // namespace vx
