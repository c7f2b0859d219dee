// The KiB counters that drive the lower gauge while an archive is unpacked.
#include "core/extract_progress.h"

#include <gtest/gtest.h>

#include <vector>

using namespace corvan;

namespace {
// Runs the counting pass, then writes each entry in steps of `chunk` bytes and collects
// every gauge position reported.
std::vector<std::uint32_t> Unpack(ExtractProgress& p, const std::vector<std::uint64_t>& sizes, std::uint64_t chunk) {
  p.Reset();
  for (auto s : sizes) p.CountEntry(s);
  std::vector<std::uint32_t> positions;
  for (auto s : sizes) {
    p.BeginEntry(s);
    for (std::uint64_t w = std::min(chunk, s); w > 0; w = (w == s ? 0 : std::min(w + chunk, s)))
      positions.push_back(p.OnProgress(w));
    p.EndEntry();
  }
  return positions;
}
}  // namespace

TEST(ExtractProgress, SizesCountInWholeKiBAndTheGaugeStepsWithEachEntry) {
  ExtractProgress p;
  // 1500, 3000 and 500 bytes: 1 + 2 + 0 = 3 KiB; written in 1000-byte steps.
  const auto positions = Unpack(p, {1500, 3000, 500}, 1000);
  EXPECT_EQ(p.ZipSize(), 3u);
  EXPECT_EQ(p.GaugeMax(), 3u);
  EXPECT_EQ(p.ZipProgres(), 3u);
  // First entry: 1000 -> 0, 1500 -> 1. Second: 1+0, 1+1, 1+2 (3000 B = 2 KiB). Third: 3.
  EXPECT_EQ(positions, (std::vector<std::uint32_t>{0, 1, 1, 2, 3, 3}));
}

TEST(ExtractProgress, SmallEntriesLeaveTheMaximumAtZero) {
  ExtractProgress p;
  const auto positions = Unpack(p, {0, 10, 1023}, 512);
  EXPECT_EQ(p.GaugeMax(), 0u);
  for (auto pos : positions) EXPECT_EQ(pos, 0u);
}

TEST(ExtractProgress, EachArchiveStartsAgainFromZero) {
  ExtractProgress p;
  Unpack(p, {10 * 1024, 20 * 1024}, 4096);
  EXPECT_EQ(p.ZipProgres(), 30u);
  const auto second = Unpack(p, {2048}, 1024);
  EXPECT_EQ(second, (std::vector<std::uint32_t>{1, 2}));
  EXPECT_EQ(p.ZipSize(), 2u);
}

TEST(ExtractProgress, AnEntryCountsOnceEvenWhenItsLastEventRepeats) {
  ExtractProgress p;
  p.Reset();
  p.CountEntry(4096);
  p.BeginEntry(4096);
  EXPECT_EQ(p.OnProgress(4096), 4u);
  EXPECT_EQ(p.OnProgress(4096), 8u);  // the position adds to the progress already counted
  p.EndEntry();
  EXPECT_EQ(p.ZipProgres(), 4u);
  // An entry that reports no event still counts when it ends.
  p.BeginEntry(2048);
  p.EndEntry();
  EXPECT_EQ(p.ZipProgres(), 6u);
}

TEST(ExtractProgress, TheGaugeTakesTheLow32BitsOfHugeSizes) {
  ExtractProgress p;
  p.Reset();
  const std::uint64_t huge = (std::uint64_t{1} << 42) + 5 * 1024;  // 2^32 KiB + 5 KiB
  p.CountEntry(huge);
  EXPECT_EQ(p.ZipSize(), (std::uint64_t{1} << 32) + 5);
  EXPECT_EQ(p.GaugeMax(), 5u);
  p.BeginEntry(huge);
  EXPECT_EQ(p.OnProgress(huge), 5u);
}
