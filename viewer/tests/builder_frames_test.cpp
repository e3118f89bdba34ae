// Frame documents: FRAMESET before body content, nested sets, NOFRAMES skipped, parse errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "viewer/tests/builder_dump.h"

using namespace vxt;

namespace {
struct Sink : TFrameSetSink {
  std::string log;
  std::vector<std::unique_ptr<Sink>> kids;
  void SetAttributes(const TAttributeList& a) override {
    for (auto& t : a) log += SymbolDisplayName(t.Which) + "=" + t.Name + ";";
  }
  TFrameSetSink* AddFrameSet() override {
    kids.push_back(std::make_unique<Sink>());
    log += "[set]";
    return kids.back().get();
  }
  void AddFrame(const TAttributeList& a) override {
    auto* src = a.Find(SrcAttr);
    log += "frame:" + (src ? src->Name : std::string()) + ";";
  }
  void FinishFrames() override { log += "done;"; }
};

void Write(const std::string& name, const std::string& text) { std::ofstream(name, std::ios::binary) << text; }
}  // namespace

TEST(BuilderFrames, FrameSetsNestAndBodiesDecide) {
  Write("fr_set.htm",
        "<TITLE>Frames</TITLE><BASE HREF=\"b/\" TARGET=main><FRAMESET COLS=\"20%,*\"><FRAME SRC=a.htm>"
        "<NOFRAMES><FRAME SRC=hidden.htm></NOFRAMES><FRAMESET ROWS=\"50,50\"><FRAME SRC=b.htm><FRAME SRC=c.htm>"
        "</FRAMESET></FRAMESET>");
  Write("fr_body.htm", "<TITLE>x</TITLE><P>text<FRAMESET><FRAME SRC=a.htm></FRAMESET>");
  Write("fr_open.htm", "<!-- never closed");
  Sink s;
  THtmlDocInfo info;
  EXPECT_TRUE(ParseFramesetFile(s, "fr_set.htm", &info));
  EXPECT_EQ(s.log, "COLS=20%,*;frame:a.htm;[set]done;");
  ASSERT_EQ(s.kids.size(), 1u);
  EXPECT_EQ(s.kids[0]->log, "ROWS=50,50;frame:b.htm;frame:c.htm;done;");
  EXPECT_EQ(info.Title, "Frames");
  EXPECT_EQ(info.BaseHref, "b/");
  EXPECT_EQ(info.BaseTarget, "main");
  EXPECT_TRUE(IsFramesetDocument("fr_set.htm"));
  EXPECT_FALSE(IsFramesetDocument("fr_body.htm"));
  EXPECT_FALSE(IsFramesetDocument("fr_open.htm"));
  Sink t;
  EXPECT_FALSE(ParseFramesetFile(t, "fr_body.htm"));
  EXPECT_EQ(t.log, "");
  // Sets nested far too deep stop growing; the parse still ends.
  std::string deep;
  for (int i = 0; i < 500; ++i) deep += "<FRAMESET ROWS=\"*,*\"><FRAME SRC=f.htm>";
  Write("fr_deep.htm", deep);
  Sink d;
  EXPECT_TRUE(ParseFramesetFile(d, "fr_deep.htm"));
  int depth = 0;
  for (Sink* p = &d; !p->kids.empty(); p = p->kids[0].get()) ++depth;
  EXPECT_EQ(depth, kMaxFrameSetNesting);
  for (const char* f : {"fr_set.htm", "fr_body.htm", "fr_open.htm", "fr_deep.htm"}) std::remove(f);
}
