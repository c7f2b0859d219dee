// The engine configuration step on a machine under Wine, with the real regedit and the
// stand-in engine: registration from the filled template, the four aliases, the Paradox
// network folder, a second installation counting one more user, and template faults.
// Each setup run happens in a process of its own, as on a customer's machine: the test
// program runs itself again for the disabled EngineChild tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <sstream>

#include "core/install_settings.h"
#include "engine_description.h"
#include "engine_test_support.h"
#include "sysconfig/BdeConfig.h"
#include "sysconfig/StepTrace.h"
#include "sysconfig/aliasint.h"
#include "sysconfig/idapi.h"
#include "toolkit/Dialogs.h"

using namespace corvan;

namespace {
constexpr wchar_t DataDirVariable[] = L"CORVAN_TEST_DATADIR";
constexpr wchar_t ProbeFileVariable[] = L"CORVAN_TEST_PROBE";
constexpr wchar_t TraceFolderVariable[] = L"CORVAN_TEST_TRACE";

std::wstring Variable(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD n = GetEnvironmentVariableW(name, value, 1024);
  return n > 0 && n < 1024 ? value : L"";
}

// What a new setup process sees of the engine: AliasExists, every alias's folder, the
// Paradox NET DIR, and how many messages were shown.
using Probe = std::map<std::wstring, std::wstring>;

Probe RunProbe() {
  TempFolder out;
  const std::wstring file = out.Path() + L"probe.txt";
  SetEnvironmentVariableW(ProbeFileVariable, file.c_str());
  EXPECT_EQ(RunChildTest(L"EngineChild.DISABLED_Probe"), 0);
  SetEnvironmentVariableW(ProbeFileVariable, nullptr);
  Probe probe;
  std::wistringstream lines(Widened(ReadBytes(file)));
  for (std::wstring line; std::getline(lines, line);) {
    const auto eq = line.find(L'=');
    if (eq != std::wstring::npos) probe[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return probe;
}

// The step run in a process of its own; with traceFolder, its trace goes to INSTCORV.LOG there.
int RunDoConfigBDE(const std::wstring& dataDir, const std::wstring& traceFolder = L"") {
  SetEnvironmentVariableW(DataDirVariable, dataDir.c_str());
  SetEnvironmentVariableW(TraceFolderVariable, traceFolder.empty() ? nullptr : traceFolder.c_str());
  const int code = RunChildTest(L"EngineChild.DISABLED_DoConfigBDE");
  SetEnvironmentVariableW(DataDirVariable, nullptr);
  SetEnvironmentVariableW(TraceFolderVariable, nullptr);
  return code;
}

// The data folder as the copy page leaves it: the blank database and the customer's folder.
void MakeDatabaseFolders(const std::wstring& dataDir) {
  for (int i = 0; i < AliasCount; ++i)
    SHCreateDirectoryExW(nullptr, AliasFolder(dataDir, i).c_str(), nullptr);
}

}  // namespace

// Every alias's folder and the Paradox NET DIR, as the engine this process loaded answers.
void DescribeEngine(std::wostringstream& out) {
  ASSERT_TRUE(DescribeEngineInto(GetModuleHandleW(EngineLibraryPath().c_str()), out));
}

// Run by RunProbe in a new process.
TEST(EngineChild, DISABLED_Probe) {
  int messages = 0;
  SetMsgDlgObserver([&](const MsgDlgRequest&) {
    ++messages;
    return TModalResult::Ok;
  });
  std::wostringstream out;
  out << L"AliasExists=" << AliasExists() << L"\n";
  DescribeEngine(out);
  out << L"Messages=" << messages << L"\n";
  const std::wstring text = out.str();
  std::string bytes(text.size() * 2, '\0');
  bytes.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                   static_cast<int>(bytes.size()), nullptr, nullptr));
  ASSERT_TRUE(WriteBytes(Variable(ProbeFileVariable), bytes));
}

// Run by RunDoConfigBDE in a new process: the configuration page's first step.
TEST(EngineChild, DISABLED_DoConfigBDE) {
  Settings().DataDir = Variable(DataDirVariable);
  ASSERT_FALSE(Settings().DataDir.empty());
  if (!Variable(TraceFolderVariable).empty()) InitStepTrace(Variable(TraceFolderVariable));
  DoConfigBDE();
}

// Run in a new process on a registered machine: one engine initialisation per process,
// ended once at the stop.
TEST(EngineChild, DISABLED_StartOnceStopOnce) {
  ASSERT_TRUE(BdeEngineStart());
  ASSERT_TRUE(BdeEngineStart());
  ASSERT_TRUE(AliasExists());
  EXPECT_FALSE(AddParadoxAliases({L"A", L"B"}, {L"C:\\A"}));
  HMODULE engine = GetModuleHandleW(EngineLibraryPath().c_str());
  ASSERT_NE(engine, nullptr);
  BdeEngineStop();
  BdeEngineStop();
  // Had the second start initialised the engine again, it would still be up.
  hDBIDb db = nullptr;
  EXPECT_EQ(EngineEntry<DbiOpenDatabaseFn>(engine, "DbiOpenDatabase")(
                "CORVAN", nullptr, dbiREADONLY, dbiOPENSHARED, nullptr, 0, nullptr, nullptr, &db),
            DBIERR_NOTINITIALIZED);
  EXPECT_EQ(EngineEntry<DbiExitFn>(engine, "DbiExit")(), DBIERR_NOTINITIALIZED);
}

// Run in a new process on a registered machine whose NET DIR points at the data folder.
TEST(EngineChild, DISABLED_UnspellableFoldersAreNotCut) {
  const std::wstring data = Variable(DataDirVariable);
  const std::wstring longFolder = L"C:\\" + std::wstring(251, L'x');
  const std::wstring foreign = data + L"\\\u4E2D\u6587";
  EXPECT_FALSE(AddParadoxAliases({L"BUN", L"STRAIN", L"LUNG"}, {data, foreign, longFolder}));
  SetParadoxNetDir(foreign);
  std::wostringstream out;
  DescribeEngine(out);
  const std::wstring seen = out.str();
  EXPECT_NE(seen.find(L"NET DIR=" + data + L"\\\n"), std::wstring::npos) << seen;
  EXPECT_FALSE(PathExists(foreign));

  HMODULE engine = GetModuleHandleW(EngineLibraryPath().c_str());
  auto open = EngineEntry<DbiOpenDatabaseFn>(engine, "DbiOpenDatabase");
  hDBIDb db = nullptr;
  EXPECT_EQ(open("BUN", nullptr, dbiREADONLY, dbiOPENSHARED, nullptr, 0, nullptr, nullptr, &db), DBIERR_NONE);
  EXPECT_EQ(open("STRAIN", nullptr, dbiREADONLY, dbiOPENSHARED, nullptr, 0, nullptr, nullptr, &db), DBIERR_UNKNOWNDB);
  EXPECT_EQ(open("LUNG", nullptr, dbiREADONLY, dbiOPENSHARED, nullptr, 0, nullptr, nullptr, &db), DBIERR_UNKNOWNDB);
}

TEST(EngineConfig, WithoutEngineNoAliasAndNoMessage) {
  RemoveEngine();
  Probe probe = RunProbe();
  EXPECT_EQ(probe[L"AliasExists"], L"0");
  EXPECT_EQ(probe[L"Messages"], L"0");
  EXPECT_EQ(EngineLibraryPath(), L"");

  // The engine's files without its registration: the engine does not start, still silent.
  ASSERT_TRUE(CopyEngineFiles());
  EXPECT_EQ(EngineLibraryPath(), EngineFolderOnMachine() + L"idapi32.dll");
  probe = RunProbe();
  EXPECT_EQ(probe[L"AliasExists"], L"0");
  EXPECT_EQ(probe[L"Messages"], L"0");
}

TEST(EngineConfig, FreshMachineRegistersEngineAliasesAndNetDir) {
  TempFolder root;
  const std::wstring data = root.Path() + L"Data";
  for (const std::wstring& dataDir : {data, data + L"\\"}) {
    SCOPED_TRACE(dataDir);
    RemoveEngine();
    RemoveTree(data);
    ASSERT_TRUE(CopyEngineFiles());
    MakeDatabaseFolders(data);
    TempFolder trace;
    ASSERT_TRUE(WriteBytes(trace.Path() + L"debug.pas", ""));

    ASSERT_EQ(RunDoConfigBDE(dataDir, trace.Path()), 0);
    const std::string log = ReadBytes(trace.Path() + L"INSTCORV.LOG");
    EXPECT_EQ(log.find("BEGIN => DoConfigBDE <TIMP "), 0u) << log;
    EXPECT_NE(log.find("\r\nEND <- DoConfigBDE <TIMP "), std::string::npos) << log;

    // The registry holds what the filled template says, with the real Program Files folder.
    const std::wstring engineFolder = MachineProgramFiles() + L"\\Borland\\Common Files\\BDE";
    EXPECT_TRUE(MachineKeyExists(L"Software\\Borland\\BLW32"));
    EXPECT_EQ(MachineString(L"Software\\Borland\\Database Engine", L"DLLPATH"), engineFolder);
    EXPECT_EQ(MachineString(L"Software\\Borland\\Database Engine", L"CONFIGFILE01"), engineFolder + L"\\IDAPI32.CFG");
    EXPECT_EQ(MachineString(L"Software\\Borland\\Database Engine", L"UseCount"), L"1");
    EXPECT_EQ(MachineString(L"Software\\Borland\\BLW32", L"BLAPIPATH"), engineFolder);
    // The template on disk is replaced by its filled form.
    const std::string filled = ReadBytes(EngineFolderOnMachine() + L"bde.reg");
    EXPECT_EQ(filled.find("$ProgDir$"), std::string::npos);

    const Probe probe = RunProbe();
    EXPECT_EQ(probe.at(L"AliasExists"), L"1");
    EXPECT_EQ(probe.at(L"CORVANALIAS"), data + L"\\NEW\\DATA");
    EXPECT_EQ(probe.at(L"FIRMAALIAS"), data + L"\\NEW\\FIRMA");
    EXPECT_EQ(probe.at(L"LUNAALIAS"), data + L"\\NEW\\LUNA");
    EXPECT_EQ(probe.at(L"CORVAN"), data + L"\\DATA");
    EXPECT_EQ(probe.at(L"NET DIR"), data + L"\\");
    EXPECT_TRUE(PathExists(data + L"\\NetDir"));
    EXPECT_EQ(probe.at(L"Messages"), L"0");
  }
}

TEST(EngineConfig, SecondInstallationCountsUserAndKeepsAliases) {
  TempFolder root;
  const std::wstring first = root.Path() + L"Prima";
  const std::wstring second = root.Path() + L"A doua";
  RemoveEngine();
  ASSERT_TRUE(CopyEngineFiles());
  MakeDatabaseFolders(first);
  MakeDatabaseFolders(second);
  ASSERT_EQ(RunDoConfigBDE(first), 0);
  const std::string filledTemplate = ReadBytes(EngineFolderOnMachine() + L"bde.reg");

  // Another installation on this machine, pointing at another data folder.
  ASSERT_EQ(RunDoConfigBDE(second), 0);
  EXPECT_EQ(MachineString(L"Software\\Borland\\Database Engine", L"UseCount"), L"2");
  ASSERT_EQ(RunDoConfigBDE(second), 0);
  EXPECT_EQ(MachineString(L"Software\\Borland\\Database Engine", L"UseCount"), L"3");
  // Existing aliases are not replaced, the network folder stays, the template is not touched.
  const Probe probe = RunProbe();
  EXPECT_EQ(probe.at(L"AliasExists"), L"1");
  EXPECT_EQ(probe.at(L"CORVAN"), first + L"\\DATA");
  EXPECT_EQ(probe.at(L"LUNAALIAS"), first + L"\\NEW\\LUNA");
  EXPECT_EQ(probe.at(L"NET DIR"), first + L"\\");
  EXPECT_FALSE(PathExists(second + L"\\NetDir"));
  EXPECT_EQ(ReadBytes(EngineFolderOnMachine() + L"bde.reg"), filledTemplate);

  // A use count that is not a number starts again at 1.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Borland\\Database Engine", 0, KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  RegSetValueExW(key, L"UseCount", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"doi"), 8);
  RegCloseKey(key);
  ASSERT_EQ(RunDoConfigBDE(second), 0);
  EXPECT_EQ(MachineString(L"Software\\Borland\\Database Engine", L"UseCount"), L"1");

  // A registration without the engine's own key has no use count to raise: nothing is
  // written anywhere, least of all at the root of HKEY_LOCAL_MACHINE.
  ASSERT_EQ(RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Borland\\Database Engine"), ERROR_SUCCESS);
  ASSERT_EQ(RunDoConfigBDE(second), 0);
  EXPECT_FALSE(MachineKeyExists(L"Software\\Borland\\Database Engine"));
  EXPECT_EQ(MachineString(L"", L"UseCount"), L"(none)");
  EXPECT_EQ(MachineString(L"Software", L"UseCount"), L"(none)");
}

TEST(EngineConfig, TemplateFaultsStopTheStepBeforeRegistration) {
  TempFolder root;
  Settings().DataDir = root.Path() + L"Data";
  MakeDatabaseFolders(Settings().DataDir);
  const std::wstring templatePath = EngineFolderOnMachine() + L"bde.reg";

  RemoveEngine();
  ASSERT_TRUE(CopyEngineFiles());
  ASSERT_TRUE(DeleteFileW(templatePath.c_str()));
  try {
    DoConfigBDE();
    ADD_FAILURE() << "a missing template must stop the step";
  } catch (const BdeTemplateError& e) {
    EXPECT_EQ(e.Text(), L"Nu gasesc fisierul " + templatePath);
  }
  EXPECT_FALSE(MachineKeyExists(L"Software\\Borland\\Database Engine"));

  // A template another program holds open cannot be read; it is left as it was.
  ASSERT_TRUE(CopyEngineFiles());
  const std::string unfilled = ReadBytes(templatePath);
  HANDLE held = CreateFileW(templatePath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  try {
    DoConfigBDE();
    ADD_FAILURE() << "an unreadable template must stop the step";
  } catch (const BdeTemplateError& e) {
    EXPECT_EQ(e.Text(), L"Nu pot citi fisierul " + templatePath);
  }
  CloseHandle(held);
  EXPECT_FALSE(MachineKeyExists(L"Software\\Borland\\Database Engine"));
  EXPECT_EQ(ReadBytes(templatePath), unfilled);

  // Readable but not replaceable while another program reads it: the unfilled template stays whole.
  held = CreateFileW(templatePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  try {
    DoConfigBDE();
    ADD_FAILURE() << "a template that cannot be written must stop the step";
  } catch (const BdeTemplateError& e) {
    EXPECT_EQ(e.Text(), L"Nu pot scrie fisierul " + templatePath);
  }
  CloseHandle(held);
  EXPECT_FALSE(MachineKeyExists(L"Software\\Borland\\Database Engine"));
  EXPECT_EQ(ReadBytes(templatePath), unfilled);
  EXPECT_FALSE(PathExists(templatePath + L".tmp"));

  // Neither try created an alias: the configuration file is still the default one.
  EXPECT_EQ(ReadBytes(EngineFolderOnMachine() + L"IDAPI32.CFG"),
            ReadBytes(StandinBuildFolder(L"idapi32") + L"IDAPI32.CFG"));
}

TEST(EngineConfig, ProgramFilesTheCodePageCannotSpellStopsTheStep) {
  TempFolder root;
  Settings().DataDir = root.Path() + L"Data";
  RemoveEngine();
  const std::wstring usual = MachineProgramFiles();
  const std::wstring foreign = root.Path() + L"\u4E2D\u6587";
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion", 0, KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  auto setProgramFiles = [&](const std::wstring& folder) {
    RegSetValueExW(key, L"ProgramFilesDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
  };
  setProgramFiles(foreign);
  ASSERT_TRUE(CopyEngineFiles());
  const std::wstring templatePath = foreign + L"\\Borland\\Common Files\\BDE\\bde.reg";
  const std::string unfilled = ReadBytes(templatePath);
  ASSERT_FALSE(unfilled.empty());
  EXPECT_THROW(DoConfigBDE(), BdeTemplateError);
  // A relative folder would make the template's name depend on the current folder.
  setProgramFiles(L"Program Files");
  try {
    DoConfigBDE();
    ADD_FAILURE() << "a relative Program Files folder must stop the step";
  } catch (const BdeTemplateError& e) {
    EXPECT_EQ(e.Text(), L"Nu gasesc dosarul Program Files in registri");
  }
  setProgramFiles(usual);
  RegCloseKey(key);
  EXPECT_EQ(ReadBytes(templatePath), unfilled);
  EXPECT_FALSE(MachineKeyExists(L"Software\\Borland\\Database Engine"));
}

TEST(EngineConfig, EngineStartsOnceAndStopsOnce) {
  TempFolder root;
  RemoveEngine();
  ASSERT_TRUE(CopyEngineFiles());
  MakeDatabaseFolders(root.Path() + L"Data");
  ASSERT_EQ(RunDoConfigBDE(root.Path() + L"Data"), 0);
  EXPECT_EQ(RunChildTest(L"EngineChild.DISABLED_StartOnceStopOnce"), 0);
}

TEST(EngineConfig, FoldersTheCodePageCannotSpellAreNotCut) {
  TempFolder root;
  const std::wstring data = root.Path() + L"Data";
  RemoveEngine();
  ASSERT_TRUE(CopyEngineFiles());
  MakeDatabaseFolders(data);
  ASSERT_EQ(RunDoConfigBDE(data), 0);
  SetEnvironmentVariableW(DataDirVariable, data.c_str());
  EXPECT_EQ(RunChildTest(L"EngineChild.DISABLED_UnspellableFoldersAreNotCut"), 0);
  SetEnvironmentVariableW(DataDirVariable, nullptr);
}

TEST(EngineConfig, EngineFoundOnlyByFullPath) {
  TempFolder other;
  ASSERT_TRUE(CopyFileW((StandinBuildFolder(L"idapi32") + L"idapi32.dll").c_str(),
                        (other.Path() + L"idapi32.dll").c_str(), FALSE));
  const std::wstring otherFolder = other.Path().substr(0, other.Path().size() - 1);
  const std::wstring programFilesEngine = EngineFolderOnMachine() + L"idapi32.dll";
  struct Case {
    const wchar_t* dllPath;  // nullptr: no value
    bool engineInProgramFiles;
    std::wstring found;
  } cases[] = {
      {nullptr, false, L""},
      {nullptr, true, programFilesEngine},
      {L"bde", true, programFilesEngine},  // a relative folder would depend on the current folder
      {L"bde", false, L""},
      {L"C:\\nu-exista;", true, programFilesEngine},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dllPath ? c.dllPath : L"(no DLLPATH)");
    RemoveEngine();
    if (c.engineInProgramFiles) {
      ASSERT_TRUE(CopyEngineFiles());
    }
    if (c.dllPath) {
      HKEY key = nullptr;
      ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, EngineRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                nullptr),
                ERROR_SUCCESS);
      const std::wstring value = c.dllPath;
      RegSetValueExW(key, EngineDllPathValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
      RegCloseKey(key);
    }
    EXPECT_EQ(EngineLibraryPath(), c.found);
  }
  // The registered folders come first, in their order, with or without a closing backslash.
  for (const std::wstring& list : {L"C:\\nu-exista;" + otherFolder, other.Path()}) {
    SCOPED_TRACE(list);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, EngineRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, EngineDllPathValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(list.c_str()),
                   static_cast<DWORD>((list.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    EXPECT_EQ(EngineLibraryPath(), other.Path() + L"idapi32.dll");
  }
}
