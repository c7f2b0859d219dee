// The stand-in engine as the setup and the upgrade library meet it: configuration found
// through the registry, aliases (persistent ones kept in the file, duplicates refused,
// a missing folder refused), nested initialisation, and the configuration-list cursor.
#include <gtest/gtest.h>
#include <windows.h>

#include "engine_test_support.h"
#include "sysconfig/idapi.h"

namespace {
struct Api {
  HMODULE module = nullptr;
  DbiInitFn init;
  DbiExitFn exit;
  DbiOpenDatabaseFn open;
  DbiCloseDatabaseFn close;
  DbiGetDirectoryFn directory;
  DbiAddAliasFn addAlias;
  DbiCfgSaveFn save;
  DbiOpenCfgInfoListFn list;
  DbiSetToBeginFn toBegin;
  DbiGetNextRecordFn next;
  DbiModifyRecordFn modify;
};

template <typename Fn>
Fn Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class StandinEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Borland");
    api_.module = LoadLibraryW((StandinBuildFolder(L"idapi32") + L"idapi32.dll").c_str());
    ASSERT_NE(api_.module, nullptr);
    HMODULE m = api_.module;
    api_ = {m,
            Entry<DbiInitFn>(m, "DbiInit"),
            Entry<DbiExitFn>(m, "DbiExit"),
            Entry<DbiOpenDatabaseFn>(m, "DbiOpenDatabase"),
            Entry<DbiCloseDatabaseFn>(m, "DbiCloseDatabase"),
            Entry<DbiGetDirectoryFn>(m, "DbiGetDirectory"),
            Entry<DbiAddAliasFn>(m, "DbiAddAlias"),
            Entry<DbiCfgSaveFn>(m, "DbiCfgSave"),
            Entry<DbiOpenCfgInfoListFn>(m, "DbiOpenCfgInfoList"),
            Entry<DbiSetToBeginFn>(m, "DbiSetToBegin"),
            Entry<DbiGetNextRecordFn>(m, "DbiGetNextRecord"),
            Entry<DbiModifyRecordFn>(m, "DbiModifyRecord")};
    config_ = dir_.Path() + L"IDAPI32.CFG";
    ASSERT_TRUE(CopyFileW((StandinBuildFolder(L"idapi32") + L"IDAPI32.CFG").c_str(), config_.c_str(), FALSE));
  }
  void TearDown() override {
    while (api_.exit() == DBIERR_NONE) {
    }
    FreeLibrary(api_.module);
  }

  void Register(const std::wstring& configFile) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, EngineRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, EngineConfigFileValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(configFile.c_str()),
                   static_cast<DWORD>((configFile.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }

  // The folder an alias opens to, or the engine's error as text.
  std::string Open(const char* alias) {
    hDBIDb db = nullptr;
    const DBIResult r = api_.open(alias, nullptr, dbiREADONLY, dbiOPENSHARED, nullptr, 0, nullptr, nullptr, &db);
    if (r != DBIERR_NONE) return "error " + std::to_string(r);
    char folder[DBIMAXPATHLEN + 1] = {};
    EXPECT_EQ(api_.directory(db, FALSE, folder), DBIERR_NONE);
    EXPECT_EQ(api_.close(&db), DBIERR_NONE);
    EXPECT_EQ(db, nullptr);
    return folder;
  }
  static std::string Error(DBIResult r) { return "error " + std::to_string(r); }

  std::string Narrow(const std::wstring& text) {
    std::string out(text.size(), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                        static_cast<int>(out.size()), nullptr, nullptr);
    return out;
  }

  Api api_;
  TempFolder dir_;
  std::wstring config_;
};
}  // namespace

TEST_F(StandinEngine, StartsOnlyWithItsRegisteredConfiguration) {
  EXPECT_EQ(api_.init(nullptr), DBIERR_CANTFINDCFG);
  EXPECT_EQ(Open("CORVAN"), Error(DBIERR_NOTINITIALIZED));
  Register(dir_.Path() + L"nu-exista.cfg");
  EXPECT_EQ(api_.init(nullptr), DBIERR_CANTFINDCFG);
  ASSERT_TRUE(WriteBytes(dir_.Path() + L"stricat.cfg", "NET DIR=fara nod\r\n"));
  Register(dir_.Path() + L"stricat.cfg");
  EXPECT_EQ(api_.init(nullptr), DBIERR_CANTFINDCFG);

  // Nested: the engine stays up until the last DbiExit.
  Register(config_);
  ASSERT_EQ(api_.init(nullptr), DBIERR_NONE);
  ASSERT_EQ(api_.init(nullptr), DBIERR_NONE);
  EXPECT_EQ(api_.exit(), DBIERR_NONE);
  EXPECT_EQ(Open("CORVAN"), Error(DBIERR_UNKNOWNDB));
  EXPECT_EQ(api_.exit(), DBIERR_NONE);
  EXPECT_EQ(Open("CORVAN"), Error(DBIERR_NOTINITIALIZED));
  EXPECT_EQ(api_.exit(), DBIERR_NOTINITIALIZED);
}

TEST_F(StandinEngine, AliasesPersistRefuseDuplicatesAndNeedTheirFolder) {
  Register(config_);
  ASSERT_EQ(api_.init(nullptr), DBIERR_NONE);
  const std::string folder = Narrow(dir_.Path() + L"Date Firma");
  const std::string params = "PATH:" + folder;
  EXPECT_EQ(api_.addAlias(nullptr, "DEMO", "PARADOX", params.c_str(), TRUE), DBIERR_NONE);
  EXPECT_EQ(api_.addAlias(nullptr, "demo", "PARADOX", "PATH:C:\\Altceva", TRUE), DBIERR_NAMENOTUNIQUE);
  EXPECT_EQ(api_.addAlias(nullptr, "SESIUNE", "PARADOX", params.c_str(), FALSE), DBIERR_NONE);
  EXPECT_EQ(Open("DEMO"), Error(DBIERR_INVALIDDIR));
  ASSERT_TRUE(CreateDirectoryW((dir_.Path() + L"Date Firma").c_str(), nullptr));
  EXPECT_EQ(Open("DEMO"), folder);
  EXPECT_EQ(Open("Demo"), folder);
  EXPECT_EQ(Open("SESIUNE"), folder);
  EXPECT_EQ(Open("NIMIC"), Error(DBIERR_UNKNOWNDB));

  // A new session reads the file again: the persistent alias is there, the session one is gone.
  ASSERT_EQ(api_.exit(), DBIERR_NONE);
  ASSERT_EQ(api_.init(nullptr), DBIERR_NONE);
  EXPECT_EQ(Open("DEMO"), folder);
  EXPECT_EQ(Open("SESIUNE"), Error(DBIERR_UNKNOWNDB));
  EXPECT_NE(ReadBytes(config_).find("[\\DATABASES\\DEMO]"), std::string::npos);

  // A configuration file that cannot be replaced keeps its old text and the alias is not added.
  const std::string before = ReadBytes(config_);
  HANDLE held = CreateFileW(config_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(api_.addAlias(nullptr, "ALTUL", "PARADOX", params.c_str(), TRUE), DBIERR_CFGWRITE);
  EXPECT_EQ(api_.save(nullptr, nullptr, FALSE), DBIERR_CFGWRITE);
  CloseHandle(held);
  EXPECT_EQ(Open("ALTUL"), Error(DBIERR_UNKNOWNDB));
  EXPECT_EQ(ReadBytes(config_), before);
  EXPECT_EQ(api_.save(nullptr, nullptr, FALSE), DBIERR_NONE);
}

TEST_F(StandinEngine, ConfigurationCursorReadsAndWritesNetDir) {
  Register(config_);
  ASSERT_EQ(api_.init(nullptr), DBIERR_NONE);
  hDBICur cursor = nullptr;
  EXPECT_EQ(api_.list(nullptr, dbiREADWRITE, cfgPersistent, "\\DRIVERS\\NIMIC", &cursor), DBIERR_OBJNOTFOUND);

  // The driver node lists its sub-nodes.
  ASSERT_EQ(api_.list(nullptr, dbiREADONLY, cfgPersistent, "\\DRIVERS\\PARADOX", &cursor), DBIERR_NONE);
  std::vector<std::string> subNodes;
  for (CFGDesc r{}; api_.next(cursor, dbiNOLOCK, &r, nullptr) == DBIERR_NONE;)
    if (r.bHasSubnodes) subNodes.emplace_back(r.szNodeName);
  EXPECT_EQ(subNodes, (std::vector<std::string>{"INIT", "TABLE CREATE"}));

  // Doubled separators and any letter case name the same node; a read-only cursor cannot write.
  ASSERT_EQ(api_.list(nullptr, dbiREADONLY, cfgPersistent, "\\\\drivers\\\\paradox\\\\init", &cursor), DBIERR_NONE);
  CFGDesc record{};
  ASSERT_EQ(api_.next(cursor, dbiREADLOCK, &record, nullptr), DBIERR_NONE);
  EXPECT_EQ(api_.modify(cursor, &record, TRUE), DBIERR_READONLY);

  ASSERT_EQ(api_.list(nullptr, dbiREADWRITE, cfgPersistent, "\\\\DRIVERS\\\\PARADOX\\\\INIT", &cursor), DBIERR_NONE);
  EXPECT_EQ(api_.modify(cursor, &record, TRUE), DBIERR_NOCURRREC);
  ASSERT_EQ(api_.toBegin(cursor), DBIERR_NONE);
  bool found = false;
  while (api_.next(cursor, dbiREADLOCK, &record, nullptr) == DBIERR_NONE) {
    if (std::string(record.szNodeName) != "NET DIR") continue;
    found = true;
    strcpy(record.szValue, "C:\\Date\\");
    EXPECT_EQ(api_.modify(cursor, &record, TRUE), DBIERR_NONE);
    break;
  }
  ASSERT_TRUE(found);
  while (api_.next(cursor, dbiREADLOCK, &record, nullptr) == DBIERR_NONE) {
  }
  EXPECT_EQ(api_.next(cursor, dbiREADLOCK, &record, nullptr), DBIERR_EOF);

  // Written at once to the file: a new session reads it back.
  ASSERT_EQ(api_.exit(), DBIERR_NONE);
  EXPECT_NE(ReadBytes(config_).find("NET DIR=C:\\Date\\\r\n"), std::string::npos);
  ASSERT_EQ(api_.init(nullptr), DBIERR_NONE);
  ASSERT_EQ(api_.list(nullptr, dbiREADONLY, cfgPersistent, "\\DRIVERS\\PARADOX\\INIT", &cursor), DBIERR_NONE);
  std::string netDir = "(none)";
  for (CFGDesc r{}; api_.next(cursor, dbiNOLOCK, &r, nullptr) == DBIERR_NONE;)
    if (std::string(r.szNodeName) == "NET DIR") netDir = r.szValue;
  EXPECT_EQ(netDir, "C:\\Date\\");
}
