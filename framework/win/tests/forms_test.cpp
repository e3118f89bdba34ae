#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/win/Clipbrd.h"
#include "framework/win/Dialogs.h"
#include "framework/win/Menus.h"
#include "framework/win/StdCtrls.h"
#include "framework/win/tests/ScreenDriver.h"

using namespace vx;

namespace {

std::vector<std::string> journal;

class TFrame : public TForm {
 public:
  explicit TFrame(TComponent* owner) : TForm(owner) {
    SetName("FrameForm");
    SetFormStyle(fsMDIForm);
    SetBounds(0, 0, 600, 450);
    MainMenu1 = new TMainMenu(this);
    File = Item(MainMenu1->Items(), "&File", 0);
    cmdNew = Item(File, "&New", 0);
    cmdNew->SetShortCut(ShortCut('N', false, true, false));
    Window1 = Item(MainMenu1->Items(), "&Window", 9);
    Tile1 = Item(Window1, "Tile &Horizontal", 0);
    Help1 = Item(MainMenu1->Items(), "&Help", 11);
    SetMenu(MainMenu1);
    SetWindowMenu(Window1);
    OnCloseQuery = [](TObject*, bool& can) { journal.push_back("frame query"); };
  }
  const char* ClassName() const override { return "TFrameForm"; }
  TMenuItem* Item(TMenuItem* parent, const char* caption, int group) {
    auto* i = new TMenuItem(this);
    i->SetCaption(caption);
    i->SetGroupIndex(static_cast<uint8_t>(group));
    parent->Add(i);
    return i;
  }
  TMainMenu* MainMenu1;
  TMenuItem *File, *cmdNew, *Window1, *Tile1, *Help1;

 protected:
  ~TFrame() override = default;
};

class TChild : public TForm {
 public:
  TChild(TComponent* owner, const std::string& name, bool refuse) : TForm(owner) {
    SetName(name);
    SetCaption(name);
    SetFormStyle(fsMDIChild);
    OnCloseQuery = [this, refuse](TObject*, bool& can) {
      journal.push_back(Name() + " query");
      can = !refuse;
    };
    OnActivate = [this](TObject*) { journal.push_back(Name() + " activate"); };
    OnDeactivate = [this](TObject*) { journal.push_back(Name() + " deactivate"); };
    Menu = new TMainMenu(this);
    Edit = new TMenuItem(this);
    Edit->SetCaption("&Edit");
    Edit->SetGroupIndex(1);
    Menu->Items()->Add(Edit);
    SetMenu(Menu);
  }
  TMainMenu* Menu;
  TMenuItem* Edit;

 protected:
  ~TChild() override = default;
};

std::vector<std::string> BarCaptions(HWND form) {
  std::vector<std::string> v;
  HMENU bar = GetMenu(form);
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    char buf[64] = {0};
    GetMenuStringA(bar, i, buf, sizeof buf, MF_BYPOSITION);
    v.push_back(buf);
  }
  return v;
}

}  // namespace

TEST(Mdi, ChildrenTileCascadeMergeAndCloseQueryOrder) {
  journal.clear();
  auto* frame = Application->CreateForm<TFrame>();
  ASSERT_EQ(Application->MainForm(), frame);
  frame->Show();
  ASSERT_NE(frame->ClientHandle(), nullptr);
  auto* a = CreateForm<TChild>(Application, "ChildA", false);
  auto* b = CreateForm<TChild>(Application, "ChildB", false);
  EXPECT_TRUE(a->Visible());
  EXPECT_EQ(GetParent(a->Handle()), frame->ClientHandle());
  EXPECT_EQ(frame->MDIChildCount(), 2);
  EXPECT_EQ(frame->ActiveMDIChild(), b);
  EXPECT_NE(std::find(journal.begin(), journal.end(), "ChildA deactivate"), journal.end());

  // The active child's menu joins the bar by group index.
  EXPECT_EQ(BarCaptions(frame->Handle()), (std::vector<std::string>{"&File", "&Edit", "&Window", "&Help"}));
  // The window menu lists the children after its own items.
  HMENU win = frame->Window1->Handle();
  bool listed = false;
  for (int i = 0; i < GetMenuItemCount(win); ++i) {
    char buf[64] = {0};
    GetMenuStringA(win, i, buf, sizeof buf, MF_BYPOSITION);
    if (std::string(buf).find("ChildB") != std::string::npos) listed = true;
  }
  EXPECT_TRUE(listed);

  frame->SetTileMode(tbVertical);
  frame->Tile();
  RECT ra, rb;
  GetWindowRect(a->Handle(), &ra);
  GetWindowRect(b->Handle(), &rb);
  EXPECT_EQ(ra.top, rb.top);  // side by side
  EXPECT_NE(ra.left, rb.left);
  frame->Cascade();
  GetWindowRect(a->Handle(), &ra);
  GetWindowRect(b->Handle(), &rb);
  EXPECT_NE(ra.top, rb.top);
  EXPECT_NE(ra.left, rb.left);

  // Children are asked before the frame; one refusal stops the close.
  journal.clear();
  EXPECT_TRUE(frame->CloseQuery());
  ASSERT_EQ(journal.size(), 3u);
  EXPECT_EQ(journal.back(), "frame query");
  auto* c = CreateForm<TChild>(Application, "ChildC", true);
  journal.clear();
  EXPECT_FALSE(frame->CloseQuery());
  EXPECT_EQ(std::count(journal.begin(), journal.end(), "frame query"), 0);

  // A freed child leaves the bar and the count.
  c->Free();
  a->Free();
  EXPECT_EQ(frame->MDIChildCount(), 1);
  b->Free();
  EXPECT_EQ(BarCaptions(frame->Handle()), (std::vector<std::string>{"&File", "&Window", "&Help"}));
  frame->Free();
}

// Whether the window shows that scroll bar where a person can use it: the bar takes the
// mouse at the window's edge.
bool ScrollBarShown(HWND h, int bar) {
  if (!(GetWindowLongA(h, GWL_STYLE) & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL))) return false;
  RECT w = screen::WindowScreenRect(h), c = screen::ClientScreenRect(h);
  POINT p = bar == SB_VERT ? POINT{(c.right + w.right) / 2, (c.top + c.bottom) / 2}
                           : POINT{(c.left + c.right) / 2, (c.bottom + w.bottom) / 2};
  if (p.x >= w.right || p.y >= w.bottom) return false;
  LRESULT hit = SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  return hit == (bar == SB_VERT ? HTVSCROLL : HTHSCROLL) && screen::WindowAt(p) == h;
}

TEST(Mdi, ScrollBarsReachAChildDraggedPastTheClientsEdge) {
  auto* frame = CreateForm<TFrame>(Application);
  frame->Show();
  HWND client = frame->ClientHandle();
  auto* doc = CreateForm<TChild>(Application, "Doc", false);
  doc->SetBounds(20, 20, 220, 160);
  screen::Settle(200);
  EXPECT_FALSE(ScrollBarShown(client, SB_VERT));
  EXPECT_FALSE(ScrollBarShown(client, SB_HORZ));

  // Dragged by its caption until most of it lies below the frame's bottom.
  RECT area = screen::ClientScreenRect(client);
  POINT grip = screen::HitPoint(doc->Handle(), HTCAPTION);
  ASSERT_GE(grip.x, 0);
  screen::Drag(grip, POINT{grip.x, area.bottom - 40});
  EXPECT_TRUE(screen::WaitUntil([&] { return ScrollBarShown(client, SB_VERT); }, 3000));
  SaveScreen("mdi_child_past_the_bottom");
  EXPECT_GT(screen::WindowScreenRect(doc->Handle()).bottom, screen::ClientScreenRect(client).bottom);
  // The bar brings it back into view.
  SendMessageA(client, WM_VSCROLL, SB_BOTTOM, 0);
  SendMessageA(client, WM_VSCROLL, SB_ENDSCROLL, 0);
  screen::Settle(100);
  EXPECT_LE(screen::WindowScreenRect(doc->Handle()).bottom, screen::ClientScreenRect(client).bottom);

  // A child moved wholly inside needs no bar.
  doc->SetBounds(10, 10, 220, 160);
  EXPECT_TRUE(screen::WaitUntil([&] { return !ScrollBarShown(client, SB_VERT); }, 3000));

  // Past the right edge: the horizontal bar.
  RECT r = screen::ClientScreenRect(client);
  doc->SetBounds(r.right - r.left - 60, 10, 220, 160);
  EXPECT_TRUE(screen::WaitUntil([&] { return ScrollBarShown(client, SB_HORZ); }, 3000));
  doc->Free();
  EXPECT_TRUE(screen::WaitUntil([&] { return !ScrollBarShown(client, SB_HORZ); }, 3000));
  frame->Free();
}

// A child wider (or taller) than the client whose other edge lies in the strip that the
// first bar takes: both bars show, each page is what the client shows, and a person's drag
// of the thumb to the bar's far end brings the child's far edge to the client's edge.
TEST(Mdi, WithBothBarsEachPageIsWhatTheClientShows) {
  auto* frame = CreateForm<TFrame>(Application);
  frame->Show();
  HWND client = frame->ClientHandle();
  auto* doc = CreateForm<TChild>(Application, "Doc", false);
  screen::Settle(200);
  RECT full;
  GetClientRect(client, &full);
  ASSERT_FALSE(GetWindowLongA(client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
  int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  for (int bar : {SB_HORZ, SB_VERT}) {
    const char* name = bar == SB_HORZ ? "past the right edge" : "past the bottom";
    if (bar == SB_HORZ)
      doc->SetBounds(0, full.bottom - cy / 2 - 150, full.right + 40, 150);
    else
      doc->SetBounds(full.right - cx / 2 - 200, 0, 200, full.bottom + 40);
    ASSERT_TRUE(
        screen::WaitUntil([&] { return ScrollBarShown(client, SB_HORZ) && ScrollBarShown(client, SB_VERT); }, 3000))
        << name;
    screen::Settle(100);
    RECT view;
    GetClientRect(client, &view);
    RECT child = screen::WindowScreenRect(doc->Handle());
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&child), 2);
    for (int b : {SB_HORZ, SB_VERT}) {
      SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
      ASSERT_TRUE(GetScrollInfo(client, b, &si));
      int page = b == SB_HORZ ? view.right : view.bottom, low = b == SB_HORZ ? child.left : child.top,
          high = b == SB_HORZ ? child.right : child.bottom;
      EXPECT_EQ(static_cast<int>(si.nPage), page) << name << ", bar " << b;
      EXPECT_EQ(si.nMin, std::min(low, 0)) << name << ", bar " << b;
      EXPECT_EQ(si.nMax, std::max(high, page) - 1) << name << ", bar " << b;
      EXPECT_EQ(si.nPos, 0) << name << ", bar " << b;
    }
    // The thumb dragged to the bar's far end.
    SCROLLBARINFO sbi{sizeof sbi, {}, 0, 0, 0, {}};
    ASSERT_TRUE(GetScrollBarInfo(client, bar == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &sbi));
    const RECT& r = sbi.rcScrollBar;
    int thumb = (sbi.xyThumbTop + sbi.xyThumbBottom) / 2;
    POINT from =
        bar == SB_HORZ ? POINT{r.left + thumb, (r.top + r.bottom) / 2} : POINT{(r.left + r.right) / 2, r.top + thumb};
    POINT to = bar == SB_HORZ ? POINT{r.right - 2, from.y} : POINT{from.x, r.bottom - 2};
    screen::Drag(from, to);
    ASSERT_TRUE(screen::WaitUntil([] { return GetCapture() == nullptr; }, 3000)) << name;
    screen::Settle(100);
    RECT shown = screen::ClientScreenRect(client), placed = screen::WindowScreenRect(doc->Handle());
    EXPECT_TRUE(ScrollBarShown(client, SB_HORZ) && ScrollBarShown(client, SB_VERT)) << name;
    if (bar == SB_HORZ)
      EXPECT_EQ(placed.right, shown.right) << name;
    else
      EXPECT_EQ(placed.bottom, shown.bottom) << name;
    SaveScreen(bar == SB_HORZ ? "mdi_scrolled_to_the_right" : "mdi_scrolled_to_the_bottom");
  }
  doc->Free();
  frame->Free();
}

TEST(Mdi, AMaximisedChildFitsTheClientArea) {
  auto* frame = CreateForm<TFrame>(Application);
  frame->SetBounds(0, 0, 1000, 780);
  frame->Show();
  auto* doc = CreateForm<TChild>(Application, "Doc", false);
  doc->SetWindowState(wsMaximized);
  screen::Settle(200);
  HWND client = frame->ClientHandle();
  RECT area = screen::ClientScreenRect(client), inner = screen::ClientScreenRect(doc->Handle());
  SaveScreen("mdi_maximised_child");
  EXPECT_TRUE(screen::Inside(inner, area)) << inner.left << "," << inner.top << " " << inner.right << ","
                                           << inner.bottom << " in " << area.left << "," << area.top << " "
                                           << area.right << "," << area.bottom;
  EXPECT_EQ(inner.right - inner.left, area.right - area.left);
  EXPECT_EQ(inner.bottom - inner.top, area.bottom - area.top);
  EXPECT_FALSE(ScrollBarShown(client, SB_VERT));
  EXPECT_FALSE(ScrollBarShown(client, SB_HORZ));
  doc->Free();
  frame->Free();
}

// Another program: a window of another thread that covers the screen's corner and comes to
// the front, until told to stop.
DWORD WINAPI AnotherProgram(void* stop) {
  HWND h = CreateWindowExA(0, "STATIC", "another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700, nullptr,
                           nullptr, nullptr, nullptr);
  SetForegroundWindow(h);
  MSG m;
  while (MsgWaitForMultipleObjects(1, &stop, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  DestroyWindow(h);
  return 0;
}

// Whether w lies above below in the window list.
bool Above(HWND w, HWND below) {
  for (HWND h = GetWindow(below, GW_HWNDPREV); h; h = GetWindow(h, GW_HWNDPREV))
    if (h == w) return true;
  return false;
}

// A form that lies over a window it owns puts that window back just above itself, whatever
// lies above them both: with another program in front, the owned window stays behind that
// program's window, on the screen too; with the form in front again, the owned window shows.
TEST(Owned, WindowsGoBackJustAboveTheirOwnerNeverAboveAnotherProgram) {
  auto* owned = CreateForm<TForm>(Application);
  owned->SetBounds(250, 200, 200, 150);
  owned->SetColor(clRed);
  owned->Show();
  auto* apart = CreateForm<TForm>(Application);
  apart->SetBounds(600, 450, 200, 150);
  apart->Show();
  auto* form = CreateForm<TForm>(Application);
  form->SetBounds(100, 100, 500, 400);
  form->Show();
  screen::Settle(200);
  POINT centre = screen::Centre(screen::ClientScreenRect(owned->Handle()));
  auto ownedShows = [&] {
    return GetAncestor(screen::WindowAt(centre), GA_ROOT) == owned->Handle() &&
           screen::Capture(RECT{centre.x, centre.y, centre.x + 1, centre.y + 1}).At(0, 0) == RGB(255, 0, 0);
  };

  HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, AnotherProgram, stop, 0, nullptr);
  HWND other = nullptr;
  ASSERT_TRUE(screen::WaitUntil(
      [&] {
        other = GetForegroundWindow();
        return other && GetWindowThreadProcessId(other, nullptr) != GetCurrentThreadId() && !ownedShows();
      },
      3000));
  // The form takes the window under it as its own, then goes down a step, still over it.
  SetWindowLongPtrA(owned->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(form->Handle()));
  ASSERT_TRUE(Above(form->Handle(), owned->Handle()));
  SetWindowPos(form->Handle(), apart->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(Above(other, owned->Handle())) << "the owned window came above the other program";
  EXPECT_TRUE(Above(owned->Handle(), form->Handle()));
  screen::Settle(200);
  SaveScreen("owned_behind_another_program");
  EXPECT_FALSE(ownedShows()) << "the owned window shows over the other program";

  SetForegroundWindow(form->Handle());
  EXPECT_TRUE(screen::WaitUntil(ownedShows, 3000)) << "the owned window stayed behind its form";
  SetEvent(stop);
  WaitForSingleObject(thread, 5000);
  CloseHandle(thread);
  CloseHandle(stop);
  owned->Free();
  apart->Free();
  form->Free();
}

// A maximised form keeps the platform's rectangle, its sizing borders past the screen's
// edges and its client area filling the work area's width and reaching its bottom. Moved to
// the screen's corner at that size, as Wine does when a window placement gives the
// maximised position, it comes inside the work area. Either way its close box is on the
// screen where a click reaches it.
TEST(Maximised, TheFormKeepsThePlatformsRectangleWhereItFitsTheScreen) {
  auto* form = CreateForm<TForm>(Application);
  form->SetBounds(50, 50, 400, 300);
  form->Show();
  form->SetWindowState(wsMaximized);
  screen::Settle(100);
  ASSERT_TRUE(IsZoomed(form->Handle()));
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  auto closeBoxShows = [&] {
    POINT close = screen::HitPoint(form->Handle(), HTCLOSE);
    return close.x >= work.left && close.x < work.right && close.y >= work.top && close.y < work.bottom &&
           screen::WindowAt(close) == form->Handle();
  };
  RECT client = screen::ClientScreenRect(form->Handle()), frame = screen::WindowScreenRect(form->Handle());
  SaveScreen("maximised_form");
  EXPECT_EQ(client.left, work.left);
  EXPECT_EQ(client.right, work.right);
  EXPECT_EQ(client.bottom, work.bottom);
  EXPECT_LT(frame.left, work.left);
  EXPECT_TRUE(closeBoxShows());

  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(form->Handle(), &wp);
  wp.ptMaxPosition = POINT{frame.left, frame.top};
  SetWindowPlacement(form->Handle(), &wp);
  screen::Settle(100);
  client = screen::ClientScreenRect(form->Handle());
  SaveScreen("maximised_form_placed");
  EXPECT_TRUE(screen::Inside(client, work))
      << client.left << "," << client.top << " " << client.right << "," << client.bottom;
  EXPECT_TRUE(closeBoxShows());
  form->Free();
}

TEST(Menus, ShortCutsRunBeforeDispatchAndTheirText) {
  EXPECT_EQ(ShortCutToText(ShortCut('N', false, true, false)), "Ctrl+N");
  EXPECT_EQ(ShortCutToText(VK_F5), "F5");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, true, true, false)), "Shift+Ctrl+Del");
  EXPECT_EQ(TextToShortCut("Ctrl+N"), ShortCut('N', false, true, false));
  EXPECT_EQ(TextToShortCut("F11"), VK_F11);
  EXPECT_EQ(GetHotkey("E&xit"), 'X');
  EXPECT_EQ(StripHotkey("Save &As..."), "Save As...");

  auto* form = CreateForm<TForm>(Application);
  auto* menu = new TMainMenu(form);
  auto* file = new TMenuItem(form);
  file->SetCaption("&File");
  menu->Items()->Add(file);
  auto* save = new TMenuItem(form);
  save->SetCaption("&Save");
  save->SetShortCut(ShortCut('S', false, true, false));
  file->Add(save);
  auto* del = new TMenuItem(form);
  del->SetCaption("Delete");
  del->SetShortCut(VK_DELETE);
  file->Add(del);
  form->SetMenu(menu);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  form->Show();
  edit->SetFocus();
  ASSERT_TRUE(edit->Focused());

  int saves = 0, dels = 0, opened = 0;
  save->OnClick = [&](TObject*) { ++saves; };
  del->OnClick = [&](TObject*) { ++dels; };
  file->OnClick = [&](TObject*) { ++opened; };
  // The menu text shows the short-cut.
  char buf[64] = {0};
  GetMenuStringA(file->Handle(), 0, buf, sizeof buf, MF_BYPOSITION);
  EXPECT_STREQ(buf, "&Save\tCtrl+S");

  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  MSG m{edit->Handle(), WM_KEYDOWN, 'S', 0, 0, {0, 0}};
  EXPECT_TRUE(Application->IsShortCut(m));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(opened, 1);  // the submenu's opening handler ran first
  // Del belongs to the edit, not to the menu.
  MSG d{edit->Handle(), WM_KEYDOWN, VK_DELETE, 0, 0, {0, 0}};
  EXPECT_FALSE(Application->IsShortCut(d));
  EXPECT_EQ(dels, 0);
  // Disabled items do not answer.
  save->SetEnabled(false);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  EXPECT_FALSE(Application->IsShortCut(m));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);

  // Items added and freed at run time.
  auto* extra = new TMenuItem(form);
  extra->SetCaption("Tool 1");
  file->Add(extra);
  EXPECT_EQ(GetMenuItemCount(file->Handle()), 3);
  extra->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(file->Handle()), 2);
  extra->SetVisible(true);
  UINT cmd = extra->Command();
  extra->Free();
  EXPECT_EQ(GetMenuItemCount(file->Handle()), 2);
  EXPECT_EQ(FindMenuItemByCommand(cmd), nullptr);
  // A menu command through the window procedure.
  save->SetEnabled(true);
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 0), 0);
  EXPECT_EQ(saves, 2);
  form->Free();
}

TEST(Dialogs, DefaultAndCancelButtonsAndTheDialogSeam) {
  auto* dlg = CreateForm<TForm>(Application);
  dlg->SetBorderStyle(bsDialog);
  auto* ok = new TButton(dlg);
  ok->SetParent(dlg);
  ok->SetCaption("OK");
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = new TButton(dlg);
  cancel->SetParent(dlg);
  cancel->SetLeft(80);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  auto* edit = new TEdit(dlg);
  edit->SetParent(dlg);
  edit->SetTop(40);
  Application->OnModalForm = [&](TForm* f) {
    edit->SetFocus();
    edit->SetText("typed");
    // The release of an Enter pressed in a dialog that has closed lands here: it is no
    // key of this form's.
    SendMessageA(edit->Handle(), WM_KEYUP, VK_RETURN, 0xC01C0001);
    SendMessageA(f->Handle(), WM_KEYUP, VK_RETURN, 0xC01C0001);
    EXPECT_EQ(f->ModalResult(), mrNone);
    // Enter in the edit goes to the form and clicks the default button.
    SendMessageA(edit->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  };
  EXPECT_EQ(dlg->ShowModal(), mrOk);
  EXPECT_EQ(edit->Text(), "typed");
  Application->OnModalForm = [&](TForm* f) { SendMessageA(edit->Handle(), WM_KEYDOWN, VK_ESCAPE, 0); };
  EXPECT_EQ(dlg->ShowModal(), mrCancel);
  Application->OnModalForm = nullptr;

  auto open = MakeComponent<TOpenDialog>(nullptr);
  open->SetFilter("HTML files (*.htm)|*.htm|All Files (*.*)|*.*");
  EXPECT_FALSE(open->Execute());  // unattended: cancelled, never waits
  TCommonDialog::Handler() = [](TCommonDialog* d) {
    auto* o = dynamic_cast<TOpenDialog*>(d);
    if (!o) return false;
    o->SetFileName("C:\\doc.htm");
    o->Files()->Add("C:\\doc.htm");
    return true;
  };
  EXPECT_TRUE(open->Execute());
  EXPECT_EQ(open->FileName(), "C:\\doc.htm");
  TCommonDialog::Handler() = nullptr;

  Application->OnMessageBox = [](const AnsiString& text, const AnsiString& caption, UINT flags) {
    EXPECT_EQ(flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_EQ(caption, "Confirm");
    return IDYES;
  };
  EXPECT_EQ(MessageDlg("Save changes to x.htm?", mtConfirmation, mbYesNoCancel, 0), mrYes);
  Application->OnMessageBox = nullptr;
  dlg->Free();
}

TEST(Focus, TabMovesThroughTheTabOrderAndFiresEnterExit) {
  auto* f = CreateForm<TForm>(Application);
  auto* e1 = new TEdit(f);
  e1->SetParent(f);
  auto* e2 = new TEdit(f);
  e2->SetParent(f);
  e2->SetTop(30);
  auto* e3 = new TEdit(f);
  e3->SetParent(f);
  e3->SetTop(60);
  e3->SetTabOrder(0);  // first now
  std::vector<std::string> log;
  e1->OnEnter = [&](TObject*) { log.push_back("enter1"); };
  e1->OnExit = [&](TObject*) { log.push_back("exit1"); };
  e2->OnEnter = [&](TObject*) { log.push_back("enter2"); };
  f->Show();
  e1->SetFocus();
  EXPECT_EQ(f->ActiveControl(), e1);
  SendMessageA(e1->Handle(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(f->ActiveControl(), e2);
  EXPECT_TRUE(e2->Focused());
  SendMessageA(e2->Handle(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(f->ActiveControl(), e3);  // wraps to the first in tab order
  EXPECT_EQ(log, (std::vector<std::string>{"enter1", "exit1", "enter2"}));
  f->Free();
}

TEST(Menus, PopupMenuChoiceThroughTheSeam) {
  auto* form = CreateForm<TForm>(Application);
  auto* pop = new TPopupMenu(form);
  auto* a = new TMenuItem(form);
  a->SetCaption("IMG");
  pop->Items()->Add(a);
  auto* b = new TMenuItem(form);
  b->SetCaption("MAP");
  pop->Items()->Add(b);
  std::string clicked;
  a->OnClick = b->OnClick = [&](TObject* s) { clicked = static_cast<TMenuItem*>(s)->Caption(); };
  bool popped = false;
  pop->OnPopup = [&](TObject*) { popped = true; };
  pop->Popup(10, 10);  // unattended, no handler: nothing chosen
  EXPECT_TRUE(popped);
  EXPECT_EQ(clicked, "");
  Application->OnPopupMenu = [&](TPopupMenu* m, int, int) { return m->Items()->Find("map"); };
  auto* ctl = new TEdit(form);
  ctl->SetParent(form);
  ctl->SetPopupMenu(pop);
  form->Show();
  SendMessageA(ctl->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(3, 3));  // right click on the control
  EXPECT_EQ(clicked, "MAP");
  EXPECT_EQ(pop->PopupComponent(), ctl);
  Application->OnPopupMenu = nullptr;
  form->Free();
}

TEST(ClipboardTest, TextRoundTrip) {
  Clipboard()->SetAsText("<B>bold</B>");
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_EQ(Clipboard()->AsText(), "<B>bold</B>");
  Clipboard()->Clear();
  EXPECT_EQ(Clipboard()->AsText(), "");
}

TEST(Menus, MergedItemsReplaceTheFramesItemsOfTheirGroup) {
  auto* frameMenuOwner = CreateForm<TForm>(Application);
  auto* bar = new TMainMenu(frameMenuOwner);
  auto add = [&](TMainMenu* m, const char* caption, int group) {
    auto* i = new TMenuItem(frameMenuOwner);
    i->SetCaption(caption);
    i->SetGroupIndex(static_cast<uint8_t>(group));
    m->Items()->Add(i);
    return i;
  };
  add(bar, "File", 0);
  add(bar, "Edit", 1);
  add(bar, "Window", 9);
  auto* child = new TMainMenu(frameMenuOwner);
  add(child, "Edit2", 1);
  add(child, "Text", 2);
  add(child, "Browser", 10);
  bar->Merge(child);
  std::vector<std::string> names;
  for (TMenuItem* i : bar->BarItems()) names.push_back(i->Caption());
  EXPECT_EQ(names, (std::vector<std::string>{"File", "Edit2", "Text", "Window", "Browser"}));
  bar->Unmerge(child);
  names.clear();
  for (TMenuItem* i : bar->BarItems()) names.push_back(i->Caption());
  EXPECT_EQ(names, (std::vector<std::string>{"File", "Edit", "Window"}));
  // A merged menu freed first leaves the bar whole.
  bar->Merge(child);
  child->Free();
  EXPECT_EQ(bar->BarItems().size(), 3u);
  frameMenuOwner->Free();
}

TEST(Dialogs, AMemoKeepsEnterUnlessItDoesNotWantReturns) {
  auto* dlg = CreateForm<TForm>(Application);
  auto* ok = new TButton(dlg);
  ok->SetParent(dlg);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* memo = new TMemo(dlg);
  memo->SetParent(dlg);
  memo->SetTop(40);
  int clicks = 0;
  ok->OnClick = [&](TObject*) { ++clicks; };
  dlg->Show();
  memo->SetFocus();
  SendMessageA(memo->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(clicks, 0);
  memo->SetWantReturns(false);
  SendMessageA(memo->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(clicks, 1);
  dlg->Free();
}

TEST(Application, ExceptionFromAShortCutHandlerIsShownNotThrown) {
  auto* form = CreateForm<TForm>(Application);
  auto* menu = new TMainMenu(form);
  auto* item = new TMenuItem(form);
  item->SetCaption("Go");
  item->SetShortCut(VK_F9);
  item->OnClick = [](TObject*) { throw EInvalidOperation("Cannot go"); };
  menu->Items()->Add(item);
  form->SetMenu(menu);
  form->Show();
  std::vector<std::string> shown;
  Application->OnMessageBox = [&](const AnsiString& t, const AnsiString&, UINT) {
    shown.push_back(t);
    return IDOK;
  };
  MSG m{form->Handle(), WM_KEYDOWN, VK_F9, 0, 0, {0, 0}};
  EXPECT_NO_THROW(Application->ProcessMessage(m));
  EXPECT_EQ(shown, (std::vector<std::string>{"Cannot go"}));
  // A button that releases its own form from its click handler.
  auto* b = new TButton(form);
  b->SetParent(form);
  b->OnClick = [form](TObject*) { form->Release(); };
  int before = Screen->FormCount();
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(b->Handle()));
  EXPECT_EQ(Screen->FormCount(), before);
  Application->ProcessMessages();
  EXPECT_EQ(Screen->FormCount(), before - 1);
  Application->OnMessageBox = nullptr;
}
