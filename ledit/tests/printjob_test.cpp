#include <gtest/gtest.h>
#include <windows.h>

#include <new>

#include "ledit/PrintJob.h"

namespace {

// A fault in the page loop (out of memory while laying out a line) leaves the scope of
// the job by an exception: the owner must be usable again and the progress window gone.
TEST(PrintJob, AFaultWhilePrintingEnablesTheOwnerAndRemovesTheProgressWindow) {
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_TRUE(owner);
  HDC dc = CreateCompatibleDC(nullptr);
  try {
    ledit::PrintJob job(owner, dc, true);
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_TRUE(FindWindowA("LEditPrintProgress", nullptr));
    job.NextPage();
    throw std::bad_alloc();
  } catch (const std::bad_alloc&) {}
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_FALSE(FindWindowA("LEditPrintProgress", nullptr));

  // An owner destroyed during the job is not touched at the end.
  {
    ledit::PrintJob job(owner, dc, false);
    job.OwnerGone();
  }
  EXPECT_FALSE(IsWindowEnabled(owner));
  DeleteDC(dc);
  DestroyWindow(owner);
}

}  // namespace
