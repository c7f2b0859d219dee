// The upgrade package and the upgrade library under Wine: unpacking or discarding the
// package, loading the library by its full path, and the demo library's three steps
// on a demo database reached through the stand-in engine's CORVAN alias.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "core/install_settings.h"
#include "engine_test_support.h"
#include "platform/AppDir.h"
#include "sysconfig/BdeConfig.h"
#include "toolkit/Dialogs.h"
#include "upgrade/Upgint.h"

using namespace corvan;

namespace {
std::wstring UpgradeDllBuilt() { return StandinBuildFolder(L"upgrade") + L"UPGRADE.DLL"; }

// A table as the product writes it: a 2048-byte header (record size, header size,
// record count) followed by the records.
std::string Table(unsigned recordSize, unsigned records) {
  std::string bytes(2048 + recordSize * records, 'r');
  std::fill(bytes.begin(), bytes.begin() + 2048, '\0');
  bytes[0] = static_cast<char>(recordSize & 0xFF);
  bytes[1] = static_cast<char>(recordSize >> 8);
  bytes[2] = 0;
  bytes[3] = 2048 >> 8;
  bytes[5] = 2;
  bytes[6] = static_cast<char>(records);
  return bytes;
}

std::vector<std::string> reports;
void WINAPI CollectReport(HGLOBAL block) {
  const char* text = static_cast<const char*>(GlobalLock(block));
  ASSERT_NE(text, nullptr);
  reports.emplace_back(text);
  GlobalUnlock(block);
}

bool ReportedContaining(const std::string& part) {
  for (const auto& r : reports)
    if (r.find(part) != std::string::npos) return true;
  return false;
}

// A registered stand-in engine whose CORVAN alias points at dataDir\DATA, holding the
// example tables FIRME.DB (3 records) and OPERATOR.DB (2 records). The engine is
// registered once for the suite (this process keeps it loaded); each test gets the
// tables afresh and the library loaded from a program folder of its own.
class DemoDatabase : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RemoveEngine();
    ASSERT_TRUE(CopyEngineFiles());
    root_ = new TempFolder;
    Settings().DataDir = root_->Path() + L"Data";
    for (int i = 0; i < AliasCount; ++i)
      SHCreateDirectoryExW(nullptr, AliasFolder(Settings().DataDir, i).c_str(), nullptr);
    DoConfigBDE();
  }
  static void TearDownTestSuite() {
    delete root_;
    root_ = nullptr;
  }

  void SetUp() override {
    database_ = Settings().DataDir + L"\\DATA\\";
    SHCreateDirectoryExW(nullptr, database_.c_str(), nullptr);
    DeleteFileW((database_ + L"UPGRADE.VER").c_str());
    ASSERT_TRUE(WriteBytes(database_ + L"FIRME.DB", Table(80, 3)));
    ASSERT_TRUE(WriteBytes(database_ + L"OPERATOR.DB", Table(50, 2)));
    ASSERT_TRUE(CopyFileW(UpgradeDllBuilt().c_str(), (app_.Path() + L"UPGRADE.DLL").c_str(), FALSE));
    ASSERT_TRUE(LoadUpgradeLibraryFrom(app_.Path()));
    reports.clear();
    UpgradeSetReportProc(CollectReport);
  }
  void TearDown() override { FreeUpgradeLibrary(); }

  std::wstring Stamp(const wchar_t* key) {
    wchar_t value[64] = {};
    GetPrivateProfileStringW(L"Upgrade", key, L"", value, 64, (database_ + L"UPGRADE.VER").c_str());
    return value;
  }

  static TempFolder* root_;
  TempFolder app_;
  std::wstring database_;
};
TempFolder* DemoDatabase::root_ = nullptr;
}  // namespace

TEST_F(DemoDatabase, ThreeStepsBringTheDatabaseUpToDateAndReport) {
  EXPECT_EQ(UpgradeAliasPath(L"CORVAN"), Settings().DataDir + L"\\DATA");
  EXPECT_EQ(UpgradeAliasPath(L"LUNAALIAS"), Settings().DataDir + L"\\NEW\\LUNA");
  EXPECT_EQ(UpgradeAliasPath(L"NICIUNUL"), L"");
  const std::string firme = ReadBytes(database_ + L"FIRME.DB");
  const std::string operators = ReadBytes(database_ + L"OPERATOR.DB");

  EXPECT_TRUE(RunUpgradeStep(usStructure));
  EXPECT_GE(reports.size(), 3u);
  EXPECT_TRUE(ReportedContaining("verific OPERATOR.DB"));
  EXPECT_EQ(Stamp(L"Structure"), L"3200876.02");

  reports.clear();
  EXPECT_TRUE(RunUpgradeStep(usLists));
  EXPECT_GE(reports.size(), 3u);
  EXPECT_TRUE(ReportedContaining("2 inregistrari"));
  EXPECT_EQ(Stamp(L"Lists"), L"3200876.02");

  reports.clear();
  EXPECT_TRUE(RunUpgradeStep(usConstants));
  EXPECT_GE(reports.size(), 3u);
  EXPECT_EQ(Stamp(L"Constants"), L"3200876.02");

  // The customer's tables are read, never rewritten.
  EXPECT_EQ(ReadBytes(database_ + L"FIRME.DB"), firme);
  EXPECT_EQ(ReadBytes(database_ + L"OPERATOR.DB"), operators);
}

TEST_F(DemoDatabase, FailedStepsAnswerFalseAndSayWhy) {
  // A damaged table fails the full structure check but passes the quick one.
  ASSERT_TRUE(WriteBytes(database_ + L"FIRME.DB", Table(80, 3).substr(0, 2100)));
  EXPECT_FALSE(RunUpgradeStep(usStructure));
  EXPECT_TRUE(ReportedContaining("FIRME.DB are structura deteriorata"));
  EXPECT_EQ(Stamp(L"Structure"), L"");
  UpgradeSetQuickVerif(true);
  EXPECT_TRUE(RunUpgradeStep(usStructure));
  UpgradeSetQuickVerif(false);

  // The lists need structures of this version: a database never checked fails them.
  DeleteFileW((database_ + L"UPGRADE.VER").c_str());
  reports.clear();
  EXPECT_FALSE(RunUpgradeStep(usLists));
  EXPECT_TRUE(ReportedContaining("structurile nu sunt la versiunea"));

  // A missing table fails the structure step and the steps that need it; the others run.
  ASSERT_TRUE(WriteBytes(database_ + L"FIRME.DB", Table(80, 3)));
  ASSERT_TRUE(DeleteFileW((database_ + L"OPERATOR.DB").c_str()));
  reports.clear();
  EXPECT_FALSE(RunUpgradeStep(usStructure));
  EXPECT_TRUE(ReportedContaining("lipseste tabela OPERATOR.DB"));
  EXPECT_TRUE(RunUpgradeStep(usConstants));
  EXPECT_EQ(Stamp(L"Constants"), L"3200876.02");
  EXPECT_FALSE(PathExists(database_ + L"OPERATOR.DB"));

  // Without the alias's folder nothing can be checked.
  RemoveTree(database_);
  reports.clear();
  EXPECT_FALSE(RunUpgradeStep(usConstants));
  EXPECT_TRUE(ReportedContaining("nu poate fi deschisa"));
}

TEST(UpgradeLibraryLoad, FullPathLengthAndBadFiles) {
  TempFolder root;
  // The library's full name may be 254 characters long, not 255.
  for (std::size_t length : {254u, 255u}) {
    SCOPED_TRACE(length);
    std::wstring folder = root.Path();
    folder.append(length - folder.size() - std::wstring(L"UPGRADE.DLL").size() - 1, L'u');
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(UpgradeDllBuilt().c_str(), (folder + L"\\UPGRADE.DLL").c_str(), FALSE));
    EXPECT_EQ(LoadUpgradeLibraryFrom(folder), length == 254);
    EXPECT_EQ(UpgradeLibraryLoaded(), length == 254);
    FreeUpgradeLibrary();
    EXPECT_EQ(GetModuleHandleW((folder + L"\\UPGRADE.DLL").c_str()), nullptr);
  }

  // No library, or a file that is no library: false, and no step runs.
  TempFolder empty;
  EXPECT_FALSE(LoadUpgradeLibraryFrom(empty.Path()));
  ASSERT_TRUE(WriteBytes(empty.Path() + L"UPGRADE.DLL", "MZ nu este o biblioteca"));
  EXPECT_FALSE(LoadUpgradeLibraryFrom(empty.Path()));
  EXPECT_FALSE(RunUpgradeStep(usStructure));
  EXPECT_EQ(UpgradeAliasPath(L"CORVAN"), L"");
}

namespace {
std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void Put16(std::string& out, unsigned v) { out += {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)}; }
void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A ZIP archive of stored (uncompressed) entries, as a packer writes it.
std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string out, directory;
  for (const auto& [name, data] : entries) {
    const auto offset = static_cast<std::uint32_t>(out.size());
    const std::uint32_t crc = Crc32(data);
    Put32(out, 0x04034b50);
    for (unsigned v : {20u, 0u, 0u, 0u, 0u}) Put16(out, v);
    for (std::uint32_t v : {crc, static_cast<std::uint32_t>(data.size()), static_cast<std::uint32_t>(data.size())})
      Put32(out, v);
    Put16(out, static_cast<unsigned>(name.size()));
    Put16(out, 0);
    out += name + data;
    Put32(directory, 0x02014b50);
    for (unsigned v : {20u, 20u, 0u, 0u, 0u, 0u}) Put16(directory, v);
    for (std::uint32_t v : {crc, static_cast<std::uint32_t>(data.size()), static_cast<std::uint32_t>(data.size())})
      Put32(directory, v);
    for (unsigned v : {static_cast<unsigned>(name.size()), 0u, 0u, 0u, 0u}) Put16(directory, v);
    Put32(directory, 0);
    Put32(directory, offset);
    directory += name;
  }
  const auto directoryOffset = static_cast<std::uint32_t>(out.size());
  out += directory;
  Put32(out, 0x06054b50);
  for (unsigned v : {0u, 0u, static_cast<unsigned>(entries.size()), static_cast<unsigned>(entries.size())})
    Put16(out, v);
  Put32(out, static_cast<std::uint32_t>(directory.size()));
  Put32(out, directoryOffset);
  Put16(out, 0);
  return out;
}
}  // namespace

TEST(UpgradePackage, UnpackedOnTheUpgradeRoadDiscardedOtherwise) {
  TempFolder app;
  AppDir = app.Path();
  const std::wstring package = app.Path() + L"UPGRADE.ZIP";
  const std::string library = ReadBytes(UpgradeDllBuilt());
  ASSERT_FALSE(library.empty());
  std::vector<MsgDlgRequest> shown;
  SetMsgDlgObserver([&](const MsgDlgRequest& r) {
    shown.push_back(r);
    return TModalResult::Ok;
  });

  // Fresh road: the package goes, whether or not it is there, silently.
  Settings() = {};
  ASSERT_TRUE(WriteBytes(package, StoredZip({{"UPGRADE.DLL", library}})));
  UnpackUpgradePackage();
  EXPECT_FALSE(PathExists(package));
  EXPECT_FALSE(PathExists(app.Path() + L"UPGRADE.DLL"));
  UnpackUpgradePackage();
  EXPECT_TRUE(shown.empty());

  // Upgrade road: every entry is unpacked beside the program and the package deleted;
  // the library then loads from there.
  Settings().UpgradeMode = true;
  ASSERT_TRUE(WriteBytes(package, StoredZip({{"UPGRADE.DLL", library}, {"Citeste.txt", "note"}})));
  UnpackUpgradePackage();
  EXPECT_TRUE(shown.empty());
  EXPECT_FALSE(PathExists(package));
  EXPECT_EQ(ReadBytes(app.Path() + L"UPGRADE.DLL"), library);
  EXPECT_EQ(ReadBytes(app.Path() + L"Citeste.txt"), "note");
  EXPECT_TRUE(LoadUpgradeLibrary());
  FreeUpgradeLibrary();

  // A library already unpacked (a second start of the same copy) needs no package.
  UnpackUpgradePackage();
  EXPECT_TRUE(shown.empty());

  // Neither package nor library: the error, once, with an OK button.
  ASSERT_TRUE(DeleteFileW((app.Path() + L"UPGRADE.DLL").c_str()));
  UnpackUpgradePackage();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].shownText, MessageShownText(L"Nu gasesc Upgrade.zip"));
  EXPECT_EQ(shown[0].alignment, taCenter);
  EXPECT_EQ(shown[0].kind, mtError);
  EXPECT_EQ(shown[0].caption, L"");
  EXPECT_EQ(shown[0].buttons, Buttons({mbOK}));

  // A damaged package is shown and kept, never half-deleted.
  shown.clear();
  std::string damaged = StoredZip({{"UPGRADE.DLL", library}});
  damaged[200] ^= 0x5A;  // inside the library's bytes: its check sum no longer agrees
  ASSERT_TRUE(WriteBytes(package, damaged));
  UnpackUpgradePackage();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].kind, mtError);
  EXPECT_NE(shown[0].shownText.find(L"UPGRADE.ZIP"), std::wstring::npos);
  EXPECT_TRUE(PathExists(package));
  SetMsgDlgObserver(nullptr);
}
