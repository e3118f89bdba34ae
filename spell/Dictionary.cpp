#include "spell/Dictionary.h"

#include "framework/core/SafeSave.h"
#include "framework/core/Scoped.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "spell/SpellPlatform.h"
#include "spell/SpellWords.h"

namespace vx {

TDictionary* CurrentDictionary = nullptr;

namespace {
bool dictionaryExists = false;

std::unique_ptr<TStringList> NewSortedList() {
  auto list = std::make_unique<TStringList>();
  list->SetSorted(true);
  list->SetDuplicates(dupIgnore);
  return list;
}
// Writes a word file in place of the old one; a failure names the file (and a full disk).
void SaveWordFile(const AnsiString& fileName, const AnsiString& text) {
  SaveFileSafely(fileName, [&](TStream& s) {
    if (!text.empty()) s.WriteBuffer(text.data(), static_cast<int>(text.size()));
  });
}

}  // namespace

bool TDictionary::Exists() { return dictionaryExists; }

TDictionary::TDictionary() {
  if (dictionaryExists) {
    SpellMessage("Programmer Error. Only one dictionary\robject can be initialized at once.", smError);
    throw TEDictionaryInUse("Multiple Dictionaries not supported.");
  }
  custom_ = NewSortedList();
  customOem_ = NewSortedList();
  unsaved_ = NewSortedList();
  dictionaryExists = true;
}

TDictionary::~TDictionary() {
  try {
    CloseAll();
  } catch (const std::exception& e) {
    // A custom list that cannot be written is reported; a destructor cannot pass it on.
    SpellMessage(e.what(), smError);
  }
  dictionaryExists = false;
  if (CurrentDictionary == this) CurrentDictionary = nullptr;
}

bool TDictionary::AddMainFile(const AnsiString& fileName) {
  if (HasMainFile(fileName)) return true;
  std::unique_ptr<TDCTFile> file;
  try {
    file = std::make_unique<TDCTFile>(fileName);
  } catch (const EFOpenError&) {
    return false;
  }
  mainFiles_.Append(file.release());
  mainFilesOpen_ = true;
  return true;
}

bool TDictionary::HasMainFile(const AnsiString& fileName) const {
  AnsiString name = ExtractFileName(fileName);
  for (TLinkedListNode* n = mainFiles_.Head(); n; n = n->Next())
    if (SameText(ExtractFileName(static_cast<TDCTFile*>(n)->FileName()), name)) return true;
  return false;
}

AnsiString TDictionary::MainFolder() const {
  TDCTFile* first = FirstMainFile();
  return first ? ExtractFilePath(first->FileName()) : AnsiString();
}

void TDictionary::ReadWordFile(const AnsiString& fileName, TStrings& into) {
  TStringList lines;
  lines.LoadFromFile(fileName);
  // The word files are plain ANSI text; inside the dictionary words are OEM.
  for (int i = 0; i < lines.Count(); ++i) {
    AnsiString w = lines[i];
    if (!w.empty()) into.Add(AnsiToOemWord(w));
  }
}

void TDictionary::ReadCustomFile(const AnsiString& fileName, TStrings& into) {
  TStringList lines;
  lines.LoadFromFile(fileName);
  for (int i = 0; i < lines.Count(); ++i)
    if (!lines[i].empty()) into.Add(lines[i]);
}

void TDictionary::RebuildCustomOem() {
  customOem_->Clear();
  for (int i = 0; i < custom_->Count(); ++i)
    if (OemHoldsWord(custom_->Strings(i))) customOem_->Add(AnsiToOemWord(custom_->Strings(i)));
}

void TDictionary::AddCustom(const AnsiString& written) {
  custom_->Add(written);
  if (OemHoldsWord(written)) customOem_->Add(AnsiToOemWord(written));
}

bool TDictionary::LoadCustom(const AnsiString& fileName) {
  AnsiString name = fileName;
  if (name == "CUSTOM.DIC") {
    AnsiString shared = WindowsFolder() + PathDelim + "MSAPPS" + PathDelim + "PROOF" + PathDelim + name;
    if (FileExists(shared)) name = shared;
  }
  customPath_ = ExtractFilePath(name).empty() ? MainFolder() + name : name;
  if (!FileExists(customPath_)) {
    customSizeAtLoad_ = 0;
    return false;
  }
  int64_t size = FileSizeOf(customPath_);
  customSizeAtLoad_ = size < 0 ? 0 : static_cast<int32_t>(size);
  auto words = NewSortedList();
  ReadCustomFile(customPath_, *words);
  // Words added since the last save would be lost by a plain reload: keep them.
  if (modified_) words->AddStrings(*unsaved_);
  custom_ = std::move(words);
  RebuildCustomOem();
  return true;
}

bool TDictionary::LoadExclusions(const AnsiString& fileName) {
  exclusions_.reset();
  AnsiString name = fileName;
  if (!FileExists(name)) name = MainFolder() + ExtractFileName(fileName);
  if (!FileExists(name)) return false;
  auto list = std::make_unique<TStringList>();
  ReadWordFile(name, *list);
  exclusions_ = std::move(list);
  return true;
}

bool TDictionary::Contains(const AnsiString& word) {
  AnsiString w = LookupForm(word);
  if (exclusions_ && exclusions_->IndexOf(w) >= 0) return false;
  int at;
  if (customOem_->Count() > 0 && customOem_->Find(w, at)) return true;
  for (TLinkedListNode* n = mainFiles_.Head(); n; n = n->Next())
    if (static_cast<TDCTFile*>(n)->Contains(w)) return true;
  return false;
}

bool TDictionary::ContainsWritten(const AnsiString& written) {
  AnsiString w = LookupForm(written);
  if (OemHoldsWord(w)) return Contains(AnsiToOemWord(w));
  int at;
  return custom_->Count() > 0 && custom_->Find(w, at);
}

bool TDictionary::AddWord(const AnsiString& word) { return AddWrittenWord(OemToAnsiWord(word)); }

bool TDictionary::AddWrittenWord(const AnsiString& written) {
  if (ContainsWritten(written)) return false;
  // Stored in the form the lookups use, so an added possessive is found again.
  AnsiString w = LookupForm(written);
  if (w.empty()) return false;
  AddCustom(w);
  unsaved_->Add(w);
  modified_ = true;
  return true;
}

void TDictionary::SaveCustom() {
  if (customPath_.empty()) return;
  int64_t size = FileSizeOf(customPath_);
  // Rewriting an unchanged list would gain nothing and risk the user's file.
  if (!modified_ && size >= 0) return;
  if (size < 0) size = 0;
  // Another program changed the file since it was read: its words join ours.
  if (size != customSizeAtLoad_ && FileExists(customPath_)) {
    TStringList others;
    ReadCustomFile(customPath_, others);
    for (int i = 0; i < others.Count(); ++i) AddCustom(others[i]);
  }
  AnsiString text;
  for (int i = 0; i < custom_->Count(); ++i) text += custom_->Strings(i) + "\r\n";
  SaveWordFile(customPath_, text);
  modified_ = false;
  unsaved_->Clear();
}

void TDictionary::CloseAll() {
  // The files close even when the custom list cannot be written.
  auto close = OnScopeExit([this] {
    mainFiles_.Clear();
    mainFilesOpen_ = false;
  });
  if (modified_) SaveCustom();
}

}  // namespace vx
