#include <gtest/gtest.h>

#include <set>

#include "viewer/PageCanvas.h"
#include "viewer/tests/model_fakes.h"

using namespace vxt;

// Pages as the printer takes them: each page is painted from the page-break Y of the one before.
static std::vector<std::vector<FakeCanvas::Op>> PrintPages(TSectionList& doc, int pageH, int width) {
  FakeCanvas c;
  int widest = 0;
  doc.Printing = true;
  doc.PageHeight = pageH;
  doc.DoLayout(c, width, widest);
  std::vector<std::vector<FakeCanvas::Op>> pages;
  int y = 0;
  for (int guard = 0; guard < 100; ++guard) {
    c.ops.clear();
    doc.Paint(c, {10, y, width, y + pageH}, 0, 10);
    pages.push_back(c.Of("text"));
    int top = 0;
    int next = doc.PageBottom > y ? doc.PageBottom : y + pageH;
    if (!doc.SectionAndLineAtY(next, top)) break;
    y = next;
  }
  return pages;
}

TEST(ModelPrint, PageBreaksAtLineTopsAndNothingPrintsTwice) {
  TSectionList doc;
  std::string text;
  for (int i = 0; i < 60; ++i) text += "word" + std::to_string(i) + " ";
  AddPara(doc, text);
  auto pages = PrintPages(doc, 50, 100);  // lines of 16: a page holds three
  ASSERT_GE(pages.size(), 4u);
  std::multiset<std::string> seen;
  for (size_t p = 0; p < pages.size(); ++p) {
    EXPECT_LE(pages[p].size(), 2u * 3) << "page " << p;
    for (auto& o : pages[p]) {
      EXPECT_EQ(o.color, htc::Black);
      seen.insert(o.text + "@" + std::to_string(o.y));
    }
  }
  for (auto& s : seen) EXPECT_EQ(seen.count(s), 1u) << s;
  std::string all;
  for (auto& p : pages)
    for (auto& o : p) all += o.text;
  EXPECT_EQ(all, text.substr(0, text.size()));
}

TEST(ModelPrint, PageMarkerStartsANewPage) {
  TSectionList doc;
  AddPara(doc, "first");
  doc.Add(std::make_unique<TPage>(&doc));
  AddPara(doc, "second");
  auto pages = PrintPages(doc, 500, 300);
  ASSERT_EQ(pages.size(), 2u);
  ASSERT_EQ(pages[0].size(), 1u);
  EXPECT_EQ(pages[0][0].text, "first");
  EXPECT_EQ(pages[1][0].text, "second");
}

TEST(ModelPrint, HitTestsAreIgnoredWhileLayoutRuns) {
  TSectionList doc;
  AddPara(doc, "text");
  FakeCanvas c;
  int widest = 0;
  doc.DoLayout(c, 300, widest);
  int during = 0;
  c.onMeasure = [&] {
    TUrlTarget u;
    int a, b, x;
    if (doc.UrlAtPoint(c, 12, 2, u) || doc.CharIndexAtPoint(c, 12, 2, a, b, x) >= 0 ||
        doc.FindTextFrom(0, "text", false) >= 0)
      ++during;
  };
  doc.DoLayout(c, 300, widest);
  EXPECT_EQ(during, 0);
  c.onMeasure = nullptr;
  EXPECT_EQ(doc.FindTextFrom(0, "text", false), 0);
}

// The printer's page canvas draws text font by font, except where the order of two runs
// shows: a run on an opaque background, or in another colour, over a waiting one is drawn
// after it, as on the screen. Runs that only touch keep their grouping.
TEST(ModelPrint, RunsWhoseOrderShowsAreDrawnInPageOrder) {
  struct Italic : FakeCanvas {
    THtMetrics Metrics(const TMyFont& f) override {
      THtMetrics m = FakeCanvas::Metrics(f);
      if (f.Style & htItalic) m.Overhang = 3;
      return m;
    }
  } screen;
  TMyFont plain, bold, italic;
  bold.Style = htBold;
  italic.Style = htItalic;
  auto order = [&] {
    std::string s;
    for (auto& o : screen.Of("text")) s += o.text;
    return s;
  };
  {
    TPageCanvas page(screen);
    page.TextOut(plain, htc::Black, 0, 20, "a", 1, htc::None, nullptr);
    page.TextOut(bold, htc::Black, 6, 20, "b", 1, htc::None, nullptr);
    page.TextOut(plain, htc::Black, 12, 20, "c", 1, htc::None, nullptr);  // only touches b
    page.TextOut(bold, htc::Black, 0, 40, "d", 1, htc::None, nullptr);    // the next line
    page.Flush();
  }
  EXPECT_EQ(order(), "acbd");
  screen.ops.clear();
  {
    TPageCanvas page(screen);
    page.TextOut(plain, htc::Black, 0, 20, "a", 1, htc::None, nullptr);
    page.TextOut(bold, htc::Black, 6, 20, "b", 1, htc::None, nullptr);
    page.TextOut(plain, htc::White, 9, 20, "c", 1, htc::Black, nullptr);  // opaque over b
    page.Flush();
  }
  EXPECT_EQ(order(), "abc");
  screen.ops.clear();
  {
    TPageCanvas page(screen);
    page.TextOut(plain, htc::Black, 0, 20, "a", 1, htc::None, nullptr);
    page.TextOut(italic, htc::Red, 6, 20, "i", 1, htc::None, nullptr);  // leans over what follows
    page.TextOut(bold, htc::Black, 10, 20, "b", 1, htc::None, nullptr);
    page.TextOut(plain, htc::Black, 16, 20, "c", 1, htc::None, nullptr);
    page.Flush();
  }
  EXPECT_EQ(order(), "aibc");
}
