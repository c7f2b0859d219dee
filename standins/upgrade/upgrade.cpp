// The demo upgrade library: the seven entry points the setup binds. It finds the
// customer's database through the engine's "CORVAN" alias and brings it to this
// version: the structure step checks the expected tables, the list and constant steps
// record their work in the version stamp UPGRADE.VER in the database folder. The
// customer's tables are only read, never written, moved or deleted.
// It travels on the first disk, so it is written without the C++ library (fixed buffers,
// no exceptions): that keeps it a tenth of the size.
#include <windows.h>

#include <cstdarg>

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

using Folder = wchar_t[MAX_PATH + 1];

ReportProc reportProc = nullptr;
bool quickVerification = false;
// The report texts handed out stay ours; the setup copies each one at once, so the
// oldest block is reused once the ring is full, and all are freed at unload.
constexpr int ReportRing = 64;
HGLOBAL reportBlocks[ReportRing] = {};
int nextReportBlock = 0;

// Formats and reports a progress text (wsprintf format, at most 1023 characters).
void Report(const wchar_t* format, ...) {
  if (!reportProc) return;
  wchar_t text[1024];
  va_list args;
  va_start(args, format);
  wvsprintfW(text, format, args);
  va_end(args);
  const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  HGLOBAL& slot = reportBlocks[nextReportBlock];
  nextReportBlock = (nextReportBlock + 1) % ReportRing;
  if (slot) GlobalFree(slot);
  slot = GlobalAlloc(GMEM_MOVEABLE, n);
  if (!slot) return;
  if (char* bytes = static_cast<char*>(GlobalLock(slot))) {
    WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, n, nullptr, nullptr);
    GlobalUnlock(slot);
  }
  reportProc(slot);
}

bool IsFullPath(const wchar_t* path) {
  return (path[0] && path[1] == L':' && path[2] == L'\\') || (path[0] == L'\\' && path[1] == L'\\');
}

// The engine is found where its registration says it lives (the first DLLPATH folder),
// by full path only.
HMODULE LoadEngine() {
  wchar_t path[4096] = {};
  DWORD size = sizeof(path) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, EngineRegistryKey, EngineDllPathValue, RRF_RT_REG_SZ, nullptr, path, &size) !=
      ERROR_SUCCESS)
    return nullptr;
  for (wchar_t* c = path; *c; ++c)
    if (*c == L';') *c = L'\0';
  int length = lstrlenW(path);
  if (!IsFullPath(path) || length + 13 >= MAX_PATH) return nullptr;
  if (path[length - 1] != L'\\') path[length++] = L'\\';
  lstrcpyW(path + length, EngineLibraryName);
  HMODULE engine = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!engine && GetLastError() == ERROR_INVALID_PARAMETER)
    engine = LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  return engine;
}

template <typename Fn>
Fn Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The folder of an alias into folder (MAX_PATH + 1 characters); false when the engine cannot open it.
bool AliasFolder(const char* alias, wchar_t* folder) {
  folder[0] = L'\0';
  HMODULE engine = LoadEngine();
  if (!engine) return false;
  auto init = Entry<DbiInitFn>(engine, "DbiInit");
  auto exit = Entry<DbiExitFn>(engine, "DbiExit");
  auto open = Entry<DbiOpenDatabaseFn>(engine, "DbiOpenDatabase");
  auto close = Entry<DbiCloseDatabaseFn>(engine, "DbiCloseDatabase");
  auto directory = Entry<DbiGetDirectoryFn>(engine, "DbiGetDirectory");
  if (init && exit && open && close && directory && init(nullptr) == DBIERR_NONE) {
    hDBIDb db = nullptr;
    if (open(alias, nullptr, dbiREADONLY, dbiOPENSHARED, nullptr, 0, nullptr, nullptr, &db) == DBIERR_NONE) {
      char bytes[DBIMAXPATHLEN + 1] = {};
      if (directory(db, FALSE, bytes) == DBIERR_NONE)
        MultiByteToWideChar(CP_ACP, 0, bytes, -1, folder, MAX_PATH + 1);
      close(&db);
    }
    exit();
  }
  FreeLibrary(engine);
  return folder[0] != L'\0';
}

// path := folder + name, within MAX_PATH.
bool InFolder(const wchar_t* folder, const wchar_t* name, wchar_t* path) {
  if (lstrlenW(folder) + lstrlenW(name) > MAX_PATH) return false;
  lstrcpyW(path, folder);
  lstrcatW(path, name);
  return true;
}

// The database folder with its trailing backslash, reported; false (after a report)
// when the alias cannot be opened.
bool FindDatabase(const wchar_t* step, wchar_t* folder) {
  Report(L"%s: caut baza de date CORVAN...", step);
  if (AliasFolder("CORVAN", folder) && lstrlenW(folder) < MAX_PATH - 16) {
    const int length = lstrlenW(folder);
    if (folder[length - 1] != L'\\') lstrcatW(folder, L"\\");
    return true;
  }
  Report(L"%s: baza de date CORVAN nu poate fi deschisa", step);
  return false;
}

void StampValue(const wchar_t* folder, const wchar_t* key, wchar_t* value, DWORD size) {
  Folder file;
  value[0] = L'\0';
  if (InFolder(folder, StampFile, file)) GetPrivateProfileStringW(StampSection, key, L"", value, size, file);
}

bool StampCurrent(const wchar_t* folder, const wchar_t* key) {
  wchar_t value[64];
  StampValue(folder, key, value, 64);
  return lstrcmpW(value, Version) == 0;
}

bool WriteStamp(const wchar_t* folder, const wchar_t* key) {
  Folder file;
  return InFolder(folder, StampFile, file) && WritePrivateProfileStringW(StampSection, key, Version, file) &&
         StampCurrent(folder, key);
}

bool FileExists(const wchar_t* path) {
  const DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A table's header as the product writes it: record size, header size and record count.
struct TableHeader {
  unsigned recordSize = 0, headerSize = 0;
  unsigned long recordCount = 0;
};

// Reads the table's header (shared, read-only) and checks that its sizes agree with the
// file: a header of whole 2048-byte blocks followed by exactly recordCount records.
bool TableStructureSound(const wchar_t* path, TableHeader& header) {
  HANDLE f = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
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

int Finish(const wchar_t* folder, const wchar_t* key, const wchar_t* step) {
  if (!WriteStamp(folder, key)) {
    Report(L"%s: nu pot scrie %s", step, StampFile);
    return stepStampNotWritten;
  }
  Report(L"%s: terminat, versiunea %s", step, Version);
  return stepOk;
}
}  // namespace

extern "C" {

__declspec(dllexport) void WINAPI GetAliasPath(wchar_t* buffer) {
  if (!buffer) return;
  buffer[256] = L'\0';
  char alias[257] = {};
  WideCharToMultiByte(CP_ACP, 0, buffer, -1, alias, sizeof alias - 1, nullptr, nullptr);
  Folder folder;
  AliasFolder(alias, folder);
  lstrcpynW(buffer, folder, 257);
}

__declspec(dllexport) void WINAPI SetReportProc(ReportProc proc) { reportProc = proc; }

__declspec(dllexport) void WINAPI SetQuickVerif(bool quick) { quickVerification = quick; }

// Checks that the expected tables exist; a full check (quick verification off) also checks
// that each table's header agrees with its size.
__declspec(dllexport) int WINAPI DoStructureUpgrade() {
  const wchar_t* step = L"Structuri";
  Folder folder, path;
  if (!FindDatabase(step, folder)) return stepNoDatabase;
  for (const wchar_t* table : ExpectedTables) {
    Report(L"%s: verific %s%s", step, table, quickVerification ? L" (rapid)" : L"");
    if (!InFolder(folder, table, path) || !FileExists(path)) {
      Report(L"%s: lipseste tabela %s", step, table);
      return stepTableMissing;
    }
    TableHeader header;
    if (!quickVerification && !TableStructureSound(path, header)) {
      Report(L"%s: tabela %s are structura deteriorata", step, table);
      return stepTableDamaged;
    }
  }
  return Finish(folder, L"Structure", step);
}

// The lists build on the structures of this version.
__declspec(dllexport) int WINAPI DoListUpgrade() {
  const wchar_t* step = L"Liste";
  Folder folder, path;
  if (!FindDatabase(step, folder)) return stepNoDatabase;
  Report(L"%s: verific versiunea structurilor", step);
  if (!StampCurrent(folder, L"Structure")) {
    Report(L"%s: structurile nu sunt la versiunea %s", step, Version);
    return stepStructureOutOfDate;
  }
  TableHeader operators;
  if (!InFolder(folder, L"OPERATOR.DB", path) || !TableStructureSound(path, operators)) {
    Report(L"%s: tabela OPERATOR.DB lipseste sau este deteriorata", step);
    return stepTableMissing;
  }
  Report(L"%s: lista operatorilor are %lu inregistrari", step, operators.recordCount);
  return Finish(folder, L"Lists", step);
}

__declspec(dllexport) int WINAPI DoConstUpgrade() {
  const wchar_t* step = L"Constante";
  Folder folder, path;
  if (!FindDatabase(step, folder)) return stepNoDatabase;
  Report(L"%s: actualizez constantele firmei", step);
  if (!InFolder(folder, L"FIRME.DB", path) || !FileExists(path)) {
    Report(L"%s: lipseste tabela FIRME.DB", step);
    return stepTableMissing;
  }
  return Finish(folder, L"Constants", step);
}

__declspec(dllexport) bool WINAPI GetSemaforOK(int stepResult) { return stepResult == stepOk; }

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // At process end (reserved != nullptr) the system reclaims everything; free only on FreeLibrary.
  if (reason == DLL_PROCESS_DETACH && !reserved) {
    for (HGLOBAL& block : reportBlocks) {
      if (block) GlobalFree(block);
      block = nullptr;
    }
  }
  return TRUE;
}
