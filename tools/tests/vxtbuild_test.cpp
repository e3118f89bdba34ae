// The builder and the tool around it: fields land in the model, and a mistake fails the
// run with its place while leaving any earlier output alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "framework/core/tests/TestFiles.h"
#include "tools/VxtBuild.h"

namespace vx {
namespace {

const char* const kSource =
    "spec Small set\n"
    "groupname Text\n"
    "groupname Images\n"
    "tag B\n kind end\n group Text\n browsers netscape ie\n desc <b>Bold</b>\n desc more\n"
    "tag IMG\n kind alone\n group Images\n browsers all\n desc Image\n"
    " attr SRC\n  type image\n  filter Pics|*.gif\n  required yes\n  browsers -mosaic\n  desc Source\n"
    " attr ALT\n  required unless USEMAP\n  desc Words\n"
    " attr USEMAP\n  desc Map\n"
    " attr ALIGN\n  type picklist\n  pick TOP BOTTOM\n  desc Align\n"
    " attr ISMAP\n  flag\n  desc Server map\n";

int RunTool(const std::string& source, const std::string& output, std::string& err) {
  const char* argv[] = {"vxtbuild", source.c_str(), output.c_str()};
  std::ostringstream o, e;
  int rc = VxtBuildMain(3, argv, o, e);
  err = e.str();
  return rc;
}

TEST(VxtBuild, FieldsReachTheModel) {
  THTMLGroup g;
  g.Tags().AddObject("OLD", new THTMLTagDef());  // a build starts from an empty set
  BuildTagGroup(ParseVxtSource(kSource, "s.vxd"), g);
  EXPECT_EQ(g.Name(), "Small set");
  EXPECT_EQ(g.GroupNames(), "Text\r\nImages");
  ASSERT_EQ(g.Tags().Count(), 2);
  EXPECT_EQ(g.Tags().Strings(0), "B");
  auto* b = static_cast<THTMLTagDef*>(g.Tags().Objects(0));
  EXPECT_EQ(b->Name(), "B");
  EXPECT_EQ(b->EndTag(), "/B");
  EXPECT_EQ(b->Description(), "<b>Bold</b>\r\nmore");
  EXPECT_EQ(b->Kind(), tkHasEndTag);
  EXPECT_EQ(b->GroupIndex(), 0);
  EXPECT_EQ(b->Browsers(), bfNetscape3 | bfIE3);
  EXPECT_EQ(b->ExtraText(), "");
  EXPECT_EQ(b->Attribs().Count(), 0);

  THTMLTagDef* img = g.FindTag("IMG");
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->Kind(), tkStandAlone);
  EXPECT_EQ(img->EndTag(), "");
  ASSERT_EQ(img->Attribs().Count(), 5);
  EXPECT_EQ(img->Attribs().Strings(0), "SRC");
  THTMLAttribDef* src = img->FindAttrib("SRC");
  EXPECT_EQ(src->Name(), "SRC");
  EXPECT_EQ(src->AttrType(), atImage);
  EXPECT_EQ(src->Required(), arRequired);
  EXPECT_EQ(src->Filter(), "Pics|*.gif");
  EXPECT_EQ(src->Description(), "Source");
  EXPECT_EQ(src->Browsers(), bfNetscape3 | bfIE3 | bfIntBrowser);
  THTMLAttribDef* alt = img->FindAttrib("ALT");
  EXPECT_EQ(alt->Required(), arUnlessOther);
  EXPECT_EQ(alt->OtherAttrib(), "USEMAP");
  EXPECT_EQ(alt->AttrType(), atText);
  EXPECT_EQ(img->FindAttrib("ALIGN")->PickList(), "TOP\r\nBOTTOM");
  EXPECT_TRUE(img->FindAttrib("ISMAP")->IsFlag());
  EXPECT_FALSE(alt->IsFlag());
}

TEST(VxtBuild, WritesAFileThatLoadsBack) {
  const std::string src = "vxtbuild_test_good.vxd", out = "vxtbuild_test_good.vxt";
  WriteBytes(src, kSource);
  std::remove(out.c_str());
  std::string err;
  ASSERT_EQ(RunTool(src, out, err), 0) << err;
  THTMLGroup g;
  g.LoadFromFile(out);
  EXPECT_EQ(g.Tags().Count(), 2);
  EXPECT_EQ(g.FindTag("IMG")->Attribs().Count(), 5);
  std::remove(src.c_str());
  std::remove(out.c_str());
}

TEST(VxtBuild, AMistakeFailsWithItsPlaceAndWritesNothing) {
  const std::string src = "vxtbuild_test_bad.vxd", out = "vxtbuild_test_bad.vxt";
  // The mistake sits in the last tag, after good ones, so nothing may be written early.
  WriteBytes(src, std::string(kSource) + "tag P\n kind sometimes\n");
  std::remove(out.c_str());
  std::string err;
  EXPECT_EQ(RunTool(src, out, err), 1);
  EXPECT_NE(err.find(src + ":34: error: kind must be"), std::string::npos) << err;
  EXPECT_TRUE(Slurp(out).empty());
  std::ifstream probe(out);
  EXPECT_FALSE(probe.good());

  // An earlier output stays exactly as it was.
  WriteBytes(out, "previous");
  EXPECT_EQ(RunTool(src, out, err), 1);
  EXPECT_EQ(Slurp(out), "previous");
  std::remove(src.c_str());
  std::remove(out.c_str());
}

TEST(VxtBuild, UsageAndMissingSource) {
  std::ostringstream o, e;
  const char* argv[] = {"vxtbuild"};
  EXPECT_EQ(VxtBuildMain(1, argv, o, e), 2);
  std::string err;
  EXPECT_EQ(RunTool("vxtbuild_test_none.vxd", "vxtbuild_test_none.vxt", err), 1);
  EXPECT_NE(err.find("vxtbuild_test_none.vxd"), std::string::npos) << err;
}

}  // namespace
}  // namespace vx
