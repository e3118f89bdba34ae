// The page control: one page shown at a time, chosen by a click on its tab; tabs that do
// not fit in one row.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/win/ComCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/PageControl.h"
#include "framework/win/StdCtrls.h"
#include "framework/win/tests/ScreenDriver.h"

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

// ---- tabs that do not fit -----------------------------------------------------------------

namespace {

int SameShare(const screen::TShot& a, const screen::TShot& b) {
  if (a.width != b.width || a.height != b.height || a.pixels.empty()) return 0;
  size_t same = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) same += a.pixels[i] == b.pixels[i];
  return static_cast<int>(same * 100 / a.pixels.size());
}

}  // namespace

TEST(TabControl, TabsThatDoNotFitGetScrollArrowsThatBringThemBack) {
  TComponentPtr<TForm> form(CreateForm<TForm>(Application));
  form->SetBounds(40, 40, 500, 300);
  auto* tabs = new TTabControl(form.get());
  tabs->SetParent(form.get());
  tabs->SetAlign(alClient);
  form->Show();
  for (int i = 0; i < 10; ++i) {
    auto* page = new TMemo(tabs);
    page->SetParent(tabs);
    page->SetAlign(alClient);
    tabs->Tabs()->AddObject(("Untitled-" + std::to_string(i) + ".htm").c_str(), page);
    tabs->SetTabIndex(i);
    page->BringToFront();
    screen::Settle(50);
  }
  screen::Settle(300);
  SaveScreen("tabs_ten_documents");
  HWND arrows = FindWindowExA(tabs->Handle(), nullptr, UPDOWN_CLASSA, nullptr);
  ASSERT_NE(arrows, nullptr);
  RECT r = screen::WindowScreenRect(arrows);
  ASSERT_TRUE(IsWindowVisible(arrows));
  EXPECT_EQ(screen::WindowAt(screen::Centre(r)), arrows);
  // What the screen shows there is the arrows as they paint themselves, not what lay
  // beneath them.
  EXPECT_GE(SameShare(screen::Capture(r), screen::Painted(arrows, WM_PAINT)), 90);

  // The first tabs scrolled away to the left; the left arrow brings them back.
  auto leftmost = [&] {
    TCHITTESTINFO hit{{6, 6}, 0};
    return static_cast<int>(SendMessageA(tabs->Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  };
  ASSERT_GT(leftmost(), 0);
  POINT left{r.left + (r.right - r.left) / 4, (r.top + r.bottom) / 2};
  for (int i = 0; i < 12 && leftmost() > 0; ++i) {
    screen::Click(left);
    screen::Settle(100);
  }
  EXPECT_EQ(leftmost(), 0);
  screen::Settle(200);
  EXPECT_GE(SameShare(screen::Capture(r), screen::Painted(arrows, WM_PAINT)), 90);
  SaveScreen("tabs_scrolled_back");
}

// ---- status bar -------------------------------------------------------------------------------

namespace {

screen::TShot Crop(const screen::TShot& s, const RECT& r) {
  screen::TShot c;
  c.width = r.right - r.left;
  c.height = r.bottom - r.top;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) c.pixels.push_back(s.At(x, y));
  return c;
}

}  // namespace

TEST(StatusBar, PanelTextsShowWholeAndResizingLeavesNoGripMarks) {
  TComponentPtr<TForm> form(CreateForm<TForm>(Application));
  form->SetBounds(40, 40, 400, 200);
  auto* bar = new TStatusBar(form.get());
  bar->SetParent(form.get());
  for (int i = 0; i < 4; ++i) bar->Panels()->Add()->SetWidth(50);
  form->Show();
  bar->Panels()->Items(0)->SetText("1234:56");
  bar->Panels()->Items(1)->SetText("Overwrite");
  screen::Settle(200);
  SaveScreen("statusbar_texts");
  // Each text fits its panel: the panel is at least as wide as the text and shows it.
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(bar->Handle(), WM_GETFONT, 0, 0));
  RECT barRect = screen::ClientScreenRect(bar->Handle());
  for (int i = 0; i < 2; ++i) {
    AnsiString text = bar->Panels()->Items(i)->Text();
    RECT part{};
    SendMessageA(bar->Handle(), SB_GETRECT, i, reinterpret_cast<LPARAM>(&part));
    HDC dc = GetDC(bar->Handle());
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(bar->Handle(), dc);
    EXPECT_GT(part.right - part.left, size.cx) << text;
    OffsetRect(&part, barRect.left, barRect.top);
    screen::TShot shot = screen::Capture(part);
    EXPECT_TRUE(screen::ShowsText(shot, 0, shot.height, shot.At(shot.width / 2, 1), text, font)) << text;
  }
  // The next panel starts after the widened one; a panel's own width stays what was set.
  EXPECT_EQ(bar->Panels()->Items(1)->Width(), 50);

  // Wider: where the size grip stood, the last panel shows as the bar paints it now.
  RECT before = screen::WindowScreenRect(bar->Handle());
  form->SetBounds(40, 40, 520, 200);
  screen::Settle(300);
  SaveScreen("statusbar_widened");
  RECT after = screen::WindowScreenRect(bar->Handle());
  ASSERT_GT(after.right, before.right);
  RECT oldGrip{before.right - 20, after.top, before.right, after.bottom};
  screen::TShot onScreen = screen::Capture(oldGrip);
  screen::TShot painted = screen::Painted(bar->Handle(), WM_PAINT);
  RECT inBar = oldGrip;
  OffsetRect(&inBar, -after.left, -after.top);
  EXPECT_GE(SameShare(onScreen, Crop(painted, inBar)), 97);
}
