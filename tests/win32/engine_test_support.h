#pragma once
// What the engine and upgrade-library tests share: the stand-ins' files from the build
// folder, and a machine state with or without the engine installed.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "win32_test_support.h"

// The build folder of the stand-ins, seen from the test program in <build>\tests\win32\.
inline std::wstring StandinBuildFolder(const wchar_t* standin) {
  return TestProgramFolder() + L"..\\..\\standins\\" + standin + L"\\";
}

inline std::wstring MachineProgramFiles() {
  wchar_t value[MAX_PATH + 1] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion", L"ProgramFilesDir", RRF_RT_REG_SZ,
               nullptr, value, &size);
  return value;
}

inline std::wstring EngineFolderOnMachine() { return MachineProgramFiles() + L"\\Borland\\Common Files\\BDE\\"; }

// No engine registered and no engine files: a machine Corvan was never installed on.
inline void RemoveEngine() {
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Borland");
  RemoveTree(MachineProgramFiles() + L"\\Borland");
}

// The engine's files as the copy page leaves them: the library, the unfilled registry
// template and the default configuration, not yet registered.
inline bool CopyEngineFiles() {
  const std::wstring from = StandinBuildFolder(L"idapi32");
  const std::wstring to = EngineFolderOnMachine();
  if (SHCreateDirectoryExW(nullptr, to.c_str(), nullptr) != ERROR_SUCCESS && !PathExists(to)) return false;
  for (const wchar_t* name : {L"idapi32.dll", L"bde.reg", L"IDAPI32.CFG"})
    if (!CopyFileW((from + name).c_str(), (to + name).c_str(), FALSE)) return false;
  return true;
}

inline std::wstring MachineString(const wchar_t* key, const wchar_t* value) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
    return L"(none)";
  return buffer;
}

inline bool MachineKeyExists(const wchar_t* key) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

inline std::wstring Widened(const std::string& text) {
  std::wstring out(text.size(), L'\0');
  out.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                 static_cast<int>(out.size())));
  return out;
}

// Runs this test program again for the disabled test named by filter, with the given
// environment variables set; returns its exit code (0: the test passed).
inline int RunChildTest(const std::wstring& filter) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring line = L"\"" + std::wstring(self) + L"\" --gtest_also_run_disabled_tests --gtest_filter=" + filter;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  WaitForSingleObject(process.hProcess, 120000);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}
