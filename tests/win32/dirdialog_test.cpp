// The folder picker: its window, the computer's drives in its list, the folder tree
// opened at the current folder or a given one, the keyboard, and what O&K and &Renunt give.
#include "install/Cseldir.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "core/folder_path.h"
#include "core/text.h"
#include "toolkit_globals.h"
#include "typed_keys.h"
#include "win32_test_support.h"

using namespace corvan;

namespace {

std::string Narrow(const std::wstring& text) { return ToUtf8(text); }

void Key(HWND window, WORD key) {
  PostMessageW(window, WM_KEYDOWN, key, 0);
  PostMessageW(window, WM_KEYUP, key, 0xC0000000);
}

// A folder with sub-folders: A (with B and c), a2, and a hidden one.
struct Folders {
  Folders() {
    for (const wchar_t* sub : {L"A", L"A\\B", L"A\\c", L"A\\B\\Deep", L"a2", L"Ascuns"})
      CreateDirectoryW((root.Path() + sub).c_str(), nullptr);
    SetFileAttributesW((root.Path() + L"Ascuns").c_str(), FILE_ATTRIBUTE_HIDDEN);
  }
  std::wstring Path(const wchar_t* sub = L"") const { return root.Path() + sub; }
  TempFolder root;
};

// Runs the picker with the user's keys; the keys go to the tree once it is shown.
std::optional<std::wstring> PickWith(const std::wstring& start, std::initializer_list<WORD> keys) {
  SetDirDialogShownHook([keys](TDirDialog& dialog) {
    for (WORD key : keys) Key(dialog.FolderTree.Handle(), key);
  });
  auto chosen = PickFolder(start);
  SetDirDialogShownHook(nullptr);
  return chosen;
}

}  // namespace

TEST(FolderPicker, WindowTable) {
  TDirDialog dialog;
  dialog.Show();
  EXPECT_EQ(dialog.ClientWidth(), 600);
  EXPECT_EQ(dialog.ClientHeight(), 340);
  EXPECT_EQ(dialog.Color(), Hex(0x98A5B1));
  wchar_t caption[64] = L"";
  GetWindowTextW(dialog.Handle(), caption, 64);
  EXPECT_STREQ(caption, L"Alegeti calea!");
  EXPECT_EQ(dialog.TitleBar1.Caption(), L"Alegeti calea!");
  EXPECT_EQ(dialog.TitleBar1.Height(), 25);
  EXPECT_EQ(dialog.TitleBar1.StartColor(), Hex(0x5C6978));
  EXPECT_EQ(dialog.TitleBar1.EndColor(), Hex(0x5C6978));

  const struct {
    TControl* control;
    int left, top, width, height;  // 0: not fixed
  } places[] = {
      {&dialog.LDisc, 9, 36, 0, 0},
      {&dialog.LCale, 9, 63, 0, 0},
      {&dialog.DriveList, 50, 35, 215, 0},
      {&dialog.FolderTree, 50, 63, 499, 235},
      {&dialog.BOK, 293, 305, 120, 26},
      {&dialog.BCancel, 429, 305, 120, 26},
  };
  for (const auto& p : places) {
    SCOPED_TRACE(Narrow(p.control->Name()));
    EXPECT_EQ(p.control->Left(), p.left);
    EXPECT_EQ(p.control->Top(), p.top);
    if (p.width) {
      EXPECT_EQ(p.control->Width(), p.width);
    }
    if (p.height) {
      EXPECT_EQ(p.control->Height(), p.height);
    }
  }
  EXPECT_EQ(dialog.LDisc.Caption(), L"&Disc:");
  EXPECT_EQ(dialog.LCale.Caption(), L"&Cale:");
  EXPECT_TRUE(dialog.LDisc.Font().Bold());
  for (TControl* list : {static_cast<TControl*>(&dialog.DriveList), static_cast<TControl*>(&dialog.FolderTree)}) {
    EXPECT_EQ(list->Color(), clEdit);
    EXPECT_EQ(list->Font().Name(), L"MS Sans Serif");
    EXPECT_EQ(list->Font().Height(), -11);
    EXPECT_TRUE(list->Font().Bold());
  }
  EXPECT_EQ(TreeView_GetBkColor(dialog.FolderTree.Handle()), static_cast<COLORREF>(Hex(0xEFEFEF)));
  EXPECT_EQ(dialog.BOK.Caption(), L"O&K");
  EXPECT_EQ(dialog.BOK.Kind(), mkOK);
  EXPECT_EQ(dialog.BOK.ModalResult(), TModalResult::Ok);
  EXPECT_EQ(dialog.BCancel.Caption(), L"&Renunt");
  EXPECT_EQ(dialog.BCancel.Kind(), mkCancel);
  EXPECT_EQ(dialog.BCancel.ModalResult(), TModalResult::Cancel);

  // Centred on the screen.
  RECT r;
  GetWindowRect(dialog.Handle(), &r);
  EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) / 2 - (r.right - r.left) / 2);
  EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) / 2 - (r.bottom - r.top) / 2);
}

TEST(FolderPicker, TheDriveListHoldsEveryDriveWithItsIconAndLetter) {
  TDirDialog dialog;
  dialog.Show();
  const DWORD mask = GetLogicalDrives();
  std::wstring expected, listed;
  for (int i = 0; i < 26; ++i)
    if (mask & (1u << i)) expected += static_cast<wchar_t>(L'A' + i);
  for (const TDriveEntry& drive : dialog.DriveList.Drives()) {
    SCOPED_TRACE(Narrow(drive.name));
    listed += drive.root[0];
    EXPECT_EQ(drive.root.substr(1), L":\\");
    EXPECT_EQ(drive.type, GetDriveTypeW(drive.root.c_str()));
    EXPECT_NE(UpperAscii(drive.name).find(drive.root.substr(0, 2)), std::wstring::npos) << "the name shows the letter";
    EXPECT_NE(drive.icon.get(), nullptr) << "the kind's icon";
  }
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(SendMessageW(dialog.DriveList.Handle(), CB_GETCOUNT, 0, 0), static_cast<LRESULT>(expected.size()));
}

TEST(FolderPicker, OpensAtTheCurrentFolderOrTheOneGivenAsFarAsItExists) {
  Folders folders;
  wchar_t before[MAX_PATH] = L"";
  GetCurrentDirectoryW(MAX_PATH, before);
  ASSERT_TRUE(SetCurrentDirectoryW(folders.Path(L"A\\B").c_str()));
  {
    TDirDialog dialog;
    dialog.Show();
    EXPECT_TRUE(SameNameNoCase(dialog.FolderTree.SelectedFolder(), folders.Path(L"A\\B")))
        << Narrow(dialog.FolderTree.SelectedFolder());
    EXPECT_TRUE(SameNameNoCase(dialog.DriveList.Drive(), folders.Path().substr(0, 3)));
    EXPECT_TRUE(SameNameNoCase(dialog.Directory(), folders.Path(L"A\\B\\")));
  }
  SetCurrentDirectoryW(before);

  const struct {
    std::wstring start, selected;
  } cases[] = {
      {folders.Path(L"A\\c"), folders.Path(L"A\\c")},
      {folders.Path(L"a\\B\\deep\\"), folders.Path(L"A\\B\\Deep")},  // letter case as on the disk
      {folders.Path(L"A\\Lipsa\\X"), folders.Path(L"A")},              // as far as it exists
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.start));
    TDirDialog dialog(c.start);
    dialog.Show();
    const std::wstring selected = dialog.FolderTree.SelectedFolder();
    EXPECT_TRUE(SameNameNoCase(selected, c.selected)) << Narrow(selected);
    EXPECT_EQ(FolderNames(selected).back(), FolderNames(c.selected).back()) << "the names as the disk has them";
  }
}

TEST(FolderPicker, SubfoldersAreSortedWithoutCaseAndHiddenOnesAreLeftOut) {
  Folders folders;
  EXPECT_EQ(ListSubfolders(folders.Path()), (std::vector<std::wstring>{L"A", L"a2"}));
  EXPECT_EQ(ListSubfolders(folders.Path(L"A")), (std::vector<std::wstring>{L"B", L"c"}));
  EXPECT_TRUE(ListSubfolders(folders.Path(L"A\\c")).empty());
  EXPECT_TRUE(ListSubfolders(folders.Path(L"Lipsa")).empty());
}

TEST(FolderPicker, KeysMoveThroughTheTreeOkGivesTheFolderWithItsBackslashRenuntNothing) {
  Folders folders;
  // On A: Right opens it, Right goes to its first folder (B), Down to the next (c).
  auto chosen = PickWith(folders.Path(L"A"), {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_TRUE(SameNameNoCase(*chosen, folders.Path(L"A\\c\\"))) << Narrow(*chosen);
  EXPECT_EQ(chosen->back(), L'\\');

  // Left goes up to the parent; the root of the drive is given as "X:\".
  chosen = PickWith(folders.Path(L"A\\B"), {VK_LEFT, VK_RETURN});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_TRUE(SameNameNoCase(*chosen, folders.Path(L"A\\")));
  chosen = PickWith(folders.Path(L"A"), {VK_HOME, VK_RETURN});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, folders.Path().substr(0, 3));

  EXPECT_FALSE(PickWith(folders.Path(L"A"), {VK_DOWN, VK_ESCAPE}).has_value()) << "Esc is &Renunt";
}

TEST(FolderPicker, ButtonsByTheirKeysAndTheLabelsFocusTheirLists) {
  Folders folders;
  {
    TDirDialog dialog(folders.Path(L"A\\B"));
    dialog.Show();
    AltLetter(dialog.Handle(), L'd');
    EXPECT_TRUE(dialog.DriveList.Focused());
    AltLetter(dialog.Handle(), L'c');
    EXPECT_TRUE(dialog.FolderTree.Focused());
  }

  SetDirDialogShownHook([](TDirDialog& shown) { PostMessageW(shown.Handle(), WM_SYSCHAR, L'k', 0x20000000); });
  EXPECT_TRUE(SameNameNoCase(PickFolder(folders.Path(L"A\\B")).value_or(L""), folders.Path(L"A\\B\\")));
  SetDirDialogShownHook([](TDirDialog& shown) { PostMessageW(shown.Handle(), WM_SYSCHAR, L'r', 0x20000000); });
  EXPECT_FALSE(PickFolder(folders.Path(L"A\\B")).has_value());
  SetDirDialogShownHook(nullptr);
}

TEST(FolderPicker, ChoosingAnotherDriveMovesTheTreeToItsRoot) {
  TDirDialog dialog;
  dialog.Show();
  const auto& drives = dialog.DriveList.Drives();
  ASSERT_GE(drives.size(), 2u) << "the test prefix has C: and Z:";
  dialog.DriveList.SetDrive(drives.front().root);
  dialog.FolderTree.ShowFolder(drives.front().root);
  // Down on the closed list chooses the next drive, as a user would.
  dialog.DriveList.SetFocus();
  SendMessageW(dialog.DriveList.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Drain();
  EXPECT_EQ(dialog.DriveList.Drive(), drives[1].root);
  EXPECT_EQ(dialog.FolderTree.Root(), drives[1].root);
  EXPECT_EQ(dialog.FolderTree.SelectedFolder(), drives[1].root);
}
