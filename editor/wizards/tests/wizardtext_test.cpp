// The wizards' markup, byte for byte, and the reading of image maps taken back from a
// document.
#include <gtest/gtest.h>

#include "editor/wizards/WizardText.h"
#include "framework/core/Exceptions.h"

using namespace vx;

namespace {

struct Rows {
  TFrameRow r[3];
};

}  // namespace

TEST(FramesText, EveryLayoutWithItsSizesIndentsAndClosingLines) {
  Rows x;
  for (int i = 0; i < 3; ++i) {
    x.r[i].Src = "f" + std::to_string(i + 1) + ".htm";
    x.r[i].Width = "W" + std::to_string(i + 1);
    x.r[i].Height = "H" + std::to_string(i + 1);
  }
  const char* tail = "<NOFRAMES>\r\nThis document contains frames\r\n</NOFRAMES>\r\n</FRAMESET>\r\n";
  EXPECT_EQ(Joined(FramesetLines(1, x.r)), AnsiString("<FRAMESET COLS=\"W1,W2\">\r\n"
                                                      "   <FRAME  SRC=\"f1.htm\">\r\n"
                                                      "   <FRAME  SRC=\"f2.htm\">\r\n") +
                                               tail);
  EXPECT_EQ(Joined(FramesetLines(2, x.r)), AnsiString("<FRAMESET ROWS=\"H1,H2\">\r\n"
                                                      "   <FRAME  SRC=\"f1.htm\">\r\n"
                                                      "   <FRAME  SRC=\"f2.htm\">\r\n") +
                                               tail);
  // A top row over two columns: the first width and the other heights are not used.
  EXPECT_EQ(Joined(FramesetLines(3, x.r)), AnsiString("<FRAMESET ROWS=\"H1,*\">\r\n"
                                                      "   <FRAME  SRC=\"f1.htm\">\r\n"
                                                      "   <FRAMESET COLS=\"W2,W3\">\r\n"
                                                      "       <FRAME  SRC=\"f2.htm\">\r\n"
                                                      "       <FRAME  SRC=\"f3.htm\">\r\n"
                                                      "   </FRAMESET>\r\n") +
                                               tail);
  EXPECT_EQ(Joined(FramesetLines(4, x.r)), AnsiString("<FRAMESET ROWS=\"*,H3\">\r\n"
                                                      "   <FRAMESET COLS=\"W1,W2\">\r\n"
                                                      "        <FRAME  SRC=\"f1.htm\">\r\n"
                                                      "        <FRAME  SRC=\"f2.htm\">\r\n"
                                                      "   </FRAMESET>\r\n"
                                                      "   <FRAME  SRC=\"f3.htm\">\r\n") +
                                               tail);
  EXPECT_EQ(Joined(FramesetLines(5, x.r)), AnsiString("<FRAMESET ROWS=\"H1,H2,H3\">\r\n"
                                                      "   <FRAME  SRC=\"f1.htm\">\r\n"
                                                      "   <FRAME  SRC=\"f2.htm\">\r\n"
                                                      "   <FRAME  SRC=\"f3.htm\">\r\n") +
                                               tail);
  // One line per piece.
  EXPECT_EQ(FramesetLines(3, x.r).size(), 10u);
  EXPECT_TRUE(FramesetLines(0, x.r).empty());
}

TEST(FramesText, AttributesOnlyWhenGivenInTheirOrder) {
  TFrameRow row;  // the defaults: an empty source is still written
  EXPECT_EQ(FrameLine(3, row), "   <FRAME  SRC=\"\">\r\n");
  row.Scrolling = "(none)";
  row.MarginWidth = 0;
  EXPECT_EQ(FrameLine(3, row), "   <FRAME  SRC=\"\">\r\n");
  row.Src = "menu.htm";
  row.Name = "_top";
  row.MarginWidth = 4;
  row.MarginHeight = 2;
  row.Scrolling = "auto";
  row.NoResize = true;
  EXPECT_EQ(
      FrameLine(8, row),
      "        <FRAME  SRC=\"menu.htm\" NAME=\"_top\" MARGINWIDTH=4 MARGINHEIGHT=2 SCROLLING=\"auto\" NORESIZE>\r\n");
  row.MarginWidth = -3;  // a negative margin is no margin
  row.MarginHeight = 0;
  row.Name.clear();
  EXPECT_EQ(FrameLine(0, row), "<FRAME  SRC=\"menu.htm\" SCROLLING=\"auto\" NORESIZE>\r\n");
}

TEST(TableText, DefaultsHeadingsSpacingCaptionAndCase) {
  TTableSpec t;
  t.Cells = {{""}};
  EXPECT_EQ(TablePieces(t, true), (std::vector<AnsiString>{"<table", " border>\r\n", "<tr>\r\n", "   <td> </td>\r\n",
                                                           "</tr>\r\n", "</table>\r\n"}));
  t.HeadingCol = t.HeadingRow = true;
  t.Border = false;
  t.CellSpacing = 2;
  t.CellPadding = 5;
  t.Caption = "Prices & Sizes";
  t.CaptionAlign = "Bottom";
  t.Cells = {{"Name", "Price"}, {"Tea", "3"}, {"Milk", "1"}};
  EXPECT_EQ(Joined(TablePieces(t, false)),
            "<TABLE CELLSPACING=\"2\" CELLPADDING=\"5\">\r\n"
            "<CAPTION ALIGN=\"Bottom\">Prices & Sizes </CAPTION>\r\n"
            "<TR>\r\n   <TH>Name </TH>\r\n   <TH>Price </TH>\r\n</TR>\r\n"
            "<TR>\r\n   <TH>Tea </TH>\r\n   <TD>3 </TD>\r\n</TR>\r\n"
            "<TR>\r\n   <TH>Milk </TH>\r\n   <TD>1 </TD>\r\n</TR>\r\n"
            "</TABLE>\r\n");
  // Lower case touches the markup only: the texts and the alignment stay as typed.
  EXPECT_EQ(Joined(TablePieces(t, true)),
            "<table cellspacing=\"2\" cellpadding=\"5\">\r\n"
            "<caption align=\"Bottom\">Prices & Sizes </caption>\r\n"
            "<tr>\r\n   <th>Name </th>\r\n   <th>Price </th>\r\n</tr>\r\n"
            "<tr>\r\n   <th>Tea </th>\r\n   <td>3 </td>\r\n</tr>\r\n"
            "<tr>\r\n   <th>Milk </th>\r\n   <td>1 </td>\r\n</tr>\r\n"
            "</table>\r\n");
  // The heading row alone heads every later row, not the first.
  t.HeadingCol = false;
  std::vector<AnsiString> p = TablePieces(t, false);
  EXPECT_EQ(p[6], "   <TD>Name </TD>\r\n");
  EXPECT_EQ(p[10], "   <TH>Tea </TH>\r\n");
}

TEST(ListText, EmptyAndOrderedWithEmptyLines) {
  EXPECT_EQ(LinesText(ListLines({}, false)), "<UL>\r\n</UL>\r\n");
  EXPECT_EQ(ListLines({"one", "", "100% three"}, true),
            (std::vector<AnsiString>{"<OL>", "<LI>one</LI>", "<LI></LI>", "<LI>100% three</LI>", "</OL>"}));
}

TEST(LinkText, EachSchemeTakesItsParts) {
  EXPECT_EQ(ComposeURL("file", "", "", "", ""), "file://");
  EXPECT_EQ(ComposeURL("http", "www.x.com", "docs", "", "top"), "http://www.x.com/docs#top");
  EXPECT_EQ(ComposeURL("ftp", "h", "", "f.zip", ""), "ftp://h/f.zip");
  EXPECT_EQ(ComposeURL("mailto", "me@x.com", "kept", "kept", "kept"), "mailto:me@x.com");
  EXPECT_EQ(ComposeURL("news", "comp.lang", "", "", ""), "news:comp.lang");
  EXPECT_EQ(ComposeURL("telnet", "host", "", "", ""), "telnet://:@host");
  EXPECT_EQ(ComposeURL("telnet", "host", "me", "pw", "x"), "telnet://me:pw@host");
  EXPECT_EQ(ComposeURL("wais", "h", "p", "unused", "t"), "wais://h/t/p");
  EXPECT_EQ(ComposeURL("wais", "", "", "", ""), "wais:////");  // separators stay
}

TEST(CharpText, CellsUnderPointsGridLinesAndWhatTheyInsert) {
  EXPECT_EQ(CharpCellAt(1, 1), 1);
  EXPECT_EQ(CharpCellAt(23, 23), 1);
  EXPECT_EQ(CharpCellAt(24, 10), 0);  // on a grid line
  EXPECT_EQ(CharpCellAt(10, 24), 0);
  EXPECT_EQ(CharpCellAt(0, 10), 0);
  EXPECT_EQ(CharpCellAt(25, 1), 2);
  EXPECT_EQ(CharpCellAt(6 * 24 + 5, 9 * 24 + 5), 70);
  EXPECT_EQ(CharpCellAt(7 * 24 + 5, 5), 0);   // right of the grid
  EXPECT_EQ(CharpCellAt(5, 10 * 24 + 5), 0);  // below it
  int l, t, r, b;
  CharpCellRect(9, l, t, r, b);
  EXPECT_EQ(l, 24);
  EXPECT_EQ(t, 24);
  EXPECT_EQ(r, 48);
  EXPECT_EQ(b, 48);
  EXPECT_EQ(CharpEntity(1), "&amp;");
  EXPECT_EQ(CharpEntity(5), "&#160;");
  EXPECT_EQ(CharpEntity(6), "&copy;");
  EXPECT_EQ(CharpEntity(7), "&Agrave;");
  EXPECT_EQ(CharpEntity(38), "&szlig;");
  EXPECT_EQ(CharpEntity(70), "&yuml;");
  EXPECT_EQ(static_cast<unsigned char>(CharpChar(7)), 192);
  EXPECT_EQ(static_cast<unsigned char>(CharpChar(70)), 255);
  EXPECT_EQ(static_cast<unsigned char>(CharpChar(5)), 160);
  // Raw characters only for the letters; the first six always as entities.
  EXPECT_EQ(CharpInsertText(1, true), "&amp;");
  EXPECT_EQ(CharpInsertText(7, true), AnsiString(1, static_cast<char>(192)));
  EXPECT_EQ(CharpInsertText(7, false), "&Agrave;");
  // The multiplication and division signs insert their numbers, never an empty text.
  EXPECT_EQ(static_cast<unsigned char>(CharpChar(30)), 215);
  EXPECT_EQ(CharpInsertText(30, false), "&#215;");
  EXPECT_EQ(CharpInsertText(62, false), "&#247;");
  EXPECT_EQ(CharpInsertText(62, true), AnsiString(1, static_cast<char>(247)));
  for (int cell = 1; cell <= 70; ++cell) EXPECT_FALSE(CharpEntity(cell).empty()) << cell;
  EXPECT_EQ(CharpInsertText(0, false), "");
}

TEST(MapText, TwoSpotsWithAndWithoutTheImage) {
  std::vector<TMapArea> areas{{10, 20, 110, 80, "a.htm"}, {0, 0, 6, 7, ""}};
  EXPECT_EQ(Joined(MapPieces("Nav", areas, true, "pics/logo.gif")),
            "<MAP NAME=\"Nav\">\r\n"
            "   <AREA COORDS=\"10,20,110,80\" HREF=\"a.htm\">\r\n"
            "   <AREA COORDS=\"0,0,6,7\" HREF=\"\">\r\n"
            "</MAP>\r\n"
            "<IMG BORDER=0 USEMAP=\"#Nav\" SRC=\"pics/logo.gif\"> \r\n");
  EXPECT_EQ(MapPieces("Nav", areas, false, "x").back(), "</MAP>");
  EXPECT_EQ(Joined(MapPieces("", {}, false, "")), "<MAP NAME=\"\">\r\n</MAP>");
}

TEST(MapText, ASelectionIsReadWithItsCaseKept) {
  AnsiString text =
      "<Map Name=\"NavBar\">\r\n   <AREA COORDS=\"1,2,30,40\" HREF=\"Docs/Index.HTM\">\r\n"
      "<area href = \"a.cgi?x=1&y=2\" coords= \"5, 6, 7, 8\" >\r\n"
      "<AREA SHAPE=circle COORDS=\"9,9,4\" HREF='my page.htm'></MAP>";
  TMapSelection sel = SplitMapSelection(text);
  EXPECT_EQ(sel.MapTag, " Name=\"NavBar\"");
  EXPECT_EQ(MapNameFromTag(sel.MapTag), "NavBar");
  ASSERT_EQ(sel.Areas.size(), 3u);
  EXPECT_EQ(sel.Areas[0], " COORDS=\"1,2,30,40\" HREF=\"Docs/Index.HTM\">");
  TAreaFields a = ParseAreaText(sel.Areas[0]);
  EXPECT_TRUE(a.HasCoords);
  EXPECT_EQ(a.Left, 1);
  EXPECT_EQ(a.Top, 2);
  EXPECT_EQ(a.Width, 29);
  EXPECT_EQ(a.Height, 38);
  EXPECT_EQ(a.HRef, "Docs/Index.HTM");
  EXPECT_TRUE(IsRectangleArea(a));
  // Blanks around "=" and an "=" inside the link.
  a = ParseAreaText(sel.Areas[1]);
  EXPECT_EQ(a.HRef, "a.cgi?x=1&y=2");
  EXPECT_EQ(a.Left, 5);
  EXPECT_EQ(a.Height, 2);
  // Three coordinates make no rectangle; the link with a blank is read whole.
  a = ParseAreaText(sel.Areas[2]);
  EXPECT_FALSE(a.HasCoords);
  EXPECT_EQ(a.HRef, "my page.htm");
  EXPECT_FALSE(IsRectangleArea(a));
  EXPECT_TRUE(IsRectangleArea(ParseAreaText(" shape=\"RECT\" coords=\"0,0,1,1\">")));
  // A coordinate that is no whole number is an error, not a zero.
  EXPECT_THROW(ParseAreaText(" COORDS=\"1,2,x,4\">"), EConvertError);
  // So is a rectangle the wizard would write back as other coordinates: a width beyond a
  // whole number, or a right edge left of the left one.
  try {
    ParseAreaText(" COORDS=\"-2147483648,-2147483648,2147483647,2147483647\">");
    ADD_FAILURE() << "a width of 2^32 - 1 was taken";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "COORDS=\"-2147483648,-2147483648,2147483647,2147483647\" is not a rectangle: it is wider "
                           "or taller than a whole number can hold");
  }
  // The message says which edges are the wrong way round.
  auto refusal = [](const char* coords) {
    try {
      ParseAreaText(AnsiString(" COORDS=\"") + coords + "\">");
    } catch (const EConvertError& e) {
      return std::string(e.Message());
    }
    return std::string("taken");
  };
  EXPECT_EQ(refusal("10,10,5,20"), "COORDS=\"10,10,5,20\" is not a rectangle: its right edge is left of its left edge");
  EXPECT_EQ(refusal("10,10,20,5"), "COORDS=\"10,10,20,5\" is not a rectangle: its bottom edge is above its top edge");
  EXPECT_EQ(refusal("10,10,5,5"), "COORDS=\"10,10,5,5\" is not a rectangle: its right edge is left of its left edge "
                                  "and its bottom edge above its top edge");
  EXPECT_THROW(ParseAreaText(" COORDS=\"0,-2147483648,1,2147483647\">"), EConvertError);
  a = ParseAreaText(" COORDS=\"-2147483648,0,-1,2147483647\">");
  EXPECT_EQ(a.Width, 2147483647);
  EXPECT_EQ(a.Height, 2147483647);
  a = ParseAreaText(" COORDS=\"7,7,7,7\">");
  EXPECT_EQ(a.Width, 0);
  EXPECT_EQ(MapNameFromTag(" NAME=x y"), "x y");
  EXPECT_EQ(MapNameFromTag(" id"), "");
}
