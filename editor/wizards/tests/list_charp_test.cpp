// The list wizard and the special-character window on screen.
#include "editor/wizards/FormBuild.h"
#include "editor/wizards/H_charp.h"
#include "editor/wizards/VX2_ListW.h"
#include "editor/wizards/WizardText.h"
#include "editor/wizards/tests/wizard_fixture.h"
#include "framework/win/IniFiles.h"
#include "framework/win/tests/ScreenDriver.h"
#include "viewer/Htmlview.h"

#include <commctrl.h>

#include <algorithm>

using namespace vx;

namespace {

const char* const RegKey = "Software\\Marrowby\\Vornix";

struct ListWizard : WizardFixture {};

struct CharWindow : WizardFixture {
  TForm_Charp* w = nullptr;
  void SetUp() override {
    WizardFixture::SetUp();
    TRegIniFile::DeleteUserKey(RegKey);
    w = CreateForm<TForm_Charp>(host);
    w->CurrentEditor = [this]() -> TCustomLEdit* { return ed; };
    w->SetBounds(700, 40, w->Width(), w->Height());
    w->Show();
    ed->SetFocus();
    Pump();
  }
  void TearDown() override {
    if (w) w->Free();
    TRegIniFile::DeleteUserKey(RegKey);
    WizardFixture::TearDown();
  }
  // The middle of a cell of the grid.
  static POINT Middle(int cell) {
    int l, t, r, b;
    CharpCellRect(cell, l, t, r, b);
    return POINT{(l + r) / 2, (t + b) / 2};
  }
  void ClickCell(int cell) { Click(w->Panel1, Middle(cell).x, Middle(cell).y); }
};

}  // namespace

TEST_F(ListWizard, LinesBecomeItemsSortedOrderedAndPreviewed) {
  auto l = NewForm<TfrmListW>(host);
  l->Show();
  Pump();
  EXPECT_EQ(l->ClientWidth(), 445);
  EXPECT_EQ(l->ClientHeight(), 336);
  ExpectInside(l.get());
  EXPECT_EQ(l->GetListText(), "<UL>\r\n</UL>\r\n");
  l->SetItems("beta\r\n\r\nAlpha\r\ngamma 100%\r\n");
  EXPECT_EQ(l->GetListText(),
            "<UL>\r\n<LI>beta</LI>\r\n<LI></LI>\r\n<LI>Alpha</LI>\r\n<LI>gamma 100%</LI>\r\n</UL>\r\n");
  Click(l->cbOrdered, 5, l->cbOrdered->Height() / 2);
  Click(l->btnSort, 10, 10);
  EXPECT_EQ(l->GetListText(),
            "<OL>\r\n<LI></LI>\r\n<LI>Alpha</LI>\r\n<LI>beta</LI>\r\n<LI>gamma 100%</LI>\r\n</OL>\r\n");
  RECT tab;
  SendMessageA(l->PageControl1->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  Click(l->PageControl1, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_TRUE(IsWindowVisible(l->HTMLViewer1->Handle()));
  EXPECT_GE(l->HTMLViewer1->FindText("gamma"), 0);
  // OK and Cancel end the modal run with their results.
  l->Hide();
  Application->OnModalForm = [](TForm* f) { static_cast<TfrmListW*>(f)->OkBtn->Click(); };
  EXPECT_EQ(l->ShowModal(), mrOk);
  Application->OnModalForm = [](TForm* f) { static_cast<TfrmListW*>(f)->CancelBtn->Click(); };
  EXPECT_EQ(l->ShowModal(), mrCancel);
}

// The preview numbers the items as a browser will: an empty first item shows "1." on a
// line of its own, and the next item is "2.".
TEST_F(ListWizard, ThePreviewShowsAnEmptyItemWithItsNumber) {
  auto l = NewForm<TfrmListW>(host);
  l->Show();
  l->SetItems("\r\nAlpha\r\nbeta");
  l->cbOrdered->SetChecked(true);
  Pump();
  RECT tab;
  SendMessageA(l->PageControl1->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  Click(l->PageControl1, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  ASSERT_TRUE(IsWindowVisible(l->HTMLViewer1->Handle()));
  Screenshot("list_preview");
  const screen::TShot shot = screen::Capture(screen::ClientScreenRect(l->HTMLViewer1->PaintPanel()->Handle()));
  const COLORREF page = shot.At(1, 1);
  // The lines of text, as bands of rows that hold ink.
  std::vector<std::pair<int, int>> lines;
  for (int y = 0; y < shot.height; ++y) {
    bool ink = false;
    for (int x = 0; x < shot.width && !ink; ++x) ink = screen::Ink(shot.At(x, y), page);
    if (!ink) continue;
    if (!lines.empty() && lines.back().second == y)
      lines.back().second = y + 1;
    else
      lines.push_back({y, y + 1});
  }
  ASSERT_EQ(lines.size(), 3u);
  TFont font;
  font.SetName("Times New Roman");
  font.SetSize(l->HTMLViewer1->DefFontSize());
  // The numbers stand in a column of their own, left of the items' text.
  auto part = [&](int line, int from, int to) {
    screen::TShot s;
    s.width = to - from;
    s.height = lines[line].second - lines[line].first;
    for (int y = lines[line].first; y < lines[line].second; ++y)
      for (int x = from; x < to; ++x) s.pixels.push_back(shot.At(x, y));
    return s;
  };
  int numberEnd = 0;
  for (int y = lines[0].first; y < lines[0].second; ++y)
    for (int x = 0; x < shot.width; ++x)
      if (screen::Ink(shot.At(x, y), page)) numberEnd = std::max(numberEnd, x + 1);
  const screen::TShot one = part(0, 0, numberEnd), two = part(1, 0, numberEnd + 1);
  EXPECT_TRUE(screen::ShowsText(one, 0, one.height, page, "1.", font.Handle()));
  EXPECT_TRUE(screen::ShowsText(two, 0, two.height, page, "2.", font.Handle()));
  EXPECT_GE(l->HTMLViewer1->FindText("Alpha"), 0);
  EXPECT_EQ(l->GetListText(), "<OL>\r\n<LI></LI>\r\n<LI>Alpha</LI>\r\n<LI>beta</LI>\r\n</OL>\r\n");
  // What the preview shows is the text OK inserts, not a text of its own.
  l->HTMLViewer1->SelectAll();
  const std::string previewed = l->HTMLViewer1->SelText();
  l->HTMLViewer1->LoadFromString(l->GetListText());
  l->HTMLViewer1->SelectAll();
  EXPECT_EQ(l->HTMLViewer1->SelText(), previewed);
}

TEST_F(CharWindow, ACellInsertsItsEntityOrTheCharacter) {
  EXPECT_EQ(w->ClientWidth(), 168);
  EXPECT_EQ(w->ClientHeight(), 266);
  ExpectInside(w);
  ClickCell(1);
  EXPECT_EQ(Text(), "&amp;");
  EXPECT_EQ(w->LastCell(), 1);
  ClickCell(30);  // the multiplication sign has no name
  EXPECT_EQ(Text(), "&amp;&#215;");
  Click(w->cbRaw, 5, w->cbRaw->Height() / 2);
  ASSERT_TRUE(w->cbRaw->Checked());
  ed->SetText("");
  ClickCell(1);  // raw characters only from cell 7
  ClickCell(7);
  EXPECT_EQ(Text(), "&amp;" + AnsiString(1, static_cast<char>(192)));
  // A press on a grid line inserts nothing; the cell is the one pressed, not the one released on.
  ed->SetText("");
  Click(w->Panel1, 24, 10);
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(w->LastCell(), 0);
  Click(w->cbRaw, 5, w->cbRaw->Height() / 2);
  Mouse(w->Panel1, WM_LBUTTONDOWN, Middle(2).x, Middle(2).y, MK_LBUTTON);
  EXPECT_EQ(w->DownCell(), 2);
  Mouse(w->Panel1, WM_MOUSEMOVE, Middle(10).x, Middle(10).y, MK_LBUTTON);
  Mouse(w->Panel1, WM_LBUTTONUP, Middle(10).x, Middle(10).y);
  EXPECT_EQ(Text(), "&lt;");
  EXPECT_EQ(w->DownCell(), 0);
  // The caption names the cell under the pointer, and stays over a grid line.
  Mouse(w->Panel1, WM_MOUSEMOVE, Middle(9).x, Middle(9).y);
  EXPECT_EQ(w->Caption(), "&Acirc;");
  Mouse(w->Panel1, WM_MOUSEMOVE, 48, 30);
  EXPECT_EQ(w->Caption(), "&Acirc;");
  // A right button press inserts nothing.
  ed->SetText("");
  Mouse(w->Panel1, WM_RBUTTONDOWN, Middle(3).x, Middle(3).y, MK_RBUTTON);
  Mouse(w->Panel1, WM_RBUTTONUP, Middle(3).x, Middle(3).y);
  EXPECT_EQ(Text(), "");
  Screenshot("char_window");
}

TEST_F(CharWindow, AClickLeavesTheEditorActiveAndFocused) {
  HWND h = w->Handle();
  // Kept above the main window by ownership.
  EXPECT_EQ(GetWindow(h, GW_OWNER), Application->MainForm() ? Application->MainForm()->Handle() : nullptr);
  EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(SendMessageA(h, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  SetActiveWindow(host->Handle());
  ed->SetFocus();
  Pump();
  ASSERT_EQ(GetActiveWindow(), host->Handle());
  // A real click, through the system's input queue.
  POINT p = w->Panel1->ClientToScreen(Middle(6));
  SetCursorPos(p.x, p.y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
  screen::WaitUntil([&] { return !Text().empty(); }, 400);
  EXPECT_EQ(Text(), "&copy;");
  EXPECT_EQ(GetActiveWindow(), host->Handle());
  EXPECT_EQ(GetFocus(), ed->Handle());
}

TEST_F(CharWindow, TheRawChoiceIsKeptForTheNextRun) {
  w->cbRaw->SetChecked(true);
  w->Close();
  Pump();
  EXPECT_FALSE(w->Visible());  // closing hides it
  w->Free();
  w = CreateForm<TForm_Charp>(host);
  EXPECT_FALSE(w->cbRaw->Checked());
  w->Show();
  EXPECT_TRUE(w->cbRaw->Checked());
  TRegIniFile reg(RegKey);
  EXPECT_EQ(reg.ReadString("Charp", "cbRaw_Checked", ""), "True");
}
