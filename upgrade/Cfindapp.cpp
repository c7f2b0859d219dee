#include "upgrade/Cfindapp.h"

#include <windows.h>

#include "core/app_finder.h"
#include "core/fmt_markup.h"
#include "core/text.h"
#include "install/FolderFields.h"
#include "install/Cseldir.h"
#include "platform/Files.h"
#include "toolkit/GGlobals.h"
#include "upgrade/Upgint.h"

using namespace corvan;

const wchar_t* const FindAppConfirmTitle = L"Confirmati corectitudinea directorului program";
const wchar_t* const ClientInstallNotice = L"Am detectat o instalare client";

namespace {

const wchar_t* const FindAppTitle = L"Apasati 'Continua' pentru a localiza aplicatia!";
const wchar_t* const NotFoundProgram = L"????";

// A value of the [Corvan] section of WIN.INI, at most 32 characters of it.
std::wstring CorvanProfileValue(const wchar_t* key) {
  wchar_t value[ProfileValueLength + 1] = {};
  GetProfileStringW(L"Corvan", key, L"", value, ProfileValueLength + 1);
  return value;
}

std::wstring WindowsFolderWithSlash() {
  wchar_t folder[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryW(folder, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return {};
  return std::wstring(folder, length) + L"\\";
}

// A directory listing's handle, closed with it.
class FolderListing {
 public:
  explicit FolderListing(const std::wstring& pattern)
      : handle_(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry_, FindExSearchLimitToDirectories, nullptr,
                                 0)) {}
  ~FolderListing() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FolderListing(const FolderListing&) = delete;
  FolderListing& operator=(const FolderListing&) = delete;

  // The current entry, or null at the end.
  const WIN32_FIND_DATAW* Entry() const { return handle_ == INVALID_HANDLE_VALUE || done_ ? nullptr : &entry_; }
  void Next() { done_ = !FindNextFileW(handle_, &entry_); }

 private:
  WIN32_FIND_DATAW entry_{};
  HANDLE handle_;
  bool done_ = false;
};

// A sub-folder the search goes into: a directory, not "." or "..", neither hidden nor a
// system folder (as a listing of directories gives them).
bool IsSearchedEntry(const WIN32_FIND_DATAW& entry) {
  const DWORD a = entry.dwFileAttributes;
  if (!(a & FILE_ATTRIBUTE_DIRECTORY) || (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) return false;
  const std::wstring_view name = entry.cFileName;
  return name != L"." && name != L"..";
}

}  // namespace

bool IsProgramFolder(const std::wstring& folder) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(JoinPath(folder, L"CORVAN.EXE").c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  return IsProgramFileSize((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

TFindApp::TFindApp() : TWizardPage({.name = L"FindApp", .step = Step, .title = FindAppTitle}) {
  Panel1.SetBevelOuter(bvNone);
  StyleFolderBox(RProgram, LProgram);
  StyleFolderBox(RDate, LDate);
  RDate.SetReadOnly(true);
  StyleBrowseButton(BProgram);
  StyleBrowseButton(BDate);
  BDate.SetEnabled(false);

  const auto picker = Guarded([this](TControl&) { BProgramClick(); });
  BProgram.OnClick = picker;
  LProgram.OnClick = picker;
  BNext.OnClick = Guarded([this](TControl&) { BNextClick(); });
  BCancel.OnClick = Guarded([this](TControl&) { BCancelClick(); });
  FormCreate();
}

void TFindApp::FormCreate() {
  auto& settings = Settings();
  settings.ProposedDataDir = DataFolderFromAlias(UpgradeAliasPath(L"CORVAN"));
  // An alias whose folder the library cannot tell: the data is looked for where a local
  // installation keeps it, in the program folder, once that is known.
  dataFromProgram_ = settings.ProposedDataDir.empty();
  const std::wstring root = DriveTypeRoot(settings.ProposedDataDir);
  settings.InstallType = !root.empty() && GetDriveTypeW(root.c_str()) == DRIVE_REMOTE ? itClient : itLocal;
  BNext.SetEnabled(true);
}

void TFindApp::BNextClick() {
  if (searching_) return;
  if (!activated_) {
    activated_ = true;
    ShowSearchResult(FindProgramFolder());
    return;
  }
  auto& settings = Settings();
  settings.ProposedProgramDir = RProgram.Text();
  if (dataFromProgram_) DataFollowsProgram(settings.ProposedProgramDir);
  settings.ProgramDir = settings.ProposedProgramDir;
  settings.DataDir = settings.ProposedDataDir;
  SetModalResult(TModalResult::Next);
}

void TFindApp::BCancelClick() { askToStop_ = true; }

std::wstring TFindApp::FindProgramFolder() {
  // Continue and the picker wait while the search runs: the events it lets through could
  // otherwise confirm a folder not yet found.
  searching_ = true;
  BNext.SetEnabled(false);
  QuietDriveErrors quiet;
  foundProgramDir_.clear();
  std::wstring found;
  if (const std::wstring appPath = CorvanProfileValue(L"AppPath");
      !appPath.empty() && FileExists(AppPathProgramFile(appPath))) {
    found = appPath;
  } else if (const std::wstring databasePath = CorvanProfileValue(L"DatabasePath"); !databasePath.empty()) {
    const std::wstring candidate = DatabasePathProgramFolder(databasePath);
    if (!candidate.empty() && FileExists(candidate + L"Corvan.exe")) found = candidate;
  }
  if (found.empty()) found = SearchFixedDrives();
  searching_ = false;
  return found;
}

std::wstring TFindApp::SearchFixedDrives() {
  askToStop_ = false;
  windowsDirSlash_ = WindowsFolderWithSlash();
  std::wstring found;
  for (wchar_t letter = L'C'; letter <= L'Z' && found.empty() && !askToStop_; ++letter) {
    const std::wstring root{letter, L':', L'\\'};
    if (GetDriveTypeW(root.c_str()) != DRIVE_FIXED) continue;
    if (const std::wstring corvan = root + L"Corvan\\"; IsProgramFolder(corvan)) {
      found = corvan;
    } else {
      foundProgramDir_.clear();
      if (SearchFolderTree(root)) found = foundProgramDir_;
    }
  }
  if (askToStop_) found.clear();
  SetStatus(L"");
  return found;
}

bool TFindApp::SearchFolderTree(const std::wstring& folder) {
  if (!IsSearchedFolder(folder, windowsDirSlash_)) return false;
  if (IsProgramFolder(folder)) {
    foundProgramDir_ = folder;
    return true;
  }
  SetStatus(SearchStatusText(folder));
  ProcessOnePendingMessage();
  if (askToStop_) {
    foundProgramDir_.clear();
    return true;
  }
  for (FolderListing listing(folder + L"*.*"); const WIN32_FIND_DATAW* entry = listing.Entry(); listing.Next()) {
    if (IsSearchedEntry(*entry) && SearchFolderTree(folder + entry->cFileName + L"\\")) return true;
  }
  return false;
}

void TFindApp::ShowSearchResult(const std::wstring& programDir) {
  auto& settings = Settings();
  if (programDir.empty()) {
    settings.ProposedProgramDir = NotFoundProgram;
    SetStatus(L"Nu am gasit directorul program!!!");
  } else {
    settings.ProposedProgramDir = programDir;
    SetStatus(L"");
    if (dataFromProgram_) DataFollowsProgram(programDir);
  }
  RProgram.SetText(settings.ProposedProgramDir);
  RDate.SetText(settings.InstallType == itLocal ? settings.ProposedDataDir : ClientInstallNotice);
  canContinue_ = !programDir.empty();
  BNext.SetEnabled(canContinue_);
  SetCaption(FindAppConfirmTitle);
}

void TFindApp::BProgramClick() {
  if (searching_) return;
  const std::wstring shown = RProgram.Text();
  if (const auto folder = PickFolder(shown == NotFoundProgram ? std::wstring() : shown)) {
    const std::wstring picked = WithTrailingBackslash(*folder);
    RProgram.SetText(picked);
    canContinue_ = IsProgramFolder(picked);
    SetStatus(canContinue_ ? L"" : L"Nu gasesc instalare de CORVAN...");
    if (canContinue_ && dataFromProgram_) {
      DataFollowsProgram(picked);
      if (activated_ && Settings().InstallType == itLocal) RDate.SetText(Settings().ProposedDataDir);
    }
  }
  // Before the search has run, Continue stays the way to run it.
  BNext.SetEnabled(canContinue_ || !activated_);
}

void TFindApp::SetStatus(const std::wstring& text) {
  dirlabel.SetCaption(EscapeFmtMarkup(text));
  dirlabel.Repaint();
}

void TFindApp::DataFollowsProgram(const std::wstring& programDir) {
  // "D:\Corvan\" keeps its data in "D:\Corvan", as the alias would name it; a drive's
  // root keeps its backslash.
  std::wstring data = WithoutTrailingBackslash(programDir);
  if (!data.empty() && data.back() == L':') data += L'\\';
  Settings().ProposedDataDir = data;
}
