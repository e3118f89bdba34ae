// Custom tags and custom tools: their files byte for byte, the editors and their menus,
// a custom tag around a selection, and tools started with the document's name (a
// recording program stands in for the tool).
#include "editor/tests/frame_fixture.h"

#include "editor/CusListDlg.h"
#include "editor/CusTool.h"
#include "editor/CustTags.h"
#include "editor/VX2_Cust.h"
#include "editor/VX2_CustE.h"
#include "editor/VX2_Tool.h"
#include "editor/VX2_ToolE.h"
#include "editor/vx2_NCusT.h"
#include "editor/VX2_NTool.h"
#include "framework/core/Streams.h"
#include "toolkit/ToolEdit.h"
#include "framework/win/tests/ScreenShot.h"

using namespace vx;

namespace {

std::string Str(const std::string& s) { return std::string(1, '\x06') + char(s.size()) + s; }
const std::string kTrue = "\x09", kFalse = "\x08";

std::string Bytes(TStream& s) {
  std::string out(static_cast<size_t>(s.Size()), '\0');
  s.SetPosition(0);
  s.ReadBuffer(out.data(), static_cast<int>(out.size()));
  return out;
}

TCusTagItem* Tag(TCusTags& list, const std::string& name, const std::string& before, bool bFile,
                 const std::string& after, bool aFile) {
  auto item = std::make_unique<TCusTagItem>();
  item->SetName(name);
  item->SetBefore(before);
  item->SetBeforeIsFile(bFile);
  item->SetAfter(after);
  item->SetAfterIsFile(aFile);
  TCusTagItem* p = item.get();
  list.Add(std::move(item));
  return p;
}

TCusToolItem* Tool(TCusTool& list, const char* name, const std::string& cmd, const char* params, bool saveFirst) {
  auto item = std::make_unique<TCusToolItem>();
  item->SetName(name);
  item->SetCommand(cmd);
  item->SetParams(params);
  item->SetSaveFirst(saveFirst);
  TCusToolItem* p = item.get();
  list.Add(std::move(item));
  return p;
}

}  // namespace

TEST(CustomFiles, TagsAndToolsInTheTypedValueStream) {
  TCusTags tags;
  Tag(tags, "Centre", "<CENTER>", false, "</CENTER>", false);
  Tag(tags, "Signature", "C:\\sig.txt", true, "", false);
  TMemoryStream m;
  tags.SaveToStream(m);
  EXPECT_EQ(Bytes(m), "\x01" + Str("Centre") + Str("<CENTER>") + kFalse + Str("</CENTER>") + kFalse + Str("Signature") +
                          Str("C:\\sig.txt") + kTrue + Str("") + kFalse + std::string(1, '\0'));
  TCusTags back;
  m.SetPosition(0);
  back.LoadFromStream(m);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.Items(1)->Before(), "C:\\sig.txt");
  EXPECT_TRUE(back.Items(1)->BeforeIsFile());
  EXPECT_EQ(back.Names(0), "Centre");

  TCusTool tools;
  Tool(tools, "Lint", "C:\\lint.exe", "%s -q", true);
  TMemoryStream t;
  tools.SaveToStream(t);
  EXPECT_EQ(Bytes(t), "\x01" + Str("Lint") + Str("C:\\lint.exe") + Str("%s -q") + kTrue + std::string(1, '\0'));

  // A damaged file changes nothing and says so.
  TMemoryStream bad;
  std::string cut = Bytes(t).substr(0, 12);
  bad.WriteBuffer(cut.data(), static_cast<int>(cut.size()));
  bad.SetPosition(0);
  EXPECT_THROW(tools.LoadFromStream(bad), EReadError);
  EXPECT_EQ(tools.Count(), 1);
}

TEST(CustomFiles, CommandLines) {
  TCusTool tools;
  TCusToolItem* t = Tool(tools, "T", "C:\\tools\\lint.exe", "%s", false);
  EXPECT_EQ(ToolCommandLine(*t, "C:\\a.htm"), "C:\\tools\\lint.exe C:\\a.htm");
  // Blanks: the program and the name are quoted; a "%s" the user quoted is left alone.
  t->SetCommand("C:\\Program Files\\lint.exe");
  t->SetParams("-f %s --out \"%s.txt\"");
  EXPECT_EQ(ToolCommandLine(*t, "C:\\my docs\\a.htm"),
            "\"C:\\Program Files\\lint.exe\" -f \"C:\\my docs\\a.htm\" --out \"C:\\my docs\\a.htm.txt\"");
  // Plain text: no format directives, and parameters without "%s" go as they are.
  t->SetParams("-w 100% %d");
  EXPECT_EQ(ToolCommandLine(*t, "C:\\a.htm"), "\"C:\\Program Files\\lint.exe\" -w 100% %d");
  t->SetParams("");
  EXPECT_EQ(ToolCommandLine(*t, "C:\\a.htm"), "\"C:\\Program Files\\lint.exe\"");
}

namespace {

// The frame, with the editors' dialogs answered by a script per dialog class.
struct CustomTest : FrameTest {
  std::function<void(TForm*)> onList, onName, onProps;

  void SetUp() override {
    FrameTest::SetUp();
    Application->OnModalForm = [this](TForm* f) {
      shown.push_back(f->ClassName());
      if (dynamic_cast<TCusListDlg*>(f) && onList) onList(f);
      if (dynamic_cast<TNameDlg*>(f) && onName) onName(f);
      if ((dynamic_cast<TfrmCusTagE*>(f) || dynamic_cast<TfrmCusToolE*>(f)) && onProps) onProps(f);
    };
  }
  // The program folder is the test's own: the lists are written there; the tag
  // definitions come along for the document window.
  void BeforeStart() override {
    CopyFileA((TestFolder() + "standard.vxt").c_str(), (dir + "standard.vxt").c_str(), FALSE);
    SetProgramFolder(dir);
  }
  static std::string TestFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.rfind('\\') + 1);
  }
  std::vector<std::string> Captions(TMenuItem* menu) {
    std::vector<std::string> out;
    for (int i = 0; i < menu->Count(); ++i) out.push_back(menu->Items(i)->Caption());
    return out;
  }
  TMenuItem* Find(TMenuItem* menu, const std::string& caption) {
    for (int i = 0; i < menu->Count(); ++i)
      if (menu->Items(i)->Caption() == caption) return menu->Items(i);
    return nullptr;
  }
};

}  // namespace

TEST_F(CustomTest, TagsMadeInTheEditorAreSavedAndListedInThePopup) {
  // Nothing yet: the popup offers the editor and a line; the Tools menu has no tools.
  EXPECT_EQ(Captions(frame->CustomPopUp->Items()), (std::vector<std::string>{"Edit Custom Tags..", "-"}));
  EXPECT_EQ(Captions(frame->Tools1).back(), "Edit Custom Tools");
  // Add "Centre" with typed texts, and "Sig" taken from a file after the selection.
  std::vector<std::pair<std::string, std::pair<std::string, std::string>>> plan = {
      {"Centre", {"<CENTER>", "</CENTER>"}}, {"Sig", {"", dir + "my sig.txt"}}};
  size_t next = 0;
  onList = [&](TForm* f) {
    auto* d = static_cast<TfrmCustTag*>(f);
    EXPECT_EQ(d->Caption(), "Custom Tag Editor");
    EXPECT_FALSE(d->btnRemove->Enabled());
    // On the screen: every button inside the dialog, OK under its own middle.
    RECT client;
    GetClientRect(d->Handle(), &client);
    for (TButton* b : {d->btnAdd, d->btnProperties, d->btnRemove, d->btnOK, d->btnCancel}) {
      RECT r = b->BoundsRect();
      EXPECT_TRUE(r.right <= client.right && r.bottom <= client.bottom) << b->Caption();
    }
    RECT ok;
    GetWindowRect(d->btnOK->Handle(), &ok);
    EXPECT_EQ(WindowFromPoint(POINT{(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2}), d->btnOK->Handle());
    for (next = 0; next < plan.size(); ++next) d->btnAdd->Click();
    EXPECT_EQ(d->lbTags->Items()->Count(), 2);
    EXPECT_EQ(d->lbTags->ItemIndex(), 1);
    Pump();
    SaveScreen("custom_tag_editor");
    d->btnOK->Click();
  };
  onName = [&](TForm* f) {
    auto* d = static_cast<TfrmNewTag*>(f);
    EXPECT_EQ(d->Caption(), "New Custom Tag");
    d->newtagE->SetText(plan[next].first);
    d->SetModalResult(mrOk);
  };
  onProps = [&](TForm* f) {
    auto* d = static_cast<TfrmCusTagE*>(f);
    EXPECT_EQ(d->Caption(), "Editing " + plan[next].first);
    if (next == 0) {
      d->BeforeE->SetText(plan[next].second.first);
      d->AfterE->SetText(plan[next].second.second);
    } else {
      d->AfterFileE->SetFileName(plan[next].second.second);  // shown in quotes, stored bare
      EXPECT_EQ(d->AfterFileE->Text(), "\"" + plan[next].second.second + "\"");
      Pump();
      SaveScreen("custom_tag_properties");
    }
    d->SetModalResult(mrOk);
  };
  frame->EditCustonTags1->Click();
  Pump();  // the popup is rebuilt once the command has returned
  EXPECT_EQ(shown, (std::vector<std::string>{"TfrmCustTag", "TfrmNewTag", "TfrmCusTagE", "TfrmNewTag", "TfrmCusTagE"}));
  EXPECT_EQ(ReadFileBytes(dir + "vornix.cti"), "\x01" + Str("Centre") + Str("<CENTER>") + kFalse + Str("</CENTER>") +
                                                   kFalse + Str("Sig") + Str("") + kFalse + Str(dir + "my sig.txt") +
                                                   kTrue + std::string(1, '\0'));
  TMenuItem* popup = frame->CustomPopUp->Items();
  EXPECT_EQ(Captions(popup), (std::vector<std::string>{"Edit Custom Tags..", "-", "Centre", "Sig"}));
  EXPECT_EQ(popup->Items(2)->Tag(), 0);
  EXPECT_EQ(popup->Items(3)->Tag(), 1);

  // After a restart the list and the popup come back from the file.
  Stop();
  shown.clear();
  Start();
  ASSERT_EQ(frame->CusTags()->Count(), 2);
  EXPECT_EQ(frame->CusTags()->Items(1)->After(), dir + "my sig.txt");
  EXPECT_EQ(Captions(frame->CustomPopUp->Items()).size(), 4u);
  // The popup's own first item opens the editor too; Cancel there writes nothing.
  onList = [](TForm* f) { f->SetModalResult(mrCancel); };
  std::string before = ReadFileBytes(dir + "vornix.cti");
  frame->CustomPopUp->Items()->Items(0)->Click();
  EXPECT_EQ(shown, (std::vector<std::string>{"TfrmCustTag"}));
  EXPECT_EQ(ReadFileBytes(dir + "vornix.cti"), before);
}

TEST_F(CustomTest, CancelDiscardsRemovalsAndPropertyChanges) {
  Tag(*frame->CusTags(), "Centre", "<CENTER>", false, "</CENTER>", false);
  Tag(*frame->CusTags(), "Bold", "<B>", false, "</B>", false);
  frame->BuildCustomTagMenu();
  onList = [&](TForm* f) {
    auto* d = static_cast<TfrmCustTag*>(f);
    d->lbTags->SetItemIndex(0);
    d->btnPropertiesClick(d);  // Centre gets other texts, with OK
    answers = {IDOK};
    d->lbTags->SetItemIndex(1);
    d->btnRemoveClick(d);  // Bold goes, confirmed
    EXPECT_EQ(d->lbTags->Items()->Count(), 1);
    d->btnCancel->Click();
  };
  onProps = [](TForm* f) {
    auto* d = static_cast<TfrmCusTagE*>(f);
    EXPECT_EQ(d->BeforeE->Text(), "<CENTER>");
    d->BeforeE->SetText("<DIV ALIGN=center>");
    d->SetModalResult(mrOk);
  };
  frame->cmdNewItemClick(frame);
  EXPECT_EQ(messages, (std::vector<std::string>{"Delete selected custom tag"}));
  ASSERT_EQ(frame->CusTags()->Count(), 2);
  EXPECT_EQ(frame->CusTags()->Items(0)->Before(), "<CENTER>");
  EXPECT_FALSE(FileExists(dir + "vornix.cti"));
  EXPECT_EQ(Captions(frame->CustomPopUp->Items()).size(), 4u);
  // The Bold tag still works.
  Doc("a word here");
  Select(1, 2, 1, 6);
  Find(frame->CustomPopUp->Items(), "Bold")->Click();
  EXPECT_EQ(Editor()->GetLine(1), "a <B>word</B> here");
}

// A list file that cannot be written (another program holds it) keeps the list, and so the
// popup and the Tools menu, as the file holds them.
TEST_F(CustomTest, AFailedSaveKeepsTheListsAsTheirFilesHoldThem) {
  Tag(*frame->CusTags(), "Centre", "<CENTER>", false, "</CENTER>", false);
  frame->CusTags()->SaveToFile(dir + "vornix.cti");
  Tool(*frame->CusTool(), "Lint", dir + "lint.exe", "%s", false);
  frame->CusTool()->SaveToFile(dir + "vornix.tsi");
  frame->BuildCustomTagMenu();
  frame->BuildToolsMenu();
  const std::string cti = ReadFileBytes(dir + "vornix.cti"), tsi = ReadFileBytes(dir + "vornix.tsi");
  const std::vector<std::string> tools = Captions(frame->Tools1);
  std::string added;
  onList = [](TForm* f) {
    static_cast<TCusListDlg*>(f)->btnAdd->Click();
    static_cast<TCusListDlg*>(f)->btnOK->Click();
  };
  onName = [&](TForm* f) {
    if (auto* d = dynamic_cast<TfrmNewTag*>(f)) d->newtagE->SetText(added);
    if (auto* d = dynamic_cast<TfrmNewTool*>(f)) d->newtoolE->SetText(added);
    f->SetModalResult(mrOk);
  };
  onProps = [](TForm* f) { f->SetModalResult(mrOk); };
  for (const char* leaf : {"vornix.cti", "vornix.tsi"}) {
    const bool tags = std::string(leaf) == "vornix.cti";
    added = tags ? "Bold" : "Tidy";
    HANDLE lock = CreateFileA((dir + leaf).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    messages.clear();
    MenuCommand(tags ? frame->EditCustonTags1 : frame->cmdEditCustomTools);
    Pump();
    CloseHandle(lock);
    ASSERT_EQ(messages.size(), 1u) << leaf;
    EXPECT_NE(messages[0].find(dir + leaf), std::string::npos) << messages[0];
    if (tags) {
      EXPECT_EQ(frame->CusTags()->Count(), 1);
      EXPECT_EQ(Captions(frame->CustomPopUp->Items()), (std::vector<std::string>{"Edit Custom Tags..", "-", "Centre"}));
      EXPECT_EQ(ReadFileBytes(dir + leaf), cti);
    } else {
      EXPECT_EQ(frame->CusTool()->Count(), 1);
      EXPECT_EQ(Captions(frame->Tools1), tools);
      EXPECT_EQ(ReadFileBytes(dir + leaf), tsi);
    }
  }
  // With the files free again the same OK writes them, and the menus follow.
  added = "Bold";
  MenuCommand(frame->EditCustonTags1);
  Pump();
  EXPECT_EQ(Captions(frame->CustomPopUp->Items()),
            (std::vector<std::string>{"Edit Custom Tags..", "-", "Centre", "Bold"}));
  EXPECT_NE(ReadFileBytes(dir + "vornix.cti").find(Str("Bold")), std::string::npos);
}

TEST_F(CustomTest, TextsLongerThanAWindowTitleComeBackFromThePropertiesWhole) {
  // Lines of text in the memos: 66,298 characters before (just past what a window title
  // holds, once cut to 762), 64,998 (once refused the window) and 1,300,000 after.
  auto text = [](size_t n, char c) {
    std::string s;
    while (s.size() < n) s += std::string(78, c) + "\r\n";
    s.resize(n);
    return s;
  };
  const std::string big = text(66298, 'b'), edge = text(64998, 'n'), huge = text(1300000, 'h');
  Tag(*frame->CusTags(), "Big", big, false, huge, false);
  Tag(*frame->CusTags(), "Near", edge, false, "", false);
  frame->BuildCustomTagMenu();
  int opened = 0;
  onList = [&](TForm* f) {
    auto* d = static_cast<TfrmCustTag*>(f);
    for (int i = 0; i < 2; ++i) {
      d->lbTags->SetItemIndex(i);
      d->btnPropertiesClick(d);
    }
    d->btnOK->Click();
  };
  onProps = [&](TForm* f) {
    auto* d = static_cast<TfrmCusTagE*>(f);
    ++opened;
    EXPECT_EQ(d->BeforeE->Text().size(), opened == 1 ? big.size() : edge.size());
    d->SetModalResult(mrOk);
  };
  frame->EditCustonTags1->Click();
  Pump();
  EXPECT_EQ(opened, 2);
  EXPECT_TRUE(messages.empty());
  TCusTags saved;
  saved.LoadFromFile(dir + "vornix.cti");
  ASSERT_EQ(saved.Count(), 2);
  EXPECT_TRUE(saved.Items(0)->Before() == big);
  EXPECT_TRUE(saved.Items(0)->After() == huge);
  EXPECT_TRUE(saved.Items(1)->Before() == edge);
}

TEST_F(CustomTest, ACustomTagGoesAroundTheSelectionAndSelectsItAll) {
  Tag(*frame->CusTags(), "Centre", "<CENTER>", false, "</CENTER>", false);
  Tag(*frame->CusTags(), "Block", "<DIV>\r\n  ", false, "\r\n</DIV>", false);
  Tag(*frame->CusTags(), "Missing", "<CENTER>", false, dir + "gone.txt", true);
  Write("foot.txt", "<HR>\r\nfoot");
  Tag(*frame->CusTags(), "Foot", "", false, dir + "foot.txt", true);
  frame->BuildCustomTagMenu();
  TMenuItem* popup = frame->CustomPopUp->Items();
  Doc("a word here\r\nline two");
  Select(1, 2, 1, 6);
  Find(popup, "Centre")->Click();
  EXPECT_EQ(Editor()->GetLine(1), "a <CENTER>word</CENTER> here");
  EXPECT_EQ(Editor()->SelTextToString(), "<CENTER>word</CENTER>");

  // Texts with line breaks: the selection still ends where the text after it ends.
  Editor()->SetText("a word here\r\nline two");
  Select(1, 2, 1, 6);
  Find(popup, "Block")->Click();
  EXPECT_EQ(Editor()->Text().substr(0, 34), "a <DIV>\r\n  word\r\n</DIV> here\r\nline");
  EXPECT_EQ(Editor()->SelTextToString(), "<DIV>\r\n  word\r\n</DIV>");
  // Over two lines, a backwards selection too.
  Editor()->SetText("one\r\ntwo");
  Select(2, 2, 1, 1);
  Find(popup, "Centre")->Click();
  EXPECT_EQ(Editor()->SelTextToString(), "<CENTER>ne\r\ntw</CENTER>");

  // A missing file puts the error text in its place and selects nothing new.
  Editor()->SetText("a word here");
  Select(1, 2, 1, 6);
  Find(popup, "Missing")->Click();
  EXPECT_EQ(Editor()->GetLine(1), "a <CENTER>word[Error : Could not load text file ! Check Custom Tag] here");
  EXPECT_NE(Editor()->SelTextToString().find("[Error"), 0u);
  // A file's lines come each with its line break.
  Editor()->SetText("x");
  Select(1, 1, 1, 1);
  Find(popup, "Foot")->Click();
  EXPECT_EQ(Editor()->Text().substr(0, 13), "x<HR>\r\nfoot\r\n");
  // A file there but not readable (another program holds it) fails the insertion
  // before anything goes in: no closing tag without its opening one.
  std::string held = Write("held.txt", "<B>");
  Tag(*frame->CusTags(), "Held", held, true, "</B>", false);
  frame->BuildCustomTagMenu();
  HANDLE lock = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  Editor()->SetText("a word here");
  Select(1, 2, 1, 6);
  EXPECT_ANY_THROW(Find(frame->CustomPopUp->Items(), "Held")->Click());
  CloseHandle(lock);
  EXPECT_EQ(Editor()->Text(), "a word here");
}

// A custom tag goes in as one edit: one Undo takes both texts away. Texts that together
// make a line longer than the editor holds go in not at all, and a message says so.
TEST_F(CustomTest, ACustomTagIsOneUndoStepAndNeverHalfInserted) {
  Tag(*frame->CusTags(), "Block", "<DIV>\r\n  ", false, "\r\n</DIV>", false);
  Tag(*frame->CusTags(), "Wide", std::string(20000, 'b'), false, std::string(13000, 'a'), false);
  frame->BuildCustomTagMenu();
  TMenuItem* popup = frame->CustomPopUp->Items();
  const std::string text = "a word here\r\nline two";
  Doc(text);
  Select(2, 4, 1, 2);
  Find(popup, "Block")->Click();
  EXPECT_EQ(Editor()->Text(), "a <DIV>\r\n  word here\r\nline\r\n</DIV> two");
  EXPECT_EQ(Editor()->SelTextToString(), "<DIV>\r\n  word here\r\nline\r\n</DIV>");
  ExpectOneUndoStep(text);
  // No selection: the caret after the text before, as ever.
  Doc(text);
  Select(1, 1, 1, 1);
  Find(popup, "Block")->Click();
  Editor()->UpdateSelection();
  EXPECT_EQ(Editor()->EndLine(), 2);
  EXPECT_EQ(Editor()->EndPos(), 2);
  ExpectOneUndoStep(text);
  // 20,000 before and 13,000 after the selected blank of "x y": neither goes in.
  Doc("x y");
  Select(1, 1, 1, 2);
  messages.clear();
  Find(popup, "Wide")->Click();
  EXPECT_TRUE(Editor()->Text() == "x y") << "the text changed";
  EXPECT_EQ(messages, std::vector<std::string>{"The custom tag Wide was not inserted: its texts would make a line "
                                               "longer than 32767 characters."});
  Editor()->SetModified(false);
}

namespace {

// Tool tests: the recording program copied to a folder with blanks in its name.
struct ToolTest : CustomTest {
  std::string tools, recorder, record;
  void BeforeStart() override {
    CustomTest::BeforeStart();
    tools = dir + "my tools\\";
    CreateDirectoryA(tools.c_str(), nullptr);
    recorder = tools + "rec tool.exe";
    record = tools + "cmdline.txt";
    CopyFileA((TestFolder() + "vornix_tool_recorder.exe").c_str(), recorder.c_str(), FALSE);
  }
  void TearDown() override {
    DeleteFileA(record.c_str());
    DeleteFileA(recorder.c_str());
    RemoveDirectoryA(tools.c_str());
    CustomTest::TearDown();
  }
  // What the tool was started with (waits for it to write).
  std::string Recorded() {
    for (int i = 0; i < 200 && !FileExists(record); ++i) Sleep(50);
    Sleep(100);
    std::string s = ReadFileBytes(record);
    DeleteFileA(record.c_str());
    return s;
  }
  void Run(const char* name) {
    TMenuItem* item = Find(frame->Tools1, name);
    ASSERT_NE(item, nullptr) << name;
    item->Click();
    Pump();
  }
};

}  // namespace

TEST_F(ToolTest, ToolsStartWithTheDocumentsNameAndAreListedInTheToolsMenu) {
  ASSERT_TRUE(FileExists(recorder));
  onList = [&](TForm* f) {
    auto* d = static_cast<TfrmCusTool*>(f);
    EXPECT_EQ(d->Caption(), "Custom Tool Editor");
    d->btnAdd->Click();
    d->btnOK->Click();
  };
  onName = [](TForm* f) {
    static_cast<TfrmNewTool*>(f)->newtoolE->SetText("Record");
    f->SetModalResult(mrOk);
  };
  onProps = [&](TForm* f) {
    auto* d = static_cast<TfrmCusToolE*>(f);
    d->CmdE->SetFileName(recorder);
    d->ParamE->SetText("-x %s");
    Pump();
    SaveScreen("custom_tool_properties");
    d->SetModalResult(mrOk);
  };
  frame->cmdEditCustomTools->Click();
  // The tool's program is kept bare; only the command line quotes it.
  ASSERT_EQ(frame->CusTool()->Count(), 1);
  EXPECT_EQ(frame->CusTool()->Items(0)->Command(), recorder);
  EXPECT_EQ(ReadFileBytes(dir + "vornix.tsi"),
            "\x01" + Str("Record") + Str(recorder) + Str("-x %s") + kFalse + std::string(1, '\0'));
  std::vector<std::string> menu = Captions(frame->Tools1);
  ASSERT_GE(menu.size(), 2u);
  EXPECT_EQ(menu[menu.size() - 2], "-");
  EXPECT_EQ(menu.back(), "Record");
  EXPECT_EQ(frame->Tools1->Items(frame->Tools1->Count() - 2)->Tag(), 1);
  EXPECT_EQ(frame->Tools1->Items(frame->Tools1->Count() - 1)->Tag(), 1);

  // A document whose path holds a blank: one quoted parameter.
  std::string doc = Write("my page.htm", "<P>x</P>");
  frame->OpenInEditor(doc);
  Pump();
  Run("Record");
  EXPECT_EQ(Recorded(), "\"" + recorder + "\" -x \"" + doc + "\"");
  // Parameters without "%s" go unchanged.
  frame->CusTool()->Items(0)->SetParams("--all 100%");
  Run("Record");
  EXPECT_EQ(Recorded(), "\"" + recorder + "\" --all 100%");
  EXPECT_TRUE(messages.empty());
}

TEST_F(ToolTest, SaveFirstSavesAnUntitledDocumentThroughSaveAs) {
  Tool(*frame->CusTool(), "Check", recorder, "%s", true);
  frame->BuildToolsMenu();
  frame->NewDoc(frame);
  Pump();
  Type("Hello");
  // Save As cancelled: nothing is started.
  dialog = [](TCommonDialog*) { return false; };
  Run("Check");
  Sleep(300);
  EXPECT_FALSE(FileExists(record));
  // Saved under a name: the tool gets that name, and the document is no longer modified.
  std::string name = dir + "saved.htm";
  SaveAs(name);
  Run("Check");
  EXPECT_EQ(Recorded(), "\"" + recorder + "\" " + name);
  EXPECT_NE(ReadFileBytes(name).find("Hello"), std::string::npos);
  EXPECT_FALSE(Editor()->GetModified());
  EXPECT_EQ(TabCaption(0), "saved.htm");
  EXPECT_TRUE(messages.empty());
}

TEST_F(ToolTest, AMissingProgramIsReported) {
  Tool(*frame->CusTool(), "Gone", dir + "no such tool.exe", "%s", false);
  frame->BuildToolsMenu();
  Run("Gone");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("no such tool.exe"), std::string::npos);
  EXPECT_NE(messages[0].find("Gone"), std::string::npos);
  // An empty list has no line in the Tools menu.
  frame->CusTool()->Clear();
  frame->BuildToolsMenu();
  EXPECT_EQ(Captions(frame->Tools1).back(), "Edit Custom Tools");
}
