// Painting what lies behind a control, and the inverted drag frame on the screen.
#include <gtest/gtest.h>

#include <vector>

#include "framework/win/Forms.h"
#include "toolkit/VCLUtils.h"

namespace vx {
namespace {

// A windowless control painting a solid colour over its bounds.
class TSwatch : public TGraphicControl {
 public:
  TSwatch(TComponent* owner, TColor c) : TGraphicControl(owner), colour(c) {}
  void Paint() override {
    Canvas()->Brush()->SetColor(colour);
    RECT r{0, 0, Width(), Height()};
    Canvas()->FillRect(r);
  }
  TColor colour;

 protected:
  ~TSwatch() override = default;
};

TEST(ParentBackground, ParentThenEarlierSiblingsOnly) {
  TComponentPtr<TForm> formHolder = MakeComponent<TForm>(nullptr);
  TForm& form = *formHolder;
  form.SetBounds(0, 0, 300, 200);
  form.SetColor(clNavy);
  auto* below = new TSwatch(&form, clRed);
  below->SetParent(&form);
  below->SetBounds(10, 10, 30, 30);
  auto* target = new TSwatch(&form, clLime);
  target->SetParent(&form);
  target->SetBounds(20, 20, 40, 40);
  auto* above = new TSwatch(&form, clYellow);
  above->SetParent(&form);
  above->SetBounds(20, 20, 40, 40);
  form.HandleNeeded();

  TBitmap bmp;
  bmp.SetSize(40, 40);
  PaintParentBackground(target, bmp.Canvas());
  HDC dc = bmp.Canvas()->Handle();
  EXPECT_EQ(GetPixel(dc, 5, 5), ColorToRGB(clRed));     // the earlier sibling shows
  EXPECT_EQ(GetPixel(dc, 30, 30), ColorToRGB(clNavy));  // the parent elsewhere
  // The control itself and the ones after it are not painted.
  for (int i = 0; i < 40; i += 7)
    for (int j = 0; j < 40; j += 7) {
      EXPECT_NE(GetPixel(dc, i, j), ColorToRGB(clLime));
      EXPECT_NE(GetPixel(dc, i, j), ColorToRGB(clYellow));
    }
}

// The pixels of a band three wide along the left edge, and of a column further in.
std::vector<COLORREF> Band(HDC dc, const RECT& r, int from) {
  std::vector<COLORREF> px;
  for (int x = r.left + from; x < r.left + from + 3; ++x)
    for (int y = r.top + 10; y < r.top + 40; ++y) px.push_back(GetPixel(dc, x, y));
  return px;
}

TEST(ScreenFrame, SecondCallErasesTheFirst) {
  // A stretch of bare desktop, away from every window of the tests.
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  RECT r{w - 200, h - 150, w - 100, h - 70};
  HDC screen = GetDC(nullptr);
  auto edge = Band(screen, r, 0), inner = Band(screen, r, 3);
  InvertScreenFrame(r, 3);
  auto drawnEdge = Band(screen, r, 0), drawnInner = Band(screen, r, 3);
  InvertScreenFrame(r, 3);
  auto after = Band(screen, r, 0);
  ReleaseDC(nullptr, screen);
  EXPECT_NE(drawnEdge, edge);    // three nested frames: the edge band changes
  EXPECT_EQ(drawnInner, inner);  // and nothing inside it
  EXPECT_EQ(after, edge);
}

}  // namespace
}  // namespace vx
