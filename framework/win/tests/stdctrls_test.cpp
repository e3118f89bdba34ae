#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/win/tests/ScreenDriver.h"
#include "framework/win/ComCtrls.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Printers.h"
#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

using namespace vx;

namespace {

struct StdFixture : ::testing::Test {
  TForm* form = nullptr;
  void SetUp() override {
    form = CreateForm<TForm>(Application);
    form->SetBounds(40, 40, 420, 320);
  }
  void TearDown() override { form->Free(); }
};

}  // namespace

TEST_F(StdFixture, ListBoxItemsLiveInTheWindowAndSurviveRecreation) {
  auto* lb = new TListBox(form);
  lb->SetParent(form);
  lb->Items()->Add("beta");
  lb->Items()->AddObject("alpha", lb);
  EXPECT_EQ(lb->Items()->Count(), 2);
  lb->HandleNeeded();
  EXPECT_EQ(SendMessageA(lb->Handle(), LB_GETCOUNT, 0, 0), 2);
  lb->Items()->Add("gamma");
  EXPECT_EQ(SendMessageA(lb->Handle(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(lb->Items()->Objects(1), lb);
  lb->SetItemIndex(2);
  int clicks = 0;
  lb->OnClick = [&](TObject*) { ++clicks; };
  lb->SetMultiSelect(true);  // re-creates the window
  EXPECT_EQ(lb->Items()->Count(), 3);
  EXPECT_EQ(lb->Items()->Strings(2), "gamma");
  EXPECT_EQ(lb->Items()->Objects(1), lb);
  lb->SetSelected(0, true);
  lb->SetSelected(2, true);
  EXPECT_EQ(lb->SelCount(), 2);
  EXPECT_TRUE(lb->Selected(2));
  EXPECT_EQ(lb->Items()->IndexOf("ALPHA"), 1);
  lb->SetMultiSelect(false);
  lb->SetSorted(true);
  EXPECT_EQ(lb->Items()->Strings(0), "alpha");
  lb->Items()->Add("aardvark");
  EXPECT_EQ(lb->Items()->Strings(0), "aardvark");
  // The selection change notice reaches OnClick through reflection.
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), reinterpret_cast<LPARAM>(lb->Handle()));
  EXPECT_EQ(clicks, 1);
  lb->Items()->Clear();
  EXPECT_EQ(lb->Items()->Count(), 0);
}

TEST_F(StdFixture, ComboBoxKeepsItemsIndexAndText) {
  auto* cb = new TComboBox(form);
  cb->SetParent(form);
  cb->Items()->SetText("one\r\ntwo\r\nthree\r\n");
  cb->SetItemIndex(1);
  EXPECT_EQ(cb->Text(), "two");
  cb->HandleNeeded();
  EXPECT_EQ(cb->ItemIndex(), 1);
  EXPECT_EQ(cb->Text(), "two");
  std::vector<std::string> changes;
  cb->OnChange = [&](TObject*) { changes.push_back(cb->Text()); };
  SendMessageA(cb->Handle(), CB_SETCURSEL, 2, 0);
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(cb->Handle()));
  EXPECT_EQ(changes, (std::vector<std::string>{"three"}));
  cb->SetStyle(csDropDownList);
  EXPECT_EQ(cb->Items()->Count(), 3);
  EXPECT_EQ(cb->ItemIndex(), 2);
  EXPECT_LT(cb->Height(), 40);  // the edit part, not the drop-down
}

TEST_F(StdFixture, CheckBoxSetterFiresOnClickAndEditState) {
  auto* cb = new TCheckBox(form);
  cb->SetParent(form);
  int clicks = 0;
  cb->OnClick = [&](TObject*) { ++clicks; };
  cb->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  cb->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(SendMessageA(cb->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(cb->Handle()));
  EXPECT_FALSE(cb->Checked());
  EXPECT_EQ(clicks, 2);

  auto* r1 = new TRadioButton(form);
  r1->SetParent(form);
  auto* r2 = new TRadioButton(form);
  r2->SetParent(form);
  r1->SetChecked(true);
  r2->SetChecked(true);
  EXPECT_FALSE(r1->Checked());

  auto* e = new TEdit(form);
  e->SetParent(form);
  int changes = 0;
  e->OnChange = [&](TObject*) { ++changes; };
  e->SetText("hello world");
  EXPECT_EQ(changes, 1);
  e->SetSelStart(6);
  e->SetSelLength(5);
  EXPECT_EQ(e->SelText(), "world");
  e->SetSelText("there");
  EXPECT_EQ(e->Text(), "hello there");
  e->SetModified(true);
  e->SetMaxLength(20);
  e->SetCharCase(ecUpperCase);  // re-creates; text (now upper case), modified flag and limit stay
  EXPECT_EQ(e->Text(), "HELLO THERE");
  EXPECT_TRUE(e->Modified());
  EXPECT_EQ(SendMessageA(e->Handle(), EM_GETLIMITTEXT, 0, 0), 20);

  auto* m = new TMemo(form);
  m->SetParent(form);
  m->Lines()->Add("first");
  m->Lines()->Add("second");
  EXPECT_EQ(m->Text(), "first\r\nsecond");
  m->Lines()->Delete(0);
  EXPECT_EQ(m->Lines()->Count(), 1);
  EXPECT_EQ(m->Lines()->Strings(0), "second");
}

TEST_F(StdFixture, ControlColoursReachTheSystemControl) {
  auto* e = new TEdit(form);
  e->SetParent(form);
  e->SetColor(clYellow);
  e->Font()->SetColor(clBlue);
  HDC dc = GetDC(e->Handle());
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(form->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(e->Handle())));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 0));
  LOGBRUSH lb;
  GetObjectA(brush, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, RGB(255, 255, 0));
  ReleaseDC(e->Handle(), dc);
}

TEST_F(StdFixture, StatusBarTabsTimerAndPanels) {
  auto* sb = new TStatusBar(form);
  sb->SetParent(form);
  sb->Panels()->Add()->SetWidth(60);
  sb->Panels()->Add()->SetWidth(80);
  sb->Panels()->Items(0)->SetText("1:1");
  sb->Panels()->Items(1)->SetText("Insert");
  char buf[32] = {0};
  SendMessageA(sb->Handle(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(buf));
  EXPECT_STREQ(buf, "Insert");
  EXPECT_EQ(sb->Top() + sb->Height(), form->ClientHeight());  // aligned to the bottom

  auto* tc = new TTabControl(form);
  tc->SetParent(form);
  tc->SetAlign(alClient);
  tc->Tabs()->Add("doc1.htm");
  tc->Tabs()->Add("doc2.htm");
  tc->SetTabIndex(1);
  tc->HandleNeeded();
  EXPECT_EQ(tc->Tabs()->Count(), 2);
  EXPECT_EQ(tc->TabIndex(), 1);
  auto* inner = new TPanel(form);
  inner->SetParent(tc);
  inner->SetAlign(alClient);
  RECT d = tc->DisplayRect();
  EXPECT_EQ(inner->Top(), d.top);  // inside the tabs
  EXPECT_GT(d.top, 0);
  tc->Tabs()->Delete(0);
  EXPECT_EQ(tc->Tabs()->Strings(0), "doc2.htm");

  auto* t = new TTimer(form);
  t->SetInterval(10);
  int ticks = 0;
  t->OnTimer = [&](TObject*) {
    ++ticks;
    t->SetEnabled(false);
  };
  screen::WaitUntil([&] { return ticks != 0; }, 3000);
  EXPECT_EQ(ticks, 1);
}

TEST_F(StdFixture, SplitterResizesItsNeighbourAndStoredPropertiesRoundTrip) {
  form->SetClientSize(400, 300);
  auto* left = new TPanel(form);
  left->SetName("pnlExplore");
  left->SetWidth(121);
  left->SetAlign(alLeft);
  left->SetParent(form);
  auto* split = new TSplitter(form);
  split->SetLeft(121);
  split->SetParent(form);
  auto* rest = new TPanel(form);
  rest->SetAlign(alClient);
  rest->SetParent(form);
  form->Show();
  EXPECT_EQ(split->Left(), 121);
  EXPECT_EQ(split->FindControl(), left);
  SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(122, 50));
  SendMessageA(form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(162, 50));
  SendMessageA(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(162, 50));
  EXPECT_EQ(left->Width(), 161);
  EXPECT_EQ(rest->Left(), 164);

  // Stored properties by name: boolean, integer, string, nested font with a set.
  PPropInfo vis = GetPropInfo(left, "Visible");
  ASSERT_NE(vis, nullptr);
  EXPECT_EQ(GetEnumName(vis->PropType, static_cast<int>(GetOrdProp(left, vis))), "True");
  SetOrdProp(left, vis, GetEnumValue(vis->PropType, "False"));
  EXPECT_FALSE(left->Visible());
  EXPECT_EQ(rest->Left(), split->Width());  // the room went to the client panel
  SetOrdProp(left, "Width", 90);
  EXPECT_EQ(left->Width(), 90);
  SetStrProp(left, "Caption", "Explorer");
  EXPECT_EQ(left->Caption(), "Explorer");
  auto* font = GetObjectProp(left, "Font");
  ASSERT_EQ(font, left->Font());
  PPropInfo style = GetPropInfo(font, "Style");
  SetOrdProp(font, style, StringToSet(style->PropType, "[fsItalic]"));
  EXPECT_TRUE(left->Font()->Style().Contains(fsItalic));
  EXPECT_FALSE(left->ParentFont());
  PPropInfo align = GetPropInfo(left, "Align");
  EXPECT_EQ(GetEnumName(align->PropType, static_cast<int>(GetOrdProp(left, align))), "alLeft");
}

// A form with one of each control, drawn and (with VX_SHOWCASE set) saved as a picture.
TEST_F(StdFixture, ShowcaseFormPaints) {
  form->SetCaption("Vornix controls");
  form->SetBounds(20, 20, 460, 360);
  auto* sb = new TStatusBar(form);
  sb->SetParent(form);
  sb->Panels()->Add()->SetWidth(80);
  sb->Panels()->Add()->SetWidth(80);
  sb->Panels()->Items(0)->SetText("12:5");
  sb->Panels()->Items(1)->SetText("Insert");
  auto* top = new TPanel(form);
  top->SetAlign(alTop);
  top->SetHeight(30);
  top->SetCaption("Top panel");
  top->SetParent(form);
  auto* lbl = new TLabel(form);
  lbl->SetParent(form);
  lbl->SetBounds(10, 40, 80, 16);
  lbl->SetCaption("&Name:");
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(70, 38, 150, 21);
  edit->SetText("index.htm");
  lbl->SetFocusControl(edit);
  auto* btn = new TButton(form);
  btn->SetParent(form);
  btn->SetBounds(230, 36, 75, 25);
  btn->SetCaption("&OK");
  btn->SetDefault(true);
  auto* chk = new TCheckBox(form);
  chk->SetParent(form);
  chk->SetBounds(10, 70, 120, 17);
  chk->SetCaption("Lower case");
  chk->SetChecked(true);
  auto* rb = new TRadioButton(form);
  rb->SetParent(form);
  rb->SetBounds(140, 70, 120, 17);
  rb->SetCaption("Netscape 3");
  rb->SetChecked(true);
  auto* lb = new TListBox(form);
  lb->SetParent(form);
  lb->SetBounds(10, 95, 120, 90);
  for (const char* s : {"A", "B", "BODY", "FONT", "TABLE"}) lb->Items()->Add(s);
  lb->SetItemIndex(2);
  auto* cb = new TComboBox(form);
  cb->SetParent(form);
  cb->SetBounds(140, 95, 120, 21);
  cb->Items()->Add("Arial");
  cb->Items()->Add("Courier New");
  cb->SetItemIndex(1);
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->SetBounds(270, 70, 170, 115);
  memo->SetScrollBars(ssVertical);
  memo->Lines()->Add("<HTML>");
  memo->Lines()->Add("<BODY>Hello</BODY>");
  memo->Lines()->Add("</HTML>");
  auto* bevel = new TBevel(form);
  bevel->SetParent(form);
  bevel->SetBounds(10, 192, 430, 2);
  bevel->SetShape(bsTopLine);
  auto* tabs = new TTabControl(form);
  tabs->SetParent(form);
  tabs->SetBounds(10, 200, 300, 95);
  tabs->Tabs()->Add("Untitled1");
  tabs->Tabs()->Add("page.htm");
  auto* scroll = new TScrollBar(form);
  scroll->SetParent(form);
  scroll->SetBounds(320, 200, 120, 17);
  scroll->SetParams(30, 0, 100);
  auto* group = new TGroupBox(form);
  group->SetParent(form);
  group->SetBounds(320, 222, 120, 70);
  group->SetCaption("Group");
  form->Show();
  form->Update();
  screen::Settle(200);
  // The label paints its text at its place on the form.
  HDC dc = GetDC(form->Handle());
  int ink = 0;
  COLORREF bg = GetPixel(dc, 5, 45);
  for (int y = 40; y < 56; ++y)
    for (int x = 10; x < 60; ++x)
      if (GetPixel(dc, x, y) != bg) ++ink;
  ReleaseDC(form->Handle(), dc);
  EXPECT_GT(ink, 10);
  char path[MAX_PATH];
  if (GetEnvironmentVariableA("VX_SHOWCASE", path, MAX_PATH)) {
    RECT r;
    GetWindowRect(form->Handle(), &r);
    TBitmap shot;
    shot.SetSize(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    shot.SaveToFile(path);
  }
}

TEST_F(StdFixture, ScrollBoxMovesChildrenAndAltLettersReachTheirControl) {
  auto* box = new TScrollBox(form);
  box->SetParent(form);
  box->SetBounds(0, 0, 200, 150);
  auto* distant = new TButton(form);
  distant->SetParent(box);
  distant->SetBounds(10, 400, 75, 25);
  form->Show();
  box->ScrollInView(distant);
  EXPECT_GT(box->VertPosition(), 0);
  EXPECT_LE(distant->Top() + distant->Height(), box->ClientHeight());
  EXPECT_EQ(distant->Top() + box->VertPosition(), 400);
  box->ScrollTo(0, 0);
  EXPECT_EQ(distant->Top(), 400);

  auto* lbl = new TLabel(form);
  lbl->SetParent(form);
  lbl->SetCaption("&Find:");
  lbl->SetTop(200);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(60, 200, 100, 21);
  lbl->SetFocusControl(edit);
  int clicks = 0;
  auto* go = new TButton(form);
  go->SetParent(form);
  go->SetBounds(200, 200, 75, 25);
  go->SetCaption("&Go");
  go->OnClick = [&](TObject*) { ++clicks; };
  EXPECT_TRUE(form->DialogChar('f'));
  EXPECT_TRUE(edit->Focused());
  SendMessageA(edit->Handle(), WM_SYSCHAR, 'g', 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(form->DialogChar('z'));
}

TEST_F(StdFixture, MemoTakesEnterAsALineBreakBeforeTheDefaultButton) {
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->SetBounds(10, 10, 200, 100);
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetBounds(10, 120, 75, 25);
  ok->SetDefault(true);
  int clicks = 0;
  ok->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  SetForegroundWindow(form->Handle());
  memo->SetFocus();
  // Typed as a person types: the loop asks the memo for its dialog codes first.
  std::vector<INPUT> in;
  for (WORD vk : {WORD('A'), WORD(VK_RETURN), WORD('B')})
    for (DWORD up : {DWORD(0), DWORD(KEYEVENTF_KEYUP)}) {
      INPUT i{};
      i.type = INPUT_KEYBOARD;
      i.ki.wVk = vk;
      i.ki.dwFlags = up;
      in.push_back(i);
    }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  screen::WaitUntil([&] { return memo->Text().size() >= 4; }, 500);
  screen::Settle(0);
  EXPECT_EQ(memo->Text(), "a\r\nb");
  EXPECT_EQ(clicks, 0);
}

TEST(PrinterTest, NoPrinterIsReportedAndAMetafileStandsIn) {
  TPrinter p;
  if (p.Printers()->Count() == 0) {
    try {
      p.Handle();
      FAIL() << "a prefix without printers has no printer DC";
    } catch (const EPrinter& e) {
      EXPECT_EQ(e.Message(), "There is no default printer currently selected");
    }
  }
  HDC meta = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  p.SetTargetDC(meta);
  p.BeginDoc();
  EXPECT_EQ(p.PageNumber(), 1);
  p.Canvas()->TextOut(10, 10, "page one");
  p.NewPage();
  EXPECT_EQ(p.PageNumber(), 2);
  p.EndDoc();
  EXPECT_FALSE(p.Printing());
  HENHMETAFILE emf = CloseEnhMetaFile(meta);
  EXPECT_GT(GetEnhMetaFileBits(emf, 0, nullptr), 0u);
  DeleteEnhMetaFile(emf);
  p.SetTargetDC(nullptr);
}

TEST(PrinterTest, SettingsHandedToARefusedChoiceAreFreedAllTheSame) {
  // The block of settings a print dialog returns is the printer object's once handed over,
  // whether the choice is taken or refused.
  auto freed = [](HGLOBAL g) { return GlobalFlags(g) == GMEM_INVALID_HANDLE; };
  TPrinter p;
  HGLOBAL unknown = GlobalAlloc(GHND, sizeof(DEVMODEA));
  EXPECT_THROW(p.SetPrinter("Vornix No Such Printer", unknown), EPrinter);
  EXPECT_TRUE(freed(unknown));
  HDC meta = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  p.SetTargetDC(meta);
  p.BeginDoc();
  HGLOBAL whilePrinting = GlobalAlloc(GHND, sizeof(DEVMODEA));
  try {
    p.SetPrinter("Vornix No Such Printer", whilePrinting);
    ADD_FAILURE() << "a printer was chosen while printing";
  } catch (const EPrinter& e) {
    EXPECT_EQ(e.Message(), "Printing in progress");
  }
  EXPECT_TRUE(freed(whilePrinting));
  p.EndDoc();
  DeleteEnhMetaFile(CloseEnhMetaFile(meta));
  p.SetTargetDC(nullptr);
}

TEST_F(StdFixture, AFormsFirstFocusLeavesTheRadioButtonsAsTheyWere) {
  // A radio button that takes the focus checks itself: only the checked one may be a tab stop.
  auto* first = new TRadioButton(form);
  first->SetParent(form);
  auto* chosen = new TRadioButton(form);
  chosen->SetParent(form);
  chosen->SetTop(30);
  chosen->SetChecked(true);
  EXPECT_FALSE(first->TabStop());
  EXPECT_TRUE(chosen->TabStop());
  form->Show();
  Application->ProcessMessages();
  EXPECT_FALSE(first->Checked());
  EXPECT_TRUE(chosen->Checked());
  EXPECT_EQ(SendMessageA(first->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  chosen->SetChecked(false);
  first->SetChecked(true);
  EXPECT_TRUE(first->TabStop());
  EXPECT_FALSE(chosen->TabStop());
}
