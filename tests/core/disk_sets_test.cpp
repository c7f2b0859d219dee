// The rules of the installation disks: which files are joined, in what order, and how
// the copy gauge follows.
#include "core/disk_sets.h"

#include <gtest/gtest.h>

using namespace corvan;

TEST(DiskSets, WantedPartsFollowTheWantedSetAndTheDigitRule) {
  struct Case {
    const wchar_t* name;
    TInstallType type;
    bool fresh;  // InstallSets when true, UpgradeSets otherwise
    bool wanted;
  };
  const Case cases[] = {
      {L"EXE.1", itLocal, true, true},
      {L"exe.1", itLocal, true, true},        // bases match without regard to case
      {L"Exe.2", itLocal, true, true},
      {L"EXE.01", itLocal, true, true},
      {L"EXE.A9", itLocal, true, true},       // only the last character must be a digit
      {L"EXE.9A", itLocal, true, false},
      {L"EXE.ZIP", itLocal, true, false},
      {L"EXE.", itLocal, true, false},        // "." alone: not ending in a digit
      {L"EXE", itLocal, true, false},         // no extension at all
      {L"EXE.OLD.3", itLocal, true, true},    // base up to the first ".", extension from the last
      {L"EXEC.1", itLocal, true, false},
      {L"UPGRADE.1", itLocal, true, false},   // the upgrade package is never joined
      {L"UPGRADE.1", itServer, false, false},
      {L"DISK1", itLocal, true, false},
      {L"INSTALL.EXE", itLocal, true, false},
      {L"DBDAT.1", itClient, true, false},    // a client never receives database archives
      {L"DBNEW.1", itClient, true, false},
      {L"BDE32.1", itClient, true, true},
      {L"DBDAT.1", itServer, true, true},
      {L"DBDAT.1", itServer, false, false},   // an upgrade never re-installs the examples
      {L"BDE32.2", itLocal, false, false},    // ... nor the engine
      {L"DBNEW.3", itLocal, false, true},
      {L"EXE.1", itNone, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.name, c.name + wcslen(c.name)) << " type " << int(c.type));
    const TComponentSet set = c.fresh ? InstallSets[c.type] : UpgradeSets[c.type];
    EXPECT_EQ(IsWantedPart(c.name, set), c.wanted);
  }
}

TEST(DiskSets, PartsAreOrderedByBaseWithoutCaseThenByNumber) {
  std::vector<std::wstring> names;
  for (int k = 12; k >= 1; --k) names.push_back(L"EXE." + std::to_wstring(k));
  names.insert(names.begin() + 3, L"help.2");
  names.insert(names.begin() + 5, L"HELP.1");
  names.insert(names.begin(), L"Bde32.10");
  names.push_back(L"bde32.9");
  SortParts(names);
  std::vector<std::wstring> expected = {L"bde32.9", L"Bde32.10"};
  for (int k = 1; k <= 12; ++k) expected.push_back(L"EXE." + std::to_wstring(k));
  expected.push_back(L"HELP.1");
  expected.push_back(L"help.2");
  EXPECT_EQ(names, expected);
}

TEST(DiskSets, PartNamesSplitIntoBaseArchiveAndNumber) {
  EXPECT_EQ(PartNumber(L"EXE.12"), 12u);
  EXPECT_EQ(PartNumber(L"EXE.010"), 10u);
  EXPECT_EQ(PartNumber(L"EXE.99999999999999999999999"), UINT64_MAX);  // saturates, never wraps
  EXPECT_EQ(ArchiveNameOfPart(L"exe.3"), L"exe.ZIP");                 // the media's letter case is kept
  EXPECT_EQ(ArchiveNameOfPart(L"EXE.OLD.3"), L"EXE.ZIP");
  EXPECT_TRUE(StartsArchive(L"EXE.1"));
  EXPECT_FALSE(StartsArchive(L"EXE.01"));  // appends, never creates
  EXPECT_FALSE(StartsArchive(L"EXE.11"));
}

TEST(DiskSets, OnlyRemovableMediaIsWalkedAsSeveralDisks) {
  EXPECT_EQ(EffectiveDiskCount(6, false), 1);
  EXPECT_EQ(EffectiveDiskCount(6, true), 6);
  EXPECT_EQ(EffectiveDiskCount(0, true), 0);
  EXPECT_EQ(DiskMarkerName(12), L"DISK12");
  EXPECT_EQ(DiskPromptText(2), L"introdu discul de instalare cu numarul \r2");
}

TEST(DiskSets, GaugeKeepsItsPositionWithinTheMaximum) {
  Gauge gauge;
  gauge.SetMax(3);
  struct Step {
    std::int64_t set;
    std::uint32_t shown;
    int percent;
  };
  for (auto [set, shown, percent] : {Step{1, 1, 33}, Step{2, 2, 66}, Step{4, 3, 100}, Step{-5, 0, 0}}) {
    gauge.SetPosition(set);
    EXPECT_EQ(gauge.Position(), shown) << set;
    EXPECT_EQ(gauge.Percent(), percent) << set;
  }
  gauge.SetPosition(3);
  gauge.SetMax(0);  // a maximum of 0 pulls the position down and shows 0 %
  EXPECT_EQ(gauge.Position(), 0u);
  EXPECT_EQ(gauge.Percent(), 0);
  gauge.SetMax(UINT32_MAX);
  gauge.SetPosition(UINT32_MAX);
  EXPECT_EQ(gauge.Percent(), 100);  // no overflow in the percentage
}

TEST(DiskSets, APartIsCopiedUntilItsEndWhateverItsReadsGive) {
  // The source hands out its bytes in reads of at most `limit` (a network drive, a
  // failing floppy); a read past the end gives 0, a failing read -1.
  struct Case {
    std::size_t total, buffer, limit;
    int failAtRead;  // -1: never
    std::size_t expectWritten;
    int expectReads;
    PartCopyFault fault;
  };
  const Case cases[] = {
      {10, 4, 4, -1, 10, 4, PartCopyFault::None},      // 4, 4, 2, then 0: the end
      {8, 4, 4, -1, 8, 3, PartCopyFault::None},        // 4, 4, 0
      {0, 4, 4, -1, 0, 1, PartCopyFault::None},
      {10, 4, 3, -1, 10, 5, PartCopyFault::None},      // 3, 3, 3, 1, 0: a short read is not the end
      {10, 4, 1, -1, 10, 11, PartCopyFault::None},     // one byte at a time
      {10, 4, 4, 1, 4, 2, PartCopyFault::ReadError},   // a read error ends it, and is told
      {10, 4, 3, 3, 9, 4, PartCopyFault::ReadError},   // after short reads too
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "total " << c.total << " limit " << c.limit << " fail " << c.failAtRead);
    std::string source(c.total, '\0');
    for (std::size_t i = 0; i < c.total; ++i) source[i] = static_cast<char>('a' + i % 26);
    std::size_t at = 0;
    int reads = 0;
    std::string target;
    std::vector<char> buffer(c.buffer);
    const auto copied = CopyPartThroughBuffer(
        [&](char* b, std::size_t n) -> std::int64_t {
          if (reads++ == c.failAtRead) return -1;
          const std::size_t take = std::min({n, c.limit, c.total - at});
          std::copy_n(source.data() + at, take, b);
          at += take;
          return static_cast<std::int64_t>(take);
        },
        [&](const char* d, std::size_t n) {
          target.append(d, n);
          return true;
        },
        buffer.data(), buffer.size());
    EXPECT_EQ(copied.written, c.expectWritten);
    EXPECT_EQ(copied.fault, c.fault);
    EXPECT_EQ(target, source.substr(0, c.expectWritten));
    EXPECT_EQ(reads, c.expectReads);
  }
}

TEST(DiskSets, AWriteErrorStopsThePart) {
  std::vector<char> buffer(4);
  int reads = 0;
  const auto copied = CopyPartThroughBuffer(
      [&](char* b, std::size_t n) -> std::int64_t {
        ++reads;
        std::fill_n(b, n, 'x');
        return static_cast<std::int64_t>(n);
      },
      [](const char*, std::size_t) { return false; }, buffer.data(), buffer.size());
  EXPECT_EQ(copied.written, 0u);
  EXPECT_EQ(copied.fault, PartCopyFault::WriteError);
  EXPECT_EQ(reads, 1);
}

TEST(DiskSets, EachFailureOfTheJoinSaysWhatWentWrongAndWhere) {
  EXPECT_EQ(PartReadFailureText(L"EXE.2", 2),
            L"Nu pot citi fisierul EXE.2 de pe discul 2.\rVerificati discul si apasati din nou 'Continua'.");
  EXPECT_EQ(ArchiveWriteFailureText(L"C:\\Corvan\\EXE.ZIP", true),
            L"Nu pot scrie fisierul C:\\Corvan\\EXE.ZIP: nu mai este loc pe disc.\rFaceti loc pe disc si apasati din nou "
            L"'Continua'.");
  EXPECT_EQ(ArchiveWriteFailureText(L"C:\\Corvan\\EXE.ZIP", false),
            L"Nu pot scrie fisierul C:\\Corvan\\EXE.ZIP.\rVerificati folderul programului si apasati din nou 'Continua'.");
  EXPECT_EQ(MissingFirstPartText(L"help.3", 2),
            L"Fisierul help.3 de pe discul 2 continua arhiva help.ZIP, dar inceputul ei (help.1) nu se afla pe discurile "
            L"dinainte.\rVerificati discurile de instalare.");
}
