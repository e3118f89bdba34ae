#include <gtest/gtest.h>

#include <numeric>

#include "viewer/tests/model_fakes.h"

using namespace vxt;

namespace {
struct CellSpec {
  std::string text;
  int colSpan = 1, rowSpan = 1, width = 0;
  bool percent = false;
};

ThtmlTable* AddTable(TSectionList& list, const std::vector<std::vector<CellSpec>>& rows, TTableParams p = {}) {
  auto t = std::make_unique<ThtmlTable>(&list, p);
  for (auto& r : rows) {
    auto row = std::make_unique<TCellList>();
    for (auto& cs : r) {
      auto cell = std::make_unique<TCellObj>(&list, 1);
      cell->SetSpans(cs.colSpan, cs.rowSpan);
      if (cs.width) cell->SetWidth(cs.width, cs.percent);
      if (!cs.text.empty()) {
        auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, Font12(), 0);
        s->AppendText(cs.text);
        cell->Cell->Add(std::move(s));
      }
      row->Cells.push_back(std::move(cell));
    }
    t->AddRow(std::move(row));
  }
  ThtmlTable* r = t.get();
  list.Add(std::move(t));
  return r;
}
}  // namespace

TEST(ModelTable, PaddingSpacingAndWidthFloor) {
  TSectionList list;
  auto mk = [&](bool hp, int pad, bool hs, int sp) {
    TTableParams p;
    p.HasPadding = hp;
    p.Padding = pad;
    p.HasSpacing = hs;
    p.Spacing = sp;
    return ThtmlTable(&list, p);
  };
  EXPECT_EQ(mk(true, 0, true, 0).CellPadding, 1);
  EXPECT_EQ(mk(true, 0, true, 0).CellSpacing, 1);
  EXPECT_EQ(mk(true, 80, true, 100).CellPadding, 50);
  EXPECT_EQ(mk(true, 80, true, 100).CellSpacing, 40);
  EXPECT_EQ(mk(false, 0, false, 0).CellPadding, 2);
  EXPECT_EQ(mk(false, 0, false, 0).CellSpacing, 3);

  TTableParams p;
  p.HasWidth = true;
  p.Width = 10;
  ThtmlTable* t = AddTable(list, {{{""}}}, p);
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 500, widest);
  EXPECT_EQ(t->Widths[0], 20);  // target 10 - spacing 3 is raised to 20
}

TEST(ModelTable, SpansBecomeFillerCells) {
  TSectionList list;
  ThtmlTable* t = AddTable(list, {{{"a"}, {"b"}}, {{"wide", 3}, {"c"}}});
  t->Normalize();
  EXPECT_EQ(t->NumCols, 4);
  EXPECT_TRUE(t->Rows[1]->Cells[1]->Filler());
  EXPECT_TRUE(t->Rows[1]->Cells[2]->Filler());

  TSectionList list2;
  ThtmlTable* t2 = AddTable(list2, {{{"x"}, {"tall", 1, 5}}, {{"y"}}});
  t2->Normalize();
  EXPECT_EQ(t2->Rows[0]->Cells[1]->RowSpan, 2);
  ASSERT_EQ(t2->Rows[1]->Cells.size(), 2u);
  EXPECT_TRUE(t2->Rows[1]->Cells[1]->Filler());
  EXPECT_EQ(t2->Rows[1]->Cells[1]->RowSpan, 0);
}

TEST(ModelTable, ModeFollowsTheCellWidths) {
  TSectionList list;
  ThtmlTable* pct = AddTable(list, {{{"a", 1, 1, 50, true}, {"b"}}});
  ThtmlTable* abs = AddTable(list, {{{"a", 1, 1, 50}, {"b"}}});
  ThtmlTable* none = AddTable(list, {{{"a"}, {"b"}}});
  pct->Normalize();
  abs->Normalize();
  none->Normalize();
  EXPECT_FALSE(pct->AbsoluteMode);
  EXPECT_TRUE(abs->AbsoluteMode);
  EXPECT_FALSE(none->AbsoluteMode);
}

TEST(ModelTable, AbsoluteWidthsStayBetweenMinimaAndMaxima) {
  TSectionList list;
  ThtmlTable* t = AddTable(list, {{{"aaa bbb ccc ddd", 1, 1, 30}, {"eeeeee ff gg hh ii jj", 1, 1, 10}}});
  FakeCanvas c;
  std::vector<int> mins, maxs;
  int tmin = 0, tmax = 0;
  t->ComputeLimits(c, mins, maxs, tmin, tmax);
  ASSERT_EQ(mins.size(), 2u);
  EXPECT_EQ(mins[0], 30);  // widest word 18 + pad 7, raised to WIDTH 30
  for (int W : {tmin - 10, tmin + 1, (tmin + tmax) / 2, tmax + 50}) {
    auto w = t->ColumnWidths(c, W);
    int sum = std::accumulate(w.begin(), w.end(), 0);
    for (int k = 0; k < 2; ++k) {
      EXPECT_GE(w[k], mins[k]);
      EXPECT_LE(w[k], maxs[k]);
    }
    if (W > tmin && W < tmax) {
      EXPECT_NEAR(sum, W, 2);
    }
  }
}

TEST(ModelTable, PercentColumnsWithATableWidth) {
  TSectionList list;
  TTableParams p;
  p.HasWidth = true;
  p.Width = 400;
  ThtmlTable* t = AddTable(list, {{{"a", 1, 1, 50, true}, {"b"}}}, p);
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 1000, widest);
  EXPECT_EQ(t->Widths[0], 199);
  EXPECT_EQ(t->Widths[1], 199);
  // Without the table's width it takes only what it needs.
  TSectionList list2;
  ThtmlTable* t2 = AddTable(list2, {{{"a", 1, 1, 50, true}, {"b"}}});
  list2.DoLayout(c, 1000, widest);
  EXPECT_EQ(t2->Widths[0], 13);
  EXPECT_EQ(t2->Widths[1], 13);
}

TEST(ModelTable, SpanningCellOverEmptyColumnsIsSpreadEvenly) {
  for (bool pixels : {false, true}) {
    TSectionList list;
    ThtmlTable* t = AddTable(list, {{{"abcdefghij", 2, 1, pixels ? 5 : 0}}, {{""}, {""}}});
    FakeCanvas c;
    int widest = 0;
    list.DoLayout(c, 1000, widest);
    ASSERT_EQ(t->Widths.size(), 2u);
    EXPECT_GE(t->Widths[0], 0);
    EXPECT_GE(t->Widths[1], 0);
    EXPECT_GE(t->Widths[0] + t->Widths[1], 60 + 7);
    EXPECT_LE(std::abs(t->Widths[0] - t->Widths[1]), 8);
  }
}

TEST(ModelTable, RowSpanHeightsAndCaptionOrder) {
  TSectionList list;
  ThtmlTable* t = AddTable(list, {{{"aaaa aaaa aaaa aaaa aaaa", 1, 2}, {"b"}}, {{"c"}}});
  t->TopCaption = false;
  auto cap = std::make_unique<TSection>(&list, 0, 1, nullptr, Font12(), 0);
  cap->AppendText("caption words");
  t->Caption->Cell->Add(std::move(cap));
  TTableParams p;
  p.HasWidth = true;
  p.Width = 100;
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 90, widest);
  TCellObj* tall = t->Rows[0]->Cells[0].get();
  EXPECT_GE(t->Rows[0]->RowHeight + t->Rows[1]->RowHeight, tall->VSize + 2 * t->CellPadding + t->CellSpacing);
  EXPECT_EQ(t->SectionHeight, t->RowsHeight + t->CaptionHeight);
  // The bottom caption comes after the cells in document order.
  int capIndex = list.FindTextFrom(0, "caption", false);
  int cIndex = list.FindTextFrom(0, "c", true);
  EXPECT_GT(capIndex, cIndex);
  EXPECT_EQ(t->Len, 24 + 1 + 1 + 13);
}

TEST(ModelTable, TooManyColumnsDropsTheTableAfterLayout) {
  TSectionList list;
  AddPara(list, "before");
  ThtmlTable* t = AddTable(list, {{{"x", 2000000000}}});
  TSectionBase* inner = t->Rows[0]->Cells[0]->Cell->Sections[0].get();
  AddPara(list, "after");
  std::vector<const TSectionBase*> dropped;
  std::vector<std::string> shown;
  bool layingOutWhenShown = true;
  list.OnSectionDropped = [&](const TSectionBase* s) {
    dropped.push_back(s);
    EXPECT_TRUE(s->Holds(inner));  // anchors into the table's cells go with it
  };
  list.ShowError = [&](const std::string& m) {
    shown.push_back(m);
    layingOutWhenShown = list.LayingOut();
  };
  FakeCanvas c;
  int widest = 0;
  int h = list.DoLayout(c, 500, widest);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Table has too many Columns");
  EXPECT_FALSE(layingOutWhenShown);
  EXPECT_EQ(dropped.size(), 1u);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(h, 32);

  // An inner table that fails drops only itself, not the table around it.
  TSectionList list2;
  ThtmlTable* outer = AddTable(list2, {{{"outer"}}});
  TTableParams p;
  auto bad = std::make_unique<ThtmlTable>(&list2, p);
  auto row = std::make_unique<TCellList>();
  for (int i = 0; i < 31; ++i) row->Cells.push_back(std::make_unique<TCellObj>(&list2, 1));
  bad->AddRow(std::move(row));
  outer->Rows[0]->Cells[0]->Cell->Add(std::move(bad));
  int n = 0;
  list2.ShowError = [&](const std::string&) { ++n; };
  list2.DoLayout(c, 500, widest);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(list2.Count(), 1);
  EXPECT_EQ(outer->Rows[0]->Cells[0]->Cell->Count(), 1);
}

TEST(ModelTable, PaintBordersFillsAndPrintCopy) {
  TSectionList list;
  list.Background = htc::White;
  TTableParams p;
  p.Border = 1;
  p.HasBorderColor = true;
  p.BorderColor = 0x0000FF;
  p.HasBgColor = true;
  p.BgColor = 0x00FF00;
  ThtmlTable* t = AddTable(list, {{{"a"}, {"b"}}, {{"c"}, {""}}}, p);
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 500, widest);
  list.Paint(c, {0, 0, 1000, 1000}, 0, 10);
  auto fills = c.Of("fill");
  EXPECT_EQ(fills.size(), 3u);  // cells with content take the table's colour
  for (auto& f : fills) EXPECT_EQ(f.color, 0x0200FF00);
  auto region = c.Of("region");
  ASSERT_EQ(region.size(), 1u);
  EXPECT_EQ(region[0].text, "3");
  EXPECT_EQ(region[0].x, 10 + t->TableIndent);
  bool silver = false;
  for (auto& l : c.Of("line")) silver |= l.color == htc::Silver;
  EXPECT_TRUE(silver);  // white page: silver light edges

  auto copy = list.CreateClone();
  auto* ct = dynamic_cast<ThtmlTable*>(copy->Sections[0].get());
  ASSERT_TRUE(ct);
  EXPECT_FALSE(ct->BkGnd);
  EXPECT_FALSE(ct->HasBorderColor);
  EXPECT_FALSE(ct->Rows[0]->Cells[0]->BkGnd);
  FakeCanvas pc;
  copy->Printing = true;
  copy->PageHeight = 1000;
  copy->DoLayout(pc, 500, widest);
  copy->Paint(pc, {0, 0, 1000, 1000}, 0, 10);
  EXPECT_TRUE(pc.Of("fill").empty());
  EXPECT_TRUE(pc.Of("region").empty());
}

TEST(ModelTable, HitTestsReachTheCells) {
  TSectionList list;
  ThtmlTable* t = AddTable(list, {{{"aaaa"}, {""}}});
  auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, Font12(), 0);
  TUrlTarget link;
  link.Set("cell.htm", "");
  s->HRef(true, Font12(), &link, 0, 0);
  s->AppendText("link");
  t->Rows[0]->Cells[1]->Cell->Add(std::move(s));
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 500, widest);
  list.Paint(c, {0, 0, 1000, 1000}, 0, 10);
  int x1 = t->DrawX + t->Widths[0] + t->CellSpacing + t->CellPadding + 3;
  int y1 = t->CellSpacing + t->CellPadding + 4;
  TUrlTarget out;
  EXPECT_TRUE(list.UrlAtPoint(c, x1, y1, out));
  EXPECT_EQ(out.Url, "cell.htm");
  int lh = 0, lt = 0, cx = 0;
  int idx = list.CharIndexAtPoint(c, x1 + 6, y1, lh, lt, cx);
  EXPECT_EQ(idx, 4 + 1);
  EXPECT_EQ(lt, t->CellSpacing + t->CellPadding);
  EXPECT_FALSE(list.UrlAtPoint(c, t->DrawX + 3, y1, out));
}
