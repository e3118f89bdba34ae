#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "viewer/tests/model_fakes.h"

using namespace vxt;

namespace {
TImageObj* AddImagePara(TSectionList& list, TImageParams p, const std::string& text = "") {
  auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, Font12(), 0);
  TImageObj* img = s->AddImage(p);
  if (!text.empty()) s->AppendText(text);
  list.Add(std::move(s));
  return img;
}
TImageParams Src(const std::string& src) {
  TImageParams p;
  p.Src = src;
  p.HasSrc = true;
  return p;
}
}  // namespace

TEST(ModelImage, CacheKeysAndAgeing) {
  FakeServices svc;
  svc.files["C:\\DOC\\A.GIF"] = {10, 10};
  svc.files["C:\\OTHER\\A.GIF"] = {20, 20};
  TSectionList list;
  list.ImageServices = &svc;
  std::string folder = "C:\\DOC\\";
  list.ExpandSourceName = [&](const std::string& s) { return HtUpperCase(folder + TrimControlChars(s)); };
  int t = 0;
  TViewImagePtr mask;
  auto a = list.ObtainImage(" a.GIF ", t, mask);
  auto b = list.ObtainImage("A.gif", t, mask);
  ASSERT_TRUE(a);
  EXPECT_EQ(a, b);
  EXPECT_EQ(svc.loads.size(), 1u);
  folder = "C:\\OTHER\\";  // the same name in another document's folder is another picture
  auto c = list.ObtainImage("a.gif", t, mask);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->Width(), 20);
  EXPECT_EQ(list.BitmapList.Count(), 2);

  list.SetImageCacheCount(0);
  list.BitmapList.AgeItems();
  EXPECT_EQ(list.BitmapList.Count(), 0);
  // The pictures stay alive while something still holds them.
  EXPECT_EQ(a->Width(), 10);
}

TEST(ModelImage, RequestEventBitmapsAndMasks) {
  FakeServices svc;
  TSectionList list;
  list.ImageServices = &svc;
  int calls = 0;
  list.GetBitmap = [&](TObject*, const std::string& src, TViewImagePtr& bmp, THtColor& color) {
    ++calls;
    bmp = std::make_shared<FakeImage>(8, 9);
    if (src == "keyed") color = 0x00FF00;
  };
  int t = 0;
  TViewImagePtr mask;
  EXPECT_TRUE(list.ObtainImage("keyed", t, mask));
  EXPECT_EQ(t, 2);
  EXPECT_TRUE(mask);
  int t1 = 1;
  EXPECT_TRUE(list.ObtainImage("plain", t1, mask));
  EXPECT_TRUE(mask);
  int t0 = 1;
  list.ObtainImage("KEYED", t0, mask);
  EXPECT_EQ(t0, 2);
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(list.ObtainImage("  ", t, mask));
}

TEST(ModelImage, PlaceholdersSizesAndBorders) {
  FakeServices svc;
  svc.files["real.gif"] = {40, 30};
  TSectionList list;
  list.ImageServices = &svc;
  list.ExpandSourceName = [](const std::string& s) { return s; };
  TImageParams missing = Src("missing.gif");
  missing.Alt = "alt";
  missing.HasAlt = true;
  TImageObj* m = AddImagePara(list, missing);
  TImageParams half = Src("real.gif");
  half.Height = 99;  // only HEIGHT: the picture's own size
  TImageObj* h = AddImagePara(list, half);
  TImageParams both = Src("real.gif");
  both.Height = 5;
  both.Width = 7;
  TImageObj* b = AddImagePara(list, both);
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 500, widest);
  EXPECT_EQ(m->State, TImageObj::isOff);
  EXPECT_EQ(m->Bitmap, svc.off);
  list.ShowImages = true;
  list.Finish();
  list.DoLayout(c, 500, widest);
  EXPECT_EQ(m->State, TImageObj::isError);
  EXPECT_EQ(m->Bitmap, svc.err);
  EXPECT_TRUE(m->Bordered);
  EXPECT_EQ(m->BoxWidth, 16 + 2 + 3 * 6 + 4);
  EXPECT_EQ(h->ImageWidth, 40);
  EXPECT_EQ(h->ImageHeight, 30);
  EXPECT_EQ(b->ImageWidth, 7);
  EXPECT_EQ(b->ImageHeight, 5);
  size_t loads = svc.loads.size();
  list.DoLayout(c, 500, widest);
  EXPECT_EQ(svc.loads.size(), loads);  // a missing file is not asked for at every layout
  list.Paint(c, {0, 0, 1000, 1000}, 0, 10);
  EXPECT_EQ(c.Of("image").size(), 3u);
  bool alt = false;
  for (auto& o : c.Of("text")) alt |= o.text == "alt";
  EXPECT_TRUE(alt);
  // And off again: what the second layout showed is dropped as well.
  list.ShowImages = false;
  list.Finish();
  EXPECT_EQ(m->State, TImageObj::isNone);
  EXPECT_EQ(b->State, TImageObj::isNone);
}

TEST(ModelImage, PrintCopySharesBitmapsByReference) {
  FakeServices svc;
  svc.files["real.gif"] = {40, 30};
  TSectionList list;
  list.ImageServices = &svc;
  list.ShowImages = true;
  list.ExpandSourceName = [](const std::string& s) { return s; };
  TImageObj* img = AddImagePara(list, Src("real.gif"));
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 500, widest);
  std::weak_ptr<TViewImage> watch = img->Bitmap;
  auto copy = list.CreateClone();
  list.Clear();
  list.BitmapList.Clear();
  EXPECT_FALSE(watch.expired());
  copy->Printing = true;
  copy->PageHeight = 1000;
  copy->DoLayout(c, 500, widest);
  copy->Paint(c, {0, 0, 1000, 1000}, 0, 10);
  EXPECT_EQ(c.Of("image").size(), 1u);
  copy.reset();
  EXPECT_TRUE(watch.expired());
}

TEST(ModelImage, ServerAndClientMaps) {
  FakeServices svc;
  svc.files["map.gif"] = {100, 100};
  TSectionList list;
  list.ImageServices = &svc;
  list.ShowImages = true;
  list.ExpandSourceName = [](const std::string& s) { return s; };
  auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, Font12(), 0);
  TUrlTarget link;
  link.Set("srv.cgi", "");
  s->HRef(true, Font12(), &link, 0, 0);
  TImageParams sp = Src("map.gif");
  sp.IsMap = true;
  TImageObj* srv = s->AddImage(sp);
  s->HRef(false, Font12(), nullptr, 0, 0);
  TImageParams cp = Src("map.gif");
  cp.HasUseMap = true;
  cp.UseMap = " #Nav";
  TImageObj* cli = s->AddImage(cp);
  list.Add(std::move(s));
  auto map = std::make_unique<TMapItem>();
  map->MapName = "NAV";
  TAreaParams a;
  a.Href = "left.htm";
  a.Shape = "RECT";
  a.Coords = "0,0,9,9";
  map->AddArea(a);
  list.MapList.push_back(std::move(map));
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 500, widest);
  list.Paint(c, {0, 0, 1000, 1000}, 0, 10);
  EXPECT_EQ(cli->MapName, "NAV");
  TUrlTarget out;
  ASSERT_TRUE(list.UrlAtPoint(c, srv->DrawX + 1 + 5, srv->DrawY + 1 + 7, out));
  EXPECT_EQ(out.Url, "srv.cgi?5,7");
  ASSERT_TRUE(list.UrlAtPoint(c, cli->DrawX + 9, cli->DrawY + 9, out));
  EXPECT_EQ(out.Url, "left.htm");
  EXPECT_FALSE(list.UrlAtPoint(c, cli->DrawX + 10, cli->DrawY + 9, out));
}

TEST(ModelImage, MapShapes) {
  TMapItem m;
  auto add = [&](const std::string& shape, const std::string& coords, const std::string& href, bool nohref = false) {
    TAreaParams a;
    a.Shape = shape;
    a.Coords = coords;
    a.Href = href;
    a.NoHref = nohref;
    m.AddArea(a);
  };
  add("circle", "50,50,10", "circle");
  add("rect", "0,0,20,20", "rect");
  add("poly", "100,0,120,0,110,20", "poly");
  add("rect", "0,0", "too-few");
  add("rect", "30,0,40,10", "x", true);
  add("rect", "30,0,40,10", "hidden");
  EXPECT_EQ(m.Areas.size(), 5u);
  TUrlTarget out;
  auto hit = [&](int x, int y) { return m.HitTest(x, y, out) ? out.Url : std::string(); };
  EXPECT_EQ(hit(20, 20), "rect");  // edges inclusive
  EXPECT_EQ(hit(21, 20), "");
  EXPECT_EQ(hit(60, 50), "circle");  // the radius itself belongs to the circle
  EXPECT_EQ(hit(61, 50), "");
  EXPECT_EQ(hit(57, 57), "circle");
  EXPECT_EQ(hit(58, 58), "");
  EXPECT_EQ(hit(110, 10), "poly");
  EXPECT_EQ(hit(101, 18), "");
  EXPECT_EQ(hit(35, 5), "");  // an area without HREF ends the search
  EXPECT_EQ(ReadCoords("1,2,,3,4"), (std::vector<int>{1, 2}));
  EXPECT_EQ(ReadCoords("5, x, 7"), (std::vector<int>{5, 0, 7}));
  EXPECT_EQ(ReadCoords(std::string(2000, '1') + ",2").size(), 2u);
  std::string many;
  for (int i = 0; i < 300; ++i) many += "1,";
  EXPECT_EQ(ReadCoords(many).size(), 201u);
}

TEST(ModelImage, GifTransparentColourIsReadSafely) {
  // GIF89a, global table of 2 entries, graphic control extension with index 1.
  std::vector<unsigned char> g = {'G', 'I', 'F',  '8',  '9',  'a',  1,    0, 1, 0, 0x80, 0, 0, 1,
                                  2,   3,   0x10, 0x20, 0x30, 0x21, 0xF9, 4, 1, 0, 0,    1, 0};
  THtColor col = 0;
  ASSERT_TRUE(GifTransparentColor(g.data(), g.size(), col));
  EXPECT_EQ(col, 0x10 + 256 * 0x20 + 65536 * 0x30);
  auto bad = g;
  bad[4] = '7';  // GIF87a
  EXPECT_FALSE(GifTransparentColor(bad.data(), bad.size(), col));
  bad = g;
  bad[10] = 0x00;  // no global colour table
  EXPECT_FALSE(GifTransparentColor(bad.data(), bad.size(), col));
  bad = g;
  bad[25] = 7;  // index beyond the table
  EXPECT_FALSE(GifTransparentColor(bad.data(), bad.size(), col));
  for (size_t n = 0; n < g.size() - 1; ++n) EXPECT_FALSE(GifTransparentColor(g.data(), n, col)) << n;
  bad = g;
  bad[10] = 0x87;  // a table of 256 entries that the file does not hold
  EXPECT_FALSE(GifTransparentColor(bad.data(), bad.size(), col));
  bad = g;
  bad[22] = 0;  // the transparency bit off
  EXPECT_FALSE(GifTransparentColor(bad.data(), bad.size(), col));
  bad = g;
  bad[0] = 'X';  // not a GIF at all
  EXPECT_FALSE(GifTransparentColor(bad.data(), bad.size(), col));
  EXPECT_FALSE(GifTransparentColor(nullptr, 0, col));
  EXPECT_FALSE(ReadGifTransparentColor("no such file.gif", col));

  // From a file: the largest table (256 entries) still lies within the bytes read.
  std::vector<unsigned char> big = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x87, 0, 0};
  for (int i = 0; i < 256; ++i) big.insert(big.end(), {1, 2, 3});
  big[13 + 3 * 200] = 0xAA;
  big[13 + 3 * 200 + 1] = 0xBB;
  big[13 + 3 * 200 + 2] = 0xCC;
  big.insert(big.end(), {0x21, 0xF9, 4, 1, 0, 0, 200, 0, 0x3B});
  std::string path = ::testing::TempDir() + "vx_big_table.gif";
  {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(big.data()), static_cast<std::streamsize>(big.size()));
  }
  col = 0;
  EXPECT_TRUE(ReadGifTransparentColor(path, col));
  EXPECT_EQ(col, 0xAA + 256 * 0xBB + 65536 * 0xCC);
  // The same file cut before its colour index.
  {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(big.data()), static_cast<std::streamsize>(13 + 768 + 6));
  }
  EXPECT_FALSE(ReadGifTransparentColor(path, col));
  std::remove(path.c_str());
}

TEST(ModelImage, ViewerPaletteEntries) {
  TPalEntry e[256];
  e[0] = {1, 2, 3};
  e[255] = {9, 9, 9};
  BuildViewerPaletteEntries(e);
  EXPECT_EQ(e[0].R, 1);
  EXPECT_EQ(e[10].R, 55);
  EXPECT_EQ(e[10 + 1].R, 115);       // red changes fastest
  EXPECT_EQ(e[10 + 36 * 5].B, 255);  // blue slowest
  EXPECT_EQ(e[10 + 36 * 5].R, 55);
  EXPECT_EQ(e[226].G, 135);
  EXPECT_EQ(e[249].G, 250);
  EXPECT_EQ(e[255].R, 9);
}

TEST(ModelImage, DeviceIndependentCopySizes) {
  std::uint64_t n = 0;
  ASSERT_TRUE(DibImageSize(3, 2, 24, n));
  EXPECT_EQ(n, 24u);  // rows of 9 bytes padded to 12
  ASSERT_TRUE(DibImageSize(33, 1, 1, n));
  EXPECT_EQ(n, 8u);
  EXPECT_FALSE(DibImageSize(0, 5, 24, n));
  EXPECT_FALSE(DibImageSize(70000, 70000, 24, n));  // beyond 32 bits and beyond any sane picture
  EXPECT_FALSE(DibImageSize(2147483647, 2147483647, 32, n));
  EXPECT_EQ(DibBitsPerPixel(1, 16), 24);
  EXPECT_EQ(DibBitsPerPixel(1, 32), 24);
  EXPECT_EQ(DibBitsPerPixel(1, 8), 8);
}
