// The user's word files as arbitrary bytes: the first byte picks the reader (custom
// dictionary, exclusion list, auto-correct list), the rest is the file. Besides ending
// cleanly, the custom list must keep the file as it was when nothing is added, and keep
// every word of it when a word is added and the list saved.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/core/Classes.h"
#include "spell/AutoCorrectFile.h"
#include "spell/Dictionary.h"
#include "spell/SpellPlatform.h"

using namespace vx;

namespace {

void Write(const std::string& name, const std::string& bytes) {
  if (FILE* f = std::fopen(name.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

std::string Read(const std::string& name) {
  std::string s;
  if (FILE* f = std::fopen(name.c_str(), "rb")) {
    char b[4096];
    for (size_t n; (n = std::fread(b, 1, sizeof b, f)) > 0;) s.append(b, n);
    std::fclose(f);
  }
  return s;
}

void CustomFile(const std::string& name, const std::string& bytes) {
  TDictionary d;
  d.LoadCustom(name);
  TStringList lines;
  lines.LoadFromFile(name);
  for (int i = 0; i < lines.Count(); ++i) d.ContainsWritten(lines[i]);
  d.Suggest("qzx", 10);
  d.SaveCustom();
  if (Read(name) != bytes) std::abort();  // nothing added: the file stays as it was
  if (!d.AddWrittenWord("zzvornixzz")) return;
  d.SaveCustom();
  TStringList saved;
  saved.LoadFromFile(name);
  saved.SetSorted(true);
  for (int i = 0; i < lines.Count(); ++i)
    if (!lines[i].empty() && saved.IndexOf(lines[i]) < 0) std::abort();  // a word of the user's lost
}

void ExclusionFile(const std::string& name) {
  TDictionary d;
  if (!d.LoadExclusions(name)) return;
  TStrings* words = d.ExclusionWords();
  for (int i = 0; words && i < words->Count(); ++i) d.Contains(words->Strings(i));
}

void AutoCorrectFile(const std::string& name) {
  TStringList from, to;
  ReadAutoCorrectFile(name, from, to);
  if (from.Count() != to.Count()) std::abort();
  for (int i = 0; i < from.Count(); ++i)
    if (from[i].empty() || to[i].empty() || from[i].find('=') != AnsiString::npos || from[i].size() + to[i].size() > 254)
      std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string name = "/tmp/vx_wordfiles_fuzz_" + std::to_string(getpid()) + ".txt";
  SetSpellMessageHook([](const AnsiString&, TSpellMsgKind) { return kSpellOk; });
  if (size < 1) return 0;
  std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  Write(name, bytes);
  try {
    switch (data[0] % 3) {
      case 0: CustomFile(name, bytes); break;
      case 1: ExclusionFile(name); break;
      default: AutoCorrectFile(name); break;
    }
  } catch (const Exception&) {}
  std::remove(name.c_str());
  return 0;
}
