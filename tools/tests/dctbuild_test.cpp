// The dictionary builder against the reader: what goes in is found, in the layout the
// reader's searches rely on.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "framework/core/SysUtils.h"
#include "framework/core/tests/TestFiles.h"
#include "spell/Dictionary.h"
#include "spell/SpellPlatform.h"
#include "tools/DctBuild.h"

namespace vx {
namespace {

std::string TempPath(const std::string& leaf) { return (std::filesystem::temp_directory_path() / leaf).string(); }

struct SmallList : ::testing::Test {
  std::string dct = TempPath("vx_small.dct");
  std::string list = std::string(VX_TOOLS_TEST_DATA) + "/words-small.txt";
  TDctBuildStats stats;
  void SetUp() override {
    SetSpellMessageHook([](const AnsiString&, TSpellMsgKind) { return kSpellOk; });
    std::ifstream in(list, std::ios::binary);
    ASSERT_TRUE(in) << list;
    WriteBytes(dct, BuildDictionaryFromList(in, &stats));
  }
  void TearDown() override { std::remove(dct.c_str()); }
};

TEST(DctBuildWords, CodePage437AndTheDictionaryForm) {
  std::string out;
  EXPECT_TRUE(Utf8ToCodePage437("caf\xC3\xA9", out));
  EXPECT_EQ(out, "caf\x82");
  EXPECT_TRUE(Utf8ToCodePage437("\xC3\x91u", out));  // Ñ
  EXPECT_EQ(out, "\xA5u");
  EXPECT_FALSE(
      Utf8ToCodePage437("\xC5\x81\xC3\xB3"
                        "d\xC5\xBA",
                        out));                     // Łódź: Ł has no place
  EXPECT_FALSE(Utf8ToCodePage437("ab\xC3", out));  // cut in the middle
  EXPECT_FALSE(Utf8ToCodePage437("a\x80z", out));

  EXPECT_TRUE(DictionaryForm("Spain", out));
  EXPECT_EQ(out, "spain");
  EXPECT_TRUE(DictionaryForm("Cat's", out));
  EXPECT_EQ(out, "cat");
  EXPECT_TRUE(DictionaryForm("don't", out));
  EXPECT_EQ(out, "don't");
  EXPECT_TRUE(DictionaryForm("A", out));
  EXPECT_FALSE(DictionaryForm("b", out));
  EXPECT_FALSE(DictionaryForm("'s", out));
  EXPECT_FALSE(DictionaryForm("co-op", out));
  EXPECT_TRUE(DictionaryForm(std::string(49, 'x'), out));
  EXPECT_FALSE(DictionaryForm(std::string(50, 'x'), out));
}

TEST_F(SmallList, EveryWordIsFoundAndNothingElse) {
  TDCTFile f(dct);
  for (const char* w : {"a",       "i",   "o",       "the",      "tea",   "tee", "then", "hello", "help",     "spain",
                        "sparrow", "cat", "caf\x82", "na\x8Bve", "don't", "it",  "4th",  "zebra", "occurred", "ed"})
    EXPECT_TRUE(f.Contains(w)) << w;
  for (const char* w : {"b", "th", "hel", "helo", "cats", "cat's", "Spain", "sp", "zebras", "", "'"})
    EXPECT_FALSE(f.Contains(w)) << w;
  // 57 lines: Łódź and the 52-letter word cannot go in, b is dropped; repeats fold.
  EXPECT_EQ(stats.lines, 57);
  EXPECT_EQ(stats.rejected, 3);
  TDictionary d;
  ASSERT_TRUE(d.AddMainFile(dct));
  EXPECT_TRUE(d.Contains("Cat's"));
  EXPECT_TRUE(d.Contains("SPAIN"));
  EXPECT_TRUE(d.Contains("it's"));
}

// Walks every sibling list: sorted by byte, ends with the last-sibling flag, and the
// children of a cell lie after it (depth first), inside the file.
void CheckLists(TDCTFile& f, uint32_t first, std::set<uint32_t>& seen, int depth) {
  ASSERT_LT(depth, 50);
  int previous = -1;
  for (uint32_t i = first;; ++i) {
    ASSERT_LE(i, f.CellCount());
    ASSERT_TRUE(seen.insert(i).second) << "cell " << i << " reached twice";
    uint32_t c = f.GetCell(i);
    int letter = dct::CellLetter(c);
    EXPECT_GT(letter, previous);
    previous = letter;
    if (ChildIndex(c)) {
      EXPECT_GT(ChildIndex(c), i);
      CheckLists(f, ChildIndex(c), seen, depth + 1);
    }
    if (IsLastSibling(c)) break;
  }
}

TEST_F(SmallList, LaidOutSortedDepthFirstAndTheSameEachTime) {
  TDCTFile f(dct);
  std::set<uint32_t> seen;
  CheckLists(f, 1, seen, 0);
  // Every cell belongs to exactly one list: no gaps, no sharing.
  EXPECT_EQ(seen.size(), f.CellCount());
  EXPECT_EQ(static_cast<int>(f.CellCount()), stats.cells);
  EXPECT_EQ(f.FileSize(), 83 + 4 * stats.cells);
  std::ifstream in(list, std::ios::binary);
  EXPECT_EQ(BuildDictionaryFromList(in), Slurp(dct));

  TDictionary d;
  ASSERT_TRUE(d.AddMainFile(dct));
  auto sp = d.WordsWithPrefix("Sp", 20);
  EXPECT_EQ(sp->Text(),
            "Spa\r\nSpace\r\nSpade\r\nSpain\r\nSpare\r\nSparrow\r\nSpeak\r\nSpecial\r\nSpell\r\nSpelling\r\n"
            "Spelt\r\n");
}

// Words in commonness classes: the walk meets the common word first, so it comes first
// among suggestions of equal score, and the prefix search lists common words first.
TEST(DctBuildClasses, CommonWordsComeFirstAmongEqualScores) {
  SetSpellMessageHook([](const AnsiString&, TSpellMsgKind) { return kSpellOk; });
  std::string dct = TempPath("vx_classes.dct");
  std::istringstream list("# a comment\n#10\nthe\nthen\n#20\ntea\ntee\n#50\ntex\nthe\n");
  TDctBuildStats stats;
  WriteBytes(dct, BuildDictionaryFromList(list, &stats));
  EXPECT_EQ(stats.lines, 6);
  EXPECT_EQ(stats.words, 5);  // the twice: it stays in its commonest class
  TDictionary d;
  ASSERT_TRUE(d.AddMainFile(dct));
  auto s = d.Suggest("teh", 10);  // all four score 66
  EXPECT_EQ(s->Text(), "the\r\ntea\r\ntee\r\ntex\r\n");
  auto p = d.WordsWithPrefix("t", 10);
  EXPECT_EQ(p->Text(), "the\r\nthen\r\ntea\r\ntee\r\ntex\r\n");
  std::remove(dct.c_str());
}

// A branch whose commonest word is as common as the other branch's, but which holds fewer
// common words, comes second: "semi" hides behind "see" no longer.
TEST(DctBuildClasses, TheBranchWithMoreCommonWordsIsWalkedFirst) {
  SetSpellMessageHook([](const AnsiString&, TSpellMsgKind) { return kSpellOk; });
  std::string dct = TempPath("vx_weights.dct");
  std::istringstream list("#10\nsee\nsome\nson\nsoon\n#50\nsemi\n");
  WriteBytes(dct, BuildDictionaryFromList(list));
  {
    TDictionary d;
    ASSERT_TRUE(d.AddMainFile(dct));
    auto s = d.Suggest("soem", 10);  // some and semi both score 75
    ASSERT_GE(s->Count(), 2);
    EXPECT_EQ(s->Strings(0), "some") << s->Text();
    EXPECT_EQ(s->Strings(1), "semi") << s->Text();
  }
  // One class: plain byte order, whatever the branches hold.
  WriteBytes(dct, BuildDictionaryFile(std::vector<std::string>{"see", "some", "son", "soon", "semi"}));
  TDictionary d;
  ASSERT_TRUE(d.AddMainFile(dct));
  EXPECT_EQ(d.WordsWithPrefix("s", 10)->Text(), "see\r\nsemi\r\nsome\r\nson\r\nsoon\r\n");
  std::remove(dct.c_str());
}

TEST_F(SmallList, ToolWritesTheFileOnlyWhenTheListCanBeRead) {
  std::string out = TempPath("vx_tool.dct");
  std::remove(out.c_str());
  std::ostringstream o, e;
  std::string missing = TempPath("vx_no_such_list.txt");
  const char* bad[] = {"dctbuild", missing.c_str(), out.c_str()};
  EXPECT_EQ(DctBuildMain(3, bad, o, e), 1);
  EXPECT_FALSE(FileExists(out));
  const char* good[] = {"dctbuild", list.c_str(), out.c_str()};
  EXPECT_EQ(DctBuildMain(3, good, o, e), 0) << e.str();
  EXPECT_EQ(Slurp(out), Slurp(dct));
  EXPECT_NE(o.str().find(std::to_string(stats.words) + " words"), std::string::npos);
  std::remove(out.c_str());
}

// The dictionary the programs ship, built from data/english-words.txt beside the test.
TEST(EnglishDct, KnowsEnglishAndSuggests) {
  SetSpellMessageHook([](const AnsiString&, TSpellMsgKind) { return kSpellOk; });
  ASSERT_TRUE(FileExists("ENGLISH.DCT"));
  ASSERT_TRUE(FileExists("ENGLISH-DCT-LICENCE.TXT"));
  EXPECT_NE(Slurp("ENGLISH-DCT-LICENCE.TXT").find("Kevin Atkinson"), std::string::npos);
  TDictionary d;
  ASSERT_TRUE(d.AddMainFile("ENGLISH.DCT"));
  TDCTFile* f = static_cast<TDCTFile*>(d.MainFiles().Head());
  EXPECT_GT(f->CellCount(), 100000u);
  EXPECT_LT(f->CellCount(), dct::kCellLimit);
  for (const char* w : {"the", "hello", "world", "receive", "separate", "occurred", "Paris", "English", "Monday",
                        "don't", "John's", "caf\x82", "a", "I", "an", "be", "ok", "etc", "misc"})
    EXPECT_TRUE(d.Contains(w)) << w;
  for (const char* w : {"teh", "recieve", "seperate", "occured", "wrng", "b"}) EXPECT_FALSE(d.Contains(w)) << w;
  // Abbreviations and letter pairs that are no English words: they made splits like
  // "ta ht" for taht and "occur ed" for occured, ahead of every real suggestion.
  for (const char* w : {"ta", "ht", "mr", "oe", "ed", "wa", "ri", "tv", "o"}) EXPECT_FALSE(d.Contains(w)) << w;
  // Short rare names made them too: "a los" for alos, "begin ing" (ING) for begining.
  for (const char* w : {"taht", "mroe", "waht", "rihgt", "occured", "aslo", "hte", "gerat", "alos", "begining", "geting"}) {
    auto s = d.Suggest(w, 10);
    ASSERT_GT(s->Count(), 0) << w;
    EXPECT_EQ(s->Strings(0).find(' '), std::string::npos) << w << ":\n" << s->Text();
  }
  auto s = d.Suggest("occured", 10);
  EXPECT_EQ(s->Strings(0), "occurred") << s->Text();
  // A letter off: many longer words score higher, yet the word meant is among the ten.
  s = d.Suggest("seperate", 10);
  EXPECT_GE(s->IndexOf("separate"), 0) << s->Text();
  s = d.Suggest("soem", 10);
  ASSERT_GE(s->IndexOf("semi"), 0) << s->Text();
  EXPECT_LT(s->IndexOf("some"), s->IndexOf("semi")) << s->Text();
  auto p = d.WordsWithPrefix("Spel", 5);
  ASSERT_EQ(p->Count(), 5);
  for (int i = 0; i < p->Count(); ++i) EXPECT_EQ(p->Strings(i).substr(0, 4), "Spel");
}

}  // namespace
}  // namespace vx
