// How the media builder lays files out over disks.
#include "media_plan.h"

#include <gtest/gtest.h>

#include <map>

using namespace media;

namespace {
std::uint64_t UsedSpace(const Disk& d, std::uint32_t cluster) {
  std::uint64_t used = 0;
  for (const auto& f : d.files) used += SpaceOf(f.length, cluster);
  return used;
}
}  // namespace

TEST(MediaPlan, OneFolderGetsEveryArchiveWholeAsPartOne) {
  const Plan plan = PlanMedia({{"INSTALL.EXE", 900'000}, {"INSTALL.CFG", 30}, {"UPGRADE.1", 5000}},
                              {{"EXE", 7'000'000}, {"HELP", 10}}, Geometry{});
  ASSERT_TRUE(plan.error.empty());
  ASSERT_EQ(plan.disks.size(), 1u);
  std::vector<std::string> names;
  for (const auto& f : plan.disks[0].files) names.push_back(f.name);
  EXPECT_EQ(names, (std::vector<std::string>{"DISK1", "INSTALL.EXE", "INSTALL.CFG", "UPGRADE.1", "EXE.1", "HELP.1"}));
  EXPECT_EQ(plan.disks[0].files[4].length, 7'000'000u);
}

TEST(MediaPlan, FloppiesAreFilledInWholeClustersAndPartsCoverEachArchiveOnce) {
  struct Case {
    const char* what;
    std::vector<WholeFile> whole;
    std::vector<ArchiveToCut> archives;
    Geometry geometry;
    std::size_t disks;
  };
  const Case cases[] = {
      {"a product over several floppies", {{"INSTALL.EXE", 600'001}, {"INSTALL.CFG", 30}, {"UPGRADE.1", 70'000}},
       {{"EXE", 6'500'000}, {"OUTPOST", 300'000}, {"DBDAT", 1'000}, {"HELP", 2'000'000}}, Geometry{kFloppyCapacity}, 7},
      {"parts that end exactly on a disk's end", {{"INSTALL.EXE", 1024}}, {{"EXE", 4096 - 1024}, {"HELP", 4096}},
       Geometry{4096}, 2},
      {"a root folder of three files", {{"INSTALL.EXE", 10}}, {{"A", 10}, {"B", 10}, {"C", 10}}, Geometry{1 << 20, 512, 3}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Plan plan = PlanMedia(c.whole, c.archives, c.geometry);
    ASSERT_TRUE(plan.error.empty()) << plan.error;
    EXPECT_EQ(plan.disks.size(), c.disks);
    std::map<std::string, std::uint64_t> covered;  // archive -> bytes placed so far, in order
    std::map<std::string, int> lastPart;
    for (std::size_t d = 0; d < plan.disks.size(); ++d) {
      const auto& disk = plan.disks[d];
      EXPECT_EQ(disk.files.front().name, "DISK" + std::to_string(d + 1));
      EXPECT_LE(UsedSpace(disk, c.geometry.cluster), c.geometry.capacity);
      EXPECT_LE(disk.files.size(), c.geometry.rootEntries);
      for (const auto& f : disk.files) {
        if (f.name == f.source) continue;  // the marker and the whole files
        EXPECT_GT(f.length, 0u) << f.name;
        EXPECT_EQ(f.offset, covered[f.source]) << f.name << ": parts follow each other without gap or overlap";
        covered[f.source] += f.length;
        EXPECT_EQ(f.name, f.source + "." + std::to_string(++lastPart[f.source]));
      }
    }
    for (const auto& a : c.archives) EXPECT_EQ(covered[a.base], a.size) << a.base;
    for (const auto& w : c.whole) {
      bool onDisk1 = false;
      for (const auto& f : plan.disks[0].files) onDisk1 |= f.name == w.name && f.length == w.size;
      EXPECT_TRUE(onDisk1) << w.name;
    }
  }
}

TEST(MediaPlan, WhatCannotBeLaidOutIsRefused) {
  struct Case {
    const char* what;
    std::vector<WholeFile> whole;
    std::vector<ArchiveToCut> archives;
    Geometry geometry;
    const char* error;
  };
  const Case cases[] = {
      {"setup larger than a disk", {{"INSTALL.EXE", 2'000'000}}, {}, Geometry{kFloppyCapacity}, "INSTALL.EXE does not fit"},
      {"empty archive", {}, {{"EXE", 0}}, Geometry{}, "archive EXE is empty"},
      {"disk smaller than a cluster", {}, {{"EXE", 10}}, Geometry{100}, "at least one cluster"},
      {"a base too long for a floppy", {}, {{"CORVANHELP", 10}}, Geometry{kFloppyCapacity}, "CORVANHELP.1 has no 8.3"},
      {"a thousand parts", {}, {{"EXE", 1000 * 1024}}, Geometry{1024}, "EXE.1000 has no 8.3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_NE(PlanMedia(c.whole, c.archives, c.geometry).error.find(c.error), std::string::npos);
  }
}
