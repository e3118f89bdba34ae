#include "framework/core/Scoped.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace vx {
namespace {

TEST(Scoped, SavedValueComesBackOnReturnAndOnThrow) {
  std::string mode = "insert";
  {
    TSaved<std::string> keep(mode, "overwrite");
    EXPECT_EQ(mode, "overwrite");
    EXPECT_EQ(keep.Old(), "insert");
  }
  EXPECT_EQ(mode, "insert");
  int depth = 3;
  try {
    TSaved<int> keep(depth);
    depth = 9;
    throw std::runtime_error("stop");
  } catch (const std::runtime_error&) {}
  EXPECT_EQ(depth, 3);
}

TEST(Scoped, ExitActionRunsOnceUnlessDismissed) {
  int runs = 0;
  {
    auto done = OnScopeExit([&] { ++runs; });
  }
  EXPECT_EQ(runs, 1);
  try {
    auto done = OnScopeExit([&] { ++runs; });
    throw 1;
  } catch (int) {}
  EXPECT_EQ(runs, 2);
  {
    auto done = OnScopeExit([&] { ++runs; });
    done.Dismiss();
  }
  EXPECT_EQ(runs, 2);
}

TEST(Scoped, AFailingExitActionReachesTheCallerButNeverHidesTheFirstFailure) {
  // Normal exit: the action's failure is the caller's to see.
  EXPECT_THROW({ auto done = OnScopeExit([] { throw std::runtime_error("end update"); }); }, std::runtime_error);
  // Unwinding: the first failure is reported, the action's dropped, nothing terminates.
  try {
    auto done = OnScopeExit([] { throw std::logic_error("end update"); });
    throw std::runtime_error("the edit");
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "the edit");
  }
}

}  // namespace
}  // namespace vx
