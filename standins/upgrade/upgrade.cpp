// The demo upgrade library: the seven entry points the setup binds. It finds the
// customer's database through the engine's "CORVAN" alias and brings it to this
// version: the structure step checks the expected tables, the list and constant steps
// record their work in the version stamp UPGRADE.VER in the database folder. The
// customer's tables are only read, never written, moved or deleted.
#include <windows.h>

#include <string>
#include <vector>

#include "sysconfig/idapi.h"

using ReportProc = void(WINAPI*)(HGLOBAL text);

namespace {
constexpr wchar_t Version[] = L"3200876.02";
constexpr wchar_t StampFile[] = L"UPGRADE.VER";
constexpr wchar_t StampSection[] = L"Upgrade";
// The tables the product cannot run without, in the folder of the CORVAN alias.
constexpr const wchar_t* ExpectedTables[] = {L"FIRME.DB", L"OPERATOR.DB"};

// The results of the Do... calls: 0 = the step succeeded.
enum StepResult : int {
  stepOk = 0,
  stepNoDatabase = 1,
  stepTableMissing = 2,
  stepTableDamaged = 3,
  stepStampNotWritten = 4,
  stepStructureOutOfDate = 5,
};

ReportProc reportProc = nullptr;
bool quickVerification = false;
// The report texts handed out; they stay ours until the library is unloaded.
std::vector<HGLOBAL> reportBlocks;

void Report(const std::wstring& text) {
  if (!reportProc) return;
  const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, n);
  if (!block) return;
  if (char* bytes = static_cast<char*>(GlobalLock(block))) {
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes, n, nullptr, nullptr);
    GlobalUnlock(block);
  }
  reportBlocks.push_back(block);
  reportProc(block);
}

// The engine is found where its registration says it lives, by full path only.
HMODULE LoadEngine() {
  wchar_t folders[4096] = {};
  DWORD size = sizeof(folders) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, EngineRegistryKey, EngineDllPathValue, RRF_RT_REG_SZ, nullptr, folders,
                   &size) != ERROR_SUCCESS)
    return nullptr;
  // The first folder of the list holds the engine.
  std::wstring path = folders;
  path = path.substr(0, path.find(L';'));
  if (path.size() < 3 || !(path[1] == L':' || path.starts_with(L"\\\\"))) return nullptr;
  if (path.back() != L'\\') path += L'\\';
  path += EngineLibraryName;
  HMODULE engine =
      LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!engine && GetLastError() == ERROR_INVALID_PARAMETER)
    engine = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  return engine;
}

template <typename Fn>
Fn Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The folder of an alias, or empty when the engine cannot open it.
std::wstring AliasFolder(const std::string& alias) {
  HMODULE engine = LoadEngine();
  if (!engine) return {};
  std::wstring result;
  auto init = Entry<DbiInitFn>(engine, "DbiInit");
  auto exit = Entry<DbiExitFn>(engine, "DbiExit");
  auto open = Entry<DbiOpenDatabaseFn>(engine, "DbiOpenDatabase");
  auto close = Entry<DbiCloseDatabaseFn>(engine, "DbiCloseDatabase");
  auto directory = Entry<DbiGetDirectoryFn>(engine, "DbiGetDirectory");
  if (init && exit && open && close && directory && init(nullptr) == DBIERR_NONE) {
    hDBIDb db = nullptr;
    if (open(alias.c_str(), nullptr, dbiREADONLY, dbiOPENSHARED, nullptr, 0, nullptr, nullptr, &db) == DBIERR_NONE) {
      char folder[DBIMAXPATHLEN + 1] = {};
      if (directory(db, FALSE, folder) == DBIERR_NONE) {
        wchar_t wide[DBIMAXPATHLEN + 1] = {};
        MultiByteToWideChar(CP_ACP, 0, folder, -1, wide, DBIMAXPATHLEN + 1);
        result = wide;
      }
      close(&db);
    }
    exit();
  }
  FreeLibrary(engine);
  return result;
}

std::wstring DatabaseFolder() {
  std::wstring folder = AliasFolder("CORVAN");
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

std::wstring StampValue(const std::wstring& folder, const wchar_t* key) {
  wchar_t value[64] = {};
  GetPrivateProfileStringW(StampSection, key, L"", value, 64, (folder + StampFile).c_str());
  return value;
}

bool WriteStamp(const std::wstring& folder, const wchar_t* key) {
  const std::wstring file = folder + StampFile;
  return WritePrivateProfileStringW(StampSection, key, Version, file.c_str()) && StampValue(folder, key) == Version;
}

// A table's header as the product writes it: record size, header size and record count.
struct TableHeader {
  unsigned recordSize = 0, headerSize = 0;
  unsigned long recordCount = 0;
};

// Reads the table's header (shared, read-only) and checks that its sizes agree with the
// file: a header of whole 2048-byte blocks followed by exactly recordCount records.
bool TableStructureSound(const std::wstring& path, TableHeader& header) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  unsigned char head[10] = {};
  DWORD got = 0;
  LARGE_INTEGER size{};
  const bool read = ReadFile(f, head, sizeof head, &got, nullptr) && got == sizeof head && GetFileSizeEx(f, &size);
  CloseHandle(f);
  if (!read) return false;
  header.recordSize = head[0] | head[1] << 8;
  header.headerSize = head[2] | head[3] << 8;
  header.recordCount = head[6] | head[7] << 8 | head[8] << 16 | static_cast<unsigned long>(head[9]) << 24;
  return header.recordSize > 0 && header.headerSize > 0 && header.headerSize % 2048 == 0 &&
         static_cast<unsigned long long>(size.QuadPart) ==
             header.headerSize + static_cast<unsigned long long>(header.recordSize) * header.recordCount;
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The database folder, reported; empty (after a report) when the alias cannot be opened.
std::wstring FindDatabase(const wchar_t* step) {
  Report(std::wstring(step) + L": caut baza de date CORVAN...");
  std::wstring folder = DatabaseFolder();
  if (folder.empty()) Report(std::wstring(step) + L": baza de date CORVAN nu poate fi deschisa");
  return folder;
}

int Finish(const std::wstring& folder, const wchar_t* key, const wchar_t* step) {
  if (!WriteStamp(folder, key)) {
    Report(std::wstring(step) + L": nu pot scrie " + StampFile);
    return stepStampNotWritten;
  }
  Report(std::wstring(step) + L": terminat, versiunea " + Version);
  return stepOk;
}
}  // namespace

extern "C" {

__declspec(dllexport) void WINAPI GetAliasPath(wchar_t* buffer) {
  if (!buffer) return;
  buffer[256] = L'\0';
  char alias[257] = {};
  WideCharToMultiByte(CP_ACP, 0, buffer, -1, alias, sizeof alias - 1, nullptr, nullptr);
  const std::wstring folder = AliasFolder(alias);
  lstrcpynW(buffer, folder.c_str(), 257);
}

__declspec(dllexport) void WINAPI SetReportProc(ReportProc proc) { reportProc = proc; }

__declspec(dllexport) void WINAPI SetQuickVerif(bool quick) { quickVerification = quick; }

// Checks that the expected tables exist; a full check (quick verification off) also checks
// that each table's header agrees with its size.
__declspec(dllexport) int WINAPI DoStructureUpgrade() {
  const wchar_t* step = L"Structuri";
  const std::wstring folder = FindDatabase(step);
  if (folder.empty()) return stepNoDatabase;
  for (const wchar_t* table : ExpectedTables) {
    const std::wstring path = folder + table;
    Report(std::wstring(step) + L": verific " + table + (quickVerification ? L" (rapid)" : L""));
    if (!FileExists(path)) {
      Report(std::wstring(step) + L": lipseste tabela " + table);
      return stepTableMissing;
    }
    TableHeader header;
    if (!quickVerification && !TableStructureSound(path, header)) {
      Report(std::wstring(step) + L": tabela " + table + L" are structura deteriorata");
      return stepTableDamaged;
    }
  }
  return Finish(folder, L"Structure", step);
}

// The lists build on the structures of this version.
__declspec(dllexport) int WINAPI DoListUpgrade() {
  const wchar_t* step = L"Liste";
  const std::wstring folder = FindDatabase(step);
  if (folder.empty()) return stepNoDatabase;
  Report(std::wstring(step) + L": verific versiunea structurilor");
  if (StampValue(folder, L"Structure") != Version) {
    Report(std::wstring(step) + L": structurile nu sunt la versiunea " + Version);
    return stepStructureOutOfDate;
  }
  TableHeader operators;
  if (!TableStructureSound(folder + L"OPERATOR.DB", operators)) {
    Report(std::wstring(step) + L": tabela OPERATOR.DB lipseste sau este deteriorata");
    return stepTableMissing;
  }
  Report(std::wstring(step) + L": lista operatorilor are " + std::to_wstring(operators.recordCount) +
         L" inregistrari");
  return Finish(folder, L"Lists", step);
}

__declspec(dllexport) int WINAPI DoConstUpgrade() {
  const wchar_t* step = L"Constante";
  const std::wstring folder = FindDatabase(step);
  if (folder.empty()) return stepNoDatabase;
  Report(std::wstring(step) + L": actualizez constantele firmei");
  if (!FileExists(folder + L"FIRME.DB")) {
    Report(std::wstring(step) + L": lipseste tabela FIRME.DB");
    return stepTableMissing;
  }
  return Finish(folder, L"Constants", step);
}

__declspec(dllexport) bool WINAPI GetSemaforOK(int stepResult) { return stepResult == stepOk; }

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // At process end (reserved != nullptr) the system reclaims everything; free only on FreeLibrary.
  if (reason == DLL_PROCESS_DETACH && !reserved) {
    for (HGLOBAL block : reportBlocks) GlobalFree(block);
    reportBlocks.clear();
  }
  return TRUE;
}
