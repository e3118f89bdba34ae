// The model in memory: lookups, ownership, clearing, captions.
#include <gtest/gtest.h>

#include "framework/core/Exceptions.h"
#include "tagdefs/teTagType.h"

using namespace vx;

namespace {

THTMLTagDef* AddTag(THTMLGroup& g, const AnsiString& name, int attribs = 0) {
  auto* t = new THTMLTagDef;
  t->SetName(name);
  for (int i = 0; i < attribs; ++i) {
    auto* a = new THTMLAttribDef;
    a->SetName("A" + std::to_string(i));
    t->Attribs().AddObject(a->Name(), a);
  }
  g.Tags().AddObject(name, t);
  return t;
}

}  // namespace

TEST(TagModel, NewObjectsAreEmpty) {
  THTMLTagDef t;
  EXPECT_EQ(t.Name(), "");
  EXPECT_EQ(t.Kind(), tkStandAlone);
  EXPECT_EQ(t.GroupIndex(), 0);
  EXPECT_EQ(t.Browsers(), 0);
  EXPECT_EQ(t.Attribs().Count(), 0);
  THTMLAttribDef a;
  EXPECT_EQ(a.AttrType(), atText);
  EXPECT_EQ(a.Required(), arNotRequired);
  EXPECT_FALSE(a.IsFlag());
  THTMLGroup g;
  EXPECT_EQ(g.GetTagLookup(), "");
  EXPECT_EQ(g.GetAttrTagLookup(), "");
}

TEST(TagModel, LookupStringsMatchWholeNamesOnly) {
  THTMLGroup g;
  AddTag(g, "A", 1);
  AddTag(g, "B");
  AddTag(g, "BR", 0);
  AddTag(g, "IMG", 3);
  EXPECT_EQ(g.GetTagLookup(), "|<A||<B||<BR||<IMG|");
  EXPECT_EQ(g.GetAttrTagLookup(), "|<A||<IMG|");
  const AnsiString all = g.GetTagLookup();
  // The caller's test: the word with its "<", bars on both sides.
  EXPECT_NE(all.find("|<B|"), AnsiString::npos);
  EXPECT_EQ(all.find("|<B|"), all.find("|<B|", 0));
  EXPECT_EQ(all.find("|<BR|"), 8u);
  EXPECT_EQ(g.GetAttrTagLookup().find("|<B|"), AnsiString::npos);
  EXPECT_EQ(all.find("|<I|"), AnsiString::npos);
}

TEST(TagModel, LookupStringsAreUpperCaseWhateverTheFileSays) {
  THTMLGroup g;
  AddTag(g, "img", 2);
  AddTag(g, "Br");
  EXPECT_EQ(g.GetTagLookup(), "|<IMG||<BR|");
  EXPECT_EQ(g.GetAttrTagLookup(), "|<IMG|");
  EXPECT_EQ(g.FindTag("IMG"), g.TagAt(0));
}

TEST(TagModel, FindIsCaseBlindAndTakesTheFirst) {
  THTMLGroup g;
  THTMLTagDef* first = AddTag(g, "IMG", 2);
  THTMLTagDef* second = AddTag(g, "IMG");
  EXPECT_EQ(g.FindTag("img"), first);
  EXPECT_NE(g.FindTag("img"), second);
  EXPECT_EQ(g.Tags().IndexOf("Img"), 0);
  EXPECT_EQ(g.FindTag("IM"), nullptr);
  EXPECT_EQ(first->FindAttrib("a1"), first->AttribAt(1));
  EXPECT_EQ(first->FindAttrib("a2"), nullptr);
  EXPECT_EQ(first->Attribs().IndexOf("A0"), 0);
  // Accented names compare as the platform compares them.
  AddTag(g, "\xC9T\xC9");
  EXPECT_EQ(g.FindTag("\xE9t\xE9"), g.TagAt(2));
}

TEST(TagModel, ClearFreesTagsAndKeepsNameAndGroups) {
  THTMLGroup g;
  g.SetName("HTML 3.2");
  g.SetGroupNames("One\r\nTwo");
  AddTag(g, "A", 2);
  AddTag(g, "B", 1);
  g.Clear();
  EXPECT_EQ(g.Tags().Count(), 0);
  EXPECT_EQ(g.Name(), "HTML 3.2");
  EXPECT_EQ(g.GroupNames(), "One\r\nTwo");
  // Removing one entry frees its object (ASan reports it otherwise).
  AddTag(g, "C", 3);
  g.Tags().Delete(0);
  EXPECT_EQ(g.Tags().Count(), 0);
}

TEST(TagModel, AttributeAssignCopiesAllNineFields) {
  THTMLAttribDef a;
  a.SetPickList("X\r\nY");
  a.SetName("N");
  a.SetFilter("f|*.f");
  a.SetOtherAttrib("O");
  a.SetDescription("d");
  a.SetAttrType(atImage);
  a.SetRequired(arUnlessOther);
  a.SetIsFlag(true);
  a.SetBrowsers(bfMosaic);
  THTMLAttribDef b;
  b.Assign(a);
  EXPECT_EQ(b.PickList(), "X\r\nY");
  EXPECT_EQ(b.Name(), "N");
  EXPECT_EQ(b.Filter(), "f|*.f");
  EXPECT_EQ(b.OtherAttrib(), "O");
  EXPECT_EQ(b.Description(), "d");
  EXPECT_EQ(b.AttrType(), atImage);
  EXPECT_EQ(b.Required(), arUnlessOther);
  EXPECT_TRUE(b.IsFlag());
  EXPECT_EQ(b.Browsers(), bfMosaic);
  THTMLTagDef t;
  EXPECT_THROW(b.Assign(t), EConvertError);
}

TEST(TagModel, Captions) {
  EXPECT_STREQ(TagKindCaption(tkEither), "Tag can be stand alone or have ending tag");
  EXPECT_STREQ(TagKindCaption(static_cast<TTagKind>(9)), "");
  EXPECT_STREQ(AttribTypeCaption(atPickList), "Pick List");
  EXPECT_STREQ(AttribRequiredCaption(arUnlessOther), "Requred by tag unless other attribute present");
  EXPECT_STREQ(BrowserCaption(bfIE3), "Internet Explorer 3");
  EXPECT_STREQ(BrowserCaption(bfIntBrowser), "Int Browser");
  EXPECT_STREQ(BrowserCaption(3), "");
}
