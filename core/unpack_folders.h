#pragma once
// The folders an unpacking has to make or check, each once for the whole run: an entry
// whose folder is already known costs one look-up, whatever its depth, so the work
// grows with the number of entries and folders, not with entries times depth.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace corvan {

class UnpackFolders {
 public:
  // The folders of `folder` (a path relative to the destination, '\' separators; empty
  // for the destination itself) not known yet, outermost first, as the lengths of
  // their prefixes of `folder`.
  std::vector<std::size_t> Unknown(std::wstring_view folder) const;
  // The folder exists now (made or checked); names are compared as Windows compares them.
  void Known(std::wstring_view folder);

 private:
  std::unordered_set<std::wstring> known_;  // upper-cased
};

}  // namespace corvan
