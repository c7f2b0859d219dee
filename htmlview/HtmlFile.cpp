#include "htmlview/HtmlFile.h"

#include <windows.h>

#include <algorithm>

bool ReadHtmlFile(const std::wstring& path, std::string& bytes, size_t maxBytes) {
  bytes.clear();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) != 0;
  if (ok) {
    const size_t wanted = static_cast<size_t>(std::min<long long>(size.QuadPart, static_cast<long long>(maxBytes)));
    bytes.resize(wanted);
    size_t done = 0;
    while (ok && done < wanted) {
      DWORD got = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(wanted - done, 1 << 20));
      ok = ReadFile(file, bytes.data() + done, chunk, &got, nullptr) != 0;
      if (got == 0) break;  // shorter than it said: what was read
      done += got;
    }
    bytes.resize(done);
  }
  CloseHandle(file);
  return ok;
}
