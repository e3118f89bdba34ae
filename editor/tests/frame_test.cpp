// VornixPro end to end: the frame, its documents and tabs, through the test seam.
#include "editor/tests/frame_fixture.h"

#include "editor/CusTool.h"
#include "editor/CustTags.h"

using namespace vx;

namespace {

const char* const Skeleton =
    "<HTML>\r\n<HEAD><TITLE> Put_Your_Title_Here </TITLE></HEAD>\r\n<BODY>\r\n\r\n\r\n<HR>\r\n";

// The block the shell hands over with WM_DROPFILES.
struct DropFiles {
  DWORD pFiles;
  POINT pt;
  BOOL fNC;
  BOOL fWide;
};

HGLOBAL MakeDrop(const std::vector<std::string>& names) {
  size_t size = sizeof(DropFiles) + 1;
  for (auto& n : names) size += n.size() + 1;
  HGLOBAL h = GlobalAlloc(GHND, size);
  auto* df = static_cast<DropFiles*>(GlobalLock(h));
  df->pFiles = sizeof(DropFiles);
  df->pt = POINT{10, 10};
  df->fWide = FALSE;
  char* p = reinterpret_cast<char*>(df) + sizeof(DropFiles);
  for (auto& n : names) {
    memcpy(p, n.c_str(), n.size() + 1);
    p += n.size() + 1;
  }
  GlobalUnlock(h);
  return h;
}

}  // namespace

const char* const EditTools[34] = {
    "siSave", "siCopy",   "siCut",     "siPaste",  "siList",       "siTable",    "siA",        "siImage",  "siFont",
    "siChar", "siFrames", "siFormPop", "siWizard", "siCustomTag",  "siP",        "siPre",      "siCenter", "siDiv",
    "siH1",   "siH2",     "siHn",      "siB",      "siU",          "siI",        "siEm",       "siCite",   "siTT",
    "siSub",  "siSup",    "siBR",      "siHR",     "siSpellCheck", "BrowserBtn", "BrowserBtn2"};

TEST_F(FrameTest, StartsOnAnEmptyRegistryWithTheEditingToolsOff) {
  for (const char* t : EditTools) EXPECT_FALSE(frame->EditToolEnabled(t)) << t;
  for (const char* t : {"siNew", "siOpen", "reloadSB"}) EXPECT_TRUE(frame->EditToolEnabled(t)) << t;
  EXPECT_EQ(frame->SpeedItem("siBR")->Hint(), "BR|Line Break");
  EXPECT_EQ(frame->SpeedItem("siOpen")->Hint(), "Open|");
  EXPECT_EQ(frame->Caption(), "Vornix PRO (2.6b Beta)");
  EXPECT_EQ(frame->FormStyle(), fsMDIForm);
  EXPECT_EQ(frmEditWin, nullptr);
  EXPECT_FALSE(frame->EditToolEnabled("siSave"));
  EXPECT_FALSE(frame->EditToolEnabled("BrowserBtn2"));
  EXPECT_TRUE(frame->EditToolEnabled("siNew"));
  EXPECT_EQ(frame->ReloadHint(), "Edit HTML Document");
  EXPECT_EQ(frame->SaveFileDialog->Filter(), frame->Settings()->DocFilter());
  EXPECT_EQ(frame->OpenHTMLDialog->DefaultExt(), "html");
  EXPECT_EQ(Application->HelpFile(), ProgramFolder() + "vornixhelp.hlp");
  EXPECT_EQ(frame->OpenDialog1->Title(), "Select Internet Browser");
  // Without a stored placement the frame opens maximised; restored it has its own size.
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(frame->Handle(), &wp);
  EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
  EXPECT_EQ(wp.rcNormalPosition.right - wp.rcNormalPosition.left, 594);
  EXPECT_EQ(wp.rcNormalPosition.bottom - wp.rcNormalPosition.top, 476);
  EXPECT_TRUE(messages.empty());
  // Commands that need a document do nothing without one.
  frame->cmdSaveClick(frame);
  frame->cmdCloseClick(frame);
  frame->siCopyClick(frame);
  EXPECT_EQ(frmEditWin, nullptr);
}

TEST_F(FrameTest, NewDocumentHasTheSkeletonAndTheCaretOnLineFive) {
  frame->NewDoc(frame);
  Pump();
  ASSERT_NE(frmEditWin, nullptr);
  ASSERT_EQ(TabCount(), 1);
  EXPECT_EQ(TabCaption(0), "Untitled-0.htm");
  EXPECT_TRUE(Editor()->Untitled());
  EXPECT_EQ(Editor()->GetLineCount() >= 9, true);
  EXPECT_EQ(Editor()->Text().rfind(Skeleton, 0), 0u);
  EXPECT_NE(Editor()->GetLine(7).find("This document was created using <A HREF=\""), std::string::npos);
  EXPECT_EQ(Editor()->GetLine(9), "</HTML>");
  EXPECT_EQ(Panel(0), "5:0");
  EXPECT_EQ(Panel(1), "Insert");
  EXPECT_EQ(frmEditWin->Caption(), "Editing Untitled-0.htm");
  for (const char* t : EditTools) EXPECT_TRUE(frame->EditToolEnabled(t)) << t;
  EXPECT_EQ(frame->SpeedItem("reloadSB")->Hint(), "Preview HTML Document");
  frame->NewDoc(frame);
  EXPECT_EQ(TabCaption(1), "Untitled-1.htm");
  EXPECT_EQ(frmEditWin->TabControl->TabIndex(), 1);
  // Nobody has changed them: nothing to save, and closing asks nothing.
  EXPECT_FALSE(Editor()->GetModified());
  frame->cmdFileClick(frame);
  EXPECT_FALSE(frame->cmdSave->Enabled());
  frame->cmdCloseClick(frame);
  Pump();
  EXPECT_EQ(TabCount(), 1);
  // A new window counts from 0 again.
  frame->cmdCloseAllClick(frame);
  Pump();
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(frmEditWin, nullptr);
  for (const char* t : EditTools) EXPECT_FALSE(frame->EditToolEnabled(t)) << t;
  EXPECT_TRUE(frame->EditToolEnabled("siNew"));
  frame->NewDoc(frame);
  EXPECT_EQ(TabCaption(0), "Untitled-0.htm");
}

TEST_F(FrameTest, TypeSaveAsCloseAndReopen) {
  frame->NewDoc(frame);
  Pump();
  Type("Hello");
  EXPECT_TRUE(Editor()->GetModified());
  EXPECT_EQ(Editor()->GetLine(5), "Hello");
  std::string name = dir + "first.htm";
  SaveAs(name);
  frame->cmdSaveClick(frame);  // untitled: Save goes to Save As
  ASSERT_EQ(dialogNames.size(), 1u);
  EXPECT_EQ(dialogNames[0], "Untitled-0.htm");
  EXPECT_FALSE(Editor()->Untitled());
  EXPECT_FALSE(Editor()->GetModified());
  EXPECT_EQ(TabCaption(0), "first.htm");
  EXPECT_EQ(frmEditWin->Caption(), "Editing " + name);
  EXPECT_NE(ReadFileBytes(name).find("\r\nHello\r\n"), std::string::npos);
  EXPECT_FALSE(FileExists(dir + "first.Bak"));

  // A second save keeps the previous text as the backup.
  Type("!");
  frame->cmdSaveClick(frame);
  EXPECT_EQ(dialogNames.size(), 1u);
  EXPECT_NE(ReadFileBytes(dir + "first.Bak").find("\r\nHello\r\n"), std::string::npos);
  EXPECT_NE(ReadFileBytes(name).find("\r\nHello!\r\n"), std::string::npos);

  // Closing the last tab closes the window.
  frame->cmdCloseClick(frame);
  Pump();
  EXPECT_EQ(frmEditWin, nullptr);
  EXPECT_TRUE(messages.empty());
  // Nothing of the closed document stays in the status bar.
  EXPECT_EQ(frame->StatusBar->Panels()->Items(0)->Text(), "");
  EXPECT_EQ(frame->StatusBar->Panels()->Items(1)->Text(), "");
  // The closed document heads the Reopen menu, and comes back through it.
  ASSERT_EQ(frame->MRUManager->Strings()->Count(), 1);
  EXPECT_EQ(frame->MRUManager->Strings()->Strings(0), name);
  EXPECT_TRUE(frame->cmdReopen->Enabled());
  ASSERT_EQ(frame->cmdReopen->Count(), 1);
  frame->cmdReopen->Items(0)->Click();
  ASSERT_NE(frmEditWin, nullptr);
  EXPECT_EQ(TabCaption(0), "first.htm");
  EXPECT_EQ(Editor()->GetLine(5), "Hello!");
  EXPECT_FALSE(Editor()->GetModified());
  // A recent file that is gone.
  frame->MRUManagerClick(frame, dir + "gone.htm");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Filename " + dir + "gone.htm does not exist !");
  EXPECT_EQ(TabCount(), 1);
  // The list outlives the program.
  ASSERT_TRUE(Stop());
  EXPECT_EQ(TRegIniFile(VornixRegKey).ReadString("TFrameForm.MRUManager", "Item_0", ""), name);
}

struct RecentFileTest : FrameTest {
  void BeforeStart() override {
    TRegIniFile(VornixRegKey).WriteString("TFrameForm.MRUManager", "Item_0", dir + "kept.htm");
  }
};

TEST_F(RecentFileTest, ReadAtStart) {
  ASSERT_EQ(frame->MRUManager->Strings()->Count(), 1);
  EXPECT_EQ(frame->MRUManager->Strings()->Strings(0), dir + "kept.htm");
  EXPECT_TRUE(frame->cmdReopen->Enabled());
}

TEST_F(FrameTest, OneTabPerFileAndSwitchingTabs) {
  std::string a = Write("a.htm", "<P>a</P>\r\n"), b = Write("b.htm", "<P>b</P>\r\n");
  frame->OpenInEditor(a);
  frame->OpenInEditor(b);
  ASSERT_EQ(TabCount(), 2);
  EXPECT_EQ(frmEditWin->TabControl->TabIndex(), 1);
  EXPECT_EQ(frmEditWin->Caption(), "Editing " + b);
  // The same file under another spelling selects its tab.
  frame->OpenInEditor(dir + "A.HTM");
  EXPECT_EQ(TabCount(), 2);
  EXPECT_EQ(frmEditWin->TabControl->TabIndex(), 0);
  EXPECT_EQ(Editor()->GetLine(1), "<P>a</P>");
  // A read-only document shows it, and the next one clears it.
  Editor()->SetReadOnly(true);
  Editor()->ActivateEditor();
  EXPECT_EQ(Panel(2), "ReadOnly");
  frmEditWin->TabControl->SetTabIndex(1);
  frmEditWin->TabControl->OnChange(frmEditWin->TabControl);
  EXPECT_EQ(Panel(2), "");
  EXPECT_EQ(frmEditWin->Caption(), "Editing " + b);
  EXPECT_EQ(Editor()->GetLine(1), "<P>b</P>");
  // A name that does not exist gives a new untitled document, without a message.
  frame->OpenInEditor(dir + "none.htm");
  EXPECT_EQ(TabCaption(2), "Untitled-0.htm");
  EXPECT_TRUE(messages.empty());
  // Saving a document under the name of another tab's file is refused.
  Type("y");
  SaveAs(dir + "B.HTM");
  frame->cmdSaveAsClick(frame);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("is open in another tab"), std::string::npos);
  EXPECT_TRUE(Editor()->Untitled());
  EXPECT_EQ(TabCaption(2), "Untitled-0.htm");
  EXPECT_EQ(ReadFileBytes(b), "<P>b</P>\r\n");
  answers = {IDNO};
}

TEST_F(FrameTest, CloseAllAsksLastTabFirstAndCancelKeepsEverything) {
  std::string names[3] = {Write("a.htm", "a\r\n"), Write("b.htm", "b\r\n"), Write("c.htm", "c\r\n")};
  for (auto& n : names) {
    frame->OpenInEditor(n);
    Type("x");
  }
  answers = {IDYES, IDCANCEL};
  frame->cmdCloseAllClick(frame);
  Pump();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Save Changes to '" + names[2] + "'?");
  EXPECT_EQ(messages[1], "Save Changes to '" + names[1] + "'?");
  ASSERT_NE(frmEditWin, nullptr);
  EXPECT_EQ(TabCount(), 3);
  EXPECT_EQ(ReadFileBytes(names[2]), "xc\r\n");  // the first answer stays done
  EXPECT_EQ(ReadFileBytes(names[1]), "b\r\n");

  // An untitled document whose Save As is cancelled stays open.
  frame->NewDoc(frame);
  Type("z");
  messages.clear();
  answers = {IDYES};
  dialog = nullptr;
  EXPECT_FALSE(frmEditWin->CloseAllDocuments());
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(TabCount(), 4);

  // No for everything closes the window; the exit goes on.
  messages.clear();
  answers = {IDNO, IDNO, IDNO};
  EXPECT_TRUE(Stop());
  EXPECT_EQ(messages.size(), 3u);  // c.htm was saved: three modified documents left
  EXPECT_EQ(ReadFileBytes(names[0]), "a\r\n");
}

TEST_F(FrameTest, ExitIsStoppedByCancel) {
  frame->NewDoc(frame);
  Type("x");
  answers = {IDCANCEL};
  EXPECT_FALSE(Stop());
  ASSERT_NE(frmEditWin, nullptr);
  EXPECT_EQ(TabCount(), 1);
  answers = {IDNO};
  EXPECT_TRUE(Stop());
}

TEST_F(FrameTest, AFailedSaveKeepsTheDocumentModifiedAndTheFile) {
  std::string name = Write("locked.htm", "original\r\n");
  frame->OpenInEditor(name);
  SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_READONLY);
  Type("changed ");
  frame->cmdSaveClick(frame);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Cannot save file " + name);
  EXPECT_TRUE(Editor()->GetModified());
  EXPECT_EQ(ReadFileBytes(name), "original\r\n");

  // Save As onto a read-only file fails the same way and keeps the old name.
  std::string other = Write("other.htm", "other\r\n");
  SetFileAttributesA(other.c_str(), FILE_ATTRIBUTE_READONLY);
  SaveAs(other);
  frame->cmdSaveAsClick(frame);
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(Editor()->FileName(), name);
  EXPECT_EQ(ReadFileBytes(other), "other\r\n");
  EXPECT_TRUE(Editor()->GetModified());
  answers = {IDNO};
}

// A backup that cannot be made complete (here the document is held by another program,
// as a full disk would cut it) leaves the previous backup as it was.
TEST_F(FrameTest, AFailedBackupKeepsThePreviousOne) {
  std::string name = Write("page.htm", "second version\r\n");
  std::string bak = Write("page.Bak", "first version\r\n");
  frame->OpenInEditor(name);
  Type("third ");
  HANDLE lock = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  frame->cmdSaveClick(frame);
  CloseHandle(lock);
  EXPECT_EQ(messages, (std::vector<std::string>{"Cannot save file " + name}));
  EXPECT_TRUE(Editor()->GetModified());
  EXPECT_EQ(ReadFileBytes(bak), "first version\r\n");
  EXPECT_EQ(ReadFileBytes(name), "second version\r\n");
  // Once the file is free the save goes through and the backup takes the last version.
  frame->cmdSaveClick(frame);
  EXPECT_EQ(ReadFileBytes(bak), "second version\r\n");
  EXPECT_EQ(ReadFileBytes(name), "third second version\r\n");
  EXPECT_FALSE(Editor()->GetModified());
}

TEST_F(FrameTest, AFileThatCannotBeReadOpensNoTab) {
  std::string name = Write("busy.htm", "text\r\n");
  HANDLE lock = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  frame->OpenInEditor(name);
  CloseHandle(lock);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Cannot open file " + name);
  EXPECT_EQ(TabCount(), 0);
  EXPECT_EQ(ReadFileBytes(name), "text\r\n");
}

// A save to a full disk says why, and leaves nothing behind there.
TEST_F(FrameTest, ASaveToAFullDiskSaysTheDiskIsFull) {
  std::string small = std::string("Z:") + VX_SMALL_DISK;
  std::replace(small.begin(), small.end(), '/', '\\');
  ULARGE_INTEGER total{};
  if (!GetDiskFreeSpaceExA((small + "\\").c_str(), nullptr, &total, nullptr) || total.QuadPart > (1u << 20))
    GTEST_SKIP() << "no small file system at " << small << " (mounting needs root)";
  std::string text;
  while (text.size() < 200000) text += std::string(78, 'x') + "\r\n";  // more than the small disk holds
  Doc(text);
  Type("x");
  ASSERT_GT(Editor()->GetText().size(), 200000u);
  const std::string full = small + "\\full.htm";
  SaveAs(full);
  frame->cmdSaveAsClick(frame);
  EXPECT_EQ(messages, (std::vector<std::string>{"Cannot save file " + full + ": the disk is full"}));
  EXPECT_TRUE(Editor()->GetModified());
  EXPECT_EQ(ReadFileBytes(full), "<missing>");
  // The reason is the system's own, met writing the rest after a short write.
  EXPECT_EQ(Editor()->SaveToFile(full), ERROR_DISK_FULL);
  EXPECT_EQ(ReadFileBytes(full), "<missing>");
  answers = {IDNO};
}

// The edit control's own message boxes, read and answered from a timer.
std::vector<std::string> g_boxes;
BOOL CALLBACK BoxText(HWND c, LPARAM lp) {
  char buf[512] = "";
  GetWindowTextA(c, buf, sizeof buf);
  *reinterpret_cast<std::string*>(lp) += buf;
  return TRUE;
}
BOOL CALLBACK AnswerBox(HWND h, LPARAM) {
  char cls[16] = "";
  GetClassNameA(h, cls, sizeof cls);
  if (strcmp(cls, "#32770") != 0 || !IsWindowVisible(h)) return TRUE;
  std::string text;
  EnumChildWindows(h, BoxText, reinterpret_cast<LPARAM>(&text));
  g_boxes.push_back(text);
  PostMessageA(h, WM_COMMAND, IDOK, 0);
  return TRUE;
}
void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0); }

// A file with a line too long to edit gets the editor's own message only, and no tab.
TEST_F(FrameTest, AFileWithALineTooLongToEditSaysSoOnce) {
  std::string name = Write("long.htm", "short\r\n" + std::string(40000, 'x') + "\r\n");
  g_boxes.clear();
  UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerBoxes);
  frame->OpenInEditor(name);
  Pump();
  KillTimer(nullptr, timer);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_NE(g_boxes[0].find("line 2 is longer than 32767 characters"), std::string::npos) << g_boxes[0];
  EXPECT_EQ(messages, std::vector<std::string>{});
  EXPECT_EQ(TabCount(), 0);
}

TEST_F(FrameTest, DroppedDocumentsOpenInTabs) {
  std::string a = Write("a.htm", "a\r\n"), b = Write("b.txt", "b\r\n"), c = Write("c.html", "c\r\n"),
              d = Write("noext", "d\r\n");
  SendMessageA(frame->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({a, b, c, d})), 0);
  Pump();
  EXPECT_EQ(frame->FileDrag1->FileCount(), 4);
  ASSERT_EQ(frame->FileDrag1->Files()->Count(), 4);
  EXPECT_EQ(frame->FileDrag1->Files()->Strings(2), c);
  ASSERT_EQ(TabCount(), 2);
  EXPECT_EQ(TabCaption(0), "a.htm");
  EXPECT_EQ(TabCaption(1), "c.html");
  EXPECT_EQ(frmEditWin->TabControl->TabIndex(), 1);
  EXPECT_TRUE(messages.empty());
}

TEST_F(FrameTest, FileMenuFollowsTheDocument) {
  frame->NewDoc(frame);
  frame->cmdFileClick(frame);
  EXPECT_TRUE(frame->cmdCloseAll->Enabled());
  EXPECT_FALSE(frame->cmdSave->Enabled());  // the skeleton is nobody's change
  Type("x");
  frame->cmdFileClick(frame);
  EXPECT_TRUE(frame->cmdSave->Enabled());
  std::string name = dir + "m.htm";
  SaveAs(name);
  frame->cmdSaveClick(frame);
  frame->cmdFileClick(frame);
  EXPECT_FALSE(frame->cmdSave->Enabled());
  EXPECT_TRUE(frame->cmdSaveAs->Enabled());
}

TEST_F(FrameTest, OptionsAreWrittenAtExit) {
  frame->Settings()->SetFontSize(12);
  frame->Settings()->SetBrowser("C:\\web\\browser.exe");
  frame->Settings()->SetCreateBAK(false);
  ASSERT_TRUE(Stop());
  TRegIniFile reg(VornixRegKey);
  EXPECT_EQ(reg.ReadString("Editor", "FontSize", ""), "12");
  EXPECT_EQ(reg.ReadString("Editor", "CreateBAK", ""), "0");
  EXPECT_EQ(reg.ReadString("ExtBrowser", "Browser", ""), "C:\\web\\browser.exe");
  EXPECT_EQ(reg.ReadString("Window", "MainTB", ""), "1");
  EXPECT_EQ(reg.ReadString("TFrameFormMainToolBar", "Count", ""), "20");
  EXPECT_EQ(reg.ReadString("TFrameFormFormatToolBar", "Button1", "").substr(0, 4), "siP,");
}

struct StoredOptionsTest : FrameTest {
  void BeforeStart() override {
    TRegIniFile reg(VornixRegKey);
    reg.WriteString("Editor", "FontSize", "12");
    reg.WriteString("Editor", "CreateBAK", "0");
    reg.WriteString("Editor", "HTab", "99");
    reg.WriteString("Dialog", "DocExt", "htm");
  }
};

TEST_F(StoredOptionsTest, AreReadAtStartAndReachNewEditors) {
  EXPECT_EQ(frame->Settings()->FontSize(), 12);
  EXPECT_EQ(frame->Settings()->HTab(), TSettings::MaxTab);
  EXPECT_EQ(frame->SaveFileDialog->DefaultExt(), "htm");
  std::string name = Write("nobak.htm", "old\r\n");
  frame->OpenInEditor(name);
  EXPECT_EQ(Editor()->Font()->Size(), 12);
  EXPECT_EQ(Editor()->TabStopSize(), TSettings::MaxTab);
  Type("x");
  frame->cmdSaveClick(frame);
  EXPECT_FALSE(FileExists(dir + "nobak.Bak"));  // without CreateBAK no backup
  EXPECT_EQ(ReadFileBytes(name), "xold\r\n");
}

struct BadFolderTest : FrameTest {
  void BeforeStart() override {
    TRegIniFile reg(VornixRegKey);
    reg.WriteString("Editor", "DefaultDir", dir + "missing\\folder");
    reg.WriteString("Dialog", "DocExt", "htm");
  }
};

TEST_F(BadFolderTest, IsReportedAndTheStartGoesOn) {
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(dir + "missing\\folder"), std::string::npos);
  EXPECT_EQ(frame->SaveFileDialog->DefaultExt(), "htm");
  EXPECT_FALSE(frame->EditToolEnabled("siSave"));
}

struct GoodFolderTest : FrameTest {
  void BeforeStart() override {
    TRegIniFile(VornixRegKey).WriteString("Editor", "DefaultDir", dir);
    SetCurrentDirectoryA("C:\\");
  }
};

TEST_F(GoodFolderTest, BecomesTheCurrentFolder) {
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(SameFileName(IncludeTrailingBackslash(GetCurrentDir()), dir));
  EXPECT_TRUE(SameFileName(IncludeTrailingBackslash(frame->DirectoryListBox1->Directory()), dir));
  SetCurrentDirectoryA("C:\\");
}

TEST_F(FrameTest, ExplorerListsDocumentsFirstAndOpensThemOnDoubleClick) {
  // The document filter's entries come before the image filter's.
  TStrings* filters = frame->FilterComboBox1->Items();
  ASSERT_EQ(filters->Count(), 6);
  EXPECT_EQ(filters->Strings(0), "HTML files (*.html)");
  EXPECT_EQ(filters->Strings(3), "JPeg Images (*.jpg)");
  std::string page = Write("page.htm", "<P>page</P>\r\n"), pic = Write("pic.gif", "GIF89a");
  frame->FileListBox1->SetMask("*.*");
  frame->DirectoryListBox1->SetDirectory(dir);
  frame->FileListBox1->SetFileName(pic);
  frame->FileListBox1DblClick(frame->FileListBox1);
  EXPECT_EQ(frmEditWin, nullptr);  // not a document
  frame->FileListBox1->SetFileName(page);
  frame->FileListBox1DblClick(frame->FileListBox1);
  ASSERT_NE(frmEditWin, nullptr);
  EXPECT_EQ(TabCaption(0), "page.htm");
  // The directory list takes a third of the panel.
  frame->pnlExplore->SetHeight(frame->pnlExplore->Height());
  frame->pnlExploreResize(frame->pnlExplore);
  EXPECT_EQ(frame->DirectoryListBox1->Height(), frame->pnlExplore->Height() / 3);
}

TEST_F(FrameTest, DocumentFolderIsEnteredForRelativeNames) {
  std::string name = Write("rel.htm", "x\r\n");
  frame->OpenInEditor(name);
  SetCurrentDirectoryA("C:\\");
  EnterDocumentFolder(Editor());
  EXPECT_TRUE(SameFileName(IncludeTrailingBackslash(GetCurrentDir()), dir));
  frame->NewDoc(frame);
  EnterDocumentFolder(Editor());
  EXPECT_TRUE(SameFileName(IncludeTrailingBackslash(GetCurrentDir()), ProgramFolder()));
  SetCurrentDirectoryA("C:\\");
  answers = {IDNO};
}

TEST_F(FrameTest, LayoutFillsTheFrameAndTheExplorerShowsTheCurrentFolder) {
  RECT client = frame->ClientRect();
  // Speed bars on top, status bar with its four panels at the bottom, explorer and
  // splitter on the left, the documents' area in the rest.
  EXPECT_EQ(frame->CoolBar1->Top(), 0);
  EXPECT_GT(frame->MainToolBar->Height(), 0);
  EXPECT_EQ(frame->FormatToolBar->Top(), frame->MainToolBar->Height());
  EXPECT_EQ(frame->CoolBar1->Height(), frame->MainToolBar->Height() + frame->FormatToolBar->Height());
  EXPECT_EQ(frame->StatusBar->Top() + frame->StatusBar->Height(), client.bottom);
  EXPECT_EQ(frame->StatusBar->Width(), client.right);
  ASSERT_EQ(frame->StatusBar->Panels()->Count(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(frame->StatusBar->Panels()->Items(i)->Width(), 50);
  const int top = frame->CoolBar1->Height(), bottom = frame->StatusBar->Top();
  EXPECT_EQ(frame->pnlExplore->Left(), 0);
  EXPECT_EQ(frame->pnlExplore->Top(), top);
  EXPECT_EQ(frame->pnlExplore->Top() + frame->pnlExplore->Height(), bottom);
  EXPECT_EQ(frame->pnlExplore->Width(), 121);
  EXPECT_EQ(frame->Splitter1->Left(), 121);
  RECT mdi;
  GetWindowRect(frame->ClientHandle(), &mdi);
  MapWindowPoints(nullptr, frame->Handle(), reinterpret_cast<POINT*>(&mdi), 2);
  EXPECT_EQ(mdi.left, frame->Splitter1->Left() + frame->Splitter1->Width());
  EXPECT_EQ(mdi.top, top);
  EXPECT_EQ(mdi.bottom, bottom);
  EXPECT_EQ(mdi.right, client.right);
  // In the explorer: drive, folders, splitter, files, filter, top to bottom.
  const int h = frame->pnlExplore->Height();
  EXPECT_EQ(frame->Panel3->Top(), 0);
  EXPECT_EQ(frame->DirectoryListBox1->Top(), frame->Panel3->Height());
  EXPECT_EQ(frame->Splitter2->Top(), frame->DirectoryListBox1->Top() + frame->DirectoryListBox1->Height());
  EXPECT_EQ(frame->FileListBox1->Top(), frame->Splitter2->Top() + frame->Splitter2->Height());
  EXPECT_EQ(frame->FileListBox1->Top() + frame->FileListBox1->Height(), frame->Panel2->Top());
  EXPECT_EQ(frame->Panel2->Top() + frame->Panel2->Height(), h);
  EXPECT_EQ(frame->DriveComboBox1->Width(), frame->Panel3->Width());
  EXPECT_EQ(frame->FilterComboBox1->Width(), frame->Panel2->Width());
  EXPECT_EQ(frame->DirectoryListBox1->Height(), h / 3);
  // With no default folder the explorer shows the drive and folder the program started in.
  AnsiString cwd = GetCurrentDir();
  ASSERT_GE(frame->DriveComboBox1->ItemIndex(), 0);
  EXPECT_EQ(AnsiLowerCase(frame->DriveComboBox1->Items()->Strings(frame->DriveComboBox1->ItemIndex()).substr(0, 2)),
            AnsiLowerCase(cwd.substr(0, 2)));
  EXPECT_TRUE(
      SameFileName(IncludeTrailingBackslash(frame->DirectoryListBox1->Directory()), IncludeTrailingBackslash(cwd)));
  int cur = frame->DirectoryListBox1->ItemIndex();
  ASSERT_GE(cur, 0);
  EXPECT_TRUE(AnsiSameText(frame->DirectoryListBox1->Items()->Strings(cur), ExtractFileName(cwd)));
  EXPECT_TRUE(SameFileName(IncludeTrailingBackslash(frame->FileListBox1->Directory()), IncludeTrailingBackslash(cwd)));
  EXPECT_EQ(frame->FileListBox1->Mask(), "*.html");
}

struct TemplateTest : FrameTest {
  std::string installed;  // the program folder: tag definitions and the template
  void BeforeStart() override {
    installed = dir + "prog\\";
    CreateDirectoryA(installed.c_str(), nullptr);
    CopyFileA((ProgramFolder() + "standard.vxt").c_str(), (installed + "standard.vxt").c_str(), FALSE);
    Write("prog\\template.htm", "<HTML><BODY>from the template</BODY></HTML>\r\n");
    SetProgramFolder(installed);
  }
  void TearDown() override {
    FrameTest::TearDown();
    DeleteFileA((installed + "standard.vxt").c_str());
    DeleteFileA((installed + "template.htm").c_str());
    RemoveDirectoryA(installed.c_str());
    RemoveDirectoryA(dir.c_str());
  }
};

TEST_F(TemplateTest, NewDocumentsStartFromItAndStayUntitled) {
  frame->NewDoc(frame);
  ASSERT_EQ(TabCount(), 1);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(Editor()->GetLine(1), "<HTML><BODY>from the template</BODY></HTML>");
  EXPECT_TRUE(Editor()->Untitled());
  EXPECT_EQ(TabCaption(0), "Untitled-0.htm");
  EXPECT_EQ(Editor()->FileName(), "Untitled-0.htm");
  // Saving asks for a name and leaves the template alone.
  Type("x");
  std::string name = dir + "fromtemplate.htm";
  SaveAs(name);
  frame->cmdSaveClick(frame);
  ASSERT_EQ(dialogNames.size(), 1u);
  EXPECT_EQ(dialogNames[0], "Untitled-0.htm");
  EXPECT_EQ(ReadFileBytes(name), "x<HTML><BODY>from the template</BODY></HTML>\r\n");
  EXPECT_EQ(ReadFileBytes(installed + "template.htm"), "<HTML><BODY>from the template</BODY></HTML>\r\n");
}

struct BadCustomListsTest : FrameTest {
  void BeforeStart() override {
    Write("vornix.cti", "not a list");
    Write("vornix.tsi", "");
    SetProgramFolder(dir);
  }
};

TEST_F(BadCustomListsTest, AreReportedAndTheStartGoesOn) {
  // One for each list, in the reader's words and with the file's name.
  EXPECT_EQ(messages, (std::vector<std::string>{"Invalid property value - " + dir + "vornix.cti",
                                                "Stream read error - " + dir + "vornix.tsi"}));
  EXPECT_EQ(frame->CusTags()->Count(), 0);
  EXPECT_EQ(frame->CusTool()->Count(), 0);
  EXPECT_EQ(frame->CustomPopUp->Items()->Count(), 2);  // the editor item and a line
  EXPECT_FALSE(frame->EditToolEnabled("siSave"));
  EXPECT_EQ(frame->OpenHTMLDialog->Filter(), frame->Settings()->DocFilter());
}
