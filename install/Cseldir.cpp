#include "install/Cseldir.h"

#include <windows.h>

#include "core/folder_path.h"
#include "core/text.h"

using namespace corvan;

namespace {

std::wstring CurrentFolder() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::wstring folder(size, L'\0');
  folder.resize(GetCurrentDirectoryW(size, folder.data()));
  return folder;
}

DirDialogShownHook& ShownHook() {
  static DirDialogShownHook hook;
  return hook;
}

std::wstring WindowsDriveRoot() {
  wchar_t windows[MAX_PATH] = L"";
  const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
  return length >= 3 ? std::wstring(windows, 3) : std::wstring(L"C:\\");
}

}  // namespace

TDirDialog::TDirDialog(const std::wstring& startFolder)
    : TTitleForm({.name = L"DirDialog", .color = PageColor, .caption = L"Alegeti calea!",
                  .font = TFont(L"MS Sans Serif", -11, fsBold)}) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(0);
  SetClientSize(600, 340);
  TitleBar1.SetStartColor(PageTitleColor);
  TitleBar1.SetEndColor(PageTitleColor);
  LDisc.SetFocusControl(&DriveList);
  LCale.SetFocusControl(&FolderTree);
  BOK.Default = true;
  BCancel.Cancel = true;
  DriveList.OnChange = [this](TControl&) { DriveListChange(); };
  OnShow = [this](TControl&) {
    if (const DirDialogShownHook hook = ShownHook()) hook(*this);
  };

  const std::wstring start = startFolder.empty() ? CurrentFolder() : startFolder;
  std::wstring root = FolderRoot(start);
  if (root.empty() || !DriveList.SetDrive(root)) {
    root = WindowsDriveRoot();
    if (!DriveList.SetDrive(root) && !DriveList.Drives().empty()) {
      root = DriveList.Drives().front().root;
      DriveList.SetDrive(root);
    }
  }
  FolderTree.ShowFolder(DriveList.Drive().empty() ? root : DriveList.Drive(), start);
  SetActiveControl(&FolderTree);

  // Centred on the screen, by the size of the window as made (its frame included).
  RECT outer{};
  GetWindowRect(Handle(), &outer);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  SetBounds(GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2, GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2, width,
            height);
}

void TDirDialog::DriveListChange() {
  const std::wstring root = DriveList.Drive();
  if (!root.empty()) FolderTree.ShowFolder(root);
}

std::wstring TDirDialog::Directory() { return WithTrailingBackslash(FolderTree.SelectedFolder()); }

std::optional<std::wstring> TDirDialog::Execute() {
  if (ShowModal() != TModalResult::Ok) return std::nullopt;
  const std::wstring folder = Directory();
  if (folder.empty()) return std::nullopt;
  return folder;
}

std::optional<std::wstring> PickFolder(const std::wstring& startFolder) {
  TDirDialog dialog(startFolder);
  return dialog.Execute();
}

void SetDirDialogShownHook(DirDialogShownHook hook) { ShownHook() = std::move(hook); }
