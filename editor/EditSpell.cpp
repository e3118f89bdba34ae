// "Check Spelling": the document window's spell-check component and its settings.
#include "editor/vx2_EdWin.h"
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
  // Closing this window while the dialog waits frees it and the component with it:
  // nothing of the window is touched after the check returns.
  if (TxEdit* ed = CurrentEditor()) LEditSpellDlg1->SpellCheck(ed);
}

}  // namespace vx
