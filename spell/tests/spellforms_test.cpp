// The three dialog styles on the screen: their controls, captions, pictures and keys.
#include "spell/tests/SpellWinTest.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/tests/ScreenDriver.h"

namespace vx {
namespace {

using namespace spellwin;
using V = std::vector<std::string>;

struct FormsTest : SpellFixture {
  // The dialog shown with the dictionary open, as a check shows it, without a check.
  TAbsSpellDialog* Open(TDialogTypes style) {
    spell->SetDialogStyle(style);
    EXPECT_TRUE(spell->InitDictionary());
    spell->ShowDialog();
    Pump();
    SetForegroundWindow(Dlg()->Handle());
    Dlg()->edtWord->SetFocus();
    Pump();
    return Dlg();
  }
  void Type(const char* text) {
    for (const char* p = text; *p; ++p) {
      SHORT vk = VkKeyScanA(*p);
      bool shift = (vk >> 8) & 1;
      if (shift) Keys({{VK_SHIFT, true}});
      Press(static_cast<WORD>(vk & 0xFF));
      if (shift) Keys({{VK_SHIFT, false}});
      Pump();
    }
    Pump();
  }
  std::string Items(TCustomListBox* l) {
    std::string s;
    for (int i = 0; i < l->Items()->Count(); ++i) s += l->Items()->Strings(i) + "|";
    return s;
  }
  // Pixels of this colour in the control's area of the screen.
  static int ScreenPixels(TControl* c, COLORREF colour) {
    POINT o = c->ClientToScreen(POINT{0, 0});
    HDC dc = GetDC(nullptr);
    int n = 0;
    for (int y = 0; y < c->Height(); ++y)
      for (int x = 0; x < c->Width(); ++x)
        if (GetPixel(dc, o.x + x, o.y + y) == colour) ++n;
    ReleaseDC(nullptr, dc);
    return n;
  }
};

TEST_F(FormsTest, EachStyleAsksOnTheScreenAndReplaces) {
  struct Style {
    TDialogTypes type;
    const char *cls, *caption;
    int width, height;
  } styles[] = {{dtWordPerfect, "TWPSpellDlg", "Spell Checker", 412, 224},
                {dtMSWord, "TMSSpellDlg", "Spelling", 512, 242},
                {dtWordPro96, "TW96SpellDlg", "Spelling", 627, 89}};
  for (const Style& st : styles) {
    SCOPED_TRACE(st.cls);
    spell->SetDialogStyle(st.type);
    SetDocument("a zorbl here");
    asked.clear();
    std::string shownWord;
    onAsk = [&](TAbsSpellDialog* d, const std::string&) {
      EXPECT_STREQ(d->ClassName(), st.cls);
      EXPECT_EQ(d->Caption(), st.caption);
      EXPECT_EQ(d->ClientWidth(), st.width);
      EXPECT_EQ(d->ClientHeight(), st.height);
      EXPECT_TRUE(IsWindowVisible(d->Handle()));
      ExpectInsideParents(d);
      // The buttons are where a person sees them, and the focus waits in the edit box.
      EXPECT_EQ(WindowAtMiddle(d->btnReplace), d->btnReplace->Handle());
      EXPECT_EQ(WindowAtMiddle(d->btnSkip), d->btnSkip->Handle());
      EXPECT_EQ(GetFocus(), d->edtWord->Handle());
      EXPECT_EQ(d->lblFound->Caption(), "Not found:");
      if (auto* wp = dynamic_cast<TWPSpellDlg*>(d)) shownWord = wp->lblNotFound->Caption();
      if (auto* ms = dynamic_cast<TMSSpellDlg*>(d)) shownWord = ms->edtCurWord->Text();
      if (dynamic_cast<TW96SpellDlg*>(d)) {
        EXPECT_EQ(GetWindowLongA(d->Handle(), GWL_STYLE) & WS_CAPTION, 0);
        shownWord = "zorbl";
      }
      EXPECT_GT(d->lstSuggest->Items()->Count(), 0);
      Shot(st.cls);
      Answer(d, "zebra", d->btnReplace);
    };
    EXPECT_EQ(Check(), scChanged);
    EXPECT_EQ(asked, (V{"zorbl"}));
    EXPECT_EQ(shownWord, "zorbl");
    EXPECT_EQ(ed->Text(), "a zebra here");
  }
}

TEST_F(FormsTest, LanguageCaptionsReplaceTheDesignedOnes) {
  auto* wp = static_cast<TWPSpellDlg*>(Open(dtWordPerfect));
  EXPECT_EQ(wp->btnSkipAll->Caption(), "Skip A&lways");
  spell->SetLabelLanguage(lgEnglish);
  EXPECT_EQ(wp->btnSkipAll->Caption(), "Skip &Always");
  EXPECT_EQ(wp->lblReplace->Caption(), "Replace &With");
  EXPECT_EQ(wp->lblFound->Caption(), "Found");
  spell->HideDialog();
  auto* ms = static_cast<TMSSpellDlg*>(Open(dtMSWord));
  EXPECT_EQ(ms->btnReplaceAll->Caption(), "&Change All");  // a new dialog: designed captions
  EXPECT_EQ(ms->btnHelp->Caption(), "&Help");
  spell->SetLabelLanguage(lgEnglish);
  EXPECT_EQ(ms->btnReplaceAll->Caption(), "C&hange All");
  EXPECT_EQ(ms->btnUndo->Caption(), "&Undo Last");
  EXPECT_EQ(ms->btnOptions->Caption(), "&Options");
  EXPECT_FALSE(ms->btnAutoCorrect->Enabled());
  spell->HideDialog();
  auto* w96 = static_cast<TW96SpellDlg*>(Open(dtWordPro96));
  spell->SetLabelLanguage(lgEnglish);
  EXPECT_EQ(w96->btnClose->Caption(), "&Done");
  EXPECT_EQ(w96->lblFound->Caption(), "Word Found:");
  EXPECT_EQ(w96->lblSpellChk->Caption(), "Spell Check");
}

TEST_F(FormsTest, AccentButtonsTypeTheirLetterAndTakeTheListsRoom) {
  auto* ms = static_cast<TMSSpellDlg*>(Open(dtMSWord));
  int top = ms->lstSuggest->Top(), height = ms->lstSuggest->Height();
  EXPECT_EQ(height, 137);
  EXPECT_FALSE(ms->pnlIcons->Visible());
  spell->SetAccentIcons(TAccentSet{acSpanish});
  Pump();
  int panel = ms->pnlIcons->Height();
  EXPECT_TRUE(ms->pnlIcons->Visible());
  EXPECT_EQ(ms->lstSuggest->Top(), top + panel);
  EXPECT_EQ(ms->lstSuggest->Height(), height - panel);
  ExpectInsideParents(ms);
  ms->edtWord->SetText("cafe");
  ms->edtWord->SetSelStart(3);
  ms->edtWord->SetSelLength(1);
  PostClick(ms->btnE);
  Pump();
  EXPECT_EQ(ms->edtWord->Text(), "caf\xE9");
  PostClick(ms->btnN2);
  Pump();
  EXPECT_EQ(ms->edtWord->Text(), "caf\xE9\xD1");
  Shot("accents");
  spell->HideDialog();
  auto* w96 = static_cast<TW96SpellDlg*>(Open(dtWordPro96));
  EXPECT_EQ(w96->lstSuggest->Height(), 48);
  spell->SetAccentIcons(TAccentSet{});
  EXPECT_EQ(w96->lstSuggest->Height(), 48 + w96->pnlIcons->Height());
}

TEST_F(FormsTest, KeysInTheReplacementBox) {
  TAbsSpellDialog* d = Open(dtMSWord);
  d->edtWord->SetText("teh");
  Keys({{VK_CONTROL, true}, {VK_UP, true}, {VK_UP, false}, {VK_CONTROL, false}});
  Pump();
  EXPECT_EQ(d->edtWord->Text(), "TEH");
  Keys({{VK_CONTROL, true}, {VK_DOWN, true}, {VK_DOWN, false}, {VK_CONTROL, false}});
  Pump();
  EXPECT_EQ(d->edtWord->Text(), "Teh");
  // Enter moves on to the next control instead of choosing anything.
  Press(VK_RETURN);
  Pump();
  EXPECT_EQ(GetFocus(), d->lstSuggest->Handle());
  EXPECT_EQ(d->ResultCode(), srWaiting);
}

TEST_F(FormsTest, TypingListsLongerWordsAndEmptyingClearsTheList) {
  TAbsSpellDialog* d = Open(dtMSWord);
  d->edtWord->SetText("");
  Type("Sp");  // S comes with Shift held: only the release of p searches
  std::string items = Items(d->lstSuggest);
  ASSERT_EQ(d->lstSuggest->Items()->Count(), 10) << items;
  for (int i = 0; i < 10; ++i) EXPECT_EQ(d->lstSuggest->Items()->Strings(i).substr(0, 2), "Sp");
  Type("e");
  EXPECT_EQ(d->lstSuggest->Items()->Strings(0).substr(0, 3), "Spe");
  Press(VK_BACK), Press(VK_BACK), Press(VK_BACK);
  Pump();
  EXPECT_EQ(d->edtWord->Text(), "");
  EXPECT_EQ(d->lstSuggest->Items()->Count(), 0);
  Type("Q");  // with Shift held: no search
  EXPECT_EQ(d->lstSuggest->Items()->Count(), 0);
}

TEST_F(FormsTest, ClickingASuggestionCopiesItEachTime) {
  TAbsSpellDialog* d = Open(dtWordPerfect);
  d->edtWord->SetText("helo");
  PostClick(static_cast<TWPSpellDlg*>(d)->btnSuggest);
  Pump();
  ASSERT_GT(d->lstSuggest->Items()->Count(), 1);
  EXPECT_EQ(d->edtWord->Text(), d->lstSuggest->Items()->Strings(0));  // the first comes straight in
  EXPECT_EQ(GetFocus(), d->btnReplace->Handle());
  std::string second = d->lstSuggest->Items()->Strings(1);
  PostClickItem(d->lstSuggest, 1);
  Pump();
  EXPECT_EQ(d->edtWord->Text(), second);
  d->edtWord->SetText("changed meanwhile");
  PostClickItem(d->lstSuggest, 1);  // the item already selected
  Pump();
  EXPECT_EQ(d->edtWord->Text(), second);
  EXPECT_EQ(d->ResultCode(), srWaiting);
}

TEST_F(FormsTest, WithoutGlyphsNoButtonShowsAPicture) {
  TAbsSpellDialog* d = Open(dtMSWord);
  const COLORREF green = RGB(0, 0x80, 0);  // the replace button's tick
  EXPECT_GT(ScreenPixels(d->btnReplace, green), 5);
  spell->HideDialog();
  spell->SetShowGlyphs(false);
  d = Open(dtMSWord);
  for (int i = 0; i < d->ComponentCount(); ++i) {
    if (auto* b = dynamic_cast<TBitBtn*>(d->Components(i))) {
      EXPECT_TRUE(b->Glyph()->Empty()) << b->Name();
    }
  }
  d->Repaint();
  Pump();
  EXPECT_EQ(ScreenPixels(d->btnReplace, green), 0);
  EXPECT_EQ(WindowAtMiddle(d->btnReplace), d->btnReplace->Handle());
}

// A disabled caption's grey as black ink on white: the pixels at least a third of the way
// from the face colour to the grey, so that it compares with text drawn in black.
screen::TShot GreyAsInk(const screen::TShot& s, COLORREF face, COLORREF grey) {
  screen::TShot ink = s;
  int full = GetRValue(face) - GetRValue(grey);
  for (COLORREF& c : ink.pixels) c = 3 * (GetRValue(face) - GetRValue(c)) >= full ? RGB(0, 0, 0) : RGB(255, 255, 255);
  return ink;
}

TEST_F(FormsTest, DisabledButtonsShowTheirWholeCaption) {
  auto* ms = static_cast<TMSSpellDlg*>(Open(dtMSWord));
  for (TButton* b : {ms->btnAutoCorrect, ms->btnUndo}) {  // no underlined letter to tell apart
    SCOPED_TRACE(b->Name());
    ASSERT_FALSE(b->Enabled());
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(b->Handle(), WM_GETFONT, 0, 0));
    ASSERT_EQ(font, b->Font()->Handle());
    RECT r = screen::WindowScreenRect(b->Handle());
    InflateRect(&r, -3, -3);  // inside the frame
    screen::TShot ink = GreyAsInk(screen::Capture(r), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_3DSHADOW));
    std::string text = b->Caption();
    EXPECT_TRUE(screen::ShowsText(ink, 0, ink.height, RGB(255, 255, 255), text, font));
    // The last letter on its own: where the caption is cut, it is the one that suffers.
    TWindowDC dc(b->Handle());
    TSelected sel(dc, font);
    SIZE head{}, whole{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()) - 1, &head);
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &whole);
    int left = (ink.width - whole.cx) / 2 + head.cx;
    screen::TShot last;
    last.width = ink.width - left;
    last.height = ink.height;
    for (int y = 0; y < ink.height; ++y)
      for (int x = left; x < ink.width; ++x) last.pixels.push_back(ink.At(x, y));
    double off = screen::TextMismatch(last, 0, last.height, RGB(255, 255, 255), text.substr(text.size() - 1), font);
    EXPECT_LT(off, 0.12) << "the last letter, " << text.back();
  }
  Shot("disabled_buttons");
}

TEST_F(FormsTest, LeavingTheWordBoxOfTheBarLooksTheWordUp) {
  auto* d = static_cast<TW96SpellDlg*>(Open(dtWordPro96));
  d->edtWord->SetText("house");
  d->lstSuggest->SetFocus();  // not a button with a picture
  Pump();
  EXPECT_EQ(d->lblFound->Caption(), "Word Found:");
  EXPECT_EQ(GetFocus(), d->btnReplace->Handle());
  d->edtWord->SetFocus();
  d->edtWord->SetText("hosue");
  d->lstSuggest->SetFocus();
  Pump();
  EXPECT_EQ(d->lblFound->Caption(), "Word in Question:");
  EXPECT_EQ(GetFocus(), d->lstSuggest->Handle());
  Shot("w96bar");
}

}  // namespace
}  // namespace vx
