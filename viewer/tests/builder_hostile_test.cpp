// Hostile documents: deep nesting, unclosed tags and comments, overfull font stacks, random
// bytes. Each parse must end, lay out and leave a usable model.
#include <gtest/gtest.h>

#include <random>

#include "viewer/tests/builder_dump.h"

using namespace vxt;

namespace {
std::string Repeat(const std::string& s, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

int LayOutAt(TSectionList& list, int width) {
  FakeCanvas c;
  int widest = 0;
  return list.DoLayout(c, width, widest);
}

int MaxListLevel(const TCell& cell) {
  int m = 0;
  for (auto& s : cell.Sections) {
    if (auto* sec = dynamic_cast<const TSection*>(s.get())) m = std::max(m, sec->ListLevel);
    if (auto* t = dynamic_cast<const ThtmlTable*>(s.get()))
      for (auto& r : t->Rows)
        for (auto& c : r->Cells) m = std::max(m, MaxListLevel(*c->Cell));
  }
  return m;
}

int TableDepth(const TCell& cell) {
  int m = 0;
  for (auto& s : cell.Sections)
    if (auto* t = dynamic_cast<const ThtmlTable*>(s.get()))
      for (auto& r : t->Rows)
        for (auto& c : r->Cells) m = std::max(m, 1 + TableDepth(*c->Cell));
  return m;
}
}  // namespace

TEST(BuilderHostile, DeepNestingIsCapped) {
  {
    Built b;
    b.Html(Repeat("<UL><LI>x", 5000) + Repeat("<BLOCKQUOTE>", 3000) + "end");
    EXPECT_EQ(MaxListLevel(b.list), kMaxListNesting);
    EXPECT_GT(LayOutAt(b.list, 400), 0);
  }
}

TEST(BuilderHostile, DeepTablesAreCapped) {
  {
    Built b;
    b.Html(Repeat("<TABLE><TR><TD>x", 3000) + "deep" + Repeat("</TABLE>", 3000) + "after");
    EXPECT_EQ(TableDepth(b.list), kMaxTableNesting);
    EXPECT_GT(LayOutAt(b.list, 600), 0);
    auto* last = dynamic_cast<TSection*>(b.list.Sections.back().get());
    ASSERT_TRUE(last);
    EXPECT_EQ(last->Buff, "after");
  }
}

TEST(BuilderHostile, FontStackHasOneCap) {
  // Far more pushes than the stack holds, and more pops: fonts never go below the base.
  Built b;
  b.Html(Repeat("<FONT SIZE=1><A HREF=x>a<ADDRESS><H1><TT><BIG>", 200) + "deep" +
         Repeat("</BIG></TT></H1></ADDRESS></A></FONT>", 400) + "<P>plain<PRE>p</PRE>q");
  auto* last = dynamic_cast<TSection*>(b.list.Sections.back().get());
  ASSERT_TRUE(last);
  EXPECT_EQ(last->Buff, "q");
  EXPECT_EQ(last->Fonts.back().Font.NominalSize, 12);
  EXPECT_EQ(last->Fonts.back().Font.Style, 0);
  // A full stack: PRE still works and pops only what it pushed.
  Built c;
  c.Html(Repeat("<FONT SIZE=7>", 30) + "<PRE>p</PRE>x" + Repeat("</FONT>", 24) + "y");
  auto* y = dynamic_cast<TSection*>(c.list.Sections.back().get());
  ASSERT_TRUE(y);
  EXPECT_EQ(y->Fonts.back().Font.NominalSize, 12);
  EXPECT_EQ(y->Fonts.front().Font.NominalSize, 36);
}

TEST(BuilderHostile, UnclosedEverything) {
  const char* docs[] = {
      "<TABLE><TR><TD><UL><LI><PRE><SELECT><OPTION>",
      "<TEXTAREA>",
      "<TEXTAREA>text <abc",
      "<MAP NAME=m><AREA",
      "<PRE><A HREF=",
      "<A HREF=\"unterminated",
      "<TABLE><CAPTION><TABLE><CAPTION>",
      "<!DOCTYPE",
      "&#12345678;&#;&;&",
      "<<<<>>>><</></ >",
      "<H9>x</H0><H",
      "<FORM><INPUT TYPE=radio><INPUT TYPE=checkbox><INPUT TYPE=submit><SELECT SIZE=99999>",
  };
  for (const char* d : docs) {
    Built b;
    try {
      b.Html(d);
    } catch (const EParseError&) {}
    EXPECT_GE(LayOutAt(b.list, 300), 0) << d;
  }
  Built c;
  EXPECT_THROW(c.Html("<P>a<!-- open"), EParseError);
}

TEST(BuilderHostile, RandomBytesFinish) {
  std::mt19937 rng(1234);
  const std::string pieces[] = {
      "<TABLE>",  "<TD>",       "<TR>",      "</TABLE>",      "<UL>",        "<LI>",  "</UL>", "<PRE>",
      "</PRE>",   "<A HREF=x>", "</A>",      "<FONT SIZE=5>", "</FONT>",     "<P>",   "<BR>",  "<IMG SRC=a>",
      "<SELECT>", "<OPTION>",   "</SELECT>", "<TEXTAREA>",    "</TEXTAREA>", "&amp;", "\r\n",  "<!-- c -->",
      "<H2>",     "</H2>",      "text ",     "<CAPTION>",     "<DL><DT>",    "<MAP>", "</MAP>"};
  for (int round = 0; round < 200; ++round) {
    std::string doc;
    int n = static_cast<int>(rng() % 300);
    for (int i = 0; i < n; ++i) {
      if (rng() % 4 == 0)
        doc += static_cast<char>(rng() % 256);
      else
        doc += pieces[rng() % (sizeof pieces / sizeof pieces[0])];
    }
    Built b;
    try {
      b.Html(doc);
    } catch (const EParseError&) {}
    EXPECT_GE(LayOutAt(b.list, 1 + static_cast<int>(rng() % 500)), 0);
  }
}
