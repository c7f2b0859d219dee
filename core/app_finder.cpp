#include "core/app_finder.h"

#include "core/text.h"

namespace corvan {

std::wstring DataFolderFromAlias(std::wstring_view aliasFolder) {
  std::wstring folder(aliasFolder);
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  constexpr std::wstring_view dataTail = L"\\DATA";
  if (folder.size() >= dataTail.size() && UpperText(std::wstring_view(folder).substr(folder.size() - dataTail.size())) == dataTail)
    folder.erase(folder.size() - dataTail.size());
  return folder;
}

std::wstring DriveTypeRoot(std::wstring_view folder) {
  if (folder.starts_with(L"\\\\")) {
    int seen = 0;
    for (std::size_t i = 0; i < folder.size(); ++i)
      if (folder[i] == L'\\' && ++seen == 4) return std::wstring(folder.substr(0, i + 1));
    return WithTrailingBackslash(folder);
  }
  std::wstring root(folder.substr(0, 3));
  // "D:" asks for the drive's current folder: its root is meant.
  if (root.size() == 2 && root[1] == L':') root += L'\\';
  return root;
}

std::wstring AppPathProgramFile(std::wstring_view appPath) { return std::wstring(appPath) + L"Corvan.exe"; }

std::wstring DatabasePathProgramFolder(std::wstring_view databasePath) {
  const std::size_t last = databasePath.rfind(L'\\');
  if (last == std::wstring_view::npos) return {};
  const bool afterDrive = last > 0 && databasePath[last - 1] == L':';
  return WithTrailingBackslash(databasePath.substr(0, afterDrive ? last + 1 : last));
}

bool IsSearchedFolder(std::wstring_view folder, std::wstring_view windowsDirSlash) {
  return folder.size() <= SearchedFolderLength && !SameNameNoCase(folder, windowsDirSlash);
}

std::wstring SearchStatusText(std::wstring_view folder) {
  const std::size_t keep = folder.size() < SearchStatusTailLength ? folder.size() : SearchStatusTailLength;
  return L"Caut in .." + std::wstring(folder.substr(folder.size() - keep));
}

}  // namespace corvan
