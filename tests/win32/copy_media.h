#pragma once
// Installation media for the Wine tests of the copy: every component's archive cut into
// two parts in a media folder with its DISK1 marker, and the registry the engine rule
// reads (the installed engine's key, the program files folder) set as a test needs it.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/core/zip_test_archive.h"
#include "win32_test_support.h"

namespace copymedia {

inline constexpr wchar_t EngineKey[] = L"Software\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT";
inline constexpr wchar_t WindowsKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion";

using Components = std::map<std::wstring, std::vector<ziptest::Entry>>;  // base -> entries

inline std::string ZipBytes(const std::vector<ziptest::Entry>& entries) {
  const ziptest::Archive zip = ziptest::MakeZip(entries);
  return {zip.bytes.begin(), zip.bytes.end()};
}

// base.1 and base.2: the archive's two halves, as the media builder cuts them.
inline bool PutParts(const std::wstring& media, const std::wstring& base, const std::string& zip) {
  const std::size_t half = zip.size() / 2;
  return WriteBytes(media + base + L".1", zip.substr(0, half)) && WriteBytes(media + base + L".2", zip.substr(half));
}

inline std::wstring ProgramFiles() {
  wchar_t value[MAX_PATH + 1] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  RegGetValueW(HKEY_LOCAL_MACHINE, WindowsKey, L"ProgramFilesDir", RRF_RT_REG_SZ, nullptr, value, &size);
  return value;
}

inline void SetProgramFiles(const std::wstring& folder) {
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, WindowsKey, L"ProgramFilesDir", REG_SZ, folder.c_str(),
                  static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
}

// The key an installed engine leaves; version nullptr: the key without a VERSION value.
inline bool InstallEngine(const wchar_t* version) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, EngineKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  if (version)
    RegSetValueExW(key, L"VERSION", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return true;
}

// No engine: Wine's new prefix has the key, a fresh computer does not.
inline void RemoveEngine() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Borland"); }

}  // namespace copymedia
