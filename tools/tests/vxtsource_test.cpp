// The source parser: a good set with every field, and each kind of mistake with its line.
#include <gtest/gtest.h>

#include "tools/VxtSource.h"

namespace vx {
namespace {

const char* const kGood =
    "# a small set\n"
    "spec Test set\r\n"
    "groupname Text\n"
    "groupname Links and images\n"
    "filterdef PICS GIF images (*.gif)|*.gif\n"
    "\n"
    "attrset CELL\n"
    "  attr ALIGN\n"
    "    type picklist\n"
    "    pick LEFT CENTER\n"
    "    pick RIGHT\n"
    "    desc Where the text sits.\n"
    "  attr NOWRAP\n"
    "    flag\n"
    "    browsers -mosaic\n"
    "    desc No line breaks.\n"
    "\n"
    "tag B\n"
    "  kind end\n"
    "  group Text\n"
    "  browsers netscape ie\n"
    "  desc <b>Bold</b>\n"
    "  desc second line\n"
    "tag IMG\n"
    "  kind alone\n"
    "  group Links and images\n"
    "  browsers all\n"
    "  desc An image.\n"
    "  attr SRC\n"
    "    type image\n"
    "    filter @PICS\n"
    "    required yes\n"
    "    desc The picture.\n"
    "  attr ALT\n"
    "    required unless USEMAP\n"
    "    browsers netscape\n"
    "    desc\n"
    "    desc Words.\n"
    "  attr USEMAP\n"
    "    browsers +preview -ie\n"
    "    desc The map.\n"
    "tag TD\n"
    "  kind either\n"
    "  end /TD\n"
    "  browsers netscape mosaic\n"
    "  desc A cell.\n"
    "  use CELL\n"
    "  attr COLSPAN\n"
    "    type numeric\n"
    "    desc Columns.\n"
    "tag P\n"
    "  kind either\n"
    "  end none\n"
    "  desc Paragraph.\n";

TEST(VxtSource, GoodSetGivesEveryField) {
  TVxtSource s = ParseVxtSource(kGood, "good.vxd");
  EXPECT_EQ(s.Name, "Test set");
  EXPECT_EQ(s.GroupNamesText(), "Text\r\nLinks and images");
  ASSERT_EQ(s.Tags.size(), 4u);

  const auto& b = s.Tags[0];
  EXPECT_EQ(b.Name, "B");
  EXPECT_EQ(b.EndTag, "/B");  // default for a tag with an end tag
  EXPECT_EQ(b.Kind, 1);
  EXPECT_EQ(b.GroupIndex, 0);
  EXPECT_EQ(b.Browsers, 3);
  EXPECT_EQ(b.Description, "<b>Bold</b>\r\nsecond line");
  EXPECT_TRUE(b.Attribs.empty());
  EXPECT_EQ(b.Line, 18);

  const auto& img = s.Tags[1];
  EXPECT_EQ(img.EndTag, "");  // stand-alone: no end tag
  EXPECT_EQ(img.Kind, 0);
  EXPECT_EQ(img.GroupIndex, 1);
  EXPECT_EQ(img.Browsers, 15);
  ASSERT_EQ(img.Attribs.size(), 3u);
  EXPECT_EQ(img.Attribs[0].Name, "SRC");
  EXPECT_EQ(img.Attribs[0].AttrType, 5);
  EXPECT_EQ(img.Attribs[0].Required, 1);
  EXPECT_EQ(img.Attribs[0].Filter, "GIF images (*.gif)|*.gif");
  EXPECT_EQ(img.Attribs[0].Browsers, 15);  // inherited from the tag
  EXPECT_EQ(img.Attribs[1].Required, 2);
  EXPECT_EQ(img.Attribs[1].OtherAttrib, "USEMAP");
  EXPECT_EQ(img.Attribs[1].Browsers, 1);
  EXPECT_EQ(img.Attribs[1].Description, "\r\nWords.");
  EXPECT_EQ(img.Attribs[2].Browsers, 15 & ~2);

  const auto& td = s.Tags[2];
  EXPECT_EQ(td.Kind, 2);
  EXPECT_EQ(td.GroupIndex, -1);
  ASSERT_EQ(td.Attribs.size(), 3u);
  EXPECT_EQ(td.Attribs[0].Name, "ALIGN");
  EXPECT_EQ(td.Attribs[0].AttrType, 3);
  EXPECT_EQ(td.Attribs[0].PickList, "LEFT\r\nCENTER\r\nRIGHT");
  EXPECT_EQ(td.Attribs[0].Browsers, 5);  // a set's attribute takes the using tag's list
  EXPECT_TRUE(td.Attribs[1].IsFlag);
  EXPECT_EQ(td.Attribs[1].Browsers, 1);  // the tag's list less Mosaic
  EXPECT_EQ(td.Attribs[2].Name, "COLSPAN");
  EXPECT_EQ(td.Attribs[2].AttrType, 1);

  EXPECT_EQ(s.Tags[3].EndTag, "");
  EXPECT_EQ(s.Tags[3].Kind, 2);
}

// Each mistake is reported at its own line, with the file name in front.
struct BadCase {
  const char* text;
  int line;
  const char* words;  // part of the message
};

class VxtSourceErrors : public ::testing::TestWithParam<BadCase> {};

TEST_P(VxtSourceErrors, ReportsFileAndLine) {
  const BadCase& c = GetParam();
  try {
    ParseVxtSource(c.text, "bad.vxd");
    FAIL() << "no error for:\n" << c.text;
  } catch (const EVxtSyntaxError& e) {
    EXPECT_EQ(e.FileName(), "bad.vxd");
    EXPECT_EQ(e.Line(), c.line) << e.Message();
    EXPECT_NE(e.Text().find(c.words), std::string::npos) << e.Message();
    EXPECT_EQ(e.Message(), "bad.vxd:" + std::to_string(c.line) + ": " + e.Text());
  }
}

#define HEAD "spec S\ngroupname G\n"  // two lines

INSTANTIATE_TEST_SUITE_P(
    Mistakes, VxtSourceErrors,
    ::testing::Values(
        BadCase{HEAD "tag B\nkinf end\n", 4, "unknown keyword 'kinf'"}, BadCase{HEAD "kind end\n", 3, "outside a tag"},
        BadCase{HEAD "tag B\nkind sometimes\ndesc x\n", 4, "kind must be"},
        BadCase{HEAD "tag B\ndesc x\n", 3, "has no 'kind'"}, BadCase{HEAD "tag B\nkind end\n", 3, "has no 'desc'"},
        BadCase{HEAD "tag B\nkind end\nkind end\n", 5, "given twice"}, BadCase{HEAD "tag b\n", 3, "upper case"},
        BadCase{HEAD "tag B\nkind end\ndesc x\ntag B\n", 6, "defined twice (first at line 3)"},
        BadCase{HEAD "tag B\nkind end\ngroup Other\n", 5, "unknown group"},
        BadCase{HEAD "tag B\nkind end\nbrowsers netscape opera\n", 5, "unknown browser 'opera'"},
        BadCase{HEAD "tag B\nkind end\nbrowsers +ie\n", 5, "cannot be relative"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\nbrowsers ie -mosaic\n", 7, "either all"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\ntype colour\n", 7, "type must be"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\ntype picklist\ndesc y\n", 6, "no 'pick'"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\npick A\ndesc y\n", 7, "not of type picklist"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\ntype picklist\npick Left\n", 8, "upper case"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\ntype picklist\npick A B A\n", 8, "given twice"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\n\n\ntag C\n", 6, "has no 'desc'"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\ndesc y\nattr X\n", 8, "given twice (first at line 6)"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr src\n", 6, "upper case"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\nfilter Pics|*.gif\ndesc y\n", 7, "only for file and image"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\ntype file\nfilter Pics\n", 8, "pairs"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\ntype file\nfilter @NOPE\n", 8, "unknown filter"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\nrequired maybe\n", 7, "required must be"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\nrequired unless Y\ndesc y\n", 7,
                "'Y' is not an attribute of tag B"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\nrequired unless X\n", 7, "itself"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\nflag yes\n", 7, "takes no value"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\ndesc y\nkind alone\n", 8, "before the tag's first"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nuse NOPE\n", 6, "unknown attribute set"},
        BadCase{HEAD "attrset S\nkind end\n", 4, "must follow an 'attr'"}, BadCase{HEAD "attr X\n", 3, "outside a tag"},
        BadCase{HEAD "groupname G\n", 3, "named twice"},
        BadCase{HEAD "tag B\nkind end\ndesc caf\xc3\xa9\n", 5, "7-bit"},
        BadCase{HEAD "filterdef X\n", 3, "needs a name and a filter"},
        BadCase{HEAD "tag B\nkind end\ndesc x\nattr X\ntype picklist\nflag\npick A\ndesc y\n", 6,
                "cannot be a pick list"},
        BadCase{"groupname G\ntag B\nkind end\ndesc x\n", 4, "no 'spec'"}));

TEST(VxtSource, SetsAreCopiedNotShared) {
  // Two tags using one set each get their own attributes, with their own browsers.
  TVxtSource s = ParseVxtSource(
      "spec S\nattrset A\nattr X\ndesc x\n"
      "tag T1\nkind alone\nbrowsers ie\ndesc t\nuse A\n"
      "tag T2\nkind alone\nbrowsers mosaic\ndesc t\nuse A\nattr Y\ndesc y\n",
      "s.vxd");
  ASSERT_EQ(s.Tags.size(), 2u);
  EXPECT_EQ(s.Tags[0].Attribs.size(), 1u);
  EXPECT_EQ(s.Tags[0].Attribs[0].Browsers, 2);
  ASSERT_EQ(s.Tags[1].Attribs.size(), 2u);
  EXPECT_EQ(s.Tags[1].Attribs[0].Browsers, 4);
}

TEST(VxtSource, UseOfASetCannotRepeatAnAttribute) {
  try {
    ParseVxtSource("spec S\nattrset A\nattr X\ndesc x\ntag T\nkind alone\ndesc t\nattr X\ndesc y\nuse A\n", "s.vxd");
    FAIL();
  } catch (const EVxtSyntaxError& e) {
    EXPECT_EQ(e.Line(), 10);
  }
}

TEST(VxtSource, MissingFileIsAnOpenError) { EXPECT_THROW(LoadVxtSource("no-such-dir/none.vxd"), EFOpenError); }

}  // namespace
}  // namespace vx
