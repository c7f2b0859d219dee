// HHUPD.EXE, the demo HTML Help update: records under HKLM\Software\Corvan\Help that
// the help of this version is installed, and in which folder. With /Q it shows nothing.
// Exit code: 0 done, 1 the record cannot be written.
#include <windows.h>

#include <string>

namespace {

bool Record(const wchar_t* name, const std::wstring& value) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Corvan\\Help", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const LONG r = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return r == ERROR_SUCCESS;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
  const std::wstring args = commandLine;
  const bool quiet = args.find(L"/Q") != std::wstring::npos || args.find(L"/q") != std::wstring::npos;
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  folder.erase(folder.find_last_of(L'\\') + 1);
  const bool ok = Record(L"Version", L"3200876.02") && Record(L"Folder", folder);
  if (!quiet)
    MessageBoxW(nullptr, ok ? L"Help Corvan actualizat." : L"Nu pot actualiza Help Corvan.", L"HHUPD",
                MB_OK | (ok ? MB_ICONINFORMATION : MB_ICONERROR));
  return ok ? 0 : 1;
}
