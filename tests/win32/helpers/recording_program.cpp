// A stand-in for a program the setup starts (HHUPD.EXE, TREGSVR.EXE, ...), copied under
// that name: it appends to "events.txt" in its own folder the line
//   <its file name> start show=<show state> <its command line>
// and, when it ends, "<its file name> end". When CORVAN_TEST_PRESS is
// "<file name>|<window caption>|<letter>" and the name is its own, it types Alt+letter
// into that window while it runs (a user pressing a button while the program works).
#include <windows.h>

#include <string>

namespace {
std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, n);
}

void Append(const std::wstring& file, const std::wstring& line) {
  HANDLE h = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  const std::wstring text = line + L"\n";
  std::string bytes(text.size() * 4, '\0');
  bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                   static_cast<int>(bytes.size()), nullptr, nullptr));
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

void PressIfAsked(const std::wstring& name) {
  wchar_t value[512] = {};
  const DWORD n = GetEnvironmentVariableW(L"CORVAN_TEST_PRESS", value, 512);
  if (n == 0 || n >= 512) return;
  const std::wstring ask(value, n);
  const auto bar1 = ask.find(L'|'), bar2 = ask.rfind(L'|');
  if (bar1 == std::wstring::npos || bar2 == bar1 || bar2 + 1 >= ask.size()) return;
  if (CompareStringOrdinal(ask.c_str(), static_cast<int>(bar1), name.c_str(), static_cast<int>(name.size()), TRUE) !=
      CSTR_EQUAL)
    return;
  HWND window = FindWindowW(nullptr, ask.substr(bar1 + 1, bar2 - bar1 - 1).c_str());
  if (window) PostMessageW(window, WM_SYSCHAR, ask[bar2 + 1], 0x20000000);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  const std::wstring self = OwnPath();
  const std::wstring folder = self.substr(0, self.find_last_of(L'\\') + 1);
  const std::wstring name = self.substr(folder.size());
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  Append(folder + L"events.txt", name + L" start show=" + std::to_wstring(show) + L" " + GetCommandLineW());
  PressIfAsked(name);
  // Long enough that a setup not waiting for it would go on before it ends.
  Sleep(300);
  Append(folder + L"events.txt", name + L" end");
  return 0;
}
