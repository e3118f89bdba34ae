// Bitmap helpers and cell text, drawn into memory bitmaps and read back pixel by pixel.
#include <gtest/gtest.h>

#include "toolkit/VCLUtils.h"

namespace vx {
namespace {

COLORREF Px(TBitmap& b, int x, int y) { return GetPixel(b.Canvas()->Handle(), x, y); }

std::unique_ptr<TBitmap> Filled(int w, int h, TColor c) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(c);
  RECT r{0, 0, w, h};
  b->Canvas()->FillRect(r);
  return b;
}

TEST(Bitmaps, TwoColorPatternIsACheckerboard) {
  auto p = CreateTwoColorsBrushPattern(clRed, clBlue);
  ASSERT_EQ(p->Width(), 8);
  ASSERT_EQ(p->Height(), 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(Px(*p, x, y), ColorToRGB((x + y) % 2 == 0 ? clBlue : clRed)) << x << "," << y;
}

TEST(Bitmaps, TransparentColourKeepsTheBackground) {
  // A 4x4 glyph: lime border (transparent) around a 2x2 red centre.
  auto glyph = Filled(4, 4, clLime);
  glyph->Canvas()->Brush()->SetColor(clRed);
  RECT c{1, 1, 3, 3};
  glyph->Canvas()->FillRect(c);
  auto target = Filled(10, 10, clNavy);

  DrawBitmapTransparent(target->Canvas(), 3, 3, clLime, glyph.get());
  EXPECT_EQ(Px(*target, 3, 3), ColorToRGB(clNavy));
  EXPECT_EQ(Px(*target, 4, 4), ColorToRGB(clRed));
  EXPECT_EQ(Px(*target, 5, 5), ColorToRGB(clRed));
  EXPECT_EQ(Px(*target, 6, 6), ColorToRGB(clNavy));
  EXPECT_EQ(Px(*target, 2, 2), ColorToRGB(clNavy));

  // No transparent colour: a plain copy.
  DrawBitmapTransparent(target->Canvas(), 0, 0, clNone, glyph.get());
  EXPECT_EQ(Px(*target, 0, 0), ColorToRGB(clLime));
  EXPECT_EQ(Px(*target, 1, 1), ColorToRGB(clRed));
}

TEST(Bitmaps, DisabledImageIsEmbossedOnButtonFace) {
  // White background with one black pixel at (2, 2).
  auto glyph = Filled(6, 6, clWhite);
  glyph->Canvas()->SetPixels(2, 2, clBlack);
  auto d = CreateDisabledBitmap(glyph.get());
  ASSERT_EQ(d->Width(), 6);
  ASSERT_EQ(d->Height(), 6);
  EXPECT_EQ(Px(*d, 0, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(Px(*d, 2, 2), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(*d, 3, 3), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Px(*d, 4, 4), ColorToRGB(clBtnFace));
}

class CellText : public ::testing::Test {
 protected:
  void Fresh() {
    grid_ = Filled(200, 60, clWhite);
    c_ = grid_->Canvas();
    c_->Font()->SetName("Arial");
    c_->Font()->SetSize(10);
    c_->Font()->SetColor(clBlack);
    c_->Brush()->SetColor(clYellow);
  }
  void SetUp() override { Fresh(); }
  bool Ink(int x, int y) {
    COLORREF c = Px(*grid_, x, y);
    return c != ColorToRGB(clYellow) && c != RGB(255, 255, 255);
  }
  // Left-most column and top-most row with ink inside r.
  POINT FirstInk(const RECT& r) {
    POINT p{-1, -1};
    for (int x = r.left; x < r.right && p.x < 0; ++x)
      for (int y = r.top; y < r.bottom; ++y)
        if (Ink(x, y)) {
          p.x = x;
          break;
        }
    for (int y = r.top; y < r.bottom && p.y < 0; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (Ink(x, y)) {
          p.y = y;
          break;
        }
    return p;
  }
  std::unique_ptr<TBitmap> grid_;
  TCanvas* c_ = nullptr;
  RECT cell_{10, 10, 110, 40};
};

TEST_F(CellText, LeftJustifiedFillsTheCellOnly) {
  DrawCellText(c_, caLeftJustify, vaTopJustify, cell_, "Wide");
  EXPECT_EQ(Px(*grid_, 108, 38), ColorToRGB(clYellow));
  EXPECT_EQ(Px(*grid_, 111, 20), RGB(255, 255, 255));
  POINT ink = FirstInk(cell_);
  EXPECT_GE(ink.x, 12);
  EXPECT_LE(ink.x, 14);
  EXPECT_GE(ink.y, 12);
}

TEST_F(CellText, RightJustifiedEndsThreePixelsIn) {
  int w = c_->TextWidth("Wide");
  DrawCellText(c_, caRightJustify, vaBottomJustify, cell_, "Wide");
  POINT ink = FirstInk(cell_);
  EXPECT_GE(ink.x, cell_.right - w - 3);
  EXPECT_LE(ink.x, cell_.right - w);
  for (int x = cell_.right - 2; x < cell_.right; ++x)
    for (int y = cell_.top; y < cell_.bottom; ++y) EXPECT_FALSE(Ink(x, y));
}

TEST_F(CellText, CentredTextTakesFontAndBrushColours) {
  int w = c_->TextWidth("Wide"), h = c_->TextHeight("W");
  c_->Font()->SetColor(clRed);
  DrawCellText(c_, caCenter, vaCenter, cell_, "Wide");
  POINT ink = FirstInk(cell_);
  EXPECT_NEAR(ink.x, cell_.left + 2 + (100 - 3 - w) / 2, 3);
  EXPECT_GE(ink.y, cell_.top + (30 - h) / 2);
  EXPECT_EQ(Px(*grid_, cell_.left + 1, cell_.top + 1), ColorToRGB(clYellow));
  bool red = false;
  for (int x = cell_.left; x < cell_.right && !red; ++x)
    for (int y = cell_.top; y < cell_.bottom; ++y)
      if (Px(*grid_, x, y) == ColorToRGB(clRed)) red = true;
  EXPECT_TRUE(red);
}

}  // namespace
}  // namespace vx
