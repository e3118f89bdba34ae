// The flat speed button: per-state images, the layout arithmetic, faces drawn into
// memory, groups, the drop-down menu and the mouse steps driven through messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windowsx.h>

#include "framework/core/Exceptions.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Menus.h"
#include "framework/win/Forms.h"
#include "toolkit/ZXCtrls.h"

namespace vx {
namespace {

constexpr COLORREF kFuchsia = 0xFF00FF;

COLORREF Px(TBitmap* b, int x, int y) { return GetPixel(b->Canvas()->Handle(), x, y) & 0xFFFFFF; }
COLORREF Sys(TColor c) { return ColorToRGB(c) & 0xFFFFFF; }

// A strip of n glyphs of w x h: glyph i filled with colours[i], a fuchsia bottom-left.
std::unique_ptr<TBitmap> Strip(int n, int w, int h, std::vector<TColor> colours) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(n * w, h);
  for (int i = 0; i < n; ++i) {
    b->Canvas()->Brush()->SetColor(colours[i % colours.size()]);
    RECT r{i * w, 0, (i + 1) * w, h};
    b->Canvas()->FillRect(r);
  }
  b->Canvas()->SetPixels(0, h - 1, clFuchsia);
  return b;
}

TEST(ButtonGlyph, NumberOfGlyphsFromTheStripShape) {
  TZxButtonGlyph g;
  g.SetGlyph(Strip(4, 16, 16, {clRed}).get());
  EXPECT_EQ(g.NumGlyphs(), 4);
  g.SetGlyph(Strip(7, 16, 16, {clRed}).get());
  EXPECT_EQ(g.NumGlyphs(), 1);  // six or more: the whole strip is one image
  EXPECT_EQ(g.StateImage(bsUp)->Width(), 112);
  g.SetNumGlyphs(3);
  g.SetGlyph(Strip(1, 40, 16, {clRed}).get());
  EXPECT_EQ(g.NumGlyphs(), 3);  // 40 x 16 is no whole multiple: kept
  g.SetNumGlyphs(9);
  EXPECT_EQ(g.NumGlyphs(), 5);
  EXPECT_EQ(g.TransparentColor(), 0xFF00FF);
}

TEST(ButtonGlyph, StateImages) {
  TZxButtonGlyph g;
  g.SetGlyph(Strip(2, 16, 16, {clRed, clBlue}).get());
  // Two glyphs: down uses the up image, disabled is glyph 1, exclusive falls back to 0.
  EXPECT_EQ(g.StateImage(bsDown), g.StateImage(bsUp));
  EXPECT_EQ(Px(g.StateImage(bsDisabled), 5, 5), Sys(clBlue));
  EXPECT_EQ(Px(g.StateImage(bsExclusive), 5, 5), Sys(clRed));
  // Cached: asked again, the same image.
  EXPECT_EQ(g.StateImage(bsDisabled), g.StateImage(bsDisabled));

  g.SetGlyph(Strip(3, 16, 16, {clRed, clBlue, clLime}).get());
  EXPECT_EQ(Px(g.StateImage(bsDown), 5, 5), Sys(clLime));
}

TEST(ButtonGlyph, InactiveRecolouring) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(8, 2);
  TColor row[8] = {clFuchsia, clBlack, clWhite, clNavy, clRed, clYellow, clGreen, clSilver};
  for (int x = 0; x < 8; ++x) {
    b->Canvas()->SetPixels(x, 0, row[x]);
    b->Canvas()->SetPixels(x, 1, clFuchsia);
  }
  TZxButtonGlyph g;
  g.SetGlyph(b.get());
  g.SetNumGlyphs(1);
  TBitmap* in = g.StateImage(bsInactive);
  EXPECT_EQ(Px(in, 0, 0), kFuchsia);
  EXPECT_EQ(Px(in, 1, 0), 0x000000u);
  EXPECT_EQ(Px(in, 2, 0), 0xFFFFFFu);
  EXPECT_EQ(Px(in, 3, 0), 0x000000u);         // navy turns black
  EXPECT_EQ(Px(in, 4, 0), Sys(clBtnShadow));  // 255: dark
  EXPECT_EQ(Px(in, 5, 0), Sys(clBtnFace));    // 510: light
  EXPECT_EQ(Px(in, 6, 0), Sys(clBtnShadow));
  EXPECT_EQ(Px(in, 7, 0), Sys(clBtnFace));  // 576
}

TEST(ButtonGlyph, DisabledImageOfOneGlyph) {
  // A black square on a fuchsia ground.
  auto b = std::make_unique<TBitmap>();
  b->SetSize(16, 16);
  b->Canvas()->Brush()->SetColor(clFuchsia);
  RECT all{0, 0, 16, 16};
  b->Canvas()->FillRect(all);
  b->Canvas()->Brush()->SetColor(clBlack);
  RECT sq{4, 4, 10, 10};
  b->Canvas()->FillRect(sq);
  TZxButtonGlyph g;
  g.SetGlyph(b.get());
  TBitmap* d = g.StateImage(bsDisabled);
  EXPECT_EQ(Px(d, 5, 5), Sys(clBtnShadow));
  EXPECT_EQ(Px(d, 10, 10), Sys(clBtnHighlight));  // the highlight one pixel down and right
  // The ground stays transparent: no grey square round the glyph.
  EXPECT_EQ(Px(d, 1, 1), kFuchsia);
  EXPECT_EQ(Px(d, 14, 2), kFuchsia);
}

TEST(ButtonGlyph, LayoutArithmetic) {
  TZxButtonGlyph g;
  g.SetGlyph(Strip(1, 16, 16, {clRed}).get());
  TBitmap canvas;
  canvas.SetSize(100, 100);
  POINT gp;
  RECT tr;
  // 25 high, glyph on top, no caption: spacing 0, margin 25/2 - 16/2 = 4.
  g.CalcLayout(canvas.Canvas(), RECT{10, 20, 35, 45}, "", blGlyphTop, -1, -1, false, gp, tr);
  EXPECT_EQ(gp.y, 20 + 4);
  EXPECT_EQ(gp.x, 10 + 25 / 2 - 16 / 2);
  // With a caption both -1 split the free height in three.
  SIZE t = canvas.Canvas()->TextExtent("Go");
  int H = 60;
  int third = (H - (16 + t.cy)) / 3;
  g.CalcLayout(canvas.Canvas(), RECT{0, 0, 40, H}, "Go", blGlyphTop, -1, -1, false, gp, tr);
  EXPECT_EQ(gp.y, third);
  EXPECT_EQ(tr.top, third + 16 + third);
  EXPECT_EQ(tr.right - tr.left, t.cx);
  // Left layout with a margin: the caption follows after the spacing.
  g.CalcLayout(canvas.Canvas(), RECT{0, 0, 80, 20}, "Go", blGlyphLeft, 2, 3, false, gp, tr);
  EXPECT_EQ(gp.x, 2);
  EXPECT_EQ(tr.left, 2 + 16 + 3);
  EXPECT_EQ(gp.y, 10 - 8);
  // The drop-down mark widens the glyph by 6 (top layout), moving it left by 3.
  g.CalcLayout(canvas.Canvas(), RECT{0, 0, 40, 25}, "", blGlyphTop, -1, -1, true, gp, tr);
  EXPECT_EQ(gp.x, 20 - 22 / 2);
}

// A panel holding buttons, with a window so groups work.
struct Bench {
  TComponentPtr<TForm> formHolder = MakeComponent<TForm>(nullptr);
  TForm& form = *formHolder;
  TPanel* panel;
  Bench() {
    form.SetBounds(0, 0, 200, 100);
    panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 60);
    form.HandleNeeded();
  }
  TZxSpeedButton* Add(int left) {
    auto* b = new TZxSpeedButton(&form);
    b->SetParent(panel);
    b->SetBounds(left, 5, 25, 25);
    return b;
  }
  void Press(TZxSpeedButton* b, int x = 5, int y = 5) {
    b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
};

TEST(SpeedButton, GroupsKeepOneButtonDown) {
  Bench bench;
  TZxSpeedButton* a = bench.Add(0);
  TZxSpeedButton* b = bench.Add(30);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  a->SetDown(true);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), bsExclusive);
  bench.Press(b);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(b->Down());
  // The raised button is up in state and in Down both.
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(a->State(), bsUp);
  // Without AllowAllUp a down button stays down, and drawn down.
  bench.Press(b);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(b->State(), bsExclusive);
  // AllowAllUp spreads through the group.
  a->SetAllowAllUp(true);
  EXPECT_TRUE(b->AllowAllUp());
  bench.Press(b);
  EXPECT_FALSE(b->Down());
  // Down without a group is no down.
  TZxSpeedButton* lone = bench.Add(60);
  lone->SetDown(true);
  EXPECT_FALSE(lone->Down());
}

TEST(SpeedButton, ReleasesItNeverSawPressedAreNotItsOwn) {
  Bench bench;
  TZxSpeedButton* b = bench.Add(0);
  std::vector<TMouseButton> ups;
  b->OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int, int) { ups.push_back(button); };
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  // The second half of a double click whose first half went to a closed dialog.
  b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  b->Perform(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(ups.empty());
  EXPECT_EQ(clicks, 0);
  // Pressed here, each button's release is its own, once.
  bench.Press(b);
  b->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  b->Perform(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  b->Perform(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(ups.size(), 2u);
  EXPECT_EQ(ups[0], mbLeft);
  EXPECT_EQ(ups[1], mbRight);
  EXPECT_EQ(clicks, 1);
}

TEST(SpeedButton, ClicksAndTheFirstPressAfterADialog) {
  Bench bench;
  TZxSpeedButton* b = bench.Add(0);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  // No mouse-enter was seen (a dialog had the mouse): the press still counts.
  ASSERT_FALSE(b->MouseInControl());
  bench.Press(b);
  EXPECT_EQ(clicks, 1);
  // Released outside: no click.
  b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  b->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 5));
  EXPECT_EQ(b->State(), bsUp);
  b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(50, 5));
  EXPECT_EQ(clicks, 1);
  // Disabled: nothing.
  b->SetEnabled(false);
  bench.Press(b);
  EXPECT_EQ(clicks, 1);
  b->SetEnabled(true);
  // The caption's accelerator presses it.
  b->SetCaption("&Go");
  bench.form.Show();
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'g'), 1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'x'), 0);
  bench.form.Hide();
}

TEST(SpeedButton, DropDownMenuOpensBelowAndFiresNoClick) {
  Bench bench;
  TZxSpeedButton* b = bench.Add(20);
  auto* menu = new TPopupMenu(&bench.form);
  int clicks = 0, popups = 0;
  POINT at{};
  b->OnClick = [&](TObject*) { ++clicks; };
  b->SetDropDownMenu(menu);
  Application->OnPopupMenu = [&](TPopupMenu* m, int x, int y) -> TMenuItem* {
    ++popups;
    at = POINT{x, y};
    EXPECT_EQ(m->PopupComponent(), b);
    EXPECT_TRUE(b->MenuTracking());
    return nullptr;
  };
  bench.Press(b);
  Application->OnPopupMenu = nullptr;
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(clicks, 0);
  POINT expect = b->ClientToScreen(POINT{-1, b->Height()});
  EXPECT_EQ(at.x, expect.x);
  EXPECT_EQ(at.y, expect.y);
  EXPECT_FALSE(b->MenuTracking());
  EXPECT_EQ(b->State(), bsUp);
  // A freed menu is forgotten.
  menu->Free();
  EXPECT_EQ(b->DropDownMenu(), nullptr);
}

// A command of the drop-down menu that fails (a save that found the disk full) is shown,
// and the button stays released and ready: its menu opens again at the next press.
TEST(SpeedButton, AFailedMenuCommandLeavesTheMenuOpeningAgain) {
  Bench bench;
  bench.form.Show();
  TZxSpeedButton* b = bench.Add(20);
  auto* menu = new TPopupMenu(&bench.form);
  auto* save = new TMenuItem(menu);
  save->SetCaption("Save");
  save->OnClick = [](TObject*) { throw EWriteError("Stream write error - vornix.cti: the disk is full"); };
  menu->Items()->Add(save);
  b->SetDropDownMenu(menu);
  int popups = 0;
  std::vector<std::string> shown;
  Application->OnPopupMenu = [&](TPopupMenu*, int, int) -> TMenuItem* {
    ++popups;
    return save;
  };
  Application->OnException = [&](TObject*, const std::exception& e) { shown.push_back(e.what()); };
  // Through the panel's window procedure, as a person's press arrives.
  auto press = [&] {
    SendMessageA(bench.panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 10));
    SendMessageA(bench.panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(25, 10));
  };
  press();
  EXPECT_EQ(popups, 1);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Stream write error - vornix.cti: the disk is full");
  EXPECT_FALSE(b->MenuTracking());
  EXPECT_EQ(b->State(), bsUp);
  press();
  EXPECT_EQ(popups, 2) << "the drop-down menu did not open again";
  EXPECT_EQ(shown.size(), 2u);
  Application->OnPopupMenu = nullptr;
  Application->OnException = nullptr;
}

// A mouse-up handler that fails leaves the button up, not drawn pressed for good.
TEST(SpeedButton, AFailingMouseUpHandlerStillReleasesTheButton) {
  Bench bench;
  bench.form.Show();
  TZxSpeedButton* b = bench.Add(20);
  b->OnMouseUp = [](TObject*, TMouseButton, TShiftState, int, int) { throw Exception("handler failed"); };
  Application->OnException = [](TObject*, const std::exception&) {};
  SendMessageA(bench.panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 10));
  EXPECT_EQ(b->State(), bsDown);
  SendMessageA(bench.panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(25, 10));
  EXPECT_EQ(b->State(), bsUp);
  Application->OnException = nullptr;
}

// Faces drawn into memory: frames by state, the grey inactive glyph, the disabled glyph.
TEST(SpeedButton, FacesDrawnIntoMemory) {
  Bench bench;
  TZxSpeedButton* b = bench.Add(0);
  b->SetGlyph(Strip(1, 16, 16, {clRed}).get());
  TBitmap face;
  face.SetSize(25, 25);
  auto paint = [&] { b->PaintFace(face.Canvas()); };
  // Raised, new look: highlight outside at the top-left.
  paint();
  EXPECT_EQ(Px(&face, 0, 0), Sys(clBtnHighlight));
  EXPECT_EQ(Px(&face, 24, 24), Sys(clWindowFrame));
  // The glyph sits at margin 4 from the top of the inner rectangle.
  EXPECT_EQ(Px(&face, 12, 2 + 4 + 5), Sys(clRed));
  // Flat and inactive: no frame, and red (255) greys to the shadow.
  b->SetFlat(true);
  paint();
  EXPECT_EQ(Px(&face, 0, 0), Sys(clBtnFace));
  EXPECT_EQ(Px(&face, 12, 12), Sys(clBtnShadow));
  // Mouse over it: frame and colours come back.
  b->Perform(CM_MOUSEENTER);
  paint();
  EXPECT_EQ(Px(&face, 0, 0), Sys(clBtnHighlight));
  EXPECT_EQ(Px(&face, 12, 12), Sys(clRed));
  b->Perform(CM_MOUSELEAVE);
  // An exclusive flat button keeps its frame: pressed look, dark outside.
  b->SetGroupIndex(3);
  b->SetDown(true);
  paint();
  EXPECT_EQ(Px(&face, 0, 0), Sys(clWindowFrame));
  // Disabled: the embossed glyph.
  b->SetDown(false);
  b->SetAllowAllUp(true);
  b->SetDown(false);
  b->SetFlat(false);
  b->SetEnabled(false);
  paint();
  EXPECT_EQ(b->State(), bsDisabled);
  EXPECT_EQ(Px(&face, 12, 12), Sys(clBtnShadow));
  // A menu mark stands right of the glyph.
  b->SetEnabled(true);
  TComponentPtr<TPopupMenu> menuHolder = MakeComponent<TPopupMenu>(nullptr);
  TPopupMenu& menu = *menuHolder;
  b->SetDropDownMenu(&menu);
  paint();
  b->SetDropDownMenu(nullptr);
}

TEST(ButtonImage, DrawsAFramedFaceAndRestoresTheCanvas) {
  TButtonImage img;
  img.SetGlyph(Strip(1, 16, 16, {clBlue}).get());
  TBitmap out;
  out.SetSize(40, 40);
  TCanvas* c = out.Canvas();
  c->Brush()->SetColor(clLime);
  RECT all{0, 0, 40, 40};
  c->FillRect(all);
  img.Draw(c, 5, 5, blGlyphTop, -1, 1, nullptr);
  EXPECT_EQ(c->Brush()->Color(), clLime);
  EXPECT_EQ(Px(&out, 5, 5), Sys(clBtnShadow));
  EXPECT_EQ(Px(&out, 5 + 23, 5 + 22), Sys(clWindowFrame));
  EXPECT_EQ(Px(&out, 6, 6), Sys(clBtnHighlight));
  EXPECT_EQ(Px(&out, 5 + 12, 5 + 11), Sys(clBlue));
  EXPECT_EQ(Px(&out, 2, 2), Sys(clLime));
}

}  // namespace
}  // namespace vx
