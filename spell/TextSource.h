// Text sources: the check loop never touches a control's text itself. A source copies the
// text (or one line of it) into its own buffer, hands out one word at a time, selects the
// current word in its control, replaces it, and tells whether the text was modified.
// TPCharBuffer holds the word scanner over a null-terminated text; the sources of the
// standard edit control and of the editor control (window side) derive from it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/core/Object.h"

namespace vx {

class TAbsBuffer : public TObject {
 public:
  ~TAbsBuffer() override;
  const char* ClassName() const override { return "TAbsBuffer"; }

  virtual bool GetModified() = 0;
  virtual void SetModified(bool value) = 0;
  // Screen Y of the current word's line, 0 when the source cannot tell.
  virtual int GetWordTop() { return 0; }

  virtual int GetCapacity() { return 28671; }
  // The next word, empty at the end of the text.
  virtual AnsiString NextWord() = 0;
  // Back to the start of the word the position lies in (after a reload).
  void BackUp();
  // Fills the buffer from the source.
  virtual void Load() = 0;
  virtual void SelectWord() {}
  virtual void ReplaceWord(const AnsiString& text) = 0;
  // Counts the words and the distinct words (letter case ignored). progress is told the
  // running figures after every word; when it returns false (its window was closed)
  // the count is abandoned and comes out 0.
  void WordCount(int& count, int& distinct, const std::function<bool(int count, int distinct)>& progress = {});
  void Reset();

  TObject* Control() const { return control_; }
  bool SkipMarkup() const { return skipMarkup_; }
  void SetSkipMarkup(bool v) { skipMarkup_ = v; }
  bool AllDigits() const { return allDigits_; }
  int WordStart() const { return wordStart_; }
  int WordEnd() const { return wordEnd_; }
  int Position() const { return position_; }
  int Length() const { return length_; }
  int BufferSize() const { return static_cast<int>(buffer_.size()); }
  const char* Buffer() const { return buffer_.data(); }
  // The buffer byte at the position.
  const char* Current() const { return buffer_.data() + position_ - 1; }
  // Runs of 50 or more word characters met so far (announced and skipped).
  int LongWords() const { return longWords_; }
  // The last word NextWord gave.
  const AnsiString& LastWord() const { return lastWord_; }
  // The same word as the control holds it (ANSI), before the conversion to the OEM code
  // page, which writes a letter that code page lacks as another (ø as o).
  AnsiString WrittenWord() const;

 protected:
  explicit TAbsBuffer(TObject* control) : control_(control) {}
  // The common creation: sizes the buffer from GetCapacity, resets and loads. The most
  // derived constructor calls it, so that the virtual calls reach it.
  void Initialize();
  // Room for n bytes and the terminator; the buffer grows when a text needs more.
  char* Reserve(int n);
  unsigned char At(int position) const {
    return position >= 1 && position < length_ ? static_cast<unsigned char>(buffer_[position - 1]) : 0;
  }

  int length_ = 0;
  int wordStart_ = 0, wordEnd_ = 0;
  TObject* control_;
  bool allDigits_ = false, skipMarkup_ = false;
  std::vector<char> buffer_;
  // The text as the control holds it, kept by the sources that convert it; empty when the
  // buffer is the text as written.
  std::vector<char> written_;
  int position_ = 1;
  int longWords_ = 0;
  AnsiString lastWord_;
  // The last word still stands where it was found (after a reload of the text).
  bool WordStillThere() const;
};

class TPCharBuffer : public TAbsBuffer {
 public:
  // A source over a text the caller keeps alive.
  explicit TPCharBuffer(const char* text);
  const char* ClassName() const override { return "TPCharBuffer"; }

  bool GetModified() override { return modified_; }
  void SetModified(bool value) override { modified_ = value; }
  // The word scanner.
  AnsiString NextWord() override;
  void Load() override;
  // A plain text cannot change: it is only read again.
  void ReplaceWord(const AnsiString& text) override;

 protected:
  explicit TPCharBuffer(TObject* control) : TAbsBuffer(control) {}
  bool modified_ = false;
  const char* text_ = nullptr;
};

}  // namespace vx
