// The dictionary: whether a word is known, from the exclusion list, the user's custom
// list and the main dictionary files; adding to the custom list and saving it; and the
// suggestion searches over all of them (Suggest.cpp). Words are in the OEM code page
// throughout; the callers convert at their boundaries.
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
  bool AddWord(const AnsiString& word);
  // Writes the custom list, merging first what another program added to the file.
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
  TStringList& CustomWords() { return *custom_; }
  // nullptr when there is no exclusion list.
  TStringList* ExclusionWords() { return exclusions_.get(); }
  int32_t CustomSizeAtLoad() const { return customSizeAtLoad_; }
  bool Modified() const { return modified_; }

 private:
  TDCTFile* FirstMainFile() const { return static_cast<TDCTFile*>(mainFiles_.Head()); }
  AnsiString MainFolder() const;
  static void ReadWordFile(const AnsiString& fileName, TStrings& into);

  bool mainFilesOpen_ = false;
  TLinkedList mainFiles_;
  AnsiString customPath_;
  std::unique_ptr<TStringList> custom_;
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
