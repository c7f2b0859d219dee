#include "platform/AppDir.h"

#include <vector>

std::wstring AppDir;

std::wstring ModuleFolder(HMODULE module) {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(module, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return L"";
    if (n < buf.size()) {
      std::wstring path(buf.data(), n);
      return path.substr(0, path.find_last_of(L"\\/") + 1);
    }
    buf.resize(buf.size() * 2);
  }
}
