#include "toolkit/SbSetup.h"

#include <algorithm>

#include "framework/core/Scoped.h"
#include "framework/win/MakeControl.h"
#include "toolkit/VCLUtils.h"

namespace vx {

namespace {

const char* const kCaption = "Customize Speedbar";
const char* const kCategories = "&Categories:";
const char* const kButtons = "&Available buttons:";
const char* const kHint =
    "To add command buttons, drag and drop buttons onto the SpeedBar. To remove command buttons, drag them off "
    "of the SpeedBar.";
const char* const kOK = "OK";
const char* const kHelp = "&Help";
// The lists never grow taller than this many pixels.
constexpr int kMaxListHeight = 186;

}  // namespace

TSpeedbarSetupWindow::TSpeedbarSetupWindow(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{});
  SetPosition(poScreenCenter);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);
  SetClientSize(421, 262);

  Bevel1 = MakeControl<TBevel>(this, this, "Bevel1", 4, 4, 328, 221);
  Bevel1->SetShape(bsFrame);
  SectionList = MakeControl<TDrawGrid>(this, this, "SectionList", 12, 30, 129, 188);
  ButtonsList = MakeControl<TDrawGrid>(this, this, "ButtonsList", 146, 30, 179, 188);
  int order = 0;
  for (TDrawGrid* g : {SectionList, ButtonsList}) {
    g->SetColCount(1);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->SetRowCount(1);
    g->SetGridLineWidth(0);
    g->SetOptions(TGridOptions{goRowSelect, goDrawFocusSelected});
    g->SetTabOrder(order++);
  }
  SectionList->SetColWidths(0, 127);
  SectionList->SetDefaultRowHeight(15);
  ButtonsList->SetColWidths(0, 169);
  ButtonsList->SetDefaultRowHeight(26);
  CategoriesLabel = MakeControl<TLabel>(this, this, "CategoriesLabel", 12, 11, 120, 13);
  CategoriesLabel->SetFocusControl(SectionList);
  ButtonsLabel = MakeControl<TLabel>(this, this, "ButtonsLabel", 146, 11, 150, 13);
  ButtonsLabel->SetFocusControl(ButtonsList);
  HintLabel = MakeControl<TLabel>(this, this, "HintLabel", 8, 231, 407, 29);
  HintLabel->SetAutoSize(false);
  HintLabel->SetWordWrap(true);
  CloseBtn = MakeControl<TButton>(this, this, "CloseBtn", 339, 12, 77, 25);
  CloseBtn->SetCancel(true);
  CloseBtn->SetModalResult(mrOk);
  CloseBtn->SetTabOrder(2);
  HelpBtn = MakeControl<TButton>(this, this, "HelpBtn", 339, 44, 77, 25);
  HelpBtn->SetTabOrder(3);
  SetActiveControl(SectionList);

  SectionList->OnDrawCell = [this](TObject* s, int c, int r, RECT rc, TGridDrawState st) {
    SectionListDrawCell(s, c, r, rc, st);
  };
  SectionList->OnSelectCell = [this](TObject* s, int c, int r, bool& can) { SectionListSelectCell(s, c, r, can); };
  ButtonsList->OnDrawCell = [this](TObject* s, int c, int r, RECT rc, TGridDrawState st) {
    ButtonsListDrawCell(s, c, r, rc, st);
  };
  ButtonsList->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    ButtonsListMouseDown(s, b, sh, x, y);
  };
  ButtonsList->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { ButtonsListMouseMove(s, sh, x, y); };
  ButtonsList->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    ButtonsListMouseUp(s, b, sh, x, y);
  };
  ButtonsList->OnSelectCell = [this](TObject* s, int c, int r, bool& can) { ButtonsListSelectCell(s, c, r, can); };
  CloseBtn->OnClick = [this](TObject* s) { CloseBtnClick(s); };
  HelpBtn->OnClick = [this](TObject* s) { HelpBtnClick(s); };
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnDestroy = [this](TObject* s) { FormDestroy(s); };
}

TSpeedbarSetupWindow::~TSpeedbarSetupWindow() = default;

void TSpeedbarSetupWindow::FormCreate(TObject*) {
  painter_ = std::make_unique<TButtonImage>();
  dragImage_ = nullptr;
  bar_ = nullptr;
  dragging_ = false;
  CloseBtn->SetDefault(false);
  // Every system since the 3-D controls has the new style: the bold face goes.
  Font()->SetStyle(Font()->Style() - fsBold);
  SetCaption(kCaption);
  CategoriesLabel->SetCaption(kCategories);
  ButtonsLabel->SetCaption(kButtons);
  HintLabel->SetCaption(kHint);
  CloseBtn->SetCaption(kOK);
  HelpBtn->SetCaption(kHelp);
}

void TSpeedbarSetupWindow::FormClose(TObject*, TCloseAction& Action) {
  Action = caFree;
  FreeDragImage();
  if (bar_) {
    bar_->RemoveFreeNotification(this);
    bar_->SetSetupWindowHandle(nullptr);
    bar_ = nullptr;
  }
}

void TSpeedbarSetupWindow::FormDestroy(TObject*) { painter_.reset(); }

void TSpeedbarSetupWindow::Notification(TComponent* c, TOperation op) {
  TForm::Notification(c, op);
  if (op == opRemove && c == bar_) bar_ = nullptr;
}

void TSpeedbarSetupWindow::FreeDragImage() {
  if (!dragImage_) return;
  TBtnControl* image = dragImage_;
  dragImage_ = nullptr;
  image->Free();
}

void TSpeedbarSetupWindow::SetSpeedBar(TSpeedBar* bar) {
  if (bar == bar_) return;
  if (bar_) {
    bar_->RemoveFreeNotification(this);
    bar_->SetSetupWindowHandle(nullptr);
  }
  bar_ = bar;
  if (bar_) {
    bar_->FreeNotification(this);
    bar_->SetSetupWindowHandle(Handle());
    FitListHeights();
  }
  RefreshLists(-1);
}

bool TSpeedbarSetupWindow::BarUsable() const { return bar_ && bar_->Owner() && bar_->Parent(); }

int TSpeedbarSetupWindow::SelectedSection() {
  if (!BarUsable() || bar_->SectionCount() == 0) return -1;
  return SectionList->Row();
}

TSpeedItem* TSpeedbarSetupWindow::ItemAt(int section, int row) {
  return BarUsable() ? bar_->Items(section, row) : nullptr;
}

void TSpeedbarSetupWindow::RefreshLists(int index) {
  if (!BarUsable()) {
    // A grid keeps one row; with no bar it stays blank.
    SectionList->SetRowCount(1);
    ButtonsList->SetRowCount(1);
    SectionList->Invalidate();
    ButtonsList->Invalidate();
    SetHint("");
    return;
  }
  int n = bar_->SectionCount();
  SectionList->SetRowCount(std::max(1, n));
  if (index >= 0 && index < n) SectionList->SetRow(index);
  SectionList->Invalidate();
  RefreshButtons(SelectedSection());
}

void TSpeedbarSetupWindow::RefreshButtons(int section) {
  int n = section >= 0 && BarUsable() ? bar_->ItemsCount(section) : 0;
  ButtonsList->SetRowCount(std::max(1, n));
  SectionList->SetColWidths(0, SectionList->ClientWidth());
  ButtonsList->SetColWidths(0, ButtonsList->ClientWidth());
  ButtonsList->Invalidate();
  UpdateHint(section, ButtonsList->Row());
}

void TSpeedbarSetupWindow::UpdateHint(int section, int row) {
  TSpeedItem* item = ItemAt(section, row);
  SetHint(item ? item->Hint() : AnsiString());
}

void TSpeedbarSetupWindow::FitListHeights() {
  if (!bar_) return;
  int rowHeight = bar_->BtnHeight() + 2;
  ButtonsList->SetDefaultRowHeight(rowHeight);
  int rows = std::max(1, std::max(ButtonsList->ClientHeight(), kMaxListHeight) / rowHeight);
  int height = std::min(kMaxListHeight, rows * rowHeight);
  ButtonsList->SetClientHeight(height);
  SectionList->SetClientHeight(height);
}

void TSpeedbarSetupWindow::SectionListDrawCell(TObject*, int, int ARow, RECT Rect, TGridDrawState) {
  if (!BarUsable() || ARow < 0 || ARow >= bar_->SectionCount()) return;
  DrawCellText(SectionList->Canvas(), caLeftJustify, vaCenter, Rect, bar_->Sections(ARow));
}

void TSpeedbarSetupWindow::SectionListSelectCell(TObject*, int, int ARow, bool&) { RefreshButtons(ARow); }

void TSpeedbarSetupWindow::ButtonsListDrawCell(TObject*, int, int ARow, RECT Rect, TGridDrawState) {
  int s = SelectedSection();
  if (s < 0 || ARow >= bar_->ItemsCount(s)) return;
  DrawSpeedItemCell(ButtonsList, Rect, bar_->Items(s, ARow), painter_.get());
}

void TSpeedbarSetupWindow::ButtonsListSelectCell(TObject*, int, int ARow, bool& CanSelect) {
  if (dragItem_ && ARow != ButtonsList->Row()) {
    CanSelect = false;
    SetHint("");
    return;
  }
  UpdateHint(SelectedSection(), ARow);
}

void TSpeedbarSetupWindow::ButtonsListMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int) {
  if (Button != mbLeft || !bar_) return;
  TSpeedItem* item = ItemAt(SelectedSection(), ButtonsList->Row());
  if (!item || X >= bar_->BtnWidth() + 2) return;  // the caption part starts no drag
  dragging_ = true;
  if (item->Visible()) {
    dragItem_ = nullptr;  // already on the bar
    return;
  }
  dragItem_ = item;
  if (!dragImage_) {
    dragImage_ = new TBtnControl(this);
    dragImage_->InitFrom(item, bar_->Font(), bar_->BtnWidth(), bar_->BtnHeight());
  }
}

void TSpeedbarSetupWindow::ButtonsListMouseMove(TObject*, TShiftState, int X, int Y) {
  if (!dragging_) return;
  if (dragItem_ && dragImage_) {
    POINT p = ButtonsList->ClientToScreen(POINT{X, Y});
    dragImage_->ShowAt(POINT{p.x - dragImage_->Width(), p.y - dragImage_->Height()});
  } else if (!dragItem_) {
    ::SetCursor(Screen->Cursors(crNoDrop));
  }
}

void TSpeedbarSetupWindow::ButtonsListMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbLeft || !dragging_) return;
  auto done = OnScopeExit([this] {
    dragging_ = false;
    dragItem_ = nullptr;
  });
  if (dragItem_ && dragImage_) {
    POINT p = ButtonsList->ClientToScreen(POINT{X, Y});
    POINT corner{p.x - dragImage_->Width(), p.y - dragImage_->Height()};
    FreeDragImage();
    if (BarUsable() && FindSpeedBarAt(corner) == bar_) {
      POINT at = bar_->ScreenToClient(corner);
      if (bar_->PlaceDroppedItem(dragItem_, at.x, at.y)) RefreshButtons(SelectedSection());
    }
  } else {
    ::SetCursor(Screen->Cursors(ButtonsList->Cursor()));
  }
}

void TSpeedbarSetupWindow::CloseBtnClick(TObject*) { Close(); }

void TSpeedbarSetupWindow::HelpBtnClick(TObject*) { Application->HelpContext(HelpContext()); }

void TSpeedbarSetupWindow::WndProc(TMessage& m) {
  if (m.Msg == CM_SPEEDBARCHANGED) {
    m.Result = 0;
    if (!bar_ || reinterpret_cast<TSpeedBar*>(m.LParam) != bar_) return;
    GuardedCall(this, [&] {
      switch (m.WParam) {
        case SBR_CHANGED: RefreshLists(SelectedSection()); break;
        case SBR_DESTROYED:
          // The bar is on its way out: forget it before anything could reach it.
          bar_->RemoveFreeNotification(this);
          bar_ = nullptr;
          // Out from under the bar's form first: its window may go next, and would take
          // this one, and the release Close posts to it, along.
          SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, 0);
          Close();
          break;
        case SBR_BTNSIZECHANGED: FitListHeights(); break;
      }
    });
    return;
  }
  TForm::WndProc(m);
}

// ---- the functions of the unit ----------------------------------------------------------

TSpeedbarSetupWindow* FindOpenSpeedbarSetup(TSpeedBar* bar) {
  if (!Screen) return nullptr;
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (auto* w = dynamic_cast<TSpeedbarSetupWindow*>(Screen->Forms(i)))
      if (w->SpeedBar() == bar && !w->Destroying()) return w;
  return nullptr;
}

void OpenSpeedbarSetup(TSpeedBar* bar, int helpContext) {
  if (!bar) return;
  TSpeedbarSetupWindow* w = FindOpenSpeedbarSetup(bar);
  TSpeedbarSetupWindow* fresh = nullptr;
  // A window half made when something fails goes again; the error goes on.
  auto freeFresh = OnScopeExit([&fresh] {
    if (fresh) fresh->Free();
  });
  if (!w) {
    w = fresh = CreateForm<TSpeedbarSetupWindow>(Application);
    // Above its bar's form by ownership, not above every program.
    if (TForm* form = GetParentForm(bar)) w->SetOwnerWindow(form->Handle());
    w->SetSpeedBar(bar);
  }
  if (helpContext > 0) w->SetHelpContext(helpContext);
  w->HelpBtn->SetVisible(helpContext > 0);
  w->Show();
  if (w->WindowState() == wsMinimized) w->SetWindowState(wsNormal);
  fresh = nullptr;
}

TSpeedBar* FindSpeedBarAt(POINT screen) {
  for (HWND h = WindowFromPoint(screen); h; h = GetParent(h))
    if (TWinControl* c = FindControl(h)) return dynamic_cast<TSpeedBar*>(c);
  return nullptr;
}

void DrawSpeedItemCell(TDrawGrid* grid, RECT cell, TSpeedItem* item, TButtonImage* painter) {
  if (!item || !painter) return;
  painter->SetGlyph(item->Glyph());
  painter->SetNumGlyphs(item->NumGlyphs());
  painter->SetCaption(item->BtnCaption());
  painter->SetWordWrap(item->WordWrap());
  TFont* font = nullptr;
  if (TSpeedBar* bar = item->SpeedBar()) {
    painter->SetButtonSize(POINT{bar->BtnWidth(), bar->BtnHeight()});
    font = bar->Font();
  }
  painter->Draw(grid->Canvas(), cell.left + 1, cell.top + 1, item->Layout(), item->Margin(), item->Spacing(), font);
  cell.left += painter->ButtonSize().x + 3;
  DrawCellText(grid->Canvas(), caLeftJustify, vaCenter, cell, item->Caption());
}

}  // namespace vx
