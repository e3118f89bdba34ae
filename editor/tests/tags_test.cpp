// Tag insertion end to end: speed-bar buttons, tag menu items, the palette, clicks on tag
// names, dropped files and highlighting, with the attribute editor and the tag help
// window answered through the test seam.
#include "editor/HTMLBox.h"
#include "editor/TagText.h"
#include "editor/tests/frame_fixture.h"
#include "editor/vx2_help.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/tests/ScreenDriver.h"
#include "tagdefs/ParEd.h"

using namespace vx;

namespace {

struct TagsTest : FrameTest {
  std::string Line(int i) { return Editor()->GetLine(i); }
  std::string Selected() { return Editor()->SelTextToString(); }
  TSpeedbarButton* Button(const char* item) { return frame->SpeedItem(item)->Button(); }
  void Release(const char* item, TMouseButton b) { frame->ASBMouseUp(Button(item), b, TShiftState{}, 1, 1); }
  // A real press and release on a speed button, through its bar's window.
  void Click(const char* item) {
    TSpeedbarButton* btn = Button(item);
    HWND bar = btn->Parent()->Handle();
    LPARAM at = MAKELPARAM(btn->Left() + 4, btn->Top() + 4);
    SendMessageA(bar, WM_MOUSEMOVE, 0, at);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(bar, WM_LBUTTONUP, 0, at);
    Pump();
  }
  TMenuItem* PopupItem(TPopupMenu* menu, const char* caption) {
    for (int i = 0; i < menu->Items()->Count(); ++i)
      if (menu->Items()->Items(i)->Caption() == caption) return menu->Items()->Items(i);
    return nullptr;
  }
  static TXGridRowItem* Row(TForm* f, const char* name) {
    auto* par = dynamic_cast<TfrmParEd*>(f);
    if (!par) return nullptr;
    TXGridRows* rows = par->XGrid1->GridRows();
    for (int i = 0; i < rows->Count(); ++i)
      if (AnsiSameText(rows->Items(i)->Caption(), name)) return rows->Items(i);
    return nullptr;
  }
  static void Ok(TForm* f) {
    if (auto* p = dynamic_cast<TfrmParEd*>(f)) p->btnOK->Click();
    if (auto* h = dynamic_cast<TfrmHelpView*>(f)) h->btnOK->Click();
  }
  static void Cancel(TForm* f) { f->SetModalResult(mrCancel); }
  // Line n (from 1) as the editor paints it is the text in the editor's font.
  bool PaintedLine(int line, const std::string& text) {
    HWND h = Editor()->Handle();
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0));
    TEXTMETRICA tm{};
    {
      TWindowDC dc(h);
      TSelected f(dc, font);
      GetTextMetricsA(dc, &tm);
    }
    const screen::TShot shot = screen::Painted(h);
    return screen::ShowsText(shot, (line - 1) * tm.tmHeight, line * tm.tmHeight, ColorToRGB(Editor()->Color()), text,
                             font);
  }
  // The control's word-click event for the word at this place of the caret's line.
  void WordClick(int line, int column, const char* word) {
    Select(line, column, line, column);
    bool handled = false;
    Editor()->OnWordClick(Editor(), 1, column, word, handled);
    Pump();
  }
};

}  // namespace

TEST(TagEndScanner, QuotesHideTheCloseAndLinesGoOn) {
  size_t at = 0;
  TTagEndScanner a;
  EXPECT_EQ(a.Feed(" alt=\"a>b\" src=x.gif>tail", 0, at), TTagEndScanner::trClose);
  EXPECT_EQ(at, 20u);
  TTagEndScanner b;
  EXPECT_EQ(b.Feed("<IMG alt='it>s' title=don't>", 4, at), TTagEndScanner::trClose);
  EXPECT_EQ(at, 27u);  // an apostrophe inside a value opens nothing
  TTagEndScanner c;
  EXPECT_EQ(c.Feed(" src=\"a", 0, at), TTagEndScanner::trNone);
  EXPECT_EQ(c.Feed("b>c\" width=1>", 0, at), TTagEndScanner::trClose);
  EXPECT_EQ(at, 12u);
  TTagEndScanner d;
  EXPECT_EQ(d.Feed(" src=x.gif <B>", 0, at), TTagEndScanner::trOpen);
  EXPECT_EQ(at, 11u);
  TTagEndScanner e;
  EXPECT_EQ(e.Feed("", 0, at), TTagEndScanner::trNone);
}

TEST_F(TagsTest, BAroundASelection) {
  Doc("abc word efg\r\nline two of the text\r\nthree\r\nfour\r\n");
  // Positions 4 to 8, LowerCase on by default: the tagged text is selected afterwards.
  Select(1, 4, 1, 8);
  Click("siB");
  EXPECT_EQ(Line(1), "abc <b>word</b> efg");
  Editor()->UpdateSelection();
  EXPECT_EQ(Editor()->StartPos(), 4);
  EXPECT_EQ(Editor()->EndPos(), 15);
  EXPECT_EQ(Selected(), "<b>word</b>");
  EXPECT_TRUE(shown.empty());
  // Made backwards, the same.
  Doc("abc word efg\r\n");
  Select(1, 8, 1, 4);
  Release("siB", mbLeft);
  EXPECT_EQ(Line(1), "abc <b>word</b> efg");
  EXPECT_EQ(Selected(), "<b>word</b>");
  // Over three lines: the end tag's length moves the end, the start tag's does not.
  Doc("abc word efg\r\nline two of the text\r\nthree\r\nfour\r\n");
  Select(4, 3, 2, 10);
  Release("siI", mbLeft);
  EXPECT_EQ(Line(2), "line two o<i>f the text");
  EXPECT_EQ(Line(4), "fou</i>r");
  Editor()->UpdateSelection();
  EXPECT_EQ(Editor()->StartLine(), 2);
  EXPECT_EQ(Editor()->StartPos(), 10);
  EXPECT_EQ(Editor()->EndLine(), 4);
  EXPECT_EQ(Editor()->EndPos(), 7);
  // No selection: start tag then end tag at the caret, the caret between them.
  Doc("xy\r\n");
  Select(1, 1, 1, 1);
  Release("siB", mbLeft);
  EXPECT_EQ(Line(1), "x<b></b>y");
  Editor()->UpdateSelection();
  EXPECT_EQ(Editor()->EndPos(), 4);
  EXPECT_EQ(Editor()->GetSelLength(), 0);
  ExpectOneUndoStep("xy\r\n");
}

// A tag from a button goes in as one edit: one Undo takes both tags away, in the text and
// on the screen; a pair that a line cannot hold goes in not at all, and a message says so.
TEST_F(TagsTest, ATagIsOneUndoStepAndNeverHalfInserted) {
  const std::string text = "abc word efg\r\nline two of the text\r\nthree\r\nfour\r\n";
  Doc(text);
  Select(4, 3, 2, 10);
  Click("siB");
  EXPECT_EQ(Line(2), "line two o<b>f the text");
  EXPECT_EQ(Line(4), "fou</b>r");
  ExpectOneUndoStep(text);
  MenuCommand(frmEditWin->cmdUndo);
  Select(1, 0, 1, 0);
  EXPECT_TRUE(PaintedLine(2, "line two of the text"));
  EXPECT_TRUE(PaintedLine(4, "four"));
  // Seven characters more than a line holds: neither tag goes in.
  const std::string wide = std::string(32761, 'w') + "\r\n";
  Doc(wide);
  Select(1, 10, 1, 20);
  messages.clear();
  Click("siB");
  EXPECT_TRUE(Editor()->GetText() == wide) << "the text changed";
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "The B tag was not inserted: a line would be longer than 32767 characters.");
  Editor()->SetModified(false);
}

TEST_F(TagsTest, ImgThroughTheAttributeEditor) {
  Doc("before  after\r\n");
  Select(1, 7, 1, 7);
  TMenuItem* img = PopupItem(frame->PopupImg, "IMG");
  ASSERT_NE(img, nullptr);
  Answer([](TForm* f) {
    ASSERT_NE(Row(f, "SRC"), nullptr);
    EXPECT_EQ(Row(f, "SRC")->Value(), "");
    Row(f, "SRC")->SetValue("pics/Logo.gif");
    Row(f, "ALT")->SetValue("Our logo");
    Ok(f);
  });
  img->Click();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Editing HTML Tag <IMG>");
  EXPECT_EQ(Line(1), "before <img src=\"pics/logo.gif\" alt=\"our logo\"> after");
  // Cancel inserts nothing.
  Answer([](TForm* f) {
    Row(f, "SRC")->SetValue("x.gif");
    Cancel(f);
  });
  img->Click();
  EXPECT_EQ(shown.size(), 2u);
  EXPECT_EQ(Line(1), "before <img src=\"pics/logo.gif\" alt=\"our logo\"> after");
  // A left click on a button of a tag with attributes goes through the editor too.
  Doc("text\r\n");
  Select(1, 0, 1, 4);
  Answer([](TForm* f) {
    Row(f, "HREF")->SetValue("a.htm");
    Ok(f);
  });
  Release("siA", mbLeft);
  EXPECT_EQ(Line(1), "<a href=\"a.htm\">text</a>");
  EXPECT_EQ(Selected(), "<a href=\"a.htm\">text</a>");
}

TEST_F(TagsTest, RightClickInsertsTheBareTag) {
  Answer([](TForm* f) { Ok(f); });
  Doc("text\r\n");
  Select(1, 0, 1, 4);
  Release("siA", mbRight);
  Release("siFont", mbMiddle);
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(Line(1), "<font><a>text</a></font>");
  Doc("ab\r\n");
  Select(1, 1, 1, 1);
  Release("siBR", mbRight);
  EXPECT_EQ(Line(1), "a<br>b");
  // A button whose caption names no tag, and a sender that is no speed button: nothing.
  Release("siSave", mbLeft);
  frame->ASBMouseUp(frame, mbLeft, TShiftState{}, 0, 0);
  EXPECT_EQ(Line(1), "a<br>b");
  EXPECT_TRUE(shown.empty());
}

struct UpperCaseTagsTest : TagsTest {
  void BeforeStart() override { TRegIniFile(VornixRegKey).WriteString("Editor", "LowerCase", "0"); }
};

TEST_F(UpperCaseTagsTest, TagsAsTheDefinitionSpellsThem) {
  ASSERT_FALSE(frame->Settings()->LowerCase());
  Doc("abc word efg\r\n");
  Select(1, 4, 1, 8);
  Release("siB", mbLeft);
  EXPECT_EQ(Line(1), "abc <B>word</B> efg");
  Answer([](TForm* f) {
    Row(f, "SRC")->SetValue("Pics/Logo.GIF");
    Ok(f);
  });
  Select(1, 0, 1, 0);
  PopupItem(frame->PopupImg, "IMG")->Click();
  EXPECT_EQ(Line(1), "<IMG SRC=\"Pics/Logo.GIF\">abc <B>word</B> efg");
}

TEST_F(TagsTest, KindTwoEndsOnlyASelection) {
  Doc("one\r\ntwo\r\n");
  Select(1, 3, 1, 3);
  Release("siP", mbRight);
  EXPECT_EQ(Line(1), "one<p>");
  Select(2, 0, 2, 3);
  Release("siP", mbRight);
  EXPECT_EQ(Line(2), "<p>two</p>");
  EXPECT_EQ(Selected(), "<p>two</p>");
  // With the attribute editor and a selection made backwards.
  Answer([](TForm* f) {
    Row(f, "ALIGN")->SetValue("CENTER");
    Ok(f);
  });
  Doc("para\r\n");
  Select(1, 4, 1, 0);
  Release("siP", mbLeft);
  EXPECT_EQ(Line(1), "<p align=\"center\">para</p>");
}

TEST_F(TagsTest, ClickOnATagNameEditsItsAttributes) {
  Doc("<IMG src=\"a b.gif\" width=10 style=\"x\"> after\r\nnext\r\n");
  // A real click on the tag name.
  Answer([](TForm* f) {
    EXPECT_EQ(Row(f, "SRC")->Value(), "a b.gif");
    EXPECT_EQ(Row(f, "WIDTH")->Value(), "10");
    Row(f, "WIDTH")->SetValue("");
    Row(f, "ALT")->SetValue("Pic");
    Ok(f);
  });
  SendMessageA(Editor()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 6));
  SendMessageA(Editor()->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 6));
  Pump();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(Line(1), "<IMG src=\"a b.gif\" alt=\"pic\" style=\"x\"> after");
  EXPECT_EQ(Line(2), "next");
  // Cancel changes nothing and leaves the attribute text selected.
  Answer([](TForm* f) {
    Row(f, "SRC")->SetValue("other.gif");
    Cancel(f);
  });
  WordClick(1, 0, "<IMG");
  EXPECT_EQ(Line(1), "<IMG src=\"a b.gif\" alt=\"pic\" style=\"x\"> after");
  EXPECT_EQ(Selected(), " src=\"a b.gif\" alt=\"pic\" style=\"x\"");
}

TEST_F(TagsTest, ClickedTagEndsAtTheRightBracket) {
  Answer([](TForm* f) { Ok(f); });
  // A ">" inside a quoted value is no end.
  Doc("x <img alt=\"a>b\" src=x.gif>tail\r\n");
  WordClick(1, 2, "<img");
  EXPECT_EQ(Line(1), "x <img src=\"x.gif\" alt=\"a>b\">tail");
  // A tag that goes on over the next lines is found whole; nothing is left behind.
  Doc("<IMG src=x.gif\r\n   width=10\r\n  height=\"20\">rest\r\nnext\r\n");
  WordClick(1, 0, "<IMG");
  EXPECT_EQ(Line(1), "<IMG src=\"x.gif\" width=\"10\" height=\"20\">rest");
  EXPECT_EQ(Line(2), "next");
  // A name that ends its line and no ">" before the next tag: ">" is added.
  Answer([](TForm* f) {
    Row(f, "SRC")->SetValue("y.gif");
    Ok(f);
  });
  Doc("<IMG\r\n<P>text\r\n");
  WordClick(1, 0, "<IMG");
  EXPECT_EQ(Line(1), "<IMG src=\"y.gif\">");
  EXPECT_EQ(Line(2), "<P>text");
  // An unclosed tag before another tag on the same line keeps that tag.
  Answer([](TForm* f) { Ok(f); });
  Doc("<IMG src=z.gif <B>bold</B>\r\n");
  WordClick(1, 0, "<IMG");
  EXPECT_EQ(Line(1), "<IMG src=\"z.gif\"><B>bold</B>");
  // A tag without attributes shows its help and inserts nothing; an unknown word does nothing.
  shown.clear();
  Doc("<B>bold</B> <BLAH>\r\n");
  WordClick(1, 0, "<B");
  WordClick(1, 12, "<BLAH");
  WordClick(1, 4, "bold");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "HTML Tag <B> ... </B>");
  EXPECT_EQ(Line(1), "<B>bold</B> <BLAH>");
}

TEST_F(TagsTest, PaletteByGroup) {
  Doc("word\r\n");
  THTMLBox* box = frmEditWin->HTMLBox1;
  THTMLGroup* set = frmEditWin->TagGroup();
  ASSERT_GE(frmEditWin->ComboBox1->Items()->Count(), 4);
  EXPECT_EQ(frmEditWin->ComboBox1->ItemIndex(), 0);
  frmEditWin->ComboBox1->SetItemIndex(2);
  frmEditWin->ComboBox1->OnChange(frmEditWin->ComboBox1);
  EXPECT_EQ(box->Group(), 2);
  std::vector<std::string> expected;
  for (int i = 0; i < set->Tags().Count(); ++i)
    if (set->TagAt(i)->GroupIndex() == 2) expected.push_back(set->TagAt(i)->Name());
  ASSERT_FALSE(expected.empty());
  std::vector<std::string> rows;
  for (int i = 0; i < box->RowCount(); ++i) rows.push_back(box->RowName(i));
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(box->Height(), 18 * box->RowCount());
  EXPECT_EQ(box->Width(), frmEditWin->ScrollBox1->ClientWidth());

  // Hover raises one row at a time; leaving flattens it.
  HWND sb = frmEditWin->ScrollBox1->Handle();
  SendMessageA(sb, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(box->Hot());
  EXPECT_EQ(box->HotRow(), 0);
  SendMessageA(sb, WM_MOUSEMOVE, 0, MAKELPARAM(5, 18 + 5));
  EXPECT_EQ(box->HotRow(), 1);
  SendMessageA(sb, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(box->Hot());

  // The "Text formatting" group: B has no attributes, so its help window comes first.
  int group = frmEditWin->ComboBox1->Items()->IndexOf("Text formatting");
  ASSERT_GE(group, 0);
  frmEditWin->ComboBox1->SetItemIndex(group);
  frmEditWin->ComboBox1->OnChange(frmEditWin->ComboBox1);
  int b = box->RowCount();
  for (int i = 0; i < box->RowCount(); ++i)
    if (box->RowName(i) == "B") b = i;
  ASSERT_LT(b, box->RowCount());
  auto press = [&](UINT down, UINT up, int y, int upY) {
    SendMessageA(sb, WM_MOUSEMOVE, 0, MAKELPARAM(5, y));
    SendMessageA(sb, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(5, y));
    SendMessageA(sb, up, 0, MAKELPARAM(5, upY));
    Pump();
  };
  int y = b * 18 + 9;
  Select(1, 0, 1, 4);
  Answer([](TForm* f) { Cancel(f); });
  press(WM_LBUTTONDOWN, WM_LBUTTONUP, y, y);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "HTML Tag <B> ... </B>");
  EXPECT_EQ(Line(1), "word");
  Answer([](TForm* f) { Ok(f); });
  press(WM_LBUTTONDOWN, WM_LBUTTONUP, y, y);
  EXPECT_EQ(Line(1), "<b>word</b>");
  // A right click never shows the help.
  shown.clear();
  Select(1, 0, 1, 0);
  press(WM_RBUTTONDOWN, WM_RBUTTONUP, y, y);
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(Line(1), "<b></b><b>word</b>");
  // A release above the palette, or beside it, inserts nothing.
  Answer([](TForm* f) { Ok(f); });
  press(WM_LBUTTONDOWN, WM_LBUTTONUP, 9, -5);
  press(WM_LBUTTONDOWN, WM_LBUTTONUP, 9, box->Height() + 40);
  EXPECT_EQ(box->SelectedTag(), nullptr);
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(Line(1), "<b></b><b>word</b>");

  // A tag with attributes opens the attribute editor directly.
  int p = frmEditWin->ComboBox1->Items()->IndexOf("Paragraphs and blocks");
  frmEditWin->ComboBox1->SetItemIndex(p);
  frmEditWin->ComboBox1->OnChange(frmEditWin->ComboBox1);
  ASSERT_EQ(box->RowName(0), "P");
  Doc("x\r\n");
  Select(1, 0, 1, 0);
  press(WM_LBUTTONDOWN, WM_LBUTTONUP, 9, 9);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Editing HTML Tag <P> ... </P>");
  EXPECT_EQ(Line(1), "<p>x");

  // In a low window a long group scrolls up and down, and its rows stay within the view.
  int wide = frmEditWin->ScrollBox1->ClientWidth();
  frmEditWin->SetBounds(0, 0, 560, 210);
  Pump();
  HWND sbw = frmEditWin->ScrollBox1->Handle();
  EXPECT_TRUE(GetWindowLongA(sbw, GWL_STYLE) & WS_VSCROLL);
  EXPECT_FALSE(GetWindowLongA(sbw, GWL_STYLE) & WS_HSCROLL);
  EXPECT_LT(frmEditWin->ScrollBox1->ClientWidth(), wide);
  EXPECT_EQ(box->Width(), frmEditWin->ScrollBox1->ClientWidth());
  frmEditWin->ComboBox1->SetItemIndex(frmEditWin->ComboBox1->Items()->Count() - 1);
  frmEditWin->ComboBox1->OnChange(frmEditWin->ComboBox1);
  EXPECT_FALSE(GetWindowLongA(sbw, GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(box->Width(), wide);
}

TEST_F(TagsTest, HelpWindowPlacementIsStored) {
  WritePrivateProfileStringA("HelpView", nullptr, nullptr, "vornix32.ini");
  Doc("<B>bold</B>\r\n");
  Answer([](TForm* f) {
    auto* h = dynamic_cast<TfrmHelpView*>(f);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->btnCancel->Caption(), "Cancel");
    EXPECT_GT(h->HTMLViewer1->DocumentHeight(), 0);
    // Copy is offered only with a selection.
    h->PopupMenu1Popup(h->PopupMenu1);
    EXPECT_FALSE(h->cmdCopy->Enabled());
    h->cmdSelectAllClick(h->cmdSelectAll);
    h->PopupMenu1Popup(h->PopupMenu1);
    EXPECT_TRUE(h->cmdCopy->Enabled());
    SetWindowPos(h->Handle(), nullptr, 30, 40, 460, 330, SWP_NOZORDER | SWP_NOACTIVATE);
    Application->ProcessMessages();
    int w = h->ClientWidth(), ht = h->ClientHeight();
    EXPECT_EQ(h->Panel1->Width(), w - 12);
    EXPECT_EQ(h->Panel1->Height(), ht - 40);
    EXPECT_EQ(h->btnOK->Top(), ht - 28);
    EXPECT_EQ(h->btnCancel->Left(), w - h->btnCancel->Width() - 8);
    EXPECT_EQ(h->btnOK->Left(), w - h->btnOK->Width() - h->btnCancel->Width() - 12);
    Ok(f);
  });
  WordClick(1, 0, "<B");
  ASSERT_EQ(shown.size(), 1u);
  char buf[128] = {};
  GetPrivateProfileStringA("HelpView", "NormPos", "", buf, sizeof buf, "vornix32.ini");
  EXPECT_STRNE(buf, "");
  // Shown again, it comes back where it was left.
  Answer([](TForm* f) {
    EXPECT_EQ(f->Left(), 30);
    EXPECT_EQ(f->Top(), 40);
    EXPECT_EQ(f->Width(), 460);
    EXPECT_EQ(f->Height(), 330);
    Cancel(f);
  });
  WordClick(1, 0, "<B");
  EXPECT_EQ(shown.size(), 2u);
  WritePrivateProfileStringA("HelpView", nullptr, nullptr, "vornix32.ini");
}

TEST_F(TagsTest, DroppedFilesBecomeLinksAndImages) {
  CreateDirectoryA((dir + "pics").c_str(), nullptr);
  Write("pics\\Logo.gif", "GIF89a");
  Write("page.htm", "x");
  Write("notes.xyz", "x");
  std::string doc = Write("doc.htm", "see here\r\n");
  frame->OpenInEditor(doc);
  Pump();
  TFileListBox* list = frame->FileListBox1;
  bool accept = false;
  Editor()->OnDragOver(Editor(), list, 0, 0, dsDragMove, accept);
  EXPECT_TRUE(accept);
  Editor()->OnDragOver(Editor(), frame, 0, 0, dsDragMove, accept);
  EXPECT_FALSE(accept);
  list->SetMask("*.*");
  auto drop = [&](const std::string& folder, const char* name) {
    list->SetDirectory(folder);
    list->SetItemIndex(list->Items()->IndexOf(name));
    ASSERT_GE(list->ItemIndex(), 0) << name;
    Editor()->OnDragDrop(Editor(), list, 0, 0);
    Pump();
  };
  // Cancel in the attribute editor keeps the prepared address.
  Answer([](TForm* f) {
    EXPECT_EQ(Row(f, "SRC")->Value(), "pics/logo.gif");
    Cancel(f);
  });
  Select(1, 4, 1, 4);
  drop(dir + "pics", "Logo.gif");
  EXPECT_EQ(Line(1), "see <img src=\"pics/logo.gif\">here");
  Answer([](TForm* f) { Ok(f); });
  Select(1, 0, 1, 3);
  drop(dir, "page.htm");
  EXPECT_EQ(Line(1), "<a href=\"page.htm\">see</a> <img src=\"pics/logo.gif\">here");
  shown.clear();
  drop(dir, "notes.xyz");
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(Line(1), "<a href=\"page.htm\">see</a> <img src=\"pics/logo.gif\">here");
  Editor()->SetModified(false);
  DeleteFileA((dir + "pics\\Logo.gif").c_str());
  RemoveDirectoryA((dir + "pics").c_str());
}

// Renders the editor through WM_PRINTCLIENT and reads the colours back.
TEST_F(TagsTest, HighlightColoursInARendering) {
  TSettings* s = frame->Settings();
  s->SetSyntax(0x0000C0);
  s->SetQuoted(0xC00000);
  s->SetFontColor(0x008000);
  s->SetComment(0x808000);
  s->SetBG(0xD0F0FF);
  TxEdit* ed = Doc("<B>xx</B> \"qq\" <!-- cc --> ww\r\n");
  EXPECT_EQ(ed->Color(), 0xD0F0FF);
  const screen::TShot shot = screen::Painted(ed->Handle());
  const int w = shot.width, h = shot.height;
  ASSERT_GT(w, 300);
  TEXTMETRICA tm;
  {
    TWindowDC dc(nullptr);
    TSelected font(dc, ed->Font()->Handle());
    GetTextMetricsA(dc, &tm);
  }
  const int cw = tm.tmAveCharWidth, lh = tm.tmHeight;
  auto at = [&](int x, int y) { return static_cast<TColor>(shot.At(x, y)); };
  auto has = [&](int c0, int c1, TColor c) {
    for (int y = 0; y < lh; ++y)
      for (int x = 2 + c0 * cw; x < 2 + c1 * cw && x < w; ++x)
        if (at(x, y) == c) return true;
    return false;
  };
  EXPECT_TRUE(has(0, 2, 0x0000C0));  // "<B" a known tag name
  EXPECT_TRUE(has(3, 5, 0x008000));  // xx
  EXPECT_FALSE(has(3, 5, 0x0000C0));
  EXPECT_TRUE(has(5, 7, 0x0000C0));    // "</" a symbol
  EXPECT_TRUE(has(10, 14, 0xC00000));  // "qq"
  EXPECT_TRUE(has(15, 26, 0x808000));  // the comment, in the editor's own colour
  EXPECT_TRUE(has(27, 29, 0x008000));  // ww
  // The page is one colour behind the text, past its end and below its lines.
  EXPECT_EQ(at(w - 5, 2), 0xD0F0FF);
  EXPECT_EQ(at(w / 2, h - 5), 0xD0F0FF);
  EXPECT_EQ(at(2 + 9 * cw + cw / 2, lh / 2), 0xD0F0FF);  // the blank between tokens
}
