// The speed bars' customisation from VornixPro's Tools menu, and the layout it leaves
// coming back after a restart.
#include "editor/tests/frame_fixture.h"

#include "toolkit/SbSetup.h"
#include "framework/win/tests/ScreenShot.h"

using namespace vx;

namespace {

struct ToolbarTest : FrameTest {
  // A press, a move and a release on a bar, as the mouse gives them (bar coordinates).
  void Drag(TSpeedBar* bar, POINT from, POINT to) {
    HWND h = bar->Handle();
    PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    PostMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    PostMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    Pump();
  }
  int SetupWindows() {
    int n = 0;
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (dynamic_cast<TSpeedbarSetupWindow*>(Screen->Forms(i))) ++n;
    return n;
  }
};

}  // namespace

TEST_F(ToolbarTest, TheToolbarEditorsOpenFromTheToolsMenu) {
  frame->ConfigureMaintoolbar1->Click();
  Pump();
  TSpeedbarSetupWindow* main = FindOpenSpeedbarSetup(frame->MainToolBar);
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(main->HelpBtn->Visible());
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
  EXPECT_EQ(main->SectionList->RowCount(), 1);
  EXPECT_EQ(main->ButtonsList->RowCount(), 20);
  // In customise mode even the editing buttons take a press, and none is flat.
  TSpeedItem* save = frame->SpeedItem("siSave");
  EXPECT_TRUE(save->Button()->Enabled());
  EXPECT_FALSE(save->Button()->Flat());
  frame->ConfigureMaintoolbar1->Click();
  frame->ConfigureFormatToolbar1->Click();
  Pump();
  EXPECT_EQ(SetupWindows(), 2);
  EXPECT_EQ(FindOpenSpeedbarSetup(frame->MainToolBar), main);
  TSpeedbarSetupWindow* format = FindOpenSpeedbarSetup(frame->FormatToolBar);
  ASSERT_NE(format, nullptr);
  EXPECT_EQ(format->ButtonsList->RowCount(), 17);
  SaveScreen("toolbar_editors");
  main->CloseBtn->Click();
  format->CloseBtn->Click();
  Pump();
  EXPECT_EQ(SetupWindows(), 0);
  EXPECT_TRUE(save->Button()->Flat());
  EXPECT_FALSE(save->Button()->Enabled());  // no document: off again
}

TEST_F(ToolbarTest, ALayoutChangedInTheEditorComesBackAfterARestart) {
  frame->ConfigureMaintoolbar1->Click();
  Pump();
  TSpeedBar* bar = frame->MainToolBar;
  TSpeedItem* spell = frame->SpeedItem("siSpellCheck");
  TSpeedItem* open = frame->SpeedItem("siOpen");
  ASSERT_TRUE(spell->Visible());
  // Spell Check dragged off the bar (downwards, out of it) is hidden.
  Drag(bar, POINT{spell->Left() + 5, spell->Top() + 5}, POINT{spell->Left() + 30, 300});
  EXPECT_FALSE(spell->Visible());
  // Open dragged past the last button: it snaps to the grid of 8 along the bar.
  int dropX = 560;  // beyond the last button
  Drag(bar, POINT{open->Left() + 5, open->Top() + 5}, POINT{dropX + bar->BtnWidth(), open->Top() + bar->BtnHeight()});
  int left = open->Left();
  EXPECT_EQ((left - bar->BtnOffsetHorz()) % 8, 0);
  EXPECT_LE(std::abs(left - dropX), 4);
  FindOpenSpeedbarSetup(bar)->CloseBtn->Click();
  Pump();

  ASSERT_TRUE(Stop());
  TRegIniFile reg(VornixRegKey);
  EXPECT_EQ(reg.ReadString("TFrameFormMainToolBar", "Count", ""), "19");
  Start();
  spell = frame->SpeedItem("siSpellCheck");
  open = frame->SpeedItem("siOpen");
  EXPECT_FALSE(spell->Visible());
  EXPECT_TRUE(open->Visible());
  EXPECT_EQ(open->Left(), left);
  // On the screen the button is where it was left.
  POINT mid = frame->MainToolBar->ClientToScreen(POINT{open->Left() + 10, open->Top() + 10});
  EXPECT_EQ(FindDragTarget(mid, true), open->Button());
}
