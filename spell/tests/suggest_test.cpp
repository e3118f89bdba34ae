// Suggestions: the checker's own sound code and score, the ranked list, and the searches
// over a dictionary built from known words.
#include <gtest/gtest.h>

#include "spell/Dictionary.h"
#include "spell/SpellPlatform.h"
#include "spell/Suggest.h"
#include "spell/tests/SpellTestFiles.h"
#include "tools/DctBuild.h"

namespace vx {
namespace {

using namespace spelltest;

TEST(SoundCode, TheTablesOwnCodes) {
  struct {
    const char* word;
    const char* code;
  } padded[] = {{"hello", "H400"},   {"help", "H410"},   {"the", "T200"},    {"teh", "T200"},     {"receive", "R210"},
                {"recieve", "R210"}, {"robert", "R163"}, {"rupert", "R163"}, {"tymczak", "T520"}, {"knight", "K523"},
                {"night", "N230"},   {"world", "W643"},  {"a", "A000"},      {"hh", "H200"}};
  for (auto& p : padded) EXPECT_EQ(TSuggestList::PhoneticCode(p.word, true), p.code) << p.word;
  EXPECT_EQ(TSuggestList::PhoneticCode("hello", false), "H4");
  EXPECT_EQ(TSuggestList::PhoneticCode("help", false), "H41");
  // H codes as 2 (so "sh" is one sound), W and Y vanish like vowels and do not separate.
  EXPECT_EQ(TSuggestList::PhoneticCode("ashcroft", true), "A261");
  EXPECT_EQ(TSuggestList::PhoneticCode("bywb", false), "B1");
  // Accented letters are looked up in the ANSI code page: ç codes as c, é as a vowel.
  EXPECT_EQ(TSuggestList::PhoneticCode("fa\x87"
                                       "ade",
                                       true),
            "F230");
  EXPECT_EQ(TSuggestList::PhoneticCode("r\x82sum\x82", true), "R250");
  // A character outside the alphabet codes as the byte 0, which is not the digit 0.
  EXPECT_EQ(TSuggestList::PhoneticCode("a-b", true), std::string("A\0"
                                                                 "1"
                                                                 "0",
                                                                 4));
}

TEST(Similarity, TheScorersOwnValues) {
  struct {
    const char* a;
    const char* b;
    int score;
  } table[] = {{"teh", "the", 66},
               {"helo", "hello", 66},
               {"helo", "help", 75},
               {"occured", "occurred", 93},
               {"definate", "definite", 87},
               {"recieve", "receive", 71},
               {"seperate", "separate", 50},
               {"thier", "their", 60},
               {"wrod", "word", 50},
               {"ab", "ba", 50},
               {"ab", "ab", 100},
               {"abc", "xyz", 0}};
  for (auto& t : table) EXPECT_EQ(Similarity(t.a, t.b), t.score) << t.a << " / " << t.b;
  EXPECT_EQ(Similarity("", ""), 0);
}

TEST(SuggestList, RankedBoundedAndTiesInArrivalOrder) {
  TSuggestList list;
  list.SetTarget("teh", 3);
  list.AddCandidate("teh", "tex");  // 66
  list.AddCandidate("teh", "the");  // 66, after tex
  list.AddCandidate("teh", "ten");  // 66, fills the list
  list.AddCandidate("teh", "tea");  // 66 = the lowest kept: dropped
  auto words = [&] {
    std::string s;
    for (TLinkedListNode* n = list.Head(); n; n = n->Next()) s += static_cast<TSuggestion*>(n)->Word() + " ";
    return s;
  };
  EXPECT_EQ(words(), "tex the ten ");
  list.AddCandidate("teh", "teh");  // 100 pushes the lowest out
  EXPECT_EQ(words(), "teh tex the ");
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(static_cast<TSuggestion*>(list.Head())->Score(), 100);
}

// A word one slip of the keys away goes before better-scored ones that are not.
TEST(SuggestList, OneSlipFromTheWordFirst) {
  struct {
    const char* a;
    const char* b;
    bool slip;
  } table[] = {{"seperate", "separate", true}, {"teh", "the", true},    {"occured", "occurred", true},
               {"helo", "hel", true},          {"abc", "abc", true},    {"abc", "abcd", true},
               {"abc", "xabc", true},          {"abc", "acb", true},    {"abcd", "badc", false},
               {"abc", "abcde", false},        {"abc", "axc", true},    {"abc", "xyc", false},
               {"seperate", "separator", false}, {"a", "", true},       {"ab", "", false}};
  for (auto& t : table) {
    EXPECT_EQ(OneSlipApart(t.a, t.b), t.slip) << t.a << " / " << t.b;
    EXPECT_EQ(OneSlipApart(t.b, t.a), t.slip) << t.b << " / " << t.a;
  }
  TSuggestList list;
  list.SetTarget("seperate", 2);
  list.AddCandidate("seperate", "separator");  // 70
  list.AddCandidate("seperate", "severed");    // 66
  list.AddCandidate("seperate", "separate");   // 50, one letter changed
  list.AddCandidate("seperate", "suppurate");  // 70 pushes severed out
  std::string s;
  for (TLinkedListNode* n = list.Head(); n; n = n->Next()) s += static_cast<TSuggestion*>(n)->Word() + " ";
  EXPECT_EQ(s, "separate separator ");
}

struct SuggestTest : ::testing::Test {
  std::string main = Path("suggest.dct");
  TDictionary* d = nullptr;
  void SetUp() override {
    SetSpellMessageHook([](const AnsiString&, TSpellMsgKind) { return kSpellOk; });
    WriteBytes(main,
               BuildDictionaryFile({"the",  "tea",   "tee",   "ten",   "then",  "hello",    "help",     "hell", "held",
                                    "spa",  "space", "spade", "spain", "spell", "spelling", "receive",  "in",   "to",
                                    "into", "on",    "once",  "word",  "world", "occur",    "occurred", "ed"}));
    d = new TDictionary;
    ASSERT_TRUE(d->AddMainFile(main));
  }
  void TearDown() override { delete d; }
  std::string Text(const std::unique_ptr<TStringList>& l) {
    std::string s;
    for (int i = 0; i < l->Count(); ++i) s += l->Strings(i) + "|";
    return s;
  }
};

TEST_F(SuggestTest, SplitsFirstThenSoundAlikesBestFirstInTheAskedCase) {
  // help (H41) and held (H43) have left hello's code (H400): never candidates.
  EXPECT_EQ(Text(d->Suggest("helo", 3)), "hell|hello|");
  // Equal scores (66) in the order the walk meets them; ten and then sound different.
  EXPECT_EQ(Text(d->Suggest("Teh", 10)), "Tea|Tee|The|To|");
  EXPECT_EQ(Text(d->Suggest("TEH", 2)), "TEA|TEE|");
  EXPECT_EQ(Text(d->Suggest("occured", 10)), "occur ed|occurred|occur|");
  EXPECT_EQ(Text(d->Suggest("intoword", 10)), "into word|");
  // N = 1 and a split: only the split.
  EXPECT_EQ(Text(d->Suggest("occured", 1)), "occur ed|");
  // A word starting with a digit gets splits only, neither converted nor re-cased.
  EXPECT_EQ(Text(d->Suggest("4Teh", 10)), "");
  // The second character decides: an apostrophe (no lower case) gives capitals.
  // (tee, one letter changed, goes before tea.)
  EXPECT_EQ(Text(d->Suggest("t'e", 1)), "TEE|");
  // No root entry for the first letter: nothing sounds alike.
  EXPECT_EQ(Text(d->Suggest("xylophone", 10)), "");
}

TEST_F(SuggestTest, CustomWordsAreRankedWithTheMainFile) {
  // More than 256 custom words: all of them are searched.
  for (int i = 0; i < 300; ++i) d->CustomWords().Add("zz" + std::to_string(i));
  d->CustomWords().Add("teh");
  // teh (85) goes before the main file's tea, tee and the (57 each).
  EXPECT_EQ(Text(d->Suggest("tehh", 4)), "teh|tea|tee|the|");
  d->CustomWords().Add("zzzhello");
  EXPECT_GT(d->CustomWords().IndexOf("zzzhello"), 256);
  EXPECT_EQ(Text(d->Suggest("zzzhelo", 1)), "zzzhello|");
}

TEST_F(SuggestTest, WordsWithPrefixWhileTyping) {
  EXPECT_EQ(Text(d->WordsWithPrefix("Sp", 10)), "Spa|Space|Spade|Spain|Spell|Spelling|");
  EXPECT_EQ(Text(d->WordsWithPrefix("sp", 3)), "spa|space|spade|");
  EXPECT_EQ(Text(d->WordsWithPrefix("SPE", 10)), "SPELL|SPELLING|");
  EXPECT_EQ(Text(d->WordsWithPrefix("spelling", 10)), "");  // a word with no continuation
  EXPECT_EQ(Text(d->WordsWithPrefix("spx", 10)), "");
  EXPECT_EQ(Text(d->WordsWithPrefix("", 10)), "");
}

TEST(SuggestCase, MatchCase) {
  EXPECT_EQ(TDictionary::MatchCase("the", "Teh"), "The");
  EXPECT_EQ(TDictionary::MatchCase("the", "TEH"), "THE");
  EXPECT_EQ(TDictionary::MatchCase("the", "teh"), "the");
  EXPECT_EQ(TDictionary::MatchCase("the", "T"), "THE");
  EXPECT_EQ(TDictionary::MatchCase("The", ""), "The");
  EXPECT_EQ(TDictionary::MatchCase("\xE9t\xE9", "\xC9T"), "\xC9T\xC9");  // été in capitals, ANSI
  EXPECT_EQ(UpperCaseWord("na\xEFve"), "NA\xCFVE");
}

TEST(SuggestDamaged, CyclicAndEmptyDictionariesEnd) {
  SetSpellMessageHook([](const AnsiString&, TSpellMsgKind) { return kSpellOk; });
  std::string name = Path("cyclic.dct");
  // t -> { e -> back to the root list, h (last) -> its own list }
  WriteBytes(name,
             DctBytes({MakeCell('t', true, true, 2), MakeCell('e', false, true, 1), MakeCell('h', true, true, 3)}));
  TDictionary d;
  ASSERT_TRUE(d.AddMainFile(name));
  EXPECT_LE(d.Suggest("teh", 10)->Count(), 10);
  EXPECT_LE(d.WordsWithPrefix("t", 255)->Count(), 255);
  EXPECT_LE(d.Suggest("thhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhh", 255)->Count(), 255);
  // A root letter without children: no walk from cell 0.
  d.CloseAll();
  std::string leaf = Path("leaf.dct");
  WriteBytes(leaf, DctBytes({MakeCell('t', true, true, 0)}));
  ASSERT_TRUE(d.AddMainFile(leaf));
  EXPECT_EQ(d.Suggest("te", 10)->Count(), 0);
  EXPECT_EQ(d.WordsWithPrefix("t", 10)->Count(), 0);
}

}  // namespace
}  // namespace vx
