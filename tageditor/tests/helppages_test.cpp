// The help pages against golden files written by hand from the page rules, and the
// group names that must stay inside the destination.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "framework/core/tests/TestFiles.h"
#include "tageditor/HelpPages.h"
#include "tageditor/tests/SampleSet.h"

namespace vx {
namespace {

std::string Golden(const std::string& name) { return Slurp(std::string(VX_GOLDEN_DIR) + "/" + name); }

std::vector<std::pair<AnsiString, AnsiString>> MakePages(const THTMLGroup& g) {
  std::vector<std::pair<AnsiString, AnsiString>> pages;
  GenerateHelpPages(
      g, [&](const AnsiString& file, const THelpLines& lines) { pages.emplace_back(file, LinesText(lines)); });
  return pages;
}

}  // namespace

TEST(HelpPages, GroupPagesAndIndexMatchTheGoldenFiles) {
  THTMLGroup g;
  FillSampleSet(g);
  auto pages = MakePages(g);
  ASSERT_EQ(pages.size(), 3u);
  // Written in group order, the index last; HR (no group) and MARQUEE (group 5) nowhere.
  EXPECT_EQ(pages[0].first, "text formatting.htm");
  EXPECT_EQ(pages[1].first, "lists.htm");
  EXPECT_EQ(pages[2].first, "index.htm");
  for (auto& [file, text] : pages) {
    ASSERT_FALSE(Golden(file).empty()) << file;
    EXPECT_EQ(text, Golden(file)) << file;
  }
}

TEST(HelpPages, EmptySetsAndGroupsWithoutTags) {
  THTMLGroup none;
  auto pages = MakePages(none);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].second,
            "<HEAD>\r\n<TITLE> HTML Help </TITLE>\r\n</HEAD>\r\n<BODY>\r\n<H2> HTML Help index </H2>\r\n"
            "</BODY>\r\n</HTML>\r\n");
  THTMLGroup g;
  g.SetGroupNames("Empty");
  AddSampleTag(g, "P", "/P", tkEither, 1, "Para.");
  pages = MakePages(g);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].second,
            "<HTML>\r\n<HEAD>\r\n<TITLE>Empty</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=\"WHITE\">\r\n"
            "<TABLE Width=\"100%\">\r\n</TABLE>\r\n</BODY>\r\n</HTML>\r\n");
  EXPECT_NE(pages[1].second.find("<H3>Empty</H3>\r\n</BODY>"), std::string::npos);
}

TEST(HelpPages, GroupNamesNeverLeaveTheDestination) {
  EXPECT_EQ(HelpPageFileName("Text Formatting"), "text formatting.htm");
  EXPECT_EQ(HelpPageFileName("..\\x"), ".._x.htm");
  EXPECT_EQ(HelpPageFileName("../../etc"), ".._.._etc.htm");
  EXPECT_EQ(HelpPageFileName("C:\\Windows\\win"), "c__windows_win.htm");
  THTMLGroup g;
  g.SetGroupNames("..\\x");
  AddSampleTag(g, "A", "/A", tkHasEndTag, 0, "Anchor.");
  auto pages = MakePages(g);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].first, ".._x.htm");
  // The link names the same file; the heading shows the name as the user wrote it.
  EXPECT_NE(pages[1].second.find("<H3>..\\x</H3>\r\n<A HREF=\".._x.htm#A\">"), std::string::npos);
  EXPECT_NE(pages[0].second.find("<TITLE>..\\x</TITLE>"), std::string::npos);
}

TEST(HelpPages, GroupNamesAWindowsFileNameCannotHoldStillGetAPage) {
  EXPECT_EQ(HelpPageFileName("Bad:Name*?<>|\"x"), "bad_name______x.htm");
  EXPECT_EQ(HelpPageFileName(std::string("Tab\tBell\x07") + '\x1F'), "tab_bell__.htm");
  // What a file name can hold stays as written: blanks, dots, accents, "#", "%", "&".
  EXPECT_EQ(HelpPageFileName("Caf\xC9 #1 & 100% (old)."), "caf\xC9 #1 & 100% (old)..htm");
  THTMLGroup g;
  g.SetGroupNames("Bad:Name*?<>|\"x");
  AddSampleTag(g, "Q", "/Q", tkHasEndTag, 0, "Quote.");
  auto pages = MakePages(g);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].first, "bad_name______x.htm");
  EXPECT_NE(pages[1].second.find("<A HREF=\"bad_name______x.htm#Q\">"), std::string::npos);
}

std::u16string Folded(const std::string& s) { return WesternFold(s); }

TEST(HelpPages, EveryGroupGetsAPageOfItsOwnThatIsNeitherTheIndexNorADevice) {
  THTMLGroup g;
  g.SetGroupNames(
      "Index\na:b\na*b\na_b\nLists\nLISTS\nCon\nNUL\nLPT1\naux.txt\nCaf\xC9\ncaf\xE9\nPlain\nCOM0\nlpt0\nConIn$\n"
      "conout$.txt");
  TStringList groups;
  groups.SetText(g.GroupNames());
  for (int i = 0; i < groups.Count(); ++i) AddSampleTag(g, ("T" + std::to_string(i)).c_str(), "", tkStandAlone, i, "Tag.");
  auto pages = MakePages(g);
  ASSERT_EQ(pages.size(), static_cast<size_t>(groups.Count()) + 1);
  EXPECT_EQ(pages.back().first, "index.htm");
  std::set<std::u16string> seen;
  const std::set<std::u16string> devices{u"CON",  u"PRN",  u"AUX",    u"NUL",    u"COM1",
                                         u"LPT1", u"COM0", u"LPT0", u"CONIN$", u"CONOUT$"};
  for (size_t i = 0; i + 1 < pages.size(); ++i) {
    const std::string& file = pages[i].first;
    EXPECT_TRUE(seen.insert(Folded(file)).second) << file;
    EXPECT_NE(Folded(file), u"INDEX.HTM");
    EXPECT_EQ(devices.count(Folded(file.substr(0, file.find('.')))), 0u) << file;
    // The index links each tag to its group's page.
    EXPECT_NE(pages.back().second.find("<A HREF=\"" + file + "#T" + std::to_string(i) + "\">"), std::string::npos)
        << file;
  }
  // Names already safe and first of their spelling keep their page.
  EXPECT_EQ(pages[3].first, "a_b.htm");
  EXPECT_EQ(pages[4].first, "lists.htm");
  EXPECT_EQ(pages[10].first, "caf\xC9.htm");
  EXPECT_EQ(pages[12].first, "plain.htm");
}

// Page names are compared as the system that holds them compares them. In the Cyrillic code
// page 0xF7 and 0xD7 are one letter in two cases, and 0xB3 is the lower case of 0xB2 (which
// the Western code page takes for superscript digits): a second page of the same name as
// that system sees it gets a name of its own.
TEST(HelpPages, NamesAreComparedInTheCodePageOfTheSystem) {
  auto cyrillic = [](const AnsiString& name) {
    std::u16string s;
    for (char ch : name) {
      unsigned char b = static_cast<unsigned char>(ch);
      char16_t c = b >= 0xC0 ? char16_t(0x0410 + (b - 0xC0)) : b == 0xB2 ? u'\u0406' : b == 0xB3 ? u'\u0456' : b;
      if ((c >= 'a' && c <= 'z') || (c >= 0x0430 && c <= 0x044F)) c -= 0x20;
      else if (c == 0x0456) c = 0x0406;
      s += c;
    }
    return s;
  };
  TStringList groups;
  groups.SetText("\xF7\n\xD7\nCom\xB3\nCOM\xB2");
  EXPECT_EQ(HelpPageFileNames(groups), (std::vector<AnsiString>{"\xF7.htm", "\xD7.htm", "_com\xB3.htm", "_com\xB2.htm"}));
  std::vector<AnsiString> files = HelpPageFileNames(groups, cyrillic);
  std::set<std::u16string> seen;
  for (const AnsiString& f : files) EXPECT_TRUE(seen.insert(cyrillic(f)).second) << f;
  EXPECT_EQ(files[0], "\xF7.htm");
  // COM with a Cyrillic letter is no device there: the first keeps its name.
  EXPECT_EQ(files[2], "com\xB3.htm");
}

TEST(HelpPages, ASinkThatFailsStopsTheRunBeforeTheIndex) {
  THTMLGroup g;
  FillSampleSet(g);
  std::vector<AnsiString> written;
  EXPECT_THROW(GenerateHelpPages(g,
                                 [&](const AnsiString& file, const THelpLines&) {
                                   if (file == "lists.htm") throw std::runtime_error("Cannot create file lists.htm");
                                   written.push_back(file);
                                 }),
               std::runtime_error);
  EXPECT_EQ(written, (std::vector<AnsiString>{"text formatting.htm"}));
}

}  // namespace vx
