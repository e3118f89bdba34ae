#include "spell/EditSources.h"

#include <cmath>
#include <cstring>

#include "framework/win/MakeControl.h"
#include "spell/SpellPlatform.h"
#include "spell/SpellWords.h"

namespace vx {

// ---- TCEBuffer ----------------------------------------------------------------------------

TCEBuffer::TCEBuffer(TCustomEdit* control) : TPCharBuffer(static_cast<TObject*>(control)) { Initialize(); }

bool TCEBuffer::GetModified() { return Edit()->Modified(); }
void TCEBuffer::SetModified(bool value) { Edit()->SetModified(value); }

int TCEBuffer::GetCapacity() { return static_cast<int>(Edit()->Text().size()) + 1; }

void TCEBuffer::Load() {
  AnsiString text = Edit()->Text();
  int n = static_cast<int>(text.size());
  // Sized to the text each time: a replacement may make it longer or shorter.
  char* b = Reserve(n);
  std::memcpy(b, text.c_str(), static_cast<size_t>(n) + 1);
  written_.assign(b, b + n);
  AnsiToOemText(b, static_cast<size_t>(n));
  length_ = n + 1;
}

void TCEBuffer::SelectWord() {
  Edit()->SetSelStart(wordStart_ - 1);
  Edit()->SetSelLength(wordEnd_ - wordStart_);
  Edit()->Update();
}

void TCEBuffer::ReplaceWord(const AnsiString& text) {
  if (Edit()->CanFocus()) Edit()->SetFocus();
  // The user may have edited while the dialog waited: only the word itself is replaced.
  Load();
  if (!WordStillThere()) return;
  SelectWord();
  position_ += wordStart_ - wordEnd_;
  Edit()->SetSelText(text);
  position_ += static_cast<int>(text.size());
  Load();
}

int TCEBuffer::GetWordTop() {
  if (auto* memo = dynamic_cast<TMemo*>(Edit())) return GetMemoCaretTop(memo);
  return Edit()->ClientToScreen(POINT{0, 0}).y;
}

// ---- TLEditBuffer --------------------------------------------------------------------------

TLEditBuffer::TLEditBuffer(TCustomLEdit* control) : TPCharBuffer(static_cast<TObject*>(control)) {
  line_ = 1;
  Initialize();
}

bool TLEditBuffer::GetModified() { return Editor()->GetModified(); }
void TLEditBuffer::SetModified(bool value) { Editor()->SetModified(value); }

void TLEditBuffer::Load() {
  // The control says how long the line is, so the buffer always holds it whole.
  AnsiString text = Editor()->GetLine(line_);
  int n = static_cast<int>(text.size());
  char* b = Reserve(n);
  std::memcpy(b, text.c_str(), static_cast<size_t>(n) + 1);
  written_.assign(b, b + n);
  // The editor holds ANSI text; the word characters and the dictionary are OEM.
  AnsiToOemText(b, static_cast<size_t>(n));
  length_ = n > 0 ? n + 1 : 0;
}

AnsiString TLEditBuffer::NextWord() {
  for (;;) {
    AnsiString w = TPCharBuffer::NextWord();
    // Selection columns are 16-bit: a word that ends beyond them cannot be shown, so the
    // rest of such a line is passed over.
    if (!w.empty() && wordEnd_ - 1 <= 32767) return w;
    if (line_ >= Editor()->GetLineCount()) return "";
    ++line_;
    Reset();
    Load();
  }
}

void TLEditBuffer::SelectWord() {
  Editor()->SetStartLine(line_);
  Editor()->SetEndLine(line_);
  Editor()->SetStartPos(wordStart_ - 1);
  Editor()->SetEndPos(wordEnd_ - 1);
  Editor()->ApplySelection();
}

void TLEditBuffer::ReplaceWord(const AnsiString& text) {
  // The user may have clicked or typed in the document while the dialog waited: the word
  // is selected again, and replaced only when it still stands where it was found.
  Load();
  if (!WordStillThere()) return;
  SelectWord();
  Editor()->InsertText(text);
  // On past the replacement, so a shorter one skips no word and a longer one is not read
  // again (which would let auto-corrections feed each other for ever).
  position_ = wordStart_ + static_cast<int>(text.size());
}

// ---- memo positions -------------------------------------------------------------------------

TEditCaretPos GetEditCaretPos(TCustomEdit* control) {
  HWND h = control->Handle();
  int line = static_cast<int>(SendMessageA(h, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0));
  int start = static_cast<int>(SendMessageA(h, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
  return TEditCaretPos{line, control->SelStart() - start};
}

int GetMemoCaretTop(TMemo* memo) {
  int first = static_cast<int>(SendMessageA(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
  int line = GetEditCaretPos(memo).line;
  POINT origin = memo->ClientToScreen(POINT{0, 0});
  int height = static_cast<int>(std::lround(std::fabs(memo->Font()->Height() * double(Screen->PixelsPerInch()) / 72)));
  return (line - first) * height + origin.y;
}

// ---- TWordForm ----------------------------------------------------------------------------

namespace {
TWordForm* wordForm = nullptr;
}

TWordForm::TWordForm(TComponent* owner) : TForm(owner) {
  SetName("WordForm");
  SetCaption("Word Count");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientSize(226, 104);
  Font()->SetName("MS Sans Serif");
  Font()->SetSize(8);
  Font()->SetStyle(TFontStyles{fsBold});
  auto caption = [this](const char* name, const char* text, int y) {
    auto* l = MakeControl<TLabel>(this, this, name, 8, y, 90, 16);
    l->SetAutoSize(false);
    l->SetAlignment(taRightJustify);
    l->SetCaption(text);
    return l;
  };
  auto value = [this](const char* bevel, const char* name, int y, TBevel*& b) {
    b = MakeControl<TBevel>(this, this, bevel, 106, y - 3, 110, 22);
    auto* l = MakeControl<TLabel>(this, this, name, 110, y, 102, 16);
    l->SetAutoSize(false);
    l->SetParentFont(false);
    l->Font()->SetName("Arial");
    l->Font()->SetSize(9);
    l->Font()->SetColor(clBlack);
    l->SetCaption("0");
    return l;
  };
  Label1 = caption("Label1", "Words:", 14);
  lblWords = value("Bevel1", "lblWords", 14, Bevel1);
  Label2 = caption("Label2", "Unique Words:", 42);
  lblUniqueWords = value("Bevel2", "lblUniqueWords", 42, Bevel2);
  btnOk = PlaceButton(this, this, "btnOk", "OK", 76, 72);
  btnOk->OnClick = [this](TObject* s) { btnOkClick(s); };
}

void TWordForm::btnOkClick(TObject*) { Close(); }

TWordForm* TWordForm::Instance() {
  if (!wordForm) wordForm = CreateForm<TWordForm>(Application);
  return wordForm;
}

TWordForm* TWordForm::Current() { return wordForm; }

void TWordForm::BeforeDestruction() {
  if (wordForm == this) wordForm = nullptr;
  TForm::BeforeDestruction();
}

}  // namespace vx
