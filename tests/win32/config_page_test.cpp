// The configuration page: its window table, a whole run (the three steps in order, each
// panel marked, the programs started as they must be, the group's macros sent once, the
// trace), the group's edge cases, no DDE server, a registry template fault, and a press on
// Abandon or Back while the steps run.
#include "sysconfig/Ccfg.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <ddeml.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

#include "core/group_macros.h"
#include "core/text.h"
#include "engine_test_support.h"
#include "sysconfig/ProgramGroup.h"
#include "sysconfig/StepTrace.h"
#include "toolkit/Dialogs.h"
#include "toolkit/PlatformBox.h"
#include "toolkit_globals.h"
#include "typed_keys.h"
#include "page_places.h"
#include "win32_test_support.h"
#include "wizard/Instructions.h"

using namespace corvan;

namespace {
constexpr wchar_t TestShell[] = L"CorvanTestShell";

std::vector<std::wstring> Lines(const std::string& utf8) {
  std::vector<std::wstring> lines;
  std::wistringstream in(Widened(utf8));
  for (std::wstring line; std::getline(in, line);) {
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// A DDE server on a thread of its own that takes execute requests like Program Manager:
// only on the topic "PROGMAN" (any other topic is refused), every request kept.
class CapturingShell {
 public:
  explicit CapturingShell(std::wstring service = TestShell) : service_(std::move(service)) {
    current_ = this;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] { Run(ready); });
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
    SetProgramGroupServer({service_, L"PROGMAN"});
  }
  ~CapturingShell() {
    SetProgramGroupServer({});
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    current_ = nullptr;
  }
  std::vector<std::wstring> Executes() {
    std::lock_guard lock(mutex_);
    return executes_;
  }
  int Connects() {
    std::lock_guard lock(mutex_);
    return connects_;
  }
  // Each request is also written to this file (to order it among the programs started).
  std::wstring eventsFile;

 private:
  void Run(HANDLE ready) {
    threadId_ = GetCurrentThreadId();
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
    DdeInitializeW(&instance_, Callback, APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES | CBF_FAIL_REQUESTS, 0);
    HSZ service = DdeCreateStringHandleW(instance_, service_.c_str(), CP_WINUNICODE);
    topic_ = DdeCreateStringHandleW(instance_, L"PROGMAN", CP_WINUNICODE);
    DdeNameService(instance_, service, nullptr, DNS_REGISTER);
    SetEvent(ready);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    DdeNameService(instance_, service, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(instance_, service);
    DdeFreeStringHandle(instance_, topic_);
    DdeUninitialize(instance_);
  }

  static HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    CapturingShell* self = current_;
    if (!self) return nullptr;
    if (type == XTYP_CONNECT) return reinterpret_cast<HDDEDATA>(DdeCmpStringHandles(topic, self->topic_) == 0);
    if (type != XTYP_EXECUTE) return nullptr;
    const DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::wstring text(size / sizeof(wchar_t), L'\0');
    DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), size, 0);
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    std::lock_guard lock(self->mutex_);
    self->executes_.push_back(text);
    if (!self->eventsFile.empty()) {
      std::string bytes = ReadBytes(self->eventsFile) + "execute\n";
      WriteBytes(self->eventsFile, bytes);
    }
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
  }

  static inline CapturingShell* current_ = nullptr;
  std::wstring service_;
  std::thread thread_;
  DWORD threadId_ = 0;
  DWORD instance_ = 0;
  HSZ topic_ = nullptr;
  std::mutex mutex_;
  std::vector<std::wstring> executes_;
  int connects_ = 0;
};

// The engine's files where the copy page puts them, with an unfilled template. An engine
// library this process has loaded already stays as it is.
void PrepareEngine() {
  if (!PathExists(EngineFolderOnMachine() + L"idapi32.dll")) {
    ASSERT_TRUE(CopyEngineFiles());
    return;
  }
  ASSERT_TRUE(CopyFileW((StandinBuildFolder(L"idapi32") + L"bde.reg").c_str(),
                        (EngineFolderOnMachine() + L"bde.reg").c_str(), FALSE));
}

// A machine after the copy page: the product's programs in the program folder (the two
// the page starts are recording stand-ins), the engine's files, the data folder.
struct InstalledMachine {
  explicit InstalledMachine(const std::wstring& folder) : programDir(folder) {
    Settings() = {};
    SHCreateDirectoryExW(nullptr, programDir.c_str(), nullptr);
    for (const wchar_t* program : {L"HHUPD.EXE", L"TREGSVR.EXE"})
      EXPECT_TRUE(CopyFileW((TestProgramFolder() + L"recording_program.exe").c_str(),
                            (programDir + L"\\" + program).c_str(), FALSE));
    EXPECT_TRUE(WriteBytes(programDir + L"\\CORVAN.EXE", "MZ"));
    EXPECT_TRUE(WriteBytes(programDir + L"\\CFX32.OCX", "MZ"));
    DeleteFileW(Events().c_str());
    Settings().ProgramDir = Settings().ProposedProgramDir = programDir;
    Settings().DataDir = Settings().ProposedDataDir = data.Path() + L"Date Corvan";
    PrepareEngine();
    InitStepTrace(trace.Path());
  }
  ~InstalledMachine() {
    InitStepTrace(trace.Path() + L"off\\");
    RemoveTree(programDir);
  }
  std::wstring Events() const { return programDir + L"\\events.txt"; }
  std::vector<std::wstring> EventLines() const { return Lines(ReadBytes(Events())); }
  void TraceOn() {
    WriteBytes(trace.Path() + L"debug.pas", "");
    InitStepTrace(trace.Path());
  }
  std::vector<std::wstring> TraceLines() const { return Lines(ReadBytes(trace.Path() + L"INSTCORV.LOG")); }

  std::wstring programDir;
  TempFolder data, trace;
};

// The panel's look as painted on the screen: its corner and where its red and black text is.
struct PanelLook {
  COLORREF corner;
  int redLeft = -1, blackLeft = -1;  // first column with red / black text, -1: none
};

PanelLook LookOf(TPanel& panel) {
  UpdateWindow(panel.Handle());
  HDC dc = GetDC(panel.Handle());
  PanelLook look{GetPixel(dc, 0, 0)};
  for (int x = 0; x < panel.Width() && (look.redLeft < 0 || look.blackLeft < 0); ++x)
    for (int y = 2; y < panel.Height() - 2; ++y) {
      const COLORREF c = GetPixel(dc, x, y);
      if (c == RGB(255, 0, 0) && look.redLeft < 0) look.redLeft = x;
      if (c == RGB(0, 0, 0) && look.blackLeft < 0) look.blackLeft = x;
    }
  ReleaseDC(panel.Handle(), dc);
  return look;
}

void ExpectPending(TPanel& panel) {
  SCOPED_TRACE(std::string(panel.Name().begin(), panel.Name().end()));
  EXPECT_EQ(panel.BevelOuter(), bvNone);
  EXPECT_EQ(panel.Font().Color(), clBlack);
  EXPECT_EQ(panel.Alignment(), taRightJustify);
  const PanelLook look = LookOf(panel);
  EXPECT_EQ(look.corner, RGB(152, 165, 177)) << "no bevel: the page colour";
  EXPECT_EQ(look.redLeft, -1);
  EXPECT_GT(look.blackLeft, panel.Width() / 3) << "the text stands on the right";
}

void ExpectDone(TPanel& panel) {
  SCOPED_TRACE(std::string(panel.Name().begin(), panel.Name().end()));
  EXPECT_EQ(panel.BevelOuter(), bvRaised);
  EXPECT_EQ(panel.Font().Color(), clRed);
  EXPECT_EQ(panel.Alignment(), taLeftJustify);
  const PanelLook look = LookOf(panel);
  EXPECT_NE(look.corner, RGB(152, 165, 177)) << "a raised bevel";
  EXPECT_EQ(look.blackLeft, -1);
  EXPECT_GE(look.redLeft, 0);
  EXPECT_LT(look.redLeft, 12) << "the text starts on the left";
}

std::wstring Expected(const std::wstring& programDir, InstalledPrograms installed) {
  return JoinedMacros(ProgramGroupMacros(programDir, installed));
}

void PostAlt(HWND window, wchar_t letter) { PostMessageW(window, WM_SYSCHAR, letter, 0x20000000); }
}  // namespace

TEST(ConfigPage, WindowTable) {
  Settings() = {};
  Settings().CurrentStep = wsCopy;
  TConfig page;
  EXPECT_EQ(Settings().CurrentStep, wsConfig);
  page.Show();
  EXPECT_EQ(page.Name(), L"Config");
  EXPECT_EQ(page.ClientWidth(), 637);
  EXPECT_EQ(page.ClientHeight(), 114);
  EXPECT_EQ(page.Color(), Hex(0x98A5B1));
  EXPECT_TRUE(page.Font().Bold());
  EXPECT_EQ(page.Font().Name(), L"MS Sans Serif");
  EXPECT_TRUE(page.KeyPreview());
  EXPECT_EQ(page.TitleBar()->Caption(), L"Configurare sistem");
  wchar_t caption[64] = L"";
  GetWindowTextW(page.Handle(), caption, 64);
  EXPECT_STREQ(caption, L"Configurare sistem");

  ExpectPlaces({
      {&page.BNext, &page, {82, 52, 82 + 67, 52 + 51}},      {&page.BBack, &page, {15, 52, 15 + 67, 52 + 51}},
      {&page.BBDE, &page, {165, 25, 165 + 308, 25 + 18}},    {&page.BCFGSYS, &page, {165, 43, 165 + 308, 43 + 18}},
      {&page.BGROUP, &page, {165, 97, 165 + 308, 97 + 18}},  {&page.BCancel, &page, {504, 63, 504 + 108, 63 + 28}},
  });
  EXPECT_EQ(page.BNext.Caption(), L"&Continua");
  EXPECT_EQ(page.BNext.Kind(), mknNext);
  EXPECT_EQ(page.BNext.ButtonLayout(), blGlyphTop);
  EXPECT_EQ(page.BNext.Spacing(), 5);
  EXPECT_EQ(page.BNext.ModalResult(), TModalResult::None) << "Continue gives the result itself, after the steps";
  EXPECT_EQ(page.BBack.Caption(), L"&Inapoi");
  EXPECT_EQ(page.BBack.Kind(), mknPrev);
  EXPECT_EQ(page.BBack.ButtonLayout(), blGlyphTop);
  EXPECT_EQ(page.BBack.ModalResult(), TModalResult::Back);
  EXPECT_EQ(page.BCancel.Caption(), L"&Abandon");
  EXPECT_EQ(page.BCancel.Kind(), mkCancel);
  EXPECT_EQ(page.BCancel.ModalResult(), TModalResult::Cancel);
  EXPECT_EQ(page.BBDE.Caption(), L" Configurare BDE");
  EXPECT_EQ(page.BCFGSYS.Caption(), L" Actualizare HTML Help && Chart FX");
  EXPECT_EQ(page.BGROUP.Caption(), L" Creare grup");
  for (TPanel* panel : {&page.BBDE, &page.BCFGSYS, &page.BGROUP}) {
    EXPECT_EQ(panel->Color(), PageColor);
    ExpectPending(*panel);
  }
  // The doubled "&" is drawn as one: the caption measures as "Help & Chart" does.
  HDC dc = GetDC(page.BCFGSYS.Handle());
  SelectObject(dc, page.BCFGSYS.Font().Handle());
  RECT drawn{}, single{};
  DrawTextW(dc, L" Actualizare HTML Help && Chart FX", -1, &drawn, DT_CALCRECT | DT_SINGLELINE);
  DrawTextW(dc, L" Actualizare HTML Help & Chart FX", -1, &single, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  ReleaseDC(page.BCFGSYS.Handle(), dc);
  EXPECT_EQ(drawn.right, single.right);
}

TEST(ConfigPage, ARunDoesTheThreeStepsInOrderMarksEachAndMovesOn) {
  InstalledMachine machine(L"C:\\Program Files\\Corvan Demo");
  machine.TraceOn();
  CapturingShell shell;
  shell.eventsFile = machine.Events();
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Borland\\BLW32");
  TConfig page;
  PostAlt(page.Handle(), L'c');
  EXPECT_EQ(page.ShowModal(), TModalResult::Next);
  page.Show();  // the driver would destroy it now; shown again, it shows how it ended
  for (TPanel* panel : {&page.BBDE, &page.BCFGSYS, &page.BGROUP}) ExpectDone(*panel);
  EXPECT_TRUE(page.BNext.Enabled());

  // The engine is registered; each program is started minimised, its path quoted, and
  // waited for before the next step; the group's macros go in one request at the end.
  EXPECT_TRUE(MachineKeyExists(L"Software\\Borland\\BLW32"));
  const std::wstring dir = machine.programDir;
  const std::vector<std::wstring> events = {
      L"HHUPD.EXE start show=6 \"" + dir + L"\\HHUPD.EXE\" /Q",
      L"HHUPD.EXE end",
      L"TREGSVR.EXE start show=6 \"" + dir + L"\\TREGSVR.EXE\" -Q " + dir + L"\\CFX32.OCX",
      L"TREGSVR.EXE end",
      L"execute",
  };
  EXPECT_EQ(machine.EventLines(), events);
  EXPECT_EQ(shell.Executes(), std::vector<std::wstring>{Expected(dir, {})});

  // The trace: each step between its BEGIN and END, in order.
  std::vector<std::wstring> steps;
  for (const auto& line : machine.TraceLines()) {
    const auto stamp = line.find(L" <TIMP ");
    steps.push_back(line.substr(0, stamp));
    EXPECT_NE(stamp, std::wstring::npos) << std::string(line.begin(), line.end());
  }
  EXPECT_EQ(steps, (std::vector<std::wstring>{L"BEGIN => DoConfigBDE", L"END <- DoConfigBDE",
                                              L"BEGIN => DoConfigConfigSys", L"END <- DoConfigConfigSys",
                                              L"BEGIN => DoConfigGroup", L"END <- DoConfigGroup"}));
}

TEST(ConfigPage, TheGroupHoldsTheProgramsFoundInTheProgramFolder) {
  const struct {
    const char* what;
    std::wstring programDir;  // as the folders page set it
    std::vector<const wchar_t*> programs;
    std::wstring expected;
  } cases[] = {
      {"only CORVAN.EXE: three macros", L"C:\\Corvan", {L"CORVAN.EXE"},
       L"[CreateGroup(\"Corvan\")][AddItem(\"C:\\Corvan\\CORVAN.EXE\", \"Corvan\")][ShowGroup(\"Corvan\",8)]"},
      {"OUTPOST.EXE without TENDRIX.EXE still brings the Tendrix item", L"C:\\Corvan",
       {L"CORVAN.EXE", L"OUTPOST.EXE"}, Expected(L"C:\\Corvan", {.outpost = true})},
      {"TENDRIX.EXE without OUTPOST.EXE brings nothing", L"C:\\Corvan", {L"CORVAN.EXE", L"TENDRIX.EXE"},
       Expected(L"C:\\Corvan", {})},
      {"every program", L"C:\\Corvan", {L"CORVAN.EXE", L"TENDRIX.EXE", L"OUTPOST.EXE", L"PAYDESK.EXE"},
       Expected(L"C:\\Corvan", {.outpost = true, .paydesk = true})},
      {"a folder ending in a backslash: two before each file name", L"C:\\Corvan\\", {L"CORVAN.EXE", L"PAYDESK.EXE"},
       L"[CreateGroup(\"Corvan\")][AddItem(\"C:\\Corvan\\\\CORVAN.EXE\", \"Corvan\")]"
       L"[AddItem(\"C:\\Corvan\\\\PAYDESK.EXE\", \"Paydesk\")][ShowGroup(\"Corvan\",8)]"},
  };
  CapturingShell shell;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Settings() = {};
    RemoveTree(L"C:\\Corvan");
    CreateDirectoryW(L"C:\\Corvan", nullptr);
    for (const wchar_t* program : c.programs) ASSERT_TRUE(WriteBytes(std::wstring(L"C:\\Corvan\\") + program, "MZ"));
    Settings().ProgramDir = Settings().ProposedProgramDir = c.programDir;
    const size_t before = shell.Executes().size();
    DoConfigGroup();
    const auto executes = shell.Executes();
    ASSERT_EQ(executes.size(), before + 1) << "one execute request";
    EXPECT_EQ(executes.back(), c.expected);
  }
  RemoveTree(L"C:\\Corvan");
}

// The shell's own Program Manager, as on a customer's machine: the group appears in the
// Start menu with an item for each program.
TEST(ConfigPage, TheShellMakesTheGroupInTheStartMenu) {
  Settings() = {};
  RemoveTree(L"C:\\Corvan");
  CreateDirectoryW(L"C:\\Corvan", nullptr);
  for (const wchar_t* program : {L"CORVAN.EXE", L"TENDRIX.EXE", L"OUTPOST.EXE", L"PAYDESK.EXE"})
    ASSERT_TRUE(CopyFileW((TestProgramFolder() + L"recording_program.exe").c_str(),
                          (std::wstring(L"C:\\Corvan\\") + program).c_str(), FALSE));
  wchar_t* programs = nullptr;
  ASSERT_EQ(SHGetKnownFolderPath(FOLDERID_Programs, 0, nullptr, &programs), S_OK);
  const std::wstring group = std::wstring(programs) + L"\\Corvan\\";
  CoTaskMemFree(programs);
  RemoveTree(group);
  // The shell serves Program Manager once the desktop runs, which a shown window starts.
  TConfig page;
  page.Show();
  int messages = 0;
  SetMsgDlgObserver([&](const MsgDlgRequest&) {
    ++messages;
    return TModalResult::Cancel;
  });
  DoConfigGroup();
  SetMsgDlgObserver(nullptr);
  EXPECT_EQ(messages, 0);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  for (const wchar_t* item : {L"Corvan", L"Tendrix", L"Outpost", L"Paydesk"}) {
    SCOPED_TRACE(std::string(item, item + wcslen(item)));
    const std::wstring link = group + item + L".lnk";
    ASSERT_TRUE(PathExists(link));
    IShellLinkW* shellLink = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                               reinterpret_cast<void**>(&shellLink)), S_OK);
    IPersistFile* file = nullptr;
    shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    ASSERT_EQ(file->Load(link.c_str(), STGM_READ), S_OK);
    wchar_t target[MAX_PATH] = L"";
    shellLink->GetPath(target, MAX_PATH, nullptr, 0);
    std::wstring expected = std::wstring(L"C:\\Corvan\\") + item + L".EXE";
    EXPECT_EQ(UpperText(target), UpperText(expected));
    file->Release();
    shellLink->Release();
  }
  CoUninitialize();
  RemoveTree(group);
  RemoveTree(L"C:\\Corvan");
}

TEST(ConfigPage, WithoutADdeServerTheErrorIsShownAndThePageStillMovesOn) {
  InstalledMachine machine(L"C:\\Corvan");
  machine.TraceOn();
  SetProgramGroupServer({L"CorvanNobodyAnswers", L"PROGMAN"});
  std::vector<MsgDlgRequest> messages;
  SetMsgDlgObserver([&](const MsgDlgRequest& r) {
    messages.push_back(r);
    return TModalResult::Cancel;
  });
  TConfig page;
  PostAlt(page.Handle(), L'c');
  const TModalResult result = page.ShowModal();
  SetMsgDlgObserver(nullptr);
  SetProgramGroupServer({});
  EXPECT_EQ(result, TModalResult::Next);
  page.Show();
  ExpectDone(page.BGROUP);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].shownText, L"Eroare DDE!");
  EXPECT_EQ(messages[0].caption, L"Eroare...");
  EXPECT_EQ(messages[0].kind, mtError);
  EXPECT_EQ(messages[0].buttons, Buttons({mbCancel}));
  EXPECT_EQ(messages[0].defaultButton, mbCancel);
  const auto trace = machine.TraceLines();
  ASSERT_GE(trace.size(), 2u);
  EXPECT_EQ(trace[trace.size() - 2].substr(0, trace[trace.size() - 2].find(L" <TIMP ")),
            L"    *       Eroare initializare conversatie DDE");
  EXPECT_EQ(trace.back().substr(0, trace.back().find(L" <TIMP ")), L"END <- DoConfigGroup");
}

TEST(ConfigPage, AServerThatTakesOnlyAnotherTopicCountsAsNone) {
  Settings() = {};
  CapturingShell shell;
  SetProgramGroupServer({TestShell, L""});  // an empty topic: refused, as Wine's shell refuses it
  int messages = 0;
  SetMsgDlgObserver([&](const MsgDlgRequest&) {
    ++messages;
    return TModalResult::Cancel;
  });
  DoConfigGroup();
  SetMsgDlgObserver(nullptr);
  EXPECT_EQ(messages, 1);
  EXPECT_TRUE(shell.Executes().empty());
  // The program's own server name opens the conversation on the topic Program Manager answers.
  EXPECT_EQ(ProgramManagerServer().topic, L"PROGMAN");
  SetProgramGroupServer({});
  EXPECT_EQ(ProgramGroupServer().service, L"ProgMan");
}

TEST(ConfigPage, ATemplateFaultShowsTheErrorAndKeepsThePageOpen) {
  InstalledMachine machine(L"C:\\Corvan");
  CapturingShell shell;
  shell.eventsFile = machine.Events();
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Borland\\BLW32");
  const std::wstring templatePath = EngineFolderOnMachine() + L"bde.reg";
  ASSERT_TRUE(DeleteFileW(templatePath.c_str()));
  std::vector<std::pair<std::wstring, TPlatformBox>> boxes;
  TConfig page;
  SetPlatformBoxObserver([&](const std::wstring& text, TPlatformBox kind) {
    boxes.emplace_back(text, kind);
    // Once the box is answered the user goes back.
    PostAlt(page.Handle(), L'i');
  });
  PostAlt(page.Handle(), L'c');
  const TModalResult result = page.ShowModal();
  SetPlatformBoxObserver(nullptr);
  EXPECT_EQ(result, TModalResult::Back) << "the page stayed open until the user chose Back";
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].first, L"Nu gasesc fisierul " + templatePath);
  EXPECT_EQ(boxes[0].second, TPlatformBox::Error);
  EXPECT_FALSE(page.BNext.Enabled()) << "Continue stays disabled";
  EXPECT_TRUE(page.BBack.Enabled());
  EXPECT_TRUE(page.BCancel.Enabled());
  for (TPanel* panel : {&page.BBDE, &page.BCFGSYS, &page.BGROUP}) EXPECT_EQ(panel->BevelOuter(), bvNone);
  EXPECT_TRUE(machine.EventLines().empty()) << "no program started, no group made";
  EXPECT_TRUE(shell.Executes().empty());
}

TEST(ConfigPage, APressWhileTheSecondStepRunsDoesNotStopTheRun) {
  const struct {
    const char* what;
    wchar_t letter;
  } cases[] = {{"Abandon", L'a'}, {"Back", L'i'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    InstalledMachine machine(L"C:\\Corvan");
    CapturingShell shell;
    shell.eventsFile = machine.Events();
    // HHUPD.EXE types the key into the page while the page waits for it.
    const std::wstring press = std::wstring(L"HHUPD.EXE|Configurare sistem|") + c.letter;
    SetEnvironmentVariableW(L"CORVAN_TEST_PRESS", press.c_str());
    TConfig page;
    int cancelledAt = 0;  // which panels were done when the press reached the page
    page.BCancel.OnClick = [&](TControl&) {
      cancelledAt = page.BBDE.BevelOuter() == bvRaised && page.BCFGSYS.BevelOuter() == bvRaised ? 2 : 1;
    };
    page.BBack.OnClick = page.BCancel.OnClick;
    PostAlt(page.Handle(), L'c');
    const TModalResult result = page.ShowModal();
    SetEnvironmentVariableW(L"CORVAN_TEST_PRESS", nullptr);
    EXPECT_EQ(result, TModalResult::Next) << "the finish page follows";
    EXPECT_EQ(cancelledAt, 2) << "the press is handled once the second step is marked";
    for (TPanel* panel : {&page.BBDE, &page.BCFGSYS, &page.BGROUP}) EXPECT_EQ(panel->BevelOuter(), bvRaised);
    const auto events = machine.EventLines();
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[2].substr(0, 17), L"TREGSVR.EXE start");
    EXPECT_EQ(shell.Executes().size(), 1u) << "the third step ran";
  }
}

TEST(ConfigPage, AltHAsksForTheInstructions) {
  Settings() = {};
  int shown = 0;
  SetInstructionsHandler([&] { ++shown; });
  TConfig page;
  page.Show();
  AltKey(page.Handle(), 'H');
  SetInstructionsHandler(nullptr);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(page.ModalResult(), TModalResult::None);
}
