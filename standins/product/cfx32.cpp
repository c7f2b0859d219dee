// CFX32.OCX, the demo charting control: registering it writes its class and its
// in-process server (this file's full path) under HKEY_CLASSES_ROOT; unregistering
// removes them.
#include <windows.h>

#include <olectl.h>

#include <string>

namespace {

constexpr wchar_t ClassKey[] = L"CLSID\\{6F1C2B7A-3E55-4C1D-9A1E-2C0A3200876B}";
constexpr wchar_t ProgIdKey[] = L"Corvan.Chart";
constexpr wchar_t ClassId[] = L"{6F1C2B7A-3E55-4C1D-9A1E-2C0A3200876B}";

HMODULE self = nullptr;

bool SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY h;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != ERROR_SUCCESS)
    return false;
  const LONG r = RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(h);
  return r == ERROR_SUCCESS;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) self = instance;
  return TRUE;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllRegisterServer() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return E_FAIL;
  const std::wstring key = ClassKey;
  const bool ok = SetValue(key, nullptr, L"Corvan Chart Control") &&
                  SetValue(key + L"\\InprocServer32", nullptr, path) &&
                  SetValue(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
                  SetValue(key + L"\\ProgID", nullptr, ProgIdKey) && SetValue(ProgIdKey, nullptr, L"Corvan Chart Control") &&
                  SetValue(std::wstring(ProgIdKey) + L"\\CLSID", nullptr, ClassId);
  return ok ? S_OK : SELFREG_E_CLASS;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllUnregisterServer() {
  const LONG a = RegDeleteTreeW(HKEY_CLASSES_ROOT, ClassKey);
  const LONG b = RegDeleteTreeW(HKEY_CLASSES_ROOT, ProgIdKey);
  return (a == ERROR_SUCCESS || a == ERROR_FILE_NOT_FOUND) && (b == ERROR_SUCCESS || b == ERROR_FILE_NOT_FOUND)
             ? S_OK
             : SELFREG_E_CLASS;
}
