// Which folders an unpacking makes or checks: each once, outermost first.
#include "core/unpack_folders.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace corvan;

namespace {

// Runs the entries' folders through the tracker as the unpacking does; every folder it
// is told to make, in order.
std::vector<std::wstring> FoldersMade(const std::vector<std::wstring>& entryFolders) {
  UnpackFolders folders;
  std::vector<std::wstring> made;
  for (const auto& folder : entryFolders)
    for (std::size_t length : folders.Unknown(folder)) {
      made.emplace_back(folder.substr(0, length));
      folders.Known(made.back());
    }
  return made;
}

}  // namespace

TEST(UnpackFolders, MakesEachFolderOnceOutermostFirst) {
  struct Case {
    const char* what;
    std::vector<std::wstring> entries;
    std::vector<std::wstring> made;
  };
  const Case cases[] = {
      {"files in the destination", {L"", L"", L""}, {}},
      {"one deep folder", {L"a\\b\\c", L"a\\b\\c", L"a\\b"}, {L"a", L"a\\b", L"a\\b\\c"}},
      {"siblings share their parent", {L"DATA\\X", L"DATA\\Y", L"DATA"}, {L"DATA", L"DATA\\X", L"DATA\\Y"}},
      {"letter case is one folder", {L"Data\\\u0219", L"DATA\\\u0218", L"data"}, {L"Data", L"Data\\\u0219"}},
      {"a name that only begins like a folder", {L"NEW\\DATA", L"NEW\\DATA2"}, {L"NEW", L"NEW\\DATA", L"NEW\\DATA2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FoldersMade(c.entries), c.made);
  }
}

TEST(UnpackFolders, WorkGrowsWithTheFoldersNotWithEntriesTimesDepth) {
  // 2,000 files spread over 20 folders 6 levels deep: 120 folders to make, and once
  // they are known no entry is told about any of them again.
  std::vector<std::wstring> entries;
  std::set<std::wstring> distinct;
  for (int i = 0; i < 2000; ++i) {
    std::wstring folder = L"top" + std::to_wstring(i % 20);
    for (int level = 1; level < 6; ++level) folder += L"\\level" + std::to_wstring(level);
    entries.push_back(folder);
    for (std::size_t cut = 0; (cut = folder.find(L'\\', cut + 1)) != std::wstring::npos;) distinct.insert(folder.substr(0, cut));
    distinct.insert(folder);
  }
  const auto made = FoldersMade(entries);
  EXPECT_EQ(made.size(), distinct.size());
  EXPECT_EQ(std::set<std::wstring>(made.begin(), made.end()), distinct);
  // A folder the unpacking could not make stays unknown and is tried again.
  UnpackFolders folders;
  EXPECT_EQ(folders.Unknown(L"a\\b").size(), 2u);
  folders.Known(L"a");
  EXPECT_EQ(folders.Unknown(L"a\\b"), (std::vector<std::size_t>{3}));
}
