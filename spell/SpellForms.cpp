// The three dialog styles, their controls in the order of their tab stops.
#include "framework/core/SysUtils.h"
#include "framework/win/MakeControl.h"
#include "spell/Dictionary.h"
#include "spell/SpellDialogs.h"
#include "spell/SpellPlatform.h"

namespace vx {

// ---- TWPSpellDlg ------------------------------------------------------------------------

TWPSpellDlg::TWPSpellDlg(TComponent* owner) : TAbsSpellDialog(owner) {
  SetCaption("Spell Checker");
  SetClientSize(412, 224);
  SetKeyPreview(true);
  SetLeft(200);
  SetTop(120);

  lblFound = AddLabel(this, "lblFound", "Not found:", 8, 10, 84);
  lblFound->SetAlignment(taRightJustify);
  lblNotFound = AddLabel(this, "lblNotFound", "BadWord", 100, 10);
  lblNotFound->SetParentFont(false);
  lblNotFound->Font()->SetName("MS Sans Serif");
  lblNotFound->Font()->SetSize(8);
  lblReplace = AddLabel(this, "lblReplace", "Replace &With:", 8, 36);
  lblSuggestions = AddLabel(this, "lblSuggestions", "Sugg&estions:", 8, 62);
  AddWordEdit(this, 100, 32, 196, 0);
  AddSuggestionList(this, 100, 59, 196, 161, 1);
  lblReplace->SetFocusControl(edtWord);
  lblSuggestions->SetFocusControl(lstSuggest);
  lstSuggest->OnClick = [this](TObject* s) { lstSuggestClick(s); };
  lstSuggest->OnEnter = [this](TObject* s) { lstSuggestEnter(s); };
  btnReplace =
      AddButton(this, "btnReplace", "&Replace", sgReplace, 306, 8, 98, 25, 2, &TAbsSpellDialog::btnReplaceClick);
  btnAdd = AddButton(this, "btnAdd", "&Add", sgAdd, 306, 37, 98, 25, 3, &TAbsSpellDialog::btnAddClick);
  btnSkip = AddButton(this, "btnSkip", "Skip &Once", sgSkip, 306, 66, 98, 25, 4, &TAbsSpellDialog::btnSkipClick);
  btnSkipAll =
      AddButton(this, "btnSkipAll", "Skip A&lways", sgSkipAll, 306, 95, 98, 25, 5, &TAbsSpellDialog::btnSkipAllClick);
  btnSuggest =
      AddButton(this, "btnSuggest", "&Suggest", sgSuggest, 306, 124, 98, 25, 6, &TAbsSpellDialog::btnSuggestClick);
  btnClose = AddButton(this, "btnClose", "Close", sgClose, 306, 191, 98, 25, 7, &TAbsSpellDialog::btnCloseClick);
  btnClose->SetCancel(true);
  AddAccentPanel(this, 100, 58, 196, 8);
  SetAccents(TAccentSet{});
}

void TWPSpellDlg::SetBadWord(const AnsiString& text) { lblNotFound->SetCaption(text); }

void TWPSpellDlg::SetLanguage() {
  const TSpellLanguageTexts& t = LanguageTexts(LabelLanguage());
  lblFound->SetCaption(t.wpFound);
  lblReplace->SetCaption(t.wpReplace);
  lblSuggestions->SetCaption(t.wpSuggestions);
  btnReplace->SetCaption(t.wpReplaceBtn);
  btnAdd->SetCaption(t.wpAdd);
  btnSkip->SetCaption(t.wpSkip);
  btnSkipAll->SetCaption(t.wpSkipAll);
  btnSuggest->SetCaption(t.wpSuggest);
  btnClose->SetCaption(t.wpClose);
}

void TWPSpellDlg::SetAccents(TAccentSet accents) { PlaceAccentPanel(accents, lblSuggestions, 161); }

void TWPSpellDlg::lstSuggestClick(TObject* Sender) { lstSuggestChange(Sender); }
void TWPSpellDlg::lstSuggestEnter(TObject* Sender) { lstSuggestChange(Sender); }

// ---- TMSSpellDlg ------------------------------------------------------------------------

TMSSpellDlg::TMSSpellDlg(TComponent* owner) : TAbsSpellDialog(owner) {
  SetCaption("Spelling");
  SetClientSize(512, 242);
  SetLeft(200);
  SetTop(120);

  lblFound = AddLabel(this, "lblFound", "Not in Dictionary:", 8, 6);
  edtCurWord = MakeControl<TEnterEdit>(this, this, "edtCurWord", 8, 22, 383, 21);
  edtCurWord->SetReadOnly(true);
  edtCurWord->SetTabOrder(0);
  edtCurWord->SetText("BadWord");
  lblReplace = AddLabel(this, "lblReplace", "Change &To:", 8, 53);
  AddWordEdit(this, 88, 49, 204, 1);
  lblReplace->SetFocusControl(edtWord);
  lblSuggestions = AddLabel(this, "lblSuggestions", "Suggestio&ns:", 8, 80);
  AddSuggestionList(this, 88, 77, 204, 137, 2);
  lblSuggestions->SetFocusControl(lstSuggest);
  // Two columns of buttons on the right, the rest along the bottom.
  const int c1 = 298, c2 = 406, w = 102, h = 25;
  btnSkip = AddButton(this, "btnSkip", "&Ignore", sgSkip, c1, 49, w, h, 3, &TAbsSpellDialog::btnSkipClick);
  btnSkipAll =
      AddButton(this, "btnSkipAll", "I&gnore All", sgSkipAll, c2, 49, w, h, 4, &TAbsSpellDialog::btnSkipAllClick);
  btnReplace = AddButton(this, "btnReplace", "&Change", sgReplace, c1, 79, w, h, 5, &TAbsSpellDialog::btnReplaceClick);
  btnReplaceAll = AddButton(this, "btnReplaceAll", "&Change All", sgReplaceAll, c2, 79, w, h, 6,
                            &TAbsSpellDialog::btnReplaceAllClick);
  btnAdd = AddButton(this, "btnAdd", "&Add", sgAdd, c1, 109, w, h, 7, &TAbsSpellDialog::btnAddClick);
  btnSuggest =
      AddButton(this, "btnSuggest", "&Suggest", sgSuggest, c2, 109, w, h, 8, &TAbsSpellDialog::btnSuggestClick);
  btnClose = AddButton(this, "btnClose", "Cancel", sgClose, c1, 209, w, h, 9, &TAbsSpellDialog::btnCloseClick);
  btnClose->SetCancel(true);
  btnHelp = AddButton(this, "btnHelp", "", sgHelp, c2, 209, w, h, 10, nullptr);
  btnHelp->SetKind(bkHelp);
  AddAccentPanel(this, 88, 76, 204, 11);
  auto plain = [this](const char* name, const char* caption, int x, int y, int tab) {
    TButton* b = PlaceButton(this, this, name, caption, x, y, w, h);
    b->SetTabOrder(tab);
    b->SetEnabled(false);
    return b;
  };
  btnAutoCorrect = plain("btnAutoCorrect", "AutoCorrect", c1, 145, 12);
  btnOptions = plain("btnOptions", "&Options...", c2, 145, 13);
  btnUndo = plain("btnUndo", "Undo Last", c1, 175, 14);
  SetAccents(TAccentSet{});
}

void TMSSpellDlg::SetBadWord(const AnsiString& text) { edtCurWord->SetText(text); }

void TMSSpellDlg::SetLanguage() {
  const TSpellLanguageTexts& t = LanguageTexts(LabelLanguage());
  lblFound->SetCaption(t.msFound);
  lblReplace->SetCaption(t.msChangeTo);
  lblSuggestions->SetCaption(t.msSuggestions);
  btnSkip->SetCaption(t.msIgnore);
  btnSkipAll->SetCaption(t.msIgnoreAll);
  btnReplace->SetCaption(t.msChange);
  btnReplaceAll->SetCaption(t.msChangeAll);
  btnAdd->SetCaption(t.msAdd);
  btnSuggest->SetCaption(t.msSuggest);
  btnClose->SetCaption(t.msCancel);
  btnHelp->SetCaption(t.msHelp);
  btnAutoCorrect->SetCaption(t.msAutoCorrect);
  btnOptions->SetCaption(t.msOptions);
  btnUndo->SetCaption(t.msUndo);
}

void TMSSpellDlg::SetAccents(TAccentSet accents) { PlaceAccentPanel(accents, lblSuggestions, 137); }

// ---- TW96SpellDlg -----------------------------------------------------------------------

TW96SpellDlg::TW96SpellDlg(TComponent* owner) : TAbsSpellDialog(owner) {
  SetCaption("Spelling");
  SetBorderStyle(bsNone);
  SetClientSize(627, 89);
  Font()->SetSize(9);
  Font()->SetStyle(TFontStyles{});
  SetLeft(200);
  SetTop(120);

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  Panel1->SetCaption("");
  Panel1->SetAlign(alClient);

  Shape1 = MakeControl<TShape>(this, Panel1, "Shape1", 6, 6, 132, 20);
  Shape1->Brush()->SetColor(clBlack);
  lblSpellChk = AddLabel(Panel1, "lblSpellChk", "Spell Check", 6, 8, 132);
  lblSpellChk->SetAlignment(taCenter);
  lblSpellChk->SetTransparent(true);
  lblSpellChk->SetParentFont(false);
  lblSpellChk->Font()->SetName("MS Sans Serif");
  lblSpellChk->Font()->SetSize(9);
  lblSpellChk->Font()->SetStyle(TFontStyles{fsBold});
  lblSpellChk->Font()->SetColor(clWhite);

  lblFound = AddLabel(Panel1, "lblFound", "&Word in Question:", 6, 32);
  AddWordEdit(Panel1, 6, 50, 144, 0);
  lblFound->SetFocusControl(edtWord);
  edtWord->OnExit = [this](TObject* s) { edtWordExit(s); };
  SpeedButton1 = MakeControl<TSpeedButton>(this, Panel1, "SpeedButton1", 154, 49, 24, 24);
  DrawSpellGlyph(SpeedButton1->Glyph(), sgSuggest);
  SpeedButton1->OnClick = [this](TObject* s) { btnSuggestClick(s); };
  AddSuggestionList(Panel1, 184, 6, 158, 48, 1);

  // The sunken block behind the four buttons on the left of the button group.
  Shape2 = MakeControl<TShape>(this, Panel1, "Shape2", 347, 5, 206, 79);
  Shape2->Brush()->SetStyle(bsClear);
  Panel2 = MakeControl<TPanel>(this, Panel1, "Panel2", 348, 6, 204, 77);
  Panel2->SetCaption("");
  Panel2->SetBevelOuter(bvLowered);
  Panel2->SetColor(0xC0C0C0);
  btnReplaceAll = AddButton(Panel2, "btnReplaceAll", "Replace All", sgReplaceAll, 4, 8, 96, 25, 2,
                            &TAbsSpellDialog::btnReplaceAllClick);
  btnReplace =
      AddButton(Panel2, "btnReplace", "&Replace", sgReplace, 104, 8, 96, 25, 3, &TAbsSpellDialog::btnReplaceClick);
  btnSkipAll =
      AddButton(Panel2, "btnSkipAll", "S&kip All", sgSkipAll, 4, 44, 96, 25, 4, &TAbsSpellDialog::btnSkipAllClick);
  btnSkip = AddButton(Panel2, "btnSkip", "Skip &Once", sgSkip, 104, 44, 96, 25, 5, &TAbsSpellDialog::btnSkipClick);
  btnAdd = AddButton(Panel1, "btnAdd", "&Add", sgAdd, 558, 14, 64, 25, 6, &TAbsSpellDialog::btnAddClick);
  btnClose = AddButton(Panel1, "btnClose", "Close", sgClose, 558, 50, 64, 25, 7, &TAbsSpellDialog::btnCloseClick);
  btnClose->SetCancel(true);
  AddAccentPanel(Panel1, 184, 57, 158, 9);
  SetAccents(TAccentSet{});
}

// The word is shown in the edit box (SetReplacement) in this style.
void TW96SpellDlg::SetBadWord(const AnsiString&) {}

void TW96SpellDlg::SetLanguage() {
  const TSpellLanguageTexts& t = LanguageTexts(LabelLanguage());
  lblSpellChk->SetCaption(t.w96SpellCheck);
  lblFound->SetCaption(t.w96WordFound);
  btnReplaceAll->SetCaption(t.w96ReplaceAll);
  btnReplace->SetCaption(t.w96Replace);
  btnSkipAll->SetCaption(t.w96SkipAll);
  btnSkip->SetCaption(t.w96Skip);
  btnAdd->SetCaption(t.w96Add);
  btnClose->SetCaption(t.w96Close);
}

void TW96SpellDlg::SetAccents(TAccentSet accents) {
  lstSuggest->SetHeight(48);
  if (accents.Contains(acSpanish)) {
    pnlIcons->SetVisible(true);
  } else {
    pnlIcons->SetVisible(false);
    lstSuggest->SetHeight(lstSuggest->Height() + pnlIcons->Height());
  }
}

void TW96SpellDlg::edtWordExit(TObject*) {
  // Leaving for one of the choice buttons keeps the label as the check set it.
  if (dynamic_cast<TBitBtn*>(ActiveControl())) return;
  const TSpellLanguageTexts& t = LanguageTexts(LabelLanguage());
  TDictionary* d = CurrentDictionary;
  if (d && d->ContainsWritten(edtWord->Text())) {
    lblFound->SetCaption(t.w96WordFound);
    if (btnReplace->CanFocus()) btnReplace->SetFocus();
  } else {
    lblFound->SetCaption(t.w96WordInQuestion);
  }
}

}  // namespace vx
