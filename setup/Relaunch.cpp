#include "setup/Relaunch.h"

#include <windows.h>
#include <objbase.h>

#include <vector>

#include "platform/AnsiText.h"
#include "platform/Files.h"
#include "platform/RunProgram.h"
#include "toolkit/Dialogs.h"

namespace {
// Creates the folder and every missing parent.
void CreateFolderTree(const std::wstring& folder) {
  for (size_t i = 0; i < folder.size(); ++i) {
    if (folder[i] == L'\\' && i > 0 && folder[i - 1] != L':')
      CreateDirectoryW(folder.substr(0, i).c_str(), nullptr);
  }
  CreateDirectoryW(folder.c_str(), nullptr);
}
}  // namespace

std::optional<std::wstring> ReadRelaunchMarker(const std::wstring& folder) {
  const auto bytes = ReadWholeFile(folder + MarkerName);
  if (!bytes) return std::nullopt;
  return FromAnsi(bytes->substr(0, bytes->find_first_of("\r\n")));
}

bool WriteRelaunchMarker(const std::wstring& folder, const std::wstring& mediaFolder) {
  return WriteWholeFile(folder + MarkerName, ToAnsi(mediaFolder) + "\r\n");
}

std::wstring NewLocalFolderName() {
  std::wstring temp;
  wchar_t shortPath[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, shortPath);
  if (n > 0 && n <= MAX_PATH) {
    DWORD needed = GetLongPathNameW(shortPath, nullptr, 0);
    std::vector<wchar_t> longPath(needed ? needed : 1);
    if (needed && GetLongPathNameW(shortPath, longPath.data(), needed) < needed) temp = longPath.data();
    else temp = shortPath;
  }
  if (temp.empty() || temp.back() != L'\\') temp += L'\\';
  GUID guid{};
  CoCreateGuid(&guid);
  wchar_t hex[33];
  wsprintfW(hex, L"%08X%04X%04X%02X%02X%02X%02X%02X%02X%02X%02X", guid.Data1, guid.Data2, guid.Data3,
            guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
            guid.Data4[6], guid.Data4[7]);
  return temp + hex + L"\\";
}

std::optional<std::wstring> RelaunchFromLocalCopy(const std::wstring& mediaDir) {
  const std::wstring local = NewLocalFolderName();
  CreateFolderTree(local.substr(0, local.size() - 1));
  // Copy failures are not checked: a missing piece shows up where it is needed.
  CopyFileW((mediaDir + L"INSTALL.EXE").c_str(), (local + L"INSTCORV.EXE").c_str(), FALSE);
  CopyFileW((mediaDir + L"UPGRADE.1").c_str(), (local + L"UPGRADE.ZIP").c_str(), FALSE);
  CopyFileW((mediaDir + L"INSTALL.CFG").c_str(), (local + L"INSTCORV.CFG").c_str(), FALSE);
  if (!WriteRelaunchMarker(local, mediaDir)) {
    MsgDlg(L"Nu pot scrie fisierul " + local + MarkerName + L".\rInstalarea nu poate continua.", L"", mtError,
           taCenter, Buttons({mbOK}), mbOK);
    return std::nullopt;
  }
  RunProgram(QuotedPath(local + L"INSTCORV.EXE"), SW_SHOW, false);
  return local;
}
