#include "editor/Vx2_main.h"

#include "editor/CusTool.h"
#include "editor/CustTags.h"
#include "editor/DocFiles.h"
#include "editor/Settings.h"
#include "editor/Splash.h"
#include "editor/WizardCmds.h"
#include "editor/filedrag.h"
#include "editor/Vx2_html.h"
#include "editor/vx2_EdWin.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Scoped.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "framework/win/DdeMan.h"
#include "framework/win/FileCtrl.h"
#include "framework/win/MakeControl.h"
#include "toolkit/MRUList.h"
#include "toolkit/Placemnt.h"
#include "toolkit/SpeedBar.h"

namespace vx {

const char* const VornixTitle = "Vornix PRO (2.6b Beta)";
TFrameForm* FrameForm = nullptr;

namespace {
// The speed items that only act on a document, in the order they are switched.
const char* const EditToolNames[34] = {
    "siSave", "siCopy",   "siCut",     "siPaste",  "siList",       "siTable",    "siA",        "siImage",  "siFont",
    "siChar", "siFrames", "siFormPop", "siWizard", "siCustomTag",  "siP",        "siPre",      "siCenter", "siDiv",
    "siH1",   "siH2",     "siHn",      "siB",      "siU",          "siI",        "siEm",       "siCite",   "siTT",
    "siSub",  "siSup",    "siBR",      "siHR",     "siSpellCheck", "BrowserBtn", "BrowserBtn2"};
}  // namespace

TFrameForm::TFrameForm(TComponent* owner) : TForm(owner) {
  FrameForm = this;
  SetName("FrameForm");
  SetCaption("Vornix");
  SetHelpContext(1);
  SetFormStyle(fsMDIForm);
  SetColor(clTeal);
  SetPosition(poDefaultPosOnly);
  SetBounds(0, 0, 594, 476);
  // Made before any step that may fail: the Tools menu and the custom popup need them.
  cusTags_ = std::make_unique<TCusTags>();
  cusTool_ = std::make_unique<TCusTool>();

  CreateMenus();
  CreatePopups();
  CreateSpeedBars();
  CreateExplorer();

  StatusBar = new TStatusBar(this);
  StatusBar->SetName("StatusBar");
  StatusBar->SetParent(this);
  StatusBar->SetAlign(alBottom);
  for (int i = 0; i < 4; ++i) StatusBar->Panels()->Add()->SetWidth(50);

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->SetTitle("Select Internet Browser");
  OpenDialog1->SetFilter("Executable (*.exe)|*.exe");
  OpenDialog1->SetOptions(TOpenOptions{ofNoChangeDir});
  DdeClientConv1 = new TDdeClientConv(this);
  DdeClientConv1->SetName("DdeClientConv1");
  DdeClientConv1->SetConnectMode(ddeManual);
  const char* htmlFilter = "HTML Files (*.htm;*.html)|*.htm;*.html|All Files (*.*)|*.*";
  OpenHTMLDialog = new TOpenDialog(this);
  OpenHTMLDialog->SetName("OpenHTMLDialog");
  OpenHTMLDialog->SetFilter(htmlFilter);
  OpenHTMLDialog->SetOptions(TOpenOptions{ofAllowMultiSelect, ofPathMustExist, ofFileMustExist, ofHideReadOnly});
  SaveFileDialog = new TSaveDialog(this);
  SaveFileDialog->SetName("SaveFileDialog");
  SaveFileDialog->SetFilter(htmlFilter);
  SaveFileDialog->SetOptions(TOpenOptions{ofOverwritePrompt, ofPathMustExist, ofHideReadOnly});

  FormStorage1 = new TFormStorage(this);
  FormStorage1->SetName("FormStorage1");
  FormStorage1->SetUseRegistry(true);
  FormStorage1->SetIniSection("Main");
  FormStorage1->StoredProps()->Add("pnlExplore.Visible");
  FormStorage1->StoredProps()->Add("pnlExplore.Width");

  CreateRecentList();

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnDestroy = [this](TObject* s) { FormDestroy(s); };
}

// The drop target needs the frame's window, which must not be made before the form is whole.
void TFrameForm::Loaded() {
  TForm::Loaded();
  FileDrag1 = new TFileDrag(this);
  FileDrag1->SetName("FileDrag1");
  FileDrag1->OnDrop = [this](TObject* s) { FileDrag1Drop(s); };
}

TFrameForm::~TFrameForm() {
  if (FrameForm == this) FrameForm = nullptr;
}

TMenuItem* TFrameForm::AddItem(TMenuItem* parent, const char* name, const char* caption, TNotifyEvent click,
                               TShortCut sc, int tag) {
  return MakeMenuItem(this, parent, name, caption, std::move(click), sc, tag);
}

void TFrameForm::AddLine(TMenuItem* parent) { AddItem(parent, "", "-"); }

TPopupMenu* TFrameForm::AddPopup(const char* name) {
  auto* p = new TPopupMenu(this);
  p->SetName(name);
  return p;
}

#define VX_HANDLER(method) [this](TObject* s) { method(s); }

void TFrameForm::CreateMenus() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  TMenuItem* bar = MainMenu1->Items();
  const TShortCut ctrl = scCtrl;
  cmdFile = AddItem(bar, "cmdFile", "&File", VX_HANDLER(cmdFileClick));
  cmdNew = AddItem(cmdFile, "cmdNew", "&New", VX_HANDLER(NewDoc), ctrl | 'N');
  cmdNewFrame = AddItem(cmdFile, "cmdNewFrame", "New &Frame...", VX_HANDLER(FramesWizardMIClick));
  cmdOpen = AddItem(cmdFile, "cmdOpen", "&Open...", VX_HANDLER(cmdOpenClick), ctrl | 'O');
  cmdReopen = AddItem(cmdFile, "cmdReopen", "Reopen");
  cmdReopen->SetEnabled(false);
  cmdCloseAll = AddItem(cmdFile, "cmdCloseAll", "Close All", VX_HANDLER(cmdCloseAllClick));
  cmdClose = AddItem(cmdFile, "cmdClose", "&Close", VX_HANDLER(cmdCloseClick));
  AddLine(cmdFile);
  cmdSave = AddItem(cmdFile, "cmdSave", "&Save", VX_HANDLER(cmdSaveClick), ctrl | 'S');
  cmdSaveAs = AddItem(cmdFile, "cmdSaveAs", "Save &As...", VX_HANDLER(cmdSaveAsClick));
  cmdSaveAll = AddItem(cmdFile, "cmdSaveAll", "Save All", VX_HANDLER(cmdSaveAllClick));
  AddLine(cmdFile);
  cmdPrint = AddItem(cmdFile, "cmdPrint", "&Print", VX_HANDLER(cmdPrintClick), ctrl | 'P');
  cmdPrintSetup = AddItem(cmdFile, "cmdPrintSetup", "Prin&t Setup...");
  AddLine(cmdFile);
  cmdRefreshHTMLViewer =
      AddItem(cmdFile, "cmdRefreshHTMLViewer", "Refresh Int Viewer", VX_HANDLER(ReloadSBClick), ctrl | 'R');
  cmdRefreshExtViewer =
      AddItem(cmdFile, "cmdRefreshExtViewer", "Refresh Ext Browser 1", VX_HANDLER(BrowserBtnClick), VK_F5, 1);
  cmdRefreshExtBrowser =
      AddItem(cmdFile, "cmdRefreshExtBrowser", "Refresh Ext Browser 2", VX_HANDLER(BrowserBtnClick), VK_F6, 2);
  AddLine(cmdFile);
  cmdExit = AddItem(cmdFile, "cmdExit", "E&xit", VX_HANDLER(cmdExitClick));

  Window1 = AddItem(bar, "Window1", "&Window", VX_HANDLER(Window1Click));
  Window1->SetGroupIndex(9);
  TileVertical1 = AddItem(Window1, "TileVertical1", "Tile &Vertical", VX_HANDLER(Tile1Click), 0, 1);
  Tile1 = AddItem(Window1, "Tile1", "Tile &Horizontal", VX_HANDLER(Tile1Click), 0, 2);
  Cascade1 = AddItem(Window1, "Cascade1", "&Cascade", VX_HANDLER(Cascade1Click));
  AddLine(Window1);
  cmdExplorer = AddItem(Window1, "cmdExplorer", "Explorer", VX_HANDLER(cmdExplorerClick));

  Tools1 = AddItem(bar, "Tools1", "T&ools");
  Tools1->SetGroupIndex(9);
  EnvironmentOptions1 =
      AddItem(Tools1, "EnvironmentOptions1", "Environment &Options...", VX_HANDLER(cmdPropertiesClick));
  AddLine(Tools1);
  ConfigureMaintoolbar1 =
      AddItem(Tools1, "ConfigureMaintoolbar1", "&MainToolbar Editor", VX_HANDLER(ConfigureMaintoolbar1Click));
  ConfigureFormatToolbar1 =
      AddItem(Tools1, "ConfigureFormatToolbar1", "&FormatToolbar Editor", VX_HANDLER(ConfigureFormatToolbar1Click));
  EditCustonTags1 = AddItem(Tools1, "EditCustonTags1", "&Edit Custom Tags", VX_HANDLER(cmdNewItemClick));
  AddLine(Tools1);
  cmdEditCustomTools = AddItem(Tools1, "cmdEditCustomTools", "Edit Custom Tools", VX_HANDLER(cmdEditCustomToolsClick));

  Help1 = AddItem(bar, "Help1", "&Help");
  Help1->SetGroupIndex(11);
  Contents1 = AddItem(Help1, "Contents1", "&Contents", VX_HANDLER(Contents1Click), VK_F1);
  HowtoUseHelp1 = AddItem(Help1, "HowtoUseHelp1", "&How to Use Help", VX_HANDLER(HowtoUseHelp1Click));
  About1 = AddItem(Help1, "About1", "&About...", VX_HANDLER(About1Click));

  SetMenu(MainMenu1);
  SetWindowMenu(Window1);
}

void TFrameForm::CreatePopups() {
  auto tagItem = [this](TPopupMenu* p, const char* caption, const char* hint = "", int tag = 0) {
    TMenuItem* i = AddItem(p->Items(), "", caption, VX_HANDLER(IMGSBClick), 0, tag);
    i->SetHint(hint);
    return i;
  };
  FormPopUp = AddPopup("FormPopUp");
  for (const char* t : {"FORM", "INPUT", "SELECT", "OPTION", "TEXTAREA"}) tagItem(FormPopUp, t);
  HnPopUp = AddPopup("HnPopUp");
  tagItem(HnPopUp, "H3", "", 3);
  tagItem(HnPopUp, "H4", "", 4);
  tagItem(HnPopUp, "H5", "", 4);
  tagItem(HnPopUp, "H6", "", 6);
  TblPopup = AddPopup("TblPopup");
  tagItem(TblPopup, "TABLE", "<TABLE> ... </TABLE>");
  tagItem(TblPopup, "TH", "<TH> ... </TH> Table Header Cell");
  tagItem(TblPopup, "TD", "<TD> ... </TD> Table data cell");
  tagItem(TblPopup, "TR", "<TR> ... </TR> Table Row ");
  tagItem(TblPopup, "CAPTION", "<CAPTION> ... </CAPTION> Table Caption");
  AddLine(TblPopup->Items());
  AddItem(TblPopup->Items(), "", "&Wizard...", VX_HANDLER(cmdTableWizardClick));
  FramesPopUp = AddPopup("FramesPopUp");
  for (const char* t : {"FRAMESET", "FRAME", "NOFRAMES"}) tagItem(FramesPopUp, t);
  AddLine(FramesPopUp->Items());
  AddItem(FramesPopUp->Items(), "", "Frame Wizard", VX_HANDLER(FramesWizardMIClick));
  PopupImg = AddPopup("PopupImg");
  for (const char* t : {"IMG", "MAP", "AREA"}) tagItem(PopupImg, t);
  AddLine(PopupImg->Items());
  AddItem(PopupImg->Items(), "", "Map Wizard...", VX_HANDLER(MapWizardMIClick));
  WizardPopUp = AddPopup("WizardPopUp");
  AddItem(WizardPopUp->Items(), "", "Image Map...", VX_HANDLER(MapWizardMIClick));
  AddItem(WizardPopUp->Items(), "", "Table...", VX_HANDLER(cmdTableWizardClick));
  AddItem(WizardPopUp->Items(), "", "Frame...", VX_HANDLER(FramesWizardMIClick));
  CustomPopUp = AddPopup("CustomPopUp");
}

TSpeedBar* TFrameForm::AddBar(const char* name, const char* section) {
  auto* bar = new TSpeedBar(this);
  bar->SetName(name);
  bar->SetCaption("");
  bar->SetParent(CoolBar1);
  bar->SetAlign(alTop);
  bar->SetOptions(TSpeedbarOptions{sbFlatBtns, sbGrayedBtns});
  bar->SetBtnOffsetHorz(3);
  bar->SetBtnOffsetVert(2);
  bar->SetHeight(bar->BtnHeight() + 2 * 2 + 2);
  bar->AddSection(section);
  return bar;
}

// One item: its glyph is the bitmap resource of its name. kind: 'c' click, 't' tag
// button, 'd' drop-down.
TSpeedItem* TFrameForm::AddSpeedItem(TSpeedBar* bar, int& left, const char* name, const char* caption, char kind,
                                     TNotifyEvent click, TPopupMenu* menu, const char* hint, int tag) {
  auto* item = new TSpeedItem(this);
  item->SetName(name);
  item->SetCaption(caption);
  item->SetHint(hint ? AnsiString(hint) : AnsiString(caption) + "|");
  item->SetTag(tag);
  TBitmap glyph;
  try {
    glyph.LoadFromResourceName(GetModuleHandleA(nullptr), name);
    item->SetGlyph(&glyph);
  } catch (const Exception&) {
    item->SetBtnCaption(caption);  // a program built without the glyphs still shows its buttons
  }
  if (kind == 'c') item->OnClick = std::move(click);
  if (kind == 't')
    item->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { ASBMouseUp(s, b, sh, x, y); };
  if (kind == 'd') item->SetDropDownMenu(menu);
  bar->AddItem(0, item);
  item->SetLeft(left);
  item->SetTop(bar->BtnOffsetVert());
  item->SetVisible(true);
  left += bar->BtnWidth();
  return item;
}

void TFrameForm::CreateSpeedBars() {
  CoolBar1 = new TPanel(this);
  CoolBar1->SetName("CoolBar1");
  CoolBar1->SetCaption("");
  CoolBar1->SetBevelOuter(bvNone);
  CoolBar1->SetParent(this);
  CoolBar1->SetAlign(alTop);
  MainToolBar = AddBar("MainToolBar", "Main Toolbar");
  FormatToolBar = AddBar("FormatToolBar", "Format Toolbar");
  FormatToolBar->SetTop(MainToolBar->Height());
  CoolBar1->SetHeight(MainToolBar->Height() + FormatToolBar->Height());

  const int gap = 6;
  int x = MainToolBar->BtnOffsetHorz();
  auto main = [&](const char* n, const char* c, char k, TNotifyEvent e = nullptr, TPopupMenu* m = nullptr,
                  int tag = 0) { return AddSpeedItem(MainToolBar, x, n, c, k, std::move(e), m, nullptr, tag); };
  main("siNew", "New File", 'c', VX_HANDLER(NewDoc));
  main("siOpen", "Open", 'c', VX_HANDLER(cmdOpenClick));
  main("siSave", "Save", 'c', VX_HANDLER(cmdSaveClick));
  x += gap;
  main("reloadSB", "Reload", 'c', VX_HANDLER(ReloadSBClick));
  main("BrowserBtn", "External Browser 1", 'c', VX_HANDLER(BrowserBtnClick), nullptr, 1);
  main("BrowserBtn2", "External Browser 2", 'c', VX_HANDLER(BrowserBtnClick), nullptr, 2);
  x += gap;
  main("siCopy", "Copy to Clipboard", 'c', VX_HANDLER(siCopyClick));
  main("siCut", "Cut to Clipboard", 'c', VX_HANDLER(siCutClick));
  main("siPaste", "Paste from Clipboard", 'c', VX_HANDLER(siPasteClick));
  x += gap;
  main("siList", "List", 'c', VX_HANDLER(siListClick));
  main("siTable", "Table", 'd', nullptr, TblPopup);
  main("siA", "A", 't');
  main("siImage", "Image", 'd', nullptr, PopupImg);
  main("siFont", "FONT", 't');
  main("siChar", "Character Viewer", 'c', VX_HANDLER(CharSBClick));
  main("siFrames", "Frames", 'd', nullptr, FramesPopUp);
  main("siFormPop", "Forms", 'd', nullptr, FormPopUp);
  main("siWizard", "Wizards", 'd', nullptr, WizardPopUp);
  main("siCustomTag", "Custom Tags", 'd', nullptr, CustomPopUp);
  x += gap;
  main("siSpellCheck", "Spell Check", 'c', VX_HANDLER(siSpellCheckClick));

  x = FormatToolBar->BtnOffsetHorz();
  auto fmt = [&](const char* n, const char* c, char k = 't', TPopupMenu* m = nullptr, const char* hint = nullptr) {
    return AddSpeedItem(FormatToolBar, x, n, c, k, nullptr, m, hint, 0);
  };
  fmt("siP", "P");
  fmt("siPre", "PRE");
  fmt("siCenter", "CENTER");
  fmt("siDiv", "DIV");
  x += gap;
  fmt("siH1", "H1");
  fmt("siH2", "H2");
  fmt("siHn", "Header Items H3..H6", 'd', HnPopUp);
  x += gap;
  fmt("siB", "B");
  fmt("siU", "U");
  fmt("siI", "I");
  fmt("siEm", "EM");
  fmt("siCite", "CITE");
  fmt("siTT", "TT");
  fmt("siSub", "SUB");
  fmt("siSup", "SUP");
  x += gap;
  fmt("siBR", "BR", 't', nullptr, "BR|Line Break");
  fmt("siHR", "HR", 't', nullptr, "HR|Horizontal Line");
}

void TFrameForm::CreateExplorer() {
  pnlExplore = new TPanel(this);
  pnlExplore->SetName("pnlExplore");
  pnlExplore->SetCaption("");
  pnlExplore->SetBevelOuter(bvNone);
  pnlExplore->SetParent(this);
  pnlExplore->SetAlign(alLeft);
  pnlExplore->SetWidth(121);
  Panel3 = new TPanel(this);
  Panel3->SetName("Panel3");
  Panel3->SetCaption("");
  Panel3->SetBevelOuter(bvNone);
  Panel3->SetParent(pnlExplore);
  Panel3->SetAlign(alTop);
  DriveComboBox1 = new TDriveComboBox(this);
  DriveComboBox1->SetName("DriveComboBox1");
  DriveComboBox1->SetParent(Panel3);
  DriveComboBox1->SetBounds(0, 0, Panel3->Width(), 22);
  Panel3->SetHeight(DriveComboBox1->Height() + 2);
  Panel2 = new TPanel(this);
  Panel2->SetName("Panel2");
  Panel2->SetCaption("");
  Panel2->SetBevelOuter(bvNone);
  Panel2->SetParent(pnlExplore);
  Panel2->SetAlign(alBottom);
  FilterComboBox1 = new TFilterComboBox(this);
  FilterComboBox1->SetName("FilterComboBox1");
  FilterComboBox1->SetParent(Panel2);
  FilterComboBox1->SetBounds(0, 2, Panel2->Width(), 22);
  Panel2->SetHeight(FilterComboBox1->Height() + 2);
  DirectoryListBox1 = new TDirectoryListBox(this);
  DirectoryListBox1->SetName("DirectoryListBox1");
  DirectoryListBox1->SetParent(pnlExplore);
  DirectoryListBox1->SetAlign(alTop);
  Splitter2 = new TSplitter(this);
  Splitter2->SetName("Splitter2");
  Splitter2->SetParent(pnlExplore);
  Splitter2->SetAlign(alTop);
  Splitter2->SetHeight(3);
  Splitter2->SetTop(DirectoryListBox1->Top() + DirectoryListBox1->Height());
  FileListBox1 = new TFileListBox(this);
  FileListBox1->SetName("FileListBox1");
  FileListBox1->SetParent(pnlExplore);
  FileListBox1->SetAlign(alClient);
  FileListBox1->SetDragMode(dmAutomatic);
  FileListBox1->SetShowGlyphs(true);
  FileListBox1->OnDblClick = VX_HANDLER(FileListBox1DblClick);
  DriveComboBox1->SetDirList(DirectoryListBox1);
  DirectoryListBox1->SetFileList(FileListBox1);
  FilterComboBox1->SetFileList(FileListBox1);
  pnlExplore->OnResize = VX_HANDLER(pnlExploreResize);
  Panel2->OnResize = [this](TObject*) { FilterComboBox1->SetWidth(Panel2->Width()); };
  Panel3->OnResize = [this](TObject*) { DriveComboBox1->SetWidth(Panel3->Width()); };
  Splitter1 = new TSplitter(this);
  Splitter1->SetName("Splitter1");
  Splitter1->SetParent(this);
  Splitter1->SetAlign(alLeft);
  Splitter1->SetLeft(pnlExplore->Width());
  Splitter1->SetWidth(3);
}

void TFrameForm::CreateRecentList() {
  MainToolBar->SetIniStorage(FormStorage1);
  FormatToolBar->SetIniStorage(FormStorage1);
  MRUManager = new TMRUManager(this);
  MRUManager->SetName("MRUManager");
  MRUManager->SetIniStorage(FormStorage1);
  MRUManager->SetRecentMenu(cmdReopen);
  MRUManager->OnClick = [this](TObject* s, const AnsiString& name, const AnsiString&, int) {
    MRUManagerClick(s, name);
  };
}

namespace {

// Loads or saves a custom list file; a failure keeps its class and words and says which
// file it was about.
void WithListFile(const AnsiString& name, const std::function<void()>& f) {
  try {
    f();
  } catch (Exception& e) {
    NameFileInError(e, name);
    throw;
  }
}

// Runs the list's editor and writes the list file after its OK. A file that cannot be
// written gives the list back as it was before: the list and its menu stay what the file
// holds.
template <class List>
bool EditAndSaveList(List& list, const AnsiString& name) {
  using Item = std::remove_pointer_t<decltype(list.Items(0))>;
  std::vector<std::unique_ptr<Item>> before;
  before.reserve(list.Count());
  for (int i = 0; i < list.Count(); ++i) {
    before.push_back(std::make_unique<Item>());
    before.back()->Assign(*list.Items(i));
  }
  if (!list.Edit()) return false;
  try {
    WithListFile(name, [&] { list.SaveToFile(name); });
  } catch (...) {
    list.TakeFrom(before);
    throw;
  }
  return true;
}

}  // namespace

void TFrameForm::Step(const std::function<void()>& f) {
  try {
    f();
  } catch (...) {
    Application->HandleException(this);
  }
}

void TFrameForm::FormCreate(TObject*) {
  Step([this] { FormStorage1->SetIniFileName(VornixRegKey); });
  Step([] { Application->SetHelpFile(ProgramFolder() + "vornixhelp.hlp"); });
  Step([this] { SetCaption(Application->Title()); });
  Step([this] { settings_ = std::make_unique<TSettings>(); });
  if (!settings_) return;
  Step([this] {
    AnsiString dir = settings_->DefaultDir();
    if (dir.empty()) return;
    if (!SetCurrentDir(dir)) throw EInOutError(Format("Cannot change to folder %s", dir.c_str()));
    ShowExplorerFolder(GetCurrentDir());
  });
  Step([this] { SetExplorerFilter(settings_->DocFilter() + "|" + settings_->ImgFilter()); });
  Step([this] {
    AnsiString cti = ProgramFolder() + "vornix.cti";
    if (FileExists(cti)) WithListFile(cti, [&] { cusTags_->LoadFromFile(cti); });
  });
  Step([this] { BuildCustomTagMenu(); });
  Step([this] {
    AnsiString tsi = ProgramFolder() + "vornix.tsi";
    if (FileExists(tsi)) WithListFile(tsi, [&] { cusTool_->LoadFromFile(tsi); });
  });
  Step([this] { BuildToolsMenu(); });
  Step([this] { EnableEditTools(false); });
  Step([this] {
    OpenHTMLDialog->SetFilter(settings_->DocFilter());
    OpenHTMLDialog->SetDefaultExt(settings_->DocExt());
    SaveFileDialog->SetFilter(settings_->DocFilter());
    SaveFileDialog->SetDefaultExt(settings_->DocExt());
  });
}

void TFrameForm::FormDestroy(TObject*) { settings_.reset(); }

void TFrameForm::ShowExplorerFolder(const AnsiString& dir) { DirectoryListBox1->SetDirectory(dir); }
void TFrameForm::SetExplorerFilter(const AnsiString& filter) { FilterComboBox1->SetFilter(filter); }

// ---- editing tools -------------------------------------------------------------------

void TFrameForm::EnableEditTools(bool Enabled) {
  for (const char* name : EditToolNames) SetToolEnabled(name, Enabled);
  reloadHint_ = Enabled ? "Preview HTML Document" : "Edit HTML Document";
  SetToolHint("reloadSB", reloadHint_);
}

TSpeedItem* TFrameForm::SpeedItem(const AnsiString& name) { return dynamic_cast<TSpeedItem*>(FindComponent(name)); }

bool TFrameForm::EditToolEnabled(const AnsiString& name) {
  TSpeedItem* item = SpeedItem(name);
  return item && item->Enabled();
}

void TFrameForm::SetToolEnabled(const AnsiString& name, bool enabled) {
  if (TSpeedItem* item = SpeedItem(name)) item->SetEnabled(enabled);
}

void TFrameForm::SetToolHint(const AnsiString& name, const AnsiString& hint) {
  if (TSpeedItem* item = SpeedItem(name)) item->SetHint(hint);
}

// ---- documents -----------------------------------------------------------------------

void TFrameForm::OpenInEditor(const AnsiString& FileName) {
  if (!frmEditWin) frmEditWin = CreateForm<TfrmEditWin>(this);
  TfrmEditWin* w = frmEditWin;
  w->OpenDocument(FileName);
  if (frmEditWin == w) w->Show();  // a child window comes to the front by being shown
}

void TFrameForm::NewDoc(TObject*) {
  if (!frmEditWin) frmEditWin = CreateForm<TfrmEditWin>(this);
  frmEditWin->NewDocument();
}

void TFrameForm::cmdOpenClick(TObject*) {
  if (!OpenHTMLDialog->Execute()) return;
  TStringList names;
  names.Assign(*OpenHTMLDialog->Files());
  if (names.Count() == 0 && !OpenHTMLDialog->FileName().empty()) names.Add(OpenHTMLDialog->FileName());
  for (int i = 0; i < names.Count(); ++i) OpenInEditor(names[i]);
}

void TFrameForm::AddRecentFile(const AnsiString& FileName) { MRUManager->Add(FileName, 0); }

void TFrameForm::MRUManagerClick(TObject*, const AnsiString& RecentName) {
  if (FileExists(RecentName))
    OpenInEditor(RecentName);
  else
    MessageDlg(Format("Filename %s does not exist !", RecentName.c_str()), mtError, {mbOK}, 0);
}

void TFrameForm::OpenIfDocument(const AnsiString& name) {
  if (settings_ && IsDocumentFile(name, settings_->DocFilter())) OpenInEditor(name);
}

void TFrameForm::FileListBox1DblClick(TObject*) { OpenIfDocument(ExplorerSelectedFile()); }

AnsiString TFrameForm::ExplorerSelectedFile() { return FileListBox1->FileName(); }

void TFrameForm::FileDrag1Drop(TObject*) {
  TStringList names;
  names.Assign(*FileDrag1->Files());
  for (int i = 0; i < names.Count(); ++i) OpenIfDocument(names[i]);
}

TForm* TFrameForm::ActiveChild() { return ActiveMDIChild(); }

void TFrameForm::cmdFileClick(TObject*) {
  TForm* active = ActiveChild();
  TMenuItem* items[] = {cmdCloseAll, cmdClose, cmdSaveAs, cmdSaveAll, cmdRefreshExtViewer, cmdRefreshExtBrowser};
  if (active && active == frmEditWin) {
    for (TMenuItem* i : items) i->SetEnabled(true);
    TxEdit* ed = frmEditWin->CurrentEditor();
    cmdSave->SetEnabled(ed && ed->DocumentModified());
  } else if (active && active == Form_HTMLView) {
    for (TMenuItem* i : items) i->SetEnabled(false);
    cmdSave->SetEnabled(false);
  }
}

void TFrameForm::cmdCloseAllClick(TObject*) {
  if (frmEditWin) frmEditWin->Close();
}
void TFrameForm::cmdCloseClick(TObject*) {
  if (frmEditWin) frmEditWin->CloseDocument();
}
void TFrameForm::cmdSaveClick(TObject*) {
  if (frmEditWin) frmEditWin->SaveDocument();
}
void TFrameForm::cmdSaveAsClick(TObject*) {
  if (frmEditWin) frmEditWin->SaveDocumentAs();
}
void TFrameForm::cmdSaveAllClick(TObject*) {
  if (frmEditWin && ActiveChild() == frmEditWin) frmEditWin->SaveAllDocuments();
}
void TFrameForm::cmdPrintClick(TObject* Sender) {
  TForm* active = ActiveChild();
  if (active && active == frmEditWin) {
    if (TxEdit* ed = frmEditWin->CurrentEditor()) ed->Print();
  } else if (active && active == Form_HTMLView) {
    Form_HTMLView->Print1Click(Sender);
  }
}
void TFrameForm::cmdExitClick(TObject*) { Close(); }

void TFrameForm::siCopyClick(TObject*) {
  if (frmEditWin)
    if (TxEdit* ed = frmEditWin->CurrentEditor()) ed->CopyToClipboard();
}
void TFrameForm::siCutClick(TObject*) {
  if (frmEditWin)
    if (TxEdit* ed = frmEditWin->CurrentEditor()) ed->CutToClipboard();
}
void TFrameForm::siPasteClick(TObject*) {
  if (frmEditWin)
    if (TxEdit* ed = frmEditWin->CurrentEditor()) ed->PasteFromClipboard();
}
void TFrameForm::siListClick(TObject*) {
  if (frmEditWin) frmEditWin->InsertList();
}
void TFrameForm::MapWizardMIClick(TObject*) {
  if (frmEditWin) frmEditWin->NewImageMap();
}
void TFrameForm::cmdTableWizardClick(TObject*) {
  if (frmEditWin) frmEditWin->InsertTable();
}
void TFrameForm::CharSBClick(TObject*) {
  if (frmEditWin) frmEditWin->ShowCharPicker();
}
void TFrameForm::siSpellCheckClick(TObject*) {
  if (frmEditWin) frmEditWin->SpellCheck();
}
void TFrameForm::ASBMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int, int) {
  if (frmEditWin) frmEditWin->TagButtonMouseUp(Sender, Button);
}
void TFrameForm::IMGSBClick(TObject* Sender) {
  if (frmEditWin) frmEditWin->IMGSBClick(Sender);
}
void TFrameForm::cmdCustomClick(TObject* Sender) {
  if (frmEditWin)
    if (auto* c = dynamic_cast<TComponent*>(Sender)) frmEditWin->InsertCustomTag(cusTags_->Items(c->Tag()));
}

void TFrameForm::FramesWizardMIClick(TObject*) { NewFramesDocument(); }

void TFrameForm::Tile1Click(TObject* Sender) {
  auto* c = dynamic_cast<TComponent*>(Sender);
  SetTileMode(c && c->Tag() == 1 ? tbVertical : tbHorizontal);
  Tile();
}
void TFrameForm::Cascade1Click(TObject*) { Cascade(); }
void TFrameForm::Window1Click(TObject*) { cmdExplorer->SetChecked(pnlExplore->Visible()); }
void TFrameForm::cmdExplorerClick(TObject*) { pnlExplore->SetVisible(!pnlExplore->Visible()); }
void TFrameForm::pnlExploreResize(TObject*) { DirectoryListBox1->SetHeight(pnlExplore->Height() / 3); }

void TFrameForm::cmdPropertiesClick(TObject*) {
  if (settings_) settings_->Edit();
}
void TFrameForm::ConfigureMaintoolbar1Click(TObject*) { MainToolBar->Customize(0); }
void TFrameForm::ConfigureFormatToolbar1Click(TObject*) { FormatToolBar->Customize(0); }
// The list files are written as soon as their editors end with OK; the menus list what
// the files hold.
void TFrameForm::cmdNewItemClick(TObject*) {
  if (!EditAndSaveList(*cusTags_, ProgramFolder() + "vornix.cti")) return;
  // The popup's own first item may be running this: its items are rebuilt once it returns.
  std::weak_ptr<bool> alive = alive_;
  Application->Post([this, alive] {
    if (!alive.expired()) BuildCustomTagMenu();
  });
}
void TFrameForm::cmdEditCustomToolsClick(TObject*) {
  if (EditAndSaveList(*cusTool_, ProgramFolder() + "vornix.tsi")) BuildToolsMenu();
}

void TFrameForm::BuildCustomTagMenu() {
  TMenuItem* items = CustomPopUp->Items();
  for (int i = items->Count() - 1; i >= 0; --i) items->Items(i)->Free();
  AddItem(items, "", "Edit Custom Tags..", VX_HANDLER(cmdNewItemClick));
  AddLine(items);
  for (int i = 0; i < cusTags_->Count(); ++i)
    AddItem(items, "", cusTags_->Names(i).c_str(), VX_HANDLER(cmdCustomClick), 0, i);
}

void TFrameForm::BuildToolsMenu() {
  for (int i = Tools1->Count() - 1; i >= 0; --i)
    if (Tools1->Items(i)->Tag() > 0) Tools1->Items(i)->Free();
  if (cusTool_->Count() == 0) return;
  AddItem(Tools1, "", "-", nullptr, 0, 1);
  for (int i = 0; i < cusTool_->Count(); ++i)
    AddItem(Tools1, "", cusTool_->Names(i).c_str(), VX_HANDLER(RunCustomTool), 0, i + 1);
}

void TFrameForm::RunCustomTool(TObject* Sender) {
  auto* c = dynamic_cast<TComponent*>(Sender);
  if (TCusToolItem* tool = c ? cusTool_->Items(c->Tag() - 1) : nullptr) StartCustomTool(*tool);
}

void TFrameForm::Contents1Click(TObject*) { Application->HelpCommand(HELP_CONTENTS, 0); }
void TFrameForm::HowtoUseHelp1Click(TObject*) { Application->HelpCommand(HELP_HELPONHELP, 0); }

void TFrameForm::About1Click(TObject*) {
  TComponentPtr<TSplashForm> about(CreateForm<TSplashForm>(Application));
  about->ShowModal();
}

}  // namespace vx
