// Text sources over controls: a standard edit or memo (its whole text, in the OEM code
// page) and the editor control (one line at a time); the word-count window.
#pragma once

#include "editctl/LEDlp32.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"
#include "spell/TextSource.h"

namespace vx {

class TCEBuffer : public TPCharBuffer {
 public:
  explicit TCEBuffer(TCustomEdit* control);
  const char* ClassName() const override { return "TCEBuffer"; }
  bool GetModified() override;
  void SetModified(bool value) override;
  int GetWordTop() override;
  int GetCapacity() override;
  void Load() override;
  void SelectWord() override;
  void ReplaceWord(const AnsiString& text) override;

 private:
  TCustomEdit* Edit() const { return static_cast<TCustomEdit*>(control_); }
};

class TLEditBuffer : public TPCharBuffer {
 public:
  explicit TLEditBuffer(TCustomLEdit* control);
  const char* ClassName() const override { return "TLEditBuffer"; }
  bool GetModified() override;
  void SetModified(bool value) override;
  int GetCapacity() override { return 8192; }
  AnsiString NextWord() override;
  void Load() override;
  void SelectWord() override;
  void ReplaceWord(const AnsiString& text) override;
  int Line() const { return line_; }

 private:
  TCustomLEdit* Editor() const { return static_cast<TCustomLEdit*>(control_); }
  int line_ = 1;
};

struct TEditCaretPos {
  int line, column;
};
// Line (from 0) and column of the start of the selection.
TEditCaretPos GetEditCaretPos(TCustomEdit* control);
// Screen Y of the line that holds the start of the memo's selection.
int GetMemoCaretTop(TMemo* memo);

// The word-count window: one per process, owned by the application.
class TWordForm : public TForm {
 public:
  explicit TWordForm(TComponent* owner);
  const char* ClassName() const override { return "TWordForm"; }
  TLabel *Label1, *Label2, *lblWords, *lblUniqueWords;
  TBevel *Bevel1, *Bevel2;
  TButton* btnOk;
  void btnOkClick(TObject* Sender);
  // Made on first use.
  static TWordForm* Instance();
  // The window when it exists, else nullptr.
  static TWordForm* Current();

 protected:
  void BeforeDestruction() override;

 protected:
  ~TWordForm() override = default;
};

}  // namespace vx
