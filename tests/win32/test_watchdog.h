#pragma once
// Ends the test program with one line naming the test when a test runs past its time
// (CORVAN_TEST_SECONDS, 20 s unless set): a test waiting for a window or a dialog that
// never comes fails within seconds instead of hanging until ctest's time-out.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

class TestWatchdog : public testing::EmptyTestEventListener {
 public:
  explicit TestWatchdog(DWORD limitMs);
  ~TestWatchdog() override;
  TestWatchdog(const TestWatchdog&) = delete;
  TestWatchdog& operator=(const TestWatchdog&) = delete;

  void OnTestStart(const testing::TestInfo& test) override;
  void OnTestEnd(const testing::TestInfo& test) override;

 private:
  static DWORD WINAPI Watch(void* self);
  void Arm(std::string name);

  const DWORD limitMs_;
  CRITICAL_SECTION lock_;
  std::string running_;  // empty between tests
  DWORD startTick_ = 0;
  HANDLE changed_, stop_, thread_;
};
