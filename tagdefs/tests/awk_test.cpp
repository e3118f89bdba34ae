// The three field splitters.
#include <gtest/gtest.h>

#include "tagdefs/teAwk.h"

using namespace vx;

namespace {
std::vector<std::string> Fields(const TFieldSplitter& p) {
  std::vector<std::string> r;
  for (int i = 1; i <= p.Count(); ++i) r.push_back(p.GetField(static_cast<uint8_t>(i)));
  return r;
}
using V = std::vector<std::string>;
}  // namespace

TEST(AwkParser, EmptyFieldsAtEverySeparator) {
  TAwkParser p('\\', "work\\img\\");
  EXPECT_EQ(Fields(p), (V{"work", "img", ""}));
  EXPECT_EQ(p.GetField(0), "work\\img\\");
  EXPECT_EQ(p.GetField(4), "");
  EXPECT_EQ(p.GetField(255), "");
  p.Parse("\\a");
  EXPECT_EQ(Fields(p), (V{"", "a"}));
  p.Parse("a\\\\b");
  EXPECT_EQ(Fields(p), (V{"a", "", "b"}));
  p.Parse("");
  EXPECT_EQ(p.Count(), 0);
  EXPECT_EQ(p.GetField(0), "");
  EXPECT_EQ(p.GetField(1), "");
  // Quotes protect separators and stay in the field.
  TAwkParser q(',', "a,\"b,c\",d");
  EXPECT_EQ(Fields(q), (V{"a", "\"b,c\"", "d"}));
}

TEST(MAwkParser, SeparatorStringsAndOrdinaryQuotes) {
  EXPECT_EQ(Fields(TMAwkParser(",", "a,,b")), (V{"a", "", "b"}));
  EXPECT_EQ(Fields(TMAwkParser("", "  a  b  ")), (V{"a", "b"}));
  EXPECT_EQ(TMAwkParser("", "   ").Count(), 0);
  EXPECT_EQ(TMAwkParser(",", "").Count(), 0);
  // An explicit blank is a separator like any other.
  EXPECT_EQ(Fields(TMAwkParser(" ", "a  b")), (V{"a", "", "b"}));
  EXPECT_EQ(Fields(TMAwkParser(",", "a,\"b,c\"")), (V{"a", "\"b", "c\""}));
  EXPECT_EQ(Fields(TMAwkParser("^I", "a\tb")), (V{"a", "b"}));
  EXPECT_EQ(Fields(TMAwkParser("^i", "a\tb")), (V{"a", "b"}));
  EXPECT_EQ(Fields(TMAwkParser("^[",
                               "a\x1b"
                               "b")),
            (V{"a", "b"}));
  EXPECT_EQ(Fields(TMAwkParser("^1", "a^b")), (V{"a", "b"}));
  EXPECT_EQ(Fields(TMAwkParser("=,", "x=1")), (V{"x", "1"}));
  EXPECT_EQ(DecodeSeparator("^"), '^');
  EXPECT_EQ(DecodeSeparator(""), ' ');
  EXPECT_EQ(DecodeSeparator("^Z"), 26);
}

TEST(AttrParser, DefaultBlankWithQuotes) {
  TAttrParser p;
  p.Parse("a=\"x y\" b=1");
  EXPECT_EQ(Fields(p), (V{"a=\"x y\"", "b=1"}));
  p.Parse("  src=\"a b.gif\"   WIDTH=10 ismap ");
  EXPECT_EQ(Fields(p), (V{"src=\"a b.gif\"", "WIDTH=10", "ismap"}));
  p.Parse("    ");
  EXPECT_EQ(p.Count(), 0);
  p.SetSeparatorText(",");
  p.Parse("a,,\"b,c\"");
  EXPECT_EQ(Fields(p), (V{"a", "", "\"b,c\""}));
}

TEST(Splitters, StopAt255FieldsWhateverTheLine) {
  std::string many;
  for (int i = 0; i < 1000; ++i) many += "w" + std::to_string(i) + " ";
  TAttrParser a;
  a.Parse(many);
  EXPECT_EQ(a.Count(), 255);
  EXPECT_EQ(a.GetField(255), "w254");
  EXPECT_EQ(a.GetField(0), many);

  std::string seps(1000, ',');
  TMAwkParser m(",", seps);
  EXPECT_EQ(m.Count(), 255);
  EXPECT_EQ(m.GetField(255), "");
  TAwkParser k(',', "x" + seps);
  EXPECT_EQ(k.Count(), 255);
  EXPECT_EQ(k.GetField(1), "x");

  // Exactly 255 fields all come through; a 256th is dropped.
  std::string exact;
  for (int i = 1; i <= 255; ++i) exact += (i > 1 ? "," : "") + std::to_string(i);
  TMAwkParser e(",", exact);
  EXPECT_EQ(e.Count(), 255);
  EXPECT_EQ(e.GetField(255), "255");
  e.Parse(exact + ",256");
  EXPECT_EQ(e.Count(), 255);
  EXPECT_EQ(e.GetField(255), "255");
  // One field far longer than 255 characters.
  TMAwkParser longField(",", std::string(5000, 'q') + ",z");
  EXPECT_EQ(longField.GetField(1).size(), 5000u);
  EXPECT_EQ(longField.GetField(2), "z");
  // A quote that never closes takes the rest of the line.
  TAttrParser open;
  open.Parse("a=\"b c d");
  EXPECT_EQ(Fields(open), (V{"a=\"b c d"}));
}
