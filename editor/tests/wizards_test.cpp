// The wizards started from VornixPro's menus, popups and speed buttons, writing into the
// current document; image maps made, selected and edited again.
#include "editor/tests/frame_fixture.h"
#include "editor/wizards/Framwiz.h"
#include "editor/wizards/H_charp.h"
#include "editor/wizards/VX2_ListW.h"
#include "editor/wizards/Vx2_imgm.h"
#include "editor/wizards/WizardText.h"
#include "editor/wizards/tests/wizard_fixture.h"
#include "editor/wizards/vx2_tabw.h"
#include "tagdefs/ImgDlg.h"

using namespace vx;

namespace {

struct WizardsTest : FrameTest {
  void TearDown() override {
    Application->OnPopupMenu = nullptr;
    FrameTest::TearDown();
  }
  std::string Text() { return Editor()->GetText(); }
  // A press and release on a speed button; a drop-down one opens its menu, where the
  // seam chooses the item with this caption.
  void Press(const char* name, const char* choose = nullptr) {
    if (choose)
      Application->OnPopupMenu = [choose](TPopupMenu* menu, int, int) -> TMenuItem* {
        for (int i = 0; i < menu->Items()->Count(); ++i)
          if (menu->Items()->Items(i)->Caption() == choose) return menu->Items()->Items(i);
        return nullptr;
      };
    TSpeedbarButton* btn = frame->SpeedItem(name)->Button();
    HWND bar = btn->Parent()->Handle();
    LPARAM at = MAKELPARAM(btn->Left() + 4, btn->Top() + 4);
    SendMessageA(bar, WM_MOUSEMOVE, 0, at);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(bar, WM_LBUTTONUP, 0, at);
    Pump();
  }
};

const char* const FramesetTail = "<NOFRAMES>\r\nThis document contains frames\r\n</NOFRAMES>\r\n</FRAMESET>\r\n";

}  // namespace

TEST_F(WizardsTest, NewFrameFillsANewUntitledDocument) {
  Doc("<P>kept</P>\r\n");
  Answer([](TForm* f) { f->SetModalResult(mrCancel); });
  MenuCommand(frame->cmdNewFrame);
  EXPECT_EQ(shown, std::vector<std::string>{"Frame Wizard"});
  EXPECT_EQ(TabCount(), 1);
  Answer([](TForm* f) {
    auto* w = static_cast<TForm_FrameWiz*>(f);
    w->SpeedButtons[1]->Click();
    w->SrcE[0]->SetText("top.htm");
    w->HeightE[0]->SetText("20%");
    w->OkBtn->Click();
  });
  MenuCommand(frame->cmdNewFrame);
  ASSERT_EQ(TabCount(), 2);
  EXPECT_TRUE(Editor()->Untitled());
  EXPECT_EQ(Text(),
            std::string("<FRAMESET ROWS=\"20%,*\">\r\n   <FRAME  SRC=\"top.htm\">\r\n   <FRAME  SRC=\"\">\r\n") +
                FramesetTail);
  // The Frames drop-down and the Wizards drop-down lead to the same wizard.
  Answer([](TForm* f) { static_cast<TForm_FrameWiz*>(f)->OkBtn->Click(); });
  Press("siFrames", "Frame Wizard");
  Press("siWizard", "Frame...");
  EXPECT_EQ(TabCount(), 4);
  EXPECT_EQ(Text(),
            std::string("<FRAMESET COLS=\"*,*\">\r\n   <FRAME  SRC=\"\">\r\n   <FRAME  SRC=\"\">\r\n") + FramesetTail);
  EXPECT_EQ(frmEditWin->EditorOfTab(0)->GetText(), "<P>kept</P>\r\n");
}

// What a new document starts with is its first state: Undo has nothing to take away, and
// after the frames wizard one Undo gives back that text and no more.
TEST_F(WizardsTest, NewDocumentTextIsNotAnEditToUndo) {
  frame->NewDoc(frame);
  Pump();
  const std::string fresh = Text();
  ASSERT_FALSE(fresh.empty());
  frmEditWin->cmdEditClick(frmEditWin->cmdEdit);
  EXPECT_FALSE(frmEditWin->cmdUndo->Enabled());
  MenuCommand(frmEditWin->cmdUndo);
  EXPECT_EQ(Text(), fresh);
  EXPECT_FALSE(Editor()->GetModified());
  Answer([](TForm* f) { static_cast<TForm_FrameWiz*>(f)->OkBtn->Click(); });
  MenuCommand(frame->cmdNewFrame);
  frmEditWin->cmdEditClick(frmEditWin->cmdEdit);
  EXPECT_TRUE(frmEditWin->cmdUndo->Enabled());
  MenuCommand(frmEditWin->cmdUndo);
  EXPECT_EQ(Text(), fresh);
  frmEditWin->cmdEditClick(frmEditWin->cmdEdit);
  EXPECT_FALSE(frmEditWin->cmdUndo->Enabled());
  MenuCommand(frmEditWin->cmdUndo);
  EXPECT_EQ(Text(), fresh);
  Editor()->SetModified(false);
}

TEST_F(WizardsTest, TableGoesInAtTheCaretInTheCaseTheOptionSaysNow) {
  Doc("ab\r\n");
  Select(1, 1, 1, 1);
  auto fill = [](TForm* f) {
    auto* t = static_cast<TTableDialog*>(f);
    t->ColumnSE->SetValue(2);
    t->StringGrid1->SetCells(1, 1, "x");
    t->StringGrid1->SetCells(2, 1, "y");
    t->OkBtn->Click();
  };
  Answer(fill);
  Press("siTable", "&Wizard...");
  EXPECT_EQ(shown, std::vector<std::string>{"Table Editor"});
  EXPECT_EQ(Text(), "a<table border>\r\n<tr>\r\n   <td>x </td>\r\n   <td>y </td>\r\n</tr>\r\n</table>\r\nb\r\n");
  // The option changed while the document window lives: the next table follows it.
  frame->Settings()->SetLowerCase(false);
  Doc("");
  Press("siWizard", "Table...");
  EXPECT_EQ(Text(), "<TABLE BORDER>\r\n<TR>\r\n   <TD>x </TD>\r\n   <TD>y </TD>\r\n</TR>\r\n</TABLE>\r\n");
  // Cancel writes nothing.
  Answer([](TForm* f) { static_cast<TTableDialog*>(f)->CancelBtn->Click(); });
  Doc("z");
  Press("siTable", "&Wizard...");
  EXPECT_EQ(Text(), "z");
}

TEST_F(WizardsTest, ListReplacesTheSelectionItWasFilledFrom) {
  Doc("intro\r\nTea\r\n\r\nmilk\r\nend\r\n");
  Select(2, 0, 4, 4);
  AnsiString memo;
  Answer([&](TForm* f) {
    auto* l = static_cast<TfrmListW*>(f);
    memo = l->Memo1->Text();
    l->cbOrdered->SetChecked(true);
    l->OkBtn->Click();
  });
  Press("siList");
  EXPECT_EQ(shown, std::vector<std::string>{"List Wizard"});
  EXPECT_EQ(memo, "Tea\r\n\r\nmilk");
  EXPECT_EQ(Text(), "intro\r\n<OL>\r\n<LI>Tea</LI>\r\n<LI></LI>\r\n<LI>milk</LI>\r\n</OL>\r\n\r\nend\r\n");
  // Without a selection the list goes in at the caret, from an empty memo.
  Doc("x");
  Select(1, 1, 1, 1);
  Answer([&](TForm* f) {
    memo = static_cast<TfrmListW*>(f)->Memo1->Text();
    static_cast<TfrmListW*>(f)->OkBtn->Click();
  });
  Press("siList");
  EXPECT_EQ(memo, "");
  EXPECT_EQ(Text(), "x<UL>\r\n</UL>\r\n");
}

TEST_F(WizardsTest, CharacterViewerInsertsAtTheCaretAndTheEditorKeepsTheFocus) {
  Doc("[]");
  Select(1, 1, 1, 1);
  ASSERT_NE(Form_Charp, nullptr);
  EXPECT_FALSE(Form_Charp->Visible());
  Press("siChar");
  ASSERT_TRUE(Form_Charp->Visible());
  EXPECT_EQ(Form_Charp->Owner(), frmEditWin);
  EXPECT_EQ(GetFocus(), Editor()->Handle());
  int l, t, r, b;
  CharpCellRect(6, l, t, r, b);
  POINT p = Form_Charp->Panel1->ClientToScreen(POINT{(l + r) / 2, (t + b) / 2});
  HWND under = WindowFromPoint(p);
  EXPECT_EQ(under, Form_Charp->Handle());
  ScreenToClient(under, &p);
  PostMessageA(under, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageA(under, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  Pump();
  EXPECT_EQ(Text(), "[&copy;]");
  EXPECT_EQ(GetFocus(), Editor()->Handle());
  WizardFixture::Screenshot("vornixpro_characters.bmp");
  // On the screen, not only in the window list: the cell's raised edge is there to see.
  POINT corner = Form_Charp->Panel1->ClientToScreen(POINT{r - 1, b - 1});
  HDC screen = GetDC(nullptr);
  COLORREF seen = GetPixel(screen, corner.x, corner.y);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(seen, GetSysColor(COLOR_3DDKSHADOW));
  // It writes into whichever document is current.
  Doc("");
  PostMessageA(under, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageA(under, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  Pump();
  EXPECT_EQ(Text(), "&copy;");
  // Closing the document window frees it.
  Editor()->SetModified(false);
  frmEditWin->EditorOfTab(0)->SetModified(false);
  frmEditWin->Close();
  Pump();
  EXPECT_EQ(Form_Charp, nullptr);
}

TEST_F(WizardsTest, AnImageMapMadeSelectedAndEditedAgainKeepsItsCase) {
  CreateDirectoryA((dir + "Pics").c_str(), nullptr);
  {
    TBitmap pic;
    pic.SetSize(200, 120);
    pic.Canvas()->Brush()->SetColor(0x80C0E0);
    pic.Canvas()->FillRect(RECT{0, 0, 200, 120});
    pic.SaveToFile(dir + "Pics\\Map.bmp");
  }
  std::string doc = Write("page.htm", "");
  frame->OpenInEditor(doc);
  Pump();
  SetCurrentDir("C:\\");
  AnsiString folderSeen;
  AnsiString longLink = "Docs/" + std::string(300, 'x') + ".htm";
  Answer([&](TForm* f) {
    if (auto* d = dynamic_cast<TImgDlg_Form*>(f)) {
      d->FileEdit->SetText(dir + "Pics\\Map.bmp");
      d->Button1->Click();
      return;
    }
    auto* m = dynamic_cast<TForm_Imgm*>(f);
    if (!m) return;
    folderSeen = GetCurrentDir();
    m->OPenMIClick(m->OPenMI);
    m->NewHotSpot(RECT{10, 10, 60, 50})->SetHREF("Docs/A.htm");
    m->NewHotSpot(RECT{70, 20, 190, 110})->SetHREF(longLink);
    m->NameE->SetText("NavBar");
    WizardFixture::Screenshot("vornixpro_image_map.bmp");
    m->OkBtn->Click();
  });
  Press("siImage", "Map Wizard...");
  EXPECT_EQ(ExcludeTrailingBackslash(folderSeen), ExcludeTrailingBackslash(dir));
  std::string map =
      "<MAP NAME=\"NavBar\">\r\n   <AREA COORDS=\"10,10,60,50\" HREF=\"Docs/A.htm\">\r\n"
      "   <AREA COORDS=\"70,20,190,110\" HREF=\"" +
      longLink + "\">\r\n</MAP>";
  EXPECT_EQ(Text(), map + "\r\n<IMG BORDER=0 USEMAP=\"#NavBar\" SRC=\"pics/map.bmp\"> \r\n");
  // Selected from its MAP tag to its end tag and edited: the wizard shows the map as
  // written, case and long link included; OK writes it back in place.
  Select(1, 0, 4, 6);
  AnsiString name;
  std::vector<std::string> spots;
  Answer([&](TForm* f) {
    auto* m = static_cast<TForm_Imgm*>(f);
    EXPECT_EQ(m->Owner(), frmEditWin);
    name = m->NameE->Text();
    for (THotSpot* s : m->HotSpots()) {
      RECT r = m->ImageRect(s);
      spots.push_back(std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
                      std::to_string(r.bottom) + " " + s->HREF());
    }
    m->HotSpots()[0]->SetLeft(m->HotSpots()[0]->Left() + 5);
    m->OkBtn->Click();
  });
  MenuCommand(frmEditWin->cmdEditImageMap);
  EXPECT_EQ(name, "NavBar");
  ASSERT_EQ(spots.size(), 2u);
  EXPECT_EQ(spots[0], "10,10,60,50 Docs/A.htm");
  EXPECT_EQ(spots[1], "70,20,190,110 " + longLink);
  std::string moved = map;
  moved.replace(moved.find("10,10,60,50"), 11, "15,10,65,50");
  EXPECT_EQ(Text(), moved + "\r\n<IMG BORDER=0 USEMAP=\"#NavBar\" SRC=\"pics/map.bmp\"> \r\n");
  Editor()->SetModified(false);
  DeleteFileA((dir + "Pics\\Map.bmp").c_str());
  RemoveDirectoryA((dir + "Pics").c_str());
}

TEST_F(WizardsTest, EditImageMapRefusesWhatItCannotEditAndChangesNothing) {
  int wizards = 0;
  Answer([&](TForm* f) {
    ++wizards;
    f->SetModalResult(mrCancel);
  });
  auto edit = [&](const std::string& text) {
    Doc(text);
    Select(1, 0, 1, static_cast<int>(text.size()));
    messages.clear();
    MenuCommand(frmEditWin->cmdEditImageMap);
    EXPECT_EQ(Text(), text);
  };
  edit("<map name=\"m\"><area shape=\"circle\" coords=\"5,5,4\" href=\"a.htm\"></map>");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("CIRCLE"), std::string::npos);
  edit("<map name=m><AREA SHAPE=poly coords=\"1,1,5,1,3,4\"></map>");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("POLY"), std::string::npos);
  edit("<map name=m><area coords=\"1,2,x,4\" href=a.htm></map>");
  EXPECT_EQ(messages, std::vector<std::string>{"'x' is not a valid integer value"});
  // Coordinates whose width the wizard cannot hold are refused, not written back changed.
  edit("<map name=m><area coords=\"-2147483648,-2147483648,2147483647,2147483647\" href=a.htm></map>");
  EXPECT_EQ(messages,
            std::vector<std::string>{"COORDS=\"-2147483648,-2147483648,2147483647,2147483647\" is not a rectangle: "
                                     "it is wider or taller than a whole number can hold"});
  edit("<map name=m><area coords=\"1,2,3,4\"></map> ");
  EXPECT_EQ(messages, std::vector<std::string>{"Highlighted text incorrect - \r\nHighlight text from <MAP> to </MAP>"});
  EXPECT_EQ(wizards, 0);
  // A link with "=" in it and a rectangle said in so many words come back whole.
  std::string text = "<map name=\"Q\"><area shape=rect coords=\"1,2,30,40\" href=\"a.cgi?x=1&y=2\"></map>";
  Answer([](TForm* f) { static_cast<TForm_Imgm*>(f)->OkBtn->Click(); });
  Doc(text);
  Select(1, 0, 1, static_cast<int>(text.size()));
  MenuCommand(frmEditWin->cmdEditImageMap);
  EXPECT_EQ(Text(), "<MAP NAME=\"Q\">\r\n   <AREA COORDS=\"1,2,30,40\" HREF=\"a.cgi?x=1&y=2\">\r\n</MAP>");
  Editor()->SetModified(false);
}

// Each wizard's text goes in as one edit: one Undo gives back the text before it, one Redo
// the wizard's text, through the document's own edit control.
TEST_F(WizardsTest, EachWizardIsUndoneInOneStep) {
  // Frames: the frameset takes the place of what the new document opened with.
  frame->NewDoc(frame);
  Pump();
  const std::string fresh = Text();
  ASSERT_FALSE(fresh.empty());
  Answer([](TForm* f) { static_cast<TForm_FrameWiz*>(f)->OkBtn->Click(); });
  MenuCommand(frame->cmdNewFrame);
  EXPECT_EQ(Text(),
            std::string("<FRAMESET COLS=\"*,*\">\r\n   <FRAME  SRC=\"\">\r\n   <FRAME  SRC=\"\">\r\n") + FramesetTail);
  Editor()->UpdateSelection();
  EXPECT_EQ(Editor()->EndLine(), 8);  // the caret after the frameset, as line by line
  EXPECT_EQ(Editor()->EndPos(), 0);
  ExpectOneUndoStep(fresh);

  // A 2 x 2 table at the caret.
  Doc("ab\r\n");
  Select(1, 1, 1, 1);
  Answer([](TForm* f) {
    auto* t = static_cast<TTableDialog*>(f);
    t->RowsSE->SetValue(2);
    t->ColumnSE->SetValue(2);
    t->StringGrid1->SetCells(1, 1, "1");
    t->StringGrid1->SetCells(2, 1, "2");
    t->StringGrid1->SetCells(1, 2, "3");
    t->StringGrid1->SetCells(2, 2, "4");
    t->OkBtn->Click();
  });
  Press("siTable", "&Wizard...");
  EXPECT_EQ(Text(),
            "a<table border>\r\n<tr>\r\n   <td>1 </td>\r\n   <td>2 </td>\r\n</tr>\r\n<tr>\r\n   <td>3 </td>\r\n"
            "   <td>4 </td>\r\n</tr>\r\n</table>\r\nb\r\n");
  Editor()->UpdateSelection();
  EXPECT_EQ(Editor()->EndLine(), 11);
  EXPECT_EQ(Editor()->EndPos(), 0);
  ExpectOneUndoStep("ab\r\n");

  // A new image map at the caret, then the same map edited in place of its selection.
  Doc("<P>\r\n");
  Select(1, 3, 1, 3);
  Answer([](TForm* f) {
    auto* m = static_cast<TForm_Imgm*>(f);
    m->NewHotSpot(RECT{10, 10, 60, 50})->SetHREF("a.htm");
    m->NewHotSpot(RECT{70, 20, 190, 110})->SetHREF("b.htm");
    m->NameE->SetText("Nav");
    m->OkBtn->Click();
  });
  Press("siImage", "Map Wizard...");
  const std::string map =
      "<MAP NAME=\"Nav\">\r\n   <AREA COORDS=\"10,10,60,50\" HREF=\"a.htm\">\r\n"
      "   <AREA COORDS=\"70,20,190,110\" HREF=\"b.htm\">\r\n</MAP>";
  const std::string made = "<P>" + map + "\r\n<IMG BORDER=0 USEMAP=\"#Nav\" SRC=\"\"> \r\n\r\n";
  EXPECT_EQ(Text(), made);
  ExpectOneUndoStep("<P>\r\n");
  Select(1, 3, 4, 6);
  Answer([](TForm* f) {
    auto* m = static_cast<TForm_Imgm*>(f);
    m->HotSpots()[1]->Free();
    m->OkBtn->Click();
  });
  MenuCommand(frmEditWin->cmdEditImageMap);
  EXPECT_EQ(Text(), "<P><MAP NAME=\"Nav\">\r\n   <AREA COORDS=\"10,10,60,50\" HREF=\"a.htm\">\r\n</MAP>\r\n"
                    "<IMG BORDER=0 USEMAP=\"#Nav\" SRC=\"\"> \r\n\r\n");
  ExpectOneUndoStep(made);
  Editor()->SetModified(false);
}
