// The preview: the preview copy, the preview window and its menus, printing from it, and
// the external browsers, started by command line or driven by DDE, played by a small
// program that records what it is asked (vornix_fake_browser.exe).
#include "editor/tests/frame_fixture.h"

#include "editor/H_submit.h"
#include "editor/Preview.h"
#include "editor/Vx2_html.h"
#include "framework/win/tests/ScreenDriver.h"
#include "toolkit/Placemnt.h"
#include "viewer/tests/link_clicks.h"
#include "viewer/vwPrint.h"

using namespace vx;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> r;
  size_t at = 0;
  while (at < text.size()) {
    size_t e = text.find('\n', at);
    if (e == std::string::npos) e = text.size();
    std::string l = text.substr(at, e - at);
    if (!l.empty() && l.back() == '\r') l.pop_back();
    if (!l.empty()) r.push_back(l);
    at = e + 1;
  }
  return r;
}

struct PreviewTest : FrameTest {
  void TearDown() override {
    PrinterFactory() = nullptr;
    FrameTest::TearDown();
  }
  // A document opened from a file and shown in the preview with Ctrl+R.
  void OpenAndPreview(const std::string& file) {
    frame->OpenInEditor(file);
    Pump();
    ASSERT_EQ(frame->ActiveMDIChild(), frmEditWin);
    Editor()->SetFocus();
    Pump();
    screen::Key('R', {ssCtrl});
    Pump();
    ASSERT_NE(Form_HTMLView, nullptr);
  }
  THTMLViewer* PreviewPage() {
    TFrameSet* s = Form_HTMLView->Viewer->CurrentFrameSet();
    return s && s->ViewerCount() > 0 ? s->Viewers[0] : nullptr;
  }
  POINT Centre(TControl* c) { return c->ClientToScreen(POINT{c->Width() / 2, c->Height() / 2}); }
};

}  // namespace

TEST(PreviewRules, CopyNameServiceAndCommandLine) {
  EXPECT_EQ(PreviewFilePath("C:\\web\\index.htm", "D:\\cur"), "C:\\web\\vornixtmp.htm");
  EXPECT_EQ(PreviewFilePath("Untitled-1.htm", "D:\\cur"), "D:\\cur\\vornixtmp.htm");
  EXPECT_EQ(PreviewFilePath("Untitled-1.htm", "D:\\"), "D:\\vornixtmp.htm");
  EXPECT_EQ(OpenUrlItem("C:\\web\\vornixtmp.htm"), "file:///C|/web/vornixtmp.htm,,-1,1,,,");
  EXPECT_EQ(ServiceNameOf("C:\\Prog\\netscape.exe"), "netscape");
  EXPECT_EQ(ServiceNameOf("C:\\Prog\\my.browser.exe"), "my");
  EXPECT_EQ(ServiceNameOf("C:\\Prog.d\\browser"), "");
  EXPECT_EQ(BrowserCommandLine("C:\\Prog\\b.exe", "C:\\web\\vornixtmp.htm"), "C:\\Prog\\b.exe C:\\web\\vornixtmp.htm");
  EXPECT_EQ(BrowserCommandLine("C:\\Program Files\\b.exe", "C:\\My Site\\vornixtmp.htm"),
            "\"C:\\Program Files\\b.exe\" \"C:\\My Site\\vornixtmp.htm\"");
  // A long line is not cut: the browser would open another file than the one written.
  std::string deep = "C:\\" + std::string(300, 'd') + "\\vornixtmp.htm";
  EXPECT_EQ(BrowserCommandLine("C:\\b.exe", deep).size(), 9 + deep.size());
}

TEST_F(PreviewTest, ReloadGoesBetweenTheDocumentAndItsPreview) {
  Write("other.htm", "<TITLE>Other</TITLE><P>The other page");
  Write("pic.gif", "GIF89a not really");
  std::string index = Write("index.htm",
                            "<TITLE>Index</TITLE><P>First words <A HREF=\"other.htm\">other</A> "
                            "<A HREF=\"pic.gif\">picture</A>");
  OpenAndPreview(index);
  // The copy is written beside the document and shown in the preview window.
  EXPECT_EQ(ReadFileBytes(dir + "vornixtmp.htm"), ReadFileBytes(index));
  EXPECT_TRUE(SameText(Form_HTMLView->Viewer->GetFileName(), dir + "vornixtmp.htm"));
  EXPECT_EQ(frame->ActiveMDIChild(), Form_HTMLView);
  EXPECT_EQ(Form_HTMLView->Caption(), "vornixtmp.htm [Index]");
  EXPECT_EQ(Form_HTMLView->HelpContext(), 95);
  EXPECT_NE(PageText(PreviewPage()).find("First words"), std::string::npos);
  EXPECT_EQ(WindowFromPoint(Centre(Form_HTMLView->Viewer)), PreviewPage()->PaintPanel()->Handle());
  // The preview is no place for editing tools.
  EXPECT_FALSE(frame->EditToolEnabled("siSave"));
  EXPECT_EQ(frame->ReloadHint(), "Edit HTML Document");
  // The link under the pointer shows in the status bar.
  POINT p{};
  ASSERT_TRUE(FindLink(PreviewPage(), "other.htm", p));
  SendMessageA(PreviewPage()->PaintPanel()->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  EXPECT_EQ(Panel(3), "other.htm");

  // Ctrl+R on the preview copy: back to the document.
  screen::Key('R', {ssCtrl});
  Pump();
  EXPECT_EQ(frame->ActiveMDIChild(), frmEditWin);
  EXPECT_EQ(TabCount(), 1);
  // Ctrl+R on a page reached by a link: that page opens as a document.
  screen::Key('R', {ssCtrl});
  Pump();
  ASSERT_EQ(frame->ActiveMDIChild(), Form_HTMLView);
  ClickLink(PreviewPage(), "other.htm");
  EXPECT_EQ(Form_HTMLView->Viewer->GetTitle(), "Other");
  screen::Key('R', {ssCtrl});
  Pump();
  ASSERT_EQ(TabCount(), 2);
  EXPECT_EQ(frame->ActiveMDIChild(), frmEditWin);
  EXPECT_TRUE(SameText(Editor()->FileName(), dir + "other.htm"));
  // A picture reached by a link is no document: the document window comes back instead.
  frame->ReloadSBClick(frame);  // the preview of other.htm
  Pump();
  ASSERT_EQ(frame->ActiveMDIChild(), Form_HTMLView);
  Form_HTMLView->Viewer->LoadFromFile(dir + "pic.gif");
  Pump();
  frame->ReloadSBClick(frame);
  Pump();
  EXPECT_EQ(TabCount(), 2);
  EXPECT_EQ(frame->ActiveMDIChild(), frmEditWin);
  EXPECT_TRUE(messages.empty());
}

TEST_F(PreviewTest, HistoryMenuImagesAndTheStoredSetting) {
  Write("two.htm", "<TITLE>Two</TITLE><P>Page two");
  std::string index = Write("index.htm", "<TITLE>One</TITLE><P><A HREF=\"two.htm\">two</A>");
  OpenAndPreview(index);
  TForm_HTMLView* w = Form_HTMLView;
  // The Browser menu comes with the first page, merged into the frame's menu bar.
  EXPECT_TRUE(w->HistoryMenuItem->Visible());
  EXPECT_EQ(w->HistoryMenuItem->GroupIndex(), 3);
  EXPECT_EQ(w->EditDocument1->ShortCut(), scCtrl | 'R');
  EXPECT_EQ(w->BackButton->ShortCut(), VK_F11);
  EXPECT_EQ(w->FwdButton->ShortCut(), VK_F12);
  EXPECT_TRUE(w->HistoryItems[0]->Visible());
  EXPECT_FALSE(w->HistoryItems[1]->Visible());
  // The status bar names the link under the mouse and forgets it once it is followed.
  POINT at{};
  ASSERT_TRUE(FindLink(PreviewPage(), "two.htm", at));
  PostMessageA(PreviewPage()->PaintPanel()->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  Pump();
  EXPECT_NE(frame->StatusBar->Panels()->Items(3)->Text().find("two.htm"), std::string::npos);
  ClickLink(PreviewPage(), "two.htm");
  EXPECT_EQ(frame->StatusBar->Panels()->Items(3)->Text(), "");
  ASSERT_EQ(w->Viewer->HistoryCount(), 2);
  EXPECT_TRUE(SameText(w->HistoryItems[0]->Caption(), dir + "two.htm"));
  EXPECT_TRUE(SameText(w->HistoryItems[1]->Caption(), dir + "vornixtmp.htm"));
  EXPECT_TRUE(w->HistoryItems[0]->Checked());
  EXPECT_FALSE(w->HistoryItems[1]->Checked());
  EXPECT_TRUE(w->BackButton->Enabled());
  EXPECT_FALSE(w->FwdButton->Enabled());
  EXPECT_EQ(w->Caption(), "Two");
  // F11 goes back, the history item goes forward again.
  screen::Key(VK_F11);
  Pump();
  EXPECT_EQ(w->Viewer->GetTitle(), "One");
  EXPECT_TRUE(w->FwdButton1->Enabled());
  EXPECT_TRUE(w->HistoryItems[1]->Checked());
  w->HistoryItems[0]->Click();
  EXPECT_EQ(w->Viewer->GetTitle(), "Two");
  // Images off, kept in the "Browser" section when the window closes.
  ASSERT_TRUE(w->ShowImages->Checked());
  w->ShowImages->Click();
  EXPECT_FALSE(w->Viewer->ViewImages());
  EXPECT_FALSE(w->ShowImages->Checked());
  w->Close();
  Pump();
  EXPECT_EQ(Form_HTMLView, nullptr);
  TRegIniFile reg(VornixRegKey);
  EXPECT_EQ(reg.ReadString("Browser", "Viewer_ViewImages", "?"), "False");
  // The next preview window starts with images off.
  frmEditWin->BringToFront();
  Pump();
  frame->ReloadSBClick(frame);
  Pump();
  ASSERT_NE(Form_HTMLView, nullptr);
  EXPECT_FALSE(Form_HTMLView->Viewer->ViewImages());
  EXPECT_FALSE(Form_HTMLView->ShowImages->Checked());
}

TEST_F(PreviewTest, AFramedPageAndASubmittedForm) {
  Write("nav.htm", "<P>Navigation");
  Write("main.htm",
        "<FORM ACTION=\"/cgi/send\" METHOD=post><INPUT NAME=who VALUE=\"Ann Lee\">"
        "<INPUT TYPE=submit NAME=go VALUE=Send></FORM>");
  std::string index = Write("index.htm",
                            "<TITLE>Framed</TITLE><FRAMESET COLS=\"30%,*\"><FRAME SRC=nav.htm NAME=nav>"
                            "<FRAME SRC=main.htm NAME=main></FRAMESET>");
  OpenAndPreview(index);
  TFrameSet* set = Form_HTMLView->Viewer->CurrentFrameSet();
  ASSERT_EQ(set->ViewerCount(), 2);
  TFrame* nav = set->FindFrame("nav");
  TFrame* main = set->FindFrame("main");
  EXPECT_EQ(WindowFromPoint(Centre(nav)), nav->Viewer->PaintPanel()->Handle());
  EXPECT_NE(PageText(nav->Viewer).find("Navigation"), std::string::npos);
  SaveScreen("preview_frames");
  // The form's button submits; the results come in "Submit Results".
  std::string shown, action, method;
  std::vector<std::string> results;
  Application->OnModalForm = [&](TForm* f) {
    shown = f->Caption();
    if (auto* s = dynamic_cast<TSubmitForm*>(f)) {
      action = s->ActionText->Text();
      method = s->MethodText->Text();
      for (int i = 0; i < s->ResultBox->Items()->Count(); ++i) results.push_back(s->ResultBox->Items()->Strings(i));
      EXPECT_FALSE(s->ActionText->TabStop());
      EXPECT_TRUE(s->CloseButton->Default());
      // Every control lies inside the dialog's client area.
      for (TControl* c : {static_cast<TControl*>(s->ActionText), static_cast<TControl*>(s->ResultBox),
                          static_cast<TControl*>(s->CloseButton)})
        EXPECT_TRUE(c->Left() >= 0 && c->Top() >= 0 && c->Left() + c->Width() <= s->ClientWidth() &&
                    c->Top() + c->Height() <= s->ClientHeight())
            << c->Name();
      Application->ProcessMessages();
      SaveScreen("preview_submit");
    }
    f->SetModalResult(mrOk);
  };
  HWND button = nullptr;
  for (HWND h = GetWindow(main->Viewer->PaintPanel()->Handle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    char cls[32];
    GetClassNameA(h, cls, sizeof cls);
    if (_stricmp(cls, "Button") == 0 && IsWindowVisible(h)) button = h;
  }
  ASSERT_NE(button, nullptr);
  SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  Pump();
  EXPECT_EQ(shown, "Submit Results");
  EXPECT_EQ(action, "/cgi/send");
  EXPECT_EQ(method, "post");
  EXPECT_EQ(results, (std::vector<std::string>{"who=Ann Lee", "go=Send"}));
}

TEST_F(PreviewTest, PrintFromThePreviewTakesThePagesChosen) {
  std::string index = Write("index.htm", "<P>Alpha page<PAGE><P>Bravo page<PAGE><P>Charlie page");
  OpenAndPreview(index);
  // Print through a metafile: the pages chosen in the print dialog, from the frame's Print.
  struct TPages : TvwPrinter {
    std::vector<int>* starts;
    explicit TPages(std::vector<int>* s) : starts(s) {}
    HDC CreateContext(bool, const AnsiString&, const AnsiString&, const AnsiString&, const DEVMODEA*) override {
      return CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    }
    void DeleteContext(HDC dc) override { DeleteEnhMetaFile(CloseEnhMetaFile(dc)); }
    bool StartDocument(const std::string&) override { return true; }
    bool StartPrinterPage() override {
      starts->push_back(1);
      return true;
    }
    bool EndPrinterPage() override { return true; }
    bool EndDocument() override { return true; }
    void AbortDocument() override {}
  };
  std::vector<int> pages;
  PrinterFactory() = [&pages] { return std::make_unique<TPages>(&pages); };
  dialog = [](TCommonDialog* d) {
    auto* p = dynamic_cast<TPrintDialog*>(d);
    if (!p) return false;
    EXPECT_EQ(p->MinPage(), 1);
    EXPECT_EQ(p->MaxPage(), 9999);
    p->SetPrintRange(prPageNums);
    p->SetFromPage(2);
    p->SetToPage(3);
    return true;
  };
  frame->cmdPrint->Click();
  Pump();
  EXPECT_EQ(pages.size(), 2u);
  // Cancelled: nothing printed.
  pages.clear();
  dialog = nullptr;
  frame->cmdPrintClick(frame);
  EXPECT_TRUE(pages.empty());
}

// ---- external browsers -----------------------------------------------------------------

namespace {

struct BrowserTest : FrameTest {
  std::string browsers, log;
  void BeforeStart() override {
    browsers = dir + "Fake Browsers\\";
    CreateDirectoryA(browsers.c_str(), nullptr);
    log = dir + "browser.log";
    SetEnvironmentVariableA("VX_FAKE_BROWSER_LOG", log.c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableA("VX_FAKE_BROWSER_LOG", nullptr);
    SetEnvironmentVariableA("VX_FAKE_BROWSER_MUTE", nullptr);
    FrameTest::TearDown();
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((browsers + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do DeleteFileA((browsers + fd.cFileName).c_str());
      while (FindNextFileA(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryA(browsers.c_str());
  }
  // The fake browser under another name, in a folder with a blank in its name.
  std::string Browser(const std::string& name) {
    std::string path = browsers + name;
    CopyFileA((ProgramFolder() + "vornix_fake_browser.exe").c_str(), path.c_str(), FALSE);
    return path;
  }
  // The log's lines once it holds at least n of them (or after the time runs out).
  std::vector<std::string> Logged(size_t n, int ms = 15000) {
    std::vector<std::string> l;
    for (int t = 0; t < ms; t += 50) {
      l = Lines(ReadFileBytes(log) == "<missing>" ? std::string() : ReadFileBytes(log));
      if (l.size() >= n) break;
      Sleep(50);
      Application->ProcessMessages();
    }
    return l;
  }
  std::string Document(const std::string& folder) {
    CreateDirectoryA((dir + folder).c_str(), nullptr);
    return Write(folder + "\\index.htm", "<P>Page");
  }
};

}  // namespace

TEST_F(BrowserTest, CommandLinesQuoteBlanksAndNeedABrowser) {
  std::string doc = Document("My Site");
  std::string b1 = Browser("first.exe"), b2 = Browser("second.exe");
  frame->Settings()->SetUseDDE(false);
  frame->Settings()->SetUseDDE2(false);
  frame->OpenInEditor(doc);
  Pump();
  // No browser yet: the user is asked; Cancel starts nothing and stores nothing.
  dialog = nullptr;
  frame->cmdRefreshExtViewer->Click();
  Pump();
  EXPECT_EQ(dialogNames.size(), 1u);
  EXPECT_EQ(frame->Settings()->Browser(), "");
  Sleep(500);
  EXPECT_EQ(ReadFileBytes(log), "<missing>");
  // Chosen once, kept in the options; the next command asks no more.
  dialog = [&](TCommonDialog* d) {
    auto* o = dynamic_cast<TOpenDialog*>(d);
    EXPECT_EQ(o->Title(), "Select Internet Browser");
    o->SetFileName(b1);
    return true;
  };
  frame->cmdRefreshExtViewer->Click();
  Pump();
  EXPECT_EQ(dialogNames.size(), 2u);
  EXPECT_EQ(frame->Settings()->Browser(), b1);
  auto l = Logged(1);
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0], "start|\"" + b1 + "\" \"" + dir + "My Site\\vornixtmp.htm\"|" + dir + "My Site|5");
  EXPECT_EQ(ReadFileBytes(dir + "My Site\\vornixtmp.htm"), "<P>Page");
  // Browser 2 by F6, its own path.
  DeleteFileA(log.c_str());
  frame->Settings()->SetBrowser2(b2);
  Editor()->SetFocus();
  Pump();
  screen::Key(VK_F6);
  Pump();
  l = Logged(1);
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0].rfind("start|\"" + b2 + "\"", 0), 0u) << l[0];
  EXPECT_EQ(dialogNames.size(), 2u);
  // With the preview window active the browser buttons do nothing.
  DeleteFileA(log.c_str());
  frame->ReloadSBClick(frame);
  Pump();
  ASSERT_EQ(frame->ActiveMDIChild(), Form_HTMLView);
  EXPECT_FALSE(frame->EditToolEnabled("BrowserBtn"));
  EXPECT_TRUE(messages.empty());
}

TEST_F(BrowserTest, DdeStartsTheBrowserAndAsksForTheCopy) {
  std::string doc = Document("web");
  std::string b = Browser("netscape.exe");
  frame->Settings()->SetBrowser(b);
  frame->Settings()->SetUseDDE(true);
  frame->OpenInEditor(doc);
  Pump();
  frame->cmdRefreshExtViewer->Click();
  auto l = Logged(6);
  ASSERT_GE(l.size(), 6u);
  // No server answered: the browser was started minimised without activation.
  EXPECT_EQ(l[0].rfind("start|\"" + b + "\"|", 0), 0u) << l[0];
  EXPECT_EQ(l[0].substr(l[0].rfind('|') + 1), std::to_string(SW_SHOWMINNOACTIVE));
  EXPECT_EQ(l[1], "serving|netscape");
  EXPECT_EQ(l[2], "connect|WWW_OpenURL");
  std::string url = dir + "web\\vornixtmp.htm";
  for (char& c : url) c = c == ':' ? '|' : c == '\\' ? '/' : c;
  url = "file:///" + url + ",,-1,1,,,";
  EXPECT_EQ(l[3], "request|WWW_OpenURL|" + url);
  EXPECT_EQ(l[4], "connect|WWW_Activate");
  EXPECT_EQ(l[5], "request|WWW_Activate|0xFFFFFFFF");
  EXPECT_EQ(ReadFileBytes(dir + "web\\vornixtmp.htm"), "<P>Page");
  EXPECT_TRUE(messages.empty());
}

TEST_F(BrowserTest, ARequestWaitsTenSecondsAtMost) {
  std::string doc = Document("web");
  std::string b = Browser("mute.exe");
  // A browser that takes requests and never answers them, already running.
  SetEnvironmentVariableA("VX_FAKE_BROWSER_MUTE", "1");
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string line = "\"" + b + "\"";
  ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  SetEnvironmentVariableA("VX_FAKE_BROWSER_MUTE", nullptr);
  WaitForInputIdle(pi.hProcess, 10000);
  ASSERT_GE(Logged(2).size(), 2u);
  frame->Settings()->SetBrowser(b);
  frame->Settings()->SetUseDDE(true);
  frame->OpenInEditor(doc);
  Pump();
  DWORD t0 = GetTickCount();
  frame->cmdRefreshExtViewer->Click();
  DWORD took = GetTickCount() - t0;
  TerminateProcess(pi.hProcess, 0);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  // Two requests, each given up after ten seconds, and nothing reported.
  EXPECT_GE(took, 19000u);
  EXPECT_LT(took, 40000u);
  auto l = Logged(6, 1000);
  ASSERT_GE(l.size(), 6u);
  EXPECT_EQ(l[3].rfind("request|WWW_OpenURL|file:///", 0), 0u) << l[3];
  EXPECT_EQ(l[5], "request|WWW_Activate|0xFFFFFFFF");
  EXPECT_TRUE(messages.empty());
}

TEST_F(PreviewTest, OpenAsksForAnHtmlDocument) {
  std::string other = Write("other.htm", "<TITLE>Chosen</TITLE><P>Chosen page");
  OpenAndPreview(Write("index.htm", "<P>Index"));
  dialog = [&](TCommonDialog* d) {
    auto* o = dynamic_cast<TOpenDialog*>(d);
    EXPECT_EQ(o->Title(), "Open HTML document");
    EXPECT_EQ(o->Filter(), frame->Settings()->DocFilter());
    EXPECT_EQ(o->DefaultExt(), frame->Settings()->DocExt());
    o->SetFileName(other);
    return true;
  };
  Form_HTMLView->Open1->Click();
  Pump();
  EXPECT_EQ(Form_HTMLView->Viewer->GetTitle(), "Chosen");
  EXPECT_EQ(Form_HTMLView->Caption(), "other.htm [Chosen]");
}
