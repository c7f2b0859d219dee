#include "platform/LibraryLoading.h"

HMODULE LoadLibraryByFullPath(const std::wstring& path) {
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module =
      LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Windows 7 without its loader update knows only the older way of searching beside the DLL.
  if (!module && GetLastError() == ERROR_INVALID_PARAMETER)
    module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  SetErrorMode(oldMode);
  return module;
}
