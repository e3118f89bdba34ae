#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/win/tests/ScreenDriver.h"
#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

using namespace vx;

namespace {

// A windowed control over the system BUTTON class that records reflected commands.
class TProbeButton : public TWinControl {
 public:
  using TWinControl::TWinControl;
  const char* ClassName() const override { return "TProbeButton"; }
  std::vector<std::string> log;
  int destroyWndCalls = 0;

 protected:
  void CreateParams(TCreateParams& p) override {
    TWinControl::CreateParams(p);
    CreateSubClass(p, "BUTTON");
    p.Style |= BS_PUSHBUTTON;
  }
  void DestroyWnd() override {
    ++destroyWndCalls;
    TWinControl::DestroyWnd();
  }

 public:
  void WndProc(TMessage& m) override {
    if (m.Msg == CN_COMMAND) {
      log.push_back("command " + std::to_string(HIWORD(m.WParam)));
      m.Result = 77;
      return;
    }
    if (m.Msg == WM_APP + 5) {
      log.push_back("app");
      m.Result = 5;
      return;
    }
    TWinControl::WndProc(m);
  }

 protected:
  ~TProbeButton() override = default;
};

class TPaintBoxProbe : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  int paints = 0;
  std::vector<std::string> mouse;

 protected:
  void Paint() override {
    ++paints;
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(RECT{0, 0, Width(), Height()});
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    mouse.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    TGraphicControl::MouseDown(b, s, x, y);
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    mouse.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    TGraphicControl::MouseUp(b, s, x, y);
  }

 protected:
  ~TPaintBoxProbe() override = default;
};

struct FormFixture : ::testing::Test {
  TForm* form = nullptr;
  void SetUp() override {
    form = CreateForm<TForm>(Application);
    form->SetBounds(50, 50, 400, 300);
  }
  void TearDown() override {
    if (form) form->Free();
    Application->OnMessageBox = nullptr;
    Application->OnModalForm = nullptr;
    Application->OnException = nullptr;
  }
};

}  // namespace

TEST_F(FormFixture, HandlesAreMadeLazilyWithTheParentChain) {
  auto* panel = new TCustomControl(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 100, 50);
  auto* b = new TProbeButton(form);
  b->SetParent(panel);
  b->SetText("Press");
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_FALSE(b->HandleAllocated());
  HWND h = b->Handle();  // makes the form and the panel first
  EXPECT_TRUE(form->HandleAllocated());
  EXPECT_TRUE(panel->HandleAllocated());
  EXPECT_EQ(GetParent(h), panel->Handle());
  EXPECT_EQ(FindControl(h), b);
  EXPECT_EQ(b->Text(), "Press");
  // The window procedure in GWLP_WNDPROC is ours; the class's own is the default.
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC)), &ControlWindowProc);
  EXPECT_NE(b->DefWndProc(), &ControlWindowProc);
  char cls[32];
  GetClassNameA(h, cls, sizeof cls);
  EXPECT_STRCASEEQ(cls, "BUTTON");
  EXPECT_EQ(GetWindowLongPtrA(h, GWLP_USERDATA), 0);  // the object is not kept in the window
}

TEST_F(FormFixture, RecreateKeepsStateAndRunsTheDestroyHook) {
  auto* b = new TProbeButton(form);
  b->SetParent(form);
  b->SetBounds(5, 6, 70, 25);
  HWND first = b->Handle();
  SetWindowTextA(first, "Typed");  // state held only by the window
  b->RecreateWnd();
  HWND second = b->Handle();
  EXPECT_NE(first, second);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(b->destroyWndCalls, 1);
  EXPECT_EQ(b->Text(), "Typed");
  EXPECT_EQ(b->Left(), 5);
  EXPECT_EQ(b->Width(), 70);
  EXPECT_EQ(FindControl(first), nullptr);
  EXPECT_EQ(FindControl(second), b);
  // Re-creating the form re-creates its children too.
  form->RecreateWnd();
  EXPECT_TRUE(b->HandleAllocated());
  EXPECT_EQ(GetParent(b->Handle()), form->Handle());
}

TEST_F(FormFixture, NotificationsAreReflectedToTheChildObject) {
  auto* b = new TProbeButton(form);
  b->SetParent(form);
  HWND h = b->Handle();
  LRESULT r = SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(h));
  EXPECT_EQ(r, 77);
  ASSERT_EQ(b->log.size(), 1u);
  EXPECT_EQ(b->log[0], "command 0");
  // Perform reaches the object's WndProc without a window round trip.
  EXPECT_EQ(b->Perform(WM_APP + 5), 5);
  EXPECT_EQ(SendMessageA(h, WM_APP + 5, 0, 0), 5);
}

TEST_F(FormFixture, AlignmentFillsInOrderAndCanBeDeferred) {
  form->SetClientSize(300, 200);
  form->HandleNeeded();
  auto* top = new TCustomControl(form);
  top->SetHeight(30);
  top->SetAlign(alTop);
  top->SetParent(form);
  auto* bottom = new TCustomControl(form);
  bottom->SetHeight(20);
  bottom->SetAlign(alBottom);
  bottom->SetParent(form);
  auto* left = new TCustomControl(form);
  left->SetWidth(50);
  left->SetAlign(alLeft);
  left->SetParent(form);
  auto* client = new TCustomControl(form);
  client->SetAlign(alClient);
  client->SetParent(form);
  int cw = form->ClientWidth(), ch = form->ClientHeight();
  EXPECT_EQ(top->BoundsRect().right, cw);
  EXPECT_EQ(bottom->Top(), ch - 20);
  EXPECT_EQ(left->Top(), 30);
  EXPECT_EQ(left->Height(), ch - 50);
  EXPECT_EQ(client->Left(), 50);
  EXPECT_EQ(client->Width(), cw - 50);
  EXPECT_EQ(client->Height(), ch - 50);
  // While disabled, changes wait; enabling applies them once.
  form->DisableAlign();
  top->SetHeight(40);
  EXPECT_EQ(left->Top(), 30);
  form->EnableAlign();
  EXPECT_EQ(left->Top(), 40);
  EXPECT_EQ(client->Height(), ch - 60);
  // A hidden control gives its room away.
  top->SetVisible(false);
  EXPECT_EQ(left->Top(), 0);
  // Same bounds twice: nothing happens (no resize notice).
  int resizes = 0;
  client->OnResize = [&](TObject*) { ++resizes; };
  client->SetBounds(client->Left(), client->Top(), client->Width(), client->Height());
  EXPECT_EQ(resizes, 0);
}

TEST_F(FormFixture, GraphicControlsArePaintedByTheParentAndGetTheMouse) {
  form->Show();
  auto* box = new TPaintBoxProbe(form);
  box->SetBounds(20, 20, 40, 30);
  box->SetParent(form);
  UpdateWindow(form->Handle());
  EXPECT_GE(box->paints, 1);
  HDC dc = GetDC(form->Handle());
  EXPECT_EQ(GetPixel(dc, 30, 30), RGB(255, 0, 0));
  EXPECT_NE(GetPixel(dc, 70, 30), RGB(255, 0, 0));
  ReleaseDC(form->Handle(), dc);
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 27));
  EXPECT_TRUE(box->MouseCapture());
  // Captured: a move far outside still goes to the box, in its coordinates.
  SendMessageA(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 100));
  EXPECT_FALSE(box->MouseCapture());
  EXPECT_EQ(clicks, 0);  // released outside: no click
  SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 27));
  SendMessageA(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(26, 28));
  EXPECT_EQ(clicks, 1);
  ASSERT_EQ(box->mouse.size(), 4u);
  EXPECT_EQ(box->mouse[0], "down 5,7");
  EXPECT_EQ(box->mouse[1], "up 180,80");
  EXPECT_EQ(form->ControlAtPos(POINT{21, 21}, false), box);
}

TEST_F(FormFixture, BroadcastReachesWindowlessChildrenToo) {
  auto* a = new TPaintBoxProbe(form);
  a->SetParent(form);
  auto* b = new TProbeButton(form);
  b->SetParent(form);
  int seen = 0;
  a->OnMouseEnter = [&](TObject*) { ++seen; };
  TMessage m{CM_MOUSEENTER, 0, 0, 0};
  form->Broadcast(m);
  EXPECT_EQ(seen, 1);
  TMessage app{WM_APP + 5, 0, 0, 0};
  form->Broadcast(app);
  EXPECT_EQ(app.Result, 5);
}

TEST_F(FormFixture, ExceptionInAHandlerReachesTheApplicationHandler) {
  std::vector<std::string> boxes;
  Application->OnMessageBox = [&](const AnsiString& text, const AnsiString&, UINT flags) {
    boxes.push_back(text);
    EXPECT_EQ(flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    return IDOK;
  };
  auto* b = new TProbeButton(form);
  b->SetParent(form);
  form->Show();
  form->OnResize = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
  SetWindowPos(form->Handle(), nullptr, 0, 0, 333, 222, SWP_NOMOVE | SWP_NOZORDER);  // through the window procedure
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "'x' is not a valid integer value");
  EXPECT_EQ(form->Width(), 333);
  // A custom handler sees the exception object itself.
  std::string seen;
  Application->OnException = [&](TObject* sender, const std::exception& e) { seen = e.what(); };
  SetWindowPos(form->Handle(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(seen, "'x' is not a valid integer value");
  form->OnResize = nullptr;
}

TEST_F(FormFixture, ModalFormAnsweredThroughTheSeam) {
  auto* dlg = CreateForm<TForm>(Application);
  auto* edit = new TProbeButton(dlg);
  edit->SetParent(dlg);
  int queries = 0;
  dlg->OnCloseQuery = [&](TObject*, bool& can) { ++queries; };
  std::string caption;
  Application->OnModalForm = [&](TForm* f) {
    caption = f->Caption();
    EXPECT_TRUE(f->Visible());
    EXPECT_TRUE(f->Modal());
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));  // the rest of the program waits
    FindControl(edit->Handle());
    f->SetModalResult(mrOk);
  };
  form->Show();
  dlg->SetCaption("Dialog");
  EXPECT_EQ(dlg->ShowModal(), mrOk);
  EXPECT_EQ(caption, "Dialog");
  EXPECT_EQ(queries, 1);
  EXPECT_FALSE(dlg->Visible());
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  // Without a handler a test program never waits: the form closes with Cancel.
  Application->OnModalForm = nullptr;
  EXPECT_EQ(dlg->ShowModal(), mrCancel);
  // A refused close keeps the form running until the handler lets it go.
  int tries = 0;
  dlg->OnCloseQuery = [&](TObject*, bool& can) { can = ++tries > 2; };
  Application->OnModalForm = [](TForm* f) { f->SetModalResult(mrOk); };
  EXPECT_EQ(dlg->ShowModal(), mrOk);
  EXPECT_EQ(tries, 3);
  dlg->Free();
}

TEST_F(FormFixture, MessageBoxThroughTheSeam) {
  Application->SetTitle("Vornix PRO");
  AnsiString gotCaption;
  Application->OnMessageBox = [&](const AnsiString& text, const AnsiString& caption, UINT flags) {
    gotCaption = caption;
    return text == "Save changes?" ? IDYES : IDNO;
  };
  EXPECT_EQ(Application->MessageBox("Save changes?", "", MB_YESNOCANCEL), IDYES);
  EXPECT_EQ(gotCaption, "Vornix PRO");
  Application->OnMessageBox = nullptr;
  size_t before = Application->UnansweredLog.size();
  EXPECT_EQ(Application->MessageBox("Unanswered", "X", MB_YESNOCANCEL), IDCANCEL);
  EXPECT_EQ(Application->MessageBox("Unanswered", "X", MB_YESNO), IDNO);
  EXPECT_EQ(Application->UnansweredLog.size(), before + 2);
  EXPECT_EQ(Application->UnansweredLog.back(), "Unanswered");
}

TEST_F(FormFixture, CloseActionsAndRelease) {
  auto* f = CreateForm<TForm>(Application);
  f->Show();
  std::vector<std::string> events;
  f->OnCloseQuery = [&](TObject*, bool& can) { events.push_back("query"); };
  f->OnClose = [&](TObject*, TCloseAction& a) {
    events.push_back("close");
    a = caFree;
  };
  f->OnDestroy = [&](TObject*) { events.push_back("destroy"); };
  f->OnHide = [&](TObject*) { events.push_back("hide"); };
  f->Close();
  EXPECT_EQ(events, (std::vector<std::string>{"query", "close"}));
  int before = Screen->FormCount();
  Application->ProcessMessages();  // the deferred free
  EXPECT_EQ(Screen->FormCount(), before - 1);
  EXPECT_EQ(events.back(), "destroy");
}

TEST(ObjectInstance, ThunkCallsTheBoundProcedure) {
  int calls = 0;
  WNDPROC p = MakeObjectInstance([&](TMessage& m) {
    ++calls;
    m.Result = static_cast<LRESULT>(m.WParam + m.LParam);
  });
  EXPECT_EQ(CallWindowProcA(p, nullptr, WM_USER, 40, 2), 42);
  // As a real window procedure, through subclassing.
  HWND h = AllocateHWnd([](TMessage& m) { m.Result = DefWindowProcA(nullptr, m.Msg, m.WParam, m.LParam); });
  LONG_PTR old = SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(p));
  EXPECT_EQ(SendMessageA(h, WM_USER, 1, 2), 3);
  EXPECT_EQ(calls, 2);
  SetWindowLongPtrA(h, GWLP_WNDPROC, old);
  DeallocateHWnd(h);
  FreeObjectInstance(p);
}

TEST_F(FormFixture, HintsShowTheShortPartAndTheApplicationTheLongPart) {
  auto* b = new TProbeButton(form);
  b->SetParent(form);
  b->SetHint("Save|Save the current document");
  b->SetShowHint(true);
  form->Show();
  AnsiString longHint;
  Application->OnHint = [&](TObject*) { longHint = Application->Hint(); };
  Application->SetHintPause(20);
  b->Perform(CM_MOUSEENTER);
  EXPECT_EQ(longHint, "Save the current document");
  screen::WaitUntil([] { return Application->HintWindow() != nullptr; }, 3000);
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_TRUE(IsWindowVisible(Application->HintWindow()->Handle()));
  b->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(Application->HintWindow(), nullptr);
  EXPECT_EQ(longHint, "");
  Application->OnHint = nullptr;
  EXPECT_EQ(GetShortHint("A|B"), "A");
  EXPECT_EQ(GetLongHint("A|B"), "B");
  EXPECT_EQ(GetLongHint("Only"), "Only");
}

TEST_F(FormFixture, AutomaticDragDropsOnAnAcceptingTarget) {
  form->SetClientSize(300, 200);
  auto* source = new TCustomControl(form);
  source->SetParent(form);
  source->SetBounds(0, 0, 100, 100);
  source->SetDragMode(dmAutomatic);
  auto* target = new TCustomControl(form);
  target->SetParent(form);
  target->SetBounds(150, 0, 100, 100);
  form->Show();
  std::vector<std::string> log;
  target->OnDragOver = [&](TObject*, TObject* src, int x, int y, TDragState st, bool& accept) {
    accept = src == source;
    if (st == dsDragEnter) log.push_back("enter");
  };
  target->OnDragDrop = [&](TObject*, TObject* src, int x, int y) {
    log.push_back("drop " + std::to_string(x) + "," + std::to_string(y));
  };
  TObject* endTarget = nullptr;
  source->OnEndDrag = [&](TObject*, TObject* t, int, int) { endTarget = t; };
  // The drop point is found on the screen: the moves go in the queue in the source's coordinates.
  POINT p{170, 20};
  ClientToScreen(form->Handle(), &p);
  ScreenToClient(source->Handle(), &p);
  SetCursorPos(p.x, p.y);
  PostMessageA(source->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageA(source->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  SendMessageA(source->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "drop 20,20"}));
  EXPECT_EQ(endTarget, target);
}

TEST_F(FormFixture, BorderChangesRecreateTheWindowWithTheNewStyles) {
  form->Show();
  HWND before = form->Handle();
  EXPECT_TRUE(GetWindowLongA(before, GWL_STYLE) & WS_MAXIMIZEBOX);
  form->SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
  HWND after = form->Handle();
  EXPECT_NE(before, after);
  EXPECT_FALSE(GetWindowLongA(after, GWL_STYLE) & WS_MAXIMIZEBOX);
  EXPECT_TRUE(IsWindowVisible(after));
  form->SetBorderStyle(bsToolWindow);
  EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  auto* top = CreateForm<TForm>(Application);
  top->SetFormStyle(fsStayOnTop);
  top->Show();
  EXPECT_TRUE(GetWindowLongA(top->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  top->SetWindowState(wsMaximized);
  EXPECT_TRUE(IsZoomed(top->Handle()));
  EXPECT_EQ(top->WindowState(), wsMaximized);
  top->Free();
}

TEST(ControlLifetime, AFreedFormUnderTheMouseIsForgotten) {
  // The mouse was last over a form that is then freed: the next move elsewhere must not
  // send the old form its leave notice.
  auto* a = CreateForm<TForm>(Application);
  a->Show();
  SendMessageA(a->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  a->Free();
  auto* b = CreateForm<TForm>(Application);
  int entered = 0;
  b->OnMouseEnter = [&](TObject*) { ++entered; };
  b->Show();
  SendMessageA(b->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(entered, 1);
  b->Free();
}

TEST_F(FormFixture, ChildrenLeaveFromAnyPlaceAndTheRestKeepTheirOrder) {
  auto* panel = new TCustomControl(form);
  panel->SetParent(form);
  std::vector<TEdit*> e;
  for (int i = 0; i < 6; ++i) {
    e.push_back(new TEdit(form));
    e.back()->SetParent(panel);
    e.back()->SetTop(i * 25);
  }
  auto* other = new TCustomControl(form);
  other->SetParent(form);
  e[4]->SetTabOrder(1);  // tab order: 0 4 1 2 3 5
  HWND h5 = e[5]->Handle();
  auto order = [&] {
    std::string s;
    for (int i = 0; i < panel->ControlCount(); ++i)
      s += std::to_string(std::find(e.begin(), e.end(), panel->Controls(i)) - e.begin());
    s += "/";
    for (auto* w : e) s += w->TabOrder() >= 0 ? std::to_string(w->TabOrder()) : "-";
    return s;
  };
  EXPECT_EQ(order(), "012345/023415");
  EXPECT_FALSE(panel->ContainsControl(other));
  other->SetParent(panel);  // taken from the form onto the panel
  EXPECT_TRUE(panel->ContainsControl(other));
  EXPECT_FALSE(form->ContainsControl(other));
  other->SetParent(form);
  // The last one, one in the middle and the first one leave: the others keep their order,
  // in the list and in the tab order; a control not on the panel leaves nothing.
  e[5]->SetParent(nullptr);
  EXPECT_FALSE(IsWindow(h5));
  EXPECT_EQ(order(), "01234/02341-");
  e[2]->SetParent(nullptr);
  EXPECT_EQ(order(), "0134/02-31-");
  panel->RemoveControl(e[2]);
  panel->RemoveControl(other);
  EXPECT_EQ(order(), "0134/02-31-");
  EXPECT_EQ(form->ControlCount(), 2);
  e[0]->SetParent(nullptr);
  EXPECT_EQ(order(), "134/-1-20-");
  // Put back, it comes last.
  e[2]->SetParent(panel);
  EXPECT_EQ(order(), "1342/-1320-");
  for (auto* w : e) w->Free();
  EXPECT_EQ(panel->ControlCount(), 0);
}
