// Folder paths as the folders page and the folder picker read them: roots, names,
// parents and the folders that can be made.
#include "core/folder_path.h"

#include <gtest/gtest.h>

#include "core/text.h"

using namespace corvan;

namespace {
std::string Narrow(std::wstring_view text) { return ToUtf8(text); }
}  // namespace

TEST(FolderPath, RootsAndNames) {
  const struct {
    const wchar_t* path;
    const wchar_t* root;
    std::vector<std::wstring> names;
  } cases[] = {
      {L"C:\\Corvan", L"C:\\", {L"Corvan"}},
      {L"c:\\A\\B\\", L"c:\\", {L"A", L"B"}},
      {L"D:/Date//Corvan/", L"D:\\", {L"Date", L"Corvan"}},
      {L"C:\\", L"C:\\", {}},
      {L"\\\\srv\\share", L"\\\\srv\\share\\", {}},
      {L"\\\\srv\\share\\Corvan\\DATA", L"\\\\srv\\share\\", {L"Corvan", L"DATA"}},
      // Not full: no root, every name.
      {L"Corvan\\Date", L"", {L"Corvan", L"Date"}},
      {L"C:Corvan", L"", {L"C:Corvan"}},
      {L"C:", L"", {L"C:"}},
      {L"\\Corvan", L"", {L"Corvan"}},
      {L"\\\\srv", L"", {L"srv"}},
      {L"\\\\srv\\", L"", {L"srv"}},
      {L"", L"", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.path));
    EXPECT_EQ(FolderRoot(c.path), c.root);
    EXPECT_EQ(FolderNames(c.path), c.names);
  }
}

TEST(FolderPath, ParentIsTheFolderAboveTheLastName) {
  const struct {
    const wchar_t* path;
    const wchar_t* parent;
  } cases[] = {
      {L"C:\\A\\B", L"C:\\A"},   {L"C:\\A\\B\\", L"C:\\A"},  {L"C:\\A", L"C:\\"},
      {L"C:\\", L""},            {L"\\\\srv\\share\\X", L"\\\\srv\\share\\"},
      {L"\\\\srv\\share", L""},  {L"A\\B", L""},             {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(ParentFolder(c.path), c.parent) << Narrow(c.path);
}

TEST(FolderPath, OnlyFullPathsOfWritableNamesCanBeMade) {
  for (const wchar_t* path : {L"C:\\Corvan", L"C:\\Corvan\\", L"C:\\Program Files\\Corvan 3", L"d:/date",
                              L"C:\\A\\\\B", L"\\\\srv\\share\\Corvan", L"C:\\"})
    EXPECT_TRUE(IsMakeableFolderPath(path)) << Narrow(path);
  for (const wchar_t* path : {L"", L"Corvan", L"C:Corvan", L"\\Corvan", L"C:\\Cor?van", L"C:\\A|B", L"C:\\Corvan.",
                              L"C:\\Corvan \\Date", L"C:\\..\\Corvan", L"C:\\CON", L"C:\\nul.txt\\x", L"C:\\A:B",
                              L"C:\\A\tB"})
    EXPECT_FALSE(IsMakeableFolderPath(path)) << Narrow(path);
}
