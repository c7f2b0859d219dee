// The copy of a fresh installation as the copy page runs it: parts joined from the
// media, each component of the install type unpacked into the folder of its destination
// kind (an installed engine and an existing database left alone), the joined archives
// deleted. Real archives, real folders and the real registry of the test's prefix.
#include "install/CopyComponents.h"

#include <gtest/gtest.h>

#include <map>

#include "copy_page_fake.h"
#include "core/install_settings.h"
#include "core/text.h"
#include "tests/core/zip_test_archive.h"
#include "toolkit/Dialogs.h"
#include "win32_test_support.h"

using namespace corvan;

namespace {

constexpr wchar_t EngineKey[] = L"Software\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT";
constexpr wchar_t WindowsKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion";

using Files = std::map<std::wstring, std::string>;  // relative path -> bytes

// One component per row of the table, each with a file of its own and one in a sub-folder.
const std::map<std::wstring, std::vector<ziptest::Entry>> kComponents = {
    {L"EXE", {{"CORVAN.EXE", ziptest::RandomBytes(300 * 1024), 0}, {"VerInfo/3200876.02/Instruct.htm", "<p>x</p>"}}},
    {L"OUTPOST", {{"OUTPOST.EXE", "outpost program"}}},
    {L"DBDAT", {{"DATA/FIRME.DB", ziptest::TableBytes(80 * 1024)}, {"DATA/OPERATOR.DB", "operators"}}},
    {L"DBNEW", {{"NEW/DATA/FIRME.DB", "blank firms"}, {"NEW/FIRMA/logo.bmp", "BM"}, {"NEW/LUNA/NOTE.DB", "notes"}}},
    {L"BDE32", {{"IDAPI32.DLL", "engine"}, {"bde.reg", "REGEDIT4"}}},
    {L"HELP", {{"HHUPD.EXE", "help updater"}, {"Help/Corvan.htm", "help"}}},
    {L"PAYDESK", {{"PAYDESK.EXE", ziptest::TableBytes(20 * 1024)}}},
};

std::string Bytes(const ziptest::Archive& zip) { return {zip.bytes.begin(), zip.bytes.end()}; }

std::wstring Wide(const std::string& s) { return {s.begin(), s.end()}; }
std::wstring Backslashed(std::string name) {
  for (auto& c : name)
    if (c == '/') c = '\\';
  return Wide(name);
}

class CopyComponentsTest : public testing::Test {
 protected:
  void SetUp() override {
    Settings() = {};
    Settings().InstallType = itLocal;
    Settings().SourceDir = media.Path();
    Settings().ProposedProgramDir = Settings().ProgramDir = root.Path() + L"Corvan";
    Settings().DataDir = Settings().ProposedDataDir = root.Path() + L"Date";
    ASSERT_TRUE(CreateDirectoryW(Settings().ProgramDir.c_str(), nullptr));
    WriteBytes(media.Path() + L"DISK1", "");
    // Each archive cut in two parts, as the media builder cuts them.
    for (const auto& [base, entries] : kComponents) PutComponent(base, entries);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Borland");
    programFiles = root.Path() + L"Program Files";
    ASSERT_TRUE(CreateDirectoryW(programFiles.c_str(), nullptr));
    originalProgramFiles = ProgramFiles();
    SetProgramFiles(programFiles);
    MessagePrefix.clear();
  }
  void TearDown() override {
    SetProgramFiles(originalProgramFiles);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Borland");
    SetMsgDlgObserver(nullptr);
    SetCurrentDirectoryW(TestProgramFolder().c_str());  // the copy leaves the work folder current
  }

  // A second copy in the same test starts again from fresh folders.
  void Fresh() {
    TearDown();
    for (const auto& folder : {root.Path() + L"Corvan", root.Path() + L"Date", programFiles}) RemoveTree(folder);
    page = RecordingCopyPage{};
    instructionsShown.clear();
    deleteFailures.clear();
    SetUp();
  }

  void PutComponent(const std::wstring& base, const std::vector<ziptest::Entry>& entries) {
    const std::string zip = Bytes(ziptest::MakeZip(entries));
    const std::size_t half = zip.size() / 2;
    ASSERT_TRUE(WriteBytes(media.Path() + base + L".1", zip.substr(0, half)));
    ASSERT_TRUE(WriteBytes(media.Path() + base + L".2", zip.substr(half)));
  }

  static std::wstring ProgramFiles() {
    wchar_t value[MAX_PATH + 1] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    RegGetValueW(HKEY_LOCAL_MACHINE, WindowsKey, L"ProgramFilesDir", RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
  }
  static void SetProgramFiles(const std::wstring& folder) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, WindowsKey, L"ProgramFilesDir", REG_SZ, folder.c_str(),
                    static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
  }
  static void InstallEngine(const wchar_t* version) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, EngineKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (version)
      RegSetValueExW(key, L"VERSION", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                     static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }

  std::wstring EngineFolder() const { return programFiles + L"\\Borland\\Common Files\\BDE\\"; }
  std::wstring ProgramFolder() const { return WithTrailingBackslash(Settings().ProgramDir); }
  std::wstring DataFolder() const { return root.Path() + L"Date\\"; }

  // Every file of the component lies in folder with its bytes.
  void ExpectUnpacked(const std::wstring& base, const std::wstring& folder) {
    SCOPED_TRACE(testing::Message() << "component " << std::string(base.begin(), base.end()));
    for (const auto& e : kComponents.at(base)) EXPECT_EQ(ReadBytes(folder + Backslashed(e.name)), e.data) << e.name;
  }
  void ExpectNotUnpacked(const std::wstring& base, const std::wstring& folder) {
    for (const auto& e : kComponents.at(base)) EXPECT_FALSE(PathExists(folder + Backslashed(e.name))) << e.name;
  }
  bool ArchiveLeft(const wchar_t* name) const { return PathExists(ProgramFolder() + name); }

  CopyResult Copy() {
    return CopyComponents(page, counters, InstallSets[Settings().InstallType],
                          {[this] { instructionsShown.push_back(page.statusTexts.back()); },
                           [this](const std::wstring& text) { deleteFailures.push_back(text); }});
  }

  TempFolder root, media;
  std::wstring programFiles, originalProgramFiles;
  RecordingCopyPage page;
  ExtractProgress counters;
  std::vector<std::wstring> instructionsShown, deleteFailures;
};

}  // namespace

TEST_F(CopyComponentsTest, ALocalInstallationUnpacksEveryComponentIntoItsFolder) {
  ASSERT_TRUE(WriteBytes(ProgramFolder() + L"MINE.ZIP", "the user's own archive"));
  const CopyResult result = Copy();
  ASSERT_EQ(result.outcome, CopyOutcome::Done) << std::string(result.error.message.begin(), result.error.message.end());

  for (const wchar_t* base : {L"EXE", L"OUTPOST", L"HELP", L"PAYDESK"}) ExpectUnpacked(base, ProgramFolder());
  for (const wchar_t* base : {L"DBDAT", L"DBNEW"}) ExpectUnpacked(base, DataFolder());
  ExpectUnpacked(L"BDE32", EngineFolder());
  EXPECT_EQ(Settings().DataDir, DataFolder()) << "the database rows give the data folder its backslash";

  // The texts in order: the assembly, each part, then each component while it unpacks.
  std::vector<std::wstring> expected = {L"Asamblare arhive..."};
  for (const auto& row : Components) {
    expected.push_back(std::wstring(row.FileName) + L".1");
    expected.push_back(std::wstring(row.FileName) + L".2");
  }
  std::sort(expected.begin() + 1, expected.end(), [](const auto& a, const auto& b) { return UpperAscii(a) < UpperAscii(b); });
  for (const auto& row : Components) expected.push_back(row.CompName);
  EXPECT_EQ(page.statusTexts, expected);
  EXPECT_EQ(instructionsShown, (std::vector<std::wstring>{L"Fisiere executabile", L"Outpost CORVAN", L"Help Corvan",
                                                          L"Paydesk CORVAN"}));
  for (const auto& row : Components) EXPECT_FALSE(ArchiveLeft((std::wstring(row.FileName) + L".ZIP").c_str()));
  EXPECT_TRUE(ArchiveLeft(L"MINE.ZIP")) << "a ZIP file of the user's stays";
  EXPECT_TRUE(deleteFailures.empty());
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  EXPECT_TRUE(SameNameNoCase(WithoutTrailingBackslash(current), Settings().ProgramDir)) << "the work folder stays current";
}

TEST_F(CopyComponentsTest, AnExistingDatabaseIsKeptAndTheBlankOneReplacesItsFolders) {
  const std::wstring data = DataFolder();
  ASSERT_TRUE(CreateDirectoryW(data.c_str(), nullptr));
  for (const wchar_t* sub : {L"DATA", L"NEW", L"NEW\\DATA", L"NEW\\FIRMA", L"NEW\\LUNA", L"NEW\\LUNA\\2024"})
    ASSERT_TRUE(CreateDirectoryW((data + sub).c_str(), nullptr));
  const Files customer = {{L"DATA\\FIRME.DB", "the customer's firms"},
                          {L"NEW\\LUNA\\2024\\KEEP.DB", "a sub-folder's file stays"}};
  for (const auto& [name, bytes] : customer) ASSERT_TRUE(WriteBytes(data + name, bytes));
  ASSERT_TRUE(WriteBytes(data + L"NEW\\DATA\\STALE.DB", "stale"));
  ASSERT_TRUE(WriteBytes(data + L"NEW\\FIRMA\\OLD.DB", "old"));

  ASSERT_EQ(Copy().outcome, CopyOutcome::Done);
  for (const auto& [name, bytes] : customer) EXPECT_EQ(ReadBytes(data + name), bytes) << std::string(name.begin(), name.end());
  EXPECT_FALSE(PathExists(data + L"DATA\\OPERATOR.DB")) << "the example database is not unpacked";
  EXPECT_FALSE(PathExists(data + L"NEW\\DATA\\STALE.DB"));
  EXPECT_FALSE(PathExists(data + L"NEW\\FIRMA\\OLD.DB"));
  ExpectUnpacked(L"DBNEW", data);
}

TEST_F(CopyComponentsTest, AnInstalledEngineIsNeverOverwrittenAndAnOldOneIsReported) {
  const struct {
    const wchar_t* version;  // nullptr: the key without a VERSION value
    bool warned;
  } cases[] = {{L"4.0", false}, {L"3.5", true}, {L"5.01", false}, {L"4.51", false}, {nullptr, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version ? std::string(c.version, c.version + wcslen(c.version)) : "no VERSION");
    Fresh();
    InstallEngine(c.version);
    std::vector<MsgDlgRequest> shown;
    SetMsgDlgObserver([&](const MsgDlgRequest& r) {
      shown.push_back(r);
      return TModalResult::Ok;
    });
    ASSERT_EQ(Copy().outcome, CopyOutcome::Done);
    ExpectNotUnpacked(L"BDE32", EngineFolder());
    EXPECT_FALSE(PathExists(programFiles + L"\\Borland")) << "no engine folder is made";
    EXPECT_EQ(Settings().OldBdeFound, c.warned);
    ASSERT_EQ(shown.size(), c.warned ? 1u : 0u);
    if (c.warned) {
      EXPECT_EQ(shown[0].shownText,
                L"PROTECTIA APLICATIILOR EXISTENTE,\r\rAm gasit o instalare mai veche de\rmotor baza de date (BDE)...\r"
                L"Daca Corvan nu functioneaza, contactati-ne.\r");
      EXPECT_EQ(shown[0].kind, mtError);
      EXPECT_EQ(shown[0].caption, L"");
      EXPECT_EQ(MessagePrefix, L"PENTRU CONTINUARE");
    }
    ExpectUnpacked(L"HELP", ProgramFolder());
  }
}

TEST_F(CopyComponentsTest, AClientInstallationNeverTouchesTheDataFolder) {
  Settings().InstallType = itClient;
  ASSERT_EQ(Copy().outcome, CopyOutcome::Done);
  EXPECT_FALSE(PathExists(DataFolder()));
  EXPECT_EQ(Settings().DataDir, root.Path() + L"Date") << "not even its backslash";
  ExpectUnpacked(L"BDE32", EngineFolder());
  EXPECT_FALSE(ArchiveLeft(L"DBDAT.ZIP"));
}

TEST_F(CopyComponentsTest, MissingOptionalArchivesAreSkippedAndAMissingOtherOneStopsTheCopy) {
  for (const wchar_t* part : {L"OUTPOST.1", L"OUTPOST.2", L"PAYDESK.1", L"PAYDESK.2"})
    ASSERT_TRUE(DeleteFileW((media.Path() + part).c_str()));
  ASSERT_EQ(Copy().outcome, CopyOutcome::Done);
  EXPECT_EQ(instructionsShown, (std::vector<std::wstring>{L"Fisiere executabile", L"Help Corvan"}));

  Fresh();
  ASSERT_TRUE(DeleteFileW((media.Path() + L"HELP.1").c_str()));
  ASSERT_TRUE(DeleteFileW((media.Path() + L"HELP.2").c_str()));
  const CopyResult result = Copy();
  EXPECT_EQ(result.outcome, CopyOutcome::Failed);
  EXPECT_EQ(result.error.result, ZipResult::ReadError);
  EXPECT_NE(result.error.message.find(L"HELP.ZIP"), std::wstring::npos);
  ExpectNotUnpacked(L"PAYDESK", ProgramFolder());
  EXPECT_TRUE(ArchiveLeft(L"PAYDESK.ZIP")) << "the joined archives stay after a failure";
}

TEST_F(CopyComponentsTest, CancelAtTheDiskPromptUnpacksNothing) {
  ASSERT_TRUE(DeleteFileW((media.Path() + L"DISK1").c_str()));
  int prompts = 0;
  SetMsgDlgObserver([&](const MsgDlgRequest&) { return ++prompts, TModalResult::Cancel; });
  EXPECT_EQ(Copy().outcome, CopyOutcome::Cancelled);
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(page.modalResult, TModalResult::Cancel);
  ExpectNotUnpacked(L"EXE", ProgramFolder());
  EXPECT_FALSE(ArchiveLeft(L"EXE.ZIP"));
}

TEST_F(CopyComponentsTest, AWorkFolderThatCannotBeMadeCurrentStopsBeforeAnyArchive) {
  Settings().ProposedProgramDir = root.Path() + L"Missing";
  // The join is the first to find it missing: it cannot write the first archive there,
  // and says so.
  std::vector<std::wstring> shown;
  SetMsgDlgObserver([&](const MsgDlgRequest& r) { return shown.push_back(r.shownText), TModalResult::Ok; });
  const CopyResult result = Copy();
  EXPECT_EQ(result.outcome, CopyOutcome::JoinFailed);
  EXPECT_NE(result.error.message.find(root.Path() + L"Missing"), std::wstring::npos);
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_FALSE(PathExists(DataFolder()));
}
