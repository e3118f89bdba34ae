#include <gtest/gtest.h>

#include "viewer/HTMLAttribs.h"
#include "viewer/tests/model_fakes.h"

using namespace vxt;

namespace {
TAttributeList Attrs(std::initializer_list<TAttribute> l) {
  TAttributeList a;
  for (auto& t : l) a.Add(t);
  return a;
}
}  // namespace

TEST(ModelAttr, ColoursTakeTwentyFourBitsAtMost) {
  THtColor c = 0;
  ASSERT_TRUE(ReadHtColor("#FF0000", c));
  EXPECT_EQ(c, 0x0000FF);
  ASSERT_TRUE(ReadHtColor("navy", c));
  EXPECT_EQ(c, 0x800000);
  ASSERT_TRUE(ReadHtColor("00ff00", c));
  EXPECT_EQ(c, 0x00FF00);
  EXPECT_FALSE(ReadHtColor("#FFFFFFFFFF", c));
  EXPECT_FALSE(ReadHtColor("bogus", c));
}

TEST(ModelAttr, TablesCellsRulesAndImagesFromAttributes) {
  TSectionList list;
  auto t = NewTable(&list,
                    Attrs({{BorderAttr, 1, ""},
                           {CellPaddingAttr, 80, "80"},
                           {WidthAttr, 50, "50%"},
                           {AlignAttr, 0, "center"},
                           {BgColorAttr, 0, "red"}}),
                    1);
  EXPECT_TRUE(t->HasBorder);
  EXPECT_EQ(t->CellPadding, 50);
  EXPECT_TRUE(t->WidthPercent);
  EXPECT_EQ(t->SpecWidth, 50);
  EXPECT_EQ(t->Align, 2);
  EXPECT_TRUE(t->BkGnd);
  EXPECT_EQ(t->BkColor, 0x0000FF);
  auto cell = NewCellObj(
      &list, Attrs({{ColSpanAttr, 2000000000, "2000000000"}, {RowSpanAttr, -4, "-4"}, {WidthAttr, 150, "150%"}}), 1);
  EXPECT_EQ(cell->ColSpan, kMaxColSpan);  // clamped before any filler cell exists
  EXPECT_EQ(cell->RowSpan, 1);
  EXPECT_TRUE(cell->SpecWdPercent);
  EXPECT_EQ(cell->SpecWd, 0);
  auto hr = NewHorzLine(&list, Attrs({{SizeAttr, 5, "5"}, {WidthAttr, 40, "40%"}}));
  EXPECT_EQ(hr->Thickness, 5);
  EXPECT_TRUE(hr->IsPercent);
  auto img = ImageParamsOf(Attrs({{SrcAttr, 0, "a.gif"}, {HeightAttr, 10, "10"}, {UseMapAttr, 0, "#m"}}));
  TImageObj obj(0, img);
  EXPECT_EQ(obj.SpecHeight, 0);  // only HEIGHT: the picture's own size
  EXPECT_EQ(obj.MapName, "M");
  auto area = AreaParamsOf(Attrs({{HrefAttr, 0, "x"}, {NoHrefAttr, 0, ""}, {CoordsAttr, 0, "1,2,3,4"}}));
  EXPECT_TRUE(area.NoHref);
  EXPECT_TRUE(area.Href.empty());
  ThtmlForm* f = NewForm(&list, Attrs({{MethodAttr, 0, "POSTAL"}}));
  EXPECT_EQ(f->Method, "POST");
}

TEST(ModelAttr, AnchorsIntoADroppedTableAreRemoved) {
  TSectionList list;
  TStringList anchors;
  list.Anchors = &anchors;
  TSection* before = AddPara(list, "before");
  auto t = NewTable(&list, Attrs({}), 1);
  auto row = std::make_unique<TCellList>();
  for (int i = 0; i < 31; ++i) row->Cells.push_back(std::make_unique<TCellObj>(&list, 1));
  auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, Font12(), 0);
  s->AppendText("inside");
  anchors.AddObject("INSIDE", s.get());
  row->Cells[0]->Cell->Add(std::move(s));
  t->AddRow(std::move(row));
  anchors.AddObject("TABLE", t.get());
  anchors.AddObject("BEFORE", before);
  list.Add(std::move(t));
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 300, widest);
  ASSERT_EQ(anchors.Count(), 1);
  EXPECT_EQ(anchors[0], "BEFORE");
}
