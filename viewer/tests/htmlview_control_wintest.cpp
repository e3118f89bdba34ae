// THTMLViewer under Wine: defaults and published properties, scroll geometry, keys,
// selection and the clipboard, links, anchors and history, forms through the posted
// message, images by ViewImages, and hostile documents.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>

#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "framework/win/tests/ScreenDriver.h"
#include "viewer/HTMLFormWidgets.h"
#include "viewer/Htmlview.h"

using namespace vx;

namespace {

void Pump() {
  for (int i = 0; i < 3; ++i) Application->ProcessMessages();
}

std::string ClipboardText() {
  std::string r;
  if (!OpenClipboard(nullptr)) return r;
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (auto* p = static_cast<const char*>(GlobalLock(h))) {
      r = p;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return r;
}

void WriteFile(const std::string& name, const std::string& text) {
  std::ofstream f(name, std::ios::binary);
  f << text;
}

std::string Repeat(const std::string& s, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

struct ViewerTest : ::testing::Test {
  TForm* form = nullptr;
  THTMLViewer* v = nullptr;
  std::vector<std::string> errors;
  void SetUp() override {
    Application->OnMessageBox = [this](const AnsiString& t, const AnsiString&, UINT) {
      errors.push_back(t);
      return IDOK;
    };
    form = CreateForm<TForm>(Application);
    form->SetBounds(20, 20, 500, 400);
    v = new THTMLViewer(form);
    v->SetParent(form);
    v->SetBounds(5, 5, 400, 300);
    form->Show();
    Pump();
  }
  void TearDown() override {
    form->Free();
    Application->OnMessageBox = nullptr;
    Pump();
  }
  HWND Panel() { return v->PaintPanel()->Handle(); }
  void Click(int x, int y, bool up = true) {
    SendMessageA(Panel(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    if (up) SendMessageA(Panel(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  // The first point of the panel over a link.
  bool FindLink(int& x, int& y) {
    TUrlTarget t;
    for (y = 1; y < v->PaintPanel()->Height(); y += 2)
      for (x = 1; x < v->PaintPanel()->Width(); x += 3)
        if (v->LinkAtPoint(x, y, t)) return true;
    return false;
  }
  int IndexAt(int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    int r;
    {
      TGdiViewCanvas c(dc);
      int lh, lt, cx;
      r = v->Document()->CharIndexAtPoint(c, x, y + v->VPosition(), lh, lt, cx);
    }
    DeleteDC(dc);
    return r;
  }
  // The first panel row from y on where x lies over the skip+1-th text line found.
  int TextRowBelow(int y, int x, int skip = 0) {
    int last = -1;
    for (; y < v->PaintPanel()->Height(); ++y) {
      int i = IndexAt(x, y);
      if (i < 0 || i == last) continue;
      if (skip-- == 0) return y;
      last = i;
    }
    return -1;
  }
  void Paint() {
    v->PaintPanel()->Invalidate();
    UpdateWindow(Panel());
    Pump();
  }
};

}  // namespace

TEST_F(ViewerTest, DefaultsAndPropertyWriters) {
  TComponentPtr<THTMLViewer> freshHolder = MakeComponent<THTMLViewer>(nullptr);
  THTMLViewer& fresh = *freshHolder;
  EXPECT_EQ(fresh.Width(), 150);
  EXPECT_EQ(fresh.Height(), 150);
  EXPECT_FALSE(fresh.ViewImages());
  EXPECT_EQ(fresh.DefBackground(), clBtnFace);
  EXPECT_EQ(fresh.BorderStyle(), htFocused);
  EXPECT_EQ(fresh.HistoryMaxCount(), 0);
  EXPECT_EQ(fresh.DefFontName(), "Times New Roman");
  EXPECT_EQ(fresh.DefPreFontName(), "Courier New");
  EXPECT_EQ(fresh.DefFontSize(), 12);
  EXPECT_EQ(fresh.DefFontColor(), clBtnText);
  EXPECT_EQ(fresh.DefHotSpotColor(), 0xFF0000);
  EXPECT_EQ(fresh.ImageCacheCount(), 5);
  EXPECT_EQ(fresh.Document()->BitmapList.UsageLimit(), 5);
  EXPECT_FALSE(fresh.NoSelect());
  EXPECT_EQ(fresh.ScrollBars(), ssBoth);
  EXPECT_FALSE(fresh.TabStop());
  EXPECT_EQ(fresh.Cursor(), crIBeam);
  fresh.SetImageCacheCount(50);
  EXPECT_EQ(fresh.ImageCacheCount(), 20);
  fresh.SetDefFontSize(3);
  EXPECT_EQ(fresh.DefFontSize(), 6);
  // Published, so form storage can keep them by name.
  EXPECT_TRUE(IsPublishedProp(&fresh, "ViewImages"));
  EXPECT_TRUE(IsPublishedProp(&fresh, "Visible"));
  SetOrdProp(&fresh, "ViewImages", 1);
  EXPECT_TRUE(fresh.ViewImages());
  SetStrProp(&fresh, "DefFontName", "Arial");
  EXPECT_EQ(fresh.DefFontName(), "Arial");
  EXPECT_EQ(GetEnumName(GetPropInfo(&fresh, "BorderStyle")->PropType, GetOrdProp(&fresh, "BorderStyle")), "htFocused");
  // A system colour background reaches the panel resolved, then palette-relative.
  EXPECT_EQ(fresh.PaintPanel()->Color(), clBtnFace);
}

TEST_F(ViewerTest, LayoutWidthAndScrollBars) {
  v->SetBounds(5, 5, 150, 150);
  v->LoadFromString("<P>short");
  int B = v->ScrollBarWidth();
  EXPECT_EQ(v->Document()->IMgr.Width, 150 - B - 20);
  v->SetScrollBars(ssNone);
  EXPECT_EQ(v->Document()->IMgr.Width, 130);
  v->SetScrollBars(ssBoth);
  // A document exactly as tall as the control minus 2 shows the vertical bar; one pixel less room does not.
  v->SetBounds(5, 5, 300, 100);
  v->LoadFromString(Repeat("<BR>line", 3));
  int dh = v->DocumentHeight();
  ASSERT_GT(dh, 10);
  v->SetBounds(5, 5, 300, dh + 2);
  EXPECT_TRUE(v->VScrollBar()->Visible());
  v->SetBounds(5, 5, 300, dh + 3);
  EXPECT_FALSE(v->VScrollBar()->Visible());
  // A wide picture-less line makes the horizontal bar.
  v->LoadFromString("<PRE>" + Repeat("x", 400) + "</PRE>");
  EXPECT_TRUE(v->HScrollBar()->Visible());
}

TEST_F(ViewerTest, KeysClampAndThumbTrackingPast65535) {
  v->LoadFromString(Repeat("<P>paragraph of text to make a tall document", 2500));
  Paint();
  int dh = v->DocumentHeight(), ph = v->PaintPanel()->Height();
  ASSERT_GT(dh, 70000);
  v->SetFocus();
  SendMessageA(v->Handle(), WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(v->VPosition(), dh - ph);
  SendMessageA(v->Handle(), WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(v->VPosition(), dh - ph);
  SendMessageA(v->Handle(), WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(v->VPosition(), 0);
  SendMessageA(v->Handle(), WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(v->VPosition(), ph - 16);
  SendMessageA(v->Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(v->VPosition(), ph - 32);
  SendMessageA(v->Handle(), WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(v->HPosition(), 0);
  EXPECT_EQ(SendMessageA(v->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
  // The thumb reports its 32-bit position.
  HWND bar = v->VScrollBar()->Handle();
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 70000, 0};
  SetScrollInfo(bar, SB_CTL, &si, FALSE);
  SendMessageA(v->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 70000 & 0xFFFF), reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(v->VPosition(), 70000);
  EXPECT_EQ(v->Document()->ScrollOffset, 70000);
  // The view position survives a width change.
  int p = v->GetViewPosition();
  v->SetBounds(5, 5, 380, 300);
  EXPECT_EQ(v->GetViewPosition(), p);
  // Section indexes past 32767 are positions too, never negative ones.
  v->SetViewPosition(static_cast<int>(0x90000000u));
  EXPECT_EQ(v->GetViewPosition(), p);
}

TEST_F(ViewerTest, NavigationWithHistory) {
  WriteFile("nav_a.htm",
            "<TITLE>A</TITLE><A HREF=\"nav_b.htm#sec\">to b</A>" + Repeat("<P>filler", 60) + "<A NAME=low>low</A>");
  WriteFile("nav_b.htm", "<TITLE>B</TITLE><A HREF=\"#nope\">nowhere</A>" + Repeat("<P>filler", 80) +
                             "<H2><A NAME=sec>Section</A></H2>");
  WriteFile("nav_c.txt", "plain <b>text</b>\r\nline two\r\n");
  int changes = 0;
  v->OnHistoryChange = [&](TObject*) { ++changes; };
  v->LoadFromFile("nav_a.htm");
  EXPECT_EQ(changes, 0);  // no history kept by default
  v->LoadFromString("no file");
  v->SetHistoryMaxCount(6);
  v->LoadFromFile("nav_a.htm");
  EXPECT_EQ(v->HistoryCount(), 1);
  v->LoadFromFile("nav_a.htm#low");
  EXPECT_GT(v->VPosition(), 0);
  int lowPos = v->VPosition();
  v->LoadFromFile("nav_a.htm");  // the same file again without a destination keeps the place
  EXPECT_EQ(v->VPosition(), lowPos);
  v->ScrollTo(0);
  Paint();
  int x = 0, y = 0;
  ASSERT_TRUE(FindLink(x, y));
  Click(x, y);
  EXPECT_EQ(ExtractFileName(v->GetFileName()), "nav_b.htm");
  EXPECT_EQ(v->GetTitle(), "B");
  int secPos = v->VPosition();
  EXPECT_GT(secPos, 0);
  ASSERT_EQ(v->HistoryCount(), 2);
  EXPECT_EQ(v->HistoryTitle(1), "A");
  // A link to a missing anchor does nothing and records nothing.
  v->ScrollTo(0);
  Paint();
  ASSERT_TRUE(FindLink(x, y));
  Click(x, y);
  EXPECT_EQ(v->VPosition(), 0);
  EXPECT_EQ(v->HistoryCount(), 2);
  v->ScrollTo(secPos);
  v->LoadPlainTextFile("nav_c.txt");
  EXPECT_EQ(v->DocumentKind(), 1);
  EXPECT_EQ(v->HistoryCount(), 3);
  v->GoToHistoryEntry(2);
  EXPECT_EQ(ExtractFileName(v->GetFileName()), "nav_a.htm");
  EXPECT_EQ(v->DocumentKind(), 0);
  v->GoToHistoryEntry(1);
  EXPECT_EQ(ExtractFileName(v->GetFileName()), "nav_b.htm");
  EXPECT_EQ(v->VPosition(), secPos);
  v->GoToHistoryEntry(0);  // back to the text file, shown as text
  EXPECT_EQ(v->DocumentKind(), 1);
  auto* first = dynamic_cast<TSection*>(v->Document()->Sections[1].get());
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Buff, "plain <b>text</b>");
  // A missing file raises and leaves the old document.
  try {
    v->LoadFromFile("nav_missing.htm");
    FAIL() << "no exception";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "Can't locate file: nav_missing.htm");
  }
  EXPECT_EQ(ExtractFileName(v->GetFileName()), "nav_c.txt");
  EXPECT_FALSE(v->Processing());
  int before = changes;
  v->SetHistoryMaxCount(0);
  EXPECT_EQ(changes, before + 1);  // emptied
  EXPECT_EQ(v->HistoryCount(), 0);
  for (const char* f : {"nav_a.htm", "nav_b.htm", "nav_c.txt"}) std::remove(f);
}

TEST_F(ViewerTest, ExpandSourceNameRules) {
  WriteFile("exp_a.htm", "x");
  v->LoadFromFile("exp_a.htm");
  std::string folder = ExtractFilePath(v->GetFileName());
  EXPECT_EQ(v->ExpandSourceName(" pic.gif "), folder + "pic.gif");
  EXPECT_EQ(v->ExpandSourceName("sub/pic.gif"), folder + "sub\\pic.gif");
  EXPECT_EQ(v->ExpandSourceName("c:\\x\\y.gif"), "c:\\x\\y.gif");
  EXPECT_EQ(v->ExpandSourceName("\\rooted\\y.gif"), "\\rooted\\y.gif");
  EXPECT_EQ(v->ExpandSourceName("\\\\server\\share\\y.gif"), "\\\\server\\share\\y.gif");
  v->LoadFromString("<BASE HREF=\"c:\\docs\">x");
  EXPECT_EQ(v->ExpandSourceName("y.gif"), "c:\\docs\\y.gif");  // the missing backslash is added
  v->LoadFromString("<BASE HREF=\"DosPath\">x");
  EXPECT_EQ(v->ExpandSourceName("y.gif"), "y.gif");
  std::remove("exp_a.htm");
}

TEST_F(ViewerTest, SelectionAndClipboard) {
  v->LoadFromString(
      "<H1>Head</H1><UL><LI>one<UL><LI>two</UL></UL><TABLE BORDER><TD>cell</TABLE>"
      "<A HREF=\"nothing.zip\">link text here</A>");
  Paint();
  v->SelectAll();
  EXPECT_GT(v->GetSelLength(), 10);
  v->CopyToClipboard();
  std::string t = ClipboardText();
  EXPECT_NE(t.find("Head\r\n"), std::string::npos) << t;
  EXPECT_NE(t.find("   one\r\n"), std::string::npos) << t;
  EXPECT_NE(t.find("      two\r\n"), std::string::npos) << t;
  EXPECT_NE(t.find("cell"), std::string::npos) << t;
  // The first click only focuses; a drag after that selects.
  v->Document()->SelB = v->Document()->SelE = 0;
  SetFocus(form->Handle());
  Pump();
  // The spaces between sections hold no characters, so text rows are looked up: from the
  // heading's first character to the end of the nested item's line.
  int downY = TextRowBelow(0, 12), moveY = TextRowBelow(downY, 200, 2);
  ASSERT_GE(downY, 0);
  ASSERT_GE(moveY, 0);
  SendMessageA(Panel(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, downY));
  SendMessageA(Panel(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, moveY));
  SendMessageA(Panel(), WM_LBUTTONUP, 0, MAKELPARAM(200, moveY));
  EXPECT_EQ(v->GetSelLength(), 0);
  EXPECT_TRUE(v->Focused());
  SendMessageA(Panel(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, downY));
  SendMessageA(Panel(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, moveY));
  SendMessageA(Panel(), WM_LBUTTONUP, 0, MAKELPARAM(200, moveY));
  EXPECT_EQ(v->Document()->SelB, 0);
  EXPECT_EQ(v->Document()->SelE, 10);
  EXPECT_EQ(v->SelText(), "Head\r\n\r\n   one\r\n      two\r\n");
  // With a selection of two or more characters a click on a link does not follow it.
  int x = 0, y = 0;
  ASSERT_TRUE(FindLink(x, y));
  bool followed = false;
  v->OnHotSpotClick = [&](TObject*, const std::string&, bool& h) { followed = h = true; };
  v->SelectAll();
  SendMessageA(Panel(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  SendMessageA(Panel(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  EXPECT_FALSE(followed);
  v->SetNoSelect(true);
  EXPECT_EQ(v->GetSelLength(), 0);
  v->SelectAll();
  EXPECT_EQ(v->GetSelLength(), 0);
  // Covering a link reports it, leaving it reports an empty one.
  std::vector<std::string> covered;
  v->OnHotSpotCovered = [&](TObject*, const std::string& s) { covered.push_back(s); };
  SendMessageA(Panel(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  SendMessageA(Panel(), WM_MOUSEMOVE, 0, MAKELPARAM(x, 1));
  SendMessageA(Panel(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  ASSERT_GE(covered.size(), 2u);
  EXPECT_EQ(covered[covered.size() - 1], "nothing.zip");
  EXPECT_EQ(covered[covered.size() - 2], "");
  // A click on a link to a zip file does nothing.
  v->OnHotSpotClick = nullptr;
  v->SetNoSelect(false);
  Click(x, y);
  EXPECT_EQ(v->GetFileName(), "");
}

TEST_F(ViewerTest, FormsSubmitThroughThePostedMessage) {
  struct Got {
    std::string action, method;
    std::vector<std::string> results;
  };
  std::vector<Got> got;
  v->SetOnFormSubmit([&](TObject* s, const std::string& a, const std::string& m, std::unique_ptr<TStringList> r) {
    Got g{a, m, {}};
    for (int i = 0; i < r->Count(); ++i) g.results.push_back(r->Strings(i));
    got.push_back(std::move(g));
  });
  v->LoadFromString(
      "<FORM ACTION=\"go.cgi\" METHOD=post>Name <INPUT NAME=who VALUE=\"Ann\">"
      "<INPUT TYPE=checkbox NAME=c CHECKED><INPUT TYPE=hidden NAME=h VALUE=1>"
      "<SELECT NAME=s><OPTION>x<OPTION SELECTED>y</SELECT>"
      "<TEXTAREA NAME=t ROWS=2>l1\nl2</TEXTAREA><INPUT TYPE=submit NAME=go VALUE=Send></FORM>");
  Paint();
  ThtmlForm* f = v->Document()->HtmlFormList.at(0).get();
  auto* button = dynamic_cast<TButtonFormControlObj*>(f->Controls.back().get());
  ASSERT_TRUE(button && button->Widget);
  HWND bw = WidgetWindow(button->Widget.get());
  ASSERT_TRUE(bw);
  EXPECT_TRUE(IsWindowVisible(bw));
  SendMessageA(bw, BM_CLICK, 0, 0);
  SendMessageA(bw, BM_CLICK, 0, 0);
  EXPECT_TRUE(got.empty());  // delivered through the posted message, not inside the click
  Pump();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].action, "go.cgi");
  EXPECT_EQ(got[0].method, "post");
  EXPECT_EQ(got[0].results, (std::vector<std::string>{"who=Ann", "c=On", "h=1", "s=y", "t=l1", "t=l2", "go=Send"}));
  EXPECT_EQ(got[1].results, got[0].results);
  Pump();
  EXPECT_EQ(got.size(), 2u);  // each once
  // Scrolled out of view, controls hide.
  v->LoadFromString("<FORM><INPUT NAME=a></FORM>" + Repeat("<P>x", 200));
  Paint();
  auto* edit = v->Document()->HtmlFormList.at(0)->Controls.at(0).get();
  HWND ew = WidgetWindow(edit->Widget.get());
  EXPECT_TRUE(IsWindowVisible(ew));
  v->ScrollTo(2000);
  Paint();
  EXPECT_FALSE(IsWindowVisible(ew));
}

TEST_F(ViewerTest, ImagesFollowViewImagesAndMissingFilesAreNotRetried) {
  std::vector<std::string> asked;
  v->SetOnBitmapRequest([&](TObject*, const std::string& src, std::unique_ptr<TBitmap>& b, TColor& c) {
    asked.push_back(src);
    if (src == "real.bmp") {
      b = std::make_unique<TBitmap>();
      b->SetSize(40, 30);
    }
  });
  v->LoadFromString("<IMG SRC=\"real.bmp\"><IMG SRC=\"missing.bmp\" ALT=\"gone\">");
  EXPECT_TRUE(asked.empty());  // images off: placeholders only
  auto* s = dynamic_cast<TSection*>(v->Document()->Sections.back().get());
  ASSERT_TRUE(s && s->Images.size() == 2);
  EXPECT_EQ(s->Images[0]->State, TImageObj::isOff);
  v->SetViewImages(true);
  EXPECT_EQ(s->Images[0]->State, TImageObj::isReal);
  EXPECT_EQ(s->Images[0]->BoxWidth, 40);
  EXPECT_EQ(s->Images[1]->State, TImageObj::isError);
  size_t n = asked.size();
  v->SetBounds(5, 5, 300, 300);  // relayouts do not ask again
  v->Relayout();
  Paint();
  EXPECT_EQ(asked.size(), n);
  v->SetViewImages(false);
  EXPECT_EQ(s->Images[0]->State, TImageObj::isOff);
  EXPECT_FALSE(v->Processing());
}

TEST_F(ViewerTest, HostileDocumentsFinish) {
  std::mt19937 rng(77);
  std::vector<std::string> docs = {
      Repeat("<UL><LI>x", 3000),
      Repeat("<TABLE><TD>", 500) + "deep",
      Repeat("<A HREF=a.htm>", 1000) + "links",
      Repeat("<FONT SIZE=7><B><I>", 500),
      "<PRE>" + std::string("a\2b\4c") + "</PRE>",
      "<TABLE><TD COLSPAN=2000000000>x<TD ROWSPAN=99999>y</TABLE>",
      "<INPUT SIZE=2000000000><TEXTAREA ROWS=99999 COLS=99999>t</TEXTAREA><SELECT SIZE=-5></SELECT>",
      "<IMG WIDTH=2000000000 HEIGHT=2000000000 SRC=x.gif>"};
  std::string bytes;
  for (int i = 0; i < 20000; ++i) bytes += static_cast<char>(rng() % 256);
  docs.push_back(bytes);
  for (auto& d : docs) {
    try {
      v->LoadFromString(d);
    } catch (const EParseError&) {}
    Paint();
    v->SelectAll();
    (void)v->SelText();
  }
  EXPECT_THROW(v->LoadFromString("<P>a<!-- never closed"), EParseError);
  EXPECT_FALSE(v->Processing());
  v->LoadFromString("<P>still works");
  EXPECT_GT(v->DocumentHeight(), 0);
}

TEST_F(ViewerTest, AutoScrollEndsWhenTheButtonIsUpAndSubmissionsDieWithTheViewer) {
  v->LoadFromString(Repeat("<P>text", 300));
  Paint();
  v->SetFocus();
  v->PanelMouseDown(mbLeft, TShiftState{ssLeft}, 12, 10);
  v->PanelMouseMove(TShiftState{ssLeft}, 12, -60);  // below the top: auto-scroll is posted
  Pump();  // the real button is up, so the loop ends at once; one that did not would hold the test here
  // A submission still queued when the viewer goes is freed with it, never delivered.
  int delivered = 0;
  auto* other = new THTMLViewer(form);
  other->SetParent(form);
  other->SetOnFormSubmit(
      [&](TObject*, const std::string&, const std::string&, std::unique_ptr<TStringList>) { ++delivered; });
  other->LoadFromString("<FORM><INPUT TYPE=submit></FORM>");
  other->Document()->HtmlFormList.at(0)->Submit("", false);
  other->Free();
  Pump();
  EXPECT_EQ(delivered, 0);
}

namespace {
// A 24-bit BMP of one colour (given as 0x00BBGGRR).
void WriteBmp(const std::string& name, int w, int h, COLORREF c) {
  int stride = (w * 3 + 3) & ~3;
  std::string f(54 + size_t(stride) * h, '\0');
  auto put32 = [&](size_t at, unsigned v) {
    for (int i = 0; i < 4; ++i) f[at + i] = static_cast<char>(v >> (8 * i));
  };
  f[0] = 'B';
  f[1] = 'M';
  put32(2, unsigned(f.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, unsigned(w));
  put32(22, unsigned(h));
  f[26] = 1;
  f[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      size_t p = 54 + size_t(y) * stride + size_t(x) * 3;
      f[p] = static_cast<char>(GetBValue(c));
      f[p + 1] = static_cast<char>(GetGValue(c));
      f[p + 2] = static_cast<char>(GetRValue(c));
    }
  WriteFile(name, f);
}

COLORREF PixelOf(HWND w, int x, int y) {
  HDC dc = GetDC(w);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(w, dc);
  return c;
}
}  // namespace

TEST_F(ViewerTest, LinksToMissingFilesAndPictures) {
  WriteBmp("lnk_pic.bmp", 20, 10, RGB(0, 128, 0));
  WriteFile("lnk_a.htm", "<TITLE>A</TITLE><A HREF=\"lnk_gone.htm\">gone</A><P><A HREF=\"LNK_PIC.BMP\">picture</A>");
  v->SetHistoryMaxCount(6);
  v->LoadFromFile("lnk_a.htm");
  Paint();
  int x = 0, y = 0;
  ASSERT_TRUE(FindLink(x, y));
  v->SetFocus();
  Click(x, y);
  Pump();
  // The missing page is reported through the application and the old page stays.
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("Can't locate file: "), std::string::npos) << errors[0];
  EXPECT_NE(errors[0].find("lnk_gone.htm"), std::string::npos) << errors[0];
  EXPECT_EQ(ExtractFileName(v->GetFileName()), "lnk_a.htm");
  EXPECT_EQ(v->HistoryCount(), 1);  // the page itself, nothing for the failed link
  EXPECT_FALSE(v->Processing());
  // The picture link makes a one-image document, and back returns to the page as HTML.
  TUrlTarget t;
  int px = -1, py = -1;
  for (int yy = 1; yy < v->PaintPanel()->Height() && px < 0; ++yy)
    for (int xx = 1; xx < v->PaintPanel()->Width(); xx += 3)
      if (v->LinkAtPoint(xx, yy, t) && t.Url == "LNK_PIC.BMP") {
        px = xx;
        py = yy;
        break;
      }
  ASSERT_GE(px, 0);
  Click(px, py);
  EXPECT_EQ(v->DocumentKind(), 2);
  EXPECT_TRUE(SameText(ExtractFileName(v->GetFileName()), "lnk_pic.bmp"));
  auto* s = dynamic_cast<TSection*>(v->Document()->Sections.back().get());
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Images.size(), 1u);
  ASSERT_EQ(v->HistoryCount(), 2);
  v->GoToHistoryEntry(1);
  EXPECT_EQ(v->DocumentKind(), 0);
  EXPECT_EQ(v->GetTitle(), "A");
  for (const char* f : {"lnk_pic.bmp", "lnk_a.htm"}) std::remove(f);
}

TEST_F(ViewerTest, ProcessingIsReportedOnceAndBlocksReentry) {
  std::vector<bool> states;
  bool nested = false;
  v->OnProcessing = [&](TObject*, bool on) {
    states.push_back(on);
    if (on && !nested) {
      nested = true;
      v->LoadFromString("<P>nested load");  // ignored while the outer one runs
      v->Clear();
      v->SetViewImages(true);
    }
  };
  v->LoadFromString("<TITLE>outer</TITLE><P>outer text");
  EXPECT_EQ(states, (std::vector<bool>{true, false}));
  EXPECT_EQ(v->GetTitle(), "outer");
  EXPECT_FALSE(v->ViewImages());
  auto* s = dynamic_cast<TSection*>(v->Document()->Sections.back().get());
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Buff, "outer text");
  // A parse failure still ends processing, and the viewer keeps working.
  states.clear();
  EXPECT_THROW(v->LoadFromString("<P>x<!-- open"), EParseError);
  EXPECT_EQ(states, (std::vector<bool>{true, false}));
}

TEST_F(ViewerTest, BackgroundPictureAndBorder) {
  WriteBmp("bg_tile.bmp", 8, 8, RGB(0, 160, 0));
  WriteFile("bg_page.htm", "<BODY BGCOLOR=#0000FF BACKGROUND=\"bg_tile.bmp\">x");
  v->LoadFromFile("bg_page.htm");
  Paint();
  int px = v->PaintPanel()->Width() - 5, py = v->PaintPanel()->Height() - 5;
  EXPECT_EQ(PixelOf(Panel(), px, py) & 0xFFFFFF, RGB(0, 0, 255));  // pictures off: the colour
  v->SetViewImages(true);
  Paint();
  EXPECT_EQ(PixelOf(Panel(), px, py) & 0xFFFFFF, RGB(0, 160, 0));
  v->SetViewImages(false);
  Paint();
  EXPECT_EQ(PixelOf(Panel(), px, py) & 0xFFFFFF, RGB(0, 0, 255));
  // The border: dark while focused (htFocused), the control's colour otherwise.
  SetFocus(form->Handle());
  Pump();
  COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_BTNTEXT);
  ASSERT_NE(face, text);
  EXPECT_EQ(PixelOf(v->Handle(), 0, 0), face);
  v->SetFocus();
  Pump();
  EXPECT_EQ(PixelOf(v->Handle(), 0, 0), text);
  v->SetBorderStyle(htNone);
  EXPECT_EQ(PixelOf(v->Handle(), 0, 0), face);
  SetFocus(form->Handle());
  v->SetBorderStyle(htSingle);
  Pump();
  EXPECT_EQ(PixelOf(v->Handle(), 0, 0), text);
  for (const char* f : {"bg_tile.bmp", "bg_page.htm"}) std::remove(f);
}

namespace {

// A help page as the help generator writes it: one table, each tag an anchored heading
// row in white on navy, its description, its attributes and a rule.
std::string HelpPage(const std::vector<std::string>& tags) {
  std::string p = "<HTML>\r\n<HEAD>\r\n<TITLE>Structure</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=\"WHITE\">\r\n"
                  "<TABLE Width=\"100%\">\r\n";
  int n = 0;
  for (const std::string& t : tags) {
    p += "<TR><TH colspan=\"3\" align=\"left\" BgColor=\"Navy\"><FONT COLOR=\"WHITE\"><A NAME=" + t + ">" + t +
         "</A></FONT></TH></TR>\r\n<TR><TD colspan=3>\r\n<b>The " + t + " tag</b><br>" +
         Repeat("Words that say what the tag is for, long enough to wrap. ", 3 + n % 4) +
         "\r\n</TD></TR>\r\n<TR><TH colspan=\"3\" align=\"left\" BgColor=\"yellow\">Attributes</TH></TR>\r\n";
    if (n % 3 == 0) p += "<TR><TD colspan=\"3\"><I>None</I></TD></TR>\r\n";
    for (int a = 0; a < n % 3 * 2; ++a)
      p += "<TR><TH Align=\"Left\">ATTR" + std::to_string(a) + "</TH><TD></TD><TD colspan=3>What it does.</TD></TR>\r\n";
    p += "<TR><TD colspan=\"3\"><HR></TD>\r\n";
    ++n;
  }
  return p + "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";
}

}  // namespace

TEST_F(ViewerTest, AnAnchorInATableRowLandsAtTheTopWhateverTheWidthAtLoad) {
  std::vector<std::string> tags = {"HTML", "HEAD", "TITLE", "BODY", "BASE", "META", "LINK", "ISINDEX", "STYLE",
                                   "SCRIPT", "NOSCRIPT"};
  WriteFile("help_structure.htm", HelpPage(tags));
  // The anchor's heading as the viewer draws it: bold, in the document's font and size.
  TFont font;
  font.SetName(v->DefFontName());
  font.SetSize(v->DefFontSize());
  TFontStyles bold;
  bold.Include(fsBold);
  font.SetStyle(bold);
  const COLORREF navy = RGB(0, 0, 128);
  for (const std::string& t : {std::string("BODY"), std::string("HTML"), std::string("META"), std::string("HEAD")}) {
    // Loaded narrow, as a frame's viewer is before its frame is sized, then widened.
    for (int width : {400, 120}) {
      v->SetBounds(5, 5, width, 300);
      v->LoadFromFile("help_structure.htm#" + t);
      v->SetBounds(5, 5, 400, 300);
      Paint();
      screen::TShot shot = screen::Capture(screen::ClientScreenRect(Panel()));
      screen::SaveShot(shot, "anchor_" + t + "_" + std::to_string(width));
      // The first navy band from the top of the panel is the anchor's heading row.
      int top = -1, bottom = -1;
      for (int y = 0; y < shot.height && bottom < 0; ++y) {
        bool band = shot.At(shot.width / 2, y) == navy;
        if (band && top < 0) top = y;
        if (!band && top >= 0) bottom = y;
      }
      ASSERT_GE(top, 0) << t << " loaded at " << width;
      EXPECT_LE(top, 6) << t << " loaded at " << width;  // only the table's cell spacing above it
      // The band alone, where it is navy: its text is the anchor's.
      screen::TShot band;
      int left = 0, right = shot.width / 2;
      while (left < right && shot.At(left, top) != navy) ++left;
      while (right < shot.width && shot.At(right, top) == navy) ++right;
      band.width = right - left;
      band.height = bottom - top;
      for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) band.pixels.push_back(shot.At(x, y));
      // Smoothed white on navy never matches glyph for glyph; the anchor's name matches it
      // best of all the page's headings.
      double own = screen::TextMismatch(band, 0, band.height, navy, t, font.Handle());
      EXPECT_LT(own, 0.4) << t << " loaded at " << width;
      for (const std::string& other : tags)
        if (other != t) {
          EXPECT_LT(own, screen::TextMismatch(band, 0, band.height, navy, other, font.Handle()))
              << t << " loaded at " << width << " looks like " << other;
        }
    }
  }
  // Once the view has moved, a new width keeps the view where it was, not at the anchor.
  v->LoadFromFile("help_structure.htm#BODY");
  v->ScrollTo(v->VPosition() + 40);
  int moved = v->VPosition();
  v->SetBounds(5, 5, 390, 300);
  EXPECT_EQ(v->VPosition(), moved);
  std::remove("help_structure.htm");
}

// At the preview's small sizes a blank is three pixels wide: the words must still stand
// apart by the clear columns the font's blank leaves, where measuring put them.
TEST_F(ViewerTest, WordsStandApartAtSmallSizes) {
  const std::string text = "Row text number 80 of the home page H1 to H6";
  v->SetDefFontName("Arial");
  for (int size : {8, 10}) {
    v->SetDefFontSize(size);
    v->LoadFromString("<P>" + text);
    Paint();
    screen::Settle(100);
    screen::TShot shot = screen::Capture(screen::ClientScreenRect(Panel()));
    screen::SaveShot(shot, "small_words_" + std::to_string(size));
    COLORREF bg = shot.At(1, 1);
    std::vector<bool> clear(static_cast<size_t>(shot.width), true);
    for (auto [a, b] : screen::InkRuns(shot, 0, shot.height, bg, 1))
      for (int x = a; x < b; ++x) clear[static_cast<size_t>(x)] = false;
    HDC dc = CreateCompatibleDC(nullptr);
    {
      TGdiViewCanvas c(dc);
      TMyFont f;
      f.Name = "Arial";
      f.Size = size;
      int blank = c.TextExtent(f, " ", 1);
      // The line starts where the first letter's cell does (the canvas has its font selected).
      int x0 = 0;
      while (x0 < shot.width && clear[static_cast<size_t>(x0)]) ++x0;
      ABC abc{};
      GetCharABCWidthsA(dc, 'R', 'R', &abc);
      x0 -= abc.abcA;
      for (size_t sp = text.find(' '); sp != std::string::npos; sp = text.find(' ', sp + 1)) {
        // The clear columns around the end of the blank's cell, where the next word begins.
        int end = x0 + c.TextExtent(f, text.data(), static_cast<int>(sp) + 1) - 1, from = end, to = end;
        while (from > 0 && clear[static_cast<size_t>(from - 1)]) --from;
        while (to < shot.width && clear[static_cast<size_t>(to)]) ++to;
        EXPECT_GE(to - from, blank - 1) << size << " pt, before \"" << text.substr(sp + 1, 5) << "\"";
      }
    }
    DeleteDC(dc);
  }
}
