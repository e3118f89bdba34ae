#include <gtest/gtest.h>

#include <string>

#include "tagdefs/ParAttribs.h"

using namespace vx;

namespace {

// An IMG tag as the shipped set defines it (the attributes that matter here).
struct ImgTag {
  THTMLTagDef tag;
  ImgTag() {
    tag.SetName("IMG");
    Add("SRC", atImage);
    Add("ALT", atText);
    Add("WIDTH", atNumeric);
    Add("HEIGHT", atNumeric);
    Add("ISMAP", atText, true);
    Add("BORDER", atNumeric, true);
  }
  void Add(const char* name, TAttribType t, bool flag = false) {
    auto* a = new THTMLAttribDef;
    a->SetName(name);
    a->SetAttrType(t);
    a->SetIsFlag(flag);
    tag.Attribs().AddObject(name, a);
  }
};

struct Par : ::testing::Test {
  ImgTag img;
  TParAttributes p;
  void Load(bool lower) {
    p.LowerCaseTags = lower;
    p.LoadTag(img.tag);
  }
  const AnsiString& V(int i) { return p.Rows()[static_cast<size_t>(i)].Value; }
};

}  // namespace

TEST_F(Par, ParsesNamesValuesAndFlagsWithLowerCaseOff) {
  Load(false);
  ASSERT_EQ(p.Rows().size(), 6u);
  EXPECT_TRUE(p.Rows()[4].IsFlag);
  p.ParseAttributes(" src = \"a b.gif\"  WIDTH=10 ismap height= 20 alt =");
  EXPECT_EQ(V(0), "a b.gif");
  EXPECT_EQ(V(1), "TRUE");  // "=" with an empty value
  EXPECT_EQ(V(2), "10");
  EXPECT_EQ(V(3), "20");
  EXPECT_EQ(V(4), "TRUE");  // bare name
  EXPECT_EQ(V(5), "");
  EXPECT_TRUE(p.Unknown().empty());
  EXPECT_EQ(p.BuildAttributes(), " SRC=\"a b.gif\" ALT=\"TRUE\" WIDTH=\"10\" HEIGHT=\"20\" ISMAP");
}

TEST_F(Par, LowerCaseOnWritesNamesAndValuesInLowerCase) {
  Load(true);
  p.ParseAttributes("SRC=Pic.GIF ALT=\"\" ISMAP");
  EXPECT_EQ(V(0), "Pic.GIF");
  EXPECT_EQ(V(1), "true");
  EXPECT_EQ(V(4), "true");
  EXPECT_EQ(p.BuildAttributes(), " src=\"pic.gif\" alt=\"true\" ismap");
  // A flag typed as TRUE is not the lower-case true: it is written as a value.
  p.Rows()[4].Value = "TRUE";
  p.Rows()[1].Value = "";
  EXPECT_EQ(p.BuildAttributes(), " src=\"pic.gif\" ismap=\"true\"");
}

TEST_F(Par, FlagRowsEmptyRowsAndOtherValues) {
  Load(false);
  EXPECT_EQ(p.BuildAttributes(), "");  // every row empty
  p.Rows()[5].Value = "2";             // a flag with a number
  p.Rows()[4].Value = "TRUE";
  EXPECT_EQ(p.BuildAttributes(), " ISMAP BORDER=\"2\"");
  p.Rows()[4].Value = "true";  // not exactly TRUE with LowerCase off
  EXPECT_EQ(p.BuildAttributes(), " ISMAP=\"true\" BORDER=\"2\"");
}

TEST_F(Par, QuotesOfBothKindsAndBlanksInsideThem) {
  Load(false);
  p.ParseAttributes("alt='a = b' src=\"x y.gif\" width='7'");
  EXPECT_EQ(V(1), "a = b");  // blanks around "=" inside quotes stay
  EXPECT_EQ(V(0), "x y.gif");
  EXPECT_EQ(V(2), "7");
  // One enclosing pair is stripped; quotes of the other kind inside stay.
  p.ParseAttributes("alt=\"it's \" height='say \"hi\"'");
  EXPECT_EQ(V(1), "it's ");
  EXPECT_EQ(V(3), "say \"hi\"");
  // A double quote in a value is written as &quot; so the markup stays whole.
  p.Rows()[0].Value = "";
  p.Rows()[2].Value = "";
  EXPECT_EQ(p.BuildAttributes(), " ALT=\"it's \" HEIGHT=\"say &quot;hi&quot;\"");
  // An apostrophe inside an unquoted value is an ordinary character.
  p.ParseAttributes("alt=don't src=a.gif");
  EXPECT_EQ(V(1), "don't");
  EXPECT_EQ(V(0), "a.gif");
}

TEST_F(Par, UnknownAttributesAreKeptAfterTheBuiltText) {
  Load(true);
  p.ParseAttributes("STYLE = \"border: 0\" src=a.gif class=pic onClick='go(1, 2)' nosuch");
  EXPECT_EQ(V(0), "a.gif");
  ASSERT_EQ(p.Unknown().size(), 4u);
  EXPECT_EQ(p.Unknown()[0], "STYLE=\"border: 0\"");
  EXPECT_EQ(p.BuildAttributes(), " src=\"a.gif\" STYLE=\"border: 0\" class=pic onClick='go(1, 2)' nosuch");
  // A new parse replaces what was kept; named rows keep their values.
  p.ParseAttributes("width=5");
  EXPECT_TRUE(p.Unknown().empty());
  EXPECT_EQ(p.BuildAttributes(), " src=\"a.gif\" width=\"5\"");
}

TEST_F(Par, LastOfTwoWinsAndNamesMatchWithoutRegardToCase) {
  Load(false);
  p.ParseAttributes("Width=1 wIdTh=2");
  EXPECT_EQ(V(2), "2");
  EXPECT_EQ(p.BuildAttributes(), " WIDTH=\"2\"");
}

TEST_F(Par, ALongLineIsSplitWhole) {
  Load(false);
  std::string line;
  for (int i = 0; i < 300; ++i) line += "word" + std::to_string(i) + " ";
  line += "width=300";
  auto fields = TParAttributes::SplitAttributes(line);
  ASSERT_EQ(fields.size(), 301u);
  EXPECT_EQ(fields[299], "word299");
  p.ParseAttributes(line);
  EXPECT_EQ(V(2), "300");  // the attribute after the 300 words is still found
  EXPECT_EQ(p.Unknown().size(), 300u);
}

TEST(ParSplit, BlanksAroundEqualsJoinThePair) {
  EXPECT_EQ(TParAttributes::SplitAttributes("a = b   c= d e =f"), (std::vector<AnsiString>{"a=b", "c=d", "e=f"}));
  EXPECT_EQ(TParAttributes::SplitAttributes("  "), std::vector<AnsiString>{});
  EXPECT_EQ(TParAttributes::SplitAttributes("a=\"x\ty\"\tb"), (std::vector<AnsiString>{"a=\"x\ty\"", "b"}));
  // An unclosed quote runs to the end.
  EXPECT_EQ(TParAttributes::SplitAttributes("a=\"x y"), std::vector<AnsiString>{"a=\"x y"});
}
