#include "core/folder_path.h"

#include "core/zip_names.h"

namespace corvan {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// The length of the root in the path (0: not full); for a share, up to and with the
// separator after the share's name, or the whole path when none follows.
std::size_t RootLength(std::wstring_view path) {
  if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2])) return 3;
  if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return 0;
  const std::size_t server = 2;
  std::size_t end = server;
  while (end < path.size() && !IsSeparator(path[end])) ++end;
  if (end == server || end + 1 >= path.size()) return 0;  // no server, or no share
  const std::size_t share = end + 1;
  end = share;
  while (end < path.size() && !IsSeparator(path[end])) ++end;
  if (end == share) return 0;
  return end < path.size() ? end + 1 : end;
}

}  // namespace

std::wstring FolderRoot(std::wstring_view path) {
  const std::size_t length = RootLength(path);
  if (length == 0) return {};
  std::wstring root(path.substr(0, length));
  for (auto& c : root)
    if (c == L'/') c = L'\\';
  if (root.back() != L'\\') root += L'\\';
  return root;
}

std::vector<std::wstring> FolderNames(std::wstring_view path) {
  std::vector<std::wstring> names;
  std::size_t i = RootLength(path);
  while (i < path.size()) {
    std::size_t end = i;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    if (end > i) names.emplace_back(path.substr(i, end - i));
    i = end + 1;
  }
  return names;
}

std::wstring ParentFolder(std::wstring_view path) {
  std::wstring folder = FolderRoot(path);
  if (folder.empty()) return {};
  const std::vector<std::wstring> names = FolderNames(path);
  if (names.empty()) return {};
  for (std::size_t i = 0; i + 1 < names.size(); ++i) {
    if (folder.back() != L'\\') folder += L'\\';
    folder += names[i];
  }
  return folder;
}

bool IsMakeableFolderPath(std::wstring_view path) {
  if (RootLength(path) == 0) return false;
  // Doubled separators are one for Windows; each name must be one it can write.
  for (const std::wstring& name : FolderNames(path))
    if (!SafeRelativePath(name)) return false;
  return true;
}

}  // namespace corvan
