#pragma once
// The folder tree of the folder picker: the folders of one drive below its root, each
// level read when it is first opened, opened at a given folder and moved through with
// the mouse or the keyboard (arrows, + and -, the first letters of a name). The
// platform's tree view in the control's colour and font. Hidden folders are not shown,
// as Windows does not show them by default.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "toolkit/Control.h"

class TFolderTree : public TWinControl {
 public:
  TFolderTree(TWinControl* parent, const TControlDesc& desc);
  ~TFolderTree() override;

  // Shows the folders below root ("C:\") and opens them at folder as far as it exists
  // there, selecting the deepest folder found (the root when none is, or when folder lies
  // on another drive).
  void ShowFolder(const std::wstring& root, const std::wstring& folder = {});
  const std::wstring& Root() const { return root_; }
  // The selected folder: the root ("C:\") or a folder below it without a trailing
  // backslash ("C:\Corvan"); empty while nothing is shown.
  std::wstring SelectedFolder();

  // The selection moved.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  bool ReflectNotify(NMHDR& header, LRESULT& result) override;

 private:
  struct Folder {
    std::wstring path;
    bool read = false;         // its sub-folders are in the tree
    int hasSubfolders = -1;    // -1: not looked at yet
  };
  HTREEITEM AddItem(HTREEITEM parent, const std::wstring& name, const std::wstring& path);
  Folder* FolderOf(HTREEITEM item);
  void ReadSubfolders(HTREEITEM item);
  HTREEITEM FindChild(HTREEITEM parent, const std::wstring& name);
  void Rebuild();

  std::vector<Folder> folders_;  // an item's lParam is its index here
  std::wstring root_, openAt_;
};

// The sub-folders of a folder that the tree shows (not hidden), sorted by name without
// regard to case. A drive without its medium has none, and no one is asked to insert it.
std::vector<std::wstring> ListSubfolders(const std::wstring& folder);
