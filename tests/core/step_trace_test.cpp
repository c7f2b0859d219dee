// Line layouts and the on/off rules of the step trace.
#include "core/step_trace.h"

#include <gtest/gtest.h>

#include <vector>

using namespace corvan;

namespace {
struct Recorded {
  std::vector<std::wstring> lines;
  int opens = 0, closes = 0;
  bool failOpen = false, failWrite = false;
};

class RecordingSink : public TraceSink {
 public:
  explicit RecordingSink(Recorded& r) : r_(r) {}
  bool Open() override {
    ++r_.opens;
    return !r_.failOpen;
  }
  bool WriteLine(std::wstring_view line) override {
    if (r_.failWrite) return false;
    r_.lines.emplace_back(line);
    return true;
  }
  void Close() override { ++r_.closes; }
  TraceTime Now() override { return {14, 3, 7, 45}; }

 private:
  Recorded& r_;
};
}  // namespace

TEST(StepTrace, LineLayouts) {
  Recorded r;
  StepTrace trace(std::make_unique<RecordingSink>(r), true);
  trace.Begin(L"DoConfigBDE");
  trace.Note(L"abc");
  trace.Begin(L"X");
  trace.End(L"X");
  trace.End(L"DoConfigBDE");
  trace.Note(L"z");
  ASSERT_EQ(r.lines.size(), 6u);
  EXPECT_EQ(r.lines[0], L"BEGIN => DoConfigBDE <TIMP 14:03:07.045 > ");
  EXPECT_EQ(r.lines[1], L"    *       abc <TIMP 14:03:07.045 > ");
  EXPECT_EQ(r.lines[2], L" | |BEGIN => X <TIMP 14:03:07.045 > ");
  EXPECT_EQ(r.lines[3], L" | |END <- X <TIMP 14:03:07.045 > ");
  EXPECT_EQ(r.lines[4], L"END <- DoConfigBDE <TIMP 14:03:07.045 > ");
  EXPECT_EQ(r.lines[5], L"  *       z <TIMP 14:03:07.045 > ");
  EXPECT_EQ(r.opens, 6);
  EXPECT_EQ(r.closes, 6);
  EXPECT_EQ(trace.Level(), 0);
}

TEST(StepTrace, DisabledWritesNothingAndKeepsLevel) {
  Recorded r;
  StepTrace trace(std::make_unique<RecordingSink>(r), false);
  trace.Begin(L"A");
  trace.Begin(L"B");
  trace.Note(L"n");
  EXPECT_TRUE(r.lines.empty());
  EXPECT_EQ(r.opens, 0);
  EXPECT_EQ(trace.Level(), 0);
}

TEST(StepTrace, IoErrorsTurnTracingOffForGood) {
  for (bool failOpen : {true, false}) {
    SCOPED_TRACE(failOpen ? "open fails" : "write fails");
    Recorded r;
    r.failOpen = failOpen;
    r.failWrite = !failOpen;
    StepTrace trace(std::make_unique<RecordingSink>(r), true);
    trace.Begin(L"A");
    EXPECT_FALSE(trace.Enabled());
    EXPECT_EQ(r.closes, 0);  // a failed write leaves the file as it is
    r.failOpen = r.failWrite = false;
    trace.Note(L"after");
    EXPECT_TRUE(r.lines.empty());
    EXPECT_EQ(trace.Level(), 1);  // the level moved once, before the error was known
  }
}
