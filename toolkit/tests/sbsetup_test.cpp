// Customising a speed bar: the customisation window and its lists, items dragged from the
// list onto the bar, buttons dragged about the bar and off it, the bar dragged to another
// side and resized by its edge. Mouse input is posted to the windows as a person's goes.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <vector>

#include "framework/win/Forms.h"
#include "toolkit/SbSetup.h"
#include "toolkit/SpeedBar.h"
#include "framework/win/tests/ScreenDriver.h"
#include "framework/win/tests/ScreenShot.h"

namespace vx {
namespace {

void Pump() {
  for (int i = 0; i < 4; ++i) Application->ProcessMessages();
}

// Mouse messages as the window under the pointer gets them (client coordinates).
void Mouse(TWinControl* w, UINT msg, int x, int y, WPARAM keys) {
  PostMessageA(w->Handle(), msg, keys, MAKELPARAM(x, y));
  Pump();
}
void Press(TWinControl* w, int x, int y) { Mouse(w, WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
void Move(TWinControl* w, int x, int y) { Mouse(w, WM_MOUSEMOVE, x, y, MK_LBUTTON); }
void Release(TWinControl* w, int x, int y) { Mouse(w, WM_LBUTTONUP, x, y, 0); }

// A form with a top bar of two sections: "File" (siNew, siOpen, siSave shown; siPrint
// hidden) and "Edit" (siCut hidden).
class TBarForm : public TForm {
 public:
  explicit TBarForm(int left = 30) : TForm(nullptr) {
    SetBounds(left, 30, 420, 320);
    Bar = new TSpeedBar(this);
    Bar->SetName("MainToolBar");
    Bar->SetParent(this);
    Bar->SetBevelOuter(bvNone);  // offsets down to 2, as the worked examples have them
    Bar->SetBtnOffsetHorz(3);
    Bar->SetBtnOffsetVert(2);
    int file = Bar->AddSection("File");
    int edit = Bar->AddSection("Edit");
    int x = 3;
    for (const char* n : {"siNew", "siOpen", "siSave", "siPrint"}) {
      TSpeedItem* item = Add(file, n);
      item->SetLeft(x);
      item->SetTop(2);
      item->SetVisible(std::string(n) != "siPrint");
      x += 24;
    }
    Add(edit, "siCut");
    AfterConstruction();
  }
  TSpeedItem* Add(int section, const char* name) {
    auto* item = new TSpeedItem(this);
    item->SetName(name);
    item->SetCaption(name);
    TBitmap glyph;
    glyph.LoadFromResourceName(GetModuleHandleA(nullptr), std::string(name) == "siPrint" ? "siPaste" : name);
    item->SetGlyph(&glyph);
    Bar->AddItem(section, item);
    return item;
  }
  const char* ClassName() const override { return "TBarForm"; }
  TSpeedItem* Item(const char* n) { return Bar->FindItemByName(n); }
  TSpeedBar* Bar;

 protected:
  ~TBarForm() override = default;
};

struct Setup : ::testing::Test {
  TBarForm* form = nullptr;
  void SetUp() override {
    form = new TBarForm;
    form->Show();
    Pump();
  }
  void TearDown() override {
    if (form) form->Free();
    Pump();
  }
  int OpenWindows() {
    int n = 0;
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (dynamic_cast<TSpeedbarSetupWindow*>(Screen->Forms(i))) ++n;
    return n;
  }
};

// Stands in for the customisation window: records what the bar tells it.
struct Recorder {
  struct Note {
    WPARAM what;
    LPARAM param;
  };
  std::vector<Note> notes;
  HWND h;
  Recorder() {
    h = AllocateHWnd([this](TMessage& m) {
      if (m.Msg == CM_SPEEDBARCHANGED) notes.push_back({m.WParam, m.LParam});
    });
  }
  ~Recorder() { DeallocateHWnd(h); }
};

TEST_F(Setup, OpeningTwiceBringsUpTheSameWindowAndTheBarIsInCustomiseMode) {
  form->Bar->Customize(0);
  Pump();
  TSpeedbarSetupWindow* w = FindOpenSpeedbarSetup(form->Bar);
  ASSERT_NE(w, nullptr);
  form->Bar->Customize(0);
  Pump();
  EXPECT_EQ(FindOpenSpeedbarSetup(form->Bar), w);
  EXPECT_EQ(OpenWindows(), 1);
  EXPECT_EQ(form->Bar->SetupWindowHandle(), w->Handle());
  EXPECT_TRUE(form->Item("siNew")->Editing());
  EXPECT_TRUE(form->Item("siCut")->Editing());

  // What the user sees: a dialog owned by the bar's form, of its own size, its texts, no
  // Help for context 0, the OK button where it is clicked.
  EXPECT_EQ(w->Caption(), "Customize Speedbar");
  EXPECT_EQ(w->ClientWidth(), 421);
  EXPECT_EQ(w->ClientHeight(), 262);
  EXPECT_EQ(GetWindow(w->Handle(), GW_OWNER), form->Handle());
  EXPECT_TRUE(IsWindowVisible(w->Handle()));
  EXPECT_FALSE(w->HelpBtn->Visible());
  EXPECT_EQ(w->CloseBtn->Caption(), "OK");
  EXPECT_EQ(w->ButtonsLabel->Caption(), "&Available buttons:");
  RECT ok;
  GetWindowRect(w->CloseBtn->Handle(), &ok);
  EXPECT_EQ(WindowFromPoint(POINT{(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2}), w->CloseBtn->Handle());
  // The lists fit whole rows of buttons: 23 high buttons give 7 rows of 25, 175 pixels.
  EXPECT_EQ(w->ButtonsList->DefaultRowHeight(), 25);
  EXPECT_EQ(w->ButtonsList->ClientHeight(), 175);
  EXPECT_EQ(w->SectionList->ClientHeight(), 175);
  // Two sections; the first shows its four items, each hint follows.
  EXPECT_EQ(w->SectionList->RowCount(), 2);
  EXPECT_EQ(w->ButtonsList->RowCount(), 4);
  EXPECT_EQ(w->Hint(), "siNew|");
  w->SectionList->SetRow(1);
  EXPECT_EQ(w->ButtonsList->RowCount(), 1);
  EXPECT_EQ(w->ItemAt(w->SelectedSection(), 0), form->Item("siCut"));

  // A help context shows Help; another bar gets a window of its own.
  form->Bar->Customize(7);
  EXPECT_TRUE(w->HelpBtn->Visible());
  EXPECT_EQ(w->HelpContext(), 7);
  TBarForm* other = new TBarForm(500);
  other->Show();
  other->Bar->Customize(0);
  Pump();
  EXPECT_EQ(OpenWindows(), 2);
  EXPECT_NE(FindOpenSpeedbarSetup(other->Bar), w);
  other->Free();
  Pump();

  SaveScreen("customise");
  // OK closes it: the bar leaves customise mode and the window goes.
  PostMessageA(w->CloseBtn->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(w->CloseBtn->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  EXPECT_EQ(OpenWindows(), 0);
  EXPECT_EQ(form->Bar->SetupWindowHandle(), nullptr);
  EXPECT_FALSE(form->Item("siNew")->Editing());
}

TEST_F(Setup, AnItemDraggedFromTheListLandsSnappedOnTheBar) {
  form->Bar->SetHeight(60);  // two rows
  form->Bar->Customize(0);
  Pump();
  TSpeedbarSetupWindow* w = FindOpenSpeedbarSetup(form->Bar);
  ASSERT_NE(w, nullptr);
  TDrawGrid* list = w->ButtonsList;
  TSpeedItem* print = form->Item("siPrint");
  ASSERT_FALSE(print->Visible());
  int rowY = 3 * 25 + 5;  // siPrint is the fourth row
  // On the caption part of the row nothing is dragged.
  Press(list, 60, rowY);
  EXPECT_EQ(list->Row(), 3);
  EXPECT_EQ(w->DragImage(), nullptr);
  Release(list, 60, rowY);
  // On the button part: the image follows the pointer, hanging above-left of it.
  Press(list, 5, rowY);
  ASSERT_NE(w->DragImage(), nullptr);
  // The pointer goes where the image's top-left corner is at the bar's (15, 30).
  POINT corner = form->Bar->ClientToScreen(POINT{15, 30});
  POINT at = list->ScreenToClient(POINT{corner.x + 24, corner.y + 23});
  Move(list, at.x, at.y);
  RECT image;
  GetWindowRect(w->DragImage()->Handle(), &image);
  EXPECT_TRUE(IsWindowVisible(w->DragImage()->Handle()));
  EXPECT_EQ(image.left, corner.x);
  EXPECT_EQ(image.top, corner.y);
  EXPECT_EQ(image.right - image.left, 24);
  Release(list, at.x, at.y);
  EXPECT_EQ(w->DragImage(), nullptr);
  // 12 / 8 = 1.5 goes to 2 along the bar, 28 / 23 is row 1 across it.
  EXPECT_TRUE(print->Visible());
  EXPECT_EQ(print->Left(), 3 + 2 * 8);
  EXPECT_EQ(print->Top(), 2 + 23);
  // On the screen the bar's button is under its middle.
  POINT mid = form->Bar->ClientToScreen(POINT{print->Left() + 12, print->Top() + 11});
  EXPECT_EQ(FindDragTarget(mid, true), print->Button());

  // An item already on the bar places nothing; neither does a drop over another window.
  Press(list, 5, 5);  // siNew, shown
  EXPECT_EQ(w->DragImage(), nullptr);
  Release(list, 5, 5);
  EXPECT_EQ(form->Item("siNew")->Left(), 3);
  print->SetVisible(false);
  Press(list, 5, rowY);
  POINT away = list->ScreenToClient(POINT{corner.x + 24, corner.y + 23 + 400});  // below the form
  Move(list, away.x, away.y);
  Release(list, away.x, away.y);
  EXPECT_FALSE(print->Visible());
}

TEST_F(Setup, DestroyingTheBarClosesTheWindow) {
  form->Bar->Customize(0);
  Pump();
  ASSERT_EQ(OpenWindows(), 1);
  form->Bar->Free();
  Pump();
  EXPECT_EQ(OpenWindows(), 0);
}

// ---- the bar under the mouse -------------------------------------------------------------

TEST_F(Setup, AButtonDraggedOffTheBarIsHiddenAndOneDroppedOnItSnaps) {
  TSpeedBar* bar = form->Bar;
  bar->SetHeight(60);
  Recorder rec;
  bar->SetSetupWindowHandle(rec.h);
  TSpeedItem* open = form->Item("siOpen");  // at (27, 2)
  Press(bar, 30, 5);
  TBtnControl* image = open->Button()->DragImage();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width(), 24);
  // The image's top-left corner at the bar's (15, 30): mouse at that plus the button size.
  Move(bar, 15 + 24, 30 + 23);
  EXPECT_FALSE(open->Button()->Visible());
  EXPECT_TRUE(IsWindowVisible(image->Handle()));
  Release(bar, 15 + 24, 30 + 23);
  EXPECT_EQ(open->Button()->DragImage(), nullptr);
  EXPECT_TRUE(open->Visible());
  EXPECT_TRUE(open->Button()->Visible());
  EXPECT_EQ(open->Left(), 19);
  EXPECT_EQ(open->Top(), 25);
  ASSERT_EQ(rec.notes.size(), 1u);
  EXPECT_EQ(rec.notes[0].what, static_cast<WPARAM>(SBR_BTNSELECT));
  EXPECT_EQ(rec.notes[0].param, reinterpret_cast<LPARAM>(open));

  // Off the bar: hidden, and the window hears that the lists changed.
  Press(bar, 20, 28);
  Move(bar, 20, 200);  // the corner is below the bar
  EXPECT_FALSE(IsWindowVisible(open->Button()->DragImage()->Handle()));
  Release(bar, 20, 200);
  EXPECT_FALSE(open->Visible());
  ASSERT_EQ(rec.notes.size(), 2u);
  EXPECT_EQ(rec.notes[1].what, static_cast<WPARAM>(SBR_CHANGED));
  EXPECT_EQ(rec.notes[1].param, reinterpret_cast<LPARAM>(bar));
  // Out of customise mode a press is a click again.
  bar->SetSetupWindowHandle(nullptr);
  int clicks = 0;
  form->Item("siNew")->OnClick = [&](TObject*) { ++clicks; };
  Press(bar, 5, 5);
  Release(bar, 5, 5);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->Item("siNew")->Button()->DragImage(), nullptr);
}

// Buttons dragged about the bar with the mouse, as a person does while the window is open
// over the program's main form: the window stays above that form all the while.
TEST_F(Setup, TheWindowStaysAboveTheBarsFormAfterButtonDrags) {
  TForm* oldMain = Application->MainForm();
  Application->SetMainForm(form);
  form->SetBounds(0, 0, 1100, 900);  // under the window, which opens centred
  Pump();
  form->Bar->Customize(0);
  Pump();
  TSpeedbarSetupWindow* w = FindOpenSpeedbarSetup(form->Bar);
  ASSERT_NE(w, nullptr);
  // On top for the program (the window under a point inside it) and on the screen (its OK
  // button shows as the button paints itself).
  RECT wr = screen::WindowScreenRect(w->Handle());
  const POINT inside{wr.left + 30, wr.bottom - 12};  // the hint line, over the form
  auto onTop = [&] {
    if (GetAncestor(screen::WindowAt(inside), GA_ROOT) != w->Handle()) return false;
    HWND ok = w->CloseBtn->Handle();
    screen::TShot seen = screen::Capture(screen::WindowScreenRect(ok)), own = screen::Painted(ok);
    size_t same = 0;
    for (size_t i = 0; i < seen.pixels.size() && i < own.pixels.size(); ++i) same += seen.pixels[i] == own.pixels[i];
    return !own.pixels.empty() && same * 10 >= own.pixels.size() * 9;
  };
  ASSERT_TRUE(onTop());
  TSpeedItem* open = form->Item("siOpen");
  for (int round = 0; round < 2; ++round) {
    // The image hangs above-left of the pointer: moved by (48, 15) from a press at (8, 8),
    // the button lands two grid steps on, in its row.
    POINT from = form->Bar->ClientToScreen(POINT{open->Left() + 8, open->Top() + 8});
    screen::Drag(from, POINT{from.x + 48 + 24 - 8, from.y + 23 - 8});
    screen::Settle(300);
    EXPECT_TRUE(open->Visible());
    EXPECT_TRUE(onTop()) << "after drag " << round + 1 << " the window is behind the form";
  }
  SaveScreen("customise-after-drags");
  w->Close();
  Pump();
  Application->SetMainForm(oldMain);
}

// Another program's window in front: the customisation window is not made top-most over
// it, and with the bar's form active again the window shows above the form.
DWORD WINAPI OtherProgramWindow(void* stop) {
  HWND h = CreateWindowExA(0, "STATIC", "other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700, nullptr,
                           nullptr, nullptr, nullptr);
  SetForegroundWindow(h);
  MSG m;
  while (WaitForSingleObject(stop, 0) == WAIT_TIMEOUT)
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  DestroyWindow(h);
  return 0;
}

TEST_F(Setup, TheWindowStaysAboveItsFormByOwnershipNotAboveOtherPrograms) {
  form->SetBounds(0, 0, 1100, 900);
  Pump();
  form->Bar->Customize(0);
  Pump();
  TSpeedbarSetupWindow* w = FindOpenSpeedbarSetup(form->Bar);
  ASSERT_NE(w, nullptr);
  HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE other = CreateThread(nullptr, 0, OtherProgramWindow, stop, 0, nullptr);
  EXPECT_TRUE(screen::WaitUntil([] {
    HWND front = GetForegroundWindow();
    return front && GetWindowThreadProcessId(front, nullptr) != GetCurrentThreadId();
  }, 3000));
  screen::Settle(300);
  EXPECT_FALSE(GetWindowLongA(w->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetForegroundWindow(form->Handle());
  screen::Settle(300);
  EXPECT_EQ(GetAncestor(screen::WindowAt(screen::Centre(screen::WindowScreenRect(w->Handle()))), GA_ROOT), w->Handle());
  SetEvent(stop);
  WaitForSingleObject(other, 5000);
  CloseHandle(other);
  CloseHandle(stop);
  w->Close();
  Pump();
}

// A mouse-up handler of the bar that fails still ends the bar drag: no frame stays on the
// screen and the next press starts afresh.
TEST_F(Setup, AFailingMouseUpHandlerStillEndsTheBarDrag) {
  TSpeedBar* bar = form->Bar;
  bar->SetOptions(bar->Options() + sbAllowDrag);
  bar->OnMouseUp = [](TObject*, TMouseButton, TShiftState, int, int) { throw Exception("handler failed"); };
  Application->OnException = [](TObject*, const std::exception&) {};
  int x = bar->ClientWidth() - 20, y = 10;
  Press(bar, x, y);
  Move(bar, x - 10, y);
  EXPECT_TRUE(bar->BarDragging());
  Release(bar, x - 10, y);
  EXPECT_FALSE(bar->BarDragging());
  EXPECT_EQ(bar->Align(), alTop);
  Application->OnException = nullptr;
}

TEST_F(Setup, TheBarMovesToTheLeftEdgeOnlyAfterMoreThanFourPixels) {
  TSpeedBar* bar = form->Bar;
  bar->SetOptions(bar->Options() + sbAllowDrag);
  int moved = 0;
  bar->OnPosChanged = [&](TObject*) { ++moved; };
  int x = bar->ClientWidth() - 20, y = 10;  // the empty end of the bar
  Press(bar, x, y);
  Move(bar, x + 4, y + 4);
  EXPECT_FALSE(bar->BarDragging());
  Move(bar, x + 5, y);
  EXPECT_TRUE(bar->BarDragging());
  // Towards the middle of the left edge: the frame is the bar's thickness on the left.
  POINT left = form->ClientToScreen(POINT{10, form->ClientHeight() / 2});
  POINT inBar = bar->ScreenToClient(left);
  Move(bar, inBar.x, inBar.y);
  RECT f = bar->DragFrame();
  POINT origin = form->ClientToScreen(POINT{0, 0});
  EXPECT_EQ(f.left, origin.x);
  EXPECT_EQ(f.right - f.left, bar->Height());
  EXPECT_EQ(f.bottom - f.top, form->ClientHeight());
  Release(bar, inBar.x, inBar.y);
  EXPECT_FALSE(bar->BarDragging());
  EXPECT_EQ(bar->Align(), alLeft);
  EXPECT_EQ(moved, 1);
  // The layout is transposed: (27, 2) is now (2, 27) with the sizes exchanged.
  TSpeedItem* open = form->Item("siOpen");
  EXPECT_EQ(open->Left(), 2);
  EXPECT_EQ(open->Top(), 27);
  EXPECT_EQ(bar->BtnWidth(), 23);
  EXPECT_EQ(bar->BtnHeight(), 24);
  EXPECT_EQ(bar->Left(), 0);
  POINT mid = bar->ClientToScreen(POINT{open->Left() + 11, open->Top() + 12});
  EXPECT_EQ(FindDragTarget(mid, true), open->Button());
}

TEST_F(Setup, ARefusedSideKeepsTheStartingAlignButTheChangeIsStillReported) {
  TSpeedBar* bar = form->Bar;
  bar->SetOptions(bar->Options() + sbAllowDrag);
  std::vector<TAlign> asked;
  bar->OnApplyAlign = [&](TObject*, TAlign a, bool& apply) {
    asked.push_back(a);
    apply = false;
  };
  int moved = 0;
  bar->OnPosChanged = [&](TObject*) { ++moved; };
  RECT before = bar->BoundsRect();
  Press(bar, 300, 10);
  POINT bottom = bar->ScreenToClient(form->ClientToScreen(POINT{form->ClientWidth() / 2, form->ClientHeight() - 5}));
  Move(bar, bottom.x, bottom.y);
  EXPECT_TRUE(bar->BarDragging());
  Release(bar, bottom.x, bottom.y);
  EXPECT_EQ(bar->Align(), alTop);
  RECT after = bar->BoundsRect();
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(moved, 1);
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back(), alBottom);
}

TEST_F(Setup, TheSideFollowsTheDiagonalsAndTheFrameLeavesRoomForOtherBars) {
  TSpeedBar* bar = form->Bar;
  auto* status = new TPanel(form);
  status->SetParent(form);
  status->SetAlign(alBottom);
  status->SetHeight(20);
  Pump();
  int W = form->ClientWidth(), H = form->ClientHeight();
  auto side = [&](int x, int y) {
    bool apply = true;
    return bar->DockSideAt(form->ClientToScreen(POINT{x, y}), apply);
  };
  EXPECT_EQ(side(W / 2, 5), alTop);
  EXPECT_EQ(side(W / 2, H - 5), alBottom);
  EXPECT_EQ(side(5, H / 2), alLeft);
  EXPECT_EQ(side(W - 5, H / 2), alRight);
  // On the left the frame stands between the top of the client area and the panel at
  // the bottom (the bar itself is not counted).
  RECT f = bar->DockFrameRect(form->ClientToScreen(POINT{5, H / 2}));
  POINT o = form->ClientToScreen(POINT{0, 0});
  EXPECT_EQ(f.top, o.y);
  EXPECT_EQ(f.bottom, o.y + H - 20);
  EXPECT_EQ(f.right - f.left, bar->Height());
  // At the bottom the panel is below the bar's place only when it lies further out.
  f = bar->DockFrameRect(form->ClientToScreen(POINT{W / 2, H - 5}));
  EXPECT_EQ(f.bottom, o.y + H - 20);
  EXPECT_EQ(f.bottom - f.top, bar->Height());
}

TEST_F(Setup, TheInnerEdgeResizesByWholeRowsInCustomiseModeOnly) {
  TSpeedBar* bar = form->Bar;
  bar->SetOptions(TSpeedbarOptions{sbAllowResize});  // no bar drag on the press
  int h = bar->ClientHeight();
  EXPECT_FALSE(bar->InResizeArea(10, h - 2));  // no customisation window
  Press(bar, 10, h - 2);
  Move(bar, 10, 60);
  EXPECT_EQ(bar->Height(), h);
  Release(bar, 10, 60);

  Recorder rec;
  bar->SetSetupWindowHandle(rec.h);
  EXPECT_TRUE(bar->InResizeArea(10, h - 2));
  EXPECT_FALSE(bar->InResizeArea(10, h - 4));
  Press(bar, 200, h - 2);
  EXPECT_TRUE(bar->Resizing());
  Move(bar, 200, 60);  // |60 - 4| div 23 = 2 rows
  EXPECT_EQ(bar->Height(), 2 * 23 + 4);
  Move(bar, 200, 3);  // never fewer than one row
  EXPECT_EQ(bar->Height(), 23 + 4);
  Release(bar, 200, 3);
  EXPECT_FALSE(bar->Resizing());
  bar->SetOptions(bar->Options() - sbAllowResize);
  EXPECT_FALSE(bar->InResizeArea(10, bar->ClientHeight() - 2));
}

}  // namespace
}  // namespace vx
