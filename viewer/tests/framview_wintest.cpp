// The frame viewer under Wine: frame documents in another folder, links by target, borders
// dragged with the mouse, the history of sets and of frames, broken and hostile frame
// documents, and viewers freed by the links that run in them.
#include <gtest/gtest.h>

#include <fstream>

#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "framework/win/Menus.h"
#include "framework/win/tests/ScreenDriver.h"
#include "viewer/FramView.h"
#include "viewer/tests/link_clicks.h"

using namespace vx;

namespace {

void Pump() {
  for (int i = 0; i < 4; ++i) Application->ProcessMessages();
}

struct FramesTest : ::testing::Test {
  TForm* form = nullptr;
  TFrameViewer* fv = nullptr;
  std::vector<std::string> errors;
  std::string dir;
  std::vector<std::string> written;

  void SetUp() override {
    Application->OnMessageBox = [this](const AnsiString& t, const AnsiString&, UINT) {
      errors.push_back(t);
      return IDOK;
    };
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    dir = std::string(tmp) + "vx_frames_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    form = CreateForm<TForm>(Application);
    form->SetBounds(10, 10, 640, 480);
    fv = new TFrameViewer(form);
    fv->SetParent(form);
    fv->SetBounds(0, 0, 600, 400);
    form->Show();
    Pump();
  }
  void TearDown() override {
    form->Free();
    Pump();
    Application->OnMessageBox = nullptr;
    Application->OnPopupMenu = nullptr;
    for (auto it = written.rbegin(); it != written.rend(); ++it) {
      DeleteFileA(it->c_str());
      RemoveDirectoryA(it->c_str());
    }
    RemoveDirectoryA(dir.c_str());
  }
  // Writes dir + rel, making its folders.
  std::string Write(const std::string& rel, const std::string& text) {
    std::string path = dir + rel;
    for (size_t i = dir.size(); i < path.size(); ++i)
      if (path[i] == '\\') {
        std::string d = path.substr(0, i);
        if (CreateDirectoryA(d.c_str(), nullptr)) written.insert(written.begin(), d);
      }
    std::ofstream(path, std::ios::binary) << text;
    written.push_back(path);
    return path;
  }
  TFrame* Frame(const std::string& name) { return fv->CurrentFrameSet()->FindFrame(name); }
  THTMLViewer* ViewerOf(const std::string& name) {
    TFrame* f = Frame(name);
    return f ? f->Viewer : nullptr;
  }
  // The centre of a frame on the screen.
  POINT Centre(TControl* c) { return c->ClientToScreen(POINT{c->Width() / 2, c->Height() / 2}); }
  void Move(POINT p) {
    screen::MoveMouse(p);
    Pump();
  }
  // Each step handled before the next, as the set draws its line while the pointer moves.
  void Drag(POINT from, POINT to) {
    Move(from);
    screen::Press(from);
    Pump();
    Move(POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
    Move(to);
    screen::Release(to);
    Pump();
  }
};

}  // namespace

TEST_F(FramesTest, ThreeFramesWithRelativeSourcesInAnotherFolder) {
  std::string index = Write("site\\index.htm",
                            "<TITLE>Site</TITLE><FRAMESET ROWS=\"60,*\"><FRAME SRC=\"top.htm\" NAME=top>"
                            "<FRAMESET COLS=\"30%,*\"><FRAME SRC=\"pages/nav.htm\" NAME=nav>"
                            "<FRAME SRC=main.htm NAME=Main SCROLLING=no></FRAMESET></FRAMESET>");
  Write("site\\top.htm", "<P>Banner text");
  Write("site\\pages\\nav.htm", "<P>Navigation list");
  Write("site\\main.htm", "<TITLE>Main</TITLE><P>Main body text");
  // The frames' sources belong to the frame document's folder, not to the current one.
  SetCurrentDir(dir);
  fv->LoadFromFile(index);
  Pump();
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(fv->GetTitle(), "Site");
  EXPECT_EQ(fv->GetFileName(), ExpandFileName(index));
  ASSERT_EQ(fv->CurrentFrameSet()->ViewerCount(), 3);
  ASSERT_NE(ViewerOf("TOP"), nullptr);
  ASSERT_NE(ViewerOf("nav"), nullptr);
  ASSERT_NE(ViewerOf("main"), nullptr);  // names are found whatever their case
  EXPECT_TRUE(SameText(ViewerOf("nav")->GetFileName(), dir + "site\\pages\\nav.htm"));
  EXPECT_NE(PageText(ViewerOf("top")).find("Banner text"), std::string::npos);
  EXPECT_NE(PageText(ViewerOf("nav")).find("Navigation list"), std::string::npos);
  EXPECT_NE(PageText(ViewerOf("main")).find("Main body text"), std::string::npos);
  EXPECT_EQ(ViewerOf("main")->ScrollBars(), ssNone);
  // Sizes: the top row 60 pixels, the left column 30 % of the width.
  EXPECT_EQ(Frame("top")->Height(), 60);
  EXPECT_EQ(Frame("nav")->Width(), 180);
  EXPECT_EQ(Frame("main")->Width(), 420);
  // On the screen each frame's middle shows its own page.
  for (const char* n : {"top", "nav", "main"})
    EXPECT_EQ(WindowFromPoint(Centre(Frame(n))), ViewerOf(n)->PaintPanel()->Handle()) << n;
  // A missing frame source shows the error page in its frame; the others stay.
  Write("site\\broken.htm", "<FRAMESET COLS=\"*,*\"><FRAME SRC=gone.htm NAME=a><FRAME SRC=top.htm NAME=b></FRAMESET>");
  fv->LoadFromFile(dir + "site\\broken.htm");
  Pump();
  EXPECT_NE(PageText(ViewerOf("a")).find("Can't load gone.htm"), std::string::npos);
  EXPECT_NE(PageText(ViewerOf("b")).find("Banner text"), std::string::npos);
  EXPECT_THROW(fv->LoadFromFile(dir + "site\\nowhere.htm"), EInOutError);
  EXPECT_EQ(fv->GetFileName(), ExpandFileName(dir + "site\\broken.htm"));
}

TEST_F(FramesTest, LinksByTargetNamedSelfBlankAndRefused) {
  std::string index = Write("index.htm",
                            "<FRAMESET COLS=\"200,*\"><FRAME SRC=nav.htm NAME=nav><FRAME SRC=main.htm NAME=Main>"
                            "</FRAMESET>");
  Write("nav.htm",
        "<P><A HREF=\"b.htm\" TARGET=MAIN>named</A><P><A HREF=\"c.htm\">self</A>"
        "<P><A HREF=\"d.htm\" TARGET=_blank>blank</A><P><A HREF=\"notes.txt\" TARGET=main>text</A>"
        "<P><A HREF=\"data.zip\" TARGET=main>zip</A><P><A HREF=\"e.htm\" TARGET=main>handled</A>");
  Write("main.htm", "<P>Main page");
  Write("b.htm", "<TITLE>B</TITLE><P>Page B");
  Write("c.htm", "<P>Page C <A HREF=\"nav.htm\">back</A>");
  Write("notes.txt", "plain notes");
  Write("data.zip", "PK not a page");
  Write("e.htm", "<P>Page E");
  std::vector<std::string> blanks, clicks;
  fv->OnBlankWindowRequest = [&](TObject*, const std::string& t, const std::string& u) {
    blanks.push_back(t + " " + u);
  };
  fv->OnHotSpotTargetClick = [&](TObject*, const std::string& t, const std::string& u, bool& handled) {
    clicks.push_back(t + " " + u);
    handled = u == "e.htm";
  };
  fv->LoadFromFile(index);
  Pump();
  THTMLViewer* nav = ViewerOf("nav");
  THTMLViewer* main = ViewerOf("main");
  ClickLink(nav, "b.htm");
  EXPECT_TRUE(SameText(ExtractFileName(main->GetFileName()), "b.htm"));
  EXPECT_TRUE(SameText(ExtractFileName(nav->GetFileName()), "nav.htm"));
  EXPECT_EQ(clicks.back(), "MAIN b.htm");
  ClickLink(nav, "d.htm");
  ASSERT_EQ(blanks.size(), 1u);
  EXPECT_EQ(blanks[0], "_blank d.htm");
  // Text files and archives are not opened in a frame; a handled click is left alone.
  ClickLink(nav, "notes.txt");
  ClickLink(nav, "data.zip");
  ClickLink(nav, "e.htm");
  EXPECT_TRUE(SameText(ExtractFileName(main->GetFileName()), "b.htm"));
  EXPECT_EQ(clicks.back(), "main e.htm");
  ClickLink(nav, "c.htm");
  EXPECT_EQ(ViewerOf("nav"), nav);
  EXPECT_TRUE(SameText(ExtractFileName(nav->GetFileName()), "c.htm"));
  // While a load runs, neither another load nor a link is taken.
  bool reentered = false;
  fv->OnProcessing = [&](TObject*, bool on) {
    if (!on || reentered) return;
    reentered = true;
    fv->LoadFromFile(dir + "b.htm");
  };
  fv->LoadFromFile(index);
  Pump();
  EXPECT_TRUE(reentered);
  EXPECT_EQ(fv->GetFileName(), ExpandFileName(index));
  EXPECT_TRUE(errors.empty());
}

TEST_F(FramesTest, ABaseTargetReachesTheFramesOfANestedFrameDocument) {
  // The inner frame document names no target: its links take the outer document's.
  std::string index = Write("index.htm",
                            "<HEAD><BASE TARGET=main></HEAD><FRAMESET COLS=\"*,*\"><FRAME SRC=inner.htm NAME=left>"
                            "<FRAME SRC=a.htm NAME=main></FRAMESET>");
  Write("inner.htm", "<FRAMESET ROWS=\"*,*\"><FRAME SRC=nav.htm NAME=nav><FRAME SRC=a.htm></FRAMESET>");
  Write("nav.htm", "<P><A HREF=\"b.htm\">to the main frame</A>");
  Write("a.htm", "<P>Page A");
  Write("b.htm", "<P>Page B");
  fv->LoadFromFile(index);
  Pump();
  THTMLViewer* nav = ViewerOf("nav");
  ASSERT_NE(nav, nullptr);
  ClickLink(nav, "b.htm");
  EXPECT_TRUE(SameText(ExtractFileName(ViewerOf("main")->GetFileName()), "b.htm"));
  EXPECT_TRUE(SameText(ExtractFileName(nav->GetFileName()), "nav.htm"));
  EXPECT_TRUE(errors.empty());
}

TEST_F(FramesTest, ParentAndTopReplaceSetsFromInsideAFrame) {
  std::string index = Write("index.htm",
                            "<FRAMESET ROWS=\"80,*\"><FRAME SRC=top.htm NAME=top>"
                            "<FRAME SRC=inner.htm NAME=body></FRAMESET>");
  Write("inner.htm", "<FRAMESET COLS=\"*,*\"><FRAME SRC=nav.htm NAME=nav><FRAME SRC=main.htm NAME=main></FRAMESET>");
  Write("top.htm", "<P>Top");
  Write("nav.htm",
        "<P><A HREF=\"b.htm\" TARGET=_parent>parent</A><P><A HREF=\"other.htm\" TARGET=_top>top</A>"
        "<P><A HREF=\"inner.htm\" TARGET=main>frames in a frame</A>");
  Write("main.htm", "<P>Main");
  Write("b.htm", "<P>Page B <A HREF=\"x.htm\" TARGET=main>to a frame that went</A>");
  Write("x.htm", "<P>Page X");
  Write("other.htm", "<TITLE>Other</TITLE><P>Other page");
  fv->LoadFromFile(index);
  Pump();
  ASSERT_EQ(fv->CurrentFrameSet()->ViewerCount(), 3);
  // A frame document opened into a frame nests a set there.
  ClickLink(ViewerOf("nav"), "inner.htm");
  TFrame* main = Frame("main");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(fv->CurrentFrameSet()->ViewerCount(), 4);
  // "_parent" replaces the nested set that holds the link by one frame; the viewers of the
  // set it replaced are gone from every list.
  ClickLink(ViewerOf("nav"), "b.htm");
  TFrame* body = Frame("body");
  ASSERT_NE(body, nullptr);
  ASSERT_NE(body->FrameSet, nullptr);
  ASSERT_EQ(body->FrameSet->List.size(), 1u);
  auto* only = dynamic_cast<TFrame*>(body->FrameSet->List[0]);
  ASSERT_NE(only, nullptr);
  ASSERT_NE(only->Viewer, nullptr);
  EXPECT_NE(PageText(only->Viewer).find("Page B"), std::string::npos);
  EXPECT_EQ(Frame("nav"), nullptr);
  EXPECT_EQ(Frame("main"), nullptr);
  EXPECT_EQ(fv->CurrentFrameSet()->ViewerCount(), 2);
  // A named target whose frame went is no frame: the blank window request.
  std::vector<std::string> blanks;
  fv->OnBlankWindowRequest = [&](TObject*, const std::string& t, const std::string& u) { blanks.push_back(t); };
  ClickLink(only->Viewer, "x.htm");
  ASSERT_EQ(blanks.size(), 1u);
  fv->SetDefFontSize(14);  // reaches only viewers that are still there
  // "_top" replaces the whole set from inside one of its frames.
  fv->LoadFromFile(index);
  Pump();
  ClickLink(ViewerOf("nav"), "other.htm");
  EXPECT_EQ(fv->GetTitle(), "Other");
  EXPECT_EQ(fv->CurrentFrameSet()->ViewerCount(), 1);
  EXPECT_EQ(fv->CurrentFrameSet()->Viewers[0]->GetTitle(), "Other");
  Pump();
  EXPECT_TRUE(errors.empty());
}

TEST_F(FramesTest, BordersAreDraggedUnlessFixed) {
  std::string index =
      Write("index.htm", "<FRAMESET COLS=\"200,*\"><FRAME SRC=a.htm NAME=a><FRAME SRC=b.htm NAME=b></FRAMESET>");
  Write("a.htm", "<P>A");
  Write("b.htm", "<P>B");
  fv->LoadFromFile(index);
  Pump();
  ASSERT_EQ(Frame("a")->Width(), 200);
  POINT border = fv->ClientToScreen(POINT{200, 150});
  // Over the border the pointer turns into the column splitter.
  Move(POINT{border.x - 1, border.y});
  Move(border);
  EXPECT_EQ(fv->CurrentFrameSet()->HoverCursor, crHSplit);
  Drag(border, POINT{border.x + 100, border.y});
  EXPECT_NEAR(Frame("a")->Width(), 300, 1);
  EXPECT_EQ(Frame("a")->Width() + Frame("b")->Width(), 600);
  // Dragged beyond its neighbour the border stops one pixel short of it.
  POINT now = fv->ClientToScreen(POINT{Frame("a")->Width(), 150});
  Drag(now, POINT{now.x + 500, now.y});
  EXPECT_EQ(Frame("a")->Width(), 599);
  EXPECT_EQ(fv->CurrentFrameSet()->DraggedSet, nullptr);
  RECT clip;
  GetClipCursor(&clip);
  EXPECT_GE(clip.right - clip.left, GetSystemMetrics(SM_CXSCREEN) - 1);  // the pointer is free again

  // A NORESIZE frame fixes its borders: no splitter, no drag.
  Write("fixed.htm", "<FRAMESET ROWS=\"100,*\"><FRAME SRC=a.htm NAME=a NORESIZE><FRAME SRC=b.htm NAME=b></FRAMESET>");
  fv->LoadFromFile(dir + "fixed.htm");
  Pump();
  ASSERT_EQ(Frame("a")->Height(), 100);
  POINT row = fv->ClientToScreen(POINT{300, 101});
  Move(row);
  EXPECT_NE(fv->CurrentFrameSet()->HoverCursor, crVSplit);
  Drag(row, POINT{row.x, row.y + 80});
  EXPECT_EQ(Frame("a")->Height(), 100);
}

TEST_F(FramesTest, HistoryOfSetsAndWithinAFrame) {
  fv->SetHistoryMaxCount(6);
  int changes = 0;
  fv->OnHistoryChange = [&](TObject*) { ++changes; };
  std::string p1 = Write("p1.htm", "<TITLE>One</TITLE><P>First <A HREF=\"p2.htm\">on</A>");
  Write("p2.htm", "<TITLE>Two</TITLE><P>Second <A HREF=\"#end\">down</A>" + std::string(200, '\n') +
                      "<P>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>"
                      "x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>x<BR>"
                      "<A NAME=end>End</A>");
  std::string sets = Write("sets.htm",
                           "<TITLE>Sets</TITLE><FRAMESET COLS=\"*,*\"><FRAME SRC=nav.htm NAME=nav>"
                           "<FRAME SRC=main.htm NAME=main></FRAMESET>");
  Write("nav.htm", "<P><A HREF=\"p1.htm\" TARGET=main>one</A>");
  Write("main.htm", "<TITLE>Main</TITLE><P>Main");
  fv->LoadFromFile(p1);
  Pump();
  EXPECT_EQ(fv->HistoryCount(), 1);
  // A link in a one-page set loads a new set; an anchor in the same page keeps the set.
  ClickLink(fv->CurrentFrameSet()->Viewers[0], "p2.htm");
  EXPECT_EQ(fv->GetTitle(), "Two");
  EXPECT_EQ(fv->HistoryCount(), 2);
  TFrameSet* two = fv->CurrentFrameSet();
  ClickLink(two->Viewers[0], "#end");
  EXPECT_EQ(fv->CurrentFrameSet(), two);
  EXPECT_EQ(fv->HistoryCount(), 3);
  EXPECT_GT(two->Viewers[0]->VPosition(), 0);
  fv->SetHistoryIndex(1);  // back: the top of the same page
  EXPECT_EQ(fv->CurrentFrameSet(), two);
  EXPECT_EQ(two->Viewers[0]->VPosition(), 0);
  fv->SetHistoryIndex(2);  // back again: the first page, its set shown again
  EXPECT_EQ(fv->GetTitle(), "One");
  EXPECT_NE(PageText(fv->CurrentFrameSet()->Viewers[0]).find("First"), std::string::npos);
  fv->SetHistoryIndex(0);  // forward to the anchor
  EXPECT_EQ(fv->GetTitle(), "Two");
  EXPECT_GT(fv->CurrentFrameSet()->Viewers[0]->VPosition(), 0);
  EXPECT_GE(changes, 5);

  // Within a frame: the frame's own viewer keeps a history, "Back in Frame" walks it.
  fv->LoadFromFile(sets);
  Pump();
  EXPECT_EQ(fv->HistoryIndex(), 0);
  THTMLViewer* main = ViewerOf("main");
  ClickLink(ViewerOf("nav"), "p1.htm");
  EXPECT_TRUE(SameText(ExtractFileName(main->GetFileName()), "p1.htm"));
  ASSERT_EQ(main->HistoryCount(), 2);
  TMenuItem* chosen = fv->BackInFrame();
  bool backEnabled = false;
  Application->OnPopupMenu = [&](TPopupMenu* m, int, int) {
    EXPECT_EQ(m, fv->FramePopup());
    backEnabled = fv->BackInFrame()->Enabled();
    return chosen;
  };
  POINT c = main->PaintPanel()->ClientToScreen(POINT{30, 30});
  HWND h = WindowFromPoint(c);
  ASSERT_EQ(h, main->PaintPanel()->Handle());
  PostMessageA(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 30));
  PostMessageA(h, WM_RBUTTONUP, 0, MAKELPARAM(30, 30));
  Pump();
  EXPECT_TRUE(backEnabled);
  EXPECT_TRUE(SameText(ExtractFileName(main->GetFileName()), "main.htm"));
  EXPECT_EQ(fv->GetTitle(), "Sets");
  // The set history still reaches the pages before the frames.
  fv->SetHistoryIndex(1);
  EXPECT_EQ(fv->GetTitle(), "Two");
  EXPECT_TRUE(errors.empty());
}

TEST_F(FramesTest, AFrameDocumentWithAParseErrorKeepsTheOldContent) {
  std::string good = Write("good.htm", "<TITLE>Good</TITLE><P>Good page");
  std::string bad = Write("bad.htm", "<FRAMESET COLS=\"*,*\"><FRAME SRC=good.htm><!-- never closed");
  std::string page = Write("page.htm", "<TITLE>Open</TITLE><!-- a comment still being written");
  fv->LoadFromFile(good);
  Pump();
  int children = fv->ControlCount();
  EXPECT_THROW(fv->LoadFromFile(bad), EParseError);
  Pump();
  EXPECT_EQ(fv->GetTitle(), "Good");
  EXPECT_EQ(fv->ControlCount(), children);  // the set that failed is freed
  EXPECT_EQ(WindowFromPoint(Centre(fv)), fv->CurrentFrameSet()->Viewers[0]->PaintPanel()->Handle());
  EXPECT_FALSE(fv->Processing());
  // A page (no frames) whose head cannot be read is still shown.
  fv->LoadFromFile(page);
  Pump();
  EXPECT_EQ(fv->GetFileName(), ExpandFileName(page));
  EXPECT_EQ(fv->CurrentFrameSet()->ViewerCount(), 1);
}

TEST_F(FramesTest, ManyFramesAndSelfNesting) {
  std::string frames = "<FRAMESET COLS=\"*\">";
  for (int i = 0; i < 25; ++i) frames += "<FRAME SRC=leaf.htm NAME=f" + std::to_string(i) + ">";
  std::string many = Write("many.htm", frames + "</FRAMESET>");
  Write("leaf.htm", "<P>Leaf");
  fv->LoadFromFile(many);
  Pump();
  ASSERT_EQ(fv->CurrentFrameSet()->ViewerCount(), 25);
  int right = 0;
  for (int i = 0; i < 25; ++i) {
    TFrame* f = Frame("f" + std::to_string(i));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Left(), right);
    EXPECT_GT(f->Width(), 0);
    right = f->Left() + f->Width();
  }
  EXPECT_LE(right, 600);
  // A frame document holding itself stops at the nesting limit with empty frames.
  std::string nest = Write("nest.htm", "<FRAMESET ROWS=\"*,*\"><FRAME SRC=nest.htm><FRAME SRC=leaf.htm></FRAMESET>");
  fv->LoadFromFile(nest);
  Pump();
  int depth = 0;
  TSubFrameSet* s = fv->CurrentFrameSet();
  while (true) {
    auto* f = dynamic_cast<TFrame*>(s->List[0]);
    ASSERT_NE(f, nullptr);
    if (!f->FrameSet) {
      EXPECT_EQ(f->Viewer, nullptr);  // the innermost frame stays empty
      break;
    }
    s = f->FrameSet;
    ++depth;
  }
  EXPECT_EQ(depth, kMaxFrameLoadNesting);
  EXPECT_EQ(fv->CurrentFrameSet()->ViewerCount(), kMaxFrameLoadNesting);
  // Three sizes and two frames: a third, empty frame; one size and two frames: a share each.
  std::string three =
      Write("three.htm", "<FRAMESET COLS=\"100,100,100\"><FRAME SRC=leaf.htm><FRAME SRC=leaf.htm></FRAMESET>");
  fv->LoadFromFile(three);
  Pump();
  ASSERT_EQ(fv->CurrentFrameSet()->List.size(), 3u);
  EXPECT_EQ(fv->CurrentFrameSet()->ViewerCount(), 2);
  std::string one = Write("one.htm", "<FRAMESET COLS=\"100\"><FRAME SRC=leaf.htm><FRAME SRC=leaf.htm></FRAMESET>");
  fv->LoadFromFile(one);
  Pump();
  EXPECT_EQ(fv->CurrentFrameSet()->List[0]->Width(), 100);
  EXPECT_EQ(fv->CurrentFrameSet()->List[1]->Width(), 500);
  EXPECT_TRUE(errors.empty());
}

TEST_F(FramesTest, PropertiesReachEveryViewer) {
  EXPECT_TRUE(fv->ViewImages());
  EXPECT_EQ(fv->Cursor(), crIBeam);
  EXPECT_EQ(fv->Width(), 600);
  EXPECT_TRUE(IsPublishedProp(fv, "ViewImages"));
  std::string index =
      Write("index.htm", "<FRAMESET COLS=\"*,*\"><FRAME SRC=a.htm NAME=a><FRAME SRC=a.htm NAME=b></FRAMESET>");
  Write("a.htm", "<P>A");
  fv->LoadFromFile(index);
  Pump();
  fv->SetDefFontSize(16);
  fv->SetNoSelect(true);
  fv->SetViewImages(false);
  for (const char* n : {"a", "b"}) {
    EXPECT_EQ(ViewerOf(n)->DefFontSize(), 16);
    EXPECT_TRUE(ViewerOf(n)->NoSelect());
    EXPECT_FALSE(ViewerOf(n)->ViewImages());
    EXPECT_TRUE(ViewerOf(n)->ViewImages() == fv->ViewImages());
  }
  // The current viewer: the one that last had the focus in a set of several.
  EXPECT_EQ(fv->GetCurrentViewer(), nullptr);
  ViewerOf("b")->SetFocus();
  Pump();
  EXPECT_EQ(fv->GetCurrentViewer(), ViewerOf("b"));
  SetOrdProp(fv, "ViewImages", 1);
  EXPECT_TRUE(fv->ViewImages());
}

TEST_F(FramesTest, PagesPicturesAndTextInOneFrame) {
  std::string page = Write("page.htm",
                           "<TITLE>Page</TITLE><P><A HREF=\"data.zip\">archive</A> <A HREF=\"run.exe\">program</A>"
                           " <A HREF=\"notes.txt\">notes</A>");
  std::string text = Write("notes.txt", "<P>not markup");
  Write("data.zip", "<P>PK");
  Write("run.exe", "<P>MZ");
  fv->LoadFromFile(page);
  Pump();
  THTMLViewer* v = fv->CurrentFrameSet()->SingleViewer();
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(fv->GetCurrentViewer(), v);
  // A page of one frame follows only the links a single viewer follows.
  ClickLink(v, "data.zip");
  ClickLink(v, "run.exe");
  ClickLink(v, "notes.txt");
  EXPECT_EQ(fv->GetFileName(), ExpandFileName(page));
  EXPECT_EQ(fv->GetTitle(), "Page");
  // Loaded by name, a text file shows as text, with no title.
  fv->LoadFromFile(text);
  Pump();
  v = fv->CurrentFrameSet()->SingleViewer();
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->DocumentKind(), 1);
  EXPECT_NE(PageText(v).find("<P>not markup"), std::string::npos);
  EXPECT_EQ(fv->GetTitle(), "");
  EXPECT_TRUE(errors.empty());
}

TEST_F(FramesTest, ThousandsOfFramesShowTheirShareAndANote) {
  form->SetBounds(10, 10, 640, 960);
  fv->SetBounds(0, 0, 600, 920);
  Write("leaf.htm", "<P>Leaf");
  std::string frames = "<FRAMESET ROWS=\"*,*\">";
  for (int i = 0; i < 3000; ++i) frames += "<FRAME SRC=leaf.htm>";
  std::string many = Write("thousands.htm", frames + "</FRAMESET>");
  fv->LoadFromFile(many);
  Pump();
  TFrameSet* set = fv->CurrentFrameSet();
  ASSERT_EQ(set->List.size(), static_cast<size_t>(kMaxFramesPerSet));
  EXPECT_EQ(set->ViewerCount(), kMaxFramesPerSet - 1);
  auto* note = dynamic_cast<TFrame*>(set->List.back());
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->Viewer, nullptr);
  // The last row shows, where the rest would be, how many are left out.
  RedrawWindow(fv->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  screen::Settle(300);
  RECT r = screen::ClientScreenRect(note->Handle());
  InflateRect(&r, -3, -3);
  screen::TShot shot = screen::Capture(r);
  screen::SaveShot(shot, "frames_note");
  std::string text = OmittedFramesNote(3000 - (kMaxFramesPerSet - 1));
  EXPECT_TRUE(screen::ShowsText(shot, 0, shot.height, ColorToRGB(note->Color()), text, note->Font()->Handle()));
  EXPECT_TRUE(errors.empty());

  // Frame documents inside frames share one budget: ten sets of twenty stop at the limit.
  std::string twenty = "<FRAMESET COLS=\"*\">";
  for (int i = 0; i < 20; ++i) twenty += "<FRAME SRC=leaf.htm>";
  Write("twenty.htm", twenty + "</FRAMESET>");
  std::string outer = "<FRAMESET ROWS=\"*\">";
  for (int i = 0; i < 10; ++i) outer += "<FRAME SRC=twenty.htm>";
  fv->LoadFromFile(Write("outer.htm", outer + "</FRAMESET>"));
  Pump();
  set = fv->CurrentFrameSet();
  EXPECT_LE(set->PieceCount(), kMaxFramesInAll + 10);
  EXPECT_LT(set->ViewerCount(), kMaxFramesInAll);
  auto* first = dynamic_cast<TFrame*>(set->List.front());
  auto* last = dynamic_cast<TFrame*>(set->List.back());
  ASSERT_TRUE(first && first->FrameSet && last);
  EXPECT_EQ(first->FrameSet->List.size(), 20u);
  // The last frame document found no room left: its frame shows the note alone.
  ASSERT_TRUE(last->FrameSet);
  ASSERT_EQ(last->FrameSet->List.size(), 1u);
  EXPECT_EQ(last->FrameSet->List[0]->Caption(), OmittedFramesNote(20));

  // Sizes written for frames a set does not hold make empty frames within the same limit.
  std::string sizes20 = "<FRAMESET ROWS=\"*";
  for (int i = 1; i < 20; ++i) sizes20 += ",*";
  sizes20 += "\">";
  std::string nested, sets31 = "<FRAMESET>";
  for (int i = 0; i < 200; ++i) nested += sizes20;
  for (int i = 0; i < 31; ++i) sets31 += sizes20 + "</FRAMESET>";
  for (const std::string& text : {nested, sets31 + "</FRAMESET>"}) {
    fv->LoadFromFile(Write("sizes.htm", text));
    Pump();
    EXPECT_LE(fv->CurrentFrameSet()->PieceCount(), kMaxFramesInAll);
  }
}

TEST_F(FramesTest, APageOpenedAtAnAnchorShowsItOnceItsFrameIsSized) {
  // One table, as help pages are: an anchor's place depends on the width lines wrap at.
  std::string rows;
  for (int i = 0; i < 12; ++i)
    rows += "<TR><TH BgColor=Navy><A NAME=T" + std::to_string(i) + ">T" + std::to_string(i) +
            "</A></TH></TR><TR><TD>" + std::string(40, 'w') + " words words words words words words words words" +
            " words words words words words words words words words words words words words</TD></TR>";
  std::string page = Write("help.htm", "<TABLE Width=\"100%\">" + rows + "</TABLE>");
  fv->LoadFromFile(page + "#T6");
  Pump();
  THTMLViewer* v = fv->GetCurrentViewer();
  ASSERT_NE(v, nullptr);
  int i = 0;
  ASSERT_TRUE(v->Anchors()->Find("T6", i));
  auto* s = dynamic_cast<TSectionBase*>(v->Anchors()->Objects(i));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(v->VPosition(), s->YValue);
}
