// Unpacking archives into real folders: sub-folders made, existing files replaced
// (read-only too), progress per entry, and every refusal leaving the folder and the
// user's files as they were.
#include "install/ZipArchive.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "tests/core/zip_test_archive.h"
#include "tests/win32/win32_test_support.h"

namespace {

std::string Bytes(const ziptest::Archive& zip) { return {zip.bytes.begin(), zip.bytes.end()}; }

// The names (relative, with a trailing '\' for folders) of everything under folder.
void ListTree(const std::wstring& folder, const std::wstring& prefix, std::vector<std::wstring>& out) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out.push_back(prefix + name + L"\\");
      ListTree(folder + name + L"\\", prefix + name + L"\\", out);
    } else {
      out.push_back(prefix + name);
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
}
std::vector<std::wstring> Tree(const std::wstring& folder) {
  std::vector<std::wstring> out;
  ListTree(folder, L"", out);
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace

TEST(ZipArchive, ExtractsIntoSubFoldersAndReplacesReadOnlyFiles) {
  TempFolder temp;
  const std::string firme = ziptest::TableBytes(2500 * 1024);
  const std::string corvan = ziptest::RandomBytes(1200 * 1024);
  const std::wstring archive = temp.Path() + L"EXE.ZIP";
  ASSERT_TRUE(WriteBytes(archive, Bytes(ziptest::MakeZip({
      {"CORVAN.EXE", corvan, 0},
      {"DATA/", "", 0},
      {"DATA/FIRME.DB", firme, 8},
      {"VerInfo/3200876.02/Instruct.htm", "<html></html>", 8},
      {"EMPTY.TXT", "", 8},
  }))));
  const std::wstring dest = temp.Path() + L"Corvan\\";
  ASSERT_TRUE(CreateDirectoryW(dest.c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(dest + L"CORVAN.EXE", "old program"));
  ASSERT_TRUE(SetFileAttributesW((dest + L"CORVAN.EXE").c_str(), FILE_ATTRIBUTE_READONLY));

  ZipError error;
  auto zip = ZipArchive::Open(archive, error);
  ASSERT_TRUE(zip) << std::string(error.message.begin(), error.message.end());
  ASSERT_EQ(zip->Count(), 5);
  EXPECT_EQ(zip->Name(3), L"VerInfo\\3200876.02\\Instruct.htm");
  EXPECT_TRUE(zip->IsFolder(1));
  EXPECT_EQ(zip->UncompressedSize(2), firme.size());

  // Every entry reports rising positions ending once on its own size.
  std::vector<std::vector<std::uint64_t>> positions(zip->Count());
  for (int i = 0; i < zip->Count(); ++i) {
    SCOPED_TRACE(i);
    const ZipError e = zip->ExtractEntry(i, dest, [&](std::uint64_t n) { positions[i].push_back(n); return true; });
    ASSERT_FALSE(e) << std::string(e.message.begin(), e.message.end());
    ASSERT_FALSE(positions[i].empty());
    EXPECT_EQ(positions[i].back(), zip->UncompressedSize(i));
    EXPECT_EQ(std::count(positions[i].begin(), positions[i].end(), zip->UncompressedSize(i)), 1);
  }
  EXPECT_GE(positions[2].size(), 3u);  // a 2.5 MB entry reports as it goes, not only at its end

  EXPECT_TRUE(ReadBytes(dest + L"CORVAN.EXE") == corvan);
  EXPECT_TRUE(ReadBytes(dest + L"DATA\\FIRME.DB") == firme);
  EXPECT_EQ(ReadBytes(dest + L"VerInfo\\3200876.02\\Instruct.htm"), "<html></html>");
  EXPECT_EQ(Tree(dest), (std::vector<std::wstring>{L"CORVAN.EXE", L"DATA\\", L"DATA\\FIRME.DB", L"EMPTY.TXT",
                                                   L"VerInfo\\", L"VerInfo\\3200876.02\\",
                                                   L"VerInfo\\3200876.02\\Instruct.htm"}));

  // Unpacking again replaces what is there, and the filter keeps what it refuses.
  ASSERT_TRUE(WriteBytes(dest + L"DATA\\FIRME.DB", "the user's data"));
  ASSERT_TRUE(WriteBytes(dest + L"EMPTY.TXT", "not empty"));
  EXPECT_FALSE(zip->ExtractAll(dest, [](const std::wstring& name) { return name.rfind(L"DATA\\", 0) != 0; }));
  EXPECT_EQ(ReadBytes(dest + L"DATA\\FIRME.DB"), "the user's data");
  EXPECT_EQ(ReadBytes(dest + L"EMPTY.TXT"), "");
}

TEST(ZipArchive, RefusesUnsafeNamesWithoutWritingAnything) {
  TempFolder temp;
  const std::wstring dest = temp.Path() + L"Corvan\\";
  const char* hostile[] = {"../EVIL.EXE", "DATA/../../EVIL.EXE", "C:/EVIL.EXE", "\\EVIL.EXE",
                           "//server/share/EVIL.EXE", "..\\EVIL.EXE", "EVIL.EXE:stream", "DATA/CON"};
  for (const char* name : hostile) {
    SCOPED_TRACE(name);
    const std::wstring archive = temp.Path() + L"HOSTILE.ZIP";
    ASSERT_TRUE(WriteBytes(archive, Bytes(ziptest::MakeZip({{"GOOD.TXT", "good", 0}, {name, "evil", 8}}))));
    ZipError error;
    EXPECT_FALSE(ZipArchive::Open(archive, error));
    EXPECT_EQ(error.result, ZipResult::UnsafeName);
    EXPECT_EQ(error.archive, archive);
    EXPECT_NE(error.message.find(archive), std::wstring::npos);
    EXPECT_NE(error.message.find(std::wstring(name, name + strlen(name))), std::wstring::npos);
  }
  // Nothing was written: not in the destination, not beside it, not at the root of C:.
  EXPECT_FALSE(PathExists(dest));
  EXPECT_EQ(Tree(temp.Path()), std::vector<std::wstring>{L"HOSTILE.ZIP"});
  EXPECT_FALSE(PathExists(L"C:\\EVIL.EXE"));
}

TEST(ZipArchive, ADamagedEntryLeavesTheUsersFileWhole) {
  TempFolder temp;
  const std::wstring dest = temp.Path();
  ziptest::Archive zip = ziptest::MakeZip({{"OK.TXT", "fine", 8}, {"FIRME.DB", ziptest::TableBytes(3 << 20), 8}});
  zip.PutBoth32(1, ziptest::Archive::kLocalCrc, ziptest::Archive::kCentralCrc, 0xDEADBEEF);
  const std::wstring archive = dest + L"EXE.ZIP";
  ASSERT_TRUE(WriteBytes(archive, Bytes(zip)));
  ASSERT_TRUE(WriteBytes(dest + L"FIRME.DB", "the user's database"));

  ZipError error;
  auto opened = ZipArchive::Open(archive, error);
  ASSERT_TRUE(opened);
  error = opened->ExtractAll(dest);
  EXPECT_EQ(error.result, ZipResult::Corrupt);
  EXPECT_EQ(error.entry, L"FIRME.DB");
  EXPECT_EQ(error.message, L"Arhiva " + archive + L" este deteriorata: fisierul FIRME.DB nu corespunde (CRC).");
  EXPECT_EQ(ReadBytes(dest + L"FIRME.DB"), "the user's database");
  EXPECT_EQ(ReadBytes(dest + L"OK.TXT"), "fine");
  // No temporary file is left behind.
  EXPECT_EQ(Tree(dest), (std::vector<std::wstring>{L"EXE.ZIP", L"FIRME.DB", L"OK.TXT"}));
}

TEST(ZipArchive, NamesTheArchiveWhenItCannotBeUsed) {
  TempFolder temp;
  struct Case {
    const wchar_t* file;
    std::string bytes;  // empty: the file is not there
    ZipResult result;
    const wchar_t* sentence;
  };
  std::string cut = Bytes(ziptest::MakeZip({{"A.TXT", ziptest::TableBytes(5000), 8}}));
  cut.resize(cut.size() - 30);
  const Case cases[] = {
      {L"MISSING.ZIP", "", ZipResult::ReadError, L"Nu pot citi arhiva "},
      {L"CUT.ZIP", cut, ZipResult::Corrupt, L" este incompleta (trunchiata)."},
      {L"TEXT.ZIP", std::string(200, 'x'), ZipResult::Corrupt, L" nu este o arhiva ZIP."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.file, c.file + wcslen(c.file)).c_str());
    const std::wstring path = temp.Path() + c.file;
    if (!c.bytes.empty()) {
      ASSERT_TRUE(WriteBytes(path, c.bytes));
    }
    ZipError error;
    EXPECT_FALSE(ZipArchive::Open(path, error));
    EXPECT_EQ(error.result, c.result);
    EXPECT_NE(error.message.find(path), std::wstring::npos);
    EXPECT_NE(error.message.find(c.sentence), std::wstring::npos);
  }
  // A bare name is reported by its full path.
  ASSERT_TRUE(SetCurrentDirectoryW(temp.Path().c_str()));
  ZipError error;
  EXPECT_FALSE(ZipArchive::Open(L"TEXT.ZIP", error));
  EXPECT_EQ(error.archive, temp.Path() + L"TEXT.ZIP");
  SetCurrentDirectoryW(L"C:\\");
}

TEST(ZipArchive, AFileInTheWayOfAFolderIsAWriteError) {
  TempFolder temp;
  const std::wstring archive = temp.Path() + L"EXE.ZIP";
  ASSERT_TRUE(WriteBytes(archive, Bytes(ziptest::MakeZip({{"DATA/FIRME.DB", "x", 0}}))));
  const std::wstring dest = temp.Path() + L"dest\\";
  ASSERT_TRUE(CreateDirectoryW(dest.c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(dest + L"DATA", "a file named like the folder"));
  ZipError error;
  auto zip = ZipArchive::Open(archive, error);
  ASSERT_TRUE(zip);
  error = zip->ExtractAll(dest);
  EXPECT_EQ(error.result, ZipResult::WriteError);
  EXPECT_EQ(error.message, L"Nu pot scrie fisierul " + dest + L"DATA\\FIRME.DB din arhiva " + archive + L".");
  EXPECT_EQ(ReadBytes(dest + L"DATA"), "a file named like the folder");
}
