// Opens arbitrary bytes as a main dictionary (most inputs get a valid header, so the
// body is what varies) and runs every reading path over it: lookups, the suggestion walk
// and the prefix search must end, whatever the cells point at.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "spell/Dictionary.h"
#include "spell/SpellPlatform.h"

using namespace vx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string name = "/tmp/vx_dct_fuzz_" + std::to_string(getpid()) + ".dct";
  SetSpellMessageHook([](const AnsiString&, TSpellMsgKind) { return kSpellOk; });
  if (size < 1) return 0;
  std::string bytes;
  if (data[0] & 1) {
    bytes.assign(dct::kHeaderSize, '\0');
    bytes.replace(0, dct::kSignatureTextSize, dct::kSignatureText);
  }
  bytes.append(reinterpret_cast<const char*>(data + 1), size - 1);
  if (FILE* f = std::fopen(name.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  try {
    TDictionary d;
    if (d.AddMainFile(name)) {
      for (const char* w :
           {"a", "an", "the", "teh", "zzzzzz", "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzab"}) {
        d.Contains(w);
        d.Suggest(w, 10);
        d.WordsWithPrefix(w, 10);
      }
      d.WordsWithPrefix("a", 255);
    }
  } catch (const Exception&) {}
  std::remove(name.c_str());
  return 0;
}
