#pragma once
// What a loaded engine says of the product's aliases and of the Paradox network folder,
// one "NAME=folder" line per alias ("(cannot open)" for one it does not know) and a
// "NET DIR=folder" line. Shared by the engine tests and the report program of the
// end-to-end runs and the demo.
#include <windows.h>

#include <sstream>
#include <string>

#include "core/install_settings.h"
#include "sysconfig/idapi.h"

template <typename Fn>
Fn EngineEntry(HMODULE engine, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(engine, name)));
}

inline std::wstring WidenedAnsi(const char* text) {
  std::wstring out(MAX_PATH * 2, L'\0');
  out.resize(MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), static_cast<int>(out.size())));
  if (!out.empty() && out.back() == L'\0') out.pop_back();
  return out;
}

// Appends the lines to out. False when the engine's INIT node could not be listed (an
// engine that does not start writes nothing and answers true: there is nothing to list).
inline bool DescribeEngineInto(HMODULE engine, std::wostringstream& out) {
  if (!engine) return true;
  auto init = EngineEntry<DbiInitFn>(engine, "DbiInit");
  auto exit = EngineEntry<DbiExitFn>(engine, "DbiExit");
  auto open = EngineEntry<DbiOpenDatabaseFn>(engine, "DbiOpenDatabase");
  auto close = EngineEntry<DbiCloseDatabaseFn>(engine, "DbiCloseDatabase");
  auto directory = EngineEntry<DbiGetDirectoryFn>(engine, "DbiGetDirectory");
  auto list = EngineEntry<DbiOpenCfgInfoListFn>(engine, "DbiOpenCfgInfoList");
  auto next = EngineEntry<DbiGetNextRecordFn>(engine, "DbiGetNextRecord");
  // An engine that is not registered does not start: nothing more to see.
  if (!init || init(nullptr) != DBIERR_NONE) return true;
  for (const wchar_t* alias : corvan::BdeAliases) {
    char name[64] = {};
    WideCharToMultiByte(CP_ACP, 0, alias, -1, name, 63, nullptr, nullptr);
    hDBIDb db = nullptr;
    char folder[DBIMAXPATHLEN + 1] = "(cannot open)";
    if (open(name, nullptr, dbiREADONLY, dbiOPENSHARED, nullptr, 0, nullptr, nullptr, &db) == DBIERR_NONE) {
      directory(db, FALSE, folder);
      close(&db);
    }
    out << alias << L"=" << WidenedAnsi(folder) << L"\n";
  }
  hDBICur cursor = nullptr;
  const bool listed = list(nullptr, dbiREADONLY, cfgPersistent, "\\DRIVERS\\PARADOX\\INIT", &cursor) == DBIERR_NONE;
  if (listed)
    for (CFGDesc record{}; next(cursor, dbiNOLOCK, &record, nullptr) == DBIERR_NONE;)
      if (std::string(record.szNodeName) == "NET DIR") out << L"NET DIR=" << WidenedAnsi(record.szValue) << L"\n";
  exit();
  return listed;
}
