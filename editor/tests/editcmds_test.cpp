// The document window's editing commands end to end: undo, clipboard, case, tags, find and
// replace through the edit control's own dialogs, bookmarks, toggles, font, menus and keys.
#include "editor/EditCmds.h"
#include "editor/tests/frame_fixture.h"
#include "framework/win/Clipbrd.h"

using namespace vx;

namespace {

// ---- a driver for the edit control's own modal dialogs and message boxes --------------
// The control's find and replace dialogs and its "not found" box are the platform's own
// windows, so a timer answers them: every message box is recorded and closed; each find
// or replace dialog takes the next scripted step, and Cancel when none is left.
constexpr int kWhat = 100, kWith = 105, kReplaceOnce = 111, kReplaceAll = 112;

struct DialogDriver {
  std::deque<std::function<void(HWND)>> steps;
  std::vector<std::string> boxes;
  std::vector<std::string> seeded;  // the search text each dialog showed when it opened
};
DialogDriver* g_driver = nullptr;

std::string ItemText(HWND dlg, int id) {
  char buf[512] = "";
  GetDlgItemTextA(dlg, id, buf, sizeof buf);
  return buf;
}

BOOL CALLBACK CollectText(HWND h, LPARAM lp) {
  char buf[512] = "";
  GetWindowTextA(h, buf, sizeof buf);
  *reinterpret_cast<std::string*>(lp) += buf;
  return TRUE;
}

BOOL CALLBACK FindDialogs(HWND h, LPARAM lp) {
  char cls[16] = "";
  GetClassNameA(h, cls, sizeof cls);
  if (strcmp(cls, "#32770") == 0 && IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  return TRUE;
}

void CALLBACK DriverTick(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_driver) return;
  std::vector<HWND> dialogs;
  EnumThreadWindows(GetCurrentThreadId(), FindDialogs, reinterpret_cast<LPARAM>(&dialogs));
  // A message box first: it stands over the dialog that opened it.
  for (HWND h : dialogs) {
    if (GetDlgItem(h, kWhat)) continue;
    std::string text;
    EnumChildWindows(h, CollectText, reinterpret_cast<LPARAM>(&text));
    g_driver->boxes.push_back(text);
    PostMessageA(h, WM_COMMAND, IDOK, 0);
    return;
  }
  for (HWND h : dialogs) {
    g_driver->seeded.push_back(ItemText(h, kWhat));
    if (g_driver->steps.empty()) {
      PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
    } else {
      auto step = std::move(g_driver->steps.front());
      g_driver->steps.pop_front();
      step(h);
    }
    return;
  }
}

// Scripted steps.
std::function<void(HWND)> Press(int id, const char* what = nullptr, const char* with = nullptr) {
  return [=](HWND h) {
    if (what) SetDlgItemTextA(h, kWhat, what);
    if (with) SetDlgItemTextA(h, kWith, with);
    PostMessageA(h, WM_COMMAND, id, 0);
  };
}

struct EditCmdsTest : FrameTest {
  DialogDriver driver;
  UINT_PTR timer = 0;

  void SetUp() override {
    FrameTest::SetUp();
    g_driver = &driver;
    timer = SetTimer(nullptr, 0, 50, DriverTick);
  }
  void TearDown() override {
    KillTimer(nullptr, timer);
    g_driver = nullptr;
    FrameTest::TearDown();
  }

  // A document with this text and no undo history.
  void OpenText(const std::string& text) {
    frame->OpenInEditor(Write("doc.htm", text));
    Pump();
    ASSERT_NE(Editor(), nullptr);
    ASSERT_FALSE(Editor()->CanUndo());
  }
  void Select(int l1, int p1, int l2, int p2) {
    TxEdit* e = Editor();
    e->SetStartLine(l1);
    e->SetStartPos(p1);
    e->SetEndLine(l2);
    e->SetEndPos(p2);
    e->ApplySelection();
  }
  // The selection as "line:pos-line:pos".
  std::string Sel() {
    TxEdit* e = Editor();
    e->UpdateSelection();
    return std::to_string(e->StartLine()) + ":" + std::to_string(e->StartPos()) + "-" + std::to_string(e->EndLine()) +
           ":" + std::to_string(e->EndPos());
  }
  std::string Text() { return Editor()->GetText(); }
  TfrmEditWin* W() { return frmEditWin; }
  // The text the platform menu shows for an item (caption and short-cut).
  static std::string MenuText(TMenuItem* item) {
    char buf[128] = "";
    GetMenuStringA(item->Parent()->Handle(), item->MenuIndex(), buf, sizeof buf, MF_BYPOSITION);
    return buf;
  }
  // Runs a key through the program's message handling as the loop would.
  void Key(WORD vk, bool ctrl, bool shift = false) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG m{Editor()->Handle(), WM_KEYDOWN, vk, 1, GetTickCount(), {0, 0}};
    Application->ProcessMessage(m);
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }
  void EmptyClipboardNow() {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
  }
  std::string ClipboardText() {
    std::string s;
    if (!OpenClipboard(nullptr)) return "<closed>";
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
      if (const char* p = static_cast<const char*>(GlobalLock(h))) {
        s = p;
        GlobalUnlock(h);
      }
    }
    CloseClipboard();
    return s;
  }
};

}  // namespace

TEST(TextWork, CaseStripCharsAndImageMapChecks) {
  // Only the letters a to z change case; accented letters keep theirs.
  EXPECT_EQ(AsciiUpperCase("abc \xe9\xe0 <b>x</b>"), "ABC \xe9\xe0 <B>X</B>");
  EXPECT_EQ(AsciiLowerCase("ABC \xc9 Z"), "abc \xc9 z");
  AnsiString t = "a <B>bold</B> text";
  EXPECT_TRUE(StripHTMLTags(t));
  EXPECT_EQ(t, "a bold text");
  // A ">" before any "<" is text; each "<" goes up to the first ">" after it.
  t = "x > y <a <b> z";
  EXPECT_TRUE(StripHTMLTags(t));
  EXPECT_EQ(t, "x > y  z");
  // An unclosed "<" leaves the text as it was, earlier tags included.
  t = "<i>a</i> b < c";
  EXPECT_FALSE(StripHTMLTags(t));
  EXPECT_EQ(t, "<i>a</i> b < c");
  t = "<p>";
  EXPECT_TRUE(StripHTMLTags(t));
  EXPECT_EQ(t, "");
  EXPECT_EQ(StripChars("10, 20", " ,"), "1020");
  EXPECT_EQ(StripChars("", "x"), "");
  std::string longText(400, 'a');
  EXPECT_EQ(StripChars(longText + ",", ","), longText);  // no 255-character limit

  EXPECT_EQ(ImageMapSelectionError("<MAP NAME=X><AREA HREF=\"A.htm\"></MAP>"), "");
  EXPECT_EQ(ImageMapSelectionError("<map name=x>"), "Ending </MAP> tag missing");
  EXPECT_EQ(ImageMapSelectionError("<MAP NAME=x></MAP> "),
            "Highlighted text incorrect - \r\nHighlight text from <MAP> to </MAP>");
  EXPECT_EQ(ImageMapSelectionError(" <MAP NAME=x></MAP>"), "Selected text does not start with <MAP> tag");
}

TEST_F(EditCmdsTest, UndoAndRedoGoBackInTheExpectedSteps) {
  OpenText("a <B>bold</B> text\r\nsecond line\r\n");
  W()->cmdEditClick(W()->cmdEdit);
  EXPECT_FALSE(W()->cmdUndo->Enabled());
  EXPECT_FALSE(W()->cmdRedo->Enabled());
  const std::string original = Text();

  Select(1, 0, 1, 0);
  Type("xy");  // one run of typing, one step
  const std::string typed = Text();
  EXPECT_EQ(typed.substr(0, 4), "xya ");
  Select(2, 0, 2, 6);
  W()->cmdUppercaseClick(W()->cmdUppercase);  // one step
  const std::string upper = Text();
  EXPECT_NE(upper.find("\r\nSECOND line"), std::string::npos);
  Select(1, 0, 1, 20);
  W()->cmdStripHTMLTagsClick(W()->cmdStripHTMLTags);  // one step
  const std::string stripped = Text();
  EXPECT_EQ(stripped.substr(0, stripped.find('\r')), "xya bold text");

  W()->cmdEditClick(W()->cmdEdit);
  EXPECT_TRUE(W()->cmdUndo->Enabled());
  EXPECT_FALSE(W()->cmdRedo->Enabled());
  W()->cmdUndoClick(W()->cmdUndo);
  EXPECT_EQ(Text(), upper);
  W()->cmdUndoClick(W()->cmdUndo);
  EXPECT_EQ(Text(), typed);
  W()->cmdUndoClick(W()->cmdUndo);
  EXPECT_EQ(Text(), original);
  W()->cmdEditClick(W()->cmdEdit);
  EXPECT_FALSE(W()->cmdUndo->Enabled());
  EXPECT_TRUE(W()->cmdRedo->Enabled());
  W()->cmdRedoClick(W()->cmdRedo);
  EXPECT_EQ(Text(), typed);
  W()->cmdRedoClick(W()->cmdRedo);
  EXPECT_EQ(Text(), upper);
  // The popup's Undo is the same command.
  Application->OnPopupMenu = [this](TPopupMenu*, int, int) { return W()->cmdPopUndo; };
  W()->EditPopUpMenu->Popup(0, 0);
  Application->OnPopupMenu = nullptr;
  EXPECT_EQ(Text(), typed);
}

TEST_F(EditCmdsTest, CaseAndStripWorkOnTheSelectionOnly) {
  OpenText("Caf\xe9 <B>Bold</B> Text\r\n<I>open < here\r\nLast\r\n");
  // Nothing selected: the text commands are off and change nothing.
  Select(1, 2, 1, 2);
  W()->Text1Click(W()->Text1);
  for (TMenuItem* i : {W()->cmdStripHTMLTags, W()->cmdEditImageMap, W()->cmdLowercase, W()->cmdUppercase})
    EXPECT_FALSE(i->Enabled()) << i->Name();
  W()->cmdUppercaseClick(W()->cmdUppercase);
  W()->cmdStripHTMLTagsClick(W()->cmdStripHTMLTags);
  EXPECT_FALSE(Editor()->GetModified());

  // Over two lines: only a-z change, the line break and the accented letter stay.
  Select(1, 0, 2, 3);
  W()->Text1Click(W()->Text1);
  EXPECT_TRUE(W()->cmdUppercase->Enabled());
  W()->cmdUppercaseClick(W()->cmdUppercase);
  EXPECT_EQ(Editor()->GetLine(1), "CAF\xe9 <B>BOLD</B> TEXT");
  EXPECT_EQ(Editor()->GetLine(2), "<I>open < here");
  Select(1, 8, 1, 12);
  W()->cmdLowercaseClick(W()->cmdLowercase);
  EXPECT_EQ(Editor()->GetLine(1), "CAF\xe9 <B>bold</B> TEXT");

  // A "<" without a ">" after it leaves the selection as it is.
  Select(2, 0, 2, 14);
  W()->cmdStripHTMLTagsClick(W()->cmdStripHTMLTags);
  EXPECT_EQ(Editor()->GetLine(2), "<I>open < here");
  // The popup's item strips the same way.
  Select(1, 0, 1, 21);
  Application->OnPopupMenu = [this](TPopupMenu*, int, int) { return W()->cmdPopStripTags; };
  W()->EditPopUpMenu->Popup(0, 0);
  Application->OnPopupMenu = nullptr;
  EXPECT_EQ(Editor()->GetLine(1), "CAF\xe9 bold TEXT");
  EXPECT_EQ(Editor()->GetLine(3), "Last");

  // Edit Image Map reports a selection that is not one MAP element.
  Select(3, 0, 3, 4);
  W()->cmdEditImageMapClick(W()->cmdEditImageMap);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Ending </MAP> tag missing");

  // A selection holding a zero byte is left whole rather than cut at that byte.
  frame->OpenInEditor(Write("zero.htm", std::string("AB\0CD\r\n", 7)));
  Pump();
  Select(1, 0, 1, 5);
  ASSERT_EQ(Editor()->GetSelLength(), 5);
  W()->cmdLowercaseClick(W()->cmdLowercase);
  Select(1, 0, 1, 5);
  EXPECT_EQ(Editor()->GetSelLength(), 5);
  EXPECT_FALSE(Editor()->GetModified());
}

TEST_F(EditCmdsTest, CutCopyAndPaste) {
  OpenText("one two three\r\n");
  EmptyClipboardNow();
  W()->cmdEditClick(W()->cmdEdit);
  EXPECT_FALSE(W()->cmdPaste->Enabled());
  EXPECT_FALSE(W()->cmdCut->Enabled());
  EXPECT_FALSE(W()->cmdCopy->Enabled());
  Select(1, 4, 1, 7);
  W()->cmdEditClick(W()->cmdEdit);
  EXPECT_TRUE(W()->cmdCut->Enabled());
  EXPECT_TRUE(W()->cmdCopy->Enabled());
  W()->cmdCopyClick(W()->cmdCopy);
  EXPECT_EQ(ClipboardText(), "two");
  W()->cmdEditClick(W()->cmdEdit);
  EXPECT_TRUE(W()->cmdPaste->Enabled());
  EXPECT_FALSE(Editor()->GetModified());
  Select(1, 0, 1, 4);
  W()->cmdCutClick(W()->cmdCut);
  EXPECT_EQ(ClipboardText(), "one ");
  EXPECT_EQ(Editor()->GetLine(1), "two three");
  Select(1, 9, 1, 9);
  W()->cmdPasteClick(W()->cmdPaste);
  EXPECT_EQ(Editor()->GetLine(1), "two threeone ");
  // The frame's speed items do the same on the current editor.
  Select(1, 0, 1, 3);
  frame->siCutClick(frame);
  EXPECT_EQ(ClipboardText(), "two");
  frame->siPasteClick(frame);
  frame->siPasteClick(frame);
  EXPECT_EQ(Editor()->GetLine(1), "twotwo threeone ");

  // The popup refreshes its items when it opens: Cut is off without a selection.
  Select(1, 0, 1, 0);
  std::vector<bool> states;
  Application->OnPopupMenu = [&](TPopupMenu*, int, int) {
    states = {W()->cmdPopCut->Enabled(), W()->cmdPopCopy->Enabled(), W()->cmdPopPaste->Enabled(),
              W()->cmdPopUndo->Enabled()};
    return W()->cmdPopCut;
  };
  W()->EditPopUpMenu->Popup(0, 0);
  EXPECT_EQ(states, (std::vector<bool>{false, false, true, true}));
  EXPECT_EQ(Editor()->GetLine(1), "twotwo threeone ");
  // Select All selects the whole text.
  Application->OnPopupMenu = [&](TPopupMenu*, int, int) { return W()->cmdPopSelectAll; };
  W()->EditPopUpMenu->Popup(0, 0);
  Application->OnPopupMenu = nullptr;
  EXPECT_EQ(Sel(), "1:0-2:0");
  EXPECT_TRUE(W()->cmdPopCut->Enabled());
}

TEST_F(EditCmdsTest, FindFindNextAndReplace) {
  OpenText("one two one\r\nthree one\r\n");
  Select(1, 0, 1, 0);
  driver.steps = {Press(IDOK, "one")};
  W()->cmdFindClick(W()->cmdFind);
  EXPECT_EQ(Sel(), "1:0-1:3");
  W()->cmdFindNextClick(W()->cmdFindNext);
  EXPECT_EQ(Sel(), "1:8-1:11");
  W()->cmdFindNextClick(W()->cmdFindNext);
  EXPECT_EQ(Sel(), "2:6-2:9");
  W()->cmdFindNextClick(W()->cmdFindNext);  // round to the start
  EXPECT_EQ(Sel(), "1:0-1:3");
  EXPECT_TRUE(driver.boxes.empty());

  // A selection becomes the search text.
  Select(1, 4, 1, 7);
  driver.seeded.clear();
  driver.steps = {Press(IDOK)};
  W()->cmdFindClick(W()->cmdFind);
  ASSERT_EQ(driver.seeded.size(), 1u);
  EXPECT_EQ(driver.seeded[0], "two");
  EXPECT_EQ(Sel(), "1:4-1:7");

  // Not found: the control says so and the selection stays.
  driver.steps = {Press(IDOK, "zzz")};
  W()->cmdFindClick(W()->cmdFind);
  ASSERT_EQ(driver.boxes.size(), 1u);
  EXPECT_NE(driver.boxes[0].find("zzz"), std::string::npos) << driver.boxes[0];
  EXPECT_EQ(Sel(), "1:4-1:7");
  EXPECT_FALSE(Editor()->GetModified());

  // Replace once: the first press finds, the second replaces and finds on.
  Select(1, 0, 1, 0);
  driver.boxes.clear();
  driver.steps = {Press(kReplaceOnce, "three", "3"), Press(kReplaceOnce)};
  W()->cmdReplaceClick(W()->cmdReplace);
  EXPECT_EQ(Editor()->GetLine(2), "3 one");
  ASSERT_EQ(driver.boxes.size(), 1u);  // no further "three"
  EXPECT_NE(driver.boxes[0].find("three"), std::string::npos) << driver.boxes[0];

  // Replace All, then one Undo takes the whole replacement back.
  driver.boxes.clear();
  driver.steps = {Press(kReplaceAll, "one", "1")};
  W()->cmdReplaceClick(W()->cmdReplace);
  EXPECT_EQ(Editor()->GetLine(1), "1 two 1");
  EXPECT_EQ(Editor()->GetLine(2), "3 1");
  ASSERT_EQ(driver.boxes.size(), 1u);
  EXPECT_NE(driver.boxes[0].find("3 occurrences replaced."), std::string::npos) << driver.boxes[0];
  W()->cmdUndoClick(W()->cmdUndo);
  EXPECT_EQ(Editor()->GetLine(1), "one two one");
  EXPECT_EQ(Editor()->GetLine(2), "3 one");
}

TEST_F(EditCmdsTest, BookmarksOneToFiveIncludingLineOne) {
  std::string text;
  for (int i = 1; i <= 12; ++i) text += "line " + std::to_string(i) + "\r\n";
  OpenText(text);
  W()->Bookmark1Click(W()->Bookmark1);
  for (int n = 0; n < 5; ++n) {
    EXPECT_FALSE(W()->GotoBookmarks[n]->Enabled()) << n;
    EXPECT_TRUE(W()->SetBookmarks[n]->Enabled()) << n;
    EXPECT_EQ(W()->SetBookmarks[n]->Tag(), n + 1);
    EXPECT_EQ(W()->GotoBookmarks[n]->Tag(), n + 1);
  }
  EXPECT_EQ(W()->GotoBookmarks[0]->Caption(), "Goto Bookmark &1");
  EXPECT_EQ(W()->SetBookmarks[4]->Caption(), "Set Bookmark 5");

  // Bookmark n on line 2n-1, bookmark 1 on line 1. The editor's record is made stale
  // first: the caret's own line counts.
  for (int n = 1; n <= 5; ++n) {
    Select(2 * n - 1, 2, 2 * n - 1, 2);
    Editor()->SetStartLine(11);
    W()->SetBookmark1Click(W()->SetBookmarks[n - 1]);
  }
  W()->Bookmark1Click(W()->Bookmark1);
  for (int n = 0; n < 5; ++n) EXPECT_TRUE(W()->GotoBookmarks[n]->Enabled()) << n;
  for (int n = 5; n >= 1; --n) {
    Select(12, 0, 12, 0);
    W()->GotoBookmark6Click(W()->GotoBookmarks[n - 1]);
    int line = 2 * n - 1;
    std::string len = std::to_string(Editor()->GetLineLength(line));
    EXPECT_EQ(Sel(), std::to_string(line) + ":0-" + std::to_string(line) + ":" + len) << n;
  }
  // Each editor keeps its own bookmarks.
  frame->NewDoc(frame);
  Pump();
  W()->Bookmark1Click(W()->Bookmark1);
  for (int n = 0; n < 5; ++n) EXPECT_FALSE(W()->GotoBookmarks[n]->Enabled()) << n;
}

TEST_F(EditCmdsTest, MenusTogglesFontAndToolbar) {
  // No document window: no Edit, Text or Bookmark menu in the bar.
  auto captions = [this] {
    std::vector<std::string> c;
    for (TMenuItem* i : frame->MainMenu1->BarItems()) c.push_back(i->Caption());
    return c;
  };
  EXPECT_EQ(captions(), (std::vector<std::string>{"&File", "&Window", "T&ools", "&Help"}));
  OpenText("<P>text</P>\r\n");
  EXPECT_EQ(captions(),
            (std::vector<std::string>{"&File", "&Edit", "&Text", "&Bookmark", "&Window", "T&ools", "&Help"}));
  EXPECT_EQ(MenuText(W()->cmdUndo), "Undo\tCtrl+Z");
  EXPECT_EQ(MenuText(W()->cmdRedo), "Redo\tShift+Ctrl+Z");
  EXPECT_EQ(MenuText(W()->cmdDelete), "De&lete\tCtrl+Del");
  EXPECT_EQ(MenuText(W()->cmdFind), "Find\tCtrl+F");
  EXPECT_EQ(MenuText(W()->cmdFindNext), "Find Next\tF3");
  EXPECT_EQ(W()->cmdEdit->Count(), 15);
  EXPECT_EQ(W()->Text1->Count(), 12);
  EXPECT_EQ(W()->Bookmark1->Count(), 11);
  EXPECT_EQ(W()->EditPopUpMenu->Items()->Count(), 17);
  EXPECT_EQ(MenuText(W()->cmdPopB), "B\tCtrl+B");

  // Delete follows whether the document has text.
  W()->cmdEditClick(W()->cmdEdit);
  EXPECT_TRUE(W()->cmdDelete->Enabled());
  EXPECT_TRUE(W()->cmdViewHTMLToolbar->Checked());
  Editor()->ClearAll();
  W()->cmdEditClick(W()->cmdEdit);
  EXPECT_FALSE(W()->cmdDelete->Enabled());
  // The palette panel: hidden and shown again from the menu.
  W()->cmdViewHTMLToolbarClick(W()->cmdViewHTMLToolbar);
  EXPECT_FALSE(W()->HTMLToolBarPanel->Visible());
  W()->cmdEditClick(W()->cmdEdit);
  EXPECT_FALSE(W()->cmdViewHTMLToolbar->Checked());
  W()->cmdViewHTMLToolbarClick(W()->cmdViewHTMLToolbar);
  EXPECT_TRUE(W()->HTMLToolBarPanel->Visible());

  // The toggles show and invert the current editor's own settings, not another's.
  TxEdit* first = Editor();
  frame->NewDoc(frame);
  Pump();
  TxEdit* second = Editor();
  ASSERT_NE(first, second);
  W()->Text1Click(W()->Text1);
  EXPECT_EQ(W()->cmdWordWrap->Checked(), second->WordWrap());
  EXPECT_EQ(W()->cmdAutoIndent->Checked(), second->AutoIndent());
  EXPECT_EQ(W()->cmdSyntaxHighlight->Checked(), second->Highlight());
  bool wrap = second->WordWrap(), indent = second->AutoIndent(), high = second->Highlight();
  W()->cmdWordWrapClick(W()->cmdWordWrap);
  W()->cmdAutoIndentClick(W()->cmdAutoIndent);
  W()->cmdSyntaxHighlightClick(W()->cmdSyntaxHighlight);
  EXPECT_EQ(second->WordWrap(), !wrap);
  EXPECT_EQ(second->AutoIndent(), !indent);
  EXPECT_EQ(second->Highlight(), !high);
  EXPECT_EQ(first->WordWrap(), wrap);
  EXPECT_EQ(first->AutoIndent(), indent);
  EXPECT_EQ(first->Highlight(), high);
  W()->Text1Click(W()->Text1);
  EXPECT_EQ(W()->cmdWordWrap->Checked(), !wrap);

  // The font dialog: screen fonts that exist; OK sets this editor's font only.
  TFontDialog* seen = nullptr;
  dialog = [&](TCommonDialog* d) {
    seen = dynamic_cast<TFontDialog*>(d);
    if (!seen) return false;
    EXPECT_EQ(seen->Font()->Name(), second->Font()->Name());
    EXPECT_TRUE(seen->Options().Contains(fdForceFontExist));
    EXPECT_TRUE(seen->Options().Contains(fdEffects));
    seen->Font()->SetName("Arial");
    seen->Font()->SetSize(14);
    return true;
  };
  AnsiString firstFont = first->Font()->Name();
  W()->cmdChangeFontClick(W()->cmdChangeFont);
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(second->Font()->Name(), "Arial");
  EXPECT_EQ(second->Font()->Size(), 14);
  EXPECT_EQ(first->Font()->Name(), firstFont);
  dialog = [](TCommonDialog*) { return false; };
  W()->cmdChangeFontClick(W()->cmdChangeFont);
  EXPECT_EQ(second->Font()->Name(), "Arial");
  // Nothing of it is stored as an option.
  EXPECT_EQ(frame->Settings()->Font(), firstFont);
}

TEST_F(EditCmdsTest, DelAndCtrlDelReachTheEditor) {
  OpenText("abcdef\r\n");
  Editor()->SetFocus();
  Pump();
  Select(1, 0, 1, 0);
  Key(VK_DELETE, false);
  EXPECT_EQ(Editor()->GetLine(1), "bcdef");
  // Ctrl+Del is the Delete item's short-cut, which has no action: the editor gets the key.
  Key(VK_DELETE, true);
  EXPECT_EQ(Editor()->GetLine(1), "cdef");
  // Undo and redo by key: the editor or the menu, whichever answers, never mixes them up,
  // even when Redo was last shown disabled.
  W()->cmdEditClick(W()->cmdEdit);
  ASSERT_FALSE(W()->cmdRedo->Enabled());
  Key('Z', true);
  EXPECT_NE(Editor()->GetLine(1), "cdef");
  Key('Z', true, true);
  EXPECT_EQ(Editor()->GetLine(1), "cdef");
  // A short-cut with an action still works from the editor: F3 finds on.
  Editor()->SetSearchText("def");
  Select(1, 0, 1, 0);
  Key(VK_F3, false);
  EXPECT_EQ(Sel(), "1:1-1:4");
}

TEST_F(EditCmdsTest, PopupShortCutsAnswerInTheEditor) {
  OpenText("abc\r\n");
  Editor()->SetFocus();
  Pump();
  ASSERT_EQ(GetFocus(), Editor()->Handle());
  int bold = 0, italic = 0;
  W()->cmdPopB->OnClick = [&](TObject*) { ++bold; };
  W()->cmdPopI->OnClick = [&](TObject*) { ++italic; };
  Key('B', true);
  Key('I', true);
  Key('I', true);
  EXPECT_EQ(bold, 1);
  EXPECT_EQ(italic, 2);
  EXPECT_EQ(Editor()->GetLine(1), "abc");
}
