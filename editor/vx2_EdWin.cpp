#include "editor/vx2_EdWin.h"

#include "editor/wizards/H_charp.h"
#include "editor/DocFiles.h"
#include "editor/HTMLBox.h"
#include "editor/Settings.h"
#include "editor/Vx2_main.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "tagdefs/teTagType.h"
#include "toolkit/Placemnt.h"

namespace vx {

TfrmEditWin* frmEditWin = nullptr;

const char* const NewDocumentSkeleton[9] = {
    "<HTML>",
    "<HEAD><TITLE> Put_Your_Title_Here </TITLE></HEAD>",
    "<BODY>",
    "",
    "",
    "<HR>",
    "<H6><CENTER> This document was created using <A HREF=\"http://www.marrowby.com/vornix/\">Vornix </A> "
    "</H6><CENTER>",
    "</BODY>",
    "</HTML>",
};

// ---- TxEdit ----------------------------------------------------------------------------

TxEdit::TxEdit(TComponent* owner) : TLEdit(owner) {
  SetAlign(alClient);
  SetScrollBars(lsVertical);
  SetBookmarksMax(6);
  SetSyntax("2\"\"002!-2->1>2</1=1;1&");
  SetMultiLineItems(true);
  SetMultiLineStrings(true);
  Font()->SetColor(255);
  Font()->SetSize(10);
  Font()->SetName("Courier New");
  SetHighlight(true);
  SetWantTabs(true);
  OnChange = [this](TObject* s) { UpdateCaretPanel(s); };
  OnChangeMode = [this](TObject* s) { UpdateModePanel(s); };
}

TxEdit::~TxEdit() = default;

void TxEdit::LeaveWindow() {
  if (ownerWindow_ && !ownerWindow_->Destroying()) ownerWindow_->SetCaption("Editing None");
  SetPanel(0, "");
  SetPanel(1, "");  // no "Insert" left standing once the last document is gone
  ownerWindow_ = nullptr;
  statusBar_ = nullptr;
}

void TxEdit::BeforeDestruction() {
  LeaveWindow();
  TLEdit::BeforeDestruction();
}

void TxEdit::WndProc(TMessage& m) {
  if (m.Msg == CM_RELEASE) {
    Free();
    return;
  }
  TLEdit::WndProc(m);
}

void TxEdit::Release() {
  // What the window shows of this editor goes now; the next editor shows itself after.
  LeaveWindow();
  Hide();
  // A window destroyed before then takes the message with it.
  if (HandleAllocated())
    PostMessageA(Handle(), CM_RELEASE, 0, 0);
  else
    Free();
}

namespace {
// The spell check's own modified bit; the document's are the others.
constexpr uint8_t kCheckBit = 0x80;
}  // namespace

bool TxEdit::ModifiedIn(uint8_t mask) {
  uint8_t kept = ModifiedMask();
  SetModifiedMask(mask);
  bool on = GetModified();
  SetModifiedMask(kept);
  return on;
}

void TxEdit::SetModifiedIn(bool on, uint8_t mask) {
  uint8_t kept = ModifiedMask();
  SetModifiedMask(mask);
  SetModified(on);
  SetModifiedMask(kept);
}

bool TxEdit::DocumentModified() { return ModifiedIn(docMask_); }

void TxEdit::MarkSaved() {
  docMask_ = 3;
  SetModifiedIn(false, docMask_);
  if (!checking_) SetModifiedMask(docMask_);
}

void TxEdit::MarkUnchanged() { SetModifiedIn(false, docMask_); }

void TxEdit::BeginCheck() {
  // The check starts from the document's state, as if it read the document's flag.
  SetModifiedIn(DocumentModified(), kCheckBit);
  checking_ = true;
  SetModifiedMask(kCheckBit);
}

void TxEdit::EndCheck() {
  // Every change made meanwhile, by the user or by a replacement, set the document's
  // bits too; the check's own bit has told the check all it needed.
  checking_ = false;
  SetModifiedMask(docMask_);
  SetModifiedIn(false, kCheckBit);
}

void TxEdit::SetPanel(int index, const AnsiString& text) {
  // The frame may be going away first at the end of the program.
  if (!statusBar_ || statusBar_->Destroying() || !FrameForm || FrameForm->Destroying()) return;
  if (index < statusBar_->Panels()->Count()) statusBar_->Panels()->Items(index)->SetText(text);
}

void TxEdit::ActivateEditor() {
  BringToFront();
  if (CanFocus()) SetFocus();
  if (ownerWindow_) ownerWindow_->SetCaption(Format("Editing %s", FileName().c_str()));
  UpdateModePanel(this);
  UpdateCaretPanel(this);
  SetPanel(2, ReadOnly() ? "ReadOnly" : "");
}

void TxEdit::UpdateCaretPanel(TObject*) {
  if (!statusBar_ || !HandleAllocated()) return;
  UpdateSelection();
  SetPanel(0, Format("%d:%d", EndLine(), EndPos()));
}

void TxEdit::UpdateModePanel(TObject*) { SetPanel(1, InsertMode() ? "Insert" : "Overwrite"); }

void TxEdit::LoadNewDocumentText() {
  AnsiString tmpl = ProgramFolder() + "template.htm";
  if (FileExists(tmpl) && LoadFromFile(tmpl) == 0) return;
  AnsiString text;
  for (const char* line : NewDocumentSkeleton) text += AnsiString(line) + "\r\n";
  InsertText(text);
  // The text a new document starts with is its first state, not an edit to undo.
  int16_t depth = UndoDepth();
  SetUndoDepth(0);
  SetUndoDepth(depth);
  SetStartLine(5);
  SetStartPos(0);
  SetEndLine(5);
  SetEndPos(0);
  ApplySelection();
}

void EnterDocumentFolder(TxEdit* editor) {
  if (!editor) return;
  AnsiString name = editor->FileName();
  if (!editor->Untitled() && FileExists(name))
    SetCurrentDir(ExtractFileDir(ExpandFileName(name)));
  else
    SetCurrentDir(ExcludeTrailingBackslash(ProgramFolder()));
}

// ---- TfrmEditWin -----------------------------------------------------------------------

TfrmEditWin::TfrmEditWin(TComponent* owner) : TForm(owner) {
  SetName("frmEditWin");
  SetFormStyle(fsMDIChild);
  SetCaption("frmEditWin");
  SetBounds(0, 0, 560, 380);

  HTMLToolBarPanel = new TPanel(this);
  HTMLToolBarPanel->SetName("HTMLToolBarPanel");
  HTMLToolBarPanel->SetCaption("");
  HTMLToolBarPanel->SetParent(this);
  HTMLToolBarPanel->SetAlign(alRight);
  HTMLToolBarPanel->SetWidth(92);
  Panel2 = new TPanel(this);
  Panel2->SetName("Panel2");
  Panel2->SetCaption("");
  Panel2->SetParent(HTMLToolBarPanel);
  Panel2->SetAlign(alTop);
  Panel2->SetHeight(26);
  ComboBox1 = new TComboBox(this);
  ComboBox1->SetName("ComboBox1");
  ComboBox1->SetParent(Panel2);
  ComboBox1->SetStyle(csDropDownList);
  ComboBox1->SetBounds(2, 2, 86, 22);
  ComboBox1->OnChange = [this](TObject* s) { ComboBox1Change(s); };
  // The list is placed by the system after this notice: it is moved once it shows.
  ComboBox1->OnDropDown = [this](TObject*) {
    HWND combo = ComboBox1->Handle();
    Application->Post([combo] { KeepDroppedListOnScreen(combo); });
  };
  ScrollBox1 = new TScrollBox(this);
  ScrollBox1->SetName("ScrollBox1");
  ScrollBox1->SetParent(HTMLToolBarPanel);
  ScrollBox1->SetAlign(alClient);
  HTMLBox1 = new THTMLBox(this);
  HTMLBox1->SetName("HTMLBox1");
  HTMLBox1->SetParent(ScrollBox1);
  HTMLBox1->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState, int, int) { HTMLBox1MouseUp(s, b); };
  ScrollBox1->OnResize = [this](TObject* s) { ScrollBox1Resize(s); };
  // The scroll box's border is known only once its window exists.
  OnShow = [this](TObject* s) { ScrollBox1Resize(s); };

  TabControl = new TTabControl(this);
  TabControl->SetName("TabControl");
  TabControl->SetParent(this);
  TabControl->SetAlign(alClient);
  TabControl->OnChange = [this](TObject* s) { TabControlChange(s); };

  FormStorage1 = new TFormStorage(this);
  FormStorage1->SetName("FormStorage1");
  FormStorage1->SetUseRegistry(true);
  FormStorage1->SetIniSection("Editor");
  FormStorage1->StoredProps()->Add("HTMLToolBarPanel.Visible");

  EditPopUpMenu = new TPopupMenu(this);
  EditPopUpMenu->SetName("EditPopUpMenu");
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  CreateEditMenus();
  SetMenu(MainMenu1);
  CreateSpellChecker();

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnDeactivate = [this](TObject* s) { FormDeactivate(s); };
  OnCloseQuery = [this](TObject* s, bool& c) { FormCloseQuery(s, c); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnDestroy = [this](TObject* s) { FormDestroy(s); };
}

TfrmEditWin::~TfrmEditWin() {
  if (frmEditWin == this) frmEditWin = nullptr;
}

TMenuItem* TfrmEditWin::AddItem(TMenuItem* parent, const char* name, const char* caption, TShortCut sc) {
  auto* i = new TMenuItem(this);
  if (*name) i->SetName(name);
  i->SetCaption(caption);
  i->SetShortCut(sc);
  parent->Add(i);
  return i;
}

void TfrmEditWin::FormCreate(TObject*) {
  try {
    FormStorage1->SetIniFileName(VornixRegKey);
    tagGroup_ = std::make_unique<THTMLGroup>();
    AnsiString vxt = ProgramFolder() + "standard.vxt";
    if (FileExists(vxt)) {
      tagGroup_->LoadFromFile(vxt);
    } else {
      MessageDlg("standard.vxt not found - Please reinstall Vornix or contact vendor", mtError, {mbOK}, 0);
      Application->Terminate();
    }
    HTMLBox1->SetTagGroup(tagGroup_.get());
    tagLookup_ = tagGroup_->GetTagLookup();
    attrTagLookup_ = tagGroup_->GetAttrTagLookup();
    TStringList groups;
    groups.SetText(tagGroup_->GroupNames());
    ComboBox1->Items()->Assign(groups);
    ComboBox1->SetItemIndex(0);
    FitGroupList(ComboBox1);
    CreateForm<TForm_Charp>(this);
    Form_Charp->CurrentEditor = [this]() -> TCustomLEdit* { return CurrentEditor(); };
    LoadEditorSettings();
  } catch (...) {
    Application->HandleException(this);
  }
}

void TfrmEditWin::LoadEditorSettings() {
  TSettings* s = FrameForm ? FrameForm->Settings() : nullptr;
  if (!s) return;
  opt_.syntaxC = s->SyntaxC();
  opt_.syntax = s->Syntax();
  opt_.comment = s->Comment();
  opt_.quoted = s->Quoted();
  opt_.fontColor = s->FontColor();
  opt_.bg = s->BG();
  opt_.fontName = s->Font();
  opt_.fontSize = s->FontSize();
  opt_.wordWrap = s->WordWrap();
  opt_.autoIndent = s->AutoIndent();
  opt_.mac = s->Mac();
  opt_.unixEol = s->Unix();
  opt_.hTab = static_cast<uint8_t>(s->HTab());
  opt_.lowerCase = s->LowerCase();
}

TxEdit* TfrmEditWin::EditorOfTab(int i) {
  if (i < 0 || i >= TabControl->Tabs()->Count()) return nullptr;
  return static_cast<TxEdit*>(TabControl->Tabs()->Objects(i));
}

TxEdit* TfrmEditWin::CurrentEditor() { return EditorOfTab(TabControl->TabIndex()); }

int TfrmEditWin::FindDocumentTab(const AnsiString& FileName) {
  if (FileName.empty()) return -1;
  for (int i = 0; i < TabControl->Tabs()->Count(); ++i)
    if (SameFileName(EditorOfTab(i)->FileName(), FileName)) return i;
  return -1;
}

void TfrmEditWin::SelectTab(int i) {
  TabControl->SetTabIndex(i);
  if (TxEdit* e = EditorOfTab(i)) e->ActivateEditor();
}

void TfrmEditWin::OpenDocument(const AnsiString& FileName) {
  int i = FindDocumentTab(FileName);
  if (i >= 0) {
    SelectTab(i);
    return;
  }
  auto* ed = new TxEdit(TabControl);
  ed->SetParent(TabControl);
  if (FrameForm) ed->SetStatusPanels(FrameForm->StatusBar);
  ed->OnControlHighlight = [this](TObject* s, uint16_t t, int32_t v, const AnsiString& w, TColor& f, TColor& b) {
    EditorControlHighlight(s, t, v, w, f, b);
  };
  ed->OnWordClick = [this](TObject* s, uint16_t t, int32_t v, const AnsiString& w, bool& h) {
    EditorWordClick(s, t, v, w, h);
  };
  ed->OnGotFocus = [](TObject*) {};
  ed->OnDragOver = [this](TObject* s, TObject* src, int x, int y, TDragState st, bool& a) {
    EditorDragOver(s, src, x, y, st, a);
  };
  ed->OnDragDrop = [this](TObject* s, TObject* src, int x, int y) { EditorDragDrop(s, src, x, y); };
  ed->SetWordWrap(opt_.wordWrap);
  ed->Font()->SetName(opt_.fontName);
  ed->Font()->SetSize(opt_.fontSize);
  ed->Font()->SetColor(opt_.comment);
  ed->SetColor(opt_.bg);
  ed->SetHighlight(opt_.syntaxC);
  ed->SetAutoIndent(opt_.autoIndent);
  ed->SetMacStyleSave(opt_.mac);
  ed->SetUnixStyleSave(opt_.unixEol);
  ed->SetTabStopSize(opt_.hTab);
  ed->SetOwnerWindow(this);
  ed->HandleNeeded();
  if (!FileName.empty() && FileExists(FileName)) {
    AnsiString full = ExpandFileName(FileName);
    ed->SetUntitled(false);
    // A line too long to edit is refused by the editor with its own message.
    bool lineTooLong = false;
    ed->OnMaxLine = [&lineTooLong](TObject*) { lineTooLong = true; };
    int failed = ed->LoadFromFile(full);
    ed->OnMaxLine = nullptr;
    if (failed != 0) {
      // No tab for a file that could not be read: saving it would overwrite the file.
      ed->Free();
      if (!lineTooLong) MessageDlg(Format("Cannot open file %s", full.c_str()), mtError, {mbOK}, 0);
      return;
    }
    ed->SetFileName(full);
    ed->MarkSaved();
  } else {
    ed->SetUntitled(true);
    ed->SetFileName(Format("Untitled-%d.htm", untitledCount_));
    ++untitledCount_;
    ed->LoadNewDocumentText();
    // Nobody has changed the new document yet: closing it untouched asks nothing.
    ed->MarkUnchanged();
  }
  ed->SetPopupMenu(EditPopUpMenu);
  int tab = TabControl->Tabs()->AddObject(ExtractFileName(ed->FileName()), ed);
  TabControl->SetTabIndex(tab);
  if (!Visible()) Show();
  ed->ActivateEditor();
}

bool TfrmEditWin::SaveDocumentAs(int tab) {
  TxEdit* ed = EditorOfTab(tab);
  if (!ed || !FrameForm) return false;
  TSaveDialog* dlg = FrameForm->SaveFileDialog;
  dlg->SetFileName(ed->FileName());
  if (!dlg->Execute()) return false;
  AnsiString chosen = ExpandFileName(dlg->FileName());
  int other = FindDocumentTab(chosen);
  if (other >= 0 && other != tab) {
    MessageDlg(Format("%s is open in another tab", chosen.c_str()), mtError, {mbOK}, 0);
    return false;
  }
  AnsiString oldName = ed->FileName();
  bool oldUntitled = ed->Untitled();
  ed->SetFileName(chosen);
  ed->SetUntitled(false);
  if (SaveDocument(tab)) return true;
  ed->SetFileName(oldName);
  ed->SetUntitled(oldUntitled);
  return false;
}

bool TfrmEditWin::SaveDocument(int tab) {
  TxEdit* ed = EditorOfTab(tab);
  if (!ed) return false;
  if (ed->Untitled()) return SaveDocumentAs(tab);
  AnsiString name = ed->FileName();
  if (FrameForm && FrameForm->Settings() && FrameForm->Settings()->CreateBAK()) MakeBackupFile(name);
  if (int error = ed->SaveToFile(name)) {
    // The previous file is still in place: the editor writes beside it and then replaces it.
    bool full = error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
    MessageDlg(Format("Cannot save file %s%s", name.c_str(), full ? ": the disk is full" : ""), mtError, {mbOK}, 0);
    return false;
  }
  ed->MarkSaved();
  TabControl->Tabs()->SetStrings(tab, ExtractFileName(name));
  TabControl->Tabs()->SetObjects(tab, ed);
  ed->ActivateEditor();
  return true;
}

int TfrmEditWin::AskToSave(int tab) {
  TxEdit* ed = EditorOfTab(tab);
  if (!ed || !ed->DocumentModified()) return mrNo;
  int answer = MessageDlg(Format("Save Changes to '%s'?", ed->FileName().c_str()), mtConfirmation, mbYesNoCancel, 0);
  if (answer == mrCancel) return mrCancel;
  if (answer != mrYes) return mrNo;
  SelectTab(tab);
  bool saved = ed->Untitled() ? SaveDocumentAs(tab) : SaveDocument(tab);
  return saved ? mrYes : mrCancel;
}

void TfrmEditWin::CloseDocument() {
  int n = TabControl->Tabs()->Count();
  if (n <= 1) {
    Close();
    return;
  }
  int tab = TabControl->TabIndex();
  TxEdit* ed = EditorOfTab(tab);
  if (!ed) return;
  if (AskToSave(tab) == mrCancel) return;
  if (!ed->Untitled() && FrameForm) FrameForm->AddRecentFile(ed->FileName());
  TabControl->Tabs()->Delete(tab);
  // The command may come from this editor's own popup, still running under it.
  ed->Release();
  SelectTab(0);
}

bool TfrmEditWin::CloseAllDocuments() {
  for (int tab = TabControl->Tabs()->Count() - 1; tab >= 0; --tab) {
    if (AskToSave(tab) == mrCancel) return false;
    TxEdit* ed = EditorOfTab(tab);
    if (ed && !ed->Untitled() && FrameForm) FrameForm->AddRecentFile(ed->FileName());
  }
  return true;
}

void TfrmEditWin::SaveAllDocuments() {
  for (int tab = TabControl->Tabs()->Count() - 1; tab >= 0; --tab) {
    TxEdit* ed = EditorOfTab(tab);
    if (!ed || !ed->DocumentModified()) continue;
    SelectTab(tab);
    SaveDocument(tab);
  }
}

void TfrmEditWin::TabControlChange(TObject*) {
  if (TxEdit* e = CurrentEditor()) e->ActivateEditor();
}

void TfrmEditWin::ComboBox1Change(TObject*) {
  HTMLBox1->SetGroup(ComboBox1->ItemIndex());
  // A group taller than the box brings a scroll bar, which narrows the box's room.
  ScrollBox1Resize(ScrollBox1);
}

void TfrmEditWin::FormActivate(TObject*) {
  if (FrameForm) FrameForm->EnableEditTools(true);
}

void TfrmEditWin::FormDeactivate(TObject*) {
  if (FrameForm) FrameForm->EnableEditTools(false);
}

void TfrmEditWin::FormCloseQuery(TObject*, bool& CanClose) { CanClose = CloseAllDocuments(); }

void TfrmEditWin::FormClose(TObject*, TCloseAction& Action) {
  Action = caFree;
  if (FrameForm) FrameForm->EnableEditTools(false);
  frmEditWin = nullptr;
}

void TfrmEditWin::FormDestroy(TObject*) {
  if (Form_Charp && Form_Charp->Owner() == this) Form_Charp->Free();
}

void TfrmEditWin::cmdPopCloseWindowClick(TObject*) { CloseDocument(); }

// ---- calls into tag insertion, the palette and the editing commands ----------------------

void TfrmEditWin::EditorControlHighlight(TObject*, uint16_t WordType, int32_t, const AnsiString& WordStr,
                                         TColor& ForeClr, TColor& BackClr) {
  switch (WordType) {
    case 1: {
      // "<IMG" and "</B" are tag names when the set knows the tag.
      AnsiString name = AnsiUpperCase(WordStr);
      bool tag = name.size() > 1 && name[0] == '<' &&
                 tagLookup_.find("|<" + name.substr(name[1] == '/' ? 2 : 1) + "|") != AnsiString::npos;
      ForeClr = tag ? opt_.syntax : opt_.fontColor;
      BackClr = opt_.bg;
      break;
    }
    case 0x2001:
    case 0x6001: ForeClr = opt_.quoted; break;
    case 0x8000: ForeClr = opt_.syntax; break;
    default: break;
  }
}

}  // namespace vx
