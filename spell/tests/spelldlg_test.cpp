// The check loop over the editor control and over standard edits, with the real
// ENGLISH.DCT beside the program: what is asked, what the choices do to the text, and how
// a check ends when things go away under it.
#include "spell/tests/SpellWinTest.h"

#include "framework/win/Notebooks.h"
#include "spell/EditSources.h"

namespace vx {
namespace {

using namespace spellwin;

using SpellCheckTest = SpellFixture;
using V = std::vector<std::string>;

TEST_F(SpellCheckTest, MarkupIsSkippedAndChoicesChangeTheDocument) {
  SetDocument("<b>Teh</b> quik <a href=\"x\">brwn</a>\r\nthissssssssss is wrng 42 x");
  ed->SetStartLine(2), ed->SetEndLine(2), ed->SetStartPos(3), ed->SetEndPos(5);
  ed->ApplySelection();
  std::vector<std::string> suggestions;
  onAsk = [&](TAbsSpellDialog* d, const std::string& word) {
    auto* ms = static_cast<TMSSpellDlg*>(d);
    EXPECT_EQ(ms->edtCurWord->Text(), word);  // the word in question, shown
    EXPECT_EQ(GetFocus(), d->edtWord->Handle());
    if (word == "Teh") {
      for (int i = 0; i < d->lstSuggest->Items()->Count(); ++i)
        suggestions.push_back(d->lstSuggest->Items()->Strings(i));
      // A double click on a suggestion copies it and replaces the word in one step.
      PostClickItem(d->lstSuggest, d->lstSuggest->Items()->IndexOf("The"), true);
    } else if (word == "quik") {
      PostClick(d->btnSkip);
    } else if (word == "brwn") {
      Answer(d, "brown", d->btnReplace);
    } else if (word == "thissssssssss") {
      Answer(d, "this", d->btnReplace);  // shorter: the rest of the line must still be read
    } else {
      PostClick(d->btnSkip);
    }
  };
  EXPECT_EQ(Check(), scChanged);
  EXPECT_EQ(asked, (V{"Teh", "quik", "brwn", "thissssssssss", "wrng"}));
  EXPECT_NE(std::find(suggestions.begin(), suggestions.end(), "The"), suggestions.end());
  EXPECT_EQ(ed->Text(), "<b>The</b> quik <a href=\"x\">brown</a>\r\nthis is wrng 42 x");
  EXPECT_EQ(messages, (V{"Spell checking complete."}));
  EXPECT_TRUE(ed->GetModified());
  // The user's selection is back, and the dialog is gone.
  ed->UpdateSelection();
  EXPECT_EQ(ed->StartLine(), 2);
  EXPECT_EQ(ed->StartPos(), 3);
  EXPECT_EQ(ed->EndPos(), 5);
  EXPECT_FALSE(Dlg()->Visible());
}

TEST_F(SpellCheckTest, AKnownTextEndsWithNoErrorsAndNoQuestion) {
  SetDocument("<p>The quick brown fox jumps over the lazy dog's back.</p>\r\n\r\nIt's 1998, and O'Brien's here.");
  EXPECT_EQ(Check(), scFinished);
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(messages, (V{"No errors found. Spell checking complete..."}));
  EXPECT_FALSE(ed->GetModified());
  spell->SetShowCompletedDialog(false);
  messages.clear();
  EXPECT_EQ(Check(), scFinished);
  EXPECT_TRUE(messages.empty());
  SetDocument("");
  EXPECT_EQ(Check(), scFinished);
}

TEST_F(SpellCheckTest, AccentedLettersAndCurlyApostrophesAreWordCharacters) {
  // The editor holds ANSI text; the scanner's word characters and the dictionary are OEM.
  SetDocument(
      "caf\xE9 appliqu\xE9 G\xF6"
      "del Z\xFCrich don\x92t caf\xE9z");
  onAsk = [&](TAbsSpellDialog* d, const std::string&) { PostClick(d->btnSkip); };
  Check();
  EXPECT_EQ(asked, (V{"caf\xE9z"}));
  EXPECT_EQ(static_cast<TMSSpellDlg*>(Dlg())->edtCurWord->Text(), "caf\xE9z");
}

TEST_F(SpellCheckTest, ChangingOnlyTheLetterCaseChangesNothingButCounts) {
  SetDocument("zorbl");
  onAsk = [&](TAbsSpellDialog* d, const std::string&) { Answer(d, "ZORBL", d->btnReplace); };
  EXPECT_EQ(Check(), scChanged);
  EXPECT_EQ(ed->Text(), "zorbl");
}

TEST_F(SpellCheckTest, CloseAndEscEndTheCheckWithoutAMessage) {
  SetDocument("one zorbl two fleeb");
  onAsk = [&](TAbsSpellDialog* d, const std::string&) { PostClick(d->btnClose); };
  EXPECT_EQ(Check(), scAborted);
  EXPECT_EQ(asked, (V{"zorbl"}));
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(Dlg()->Visible());
  // Esc in the replacement box is the dialog's cancel button.
  asked.clear();
  onAsk = [&](TAbsSpellDialog* d, const std::string&) {
    SetForegroundWindow(d->Handle());
    Press(VK_ESCAPE);
  };
  EXPECT_EQ(Check(), scAborted);
  EXPECT_EQ(asked, (V{"zorbl"}));
  EXPECT_EQ(Dlg()->ResultCode(), srClose);
}

TEST_F(SpellCheckTest, ClosingWhileKnownWordsAreScannedEndsAtTheNextWord) {
  std::string text;
  for (int i = 0; i < 4000; ++i) text += "the cat sat on the mat\r\n";
  SetDocument(text + "zorbl");
  // Cancel as soon as the dialog shows a found word, as a person would mid-scan.
  bool clicked = false;
  TTicker watch([&] {
    if (!clicked && Dlg()->Visible() && Dlg()->lblFound->Caption() == "Word found:") {
      clicked = true;
      PostClick(Dlg()->btnClose);
    }
  });
  EXPECT_EQ(spell->SpellCheck(ed), scAborted);
  EXPECT_TRUE(clicked);
  EXPECT_TRUE(messages.empty());
}

TEST_F(SpellCheckTest, AddSkipAllAndReplaceAllLastBeyondTheWord) {
  SetDocument("Zorbl teh ZORBL fleeb Fleeb teh");
  answers = {IDYES};
  onAsk = [&](TAbsSpellDialog* d, const std::string& word) {
    if (word == "Zorbl")
      PostClick(d->btnAdd);
    else if (word == "teh")
      Answer(d, "the", d->btnReplaceAll);
    else if (word == "fleeb")
      PostClick(d->btnSkipAll);
    else
      PostClick(d->btnSkip);
  };
  EXPECT_EQ(Check(), scChanged);
  // ZORBL is known once added, Fleeb skipped in any case, the second teh replaced unasked.
  EXPECT_EQ(asked, (V{"Zorbl", "teh", "fleeb"}));
  EXPECT_EQ(messages, (V{"Add \"Zorbl\" to dictionary?", "Spell checking complete."}));
  EXPECT_EQ(ed->Text(), "Zorbl the ZORBL fleeb Fleeb the");
  EXPECT_EQ(ReadFileBytes(ProgramDir() + "CUSTOM.DIC"), "zorbl\r\n");
  // Later checks of the same component: Replace All and Skip All still hold.
  asked.clear();
  messages.clear();
  SetDocument("TEH fleeb zorbl's");
  EXPECT_EQ(Check(), scFinished);
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(ed->Text(), "the fleeb zorbl's");
  EXPECT_EQ(messages, (V{"No errors found. Spell checking complete..."}));
}

TEST_F(SpellCheckTest, AddingAKnownWordSaysSoAndNoConfirmAddsAtOnce) {
  SetDocument("qwzx zqvw");
  spell->SetConfirmAdd(false);
  onAsk = [&](TAbsSpellDialog* d, const std::string& word) {
    if (word == "qwzx") CurrentDictionary->AddWord("qwzx");  // known meanwhile
    PostClick(d->btnAdd);
  };
  Check();
  EXPECT_EQ(messages.front(), "\"qwzx\" already in dictionary.");
  EXPECT_EQ(asked, (V{"qwzx", "zqvw"}));
  EXPECT_EQ(ReadFileBytes(ProgramDir() + "CUSTOM.DIC"), "qwzx\r\nzqvw\r\n");
}

// Letters the OEM code page lacks (ø, ã, œ, ž), through the platform's own conversion:
// the user's words come back byte for byte, a document's Bjørn is shown and added as it is
// written, and it stays known after the dictionary is opened again.
TEST_F(SpellCheckTest, CustomWordsOutsideTheOemCodePageKeepTheirLetters) {
  std::string custom = ProgramDir() + "CUSTOM.DIC";
  const std::string theirs = "\x9Eizek\ns\xE3o\n\x9Cuvre\n";  // the user's order and line ends
  WriteText(custom, theirs);
  SetDocument("The s\xE3o \x9Cuvre of \x9Eizek.");
  EXPECT_EQ(Check(), scFinished);
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(ReadFileBytes(custom), theirs);  // nothing added: not rewritten
  SetDocument("Bj\xF8rn came.");
  std::string shown;
  onAsk = [&](TAbsSpellDialog* d, const std::string&) {
    shown = static_cast<TMSSpellDlg*>(d)->edtCurWord->Text();
    PostClick(d->btnClose);
  };
  EXPECT_EQ(Check(), scAborted);
  EXPECT_EQ(shown, "Bj\xF8rn");
  EXPECT_EQ(ReadFileBytes(custom), theirs);  // a cancelled check neither
  answers = {IDYES};
  onAsk = [&](TAbsSpellDialog* d, const std::string&) { PostClick(d->btnAdd); };
  messages.clear();
  EXPECT_EQ(Check(), scFinished);
  EXPECT_EQ(asked, (V{"Bj\xF8rn", "Bj\xF8rn"}));
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0], "Add \"Bj\xF8rn\" to dictionary?");
  // Saved in the list's sorted order, each word as it was written.
  std::string saved = ReadFileBytes(custom);
  EXPECT_EQ(saved.size(), std::string("bj\xF8rn\r\ns\xE3o\r\n\x9Cuvre\r\n\x9Eizek\r\n").size()) << saved;
  for (const char* w : {"bj\xF8rn\r\n", "s\xE3o\r\n", "\x9Cuvre\r\n", "\x9Eizek\r\n"})
    EXPECT_NE(saved.find(w), std::string::npos) << w;
  // As after a restart: the dictionary is read again from its files.
  spell->FreeDictionary();
  asked.clear();
  EXPECT_EQ(Check(), scFinished);
  EXPECT_TRUE(asked.empty());
  // Bjorn is another word: the added one does not make it known.
  SetDocument("Bjorn");
  onAsk = [&](TAbsSpellDialog* d, const std::string&) { PostClick(d->btnSkip); };
  Check();
  EXPECT_EQ(asked, (V{"Bjorn"}));
}

// What a person sees of the spell dialog: while it asks, the word in question in its word box,
// never the designed placeholder; at the message that ends a check, nothing of it, whether it
// asked about a word or no word was there to ask about.
TEST_F(SpellCheckTest, TheDialogShowsOnlyTheWordAskedAndNothingBehindTheLastMessage) {
  std::vector<std::string> behind;  // per closing message: the word box a person would see
  auto answer = Application->OnMessageBox;
  Application->OnMessageBox = [&, answer](const AnsiString& text, const AnsiString& caption, UINT flags) {
    auto* ms = static_cast<TMSSpellDlg*>(Dlg());
    bool seen = ms && ms->HandleAllocated() && IsWindowVisible(ms->Handle()) &&
                WindowAtMiddle(ms->edtCurWord) == ms->edtCurWord->Handle();
    behind.push_back(seen ? ms->edtCurWord->Text() : "(none)");
    return answer(text, caption, flags);
  };
  onAsk = [&](TAbsSpellDialog* d, const std::string& word) {
    auto* ms = static_cast<TMSSpellDlg*>(d);
    EXPECT_TRUE(IsWindowVisible(ms->Handle())) << word;
    EXPECT_EQ(WindowAtMiddle(ms->edtCurWord), ms->edtCurWord->Handle()) << word;
    EXPECT_EQ(ms->edtCurWord->Text(), word);
    PostClick(d->btnSkip);
  };
  for (const char* text : {"", "42 a 7", "The quick brown fox jumps over the lazy dog", "Teh quik end"}) {
    SetDocument(text);
    EXPECT_NE(Check(), scAborted) << text;
  }
  EXPECT_EQ(asked, (V{"Teh", "quik"}));
  EXPECT_EQ(behind, (V{"(none)", "(none)", "(none)", "(none)"}));
  EXPECT_EQ(messages.size(), 4u);
}

TEST_F(SpellCheckTest, AutoCorrectLinesAndCyclesEnd) {
  std::string list = ProgramDir() + "autocorr.txt";
  WriteText(list, "teh=the\r\n=nope\r\nfleeb=\r\nplonk\r\nqwa=qwb\r\nqwb=qwa\r\nzz=b=c\r\n");
  spell->SetAutoCorrectList(list);
  SetDocument("teh qwa zz fleeb qwb");
  onAsk = [&](TAbsSpellDialog* d, const std::string&) { PostClick(d->btnSkip); };
  // Only auto-corrections and a skip: result 0 and "No errors found", as the loop counts it.
  EXPECT_EQ(Check(), scFinished);
  EXPECT_EQ(ed->Text(), "the qwb b=c fleeb qwa");
  EXPECT_EQ(asked, (V{"fleeb"}));
  EXPECT_EQ(spell->AutoCorrectFrom().Count(), 4);
  // Read afresh at every check: the lists do not grow.
  Check();
  EXPECT_EQ(spell->AutoCorrectFrom().Count(), 4);
  EXPECT_EQ(spell->AutoCorrectTo().Strings(3), "b=c");
  // A missing list is reported once, and the check goes on.
  DeleteFileA(list.c_str());
  spell->SetAutoCorrectList("nolist.txt");
  messages.clear();
  SetDocument("the end");
  Check();
  Check();
  EXPECT_EQ(messages, (V{"nolist.txt file not found.", "No errors found. Spell checking complete...",
                         "No errors found. Spell checking complete..."}));
}

TEST_F(SpellCheckTest, OverLongWordsAreSkippedNotTakenForTheEnd) {
  std::string run(55, 'x');
  SetDocument("one " + run + " zorbl\r\nfine words");
  onAsk = [&](TAbsSpellDialog* d, const std::string&) { PostClick(d->btnSkip); };
  EXPECT_EQ(Check(), scFinished);
  EXPECT_EQ(asked, (V{"zorbl"}));
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Aborting spell check (Invalid word): \r" + run.substr(0, 50));
  EXPECT_EQ(messages[1], "Spell checking complete.");
}

TEST_F(SpellCheckTest, ALineLongerThanTheSourcesBufferIsReadWhole) {
  std::string line;
  while (line.size() < 20000) line += "the word ";
  SetDocument(line + "zorbl end\r\nfleeb");
  onAsk = [&](TAbsSpellDialog* d, const std::string& word) {
    if (word == "zorbl")
      Answer(d, "zebra", d->btnReplace);
    else
      PostClick(d->btnSkip);
  };
  EXPECT_EQ(Check(), scChanged);
  EXPECT_EQ(asked, (V{"zorbl", "fleeb"}));
  EXPECT_EQ(ed->GetLine(1), line + "zebra end");
}

TEST_F(SpellCheckTest, TheDocumentCanBeEditedWhileTheDialogWaits) {
  SetDocument("first zorbl\r\nsecond fleeb line");
  int passes = 0;
  bool typed = false;
  onAsk = [&](TAbsSpellDialog* d, const std::string& word) {
    if (word != "zorbl" || typed) {
      PostClick(d->btnSkip);
      return;
    }
    typed = true;
    // The person clicks into the document and types at its start, then comes back.
    ed->SetStartLine(1), ed->SetEndLine(1), ed->SetStartPos(0), ed->SetEndPos(0);
    ed->ApplySelection();
    ed->SetFocus();
    for (char c : std::string("new ")) PostMessageA(ed->Handle(), WM_CHAR, static_cast<BYTE>(c), 1);
    passes = spell->WaitPasses();
    Answer(d, "zebra", d->btnReplace);
  };
  EXPECT_EQ(Check(), scChanged);
  // The word moved under the dialog: nothing was overwritten at the old place, and the
  // line was read again, so the word came up once more.
  EXPECT_EQ(asked, (V{"zorbl", "zorbl", "fleeb"}));
  EXPECT_EQ(ed->GetLine(1).substr(0, 4), "new ");
  EXPECT_NE(ed->GetLine(1).find("zorbl"), std::string::npos);
  EXPECT_GT(spell->WaitPasses(), passes);
}

TSpellDlg* timedSpell = nullptr;
void CALLBACK ClickClose(HWND, UINT, UINT_PTR, DWORD) { PostClick(timedSpell->Dialog()->btnClose); }

TEST_F(SpellCheckTest, TheWaitSleepsUntilAMessageComes) {
  SetDocument("zorbl");
  // A timer clicks Cancel after a second of quiet: the wait must not have spun meanwhile.
  int before = 0;
  timedSpell = spell;
  Application->Post([&] { before = spell->WaitPasses(); });
  UINT_PTR timer = SetTimer(nullptr, 0, 1000, ClickClose);
  EXPECT_EQ(spell->SpellCheck(ed), scAborted);
  KillTimer(nullptr, timer);
  // A few wake-ups come from the forms' own timers; a spinning wait counts thousands.
  EXPECT_LT(spell->WaitPasses() - before, 40);
}

TEST_F(SpellCheckTest, ClosingTheDocumentMidCheckEndsItQuietly) {
  SetDocument("zorbl fleeb");
  onAsk = [&](TAbsSpellDialog*, const std::string&) {
    TLEdit* doc = ed;
    ed = nullptr;
    doc->Free();  // the tab is closed while the dialog waits
  };
  EXPECT_EQ(Check(), scAborted);
  EXPECT_FALSE(spell->Dialog()->Visible());
  EXPECT_FALSE(spell->Checking());
  // The component is whole and checks the next document.
  ed = new TLEdit(form);
  ed->SetParent(form);
  ed->SetAlign(alClient);
  SetDocument("the end");
  onAsk = nullptr;
  EXPECT_EQ(Check(), scFinished);
}

TEST_F(SpellCheckTest, ClosingTheWindowThatOwnsItAllMidCheck) {
  SetDocument("zorbl fleeb");
  answers = {IDNO};
  onAsk = [&](TAbsSpellDialog*, const std::string&) {
    TForm* f = form;
    form = nullptr;
    spell = nullptr;
    ed = nullptr;
    f->Release();  // as a closed window goes: freed once its queued messages are handled
  };
  StartPolling();
  TLEditSpellDlg* component = spell;
  EXPECT_EQ(component->SpellCheck(ed), scAborted);
  StopPolling();
  EXPECT_EQ(CurrentDictionary, nullptr);
  EXPECT_TRUE(messages.empty());
}

TEST_F(SpellCheckTest, EndingTheProgramMidCheckKeepsTheQuitRequest) {
  SetDocument("zorbl");
  onAsk = [&](TAbsSpellDialog*, const std::string&) { PostQuitMessage(0); };
  EXPECT_EQ(Check(), scAborted);
  MSG m;
  EXPECT_TRUE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(SpellCheckTest, ACorruptDictionaryGivesEverythingBack) {
  std::string dir = ProgramDir() + "baddict\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  WriteText(dir + "ENGLISH.DCT", std::string(200, 'x'));
  spell->SetDictionaryPath(dir);
  spell->SetForceModal(true);
  SetDocument("some words");
  ed->SetStartLine(1), ed->SetEndLine(1), ed->SetStartPos(2), ed->SetEndPos(4);
  ed->ApplySelection();
  ed->SetModified(true);
  EXPECT_THROW(spell->SpellCheck(ed), TEDictionaryCorrupt);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_FALSE(Dlg()->Visible());
  EXPECT_TRUE(ed->GetModified());
  ed->UpdateSelection();
  EXPECT_EQ(ed->StartPos(), 2);
  EXPECT_EQ(ed->EndPos(), 4);
  // A custom list that cannot be written fails at the very end, after ForceModal
  // disabled the other windows: they come back all the same.
  spell->SetDictionaryPath("APPLICATIONPATH");
  spell->SetUserDictionary("Z:\\no\\such\\folder\\CUSTOM.DIC");
  SetDocument("zorbl");
  ed->SetModified(true);
  onAsk = [&](TAbsSpellDialog* d, const std::string&) {
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));
    PostClick(d->btnAdd);
  };
  answers = {IDYES};
  StartPolling();
  EXPECT_THROW(spell->SpellCheck(ed), EFCreateError);
  StopPolling();
  EXPECT_EQ(asked, (V{"zorbl"}));
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_FALSE(Dlg()->Visible());
  EXPECT_TRUE(ed->GetModified());
  EXPECT_FALSE(spell->Checking());
  spell->SetUserDictionary("CUSTOM.DIC");
  // A missing one is a message and result 2 (the open one has the same name: closed first).
  spell->CloseDictionary();
  spell->SetDictionaryPath(ProgramDir() + "nowhere");
  EXPECT_EQ(spell->SpellCheck(ed), scAborted);
  EXPECT_TRUE(ed->GetModified());  // the document still asks to be saved
  EXPECT_EQ(messages.back(), "Error opening dictionary " + AnsiUpperCase(ProgramDir()) + "NOWHERE\\ENGLISH.DCT");
  DeleteFileA((dir + "ENGLISH.DCT").c_str());
  RemoveDirectoryA(dir.c_str());
}

TEST_F(SpellCheckTest, ForceModalDisablesTheOtherWindowsOnlyDuringTheCheck) {
  SetDocument("zorbl");
  spell->SetForceModal(true);
  bool formEnabled = true, dialogEnabled = false;
  onAsk = [&](TAbsSpellDialog* d, const std::string&) {
    formEnabled = IsWindowEnabled(form->Handle());
    dialogEnabled = IsWindowEnabled(d->Handle());
    PostClick(d->btnSkip);
  };
  Check();
  EXPECT_FALSE(formEnabled);
  EXPECT_TRUE(dialogEnabled);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST_F(SpellCheckTest, ComponentSettingsAndTheirMessages) {
  spell->SetSuggestions(0);
  EXPECT_EQ(messages, (V{"Invlid number of suggestions."}));
  EXPECT_EQ(spell->Suggestions(), 1);
  EXPECT_EQ(Dlg()->N(), 1);
  spell->SetDictionaryPath("c:\\dict");
  EXPECT_FALSE(spell->InitDictionary());
  EXPECT_EQ(spell->DictionaryPath(), "C:\\DICT\\");
  EXPECT_EQ(spell->DictionaryName(), "ENGLISH.DCT");
  spell->SetDictionaryPath("applicationPath");
  EXPECT_TRUE(spell->InitDictionary());
  EXPECT_EQ(spell->DictionaryPath(), ProgramDir());
  // The published properties are the ones stored forms can keep.
  std::vector<std::string> names;
  for (PPropInfo p : GetPropList(spell)) names.push_back(p->Name);
  for (const char* n :
       {"AccentIcons", "AutoCorrectList", "AutoShift", "AutoSuggest", "ConfirmAdd", "DialogStyle", "DictionaryName",
        "DictionaryPath", "DictionaryType", "ExclusionList", "Font", "ForceModal", "HelpContext", "LabelLanguage",
        "Suggestions", "ShowCompletedDialog", "ShowGlyphs", "SupportHTML", "UserDictionary"})
    EXPECT_NE(std::find(names.begin(), names.end(), n), names.end()) << n;
  EXPECT_EQ(
      GetEnumName(GetPropInfo(spell, "DialogStyle")->PropType, static_cast<int>(GetOrdProp(spell, "DialogStyle"))),
      "dtMSWord");
  // A dialog style change makes a new dialog of that class, with the component's N.
  spell->SetDialogStyle(dtWordPro96);
  EXPECT_STREQ(Dlg()->ClassName(), "TW96SpellDlg");
  EXPECT_EQ(Dlg()->N(), 1);
  EXPECT_EQ(Dlg()->Owner(), form);
}

TEST_F(SpellCheckTest, ExclusionsAreAlwaysReported) {
  std::string list = ProgramDir() + "exclude.txt";
  WriteText(list, "colour\r\n");
  spell->SetExclusionList(list);
  SetDocument("the colour");
  onAsk = [&](TAbsSpellDialog* d, const std::string&) { PostClick(d->btnSkip); };
  Check();
  EXPECT_EQ(asked, (V{"colour"}));
  DeleteFileA(list.c_str());
}

// ---- standard edit controls --------------------------------------------------------------------

struct EditCheckTest : SpellFixture {
  TTabbedNotebook* tabs = nullptr;
  TNotebook* book = nullptr;
  TMemo* memo = nullptr;
  TEdit* edit = nullptr;
  TSpellDlg* plain = nullptr;
  void SetUp() override {
    SpellFixture::SetUp();
    ed->SetAlign(alNone);
    ed->SetBounds(0, 0, 10, 10);
    tabs = new TTabbedNotebook(form);
    tabs->SetParent(form);
    tabs->SetBounds(0, 0, 540, 280);
    TTabPage* one = tabs->AddPage("One");
    TTabPage* two = tabs->AddPage("Two");
    book = new TNotebook(form);
    book->SetParent(two);
    book->SetAlign(alClient);
    book->AddPage("Front");
    TNotebookPage* back = book->AddPage("Back");
    memo = new TMemo(form);
    memo->SetParent(one);
    memo->SetBounds(8, 8, 300, 100);
    edit = new TEdit(form);
    edit->SetParent(back);
    edit->SetBounds(8, 8, 200, 21);
    plain = new TSpellDlg(form);
    plain->SetDialogStyle(dtMSWord);
    Pump();
  }
  void StartPollingPlain() {
    polling = true;
    actedWait = -1;
    ticker = std::make_unique<TTicker>([this] { PollPlain(); });
  }
  int CheckPlain(TControl* c) {
    StartPollingPlain();
    int r = plain->SpellCheck(c);
    StopPolling();
    Pump();
    return r;
  }
  void PollPlain() {
    if (!polling) return;
    if (plain->WaitingForChoice() && plain->Waits() != actedWait && plain->Dialog()->ResultCode() == srWaiting) {
      actedWait = plain->Waits();
      asked.push_back(memoOrEdit ? memoOrEdit->SelText() : "");
      if (onAsk) onAsk(plain->Dialog(), asked.back());
    }
  }
  TCustomEdit* memoOrEdit = nullptr;
};

TEST_F(EditCheckTest, AMemoIsCheckedAndItsSelectionComesBack) {
  memo->SetText("zorbl fleeb\r\nqwzx");
  memo->SetSelStart(2);
  memo->SetSelLength(3);
  memoOrEdit = memo;
  onAsk = [&](TAbsSpellDialog* d, const std::string& word) {
    if (word == "zorbl")
      Answer(d, "a", d->btnReplace);
    else
      PostClick(d->btnSkip);
  };
  EXPECT_EQ(CheckPlain(memo), scChanged);
  EXPECT_EQ(asked, (V{"zorbl", "fleeb", "qwzx"}));
  EXPECT_EQ(memo->Text(), "a fleeb\r\nqwzx");
  EXPECT_EQ(memo->SelStart(), 2);
  EXPECT_EQ(memo->SelLength(), 3);
  EXPECT_TRUE(memo->HideSelection());
  messages.clear();
  auto* button = new TButton(form);
  EXPECT_EQ(plain->SpellCheck(button), scFinished);
  EXPECT_EQ(messages, (V{"Error : Unknown control."}));
}

TEST_F(EditCheckTest, AllFieldsOnTheirPagesAndOneMessageAtTheEnd) {
  memo->SetText("the zorbl");
  edit->SetText("fleeb");
  memoOrEdit = memo;
  std::vector<std::string> pagesShown;
  onAsk = [&](TAbsSpellDialog* d, const std::string&) {
    pagesShown.push_back(tabs->ActivePage() + "/" + book->ActivePage());
    memoOrEdit = edit;
    Answer(d, "fleece", d->btnReplace);
  };
  StartPollingPlain();
  EXPECT_EQ(plain->CheckAllFields(form, true), scChanged);
  StopPolling();
  // The edit on the hidden notebook page of the other tab was brought to the front.
  ASSERT_EQ(pagesShown.size(), 2u);
  EXPECT_EQ(pagesShown[1], "Two/Back");
  EXPECT_EQ(edit->Text(), "fleece");
  EXPECT_EQ(messages, (V{"Spell checking complete."}));
  EXPECT_EQ(CurrentDictionary, nullptr);  // closed at the end
  EXPECT_FALSE(plain->Dialog()->Visible());
}

TEST_F(EditCheckTest, WordCountWindowShowsTheFigures) {
  memo->SetText("The cat and the CAT and a dog");
  int count = 0, distinct = 0;
  plain->WordCount(memo, count, distinct);
  EXPECT_EQ(count, 8);
  EXPECT_EQ(distinct, 5);
  TWordForm* w = TWordForm::Current();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->Visible());
  EXPECT_EQ(w->Caption(), "Word Count");
  EXPECT_EQ(w->lblWords->Caption(), "8");
  EXPECT_EQ(w->lblUniqueWords->Caption(), "5");
  ExpectInsideParents(w);
  PostClick(w->btnOk);
  Pump();
  EXPECT_FALSE(w->Visible());
  // The editor control through its own source.
  SetDocument("<b>one</b> two\r\nthree");
  spell->SetSupportHTML(true);
  spell->WordCount(ed, count, distinct);
  EXPECT_EQ(count, 5);  // the word count does not skip markup
}

TEST_F(EditCheckTest, AutoShiftMovesTheDialogAwayFromAMemosWord) {
  // The memo low on the screen: its word's line lies in the lower half.
  form->SetBounds(20, Screen->Height() - 360, 560, 320);
  Pump();
  memo->SetText("zorbl");
  memoOrEdit = memo;
  plain->SetAutoShift(true);
  int top = -1;
  POINT before{}, after{};
  onAsk = [&](TAbsSpellDialog* d, const std::string&) {
    top = d->Top();
    PostClick(d->btnSkip);
  };
  EXPECT_GT(GetMemoCaretTop(memo), Screen->Height() / 2);
  GetCursorPos(&before);
  CheckPlain(memo);
  GetCursorPos(&after);
  EXPECT_EQ(top, 10);
  EXPECT_NE(before.y, after.y);  // the pointer went along with the dialog
  // The editor control's source reports no word position: the dialog stays put.
  spell->SetAutoShift(true);
  SetDocument("zorbl");
  onAsk = [&](TAbsSpellDialog* d, const std::string&) {
    top = d->Top();
    PostClick(d->btnSkip);
  };
  Check();
  EXPECT_EQ(top, Screen->Height() - Dlg()->Height() - 10);  // ShowDialog's own shift only
}

struct TypingDlg : TSpellDlg {
  using TSpellDlg::TSpellDlg;
  std::vector<std::pair<std::string, int>> misspelt;
  void WordMisspelled(TCustomEdit*, const AnsiString& word, int start) override { misspelt.emplace_back(word, start); }
};

TEST_F(EditCheckTest, CheckTypingLooksAtTheWordBeforeTheCaret) {
  auto* typing = new TypingDlg(form);
  std::string list = ProgramDir() + "typing.txt";
  WriteText(list, "teh=the\r\n");
  typing->SetAutoCorrectList(list);
  edit->SetText("say teh  ");
  edit->SetSelStart(9);
  int start = -1;
  AnsiString word;
  EXPECT_TRUE(typing->GetWordBeforeCaret(edit, start, word));
  EXPECT_EQ(word, "teh");
  EXPECT_EQ(start, 4);
  EXPECT_EQ(edit->SelStart(), 9);
  typing->CheckTyping(edit, true, VK_SPACE);
  EXPECT_EQ(edit->Text(), "say the  ");
  EXPECT_EQ(edit->SelStart(), 9);
  edit->SetText("fine zorbl.");
  edit->SetSelStart(11);
  typing->CheckTyping(edit, true, 'x');  // only Enter and Space count
  EXPECT_TRUE(typing->misspelt.empty());
  typing->CheckTyping(edit, true, VK_RETURN);
  EXPECT_EQ(typing->misspelt, (std::vector<std::pair<std::string, int>>{{"zorbl", 5}}));
  edit->SetText("   ");
  edit->SetSelStart(2);
  EXPECT_FALSE(typing->GetWordBeforeCaret(edit, start, word));
  typing->Free();
  DeleteFileA(list.c_str());
}

}  // namespace
}  // namespace vx
