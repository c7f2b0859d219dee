#include "upgrade/Upgint.h"

#include <cstdlib>

#include "core/install_settings.h"
#include "core/text.h"
#include "install/ZipArchive.h"
#include "platform/AppDir.h"
#include "platform/Files.h"
#include "platform/LibraryLoading.h"
#include "toolkit/Dialogs.h"

namespace {
using GetAliasPathFn = void(WINAPI*)(wchar_t* buffer);
using SetReportProcFn = void(WINAPI*)(UpgradeReportProc proc);
using SetQuickVerifFn = void(WINAPI*)(bool quick);
using DoStepFn = int(WINAPI*)();
using GetSemaforOKFn = bool(WINAPI*)(int stepResult);

struct UpgradeLibrary {
  HMODULE handle = nullptr;
  GetAliasPathFn getAliasPath = nullptr;
  SetReportProcFn setReportProc = nullptr;
  SetQuickVerifFn setQuickVerif = nullptr;
  DoStepFn doStructureUpgrade = nullptr;
  DoStepFn doListUpgrade = nullptr;
  DoStepFn doConstUpgrade = nullptr;
  GetSemaforOKFn getSemaforOK = nullptr;
};
UpgradeLibrary library;
bool freeAtExitRegistered = false;

template <typename Fn>
Fn Entry(const char* name) {
  return LibraryEntry<Fn>(library.handle, name);
}

}  // namespace

void UnpackUpgradePackage() {
  const std::wstring package = AppDir + L"UPGRADE.ZIP";
  if (!corvan::Settings().UpgradeMode) {
    DeleteFileW(package.c_str());
    return;
  }
  if (FileExists(package)) {
    ZipError error;
    // The archive is closed at the end of this statement, so that it can be deleted.
    if (auto archive = ZipArchive::Open(package, error)) error = archive->ExtractAll(AppDir);
    // A package that did not unpack whole is kept: the library is then missing or
    // incomplete and the driver says so after this message.
    if (error) {
      const std::wstring text = error.message.empty() ? L"Nu pot dezarhiva " + package : error.message;
      MsgDlg(text, L"", mtError, taLeftJustify, Buttons({mbOK}), mbOK);
      return;
    }
    DeleteFileW(package.c_str());
    return;
  }
  if (!FileExists(AppDir + L"UPGRADE.dll"))
    MsgDlg(L"Nu gasesc Upgrade.zip", L"", mtError, taCenter, Buttons({mbOK}), mbOK);
}

bool LoadUpgradeLibraryFrom(const std::wstring& folder) {
  FreeUpgradeLibrary();
  const std::wstring path = corvan::JoinPath(folder, L"UPGRADE.DLL");
  if (path.size() > 254) return false;
  HMODULE handle = LoadLibraryByFullPath(path);
  if (reinterpret_cast<UINT_PTR>(handle) <= 31) {
    if (handle) FreeLibrary(handle);
    return false;
  }
  library.handle = handle;
  library.getAliasPath = Entry<GetAliasPathFn>("GetAliasPath");
  library.setReportProc = Entry<SetReportProcFn>("SetReportProc");
  library.setQuickVerif = Entry<SetQuickVerifFn>("SetQuickVerif");
  library.doStructureUpgrade = Entry<DoStepFn>("DoStructureUpgrade");
  library.doListUpgrade = Entry<DoStepFn>("DoListUpgrade");
  library.doConstUpgrade = Entry<DoStepFn>("DoConstUpgrade");
  library.getSemaforOK = Entry<GetSemaforOKFn>("GetSemaforOK");
  if (!freeAtExitRegistered) freeAtExitRegistered = std::atexit(FreeUpgradeLibrary) == 0;
  return true;
}

bool LoadUpgradeLibrary() { return LoadUpgradeLibraryFrom(AppDir); }

void FreeUpgradeLibrary() {
  if (library.handle) FreeLibrary(library.handle);
  library = UpgradeLibrary{};
}

bool UpgradeLibraryLoaded() { return library.handle != nullptr; }

std::wstring UpgradeAliasPath(const std::wstring& alias) {
  if (!library.getAliasPath) return {};
  wchar_t buffer[257] = {};
  alias.copy(buffer, 256);
  library.getAliasPath(buffer);
  buffer[256] = L'\0';
  return buffer;
}

void UpgradeSetReportProc(UpgradeReportProc proc) {
  if (library.setReportProc) library.setReportProc(proc);
}

void UpgradeSetQuickVerif(bool quick) {
  if (library.setQuickVerif) library.setQuickVerif(quick);
}

bool RunUpgradeStep(TUpgradeStep step) {
  const DoStepFn calls[] = {library.doStructureUpgrade, library.doListUpgrade, library.doConstUpgrade};
  const DoStepFn call = calls[step];
  if (!call || !library.getSemaforOK) return false;
  return library.getSemaforOK(call());
}
