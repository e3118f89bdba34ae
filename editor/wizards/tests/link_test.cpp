// The link dialog and the hot-spot properties dialog on screen.
#include "editor/wizards/FormBuild.h"
#include "editor/wizards/H_hrefb.h"
#include "editor/wizards/Vx2_imgp.h"
#include "editor/wizards/tests/wizard_fixture.h"
#include "framework/core/Scoped.h"
#include "framework/win/tests/ScreenDriver.h"
#include "toolkit/ZXCtrls.h"

using namespace vx;

namespace {

struct LinkDialog : WizardFixture {
  TComponentPtr<TForm_RefB> f;
  void SetUp() override {
    WizardFixture::SetUp();
    f = NewForm<TForm_RefB>(Application);
    f->Show();
    Pump();
  }
  void TearDown() override {
    f.reset();
    WizardFixture::TearDown();
  }
  // A scheme chosen as a user does: its first letter typed into the list.
  void Choose(char letter) {
    f->ResourceLB->SetFocus();
    SendMessageA(f->ResourceLB->Handle(), WM_CHAR, static_cast<unsigned char>(letter), 1);
    Pump();
  }
  static std::string Shown(std::initializer_list<TControl*> list) {
    std::string s;
    for (TControl* c : list) s += c->Visible() ? '1' : '0';
    return s;
  }
  std::string Fields() { return Shown({f->PathE, f->FileE, f->targetE, f->PathL, f->FileL, f->TargetL}); }
  std::string Separators() { return Shown({f->SecondSepL, f->ThirdSepL, f->fourthSepL}); }
};

struct PropertiesDialog : WizardFixture {};

}  // namespace

TEST_F(LinkDialog, OpensOnFileWithTheSchemeListFocused) {
  EXPECT_EQ(f->Caption(), "HREF Builder");
  ExpectInside(f.get());
  EXPECT_EQ(GetFocus(), f->ResourceLB->Handle());
  EXPECT_EQ(f->ResourceLB->Items()->Count(), 11);
  EXPECT_EQ(f->ResourceLB->Items()->Strings(10), "wais");
  EXPECT_EQ(f->Scheme(), "file");
  EXPECT_EQ(f->URLE->Text(), "file://");
  EXPECT_TRUE(f->URLE->ReadOnly());
  EXPECT_EQ(Fields(), "111111");
  EXPECT_EQ(Separators(), "111");
}

TEST_F(LinkDialog, EachSchemeLabelsShowsAndComposesItsParts) {
  Choose('h');
  ASSERT_EQ(f->Scheme(), "http");
  Type(f->hostE->Handle(), "www.x.com");
  Type(f->PathE->Handle(), "docs");
  Type(f->targetE->Handle(), "top");
  EXPECT_EQ(f->URLE->Text(), "http://www.x.com/docs#top");
  Type(f->FileE->Handle(), "a.htm");
  EXPECT_EQ(f->URLE->Text(), "http://www.x.com/docs/a.htm#top");

  Choose('m');
  ASSERT_EQ(f->Scheme(), "mailto");
  EXPECT_EQ(f->Label1->Caption(), "E-Mail Address");
  EXPECT_EQ(f->FirstSepL->Caption(), ":");
  EXPECT_EQ(Fields(), "000000");
  EXPECT_EQ(Separators(), "000");
  EXPECT_EQ(f->URLE->Text(), "mailto:www.x.com");
  EXPECT_EQ(f->PathE->Text(), "docs");  // kept, though not used

  Choose('n');
  ASSERT_EQ(f->Scheme(), "news");
  EXPECT_EQ(f->Label1->Caption(), "Newsgroup");
  EXPECT_EQ(f->URLE->Text(), "news:www.x.com");

  Choose('t');
  ASSERT_EQ(f->Scheme(), "telnet");
  EXPECT_EQ(f->Label1->Caption(), "Host Address");
  EXPECT_EQ(f->FirstSepL->Caption(), "://");
  EXPECT_EQ(f->PathL->Caption(), "Logon UserName");
  EXPECT_EQ(f->FileL->Caption(), "Password");
  EXPECT_EQ(Fields(), "110110");
  EXPECT_EQ(Separators(), "000");
  f->PathE->SetText("");
  f->FileE->SetText("");
  EXPECT_EQ(f->URLE->Text(), "telnet://:@www.x.com");

  Choose('w');
  ASSERT_EQ(f->Scheme(), "wais");
  EXPECT_EQ(f->PathL->Caption(), "Path");
  EXPECT_EQ(f->TargetL->Caption(), "Type");
  EXPECT_EQ(Fields(), "101101");
  EXPECT_EQ(Separators(), "100");
  Type(f->PathE->Handle(), "p");
  EXPECT_EQ(f->URLE->Text(), "wais://www.x.com/top/p");
  ExpectInside(f.get());
}

TEST_F(PropertiesDialog, TheLinkComesFromTheLinkDialogOrAFile) {
  auto p = NewForm<TForm_Imgp>(Application);
  p->HRefE->SetText("old.htm");
  p->Show();
  Pump();
  ExpectInside(p.get());
  EXPECT_EQ(p->targetE->Items()->Count(), 3);
  EXPECT_EQ(p->SpeedButton1->Hint(), "Select File");
  // "...": the link dialog, answered as a user would fill it.
  std::vector<std::string> shown;
  Application->OnModalForm = [&](TForm* form) {
    shown.push_back(form->Caption());
    auto* refb = dynamic_cast<TForm_RefB*>(form);
    if (!refb) return;
    refb->ResourceLB->SetItemIndex(refb->ResourceLB->Items()->IndexOf("ftp"));
    refb->ResourceLBChange(refb);
    refb->hostE->SetText("files.x.com");
    refb->OkBtn->Click();
  };
  Click(p->Button1, 10, 10);
  EXPECT_EQ(shown, std::vector<std::string>{"HREF Builder"});
  EXPECT_EQ(p->HRefE->Text(), "ftp://files.x.com");
  EXPECT_EQ(GetFocus(), p->HRefE->Handle());
  Application->OnModalForm = [](TForm* form) { form->SetModalResult(mrCancel); };
  p->OkBtn->SetFocus();
  Click(p->Button1, 10, 10);
  EXPECT_EQ(p->HRefE->Text(), "ftp://files.x.com");
  EXPECT_EQ(GetFocus(), p->HRefE->Handle());  // either way
  // The file button: the open dialog's file relative to the current folder.
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  SetCurrentDir(tmp);
  AnsiString title, filter;
  TCommonDialog::Handler() = [&](TCommonDialog* d) {
    auto* o = static_cast<TOpenDialog*>(d);
    title = o->Title();
    filter = o->Filter();
    o->SetFileName(AnsiString(tmp) + "Site\\Index.HTM");
    return true;
  };
  Click(p->SpeedButton1, 5, 5);
  EXPECT_EQ(title, "Select File");
  EXPECT_EQ(filter, "HTML Files (*.htm)|*.htm|All Files|*.*");
  EXPECT_EQ(p->HRefE->Text(), "site/index.htm");
}

// Enter and Esc in the open scheme list close the list; only with the list closed do they
// press OK or Cancel. The dialog is opened as a person opens it, from the hot spot
// properties' "..." button.
TEST_F(LinkDialog, EnterInTheOpenSchemeListChoosesAndLeavesTheDialogOpen) {
  f.reset();
  Pump();
  // Modal runs that wait for the person's keys.
  Application->SetUnattended(false);
  auto attended = OnScopeExit([] { Application->SetUnattended(true); });
  auto props = NewForm<TForm_Imgp>(Application);
  TForm_RefB* d = nullptr;
  HWND combo = nullptr;
  auto dropped = [&] { return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; };
  std::string afterEnter, afterEsc, link;
  bool openAfterEnter = false, openAfterEsc = false;
  int result = -1;
  screen::TInputScript s;
  s.Do([&] { Application->Post([&] { result = props->ShowModal(); }); }, "open the properties")
      .Then([&] { return props->Visible() && IsWindowVisible(props->Button1->Handle()); }, "the properties show")
      .Pause(300)
      .Do([&] { screen::Click(screen::Centre(screen::WindowScreenRect(props->Button1->Handle()))); }, "click ...")
      .Then(
          [&] {
            d = static_cast<TForm_RefB*>(screen::ShownForm("TForm_RefB"));
            return d && IsWindowVisible(combo = d->ResourceLB->Handle()) && GetFocus() == combo;
          },
          "the HREF Builder shows")
      .Pause(300)
      .Do([] { screen::Key(VK_DOWN, TShiftState{ssAlt}); }, "open the list")
      .Then(dropped, "the list shows")
      .Pause(200)
      .Do([] { screen::Key(VK_DOWN); }, "to the next scheme")
      .Pause(200)
      .Do([] { screen::Key(VK_RETURN); }, "Enter in the list")
      .Pause(300)
      .Do([&] {
        openAfterEnter = screen::ShownForm("TForm_RefB") == d && !dropped();
        if (!openAfterEnter) return;
        afterEnter = d->Scheme() + " " + d->URLE->Text();
        screen::SaveShot(screen::Capture(screen::WindowScreenRect(d->Handle())), "href_after_enter");
      })
      .Do(
          [&] {
            if (!openAfterEnter) return;
            RECT r = screen::WindowScreenRect(combo);
            screen::Click(POINT{r.right - 6, (r.top + r.bottom) / 2});
          },
          "click the list's arrow")
      .Then([&] { return !openAfterEnter || dropped(); }, "the list shows again")
      .Pause(200)
      .Do([] { screen::Key(VK_ESCAPE); }, "Esc in the list")
      .Pause(300)
      .Do([&] {
        openAfterEsc = openAfterEnter && screen::ShownForm("TForm_RefB") == d && !dropped();
        if (openAfterEsc) afterEsc = d->Scheme();
      })
      .Do([&] {
        if (screen::ShownForm("TForm_RefB")) screen::Key(VK_RETURN);
      }, "Enter with the list closed")
      .Then([&] { return !screen::ShownForm("TForm_RefB"); }, "the HREF Builder ends")
      .Do([&] { link = props->HRefE->Text(); })
      .Do([] { screen::Key(VK_ESCAPE); }, "Esc in the properties")
      .Then([&] { return result != -1; }, "the properties end");
  EXPECT_TRUE(s.Run()) << s.FailedStep();
  EXPECT_TRUE(openAfterEnter);
  EXPECT_EQ(afterEnter, "ftp ftp://");
  EXPECT_TRUE(openAfterEsc);
  EXPECT_EQ(afterEsc, "ftp");
  EXPECT_EQ(link, "ftp://");
  EXPECT_EQ(result, mrCancel);
}
