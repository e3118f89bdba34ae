// The page control: one page on screen at a time, tabs that follow the sheets, and a
// click on a tab that shows its page before OnChange runs.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "framework/win/Forms.h"
#include "framework/win/PageControl.h"
#include "framework/win/StdCtrls.h"

using namespace vx;

namespace {

void Pump() {
  for (int i = 0; i < 5; ++i) Application->ProcessMessages();
}

}  // namespace

TEST(PageControlTest, OnePageShownAndTabsFollowTheSheets) {
  TForm* form = CreateForm<TForm>(Application);
  form->SetBounds(50, 50, 400, 300);
  auto* pc = new TPageControl(form);
  pc->SetParent(form);
  pc->SetBounds(10, 10, 360, 240);
  auto* a = new TTabSheet(form);
  a->SetCaption("Example Code");
  a->SetPageControl(pc);
  auto* b = new TTabSheet(form);
  b->SetCaption("Preview");
  b->SetPageControl(pc);
  auto* onB = new TButton(form);
  onB->SetParent(b);
  onB->SetBounds(10, 10, 80, 25);
  form->Show();
  SetForegroundWindow(form->Handle());
  Pump();
  EXPECT_EQ(pc->ActivePage(), a);
  EXPECT_EQ(pc->PageCount(), 2);
  EXPECT_TRUE(IsWindowVisible(a->Handle()));
  EXPECT_FALSE(IsWindowVisible(b->Handle()));
  // The page fills the area inside the tabs.
  RECT disp = pc->DisplayRect();
  EXPECT_EQ(a->Left(), disp.left);
  EXPECT_EQ(a->Top(), disp.top);
  EXPECT_EQ(a->Width(), disp.right - disp.left);

  int changes = 0;
  bool bShownAtChange = false;
  pc->OnChange = [&](TObject*) {
    ++changes;
    bShownAtChange = IsWindowVisible(b->Handle()) && pc->ActivePage() == b;
  };
  // A click on the second tab, as a person makes it.
  RECT tab;
  SendMessageA(pc->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  POINT p{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
  ClientToScreen(pc->Handle(), &p);
  SetCursorPos(p.x, p.y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
  Pump();
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(bShownAtChange);
  EXPECT_FALSE(IsWindowVisible(a->Handle()));
  POINT q{20, 20};
  ClientToScreen(onB->Handle(), &q);
  EXPECT_EQ(WindowFromPoint(q), onB->Handle());

  // By code: no OnChange.
  pc->SetActivePage(a);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(pc->TabIndex(), 0);
  EXPECT_TRUE(IsWindowVisible(a->Handle()));
  b->SetCaption("Look");
  EXPECT_EQ(pc->Tabs()->Strings(1), "Look");
  a->Free();
  EXPECT_EQ(pc->PageCount(), 1);
  EXPECT_EQ(pc->Tabs()->Count(), 1);
  EXPECT_EQ(pc->ActivePage(), b);
  EXPECT_TRUE(IsWindowVisible(b->Handle()));
  form->Free();
}
