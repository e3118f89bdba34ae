// "Check Spelling" in VornixPro: the document window's LEditSpellDlg1 over the current
// document with the shipped ENGLISH.DCT, from the menu and the speed button, and closing
// the tab, the document window or the program while its dialog waits. On the screen,
// with three documents open and the frame in each state: the check acts only in the
// document on screen, and the keyboard goes there after it.
#include "framework/win/WinApi.h"

#include <commctrl.h>

#include "editor/tests/frame_fixture.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/tests/ScreenDriver.h"
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

// ---- on the screen, with real input --------------------------------------------------------

enum class TFrameState { Restored, Maximised, PartlyOutside };

struct SpellScreenTest : FrameTest, ::testing::WithParamInterface<TFrameState> {
  std::vector<std::string> onScreenAtMessage;  // the document shown at each closing message
  std::unique_ptr<TTicker> rescue;

  void BeforeStart() override {
    // Menus run as they do for a person; the input answers them.
    Application->SetUnattended(false);
    Application->OnHelp = [](UINT, ULONG_PTR) { return true; };
  }
  void SetUp() override {
    FrameTest::SetUp();
    Application->OnMessageBox = [this](const AnsiString& text, const AnsiString&, UINT) {
      messages.push_back(text);
      TxEdit* e = OnScreen();
      onScreenAtMessage.push_back(e ? ExtractFileName(e->FileName()) : "");
      return IDOK;
    };
    for (auto [leaf, text] : {std::pair{"spell1.htm", "<p>Teh cat</p>\r\n<p>a quik fox</p>\r\n"},
                              std::pair{"spell2.htm", "<p>second pagge</p>\r\n<p>more here</p>\r\n"},
                              std::pair{"page.htm", "<p>the third one</p>\r\n"}})
      frame->OpenInEditor(Write(leaf, text));
    ASSERT_EQ(TabCount(), 3);
    PutInFrameState();
    frmEditWin->TabControl->SetTabIndex(0);
    Doc(0)->ActivateEditor();
    ASSERT_TRUE(screen::WaitUntil([&] { return GetForegroundWindow() == frame->Handle() && OnScreen() == Doc(0); }));
    screen::Settle(300);
  }
  void TearDown() override {
    rescue.reset();
    for (int i = 0; frmEditWin && i < TabCount(); ++i) Doc(i)->MarkUnchanged();
    FrameTest::TearDown();
    Application->OnHelp = nullptr;
    Application->SetUnattended(true);
  }

  // The frame restored or maximised; the document window inside the client area, or past
  // its right and bottom edges with a corner showing.
  void PutInFrameState() {
    if (GetParam() == TFrameState::Maximised)
      frame->SetWindowState(wsMaximized);
    else
      frame->SetBoundsRect(RECT{0, 0, 1000, 780});
    screen::Settle();
    RECT place = {0, 0, 560, 380};
    if (GetParam() == TFrameState::PartlyOutside) {
      RECT c;
      GetClientRect(frame->ClientHandle(), &c);
      place = {c.right - 260, c.bottom - 160, c.right + 300, c.bottom + 220};
    }
    frmEditWin->SetBounds(place.left, place.top, place.right - place.left, place.bottom - place.top);
    screen::Settle();
  }

  TxEdit* Doc(int i) { return frmEditWin->EditorOfTab(i); }
  TMSSpellDlg* Dialog() { return static_cast<TMSSpellDlg*>(frmEditWin->LEditSpellDlg1->Dialog()); }
  bool Checking() { return frmEditWin && frmEditWin->LEditSpellDlg1->Checking(); }
  RECT TabRect(int i) {
    RECT r{};
    SendMessageA(frmEditWin->TabControl->Handle(), TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(frmEditWin->TabControl->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  static POINT Middle(TWinControl* c) { return screen::Centre(screen::WindowScreenRect(c->Handle())); }
  // The document a person sees: the editor under the top left of the area inside the tabs
  // (the part that shows even with the window partly outside the frame).
  TxEdit* OnScreen() {
    if (!frmEditWin) return nullptr;
    RECT r = frmEditWin->TabControl->DisplayRect();
    MapWindowPoints(frmEditWin->TabControl->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    HWND at = screen::WindowAt(POINT{r.left + 30, r.top + 12});
    for (int i = 0; i < TabCount(); ++i)
      if (Doc(i)->Handle() == at) return Doc(i);
    return nullptr;
  }
  static std::string CaretOf(TxEdit* e) {
    e->UpdateSelection();
    return Format("%d:%d", e->EndLine(), e->EndPos());
  }
  // The dialog on the screen asks about this word and waits.
  bool Asking(const std::string& word) {
    TLEditSpellDlg* s = frmEditWin ? frmEditWin->LEditSpellDlg1 : nullptr;
    if (!s || !s->WaitingForChoice() || Dialog()->ResultCode() != srWaiting || Dialog()->edtCurWord->Text() != word)
      return false;
    HWND at = screen::WindowAt(Middle(Dialog()));
    return at && GetAncestor(at, GA_ROOT) == Dialog()->Handle();
  }
  // The word is selected in the document on screen, and the screen shows that document
  // where the word stands.
  void ExpectWordInView(TxEdit* ed, int line, int column, const std::string& word) {
    EXPECT_EQ(OnScreen(), ed) << word << ": its document is not the one on screen";
    EXPECT_EQ(ed->GetSelText(), word);
    TWindowDC dc(ed->Handle());
    TSelected f(dc, reinterpret_cast<HFONT>(SendMessageA(ed->Handle(), WM_GETFONT, 0, 0)));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    int chars = column - ed->FirstVisiblePos() + static_cast<int>(word.size()) / 2;
    POINT p{2 + chars * tm.tmAveCharWidth + tm.tmAveCharWidth / 2,
            (line - ed->FirstVisibleLine()) * tm.tmHeight + tm.tmHeight / 2};
    ClientToScreen(ed->Handle(), &p);
    EXPECT_EQ(screen::WindowAt(p), ed->Handle()) << word << ": not in view";
  }
  // A step that waits for the state, and goes on (failing) when it does not come.
  static std::function<void()> Expect(std::function<bool()> done, std::string what) {
    return [done = std::move(done), what = std::move(what)] { EXPECT_TRUE(screen::WaitUntil(done)) << what; };
  }
  // A script that stops leaves no dialog waiting for ever under it.
  void Rescue(const screen::TInputScript& s) {
    rescue = std::make_unique<TTicker>([this, &s] {
      if (!s.FailedStep().empty() && Checking()) Dialog()->SetResultCode(srClose);
    });
  }
  // The screen, named for the frame's state too.
  void StateShot(const std::string& leaf) {
    static const char* const states[] = {"restored", "maximised", "partly_outside"};
    Shot((leaf + "_" + states[static_cast<int>(GetParam())]).c_str());
  }
  bool Typed(const std::string& text) {
    for (int i = 0; i < TabCount(); ++i)
      if (Doc(i)->Text().find(text) != std::string::npos) return true;
    return false;
  }
  // What was typed went into the document on screen alone, which has the focus, and the
  // status bar shows where its caret is.
  void ExpectTypedOnScreen(const std::string& text) {
    TxEdit* shown = OnScreen();
    ASSERT_TRUE(shown);
    for (int i = 0; i < TabCount(); ++i)
      EXPECT_EQ(Doc(i)->Text().find(text) != std::string::npos, Doc(i) == shown)
          << TabCaption(i) << (Doc(i) == shown ? " on screen, nothing typed into it" : " hidden, typed into");
    EXPECT_EQ(screen::FocusedWindow(), shown->Handle());
    EXPECT_EQ(Panel(0), CaretOf(shown));
  }
};

#define RUN(script) EXPECT_TRUE((script).Run()) << "stopped at: " << (script).FailedStep()

// Another document chosen while the dialog asks: the answer is carried out in the checked
// document, brought back on screen with its next word, the status bar follows what shows,
// and after the check the keys go to the document on screen.
TEST_P(SpellScreenTest, TheCheckActsInTheDocumentOnScreen) {
  TxEdit* checked = Doc(0);
  screen::TInputScript s;
  Rescue(s);
  screen::AddMenuClick(s, frame->Handle(), frmEditWin->cmdCheckSpelling);
  s.Then([&] { return Asking("Teh"); }, "the dialog asks about Teh")
      .Do([&] { ExpectWordInView(checked, 1, 3, "Teh"); })
      .Do([&] { screen::Click(screen::Centre(TabRect(1))); }, "click the spell2 tab")
      .Then([&] { return OnScreen() == Doc(1); }, "spell2 shows")
      .Do([&] { screen::Click(Middle(Dialog()->btnReplace)); }, "click Change")
      .Then([&] { return Asking("quik"); }, "the dialog asks about quik")
      .Do([&] {
        ExpectWordInView(checked, 2, 5, "quik");
        EXPECT_EQ(Panel(0), CaretOf(OnScreen() ? OnScreen() : checked)) << "the status bar follows a hidden document";
        StateShot("spell_next_word_after_tab_switch");
      })
      .Do([&] { screen::Click(screen::Centre(TabRect(1))); }, "click the spell2 tab again")
      .Then([&] { return OnScreen() == Doc(1); }, "spell2 shows again")
      .Do([&] { screen::Click(Middle(Dialog()->btnReplace)); }, "click Change on the last word")
      .Then([&] { return !Checking() && GetFocus(); }, "the check ends")
      .Do([] { screen::Type("J2"); }, "type J2")
      .Then([&] { return Typed("J2"); }, "J2 lands in a document");
  RUN(s);
  EXPECT_EQ(messages, (V{"Spell checking complete."}));
  EXPECT_EQ(checked->GetLine(1).find("Teh"), std::string::npos);
  EXPECT_EQ(checked->GetLine(2).find("quik"), std::string::npos);
  ExpectTypedOnScreen("J2");
  StateShot("spell_typed_after_check");
}

// Check Spelling chosen again while a check waits brings that check forward, its document
// and word on screen and the keyboard in its dialog; the closing message comes with the
// document it speaks of on screen, and the other document is checked when asked after.
TEST_P(SpellScreenTest, ASecondCheckShowsTheOneThatWaits) {
  TxEdit* checked = Doc(0);
  screen::TInputScript s;
  Rescue(s);
  screen::AddMenuClick(s, frame->Handle(), frmEditWin->cmdCheckSpelling);
  s.Then([&] { return Asking("Teh"); }, "the dialog asks about Teh")
      .Do([&] { screen::Click(screen::Centre(TabRect(1))); }, "click the spell2 tab")
      .Then([&] { return OnScreen() == Doc(1) && screen::FocusedWindow() == Doc(1)->Handle(); }, "spell2 shows");
  screen::AddMenuClick(s, frame->Handle(), frmEditWin->cmdCheckSpelling);
  s.Do(Expect([&] { return OnScreen() == checked && screen::FocusedWindow() == Dialog()->edtWord->Handle(); },
              "the waiting check comes forward"))
      .Do([&] {
        ExpectWordInView(checked, 1, 3, "Teh");
        EXPECT_TRUE(Asking("Teh"));
        StateShot("spell_second_check_shows_the_first");
      })
      .Do([&] { screen::Click(Middle(Dialog()->btnSkip)); }, "click Ignore")
      .Then([&] { return Asking("quik"); }, "the dialog asks about quik")
      .Do([&] { screen::Click(screen::Centre(TabRect(1))); }, "click the spell2 tab")
      .Then([&] { return OnScreen() == Doc(1); }, "spell2 shows")
      .Do([&] { screen::Click(Middle(Dialog()->btnSkip)); }, "click Ignore on the last word")
      .Then([&] { return !Checking() && GetFocus(); }, "the first check ends")
      .Do([&] { screen::Click(screen::Centre(TabRect(1))); }, "click the spell2 tab")
      .Then([&] { return OnScreen() == Doc(1) && screen::FocusedWindow() == Doc(1)->Handle(); }, "spell2 shows");
  screen::AddMenuClick(s, frame->Handle(), frmEditWin->cmdCheckSpelling);
  s.Then([&] { return Asking("pagge"); }, "spell2 is checked")
      .Do([&] { ExpectWordInView(Doc(1), 1, 10, "pagge"); })
      .Do([&] { screen::Click(Middle(Dialog()->btnClose)); }, "click Cancel")
      .Then([&] { return !Checking() && GetFocus(); }, "the second check ends")
      .Do([] { screen::Type("W3"); }, "type W3")
      .Then([&] { return Typed("W3"); }, "W3 lands in a document");
  RUN(s);
  EXPECT_EQ(messages, (V{"No errors found. Spell checking complete..."}));
  EXPECT_EQ(onScreenAtMessage, (V{"spell1.htm"})) << "the closing message came over another document";
  EXPECT_EQ(Doc(0)->Text(), "<p>Teh cat</p>\r\n<p>a quik fox</p>\r\n");
  EXPECT_EQ(OnScreen(), Doc(1));
  ExpectTypedOnScreen("W3");
}

std::string StateName(const ::testing::TestParamInfo<TFrameState>& i) {
  static const char* const names[] = {"Restored", "Maximised", "PartlyOutside"};
  return names[static_cast<int>(i.param)];
}
INSTANTIATE_TEST_SUITE_P(Frame, SpellScreenTest,
                         ::testing::Values(TFrameState::Restored, TFrameState::Maximised, TFrameState::PartlyOutside),
                         StateName);

}  // namespace
}  // namespace vx
