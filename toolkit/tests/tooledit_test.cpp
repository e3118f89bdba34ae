// The combo edits: where the button sits and what it draws, the keys and the mouse as a
// person uses them, the file-name and directory edits with their dialogs answered by the
// test, and shell drops built here.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <windows.h>

#include <string>
#include <vector>

#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "framework/win/Forms.h"
#include "framework/win/SelectDir.h"
#include "toolkit/ToolEdit.h"
#include "toolkit/tests/settle.h"

namespace vx {
namespace {

void Pump() {
  for (int i = 0; i < 5; ++i) Application->ProcessMessages();
}

void SendKeys(std::vector<std::pair<WORD, bool>> keys) {
  std::vector<INPUT> in;
  for (auto [vk, up] : keys) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  Settle();
}
void Tap(WORD vk) { SendKeys({{vk, false}, {vk, true}}); }
void AltTap(WORD vk) { SendKeys({{VK_MENU, false}, {vk, false}, {vk, true}, {VK_MENU, true}}); }

void ClickScreen(POINT p) {
  SetCursorPos(p.x, p.y);
  Settle();
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
  Settle();
}

// The centre of the button on the screen.
POINT ButtonCentre(TCustomComboEdit* e) {
  RECT r;
  GetWindowRect(e->ButtonContainer()->Handle(), &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string TempDir(const char* leaf) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string d = std::string(tmp) + leaf + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(d.c_str(), nullptr);
  return d;
}

void Touch(const std::string& name) {
  HANDLE f = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(f);
}

// A shell drop of the names, as Explorer hands it to a window.
HGLOBAL MakeDrop(const std::vector<std::string>& names) {
  size_t size = sizeof(DROPFILES) + 2;  // the list ends with an empty name
  for (auto& n : names) size += n.size() + 1;
  HGLOBAL h = GlobalAlloc(GHND | GMEM_SHARE, size);
  auto* df = static_cast<DROPFILES*>(GlobalLock(h));
  df->pFiles = sizeof(DROPFILES);
  df->fWide = FALSE;
  char* p = reinterpret_cast<char*>(df) + sizeof(DROPFILES);
  for (auto& n : names) {
    memcpy(p, n.c_str(), n.size() + 1);
    p += n.size() + 1;
  }
  GlobalUnlock(h);
  return h;
}

struct ComboFixture : ::testing::Test {
  TForm* form = nullptr;
  std::vector<std::string> messages;
  void SetUp() override {
    form = CreateForm<TForm>(Application);
    form->SetBounds(60, 60, 420, 240);
    Application->OnMessageBox = [this](const AnsiString& text, const AnsiString&, UINT) {
      messages.push_back(text);
      return IDOK;
    };
  }
  void TearDown() override {
    Application->OnMessageBox = nullptr;
    Application->OnModalForm = nullptr;
    TCommonDialog::Handler() = nullptr;
    form->Free();
    Pump();
  }
  template <class T>
  T* Add(int x, int y, int w = 200) {
    auto* e = new T(form);
    e->SetParent(form);
    e->SetBounds(x, y, w, 21);
    return e;
  }
  void ShowAndFocus(TWinControl* c) {
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump();
    c->SetFocus();
    Pump();
  }
};

}  // namespace

TEST(ComboGeometry, ButtonPlaceMinimumHeightAndEllipsisDots) {
  RECT r = ComboButtonRect(121, 21, 21, true, true);
  EXPECT_EQ(r.left, 96);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right - r.left, 21);
  EXPECT_EQ(r.bottom - r.top, 17);
  r = ComboButtonRect(121, 21, 21, true, false);
  EXPECT_EQ(r.left, 98);
  EXPECT_EQ(r.top, 2);
  EXPECT_EQ(r.bottom - r.top, 17);
  r = ComboButtonRect(121, 21, 21, false, true);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 1);
  EXPECT_EQ(r.bottom - r.top, 20);
  EXPECT_EQ(ComboEditMinHeight(16, 13, 1), 18);
  EXPECT_EQ(ComboEditMinHeight(16, 20, 2), 25);
  // The gap between dots is half the spare width, at least 1 and at most 3, the group centred.
  EXPECT_EQ(EllipsisDotLefts(17), (std::array<int, 3>{2, 7, 12}));
  EXPECT_EQ(EllipsisDotLefts(12), (std::array<int, 3>{0, 5, 10}));
  EXPECT_EQ(EllipsisDotLefts(7), (std::array<int, 3>{0, 3, 6}));  // a gap of 0 becomes 1
  EXPECT_EQ(EllipsisDotLefts(6), (std::array<int, 3>{-1, 2, 5}));
}

TEST_F(ComboFixture, ButtonSitsInsideTheEditAndTheTextStopsBeforeIt) {
  auto* e = Add<TComboEdit>(10, 10);
  e->SetText("a rather long line of text that goes on well past the button's left edge");
  form->Show();
  Pump();
  // The container is a child of the edit, at its right end, the full client height.
  HWND box = e->ButtonContainer()->Handle();
  EXPECT_EQ(GetParent(box), e->Handle());
  RECT client, boxRect;
  GetClientRect(e->Handle(), &client);
  GetWindowRect(box, &boxRect);
  MapWindowPoints(nullptr, e->Handle(), reinterpret_cast<POINT*>(&boxRect), 2);
  EXPECT_EQ(boxRect.right, client.right);
  EXPECT_EQ(boxRect.top, 0);
  EXPECT_EQ(boxRect.bottom, client.bottom);
  EXPECT_EQ(boxRect.right - boxRect.left, 21);
  EXPECT_TRUE(GetWindowLongA(e->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);
  // The window under the button's centre is the container, so a click goes to the button.
  EXPECT_EQ(WindowFromPoint(ButtonCentre(e)), box);
  RECT fmt;
  SendMessageA(e->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&fmt));
  EXPECT_LE(fmt.right, boxRect.left - 2);
  // Still one line: the text does not wrap under a multi-line window.
  EXPECT_EQ(SendMessageA(e->Handle(), EM_GETLINECOUNT, 0, 0), 1);

  // Too low is raised to the fonts' minimum; the button follows any new size.
  e->SetHeight(6);
  EXPECT_GE(e->Height(), 15);
  e->SetBounds(10, 10, 260, 30);
  GetWindowRect(box, &boxRect);
  MapWindowPoints(nullptr, e->Handle(), reinterpret_cast<POINT*>(&boxRect), 2);
  GetClientRect(e->Handle(), &client);
  EXPECT_EQ(boxRect.right, client.right);
  EXPECT_EQ(boxRect.bottom, client.bottom);
  EXPECT_EQ(e->Button()->Height(), client.bottom);
}

TEST_F(ComboFixture, ButtonWidthAndGlyphKinds) {
  auto* c = Add<TComboEdit>(10, 10, 121);
  form->Show();
  EXPECT_EQ(c->GlyphKind(), gkCustom);
  EXPECT_EQ(c->ButtonWidth(), 21);
  EXPECT_EQ(c->ClickKey(), 32808);
  c->SetButtonWidth(c->ClientWidth());  // not narrower than the text area: ignored
  EXPECT_EQ(c->ButtonWidth(), 21);
  c->SetButtonWidth(30);
  EXPECT_EQ(c->ButtonWidth(), 30);
  EXPECT_EQ(c->ButtonContainer()->Width(), 30);

  c->SetGlyphKind(gkEllipsis);
  TBitmap* g = c->Glyph();
  ASSERT_FALSE(g->Empty());
  EXPECT_EQ(g->Width(), 26);
  EXPECT_EQ(g->Height(), 4);
  EXPECT_EQ(c->NumGlyphs(), 1);
  HDC dc = g->Canvas()->Handle();
  for (int x : EllipsisDotLefts(26)) {
    EXPECT_EQ(GetPixel(dc, x, 1) & 0xFFFFFF, 0u) << x;
    EXPECT_EQ(GetPixel(dc, x + 1, 2) & 0xFFFFFF, 0u) << x;
    EXPECT_EQ(GetPixel(dc, x, 0) & 0xFFFFFF, 0xFFFFFFu) << x;
  }
  c->SetNumGlyphs(3);
  EXPECT_EQ(c->NumGlyphs(), 1);
  c->SetGlyphKind(gkDropDown);
  ASSERT_FALSE(c->Glyph()->Empty());
  EXPECT_EQ(c->NumGlyphs(), 1);
  // The arrow shows: the colour left out (bottom-left) is not the arrow's black.
  EXPECT_EQ(c->Glyph()->TransparentColor() & 0xFFFFFF, 0xFFFFFFu);
  int black = 0;
  for (int y = 0; y < c->Glyph()->Height(); ++y)
    for (int x = 0; x < c->Glyph()->Width(); ++x)
      black += (GetPixel(c->Glyph()->Canvas()->Handle(), x, y) & 0xFFFFFF) == 0;
  EXPECT_GT(black, 5);
  TBitmap own;
  own.SetSize(8, 8);
  c->SetGlyph(&own);
  EXPECT_EQ(c->GlyphKind(), gkCustom);

  // The file edits' own glyph is 16 wide: a narrower button is widened to hold it.
  auto* f = Add<TFilenameEdit>(10, 40, 121);
  EXPECT_EQ(f->GlyphKind(), gkDefault);
  ASSERT_FALSE(f->Glyph()->Empty());
  EXPECT_EQ(f->Glyph()->Width(), 16);
  f->SetButtonWidth(10);
  EXPECT_EQ(f->ButtonWidth(), 20);
  auto* d = Add<TDirectoryEdit>(10, 70, 121);
  EXPECT_EQ(d->Glyph()->Width(), 16);
  EXPECT_TRUE(f->OEMConvert());
}

TEST_F(ComboFixture, ButtonPaintsItsLeftEdgeAgainstTheText) {
  auto* c = Add<TComboEdit>(10, 10);
  form->Show();
  Pump();
  HWND box = c->ButtonContainer()->Handle();
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(box);
  int h = c->Button()->Height();
  EXPECT_EQ(GetPixel(dc, 0, h / 2) & 0xFFFFFF, ColorToRGB(clBtnFace) & 0xFFFFFF);
  EXPECT_EQ(GetPixel(dc, 1, h / 2) & 0xFFFFFF, ColorToRGB(clBtnHighlight) & 0xFFFFFF);
  ReleaseDC(box, dc);
}

TEST_F(ComboFixture, ClicksAndAltDownRunTheButtonUnlessReadOnly) {
  auto* e = Add<TComboEdit>(10, 10);
  auto* other = Add<TEdit>(10, 50);
  int clicks = 0;
  e->OnButtonClick = [&](TObject* s) {
    EXPECT_EQ(s, e);
    ++clicks;
  };
  ShowAndFocus(e);
  ClickScreen(ButtonCentre(e));
  EXPECT_EQ(clicks, 1);
  e->SetFocus();
  Pump();
  AltTap(VK_DOWN);
  EXPECT_EQ(clicks, 2);
  e->SetReadOnly(true);
  ClickScreen(ButtonCentre(e));
  AltTap(VK_DOWN);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(GetWindowLongA(e->Handle(), GWL_STYLE) & ES_READONLY);
  // A disabled edit has a disabled button.
  e->SetReadOnly(false);
  e->SetEnabled(false);
  EXPECT_FALSE(e->Button()->Enabled());
  e->SetEnabled(true);
  EXPECT_TRUE(e->Button()->Enabled());
  (void)other;
}

TEST_F(ComboFixture, DirectInputOffRefusesTypingAndPastingButNotTheButton) {
  auto* e = Add<TComboEdit>(10, 10);
  int clicks = 0;
  e->OnButtonClick = [&](TObject*) { ++clicks; };
  e->SetText("kept");
  e->SetDirectInput(false);
  ShowAndFocus(e);
  EXPECT_TRUE(GetWindowLongA(e->Handle(), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(e->ReadOnly());
  EXPECT_TRUE(e->EditCanModify());
  Tap('X');
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 6);
  memcpy(GlobalLock(h), "paste", 6);
  GlobalUnlock(h);
  SetClipboardData(CF_TEXT, h);
  CloseClipboard();
  SendMessageA(e->Handle(), WM_PASTE, 0, 0);
  SendMessageA(e->Handle(), EM_SETSEL, 0, -1);
  SendMessageA(e->Handle(), WM_CUT, 0, 0);
  EXPECT_EQ(e->Text(), "kept");
  AltTap(VK_DOWN);
  EXPECT_EQ(clicks, 1);
  // Typing and pasting come back with DirectInput.
  e->SetDirectInput(true);
  SendMessageA(e->Handle(), EM_SETSEL, 4, 4);
  SendMessageA(e->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(e->Text(), "keptpaste");
}

TEST_F(ComboFixture, EnterAndEscReachTheFormsButtonsAndTabMovesOn) {
  auto* e = Add<TComboEdit>(10, 10);
  auto* next = Add<TEdit>(10, 50);
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetBounds(10, 90, 75, 25);
  ok->SetDefault(true);
  auto* cancel = new TButton(form);
  cancel->SetParent(form);
  cancel->SetBounds(100, 90, 75, 25);
  cancel->SetCancel(true);
  int oks = 0, cancels = 0;
  ok->OnClick = [&](TObject*) { ++oks; };
  cancel->OnClick = [&](TObject*) { ++cancels; };
  e->SetText("name");
  ShowAndFocus(e);
  Tap(VK_RETURN);
  EXPECT_EQ(oks, 1);  // once, not once for the key and again for the character
  EXPECT_EQ(e->Text(), "name");
  Tap(VK_ESCAPE);
  EXPECT_EQ(cancels, 1);
  EXPECT_TRUE(IsWindow(e->ButtonContainer()->Handle()));
  EXPECT_EQ(GetFocus(), e->Handle());
  Tap(VK_TAB);
  EXPECT_EQ(GetFocus(), next->Handle());
  EXPECT_EQ(e->Text(), "name");
  // Entering by keyboard selects the whole text.
  SendKeys({{VK_SHIFT, false}, {VK_TAB, false}, {VK_TAB, true}, {VK_SHIFT, true}});
  EXPECT_EQ(GetFocus(), e->Handle());
  EXPECT_TRUE(e->HasFocus());
  EXPECT_EQ(e->SelLength(), 4);
}

TEST_F(ComboFixture, FileNameIsTheFirstWordAndBadNamesAreRefused) {
  auto* f = Add<TFilenameEdit>(10, 10);
  EXPECT_EQ(f->DialogTitle(), "Browse");
  EXPECT_EQ(f->Filter(), "All files (*.*)|*.*");
  f->SetText("\"C:\\Program Files\\Web Browser\\web.exe\" -new page.htm");
  EXPECT_EQ(f->FileName(), "C:\\Program Files\\Web Browser\\web.exe");
  f->SetFileName("C:\\Notes\\C++ notes.htm");
  EXPECT_EQ(f->Text(), "\"C:\\Notes\\C++ notes.htm\"");
  EXPECT_EQ(f->FileName(), "C:\\Notes\\C++ notes.htm");
  f->SetFileName("C:\\a,b;c=d.htm");
  EXPECT_EQ(f->Text(), "C:\\a,b;c=d.htm");
  try {
    f->SetFileName("C:\\a|b.htm");
    ADD_FAILURE() << "no error";
  } catch (const EComboEditError& e) {
    EXPECT_EQ(e.Message(), "Invalid file name - C:\\a|b.htm");
  }
  EXPECT_EQ(f->Text(), "C:\\a,b;c=d.htm");
  f->SetFileName("");
  EXPECT_EQ(f->Text(), "");
}

TEST_F(ComboFixture, FileDialogStartsAtTheNameAndItsChoiceIsQuotedWhenItHasBlanks) {
  std::string dir = TempDir("vx_tooledit_");
  auto* f = Add<TFilenameEdit>(10, 10);
  f->SetText(dir + "old.htm");
  AnsiString seenName, seenDir;
  AnsiString choice = "C:\\Program Files\\Web Browser\\web.exe";
  TCommonDialog::Handler() = [&](TCommonDialog* d) {
    auto* o = dynamic_cast<TOpenDialog*>(d);
    seenName = o->FileName();
    seenDir = o->InitialDir();
    o->SetFileName(choice);
    return true;
  };
  AnsiString afterName;
  f->OnAfterDialog = [&](TObject*, AnsiString& name, bool& action) { afterName = name; };
  ShowAndFocus(f);
  ClickScreen(ButtonCentre(f));
  EXPECT_EQ(seenName, dir + "old.htm");
  EXPECT_EQ(seenDir, dir);
  EXPECT_EQ(afterName, choice);
  EXPECT_EQ(f->Text(), "\"" + choice + "\"");
  EXPECT_EQ(f->InitialDir(), "C:\\Program Files\\Web Browser\\");
  choice = "C:\\web.exe";
  AltTap(VK_DOWN);
  EXPECT_EQ(f->Text(), "C:\\web.exe");
  // OnBeforeDialog can stop the dialog; OnAfterDialog can keep the old text after OK.
  int dialogs = 0;
  TCommonDialog::Handler() = [&](TCommonDialog*) {
    ++dialogs;
    return true;
  };
  f->OnBeforeDialog = [&](TObject*, AnsiString&, bool& action) { action = false; };
  AltTap(VK_DOWN);
  EXPECT_EQ(dialogs, 0);
  f->OnBeforeDialog = nullptr;
  f->OnAfterDialog = [&](TObject*, AnsiString&, bool& action) { action = false; };
  AltTap(VK_DOWN);
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(f->Text(), "C:\\web.exe");
  RemoveDirectoryA(dir.c_str());
}

TEST_F(ComboFixture, DropsTakeTheFirstNameAndAlwaysReleaseTheDrop) {
  std::string dir = TempDir("vx_drop_");
  std::string file = dir + "C++ notes.htm";
  Touch(file);
  auto* d = Add<TDirectoryEdit>(10, 10);
  auto* f = Add<TFilenameEdit>(10, 40);
  int drops = 0;
  d->OnDropFiles = [&](TObject*) { ++drops; };
  form->Show();
  Pump();
  EXPECT_FALSE(GetWindowLongA(d->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  d->SetAcceptFiles(true);
  f->SetAcceptFiles(true);
  EXPECT_TRUE(GetWindowLongA(d->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  d->SetAlignment(taLeftJustify);
  d->SetCtl3D(false);  // a new window: the registration is renewed
  EXPECT_TRUE(GetWindowLongA(d->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

  // A file gives its folder with the trailing separator; a folder itself; later names are left.
  HGLOBAL drop = MakeDrop({file, dir + "second.htm"});
  EXPECT_EQ(SendMessageA(d->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0), 0);
  EXPECT_EQ(d->Text(), dir);
  EXPECT_EQ(GlobalSize(drop), 0u);  // released
  drop = MakeDrop({ExcludeTrailingBackslash(dir)});
  SendMessageA(d->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(d->Text(), ExcludeTrailingBackslash(dir));
  EXPECT_EQ(drops, 2);
  drop = MakeDrop({});
  SendMessageA(d->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(drops, 2);
  EXPECT_EQ(GlobalSize(drop), 0u);

  // A legal name with "+" and a blank is taken; a name Windows refuses is reported, and
  // the drop is still released without an exception leaving the window.
  drop = MakeDrop({file});
  SendMessageA(f->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(f->FileName(), file);
  EXPECT_EQ(f->Text(), "\"" + file + "\"");
  drop = MakeDrop({"C:\\a|b.htm"});
  SendMessageA(f->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(messages, (std::vector<std::string>{"Invalid file name - C:\\a|b.htm"}));
  EXPECT_EQ(GlobalSize(drop), 0u);
  EXPECT_EQ(f->FileName(), file);
  // A drop posted as Explorer does arrives through the message loop just as well.
  drop = MakeDrop({dir + "other.htm"});
  PostMessageA(f->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  Pump();
  EXPECT_EQ(f->Text(), dir + "other.htm");
  DeleteFileA(file.c_str());
  RemoveDirectoryA(dir.c_str());
}

TEST_F(ComboFixture, DirectoryDialogStartsAtTheRootAndCreatesAFolderAfterAsking) {
  std::string dir = TempDir("vx_dirdlg_");
  std::string fresh = dir + "made here";
  auto* d = Add<TDirectoryEdit>(10, 10);
  d->SetDialogOptions({sdAllowCreate, sdPerformCreate, sdPrompt});
  AnsiString startedAt;
  std::vector<std::string> asked;
  int answer = IDNO;
  Application->OnMessageBox = [&](const AnsiString& text, const AnsiString&, UINT) {
    asked.push_back(text);
    return answer;
  };
  bool stayedOpen = false;
  Application->OnModalForm = [&](TForm* f) {
    auto* dlg = dynamic_cast<TSelectDirDlg*>(f);
    ASSERT_NE(dlg, nullptr);
    // The dialog's controls lie inside its client area.
    RECT client;
    GetClientRect(dlg->Handle(), &client);
    for (TControl* c : {static_cast<TControl*>(dlg->DirEdit), static_cast<TControl*>(dlg->DirList),
                        static_cast<TControl*>(dlg->OKButton), static_cast<TControl*>(dlg->DriveList)})
      EXPECT_LE(c->Left() + c->Width(), client.right);
    startedAt = dlg->DirEdit->Text();
    dlg->DirEdit->SetText(fresh);
    dlg->OKButton->Click();  // "No": the dialog stays
    stayedOpen = dlg->ModalResult() == mrNone;
    answer = IDYES;
    dlg->OKButton->Click();
  };
  ShowAndFocus(d);
  AltTap(VK_DOWN);
  // An empty edit without InitialDir starts at the root of the current drive.
  EXPECT_TRUE(SameText(startedAt, GetCurrentDir().substr(0, 2) + "\\")) << startedAt;
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_NE(asked[0].find(fresh), std::string::npos);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(DirectoryExists(fresh));
  EXPECT_EQ(d->Text(), fresh);
  EXPECT_EQ(d->InitialDir(), fresh);
  EXPECT_EQ(GetFocus(), d->Handle());

  // A folder that exists is taken without a question; Cancel keeps the text.
  asked.clear();
  Application->OnModalForm = [&](TForm* f) {
    auto* dlg = static_cast<TSelectDirDlg*>(f);
    startedAt = dlg->DirEdit->Text();
    dlg->DirEdit->SetText(dir);
    dlg->OKButton->Click();
  };
  AltTap(VK_DOWN);
  EXPECT_TRUE(asked.empty());
  EXPECT_TRUE(SameText(startedAt, fresh)) << startedAt;
  EXPECT_EQ(d->Text(), ExcludeTrailingBackslash(dir));
  Application->OnModalForm = [&](TForm* f) { static_cast<TSelectDirDlg*>(f)->CancelButton->Click(); };
  AltTap(VK_DOWN);
  EXPECT_EQ(d->Text(), ExcludeTrailingBackslash(dir));

  // Without leave to create, a typed name cannot be chosen.
  d->SetDialogOptions({});
  Application->OnModalForm = [&](TForm* f) {
    auto* dlg = static_cast<TSelectDirDlg*>(f);
    EXPECT_TRUE(dlg->DirEdit->ReadOnly());
    dlg->DirEdit->SetText(dir + "never");
    dlg->OKButton->Click();
  };
  AltTap(VK_DOWN);
  EXPECT_EQ(d->Text(), ExcludeTrailingBackslash(dir));
  EXPECT_FALSE(DirectoryExists(dir + "never"));
  RemoveDirectoryA(fresh.c_str());
  RemoveDirectoryA(dir.c_str());
}

}  // namespace vx
