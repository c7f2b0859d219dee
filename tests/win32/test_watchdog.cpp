#include "test_watchdog.h"

#include <cstdio>

TestWatchdog::TestWatchdog(DWORD limitMs)
    : limitMs_(limitMs),
      changed_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  InitializeCriticalSection(&lock_);
  thread_ = CreateThread(nullptr, 0, &TestWatchdog::Watch, this, 0, nullptr);
}

TestWatchdog::~TestWatchdog() {
  SetEvent(stop_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  CloseHandle(stop_);
  CloseHandle(changed_);
  DeleteCriticalSection(&lock_);
}

void TestWatchdog::OnTestStart(const testing::TestInfo& test) {
  Arm(std::string(test.test_suite_name()) + "." + test.name());
}

void TestWatchdog::OnTestEnd(const testing::TestInfo&) { Arm({}); }

void TestWatchdog::Arm(std::string name) {
  EnterCriticalSection(&lock_);
  running_ = std::move(name);
  startTick_ = GetTickCount();
  LeaveCriticalSection(&lock_);
  SetEvent(changed_);
}

DWORD WINAPI TestWatchdog::Watch(void* self) {
  auto& dog = *static_cast<TestWatchdog*>(self);
  const HANDLE wake[] = {dog.stop_, dog.changed_};
  for (;;) {
    EnterCriticalSection(&dog.lock_);
    const bool armed = !dog.running_.empty();
    const DWORD spent = GetTickCount() - dog.startTick_;
    if (armed && spent >= dog.limitMs_) {
      std::fflush(stdout);
      std::fprintf(stderr, "\n[ WATCHDOG ] %s still running after %lu s: a window or dialog it waits for never came, or it hangs\n",
                   dog.running_.c_str(), static_cast<unsigned long>(dog.limitMs_ / 1000));
      std::fflush(stderr);
      TerminateProcess(GetCurrentProcess(), 3);
    }
    LeaveCriticalSection(&dog.lock_);
    const DWORD wait = armed ? dog.limitMs_ - spent : INFINITE;
    if (WaitForMultipleObjects(2, wake, FALSE, wait) == WAIT_OBJECT_0) return 0;
  }
}
