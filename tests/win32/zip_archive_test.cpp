// Unpacking archives into real folders: sub-folders made, existing files replaced
// (read-only too), progress per entry, and every refusal leaving the folder and the
// user's files as they were.
#include "install/ZipArchive.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/text.h"
#include "core/zip_names.h"

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

TEST(ZipArchive, ADamagedEntryOfANewFileLeavesNoFileOfItsName) {
  TempFolder temp;
  const std::wstring dest = temp.Path();
  ziptest::Archive zip = ziptest::MakeZip({{"OK.TXT", "fine", 8}, {"DATA/NOTE.DB", ziptest::TableBytes(3 << 20), 8}});
  zip.PutBoth32(1, ziptest::Archive::kLocalCrc, ziptest::Archive::kCentralCrc, 0xDEADBEEF);
  const std::wstring archive = dest + L"EXE.ZIP";
  ASSERT_TRUE(WriteBytes(archive, Bytes(zip)));

  ZipError error;
  auto opened = ZipArchive::Open(archive, error);
  ASSERT_TRUE(opened);
  error = opened->ExtractAll(dest);
  EXPECT_EQ(error.result, ZipResult::Corrupt);
  EXPECT_EQ(error.entry, L"DATA/NOTE.DB");
  // Written under its own name, the damaged file is removed again: neither it nor a
  // temporary file stays.
  EXPECT_EQ(Tree(dest), (std::vector<std::wstring>{L"DATA\\", L"EXE.ZIP", L"OK.TXT"}));
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

TEST(ZipArchive, HostileNamesAreRefusedAtOnceWithNothingCreated) {
  std::string deep, wide;
  for (int i = 0; i < 32767; ++i) deep += "d/";
  for (int i = 0; i < 330; ++i) wide += std::string(99, 'p') + "/";
  struct Case {
    const char* what;
    std::vector<ziptest::Entry> entries;
    ZipResult result;
    corvan::ZipFault fault;
    std::wstring named;  // what the message must show of the entry
  };
  const std::wstring a60(60, L'A');
  const Case cases[] = {
      {"two folders of 150 characters", {{std::string(150, 'A') + "/" + std::string(150, 'B') + "/x.txt", "x", 8}},
       ZipResult::UnsafeName, corvan::ZipFault::PathTooLong, a60 + L"..."},
      {"32767 nested folders", {{deep + "f", "x", 8}}, ZipResult::UnsafeName, corvan::ZipFault::PathTooLong,
       L"d/d/d/"},
      {"a path of 33,000 characters", {{wide + "f.txt", "x", 8}}, ZipResult::UnsafeName,
       corvan::ZipFault::PathTooLong, L"(33005 de caractere)"},
      {"a.txt and A.TXT", {{"a.txt", "small", 0}, {"A.TXT", "CAPITAL", 0}}, ZipResult::UnsafeName,
       corvan::ZipFault::DuplicateName, L"a.txt si A.TXT"},
      {"DATA\\FIRME.DB and data/firme.db", {{"DATA\\FIRME.DB", "1", 0}, {"data/firme.db", "2", 0}},
       ZipResult::UnsafeName, corvan::ZipFault::DuplicateName, L"data/firme.db"},
      {"a file named like a folder", {{"DATA", "1", 0}, {"DATA/FIRME.DB", "2", 0}}, ZipResult::UnsafeName,
       corvan::ZipFault::FileFolderClash, L"DATA si DATA/FIRME.DB"},
      {"a control character", {{"OK.TXT", "ok", 0}, {"FIRME\x07.DB", "x", 0}}, ZipResult::UnsafeName,
       corvan::ZipFault::InvalidName, L"FIRME?.DB, al carui nume contine caractere de control"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder temp;
    const std::wstring archive = temp.Path() + L"HOSTILE.ZIP";
    ASSERT_TRUE(WriteBytes(archive, Bytes(ziptest::MakeZip(c.entries))));
    const std::wstring dest = temp.Path() + L"Corvan\\";
    const ULONGLONG start = GetTickCount64();
    ZipError error;
    auto zip = ZipArchive::Open(archive, error, dest);
    const ULONGLONG took = GetTickCount64() - start;
    std::printf("  %s: refused in %llu ms\n", c.what, took);
    EXPECT_FALSE(zip);
    EXPECT_EQ(error.result, c.result);
    EXPECT_EQ(error.fault, c.fault);
    EXPECT_NE(error.message.find(archive), std::wstring::npos);
    EXPECT_NE(error.message.find(c.named), std::wstring::npos) << std::string(error.message.begin(), error.message.end());
    EXPECT_LT(error.message.size(), 600u) << "a hostile name is cut in the message";
    // Opened without a destination, the archive is refused all the same.
    EXPECT_FALSE(ZipArchive::Open(archive, error));
    EXPECT_EQ(error.fault, c.fault);
    EXPECT_EQ(Tree(temp.Path()), std::vector<std::wstring>{L"HOSTILE.ZIP"}) << "nothing made, no temporary file";
  }
}

TEST(ZipArchive, APathTooLongForItsDestinationIsRefusedBeforeAnythingIsMade) {
  TempFolder temp;
  // A destination 200 characters long (made here, one folder at a time).
  std::wstring dest = corvan::WithoutTrailingBackslash(temp.Path());
  while (dest.size() < 190) {
    dest += L"\\" + std::wstring(std::min<std::size_t>(40, 199 - dest.size()), L'f');
    ASSERT_TRUE(CreateDirectoryW(dest.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  }
  ASSERT_LE(dest.size(), 200u);
  const std::size_t room = corvan::kMaxFilePathLength - dest.size() - 1;  // for a file directly in it
  const std::wstring archive = temp.Path() + L"EXE.ZIP";
  const std::string fits(room, 'f'), over(room + 1, 'o');
  ASSERT_TRUE(WriteBytes(archive, Bytes(ziptest::MakeZip({{"A.TXT", "a", 0}, {fits, "fits", 0}, {over, "over", 0}}))));
  const auto before = Tree(temp.Path());

  ZipError error;
  EXPECT_FALSE(ZipArchive::Open(archive, error, dest));
  EXPECT_EQ(error.fault, corvan::ZipFault::PathTooLong);
  EXPECT_EQ(error.entry, std::wstring(over.begin(), over.end()));
  // Opened for another folder, it is refused when it is unpacked here: before the
  // first entry, so not even A.TXT is written.
  auto zip = ZipArchive::Open(archive, error, temp.Path());
  ASSERT_TRUE(zip);
  error = zip->ExtractAll(dest);
  EXPECT_EQ(error.fault, corvan::ZipFault::PathTooLong);
  error = zip->ExtractEntry(2, dest);
  EXPECT_EQ(error.fault, corvan::ZipFault::PathTooLong);
  EXPECT_EQ(Tree(temp.Path()), before);
  // The entry one character shorter is written, through its temporary name beside it.
  EXPECT_FALSE(zip->ExtractEntry(1, dest));
  EXPECT_EQ(ReadBytes(dest + L"\\" + std::wstring(fits.begin(), fits.end())), "fits");
}

TEST(ZipArchive, AFullDestinationIsToldAsSuchAndLeavesTheUsersFilesWhole) {
  const std::wstring drive = SmallDrive();
  if (drive.empty()) GTEST_SKIP() << "no small drive here; tests/e2e/full_destination.sh runs this case";
  TempFolder temp;
  const std::wstring dest = drive + L"Corvan\\", ballast = drive + L"ballast.bin";
  ASSERT_TRUE(CreateDirectoryW(dest.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  ASSERT_TRUE(WriteBytes(dest + L"CORVAN.EXE", "the installed program"));
  const std::string program = ziptest::RandomBytes(600 * 1024);
  const std::wstring archive = temp.Path() + L"EXE.ZIP";
  ASSERT_TRUE(WriteBytes(archive, Bytes(ziptest::MakeZip({{"README.TXT", "read me", 8}, {"CORVAN.EXE", program, 0}}))));
  ASSERT_TRUE(FillDriveLeaving(drive, 200 * 1024, ballast));

  ZipError error;
  auto zip = ZipArchive::Open(archive, error, dest);
  ASSERT_TRUE(zip);
  error = zip->ExtractAll(dest);
  EXPECT_EQ(error.result, ZipResult::DiskFull);
  EXPECT_EQ(error.message, L"Nu pot scrie fisierul " + dest + L"CORVAN.EXE din arhiva " + archive +
                               L": nu mai este loc pe disc.");
  EXPECT_EQ(ReadBytes(dest + L"CORVAN.EXE"), "the installed program");
  EXPECT_EQ(Tree(dest), (std::vector<std::wstring>{L"CORVAN.EXE", L"README.TXT"})) << "no temporary file left";

  // Room made, the same archive unpacks whole.
  ASSERT_TRUE(DeleteFileW(ballast.c_str()));
  EXPECT_FALSE(zip->ExtractAll(dest));
  EXPECT_TRUE(ReadBytes(dest + L"CORVAN.EXE") == program);
  RemoveTree(dest);
}
