// A program folder without "standard.vxt": the message, then the end of the program.
#include "editor/tests/frame_fixture.h"

using namespace vx;

TEST_F(FrameTest, MissingTagDefinitionsEndTheProgram) {
  SetProgramFolder(dir);
  frame->NewDoc(frame);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "standard.vxt not found - Please reinstall Vornix or contact vendor");
  EXPECT_TRUE(Application->Terminated());
  // Until the loop ends the window works with an empty set.
  ASSERT_NE(frmEditWin, nullptr);
  EXPECT_EQ(frmEditWin->TagGroup()->Tags().Count(), 0);
  EXPECT_EQ(frmEditWin->ComboBox1->Items()->Count(), 0);
  EXPECT_EQ(TabCaption(0), "Untitled-0.htm");
  answers = {IDNO};
}
