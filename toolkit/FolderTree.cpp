#include "toolkit/FolderTree.h"

#include <algorithm>

#include "core/folder_path.h"
#include "core/text.h"
#include "platform/Files.h"
#include "toolkit/GGlobals.h"

namespace {

bool IsShownFolder(const WIN32_FIND_DATAW& data) {
  if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN))
    return false;
  const std::wstring_view name = data.cFileName;
  return name != L"." && name != L"..";
}

// Calls found(name) for each shown sub-folder until it returns false.
template <class Found>
void EachSubfolder(const std::wstring& folder, Found found) {
  const QuietDriveErrors quiet;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW(corvan::JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data,
                                 FindExSearchLimitToDirectories, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (IsShownFolder(data) && !found(std::wstring(data.cFileName))) break;
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

TControlDesc TreeDesc(TControlDesc desc) {
  if (desc.width == 0) desc.width = 200;
  if (desc.height == 0) desc.height = 200;
  desc.tabStop = true;
  return desc;
}

}  // namespace

std::vector<std::wstring> ListSubfolders(const std::wstring& folder) {
  std::vector<std::wstring> names;
  EachSubfolder(folder, [&](std::wstring name) {
    names.push_back(std::move(name));
    return true;
  });
  std::sort(names.begin(), names.end(),
            [](const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) < 0; });
  return names;
}

TFolderTree::TFolderTree(TWinControl* parent, const TControlDesc& desc) : TWinControl(parent, TreeDesc(desc)) {}

TFolderTree::~TFolderTree() { DestroyHandle(); }

void TFolderTree::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = WC_TREEVIEWW;
  params.style &= ~WS_CLIPCHILDREN;
  params.style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
  params.exStyle |= WS_EX_CLIENTEDGE;
}

void TFolderTree::HandleCreated() {
  HWND window = HandleIfCreated();
  TreeView_SetBkColor(window, ResolveColor(Color()));
  TreeView_SetTextColor(window, ResolveColor(Font().Color()));
  Rebuild();
}

void TFolderTree::ShowFolder(const std::wstring& root, const std::wstring& folder) {
  root_ = corvan::WithTrailingBackslash(root);
  openAt_ = folder;
  Rebuild();
}

HTREEITEM TFolderTree::AddItem(HTREEITEM parent, const std::wstring& name, const std::wstring& path) {
  folders_.push_back({path});
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
  insert.item.pszText = const_cast<wchar_t*>(name.c_str());
  insert.item.lParam = static_cast<LPARAM>(folders_.size() - 1);
  insert.item.cChildren = I_CHILDRENCALLBACK;
  return TreeView_InsertItem(HandleIfCreated(), &insert);
}

TFolderTree::Folder* TFolderTree::FolderOf(HTREEITEM item) {
  TVITEMW tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  if (!item || !TreeView_GetItem(HandleIfCreated(), &tv)) return nullptr;
  const auto index = static_cast<size_t>(tv.lParam);
  return index < folders_.size() ? &folders_[index] : nullptr;
}

void TFolderTree::ReadSubfolders(HTREEITEM item) {
  Folder* folder = FolderOf(item);
  if (!folder || folder->read) return;
  folder->read = true;
  const std::wstring path = folder->path;  // AddItem may move the folders
  const std::vector<std::wstring> names = ListSubfolders(path);
  FolderOf(item)->hasSubfolders = names.empty() ? 0 : 1;
  for (const std::wstring& name : names) AddItem(item, name, corvan::JoinPath(path, name));
  if (names.empty()) {
    // No button for a folder found empty.
    TVITEMW tv{};
    tv.mask = TVIF_CHILDREN;
    tv.hItem = item;
    tv.cChildren = 0;
    TreeView_SetItem(HandleIfCreated(), &tv);
  }
}

HTREEITEM TFolderTree::FindChild(HTREEITEM parent, const std::wstring& name) {
  HWND window = HandleIfCreated();
  for (HTREEITEM child = TreeView_GetChild(window, parent); child; child = TreeView_GetNextSibling(window, child)) {
    const Folder* folder = FolderOf(child);
    if (!folder) continue;
    const std::vector<std::wstring> names = corvan::FolderNames(folder->path);
    if (!names.empty() && lstrcmpiW(names.back().c_str(), name.c_str()) == 0) return child;
  }
  return nullptr;
}

void TFolderTree::Rebuild() {
  HWND window = HandleIfCreated();
  if (!window) return;
  TreeView_DeleteAllItems(window);
  folders_.clear();
  if (root_.empty()) return;
  HTREEITEM item = AddItem(TVI_ROOT, root_, root_);
  ReadSubfolders(item);
  // The folder is opened only on its own drive (or share).
  if (corvan::SameNameNoCase(corvan::FolderRoot(openAt_), root_)) {
    for (const std::wstring& name : corvan::FolderNames(openAt_)) {
      HTREEITEM child = FindChild(item, name);
      if (!child) break;
      TreeView_Expand(window, item, TVE_EXPAND);
      item = child;
      ReadSubfolders(item);
    }
  }
  TreeView_Expand(window, TreeView_GetRoot(window), TVE_EXPAND);
  TreeView_SelectItem(window, item);
  TreeView_EnsureVisible(window, item);
}

std::wstring TFolderTree::SelectedFolder() {
  HWND window = HandleIfCreated();
  if (!window) return {};
  const Folder* folder = FolderOf(TreeView_GetSelection(window));
  return folder ? folder->path : std::wstring();
}

bool TFolderTree::ReflectNotify(NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case TVN_GETDISPINFOW: {
      auto& info = reinterpret_cast<NMTVDISPINFOW&>(header);
      if (!(info.item.mask & TVIF_CHILDREN)) return false;
      Folder* folder = FolderOf(info.item.hItem);
      if (folder && folder->hasSubfolders < 0) {
        bool any = false;
        EachSubfolder(folder->path, [&](const std::wstring&) {
          any = true;
          return false;
        });
        folder->hasSubfolders = any ? 1 : 0;
      }
      info.item.cChildren = folder ? folder->hasSubfolders : 0;
      result = 0;
      return true;
    }
    case TVN_ITEMEXPANDINGW: {
      const auto& view = reinterpret_cast<NMTREEVIEWW&>(header);
      if (view.action & TVE_EXPAND) ReadSubfolders(view.itemNew.hItem);
      result = FALSE;  // let it open
      return true;
    }
    case TVN_SELCHANGEDW:
      if (OnChange) OnChange(*this);
      result = 0;
      return true;
    default:
      return false;
  }
}
