#include <gtest/gtest.h>

#include "framework/win/Graphics.h"

using namespace vx;

namespace {

// A white 24-bit bitmap of the given size to draw into.
void Blank(TBitmap& b, int w, int h) {
  b.SetSize(w, h);
  b.Canvas()->Brush()->SetColor(clWhite);
  RECT r{0, 0, w, h};
  b.Canvas()->FillRect(r);
}

int CountInk(TCanvas* c, const RECT& r, COLORREF background) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (static_cast<COLORREF>(c->Pixels(x, y)) != background) ++n;
  return n;
}

}  // namespace

TEST(Colors, SystemColoursGoThroughGetSysColor) {
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
  // A palette-relative system colour is still a system colour; plain palette values pass.
  EXPECT_EQ(ColorToRGB(clBtnText | 0x02000000), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(ColorToRGB(0x02123456), 0x02123456u);
}

TEST(Fonts, HandlesAreSharedByLogFontAndFreedWithTheLast) {
  auto a = std::make_unique<TFont>();
  auto b = std::make_unique<TFont>();
  a->SetName("Arial");
  b->SetName("Arial");
  a->SetSize(12);
  b->SetSize(12);
  HFONT h = a->Handle();
  EXPECT_EQ(h, b->Handle());
  b->SetStyle({fsBold});
  EXPECT_NE(h, b->Handle());
  EXPECT_EQ(h, a->Handle());
  b.reset();
  LOGFONTA lf;
  EXPECT_NE(GetObjectA(h, sizeof lf, &lf), 0);  // still held by a
  a.reset();
  EXPECT_EQ(GetObjectA(h, sizeof lf, &lf), 0);  // gone with the last holder
}

TEST(Fonts, SizeFollowsPixelsPerInchAndChangesNotify) {
  TFont f;
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -MulDiv(10, ScreenPixelsPerInch(), 72));
  EXPECT_EQ(f.Size(), 10);
  f.SetSize(10);
  f.SetColor(clRed);
  EXPECT_EQ(changes, 2);
  TFont g;
  g.SetPixelsPerInch(300);
  g.Assign(f);
  EXPECT_EQ(g.Size(), 10);
  EXPECT_EQ(g.Height(), -MulDiv(10, 300, 72));
  EXPECT_EQ(g.Color(), clRed);
}

TEST(Canvas, TextDrawsInsideItsMeasuredExtent) {
  TBitmap b;
  Blank(b, 200, 60);
  TCanvas* c = b.Canvas();
  c->Font()->SetName("Arial");
  c->Font()->SetSize(14);
  c->Font()->SetColor(clBlack);
  c->Brush()->SetStyle(bsClear);
  SIZE s = c->TextExtent("Wg");
  ASSERT_GT(s.cx, 0);
  ASSERT_GT(s.cy, 0);
  c->TextOut(10, 5, "Wg");
  RECT inside{10, 5, 10 + s.cx, 5 + s.cy};
  EXPECT_GT(CountInk(c, inside, RGB(255, 255, 255)), 10);
  // Nothing outside the measured box (a pixel of slack for overhang).
  int outside = CountInk(c, RECT{0, 0, 200, 60}, RGB(255, 255, 255)) -
                CountInk(c, RECT{9, 4, 11 + s.cx, 6 + s.cy}, RGB(255, 255, 255));
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(c->TextWidth("WgWg"), 2 * s.cx);
}

TEST(Canvas, TextRectClipsAndFillsWithTheBrush) {
  TBitmap b;
  Blank(b, 100, 40);
  TCanvas* c = b.Canvas();
  c->Font()->SetColor(clBlack);
  c->Brush()->SetColor(clYellow);
  RECT r{10, 10, 30, 30};
  c->TextRect(r, 12, 12, "WWWWWWWWWWWW");
  EXPECT_EQ(static_cast<COLORREF>(c->Pixels(29, 29)), RGB(255, 255, 0));  // filled, not text
  EXPECT_EQ(CountInk(c, RECT{30, 0, 100, 40}, RGB(255, 255, 255)), 0);    // clipped
  EXPECT_GT(CountInk(c, r, RGB(255, 255, 0)), 0);
}

TEST(Canvas, ShapesUsePenAndBrush) {
  TBitmap b;
  Blank(b, 50, 50);
  TCanvas* c = b.Canvas();
  c->Pen()->SetColor(clBlue);
  c->Brush()->SetColor(clRed);
  c->Rectangle(10, 10, 20, 20);
  EXPECT_EQ(static_cast<COLORREF>(c->Pixels(10, 10)), RGB(0, 0, 255));
  EXPECT_EQ(static_cast<COLORREF>(c->Pixels(15, 15)), RGB(255, 0, 0));
  EXPECT_EQ(static_cast<COLORREF>(c->Pixels(20, 20)), RGB(255, 255, 255));
  c->Pen()->SetColor(clBlack);
  c->MoveTo(0, 40);
  c->LineTo(30, 40);
  EXPECT_EQ(static_cast<COLORREF>(c->Pixels(29, 40)), RGB(0, 0, 0));
  EXPECT_EQ(static_cast<COLORREF>(c->Pixels(30, 40)), RGB(255, 255, 255));
  // A not-xor line drawn twice leaves nothing behind.
  c->Pen()->SetMode(pmNotXor);
  c->MoveTo(0, 45);
  c->LineTo(40, 45);
  c->MoveTo(0, 45);
  c->LineTo(40, 45);
  EXPECT_EQ(static_cast<COLORREF>(c->Pixels(5, 45)), RGB(255, 255, 255));
}

TEST(Canvas, BorrowedDcIsHandedBackWithItsObjects) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
  {
    TCanvas c;
    c.SetHandle(dc);
    c.Font()->SetName("Arial");
    c.TextWidth("x");
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), c.Font()->Handle());
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
  DeleteDC(dc);
}

TEST(Bitmaps, LoadFromResourceAndFile) {
  TBitmap b;
  b.LoadFromResourceID(GetModuleHandleA(nullptr), 101);
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.Height(), 4);
  EXPECT_EQ(static_cast<COLORREF>(b.Canvas()->Pixels(3, 1)), RGB(255, 0, 0));
  EXPECT_EQ(static_cast<COLORREF>(b.TransparentColor()), RGB(0, 0, 255));
  TBitmap n;
  n.LoadFromResourceName(GetModuleHandleA(nullptr), "REDBMP");
  EXPECT_EQ(n.Width(), 6);
  EXPECT_THROW(n.LoadFromResourceID(GetModuleHandleA(nullptr), 999), EResNotFound);
  EXPECT_EQ(n.Width(), 6);  // a failed load keeps the old image

  char tmp[MAX_PATH], name[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  GetTempFileNameA(tmp, "vxb", 0, name);
  b.SaveToFile(name);
  TBitmap c;
  c.LoadFromFile(name);
  DeleteFileA(name);
  EXPECT_EQ(c.Width(), 6);
  EXPECT_EQ(static_cast<COLORREF>(c.Canvas()->Pixels(0, 3)), RGB(0, 0, 255));
  EXPECT_THROW(c.LoadFromFile("Z:\\no\\such.bmp"), EFOpenError);
}

TEST(Bitmaps, MonochromeAssignAndDraw) {
  TBitmap b;
  Blank(b, 8, 8);
  b.Canvas()->SetPixels(2, 2, clBlack);
  TBitmap m;
  m.Assign(b);
  m.SetMonochrome(true);
  EXPECT_TRUE(m.Monochrome());
  BITMAP bm;
  GetObjectA(m.Handle(), sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  TBitmap target;
  Blank(target, 8, 8);
  target.Canvas()->Draw(0, 0, &m);
  EXPECT_EQ(static_cast<COLORREF>(target.Canvas()->Pixels(2, 2)), RGB(0, 0, 0));
  EXPECT_EQ(static_cast<COLORREF>(target.Canvas()->Pixels(3, 2)), RGB(255, 255, 255));
  // The copy is independent of its source.
  b.Canvas()->SetPixels(5, 5, clBlack);
  EXPECT_EQ(static_cast<COLORREF>(m.Canvas()->Pixels(5, 5)), RGB(255, 255, 255));
}

TEST(Bitmaps, StretchDrawScales) {
  TBitmap src;
  Blank(src, 2, 2);
  src.Canvas()->SetPixels(0, 0, clRed);
  TBitmap dst;
  Blank(dst, 10, 10);
  dst.Canvas()->StretchDraw(RECT{0, 0, 10, 10}, &src);
  EXPECT_EQ(static_cast<COLORREF>(dst.Canvas()->Pixels(4, 4)), RGB(255, 0, 0));
  EXPECT_EQ(static_cast<COLORREF>(dst.Canvas()->Pixels(6, 6)), RGB(255, 255, 255));
}

TEST(FontTypeInfo, PublishedPropertiesRoundTrip) {
  TFont f;
  auto props = GetPropList(&f);
  ASSERT_EQ(props.size(), 7u);
  EXPECT_EQ(props[0]->Name, "Charset");
  PPropInfo style = GetPropInfo(&f, "style");
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(style->Kind(), tkSet);
  SetOrdProp(&f, style, StringToSet(style->PropType, "[fsBold, fsUnderline]"));
  EXPECT_TRUE(f.Style().Contains(fsBold));
  EXPECT_TRUE(f.Style().Contains(fsUnderline));
  EXPECT_EQ(SetToString(style->PropType, static_cast<uint32_t>(GetOrdProp(&f, style))), "[fsBold,fsUnderline]");
  SetStrProp(&f, "Name", "Courier New");
  EXPECT_EQ(f.Name(), "Courier New");
  SetOrdProp(&f, "Pitch", GetEnumValue(GetPropInfo(&f, "Pitch")->PropType, "FPFIXED"));
  EXPECT_EQ(f.Pitch(), fpFixed);
}
