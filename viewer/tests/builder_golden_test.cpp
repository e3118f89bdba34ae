// Golden model dumps of the builder: paragraphs, headings, fonts, lists, tables, PRE, forms,
// maps, links and anchors, BODY and BASE.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>

#include "viewer/tests/builder_dump.h"

using namespace vxt;

namespace {
std::string D(const std::string& html) { return BuildDump(html); }
}  // namespace

TEST(BuilderGolden, ParagraphsHeadingsAndAlignment) {
  EXPECT_EQ(D("<P><P></P><P ALIGN=right>Text"),
            "ParagraphSpace\n"
            "Section L0 J3 \"Text\" {0:12}\n");
  EXPECT_EQ(D("<H2>Title</H2>After"),
            "HeadingSpace 2\n"
            "Section L0 J1 \"Title\" {0:18b}\n"
            "HeadingSpace 2\n"
            "Section L0 J1 \"After\" {0:12}\n");
  EXPECT_EQ(D("<H>x</H>y"), "HeadingSpace 0\nSection L0 J1 \"x\" {0:12}\nHeadingSpace 0\nSection L0 J1 \"y\" {0:12}\n");
  EXPECT_EQ(D("<H1 ALIGN=center>c</H1><CENTER>m</CENTER>l"),
            "HeadingSpace 1\nSection L0 J2 \"c\" {0:24b}\nHeadingSpace 1\n"
            "Section L0 J2 \"m\" {0:12}\nSection L0 J1 \"l\" {0:12}\n");
  // BR: an empty line keeps a blank; CLEAR goes to the new section.
  EXPECT_EQ(D("a<BR><BR CLEAR=left>b"),
            "Section L0 J1 \"a\" {0:12}\nSection L0 J1 \" \" {0:12}\nSection L0 J1 clear1 \"b\" {0:12}\n");
  EXPECT_EQ(D("<ADDRESS>ad</ADDRESS>n"), "Section L0 J1 \"ad\" {0:12i}\nSection L0 J1 \"n\" {0:12}\n");
  EXPECT_EQ(D("a<PAGE>b<HR SIZE=4>c"),
            "Section L0 J1 \"a\" {0:12}\nPage\nSection L0 J1 \"b\" {0:12}\nHorzLine\nSection L0 J1 \"c\" {0:12}\n");
}

TEST(BuilderGolden, TextStylesAndCharacters) {
  EXPECT_EQ(D("a<B>b<I>c</B>d</I><U>e</U><SUB>f</SUB><SUP>g</SUP>"),
            "Section L0 J1 \"abcdefg\" {0:12}{1:12b}{2:12bi}{3:12i}{4:12u}{5:9^1}{6:9^2}{7:12}\n");
  EXPECT_EQ(D("a > b"), "Section L0 J1 \"a b\" {0:12}\n");  // a lone ">" is dropped
  EXPECT_EQ(D("x &amp; &lt;y&gt; &AMP; & z"), "Section L0 J1 \"x & <y> &AMP; & z\" {0:12}\n");
  EXPECT_EQ(D("a</BODY>hidden"), "Section L0 J1 \"a\" {0:12}\n");
  EXPECT_EQ(D("<TT>m</TT>n<CODE>o"), "Section L0 J1 \"mno\" {0:10t}{1:12}{2:10t}\n");
}

TEST(BuilderGolden, FontSizesBaseFontBigSmall) {
  EXPECT_EQ(D("<FONT SIZE=+1>a</FONT>b"), "Section L0 J1 \"ab\" {0:14}{1:12}\n");
  EXPECT_EQ(D("<BASEFONT SIZE=5><FONT SIZE=+1>b"), "Section L0 J1 \"b\" {0:24}\n");
  EXPECT_EQ(D("<FONT SIZE=9>c"), "Section L0 J1 \"c\" {0:36}\n");
  EXPECT_EQ(D("<FONT SIZE=-5>c"), "Section L0 J1 \"c\" {0:8}\n");
  EXPECT_EQ(D("<BIG>a<BIG>b</BIG></BIG><SMALL>c"), "Section L0 J1 \"abc\" {0:14}{1:18}{2:10}\n");
  // BIG inside H3 changes nothing, but its end tag pops the heading font.
  EXPECT_EQ(D("<H3>x<BIG>y</BIG>z</H3>w"), "HeadingSpace 3\nSection L0 J1 \"xyzw\" {0:15b}{2:12}\n");
  // FONT COLOR and BODY colours are palette-relative; a colour text too long is no colour.
  Built b;
  b.Html("<BODY TEXT=#102030 LINK=red BGCOLOR=#FF0000><FONT COLOR=lime>g</FONT><FONT COLOR=#1234567>h");
  EXPECT_EQ(b.list.Background, 0x020000FF);
  EXPECT_EQ(b.list.FontColor, 0x02302010);
  EXPECT_EQ(b.list.HotSpotColor, 0x020000FF);
  auto* s = dynamic_cast<TSection*>(b.list.Sections.back().get());
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Fonts[0].Font.Color, 0x0200FF00);
  EXPECT_EQ(s->Fonts.back().Font.Color, 0x02302010);  // the unreadable colour left the font as it was
  THtColor c = 0;
  EXPECT_TRUE(ReadColorValue("#FFFFFF", c));
  EXPECT_EQ(c, 0x02FFFFFF);
  EXPECT_FALSE(ReadColorValue("#FFFFFFFF", c));
  EXPECT_FALSE(ReadColorValue("nocolor", c));
}

TEST(BuilderGolden, Lists) {
  EXPECT_EQ(D("<UL><LI>a<LI>b</OL>c"),
            "UListItem L1 J1 \"a\" {0:12}\nUListItem L1 J1 \"b\" {0:12}\nSection L0 J1 \"c\" {0:12}\n");
  EXPECT_EQ(D("<OL START=-4><LI>a</OL><OL START=0><LI>b<LI>c</OL>"),
            "OListItem L1 J1 #1 \"a\" {0:12}\nOListItem L1 J1 #0 \"b\" {0:12}\nOListItem L1 J1 #1 \"c\" {0:12}\n");
  EXPECT_EQ(D("<UL PLAIN><LI><P>a<UL><LI>b</UL><P>c</UL>d"),
            "UListItem L1 J1 plain \"a\" {0:12}\nUListItem L2 J1 \"b\" {0:12}\n"
            "ParagraphSpace\nSection L1 J1 \"c\" {0:12}\nSection L0 J1 \"d\" {0:12}\n");
  EXPECT_EQ(D("<DL><DT>t<DD>d</DL><BLOCKQUOTE>q</BLOCKQUOTE>"),
            "DListItem L0 J1 \"t\" {0:12}\nDListItem L1 J1 \"d\" {0:12}\nSection L1 J1 \"q\" {0:12}\n");
}

// An empty item keeps its number or bullet, on a line of its own, where a browser shows it.
TEST(BuilderGolden, EmptyListItemsShowTheirNumberAndBullet) {
  Built b;
  b.Html("<OL><LI>one<LI><LI>three</OL><UL><LI></UL><UL PLAIN><LI></UL>");
  FakeCanvas c;
  int widest = 0;
  b.list.DoLayout(c, 400, widest);
  b.list.Paint(c, {0, 0, 400, 1000}, 0, 0);
  std::map<std::string, int> baselines;
  for (auto& t : c.Of("text")) baselines[t.text] = t.y;
  ASSERT_TRUE(baselines.count("1.") && baselines.count("2.") && baselines.count("3."));
  EXPECT_EQ(baselines["1."], baselines["one"]);
  EXPECT_GT(baselines["2."], baselines["one"]);
  EXPECT_GT(baselines["3."], baselines["2."]);
  EXPECT_EQ(baselines["3."], baselines["three"]);
  // The bulleted item shows its bullet below the numbers; the plain one shows nothing.
  auto bullets = c.Of("ellipse");
  ASSERT_EQ(bullets.size(), 1u);
  EXPECT_GT(bullets[0].y, baselines["3."]);
}

TEST(BuilderGolden, Tables) {
  EXPECT_EQ(D("<TABLE>before<TD>x<TD>y</TABLE>after"),
            "Section L0 J1 \"before\" {0:12}\n"
            "Table\n row\n  cell v1\n   Section L0 J1 \"x\" {0:12}\n  cell v1\n   Section L0 J1 \"y\" {0:12}\n"
            "Section L0 J1 \"after\" {0:12}\n");
  EXPECT_EQ(D("<TABLE><CAPTION ALIGN=bottom>cap</CAPTION><TR ALIGN=right VALIGN=top><TH>h<TD ALIGN=center "
              "VALIGN=bottom>d<TR><TD>e</TD></TABLE>"),
            "Table captionBottom\n caption\n  Section L0 J2 \"cap\" {0:12}\n"
            " row\n  cell v0\n   Section L0 J3 \"h\" {0:12b}\n  cell v2\n   Section L0 J2 \"d\" {0:12}\n"
            " row\n  cell v1\n   Section L0 J1 \"e\" {0:12}\n");
  // Nested tables, and style restored after the table.
  EXPECT_EQ(D("<B><TABLE><TH><TABLE><TD>i</TABLE></TABLE>o"),
            "Table\n row\n  cell v1\n   Table\n    row\n     cell v1\n      Section L0 J1 \"i\" {0:12}\n"
            "Section L0 J1 \"o\" {0:12b}\n");
}

TEST(BuilderGolden, ListsLeaveTheCallersTerminator) {
  // The list inside the first cell ends at the next cell, which stays a cell of its own.
  EXPECT_EQ(D("<TABLE><TD><UL><LI>a<TD>b</TABLE>"),
            "Table\n row\n  cell v1\n   UListItem L1 J1 \"a\" {0:12}\n  cell v1\n   Section L0 J1 \"b\" {0:12}\n");
  // An unclosed list before the end of the table does not swallow the rest of the document.
  EXPECT_EQ(D("<TABLE><TD><OL><LI>a</TABLE>after"),
            "Table\n row\n  cell v1\n   OListItem L1 J1 #1 \"a\" {0:12}\nSection L0 J1 \"after\" {0:12}\n");
}

TEST(BuilderGolden, Preformatted) {
  EXPECT_EQ(D("<PRE>a > b\tc\n  d</PRE>e"),
            "PreFormated L0 J1 \"a > b c\" {0:10t}\nPreFormated L0 J1 \"  d\" {0:10t}\nSection L0 J1 \"e\" {0:12}\n");
  // Text before a handled tag is added first and no character after the tag is lost.
  EXPECT_EQ(D("<PRE>ab<IMG SRC=x.gif>cd<A HREF=u.htm>ef</A>gh<B>ij</B>&amp;<BR>\nk<FONT SIZE=7>l</FONT>m</PRE>"),
            "PreFormated L0 J1 \"ab[img]cdefghij&\" {0:10t}{5:10ut>u.htm}{7:10t}{9:10bt}{11:10t}\n"
            "PreFormated L0 J1 \"klm\" {0:10t}{1:30t}{2:10t}\n");
  EXPECT_EQ(D("<PRE><SELECT><OPTION>o</SELECT>x<TEXTAREA>t</TEXTAREA>y<MAP NAME=m></MAP>z<P>q</PRE>"),
            "PreFormated L0 J1 \"[ctl]x[ctl]yz\" {0:10t}\nPreFormated L0 J1 \"q\" {0:10t}\n");
  // Control bytes of a PRE block never become markers.
  Built b;
  b.Html(std::string("<PRE>a\2b\4c") + std::string(1, '\0') + "d</PRE>");
  auto* s = dynamic_cast<TSection*>(b.list.Sections.back().get());
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Buff, "a b c d");
}

TEST(BuilderGolden, FormsSelectTextAreaAndMaps) {
  Built b;
  b.Html(
      "<FORM ACTION=go METHOD=post><INPUT NAME=e VALUE=v><INPUT TYPE=hidden NAME=h VALUE=1>"
      "<SELECT NAME=s MULTIPLE><OPTION VALUE=1>  one <OPTION SELECTED>two</OPTION><OPTION></SELECT>"
      "<TEXTAREA NAME=t>line &lt;1\n<b>x</TextArea >after</FORM><INPUT NAME=z>"
      "<MAP NAME=nav><AREA SHAPE=rect COORDS=\"0,0,9,9\" HREF=a.htm><AREA SHAPE=circ COORDS=\"1,1\"></MAP>"
      "<MAP NAME=lost><AREA COORDS=1,1,2,2 HREF=b.htm>");
  ASSERT_EQ(b.list.HtmlFormList.size(), 2u);
  ThtmlForm* f = b.list.HtmlFormList[0].get();
  EXPECT_EQ(f->Action, "go");
  EXPECT_EQ(f->Method, "post");
  ASSERT_EQ(f->Controls.size(), 4u);
  auto* sel = dynamic_cast<TListBoxFormControlObj*>(f->Controls[2].get());
  ASSERT_TRUE(sel);
  ASSERT_EQ(sel->Options.size(), 2u);
  EXPECT_EQ(sel->Options[0].Text, "one");
  EXPECT_EQ(sel->Options[0].Value, "1");
  EXPECT_TRUE(sel->Options[1].Selected);
  auto* ta = dynamic_cast<TTextAreaFormControlObj*>(f->Controls[3].get());
  ASSERT_TRUE(ta);
  EXPECT_EQ(ta->InitialLines, (std::vector<std::string>{"line &lt;1", "<b>x"}));
  EXPECT_EQ(Dump(b.list), "Section L0 J1 \"[ctl][ctl][ctl]after[ctl]\" {0:12}\n");
  ASSERT_EQ(b.list.MapList.size(), 1u);  // a map open at the end is dropped
  EXPECT_EQ(b.list.MapList[0]->MapName, "NAV");
  EXPECT_EQ(b.list.MapList[0]->Areas.size(), 1u);
  // The TEXTAREA probe stops at the end of the input.
  EXPECT_EQ(BuildDump("<TEXTAREA>abc<abc"), "Section L0 J1 \"[ctl]\" {0:12}\n");
}

TEST(BuilderGolden, LinksAnchorsTitleAndBase) {
  Built b;
  b.Html(
      "<HEAD><TITLE>My  page</TITLE><BASE HREF=\"http://x/\" TARGET=main></HEAD>"
      "<A NAME=top></A><BODY BGCOLOR=white>t<A HREF=a.htm TARGET=f NAME=Mid>link</A>x<A NAME=top>again</A>");
  EXPECT_EQ(b.info.Title, "My page");
  EXPECT_EQ(b.info.BaseHref, "http://x/");
  EXPECT_EQ(b.info.BaseTarget, "main");
  EXPECT_EQ(Dump(b.list), "Section L0 J1 \"tlinkxagain\" {0:12}{1:12u>a.htm}{5:12}\n");
  ASSERT_EQ(b.anchors.Count(), 2);
  int i = 0;
  ASSERT_TRUE(b.anchors.Find("TOP", i));
  // The anchor made before BODY moved to the section BODY made; the later "top" lost.
  EXPECT_EQ(b.anchors.Objects(i), b.list.Sections.back().get());
  ASSERT_TRUE(b.anchors.Find("MID", i));
  EXPECT_EQ(b.anchors.Objects(i), b.list.Sections.back().get());
  auto* s = dynamic_cast<TSection*>(b.list.Sections.back().get());
  EXPECT_EQ(s->Fonts[1].Link.Target, "f");
  // A document without BASE has none, whatever the one before had.
  Built c;
  c.Html("<BODY>x");
  EXPECT_EQ(c.info.BaseTarget, "");
  // A second BODY after content is ignored; text before BODY is kept.
  Built d;
  EXPECT_EQ(d.Html("<BODY BGCOLOR=red>x<BODY BGCOLOR=blue>"), "Section L0 J1 \"x\" {0:12}\n");
  EXPECT_EQ(d.list.Background & 0xFFFFFF, 0x0000FF);
}

TEST(BuilderGolden, EntriesTextAndFiles) {
  TStringList lines;
  lines.Add("<B>bold</B> &amp;");
  lines.Add("<!-- gone -->plain");
  {
    Built b;
    ParseTextStrings(b.list, &b.anchors, lines);
    EXPECT_EQ(Dump(b.list),
              "PreFormated L0 J1 \"<B>bold</B> &amp;\" {0:10t}\nPreFormated L0 J1 \"plain\" {0:10t}\n"
              "PreFormated L0 J1 \" \" {0:10t}\n");
  }
  {
    Built b;
    ParseHtmlStrings(b.list, &b.anchors, lines);
    EXPECT_EQ(Dump(b.list), "Section L0 J1 \"bold & plain \" {0:12b}{4:12}\n");
  }
  // A file that ends inside a comment keeps what came before; from memory the error reaches the caller.
  std::string name = "builder_open_comment.htm";
  {
    std::ofstream f(name, std::ios::binary);
    f << "<P>kept<!-- never closed";
  }
  {
    Built b;
    ParseHtmlFile(b.list, &b.anchors, name, &b.info);
    EXPECT_EQ(Dump(b.list), "ParagraphSpace\nSection L0 J1 \"kept\" {0:12}\n");
  }
  {
    Built b;
    std::string doc = "<P>kept<!-- never closed";
    EXPECT_THROW(ParseHtmlMemory(b.list, &b.anchors, doc.data(), doc.size()), EParseError);
    EXPECT_EQ(Dump(b.list), "ParagraphSpace\nSection L0 J1 \"kept\" {0:12}\n");
  }
  std::remove(name.c_str());
  Built missing;
  EXPECT_THROW(ParseHtmlFile(missing.list, &missing.anchors, "no_such_file.htm"), EFOpenError);
}

TEST(BuilderGolden, EmptyListsAndRowsWithoutCells) {
  // An empty list returns at once: the paragraph it stands in goes on.
  EXPECT_EQ(D("a<UL></UL>b"), "Section L0 J1 \"ab\" {0:12}\n");
  // A row without cells is still a row, for the cell that spans down into it.
  Built b;
  EXPECT_EQ(b.Html("<TABLE><TR><TD ROWSPAN=2>a<TD>b<TR><TR><TD>c</TABLE>"),
            "Table\n row\n  cell v1\n   Section L0 J1 \"a\" {0:12}\n  cell v1\n   Section L0 J1 \"b\" {0:12}\n"
            " row\n row\n  cell v1\n   Section L0 J1 \"c\" {0:12}\n");
  ThtmlTable* t = nullptr;
  for (auto& sec : b.list.Sections)
    if (!t) t = dynamic_cast<ThtmlTable*>(sec.get());
  ASSERT_NE(t, nullptr);
  t->Normalize();
  ASSERT_EQ(t->Rows.size(), 3u);
  EXPECT_TRUE(t->Rows[1]->Cells.at(0)->Filler());   // "a" reaches down into the empty row
  EXPECT_FALSE(t->Rows[2]->Cells.at(0)->Filler());  // and "c" starts the third row
  EXPECT_EQ(t->NumCols, 2);
  FakeCanvas c;
  int widest = 0;
  EXPECT_GT(b.list.DoLayout(c, 400, widest), 0);  // the empty row lays out too
  // The first TR only starts a row; a TR after the last cell ends with an empty one.
  EXPECT_EQ(D("<TABLE><TR><TD>x<TR></TABLE>"), "Table\n row\n  cell v1\n   Section L0 J1 \"x\" {0:12}\n row\n");
}
