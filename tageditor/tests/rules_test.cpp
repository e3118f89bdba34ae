// The editing rules: new and copied tags, pick lists, the code sample's conversion and
// green words, and the memory figure.
#include <gtest/gtest.h>

#include "tageditor/TagEdRules.h"
#include "tageditor/tests/SampleSet.h"

namespace vx {

TEST(TagRules, NewAndCopiedTags) {
  auto t = MakeNewTag("BLINK");
  EXPECT_EQ(t->EndTag(), "/BLINK");
  EXPECT_EQ(t->Kind(), tkHasEndTag);
  EXPECT_EQ(t->GroupIndex(), 0);
  EXPECT_EQ(t->Browsers(), 0);
  EXPECT_EQ(t->Attribs().Count(), 0);

  THTMLGroup g;
  FillSampleSet(g);
  THTMLTagDef* li = g.FindTag("LI");
  li->SetBrowsers(bfIE3 | bfIntBrowser);
  li->SetExtraText("kept with LI only");
  THTMLAttribDef* value = li->AttribAt(1);
  value->SetPickList("1\r\n2");
  value->SetFilter("Any|*.*");
  value->SetAttrType(atPickList);
  value->SetIsFlag(true);
  value->SetBrowsers(bfMosaic);
  auto copy = MakeCopiedTag("DT", *li, {value});
  EXPECT_EQ(copy->Name(), "DT");
  EXPECT_EQ(copy->EndTag(), "/DT");
  EXPECT_EQ(copy->Kind(), tkEither);
  EXPECT_EQ(copy->GroupIndex(), 1);
  EXPECT_EQ(copy->Browsers(), bfIE3 | bfIntBrowser);
  EXPECT_EQ(copy->Description(), li->Description());
  EXPECT_EQ(copy->ExtraText(), "");
  ASSERT_EQ(copy->Attribs().Count(), 1);
  const THTMLAttribDef* c = copy->AttribAt(0);
  EXPECT_NE(c, value);  // a copy the new tag owns
  EXPECT_EQ(copy->Attribs()[0], "VALUE");
  EXPECT_EQ(c->PickList(), "1\r\n2");
  EXPECT_EQ(c->Filter(), "Any|*.*");
  EXPECT_EQ(c->OtherAttrib(), "TYPE");
  EXPECT_EQ(c->Description(), "Number.");
  EXPECT_EQ(c->AttrType(), atPickList);
  EXPECT_EQ(c->Required(), arUnlessOther);
  EXPECT_TRUE(c->IsFlag());
  EXPECT_EQ(c->Browsers(), bfMosaic);
  EXPECT_EQ(MakeCopiedTag("DD", *li, {})->Attribs().Count(), 0);
}

TEST(TagRules, PickListSortAndSampleText) {
  EXPECT_EQ(SortPickList("right\r\nLeft\r\ncenter\r\n"), "CENTER\r\nLEFT\r\nRIGHT");
  EXPECT_EQ(SortPickList(""), "");
  EXPECT_EQ(EscapeSampleText("a<b>"), "a&lt;b&gt;");
  EXPECT_EQ(EscapeSampleText("<<x>>"), "&lt;&lt;x&gt;&gt;");
  EXPECT_EQ(EscapeSampleText("no tags & such"), "no tags & such");
  for (const char* w : {"<B", "<i", "<CODE", "<p", "<BR", "<Sup", "<SUB"}) EXPECT_TRUE(IsSampleTagWord(w)) << w;
  for (const char* w : {"<BIG", "B", "<", "", "<SU"}) EXPECT_FALSE(IsSampleTagWord(w)) << w;
}

TEST(TagRules, KilobytesWithSeparators) {
  EXPECT_EQ(FormatKilobytes(8ull * 1024 * 1024 * 1024, ','), "8,388,608 KB");
  EXPECT_EQ(FormatKilobytes(1023, ','), "0 KB");
  EXPECT_EQ(FormatKilobytes(999 * 1024, '.'), "999 KB");
  EXPECT_EQ(FormatKilobytes(1000 * 1024, '.'), "1.000 KB");
  EXPECT_EQ(FormatKilobytes(6ull << 40, ','), "6,442,450,944 KB");
}

}  // namespace vx
