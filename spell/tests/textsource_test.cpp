// The word scanner over a plain text: markup, digits, over-long runs, backing up after a
// reload, and the word count.
#include <gtest/gtest.h>

#include <cstring>

#include "spell/SpellPlatform.h"
#include "spell/TextSource.h"

namespace vx {
namespace {

std::vector<std::string> Words(TAbsBuffer& b) {
  std::vector<std::string> out;
  for (std::string w = b.NextWord(); !w.empty(); w = b.NextWord()) out.push_back(w);
  return out;
}

struct ScannerTest : ::testing::Test {
  std::vector<std::string> messages;
  void SetUp() override {
    SetSpellMessageHook([this](const AnsiString& text, TSpellMsgKind) {
      messages.push_back(text);
      return kSpellOk;
    });
  }
  void TearDown() override { SetSpellMessageHook(nullptr); }
};

using V = std::vector<std::string>;

TEST_F(ScannerTest, MarkupIsSkippedOnlyWhenAsked) {
  const char* text = "a <b>bold</b> word";
  TPCharBuffer on(text);
  on.SetSkipMarkup(true);
  EXPECT_EQ(Words(on), (V{"a", "bold", "word"}));
  TPCharBuffer off(text);
  EXPECT_EQ(Words(off), (V{"a", "b", "bold", "b", "word"}));
  // Attributes, a ">" outside markup, and a "<" that never closes.
  TPCharBuffer html("<a href=\"x\">brwn</a> > quik <i unclosed rest of text");
  html.SetSkipMarkup(true);
  EXPECT_EQ(Words(html), (V{"brwn", "quik"}));
  TPCharBuffer amp("caf&eacute; &amp;");
  amp.SetSkipMarkup(true);
  EXPECT_EQ(Words(amp), (V{"caf", "eacute", "amp"}));  // character references are words
}

TEST_F(ScannerTest, WordPositionsAndDigits) {
  TPCharBuffer b("don't 123 x4 \x82t\x82");
  EXPECT_EQ(b.NextWord(), "don't");
  EXPECT_EQ(b.WordStart(), 1);
  EXPECT_EQ(b.WordEnd(), 6);
  EXPECT_FALSE(b.AllDigits());
  EXPECT_EQ(b.NextWord(), "123");
  EXPECT_TRUE(b.AllDigits());
  EXPECT_EQ(b.NextWord(), "x4");
  EXPECT_FALSE(b.AllDigits());
  EXPECT_EQ(b.NextWord(), "\x82t\x82");  // OEM letters are word characters
  EXPECT_EQ(b.NextWord(), "");
  EXPECT_EQ(b.NextWord(), "");
  TPCharBuffer empty("");
  EXPECT_EQ(empty.NextWord(), "");
  TPCharBuffer punct(" ,.;-- \"\" ");
  EXPECT_EQ(punct.NextWord(), "");
}

TEST_F(ScannerTest, LongRunsAreAnnouncedAndPassedOver) {
  std::string w49(49, 'k'), w50(50, 'm'), w70(70, 'n');
  std::string text = "one " + w49 + " two " + w50 + " three " + w70 + " four";
  TPCharBuffer b(text.c_str());
  EXPECT_EQ(Words(b), (V{"one", w49, "two", "three", "four"}));
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Aborting spell check (Invalid word): \r" + w50);
  EXPECT_EQ(messages[1], "Aborting spell check (Invalid word): \r" + std::string(50, 'n'));
  EXPECT_EQ(b.LongWords(), 2);
}

TEST_F(ScannerTest, AfterAReloadBackUpFindsTheWordTheEditMade) {
  char text[64] = "one two";
  TPCharBuffer b(text);
  EXPECT_EQ(b.NextWord(), "one");
  EXPECT_EQ(b.NextWord(), "two");
  EXPECT_EQ(b.Position(), 8);
  // The text changes under the source: the position now lies inside "twofold".
  std::strcpy(text, "one twofold three");
  b.Load();
  b.BackUp();
  EXPECT_EQ(b.Position(), 4);
  EXPECT_EQ(b.NextWord(), "twofold");
  // Backing up never goes before the first character.
  std::strcpy(text, "abcdefghijklmnop");
  b.Load();
  b.BackUp();
  EXPECT_EQ(b.Position(), 1);
  EXPECT_EQ(b.NextWord(), "abcdefghijklmnop");
}

TEST_F(ScannerTest, WordCountCountsDistinctWordsWithoutCase) {
  TPCharBuffer b("The cat and the CAT and <b>the</b> dog");
  b.SetSkipMarkup(true);
  int count = -1, distinct = -1;
  int updates = 0;
  b.WordCount(count, distinct, [&](int c, int d) {
    ++updates;
    EXPECT_LE(d, c);
    return true;
  });
  EXPECT_EQ(count, 8);
  EXPECT_EQ(distinct, 4);
  EXPECT_GE(updates, 8);
  // The window closed part-way: the count is abandoned.
  b.WordCount(count, distinct, [](int c, int) { return c < 3; });
  EXPECT_EQ(count, 0);
  EXPECT_EQ(distinct, 0);
  // A long run does not end the count.
  std::string text = "a " + std::string(60, 'z') + " b c";
  TPCharBuffer l(text.c_str());
  l.WordCount(count, distinct);
  EXPECT_EQ(count, 3);
}

}  // namespace
}  // namespace vx
