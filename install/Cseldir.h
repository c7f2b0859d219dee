#pragma once
// TDirDialog, the folder picker of the folders page and of the installation finder: a
// drive list of the computer's drives and a folder tree of the chosen drive, opened at
// the process's current folder or at a folder the caller gives. "O&K" gives the folder
// selected in the tree, "&Renunt" gives nothing.
#include <functional>
#include <optional>
#include <string>

#include "toolkit/Actives.h"
#include "toolkit/Cliunit.h"
#include "toolkit/DriveList.h"
#include "toolkit/FolderTree.h"
#include "toolkit/Title.h"
#include "wizard/PageBase.h"

class TDirDialog : public TTitleForm {
 public:
  // Opens at startFolder as far as it exists (empty: the process's current folder); a
  // folder on no drive of the list (a network path) opens the Windows drive's root.
  explicit TDirDialog(const std::wstring& startFolder = {});

  TTitleBar TitleBar1{this, {.name = L"TitleBar1", .height = 25, .align = alTop, .caption = L"Alegeti calea!",
                             .font = TFont(L"MS Sans Serif", -13, fsBold, corvan::clWhite)}};
  TActiveLabel LDisc{this, {.name = L"LDisc", .left = 9, .top = 36, .width = 36, .height = 13, .caption = L"&Disc:"}};
  TActiveLabel LCale{this, {.name = L"LCale", .left = 9, .top = 63, .width = 36, .height = 13, .caption = L"&Cale:"}};
  TDriveList DriveList{this, {.name = L"DriveList", .left = 50, .top = 35, .width = 215, .height = 22,
                              .color = corvan::clEdit, .font = TFont(L"MS Sans Serif", -11, fsBold)}};
  TFolderTree FolderTree{this, {.name = L"FolderTree", .left = 50, .top = 63, .width = 499, .height = 235,
                                .color = corvan::clEdit, .font = TFont(L"MS Sans Serif", -11, fsBold)}};
  TPageNiceButton BOK{this, {.name = L"BOK", .left = 293, .top = 305, .width = 120, .height = 26, .caption = L"O&K"},
                      mkOK, TModalResult::Ok};
  TPageNiceButton BCancel{this, {.name = L"BCancel", .left = 429, .top = 305, .width = 120, .height = 26,
                                 .caption = L"&Renunt"}, mkCancel, TModalResult::Cancel};

  // The folder selected in the tree, with its trailing backslash ("C:\Corvan\", "C:\").
  std::wstring Directory();

  // Shows the picker modally: the selected folder (with its backslash) on "O&K", nothing
  // on "&Renunt" (or Esc).
  std::optional<std::wstring> Execute();

 private:
  void DriveListChange();
};

// While set, called with the real picker once it is shown (tests look at it and press its
// keys; the picker ends as the user would end it).
using DirDialogShownHook = std::function<void(TDirDialog& dialog)>;
void SetDirDialogShownHook(DirDialogShownHook hook);

// The picker of the pages: opened at startFolder (empty: the current folder), the folder
// chosen with "O&K" with its trailing backslash, or nothing.
std::optional<std::wstring> PickFolder(const std::wstring& startFolder = {});
