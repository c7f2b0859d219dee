// The installation finder: its window, the data folder and install type from the alias,
// the program folder from WIN.INI or from the search of the fixed drives (the program
// file's size, the Corvan folder first, the 100-character limit, the Windows folder
// skipped, the status line, Abandon and Back during the search), the picker, and what
// Continue confirms.
//
// The drives are real Wine drives of the test's own prefix, set the way winecfg sets them
// (through the mount manager): C: as the prefix has it, D: a fixed disk and N: a network
// drive, both on folders of the prefix, and Z: (the host's root, where this program
// lives) turned into a CD-ROM drive so that the search never walks the host.
#include "upgrade/Cfindapp.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>
#include <winioctl.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/app_finder.h"
#include "core/text.h"
#include "install/Cseldir.h"
#include "toolkit/Dialogs.h"
#include "toolkit_globals.h"
#include "typed_keys.h"
#include "upgrade/Upgint.h"
#include "page_places.h"
#include "win32_test_support.h"

using namespace corvan;

namespace {

std::string Narrow(const std::wstring& text) { return ToUtf8(text); }

const std::wstring FirstTitle = L"Apasati 'Continua' pentru a localiza aplicatia!";
const std::wstring NotFoundStatus = L"Nu am gasit directorul program!!!";

// Wine's mount manager: a drive letter for a Unix folder, of the given drive type
// (Wine's own extension of the mount manager, which winecfg uses).
constexpr ULONG WineDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
struct WineUnixDrive {
  ULONG size, type, fsType;
  DWORD serial;
  ULONGLONG unixDevice;
  WCHAR letter;
  USHORT mountPointOffset, deviceOffset, labelOffset;
};

bool DefineWineDrive(wchar_t letter, const std::string& unixFolder, ULONG type) {
  HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return false;
  std::vector<char> request(sizeof(WineUnixDrive) + unixFolder.size() + 1, '\0');
  auto* drive = reinterpret_cast<WineUnixDrive*>(request.data());
  drive->size = static_cast<ULONG>(request.size());
  drive->type = type;
  drive->letter = letter;
  drive->mountPointOffset = sizeof(WineUnixDrive);
  std::memcpy(request.data() + sizeof(WineUnixDrive), unixFolder.c_str(), unixFolder.size());
  DWORD returned = 0;
  const BOOL ok = DeviceIoControl(manager, WineDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                                  nullptr, 0, &returned, nullptr);
  CloseHandle(manager);
  return ok != FALSE;
}

// A Unix folder as this program sees it through Z:.
std::wstring ThroughZ(const std::string& unixFolder) {
  std::wstring path = L"Z:";
  for (char c : unixFolder) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return WithTrailingBackslash(path);
}

void MakeFolder(const std::wstring& folder) { SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr); }

// folder\CORVAN.EXE of `size` bytes (sparse: nothing is written but its end).
void MakeProgramFile(const std::wstring& folder, LONGLONG size, const wchar_t* name = L"CORVAN.EXE") {
  MakeFolder(folder);
  HANDLE file = CreateFileW(JoinPath(folder, name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << Narrow(folder);
  LARGE_INTEGER end;
  end.QuadPart = size;
  EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
  EXPECT_TRUE(SetEndOfFile(file));
  CloseHandle(file);
}

std::wstring WindowText(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

// Records the status line each time the search lets one pending event through: each
// message handled records the line and posts the next, until the search has shown its
// result (the title then asks for confirmation); that last line is recorded too.
class StatusRecorder {
 public:
  explicit StatusRecorder(TFindApp& page) : page_(page) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"FindAppStatusRecorder";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~StatusRecorder() { DestroyWindow(window_); }
  void Start() { PostMessageW(window_, WM_APP, 0, 0); }
  const std::vector<std::wstring>& Lines() const { return lines_; }
  bool Saw(const std::wstring& line) const {
    for (const auto& l : lines_)
      if (l == line) return true;
    return false;
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<StatusRecorder*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_APP || !self) return DefWindowProcW(window, message, wParam, lParam);
    self->lines_.push_back(self->page_.dirlabel.Caption());
    if (self->page_.Caption() == FirstTitle) PostMessageW(window, WM_APP, 0, 0);
    return 0;
  }
  TFindApp& page_;
  HWND window_ = nullptr;
  std::vector<std::wstring> lines_;
};

class FindAppTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The prefix is the run's own (wine-run.sh names it); without it the drives of the
    // caller's prefix would be changed.
    const char* prefix = std::getenv("CORVAN_TEST_PREFIX");
    if (!prefix || !*prefix) return;
    const std::string unixPrefix = prefix;
    MakeFolder(ThroughZ(unixPrefix + "/drive_d"));
    MakeFolder(ThroughZ(unixPrefix + "/drive_n"));
    drivesReady_ = DefineWineDrive(L'z', "/", DRIVE_CDROM) &&
                   DefineWineDrive(L'd', unixPrefix + "/drive_d", DRIVE_FIXED) &&
                   DefineWineDrive(L'n', unixPrefix + "/drive_n", DRIVE_REMOTE) &&
                   GetDriveTypeW(L"Z:\\") == DRIVE_CDROM && GetDriveTypeW(L"D:\\") == DRIVE_FIXED &&
                   GetDriveTypeW(L"N:\\") == DRIVE_REMOTE && GetDriveTypeW(L"C:\\") == DRIVE_FIXED;
    // The upgrade library answers the alias's folder the test sets.
    library_ = new TempFolder;
    const std::wstring built = TestProgramFolder() + L"alias_library.dll";
    libraryReady_ = CopyFileW(built.c_str(), (library_->Path() + L"UPGRADE.DLL").c_str(), FALSE) &&
                    LoadUpgradeLibraryFrom(library_->Path());
  }
  static void TearDownTestSuite() {
    FreeUpgradeLibrary();
    delete library_;
    library_ = nullptr;
  }

  void SetUp() override {
    if (!drivesReady_) GTEST_SKIP() << "needs the run's own Wine prefix (CORVAN_TEST_PREFIX) and its mount manager";
    ASSERT_TRUE(libraryReady_);
    Settings() = {};
    Alias(L"D:\\Corvan\\DATA\\");
    WriteProfileStringW(L"Corvan", nullptr, nullptr);
    SetMsgDlgObserver([this](const MsgDlgRequest& r) {
      messages.push_back(r);
      return TModalResult::Cancel;
    });
  }
  void TearDown() override {
    SetMsgDlgObserver(nullptr);
    SetDirDialogShownHook(nullptr);
    WriteProfileStringW(L"Corvan", nullptr, nullptr);
    for (const auto& folder : made) RemoveTree(folder);
    DeleteFileW(L"C:\\windows\\CORVAN.EXE");
  }

  // The alias's folder as the upgrade library gives it.
  void Alias(const std::wstring& folder) { SetEnvironmentVariableW(L"CORVAN_ALIAS_FOLDER", folder.c_str()); }
  // A program folder the test makes (removed at the end with its top folder).
  void Program(const std::wstring& folder, LONGLONG size, const std::wstring& top = {}) {
    made.push_back(top.empty() ? folder : top);
    MakeProgramFile(folder, size);
  }
  void Folder(const std::wstring& folder) {
    made.push_back(folder);
    MakeFolder(folder);
  }

  // The first Continue: the search, with the status line recorded.
  void Search(TFindApp& page, StatusRecorder* recorder = nullptr) {
    page.Show();
    Drain();
    SetKeys({VK_MENU});
    PostMessageW(page.Handle(), WM_SYSCHAR, L'c', 0x20000000);
    if (recorder) recorder->Start();
    Drain();
    SetKeys({});
  }
  // The search's result: the program folder shown, with the page's state checked.
  std::wstring Found(TFindApp& page) {
    EXPECT_TRUE(page.Activated());
    EXPECT_EQ(page.Caption(), FindAppConfirmTitle);
    EXPECT_EQ(WindowText(page.Handle()), FindAppConfirmTitle) << "the window caption follows the title";
    const std::wstring shown = page.RProgram.Text();
    EXPECT_EQ(Settings().ProposedProgramDir, shown);
    const bool found = shown != L"????";
    EXPECT_EQ(page.CanContinue(), found);
    EXPECT_EQ(page.BNext.Enabled(), found);
    EXPECT_EQ(page.dirlabel.Caption(), found ? L"" : NotFoundStatus);
    EXPECT_EQ(page.ModalResult(), TModalResult::None) << "the search keeps the page open";
    return shown;
  }
  // The picker chooses `folder` (nothing: "&Renunt"); the folder it opened at is kept.
  void PickerAnswers(std::optional<std::wstring> folder) {
    SetDirDialogShownHook([this, folder](TDirDialog& dialog) {
      pickerOpenedAt = dialog.Directory();
      if (folder) dialog.FolderTree.ShowFolder(folder->substr(0, 3), *folder);
      PostMessageW(dialog.Handle(), WM_SYSCHAR, folder ? L'k' : L'r', 0x20000000);
    });
  }

  std::vector<MsgDlgRequest> messages;
  std::vector<std::wstring> made;
  std::wstring pickerOpenedAt;
  static inline bool drivesReady_ = false, libraryReady_ = false;
  static inline TempFolder* library_ = nullptr;
};

}  // namespace

TEST_F(FindAppTest, WindowTable) {
  TFindApp page;
  page.Show();
  EXPECT_EQ(page.Name(), L"FindApp");
  EXPECT_EQ(page.ClientWidth(), 637);
  EXPECT_EQ(page.ClientHeight(), 114);
  EXPECT_EQ(page.Color(), Hex(0x98A5B1));
  EXPECT_TRUE(page.Font().Bold());
  EXPECT_TRUE(page.KeyPreview());
  EXPECT_EQ(page.Caption(), FirstTitle);
  EXPECT_EQ(WindowText(page.Handle()), FirstTitle);
  EXPECT_EQ(Settings().CurrentStep, wsFindApp);

  ExpectPlaces({
      {&page.BNext, &page, {82, 52, 82 + 67, 52 + 51}},
      {&page.BBack, &page, {15, 52, 15 + 67, 52 + 51}},
      {&page.BCancel, &page, {504, 63, 504 + 109, 63 + 28}},
      {&page.Panel1, &page, {168, 29, 168 + 305, 29 + 83}},
      {&page.LProgram, &page.Panel1, {12, 12, 0, 0}},
      {&page.LDate, &page.Panel1, {13, 35, 0, 0}},
      {&page.RProgram, &page.Panel1, {72, 8, 72 + 196, 8 + 21}},
      {&page.RDate, &page.Panel1, {72, 31, 72 + 196, 31 + 21}},
      {&page.BProgram, &page.Panel1, {271, 8, 271 + 29, 8 + 21}},
      {&page.BDate, &page.Panel1, {271, 31, 271 + 29, 31 + 21}},
      {&page.dirlabel, &page.Panel1, {11, 58, 11 + 283, 58 + 16}},
  });
  EXPECT_EQ(page.Panel1.BevelOuter(), bvNone);
  EXPECT_EQ(page.BNext.Caption(), L"&Continua");
  EXPECT_EQ(page.BNext.Kind(), mknNext);
  EXPECT_EQ(page.BNext.ModalResult(), TModalResult::None) << "its first press searches";
  EXPECT_TRUE(page.BNext.Enabled());
  EXPECT_EQ(page.BBack.Caption(), L"&Inapoi");
  EXPECT_EQ(page.BBack.Kind(), mknPrev);
  EXPECT_EQ(page.BBack.ModalResult(), TModalResult::Back);
  EXPECT_EQ(page.BCancel.Caption(), L"&Abandon");
  EXPECT_EQ(page.BCancel.ModalResult(), TModalResult::Cancel);
  EXPECT_TRUE(page.BCancel.Font().Bold());

  EXPECT_EQ(page.LProgram.Caption(), L"&Program:");
  EXPECT_EQ(page.LDate.Caption(), L"&Date:");
  EXPECT_EQ(page.LProgram.FocusControl(), &page.RProgram);
  EXPECT_EQ(page.LDate.FocusControl(), &page.RDate);
  for (TActiveEdit* box : {&page.RProgram, &page.RDate}) {
    SCOPED_TRACE(Narrow(box->Name()));
    EXPECT_TRUE(box->FlatStyle());
    EXPECT_EQ(box->Color(), clGrid);
    EXPECT_EQ(box->Frame().borderColor, cl3);
    EXPECT_EQ(box->Frame().borderColorF, cl2);
    EXPECT_EQ(box->Text(), L"");
  }
  EXPECT_FALSE(page.RProgram.ReadOnly());
  EXPECT_TRUE(page.RDate.ReadOnly());
  EXPECT_TRUE(GetWindowLongW(page.RDate.Handle(), GWL_STYLE) & ES_READONLY);
  for (TMButton* browse : {&page.BProgram, &page.BDate}) {
    EXPECT_EQ(browse->Caption(), L"Cauta...");
    EXPECT_FALSE(browse->CaptionVisible());
    EXPECT_NE(browse->Glyph(), nullptr) << "the folder picture";
  }
  EXPECT_TRUE(page.BProgram.Enabled());
  EXPECT_FALSE(page.BDate.Enabled());
  EXPECT_EQ(page.dirlabel.Caption(), L"");
  EXPECT_FALSE(page.dirlabel.AutoSize());
  EXPECT_FALSE(page.Activated());
  EXPECT_FALSE(page.CanContinue());
}

TEST_F(FindAppTest, TheDataFolderAndTheInstallTypeComeFromTheAlias) {
  Program(L"D:\\Prog\\", 10);
  WriteProfileStringW(L"Corvan", L"AppPath", L"D:\\Prog\\");
  const struct {
    std::wstring alias;
    std::wstring data;
    TInstallType type;
  } cases[] = {
      {L"D:\\Corvan\\DATA\\", L"D:\\Corvan", itLocal},
      {L"D:\\Corvan\\data", L"D:\\Corvan", itLocal},
      {L"D:\\Corvan\\DATA2", L"D:\\Corvan\\DATA2", itLocal},
      {L"C:\\Date\\Corvan\\", L"C:\\Date\\Corvan", itLocal},
      {L"N:\\Corvan\\DATA", L"N:\\Corvan", itClient},  // a network drive
      {L"n:\\", L"n:", itClient},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.alias));
    Alias(c.alias);
    SetEnvironmentVariableW(L"CORVAN_ALIAS_ASKED", nullptr);
    Settings().InstallType = itServer;
    TFindApp page;
    wchar_t asked[32] = L"";
    GetEnvironmentVariableW(L"CORVAN_ALIAS_ASKED", asked, 32);
    EXPECT_STREQ(asked, L"CORVAN");
    EXPECT_EQ(Settings().ProposedDataDir, c.data);
    EXPECT_EQ(Settings().InstallType, c.type);
    EXPECT_EQ(page.RDate.Text(), L"") << "shown once the search has run";

    Search(page);
    EXPECT_EQ(Found(page), L"D:\\Prog\\");
    EXPECT_EQ(page.RDate.Text(), c.type == itLocal ? c.data : ClientInstallNotice);
    // Continue confirms: the folders go into the settings.
    AltLetter(page.Handle(), L'c');
    EXPECT_EQ(page.ModalResult(), TModalResult::Next);
    EXPECT_EQ(Settings().ProgramDir, L"D:\\Prog\\");
    EXPECT_EQ(Settings().DataDir, c.data);
  }
  EXPECT_TRUE(messages.empty());
}

// The library may be unable to tell the alias's folder: the data is then taken to be
// where a local installation keeps it, in the program folder found or picked.
TEST_F(FindAppTest, AnAliasWithoutAFolderTakesTheProgramFolderForTheData) {
  Alias(L"");
  Program(L"D:\\Prog\\", 10);
  Program(L"D:\\Ales\\", 6000001);
  WriteProfileStringW(L"Corvan", L"AppPath", L"D:\\Prog\\");
  TFindApp page;
  EXPECT_EQ(Settings().ProposedDataDir, L"");
  EXPECT_EQ(Settings().InstallType, itLocal);
  Search(page);
  EXPECT_EQ(Found(page), L"D:\\Prog\\");
  EXPECT_EQ(page.RDate.Text(), L"D:\\Prog");

  PickerAnswers(L"D:\\Ales");
  SendMessageW(page.BProgram.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(SameNameNoCase(page.RDate.Text(), L"D:\\Ales"));
  // A folder typed over it is taken as typed, its data with it.
  page.RProgram.SetText(L"D:\\Prog\\");
  AltLetter(page.Handle(), L'c');
  EXPECT_EQ(page.ModalResult(), TModalResult::Next);
  EXPECT_EQ(Settings().ProgramDir, L"D:\\Prog\\");
  EXPECT_EQ(Settings().DataDir, L"D:\\Prog");
}

TEST_F(FindAppTest, TheProfileNamesTheProgramFolderFirst) {
  // Neither profile folder is size-tested; the drive search's folder is C:\Corvan\.
  Program(L"D:\\Prog\\", 10);
  Program(L"D:\\Alt\\", 10);
  Folder(L"D:\\Alt\\DATA\\");
  Program(L"C:\\Corvan\\", 6000001);
  const std::wstring long32 = L"D:\\" + std::wstring(28, L'p') + L"\\";  // 32 characters
  const std::wstring long33 = L"D:\\" + std::wstring(29, L'p') + L"\\";  // 33: read without its backslash
  ASSERT_EQ(long32.size(), ProfileValueLength);
  Program(long32, 10);
  Program(long33, 10);
  const struct {
    const char* what;
    const wchar_t* appPath;  // null: none
    const wchar_t* databasePath;
    std::wstring found;
  } cases[] = {
      {"AppPath with its backslash", L"D:\\Prog\\", L"D:\\Alt\\DATA", L"D:\\Prog\\"},
      {"AppPath without its backslash names D:\\ProgCorvan.exe", L"D:\\Prog", L"D:\\Alt\\DATA", L"D:\\Alt\\"},
      {"AppPath of 32 characters", long32.c_str(), nullptr, long32},
      {"AppPath cut to 32 characters", long33.c_str(), nullptr, L"C:\\Corvan\\"},
      {"DatabasePath alone", nullptr, L"D:\\Alt\\DATA", L"D:\\Alt\\"},
      {"DatabasePath of a folder without the program", nullptr, L"D:\\Alt\\DATA\\X", L"C:\\Corvan\\"},
      {"AppPath of a missing folder", L"D:\\Lipsa\\", nullptr, L"C:\\Corvan\\"},
      {"nothing in the profile", nullptr, nullptr, L"C:\\Corvan\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteProfileStringW(L"Corvan", nullptr, nullptr);
    if (c.appPath) WriteProfileStringW(L"Corvan", L"AppPath", c.appPath);
    if (c.databasePath) WriteProfileStringW(L"Corvan", L"DatabasePath", c.databasePath);
    TFindApp page;
    Search(page);
    EXPECT_EQ(Found(page), c.found);
  }
}

TEST_F(FindAppTest, TheProgramFileMustBeLargerThan6000000Bytes) {
  const struct {
    LONGLONG size;
    bool accepted;
  } cases[] = {{6000000, false}, {6000001, true}, {10, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    for (const std::wstring& folder : {std::wstring(L"C:\\Corvan\\"), std::wstring(L"D:\\Cauta\\Aici\\")}) {
      SCOPED_TRACE(Narrow(folder));
      Program(folder, c.size, folder.substr(0, folder.find(L'\\', 3) + 1));
      EXPECT_EQ(IsProgramFolder(folder), c.accepted);
      EXPECT_EQ(IsProgramFolder(WithoutTrailingBackslash(folder)), c.accepted) << "the backslash is put between";
      TFindApp page;
      Search(page);
      EXPECT_EQ(Found(page), c.accepted ? folder : L"????");
      for (const auto& f : made) RemoveTree(f);
      made.clear();
    }
  }
  // A folder named CORVAN.EXE is no program.
  Folder(L"D:\\Dosar\\");
  MakeFolder(L"D:\\Dosar\\CORVAN.EXE");
  EXPECT_FALSE(IsProgramFolder(L"D:\\Dosar\\"));
}

TEST_F(FindAppTest, EachDriveIsSearchedInItsOrderWithItsCorvanFolderFirst) {
  const struct {
    const char* what;
    std::vector<std::wstring> programs;
    std::wstring found;
  } cases[] = {
      {"the Corvan folder before the tree", {L"C:\\AAA\\", L"C:\\Corvan\\"}, L"C:\\Corvan\\"},
      {"C: before D:", {L"D:\\Corvan\\", L"C:\\AAA\\B\\"}, L"C:\\AAA\\B\\"},
      {"D:'s Corvan folder once C: has none", {L"D:\\Corvan\\", L"D:\\AAA\\"}, L"D:\\Corvan\\"},
      {"D:'s tree", {L"D:\\AAA\\B\\C\\"}, L"D:\\AAA\\B\\C\\"},
      {"a network drive is not searched", {L"N:\\Corvan\\", L"N:\\AAA\\"}, L"????"},
      {"the Windows folder is not searched", {L"C:\\windows\\Corvan\\", L"C:\\windows\\"}, L"????"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& program : c.programs)
      Program(program, 6000001, program.starts_with(L"C:\\windows") ? L"C:\\windows\\Corvan\\"
                                                                    : program.substr(0, program.find(L'\\', 3) + 1));
    TFindApp page;
    StatusRecorder recorder(page);
    Search(page, &recorder);
    EXPECT_EQ(Found(page), c.found);
    for (const auto& line : recorder.Lines()) {
      EXPECT_EQ(line.find(L"C:\\windows\\"), std::wstring::npos) << Narrow(line);
      EXPECT_FALSE(line.starts_with(L"Caut in ..N:")) << Narrow(line);
    }
    for (const auto& f : made) RemoveTree(f);
    made.clear();
  }
}

TEST_F(FindAppTest, HiddenAndSystemFoldersAreNotSearched) {
  const struct {
    DWORD attributes;
    bool found;
  } cases[] = {{FILE_ATTRIBUTE_HIDDEN, false}, {FILE_ATTRIBUTE_SYSTEM, false}, {FILE_ATTRIBUTE_NORMAL, true}};
  Program(L"D:\\Ascuns\\Corvan\\", 6000001, L"D:\\Ascuns\\");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.attributes);
    ASSERT_TRUE(SetFileAttributesW(L"D:\\Ascuns", c.attributes));
    ASSERT_EQ(GetFileAttributesW(L"D:\\Ascuns") & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              c.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        << "the folder keeps its attributes";
    TFindApp page;
    Search(page);
    EXPECT_EQ(Found(page), c.found ? L"D:\\Ascuns\\Corvan\\" : L"????");
  }
}

TEST_F(FindAppTest, TheSearchShowsTheLast31CharactersAndStopsAt100) {
  // D:\ and names of 10 characters (the backslash included): folders of 13, 23, ... 93,
  // 103 characters.
  std::wstring folder = L"D:\\";
  std::vector<std::wstring> chain;
  for (int depth = 0; depth < 10; ++depth) {
    folder += std::wstring(1, static_cast<wchar_t>(L'a' + depth)) + L"23456789\\";
    chain.push_back(folder);
  }
  Folder(L"D:\\a23456789\\");
  MakeFolder(chain.back());
  ASSERT_EQ(chain[8].size(), 93u);
  ASSERT_EQ(chain[9].size(), 103u);
  const std::wstring at100 = chain[8] + L"123456\\";
  ASSERT_EQ(at100.size(), SearchedFolderLength);
  const std::wstring at101 = chain[8] + L"1234567\\";
  MakeFolder(at101);

  // Nothing to find within 100 characters: every folder up to 100 is shown, none past it.
  MakeProgramFile(chain[9], 6000001);
  MakeProgramFile(at101, 6000001);
  {
    TFindApp page;
    StatusRecorder recorder(page);
    Search(page, &recorder);
    EXPECT_EQ(Found(page), L"????");
    EXPECT_TRUE(recorder.Saw(L"Caut in ..D:\\"));
    for (std::size_t i = 0; i < 9; ++i) {
      SCOPED_TRACE(Narrow(chain[i]));
      EXPECT_TRUE(recorder.Saw(SearchStatusText(chain[i])));
    }
    EXPECT_TRUE(recorder.Saw(L"Caut in ..\\g23456789\\h23456789\\i23456789\\")) << "the last 31 of 93 characters";
    for (const auto& line : recorder.Lines()) {
      SCOPED_TRACE(Narrow(line));
      if (line.empty() || line == NotFoundStatus) continue;
      ASSERT_TRUE(line.starts_with(L"Caut in .."));
      EXPECT_LE(line.size(), std::wstring(L"Caut in ..").size() + 31);
      EXPECT_NE(line, SearchStatusText(chain[9]));
      EXPECT_NE(line, SearchStatusText(at101));
    }
    EXPECT_EQ(recorder.Lines().back(), NotFoundStatus);
  }
  // A folder of exactly 100 characters is looked into.
  MakeProgramFile(at100, 6000001);
  {
    TFindApp page;
    Search(page);
    EXPECT_EQ(Found(page), at100);
  }
}

TEST_F(FindAppTest, AbandonStopsTheSearchAndBackWaitsForIt) {
  Program(L"D:\\Corvan\\", 6000001);
  // Abandon: the search stops at the next folder, its result is discarded, the page
  // closes with Cancel.
  {
    TFindApp page;
    SetKeys({VK_MENU});
    PostMessageW(page.Handle(), WM_SYSCHAR, L'c', 0x20000000);
    PostMessageW(page.Handle(), WM_SYSCHAR, L'a', 0x20000000);
    EXPECT_EQ(page.ShowModal(), TModalResult::Cancel);
    SetKeys({});
    EXPECT_EQ(page.RProgram.Text(), L"????") << "the folder on D: is not reached";
    EXPECT_EQ(Settings().ProgramDir, L"C:\\Corvan") << "nothing confirmed";
  }
  // Back: the search goes on to its end, then the page closes with Back.
  {
    TFindApp page;
    SetKeys({VK_MENU});
    PostMessageW(page.Handle(), WM_SYSCHAR, L'c', 0x20000000);
    PostMessageW(page.Handle(), WM_SYSCHAR, L'i', 0x20000000);
    EXPECT_EQ(page.ShowModal(), TModalResult::Back);
    SetKeys({});
    EXPECT_EQ(page.RProgram.Text(), L"D:\\Corvan\\");
    EXPECT_EQ(Settings().ProgramDir, L"C:\\Corvan");
  }
  // Continue pressed again during the search confirms nothing: the search's folder is
  // the one shown and the page stays open.
  {
    TFindApp page;
    SetKeys({VK_MENU});
    page.Show();
    PostMessageW(page.Handle(), WM_SYSCHAR, L'c', 0x20000000);
    PostMessageW(page.Handle(), WM_SYSCHAR, L'c', 0x20000000);
    Drain();
    SetKeys({});
    EXPECT_EQ(Found(page), L"D:\\Corvan\\");
    EXPECT_EQ(Settings().ProgramDir, L"C:\\Corvan");
  }
}

TEST_F(FindAppTest, NothingFoundLeavesThePickerAndContinueConfirmsWhatIsShown) {
  Program(L"D:\\Mic\\", 6000000);
  TFindApp page;
  Search(page);
  ASSERT_EQ(Found(page), L"????");
  Program(L"D:\\Mare\\", 6000001);
  AltLetter(page.Handle(), L'c');
  EXPECT_EQ(page.ModalResult(), TModalResult::None) << "Continue is disabled";

  // The picker: "????" is no folder to open at; a folder without the program is refused.
  PickerAnswers(L"D:\\Mic");
  SendMessageW(page.BProgram.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(SameNameNoCase(page.RProgram.Text(), L"D:\\Mic\\"));
  EXPECT_EQ(page.dirlabel.Caption(), L"Nu gasesc instalare de CORVAN...");
  EXPECT_FALSE(page.CanContinue());
  EXPECT_FALSE(page.BNext.Enabled());

  PickerAnswers(L"D:\\Mare");
  page.LProgram.Click();
  EXPECT_TRUE(SameNameNoCase(pickerOpenedAt, L"D:\\Mic\\")) << "the picker opens at the folder shown";
  EXPECT_TRUE(SameNameNoCase(page.RProgram.Text(), L"D:\\Mare\\"));
  EXPECT_EQ(page.dirlabel.Caption(), L"");
  EXPECT_TRUE(page.CanContinue());
  EXPECT_TRUE(page.BNext.Enabled());

  PickerAnswers(std::nullopt);
  SendMessageW(page.BProgram.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(SameNameNoCase(page.RProgram.Text(), L"D:\\Mare\\")) << "&Renunt changes nothing";
  EXPECT_TRUE(page.BNext.Enabled());

  // The folder as edited is confirmed, without a further test.
  page.RProgram.SetText(L"D:\\Tastat\\");
  AltLetter(page.Handle(), L'c');
  EXPECT_EQ(page.ModalResult(), TModalResult::Next);
  EXPECT_EQ(Settings().ProposedProgramDir, L"D:\\Tastat\\");
  EXPECT_EQ(Settings().ProgramDir, L"D:\\Tastat\\");
  EXPECT_EQ(Settings().DataDir, L"D:\\Corvan");
  EXPECT_TRUE(messages.empty());
}

TEST_F(FindAppTest, APickedFolderBeforeTheSearchIsReplacedByItsResult) {
  Program(L"D:\\Corvan\\", 6000001);
  Program(L"D:\\Mic\\", 10);
  TFindApp page;
  page.Show();
  // &Renunt and a refused folder leave Continue as the way to search.
  PickerAnswers(std::nullopt);
  SendMessageW(page.BProgram.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(page.BNext.Enabled());
  PickerAnswers(L"D:\\Mic");
  SendMessageW(page.BProgram.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(page.dirlabel.Caption(), L"Nu gasesc instalare de CORVAN...");
  EXPECT_TRUE(page.BNext.Enabled());
  EXPECT_EQ(page.Caption(), FirstTitle);
  Search(page);
  EXPECT_EQ(Found(page), L"D:\\Corvan\\");
}
