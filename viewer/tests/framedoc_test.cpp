// Frame documents as read: FRAMESET before body content, nested sets, NOFRAMES skipped,
// sizes matched to pieces, parse errors, and the limits on what one document may ask for.
#include <gtest/gtest.h>

#include <cstdio>

#include "framework/core/tests/TestFiles.h"
#include "viewer/FrameDocument.h"

using namespace vx;

namespace {

std::string Frames(int n, const std::string& frame = "<FRAME SRC=f.htm>") {
  std::string r;
  for (int i = 0; i < n; ++i) r += frame;
  return r;
}

TFrameDocument Read(const std::string& text, int budget = kMaxFramesInAll) {
  TFrameDocument doc;
  ReadFrameDocumentMemory(text.data(), text.size(), doc, budget);
  return doc;
}

}  // namespace

TEST(FrameDocument, FrameSetsNestAndBodiesDecide) {
  WriteBytes("fr_set.htm",
             "<TITLE>Frames</TITLE><BASE HREF=\"b/\" TARGET=main><FRAMESET COLS=\"20%,*\" ROWS=\"10,*\">"
             "<FRAME SRC=a.htm NAME=Left NORESIZE SCROLLING=\" no \"><NOFRAMES><FRAME SRC=hidden.htm></NOFRAMES>"
             "<FRAMESET ROWS=\"50,50\"><FRAME SRC=b.htm><FRAME SRC=c.htm SCROLLING=auto></FRAMESET></FRAMESET>");
  WriteBytes("fr_body.htm", "<TITLE>x</TITLE><P>text<FRAMESET><FRAME SRC=a.htm></FRAMESET>");
  WriteBytes("fr_open.htm", "<!-- never closed");
  TFrameDocument doc;
  ReadFrameDocumentFile("fr_set.htm", doc);
  ASSERT_TRUE(doc.Found);
  // ROWS wins over COLS.
  EXPECT_TRUE(doc.Root.OnRows);
  EXPECT_EQ(doc.Root.Entries, (std::vector<int>{10, -1}));
  ASSERT_EQ(doc.Root.Pieces.size(), 2u);
  const TFramePiece& a = doc.Root.Pieces[0];
  EXPECT_EQ(a.Source, "a.htm");
  EXPECT_EQ(a.Name, "Left");
  EXPECT_TRUE(a.NoResize);
  EXPECT_TRUE(a.NoScroll);
  ASSERT_TRUE(doc.Root.Pieces[1].Set);
  const TFrameSetSpec& inner = *doc.Root.Pieces[1].Set;
  ASSERT_EQ(inner.Pieces.size(), 2u);
  EXPECT_EQ(inner.Pieces[1].Source, "c.htm");
  EXPECT_FALSE(inner.Pieces[1].NoScroll);
  EXPECT_FALSE(inner.Pieces[1].NoResize);
  EXPECT_EQ(doc.Pieces, 4);
  EXPECT_EQ(doc.Info.Title, "Frames");
  EXPECT_EQ(doc.Info.BaseHref, "b/");
  EXPECT_EQ(doc.Info.BaseTarget, "main");
  EXPECT_TRUE(IsFramesetDocument("fr_set.htm"));
  EXPECT_FALSE(IsFramesetDocument("fr_body.htm"));
  EXPECT_FALSE(IsFramesetDocument("fr_open.htm"));
  TFrameDocument body;
  ReadFrameDocumentFile("fr_body.htm", body);
  EXPECT_FALSE(body.Found);
  EXPECT_FALSE(body.Started);
  EXPECT_TRUE(body.Root.Pieces.empty());
  TFrameDocument open;
  EXPECT_THROW(ReadFrameDocumentFile("fr_open.htm", open), EParseError);
  // A comment never closed after the FRAMESET began: the caller learns that it began.
  TFrameDocument broken;
  EXPECT_THROW(ReadFrameDocumentMemory("<FRAMESET><FRAME><!-- open", 26, broken), EParseError);
  EXPECT_TRUE(broken.Started);
  for (const char* f : {"fr_set.htm", "fr_body.htm", "fr_open.htm"}) std::remove(f);
}

TEST(FrameDocument, SizesAndPiecesAreMatched) {
  // Three sizes and two frames: a third, empty frame; one size and two frames: a share.
  TFrameDocument three = Read("<FRAMESET COLS=\"100,100,100\"><FRAME SRC=a.htm><FRAME SRC=b.htm></FRAMESET>");
  ASSERT_EQ(three.Root.Pieces.size(), 3u);
  EXPECT_EQ(three.Root.Pieces[2].Source, "");
  EXPECT_FALSE(three.Root.Pieces[2].Note());
  TFrameDocument one = Read("<FRAMESET COLS=\"100\"><FRAME><FRAME></FRAMESET>");
  EXPECT_EQ(one.Root.Entries, (std::vector<int>{100, -1}));
}

TEST(FrameDocument, SetsNestedTooDeepStopGrowing) {
  std::string deep;
  for (int i = 0; i < 500; ++i) deep += "<FRAMESET ROWS=\"*,*\"><FRAME SRC=f.htm>";
  TFrameDocument d = Read(deep, 1 << 20);
  EXPECT_TRUE(d.Found);
  int depth = 0;
  for (const TFrameSetSpec* p = &d.Root; p->Pieces.size() > 1 && p->Pieces[1].Set; p = p->Pieces[1].Set.get())
    ++depth;
  EXPECT_EQ(depth, kMaxFrameSetNesting);
}

TEST(FrameDocument, ASetShowsItsShareAndANoteForTheRest) {
  TFrameDocument doc = Read("<FRAMESET COLS=\"*,*\">" + Frames(10000) + "</FRAMESET>");
  const auto& pieces = doc.Root.Pieces;
  ASSERT_EQ(pieces.size(), static_cast<size_t>(kMaxFramesPerSet));
  EXPECT_EQ(pieces[kMaxFramesPerSet - 2].Source, "f.htm");
  ASSERT_TRUE(pieces.back().Note());
  EXPECT_EQ(pieces.back().Omitted, 10000 - (kMaxFramesPerSet - 1));
  EXPECT_EQ(OmittedFramesNote(pieces.back().Omitted), std::to_string(10000 - 31) + " more frames are not shown");
  EXPECT_EQ(OmittedFramesNote(1), "1 more frame is not shown");
  EXPECT_EQ(doc.Root.Entries.size(), pieces.size());
  EXPECT_EQ(doc.Pieces, kMaxFramesPerSet);
  // Exactly the share: nothing left out, no note.
  TFrameDocument full = Read("<FRAMESET>" + Frames(kMaxFramesPerSet - 1) + "</FRAMESET>");
  EXPECT_FALSE(full.Root.Pieces.back().Note());
}

TEST(FrameDocument, AllSetsTogetherStayWithinTheBudget) {
  // Sets of 20 frames each: the budget runs out inside the fourth; a nested set left out is
  // skipped whole, its frames not taken by the set around it.
  std::string set20 = "<FRAMESET>" + Frames(20) + "</FRAMESET>";
  std::string text = "<FRAMESET ROWS=\"*,*,*,*,*,*\">";
  for (int i = 0; i < 6; ++i) text += set20;
  text += "<FRAME SRC=last.htm></FRAMESET>";
  TFrameDocument doc = Read(text, 70);
  EXPECT_LE(doc.Pieces, 70);
  const auto& root = doc.Root.Pieces;
  ASSERT_EQ(root.size(), 5u);  // three whole sets, one cut short, the note
  EXPECT_EQ(root[0].Set->Pieces.size(), 20u);
  const TFrameSetSpec& cut = *root[3].Set;
  ASSERT_TRUE(cut.Pieces.back().Note());
  EXPECT_EQ(cut.Pieces.size() - 1 + cut.Pieces.back().Omitted, 20u);
  ASSERT_TRUE(root[4].Note());
  EXPECT_EQ(root[4].Omitted, 3);  // two sets and last.htm
  // Where frames were left out, the sizes written for them make no empty frames.
  EXPECT_EQ(doc.Root.Entries.size(), 5u);
  // A budget already spent: the document shows its note alone.
  TFrameDocument none = Read("<FRAMESET>" + Frames(5) + "</FRAMESET>", 0);
  ASSERT_EQ(none.Root.Pieces.size(), 1u);
  EXPECT_EQ(none.Root.Pieces[0].Omitted, 5);
}

namespace {
int CountPieces(const TFrameSetSpec& set) {
  int n = 0;
  for (const TFramePiece& p : set.Pieces) n += 1 + (p.Set ? CountPieces(*p.Set) : 0);
  return n;
}
}  // namespace

TEST(FrameDocument, EmptyFramesForSpareSizesCountAgainstTheBudget) {
  std::string sizes20 = "<FRAMESET ROWS=\"*";
  for (int i = 1; i < 20; ++i) sizes20 += ",*";
  sizes20 += "\">";
  std::string nested;
  for (int i = 0; i < 200; ++i) nested += sizes20;
  std::string sets31 = "<FRAMESET>";
  for (int i = 0; i < 31; ++i) sets31 += sizes20 + "</FRAMESET>";
  sets31 += "</FRAMESET>";
  for (const std::string* text : {&nested, &sets31})
    for (int budget : {kMaxFramesInAll, 50, 1}) {
      TFrameDocument doc = Read(*text, budget);
      EXPECT_EQ(CountPieces(doc.Root), doc.Pieces);
      EXPECT_LE(doc.Pieces, budget);
      EXPECT_GE(doc.Pieces, budget - 1);  // the budget is used, not wasted
    }
  // Nothing left out: every size gets its frame.
  TFrameDocument one = Read(sizes20 + "</FRAMESET>");
  EXPECT_EQ(one.Root.Pieces.size(), 20u);
  EXPECT_EQ(one.Root.Entries.size(), 20u);
}
