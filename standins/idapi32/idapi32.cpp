// The stand-in database engine: the calls the setup and the upgrade library make, over
// a configuration file found the way the engine finds its own, through the value
// CONFIGFILE01 of HKLM\Software\Borland\Database Engine (written by importing bde.reg).
// One process-wide session; DbiInit nests and the last DbiExit drops the session.
#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <type_traits>

#include "config_store.h"
#include "sysconfig/idapi.h"

struct DbiDatabase {
  std::string folder;
};

struct DbiCursor {
  std::string path;
  bool persistent;
  bool readOnly;
  int position = -1;  // before the first record
  std::vector<CFGDesc> records;
};

namespace {
struct Session {
  int inits = 0;
  std::wstring configFile;
  ConfigStore store;
  std::set<std::unique_ptr<DbiDatabase>> databases;
  std::set<std::unique_ptr<DbiCursor>> cursors;
};
Session session;

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::wstring RegisteredConfigFile() {
  wchar_t value[MAX_PATH + 1] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, EngineRegistryKey, EngineConfigFileValue, RRF_RT_REG_SZ, nullptr, value,
                   &size) != ERROR_SUCCESS)
    return {};
  return value;
}

bool ReadFileText(const std::wstring& path, std::string& text) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  char buffer[4096];
  DWORD got = 0;
  bool ok = true;
  text.clear();
  while ((ok = ReadFile(f, buffer, sizeof buffer, &got, nullptr)) && got > 0) text.append(buffer, got);
  CloseHandle(f);
  return ok;
}

// Written beside the file and moved over it, so a failed write leaves the old file whole.
bool SaveConfig(const std::wstring& path) {
  const std::string text = session.store.Serialise();
  const std::wstring fresh = path + L".new";
  HANDLE f = CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size() && FlushFileBuffers(f);
  CloseHandle(f);
  if (!ok || !MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(fresh.c_str());
    return false;
  }
  return true;
}

template <typename T>
bool Owned(const std::set<std::unique_ptr<T>>& set, const T* handle) {
  for (const auto& p : set)
    if (p.get() == handle) return true;
  return false;
}

void CopyField(char* field, std::size_t size, const std::string& text) {
  lstrcpynA(field, text.c_str(), static_cast<int>(size));
}

std::string AliasNode(const char* alias) { return std::string(AliasRoot) + "\\" + alias; }
}  // namespace

extern "C" {

__declspec(dllexport) DBIResult WINAPI DbiInit(void*) {
  if (session.inits > 0) {
    ++session.inits;
    return DBIERR_NONE;
  }
  const std::wstring file = RegisteredConfigFile();
  std::string text;
  if (file.empty() || !ReadFileText(file, text)) return DBIERR_CANTFINDCFG;
  ConfigStore store;
  if (!store.Parse(text)) return DBIERR_CANTFINDCFG;
  session.store = std::move(store);
  session.configFile = file;
  session.inits = 1;
  return DBIERR_NONE;
}

__declspec(dllexport) DBIResult WINAPI DbiExit() {
  if (session.inits == 0) return DBIERR_NOTINITIALIZED;
  if (--session.inits == 0) session = Session{};
  return DBIERR_NONE;
}

__declspec(dllexport) DBIResult WINAPI DbiOpenDatabase(const char* name, const char*, DBIOpenMode, DBIShareMode,
                                                       const char*, std::uint16_t, void*, void*, hDBIDb* database) {
  if (session.inits == 0) return DBIERR_NOTINITIALIZED;
  if (!database) return DBIERR_INVALIDPARAM;
  *database = nullptr;
  if (!name || !*name || strchr(name, '\\')) return DBIERR_INVALIDPARAM;
  const ConfigNode* node = session.store.Find(AliasNode(name));
  if (!node) return DBIERR_UNKNOWNDB;
  const auto folder = ConfigStore::Value(*node, "PATH");
  if (!folder || folder->empty()) return DBIERR_INVALIDDIR;
  const DWORD attributes = GetFileAttributesW(Wide(*folder).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DBIERR_INVALIDDIR;
  auto db = std::make_unique<DbiDatabase>(DbiDatabase{*folder});
  *database = db.get();
  session.databases.insert(std::move(db));
  return DBIERR_NONE;
}

__declspec(dllexport) DBIResult WINAPI DbiCloseDatabase(hDBIDb* database) {
  if (session.inits == 0) return DBIERR_NOTINITIALIZED;
  if (!database || !Owned(session.databases, *database)) return DBIERR_INVALIDHNDL;
  std::erase_if(session.databases, [&](const auto& p) { return p.get() == *database; });
  *database = nullptr;
  return DBIERR_NONE;
}

__declspec(dllexport) DBIResult WINAPI DbiGetDirectory(hDBIDb database, BOOL, char* folder) {
  if (session.inits == 0) return DBIERR_NOTINITIALIZED;
  if (!Owned(session.databases, database)) return DBIERR_INVALIDHNDL;
  if (!folder) return DBIERR_INVALIDPARAM;
  CopyField(folder, DBIMAXPATHLEN + 1, database->folder);
  return DBIERR_NONE;
}

__declspec(dllexport) DBIResult WINAPI DbiAddAlias(hDBICfg config, const char* alias, const char* driverType,
                                                   const char* params, BOOL persistent) {
  if (session.inits == 0) return DBIERR_NOTINITIALIZED;
  if (config) return DBIERR_INVALIDHNDL;
  if (!alias || !*alias || strlen(alias) > DBIMAXNAMELEN || strchr(alias, '\\')) return DBIERR_INVALIDPARAM;
  if (session.store.Find(AliasNode(alias))) return DBIERR_NAMENOTUNIQUE;
  ConfigNode& node = session.store.Add(AliasNode(alias), persistent != FALSE);
  ConfigStore::SetValue(node, "TYPE", driverType && *driverType ? driverType : "STANDARD");
  // Parameters are "NAME:VALUE" pairs separated by ";".
  std::string_view rest = params ? params : "";
  while (!rest.empty()) {
    const auto end = std::min(rest.find(';'), rest.size());
    const auto pair = rest.substr(0, end);
    const auto colon = pair.find(':');
    if (colon != std::string_view::npos && colon > 0)
      ConfigStore::SetValue(node, pair.substr(0, colon), pair.substr(colon + 1));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  if (persistent && !SaveConfig(session.configFile)) {
    session.store.Remove(AliasNode(alias));
    return DBIERR_CFGWRITE;
  }
  return DBIERR_NONE;
}

__declspec(dllexport) DBIResult WINAPI DbiCfgSave(hDBICfg config, const char* file, BOOL) {
  if (session.inits == 0) return DBIERR_NOTINITIALIZED;
  if (config) return DBIERR_INVALIDHNDL;
  const std::wstring target = file && *file ? Wide(file) : session.configFile;
  return SaveConfig(target) ? DBIERR_NONE : DBIERR_CFGWRITE;
}

__declspec(dllexport) DBIResult WINAPI DbiOpenCfgInfoList(hDBICfg config, DBIOpenMode openMode, CFGMode mode,
                                                          const char* path, hDBICur* cursor) {
  if (session.inits == 0) return DBIERR_NOTINITIALIZED;
  if (config) return DBIERR_INVALIDHNDL;
  if (!path || !cursor) return DBIERR_INVALIDPARAM;
  *cursor = nullptr;
  const std::string node = ConfigStore::NormalisePath(path);
  const ConfigNode* found = session.store.Find(node);
  const auto subNodes = session.store.SubNodes(node);
  if (!found && subNodes.empty()) return DBIERR_OBJNOTFOUND;
  auto c = std::make_unique<DbiCursor>(DbiCursor{node, mode == cfgPersistent, openMode == dbiREADONLY, -1, {}});
  auto add = [&](const std::string& name, const std::string& value, bool hasSubnodes) {
    CFGDesc record{};
    CopyField(record.szNodeName, sizeof record.szNodeName, name);
    CopyField(record.szValue, sizeof record.szValue, value);
    record.iDataType = fldZSTRING;
    record.bHasSubnodes = hasSubnodes;
    c->records.push_back(record);
  };
  if (found)
    for (const auto& [name, value] : found->values) add(name, value, false);
  for (const auto& name : subNodes) add(name, "", true);
  *cursor = c.get();
  session.cursors.insert(std::move(c));
  return DBIERR_NONE;
}

__declspec(dllexport) DBIResult WINAPI DbiSetToBegin(hDBICur cursor) {
  if (session.inits == 0) return DBIERR_NOTINITIALIZED;
  if (!Owned(session.cursors, cursor)) return DBIERR_INVALIDHNDL;
  cursor->position = -1;
  return DBIERR_NONE;
}

__declspec(dllexport) DBIResult WINAPI DbiGetNextRecord(hDBICur cursor, DBILockType, void* record, void*) {
  if (session.inits == 0) return DBIERR_NOTINITIALIZED;
  if (!Owned(session.cursors, cursor)) return DBIERR_INVALIDHNDL;
  if (cursor->position + 1 >= static_cast<int>(cursor->records.size())) {
    cursor->position = static_cast<int>(cursor->records.size());
    return DBIERR_EOF;
  }
  ++cursor->position;
  if (record) memcpy(record, &cursor->records[cursor->position], sizeof(CFGDesc));
  return DBIERR_NONE;
}

// Changes the value of the current record; on a persistent cursor the file is written at once.
__declspec(dllexport) DBIResult WINAPI DbiModifyRecord(hDBICur cursor, const void* record, BOOL) {
  if (session.inits == 0) return DBIERR_NOTINITIALIZED;
  if (!Owned(session.cursors, cursor)) return DBIERR_INVALIDHNDL;
  if (!record) return DBIERR_INVALIDPARAM;
  if (cursor->readOnly) return DBIERR_READONLY;
  if (cursor->position < 0 || cursor->position >= static_cast<int>(cursor->records.size()))
    return DBIERR_NOCURRREC;
  CFGDesc& current = cursor->records[cursor->position];
  if (current.bHasSubnodes) return DBIERR_READONLY;
  CFGDesc changed;
  memcpy(&changed, record, sizeof changed);
  changed.szValue[DBIMAXVALUELEN] = '\0';
  ConfigNode* node = session.store.Find(cursor->path);
  if (!node) return DBIERR_OBJNOTFOUND;
  const std::string before = ConfigStore::Value(*node, current.szNodeName).value_or("");
  ConfigStore::SetValue(*node, current.szNodeName, changed.szValue);
  if (cursor->persistent && node->persistent && !SaveConfig(session.configFile)) {
    ConfigStore::SetValue(*node, current.szNodeName, before);
    return DBIERR_CFGWRITE;
  }
  CopyField(current.szValue, sizeof current.szValue, changed.szValue);
  return DBIERR_NONE;
}

}  // extern "C"

// The exports keep the shapes the setup declares.
static_assert(std::is_same_v<decltype(&DbiInit), DbiInitFn>);
static_assert(std::is_same_v<decltype(&DbiExit), DbiExitFn>);
static_assert(std::is_same_v<decltype(&DbiOpenDatabase), DbiOpenDatabaseFn>);
static_assert(std::is_same_v<decltype(&DbiCloseDatabase), DbiCloseDatabaseFn>);
static_assert(std::is_same_v<decltype(&DbiGetDirectory), DbiGetDirectoryFn>);
static_assert(std::is_same_v<decltype(&DbiAddAlias), DbiAddAliasFn>);
static_assert(std::is_same_v<decltype(&DbiCfgSave), DbiCfgSaveFn>);
static_assert(std::is_same_v<decltype(&DbiOpenCfgInfoList), DbiOpenCfgInfoListFn>);
static_assert(std::is_same_v<decltype(&DbiSetToBegin), DbiSetToBeginFn>);
static_assert(std::is_same_v<decltype(&DbiGetNextRecord), DbiGetNextRecordFn>);
static_assert(std::is_same_v<decltype(&DbiModifyRecord), DbiModifyRecordFn>);
