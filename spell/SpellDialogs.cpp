#include "spell/SpellDialogs.h"

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/MakeControl.h"
#include "spell/Dictionary.h"
#include "spell/SpellPlatform.h"
#include "spell/SpellWords.h"

namespace vx {

namespace {

const TSpellLanguageTexts englishTexts = {
    "English", "Word found:", "Not found:", "\"%s\" already in dictionary.", "Add \"%s\" to dictionary?",
    // TWPSpellDlg
    "Found", "Replace &With", "Sugg&estions", "&Replace", "&Add", "Skip &Once", "Skip &Always", "&Suggest", "Close",
    // TMSSpellDlg
    "In Dictionary:", "Change &To:", "Suggestio&ns:", "&Ignore", "I&gnore All", "&Change", "C&hange All", "&Add",
    "&Suggest", "Cancel", "Help", "AutoCorrect", "&Options", "&Undo Last",
    // TW96SpellDlg
    "Spell Check", "Word Found:", "Word in Question:", "Replace All", "&Replace", "Skip &Always", "Skip &Once", "&Add",
    "&Done"};

// The accented letters of the panel, as ANSI bytes: á é í ó ú ñ Ñ.
const char* const accentCaptions[7] = {"\xE1", "\xE9", "\xED", "\xF3", "\xFA", "\xF1", "\xD1"};
const char* const accentNames[7] = {"btnA", "btnE", "btnI", "btnO", "btnU", "btnN", "btnN2"};

}  // namespace

const TSpellLanguageTexts& LanguageTexts(TLanguages) { return englishTexts; }

// ---- TEnterEdit ------------------------------------------------------------------------

void TEnterEdit::KeyDown(WORD& key, TShiftState shift) {
  TEdit::KeyDown(key, shift);
  if (key == VK_RETURN) {
    if (TForm* f = GetParentForm(this)) f->Perform(WM_NEXTDLGCTL, 0, 0);
    key = 0;
  } else if (key == VK_UP && shift.Contains(ssCtrl)) {
    SetText(AnsiUpperCase(Text()));
    key = 0;
  } else if (key == VK_DOWN && shift.Contains(ssCtrl)) {
    AnsiString t = AnsiLowerCase(Text());
    if (!t.empty()) t[0] = AnsiUpperChar(t[0]);
    SetText(t);
    key = 0;
  }
}

// ---- TNewListBox --------------------------------------------------------------------------

void TNewListBox::Click() {
  TListBox::Click();
  if (ItemIndex() != -1) Change();
}

void TNewListBox::Change() {
  if (OnChange) OnChange(this);
}

void TNewListBox::WndProc(TMessage& m) {
  if (m.Msg != WM_LBUTTONDOWN) {
    TListBox::WndProc(m);
    return;
  }
  int before = ItemIndex();
  TListBox::WndProc(m);
  // A click on the item already selected changes no selection, so the list reports
  // nothing; the item is still chosen again (the edit box may have changed meanwhile).
  if (!Destroying() && before != -1 && ItemIndex() == before) Click();
}

// ---- TAbsSpellDialog ----------------------------------------------------------------------

TAbsSpellDialog::TAbsSpellDialog(TComponent* owner) : TForm(owner) {
  SetVisible(false);
  SetBorderStyle(bsDialog);
  SetPosition(poDesigned);
  Font()->SetName("MS Sans Serif");
  Font()->SetSize(8);
  Font()->SetStyle(TFontStyles{fsBold});
}

void TAbsSpellDialog::BeforeDestruction() {
  *alive_ = false;
  TForm::BeforeDestruction();
}

void TAbsSpellDialog::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // A dialog given a parent control belongs to that control's window.
  if (Parent()) p.WndParent = Parent()->Handle();
}

void TAbsSpellDialog::WndProc(TMessage& m) {
  if (m.Msg == WM_NEXTDLGCTL) {
    if (LOWORD(m.LParam)) {
      if (TWinControl* c = FindControl(reinterpret_cast<HWND>(m.WParam))) FocusControl(c);
    } else {
      SelectNext(ActiveControl(), m.WParam == 0, true);
    }
    m.Result = 0;
    return;
  }
  TForm::WndProc(m);
}

void TAbsSpellDialog::SetLabelLanguage(TLanguages language) {
  language_ = language;
  SetLanguage();
}

void TAbsSpellDialog::RemoveGlyphs() {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* b = dynamic_cast<TBitBtn*>(Components(i)))
      if (!b->Glyph()->Empty()) b->SetGlyph(nullptr);
}

void TAbsSpellDialog::SetStatus(const AnsiString& text) {
  if (lblFound) lblFound->SetCaption(text);
}

void TAbsSpellDialog::SetBadWord(const AnsiString&) {}

void TAbsSpellDialog::SetReplacement(const AnsiString& text) { edtWord->SetText(text); }

AnsiString TAbsSpellDialog::GetReplacement() { return edtWord->Text(); }

void TAbsSpellDialog::FocusReplacement() {
  // Through the replace button, so the focus ends in the edit box with the dialog active.
  if (btnReplace->CanFocus()) btnReplace->SetFocus();
  if (edtWord->CanFocus()) edtWord->SetFocus();
}

void TAbsSpellDialog::SetLanguage() {}

void TAbsSpellDialog::EnableSkip() {
  btnSkip->SetEnabled(true);
  btnSkipAll->SetEnabled(true);
}

void TAbsSpellDialog::DisableSkip() {
  btnSkip->SetEnabled(false);
  btnSkipAll->SetEnabled(false);
}

void TAbsSpellDialog::ClearSuggestions() { lstSuggest->Items()->Clear(); }

void TAbsSpellDialog::Suggest() {
  std::shared_ptr<bool> alive = alive_;
  auto restore = OnScopeExit([saved = Screen->Cursor()] { Screen->SetCursor(saved); });
  Screen->SetCursor(crHourGlass);
  Application->ProcessMessages();
  if (!*alive) return;  // closed with its owner meanwhile
  if (TDictionary* d = CurrentDictionary) {
    // The edit box holds ANSI text; the dictionary works in the OEM code page.
    auto list = d->Suggest(AnsiToOemWord(edtWord->Text().substr(0, 255)), n_);
    lstSuggest->Items()->Assign(*list);
    if (list->Count() > 0) edtWord->SetText(list->Strings(0));
  }
  if (btnReplace->CanFocus()) btnReplace->SetFocus();
}

void TAbsSpellDialog::btnReplaceClick(TObject*) { resultCode_ = srReplace; }
void TAbsSpellDialog::btnReplaceAllClick(TObject*) { resultCode_ = srReplaceAll; }
void TAbsSpellDialog::btnAddClick(TObject*) { resultCode_ = srAdd; }
void TAbsSpellDialog::btnSkipClick(TObject*) { resultCode_ = srSkip; }
void TAbsSpellDialog::btnSkipAllClick(TObject*) { resultCode_ = srSkipAll; }
void TAbsSpellDialog::btnCloseClick(TObject*) { resultCode_ = srClose; }
void TAbsSpellDialog::btnSuggestClick(TObject*) { Suggest(); }

void TAbsSpellDialog::lstSuggestChange(TObject*) {
  int i = lstSuggest->ItemIndex();
  if (i >= 0) edtWord->SetText(lstSuggest->Items()->Strings(i));
}

void TAbsSpellDialog::lstSuggestDblClick(TObject* Sender) {
  lstSuggestChange(Sender);
  btnReplaceClick(Sender);
}

void TAbsSpellDialog::AccentClick(TObject* Sender) {
  if (auto* b = dynamic_cast<TSpeedButton*>(Sender)) {
    AnsiString c = b->Caption().substr(0, 1);
    edtWord->SetSelText(c);
  }
}

void TAbsSpellDialog::QuickSuggest(TObject*, WORD& Key, TShiftState Shift) {
  if (Shift.Contains(ssShift) || Shift.Contains(ssCtrl) || Shift.Contains(ssAlt)) return;
  if (GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0 || GetKeyState(VK_MBUTTON) < 0) return;
  // The keys that can change a word: those of the word characters, and the two that
  // delete, so that emptying the box empties the list.
  if (!(Key < 256 && IsWordChar(static_cast<uint8_t>(Key))) && Key != VK_BACK && Key != VK_DELETE) return;
  AnsiString text = edtWord->Text();
  if (text.empty()) {
    lstSuggest->Items()->Clear();
    return;
  }
  if (TDictionary* d = CurrentDictionary) {
    auto list = d->WordsWithPrefix(AnsiToOemWord(text.substr(0, 255)), n_);
    lstSuggest->Items()->Assign(*list);
  }
}

// ---- builders ------------------------------------------------------------------------------

TLabel* TAbsSpellDialog::AddLabel(TWinControl* parent, const char* name, const char* caption, int x, int y, int w) {
  TLabel* l = PlaceLabel(this, parent, name, caption, x, y);
  if (w > 0) {
    l->SetAutoSize(false);
    l->SetBounds(x, y, w, 16);
  }
  return l;
}

TBitBtn* TAbsSpellDialog::AddButton(TWinControl* parent, const char* name, const char* caption, int glyph, int x, int y,
                                    int w, int h, int tab, void (TAbsSpellDialog::*click)(TObject*)) {
  auto* b = MakeControl<TBitBtn>(this, parent, name, x, y, w, h);
  b->SetCaption(caption);
  b->SetTabOrder(tab);
  if (glyph != sgNone) DrawSpellGlyph(b->Glyph(), glyph);
  if (click) b->OnClick = [this, click](TObject* s) { (this->*click)(s); };
  return b;
}

void TAbsSpellDialog::AddWordEdit(TWinControl* parent, int x, int y, int w, int tab) {
  edtWord = MakeControl<TEnterEdit>(this, parent, "edtWord", x, y, w, 21);
  edtWord->SetTabOrder(tab);
  edtWord->SetText("");
  edtWord->OnKeyUp = [this](TObject* s, WORD& k, TShiftState sh) { QuickSuggest(s, k, sh); };
}

void TAbsSpellDialog::AddSuggestionList(TWinControl* parent, int x, int y, int w, int h, int tab) {
  lstSuggest = MakeControl<TNewListBox>(this, parent, "lstSuggest", x, y, w, h);
  lstSuggest->SetTabOrder(tab);
  lstSuggest->OnChange = [this](TObject* s) { lstSuggestChange(s); };
  lstSuggest->OnDblClick = [this](TObject* s) { lstSuggestDblClick(s); };
}

void TAbsSpellDialog::AddAccentPanel(TWinControl* parent, int x, int y, int w, int tab) {
  pnlIcons = MakeControl<TPanel>(this, parent, "pnlIcons", x, y, w, 25);
  pnlIcons->SetCaption("");
  pnlIcons->SetBevelOuter(bvLowered);
  pnlIcons->SetTabOrder(tab);
  pnlIcons->SetVisible(false);
  TSpeedButton** buttons[7] = {&btnA, &btnE, &btnI, &btnO, &btnU, &btnN, &btnN2};
  for (int i = 0; i < 7; ++i) {
    auto* b = MakeControl<TSpeedButton>(this, pnlIcons, accentNames[i], 2 + 22 * i, 2, 21, 21);
    b->SetCaption(accentCaptions[i]);
    b->OnClick = [this](TObject* s) { AccentClick(s); };
    *buttons[i] = b;
  }
}

void TAbsSpellDialog::PlaceAccentPanel(TAccentSet accents, TLabel* listLabel, int listHeight) {
  lstSuggest->SetTop(pnlIcons->Top() + 1);
  lstSuggest->SetHeight(listHeight);
  listLabel->SetTop(pnlIcons->Top() + 4);
  pnlIcons->SetVisible(false);
  if (!accents.Contains(acSpanish)) return;
  pnlIcons->SetVisible(true);
  int h = pnlIcons->Height();
  lstSuggest->SetBounds(lstSuggest->Left(), lstSuggest->Top() + h, lstSuggest->Width(), lstSuggest->Height() - h);
  listLabel->SetTop(listLabel->Top() + h);
}

// ---- glyphs ------------------------------------------------------------------------------

void DrawSpellGlyph(TBitmap* bitmap, int glyph) {
  constexpr TColor background = 0xFF00FF;  // the bottom-left pixel: transparent
  bitmap->SetSize(16, 16);
  TCanvas* c = bitmap->Canvas();
  c->Brush()->SetColor(background);
  c->FillRect(RECT{0, 0, 16, 16});
  c->Pen()->SetWidth(2);
  auto check = [&](int dx, TColor colour) {
    c->Pen()->SetColor(colour);
    POINT p[3] = {{2 + dx, 8}, {5 + dx, 12}, {12 + dx, 3}};
    c->Polyline(p, 3);
  };
  auto arrow = [&](int x, TColor colour) {
    c->Brush()->SetColor(colour);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(colour);
    POINT p[3] = {{x, 3}, {x + 6, 8}, {x, 13}};
    c->Polygon(p, 3);
  };
  switch (glyph) {
    case sgReplace: check(1, 0x008000); break;
    case sgReplaceAll:
      check(-1, 0x008000);
      check(3, 0x00A000);
      break;
    case sgAdd:
      c->Brush()->SetColor(0x800000);
      c->FillRect(RECT{7, 2, 10, 14});
      c->FillRect(RECT{2, 7, 15, 10});
      break;
    case sgSkip: arrow(5, 0x808000); break;
    case sgSkipAll:
      arrow(2, 0x808000);
      arrow(8, 0x808000);
      break;
    case sgSuggest:
      c->Pen()->SetWidth(1);
      c->Pen()->SetColor(0x000000);
      c->Brush()->SetColor(0x00FFFF);
      c->Ellipse(3, 1, 13, 11);
      c->Brush()->SetColor(0x808080);
      c->FillRect(RECT{6, 11, 10, 14});
      break;
    case sgClose:
      c->Pen()->SetColor(0x0000C0);
      c->MoveTo(3, 3), c->LineTo(13, 13);
      c->MoveTo(12, 3), c->LineTo(3, 12);
      break;
    case sgHelp: {
      c->Brush()->SetStyle(bsClear);
      c->Font()->SetName("Arial");
      c->Font()->SetHeight(-14);
      c->Font()->SetStyle(TFontStyles{fsBold});
      c->Font()->SetColor(0x800000);
      RECT r{0, 0, 16, 16};
      c->DrawText("?", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      break;
    }
    default: break;
  }
  c->Brush()->SetStyle(bsSolid);
  c->SetPixels(0, 15, background);
}

}  // namespace vx
