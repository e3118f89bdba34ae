// The spell dialogs: the abstract dialog the check loop talks to, the two small controls
// the dialogs are built from, the language captions, and the three dialog styles.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/win/Buttons.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

enum TDialogTypes { dtWordPerfect, dtMSWord, dtWordPro96 };
enum TLanguages { lgEnglish };
enum TAccents { acSpanish };
using TAccentSet = TSet<TAccents>;

// The dialog's result codes: what the user chose.
enum : int32_t {
  srWaiting = 0,
  srClose = 2,
  srReplace = 20,
  srAdd = 21,
  srSkip = 22,
  srSkipAll = 23,
  srReplaceAll = 24
};

// The texts of one label language: status texts and add messages the check loop uses,
// and the captions each dialog style shows once the language is applied.
struct TSpellLanguageTexts {
  const char* name;
  const char *wordFound, *notFound;
  const char *alreadyInDictionary, *addToDictionary;  // with %s for the word
  const char *wpFound, *wpReplace, *wpSuggestions, *wpReplaceBtn, *wpAdd, *wpSkip, *wpSkipAll, *wpSuggest, *wpClose;
  const char *msFound, *msChangeTo, *msSuggestions, *msIgnore, *msIgnoreAll, *msChange, *msChangeAll, *msAdd,
      *msSuggest, *msCancel, *msHelp, *msAutoCorrect, *msOptions, *msUndo;
  const char *w96SpellCheck, *w96WordFound, *w96WordInQuestion, *w96ReplaceAll, *w96Replace, *w96SkipAll, *w96Skip,
      *w96Add, *w96Close;
};
const TSpellLanguageTexts& LanguageTexts(TLanguages language);

// The replacement edit box: Enter moves on to the next control, Ctrl+Up and Ctrl+Down
// change the letter case of the text.
class TEnterEdit : public TEdit {
 public:
  explicit TEnterEdit(TComponent* owner) : TEdit(owner) {}
  const char* ClassName() const override { return "TEnterEdit"; }

 protected:
  void KeyDown(WORD& key, TShiftState shift) override;

 protected:
  ~TEnterEdit() override = default;
};

// The suggestion list: OnChange whenever an item is selected, by mouse or keyboard, and
// again when the selected item is clicked once more.
class TNewListBox : public TListBox {
 public:
  explicit TNewListBox(TComponent* owner) : TListBox(owner) {}
  const char* ClassName() const override { return "TNewListBox"; }
  TNotifyEvent OnChange;
  void Click() override;
  void WndProc(TMessage& m) override;

 protected:
  virtual void Change();

 protected:
  ~TNewListBox() override = default;
};

class TAbsSpellDialog : public TForm {
 public:
  explicit TAbsSpellDialog(TComponent* owner);
  const char* ClassName() const override { return "TAbsSpellDialog"; }

  uint8_t N() const { return n_; }
  void SetN(uint8_t n) { n_ = n; }
  TLanguages LabelLanguage() const { return language_; }
  void SetLabelLanguage(TLanguages language);
  int32_t ResultCode() const { return resultCode_; }
  void SetResultCode(int32_t code) { resultCode_ = code; }

  // Every button with a picture loses it.
  virtual void RemoveGlyphs();
  virtual void SetStatus(const AnsiString& text);
  virtual void SetBadWord(const AnsiString& text);
  virtual void SetReplacement(const AnsiString& text);
  virtual AnsiString GetReplacement();
  virtual void FocusReplacement();
  virtual void SetLanguage();
  virtual void EnableSkip();
  virtual void DisableSkip();
  virtual void SetAccents(TAccentSet accents) = 0;
  virtual void ClearSuggestions();
  virtual void Suggest();

  // The handlers the three forms share.
  void btnReplaceClick(TObject* Sender);
  void btnReplaceAllClick(TObject* Sender);
  void btnAddClick(TObject* Sender);
  void btnSkipClick(TObject* Sender);
  void btnSkipAllClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void btnSuggestClick(TObject* Sender);
  void lstSuggestChange(TObject* Sender);
  void lstSuggestDblClick(TObject* Sender);
  void AccentClick(TObject* Sender);
  void QuickSuggest(TObject* Sender, WORD& Key, TShiftState Shift);

  // The controls all three styles have (btnReplaceAll is nullptr in TWPSpellDlg).
  TLabel* lblFound = nullptr;
  TEnterEdit* edtWord = nullptr;
  TNewListBox* lstSuggest = nullptr;
  TBitBtn *btnReplace = nullptr, *btnReplaceAll = nullptr, *btnAdd = nullptr, *btnSkip = nullptr, *btnSkipAll = nullptr,
          *btnClose = nullptr;
  TPanel* pnlIcons = nullptr;
  TSpeedButton *btnA = nullptr, *btnE = nullptr, *btnI = nullptr, *btnO = nullptr, *btnU = nullptr, *btnN = nullptr,
               *btnN2 = nullptr;

  void WndProc(TMessage& m) override;

 protected:
  void BeforeDestruction() override;
  void CreateParams(TCreateParams& p) override;
  // Builders the three forms share.
  TLabel* AddLabel(TWinControl* parent, const char* name, const char* caption, int x, int y, int w = 0);
  TBitBtn* AddButton(TWinControl* parent, const char* name, const char* caption, int glyph, int x, int y, int w, int h,
                     int tab, void (TAbsSpellDialog::*click)(TObject*));
  void AddWordEdit(TWinControl* parent, int x, int y, int w, int tab);
  void AddSuggestionList(TWinControl* parent, int x, int y, int w, int h, int tab);
  // The panel of accented letters (hidden until SetAccents asks for it).
  void AddAccentPanel(TWinControl* parent, int x, int y, int w, int tab);
  // The list below the panel's top, listHeight high; with the Spanish letters the panel
  // shows and the list and its label move down by the panel's height.
  void PlaceAccentPanel(TAccentSet accents, TLabel* listLabel, int listHeight);

 private:
  uint8_t n_ = 10;
  TLanguages language_ = lgEnglish;
  int32_t resultCode_ = srWaiting;
  // Cleared when the dialog goes, for work that let messages through meanwhile.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

 protected:
  ~TAbsSpellDialog() override = default;
};

// dtWordPerfect: the component's default.
class TWPSpellDlg : public TAbsSpellDialog {
 public:
  explicit TWPSpellDlg(TComponent* owner);
  const char* ClassName() const override { return "TWPSpellDlg"; }
  TLabel *lblNotFound, *lblReplace, *lblSuggestions;
  TBitBtn* btnSuggest;
  void SetBadWord(const AnsiString& text) override;
  void SetLanguage() override;
  void SetAccents(TAccentSet accents) override;
  void lstSuggestClick(TObject* Sender);
  void lstSuggestEnter(TObject* Sender);

 protected:
  ~TWPSpellDlg() override = default;
};

// dtMSWord: the style the document window uses.
class TMSSpellDlg : public TAbsSpellDialog {
 public:
  explicit TMSSpellDlg(TComponent* owner);
  const char* ClassName() const override { return "TMSSpellDlg"; }
  TEnterEdit* edtCurWord;
  TLabel *lblReplace, *lblSuggestions;
  TBitBtn *btnSuggest, *btnHelp;
  TButton *btnAutoCorrect, *btnOptions, *btnUndo;
  void SetBadWord(const AnsiString& text) override;
  void SetLanguage() override;
  void SetAccents(TAccentSet accents) override;

 protected:
  ~TMSSpellDlg() override = default;
};

// dtWordPro96: a borderless one-line bar.
class TW96SpellDlg : public TAbsSpellDialog {
 public:
  explicit TW96SpellDlg(TComponent* owner);
  const char* ClassName() const override { return "TW96SpellDlg"; }
  TPanel *Panel1, *Panel2;
  TSpeedButton* SpeedButton1;
  TShape *Shape1, *Shape2;
  TLabel* lblSpellChk;
  void SetBadWord(const AnsiString& text) override;
  void SetLanguage() override;
  void SetAccents(TAccentSet accents) override;
  void edtWordExit(TObject* Sender);

 protected:
  ~TW96SpellDlg() override = default;
};

// Glyphs of the buttons with pictures, drawn at run time.
enum TSpellGlyph { sgNone, sgReplace, sgReplaceAll, sgAdd, sgSkip, sgSkipAll, sgSuggest, sgClose, sgHelp };
void DrawSpellGlyph(TBitmap* bitmap, int glyph);

}  // namespace vx
