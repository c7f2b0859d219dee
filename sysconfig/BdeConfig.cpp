#include "sysconfig/BdeConfig.h"

#include <windows.h>

#include <vector>

#include "core/install_settings.h"
#include "core/reg_template.h"
#include "core/text.h"
#include "platform/AnsiText.h"
#include "platform/Files.h"
#include "platform/RunProgram.h"
#include "sysconfig/StepTrace.h"
#include "sysconfig/aliasint.h"

namespace {
constexpr wchar_t EngineRegisteredKey[] = L"Software\\Borland\\BLW32";
constexpr wchar_t EngineKey[] = L"Software\\Borland\\Database Engine";
constexpr wchar_t WindowsKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion";

void IncrementUseCount() {
  HKEY key = nullptr;
  // An engine registered without its own key has nothing to count in; nothing is created.
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, EngineKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  wchar_t value[64] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  DWORD type = 0;
  std::wstring current;
  if (RegQueryValueExW(key, L"UseCount", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
      type == REG_SZ)
    current.assign(value, wcsnlen(value, size / sizeof(wchar_t)));
  const std::wstring next = corvan::NextUseCount(current);
  RegSetValueExW(key, L"UseCount", 0, REG_SZ, reinterpret_cast<const BYTE*>(next.c_str()),
                 static_cast<DWORD>((next.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

std::wstring ProgramFilesDir() {
  wchar_t value[MAX_PATH + 1] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, WindowsKey, L"ProgramFilesDir", RRF_RT_REG_SZ, nullptr,
                   value, &size) != ERROR_SUCCESS)
    return {};
  return value;
}

std::string ReadTemplate(const std::wstring& path) {
  auto bytes = ReadWholeFile(path);
  if (bytes) return std::move(*bytes);
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) throw BdeTemplateError(L"Nu gasesc fisierul " + path);
  throw BdeTemplateError(L"Nu pot citi fisierul " + path);
}

// Written beside the template and moved over it, so a failed write leaves the template whole.
void ReplaceTemplate(const std::wstring& path, const std::string& bytes) {
  const std::wstring fresh = path + L".tmp";
  if (!WriteWholeFile(fresh, bytes) ||
      !MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(fresh.c_str());
    throw BdeTemplateError(L"Nu pot scrie fisierul " + path);
  }
}

std::wstring WindowsFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  const UINT n = GetWindowsDirectoryW(folder, MAX_PATH + 1);
  return n > 0 && n <= MAX_PATH ? std::wstring(folder, n) : std::wstring();
}
}  // namespace

BdeTemplateError::BdeTemplateError(const std::wstring& text)
    : std::runtime_error(ToAnsi(text)), text_(text) {}

std::wstring BdeEngineFolder(const std::wstring& programFilesDir) {
  return corvan::JoinPath(programFilesDir, L"Borland\\Common Files\\BDE");
}

bool UpdateBdeRegistry() {
  HKEY registered = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, EngineRegisteredKey, 0, KEY_QUERY_VALUE, &registered) == ERROR_SUCCESS) {
    RegCloseKey(registered);
    IncrementUseCount();
    return false;
  }
  const std::wstring programFiles = ProgramFilesDir();
  // Without a full path the template's name would be relative to whatever the current folder is.
  const bool fullPath = (programFiles.size() >= 3 && programFiles[1] == L':' && programFiles[2] == L'\\') ||
                        programFiles.starts_with(L"\\\\");
  if (!fullPath) throw BdeTemplateError(L"Nu gasesc dosarul Program Files in registri");
  const std::wstring templatePath = corvan::JoinPath(BdeEngineFolder(programFiles), L"bde.reg");
  const std::string bytes = ReadTemplate(templatePath);
  // The template is single-byte text: a Program Files folder its code page cannot spell
  // would be registered as another folder.
  if (!ToAnsiExact(programFiles)) throw BdeTemplateError(L"Nu pot scrie dosarul " + programFiles + L" in fisierul " + templatePath);
  const std::wstring filled = corvan::FillRegistryTemplate(FromAnsi(bytes), programFiles);
  ReplaceTemplate(templatePath, ToAnsi(filled));
  // regedit from the Windows folder by full path, never one found beside the setup.
  // Without a Windows folder regedit counts as not startable, which the step ignores.
  const std::wstring windows = WindowsFolder();
  if (!windows.empty())
    RunProgram(QuotedPath(windows + L"\\regedit.exe") + L" /s " + QuotedPath(templatePath), SW_MINIMIZE, true);
  return true;
}

void DoConfigBDE() {
  LogBegin(L"DoConfigBDE");
  const bool freshlyRegistered = UpdateBdeRegistry();
  const std::wstring& dataDir = corvan::Settings().DataDir;
  std::vector<std::wstring> names, folders;
  for (int i = 0; i < corvan::AliasCount; ++i) {
    names.emplace_back(corvan::BdeAliases[i]);
    folders.push_back(corvan::AliasFolder(dataDir, i));
  }
  AddParadoxAliases(names, folders);
  if (freshlyRegistered) SetParadoxNetDir(dataDir);
  LogEnd(L"DoConfigBDE");
}
