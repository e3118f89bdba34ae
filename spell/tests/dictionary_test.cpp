// The dictionary and its word lists: lookup order, the custom list's file (where it lives,
// saving, merging), exclusions, and one dictionary at a time.
#include <gtest/gtest.h>

#include "framework/core/SysUtils.h"
#include "spell/Dictionary.h"
#include "spell/SpellPlatform.h"
#include "spell/tests/SpellTestFiles.h"
#include "tools/DctBuild.h"

namespace vx {
namespace {

using namespace spelltest;

struct DictionaryTest : ::testing::Test {
  std::vector<std::string> messages;
  std::string folder;
  std::string main;
  void SetUp() override {
    SetSpellMessageHook([this](const AnsiString& text, TSpellMsgKind) {
      messages.push_back(text);
      return kSpellOk;
    });
    folder = FreshDir(Path(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    main = folder + "/ENGLISH.DCT";
    WriteBytes(main, BuildDictionaryFile({"cat", "dog", "the", "word", "house", "caf\x82"}));
#ifndef _WIN32
    SetWindowsFolder(folder + "/windows");
#endif
    proof = WindowsFolder() + PathDelim + "MSAPPS" + PathDelim + "PROOF";
  }
  void TearDown() override {
    SetSpellMessageHook(nullptr);
    std::filesystem::remove_all(proof);
  }
  std::string proof;
};

TEST_F(DictionaryTest, LookupOrderExclusionsCustomAndMainFiles) {
  TDictionary d;
  EXPECT_FALSE(d.AddMainFile(folder + "/NONE.DCT"));
  EXPECT_FALSE(d.MainFilesOpen());
  ASSERT_TRUE(d.AddMainFile(main));
  EXPECT_TRUE(d.MainFilesOpen());
  EXPECT_TRUE(d.HasMainFile("C:\\elsewhere\\english.dct"));  // folder and case ignored
  EXPECT_TRUE(d.AddMainFile(folder + "/english.dct"));       // already open
  EXPECT_EQ(d.MainFiles().Count(), 1);

  EXPECT_TRUE(d.Contains("Cat's"));  // looked up as cat
  EXPECT_TRUE(d.Contains("HOUSE"));
  EXPECT_FALSE(d.Contains("'s"));  // the empty word
  EXPECT_FALSE(d.Contains("mouse"));
  WriteBytes(folder + "/excl.txt", "Dog\r\nmouse\r\n");
  ASSERT_TRUE(d.LoadExclusions(folder + "/excl.txt"));
  EXPECT_FALSE(d.Contains("dog"));  // excluded beats the main dictionary
  EXPECT_FALSE(d.Contains("Dog's"));
  // A name whose folder is wrong falls back to the main dictionary's folder.
  EXPECT_TRUE(d.LoadExclusions("/no/such/folder/excl.txt"));
  EXPECT_FALSE(d.LoadExclusions("nothing.txt"));
  EXPECT_EQ(d.ExclusionWords(), nullptr);
  EXPECT_TRUE(d.Contains("dog"));
}

TEST_F(DictionaryTest, OnlyOneAtATime) {
  TDictionary d;
  EXPECT_TRUE(TDictionary::Exists());
  try {
    TDictionary second;
    ADD_FAILURE();
  } catch (const TEDictionaryInUse& e) {
    EXPECT_EQ(e.Message(), "Multiple Dictionaries not supported.");
  }
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Programmer Error. Only one dictionary\robject can be initialized at once.");
  EXPECT_TRUE(TDictionary::Exists());  // the refused one did not clear the flag
}

TEST_F(DictionaryTest, CustomListLivesBesideTheMainFileUnlessShared) {
  {
    TDictionary d;
    d.AddMainFile(main);
    EXPECT_FALSE(d.LoadCustom("CUSTOM.DIC"));
    EXPECT_EQ(d.CustomFilePath(), folder + "/CUSTOM.DIC");
    d.SaveCustom();  // written even when empty
    EXPECT_TRUE(FileExists(folder + "/CUSTOM.DIC"));
    EXPECT_EQ(Slurp(folder + "/CUSTOM.DIC"), "");
  }
  std::filesystem::remove(folder + "/CUSTOM.DIC");  // Windows names ignore case
  // The shared proofing folder wins for the exact name CUSTOM.DIC when the file is there.
  FreshDir(proof);
  std::string shared = proof + PathDelim + "CUSTOM.DIC";
  WriteBytes(shared, "vornix\r\n");
  TDictionary d;
  d.AddMainFile(main);
  EXPECT_TRUE(d.LoadCustom("CUSTOM.DIC"));
  EXPECT_EQ(d.CustomFilePath(), shared);
  EXPECT_TRUE(d.Contains("Vornix"));
  EXPECT_EQ(d.CustomSizeAtLoad(), 8);
  // In any other letter case it is an ordinary name.
  EXPECT_FALSE(d.LoadCustom("custom.dic"));
  EXPECT_EQ(d.CustomFilePath(), folder + "/custom.dic");
  EXPECT_EQ(d.CustomSizeAtLoad(), 0);
  EXPECT_TRUE(d.Contains("vornix"));  // a missing file leaves the list as it was
}

TEST_F(DictionaryTest, AddedWordsAreKnownSavedSortedAndMerged) {
  std::string custom = folder + "/CUSTOM.DIC";
  WriteBytes(custom, "zeta\r\nalpha\r\n");
  TDictionary d;
  d.AddMainFile(main);
  ASSERT_TRUE(d.LoadCustom("CUSTOM.DIC"));
  EXPECT_FALSE(d.AddWord("CAT"));    // known already
  EXPECT_FALSE(d.AddWord("Alpha"));  // differs from a custom word only in case
  EXPECT_TRUE(d.AddWord("Vornix's"));
  EXPECT_TRUE(d.Modified());
  EXPECT_TRUE(d.Contains("Vornix's"));  // an added possessive is found again
  EXPECT_TRUE(d.Contains("vornix"));
  EXPECT_TRUE(d.AddWord("Mauve"));
  // Another program adds a word meanwhile: the save keeps it, and nothing twice.
  WriteBytes(custom, "zeta\r\nalpha\r\nbeta\r\n");
  d.SaveCustom();
  EXPECT_FALSE(d.Modified());
  EXPECT_EQ(Slurp(custom), "alpha\r\nbeta\r\nmauve\r\nvornix\r\nzeta\r\n");
  d.SaveCustom();
  EXPECT_EQ(Slurp(custom), "alpha\r\nbeta\r\nmauve\r\nvornix\r\nzeta\r\n");
  // A reload while words wait to be saved keeps them.
  EXPECT_TRUE(d.AddWord("quux"));
  WriteBytes(custom, "alpha\r\n");
  d.LoadCustom("CUSTOM.DIC");
  EXPECT_TRUE(d.Contains("quux"));
  EXPECT_FALSE(d.Contains("zeta"));
}

TEST_F(DictionaryTest, WordFilesAreAnsiWordsInsideAreOem) {
  std::string custom = folder + "/CUSTOM.DIC";
  WriteBytes(custom, "na\xEFve\r\n");  // naïve in the ANSI code page
  {
    TDictionary d;
    d.AddMainFile(main);
    d.LoadCustom("CUSTOM.DIC");
    EXPECT_TRUE(d.Contains("na\x8Bve"));  // ï in the OEM code page
    EXPECT_TRUE(d.Contains("caf\x82"));
    EXPECT_TRUE(d.AddWord("r\x82sum\x82"));  // résumé
  }                                          // freeing saves the modified list
  EXPECT_EQ(Slurp(custom), "na\xEFve\r\nr\xE9sum\xE9\r\n");
}

// Words with letters the OEM code page lacks (bjørn, são, œuvre, žizek in the ANSI code
// page): kept as the user wrote them, matched only as written, never turned into others.
TEST_F(DictionaryTest, CustomWordsOutsideTheOemCodePageStayAsWritten) {
  WriteBytes(main, BuildDictionaryFile({"the", "bjorn", "sao"}));
  std::string custom = folder + "/CUSTOM.DIC";
  const std::string theirs = "bj\xF8rn\ns\xE3o\n\x9Cuvre\n\x9Eizek\nna\xEFve\n";  // unsorted, LF line ends
  WriteBytes(custom, theirs);
  {
    TDictionary d;
    d.AddMainFile(main);
    ASSERT_TRUE(d.LoadCustom("CUSTOM.DIC"));
    EXPECT_TRUE(d.ContainsWritten("Bj\xF8rn"));
    EXPECT_TRUE(d.ContainsWritten("\x9Cuvre"));
    EXPECT_TRUE(d.ContainsWritten("na\xEFve"));  // ï has its OEM place: known both ways
    EXPECT_TRUE(d.Contains("na\x8Bve"));
    EXPECT_FALSE(d.ContainsWritten("ouvre"));  // not the word the user added
    EXPECT_FALSE(d.ContainsWritten("B\xF8"));
    // The main file's sao is not são, nor the other way round.
    EXPECT_FALSE(d.ContainsWritten("S\xF5o"));
    EXPECT_TRUE(d.ContainsWritten("Sao"));
    // Nothing added: the file is not touched, whatever its order and line ends.
    d.SaveCustom();
    EXPECT_EQ(Slurp(custom), theirs);
    EXPECT_TRUE(d.AddWrittenWord("Vornix"));
  }
  EXPECT_NE(Slurp(custom), theirs);  // a word was added, so the list was saved
  {
    TDictionary d;
    d.AddMainFile(main);
    d.LoadCustom("CUSTOM.DIC");
    EXPECT_TRUE(d.AddWrittenWord("\xC6r\xF8's"));  // Ærø's, kept as Ærø with A-Z lower-cased only
    EXPECT_FALSE(d.AddWrittenWord("BJ\xF8RN"));     // known already in another case
    d.SaveCustom();
    std::string saved = Slurp(custom);
    for (const char* w : {"bj\xF8rn\r\n", "s\xE3o\r\n", "\x9Cuvre\r\n", "\x9Eizek\r\n", "na\xEFve\r\n", "\xC6r\xF8\r\n",
                          "vornix\r\n"})
      EXPECT_NE(saved.find(w), std::string::npos) << w;
  }
  TDictionary d;  // as after a restart
  d.AddMainFile(main);
  d.LoadCustom("CUSTOM.DIC");
  EXPECT_TRUE(d.ContainsWritten("\xC6r\xF8"));
  EXPECT_TRUE(d.ContainsWritten("Bj\xF8rn"));
}

TEST_F(DictionaryTest, ACheckWithNothingAddedLeavesTheFileAlone) {
  std::string custom = folder + "/CUSTOM.DIC";
  WriteBytes(custom, "zeta\nAlpha\n");
  TDictionary d;
  d.AddMainFile(main);
  d.LoadCustom("CUSTOM.DIC");
  d.SaveCustom();
  d.SaveCustom();
  EXPECT_EQ(Slurp(custom), "zeta\nAlpha\n");
  EXPECT_FALSE(d.AddWord("alpha"));
  d.CloseAll();
  EXPECT_EQ(Slurp(custom), "zeta\nAlpha\n");
}

TEST_F(DictionaryTest, AFailedSaveNamesTheFile) {
  TDictionary d;
  d.AddMainFile(main);
  std::string custom = folder + "/no/such/folder/CUSTOM.DIC";
  d.LoadCustom(custom);
  d.AddWord("vornix");
  try {
    d.SaveCustom();
    ADD_FAILURE();
  } catch (const EStreamError& e) {
    EXPECT_NE(e.Message().find(custom), std::string::npos) << e.Message();
  }
}

TEST_F(DictionaryTest, CloseAllClosesEvenWhenTheListCannotBeSaved) {
  TDictionary d;
  d.AddMainFile(main);
  d.LoadCustom(folder + "/no/such/folder/CUSTOM.DIC");
  d.AddWord("vornix");
  EXPECT_THROW(d.CloseAll(), Exception);
  EXPECT_FALSE(d.MainFilesOpen());
  EXPECT_EQ(d.MainFiles().Count(), 0);
}

}  // namespace
}  // namespace vx
