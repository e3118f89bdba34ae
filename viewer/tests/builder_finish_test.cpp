// Finishing a built document: the background picture is fetched, images are asked for or
// dropped by the image switch, and a missing file is not asked for again at every layout.
#include <gtest/gtest.h>

#include <algorithm>

#include "viewer/tests/builder_dump.h"

using namespace vxt;

TEST(BuilderFinish, ImagesFollowTheSwitchAndMissingFilesAreAskedOnce) {
  Built b;
  b.services.files["bg.gif"] = {8, 8};
  b.services.files["a.gif"] = {30, 20};
  b.Html("<BODY BACKGROUND=\"bg.gif\"><IMG SRC=\"a.gif\"><IMG SRC=\"missing.gif\" ALT=x>");
  auto count = [&](const std::string& f) { return std::count(b.services.loads.begin(), b.services.loads.end(), f); };
  FakeCanvas c;
  int widest = 0;
  b.list.Finish();
  b.list.DoLayout(c, 300, widest);
  EXPECT_TRUE(b.services.loads.empty());  // images off: nothing is read
  EXPECT_FALSE(b.list.BackgroundBitmap);
  b.list.ShowImages = true;
  b.list.Finish();
  ASSERT_TRUE(b.list.BackgroundBitmap);
  EXPECT_EQ(b.list.BackgroundBitmap->Width(), 8);
  b.list.DoLayout(c, 300, widest);
  b.list.DoLayout(c, 200, widest);
  b.list.DoLayout(c, 400, widest);
  EXPECT_EQ(count("a.gif"), 1);
  EXPECT_EQ(count("missing.gif"), 1);
  auto* s = dynamic_cast<TSection*>(b.list.Sections.back().get());
  ASSERT_TRUE(s && s->Images.size() == 2);
  EXPECT_EQ(s->Images[0]->State, TImageObj::isReal);
  EXPECT_EQ(s->Images[1]->State, TImageObj::isError);
  // Off again: placeholders; on again: the missing file is asked once more, the cached one is not read.
  b.list.ShowImages = false;
  b.list.Finish();
  b.list.DoLayout(c, 300, widest);
  EXPECT_EQ(s->Images[0]->State, TImageObj::isOff);
  b.list.ShowImages = true;
  b.list.Finish();
  b.list.DoLayout(c, 300, widest);
  EXPECT_EQ(count("a.gif"), 1);
  EXPECT_EQ(count("missing.gif"), 2);
  EXPECT_EQ(s->Images[0]->BoxWidth, 30);
}
