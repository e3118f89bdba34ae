// The document window's editing commands: the Edit, Text and Bookmark menus, the editors'
// popup menu, and the commands that change the selected text themselves.
#include "editor/EditCmds.h"

#include <cstring>
#include <memory>

#include "editor/WizardCmds.h"
#include "editor/vx2_EdWin.h"
#include "framework/win/Dialogs.h"

namespace vx {

// ---- menus ---------------------------------------------------------------------------

#define VX_EDIT_HANDLER(method) [this](TObject* s) { method(s); }

TMenuItem* TfrmEditWin::AddCommand(TMenuItem* parent, const char* name, const char* caption, TNotifyEvent click,
                                   TShortCut sc, int tag) {
  TMenuItem* i = AddItem(parent, name, caption, sc);
  i->SetTag(tag);
  i->OnClick = std::move(click);
  return i;
}

void TfrmEditWin::CreateEditMenus() {
  // An item without an action carries no short-cut handler: De&lete's Ctrl+Del stays the editor's.
  TMenuItem* popup = EditPopUpMenu->Items();
  cmdPopUndo = AddCommand(popup, "cmdPopUndo", "Undo", VX_EDIT_HANDLER(cmdUndoClick));
  cmdPopRedo = AddCommand(popup, "cmdPopRedo", "Redo", VX_EDIT_HANDLER(cmdRedoClick));
  AddItem(popup, "", "-");
  cmdPopCut = AddCommand(popup, "cmdPopCut", "Cut", VX_EDIT_HANDLER(cmdCutClick));
  cmdPopCopy = AddCommand(popup, "cmdPopCopy", "Copy", VX_EDIT_HANDLER(cmdCopyClick));
  cmdPopPaste = AddCommand(popup, "cmdPopPaste", "Paste", VX_EDIT_HANDLER(cmdPasteClick));
  cmdPopSelectAll = AddCommand(popup, "cmdPopSelectAll", "Select All", VX_EDIT_HANDLER(cmdPopSelectAllClick));
  AddItem(popup, "", "-");
  cmdPopLowerCase = AddCommand(popup, "cmdPopLowerCase", "Lower Case", VX_EDIT_HANDLER(cmdLowercaseClick));
  cmdPopUpperCase = AddCommand(popup, "cmdPopUpperCase", "Upper Case", VX_EDIT_HANDLER(cmdUppercaseClick));
  AddItem(popup, "", "-");
  cmdPopB = AddCommand(popup, "cmdPopB", "B", VX_EDIT_HANDLER(IMGSBClick), scCtrl | 'B');
  cmdPopI = AddCommand(popup, "cmdPopI", "I", VX_EDIT_HANDLER(IMGSBClick), scCtrl | 'I');
  AddItem(popup, "", "-");
  cmdPopStripTags = AddCommand(popup, "cmdPopStripTags", "Strip HTML tags", VX_EDIT_HANDLER(cmdStripHTMLTagsClick));
  AddItem(popup, "", "-");
  cmdPopCloseWindow = AddCommand(popup, "cmdPopCloseWindow", "Close Window", VX_EDIT_HANDLER(cmdPopCloseWindowClick));
  EditPopUpMenu->OnPopup = VX_EDIT_HANDLER(EditPopUpMenuPopup);

  TMenuItem* bar = MainMenu1->Items();
  cmdEdit = AddCommand(bar, "cmdEdit", "&Edit", VX_EDIT_HANDLER(cmdEditClick));
  cmdEdit->SetGroupIndex(2);
  cmdUndo = AddCommand(cmdEdit, "cmdUndo", "Undo", VX_EDIT_HANDLER(cmdUndoClick), scCtrl | 'Z');
  cmdRedo = AddCommand(cmdEdit, "cmdRedo", "Redo", VX_EDIT_HANDLER(cmdRedoClick), scCtrl | scShift | 'Z');
  AddItem(cmdEdit, "", "-");
  cmdCut = AddCommand(cmdEdit, "cmdCut", "Cu&t", VX_EDIT_HANDLER(cmdCutClick), scCtrl | 'X');
  cmdCopy = AddCommand(cmdEdit, "cmdCopy", "&Copy", VX_EDIT_HANDLER(cmdCopyClick), scCtrl | 'C');
  cmdPaste = AddCommand(cmdEdit, "cmdPaste", "&Paste", VX_EDIT_HANDLER(cmdPasteClick), scCtrl | 'V');
  cmdDelete = AddCommand(cmdEdit, "cmdDelete", "De&lete", nullptr, scCtrl | VK_DELETE);
  AddItem(cmdEdit, "", "-");
  cmdFind = AddCommand(cmdEdit, "cmdFind", "Find", VX_EDIT_HANDLER(cmdFindClick), scCtrl | 'F');
  cmdFindNext = AddCommand(cmdEdit, "cmdFindNext", "Find Next", VX_EDIT_HANDLER(cmdFindNextClick), VK_F3);
  cmdReplace = AddCommand(cmdEdit, "cmdReplace", "Replace", VX_EDIT_HANDLER(cmdReplaceClick));
  AddItem(cmdEdit, "", "-");
  cmdSelectAll = AddCommand(cmdEdit, "cmdSelectAll", "Select &All", VX_EDIT_HANDLER(cmdSelectAllClick));
  AddItem(cmdEdit, "", "-");
  cmdViewHTMLToolbar =
      AddCommand(cmdEdit, "cmdViewHTMLToolbar", "View HTML Toolbar", VX_EDIT_HANDLER(cmdViewHTMLToolbarClick));

  Text1 = AddCommand(bar, "Text1", "&Text", VX_EDIT_HANDLER(Text1Click));
  Text1->SetGroupIndex(2);
  cmdAutoIndent = AddCommand(Text1, "cmdAutoIndent", "&Auto Indent", VX_EDIT_HANDLER(cmdAutoIndentClick));
  cmdWordWrap = AddCommand(Text1, "cmdWordWrap", "&Word Wrap", VX_EDIT_HANDLER(cmdWordWrapClick));
  cmdSyntaxHighlight =
      AddCommand(Text1, "cmdSyntaxHighlight", "Syntax &Highlight", VX_EDIT_HANDLER(cmdSyntaxHighlightClick));
  AddItem(Text1, "", "-");
  cmdStripHTMLTags = AddCommand(Text1, "cmdStripHTMLTags", "&Strip HTML Tags", VX_EDIT_HANDLER(cmdStripHTMLTagsClick));
  cmdEditImageMap = AddCommand(Text1, "cmdEditImageMap", "&Edit Image Map", VX_EDIT_HANDLER(cmdEditImageMapClick));
  AddItem(Text1, "", "-");
  cmdLowercase = AddCommand(Text1, "cmdLowercase", "&Lowercase", VX_EDIT_HANDLER(cmdLowercaseClick));
  cmdUppercase = AddCommand(Text1, "cmdUppercase", "&Uppercase", VX_EDIT_HANDLER(cmdUppercaseClick));
  AddItem(Text1, "", "-");
  cmdChangeFont = AddCommand(Text1, "cmdChangeFont", "&Change Edit Font", VX_EDIT_HANDLER(cmdChangeFontClick));
  cmdCheckSpelling = AddCommand(Text1, "cmdCheckSpelling", "Check Spelling", VX_EDIT_HANDLER(cmdCheckSpellingClick));

  Bookmark1 = AddCommand(bar, "Bookmark1", "&Bookmark", VX_EDIT_HANDLER(Bookmark1Click));
  Bookmark1->SetGroupIndex(2);
  for (int n = 1; n <= 5; ++n) {
    AnsiString name = Format("SetBookmark%d", n), caption = Format("Set Bookmark %d", n);
    SetBookmarks[n - 1] =
        AddCommand(Bookmark1, name.c_str(), caption.c_str(), VX_EDIT_HANDLER(SetBookmark1Click), 0, n);
  }
  AddItem(Bookmark1, "", "-");
  for (int n = 1; n <= 5; ++n) {
    AnsiString name = Format("GotoBookmark%d", n), caption = Format("Goto Bookmark &%d", n);
    GotoBookmarks[n - 1] =
        AddCommand(Bookmark1, name.c_str(), caption.c_str(), VX_EDIT_HANDLER(GotoBookmark6Click), 0, n);
  }
}

// ---- menus opening -------------------------------------------------------------------

bool TfrmEditWin::SelectionEmpty() {
  TxEdit* e = CurrentEditor();
  return !e || e->GetSelLength() <= 0;
}

static bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_TEXT) != 0; }

void TfrmEditWin::cmdEditClick(TObject*) {
  TxEdit* e = CurrentEditor();
  bool sel = !SelectionEmpty();
  cmdUndo->SetEnabled(e && e->CanUndo());
  cmdRedo->SetEnabled(e && e->CanRedo());
  cmdCut->SetEnabled(sel);
  cmdCopy->SetEnabled(sel);
  cmdPaste->SetEnabled(e && ClipboardHasText());
  cmdDelete->SetEnabled(e && e->GetTextLength() > 0);
  cmdViewHTMLToolbar->SetChecked(GetToolbarVisible());
}

void TfrmEditWin::Text1Click(TObject*) {
  TxEdit* e = CurrentEditor();
  cmdAutoIndent->SetChecked(e && e->AutoIndent());
  cmdWordWrap->SetChecked(e && e->WordWrap());
  cmdSyntaxHighlight->SetChecked(e && e->Highlight());
  bool sel = !SelectionEmpty();
  for (TMenuItem* i : {cmdStripHTMLTags, cmdEditImageMap, cmdLowercase, cmdUppercase}) i->SetEnabled(sel);
}

void TfrmEditWin::Bookmark1Click(TObject*) {
  TxEdit* e = CurrentEditor();
  for (int n = 1; n <= 5; ++n) {
    bool set = false;
    if (e) {
      e->SetBookmarkIndex(static_cast<uint8_t>(n));
      // An unset bookmark reports 0; line 1 is a line like any other.
      set = e->GetBookmarkLine() >= 1;
    }
    GotoBookmarks[n - 1]->SetEnabled(set);
  }
}

void TfrmEditWin::EditPopUpMenuPopup(TObject*) {
  TxEdit* e = CurrentEditor();
  bool sel = !SelectionEmpty();
  cmdPopUndo->SetEnabled(e && e->CanUndo());
  cmdPopRedo->SetEnabled(e && e->CanRedo());
  for (TMenuItem* i : {cmdPopCut, cmdPopCopy, cmdPopLowerCase, cmdPopUpperCase, cmdPopStripTags}) i->SetEnabled(sel);
  cmdPopPaste->SetEnabled(e && ClipboardHasText());
}

// ---- commands ------------------------------------------------------------------------

static int SenderTag(TObject* Sender) {
  auto* c = dynamic_cast<TComponent*>(Sender);
  return c ? c->Tag() : 0;
}

void TfrmEditWin::SetBookmark1Click(TObject* Sender) {
  int n = SenderTag(Sender);
  TxEdit* e = CurrentEditor();
  if (!e || n < 1 || n > 5) return;
  e->UpdateSelection();  // the caret's line now, not the one last read
  e->SetBookmark(static_cast<uint8_t>(n));
}

void TfrmEditWin::GotoBookmark6Click(TObject* Sender) {
  int n = SenderTag(Sender);
  TxEdit* e = CurrentEditor();
  if (!e || n < 1 || n > 5) return;
  e->GotoBookmark(static_cast<uint8_t>(n));
}

void TfrmEditWin::cmdUndoClick(TObject*) {
  if (TxEdit* e = CurrentEditor()) e->Undo();
}
void TfrmEditWin::cmdRedoClick(TObject*) {
  if (TxEdit* e = CurrentEditor()) e->Redo();
}
void TfrmEditWin::cmdCutClick(TObject*) {
  if (TxEdit* e = CurrentEditor()) e->CutToClipboard();
}
void TfrmEditWin::cmdCopyClick(TObject*) {
  if (TxEdit* e = CurrentEditor()) e->CopyToClipboard();
}
void TfrmEditWin::cmdPasteClick(TObject*) {
  if (TxEdit* e = CurrentEditor()) e->PasteFromClipboard();
}
void TfrmEditWin::cmdFindNextClick(TObject*) {
  if (TxEdit* e = CurrentEditor()) e->FindNext();
}
void TfrmEditWin::cmdReplaceClick(TObject*) {
  if (TxEdit* e = CurrentEditor()) e->Replace();
}

void TfrmEditWin::cmdFindClick(TObject*) {
  TxEdit* e = CurrentEditor();
  if (!e) return;
  if (e->GetSelLength() > 0) e->SetSearchText(e->SelTextToString());
  e->Find();
}

void TfrmEditWin::cmdSelectAllClick(TObject*) {
  TxEdit* e = CurrentEditor();
  if (!e) return;
  int last = e->GetLineCount();
  if (last < 1) last = 1;
  e->SetStartLine(1);
  e->SetStartPos(0);
  e->SetEndLine(last);
  e->SetEndPos(e->GetLineLength(last));
  e->ApplySelection();
}

void TfrmEditWin::cmdPopSelectAllClick(TObject* Sender) {
  cmdSelectAllClick(Sender);
  EditPopUpMenuPopup(Sender);
}

void TfrmEditWin::cmdAutoIndentClick(TObject*) {
  if (TxEdit* e = CurrentEditor()) e->SetAutoIndent(!e->AutoIndent());
}
void TfrmEditWin::cmdWordWrapClick(TObject*) {
  if (TxEdit* e = CurrentEditor()) e->SetWordWrap(!e->WordWrap());
}
void TfrmEditWin::cmdSyntaxHighlightClick(TObject*) {
  if (TxEdit* e = CurrentEditor()) e->SetHighlight(!e->Highlight());
}
void TfrmEditWin::cmdChangeFontClick(TObject*) {
  if (TxEdit* e = CurrentEditor()) e->ExecuteFontDialog();
}
void TfrmEditWin::cmdCheckSpellingClick(TObject*) { SpellCheck(); }

bool TfrmEditWin::GetToolbarVisible() { return HTMLToolBarPanel->Visible(); }
void TfrmEditWin::SetToolbarVisible(bool v) { HTMLToolBarPanel->SetVisible(v); }
void TfrmEditWin::cmdViewHTMLToolbarClick(TObject*) { SetToolbarVisible(!GetToolbarVisible()); }

// ---- commands on the selected text -----------------------------------------------------

namespace {
// A text block of the editor, freed however the command ends.
struct TextBlock {
  HGLOBAL h;
  ~TextBlock() { TCustomLEdit::FreeTextHandle(h); }
};
}  // namespace

void TfrmEditWin::ChangeSelectedText(const std::function<bool(AnsiString& text)>& f) {
  TxEdit* e = CurrentEditor();
  if (!e) return;
  TextBlock block{e->GetSelTextHandle()};
  if (!block.h) return;
  AnsiString text;
  if (const char* p = static_cast<const char*>(GlobalLock(block.h))) {
    text.assign(p, strnlen(p, GlobalSize(block.h)));
    GlobalUnlock(block.h);
  }
  // A selection holding a zero byte cannot go back whole as a terminated text: leave it.
  if (static_cast<int>(text.size()) != e->GetSelLength()) return;
  size_t before = text.size();
  if (!f(text)) return;
  // The result is never longer than the selection, so it fits the block.
  if (text.size() > before) return;
  char* p = static_cast<char*>(GlobalLock(block.h));
  if (!p) return;
  memcpy(p, text.c_str(), text.size() + 1);
  GlobalUnlock(block.h);
  e->SetSelTextHandle(block.h);
}

void TfrmEditWin::cmdLowercaseClick(TObject*) {
  ChangeSelectedText([](AnsiString& t) {
    t = AsciiLowerCase(t);
    return true;
  });
}

void TfrmEditWin::cmdUppercaseClick(TObject*) {
  ChangeSelectedText([](AnsiString& t) {
    t = AsciiUpperCase(t);
    return true;
  });
}

void TfrmEditWin::cmdStripHTMLTagsClick(TObject*) {
  ChangeSelectedText([](AnsiString& t) { return StripHTMLTags(t); });
}

void TfrmEditWin::cmdEditImageMapClick(TObject*) {
  TxEdit* e = CurrentEditor();
  if (!e || e->GetSelLength() <= 0) return;
  AnsiString text = e->SelTextToString();
  if (text.empty()) return;
  AnsiString error = ImageMapSelectionError(text);
  if (!error.empty()) {
    MessageDlg(error, mtError, {mbOK}, 0);
    return;
  }
  EditImageMap(this, e, text);
}

}  // namespace vx
