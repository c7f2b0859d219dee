// The setup spine under Wine: the setup configuration, RunProgram, the relaunch
// marker and the local copy, and the wizard driver over real test windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <vector>

#include "core/install_settings.h"
#include "platform/RunProgram.h"
#include "setup/Iglobals.h"
#include "setup/Relaunch.h"
#include "toolkit/Dialogs.h"
#include "toolkit/GGlobals.h"
#include "win32_test_support.h"

using namespace corvan;

TEST(SetupConfig, NrDiscuriCases) {
  TempFolder dir;
  struct Case {
    const char* content;  // nullptr: no file at all
    int expected;
  } cases[] = {
      {nullptr, 6},
      {"[Other]\r\nNrDiscuri=3\r\n", 6},
      {"[General]\r\nAlta=3\r\n", 6},
      {"[General]\r\nNrDiscuri=3\r\n", 3},
      {"[general]\r\nnrdiscuri=12\r\n", 12},
      {"[General]\r\nNrDiscuri=abc\r\n", 0},
      {"[General]\r\nNrDiscuri=4x\r\n", 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content ? c.content : "(no file)");
    const std::wstring file = dir.Path() + L"instcorv.cfg";
    DeleteFileW(file.c_str());
    if (c.content) { ASSERT_TRUE(WriteBytes(dir.Path() + L"INSTCORV.CFG", c.content)); }
    EXPECT_EQ(ReadDiskCount(file), c.expected);
  }
}

TEST(RunProgram, MissingProgramIsMinusOneEitherWait) {
  EXPECT_EQ(RunProgram(L"C:\\nu-exista\\nimic.exe", SW_SHOW, false), -1);
  EXPECT_EQ(RunProgram(L"C:\\nu-exista\\nimic.exe", SW_MINIMIZE, true), -1);
}

TEST(RunProgram, WaitReturnsExitCode) {
  const std::wstring program = QuotedPath(TestProgramFolder() + L"exit_with.exe");
  EXPECT_EQ(RunProgram(program + L" 3", SW_MINIMIZE, true), 3);
  EXPECT_EQ(RunProgram(program + L" 0", SW_MINIMIZE, true), 0);
  EXPECT_EQ(RunProgram(program + L" 7", SW_MINIMIZE, false), 0);
}

TEST(RunProgram, FolderWithBlanksStartsTheRightProgram) {
  TempFolder dir;
  const std::wstring folder = dir.Path() + L"Program Files\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW((TestProgramFolder() + L"exit_with.exe").c_str(), (folder + L"exit with.exe").c_str(), FALSE));
  EXPECT_EQ(RunProgram(QuotedPath(folder + L"exit with.exe") + L" 5", SW_MINIMIZE, true), 5);
}

TEST(RelaunchMarker, RoundTripAndBadMarkers) {
  TempFolder dir;
  EXPECT_FALSE(ReadRelaunchMarker(dir.Path()).has_value());
  ASSERT_TRUE(WriteRelaunchMarker(dir.Path(), L"D:\\"));
  EXPECT_EQ(ReadBytes(dir.Path() + L"INSTCORV.DAT"), "D:\\\r\n");
  EXPECT_EQ(ReadRelaunchMarker(dir.Path()).value(), L"D:\\");

  ASSERT_TRUE(WriteBytes(dir.Path() + L"INSTCORV.DAT", ""));
  EXPECT_EQ(ReadRelaunchMarker(dir.Path()).value(), L"");

  // A marker that cannot be opened counts as missing.
  HANDLE lock = CreateFileW((dir.Path() + L"INSTCORV.DAT").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(ReadRelaunchMarker(dir.Path()).has_value());
  CloseHandle(lock);
}

TEST(RelaunchMarker, WriteErrorIsReportedNotCrashed) {
  TempFolder dir;
  // A folder where the marker should be makes the write fail.
  CreateDirectoryW((dir.Path() + L"INSTCORV.DAT").c_str(), nullptr);
  EXPECT_FALSE(WriteRelaunchMarker(dir.Path(), L"A:\\"));
}

TEST(Relaunch, LocalFolderName) {
  const std::wstring a = NewLocalFolderName(), b = NewLocalFolderName();
  EXPECT_NE(a, b);
  wchar_t temp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, temp);
  wchar_t longTemp[MAX_PATH + 1];
  GetLongPathNameW(temp, longTemp, MAX_PATH + 1);
  const std::wstring prefix = longTemp;
  ASSERT_EQ(a.substr(0, prefix.size()), prefix);
  const std::wstring rest = a.substr(prefix.size());
  ASSERT_EQ(rest.size(), 33u);
  EXPECT_EQ(rest.back(), L'\\');
  for (size_t i = 0; i < 32; ++i) EXPECT_TRUE(iswdigit(rest[i]) || (rest[i] >= L'A' && rest[i] <= L'F')) << i;
}

TEST(Relaunch, CopiesTheThreeFilesAndTheMarker) {
  TempFolder media;
  ASSERT_TRUE(WriteBytes(media.Path() + L"INSTALL.EXE", ReadBytes(TestProgramFolder() + L"exit_with.exe")));
  ASSERT_TRUE(WriteBytes(media.Path() + L"UPGRADE.1", "PK-upgrade"));
  ASSERT_TRUE(WriteBytes(media.Path() + L"INSTALL.CFG", "[General]\r\nNrDiscuri=2\r\n"));
  const auto local = RelaunchFromLocalCopy(media.Path());
  ASSERT_TRUE(local.has_value());
  EXPECT_EQ(ReadBytes(*local + L"UPGRADE.ZIP"), "PK-upgrade");
  EXPECT_EQ(ReadBytes(*local + L"INSTCORV.CFG"), "[General]\r\nNrDiscuri=2\r\n");
  EXPECT_EQ(ReadBytes(*local + L"INSTCORV.EXE"), ReadBytes(media.Path() + L"INSTALL.EXE"));
  EXPECT_EQ(ReadBytes(*local + L"INSTCORV.DAT"), std::string(media.Path().begin(), media.Path().end()) + "\r\n");
  RemoveTree(*local);
}

TEST(Relaunch, MissingPiecesAreNotErrors) {
  TempFolder media;  // empty media: nothing to copy, the program cannot start
  int messages = 0;
  SetMsgDlgObserver([&](const MsgDlgRequest&) { return ++messages, TModalResult::Ok; });
  const auto local = RelaunchFromLocalCopy(media.Path());
  SetMsgDlgObserver(nullptr);
  ASSERT_TRUE(local.has_value());
  EXPECT_EQ(messages, 0);
  EXPECT_FALSE(PathExists(*local + L"INSTCORV.EXE"));
  EXPECT_TRUE(PathExists(*local + L"INSTCORV.DAT"));
  RemoveTree(*local);
}

// ---- The wizard driver over real windows -------------------------------------------

namespace {
constexpr UINT WM_TEST_CLOSE = WM_APP + 1;
constexpr TModalResult Next = TModalResult::Next, Cancel = TModalResult::Cancel, Back = TModalResult::Back,
                       None = TModalResult::None;
// A page that raises an error instead of closing.
constexpr TModalResult Fails = static_cast<TModalResult>(-1);

struct DriverLog {
  std::vector<int> shownSteps;
  std::vector<POINT> positions;
  int destroyed = 0;
};

// A real top-level window with its own modal loop that ends with a scripted result.
class TestPage : public IWizardPage {
 public:
  TestPage(TWizardStep step, TModalResult result, DriverLog& log) : result_(result), log_(log) {
    Settings().CurrentStep = step;  // the page contract
    static bool registered = false;
    if (!registered) {
      WNDCLASSW wc{};
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"CorvanTestPage";
      RegisterClassW(&wc);
      registered = true;
    }
    hwnd_ = CreateWindowExW(0, L"CorvanTestPage", L"Pagina", WS_POPUP, 0, 0, 637, 114, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(hwnd_, nullptr) << GetLastError();
    log_.shownSteps.push_back(step);
  }
  ~TestPage() override {
    DestroyWindow(hwnd_);
    ++log_.destroyed;
  }
  SIZE OuterSize() const override {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return {r.right - r.left, r.bottom - r.top};
  }
  void MoveTo(int left, int top) override {
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  TModalResult ShowModal() override {
    ShowWindow(hwnd_, SW_SHOW);
    RECT r{};
    EXPECT_TRUE(GetWindowRect(hwnd_, &r)) << GetLastError();
    log_.positions.push_back({r.left, r.top});
    if (result_ == Fails) throw std::runtime_error("page failed");
    PostMessageW(hwnd_, WM_TEST_CLOSE, static_cast<WPARAM>(result_), 0);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
      if (msg.hwnd == hwnd_ && msg.message == WM_TEST_CLOSE) return static_cast<TModalResult>(msg.wParam);
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return None;
  }

 private:
  HWND hwnd_;
  TModalResult result_;
  DriverLog& log_;
};

struct Script {
  bool alias = false;
  bool libraryLoads = true;
  std::deque<TModalResult> results;  // one per page shown
};

struct DriverRun {
  DriverLog log;
  std::vector<MsgDlgRequest> messages;
  TModalResult answer = TModalResult::Yes;  // what the message dialog answers
};

void RunScripted(Script script, DriverRun& run, TInstallType type = itNone) {
  Settings() = {};
  Settings().InstallType = type;
  MessagePrefix = L"PENTRU CONTINUARE";
  SetMsgDlgObserver([&](const MsgDlgRequest& r) {
    run.messages.push_back(r);
    return run.answer;
  });
  WizardEnvironment env;
  env.aliasExists = [&] { return script.alias; };
  env.unpackUpgradePackage = [] {};
  env.loadUpgradeLibrary = [&] { return script.libraryLoads; };
  env.readSetupConfig = [] { Settings().DiskCount = 2; };
  env.createPage = [&](TWizardStep step) -> std::unique_ptr<IWizardPage> {
    EXPECT_FALSE(script.results.empty()) << "page of step " << int(step) << " not expected";
    if (script.results.empty()) return nullptr;
    const TModalResult result = script.results.front();
    script.results.pop_front();
    return std::make_unique<TestPage>(step, result, run.log);
  };
  env.askServerUpgrade = AskServerUpgrade;
  RunWizard(env);
  SetMsgDlgObserver(nullptr);
}
}  // namespace

TEST(WizardDriver, FreshInstallRoadWithBackAndRepeat) {
  DriverRun run;
  RunScripted({false, true, {Next, Back, Next, Next, None, Next, Next, Back, Next, Next}}, run);
  EXPECT_EQ(run.log.shownSteps, (std::vector<int>{0, 1, 0, 1, 2, 2, 3, 4, 3, 4}));
  EXPECT_EQ(run.log.destroyed, 10);
  EXPECT_EQ(Settings().CurrentStep, wsDone);
  EXPECT_FALSE(Settings().UpgradeMode);
  EXPECT_EQ(Settings().DiskCount, 2);
  EXPECT_TRUE(run.messages.empty());
}

TEST(WizardDriver, CancelEndsAtOnce) {
  DriverRun run;
  RunScripted({false, true, {Next, Next, Cancel}}, run);
  EXPECT_EQ(run.log.shownSteps, (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(run.messages.empty());  // no confirmation is asked
}

TEST(WizardDriver, UpgradeRoadLocalBecomesServer) {
  DriverRun run;
  RunScripted({true, true, {Next, Next, Next, Back, Next, Next}}, run, itLocal);
  EXPECT_EQ(run.log.shownSteps, (std::vector<int>{6, 7, 8, 4, 3, 4}));
  EXPECT_EQ(Settings().InstallType, itServer);
  EXPECT_TRUE(run.messages.empty());
}

TEST(WizardDriver, ClientAnsweringNoSkipsTheDatabaseUpgrade) {
  DriverRun run;
  run.answer = TModalResult::No;
  RunScripted({true, true, {Next, Next, Back, Cancel}}, run, itClient);
  EXPECT_EQ(run.log.shownSteps, (std::vector<int>{6, 7, 4, 3}));
  EXPECT_EQ(Settings().InstallType, itClient);
  ASSERT_EQ(run.messages.size(), 1u);
  const auto& q = run.messages[0];
  EXPECT_EQ(q.caption, L"UPGRADE baza de date SERVER ?");
  EXPECT_EQ(q.kind, mtConfirmation);
  EXPECT_EQ(q.buttons, Buttons({mbYes, mbNo}));
  EXPECT_EQ(q.defaultButton, mbNo);
  // Asked without a prefix; the prefix comes back afterwards.
  EXPECT_EQ(q.shownText.rfind(L"Baza de date se afla la distanta, pe SERVER.\r" + std::wstring(46, L'_') + L"\r\r", 0), 0u);
  EXPECT_NE(q.shownText.find(L"\r" + std::wstring(48, L'_') + L"\r\rFac UPGRADE la baza de date de pe SERVER?\r"),
            std::wstring::npos);
  EXPECT_EQ(q.shownText.back(), L'\r');
  EXPECT_EQ(MessagePrefix, L"PENTRU CONTINUARE");
}

TEST(WizardDriver, ClientAnsweringYesIsAskedAgainComingBack) {
  DriverRun run;
  run.answer = TModalResult::Yes;
  RunScripted({true, true, {Next, Next, Back, Cancel}}, run, itClient);
  EXPECT_EQ(run.log.shownSteps, (std::vector<int>{6, 7, 8, 7}));
  EXPECT_EQ(Settings().InstallType, itServer);
  EXPECT_EQ(run.messages.size(), 1u);  // once a server, it is not asked again
}

TEST(WizardDriver, BackFromFinderEnds) {
  DriverRun run;
  RunScripted({true, true, {Back}}, run, itServer);
  EXPECT_EQ(run.log.shownSteps, (std::vector<int>{6}));
  EXPECT_EQ(Settings().CurrentStep, wsDone);
}

TEST(WizardDriver, LibraryLoadFailureEndsWithTheMessage) {
  DriverRun run;
  run.answer = TModalResult::Cancel;
  RunScripted({true, false, {}}, run);
  EXPECT_TRUE(run.log.shownSteps.empty());
  ASSERT_EQ(run.messages.size(), 1u);
  EXPECT_EQ(run.messages[0].caption, L"Program incomplet!");
  EXPECT_EQ(run.messages[0].kind, mtError);
  EXPECT_EQ(run.messages[0].buttons, Buttons({mbCancel}));
  EXPECT_EQ(run.messages[0].shownText, L"PENTRU CONTINUARE,\r\rNu am putut incarca UPGRADE.DLL");
  EXPECT_EQ(Settings().CurrentStep, wsDone);
}

TEST(WizardDriver, PlacesPagesLowAndCentred) {
  DriverRun run;
  RunScripted({false, true, {Cancel}}, run);
  ASSERT_EQ(run.log.positions.size(), 1u);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(run.log.positions[0].x, (sw - 637) / 2);
  EXPECT_EQ(run.log.positions[0].y, ((sh - 114) / 9) * 8);
}

TEST(WizardDriver, PageErrorStillDestroysThePage) {
  DriverRun run;
  EXPECT_THROW(RunScripted({false, true, {Next, Fails}}, run), std::runtime_error);
  SetMsgDlgObserver(nullptr);
  EXPECT_EQ(run.log.shownSteps, (std::vector<int>{0, 1}));
  EXPECT_EQ(run.log.destroyed, 2);
}

TEST(WizardDriver, ServerQuestionPutsThePrefixBackHoweverItEnds) {
  Settings() = {};
  Settings().InstallType = itClient;
  MessagePrefix = L"Pentru continuare";
  std::wstring shown;
  SetMsgDlgObserver([&](const MsgDlgRequest& r) -> TModalResult {
    shown = r.shownText;
    throw std::runtime_error("the dialog failed");
  });
  EXPECT_THROW(AskServerUpgrade(), std::runtime_error);
  SetMsgDlgObserver(nullptr);
  EXPECT_EQ(shown.rfind(L"Baza de date se afla la distanta", 0), 0u);  // asked without the prefix
  EXPECT_EQ(MessagePrefix, L"PENTRU CONTINUARE");
}
