// The editor control: a framework control in front of one LEDIT32 window. Every setting
// lives in the object, reaches the window as messages while it exists, and is sent again
// in a fixed order each time the window is made; the window's notifications and
// call-backs become events.
#pragma once

#include <cstdint>
#include <vector>

#include "editctl/LEditProtocol.h"
#include "ledit/include/LEditMessages.h"
#include "framework/core/Streams.h"
#include "framework/win/Controls.h"
#include "framework/win/Forms.h"

namespace vx {

enum TLEScrollStyle { lsNone, lsHorizontal, lsVertical, lsBoth };
enum TLEPopupStyle { psNone, psStandard, psQuorvel };
enum TLEInitStyle { isFile, isCustom };
enum TLESpaceStyle { slNone, slSmall, slMedium, slLarge };
enum TLEPaintStyle { dsNone, dsDirect, dsUseMemoryDC };
// Answers of the find-brace call-back: 1 opening, 2 closing, 3/4 block open/close.
enum TLEBraceStyle { brNone, brOpen, brClose, brOpenBlock, brCloseBlock };
using TLEBookmarksMax = uint16_t;  // 1..256
using TLETabStopSize = uint8_t;    // 1..40

using TCHEvent = std::function<void(TObject* Sender, uint16_t WordType, int32_t WordValue, const AnsiString& WordStr,
                                    TColor& ForeClr, TColor& BackClr)>;
using TFBEvent = std::function<void(TObject* Sender, uint16_t WordType, int32_t WordValue, const AnsiString& WordStr,
                                    TLEBraceStyle& BraceType)>;
using TWordClickEvent = std::function<void(TObject* Sender, uint16_t WordType, int32_t WordValue,
                                           const AnsiString& WordStr, bool& WordHandled)>;
using TWordWrapEvent = std::function<void(TObject* Sender, const char* Line, int16_t& Position)>;
using TNotifyFoundEvent = std::function<void(TObject* Sender, int32_t Code, int32_t& Response)>;
using TPaintEvent = std::function<void(TObject* Sender, TCanvas* DCHandle, const RECT& ClientArea)>;
using TPrintEvent = std::function<void(TObject* Sender, TCanvas* PrintDC, uint16_t VerticalSize,
                                       uint16_t HorizontalSize, int16_t& HeaderSize, int16_t& FooterSize)>;

class TCustomLEdit : public TWinControl {
 public:
  explicit TCustomLEdit(TComponent* owner);
  const char* ClassName() const override { return "TCustomLEdit"; }

  // ---- properties
  bool AutoIndent() const { return autoIndent_; }
  void SetAutoIndent(bool v) { SetOption(autoIndent_, v, LEO_AUTOINDENT); }
  TColor BackColorSelected() const { return backSel_; }
  void SetBackColorSelected(TColor c);
  TColor ForeColorSelected() const { return foreSel_; }
  void SetForeColorSelected(TColor c);
  TLEBookmarksMax BookmarksMax() const { return bookmarksMax_; }
  void SetBookmarksMax(TLEBookmarksMax v);
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle b);
  bool CanChangeFile() const { return canChangeFile_; }
  void SetCanChangeFile(bool v);
  bool CanChangeFont() const { return canChangeFont_; }
  void SetCanChangeFont(bool v);
  uint16_t CaretWidth() const { return caretWidth_; }
  void SetCaretWidth(uint16_t v);
  bool CurrentWordAsText() const { return currentWordAsText_; }
  void SetCurrentWordAsText(bool v) { SetOption(currentWordAsText_, v, LEO_CURRENTWORDASTEXT); }
  const AnsiString& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const AnsiString& e) { defaultExt_ = NormalizeDefaultExt(e); }
  bool DefaultSelection() const { return defaultSelection_; }
  void SetDefaultSelection(bool v) { SetOption(defaultSelection_, v, LEO_DEFAULTSELECTION); }
  int StartLine() const { return sel_.StartLine; }
  int EndLine() const { return sel_.EndLine; }
  int StartPos() const { return sel_.StartPos; }
  int EndPos() const { return sel_.EndPos; }
  void SetStartLine(int v) { sel_.StartLine = v < 1 ? 1 : v; }
  void SetEndLine(int v) { sel_.EndLine = v < 1 ? 1 : v; }
  void SetStartPos(int v) { sel_.StartPos = ClampColumn(v); }
  void SetEndPos(int v) { sel_.EndPos = ClampColumn(v); }
  bool ExtraComments() const { return extraComments_; }
  void SetExtraComments(bool v);
  bool Item2AsComment() const { return item2AsComment_; }
  void SetItem2AsComment(bool v);
  TLESpaceStyle ExtraHorzSpacing();
  void SetExtraHorzSpacing(TLESpaceStyle s);
  TLESpaceStyle ExtraVertSpacing();
  void SetExtraVertSpacing(TLESpaceStyle s);
  uint16_t WordWrapRMargin();
  void SetWordWrapRMargin(uint16_t v);
  TLEScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TLEScrollStyle s);
  // The mask in its "|" form; either form is accepted.
  const AnsiString& FileMask() const { return fileMask_; }
  void SetFileMask(const AnsiString& m);
  AnsiString FileName();
  void SetFileName(const AnsiString& n);
  int FirstVisibleLine();
  void SetFirstVisibleLine(int line);
  uint16_t FirstVisiblePos();
  void SetFirstVisiblePos(uint16_t col);
  uint16_t Skip();
  void SetSkip(uint16_t v);
  int GroupNumber() const { return groupNumber_; }
  void SetGroupNumber(int n);
  bool HasFile() { return GetHasFile(); }
  TLEPopupStyle HasMenu() const { return hasMenu_; }
  void SetHasMenu(TLEPopupStyle s) { hasMenu_ = s; }
  bool Highlight() const { return highlight_; }
  void SetHighlight(bool v);
  TLEInitStyle InitializeType() const { return initType_; }
  void SetInitializeType(TLEInitStyle t);
  bool InsertMode() const { return insertMode_; }
  void SetInsertMode(bool v);
  bool MacStyleSave() const { return macStyleSave_; }
  void SetMacStyleSave(bool v) { SetOption(macStyleSave_, v, LEO_MACSTYLESAVE); }
  bool MultiLineItems() const { return multiLineItems_; }
  void SetMultiLineItems(bool v) { SetOption(multiLineItems_, v, LEO_MULTILINEITEMS); }
  bool MultiLineStrings() const { return multiLineStrings_; }
  void SetMultiLineStrings(bool v);
  bool SingleLineStrings() const { return singleLineStrings_; }
  void SetSingleLineStrings(bool v);
  bool NoPrintDialog() const { return noPrintDialog_; }
  void SetNoPrintDialog(bool v) { SetOption(noPrintDialog_, v, LEO_NOPRINTDIALOG); }
  bool NoPrintProgress() const { return noPrintProgress_; }
  void SetNoPrintProgress(bool v) { SetOption(noPrintProgress_, v, LEO_NOPRINTPROGRESS); }
  TLEPaintStyle PaintMode() const { return paintMode_; }
  void SetPaintMode(TLEPaintStyle p);
  bool ReadOnly() { return GetReadOnly(); }
  bool StartInComments() const { return startInComments_; }
  void SetStartInComments(bool v) { SetOption(startInComments_, v, LEO_STARTINCOMMENTS); }
  const AnsiString& Syntax() const { return syntax_; }
  void SetSyntax(const AnsiString& s);
  TLETabStopSize TabStopSize() const { return tabStopSize_; }
  void SetTabStopSize(int v);
  AnsiString GetText() override;
  void SetText(const AnsiString& s) override;
  int16_t UndoDepth() const { return undoDepth_; }
  void SetUndoDepth(int v);
  bool UnixStyleSave() const { return unixStyleSave_; }
  void SetUnixStyleSave(bool v) { SetOption(unixStyleSave_, v, LEO_UNIXSTYLESAVE); }
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool v) { wantReturns_ = v; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool v) { wantTabs_ = v; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool WordWrapAuto() const { return wordWrapAuto_; }
  void SetWordWrapAuto(bool v);
  uint16_t WordWrapWidth() const { return wordWrapWidth_; }
  void SetWordWrapWidth(uint16_t v);
  bool WrapKeys() const { return wrapKeys_; }
  void SetWrapKeys(bool v) { SetOption(wrapKeys_, v, LEO_WRAPKEYS); }

  // ---- virtual accessors
  virtual bool GetReadOnly() { return readOnly_; }
  virtual void SetReadOnly(bool v);
  virtual bool GetHasFile() { return hasFile_; }
  virtual void SetHasFile(bool v);

  // ---- operations
  void UpdateSelection();
  int ApplySelection();
  int GetSelLength();
  int GetTextLength();
  int GetLineCount();
  int GetLineLength(int line);
  AnsiString GetSelText();
  void SetSelText(const AnsiString& s);
  HGLOBAL GetSelTextHandle();
  HGLOBAL GetTextHandle();
  static void FreeTextHandle(HGLOBAL h);
  void SetSelTextHandle(HGLOBAL h);
  AnsiString SelTextToString();
  AnsiString GetSelTextOrLineRest();
  void SaveToStream(TStream& stream);
  virtual void ReplaceSelText(const AnsiString& text);
  // Puts the two texts around the record's selection as one undo step; false, with nothing
  // changed, when a line would grow too long or there is no window.
  virtual bool SurroundSelText(const AnsiString& before, const AnsiString& after);
  void InsertText(const AnsiString& text);
  void InsertTextAt(int line, int column, const AnsiString& text);
  // Copies the line into buffer (at most bufferSize - 1 bytes, then a terminator) and
  // returns the number of bytes copied.
  int GetLine(char* buffer, int bufferSize, int line);
  AnsiString GetLine(int line);
  // 0 on success, otherwise the window's error code (1 when nothing could be sent).
  int LoadFromFile(const AnsiString& name);
  int SaveToFile(const AnsiString& name);
  bool GetModified();
  void SetModified(bool v);
  uint8_t ModifiedMask() const { return modifiedMask_; }
  void SetModifiedMask(uint8_t m) { modifiedMask_ = m; }
  bool CanUndo();
  bool CanRedo();
  void Undo();
  void Redo();
  int GetMaxUndoDepth();
  void ClearAll();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void NewFile() { Command(LECMD_NEW); }
  void SaveFile() { Command(LECMD_SAVE); }
  void Print() { Command(LECMD_PRINT); }
  void Find() { Command(LECMD_FIND); }
  void FindNext() { Command(LECMD_FINDNEXT); }
  void Replace() { Command(LECMD_REPLACE); }
  void SetSearchText(const AnsiString& s);
  void SetBookmarkIndex(uint8_t n) { bookmarkIndex_ = n; }
  int GetBookmarkLine();
  void SetBookmarkLine(int line);
  void SetBookmark(uint8_t n);
  void GotoBookmark(uint8_t n);
  void BeginScan();
  void ExecuteFontDialog();

  // The last token received in a call-back.
  uint16_t TokenType() const { return tokenType_; }
  int32_t TokenValue() const { return tokenValue_; }
  const char* TokenText() const { return tokenText_; }

  // ---- events
  TNotifyEvent OnAskIfStoreFile, OnChange, OnChangeMode, OnClipboardError, OnFileError, OnGoingToClose, OnGotFocus,
      OnHorzScroll, OnLostFocus, OnMaxLine, OnNewFile, OnNewFont, OnSpaceError, OnTimeToLoadText, OnVertScroll;
  TCHEvent OnControlHighlight;
  TFBEvent OnFindBrace;
  TWordClickEvent OnWordClick;
  TWordWrapEvent OnWordBreak;
  TNotifyFoundEvent OnNotifyFound;
  TPaintEvent OnPaint;
  TPrintEvent OnPrintPage;

  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWindowHandle(const TCreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;

  virtual void DoAskIfStoreFile();
  virtual void DoChange();
  virtual void DoChangeMode();
  virtual void DoClipboardError();
  virtual void DoFileError();
  virtual void DoNewFile();
  virtual void DoGoingToClose();
  virtual void DoGotFocus();
  virtual void DoHorzScroll();
  virtual void DoLostFocus();
  virtual void DoMaxLine();
  virtual void DoNewFont();
  virtual void DoSpaceError();
  virtual void DoTimeToLoadText();
  virtual void DoVertScroll();

  bool Creating() const { return creating_; }
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0);

 private:
  static short ClampColumn(int v) { return static_cast<short>(v < 0 ? 0 : v > 32767 ? 32767 : v); }
  void SetOption(bool& field, bool v, unsigned bit);
  void SendSyntax();
  void SendWordWrap();
  void SetSpacingCode(int shift, TLESpaceStyle s);
  TLESpaceStyle ReadSpacingCode(int shift);
  void ApplyBorder(DWORD& style, DWORD& exStyle) const;
  void Command(WORD cmd);
  void JoinGroup();
  void TakeMenu();
  void CopyToken(const LEToken* t);
  void HandleNotification(TMessage& m);
  bool HandleCallback(TMessage& m);
  void SelColorsCallback(TMessage& m);
  void HighlightCallback(TMessage& m);
  void PaintCallback(TMessage& m);
  void FindBraceCallback(TMessage& m);
  void WordClickCallback(TMessage& m);
  void WordBreakCallback(TMessage& m);
  void PrintPageCallback(TMessage& m);
  void NotifyFoundCallback(TMessage& m);
  void HandleRightButton(TMessage& m);
  int16_t StoredLineHeight(HDC printerDC);

  LESelRecord sel_{0, 0, 1, 1};
  AnsiString textCache_, selTextCache_, fileName_, fileMask_, defaultExt_ = "TXT", syntax_;
  bool creating_ = true, createdOnce_ = false;
  LRESULT reply_ = 2;
  HMENU menu_ = nullptr, fileMenu_ = nullptr, fontMenu_ = nullptr;
  bool filePopupPresent_ = false;
  uint16_t wwFlags_ = 0;
  uint8_t syntaxFlags_ = 0, modifiedMask_ = 0, bookmarkIndex_ = 0;
  uint16_t skip_ = 0;
  int32_t tokenReserved_ = 0;
  uint16_t tokenType_ = 0;
  int32_t tokenValue_ = 0;
  char tokenText_[LE_TOKEN_TEXT] = {};

  bool autoIndent_ = false, canChangeFile_ = true, canChangeFont_ = true, currentWordAsText_ = false;
  bool defaultSelection_ = true, extraComments_ = false, hasFile_ = false, highlight_ = false;
  bool insertMode_ = true, item2AsComment_ = false, macStyleSave_ = false, multiLineItems_ = false;
  bool multiLineStrings_ = false, noPrintDialog_ = false, noPrintProgress_ = false, readOnly_ = false;
  bool singleLineStrings_ = false, startInComments_ = false, unixStyleSave_ = false, wantReturns_ = true;
  bool wantTabs_ = false, wordWrap_ = false, wordWrapAuto_ = true, wrapKeys_ = true;
  TColor backSel_ = clHighlight, foreSel_ = clHighlightText;
  TLEBookmarksMax bookmarksMax_ = 1;
  TFormBorderStyle borderStyle_ = bsSingle;
  uint16_t caretWidth_ = 0;
  TLESpaceStyle horzSpacing_ = slNone, vertSpacing_ = slNone;
  int groupNumber_ = 0;
  TLEPopupStyle hasMenu_ = psQuorvel;
  TLEInitStyle initType_ = isCustom;
  TLEPaintStyle paintMode_ = dsNone;
  TLEScrollStyle scrollBars_ = lsNone;
  TLETabStopSize tabStopSize_ = 1;
  int16_t undoDepth_ = -1;
  uint16_t wordWrapWidth_ = 0, wordWrapRMargin_ = 0;

  // What only the window held, kept across a re-creation.
  struct Kept {
    bool valid = false;
    AnsiString text, fileName;
    LESelRecord sel{0, 0, 1, 1};
    uint8_t modifiedBits = 0;
    int topLine = 1;
    uint16_t skip = 0;
  } kept_;
  AnsiString keptFileName_;

 protected:
  ~TCustomLEdit() override;
};

class TLEdit : public TCustomLEdit {
 public:
  explicit TLEdit(TComponent* owner) : TCustomLEdit(owner) {}
  const char* ClassName() const override { return "TLEdit"; }
  void ReplaceSelText(const AnsiString& text) override;
  bool SurroundSelText(const AnsiString& before, const AnsiString& after) override;

 protected:
  void KeyPress(char& key) override;

 protected:
  ~TLEdit() override = default;
};

}  // namespace vx
