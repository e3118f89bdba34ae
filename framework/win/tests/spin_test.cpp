// The spin edit: typed values, limits applied on leaving, arrows by key and by mouse.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/win/Forms.h"
#include "framework/win/Spin.h"

using namespace vx;

namespace {

struct SpinFixture : ::testing::Test {
  TForm* form = nullptr;
  TSpinEdit* spin = nullptr;
  TEdit* other = nullptr;
  int changes = 0;
  void SetUp() override {
    form = CreateForm<TForm>(Application);
    form->SetBounds(60, 60, 300, 200);
    spin = new TSpinEdit(form);
    spin->SetParent(form);
    spin->SetBounds(10, 10, 60, 22);
    spin->OnChange = [this](TObject*) { ++changes; };
    other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 50, 60, 22);
    form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override { form->Free(); }
  void Type(const char* s) {
    for (; *s; ++s) SendMessageA(spin->Handle(), WM_CHAR, static_cast<unsigned char>(*s), 1);
  }
};

}  // namespace

TEST_F(SpinFixture, LimitsApplyOnLeavingAndNoLimitsKeepAnyNumber) {
  spin->SetMinValue(1);
  spin->SetMaxValue(99);
  spin->SetValue(5);
  EXPECT_EQ(spin->Text(), "5");
  spin->SetValue(150);
  EXPECT_EQ(spin->Value(), 99);
  spin->SetFocus();
  spin->SelectAll();
  Type("0x");  // a letter makes no number
  EXPECT_EQ(spin->Text(), "0");
  EXPECT_EQ(spin->Value(), 0);  // as typed, while the user types
  other->SetFocus();
  EXPECT_EQ(spin->Value(), 1);
  // Without limits (0 and 0) any number stays.
  spin->SetMinValue(0);
  spin->SetMaxValue(0);
  spin->SetValue(-40);
  EXPECT_EQ(spin->Value(), -40);
  spin->SetText("");
  EXPECT_EQ(spin->Value(), 0);
}

TEST_F(SpinFixture, ArrowKeysAndTheArrowButtonsStep) {
  spin->SetMinValue(1);
  spin->SetMaxValue(3);
  spin->SetValue(2);
  spin->SetFocus();
  changes = 0;
  SendMessageA(spin->Handle(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(spin->Value(), 3);
  SendMessageA(spin->Handle(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(spin->Value(), 3);
  SendMessageA(spin->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(spin->Value(), 2);
  EXPECT_EQ(changes, 2);
  // The arrows sit inside the edit at its right edge; a click on the lower one steps down.
  HWND arrows = spin->ButtonHandle();
  ASSERT_NE(arrows, nullptr);
  RECT ar, er;
  GetWindowRect(arrows, &ar);
  GetWindowRect(spin->Handle(), &er);
  EXPECT_LE(ar.right, er.right);
  EXPECT_GT(ar.left, er.left + 20);
  POINT p{(ar.left + ar.right) / 2, ar.bottom - 3};
  EXPECT_EQ(WindowFromPoint(p), arrows);
  ScreenToClient(arrows, &p);
  PostMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageA(arrows, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  Application->ProcessMessages();
  EXPECT_EQ(spin->Value(), 1);
}
