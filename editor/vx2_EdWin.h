// The document window: every open document is a tab holding its own editor control.
#pragma once

#include <functional>
#include <memory>

#include "editctl/LEDlp32.h"
#include "framework/win/ComCtrls.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/Menus.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class THTMLGroup;
class THTMLTagDef;
class THTMLBox;
class TfrmParEd;
class TFormStorage;
class TStatusBar;
class TForm_Charp;
class TLEditSpellDlg;
class TCusTagItem;

// The editor of one document.
class TxEdit : public TLEdit {
 public:
  explicit TxEdit(TComponent* owner);
  const char* ClassName() const override { return "TxEdit"; }

  bool Untitled() const { return untitled_; }
  void SetUntitled(bool u) { untitled_ = u; }
  // The window whose caption names the document.
  TForm* OwnerWindow() const { return ownerWindow_; }
  void SetOwnerWindow(TForm* f) { ownerWindow_ = f; }
  // The status bar whose panels 0, 1 and 2 show caret, mode and read-only state.
  void SetStatusPanels(TStatusBar* bar) { statusBar_ = bar; }

  void ActivateEditor();
  // Whether the user's document differs from its file. A spell check keeps a modified bit
  // of its own (see BeginCheck), so this stays true while a check runs.
  bool DocumentModified();
  // The document now matches its file (just loaded or saved).
  void MarkSaved();
  // The document as it stands counts as unchanged (a new document's first text).
  void MarkUnchanged();
  // While a spell check runs, the control's modified flag is a bit of the check's own:
  // the check may clear and set it without the document forgetting its changes.
  void BeginCheck();
  void EndCheck();
  // Frees the editor once the message being handled has returned: a command run from
  // the editor's own popup or keys may close its document.
  void Release();
  void UpdateCaretPanel(TObject* Sender);
  void UpdateModePanel(TObject* Sender);
  void LoadNewDocumentText();

 protected:
  void BeforeDestruction() override;
  void WndProc(TMessage& m) override;

 private:
  void SetPanel(int index, const AnsiString& text);
  // Clears what the window and the status bar show of this editor and forgets them.
  void LeaveWindow();
  // Reads or writes the modified flag through the given bits.
  bool ModifiedIn(uint8_t mask);
  void SetModifiedIn(bool on, uint8_t mask);
  // The bits that tell the document's own state: all of them until the first save.
  uint8_t docMask_ = 0;
  bool checking_ = false;
  bool untitled_ = false;
  TForm* ownerWindow_ = nullptr;
  TStatusBar* statusBar_ = nullptr;

 protected:
  ~TxEdit() override;
};

// The skeleton of a new document when the program folder has no "template.htm".
extern const char* const NewDocumentSkeleton[9];

class TfrmEditWin : public TForm {
 public:
  explicit TfrmEditWin(TComponent* owner);
  const char* ClassName() const override { return "TfrmEditWin"; }

  TTabControl* TabControl;
  TPanel* HTMLToolBarPanel;
  TPanel* Panel2;
  TComboBox* ComboBox1;
  TScrollBox* ScrollBox1;
  THTMLBox* HTMLBox1;
  TFormStorage* FormStorage1;
  TPopupMenu* EditPopUpMenu;
  TMainMenu* MainMenu1;
  TLEditSpellDlg* LEditSpellDlg1 = nullptr;
  TMenuItem *cmdEdit, *cmdUndo, *cmdCut, *cmdCopy, *cmdPaste, *cmdPopCloseWindow;
  // The editing commands' menus and popup items (EditCmds.cpp).
  TMenuItem *cmdRedo, *cmdDelete, *cmdFind, *cmdFindNext, *cmdReplace, *cmdSelectAll, *cmdViewHTMLToolbar;
  TMenuItem *Text1, *cmdAutoIndent, *cmdWordWrap, *cmdSyntaxHighlight, *cmdStripHTMLTags, *cmdEditImageMap,
      *cmdLowercase, *cmdUppercase, *cmdChangeFont, *cmdCheckSpelling;
  TMenuItem* Bookmark1;
  TMenuItem* SetBookmarks[5];   // SetBookmark1..SetBookmark5, Tag 1..5
  TMenuItem* GotoBookmarks[5];  // GotoBookmark1..GotoBookmark5, Tag 1..5
  TMenuItem *cmdPopUndo, *cmdPopRedo, *cmdPopCut, *cmdPopCopy, *cmdPopPaste, *cmdPopSelectAll, *cmdPopLowerCase,
      *cmdPopUpperCase, *cmdPopB, *cmdPopI, *cmdPopStripTags;

  // The editing commands on the current editor (EditCmds.cpp).
  void cmdEditClick(TObject* Sender);
  void Text1Click(TObject* Sender);
  void Bookmark1Click(TObject* Sender);
  void EditPopUpMenuPopup(TObject* Sender);
  void SetBookmark1Click(TObject* Sender);
  void GotoBookmark6Click(TObject* Sender);
  void cmdUndoClick(TObject* Sender);
  void cmdRedoClick(TObject* Sender);
  void cmdCutClick(TObject* Sender);
  void cmdCopyClick(TObject* Sender);
  void cmdPasteClick(TObject* Sender);
  void cmdFindClick(TObject* Sender);
  void cmdFindNextClick(TObject* Sender);
  void cmdReplaceClick(TObject* Sender);
  void cmdSelectAllClick(TObject* Sender);
  void cmdPopSelectAllClick(TObject* Sender);
  void cmdAutoIndentClick(TObject* Sender);
  void cmdWordWrapClick(TObject* Sender);
  void cmdSyntaxHighlightClick(TObject* Sender);
  void cmdChangeFontClick(TObject* Sender);
  void cmdViewHTMLToolbarClick(TObject* Sender);
  void cmdCheckSpellingClick(TObject* Sender);
  void cmdLowercaseClick(TObject* Sender);
  void cmdUppercaseClick(TObject* Sender);
  void cmdStripHTMLTagsClick(TObject* Sender);
  void cmdEditImageMapClick(TObject* Sender);
  bool GetToolbarVisible();
  void SetToolbarVisible(bool v);

  // The editor of the selected tab, nullptr without tabs.
  TxEdit* CurrentEditor();
  TxEdit* EditorOfTab(int i);
  THTMLGroup* TagGroup() const { return tagGroup_.get(); }
  const AnsiString& TagLookup() const { return tagLookup_; }
  const AnsiString& AttrTagLookup() const { return attrTagLookup_; }
  int UntitledCount() const { return untitledCount_; }

  void OpenDocument(const AnsiString& FileName);
  void NewDocument() { OpenDocument(""); }
  // The tab whose document is this file (full paths, case ignored), -1 when none.
  int FindDocumentTab(const AnsiString& FileName);
  // Each returns true when the document ended saved.
  bool SaveDocument(int tab);
  bool SaveDocumentAs(int tab);
  bool SaveDocument() { return SaveDocument(TabControl->TabIndex()); }
  bool SaveDocumentAs() { return SaveDocumentAs(TabControl->TabIndex()); }
  void SaveAllDocuments();
  void CloseDocument();
  bool CloseAllDocuments();

  // Calls into the tag palette, tag insertion and the editing commands.
  void TagButtonMouseUp(TObject* Sender, TMouseButton Button);
  void IMGSBClick(TObject* Sender);
  // The tag around the current editor's selection, with the attribute editor first when
  // WithParams and the tag has attributes.
  void InsertTag(THTMLTagDef* Def, bool WithParams);
  void HTMLBox1MouseUp(TObject* Sender, TMouseButton Button);
  void ScrollBox1Resize(TObject* Sender);
  void InsertList();
  void InsertTable();
  void NewImageMap();
  void ShowCharPicker();
  void SpellCheck();
  // Brings the tab of this editor forward, and the window over the frame's other children.
  void ShowDocument(TxEdit* ed);
  // The custom tag's texts around the current editor's selection.
  void InsertCustomTag(TCusTagItem* item);

 protected:
  void Notification(TComponent* c, TOperation op) override;
  void WndProc(TMessage& m) override;

 private:
  void FormCreate(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormDeactivate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void TabControlChange(TObject* Sender);
  void ComboBox1Change(TObject* Sender);
  void cmdPopCloseWindowClick(TObject* Sender);
  void LoadEditorSettings();
  void SelectTab(int i);
  // Asks about a modified document: mrYes (and saved), mrNo, or mrCancel (nothing done).
  int AskToSave(int tab);
  void EditorControlHighlight(TObject* Sender, uint16_t WordType, int32_t WordValue, const AnsiString& WordStr,
                              TColor& ForeClr, TColor& BackClr);
  void EditorWordClick(TObject* Sender, uint16_t WordType, int32_t WordValue, const AnsiString& WordStr,
                       bool& WordHandled);
  void EditorDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
  void EditorDragDrop(TObject* Sender, TObject* Source, int X, int Y);
  TMenuItem* AddItem(TMenuItem* parent, const char* name, const char* caption, TShortCut sc = 0);
  // EditSpell.cpp: the spell-check component with the document window's settings.
  void CreateSpellChecker();
  // EditCmds.cpp: builds the Edit, Text and Bookmark menus and the editors' popup.
  void CreateEditMenus();
  TMenuItem* AddCommand(TMenuItem* parent, const char* name, const char* caption, TNotifyEvent click, TShortCut sc = 0,
                        int tag = 0);
  // Runs f on the selected text of the current editor as a memory block and puts the
  // result back in place of the selection when f returns true.
  void ChangeSelectedText(const std::function<bool(AnsiString& text)>& f);
  bool SelectionEmpty();
  TfrmParEd* NewAttributeEditor(THTMLTagDef* Def);
  void WrapSelection(THTMLTagDef* Def, const AnsiString& Attrs, bool HasSel, int StartLine, int StartPos, int EndLine,
                     int EndPos);
  void EditTagAttributes(TxEdit* ed, THTMLTagDef* Def, int NamePos);

  std::unique_ptr<THTMLGroup> tagGroup_;
  AnsiString tagLookup_, attrTagLookup_;
  int untitledCount_ = 0;
  // The editor a spell check runs over (nullptr when none, or when it was freed).
  TxEdit* checkedEditor_ = nullptr;
  bool releaseAfterCheck_ = false;
  // The options as they were when the window was made.
  struct {
    bool syntaxC = true, wordWrap = true, autoIndent = true, mac = false, unixEol = false, lowerCase = true;
    TColor syntax = 0x8000, comment = 128, quoted = 0xFF0000, fontColor = 0, bg = 0xFFFFFF;
    AnsiString fontName = "Courier New";
    int fontSize = 10;
    uint8_t hTab = 3;
  } opt_;

 protected:
  ~TfrmEditWin() override;
};

extern TfrmEditWin* frmEditWin;

// Makes the editor's document folder the current folder (the program's folder for a
// document never saved), so that relative names resolve against the document.
void EnterDocumentFolder(TxEdit* editor);
// The editor's selection in text order (line first, then position); true when it is not empty.
bool OrderedSelection(TxEdit* ed, int& StartLine, int& StartPos, int& EndLine, int& EndPos);

}  // namespace vx
