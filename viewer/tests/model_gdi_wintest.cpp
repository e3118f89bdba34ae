// The model on real GDI under Wine: geometry from the fonts present, probes of pixels drawn
// into memory bitmaps.
#include <gtest/gtest.h>

#include <cstdio>

#include "viewer/HTMLGdi.h"

using namespace vx;

namespace {
// A 24-bit memory surface filled with white.
struct Surface {
  HDC dc;
  HBITMAP bmp;
  HGDIOBJ old;
  int w, h;
  Surface(int w_, int h_) : w(w_), h(h_) {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bmp = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bmp);
    RECT r{0, 0, w, h};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~Surface() {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  COLORREF At(int x, int y) { return GetPixel(dc, x, y) & 0xFFFFFF; }
};

TMyFont Times() {
  TMyFont f;
  f.Name = "Times New Roman";
  f.Size = 12;
  f.Color = 0;
  return f;
}

TSection* Para(TSectionList& list, const std::string& text, int level = 0, bool bullet = false) {
  std::unique_ptr<TSection> s;
  if (bullet)
    s = std::make_unique<TUListItem>(&list, level, 1, nullptr, Times(), 0);
  else
    s = std::make_unique<TSection>(&list, level, 1, nullptr, Times(), 0);
  s->AppendText(text);
  TSection* r = s.get();
  list.Add(std::move(s));
  return r;
}

std::unique_ptr<TBitmap> SolidBitmap(int w, int h, COLORREF body, COLORREF lowerLeft) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(w, h);
  HDC dc = b->Canvas()->Handle();
  RECT r{0, 0, w, h};
  HBRUSH br = CreateSolidBrush(body);
  FillRect(dc, &r, br);
  DeleteObject(br);
  SetPixel(dc, 0, h - 1, lowerLeft);
  b->Dormant();
  return b;
}
}  // namespace

TEST(ModelGdi, MetricsAndWrappingFollowTheFontsPresent) {
  Surface s(600, 400);
  TGdiViewCanvas c(s.dc);
  TMyFont f = Times();
  THtMetrics m = c.Metrics(f);
  EXPECT_GT(m.Height, 10);
  EXPECT_GT(m.Descent, 0);
  const std::string text = "The quick brown fox jumps over the lazy dog and keeps running far away";
  for (int width : {120, 200, 333}) {
    TSectionList list;
    TSection* p = Para(list, text);
    int widest = 0;
    list.DoLayout(c, width, widest);
    ASSERT_GT(p->Lines.size(), 1u);
    for (auto& l : p->Lines) {
      std::string t = p->Buff.substr(l.Start, l.Ln);
      std::string trimmed = t.substr(0, t.find_last_not_of(' ') + 1);
      if (trimmed.find(' ') != std::string::npos) {
        EXPECT_LE(c.TextExtent(f, trimmed.data(), static_cast<int>(trimmed.size())) - m.Overhang, width) << t;
      }
      EXPECT_EQ(l.LineHt, m.Height + m.ExternalLeading);
    }
  }
}

// On a scaled surface (a printer's mapping) the system measures: how much fits is found in
// one call and must agree with measuring prefix by prefix, on the screen's mapping too.
TEST(ModelGdi, WhatFitsAgreesWithMeasuringOnScaledAndPlainSurfaces) {
  for (bool scaled : {false, true}) {
    Surface s(600, 400);
    if (scaled) {
      SetMapMode(s.dc, MM_ANISOTROPIC);
      SetWindowExtEx(s.dc, 96, 96, nullptr);
      SetViewportExtEx(s.dc, 300, 300, nullptr);
    }
    TGdiViewCanvas c(s.dc);
    TMyFont f = Times();
    for (std::uint8_t style : {std::uint8_t(0), std::uint8_t(htBold | htItalic)}) {
      f.Style = style;
      std::string text;
      for (int i = 0; i < 60; ++i) text += "Word" + std::to_string(i) + (i % 7 ? " " : ", WAVE ");
      const int n = static_cast<int>(text.size());
      for (int room : {-1, 0, 3, 37, 180, 499, 2000, 100000}) {
        int fit = c.TextFit(f, text.data(), n, room);
        EXPECT_EQ(fit, c.TViewCanvas::TextFit(f, text.data(), n, room)) << scaled << " " << room;
        if (fit > 0) {
          EXPECT_LE(c.TextExtent(f, text.data(), fit), room) << scaled << " " << room;
        }
        if (fit < n) {
          EXPECT_GT(c.TextExtent(f, text.data(), fit + 1), room) << scaled << " " << room;
        }
      }
      // A measurement kept for a longer text answers for its beginning, never for other text.
      TGdiViewCanvas fresh(s.dc);
      c.TextExtent(f, "abcdefgh", 8);
      EXPECT_EQ(c.TextExtent(f, "abcd", 4), fresh.TextExtent(f, "abcd", 4)) << scaled;
      EXPECT_EQ(c.TextExtent(f, "WWWW", 4), fresh.TextExtent(f, "WWWW", 4)) << scaled;
      EXPECT_GT(c.TextExtent(f, "WWWW", 4), c.TextExtent(f, "iiii", 4)) << scaled;
    }
  }
}

TEST(ModelGdi, BulletsAndTableColoursOnTheSurface) {
  Surface s(400, 300);
  TGdiViewCanvas c(s.dc);
  TSectionList list;
  list.Background = htc::White;
  TSection* li = Para(list, "item", 1, true);
  TTableParams tp;
  tp.HasSpacing = true;
  tp.Spacing = 9;  // 10 pixels between cells
  tp.HasBorderColor = true;
  tp.BorderColor = 0x0000FF;
  tp.HasBgColor = true;
  tp.BgColor = 0x00FF00;
  auto t = std::make_unique<ThtmlTable>(&list, tp);
  auto row = std::make_unique<TCellList>();
  for (int i = 0; i < 2; ++i) {
    auto cell = std::make_unique<TCellObj>(&list, 1);
    auto sec = std::make_unique<TSection>(&list, 0, 1, nullptr, Times(), 0);
    sec->AppendText("cell");
    cell->Cell->Add(std::move(sec));
    row->Cells.push_back(std::move(cell));
  }
  t->AddRow(std::move(row));
  ThtmlTable* tab = t.get();
  list.Add(std::move(t));
  int widest = 0;
  list.DoLayout(c, 380, widest);
  list.Paint(c, {0, 0, 400, 300}, 0, 10);
  const LineRec& l = li->Lines[0];
  int cx = 10 + li->LeftIndentAtTop - 8, cy = l.SpaceBefore + l.LineHt / 2;
  EXPECT_EQ(s.At(cx, cy), 0x800000u) << "navy bullet for level 1";
  int ty = tab->DrawY + 2;                         // inside the spacing above the cells
  EXPECT_EQ(s.At(tab->DrawX + 2, ty), 0x0000FFu);  // border colour
  int cellX = tab->DrawX + tab->CellSpacing + 2, cellY = tab->DrawY + tab->CellSpacing + 2;
  EXPECT_EQ(s.At(cellX, cellY), 0x00FF00u);  // cell background
  int gapX = tab->DrawX + tab->Widths[0] + tab->CellSpacing / 2;
  EXPECT_EQ(s.At(gapX, cellY), 0x0000FFu);  // between the cells
}

TEST(ModelGdi, TransparentImagesLeaveTheCacheWhole) {
  auto bmp = SolidBitmap(4, 4, RGB(255, 0, 0), RGB(0, 255, 0));
  auto mask = MakeTransparencyMask(*bmp, false, 0);
  ASSERT_TRUE(mask);
  EXPECT_TRUE(mask->Monochrome() || mask->Width() == 4);
  Surface s(20, 20);
  RECT r{0, 0, 20, 20};
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(s.dc, &r, blue);
  DeleteObject(blue);
  DrawTransparentImage(s.dc, *bmp, *mask, 8, 8, 5, 5);  // stretched to 8 x 8
  EXPECT_EQ(s.At(6, 6), 0x0000FFu);                     // red body
  EXPECT_EQ(s.At(5, 12), 0xFF0000u);                    // lower-left colour shows the background
  HDC dc = bmp->Canvas()->Handle();
  EXPECT_EQ(GetPixel(dc, 0, 3) & 0xFFFFFF, 0x00FF00u);  // the picture itself is unchanged
  EXPECT_EQ(GetPixel(dc, 2, 1) & 0xFFFFFF, 0x0000FFu);
  bmp->Dormant();

  // Through the model: a TRANSP image from the request event.
  TSectionList list;
  list.ShowImages = true;
  list.ImageServices = &GdiImageServices();
  list.GetBitmap = [](TObject*, const std::string&, TViewImagePtr& b, THtColor& color) {
    b = WrapBitmap(SolidBitmap(6, 6, RGB(255, 0, 0), RGB(0, 255, 0)));
    color = 0x00FF00;  // the transparent colour
  };
  auto sec = std::make_unique<TSection>(&list, 0, 1, nullptr, Times(), 0);
  TImageParams p;
  p.Src = "x";
  p.HasSrc = true;
  p.Transp = true;
  TImageObj* img = sec->AddImage(p);
  list.Add(std::move(sec));
  Surface s2(100, 100);
  TGdiViewCanvas c(s2.dc);
  int widest = 0;
  list.DoLayout(c, 90, widest);
  list.Paint(c, {0, 0, 100, 100}, 0, 10);
  EXPECT_EQ(s2.At(img->DrawX, img->DrawY + 5), 0xFFFFFFu);
  EXPECT_EQ(s2.At(img->DrawX + 2, img->DrawY + 2), 0x0000FFu);
}

TEST(ModelGdi, ResourcesPaletteAndFileLoading) {
  TImageUnit& u = ImageUnit();
  ASSERT_TRUE(u.ErrorImage && u.OffImage);
  EXPECT_EQ(u.ErrorImage->Width(), 16);
  EXPECT_EQ(u.OffImage->Height(), 22);
  EXPECT_TRUE(u.LinkCursor);
  HDC dc = GetDC(nullptr);
  HPALETTE pal = CreateViewerPalette(dc);
  ReleaseDC(nullptr, dc);
  PALETTEENTRY e[256];
  ASSERT_EQ(GetPaletteEntries(pal, 0, 256, e), 256u);
  EXPECT_EQ(e[10].peRed, 55);
  EXPECT_EQ(e[11].peRed, 115);
  EXPECT_EQ(e[249].peGreen, 250);
  DeleteObject(pal);

  // A BMP file loads through the platform when no reader takes it; masks from its corner.
  auto b = SolidBitmap(5, 3, RGB(1, 2, 3), RGB(9, 9, 9));
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  std::string file = std::string(path) + "vx_model_test.bmp";
  b->SaveToFile(file);
  auto loaded = LoadImageByExtension(file);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Width(), 5);
  int t = 1;
  std::unique_ptr<TBitmap> m;
  auto withMask = LoadImageWithMask(file, t, m);
  EXPECT_TRUE(withMask && m);
  EXPECT_FALSE(LoadImageByExtension(file + ".zip"));
  t = 0;
  EXPECT_FALSE(LoadImageWithMask(std::string(path) + "none.bmp", t, m));
  std::remove(file.c_str());

  TDibCopy dib;
  ASSERT_TRUE(MakeDibCopy(*loaded, dib));
  EXPECT_EQ(dib.Header()->bmiHeader.biWidth, 5);
  EXPECT_GE(dib.Info.size(), sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto mono = std::make_unique<TBitmap>();
  mono->SetMonochrome(true);
  mono->SetSize(9, 2);
  TDibCopy md;
  ASSERT_TRUE(MakeDibCopy(*mono, md));  // a colour table is written for 1 bit: room was made
  EXPECT_EQ(md.Header()->bmiHeader.biBitCount, 1);
}

TEST(ModelGdi, MissingImageShowsThePlaceholderWithAltText) {
  TSectionList list;
  list.ShowImages = true;
  list.ImageServices = &GdiImageServices();
  list.ExpandSourceName = [](const std::string& s) { return s; };
  auto sec = std::make_unique<TSection>(&list, 0, 1, nullptr, Times(), 0);
  TImageParams p;
  p.Src = "no such picture.gif";
  p.HasSrc = true;
  p.Alt = "gone";
  p.HasAlt = true;
  TImageObj* img = sec->AddImage(p);
  list.Add(std::move(sec));
  Surface s(300, 100);
  TGdiViewCanvas c(s.dc);
  int widest = 0;
  list.DoLayout(c, 280, widest);
  list.Paint(c, {0, 0, 300, 100}, 0, 10);
  EXPECT_EQ(img->State, TImageObj::isError);
  EXPECT_TRUE(img->Bordered);
  TMyFont f = Times();
  EXPECT_EQ(img->BoxWidth, 16 + 2 + c.TextExtent(f, "gone", 4) + 4);
  EXPECT_EQ(s.At(img->DrawX, img->DrawY + 3), 0u);  // the frame in the font colour
}

#include "imagelib/tests/ImageFiles.h"

TEST(ModelGdi, FilesThroughTheImageReaderWithTheirTransparency) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string dir = tmp;
  using namespace ilibtest;
  // GIF89a: index 1 (green) transparent; the lower-left pixel is red.
  std::vector<uint8_t> idx(16, 0);
  idx[5] = 1;
  WriteBytes(dir + "vx_t89.gif", MakeGif(4, 4, {{255, 0, 0}, {0, 255, 0}}, idx, 1));
  WriteBytes(dir + "vx_t.png", MakePng(Quadrants(8, 8)));
  WriteBytes(dir + "vx_t.jpg", MakeJpeg(Solid(6, 5, {0, 0, 255})));
  auto png = LoadImageByExtension(dir + "vx_t.png");
  ASSERT_TRUE(png);
  EXPECT_EQ(png->Width(), 8);
  auto jpg = LoadImageByExtension(dir + "vx_t.jpg");
  ASSERT_TRUE(jpg);
  EXPECT_EQ(jpg->Height(), 5);
  int t = 0;
  std::unique_ptr<TBitmap> mask;
  auto gif = LoadImageWithMask(dir + "vx_t89.gif", t, mask);
  ASSERT_TRUE(gif && mask);
  EXPECT_EQ(t, 2);
  HDC dc = mask->Canvas()->Handle();
  EXPECT_EQ(GetPixel(dc, 1, 1) & 0xFFFFFF, 0xFFFFFFu);  // the transparent colour is white in the mask
  EXPECT_EQ(GetPixel(dc, 0, 0) & 0xFFFFFF, 0u);
  mask->Dormant();

  // Through the model the file is cached by its expanded name.
  TSectionList list;
  list.ShowImages = true;
  list.ImageServices = &GdiImageServices();
  list.ExpandSourceName = [&](const std::string& s) { return dir + TrimControlChars(s); };
  int t2 = 0;
  TViewImagePtr m2;
  auto a = list.ObtainImage(" vx_t.PNG ", t2, m2);
  auto b = list.ObtainImage("VX_T.png", t2, m2);
  ASSERT_TRUE(a);
  EXPECT_EQ(a, b);
  EXPECT_EQ(list.BitmapList.Count(), 1);
  for (auto* f : {"vx_t89.gif", "vx_t.png", "vx_t.jpg"}) DeleteFileA((dir + f).c_str());
}

#include "framework/win/Forms.h"

TEST(ModelGdi, ErrorsGoThroughTheApplicationAndTheLinkCursorIsScreenCursorOne) {
  ASSERT_TRUE(Application && Screen);
  ImageUnit();
  EXPECT_EQ(Screen->Cursors(1), ImageUnit().LinkCursor);
  std::string seen;
  auto old = Application->OnMessageBox;
  Application->OnMessageBox = [&](const AnsiString& text, const AnsiString&, UINT flags) {
    seen = text;
    EXPECT_TRUE(flags & MB_ICONERROR);
    return IDOK;
  };
  TSectionList list;
  list.ShowError = ShowProcessError;
  TTableParams p;
  auto t = std::make_unique<ThtmlTable>(&list, p);
  auto row = std::make_unique<TCellList>();
  for (int i = 0; i < 31; ++i) row->Cells.push_back(std::make_unique<TCellObj>(&list, 1));
  t->AddRow(std::move(row));
  list.Add(std::move(t));
  HDC dc = GetDC(nullptr);
  {
    TGdiViewCanvas c(dc);
    int widest = 0;
    list.DoLayout(c, 300, widest);
  }
  ReleaseDC(nullptr, dc);
  Application->OnMessageBox = old;
  EXPECT_EQ(seen, "Table has too many Columns");
}
