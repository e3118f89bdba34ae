// The page control: one page shown at a time, chosen by a click on its tab.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "framework/win/Forms.h"
#include "framework/win/PageControl.h"

using namespace vx;

TEST(PageControl, ATabClickShowsItsPageOnly) {
  TForm* form = CreateForm<TForm>(Application);
  form->SetBounds(60, 60, 400, 300);
  auto* pc = new TPageControl(form);
  pc->SetParent(form);
  pc->SetBounds(8, 8, 360, 240);
  auto* one = new TTabSheet(form);
  one->SetCaption("First");
  one->SetPageControl(pc);
  auto* two = new TTabSheet(form);
  two->SetCaption("Second");
  two->SetPageControl(pc);
  auto* edit = new TEdit(form);
  edit->SetParent(one);
  int changes = 0;
  pc->OnChange = [&](TObject*) { ++changes; };
  form->Show();
  Application->ProcessMessages();

  EXPECT_EQ(pc->ActivePage(), one);
  EXPECT_EQ(pc->Tabs()->Strings(1), "Second");
  EXPECT_TRUE(one->Visible());
  EXPECT_FALSE(two->Visible());
  // The page fills the area inside the tabs.
  RECT d = pc->DisplayRect();
  EXPECT_EQ(one->Left(), d.left);
  EXPECT_EQ(one->Top(), d.top);
  EXPECT_EQ(one->Width(), d.right - d.left);
  edit->SetFocus();

  RECT tab;
  SendMessageA(pc->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  POINT p = pc->ClientToScreen(POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
  HWND under = WindowFromPoint(p);
  EXPECT_EQ(under, pc->Handle());
  ScreenToClient(under, &p);
  PostMessageA(under, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageA(under, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  Application->ProcessMessages();
  EXPECT_EQ(pc->ActivePage(), two);
  EXPECT_EQ(pc->ActivePageIndex(), 1);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(one->Visible());
  EXPECT_TRUE(two->Visible());
  EXPECT_TRUE(IsWindowVisible(two->Handle()));
  EXPECT_NE(GetFocus(), edit->Handle());  // not left on a hidden page

  // Choosing a page in code shows it without the user's notice.
  pc->SetActivePage(one);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(pc->TabIndex(), 0);
  EXPECT_TRUE(one->Visible());
  // A page renamed renames its tab; a page freed leaves its tab.
  two->SetCaption("Other");
  EXPECT_EQ(pc->Tabs()->Strings(1), "Other");
  two->Free();
  EXPECT_EQ(pc->PageCount(), 1);
  EXPECT_EQ(pc->Tabs()->Count(), 1);
  form->Free();
}
