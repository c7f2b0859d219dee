// The destination folders page: its window by install type, the client note, the folders
// checked and made in their order (one folder, never its parents), the picker's folder,
// and the folders kept for the way back.
#include "install/CDirs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "core/text.h"
#include "install/Cseldir.h"
#include "toolkit/Dialogs.h"
#include "toolkit_globals.h"
#include "typed_keys.h"
#include "page_places.h"
#include "win32_test_support.h"

using namespace corvan;

namespace {

std::string Narrow(const std::wstring& text) { return ToUtf8(text); }

// Fresh settings, the message dialog answered and recorded, the picker answered.
class DirsPageTest : public testing::Test {
 protected:
  void SetUp() override {
    Settings() = {};
    Settings().ProposedProgramDir = root.Path() + L"Corvan";
    Settings().ProposedDataDir = root.Path() + L"Corvan";
    SetMsgDlgObserver([this](const MsgDlgRequest& r) {
      messages.push_back(r);
      return TModalResult::Cancel;
    });
  }
  void TearDown() override {
    SetMsgDlgObserver(nullptr);
    SetDirDialogShownHook(nullptr);
  }

  // The user presses "&Continua".
  TModalResult Continue(TDirs& page) {
    page.Show();
    AltLetter(page.Handle(), L'c');
    return page.ModalResult();
  }
  // The picker chooses `folder` (nothing: "&Renunt").
  void PickerAnswers(std::optional<std::wstring> folder) {
    SetDirDialogShownHook([folder](TDirDialog& dialog) {
      if (folder) dialog.FolderTree.ShowFolder(folder->substr(0, 3), *folder);
      PostMessageW(dialog.Handle(), WM_SYSCHAR, folder ? L'k' : L'r', 0x20000000);
    });
  }

  TempFolder root;
  std::vector<MsgDlgRequest> messages;
};

bool IsFolder(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TEST_F(DirsPageTest, WindowTable) {
  Settings().InstallType = itClient;
  TDirs page;
  page.Show();
  EXPECT_EQ(page.Name(), L"Dirs");
  EXPECT_EQ(page.ClientWidth(), 637);
  EXPECT_EQ(page.ClientHeight(), 114);
  EXPECT_EQ(page.Color(), Hex(0x98A5B1));
  EXPECT_FALSE(page.Font().Bold());
  EXPECT_TRUE(page.KeyPreview());
  wchar_t caption[64] = L"";
  GetWindowTextW(page.Handle(), caption, 64);
  EXPECT_STREQ(caption, L"Alegeti directoarele destinatie!");
  EXPECT_EQ(Settings().CurrentStep, wsFolders);

  ExpectPlaces({
      {&page.BBack, &page, {15, 52, 15 + 67, 52 + 51}},
      {&page.BNext, &page, {82, 52, 82 + 67, 52 + 51}},
      {&page.Panel1, &page, {168, 29, 168 + 305, 29 + 83}},
      {&page.LProgram, &page.Panel1, {12, 12, 0, 0}},
      {&page.LDate, &page.Panel1, {13, 35, 0, 0}},
      {&page.RProgram, &page.Panel1, {72, 8, 72 + 196, 8 + 21}},
      {&page.RDate, &page.Panel1, {72, 31, 72 + 196, 31 + 21}},
      {&page.BProgram, &page.Panel1, {271, 8, 271 + 29, 8 + 21}},
      {&page.BDate, &page.Panel1, {271, 31, 271 + 29, 31 + 21}},
      {&page.netmemo, &page.Panel1, {5, 53, 5 + 295, 53 + 29}},
      {&page.BCancel, &page, {504, 63, 504 + 109, 63 + 28}},
  });
  EXPECT_EQ(page.Panel1.BevelOuter(), bvNone);
  EXPECT_EQ(page.BBack.Caption(), L"&Inapoi");
  EXPECT_EQ(page.BBack.Kind(), mknPrev);
  EXPECT_EQ(page.BBack.ModalResult(), TModalResult::Back);
  EXPECT_EQ(page.BBack.Spacing(), 5);
  EXPECT_EQ(page.BNext.Caption(), L"&Continua");
  EXPECT_EQ(page.BNext.Kind(), mknNext);
  EXPECT_EQ(page.BNext.ModalResult(), TModalResult::Next);
  EXPECT_EQ(page.BCancel.Caption(), L"&Abandon");
  EXPECT_EQ(page.BCancel.ModalResult(), TModalResult::Cancel);
  EXPECT_TRUE(page.BCancel.Font().Bold());

  for (TActiveLabel* label : {&page.LProgram, &page.LDate}) EXPECT_TRUE(label->Font().Bold());
  EXPECT_EQ(page.LProgram.Caption(), L"&Program:");
  EXPECT_EQ(page.LDate.Caption(), L"&Date:");
  EXPECT_EQ(page.LProgram.FocusControl(), &page.RProgram);
  EXPECT_EQ(page.LDate.FocusControl(), &page.RDate);
  for (TActiveEdit* box : {&page.RProgram, &page.RDate}) {
    SCOPED_TRACE(Narrow(box->Name()));
    EXPECT_TRUE(box->FlatStyle());
    EXPECT_EQ(box->Color(), clGrid);
    EXPECT_EQ(box->Frame().borderColor, cl3);
    EXPECT_EQ(box->Frame().borderColorF, cl2);
    EXPECT_TRUE(box->Font().Bold());
    EXPECT_EQ(box->Font().Color(), clBlack);
  }
  for (TMButton* browse : {&page.BProgram, &page.BDate}) {
    EXPECT_EQ(browse->Caption(), L"Cauta...");
    EXPECT_FALSE(browse->CaptionVisible());
    EXPECT_NE(browse->Glyph(), nullptr) << "the folder picture";
  }

  // The client note: four lines, as written, blanks included; read-only, no border.
  const std::wstring note = page.netmemo.Text();
  EXPECT_EQ(note,
            L"Ati selectat o instalare de tip client. \r\n"
            L"Introduceti in campul \"Date\" calea pana la baza \r\n"
            L"de date server. Daca este necesar, folositi \"Map \r\n"
            L"network drive\" din File Manager / Explorer");
  EXPECT_EQ(page.netmemo.Color(), PageColor);
  const LONG style = GetWindowLongW(page.netmemo.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & WS_BORDER);
  EXPECT_FALSE(GetWindowLongW(page.netmemo.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(DirsPageTest, WhatIsAskedDependsOnTheInstallType) {
  Settings().ProposedDataDir = root.Path() + L"Date";
  const struct {
    TInstallType type;
    bool dataAsked, noteShown, continueEnabled;
    std::wstring data;
  } cases[] = {
      {itLocal, false, false, true, L""},
      {itServer, true, false, true, root.Path() + L"Date"},
      {itClient, true, true, false, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.type));
    Settings().InstallType = c.type;
    TDirs page;
    page.Show();
    EXPECT_EQ(page.RProgram.Text(), root.Path() + L"Corvan");
    EXPECT_TRUE(page.RProgram.Showing());
    for (TControl* data : {static_cast<TControl*>(&page.RDate), static_cast<TControl*>(&page.LDate),
                           static_cast<TControl*>(&page.BDate)})
      EXPECT_EQ(data->Showing(), c.dataAsked) << Narrow(data->Name());
    EXPECT_EQ(page.netmemo.Showing(), c.noteShown);
    EXPECT_EQ(page.BNext.Enabled(), c.continueEnabled);
    if (c.dataAsked) {
      EXPECT_EQ(page.RDate.Text(), c.data);
    }
  }
}

TEST_F(DirsPageTest, FoldersAreTakenAsTypedAndTheMissingOneIsMade) {
  const std::wstring existing = root.Path() + L"Date";
  ASSERT_TRUE(CreateDirectoryW(existing.c_str(), nullptr));
  const struct {
    const char* what;
    TInstallType type;
    std::wstring program, data;       // typed
    std::wstring programDir, dataDir;  // stored
  } cases[] = {
      {"local, the default folder", itLocal, root.Path() + L"Corvan", L"", root.Path() + L"Corvan",
       root.Path() + L"Corvan"},
      {"server, an existing data folder", itServer, root.Path() + L"Prog", existing, root.Path() + L"Prog", existing},
      {"server, a missing data folder", itServer, root.Path() + L"P2\\", root.Path() + L"Baza", root.Path() + L"P2\\",
       root.Path() + L"Baza"},
      {"client, the server's folder", itClient, root.Path() + L"P3", existing + L"\\", root.Path() + L"P3",
       existing + L"\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Settings().InstallType = c.type;
    TDirs page;
    page.Show();  // typed into the shown page: the data field's change enables Continue
    page.RProgram.SetText(c.program);
    if (c.type != itLocal) page.RDate.SetText(c.data);
    EXPECT_EQ(Continue(page), TModalResult::Next);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Settings().ProgramDir, c.programDir);
    EXPECT_EQ(Settings().DataDir, c.dataDir);
    EXPECT_EQ(Settings().ProposedProgramDir, c.programDir);
    EXPECT_EQ(Settings().ProposedDataDir, c.dataDir);
    EXPECT_TRUE(IsFolder(c.programDir));
    EXPECT_TRUE(IsFolder(c.dataDir));
  }
  // Coming back from the copy page shows what the last Continue stored.
  TDirs back;
  EXPECT_EQ(back.RProgram.Text(), root.Path() + L"P3");
}

TEST_F(DirsPageTest, AFolderThatCannotBeMadeKeepsThePageOpenWithNothingMade) {
  const struct {
    const char* what;
    TInstallType type;
    std::wstring program, data;
    std::wstring named;  // the message names it
  } cases[] = {
      {"data folder without its parent", itServer, root.Path() + L"Corvan", root.Path() + L"A\\B", root.Path() + L"A"},
      {"program folder without its parent", itLocal, root.Path() + L"X\\Corvan", L"", root.Path() + L"X"},
      {"a relative folder", itLocal, L"Corvan", L"", L"\"Corvan\""},
      {"a name Windows cannot write", itServer, root.Path() + L"Corvan", root.Path() + L"Da?e", L"Da?e"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    messages.clear();
    Settings().InstallType = c.type;
    TDirs page;
    page.RProgram.SetText(c.program);
    if (c.type != itLocal) page.RDate.SetText(c.data);
    EXPECT_EQ(Continue(page), TModalResult::None) << "the page stays open";
    EXPECT_EQ(page.RProgram.Text(), c.program) << "with the user's entries";
    if (c.type != itLocal) {
      EXPECT_EQ(page.RDate.Text(), c.data);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, L"Eroare!");
    EXPECT_EQ(messages[0].kind, mtError);
    EXPECT_EQ(messages[0].buttons, Buttons({mbCancel}));
    EXPECT_NE(messages[0].shownText.find(c.named), std::wstring::npos) << Narrow(messages[0].shownText);
    EXPECT_FALSE(PathExists(root.Path() + L"Corvan")) << "a refused Continue makes no folder";
    EXPECT_FALSE(PathExists(root.Path() + L"A"));
    EXPECT_FALSE(PathExists(root.Path() + L"X"));
  }
}

TEST_F(DirsPageTest, AClientNeedsTheServersDatabaseFolder) {
  Settings().InstallType = itClient;
  TDirs page;
  page.Show();
  EXPECT_FALSE(page.BNext.Enabled());
  AltLetter(page.Handle(), L'c');
  EXPECT_EQ(page.ModalResult(), TModalResult::None) << "disabled until the data field is edited";
  EXPECT_TRUE(messages.empty());

  // Typing in the data field enables Continue; an empty or missing folder is refused.
  PostMessageW(page.RDate.Handle(), WM_CHAR, L'x', 0);
  Drain();
  EXPECT_TRUE(page.BNext.Enabled());
  for (const std::wstring& data : {std::wstring(), root.Path() + L"Lipsa"}) {
    SCOPED_TRACE(Narrow(data));
    messages.clear();
    page.RDate.SetText(data);
    AltLetter(page.Handle(), L'c');
    EXPECT_EQ(page.ModalResult(), TModalResult::None);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].shownText, L"La instalarea client baza de date trebuie sa existe!");
    EXPECT_EQ(messages[0].caption, L"Eroare!");
    EXPECT_EQ(messages[0].kind, mtError);
    EXPECT_EQ(messages[0].alignment, taCenter);
    EXPECT_EQ(messages[0].buttons, Buttons({mbCancel}));
    EXPECT_EQ(messages[0].defaultButton, mbCancel);
    EXPECT_FALSE(PathExists(root.Path() + L"Lipsa")) << "nothing is made for a client";
  }
  EXPECT_FALSE(PathExists(root.Path() + L"Corvan")) << "nor the program folder, while the data folder is refused";
}

TEST_F(DirsPageTest, ThePickersFolderEndsInABackslashAndRenuntChangesNothing) {
  const std::wstring picked = root.Path() + L"Ales";
  ASSERT_TRUE(CreateDirectoryW(picked.c_str(), nullptr));
  const std::wstring withBackslash = picked + L"\\";
  Settings().ProposedDataDir = root.Path() + L"Date";

  // Local: the program folder is also the data folder.
  Settings().InstallType = itLocal;
  {
    TDirs page;
    page.Show();
    PickerAnswers(picked);
    SendMessageW(page.BProgram.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(SameNameNoCase(page.RProgram.Text(), withBackslash)) << Narrow(page.RProgram.Text());
    EXPECT_TRUE(SameNameNoCase(page.RDate.Text(), withBackslash));
    EXPECT_EQ(Continue(page), TModalResult::Next);
    EXPECT_TRUE(SameNameNoCase(Settings().ProgramDir, withBackslash));
  }
  // Server: each button fills its own field; a click on the label opens the picker too.
  Settings().InstallType = itServer;
  {
    TDirs page;
    page.Show();
    const std::wstring program = page.RProgram.Text();
    PickerAnswers(picked);
    SendMessageW(page.BDate.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(SameNameNoCase(page.RDate.Text(), withBackslash));
    EXPECT_EQ(page.RProgram.Text(), program);

    page.RProgram.SetText(root.Path() + L"Tastat");
    PickerAnswers(std::nullopt);
    SendMessageW(page.BProgram.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(page.RProgram.Text(), root.Path() + L"Tastat") << "&Renunt changes nothing";
    EXPECT_TRUE(SameNameNoCase(page.RDate.Text(), withBackslash));

    PickerAnswers(root.Path().substr(0, 3));
    page.LProgram.Click();
    EXPECT_EQ(page.RProgram.Text(), root.Path().substr(0, 3)) << "a drive's root keeps its one backslash";
    EXPECT_TRUE(page.RProgram.Focused()) << "the label then puts the focus into its box";
  }
  // Client: the picker filling the data field enables Continue.
  Settings().InstallType = itClient;
  {
    TDirs page;
    page.Show();
    ASSERT_FALSE(page.BNext.Enabled());
    PickerAnswers(picked);
    SendMessageW(page.BDate.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(page.BNext.Enabled());
    EXPECT_EQ(Continue(page), TModalResult::Next);
    EXPECT_TRUE(SameNameNoCase(Settings().DataDir, withBackslash));
  }
}

TEST_F(DirsPageTest, BackAndAbandonCloseTheirWayAndStoreNothing) {
  Settings().InstallType = itServer;
  for (const auto& [letter, result] : {std::pair{L'i', TModalResult::Back}, std::pair{L'a', TModalResult::Cancel}}) {
    TDirs page;
    page.RProgram.SetText(root.Path() + L"Altul");
    PostMessageW(page.Handle(), WM_SYSCHAR, letter, 0x20000000);
    EXPECT_EQ(page.ShowModal(), result);
    EXPECT_EQ(Settings().ProposedProgramDir, root.Path() + L"Corvan");
    EXPECT_EQ(Settings().ProgramDir, L"C:\\Corvan");
    EXPECT_FALSE(PathExists(root.Path() + L"Altul"));
  }
}
