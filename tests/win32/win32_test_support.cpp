#include "win32_test_support.h"

#include <vector>

#include "platform/Files.h"

TempFolder::TempFolder() {
  wchar_t temp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, temp);
  wchar_t name[MAX_PATH + 1];
  GetTempFileNameW(temp, L"cvt", 0, name);
  DeleteFileW(name);
  CreateDirectoryW(name, nullptr);
  path_ = std::wstring(name) + L"\\";
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::wstring& folder) {
  std::wstring base = folder;
  if (!base.empty() && base.back() != L'\\') base += L'\\';
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((base + L"*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(base + name);
      else {
        SetFileAttributesW((base + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW((base + name).c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(base.c_str());
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) { return WriteWholeFile(path, bytes); }

std::string ReadBytes(const std::wstring& path) { return ReadWholeFile(path).value_or(std::string()); }

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring TestProgramFolder() {
  wchar_t buf[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
  std::wstring path(buf, n);
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

std::wstring SmallDrive() {
  wchar_t drive[16] = {};
  const DWORD n = GetEnvironmentVariableW(L"CORVAN_FULL_DRIVE", drive, 16);
  return n > 0 && n < 16 ? drive : L"";
}

bool FillDriveLeaving(const std::wstring& drive, std::uint64_t room, const std::wstring& ballast) {
  ULARGE_INTEGER free{};
  if (!GetDiskFreeSpaceExW(drive.c_str(), &free, nullptr, nullptr) || free.QuadPart < room) return false;
  return WriteBytes(ballast, std::string(static_cast<std::size_t>(free.QuadPart - room), 'b'));
}
