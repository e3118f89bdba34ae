// The dictionary: whether a word is known, from the exclusion list, the user's custom
// list and the main dictionary files; adding to the custom list and saving it; and the
// suggestion searches over all of them (Suggest.cpp). Words are in the OEM code page
// (the main files' alphabet), except the custom list: it keeps the user's words as they
// were written (ANSI), so a word with a letter the OEM code page lacks is neither changed
// nor lost. Its words the OEM code page can hold are also kept in OEM for lookups.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/core/Classes.h"
#include "spell/DCTFile.h"
#include "spell/LinkedList.h"

namespace vx {

VX_EXCEPTION(TEDictionaryInUse, Exception);

class TDictionary : public TObject {
 public:
  // There is at most one at a time: a second one is refused with a message and
  // TEDictionaryInUse.
  TDictionary();
  ~TDictionary() override;
  const char* ClassName() const override { return "TDictionary"; }

  // False when the file does not exist; a corrupt or unreadable file throws.
  bool AddMainFile(const AnsiString& fileName);
  // An open main file of that name, folder and letter case ignored.
  bool HasMainFile(const AnsiString& fileName) const;
  bool LoadCustom(const AnsiString& fileName);
  bool LoadExclusions(const AnsiString& fileName);
  bool Contains(const AnsiString& word);
  // A word as the control holds it (ANSI). One the main files' alphabet cannot hold is
  // known only when the custom list has it.
  bool ContainsWritten(const AnsiString& written);
  bool AddWord(const AnsiString& word);
  // Adds a word as the control holds it (ANSI), stored as written but for A-Z case.
  bool AddWrittenWord(const AnsiString& written);
  // Writes the custom list when words were added (merging first what another program
  // added to the file) or when the file does not exist yet; otherwise leaves it alone.
  void SaveCustom();
  void CloseAll();

  // Suggest.cpp. Each returns a new list the caller owns.
  std::unique_ptr<TStringList> Suggest(const AnsiString& word, int n);
  std::unique_ptr<TStringList> SplitSuggestions(const AnsiString& word, int n);
  std::unique_ptr<TStringList> WordsWithPrefix(const AnsiString& typed, int n);
  // Converts every entry to the ANSI code page in the letter case of the asked word.
  static void FixSuggestionCase(TStringList& list, const AnsiString& asked);
  // Both in the ANSI code page.
  static AnsiString MatchCase(const AnsiString& suggestion, const AnsiString& asked);

  static bool Exists();
  bool MainFilesOpen() const { return mainFilesOpen_; }
  TLinkedList& MainFiles() { return mainFiles_; }
  const AnsiString& CustomFilePath() const { return customPath_; }
  // As written (ANSI).
  TStringList& CustomWords() { return *custom_; }
  // nullptr when there is no exclusion list.
  TStringList* ExclusionWords() { return exclusions_.get(); }
  int32_t CustomSizeAtLoad() const { return customSizeAtLoad_; }
  bool Modified() const { return modified_; }

 private:
  TDCTFile* FirstMainFile() const { return static_cast<TDCTFile*>(mainFiles_.Head()); }
  AnsiString MainFolder() const;
  static void ReadWordFile(const AnsiString& fileName, TStrings& into);
  // The custom file's words as they stand, empty lines left out.
  static void ReadCustomFile(const AnsiString& fileName, TStrings& into);
  void AddCustom(const AnsiString& written);
  void RebuildCustomOem();

  bool mainFilesOpen_ = false;
  TLinkedList mainFiles_;
  AnsiString customPath_;
  std::unique_ptr<TStringList> custom_;
  // The custom words the OEM code page holds, in OEM: what Contains and Suggest see.
  std::unique_ptr<TStringList> customOem_;
  std::unique_ptr<TStringList> exclusions_;
  // Words added since the custom list was last saved.
  std::unique_ptr<TStringList> unsaved_;
  int32_t customSizeAtLoad_ = 0;
  bool modified_ = false;
};

// The process's one open dictionary, nullptr while none is open; the spell-check
// component creates and frees it.
extern TDictionary* CurrentDictionary;

}  // namespace vx
