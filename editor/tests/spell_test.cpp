// "Check Spelling" in VornixPro: the document window's LEditSpellDlg1 over the current
// document with the shipped ENGLISH.DCT, from the menu and the speed button, and closing
// the tab, the document window or the program while its dialog waits.
#include "editor/tests/frame_fixture.h"
#include "spell/SpellDlg.h"
#include "spell/tests/SpellWinTest.h"

namespace vx {
namespace {

using spellwin::PostClick;
using spellwin::PostClickItem;
using spellwin::Shot;
using spellwin::TTicker;
using V = std::vector<std::string>;

struct SpellFrameTest : FrameTest {
  std::vector<std::string> asked;
  std::function<void(TAbsSpellDialog*, const std::string&)> onAsk;
  TLEditSpellDlg* watched = nullptr;
  int actedWait = 0;
  std::unique_ptr<TTicker> ticker;

  void TearDown() override {
    ticker.reset();
    DeleteFileA((ExtractFilePath(Application->ExeName()) + "CUSTOM.DIC").c_str());
    FrameTest::TearDown();
  }
  // Watches the document window's component; the person answers each question.
  void Watch() {
    watched = frmEditWin->LEditSpellDlg1;
    ticker = std::make_unique<TTicker>([this] {
      TLEditSpellDlg* s = frmEditWin ? frmEditWin->LEditSpellDlg1 : nullptr;
      if (!s || s != watched || !s->WaitingForChoice() || s->Waits() == actedWait) return;
      if (s->Dialog()->ResultCode() != srWaiting) return;
      actedWait = s->Waits();
      asked.push_back(Editor() ? Editor()->GetSelText() : "");
      if (onAsk) onAsk(s->Dialog(), asked.back());
    });
  }
  std::string OpenText(const std::string& leaf, const std::string& text) {
    std::string name = Write(leaf, text);
    frame->OpenInEditor(name);
    Pump();
    return name;
  }
  // The menu command, as choosing it posts it to the frame.
  void ChooseCheckSpelling() {
    PostMessageA(frame->Handle(), WM_COMMAND, frmEditWin->cmdCheckSpelling->Command(), 0);
    Pump();
  }
};

TEST_F(SpellFrameTest, CheckSpellingAsksOnScreenWithSuggestionsFromEnglishDct) {
  OpenText("one.htm", "<html><body>\r\n<b>Teh</b> quik <a href=\"x\">brwn</a> fox seperate\r\n</body></html>\r\n");
  ASSERT_TRUE(frmEditWin);
  EXPECT_STREQ(frmEditWin->LEditSpellDlg1->Dialog()->ClassName(), "TMSSpellDlg");
  Watch();
  std::vector<std::string> suggestions, oneLetterOff;
  onAsk = [&](TAbsSpellDialog* d, const std::string& word) {
    // What the person sees: the dialog over the frame, the word selected in the document.
    POINT mid = d->ClientToScreen(POINT{d->ClientWidth() / 2, 10});
    HWND under = WindowFromPoint(mid);
    EXPECT_TRUE(under == d->Handle() || IsChild(d->Handle(), under)) << word;
    EXPECT_EQ(static_cast<TMSSpellDlg*>(d)->edtCurWord->Text(), word);
    if (word == "Teh") {
      for (int i = 0; i < d->lstSuggest->Items()->Count(); ++i)
        suggestions.push_back(d->lstSuggest->Items()->Strings(i));
      Shot("vornixpro_check_spelling");
      PostClickItem(d->lstSuggest, d->lstSuggest->Items()->IndexOf("The"), true);
    } else if (word == "quik") {
      PostClick(d->btnSkip);
    } else if (word == "seperate") {
      for (int i = 0; i < d->lstSuggest->Items()->Count(); ++i)
        oneLetterOff.push_back(d->lstSuggest->Items()->Strings(i));
      Shot("vornixpro_check_spelling_seperate");
      PostClickItem(d->lstSuggest, d->lstSuggest->Items()->IndexOf("separate"), true);
    } else {
      d->edtWord->SetText("brown");
      PostClick(d->btnReplace);
    }
  };
  ChooseCheckSpelling();
  EXPECT_EQ(asked, (V{"Teh", "quik", "brwn", "seperate"}));
  EXPECT_NE(std::find(suggestions.begin(), suggestions.end(), "The"), suggestions.end());
  EXPECT_NE(std::find(oneLetterOff.begin(), oneLetterOff.end(), "separate"), oneLetterOff.end());
  EXPECT_EQ(Editor()->GetLine(2), "<b>The</b> quik <a href=\"x\">brown</a> fox separate");
  EXPECT_EQ(messages.back(), "Spell checking complete.");
  EXPECT_TRUE(Editor()->GetModified());
  EXPECT_FALSE(frmEditWin->LEditSpellDlg1->Dialog()->Visible());
}

TEST_F(SpellFrameTest, TheSpeedButtonChecksTooAndAddedWordsLandBesideTheProgram) {
  OpenText("two.htm", "<p>Vornix is here</p>");
  Watch();
  answers = {IDYES};
  onAsk = [&](TAbsSpellDialog* d, const std::string&) { PostClick(d->btnAdd); };
  TSpeedbarButton* btn = frame->SpeedItem("siSpellCheck")->Button();
  ASSERT_TRUE(frame->EditToolEnabled("siSpellCheck"));
  HWND bar = btn->Parent()->Handle();
  LPARAM at = MAKELPARAM(btn->Left() + 4, btn->Top() + 4);
  PostMessageA(bar, WM_MOUSEMOVE, 0, at);
  PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(bar, WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(asked, (V{"Vornix"}));
  EXPECT_EQ(messages, (V{"Add \"Vornix\" to dictionary?", "No errors found. Spell checking complete..."}));
  EXPECT_EQ(ReadFileBytes(ExtractFilePath(Application->ExeName()) + "CUSTOM.DIC"), "vornix\r\n");
}

TEST_F(SpellFrameTest, ClosingTheTabMidCheckEndsTheCheck) {
  OpenText("a.htm", "the first one");
  OpenText("b.htm", "zorbl fleeb");
  ASSERT_EQ(TabCount(), 2);
  Watch();
  onAsk = [&](TAbsSpellDialog*, const std::string&) { frmEditWin->CloseDocument(); };
  ChooseCheckSpelling();
  EXPECT_EQ(asked, (V{"zorbl"}));
  ASSERT_EQ(TabCount(), 1);
  EXPECT_EQ(TabCaption(0), "a.htm");
  EXPECT_FALSE(frmEditWin->LEditSpellDlg1->Dialog()->Visible());
  EXPECT_FALSE(frmEditWin->LEditSpellDlg1->Checking());
  // The program goes on: the other document is checked.
  messages.clear();
  ChooseCheckSpelling();
  EXPECT_EQ(messages, (V{"No errors found. Spell checking complete..."}));
}

// The check clears and restores a modified flag of its own while it runs; the document
// the user changed still asks before it closes, whenever it is closed.
TEST_F(SpellFrameTest, ClosingAChangedDocumentMidCheckAsksFirst) {
  OpenText("a.htm", "the first one");
  std::string b = OpenText("b.htm", "zorbl fleeb");
  Type("<p>");
  ASSERT_TRUE(Editor()->GetModified());
  Watch();
  onAsk = [&](TAbsSpellDialog* d, const std::string&) {
    if (asked.size() == 1) {
      // File > Close while the dialog asks: Cancel keeps the document and the check.
      answers = {IDCANCEL};
      frame->cmdCloseClick(frame);
      EXPECT_EQ(TabCount(), 2);
      frame->cmdFileClick(frame);
      EXPECT_TRUE(frame->cmdSave->Enabled());
      PostClick(d->btnSkip);
    } else {
      // No closes it, and the check ends with it.
      answers = {IDNO};
      frame->cmdCloseClick(frame);
    }
  };
  ChooseCheckSpelling();
  Pump();
  EXPECT_EQ(asked, (V{"zorbl", "fleeb"}));
  std::string question = "Save Changes to '" + b + "'?";
  EXPECT_EQ(messages, (V{question, question}));
  ASSERT_EQ(TabCount(), 1);
  EXPECT_EQ(TabCaption(0), "a.htm");
  EXPECT_FALSE(frmEditWin->LEditSpellDlg1->Checking());
  EXPECT_EQ(ReadFileBytes(b), "zorbl fleeb");
}

TEST_F(SpellFrameTest, LeavingTheProgramMidCheckAsksAboutAChangedDocument) {
  std::string e = OpenText("e.htm", "zorbl fleeb");
  Type("<p>");
  Watch();
  onAsk = [&](TAbsSpellDialog* d, const std::string&) {
    if (asked.size() == 1) {
      // The frame's close box while the dialog asks; Cancel keeps the program.
      answers = {IDCANCEL};
      PostMessageA(frame->Handle(), WM_CLOSE, 0, 0);
    }
    PostClick(d->btnSkip);
  };
  ChooseCheckSpelling();
  Pump();
  EXPECT_EQ(messages, (V{"Save Changes to '" + e + "'?", "No errors found. Spell checking complete..."}));
  EXPECT_FALSE(Application->Terminated());
  ASSERT_EQ(TabCount(), 1);
  EXPECT_EQ(Editor()->Text(), "<p>zorbl fleeb");
  // Still changed after the check, and closing asks again.
  EXPECT_TRUE(Editor()->GetModified());
  answers = {IDNO};
  frame->cmdCloseAllClick(frame);
  Pump();
  EXPECT_EQ(messages.size(), 3u);
  EXPECT_EQ(frmEditWin, nullptr);
}

TEST_F(SpellFrameTest, ClosingTheDocumentWindowMidCheckEndsTheCheck) {
  OpenText("c.htm", "zorbl fleeb");
  Watch();
  onAsk = [&](TAbsSpellDialog*, const std::string&) { frmEditWin->CloseDocument(); };
  ChooseCheckSpelling();
  Pump();
  EXPECT_EQ(asked, (V{"zorbl"}));
  EXPECT_EQ(frmEditWin, nullptr);
  EXPECT_EQ(CurrentDictionary, nullptr);
  EXPECT_TRUE(messages.empty());
  // A new document window checks as before.
  OpenText("d.htm", "the end");
  ChooseCheckSpelling();
  EXPECT_EQ(messages, (V{"No errors found. Spell checking complete..."}));
}

TEST_F(SpellFrameTest, ClosingTheProgramMidCheckEndsTheCheckAndTheProgram) {
  OpenText("e.htm", "zorbl fleeb");
  Watch();
  onAsk = [&](TAbsSpellDialog*, const std::string&) { PostMessageA(frame->Handle(), WM_CLOSE, 0, 0); };
  PostMessageA(frame->Handle(), WM_COMMAND, frmEditWin->cmdCheckSpelling->Command(), 0);
  // One message at a time until the check has begun and ended, as the program's loop runs.
  for (int i = 0; i < 2000 && !Application->Terminated(); ++i) Application->HandleMessage();
  EXPECT_EQ(asked, (V{"zorbl"}));
  EXPECT_TRUE(Application->Terminated());
  MSG m;
  EXPECT_TRUE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  EXPECT_TRUE(messages.empty());
}

// Another tab chosen while the dialog waits: the dialog stays in front, takes the click, and
// the change goes into the document being checked.
TEST_F(SpellFrameTest, SwitchingTabsMidCheckKeepsTheDialogInFront) {
  OpenText("a.htm", "the first one");
  OpenText("b.htm", "zorbl here");
  ASSERT_EQ(TabCount(), 2);
  Watch();
  bool inFront = false;
  onAsk = [&](TAbsSpellDialog* d, const std::string&) {
    frmEditWin->TabControl->SetTabIndex(0);
    Editor()->ActivateEditor();
    for (DWORD t0 = GetTickCount(); GetTickCount() - t0 < 400;) {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
      Sleep(5);
    }
    RECT r;
    GetWindowRect(d->Handle(), &r);
    HWND at = WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    inFront = at && GetAncestor(at, GA_ROOT) == d->Handle();
    if (!inFront) Shot("spell_dialog_after_tab_switch");
    PostClick(d->btnReplace);
  };
  ChooseCheckSpelling();
  EXPECT_EQ(asked, (V{"zorbl"}));
  EXPECT_TRUE(inFront) << "the spelling dialog was covered after another tab was chosen";
  EXPECT_FALSE(frmEditWin->LEditSpellDlg1->Checking());
  EXPECT_EQ(frmEditWin->EditorOfTab(0)->GetText(), "the first one");
  EXPECT_NE(frmEditWin->EditorOfTab(1)->GetText(), "zorbl here");
  for (int i = 0; i < TabCount(); ++i) frmEditWin->EditorOfTab(i)->MarkUnchanged();
}

// The closing message comes with the dialog gone, whether the check changed words or not.
TEST_F(SpellFrameTest, TheDialogIsGoneBeforeTheClosingMessage) {
  OpenText("c.htm", "<p>Untouched zzqxw here</p>");
  Watch();
  std::vector<int> dialogShown;
  Application->OnMessageBox = [this, &dialogShown](const AnsiString& text, const AnsiString&, UINT) {
    messages.push_back(text);
    TAbsSpellDialog* d = frmEditWin ? frmEditWin->LEditSpellDlg1->Dialog() : nullptr;
    if (d && text.find("complete") != std::string::npos)
      dialogShown.push_back(d->HandleAllocated() && IsWindowVisible(d->Handle()));
    if (answers.empty()) return IDOK;
    int a = answers.front();
    answers.pop_front();
    return a;
  };
  answers = {IDYES};
  onAsk = [&](TAbsSpellDialog* d, const std::string&) { PostClick(d->btnAdd); };
  ChooseCheckSpelling();
  ChooseCheckSpelling();  // nothing unknown any more
  onAsk = nullptr;
  Editor()->SetText("<p>Untouched zzqxwv</p>");
  onAsk = [&](TAbsSpellDialog* d, const std::string&) {
    static_cast<TMSSpellDlg*>(d)->edtWord->SetText("zigzag");
    PostClick(d->btnReplace);
  };
  ChooseCheckSpelling();
  EXPECT_EQ(asked, (V{"zzqxw", "zzqxwv"}));
  EXPECT_EQ(dialogShown, (std::vector<int>{0, 0, 0}));
}

}  // namespace
}  // namespace vx
