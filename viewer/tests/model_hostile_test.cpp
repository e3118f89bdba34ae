// Hostile documents built with a fixed seed: deep nesting, huge spans and sizes, control
// bytes. Each must lay out, paint, hit-test, search and copy without failing or hanging.
#include <gtest/gtest.h>

#include <random>

#include "viewer/tests/model_fakes.h"

using namespace vxt;

namespace {
struct Builder {
  std::mt19937 rng{12345};
  TSectionList& list;
  FakeServices& svc;
  int Pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
  std::string Text() {
    std::string s;
    int n = Pick(40);
    for (int i = 0; i < n; ++i) {
      int k = Pick(10);
      s += k == 0 ? ' ' : k == 1 ? static_cast<char>(Pick(8)) : static_cast<char>('a' + Pick(26));
    }
    return s;
  }
  std::unique_ptr<TSectionBase> Section(int depth) {
    int k = Pick(depth > 8 ? 6 : 8);
    TMyFont f = Font12();
    f.Size = 1 + Pick(40);
    switch (k) {
      case 0: return std::make_unique<TParagraphSpace>(&list);
      case 1: return std::make_unique<THeadingSpace>(&list, Pick(9) - 1);
      case 2: return std::make_unique<THorzLine>(&list, Pick(50) - 10, Pick(300) - 50, Pick(2) == 0);
      case 3: return std::make_unique<TPage>(&list);
      case 4: {
        auto s = std::make_unique<TPreFormated>(&list, Pick(4), 1, nullptr, f, 0);
        s->AppendText(Text());
        return s;
      }
      case 5: {
        auto s = std::make_unique<TOListItem>(&list, Pick(12), 1 + Pick(3), nullptr, f, 0, Pick(100000));
        Fill(*s);
        return s;
      }
      case 6:
      case 7: {
        if (k == 7 && depth < 12) return Table(depth + 1);
        auto s = std::make_unique<TSection>(&list, Pick(3), 1 + Pick(3), nullptr, f, 0);
        Fill(*s);
        return s;
      }
    }
    return nullptr;
  }
  void Fill(TSection& s) {
    int n = Pick(8);
    for (int i = 0; i < n; ++i) {
      int k = Pick(6);
      if (k == 0) {
        TImageParams p;
        p.Src = Pick(2) ? "pic.gif" : "missing.gif";
        p.HasSrc = true;
        const char* al[] = {"left", "right", "top", "middle", "bottom", ""};
        p.Align = al[Pick(6)];
        p.Width = Pick(3) ? 0 : Pick(100000);
        p.Height = Pick(3) ? 0 : Pick(100000);
        p.Alt = Pick(2) ? "alt" : "";
        p.HasAlt = !p.Alt.empty();
        s.AddImage(p);
      } else if (k == 1) {
        TMyFont f = Font12();
        f.Size = 1 + Pick(60);
        s.ChangeFont(f, static_cast<std::uint8_t>(Pick(8)), static_cast<std::uint8_t>(Pick(3)));
      } else if (k == 2) {
        s.SetClearMode(Pick(2) ? "left" : "all");
      } else {
        s.AppendText(Text());
      }
    }
  }
  std::unique_ptr<TSectionBase> Table(int depth) {
    TTableParams p;
    p.Border = Pick(2);
    p.HasPadding = Pick(2);
    p.Padding = Pick(200) - 20;
    p.HasSpacing = Pick(2);
    p.Spacing = Pick(200) - 20;
    p.HasWidth = Pick(2);
    p.Width = Pick(3000) - 100;
    p.WidthPercent = Pick(2);
    auto t = std::make_unique<ThtmlTable>(&list, p);
    int rows = Pick(5);
    for (int r = 0; r < rows; ++r) {
      auto row = std::make_unique<TCellList>();
      int cells = Pick(6);
      for (int c = 0; c < cells; ++c) {
        auto cell = std::make_unique<TCellObj>(&list, static_cast<std::uint8_t>(Pick(3)));
        int big = Pick(10);
        cell->SetSpans(big == 0 ? 2000000000 : 1 + Pick(4), big == 1 ? 2000000000 : 1 + Pick(4));
        cell->SetWidth(Pick(4) ? 0 : Pick(300), Pick(2) == 0);
        int n = Pick(3);
        for (int i = 0; i < n; ++i) cell->Cell->Add(Section(depth));
        row->Cells.push_back(std::move(cell));
      }
      t->AddRow(std::move(row));
    }
    if (Pick(2)) t->Caption->Cell->Add(Section(depth));
    t->TopCaption = Pick(2);
    return t;
  }
};
}  // namespace

TEST(ModelHostile, FixedSeedDocumentsSurviveEveryOperation) {
  FakeServices svc;
  svc.files["pic.gif"] = {37, 23};
  for (int doc = 0; doc < 40; ++doc) {
    TSectionList list;
    list.ImageServices = &svc;
    list.ShowImages = doc % 3 != 0;
    list.ExpandSourceName = [](const std::string& s) { return s; };
    int errors = 0;
    list.ShowError = [&](const std::string&) { ++errors; };
    Builder b{std::mt19937(1000 + doc), list, svc};
    int n = 1 + b.Pick(30);
    for (int i = 0; i < n; ++i) list.Add(b.Section(0));
    FakeCanvas c;
    for (int width : {0, 1, 57, 640, 5000}) {
      int widest = 0;
      int h = list.DoLayout(c, width, widest);
      ASSERT_GE(h, 0);
      list.SelB = 3;
      list.SelE = 500;
      list.Paint(c, {0, 0, width + 20, 2000}, 0, 10);
      TUrlTarget u;
      int lh, lt, cx;
      for (int y = 0; y < std::min(h, 3000); y += 37) {
        list.UrlAtPoint(c, 10 + y % 300, y, u);
        list.CharIndexAtPoint(c, 10 + y % 300, y, lh, lt, cx);
      }
      list.FindTextFrom(0, "ab", false);
      list.SelectionText();
    }
    auto copy = list.CreateClone();
    copy->Printing = true;
    copy->PageHeight = 300;
    int widest = 0;
    copy->DoLayout(c, 600, widest);
    int y = 0;
    for (int page = 0; page < 200; ++page) {
      copy->Paint(c, {10, y, 600, y + 300}, 0, 10);
      int next = copy->PageBottom > y ? copy->PageBottom : y + 300;
      int top = 0;
      if (!copy->SectionAndLineAtY(next, top)) break;
      y = next;
    }
  }
}

TEST(ModelHostile, DeeplyNestedTablesLayOut) {
  TSectionList list;
  std::unique_ptr<TSectionBase> inner;
  {
    auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, Font12(), 0);
    s->AppendText("deep text here");
    inner = std::move(s);
  }
  for (int d = 0; d < 10; ++d) {
    TTableParams p;
    p.Border = 1;
    auto t = std::make_unique<ThtmlTable>(&list, p);
    auto row = std::make_unique<TCellList>();
    auto cell = std::make_unique<TCellObj>(&list, 1);
    cell->Cell->Add(std::move(inner));
    row->Cells.push_back(std::move(cell));
    t->AddRow(std::move(row));
    inner = std::move(t);
  }
  list.Add(std::move(inner));
  FakeCanvas c;
  int widest = 0;
  int h = list.DoLayout(c, 800, widest);
  EXPECT_EQ(h, 16 + 10 * (2 * 2 + 2 * 3));  // each level: padding twice, spacing above and below
  list.Paint(c, {0, 0, 1000, 2000}, 0, 10);
  EXPECT_EQ(list.FindTextFrom(0, "TEXT", false), 5);
}
