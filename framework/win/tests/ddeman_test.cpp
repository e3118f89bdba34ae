// The DDE client conversation where no server answers: links refuse an empty service,
// a service nobody offers does not open, and a service program that cannot start is
// passed over. Conversations with a server are tested by the editor's browser tests.
#include <gtest/gtest.h>

#include "framework/win/DdeMan.h"

using namespace vx;

TEST(DdeClientConv, LinksWithoutAServer) {
  TComponentPtr<TDdeClientConv> convHolder = MakeComponent<TDdeClientConv>(nullptr);
  TDdeClientConv& conv = *convHolder;
  EXPECT_EQ(conv.Timeout(), 10000u);
  EXPECT_FALSE(conv.SetLink("", "WWW_OpenURL"));
  EXPECT_FALSE(conv.OpenLink());  // an empty service would reach any server at all
  EXPECT_TRUE(conv.SetLink("VornixNobodyOffersThis", "WWW_OpenURL"));
  EXPECT_FALSE(conv.OpenLink());
  conv.SetServiceApplication("C:\\no such folder\\nobrowser.exe");
  EXPECT_FALSE(conv.OpenLink());
  EXPECT_FALSE(conv.Connected());
  AnsiString answer = "x";
  EXPECT_FALSE(conv.RequestData("item", answer));
  EXPECT_EQ(answer, "");
  conv.CloseLink();
}
