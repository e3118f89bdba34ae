// The test programs' main. Besides GoogleTest's own report it names every test that
// skipped itself and, when some did and none failed, ends with the line CTest reads to
// report the program as skipped rather than passed.
// On Windows a watchdog ends a program that reaches its time limit before the session's
// own guard kills it, naming the test and what it was waiting for.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "test_awaiting.h"

#ifdef _WIN32
#include <windows.h>

namespace {

// Keeps the name of the running test where the watchdog can read it.
class TNameKeeper : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo& info) override {
    vx::testing::TAwaitingNote& n = vx::testing::AwaitingNote();
    std::lock_guard<std::mutex> g(n.lock);
    n.test = std::string(info.test_suite_name()) + "." + info.name();
  }
  void OnTestEnd(const testing::TestInfo&) override {
    vx::testing::TAwaitingNote& n = vx::testing::AwaitingNote();
    std::lock_guard<std::mutex> g(n.lock);
    n.test = "(between tests)";
  }
};

// The session's guard (scripts/wine-exec) kills the program at VORNIX_TEST_LIMIT seconds;
// half a minute before that the program ends itself with a report.
class TWatchdog {
 public:
  TWatchdog() {
    const char* limit = std::getenv("VORNIX_TEST_LIMIT");
    long seconds = limit ? std::atol(limit) : 0;
    if (seconds <= 60) return;
    ms_ = static_cast<DWORD>(seconds - 30) * 1000;
    stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (stop_) thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
  }
  // Ended and joined before the program ends: a thread still starting while the process
  // goes has crashed Wine.
  ~TWatchdog() {
    if (thread_) {
      SetEvent(stop_);
      WaitForSingleObject(thread_, INFINITE);
      CloseHandle(thread_);
    }
    if (stop_) CloseHandle(stop_);
  }

 private:
  static DWORD WINAPI Run(void* self) {
    auto* w = static_cast<TWatchdog*>(self);
    if (WaitForSingleObject(w->stop_, w->ms_) != WAIT_TIMEOUT) return 0;
    std::string test, doing;
    {
      vx::testing::TAwaitingNote& n = vx::testing::AwaitingNote();
      std::lock_guard<std::mutex> g(n.lock);
      test = n.test.empty() ? "(before the first test)" : n.test;
      doing = !n.what.empty() ? "while waiting for " + n.what
              : !n.last.empty() ? "at work between waits (the last was for " + n.last + ")"
                                : "before its first wait";
    }
    std::fflush(stdout);
    std::fprintf(stderr, "\nvornix-test: %s reached the program's time limit (%lu s) %s\n", test.c_str(),
                 static_cast<unsigned long>(w->ms_ / 1000), doing.c_str());
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 1);
    return 0;
  }
  DWORD ms_ = 0;
  HANDLE stop_ = nullptr, thread_ = nullptr;
};

}  // namespace
#endif

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
  testing::UnitTest::GetInstance()->listeners().Append(new TNameKeeper);
  TWatchdog watchdog;
#endif
  const int rc = RUN_ALL_TESTS();
  const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
  for (int s = 0; s < unit.total_test_suite_count(); ++s) {
    const testing::TestSuite& suite = *unit.GetTestSuite(s);
    for (int t = 0; t < suite.total_test_count(); ++t) {
      const testing::TestInfo& info = *suite.GetTestInfo(t);
      const testing::TestResult& result = *info.result();
      if (!info.should_run() || !result.Skipped()) continue;
      std::string why;
      for (int p = 0; p < result.total_part_count(); ++p)
        if (result.GetTestPartResult(p).skipped()) why = result.GetTestPartResult(p).message();
      std::printf("skipped %s.%s: %s\n", suite.name(), info.name(), why.c_str());
    }
  }
  if (rc == 0 && unit.skipped_test_count() > 0)
    std::printf("vornix-test: %d skipped, none failed\n", unit.skipped_test_count());
  std::fflush(stdout);
  return rc;
}
