// Tags, attributes, entities and TEXTAREA symbols of the HTML scanner.
#include <gtest/gtest.h>

#include <stdexcept>

#include "viewer/tests/scanner_helpers.h"

namespace vx {
namespace {

using test::DumpHtml;
using test::ScanAll;

TEST(ScannerTags, CaseOfTagNamesDoesNotMatter) {
  EXPECT_EQ(DumpHtml("<b>Bold</B>"), "<B> 'Bold' </B> eof");
  EXPECT_EQ(DumpHtml("<B>Bold</b>"), "<B> 'Bold' </B> eof");
  EXPECT_EQ(DumpHtml("<BlockQuote></blockquote>"), "<BLOCKQUOTE> </BLOCKQUOTE> eof");
}

TEST(ScannerTags, EveryTableNameHasItsSymbol) {
  for (int i = 0; i < TagCount; ++i) {
    THtmlSymbol s = THtmlSymbol(HtmlTag + i);
    std::string name = SymbolTableName(s);
    auto v = ScanAll("<" + name + "></" + name + ">");
    ASSERT_EQ(v.size(), 3u) << name;
    EXPECT_EQ(v[0].sy, s) << name;
    EXPECT_EQ(v[1].sy, i < EndTagCount ? EndTagOf(s) : UnknownTagSym) << name;
  }
}

TEST(ScannerTags, EndTagsWithoutEndSymbolAreUnknown) {
  EXPECT_EQ(DumpHtml("</LI></TR></BR>"), "unknown tag unknown tag unknown tag eof");
  EXPECT_EQ(DumpHtml("<BLINK>x</BLINK>"), "unknown tag 'x' unknown tag eof");
}

TEST(ScannerTags, NameEndsAtFirstNonLetter) {
  // Blanks or digits right after "<" give an empty name.
  EXPECT_EQ(DumpHtml("< B>x"), "unknown tag 'x' eof");
  EXPECT_EQ(DumpHtml("<TD2>x"), "<TD> 'x' eof");
  EXPECT_EQ(DumpHtml("<BR/>x"), "<BR> 'x' eof");
}

TEST(ScannerTags, HeadingLevels) {
  auto v = ScanAll("<H3 ALIGN=center>T</h3><H7><H>");
  ASSERT_EQ(v.size(), 6u);
  EXPECT_EQ(v[0].sy, HTag);
  EXPECT_EQ(v[0].level, 3);
  ASSERT_EQ(v[0].attrs.Count(), 1);
  EXPECT_EQ(v[0].attrs[0].Which, AlignAttr);
  EXPECT_EQ(v[0].attrs[0].Name, "center");
  EXPECT_EQ(v[2].sy, HEndTag);
  EXPECT_EQ(v[2].level, 3);
  EXPECT_EQ(v[3].sy, HTag);
  EXPECT_EQ(v[3].level, 0);  // H7: the digit is not a level and not part of the name
  EXPECT_EQ(v[4].level, 0);
}

TEST(ScannerTags, StrayAngleBrackets) {
  // A stray "<" starts a tag of unknown name; everything up to ">" is lost.
  EXPECT_EQ(DumpHtml("a < b > c"), "'a ' unknown tag ' c' eof");
  EXPECT_EQ(DumpHtml("a > b"), "'a ' c'>' ' b' eof");
  // A tag open at the end of the source ends there.
  EXPECT_EQ(DumpHtml("x<TABLE BORDER"), "'x' <TABLE> eof");
}

TEST(ScannerAttributes, ForgottenListOfTagsWithoutAttributes) {
  // B does not take attributes: the list keeps what FONT left in it.
  auto v = ScanAll("<FONT SIZE=3><B CLASS=x></B>");
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[1].sy, BTag);
  ASSERT_EQ(v[1].attrs.Count(), 1);
  EXPECT_EQ(v[1].attrs[0].Which, SizeAttr);
  EXPECT_EQ(v[2].attrs.Count(), 1);
  // The next tag that takes attributes starts a fresh list.
  v = ScanAll("<FONT SIZE=3><P>");
  EXPECT_EQ(v[1].attrs.Count(), 0);
}

TEST(ScannerAttributes, ValueForms) {
  auto v = ScanAll(
      "<TABLE BORDER WIDTH=50% CELLPADDING = -4 BGCOLOR=#00ff00>"
      "<FONT COLOR=00FF00 SIZE=+2 FACE='  Times New\r\nRoman '>"
      "<TD WIDTH=\"75%\" HEIGHT=\"5%0\" ALIGN=center VALIGN=top>");
  ASSERT_EQ(v.size(), 4u);
  const TAttributeList& t = v[0].attrs;
  ASSERT_EQ(t.Count(), 4);
  EXPECT_EQ(t[0].Which, BorderAttr);
  EXPECT_EQ(t[0].Value, 1);  // bare BORDER
  EXPECT_EQ(t[0].Name, "");
  EXPECT_EQ(t[1].Name, "50%");
  EXPECT_EQ(t[1].Value, 50);
  EXPECT_EQ(t[2].Which, CellPaddingAttr);
  EXPECT_EQ(t[2].Name, "-4");
  EXPECT_EQ(t[2].Value, -4);
  EXPECT_EQ(t[3].Name, "#00ff00");  // a bare word
  EXPECT_EQ(t[3].Value, 0);

  const TAttributeList& f = v[1].attrs;
  ASSERT_EQ(f.Count(), 3);
  EXPECT_EQ(f[0].Name, "00FF00");
  EXPECT_EQ(f[0].Value, 0);
  EXPECT_EQ(f[1].Name, "+2");
  EXPECT_EQ(f[1].Value, 2);
  // Quoted values lose line ends (the parts are joined) and are trimmed.
  EXPECT_EQ(f[2].Name, "Times NewRoman");

  const TAttributeList& d = v[2].attrs;
  ASSERT_EQ(d.Count(), 4);
  EXPECT_EQ(d[0].Name, "75%");
  EXPECT_EQ(d[0].Value, 75);
  EXPECT_EQ(d[1].Name, "5%0");
  EXPECT_EQ(d[1].Value, 0);
  EXPECT_EQ(d[2].Name, "center");
  EXPECT_EQ(d[3].Which, VAlignAttr);
}

TEST(ScannerAttributes, BorderZeroAndBorderWithoutValue) {
  auto v = ScanAll("<IMG BORDER=0 SRC=a.gif><IMG SRC=\"b.gif\" BORDER>");
  EXPECT_EQ(v[0].attrs.Find(BorderAttr)->Value, 0);
  EXPECT_EQ(v[0].attrs.Find(SrcAttr)->Name, "a.gif");
  EXPECT_EQ(v[1].attrs.Find(BorderAttr)->Value, 1);
  EXPECT_EQ(v[1].attrs.Find(SrcAttr)->Name, "b.gif");
}

TEST(ScannerAttributes, NothingOfAnEarlierTagShowsInALaterOne) {
  // The entries of a list are used again tag after tag: each must come whole from its own tag.
  auto v = ScanAll(
      "<IMG SRC=\"long-name.gif\" WIDTH=40 HEIGHT=\"30%\"><IMG ALT WIDTH>"
      "<B ALIGN=left HEIGHT=7><IMG SRC=b.gif><IMG>");
  ASSERT_EQ(v.size(), 6u);
  ASSERT_EQ(v[1].attrs.Count(), 2);
  EXPECT_EQ(v[1].attrs[0].Which, AltAttr);
  EXPECT_EQ(v[1].attrs[0].Name, "");
  EXPECT_EQ(v[1].attrs[1].Which, WidthAttr);
  EXPECT_EQ(v[1].attrs[1].Name, "");
  EXPECT_EQ(v[1].attrs[1].Value, 0);
  EXPECT_EQ(v[1].attrs.Find(HeightAttr), nullptr);
  // What B threw away reached no list; a shorter list ends where its own tag's attributes end.
  ASSERT_EQ(v[3].attrs.Count(), 1);
  EXPECT_EQ(v[3].attrs.Find(SrcAttr)->Name, "b.gif");
  EXPECT_EQ(v[3].attrs.Find(WidthAttr), nullptr);
  EXPECT_EQ(v[3].attrs.Find(AlignAttr), nullptr);
  int seen = 0;
  for (const TAttribute& a : v[3].attrs) seen += a.Which == SrcAttr ? 1 : 100;
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(v[4].attrs.Count(), 0);
  EXPECT_EQ(v[4].attrs.begin(), v[4].attrs.end());
  EXPECT_THROW(v[4].attrs[0], std::out_of_range);
}

TEST(ScannerAttributes, QuotedValueEndsAtAngleBracket) {
  auto v = ScanAll("<A HREF=\"x>y\">link</A>");
  ASSERT_EQ(v.size(), 6u);
  EXPECT_EQ(v[0].attrs.Find(HrefAttr)->Name, "x");
  EXPECT_EQ(test::Dump(v), "<A> 'y\"' c'>' 'link' </A> eof");
}

TEST(ScannerAttributes, NamesAndUnknowns) {
  auto v = ScanAll("<INPUT type=checkbox Value=v1 onclick=\"go()\" checked>");
  const TAttributeList& a = v[0].attrs;
  ASSERT_EQ(a.Count(), 4);
  EXPECT_EQ(a[0].Which, TypeAttr);
  EXPECT_EQ(a[0].Name, "checkbox");
  EXPECT_EQ(a[1].Which, ValueAttr);
  EXPECT_EQ(a[2].Which, UnknownAttr);  // unknown attributes are kept
  EXPECT_EQ(a[2].Name, "go()");
  EXPECT_EQ(a[3].Which, CheckedAttr);
  // Every table name maps to its symbol; VALUE has one.
  EXPECT_EQ(LookupAttribute("VALUE"), ValueAttr);
  EXPECT_EQ(LookupAttribute("SCROLLING"), ScrollingAttr);
  EXPECT_EQ(LookupAttribute("HREFX"), UnknownAttr);
  // An attribute name must start with a letter; the rest is skipped to ">".
  v = ScanAll("<P 1ALIGN=right>x");
  EXPECT_EQ(v[0].attrs.Count(), 0);
  EXPECT_EQ(v[1].token, "x");
}

TEST(ScannerAttributes, CommentsVanishInsideTags) {
  auto v = ScanAll("<IMG <!-- c -->SRC=\"a<!-- x -->b\">t");
  EXPECT_EQ(v[0].sy, ImgTag);
  EXPECT_EQ(v[0].attrs.Find(SrcAttr)->Name, "ab");
  EXPECT_EQ(v[1].token, "t");
}

TEST(ScannerEntities, NamedEntities) {
  EXPECT_EQ(test::TextOf(ScanAll("&amp;&lt;&gt;&quot;")), "&<>\"");
  EXPECT_EQ(test::TextOf(ScanAll("&nbsp;&copy;&reg;")), "\xA0\xA9\xAE");
  EXPECT_EQ(test::TextOf(ScanAll("&AMP;")), "&AMP;");
  EXPECT_EQ(test::TextOf(ScanAll("&Agrave x")), "\xC0 x");
  EXPECT_EQ(test::TextOf(ScanAll("&yuml;")), "\xFF");
  EXPECT_EQ(test::TextOf(ScanAll("&Oslash;&szlig;&oslash;")), "\xD8\xDF\xF8");
  EXPECT_EQ(test::TextOf(ScanAll("&eacutexyz;")), "&eacutexyz;");
  EXPECT_EQ(test::TextOf(ScanAll("&foo;bar")), "&foo;bar");
}

TEST(ScannerEntities, UnnamedSlotsMatchNothing) {
  // The places of codes 215 and 247 have no name: an empty name must not hit them.
  EXPECT_EQ(test::TextOf(ScanAll("& x")), "& x");
  EXPECT_EQ(test::TextOf(ScanAll("&;")), "&;");
  EXPECT_EQ(LookupEntity(""), -1);
  EXPECT_EQ(LookupEntity("times"), -1);
  EXPECT_EQ(LookupEntity("Ouml"), 214);
  EXPECT_EQ(LookupEntity("Oslash"), 216);
  EXPECT_EQ(LookupEntity("ouml"), 246);
  EXPECT_EQ(LookupEntity("oslash"), 248);
}

TEST(ScannerEntities, NumericReferences) {
  EXPECT_EQ(test::TextOf(ScanAll("&#65;")), "A");
  EXPECT_EQ(test::TextOf(ScanAll("&#65")), "A");
  EXPECT_EQ(test::TextOf(ScanAll("&#9;")), "\t");
  EXPECT_EQ(test::TextOf(ScanAll("&#255;")), "\xFF");
  EXPECT_EQ(test::DumpHtml("&#0065;"), "'&#0065' ';' eof");
  EXPECT_EQ(test::TextOf(ScanAll("&#13;")), "&#13;");
  EXPECT_EQ(test::TextOf(ScanAll("&#256;")), "&#256;");
  EXPECT_EQ(test::TextOf(ScanAll("&#4;&#2;&#0;")), "&#4;&#2;&#0;");
  EXPECT_EQ(test::TextOf(ScanAll("&#x41;")), "&#x41;");
  EXPECT_EQ(test::TextOf(ScanAll("&#;")), "&#;");
}

TEST(ScannerTextArea, SymbolsInsideTextArea) {
  std::string html = "a &lt; b\r\n<b>x</TextArea >rest";
  THtmlScanner s;
  s.OpenMemory(html.data(), html.size());
  s.Start();
  std::vector<std::string> got;
  do {
    s.ScanTextAreaSymbol();
    got.push_back(SymbolDisplayName(s.Sy) + ":" + s.Token);
  } while (s.Sy != EofSym && s.Sy != TextAreaEndTag && got.size() < 20);
  std::vector<std::string> want = {"text:a &lt; b", "eol:", "unknown tag:<b", "text:>x", "</TEXTAREA>:</TextArea"};
  EXPECT_EQ(got, want);
  EXPECT_EQ(s.Ch, ' ');
}

TEST(ScannerTextArea, ProbeEndsAtEndOfInputAndAtTheBufferLimit) {
  for (std::string html : {std::string("<abc"), "<" + std::string(1000, 'x')}) {
    THtmlScanner s;
    s.OpenMemory(html.data(), html.size());
    s.Start();
    int n = 0;
    do {
      s.ScanTextAreaSymbol();
      EXPECT_LE(int(s.Token.size()), THtmlScanner::MaxTokenLength);
    } while (s.Sy != EofSym && ++n < 100);
    EXPECT_EQ(s.Sy, EofSym);
  }
}

TEST(ScannerTables, ColourNames) {
  int c = -1;
  EXPECT_TRUE(LookupColorName("RED", c));
  EXPECT_EQ(c, 0x0000FF);
  EXPECT_TRUE(LookupColorName("NAVY", c));
  EXPECT_EQ(c, 0x800000);
  EXPECT_FALSE(LookupColorName("red", c));
  EXPECT_FALSE(LookupColorName("ORANGE", c));
}

}  // namespace
}  // namespace vx
