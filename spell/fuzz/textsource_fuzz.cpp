// The word scanner over document text as the check loop drives it: the first byte picks
// markup skipping and which words are replaced (and by what), the rest is the text. The
// source holds its text as an edit control would, converted to the OEM code page with the
// written text kept, and a replacement changes only the word still standing where it was
// found. Besides ending cleanly, every word must lie inside the text, read as the text
// reads there, and the scan must end.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "spell/SpellPlatform.h"
#include "spell/TextSource.h"

using namespace vx;

namespace {

// A text source over a string, as the edit control's source works over its control.
class TStringSource : public TPCharBuffer {
 public:
  explicit TStringSource(std::string text) : TPCharBuffer(static_cast<TObject*>(nullptr)), text(std::move(text)) {
    Initialize();
  }
  void Load() override {
    const int n = static_cast<int>(text.size());
    char* b = Reserve(n);
    std::memcpy(b, text.c_str(), text.size() + 1);
    written_.assign(b, b + n);
    AnsiToOemText(b, text.size());
    length_ = n + 1;
  }
  void ReplaceWord(const AnsiString& with) override {
    Load();
    if (!WordStillThere()) return;
    text.replace(static_cast<size_t>(wordStart_ - 1), static_cast<size_t>(wordEnd_ - wordStart_), with);
    position_ += wordStart_ - wordEnd_ + static_cast<int>(with.size());
    Load();
  }
  std::string text;
};

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool quiet = [] {
    SetSpellMessageHook([](const AnsiString&, TSpellMsgKind) { return kSpellOk; });
    return true;
  }();
  (void)quiet;
  if (size == 0) return 0;
  const uint8_t flags = data[0];
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  text.resize(std::strlen(text.c_str()));  // the controls hand out null-terminated text
  TStringSource source(text);
  source.SetSkipMarkup(flags & 1);
  const char* replacements[] = {"", "x", "longer replacement", "a b"};
  // Each word ends at least one byte further on; a replacement adds at most its length.
  size_t limit = 2 * text.size() + 64;
  for (size_t i = 0;; ++i) {
    Check(i < limit);
    const AnsiString word = source.NextWord();
    if (word.empty()) break;
    Check(source.WordStart() >= 1 && source.WordEnd() > source.WordStart() && source.WordEnd() <= source.Length());
    Check(static_cast<int>(word.size()) == source.WordEnd() - source.WordStart());
    Check(std::memcmp(source.Buffer() + source.WordStart() - 1, word.data(), word.size()) == 0);
    Check(source.WrittenWord() == source.text.substr(static_cast<size_t>(source.WordStart() - 1), word.size()));
    if ((flags >> 1) & 1 && (i + (flags >> 2)) % 3 == 0) {
      const AnsiString with = replacements[(flags >> 4) & 3];
      source.ReplaceWord(with);
      limit += with.size();
      if (source.text.size() > 4 * text.size() + 256) break;
    }
  }
  int count = 0, distinct = 0;
  source.WordCount(count, distinct);
  Check(distinct <= count);
  return 0;
}
