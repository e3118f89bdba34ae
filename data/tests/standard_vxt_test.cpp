// The built standard.vxt, loaded as VornixPro loads it from its program folder (the
// tests run in that folder): the set must hold every tag the editor inserts, with the
// attributes its buttons and wizards write, and survive a load and save unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "tagdefs/teTagType.h"

namespace vx {
namespace {

class StandardVxt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    set_ = new THTMLGroup();
    set_->LoadFromFile("standard.vxt");
  }
  static void TearDownTestSuite() {
    delete set_;
    set_ = nullptr;
  }
  static THTMLTagDef* Tag(int i) { return static_cast<THTMLTagDef*>(set_->Tags().Objects(i)); }
  static THTMLAttribDef* Attr(THTMLTagDef* t, int i) { return static_cast<THTMLAttribDef*>(t->Attribs().Objects(i)); }
  static std::vector<std::string> Lines(const std::string& text) {
    TStringList l;
    l.SetText(text);
    std::vector<std::string> out;
    for (int i = 0; i < l.Count(); ++i) out.push_back(l.Strings(i));
    return out;
  }
  static THTMLGroup* set_;
};
THTMLGroup* StandardVxt::set_ = nullptr;

// Every tag that a speed button, a popup menu item, a wizard, the new-document
// skeleton or a file drop of VornixPro inserts, with the attributes that it writes
// itself (so that a click on the tag name finds them again in the attribute editor).
struct Inserted {
  const char* tag;
  bool hasAttributes;
  std::vector<const char*> written;
};
// clang-format off
const Inserted kInserted[] = {
    // Format speed bar
    {"P", true, {}}, {"PRE", true, {}}, {"CENTER", false, {}}, {"DIV", true, {}},
    {"H1", true, {}}, {"H2", true, {}}, {"B", false, {}}, {"U", false, {}}, {"I", false, {}},
    {"EM", false, {}}, {"CITE", false, {}}, {"TT", false, {}}, {"SUB", false, {}},
    {"SUP", false, {}}, {"BR", true, {}}, {"HR", true, {}},
    // Main speed bar, file drops and the skeleton's credit line
    {"A", true, {"HREF"}}, {"FONT", true, {}},
    // Heading, form, table, frame and image popups
    {"H3", true, {}}, {"H4", true, {}}, {"H5", true, {}}, {"H6", true, {}},
    {"FORM", true, {}}, {"INPUT", true, {}}, {"SELECT", true, {}}, {"OPTION", true, {}},
    {"TEXTAREA", true, {}},
    {"TABLE", true, {"CELLSPACING", "CELLPADDING", "BORDER"}}, {"CAPTION", true, {"ALIGN"}},
    {"TR", true, {}}, {"TH", true, {}}, {"TD", true, {}},
    {"FRAMESET", true, {"ROWS", "COLS"}},
    {"FRAME", true, {"SRC", "NAME", "MARGINWIDTH", "MARGINHEIGHT", "SCROLLING", "NORESIZE"}},
    {"NOFRAMES", false, {}},
    {"IMG", true, {"SRC", "BORDER", "USEMAP"}}, {"MAP", true, {"NAME"}},
    {"AREA", true, {"COORDS", "HREF"}},
    // List wizard
    {"UL", true, {}}, {"OL", true, {}}, {"LI", true, {}},
    // New-document skeleton
    {"HTML", false, {}}, {"HEAD", false, {}}, {"TITLE", false, {}}, {"BODY", true, {}},
};
// clang-format on

TEST_F(StandardVxt, HoldsAFullSetInOrder) {
  EXPECT_FALSE(set_->Name().empty());
  ASSERT_GE(set_->Tags().Count(), 90);
  std::set<std::string> names;
  for (int i = 0; i < set_->Tags().Count(); ++i) {
    THTMLTagDef* t = Tag(i);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(set_->Tags().Strings(i), t->Name());
    EXPECT_TRUE(names.insert(t->Name()).second) << "duplicate " << t->Name();
  }
}

TEST_F(StandardVxt, EveryInsertedTagIsDefined) {
  const std::string lookup = set_->GetTagLookup(), attrLookup = set_->GetAttrTagLookup();
  for (const Inserted& in : kInserted) {
    SCOPED_TRACE(in.tag);
    THTMLTagDef* t = set_->FindTag(in.tag);
    ASSERT_NE(t, nullptr);
    EXPECT_NE(lookup.find(std::string("|<") + in.tag + "|"), std::string::npos);
    EXPECT_EQ(t->Attribs().Count() > 0, in.hasAttributes);
    EXPECT_EQ(attrLookup.find(std::string("|<") + in.tag + "|") != std::string::npos, in.hasAttributes);
    for (const char* a : in.written) EXPECT_NE(t->FindAttrib(a), nullptr) << a;
  }
}

TEST_F(StandardVxt, ImageSourceIsARequiredImage) {
  THTMLTagDef* img = set_->FindTag("IMG");
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->Kind(), tkStandAlone);
  THTMLAttribDef* src = img->FindAttrib("SRC");
  ASSERT_NE(src, nullptr);
  EXPECT_EQ(src->AttrType(), atImage);
  EXPECT_EQ(src->Required(), arRequired);
  THTMLAttribDef* alt = img->FindAttrib("ALT");
  ASSERT_NE(alt, nullptr);
  EXPECT_EQ(alt->Required(), arUnlessOther);
  EXPECT_EQ(alt->OtherAttrib(), "USEMAP");
  // The image button fills in the rows captioned exactly WIDTH and HEIGHT.
  EXPECT_NE(img->FindAttrib("WIDTH"), nullptr);
  EXPECT_NE(img->FindAttrib("HEIGHT"), nullptr);
  THTMLAttribDef* ismap = img->FindAttrib("ISMAP");
  ASSERT_NE(ismap, nullptr);
  EXPECT_TRUE(ismap->IsFlag());
}

TEST_F(StandardVxt, TypicalAttributesHaveTheirTypes) {
  struct Want {
    const char* tag;
    const char* attr;
    TAttribType type;
  };
  const Want wants[] = {
      {"A", "HREF", atFile},         {"FORM", "ACTION", atFile},   {"BODY", "BACKGROUND", atFile},
      {"BODY", "BGCOLOR", atColor},  {"FONT", "COLOR", atColor},   {"TD", "BGCOLOR", atColor},
      {"TD", "ALIGN", atPickList},   {"TD", "VALIGN", atPickList}, {"FORM", "METHOD", atPickList},
      {"INPUT", "TYPE", atPickList}, {"INPUT", "SRC", atImage},    {"TD", "COLSPAN", atNumeric},
  };
  for (const Want& w : wants) {
    SCOPED_TRACE(std::string(w.tag) + " " + w.attr);
    THTMLTagDef* t = set_->FindTag(w.tag);
    ASSERT_NE(t, nullptr);
    THTMLAttribDef* a = t->FindAttrib(w.attr);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->AttrType(), w.type);
  }
  const char* flags[][2] = {{"TD", "NOWRAP"},       {"INPUT", "CHECKED"},   {"HR", "NOSHADE"},     {"UL", "COMPACT"},
                            {"OPTION", "SELECTED"}, {"SELECT", "MULTIPLE"}, {"FRAME", "NORESIZE"}, {"AREA", "NOHREF"}};
  for (auto& f : flags) {
    THTMLAttribDef* a = set_->FindTag(f[0])->FindAttrib(f[1]);
    ASSERT_NE(a, nullptr) << f[0] << " " << f[1];
    EXPECT_TRUE(a->IsFlag()) << f[0] << " " << f[1];
  }
}

TEST_F(StandardVxt, FieldsAreConsistent) {
  const int groups = static_cast<int>(Lines(set_->GroupNames()).size());
  ASSERT_GE(groups, 8);
  std::vector<int> perGroup(groups);
  for (int i = 0; i < set_->Tags().Count(); ++i) {
    THTMLTagDef* t = Tag(i);
    SCOPED_TRACE(t->Name());
    // Every tag appears in the palette under one of the groups.
    ASSERT_GE(t->GroupIndex(), 0);
    ASSERT_LT(t->GroupIndex(), groups);
    ++perGroup[t->GroupIndex()];
    ASSERT_LE(static_cast<int>(t->Kind()), 2);
    if (t->Kind() != tkStandAlone)
      EXPECT_EQ(t->EndTag(), "/" + t->Name());
    else
      EXPECT_EQ(t->EndTag(), "");
    EXPECT_EQ(t->Name(), AnsiUpperCase(t->Name()));
    EXPECT_LE(static_cast<int>(t->Browsers()), 15);
    EXPECT_FALSE(t->Description().empty());
    std::set<std::string> attrNames;
    for (int j = 0; j < t->Attribs().Count(); ++j) {
      THTMLAttribDef* a = Attr(t, j);
      SCOPED_TRACE(a->Name());
      EXPECT_EQ(t->Attribs().Strings(j), a->Name());
      EXPECT_TRUE(attrNames.insert(a->Name()).second);
      EXPECT_EQ(a->Name(), AnsiUpperCase(a->Name()));
      EXPECT_FALSE(a->Description().empty());
      EXPECT_LE(static_cast<int>(a->AttrType()), 5);
      EXPECT_LE(static_cast<int>(a->Browsers()), 15);
      if (a->AttrType() == atPickList) {
        auto values = Lines(a->PickList());
        EXPECT_FALSE(values.empty());
        for (const auto& v : values) {
          EXPECT_FALSE(v.empty());
          EXPECT_EQ(v, AnsiUpperCase(v));
        }
      } else {
        EXPECT_EQ(a->PickList(), "");
      }
      if (a->Required() == arUnlessOther) {
        EXPECT_NE(a->OtherAttrib(), a->Name());
        EXPECT_NE(t->FindAttrib(a->OtherAttrib()), nullptr) << a->OtherAttrib();
      } else {
        EXPECT_EQ(a->OtherAttrib(), "");
      }
      if (a->AttrType() == atFile || a->AttrType() == atImage) {
        // Description and mask pairs, as the open dialog takes them.
        EXPECT_EQ(std::count(a->Filter().begin(), a->Filter().end(), '|') % 2, 1);
      } else {
        EXPECT_EQ(a->Filter(), "");
      }
    }
  }
  for (int g = 0; g < groups; ++g) EXPECT_GT(perGroup[g], 0) << "group " << g << " is empty";
}

TEST_F(StandardVxt, DescriptionsAreFragmentsForTheHelpPane) {
  auto check = [](const std::string& d) {
    std::string lower = AnsiLowerCase(d);
    EXPECT_EQ(lower.find("<html"), std::string::npos) << d;
    EXPECT_EQ(lower.find("<body"), std::string::npos) << d;
    EXPECT_EQ(lower.find("<head"), std::string::npos) << d;
    for (unsigned char c : d) EXPECT_TRUE(c < 0x80 && (c >= 0x20 || c == '\r' || c == '\n')) << d;
  };
  for (int i = 0; i < set_->Tags().Count(); ++i) {
    THTMLTagDef* t = Tag(i);
    check(t->Description());
    for (int j = 0; j < t->Attribs().Count(); ++j) check(Attr(t, j)->Description());
  }
}

TEST_F(StandardVxt, SavingTheLoadedSetGivesTheSameBytes) {
  std::ifstream in("standard.vxt", std::ios::binary);
  ASSERT_TRUE(in);
  std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  TMemoryStream saved;
  set_->SaveToStream(saved);
  ASSERT_EQ(saved.Size(), static_cast<int64_t>(file.size()));
  EXPECT_EQ(std::memcmp(saved.Memory(), file.data(), file.size()), 0);
}

}  // namespace
}  // namespace vx
