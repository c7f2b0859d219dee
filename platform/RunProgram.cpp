#include "platform/RunProgram.h"

#include <windows.h>

#include <vector>

#include "platform/KernelHandle.h"

std::int32_t RunProgram(const std::wstring& commandLine, std::uint16_t showCmd, bool wait) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = showCmd;
  PROCESS_INFORMATION process{};
  // CreateProcessW may write into the command line, so it gets a private copy.
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &process))
    return -1;
  const KernelHandle thread(process.hThread), child(process.hProcess);
  if (!wait) return 0;
  WaitForSingleObject(child.Get(), INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(child.Get(), &code);
  return static_cast<std::int32_t>(code);
}

std::wstring QuotedPath(const std::wstring& path) {
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') return path;
  return L"\"" + path + L"\"";
}
