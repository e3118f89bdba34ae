// "Check Spelling": the document window's spell-check component and its settings.
#include "editor/vx2_EdWin.h"
#include "editor/Vx2_main.h"
#include "framework/core/Scoped.h"
#include "spell/SpellDlg.h"

namespace vx {

namespace {
// A document's page is its tab, which the walk of notebook pages does not know: each tab
// holds an editor of its own, and the others lie over it.
class TDocumentSpellDlg : public TLEditSpellDlg {
 public:
  explicit TDocumentSpellDlg(TfrmEditWin* owner) : TLEditSpellDlg(owner), window_(owner) {}
  void ShowControlPage(TControl* control) override {
    if (auto* ed = dynamic_cast<TxEdit*>(control)) window_->ShowDocument(ed);
    TLEditSpellDlg::ShowControlPage(control);
  }

 protected:
  ~TDocumentSpellDlg() override = default;

 private:
  TfrmEditWin* window_;
};
}  // namespace

void TfrmEditWin::CreateSpellChecker() {
  LEditSpellDlg1 = new TDocumentSpellDlg(this);
  LEditSpellDlg1->SetName("LEditSpellDlg1");
  LEditSpellDlg1->SetDialogStyle(dtMSWord);
  LEditSpellDlg1->SetDictionaryType(lgEnglish);
  LEditSpellDlg1->SetLabelLanguage(lgEnglish);
  LEditSpellDlg1->SetDictionaryPath("APPLICATIONPATH");
  LEditSpellDlg1->SetUserDictionary("CUSTOM.DIC");
  LEditSpellDlg1->SetSuggestions(10);
  LEditSpellDlg1->SetAutoSuggest(true);
  LEditSpellDlg1->SetConfirmAdd(true);
  LEditSpellDlg1->SetAutoShift(false);
  LEditSpellDlg1->SetAccentIcons(TAccentSet{});
  LEditSpellDlg1->SetShowCompletedDialog(true);
  LEditSpellDlg1->SetShowGlyphs(true);
  LEditSpellDlg1->SetSupportHTML(true);
  LEditSpellDlg1->SetForceModal(false);
  LEditSpellDlg1->SetHelpContext(0);
  TFont font;
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  font.SetStyle(TFontStyles{fsBold});
  font.SetColor(clWindowText);
  LEditSpellDlg1->SetFont(font);
}

void TfrmEditWin::ShowDocument(TxEdit* ed) {
  int tab = TabControl->Tabs()->IndexOfObject(ed);
  if (tab < 0) return;
  if (WindowState() == wsMinimized) SetWindowState(wsNormal);
  if (FrameForm && FrameForm->ActiveMDIChild() != this) Show();
  if (tab != TabControl->TabIndex()) SelectTab(tab);
}

void TfrmEditWin::SpellCheck() {
  TxEdit* ed = CurrentEditor();
  if (!ed) return;
  if (checkedEditor_ || LEditSpellDlg1->Checking()) {
    // One check at a time: the one running comes forward with the document it checks.
    LEditSpellDlg1->ShowRunningCheck();
    return;
  }
  // The check waits in a message loop of its own: the document may be closed (the
  // editor freed, which the check notices) or the window closed (its freeing waits
  // until the check has returned here).
  checkedEditor_ = ed;
  ed->FreeNotification(this);
  ed->BeginCheck();
  auto end = OnScopeExit([this] {
    if (TxEdit* still = checkedEditor_) {
      checkedEditor_ = nullptr;
      still->RemoveFreeNotification(this);
      still->EndCheck();
    }
    if (releaseAfterCheck_) {
      Release();
      return;
    }
    // The keyboard and the status bar go to the document on screen, whichever one the
    // check went through last.
    if (!Application->Terminated() && FrameForm && FrameForm->ActiveMDIChild() == this)
      if (TxEdit* shown = CurrentEditor()) shown->ActivateEditor();
  });
  LEditSpellDlg1->SpellCheck(ed);
}

void TfrmEditWin::Notification(TComponent* c, TOperation op) {
  TForm::Notification(c, op);
  if (op == opRemove && c == checkedEditor_) checkedEditor_ = nullptr;
}

void TfrmEditWin::WndProc(TMessage& m) {
  if (m.Msg == CM_RELEASE && checkedEditor_) {
    // Closed while a check runs from this window's own command: freed once it returns.
    releaseAfterCheck_ = true;
    if (LEditSpellDlg1) LEditSpellDlg1->HideDialog();
    return;
  }
  TForm::WndProc(m);
}

}  // namespace vx
