#include "core/unpack_folders.h"

#include <algorithm>

#include "core/file_name_case.h"

namespace corvan {

std::vector<std::size_t> UnpackFolders::Unknown(std::wstring_view folder) const {
  std::vector<std::size_t> unknown;
  // From the deepest folder outwards, up to the first one already known.
  for (std::size_t length = folder.size(); length > 0;) {
    if (known_.count(FileNameUpcase(folder.substr(0, length)))) break;
    unknown.push_back(length);
    const auto cut = folder.rfind(L'\\', length - 1);
    length = cut == std::wstring_view::npos ? 0 : cut;
  }
  std::reverse(unknown.begin(), unknown.end());
  return unknown;
}

void UnpackFolders::Known(std::wstring_view folder) {
  if (!folder.empty()) known_.insert(FileNameUpcase(folder));
}

}  // namespace corvan
