#include "install/CDirs.h"

#include <windows.h>

#include <vector>

#include "core/folder_path.h"
#include "core/text.h"
#include "install/FolderFields.h"
#include "install/Cseldir.h"
#include "platform/Files.h"
#include "toolkit/Dialogs.h"
#include "toolkit/GGlobals.h"

using namespace corvan;

const wchar_t* const ClientNoteLines[4] = {
    L"Ati selectat o instalare de tip client. ",
    L"Introduceti in campul \"Date\" calea pana la baza ",
    L"de date server. Daca este necesar, folositi \"Map ",
    L"network drive\" din File Manager / Explorer",
};

namespace {

void ShowFolderError(const std::wstring& text) {
  MsgDlg(text, L"Eroare!", mtError, taCenter, Buttons({mbCancel}), mbCancel);
}

// Why a missing folder cannot be made (empty: it can): the one folder the user named is
// made, never its parents.
std::wstring WhyNotMakeable(const std::wstring& folder) {
  if (!IsMakeableFolderPath(folder))
    return L"Directorul \"" + folder + L"\" nu este o cale completa valida (de exemplu C:\\Corvan).";
  const std::wstring parent = ParentFolder(folder);
  if (!parent.empty() && !FolderExists(parent))
    return L"Nu pot crea directorul " + folder + L": directorul " + parent + L" nu exista.";
  return {};
}

// Makes the folder; empty when it was made, else why it was not.
std::wstring MakeOneFolder(const std::wstring& folder) {
  if (CreateDirectoryW(folder.c_str(), nullptr)) return {};
  switch (GetLastError()) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return L"Nu pot crea directorul " + folder + L": nu am drept de scriere acolo.";
    case ERROR_ALREADY_EXISTS:
      return L"Nu pot crea directorul " + folder + L": exista deja un fisier cu acest nume.";
    case ERROR_FILENAME_EXCED_RANGE:
      return L"Nu pot crea directorul " + folder + L": calea este prea lunga.";
    default:
      return L"Nu pot crea directorul " + folder + L".";
  }
}

// A full path of an existing folder (a relative name would be found in the setup's own
// current folder).
bool IsExistingFolder(const std::wstring& folder) { return !FolderRoot(folder).empty() && FolderExists(folder); }

}  // namespace

TDirs::TDirs()
    : TWizardPage({.name = L"Dirs", .step = Step, .title = L"Alegeti directoarele destinatie!", .boldFont = false}) {
  Panel1.SetBevelOuter(bvNone);
  StyleFolderBox(RProgram, LProgram);
  StyleFolderBox(RDate, LDate);
  StyleBrowseButton(BProgram);
  StyleBrowseButton(BDate);
  netmemo.SetReadOnly(true);
  netmemo.SetVerticalScrollBar(true);
  netmemo.SetTabStop(false);
  netmemo.SetText(std::wstring(ClientNoteLines[0]) + L"\r\n" + ClientNoteLines[1] + L"\r\n" + ClientNoteLines[2] +
                  L"\r\n" + ClientNoteLines[3]);

  const auto programPicker = Guarded([this](TControl&) { BProgramClick(); });
  const auto dataPicker = Guarded([this](TControl&) { BDateClick(); });
  BProgram.OnClick = programPicker;
  LProgram.OnClick = programPicker;
  BDate.OnClick = dataPicker;
  LDate.OnClick = dataPicker;
  RDate.OnChange = Guarded([this](TControl&) { RDateChange(); });
  BNext.OnClick = Guarded([this](TControl&) { BNextClick(); });
  FormCreate();
}

void TDirs::FormCreate() {
  const auto& settings = Settings();
  RProgram.SetText(settings.ProposedProgramDir);
  switch (settings.InstallType) {
    case itServer:
      RDate.SetText(settings.ProposedDataDir);
      netmemo.SetVisible(false);
      BNext.SetEnabled(true);
      break;
    case itClient:
      RDate.SetText(L"");
      netmemo.SetVisible(true);
      BNext.SetEnabled(false);
      break;
    case itLocal:
    case itNone:
      for (TControl* hidden : std::initializer_list<TControl*>{&RDate, &BDate, &LDate, &netmemo})
        hidden->SetVisible(false);
      BNext.SetEnabled(true);
      break;
  }
}

void TDirs::BProgramClick() {
  const auto folder = PickFolder();
  if (!folder) return;
  const std::wstring picked = WithTrailingBackslash(*folder);
  RProgram.SetText(picked);
  if (Settings().InstallType == itLocal) RDate.SetText(picked);
}

void TDirs::BDateClick() {
  const auto folder = PickFolder();
  if (folder) RDate.SetText(WithTrailingBackslash(*folder));
}

void TDirs::RDateChange() { BNext.SetEnabled(true); }

void TDirs::BNextClick() {
  auto& settings = Settings();
  bool ok = true;
  std::vector<std::wstring> toMake, failures;
  // A missing folder is made only when every missing one can be: a refused Continue
  // makes nothing.
  const auto needs = [&](const std::wstring& folder) {
    if (IsExistingFolder(folder)) return;
    if (std::wstring why = WhyNotMakeable(folder); !why.empty()) failures.push_back(std::move(why));
    else toMake.push_back(folder);
  };

  settings.ProgramDir = RProgram.Text();
  const std::wstring data = RDate.Text();
  switch (settings.InstallType) {
    case itServer:
      if (IsExistingFolder(data)) settings.DataDir = data;
      else needs(data);
      break;
    case itClient:
      // The server's database must be there already: nothing is made for a client.
      if (IsExistingFolder(data)) {
        settings.DataDir = data;
      } else {
        ShowFolderError(L"La instalarea client baza de date trebuie sa existe!");
        ok = false;
      }
      break;
    case itLocal:
    case itNone:
      settings.DataDir = settings.ProgramDir;
      break;
  }
  needs(settings.ProgramDir);
  if (ok && failures.empty()) {
    for (const std::wstring& folder : toMake) {
      // The data and program folders may be one folder, typed twice.
      if (IsExistingFolder(folder)) continue;
      if (std::wstring why = MakeOneFolder(folder); !why.empty()) {
        failures.push_back(std::move(why));
        break;
      }
    }
    if (settings.InstallType == itServer && failures.empty()) settings.DataDir = data;
  }
  if (!failures.empty()) {
    ok = false;
    std::wstring text;
    for (const std::wstring& failure : failures) text += (text.empty() ? L"" : L"\r") + failure;
    ShowFolderError(text);
  }

  // Shown again when the page is opened after Back from the copy page.
  settings.ProposedProgramDir = settings.ProgramDir;
  settings.ProposedDataDir = settings.DataDir;
  // The button's Next is withdrawn: the page stays open with the user's entries.
  if (!ok) SetModalResult(TModalResult::None);
}
