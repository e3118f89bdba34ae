#include "spell/TextSource.h"

#include <cstring>
#include <unordered_set>

#include "spell/SpellPlatform.h"
#include "spell/SpellWords.h"

namespace vx {

TAbsBuffer::~TAbsBuffer() = default;

void TAbsBuffer::Initialize() {
  buffer_.assign(static_cast<size_t>(GetCapacity()) + 4096, '\0');
  Reset();
  Load();
}

void TAbsBuffer::Reset() {
  length_ = 0;
  position_ = 1;
}

char* TAbsBuffer::Reserve(int n) {
  if (static_cast<size_t>(n) + 1 > buffer_.size()) buffer_.resize(static_cast<size_t>(n) + 1 + 4096);
  return buffer_.data();
}

bool TAbsBuffer::WordStillThere() const {
  int n = wordEnd_ - wordStart_;
  if (n <= 0 || wordStart_ < 1 || wordEnd_ > length_) return false;
  return std::memcmp(buffer_.data() + wordStart_ - 1, lastWord_.data(), static_cast<size_t>(n)) == 0 &&
         static_cast<int>(lastWord_.size()) == n;
}

AnsiString TAbsBuffer::WrittenWord() const {
  const std::vector<char>& text = written_.empty() ? buffer_ : written_;
  if (wordStart_ < 1 || wordEnd_ <= wordStart_ || static_cast<size_t>(wordEnd_ - 1) > text.size()) return "";
  return AnsiString(text.data() + wordStart_ - 1, static_cast<size_t>(wordEnd_ - wordStart_));
}

void TAbsBuffer::BackUp() {
  while (IsWordChar(At(position_)) && position_ > 1) --position_;
}

void TAbsBuffer::WordCount(int& count, int& distinct, const std::function<bool(int, int)>& progress) {
  Reset();
  count = 0;
  distinct = 0;
  // Upper-cased words compare exactly, so a hash set finds repeats without a list scan.
  std::unordered_set<AnsiString> seen;
  Load();
  AnsiString word;
  do {
    word = UpperCase(NextWord());
    if (word.empty()) word = UpperCase(NextWord());
    if (!word.empty()) {
      ++count;
      seen.insert(word);
    }
    if (progress && !progress(count, static_cast<int>(seen.size()))) {
      count = 0;
      seen.clear();
      break;
    }
  } while (!word.empty());
  distinct = static_cast<int>(seen.size());
}

// ---- TPCharBuffer ---------------------------------------------------------------------

TPCharBuffer::TPCharBuffer(const char* text) : TAbsBuffer(nullptr), text_(text) { Initialize(); }

void TPCharBuffer::Load() {
  int n = text_ ? static_cast<int>(std::strlen(text_)) : 0;
  char* b = Reserve(n);
  if (n) std::memcpy(b, text_, static_cast<size_t>(n));
  b[n] = 0;
  length_ = n + 1;
}

void TPCharBuffer::ReplaceWord(const AnsiString&) { Load(); }

AnsiString TPCharBuffer::NextWord() {
  for (;;) {
    wordStart_ = wordEnd_ = position_;
    allDigits_ = true;
    bool inMarkup = false;
    // Markup is only recognised while seeking: "<" and ">" are not word characters.
    while (position_ < length_) {
      unsigned char ch = At(position_);
      if (IsWordChar(ch) && !inMarkup) break;
      if (skipMarkup_) {
        if (inMarkup) {
          if (ch == '>') inMarkup = false;
        } else if (ch == '<') {
          inMarkup = true;
        }
      }
      ++position_;
    }
    if (position_ >= length_) return "";
    wordStart_ = position_;
    AnsiString word;
    bool tooLong = false;
    while (position_ < length_ && IsWordChar(At(position_))) {
      unsigned char ch = At(position_);
      word.push_back(static_cast<char>(ch));
      ++position_;
      wordEnd_ = position_;
      if (allDigits_ && !IsDigitChar(ch)) allDigits_ = false;
      if (wordEnd_ - wordStart_ == kMaxWordLength) {
        tooLong = true;
        break;
      }
    }
    if (!tooLong) {
      lastWord_ = word;
      return word;
    }
    // Not a word anyone can check: it is announced and passed over, and the scan goes on,
    // so the rest of the text is still checked.
    SpellMessage("Aborting spell check (Invalid word): \r" + OemToAnsiWord(word), smError);
    ++longWords_;
    while (position_ < length_ && IsWordChar(At(position_))) ++position_;
  }
}

}  // namespace vx
