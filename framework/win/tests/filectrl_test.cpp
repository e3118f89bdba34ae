#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "framework/core/SysUtils.h"
#include "framework/win/FileCtrl.h"
#include "framework/win/Forms.h"

using namespace vx;

namespace {

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string n = fd.cFileName;
      if (n == "." || n == "..") continue;
      std::string p = dir + "\\" + n;
      SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(p);
      else
        DeleteFileA(p.c_str());
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}

void Touch(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  CloseHandle(h);
}

std::vector<std::string> ItemsOf(TStrings* s) {
  std::vector<std::string> v;
  for (int i = 0; i < s->Count(); ++i) v.push_back(s->Strings(i));
  return v;
}

// A temporary tree: root\{alpha\deep, Beta, A&B} and files of several kinds in root.
struct FileCtrlFixture : ::testing::Test {
  TForm* form = nullptr;
  std::string root;
  std::vector<std::string> messages;

  void SetUp() override {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    root = ExcludeTrailingBackslash(ExpandFileName(tmp)) + "\\vxfc" + std::to_string(GetCurrentProcessId());
    RemoveTree(root);
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    for (const char* d : {"alpha", "alpha\\deep", "Beta", "A&B"}) CreateDirectoryA((root + "\\" + d).c_str(), nullptr);
    for (const char* f : {"index.html", "page.htm", "Page2.HTM", "notes.txt", "pic.gif", "noext", "x.htmlx",
                          "hidden.htm", "alpha\\a1.htm", "alpha\\deep\\d.txt"})
      Touch(root + "\\" + f);
    SetFileAttributesA((root + "\\hidden.htm").c_str(), FILE_ATTRIBUTE_HIDDEN);
    // The drive letter comes back in lower case from the controls.
    root[0] = static_cast<char>(tolower(static_cast<unsigned char>(root[0])));
    form = CreateForm<TForm>(Application);
    form->SetBounds(40, 40, 520, 360);
    Application->OnMessageBox = [this](const AnsiString& text, const AnsiString&, UINT) {
      messages.push_back(text);
      return IDOK;
    };
  }
  void TearDown() override {
    Application->OnMessageBox = nullptr;
    form->Free();
    RemoveTree(root);
  }
  // A notification from the control to its parent, as the system sends it.
  void Notify(TWinControl* c, WORD code) {
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, code), reinterpret_cast<LPARAM>(c->Handle()));
  }
};

}  // namespace

TEST(FileCtrlHelpers, MasksFiltersAndShortenedNames) {
  EXPECT_TRUE(MatchesMask("index.HTML", "*.htm;*.html"));
  EXPECT_TRUE(MatchesMask("page.htm", " *.htm ; *.html"));
  EXPECT_FALSE(MatchesMask("x.htmlx", "*.htm;*.html"));
  EXPECT_FALSE(MatchesMask("a.htm.bak", "*.htm"));
  EXPECT_TRUE(MatchesMask("noext", "*.*"));
  EXPECT_TRUE(MatchesMask("noext", ""));
  EXPECT_TRUE(MatchesMask("noext", "noext.*"));
  EXPECT_TRUE(MatchesMask("p1.gif", "p?.gif"));
  EXPECT_FALSE(MatchesMask("p12.gif", "p?.gif"));
  EXPECT_TRUE(MatchesMask("aXbXc", "a*b*c"));

  auto f = SplitFilter("HTML files (*.html)|*.html|All Files|*.*");
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].first, "HTML files (*.html)");
  EXPECT_EQ(f[0].second, "*.html");
  EXPECT_EQ(f[1].second, "*.*");
  // A name without its mask, and an empty mask, show every file.
  auto g = SplitFilter("Pictures|*.gif;*.jpg|Loose");
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0].second, "*.gif;*.jpg");
  EXPECT_EQ(g[1].first, "Loose");
  EXPECT_EQ(g[1].second, "*.*");
  EXPECT_TRUE(SplitFilter("").empty());

  auto within = [](size_t n) { return [n](const AnsiString& s) { return s.size() <= n; }; };
  EXPECT_EQ(MinimizeName("c:\\one\\two\\three\\file", within(100)), "c:\\one\\two\\three\\file");
  EXPECT_EQ(MinimizeName("c:\\one\\two\\three\\file", within(20)), "c:\\...\\three\\file");
  EXPECT_EQ(MinimizeName("c:\\one\\two\\three\\file", within(9)), "...\\file");
  EXPECT_EQ(MinimizeName("c:\\one\\two\\three\\file", within(2)), "file");
  EXPECT_EQ(MinimizeName("\\\\srv\\share\\aaaa\\bbbb\\c", within(20)), "\\\\srv\\share\\...\\c");
}

TEST_F(FileCtrlFixture, LinkedControlsFollowOneAnother) {
  auto* drives = new TDriveComboBox(form);
  drives->SetParent(form);
  auto* dirs = new TDirectoryListBox(form);
  dirs->SetParent(form);
  dirs->SetBounds(0, 30, 200, 200);
  auto* files = new TFileListBox(form);
  files->SetParent(form);
  files->SetBounds(210, 30, 200, 200);
  auto* filter = new TFilterComboBox(form);
  filter->SetParent(form);
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetAutoSize(false);
  label->SetBounds(0, 240, 500, 20);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  drives->SetDirList(dirs);
  dirs->SetFileList(files);
  dirs->SetDirLabel(label);
  filter->SetFileList(files);
  files->SetFileEdit(edit);
  form->Show();

  int dirChanges = 0, fileChanges = 0, filterChanges = 0;
  dirs->OnChange = [&](TObject*) { ++dirChanges; };
  files->OnChange = [&](TObject*) { ++fileChanges; };
  filter->OnChange = [&](TObject*) { ++filterChanges; };

  dirs->SetDirectory(root);
  EXPECT_EQ(dirChanges, 1);
  EXPECT_TRUE(SameText(dirs->Directory(), root)) << dirs->Directory();
  EXPECT_TRUE(SameText(files->Directory(), root));
  EXPECT_EQ(label->Caption(), dirs->Directory());
  EXPECT_EQ(drives->Drive(), root[0]);
  // The path down to the folder, then its subfolders sorted without regard to case.
  int n = dirs->Items()->Count();
  ASSERT_GE(n, 4);
  EXPECT_EQ(ItemsOf(dirs->Items()).back(), "Beta");
  EXPECT_EQ(dirs->Items()->Strings(n - 3), "A&B");
  EXPECT_EQ(dirs->Items()->Strings(n - 2), "alpha");
  EXPECT_EQ(dirs->Items()->Strings(0), root.substr(0, 3));
  EXPECT_EQ(dirs->ItemIndex(), n - 4);
  EXPECT_TRUE(SameText(dirs->GetItemPath(n - 2), root + "\\alpha"));
  EXPECT_THROW(dirs->GetItemPath(n), EStringListError);

  // The filter's first entry applies at once; hidden files and look-alikes stay out.
  filter->SetFilter("HTML files (*.htm;*.html)|*.htm;*.html|All Files|*.*");
  EXPECT_EQ(filter->Items()->Count(), 2);
  EXPECT_EQ(files->Mask(), "*.htm;*.html");
  EXPECT_EQ(ItemsOf(files->Items()), (std::vector<std::string>{"index.html", "page.htm", "Page2.HTM"}));
  EXPECT_EQ(edit->Text(), "*.htm;*.html");
  EXPECT_EQ(filterChanges, 1);

  // The user picks "All Files".
  SendMessageA(filter->Handle(), CB_SETCURSEL, 1, 0);
  Notify(filter, CBN_SELCHANGE);
  EXPECT_EQ(filterChanges, 2);
  EXPECT_EQ(files->Mask(), "*.*");
  EXPECT_EQ(ItemsOf(files->Items()), (std::vector<std::string>{"index.html", "noext", "notes.txt", "page.htm",
                                                               "Page2.HTM", "pic.gif", "x.htmlx"}));

  // A click on a file: OnChange with the full path, the edit shows the name.
  int clicks = 0;
  files->OnClick = [&](TObject*) { ++clicks; };
  SendMessageA(files->Handle(), LB_SETCURSEL, 2, 0);
  Notify(files, LBN_SELCHANGE);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(fileChanges, 1);
  EXPECT_TRUE(SameText(files->FileName(), root + "\\notes.txt"));
  EXPECT_EQ(edit->Text(), "notes.txt");
  // The same selection again is no change.
  Notify(files, LBN_SELCHANGE);
  EXPECT_EQ(fileChanges, 1);

  // A double click on a folder opens it; the files, the label and the drive follow.
  SendMessageA(dirs->Handle(), LB_SETCURSEL, n - 2, 0);
  Notify(dirs, LBN_SELCHANGE);
  EXPECT_EQ(dirChanges, 1);  // a click only selects
  int dbl = 0;
  dirs->OnDblClick = [&](TObject*) { ++dbl; };
  RECT ir = dirs->ItemRect(n - 2);
  SendMessageA(dirs->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(ir.left + 30, ir.top + 2));
  SendMessageA(dirs->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(ir.left + 30, ir.top + 2));
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(dirChanges, 2);
  EXPECT_TRUE(SameText(dirs->Directory(), root + "\\alpha"));
  EXPECT_TRUE(SameText(files->Directory(), root + "\\alpha"));
  EXPECT_EQ(ItemsOf(files->Items()), (std::vector<std::string>{"a1.htm"}));
  EXPECT_EQ(fileChanges, 2);  // the chosen file went away with its folder
  EXPECT_EQ(files->FileName(), "");
  EXPECT_EQ(edit->Text(), "*.*");
  EXPECT_EQ(ItemsOf(dirs->Items()).back(), "deep");

  // Enter opens the selected folder too (the path item one level up).
  SendMessageA(dirs->Handle(), LB_SETCURSEL, dirs->ItemIndex() - 1, 0);
  WORD key = VK_RETURN;
  dirs->OnKeyDown = nullptr;
  SendMessageA(dirs->Handle(), WM_KEYDOWN, key, 0);
  EXPECT_TRUE(SameText(dirs->Directory(), root));

  // Choosing a file by its full name in another folder moves the directory list there.
  files->SetFileName(root + "\\alpha\\deep\\d.txt");
  EXPECT_TRUE(SameText(dirs->Directory(), root + "\\alpha\\deep"));
  EXPECT_TRUE(SameText(files->FileName(), root + "\\alpha\\deep\\d.txt"));
  EXPECT_EQ(edit->Text(), "d.txt");

  // A narrow label shows the folder shortened in the middle.
  label->SetWidth(120);
  dirs->SetDirectory(root);
  EXPECT_NE(label->Caption(), dirs->Directory());
  EXPECT_NE(label->Caption().find("..."), std::string::npos) << label->Caption();

  // Freeing a linked control leaves no dangling link behind.
  files->Free();
  dirs->SetDirectory(root + "\\Beta");
  filter->SetItemIndex(0);
  dirs->Free();
  EXPECT_EQ(drives->DirList(), nullptr);
  EXPECT_EQ(filter->FileList(), nullptr);
  EXPECT_TRUE(messages.empty());
}

TEST_F(FileCtrlFixture, TypedPathsMasksAndMultiSelect) {
  auto* dirs = new TDirectoryListBox(form);
  dirs->SetParent(form);
  auto* files = new TFileListBox(form);
  files->SetParent(form);
  files->SetBounds(210, 30, 200, 200);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  dirs->SetFileList(files);
  files->SetFileEdit(edit);
  dirs->SetDirectory(root);
  form->Show();

  // A folder name, relative to the shown folder, opens it through the directory list.
  EXPECT_TRUE(files->ApplyFilePath("alpha"));
  EXPECT_TRUE(SameText(dirs->Directory(), root + "\\alpha"));
  EXPECT_TRUE(files->ApplyFilePath(".."));
  EXPECT_TRUE(SameText(dirs->Directory(), root));
  // A mask with wildcards becomes the mask; a file name selects it.
  EXPECT_TRUE(files->ApplyFilePath("*.txt"));
  EXPECT_EQ(files->Mask(), "*.txt");
  EXPECT_EQ(ItemsOf(files->Items()), (std::vector<std::string>{"notes.txt"}));
  EXPECT_EQ(edit->Text(), "*.txt");
  EXPECT_TRUE(files->ApplyFilePath("NOTES.TXT"));
  EXPECT_TRUE(SameText(files->FileName(), root + "\\notes.txt"));
  // A folder and a mask at once.
  EXPECT_TRUE(files->ApplyFilePath("alpha\\*.htm"));
  EXPECT_TRUE(SameText(dirs->Directory(), root + "\\alpha"));
  EXPECT_EQ(files->Mask(), "*.htm");
  // A file the mask hides is still found, and the mask widens to show it.
  EXPECT_TRUE(files->ApplyFilePath(root + "\\pic.gif"));
  EXPECT_TRUE(SameText(files->FileName(), root + "\\pic.gif"));
  EXPECT_EQ(files->Mask(), "*.*");
  // Names of nothing change nothing.
  EXPECT_FALSE(files->ApplyFilePath("nowhere\\a.txt"));
  EXPECT_FALSE(files->ApplyFilePath("missing.txt"));
  EXPECT_FALSE(files->ApplyFilePath("   "));
  EXPECT_TRUE(SameText(dirs->Directory(), root));

  // Several files chosen at once; FileName is the focused one while it is selected.
  files->SetMask("*.htm;*.html");
  files->SetMultiSelect(true);
  int changes = 0;
  files->OnChange = [&](TObject*) { ++changes; };
  files->SetItemIndex(0);
  files->SetSelected(2, true);
  EXPECT_EQ(files->SelCount(), 2);
  auto sel = files->SelectedFiles();
  ASSERT_EQ(sel.size(), 2u);
  EXPECT_TRUE(SameText(sel[0], root + "\\index.html"));
  EXPECT_TRUE(SameText(sel[1], root + "\\Page2.HTM"));
  EXPECT_TRUE(SameText(files->FileName(), root + "\\index.html"));
  EXPECT_EQ(changes, 1);
  files->SetSelected(0, false);
  EXPECT_EQ(files->FileName(), "");
  // The selection survives the window being made again.
  files->SetShowGlyphs(true);
  EXPECT_TRUE(files->Selected(2));
  EXPECT_FALSE(files->Selected(0));

  // Update keeps the chosen file and takes in new ones.
  files->SetMultiSelect(false);
  files->SetFileName("page.htm");
  Touch(root + "\\added.htm");
  files->Update();
  EXPECT_EQ(files->Items()->Strings(0), "added.htm");
  EXPECT_TRUE(SameText(files->FileName(), root + "\\page.htm"));
}

TEST_F(FileCtrlFixture, UnreadableFoldersAndDrivesAreExplained) {
  auto* drives = new TDriveComboBox(form);
  drives->SetParent(form);
  auto* dirs = new TDirectoryListBox(form);
  dirs->SetParent(form);
  auto* files = new TFileListBox(form);
  files->SetParent(form);
  drives->SetDirList(dirs);
  dirs->SetFileList(files);
  dirs->SetDirectory(root + "\\alpha");
  form->Show();

  // Setting a folder that is not there raises and moves nothing.
  EXPECT_THROW(dirs->SetDirectory(root + "\\gone"), EInOutError);
  EXPECT_THROW(files->SetDirectory(root + "\\gone"), EInOutError);
  EXPECT_TRUE(SameText(dirs->Directory(), root + "\\alpha"));
  EXPECT_TRUE(SameText(files->Directory(), root + "\\alpha"));

  // A subfolder removed behind the list's back: opening it explains and stays put.
  int n = dirs->Items()->Count();
  ASSERT_EQ(dirs->Items()->Strings(n - 1), "deep");
  RemoveTree(root + "\\alpha\\deep");
  SendMessageA(dirs->Handle(), LB_SETCURSEL, n - 1, 0);
  dirs->OpenCurrent();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("cannot be read"), std::string::npos) << messages[0];
  EXPECT_TRUE(SameText(dirs->Directory(), root + "\\alpha"));
  EXPECT_EQ(dirs->ItemIndex(), n - 2);

  // The shown folder removed: Update moves to the nearest parent that is left.
  RemoveTree(root + "\\alpha");
  dirs->Update();
  EXPECT_TRUE(SameText(dirs->Directory(), root));
  EXPECT_TRUE(SameText(files->Directory(), root));

  // A drive letter that is no drive: refused by code with an exception...
  DWORD mask = GetLogicalDrives();
  char missing = 0;
  for (char d = 'y'; d >= 'd' && !missing; --d)
    if (!(mask & (1u << (d - 'a')))) missing = d;
  ASSERT_NE(missing, 0);
  EXPECT_FALSE(DriveReadable(missing));
  EXPECT_THROW(drives->SetDrive(missing), EInOutError);
  EXPECT_THROW(dirs->SetDrive(missing), EInOutError);
  EXPECT_EQ(drives->Drive(), root[0]);

  // ...and, picked by the user from the list, explained in a message while the
  // controls stay on the drive they had. The drive is mapped for the list, then unmapped.
  char target[8] = {static_cast<char>(toupper(missing)), ':', 0};
  if (!DefineDosDeviceA(0, target, root.c_str())) GTEST_SKIP() << "no drive can be mapped at run time";
  drives->BuildList();
  DefineDosDeviceA(DDD_REMOVE_DEFINITION, target, nullptr);
  int index = drives->Items()->IndexOf(AnsiString(1, missing) + ":");
  if (index < 0) GTEST_SKIP() << "this system does not list a drive mapped at run time";
  int changes = 0;
  drives->OnChange = [&](TObject*) { ++changes; };
  messages.clear();
  SendMessageA(drives->Handle(), CB_SETCURSEL, index, 0);
  Notify(drives, CBN_SELCHANGE);
  Notify(drives, CBN_CLOSEUP);
  Application->ProcessMessages();
  ASSERT_EQ(messages.size(), 1u);  // once, however many notices came
  EXPECT_NE(messages[0].find("is not ready"), std::string::npos) << messages[0];
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(drives->Drive(), root[0]);
  EXPECT_EQ(drives->Items()->Strings(drives->ItemIndex()).substr(0, 2), root.substr(0, 2));
  EXPECT_TRUE(SameText(dirs->Directory(), root));
}

TEST_F(FileCtrlFixture, DriveChoiceMovesTheDirectoryList) {
  auto* drives = new TDriveComboBox(form);
  drives->SetParent(form);
  auto* dirs = new TDirectoryListBox(form);
  dirs->SetParent(form);
  drives->SetDirList(dirs);
  dirs->SetDirectory(root);
  form->Show();
  // Another readable drive (Wine gives z: for the whole file system).
  char other = 0;
  for (int i = 0; i < drives->Items()->Count(); ++i) {
    char d = drives->Items()->Strings(i)[0];
    if (d != root[0] && DriveTypeOf(d) == dtFixed && DriveReadable(d)) other = d;
  }
  if (!other) GTEST_SKIP() << "no second fixed drive";
  int changes = 0;
  drives->OnChange = [&](TObject*) { ++changes; };
  int index = drives->Items()->IndexOf(drives->Items()->Strings(0));
  for (int i = 0; i < drives->Items()->Count(); ++i)
    if (drives->Items()->Strings(i)[0] == other) index = i;
  SendMessageA(drives->Handle(), CB_SETCURSEL, index, 0);
  Notify(drives, CBN_SELCHANGE);
  Application->ProcessMessages();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(drives->Drive(), other);
  EXPECT_EQ(dirs->Drive(), other);
  // Setting a folder on the first drive brings the combo back with it.
  dirs->SetDirectory(root);
  EXPECT_EQ(drives->Drive(), root[0]);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(messages.empty());
}

TEST_F(FileCtrlFixture, AutomaticDragSelectsAndDoubleClickFiresOnce) {
  auto* files = new TFileListBox(form);
  files->SetParent(form);
  files->SetBounds(10, 10, 200, 200);
  files->SetDirectory(root);
  files->SetMask("*.htm;*.html");
  files->SetDragMode(dmAutomatic);
  files->SetShowGlyphs(true);
  form->Show();
  int changes = 0, dbl = 0;
  files->OnChange = [&](TObject*) { ++changes; };
  files->OnDblClick = [&](TObject*) { ++dbl; };
  RECT r = files->ItemRect(1);
  LPARAM at = MAKELPARAM(r.left + 30, r.top + 2);
  SendMessageA(files->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  // The click chose the item and the list let go of the mouse.
  EXPECT_EQ(files->ItemIndex(), 1);
  EXPECT_TRUE(SameText(files->FileName(), root + "\\page.htm"));
  EXPECT_EQ(changes, 1);
  EXPECT_NE(GetCapture(), files->Handle());
  SendMessageA(files->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(files->Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(dbl, 1);
}

TEST_F(FileCtrlFixture, GlyphsAreDrawnBeforeTheNames) {
  auto* dirs = new TDirectoryListBox(form);
  dirs->SetParent(form);
  dirs->SetDirectory(root);
  auto* files = new TFileListBox(form);
  files->SetParent(form);
  files->SetDirectory(root);
  files->SetShowGlyphs(true);
  auto* drives = new TDriveComboBox(form);
  drives->SetParent(form);
  form->Show();
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 200, 20);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  // Draws one item into the bitmap and reports which colours turned up where. The request
  // goes to the parent, as the system sends it, with the control's id (0).
  auto draw = [&](TWinControl* c, int index, bool& glyphColour, bool& textInk) {
    DRAWITEMSTRUCT di{};
    di.CtlType = c == drives ? ODT_COMBOBOX : ODT_LISTBOX;
    di.itemID = index;
    di.itemAction = ODA_DRAWENTIRE;
    di.hwndItem = c->Handle();
    di.hDC = dc;
    di.rcItem = RECT{0, 0, 200, 20};
    SendMessageA(form->Handle(), WM_DRAWITEM, GetDlgCtrlID(c->Handle()), reinterpret_cast<LPARAM>(&di));
    COLORREF bg = GetPixel(dc, 199, 0);
    glyphColour = textInk = false;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 200; ++x) {
        COLORREF p = GetPixel(dc, x, y);
        if (p == bg) continue;
        if (x < 20 && p != RGB(64, 64, 64) && p != GetSysColor(COLOR_WINDOWTEXT)) glyphColour = true;
        if (x >= 22) textInk = true;
      }
    }
  };
  bool glyph = false, ink = false;
  draw(dirs, 0, glyph, ink);
  EXPECT_TRUE(glyph);
  EXPECT_TRUE(ink);
  draw(files, 0, glyph, ink);
  EXPECT_TRUE(glyph);
  EXPECT_TRUE(ink);
  draw(drives, 0, glyph, ink);
  EXPECT_TRUE(glyph);
  EXPECT_TRUE(ink);
  // A deeper folder is drawn further right.
  auto firstInk = [&](int index) {
    DRAWITEMSTRUCT di{};
    di.itemID = index;
    di.hDC = dc;
    di.rcItem = RECT{0, 0, 200, 20};
    dirs->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di));
    COLORREF bg = GetPixel(dc, 199, 0);
    for (int x = 0; x < 200; ++x)
      for (int y = 0; y < 20; ++y)
        if (GetPixel(dc, x, y) != bg) return x;
    return -1;
  };
  EXPECT_GT(firstInk(1), firstInk(0));
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
}
