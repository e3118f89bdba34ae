// "Check Spelling": the document window's spell-check component and its settings.
#include "editor/vx2_EdWin.h"
#include "framework/core/Scoped.h"
#include "spell/SpellDlg.h"

namespace vx {

void TfrmEditWin::CreateSpellChecker() {
  LEditSpellDlg1 = new TLEditSpellDlg(this);
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

void TfrmEditWin::SpellCheck() {
  TxEdit* ed = CurrentEditor();
  if (!ed || checkedEditor_ || LEditSpellDlg1->Checking()) return;
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
    if (releaseAfterCheck_) Release();
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
