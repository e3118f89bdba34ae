// The options dialog through the frame's Tools menu: every control filled from its
// option and stored back on OK, nothing changed by OK alone or by Cancel, the filter
// editor, the restart notice, and the pages as they are on the screen.
#include "editor/tests/frame_fixture.h"

#include "editor/H_optns.h"
#include "tagdefs/FilterEd.h"
#include "toolkit/ToolEdit.h"
#include "framework/win/tests/ScreenShot.h"
#include "toolkit/ZXCombos.h"

using namespace vx;

namespace {

const char* const kSections[] = {"Window", "ExtBrowser", "Dialog", "Editor", "Browser"};

struct OptionsTest : FrameTest {
  std::function<void(TFormOptions*)> onOptions;
  std::function<void(TfrmFilter*)> onFilter;

  void SetUp() override {
    FrameTest::SetUp();
    Application->OnModalForm = [this](TForm* f) {
      shown.push_back(f->ClassName());
      if (auto* o = dynamic_cast<TFormOptions*>(f); o && onOptions) onOptions(o);
      if (auto* fe = dynamic_cast<TfrmFilter*>(f); fe && onFilter) onFilter(fe);
    };
  }
  void TearDown() override {
    TRegIniFile::DeleteUserKey("Vornix");
    FrameTest::TearDown();
  }
  // Every option value in the registry, section by section.
  std::string StoredOptions() {
    TRegIniFile reg(VornixRegKey);
    std::string all;
    for (const char* s : kSections) {
      TStringList lines;
      reg.ReadSectionValues(s, lines);
      all += std::string("[") + s + "]\n" + lines.Text();
    }
    return all;
  }
  void Options() {
    frame->EnvironmentOptions1->Click();
    Pump();
  }
};

// Options a list cannot show: a system colour, faces this machine lacks, paths with blanks.
struct UnusualOptionsTest : OptionsTest {
  void BeforeStart() override {
    TRegIniFile reg(VornixRegKey);
    reg.WriteString("Editor", "Font", "No Such Face 7");
    reg.WriteString("Editor", "Syntax", "-2147483640");  // the window text colour
    reg.WriteString("Browser", "PreFont", "Courier 10 Pitch Missing");
    reg.WriteString("ExtBrowser", "Browser", "C:\\Program Files\\Web Browser\\browse.exe");
    reg.WriteString("Dialog", "DocFilter", "Pages (*.htm;*.html)|*.htm;*.html");
  }
};

}  // namespace

TEST_F(UnusualOptionsTest, OkWithoutChangesChangesNoOption) {
  ASSERT_TRUE(Stop());
  std::string before = StoredOptions();
  Start();
  bool seen = false;
  onOptions = [&](TFormOptions* f) {
    seen = true;
    // Shown as they are stored, even where no line of a list matches.
    EXPECT_EQ(f->EditFontE->FontName(), "No Such Face 7");
    EXPECT_EQ(f->EditFontE->ItemIndex(), -1);
    EXPECT_EQ(f->DefBackGroundE->ColorValue(), clBtnFace);
    EXPECT_EQ(f->DefBackGroundE->ItemIndex(), -1);
    EXPECT_EQ(f->BrowserE->Text(), "\"C:\\Program Files\\Web Browser\\browse.exe\"");
    EXPECT_EQ(f->PageControl1->ActivePage(), f->OptionsPage);
    f->btnOK->Click();
  };
  Options();
  EXPECT_TRUE(seen);
  EXPECT_EQ(messages, (std::vector<std::string>{RestartNotice}));
  EXPECT_EQ(frame->Settings()->BrowserBG(), clBtnFace);
  EXPECT_EQ(frame->Settings()->Browser(), "C:\\Program Files\\Web Browser\\browse.exe");
  ASSERT_TRUE(Stop());
  EXPECT_EQ(StoredOptions(), before);
  // The dialog's own place is kept under its own key.
  TRegIniFile own("Vornix");
  EXPECT_TRUE(own.SectionExists("Properties"));
}

TEST_F(OptionsTest, EveryControlIsFilledFromItsOptionAndStoredBackOnOk) {
  TSettings* s = frame->Settings();
  s->SetDefaultDir(dir);
  s->SetBrowser2("C:\\b2.exe");
  s->SetFontSize(40);  // beyond the dialog's range: shown and stored at its bound
  onOptions = [&](TFormOptions* f) {
    EXPECT_EQ(f->EditFontE->FontName(), "Courier New");
    EXPECT_EQ(f->EditFontSizeE->Value(), 18);
    EXPECT_EQ(f->EditFontColorE->ColorValue(), 0);
    EXPECT_EQ(f->EditBGE->ColorValue(), 0xFFFFFF);
    EXPECT_EQ(f->EditSyntaxE->ColorValue(), 0x008000);
    EXPECT_EQ(f->EditCommentE->ColorValue(), 0x000080);
    EXPECT_EQ(f->EditQuotedE->ColorValue(), 0xFF0000);
    EXPECT_TRUE(f->EditSyntaxHighLight->Checked());
    EXPECT_FALSE(f->EditMacSave->Checked());
    EXPECT_FALSE(f->EditUnixSave->Checked());
    EXPECT_TRUE(f->EditAutoIndent->Checked());
    EXPECT_TRUE(f->EditWordWrap->Checked());
    EXPECT_EQ(f->EditTabSize->Value(), 3);
    EXPECT_EQ(f->DefaultDirE->Text(), dir);
    EXPECT_EQ(f->DefFontColorE->ColorValue(), 0);
    EXPECT_EQ(f->DefFontNameE->FontName(), "Arial");
    EXPECT_EQ(f->DefFontSizeE->Value(), 8);
    EXPECT_EQ(f->DefHotSpotColorE->ColorValue(), 0xFF0000);
    EXPECT_TRUE(f->UseDDECB->Checked());
    EXPECT_EQ(f->BrowserE->Text(), "");
    EXPECT_TRUE(f->UseDDECB2->Checked());
    EXPECT_EQ(f->BrowserE2->FileName(), "C:\\b2.exe");
    EXPECT_TRUE(f->CreateBAKCB->Checked());
    EXPECT_TRUE(f->LowerCaseCB->Checked());
    EXPECT_EQ(f->DocExtE->Text(), "html");
    EXPECT_EQ(f->DocFilterE->Text(), s->DocFilter());
    EXPECT_EQ(f->ImgExtE->Text(), "jpg");
    EXPECT_EQ(f->ImgFilterE->Text(), s->ImgFilter());

    f->EditFontE->SetFontName("Arial");
    f->EditFontSizeE->SetValue(14);
    f->EditFontColorE->SetColorValue(0x800000);
    f->EditBGE->SetColorValue(0xC0C0C0);
    f->EditSyntaxE->SetColorValue(0x800080);
    f->EditCommentE->SetColorValue(0x808000);
    f->EditQuotedE->SetColorValue(0x0000FF);
    f->EditSyntaxHighLight->SetChecked(false);
    f->EditMacSave->SetChecked(true);
    f->EditUnixSave->SetChecked(true);
    f->EditAutoIndent->SetChecked(false);
    f->EditWordWrap->SetChecked(false);
    f->EditTabSize->SetValue(9);  // beyond 8
    f->DefaultDirE->SetText("C:\\");
    f->DefBackGroundE->SetColorValue(0x00FFFF);
    f->DefFontColorE->SetColorValue(0x808080);
    f->DefFontNameE->SetFontName("Times New Roman");
    f->DefFontSizeE->SetValue(10);
    f->DefHotSpotColorE->SetColorValue(0x00FF00);
    f->DefPreFontNameE->SetFontName("Courier New");
    f->UseDDECB->SetChecked(false);
    f->BrowserE->SetFileName("C:\\My Browser\\b.exe");
    f->UseDDECB2->SetChecked(false);
    f->BrowserE2->SetText("C:\\Other Browser\\c.exe");  // typed without quotes
    f->CreateBAKCB->SetChecked(false);
    f->LowerCaseCB->SetChecked(false);
    f->DocExtE->SetText("htm");
    f->DocFilterE->SetText("Pages|*.htm");
    f->ImgExtE->SetText("gif");
    f->ImgFilterE->SetText("Pictures|*.gif");
    f->btnOK->Click();
  };
  Options();
  EXPECT_EQ(s->Font(), "Arial");
  EXPECT_EQ(s->FontSize(), 14);
  EXPECT_EQ(s->FontColor(), 0x800000);
  EXPECT_EQ(s->BG(), 0xC0C0C0);
  EXPECT_EQ(s->Syntax(), 0x800080);
  EXPECT_EQ(s->Comment(), 0x808000);
  EXPECT_EQ(s->Quoted(), 0x0000FF);
  EXPECT_FALSE(s->SyntaxC());
  EXPECT_TRUE(s->Mac());
  EXPECT_TRUE(s->Unix());
  EXPECT_FALSE(s->AutoIndent());
  EXPECT_FALSE(s->WordWrap());
  EXPECT_EQ(s->HTab(), 8);
  EXPECT_EQ(s->DefaultDir(), "C:\\");
  EXPECT_EQ(s->BrowserBG(), 0x00FFFF);
  EXPECT_EQ(s->BrowserFontColor(), 0x808080);
  EXPECT_EQ(s->BrowserFont(), "Times New Roman");
  EXPECT_EQ(s->BrowserFontSize(), 10);
  EXPECT_EQ(s->HotSpot(), 0x00FF00);
  EXPECT_EQ(s->PreFont(), "Courier New");
  EXPECT_FALSE(s->UseDDE());
  EXPECT_EQ(s->Browser(), "C:\\My Browser\\b.exe");
  EXPECT_FALSE(s->UseDDE2());
  EXPECT_EQ(s->Browser2(), "C:\\Other Browser\\c.exe");
  EXPECT_FALSE(s->CreateBAK());
  EXPECT_FALSE(s->LowerCase());
  EXPECT_EQ(s->DocExt(), "htm");
  EXPECT_EQ(s->DocFilter(), "Pages|*.htm");
  EXPECT_EQ(s->ImgExt(), "gif");
  EXPECT_EQ(s->ImgFilter(), "Pictures|*.gif");
  // Nothing reaches the registry before the end.
  TRegIniFile reg(VornixRegKey);
  EXPECT_EQ(reg.ReadString("Dialog", "DocExt", "none"), "none");
  ASSERT_TRUE(Stop());
  EXPECT_EQ(reg.ReadString("Dialog", "DocExt", ""), "htm");
  EXPECT_EQ(reg.ReadString("Editor", "HTab", ""), "8");
}

TEST_F(OptionsTest, CancelKeepsEveryOptionAlsoAfterTheFilterEditor) {
  std::string filter = frame->Settings()->DocFilter();
  onFilter = [&](TfrmFilter* f) {
    EXPECT_EQ(f->GetFilter(), filter);
    f->SetFilter("Text (*.txt)|*.txt");
    f->SetModalResult(mrOk);
  };
  onOptions = [&](TFormOptions* f) {
    f->DocFilterE->Button()->Click();
    EXPECT_EQ(f->DocFilterE->Text(), "Text (*.txt)|*.txt");
    f->EditBGE->SetColorValue(0x000000);
    f->btnCancel->Click();
  };
  Options();
  EXPECT_EQ(shown, (std::vector<std::string>{"TFormOptions", "TfrmFilter"}));
  EXPECT_EQ(frame->Settings()->DocFilter(), filter);
  EXPECT_EQ(frame->Settings()->BG(), 0xFFFFFF);
  EXPECT_TRUE(messages.empty());
}

TEST_F(OptionsTest, EveryPageShowsItsControlsInsideIt) {
  std::vector<std::string> outside;
  onOptions = [&](TFormOptions* f) {
    EXPECT_EQ(f->Caption(), "Properties");
    EXPECT_EQ(f->HelpContext(), 23);
    for (int p = 0; p < f->PageControl1->PageCount(); ++p) {
      TTabSheet* page = f->PageControl1->Pages(p);
      f->PageControl1->SetActivePage(page);
      Pump();
      RECT pr;
      GetWindowRect(page->Handle(), &pr);
      EXPECT_TRUE(IsWindowVisible(page->Handle()));
      // Every windowed control of the page lies inside it, and is what a click there hits.
      std::vector<TWinControl*> list;
      page->GetTabOrderList(list);
      EXPECT_FALSE(list.empty());
      for (TWinControl* c : list) {
        if (dynamic_cast<TGroupBox*>(c)) continue;
        RECT r;
        GetWindowRect(c->Handle(), &r);
        if (r.left < pr.left || r.top < pr.top || r.right > pr.right || r.bottom > pr.bottom)
          outside.push_back(c->Name());
        HWND hit = WindowFromPoint(POINT{r.left + 3, (r.top + r.bottom) / 2});
        if (hit != c->Handle() && GetParent(hit) != c->Handle() && GetAncestor(hit, GA_PARENT) != c->Handle())
          outside.push_back(c->Name() + " (covered)");
      }
      SaveScreen("options_" + page->Caption());
    }
    RECT ok, client;
    GetWindowRect(f->btnOK->Handle(), &ok);
    GetWindowRect(f->Handle(), &client);
    EXPECT_TRUE(ok.right <= client.right && ok.bottom <= client.bottom);
    f->btnCancel->Click();
  };
  Options();
  EXPECT_TRUE(outside.empty()) << outside[0];
}
