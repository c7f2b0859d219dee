// The entry point of every Wine test program: the bench's faces are checked first (one
// line names what is missing), and a watchdog ends a test that waits for nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "bench_faces.h"
#include "test_watchdog.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (const std::string fault = BenchFaceFault(); !fault.empty()) {
    std::fprintf(stderr, "%s\n", fault.c_str());
    return 1;
  }
  const char* seconds = std::getenv("CORVAN_TEST_SECONDS");
  const int limit = seconds && std::atoi(seconds) > 0 ? std::atoi(seconds) : 20;
  testing::UnitTest::GetInstance()->listeners().Append(new TestWatchdog(static_cast<DWORD>(limit) * 1000));
  return RUN_ALL_TESTS();
}
