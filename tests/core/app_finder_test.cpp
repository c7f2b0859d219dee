// The installation finder's rules: the data folder from the alias, the root asked for its
// drive type, the profile's program folders, the folders searched and the status line.
#include "core/app_finder.h"

#include <gtest/gtest.h>

#include "core/text.h"

using namespace corvan;

namespace {
std::string Narrow(std::wstring_view text) { return ToUtf8(text); }
}  // namespace

TEST(AppFinder, DataFolderFromAlias) {
  const struct {
    const wchar_t* alias;
    const wchar_t* data;
  } cases[] = {
      {L"D:\\Corvan\\DATA\\", L"D:\\Corvan"},
      {L"D:\\Corvan\\data", L"D:\\Corvan"},
      {L"D:\\Corvan\\Data\\", L"D:\\Corvan"},
      {L"D:\\Corvan\\DATA2", L"D:\\Corvan\\DATA2"},
      {L"D:\\Corvan\\MYDATA", L"D:\\Corvan\\MYDATA"},  // "\DATA" is a whole name
      {L"D:\\Corvan\\", L"D:\\Corvan"},
      {L"D:\\Corvan\\DATA\\\\", L"D:\\Corvan\\DATA\\"},  // one backslash only
      {L"D:\\Corvan\\DATA\\DATA", L"D:\\Corvan\\DATA"},  // one DATA only
      {L"\\\\srv\\share\\Corvan\\DATA", L"\\\\srv\\share\\Corvan"},
      {L"\\\\srv\\share\\DATA\\", L"\\\\srv\\share"},
      {L"DATA", L"DATA"},
      {L"\\DATA", L""},
      {L"", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.alias));
    EXPECT_EQ(DataFolderFromAlias(c.alias), c.data);
  }
}

TEST(AppFinder, DriveTypeRoot) {
  const struct {
    const wchar_t* folder;
    const wchar_t* root;
  } cases[] = {
      {L"D:\\Corvan", L"D:\\"},
      {L"d:\\", L"d:\\"},
      {L"D:", L"D:\\"},  // the data folder of D:\DATA
      {L"\\\\srv\\share\\Corvan", L"\\\\srv\\share\\"},
      {L"\\\\srv\\share\\Corvan\\Date", L"\\\\srv\\share\\"},
      {L"\\\\srv\\share", L"\\\\srv\\share\\"},  // the data folder of \\srv\share\DATA
      {L"\\\\srv\\share\\", L"\\\\srv\\share\\"},
      {L"", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.folder));
    EXPECT_EQ(DriveTypeRoot(c.folder), c.root);
  }
  // The two roads meet: an alias on a share gives the share's root.
  EXPECT_EQ(DriveTypeRoot(DataFolderFromAlias(L"\\\\srv\\share\\DATA\\")), L"\\\\srv\\share\\");
}

TEST(AppFinder, ProfileValuesNameTheProgramFolder) {
  // AppPath: the file name is put straight after the value.
  EXPECT_EQ(AppPathProgramFile(L"C:\\Corvan\\"), L"C:\\Corvan\\Corvan.exe");
  EXPECT_EQ(AppPathProgramFile(L"C:\\Corvan"), L"C:\\CorvanCorvan.exe");

  const struct {
    const wchar_t* databasePath;
    const wchar_t* folder;
  } cases[] = {
      {L"D:\\Corvan\\DATA", L"D:\\Corvan\\"},
      {L"D:\\Corvan\\DATA\\FIRME.DB", L"D:\\Corvan\\DATA\\"},
      {L"D:\\Corvan\\DATA\\", L"D:\\Corvan\\DATA\\"},
      {L"D:\\Corvan", L"D:\\"},  // the root keeps its one backslash
      {L"D:\\", L"D:\\"},
      {L"\\\\srv\\share\\Corvan\\DATA", L"\\\\srv\\share\\Corvan\\"},
      {L"Corvan", L""},  // names no folder
      {L"", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.databasePath));
    EXPECT_EQ(DatabasePathProgramFolder(c.databasePath), c.folder);
  }
}

TEST(AppFinder, FoldersSearched) {
  const std::wstring windows = L"C:\\windows\\";
  const std::wstring hundred = L"C:\\" + std::wstring(96, L'a') + L"\\";
  ASSERT_EQ(hundred.size(), SearchedFolderLength);
  const struct {
    std::wstring folder;
    bool searched;
  } cases[] = {
      {L"C:\\", true},
      {L"C:\\Program Files\\", true},
      {hundred, true},
      {L"C:\\" + std::wstring(97, L'a') + L"\\", false},
      {L"C:\\windows\\", false},
      {L"C:\\WINDOWS\\", false},  // the name as the folder holds it
      {L"C:\\windows\\system32\\", true},  // never reached: its parent is not looked into
      {L"C:\\windows2\\", true},
      {L"D:\\windows\\", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.folder));
    EXPECT_EQ(IsSearchedFolder(c.folder, windows), c.searched);
  }
}

TEST(AppFinder, StatusLineShowsTheFoldersLast31Characters) {
  const std::wstring tail31 = L"\\abcdefghij\\klmnopqrst\\uvwxyz0\\";
  ASSERT_EQ(tail31.size(), SearchStatusTailLength);
  const struct {
    std::wstring folder;
    std::wstring shown;
  } cases[] = {
      {L"C:\\", L"Caut in ..C:\\"},
      {L"C:\\Program Files\\", L"Caut in ..C:\\Program Files\\"},
      {L"C" + tail31.substr(1), L"Caut in ..C" + tail31.substr(1)},  // exactly 31
      {L"C:" + tail31, L"Caut in .." + tail31},
      {L"C:\\users\\x" + tail31, L"Caut in .." + tail31},
      {L"", L"Caut in .."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.folder));
    EXPECT_EQ(SearchStatusText(c.folder), c.shown);
  }
}

TEST(AppFinder, ProgramFileSize) {
  EXPECT_FALSE(IsProgramFileSize(0));
  EXPECT_FALSE(IsProgramFileSize(6000000));
  EXPECT_TRUE(IsProgramFileSize(6000001));
  EXPECT_TRUE(IsProgramFileSize(0x100000000ull));  // past 4 GiB: the high part counts
}
