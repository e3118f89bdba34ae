// The test programs' main. Besides GoogleTest's own report it names every test that
// skipped itself and, when some did and none failed, ends with the line CTest reads to
// report the program as skipped rather than passed.
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
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
