// The frames wizard on screen: layout buttons, the fields each layout shows, the file
// buttons, and the frameset it writes.
#include "framework/win/tests/ScreenDriver.h"
#include "editor/wizards/Framwiz.h"
#include "editor/wizards/FormBuild.h"
#include "editor/wizards/tests/wizard_fixture.h"
#include "toolkit/ZXCtrls.h"

using namespace vx;

namespace {

struct FramesWizard : WizardFixture {
  TComponentPtr<TForm_FrameWiz> f;
  void SetUp() override {
    WizardFixture::SetUp();
    f = NewForm<TForm_FrameWiz>(Application);
    f->Show();
    Pump();
  }
  void TearDown() override {
    f.reset();
    WizardFixture::TearDown();
  }
  void Layout(int n) {
    TZxSpeedButton* b = f->SpeedButtons[n - 1];
    Click(b, b->Width() / 2, b->Height() / 2);
  }
};

}  // namespace

TEST_F(FramesWizard, LayoutButtonsShowTheFieldsTheLayoutUses) {
  EXPECT_EQ(f->Layout(), 1);
  EXPECT_TRUE(f->SpeedButtons[0]->Down());
  ExpectInside(f.get());
  EXPECT_EQ(f->ClientWidth(), 587);
  EXPECT_EQ(f->ClientHeight(), 215);
  EXPECT_EQ(f->SrcE[2]->Hint(), f->SrcE[0]->Hint());
  EXPECT_EQ(f->OpenFile[1]->Hint(), "|Select URL");
  EXPECT_EQ(f->ScrollingLB[2]->Items()->Count(), 4);
  EXPECT_EQ(f->NameLB[1]->Items()->Strings(3), "_top");
  EXPECT_EQ(f->ScrollingLB[1]->Text(), "(none)");
  auto shown = [](std::initializer_list<TWinControl*> list) {
    std::string s;
    for (TWinControl* c : list) s += IsWindowVisible(c->Handle()) ? '1' : '0';
    return s;
  };
  struct Expect {
    int layout;
    const char *widths, *heights, *row3;
  };
  for (Expect e : {Expect{1, "110", "000", "0"}, Expect{2, "000", "110", "0"}, Expect{3, "011", "100", "1"},
                   Expect{4, "110", "001", "1"}, Expect{5, "000", "111", "1"}, Expect{1, "110", "000", "0"}}) {
    Layout(e.layout);
    EXPECT_EQ(f->Layout(), e.layout);
    EXPECT_TRUE(f->SpeedButtons[e.layout - 1]->Down());
    EXPECT_EQ(shown({f->WidthE[0], f->WidthE[1], f->WidthE[2]}), e.widths) << e.layout;
    EXPECT_EQ(shown({f->HeightE[0], f->HeightE[1], f->HeightE[2]}), e.heights) << e.layout;
    EXPECT_EQ(shown({f->SrcE[2], f->NameLB[2], f->MarginWidthSE[2], f->ScrollingLB[2], f->NoResizeCB[2]}),
              std::string(5, e.row3[0]))
        << e.layout;
    EXPECT_EQ(f->RowLabels[2]->Visible(), e.row3[0] == '1');
    EXPECT_EQ(f->OpenFile[2]->Visible(), e.row3[0] == '1');
    if (e.layout == 4) Screenshot("frames_wizard");
  }
}

TEST_F(FramesWizard, FieldsAsTypedBecomeTheFrameset) {
  Layout(3);
  Type(f->SrcE[0]->Handle(), "top.htm");
  Type(f->SrcE[1]->Handle(), "menu.htm");
  f->HeightE[0]->SetText("80");
  f->WidthE[1]->SetText("150");
  f->WidthE[0]->SetText("999");  // not used by this layout
  // A size field left empty gets "*" back.
  f->WidthE[2]->SetFocus();
  f->WidthE[2]->SetText("");
  f->SrcE[2]->SetFocus();
  EXPECT_EQ(f->WidthE[2]->Text(), "*");
  Type(f->NameLB[1]->Handle(), "nav");
  f->MarginWidthSE[2]->SetFocus();
  Key(VK_UP);
  Key(VK_UP);
  f->MarginHeight[0]->SetValue(0);
  f->ScrollingLB[2]->SetItemIndex(2);
  f->NoResizeCB[0]->SetChecked(true);
  f->InsertFrames(ed);
  EXPECT_EQ(Text(),
            "<FRAMESET ROWS=\"80,*\">\r\n"
            "   <FRAME  SRC=\"top.htm\" NORESIZE>\r\n"
            "   <FRAMESET COLS=\"150,*\">\r\n"
            "       <FRAME  SRC=\"menu.htm\" NAME=\"nav\">\r\n"
            "       <FRAME  SRC=\"\" MARGINWIDTH=2 SCROLLING=\"no\">\r\n"
            "   </FRAMESET>\r\n"
            "<NOFRAMES>\r\nThis document contains frames\r\n</NOFRAMES>\r\n</FRAMESET>\r\n");
}

TEST_F(FramesWizard, AFileButtonWritesTheRelativeNameIntoItsRow) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string dir = std::string(tmp) + "vx_frames_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA((dir + "\\Pages").c_str(), nullptr);
  SetCurrentDir(dir);
  f->DocFilter = "Pages|*.htm";
  AnsiString filter;
  TCommonDialog::Handler() = [&](TCommonDialog* d) {
    auto* o = static_cast<TOpenDialog*>(d);
    filter = o->Filter();
    o->SetFileName(dir + "\\Pages\\Left Side.HTM");
    return true;
  };
  TZxSpeedButton* b = f->OpenFile[1];
  Click(b, b->Width() / 2, b->Height() / 2);
  EXPECT_EQ(filter, "Pages|*.htm");
  EXPECT_EQ(f->SrcE[1]->Text(), "pages/left side.htm");
  EXPECT_EQ(GetFocus(), f->SrcE[1]->Handle());
  EXPECT_EQ(f->SrcE[0]->Text(), "");
  // Cancel leaves the row as it was.
  TCommonDialog::Handler() = [](TCommonDialog*) { return false; };
  Click(b, b->Width() / 2, b->Height() / 2);
  EXPECT_EQ(f->SrcE[1]->Text(), "pages/left side.htm");
  SetCurrentDir(tmp);
  RemoveDirectoryA((dir + "\\Pages").c_str());
  RemoveDirectoryA(dir.c_str());
}

// The release of an Enter pressed in another window (a file dialog that closed on the key's
// press) lands in the wizard: it is no key of the wizard's, wherever the focus is.
TEST_F(FramesWizard, AnEnterReleasedThatWasPressedElsewhereLeavesTheWizardOpen) {
  bool okClicked = false;
  f->OkBtn->OnClick = [&](TObject*) { okClicked = true; };
  SetForegroundWindow(f->Handle());
  for (TWinControl* focus : {static_cast<TWinControl*>(f->SrcE[1]), static_cast<TWinControl*>(f->OkBtn),
                             static_cast<TWinControl*>(f->WidthE[0])}) {
    focus->SetFocus();
    Pump();
    INPUT up{};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = VK_RETURN;
    up.ki.wScan = static_cast<WORD>(MapVirtualKeyA(VK_RETURN, 0));
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &up, sizeof up);
    screen::Settle(0);
    PostMessageA(focus->Handle(), WM_KEYUP, VK_RETURN, 0xC01C0001);
    PostMessageA(f->Handle(), WM_KEYUP, VK_RETURN, 0xC01C0001);
    Pump();
    EXPECT_FALSE(okClicked) << focus->Name();
    EXPECT_EQ(f->ModalResult(), mrNone) << focus->Name();
    EXPECT_TRUE(IsWindowVisible(f->Handle()));
  }
  // Enter pressed and released in the wizard is the wizard's: OK.
  f->SrcE[1]->SetFocus();
  Pump();
  Key(VK_RETURN);
  EXPECT_TRUE(okClicked);
}
