// The demo media as a user installs from them: the parts joined from the CD folder, or
// from the floppies inserted one after the other into A:, then every component unpacked
// and compared, file by file, with the folder it was made from.
// The floppy case needs A: to be a removable drive (tests/e2e/floppy_assembly.sh).
#include <gtest/gtest.h>

#include <map>

#include "copy_page_fake.h"
#include "core/install_settings.h"
#include "core/text.h"
#include "install/Assembly.h"
#include "install/Extract.h"
#include "setup/Iglobals.h"
#include "toolkit/Dialogs.h"
#include "win32_test_support.h"

using namespace corvan;

namespace {

// A folder of this build, as Wine sees it (Z: is the root of this machine).
std::wstring BuildFolder(const wchar_t* relative) {
  std::wstring path = std::wstring(L"Z:") + DEMO_BUILD_FOLDER + L"/" + relative;
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  return WithTrailingBackslash(path);
}

// Every file under folder, by its path relative to it, with its bytes.
void CollectFiles(const std::wstring& folder, const std::wstring& prefix, std::map<std::wstring, std::string>& out) {
  WIN32_FIND_DATAW d;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &d);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = d.cFileName;
    if (name == L"." || name == L"..") continue;
    if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) CollectFiles(folder + name + L"\\", prefix + name + L"\\", out);
    else out[UpperAscii(prefix + name)] = ReadBytes(folder + name);
  } while (FindNextFileW(find, &d));
  FindClose(find);
}

void CopyDisk(const std::wstring& from, const std::wstring& to) {
  WIN32_FIND_DATAW d;
  HANDLE find = FindFirstFileW((to + L"*").c_str(), &d);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((to + d.cFileName).c_str());
    } while (FindNextFileW(find, &d));
    FindClose(find);
  }
  find = FindFirstFileW((from + L"*").c_str(), &d);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  do {
    if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      ASSERT_TRUE(CopyFileW((from + d.cFileName).c_str(), (to + d.cFileName).c_str(), FALSE));
    }
  } while (FindNextFileW(find, &d));
  FindClose(find);
}

// Joins and unpacks every component of a local installation, then compares.
void InstallAndCompare(const std::wstring& sourceDir, std::int32_t diskCount) {
  TempFolder work;
  Settings() = {};
  Settings().InstallType = itLocal;
  Settings().SourceDir = sourceDir;
  Settings().DiskCount = diskCount;
  Settings().ProposedProgramDir = Settings().ProgramDir = work.Path() + L"Corvan";
  ASSERT_TRUE(CreateDirectoryW(Settings().ProgramDir.c_str(), nullptr));
  RecordingCopyPage page;
  ASSERT_EQ(AssembleArchives(page, InstallSets[itLocal]).outcome, AssemblyOutcome::Joined);

  const std::wstring components = BuildFolder(L"components");
  ExtractProgress counters;
  for (const auto* row : ComponentsOf(InstallSets[itLocal])) {
    SCOPED_TRACE(testing::Message() << "component " << std::string(row->FileName, row->FileName + wcslen(row->FileName)));
    const std::wstring into = work.Path() + row->FileName + L"\\";
    const ZipError error = ExtractArchive(page, counters, JoinPath(Settings().ProgramDir, std::wstring(row->FileName) + L".ZIP"), into);
    ASSERT_FALSE(error) << std::string(error.message.begin(), error.message.end());
    EXPECT_EQ(page.unzip.Position(), page.unzip.Max()) << "the gauge ends full";
    std::map<std::wstring, std::string> unpacked, original;
    CollectFiles(into, L"", unpacked);
    CollectFiles(components + row->FileName + L"\\", L"", original);
    EXPECT_FALSE(original.empty());
    EXPECT_TRUE(unpacked == original) << "the unpacked files differ from the component folder";
  }
  DeleteAssembledArchives([](const std::wstring& text) { ADD_FAILURE() << std::string(text.begin(), text.end()); });
  EXPECT_FALSE(PathExists(JoinPath(Settings().ProgramDir, L"EXE.ZIP")));
}

}  // namespace

TEST(DemoMedia, TheCdInstallsEveryComponentOfALocalInstallation) {
  const std::wstring cd = BuildFolder(L"media/cd");
  ASSERT_TRUE(PathExists(cd + L"DISK1")) << "build the target demo_media";
  // A CD counts as one disk whatever its configuration says.
  InstallAndCompare(cd, 6);
  EXPECT_EQ(Settings().DiskCount, 1);
}

TEST(DemoMedia, FloppySetInsertedDiskAfterDiskInstallsTheSameFiles) {
  if (GetDriveTypeW(L"A:\\") != DRIVE_REMOVABLE)
    GTEST_SKIP() << "A: is not a removable drive here; tests/e2e/floppy_assembly.sh runs this case";
  const std::wstring set = BuildFolder(L"media/floppy");
  const int disks = ReadDiskCount(set + L"DISK1\\INSTALL.CFG");
  ASSERT_GE(disks, 2);
  std::vector<int> asked;
  SetMsgDlgObserver([&](const MsgDlgRequest& r) {
    const int n = std::stoi(r.shownText.substr(r.shownText.rfind(L'\r') + 1));
    asked.push_back(n);
    CopyDisk(set + L"DISK" + std::to_wstring(n) + L"\\", L"A:\\");
    return TModalResult::Ok;
  });
  InstallAndCompare(L"A:\\", disks);
  SetMsgDlgObserver(nullptr);
  std::vector<int> expected;
  for (int n = 1; n <= disks; ++n) expected.push_back(n);
  EXPECT_EQ(asked, expected);
}
