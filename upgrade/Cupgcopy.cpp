#include "upgrade/Cupgcopy.h"

#include <windows.h>

#include "core/copy_rules.h"
#include "core/text.h"
#include "install/CopyOnContinue.h"
#include "sysconfig/StepTrace.h"
#include "wizard/Instructions.h"

using namespace corvan;

namespace {
bool IsPicture(const std::wstring& name) {
  const std::size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos) return false;
  const std::wstring extension = UpperText(std::wstring_view(name).substr(dot));
  return extension == L".BMP" || extension == L".PNG";
}

bool StartsWith(const std::wstring& text, std::wstring_view prefix) { return text.compare(0, prefix.size(), prefix) == 0; }
}  // namespace

TUpgCopy::TUpgCopy()
    : TWizardPage({.name = L"UpgCopy", .step = Step, .title = L"Actualizare fisiere Corvan", .answersHelpKey = true}) {
  Panel1.SetBevelOuter(bvNone);
  StyleCopyGauge(CopyProgress);
  StyleCopyGauge(UnzipProgress);
  LGroupName.SetAlignment(taCenter);
  BNext.OnClick = Guarded([this](TControl&) { BNextClick(); });
  FormCreate();
}

void TUpgCopy::FormCreate() { Counters.Reset(); }

void TUpgCopy::BNextClick() {
  CopyPageActions actions;
  actions.afterProgramComponent = ShowInstructions;
  const CopyRules rules = UpgradeRules();
  RunCopyOnContinue(*this, view_, {&BBack, &BNext, &BCancel}, [&] {
    return CopyComponents(view_, Counters, UpgradeSets[Settings().InstallType], actions, &memory_, rules);
  });
}

CopyRules TUpgCopy::UpgradeRules() {
  return {
      .destination = [](const TCompRecord& row) -> std::optional<std::wstring> {
        auto& settings = Settings();
        switch (row.DestType) {
          case dtProgram:
            return settings.ProgramDir;
          case dtDatabaseNew:
            settings.DataDir = WithTrailingBackslash(settings.DataDir);
            ClearNewFoldersKeepImages(settings.DataDir);
            return settings.DataDir;
          case dtDatabaseDat:
          case dtProgramFiles:
            // The example database and the engine are never refreshed.
            return std::nullopt;
        }
        return std::nullopt;
      },
      .skipsMissingArchive = [](const TCompRecord&) { return true; },
      .entries =
          [this](const TCompRecord& row) -> ZipEntryFilter {
        ProgramArchive = row.DestType == dtProgram;
        return [this](const std::wstring& name) { return ConfirmUpgradeEntry(name); };
      },
  };
}

bool TUpgCopy::ConfirmUpgradeEntry(const std::wstring& name) {
  std::wstring path = L"\\" + name;
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  path = UpperText(path);
  LogNote(L"Confirmare pentru: " + path);
  // A program archive may carry the engine's files: the installed engine keeps its own.
  // The reference database archive gives only the blank database under NEW.
  const bool accepted = ProgramArchive ? !StartsWith(path, L"\\IDAPI") : StartsWith(path, L"\\NEW");
  LogNote(accepted ? L"Confirmat" : L"NU!!!");
  return accepted;
}

void ClearNewFoldersKeepImages(const std::wstring& folder) {
  for (const wchar_t* sub : NewDatabaseFolders) ClearFolderFilesKeepImages(JoinPath(folder, sub), L"*.*");
}

void ClearFolderFilesKeepImages(const std::wstring& folder, const std::wstring& mask) {
  const std::wstring prefix = WithTrailingBackslash(folder);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((prefix + mask).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (data.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring path = prefix + data.cFileName;
    if (IsPicture(data.cFileName)) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    else DeleteFileW(path.c_str());
  } while (FindNextFileW(find, &data));
  FindClose(find);
}
