#include "install/CopyComponents.h"

#include <windows.h>

#include "core/copy_rules.h"
#include "core/text.h"
#include "install/Assembly.h"
#include "platform/Files.h"
#include "sysconfig/BdeConfig.h"
#include "toolkit/Dialogs.h"

using namespace corvan;

namespace {

// The key an installed engine leaves, and the one that names the program files folder.
constexpr wchar_t InstalledEngineKey[] = L"Software\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT";
constexpr wchar_t WindowsKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion";

std::optional<std::wstring> MachineString(HKEY key, const wchar_t* subKey, const wchar_t* value) {
  DWORD size = 0;
  if (RegGetValueW(key, subKey, value, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegGetValueW(key, subKey, value, RRF_RT_REG_SZ, nullptr, text.data(), &size) != ERROR_SUCCESS)
    return std::nullopt;
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

void MakeFolderIfMissing(const std::wstring& folder) {
  if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) CreateDirectoryW(folder.c_str(), nullptr);
}

bool HasDatabase(const std::wstring& dataFolder) {
  for (const wchar_t* marker : ExistingDatabaseMarkers)
    if (FileExists(dataFolder + marker)) return true;
  return false;
}

// The data folder as the database rows use it: with its backslash, kept in the setting.
std::wstring DataFolderWithBackslash() {
  auto& dataDir = Settings().DataDir;
  dataDir = WithTrailingBackslash(dataDir);
  return dataDir;
}

// The folder a row is unpacked into, or nothing when the row is skipped.
std::optional<std::wstring> DestinationOf(const TCompRecord& row) {
  switch (row.DestType) {
    case dtProgram:
      return Settings().ProgramDir;
    case dtProgramFiles:
      return EngineDestination();
    case dtDatabaseDat: {
      const std::wstring data = DataFolderWithBackslash();
      if (HasDatabase(data)) return std::nullopt;
      return data;
    }
    case dtDatabaseNew: {
      const std::wstring data = DataFolderWithBackslash();
      ClearNewFolders(data);
      return data;
    }
  }
  return std::nullopt;
}

ZipError MissingArchiveError(const TCompRecord& row, const std::wstring& archive) {
  ZipError error;
  error.result = ZipResult::ReadError;
  error.archive = archive;
  error.message = L"Lipseste arhiva " + archive + L": pe discurile de instalare nu am gasit fisierul " +
                  row.FileName + L".1.";
  return error;
}

// Archives of the wanted components left in the work folder by an earlier run that did
// not end (a cancelled or failed copy): none may be unpacked in place of the disks' own.
void RemoveStaleArchives(TComponentSet wanted) {
  const std::wstring work = WithoutTrailingBackslash(Settings().ProposedProgramDir);
  for (const TCompRecord* row : ComponentsOf(wanted)) {
    if (!*row->FileName) continue;
    const std::wstring archive = JoinPath(work, std::wstring(row->FileName) + L".ZIP");
    if (!FileExists(archive)) continue;
    SetFileAttributesW(archive.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(archive.c_str());
  }
}

ZipError WorkFolderError(const std::wstring& folder) {
  ZipError error;
  error.result = ZipResult::ReadError;
  error.archive = folder;
  error.message = L"Nu pot deschide folderul de lucru " + folder + L".";
  return error;
}

}  // namespace

std::optional<std::wstring> EngineDestination() {
  auto& settings = Settings();
  HKEY installed = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, InstalledEngineKey, 0, KEY_QUERY_VALUE, &installed) == ERROR_SUCCESS) {
    const auto version = MachineString(installed, nullptr, L"VERSION");
    RegCloseKey(installed);
    if (version && IsOldEngineVersion(*version)) settings.OldBdeFound = true;
    if (settings.OldBdeFound) {
      const MessagePrefixScope prefix(L"Protectia aplicatiilor existente", L"PENTRU CONTINUARE");
      MsgDlg(L"Am gasit o instalare mai veche de\rmotor baza de date (BDE)...\rDaca Corvan nu functioneaza, contactati-ne.\r",
             L"", mtError, taCenter, Buttons({mbOK}), mbOK);
    }
    return std::nullopt;
  }
  const std::wstring programFiles = MachineString(HKEY_LOCAL_MACHINE, WindowsKey, L"ProgramFilesDir").value_or(L"");
  MakeFolderIfMissing(JoinPath(programFiles, L"Borland"));
  MakeFolderIfMissing(JoinPath(programFiles, L"Borland\\Common Files"));
  const std::wstring engine = BdeEngineFolder(programFiles);
  MakeFolderIfMissing(engine);
  return engine;
}

void ClearFolderFiles(const std::wstring& folder, const std::wstring& mask) {
  const std::wstring prefix = WithTrailingBackslash(folder);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((prefix + mask).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  // Sub-folders, "." and ".." refuse to be deleted as files and stay.
  do DeleteFileW((prefix + data.cFileName).c_str());
  while (FindNextFileW(find, &data));
  FindClose(find);
}

void ClearNewFolders(const std::wstring& dataFolder) {
  for (const wchar_t* sub : NewDatabaseFolders) ClearFolderFiles(JoinPath(dataFolder, sub), L"*.*");
}

const CopyRules& FreshInstallRules() {
  static const CopyRules rules{
      .destination = DestinationOf,
      .skipsMissingArchive = [](const TCompRecord& row) { return IsOptionalArchive(std::wstring(row.FileName) + L".ZIP"); },
      .entries = {},
  };
  return rules;
}

ZipError ExtractComponents(CopyPageView& page, ExtractProgress& counters, TComponentSet wanted,
                           const std::function<void()>& afterProgramComponent, CopyRunMemory* memory,
                           const CopyRules& rules) {
  const std::wstring work = WithoutTrailingBackslash(Settings().ProposedProgramDir);
  if (!SetCurrentDirectoryW(work.c_str())) return WorkFolderError(work);
  for (const TCompRecord* row : ComponentsOf(wanted)) {
    if (!*row->FileName) continue;
    const auto index = static_cast<std::size_t>(row - Components.data());
    if (memory && InSet(memory->unpacked, static_cast<int>(index))) continue;
    const auto done = [&] {
      if (memory) memory->unpacked |= static_cast<TComponentSet>(1u << index);
    };
    page.SetStatusText(row->CompName);
    std::optional<std::wstring> destination;
    if (memory && memory->chosen[index]) {
      destination = memory->destination[index];
    } else {
      destination = rules.destination(*row);
      if (memory) memory->chosen[index] = true, memory->destination[index] = destination;
    }
    if (!destination) {
      done();
      continue;
    }
    // By bare name, in the work folder just made current.
    const std::wstring archive = std::wstring(row->FileName) + L".ZIP";
    if (!FileExists(archive)) {
      if (!rules.skipsMissingArchive(*row)) return MissingArchiveError(*row, JoinPath(work, archive));
      done();
      continue;
    }
    const ZipEntryFilter filter = rules.entries ? rules.entries(*row) : ZipEntryFilter{};
    if (ZipError error = ExtractArchive(page, counters, archive, *destination, filter)) return error;
    if (row->DestType == dtProgram && afterProgramComponent) afterProgramComponent();
    done();
  }
  return {};
}

CopyResult CopyComponents(CopyPageView& page, ExtractProgress& counters, TComponentSet wanted,
                          const CopyPageActions& actions, CopyRunMemory* memory, const CopyRules& rules) {
  const TComponentSet left = memory ? static_cast<TComponentSet>(wanted & ~memory->unpacked) : wanted;
  RemoveStaleArchives(left);
  const AssemblyResult joined = AssembleArchives(page, left);
  if (joined.outcome == AssemblyOutcome::Cancelled) return {CopyOutcome::Cancelled, {}};
  if (joined.outcome == AssemblyOutcome::Failed) {
    CopyResult failed{CopyOutcome::JoinFailed, {}};
    failed.error.message = joined.message;
    return failed;
  }
  if (ZipError error = ExtractComponents(page, counters, left, actions.afterProgramComponent, memory, rules))
    return {CopyOutcome::Failed, std::move(error)};
  DeleteAssembledArchives(actions.deleteFailure);
  return {};
}
