#include <gtest/gtest.h>

#include "viewer/tests/model_fakes.h"

using namespace vxt;

static std::vector<std::string> LineTexts(const TSection& s) {
  std::vector<std::string> r;
  for (auto& l : s.Lines) r.push_back(s.Buff.substr(l.Start, l.Ln));
  return r;
}

TEST(ModelUtil, MulDivRoundsLikeThePlatform) {
  EXPECT_EQ(MulDiv(10, 1, 4), 3);  // 2.5 rounds away from zero
  EXPECT_EQ(MulDiv(-10, 1, 4), -3);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);
  EXPECT_EQ(MulDiv(5, 5, 0), -1);
  EXPECT_EQ(MulDivOr(5, 5, 0, 9), 9);
  EXPECT_EQ(MulDiv(2000000000, 2, 1), -1);
  EXPECT_EQ(UrlToDosPath("file:///C|/Dir/A.htm"), "c:\\dir\\a.htm");
  EXPECT_EQ(UrlToDosPath("Plain.GIF"), "Plain.GIF");
  EXPECT_EQ(TrimControlChars("\t a b \r"), "a b");
}

TEST(ModelUtil, SourceNamesTakeTheBaseOrTheDocumentsFolder) {
  // The document's folder without a base; a URL or a folder as the base, a separator added
  // only where none ends it.
  EXPECT_EQ(ExpandSourceAgainst(" sub/pic.gif\r", "", "c:\\web\\index.htm"), "c:\\web\\sub\\pic.gif");
  EXPECT_EQ(ExpandSourceAgainst("pic.gif", "file:///C|/Base/", "c:\\web\\index.htm"), "c:\\base\\pic.gif");
  EXPECT_EQ(ExpandSourceAgainst("pic.gif", "c:\\base", ""), "c:\\base\\pic.gif");
  EXPECT_EQ(ExpandSourceAgainst("pic.gif", "d:", ""), "d:pic.gif");
  // Names that need nothing: a drive, rooted, UNC, any name under "DosPath" (any case).
  for (const char* whole : {"e:\\x.gif", "\\x.gif", "\\\\srv\\share\\x.gif"})
    EXPECT_EQ(ExpandSourceAgainst(whole, "c:\\base", "c:\\web\\a.htm"), whole);
  EXPECT_EQ(ExpandSourceAgainst("x.gif", "dospath", "c:\\web\\a.htm"), "x.gif");
  // Nothing to put before it: the name as it is, and the caller decides (frame sets take
  // the current folder).
  std::string path;
  EXPECT_TRUE(SourcePath("x.gif", "", path));
  EXPECT_EQ(SourceFolder("", "a.htm"), "");
  EXPECT_EQ(ExpandSourceAgainst("x.gif", "", ""), "x.gif");
}

TEST(ModelText, WrapsAtBlanksAtSeveralWidths) {
  const std::string text = "the quick brown fox jumps over the lazy dog again and again";
  for (int width : {40, 61, 100, 150, 1000}) {
    TSectionList list;
    TSection* s = AddPara(list, text);
    FakeCanvas c;
    int widest = 0;
    list.DoLayout(c, width, widest);
    std::string joined;
    for (auto& t : LineTexts(*s)) {
      joined += t;
      std::string trimmed = t.substr(0, t.find_last_not_of(' ') + 1);
      bool oneWord = trimmed.find(' ') == std::string::npos;
      if (!oneWord) {
        EXPECT_LE(static_cast<int>(trimmed.size()) * 6, width) << "width " << width << ": " << t;
      }
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(s->SectionHeight, static_cast<int>(s->Lines.size()) * 16);
  }
}

TEST(ModelText, OverlongWordKeepsItsBlanksAndLinesHoldAtLeastOneChar) {
  TSectionList list;
  TSection* s = AddPara(list, "a extraordinarily   long");
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 30, widest);
  auto lines = LineTexts(*s);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "a ");
  EXPECT_EQ(lines[1], "extraordinarily   ");
  EXPECT_EQ(lines[2], "long");
  list.DoLayout(c, 1, widest);
  for (auto& t : LineTexts(*s)) EXPECT_GE(t.size(), 1u);
}

TEST(ModelText, AppendTextRules) {
  TSectionList list;
  TSection s(&list, 0, 1, nullptr, Font12(), 0);
  s.AppendText(" lead");
  s.AppendText(" x\x02y\x04z");
  s.AppendText(std::string("\0w", 2));
  EXPECT_EQ(s.Buff, std::string("lead x y z w"));  // control bytes are blanks, not markers
  std::string big(20001, 'q');
  s.AppendText(big);
  int len = static_cast<int>(s.Buff.size());
  s.AppendText("more");
  // Beyond 20000 no text is added; a note, once, says where it was left out.
  const std::string note = " [more text is not shown]";
  EXPECT_EQ(s.Buff.substr(len), note);
  s.AppendText("and more");
  EXPECT_EQ(static_cast<int>(s.Buff.size()), len + static_cast<int>(note.size()));

  // The note is not part of a link it interrupts; an image after it still is.
  TSection linked(&list, 0, 1, nullptr, Font12(), 0);
  TUrlTarget link;
  link.Set("a.htm", "");
  linked.HRef(true, Font12(), &link, 0, 0);
  for (int i = 0; i < 2200; ++i) linked.AppendText(" link " + std::to_string(i));
  int cut = static_cast<int>(linked.Buff.find('['));
  ASSERT_GT(cut, 20000);
  EXPECT_EQ(linked.Buff.substr(cut - 1), note);
  EXPECT_FALSE(linked.FontAt(cut)->Link.HasUrl);
  TImageParams ip;
  linked.AddImage(ip);
  EXPECT_EQ(linked.FontAt(static_cast<int>(linked.Buff.size()) - 1)->Link.Url, "a.htm");
  TPreFormated longPre(&list, 0, 1, nullptr, Font12(), 0);
  longPre.AppendText(big);
  longPre.AppendText("x");
  EXPECT_EQ(longPre.Buff.substr(big.size()), note);

  // A buffer that grows takes room for 100 more characters: a paragraph that arrives word
  // by word is not copied at every word.
  TSection words(&list, 0, 1, nullptr, Font12(), 0);
  words.AppendText("twenty characters ok");
  EXPECT_GE(words.Buff.capacity(), 120u);
  const char* kept = words.Buff.data();
  for (int i = 0; i < 20; ++i) words.AppendText(" word");
  EXPECT_EQ(words.Buff.data(), kept);
  EXPECT_EQ(words.Buff.size(), 120u);

  TPreFormated pre(&list, 0, 1, nullptr, Font12(), 0);
  pre.AppendText("  keep");
  EXPECT_EQ(pre.Buff, "  keep");
  auto empty = std::make_unique<TPreFormated>(&list, 0, 1, nullptr, Font12(), 0);
  TPreFormated* e = empty.get();
  list.Add(std::move(empty));
  EXPECT_EQ(e->Buff, " ");
}

TEST(ModelText, LeftFloatNarrowsFollowingLinesAndMidLineFloatGoesBelow) {
  FakeServices svc;
  svc.files["pic.gif"] = {30, 40};
  TSectionList list;
  list.ShowImages = true;
  list.ImageServices = &svc;
  auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, Font12(), 0);
  TImageParams p;
  p.Src = "pic.gif";
  p.HasSrc = true;
  p.Align = "left";
  TImageObj* img = s->AddImage(p);
  s->AppendText(" aaaa bbbb cccc dddd eeee ffff gggg hhhh");
  TSection* sec = s.get();
  list.Add(std::move(s));
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 100, widest);
  ASSERT_GE(sec->Lines.size(), 4u);
  EXPECT_EQ(img->FloatX, 0);
  EXPECT_EQ(sec->Lines[0].LineX, 35);  // float width + 5
  EXPECT_EQ(sec->Lines[1].LineX, 35);
  int y = 0;
  for (auto& l : sec->Lines) {
    EXPECT_EQ(l.LineX, y <= 40 ? 35 : 0) << "line at " << y;
    y += l.Total();
  }
  EXPECT_GE(sec->DrawHeight, 40);

  // A float met after text hangs below its line.
  TSectionList list2;
  list2.ShowImages = true;
  list2.ImageServices = &svc;
  auto s2 = std::make_unique<TSection>(&list2, 0, 1, nullptr, Font12(), 0);
  s2->AppendText("aa ");
  TImageObj* img2 = s2->AddImage(p);
  s2->AppendText(" bb cc dd ee ff gg hh ii jj kk");
  TSection* sec2 = s2.get();
  list2.Add(std::move(s2));
  list2.DoLayout(c, 100, widest);
  ASSERT_GE(sec2->Lines.size(), 2u);
  EXPECT_EQ(sec2->Lines[0].LineX, 0);
  EXPECT_EQ(sec2->Lines[1].LineX, 35);
  EXPECT_EQ(list2.IMgr.L[0].YT, sec2->Lines[0].Total());
  EXPECT_EQ(img2->FloatX, 0);
}

TEST(ModelText, BrClearMovesBelowFloats) {
  FakeServices svc;
  svc.files["pic.gif"] = {30, 40};
  TSectionList list;
  list.ShowImages = true;
  list.ImageServices = &svc;
  auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, Font12(), 0);
  TImageParams p;
  p.Src = "pic.gif";
  p.HasSrc = true;
  p.Align = "right";
  TImageObj* img = s->AddImage(p);
  s->AppendText("x");
  list.Add(std::move(s));
  auto s2 = std::make_unique<TSection>(&list, 0, 1, nullptr, Font12(), 0);
  s2->SetClearMode("right");
  s2->AppendText("after");
  TSection* sec2 = s2.get();
  list.Add(std::move(s2));
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 200, widest);
  EXPECT_EQ(img->FloatX, 200 - 30);
  EXPECT_EQ(sec2->YValue + sec2->Lines[0].SpaceBefore, 41);  // float bottom + 1
}

TEST(ModelText, CaretPositionsRoundTrip) {
  TSectionList list;
  AddPara(list, "alpha beta gamma delta epsilon zeta eta theta");
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 80, widest);
  list.Paint(c, {0, 0, 1000, 1000}, 0, 10);
  for (int i = 0; i < 44; ++i) {
    int x = 0, y = 0;
    ASSERT_TRUE(list.CharIndexToXY(c, i, x, y)) << i;
    int lh = 0, lt = 0, cx = 0;
    EXPECT_EQ(list.CharIndexAtPoint(c, x + 1, y + 2, lh, lt, cx), i);
    EXPECT_EQ(cx, x);
  }
}

TEST(ModelText, FindTextComparesTheWholeText) {
  TSectionList list;
  AddPara(list, "First Paragraph");
  TSection* b = AddPara(list, "Some TEXT here and text there");
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 500, widest);
  EXPECT_EQ(list.FindTextFrom(0, "text", false), b->StartCurs + 5);
  EXPECT_EQ(list.FindTextFrom(b->StartCurs + 6, "text", false), b->StartCurs + 19);
  EXPECT_EQ(list.FindTextFrom(0, "text", true), b->StartCurs + 19);
  std::string longText(300, 'a'), hay = longText;
  hay[299] = 'b';
  TSection* l = AddPara(list, hay);
  list.DoLayout(c, 500, widest);
  EXPECT_EQ(list.FindTextFrom(0, longText, false), -1);
  EXPECT_EQ(list.FindTextFrom(0, hay, false), l->StartCurs);
}

TEST(ModelText, CopySelectionLinesIndentsAndNoLimit) {
  TSectionList list;
  AddPara(list, "one two");
  list.Add(std::make_unique<TParagraphSpace>(&list));
  AddPara(list, "item text", 2);
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 500, widest);
  list.SelB = 0;
  list.SelE = 1000;
  EXPECT_EQ(list.SelectionText(), "one two\r\n\r\n      item text\r\n");
  list.SelB = 4;
  list.SelE = 9;  // sections follow one another without separating characters
  EXPECT_EQ(list.SelectionText(), "two\r\n\r\n      it\r\n");
  list.SelB = list.SelE = 3;
  EXPECT_EQ(list.SelectionText(), "");

  TSectionList big;
  for (int i = 0; i < 5; ++i) AddPara(big, std::string(15000, 'a' + i));
  big.DoLayout(c, 500, widest);
  big.SelB = 0;
  big.SelE = 75000;
  std::string t = big.SelectionText();
  EXPECT_EQ(t.size(), 75000u + 5 * 2);  // nothing cut, one CR LF per line
}

TEST(ModelText, SpacesAndRules) {
  TSectionList list;
  auto h = std::make_unique<THeadingSpace>(&list, 4);
  THeadingSpace* hp = h.get();
  list.Add(std::move(h));
  auto p = std::make_unique<TParagraphSpace>(&list);
  TParagraphSpace* pp = p.get();
  list.Add(std::move(p));
  EXPECT_EQ(hp->SectionHeight, 8);
  EXPECT_EQ(pp->SectionHeight, 14);
  EXPECT_EQ(THorzLine(&list, 0, 0, false).Thickness, 2);
  EXPECT_EQ(THorzLine(&list, 25, 0, false).Thickness, 2);
  EXPECT_EQ(THorzLine(&list, 7, 0, false).Thickness, 7);
  EXPECT_EQ(THorzLine(&list, 2, 150, true).Width, -1);
  EXPECT_EQ(THorzLine(&list, 2, 50, true).Width, 50);
  EXPECT_EQ(list.GetSectionTop(99), 8);
  EXPECT_EQ(list.GetSectionTop(0), 0);
}

TEST(ModelText, BulletsAndNumbers) {
  for (THtColor bg : {htc::White, static_cast<THtColor>(0x00336699)}) {
    TSectionList list;
    list.Background = bg;
    for (int level = 1; level <= 3; ++level) {
      auto li = std::make_unique<TUListItem>(&list, level, 1, nullptr, Font12(), 0);
      li->AppendText("item");
      list.Add(std::move(li));
    }
    auto ol = std::make_unique<TOListItem>(&list, 1, 1, nullptr, Font12(), 0, 12);
    ol->AppendText("numbered");
    TOListItem* olp = ol.get();
    list.Add(std::move(ol));
    FakeCanvas c;
    int widest = 0;
    list.DoLayout(c, 500, widest);
    list.Paint(c, {0, 0, 1000, 1000}, 0, 10);
    auto bullets = c.Of("ellipse");
    ASSERT_EQ(bullets.size(), 3u);
    const THtColor expect[] = {htc::Navy, htc::Maroon, htc::Red};
    for (int i = 0; i < 3; ++i) {
      int centre = 10 + 35 * (i + 1) - 8;
      EXPECT_EQ(bullets[i].x, centre - 2);
      EXPECT_EQ(bullets[i].x2, centre + 3);
      if (bg == htc::White)
        EXPECT_EQ(bullets[i].back, expect[i]);
      else
        EXPECT_EQ(bullets[i].back, htc::None);
    }
    bool found = false;
    for (auto& t : c.Of("text"))
      if (t.text == "12.") {
        found = true;
        EXPECT_EQ(t.x + 3 * 6, 10 + olp->LeftIndentAtTop - 5);
      }
    EXPECT_TRUE(found);
  }
}

TEST(ModelText, SelectionPaintsOpaqueAndLinksAreHit) {
  TSectionList list;
  list.Background = htc::White;
  auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, Font12(), 0);
  s->AppendText("plain ");
  TUrlTarget link;
  link.Set("b.htm", "_top");
  TMyFont lf = Font12();
  lf.Color = htc::Blue;
  s->HRef(true, lf, &link, htUnderline, 0);
  s->AppendText("linked");
  s->HRef(false, Font12(), nullptr, 0, 0);
  s->AppendText(" tail");
  list.Add(std::move(s));
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 500, widest);
  list.SelB = 2;
  list.SelE = 8;
  list.Paint(c, {0, 0, 1000, 1000}, 0, 10);
  auto texts = c.Of("text");
  ASSERT_GE(texts.size(), 4u);
  EXPECT_EQ(texts[0].text, "pl");
  EXPECT_EQ(texts[1].text, "ain ");
  EXPECT_EQ(texts[1].back, 0);  // opaque in the font colour
  EXPECT_EQ(texts[1].color, htc::White);
  EXPECT_EQ(texts[2].text, "li");
  EXPECT_EQ(texts[3].text, "nked");
  TUrlTarget out;
  EXPECT_TRUE(list.UrlAtPoint(c, 10 + 6 * 7, 5, out));
  EXPECT_EQ(out.Url, "b.htm");
  EXPECT_EQ(out.Target, "_top");
  EXPECT_FALSE(list.UrlAtPoint(c, 10 + 6 * 2, 5, out));
  EXPECT_FALSE(list.UrlAtPoint(c, 10 + 6 * 14, 5, out));
}

TEST(ModelText, PreformattedLinesAreCentredAndRightAlignedLikeOthers) {
  TSectionList list;
  FakeCanvas c;
  auto add = [&](std::uint8_t justify) {
    auto p = std::make_unique<TPreFormated>(&list, 0, justify, nullptr, Font12(), 0);
    p->AppendText("abcd  ");  // four characters of 6 pixels; trailing blanks do not count
    TPreFormated* r = p.get();
    list.Add(std::move(p));
    return r;
  };
  TPreFormated* left = add(1);
  TPreFormated* centre = add(2);
  TPreFormated* right = add(3);
  int widest = 0;
  list.DoLayout(c, 300, widest);
  EXPECT_EQ(left->Lines[0].LineX, 0);
  EXPECT_EQ(centre->Lines[0].LineX, (300 - 24) / 2);
  EXPECT_EQ(right->Lines[0].LineX, 300 - 24);
  // Drawn where they were placed.
  THtRect clip{0, 0, 300, 500};
  list.Paint(c, clip, 0, 0);
  auto texts = c.Of("text");
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[1].x, (300 - 24) / 2);
  EXPECT_EQ(texts[2].x, 300 - 24);
}

TEST(ModelText, ListRecordsAboveTheLineLeaveTheScanButStillIndentPainting) {
  TSectionList list;
  auto item = std::make_unique<TUListItem>(&list, 1, 1, nullptr, Font12(), 0);
  item->AppendText("first item");
  list.Add(std::move(item));
  list.Add(std::make_unique<THorzLine>(&list, 0, 0, false));  // a rule inside the list
  AddPara(list, "after the list");
  for (int i = 0; i < 300; ++i) {
    auto li = std::make_unique<TUListItem>(&list, 1 + i % 3, 1, nullptr, Font12(), 0);
    li->AppendText("item");
    list.Add(std::move(li));
    AddPara(list, "text");
  }
  FakeCanvas c;
  int widest = 0;
  list.DoLayout(c, 400, widest);
  // Every list closed lies above the last line: none of them is scanned any more.
  EXPECT_LE(list.IMgr.L.size(), 4u);
  // Painting the top of the page still finds the first list's indent for its rule.
  list.Paint(c, THtRect{0, 0, 400, 120}, 0, 0);
  auto lines = c.Of("line");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].x, 35 + 10);
  EXPECT_EQ(list.IMgr.LeftIndent(list.Sections[1]->YValue), 35);
  EXPECT_EQ(list.IMgr.LeftIndent(list.Sections[2]->YValue + 1), 0);
  // A float still beside the next paragraph is kept.
  TSectionList floats;
  FakeServices svc;
  svc.files["tall.gif"] = {30, 200};
  floats.ShowImages = true;
  floats.ImageServices = &svc;
  auto s = std::make_unique<TSection>(&floats, 0, 1, nullptr, Font12(), 0);
  TImageParams p;
  p.Src = "tall.gif";
  p.HasSrc = true;
  p.Align = "left";
  s->AddImage(p);
  s->AppendText(" beside");
  floats.Add(std::move(s));
  TSection* next = AddPara(floats, "still beside the picture");
  floats.DoLayout(c, 400, widest);
  EXPECT_EQ(next->Lines[0].LineX, 35);
}
