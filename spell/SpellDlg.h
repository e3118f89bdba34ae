// The spell-check component: placed on a form, it owns a spell dialog of one of three
// styles, opens the process's dictionary, keeps the skip-all and auto-correct lists, and
// runs the check loop over a text source. The dialog is not modal: while it waits for the
// user's choice the loop handles the application's messages itself, so the user can
// still scroll and edit the document.
#pragma once

#include <memory>

#include "framework/core/Component.h"
#include "spell/SpellDialogs.h"
#include "spell/TextSource.h"

namespace vx {

// Check results.
enum : int { scFinished = 0, scChanged = 1, scAborted = 2 };

class TSpellDlg : public TComponent {
 public:
  explicit TSpellDlg(TComponent* owner);
  const char* ClassName() const override { return "TSpellDlg"; }

  // ---- published properties
  TAccentSet AccentIcons() const { return accentIcons_; }
  void SetAccentIcons(TAccentSet a);
  const AnsiString& AutoCorrectList() const { return autoCorrectList_; }
  void SetAutoCorrectList(const AnsiString& s) { autoCorrectList_ = s; }
  bool AutoShift() const { return autoShift_; }
  void SetAutoShift(bool v) { autoShift_ = v; }
  bool AutoSuggest() const { return autoSuggest_; }
  void SetAutoSuggest(bool v) { autoSuggest_ = v; }
  bool ConfirmAdd() const { return confirmAdd_; }
  void SetConfirmAdd(bool v) { confirmAdd_ = v; }
  TDialogTypes DialogStyle() const { return dialogStyle_; }
  virtual void SetDialogStyle(TDialogTypes style);
  const AnsiString& DictionaryName() const { return dictionaryName_; }
  void SetDictionaryName(const AnsiString& s) { dictionaryName_ = s; }
  const AnsiString& DictionaryPath() const { return dictionaryPath_; }
  void SetDictionaryPath(const AnsiString& s) { dictionaryPath_ = s; }
  TLanguages DictionaryType() const { return dictionaryType_; }
  void SetDictionaryType(TLanguages l) { dictionaryType_ = l; }
  const AnsiString& ExclusionList() const { return exclusionList_; }
  void SetExclusionList(const AnsiString& s);
  TFont* Font() { return font_.get(); }
  void SetFont(const TFont& f) { font_->Assign(f); }
  bool ForceModal() const { return forceModal_; }
  void SetForceModal(bool v) { forceModal_ = v; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int h);
  TLanguages LabelLanguage() const { return labelLanguage_; }
  void SetLabelLanguage(TLanguages l);
  uint8_t Suggestions() const { return suggestions_; }
  void SetSuggestions(uint8_t n);
  bool ShowCompletedDialog() const { return showCompletedDialog_; }
  void SetShowCompletedDialog(bool v) { showCompletedDialog_ = v; }
  bool ShowGlyphs() const { return showGlyphs_; }
  void SetShowGlyphs(bool v) { showGlyphs_ = v; }
  bool SupportHTML() const { return supportHTML_; }
  void SetSupportHTML(bool v) { supportHTML_ = v; }
  const AnsiString& UserDictionary() const { return userDictionary_; }
  void SetUserDictionary(const AnsiString& s) { userDictionary_ = s; }

  // ---- operations
  // Brings the pages holding the control to the front.
  virtual void ShowControlPage(TControl* control);
  // 0 nothing replaced, 1 the text was changed, 2 aborted.
  virtual int SpellCheck(TControl* control);
  // Checks every edit the owner owns, one after the other.
  virtual int CheckAllFields(TComponent* owner, bool showMessage);
  virtual void WordCount(TControl* control, int& count, int& distinct);
  // Called by CheckTyping for a misspelt word; descendants act on it.
  virtual void WordMisspelled(TCustomEdit* edit, const AnsiString& word, int start);
  // The word that ends before the caret (non-word characters between them skipped) and
  // where it starts; false when there is none. The selection is left as it was.
  virtual bool GetWordBeforeCaret(TCustomEdit* edit, int& start, AnsiString& word);
  // A check as the user types: Enter and Space look at the word before the caret.
  virtual void CheckTyping(TCustomEdit* edit, bool autoCorrect, WORD key);

  bool InitDictionary();
  bool OpenDictionary();
  void CloseDictionary();
  void FreeDictionary();
  // The word as the control holds it (ANSI).
  bool IsKnownWord(const AnsiString& word);
  void LoadAutoCorrectList();
  int CheckBuffer(TAbsBuffer& source);
  // While a check runs: its control's page, the word it asks about and its dialog come to
  // the front. False when no check runs.
  bool ShowRunningCheck();
  void ShowDialog();
  void ShiftDialog(int y);
  void HideDialog();

  TAbsSpellDialog* Dialog() const { return dialog_; }
  TStringList& SkipAllList() { return skipAll_; }
  TStringList& AutoCorrectFrom() { return autoFrom_; }
  TStringList& AutoCorrectTo() { return autoTo_; }
  // Passes of the wait for the user's choice (each waits for a message), the waits begun,
  // and whether the check now waits for a choice.
  int WaitPasses() const { return waitPasses_; }
  int Waits() const { return waits_; }
  bool WaitingForChoice() const { return waiting_; }
  bool Checking() const { return life_->checking; }

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* c, TOperation op) override;
  // What a check started from a stack frame must know after every message it let
  // through: the component, the dialog or the checked control may be gone by then.
  struct TCheckLife {
    bool alive = true, checking = false, controlGone = false, dialogGone = false;
    TComponent* control = nullptr;
  };
  std::shared_ptr<TCheckLife> life_ = std::make_shared<TCheckLife>();
  // CheckAllFields over the owner's edits (and editor controls when editors is set).
  int CheckFields(TComponent* owner, bool showMessage, bool editors);
  // Watches the control for the length of a check.
  void WatchControl(TComponent* control);
  void UnwatchControl();

 private:
  enum class TAnswer { Next, Abort, Gone };
  TAnswer AskUser(TAbsBuffer& source, const AnsiString& word, const AnsiString& written, bool& changed,
                  bool& unchanged);
  int WaitForChoice(const std::shared_ptr<TCheckLife>& life);
  void KeepDialogInFront();
  void ShowSourcePage(TAbsBuffer& source);
  void DisableOtherWindows();
  void EnableOtherWindows();
  void ApplyReplaceAll(const AnsiString& from, const AnsiString& to);
  bool CompletionMessages() const { return completionMessages_; }

  AnsiString dictionaryPath_ = "APPLICATIONPATH", dictionaryName_, exclusionList_, autoCorrectList_;
  TLanguages dictionaryType_ = lgEnglish, labelLanguage_ = lgEnglish;
  TDialogTypes dialogStyle_ = dtWordPerfect;
  TAbsSpellDialog* dialog_ = nullptr;
  uint8_t suggestions_ = 10;
  TAccentSet accentIcons_;
  bool autoSuggest_ = true, autoShift_ = false;
  int helpContext_ = 0;
  bool confirmAdd_ = true;
  AnsiString userDictionary_ = "CUSTOM.DIC";
  bool showCompletedDialog_ = true, showGlyphs_ = true;
  std::unique_ptr<TFont> font_;
  bool supportHTML_ = false, forceModal_ = false;
  TStringList skipAll_, autoFrom_, autoTo_;
  // The pairs of the auto-correct file and those Replace All added, kept apart so the
  // file can be read again without the lists growing.
  TStringList fileFrom_, fileTo_, replaceAllFrom_, replaceAllTo_;
  AnsiString warnedAutoCorrect_;
  bool completionMessages_ = true;
  std::unique_ptr<std::vector<HWND>> disabledWindows_;
  int waitPasses_ = 0, waits_ = 0;
  DWORD lastShown_ = 0;
  bool waiting_ = false;
  // The source of the check that runs, nullptr between checks.
  TAbsBuffer* source_ = nullptr;

 protected:
  ~TSpellDlg() override;
};

// The spell-check component for the editor control.
class TLEditSpellDlg : public TSpellDlg {
 public:
  explicit TLEditSpellDlg(TComponent* owner) : TSpellDlg(owner) {}
  const char* ClassName() const override { return "TLEditSpellDlg"; }
  int SpellCheck(TControl* control) override;
  int CheckAllFields(TComponent* owner, bool showMessage) override;
  void WordCount(TControl* control, int& count, int& distinct) override;

 protected:
  ~TLEditSpellDlg() override = default;
};

}  // namespace vx
