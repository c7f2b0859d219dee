#include "sysconfig/aliasint.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <optional>

#include "core/text.h"
#include "platform/AnsiText.h"
#include "platform/Files.h"
#include "platform/LibraryLoading.h"
#include "sysconfig/idapi.h"

namespace {
struct Engine {
  HMODULE module = nullptr;
  DbiInitFn init = nullptr;
  DbiExitFn exit = nullptr;
  DbiOpenDatabaseFn openDatabase = nullptr;
  DbiCloseDatabaseFn closeDatabase = nullptr;
  DbiAddAliasFn addAlias = nullptr;
  DbiCfgSaveFn cfgSave = nullptr;
  DbiOpenCfgInfoListFn openCfgInfoList = nullptr;
  DbiSetToBeginFn setToBegin = nullptr;
  DbiGetNextRecordFn getNextRecord = nullptr;
  DbiModifyRecordFn modifyRecord = nullptr;
};
Engine engine;
bool BdeEngineActive = false;
bool BdeEngineStopped = false;

std::wstring ReadMachineString(const wchar_t* key, const wchar_t* value) {
  // DLLPATH may list several folders, so more than one path's length.
  wchar_t buffer[4096] = {};
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS)
    return {};
  return buffer;
}

// Only a drive path ("C:\...") or a network path ("\\server\...") names a folder on its own.
bool IsFullPath(const std::wstring& path) {
  return (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') || path.starts_with(L"\\\\");
}

template <typename Fn>
Fn Entry(const char* name) {
  return LibraryEntry<Fn>(engine.module, name);
}

// Loads the engine library once; a computer without it is asked again on the next call,
// since the copy page may have installed it meanwhile.
bool LoadEngine() {
  if (engine.module) return true;
  const std::wstring path = EngineLibraryPath();
  if (path.empty()) return false;
  // The engine's own helper libraries live beside it.
  HMODULE module = LoadLibraryByFullPath(path);
  if (!module) return false;
  engine.module = module;
  engine.init = Entry<DbiInitFn>("DbiInit");
  engine.exit = Entry<DbiExitFn>("DbiExit");
  engine.openDatabase = Entry<DbiOpenDatabaseFn>("DbiOpenDatabase");
  engine.closeDatabase = Entry<DbiCloseDatabaseFn>("DbiCloseDatabase");
  engine.addAlias = Entry<DbiAddAliasFn>("DbiAddAlias");
  engine.cfgSave = Entry<DbiCfgSaveFn>("DbiCfgSave");
  engine.openCfgInfoList = Entry<DbiOpenCfgInfoListFn>("DbiOpenCfgInfoList");
  engine.setToBegin = Entry<DbiSetToBeginFn>("DbiSetToBegin");
  engine.getNextRecord = Entry<DbiGetNextRecordFn>("DbiGetNextRecord");
  engine.modifyRecord = Entry<DbiModifyRecordFn>("DbiModifyRecord");
  return true;
}

// Text handed to the engine: single-byte in the ANSI code page, at most 255 bytes. Text
// the code page cannot spell, or too long, has no single-byte form: cutting it or
// replacing letters would name another folder.
std::optional<std::string> Ansi(const std::wstring& text) {
  auto bytes = ToAnsiExact(text);
  if (bytes && bytes->size() > 255) return std::nullopt;
  return bytes;
}

bool SameAsciiNoCase(const char* a, const char* b) {
  auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
  for (; *a && *b; ++a, ++b)
    if (upper(*a) != upper(*b)) return false;
  return *a == *b;
}
}  // namespace

std::wstring EngineLibraryPath() {
  std::vector<std::wstring> folders;
  // DLLPATH may list several folders separated by ";".
  const std::wstring registered = ReadMachineString(EngineRegistryKey, EngineDllPathValue);
  for (std::size_t start = 0; start <= registered.size();) {
    auto end = registered.find(L';', start);
    if (end == std::wstring::npos) end = registered.size();
    const std::wstring folder = registered.substr(start, end - start);
    if (IsFullPath(folder)) folders.push_back(folder);
    start = end + 1;
  }
  const std::wstring programFiles = ReadMachineString(L"Software\\Microsoft\\Windows\\CurrentVersion", L"ProgramFilesDir");
  if (IsFullPath(programFiles)) folders.push_back(corvan::JoinPath(programFiles, L"Borland\\Common Files\\BDE"));
  for (const auto& folder : folders) {
    const std::wstring path = corvan::JoinPath(folder, EngineLibraryName);
    if (FileExists(path)) return path;
  }
  return {};
}

bool BdeEngineStart() {
  if (BdeEngineActive) return true;
  if (!LoadEngine() || !engine.init) return false;
  if (engine.init(nullptr) != DBIERR_NONE) return false;
  BdeEngineActive = true;
  std::atexit(BdeEngineStop);
  return true;
}

void BdeEngineStop() {
  // BdeEngineActive stays true: the engine is started once per process and shut down once.
  if (!BdeEngineActive || BdeEngineStopped || !engine.exit) return;
  BdeEngineStopped = true;
  engine.exit();
}

bool AliasExists() {
  if (!BdeEngineStart() || !engine.openDatabase) return false;
  hDBIDb db = nullptr;
  if (engine.openDatabase("CORVAN", nullptr, dbiREADONLY, dbiOPENSHARED, nullptr, 0, nullptr, nullptr, &db) !=
      DBIERR_NONE)
    return false;
  if (engine.closeDatabase) engine.closeDatabase(&db);
  return true;
}

bool AddParadoxAliases(const std::vector<std::wstring>& names, const std::vector<std::wstring>& folders) {
  if (names.size() != folders.size() || !BdeEngineStart() || !engine.addAlias || !engine.cfgSave) return false;
  bool all = true;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const auto name = Ansi(names[i]);
    const auto params = Ansi(L"PATH:" + folders[i]);
    if (!name || !params || engine.addAlias(nullptr, name->c_str(), "PARADOX", params->c_str(), TRUE) != DBIERR_NONE)
      all = false;
  }
  if (engine.cfgSave(nullptr, nullptr, FALSE) != DBIERR_NONE) all = false;
  return all;
}

void SetParadoxNetDir(const std::wstring& folder) {
  const std::wstring netDir = corvan::WithTrailingBackslash(folder);
  const auto value = Ansi(netDir);
  if (!value) return;
  if (!LoadEngine() || !engine.init || !engine.exit || !engine.openCfgInfoList || !engine.setToBegin ||
      !engine.getNextRecord || !engine.modifyRecord)
    return;
  if (engine.init(nullptr) != DBIERR_NONE) return;
  hDBICur cursor = nullptr;
  // Written with doubled separators, as the engine's own tools write node paths.
  if (engine.openCfgInfoList(nullptr, dbiREADWRITE, cfgPersistent, "\\\\DRIVERS\\\\PARADOX\\\\INIT", &cursor) ==
          DBIERR_NONE &&
      engine.setToBegin(cursor) == DBIERR_NONE) {
    CFGDesc record{};
    while (engine.getNextRecord(cursor, dbiREADLOCK, &record, nullptr) == DBIERR_NONE) {
      record.szNodeName[sizeof record.szNodeName - 1] = '\0';
      if (!SameAsciiNoCase(record.szNodeName, "NET DIR")) continue;
      SHCreateDirectoryExW(nullptr, (netDir + L"NetDir").c_str(), nullptr);
      lstrcpynA(record.szValue, value->c_str(), sizeof record.szValue);
      engine.modifyRecord(cursor, &record, TRUE);
      break;
    }
  }
  // Ends the cursor with the initialisation.
  engine.exit();
}
