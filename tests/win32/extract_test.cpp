// Unpacking the joined archives with the lower gauge, the upgrade copy's entry filter,
// and removing the component archives afterwards: real archives in real folders.
#include "install/Extract.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>

#include "copy_page_fake.h"
#include "core/install_settings.h"
#include "toolkit/PlatformBox.h"
#include "win32_test_support.h"

using namespace corvan;

namespace {

struct Entry {
  std::string name;
  std::string data;
};

void Put(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i));
}

// A ZIP archive of stored entries, as small as the cases need.
std::string StoredZip(const std::vector<Entry>& entries) {
  std::string out, directory;
  for (const auto& e : entries) {
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size())));
    const auto offset = static_cast<std::uint32_t>(out.size());
    const auto size = static_cast<std::uint32_t>(e.data.size());
    Put(out, 0x04034b50, 4), Put(out, 20, 2), Put(out, 0, 2), Put(out, 0, 2), Put(out, 0, 4);
    Put(out, crc, 4), Put(out, size, 4), Put(out, size, 4), Put(out, static_cast<std::uint32_t>(e.name.size()), 2);
    Put(out, 0, 2);
    out += e.name + e.data;
    Put(directory, 0x02014b50, 4), Put(directory, 20, 2), Put(directory, 20, 2), Put(directory, 0, 2);
    Put(directory, 0, 2), Put(directory, 0, 4), Put(directory, crc, 4), Put(directory, size, 4);
    Put(directory, size, 4), Put(directory, static_cast<std::uint32_t>(e.name.size()), 2);
    Put(directory, 0, 2), Put(directory, 0, 2), Put(directory, 0, 2), Put(directory, 0, 2), Put(directory, 0, 4);
    Put(directory, offset, 4);
    directory += e.name;
  }
  const auto dirOffset = static_cast<std::uint32_t>(out.size());
  out += directory;
  Put(out, 0x06054b50, 4), Put(out, 0, 2), Put(out, 0, 2);
  Put(out, static_cast<std::uint32_t>(entries.size()), 2), Put(out, static_cast<std::uint32_t>(entries.size()), 2);
  Put(out, static_cast<std::uint32_t>(directory.size()), 4), Put(out, dirOffset, 4), Put(out, 0, 2);
  return out;
}

std::string Bytes(std::size_t n, char c) { return std::string(n, c); }

bool NonDecreasing(const std::vector<std::uint32_t>& v) { return std::is_sorted(v.begin(), v.end()); }

class ExtractTest : public testing::Test {
 protected:
  void SetUp() override {
    Settings() = {};
    Settings().ProgramDir = work.Path();
  }
  std::wstring Zip(const std::wstring& name, const std::vector<Entry>& entries) {
    const std::wstring path = work.Path() + name;
    EXPECT_TRUE(WriteBytes(path, StoredZip(entries)));
    return path;
  }
  TempFolder work, dest;
  RecordingCopyPage page;
  ExtractProgress counters;
};

}  // namespace

TEST_F(ExtractTest, TheGaugeCountsWholeKiBOfEachEntry) {
  const auto archive = Zip(L"EXE.ZIP", {{"A.DAT", Bytes(1500, 'a')}, {"B.DAT", Bytes(3000, 'b')}, {"C.DAT", Bytes(500, 'c')}});
  ASSERT_FALSE(ExtractArchive(page, counters, archive, dest.Path()));
  EXPECT_EQ(counters.ZipSize(), 3u);  // 1 + 2 + 0
  EXPECT_EQ(counters.ZipProgres(), 3u);
  EXPECT_EQ(page.unzipMaxima, (std::vector<std::uint32_t>{3}));
  ASSERT_FALSE(page.unzipPositions.empty());
  EXPECT_EQ(page.unzipPositions.front(), 0u) << "set to 0 before the maximum";
  EXPECT_TRUE(NonDecreasing(page.unzipPositions));
  EXPECT_NE(std::find(page.unzipPositions.begin(), page.unzipPositions.end(), 1u), page.unzipPositions.end())
      << "after the first entry the gauge stands at 1";
  EXPECT_EQ(page.unzipPositions.back(), 3u);
  EXPECT_EQ(page.unzip.Percent(), 100);
  EXPECT_EQ(ReadBytes(dest.Path() + L"B.DAT"), Bytes(3000, 'b'));
  EXPECT_EQ(page.pumps, 0) << "the copy page lets no messages through";
}

TEST_F(ExtractTest, SmallEntriesKeepTheGaugeAtZeroAndTheNextArchiveStartsAtZero) {
  const auto small = Zip(L"HELP.ZIP", {{"a.txt", "x"}, {"b.txt", Bytes(1023, 'b')}, {"e.txt", ""}});
  const auto large = Zip(L"EXE.ZIP", {{"big.bin", Bytes(64 * 1024, 'g')}});
  ASSERT_FALSE(ExtractArchive(page, counters, large, dest.Path()));
  EXPECT_EQ(page.unzip.Position(), 64u);
  page.unzipPositions.clear();
  ASSERT_FALSE(ExtractArchive(page, counters, small, dest.Path()));
  EXPECT_EQ(page.unzipMaxima, (std::vector<std::uint32_t>{64, 0}));
  for (auto p : page.unzipPositions) EXPECT_EQ(p, 0u);
  EXPECT_EQ(page.unzip.Percent(), 0);
  EXPECT_EQ(counters.ZipSize(), 0u);
  EXPECT_TRUE(PathExists(dest.Path() + L"e.txt"));
  EXPECT_EQ(ReadBytes(dest.Path() + L"b.txt"), Bytes(1023, 'b'));
}

TEST_F(ExtractTest, TheFilterChoosesEntriesAndTheWindowStaysResponsive) {
  const auto archive = Zip(L"EXE.ZIP", {{"CORVAN.EXE", Bytes(2048, 'c')},
                                        {"help/x.htm", "<html>"},
                                        {"IDAPI/idapi32.dll", Bytes(4096, 'i')}});
  std::vector<std::wstring> asked;
  ASSERT_FALSE(ExtractArchive(page, counters, archive, dest.Path(), [&](const std::wstring& name) {
    asked.push_back(name);
    return name.rfind(L"IDAPI", 0) != 0;
  }));
  EXPECT_EQ(asked, (std::vector<std::wstring>{L"CORVAN.EXE", L"help\\x.htm", L"IDAPI\\idapi32.dll"}));
  EXPECT_EQ(ReadBytes(dest.Path() + L"help\\x.htm"), "<html>");
  EXPECT_FALSE(PathExists(dest.Path() + L"IDAPI"));
  // The maximum still counts the refused entry, so the gauge stops short of full.
  EXPECT_EQ(page.unzipMaxima, (std::vector<std::uint32_t>{6}));
  EXPECT_EQ(page.unzip.Position(), 2u);
  EXPECT_GT(page.pumps, 0);
}

TEST_F(ExtractTest, ArchivesThatCannotBeUnpackedStopWithANamedError) {
  std::string truncated = StoredZip({{"A.DAT", Bytes(5000, 'a')}});
  truncated.resize(truncated.size() - 30);
  std::string flipped = StoredZip({{"A.DAT", Bytes(5000, 'a')}});
  flipped[40] ^= 0x55;  // inside the data: the CRC no longer matches
  struct Case {
    const char* what;
    const wchar_t* name;
    std::string bytes;  // empty: no file
    ZipResult result;
  };
  const Case cases[] = {
      {"missing archive", L"HELP.ZIP", "", ZipResult::ReadError},
      {"truncated archive", L"EXE.ZIP", truncated, ZipResult::Corrupt},
      {"damaged entry", L"DBNEW.ZIP", flipped, ZipResult::Corrupt},
      {"entry leaving the destination", L"DBDAT.ZIP", StoredZip({{"../escape.txt", "x"}}), ZipResult::UnsafeName},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder into;
    const std::wstring path = work.Path() + c.name;
    if (!c.bytes.empty()) {
      ASSERT_TRUE(WriteBytes(path, c.bytes));
    }
    const ZipError error = ExtractArchive(page, counters, path, into.Path() + L"sub\\");
    EXPECT_EQ(error.result, c.result);
    EXPECT_NE(error.message.find(c.name), std::wstring::npos) << "the message names the archive";
    EXPECT_FALSE(PathExists(into.Path() + L"escape.txt"));
  }
}

TEST_F(ExtractTest, OnlyTheComponentArchivesAreDeleted) {
  for (const wchar_t* name : {L"EXE.ZIP", L"help.zip", L"PAYDESK.ZIP", L"BDE32.ZIP", L"OLD.ZIP", L"Photos.zip"})
    ASSERT_TRUE(WriteBytes(work.Path() + name, "PK"));
  ASSERT_TRUE(SetFileAttributesW((work.Path() + L"BDE32.ZIP").c_str(), FILE_ATTRIBUTE_READONLY));
  std::vector<std::wstring> reports;
  DeleteAssembledArchives([&](const std::wstring& text) { reports.push_back(text); });
  EXPECT_EQ(reports, (std::vector<std::wstring>{L"Nu pot sterge " + work.Path() + L"BDE32.ZIP"}));
  for (const wchar_t* gone : {L"EXE.ZIP", L"HELP.ZIP", L"PAYDESK.ZIP"}) EXPECT_FALSE(PathExists(work.Path() + gone));
  for (const wchar_t* kept : {L"BDE32.ZIP", L"OLD.ZIP", L"Photos.zip"}) EXPECT_TRUE(PathExists(work.Path() + kept));
  SetFileAttributesW((work.Path() + L"BDE32.ZIP").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ExtractTest, AnUndeletableArchiveIsReportedByThePlatformsPlainBox) {
  ASSERT_TRUE(WriteBytes(work.Path() + L"EXE.ZIP", "PK"));
  ASSERT_TRUE(SetFileAttributesW((work.Path() + L"EXE.ZIP").c_str(), FILE_ATTRIBUTE_READONLY));
  std::vector<std::pair<std::wstring, TPlatformBox>> boxes;
  SetPlatformBoxObserver([&](const std::wstring& text, TPlatformBox kind) { boxes.emplace_back(text, kind); });
  DeleteAssembledArchives();
  SetPlatformBoxObserver(nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].first, L"Nu pot sterge " + work.Path() + L"EXE.ZIP");
  EXPECT_EQ(boxes[0].second, TPlatformBox::Plain);
  SetFileAttributesW((work.Path() + L"EXE.ZIP").c_str(), FILE_ATTRIBUTE_NORMAL);
}
