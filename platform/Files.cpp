#include "platform/Files.h"

#include <windows.h>

#include <algorithm>

#include "platform/KernelHandle.h"

bool FileExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> ReadWholeFile(const std::wstring& path, std::size_t maxBytes) {
  KernelHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  BOOL ok = TRUE;
  while (bytes.size() < maxBytes) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, maxBytes - bytes.size()));
    if (!(ok = ReadFile(file.Get(), buffer, want, &got, nullptr)) || got == 0) break;
    bytes.append(buffer, got);
  }
  if (!ok) {
    const DWORD error = GetLastError();
    file.Close();
    SetLastError(error);
    return std::nullopt;
  }
  return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  KernelHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(left, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file.Get(), data, want, &written, nullptr) || written == 0) return false;
    data += written;
    left -= written;
  }
  return file.Close();
}

bool IsDiskFullError(unsigned long error) { return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL; }

QuietDriveErrors::QuietDriveErrors() {
  DWORD old = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old);
  old_ = old;
}

QuietDriveErrors::~QuietDriveErrors() { SetThreadErrorMode(static_cast<DWORD>(old_), nullptr); }
