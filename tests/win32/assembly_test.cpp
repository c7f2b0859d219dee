// Joining the component archives from the media: real files, the real drive type of the
// media folder, the disk prompt answered through the message dialog's observer.
// The floppy cases need A: to be a removable drive of this prefix; the end-to-end script
// floppy_assembly.sh prepares one and runs them.
#include "install/Assembly.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "copy_page_fake.h"
#include "core/disk_sets.h"
#include "core/install_settings.h"
#include "toolkit/Dialogs.h"
#include "win32_test_support.h"

using namespace corvan;

namespace {

using Files = std::map<std::wstring, std::string>;

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// Bytes that differ from part to part and position to position.
std::string Pattern(std::size_t size, unsigned seed) {
  std::string s(size, '\0');
  std::uint32_t x = seed * 2654435761u + 1;
  for (auto& c : s) {
    x = x * 1103515245u + 12345u;
    c = static_cast<char>(x >> 24);
  }
  return s;
}

void WriteFiles(const std::wstring& folder, const Files& files) {
  for (const auto& [name, bytes] : files) ASSERT_TRUE(WriteBytes(folder + name, bytes)) << Narrow(name);
}

// Answers the disk prompt: `answer(n, call)` for the disk asked, recording each request.
struct PromptRecorder {
  std::vector<MsgDlgRequest> requests;
  std::function<TModalResult(int disk, int call)> answer;
  PromptRecorder() {
    SetMsgDlgObserver([this](const MsgDlgRequest& r) {
      requests.push_back(r);
      const auto nl = r.shownText.rfind(L'\r');
      return answer(std::stoi(r.shownText.substr(nl + 1)), static_cast<int>(requests.size()));
    });
  }
  ~PromptRecorder() { SetMsgDlgObserver(nullptr); }
};

class AssemblyTest : public testing::Test {
 protected:
  void SetUp() override {
    Settings() = {};
    MessagePrefix.clear();
    Settings().SourceDir = media.Path();
    Settings().ProposedProgramDir = work.Path().substr(0, work.Path().size() - 1);
    Settings().ProgramDir = Settings().ProposedProgramDir;
    Settings().InstallType = itLocal;
  }
  // One case of a table: its own disk and work folder, with the files it starts from.
  static void UseFolders(const TempFolder& media, const TempFolder& work, const Files& onMedia, const Files& inWork) {
    Settings().SourceDir = media.Path();
    Settings().ProposedProgramDir = work.Path();
    Settings().DiskCount = 1;
    WriteFiles(media.Path(), onMedia);
    WriteFiles(work.Path(), inWork);
  }
  std::string Archive(const std::wstring& name) { return ReadBytes(work.Path() + name); }
  bool ArchiveExists(const std::wstring& name) { return PathExists(work.Path() + name); }

  TempFolder media, work;
  RecordingCopyPage page;
};

}  // namespace

TEST_F(AssemblyTest, MediaOnAFixedDiskIsOneDiskHoldingEveryPart) {
  Settings().DiskCount = 6;  // as read from the configuration
  const Files files = {{L"DISK1", ""},          {L"EXE.1", Pattern(5'000'001, 1)}, {L"EXE.2", Pattern(2'500'000, 2)},
                       {L"OUTPOST.1", "out"},   {L"INSTALL.EXE", "MZ"},            {L"UPGRADE.1", "PK"},
                       {L"INSTALL.CFG", "[General]\r\nNrDiscuri=6\r\n"}};
  WriteFiles(media.Path(), files);
  PromptRecorder prompts;
  prompts.answer = [](int, int) { return TModalResult::Cancel; };

  ASSERT_EQ(AssembleArchives(page, InstallSets[itLocal]).outcome, AssemblyOutcome::Joined);
  EXPECT_EQ(Settings().DiskCount, 1);
  EXPECT_TRUE(prompts.requests.empty());
  EXPECT_EQ(Settings().SourceDir, media.Path().substr(0, media.Path().size() - 1)) << "trailing backslash dropped";
  // Parts larger than the 2,500,000-byte buffer, and one of exactly its size, join whole.
  EXPECT_EQ(Archive(L"EXE.ZIP"), files.at(L"EXE.1") + files.at(L"EXE.2"));
  EXPECT_EQ(Archive(L"OUTPOST.ZIP"), "out");
  EXPECT_FALSE(ArchiveExists(L"UPGRADE.ZIP"));
  EXPECT_EQ(PartsJoined, 3);
  EXPECT_EQ(page.statusTexts, (std::vector<std::wstring>{L"Asamblare arhive...", L"EXE.1", L"EXE.2", L"OUTPOST.1"}));
  EXPECT_EQ(page.copy.Max(), 1u);
  EXPECT_EQ(page.copyPositions, (std::vector<std::uint32_t>{0, 1, 1}));
}

TEST_F(AssemblyTest, PartsJoinInOrderIntoTheRightArchives) {
  struct Case {
    const char* what;
    TInstallType type;
    Files media;
    Files before;  // archives already in the work folder
    Files expected;
    std::vector<std::wstring> absent;
  };
  Files twelve = {{L"DISK1", ""}};
  std::string joined;
  for (int k = 12; k >= 1; --k) twelve[L"EXE." + std::to_wstring(k)] = std::to_string(k) + ";";
  for (int k = 1; k <= 12; ++k) joined += std::to_string(k) + ";";
  const Case cases[] = {
      {"parts 1 to 12 join in numeric order", itLocal, twelve, {}, {{L"EXE.ZIP", joined}}, {}},
      {"bases match without regard to case", itLocal, {{L"DISK1", ""}, {L"exe.1", "a"}, {L"Exe.2", "b"}}, {},
       {{L"EXE.ZIP", "ab"}}, {}},
      {"part 1 replaces a stale archive", itLocal, {{L"DISK1", ""}, {L"EXE.1", "new"}}, {{L"EXE.ZIP", "stale data"}},
       {{L"EXE.ZIP", "new"}}, {}},
      {"a client takes no database parts and nobody the upgrade package", itClient,
       {{L"DISK1", ""}, {L"DBDAT.1", "d"}, {L"DBNEW.1", "n"}, {L"UPGRADE.1", "u"}, {L"BDE32.1", "b"}}, {},
       {{L"BDE32.ZIP", "b"}}, {L"DBDAT.ZIP", L"DBNEW.ZIP", L"UPGRADE.ZIP"}},
      {"a local installation takes the database parts", itLocal,
       {{L"DISK1", ""}, {L"DBDAT.1", "d"}, {L"DBNEW.1", "n"}, {L"UPGRADE.1", "u"}}, {},
       {{L"DBDAT.ZIP", "d"}, {L"DBNEW.ZIP", "n"}}, {L"UPGRADE.ZIP"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder media, work;
    UseFolders(media, work, c.media, c.before);
    RecordingCopyPage page;
    ASSERT_EQ(AssembleArchives(page, InstallSets[c.type]).outcome, AssemblyOutcome::Joined);
    for (const auto& [name, bytes] : c.expected) EXPECT_EQ(ReadBytes(work.Path() + name), bytes) << Narrow(name);
    for (const auto& name : c.absent) EXPECT_FALSE(PathExists(work.Path() + name)) << Narrow(name);
  }
}

TEST_F(AssemblyTest, TheDiskPromptRepeatsUntilTheMarkerAppears) {
  WriteFiles(media.Path(), {{L"EXE.1", "e"}});
  PromptRecorder prompts;
  prompts.answer = [&](int disk, int call) {
    EXPECT_EQ(disk, 1);
    if (call == 3) WriteBytes(media.Path() + L"DISK1", "");  // the right disk goes in
    return TModalResult::Ok;
  };
  ASSERT_EQ(AssembleArchives(page, InstallSets[itLocal]).outcome, AssemblyOutcome::Joined);
  ASSERT_EQ(prompts.requests.size(), 3u);
  const auto& r = prompts.requests[0];
  EXPECT_EQ(r.shownText, L"PENTRU CONTINUARE,\r\rintrodu discul de instalare cu numarul \r1");
  EXPECT_EQ(r.caption, L"");
  EXPECT_EQ(r.kind, mtWarning);
  EXPECT_EQ(r.alignment, taCenter);
  EXPECT_EQ(r.buttons, Buttons({mbOK, mbCancel}));
  EXPECT_EQ(r.defaultButton, mbOK);
  EXPECT_EQ(MessagePrefix, L"Pentru continuare");  // stays for the rest of the run
  EXPECT_EQ(Archive(L"EXE.ZIP"), "e");
}

TEST_F(AssemblyTest, GivingUpAtTheDiskPromptCancelsThePage) {
  struct Case {
    const char* what;
    TModalResult answer;
  };
  for (auto [what, answer] :
       {Case{"Cancel", TModalResult::Cancel}, Case{"a dialog that cannot be shown", TModalResult::None}}) {
    SCOPED_TRACE(what);
    TempFolder media, work;
    Settings().SourceDir = media.Path();
    Settings().ProposedProgramDir = work.Path();
    WriteFiles(media.Path(), {{L"EXE.1", "e"}});
    PromptRecorder prompts;
    prompts.answer = [&](int, int) { return answer; };
    RecordingCopyPage page;
    EXPECT_EQ(AssembleArchives(page, InstallSets[itLocal]).outcome, AssemblyOutcome::Cancelled);
    EXPECT_EQ(page.modalResult, TModalResult::Cancel);
    EXPECT_EQ(prompts.requests.size(), 1u);
    EXPECT_FALSE(PathExists(work.Path() + L"EXE.ZIP"));
  }
}

TEST_F(AssemblyTest, EachFailureOfTheJoinIsShownWithItsOwnMessage) {
  struct Case {
    const char* what;
    Files media;
    Files before;                    // in the work folder
    std::function<void(const std::wstring& media, const std::wstring& work)> spoil;
    std::function<std::wstring(const std::wstring& work)> message;
    Files after;                     // what the work folder then holds (of these names)
    std::vector<std::wstring> absent;
  };
  const std::string p1 = Pattern(3'000'000, 1), p2 = Pattern(700'000, 2);
  const Files media = {{L"DISK1", ""}, {L"BDE32.1", "engine"}, {L"EXE.1", p1}, {L"EXE.2", p2}};
  HANDLE held = INVALID_HANDLE_VALUE;
  const Case cases[] = {
      {"a part held by another program", media, {},
       [&](const std::wstring& m, const std::wstring&) {
         held = CreateFileW((m + L"EXE.2").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         ASSERT_NE(held, INVALID_HANDLE_VALUE);
       },
       [](const std::wstring&) { return PartReadFailureText(L"EXE.2", 1); }, {{L"BDE32.ZIP", "engine"}},
       {L"EXE.ZIP"}},
      {"a part that is a folder", {{L"DISK1", ""}, {L"BDE32.1", "engine"}, {L"EXE.1", p1}}, {},
       [](const std::wstring& m, const std::wstring&) { ASSERT_TRUE(CreateDirectoryW((m + L"EXE.2").c_str(), nullptr)); },
       [](const std::wstring&) { return PartReadFailureText(L"EXE.2", 1); }, {{L"BDE32.ZIP", "engine"}},
       {L"EXE.ZIP"}},
      {"an archive that cannot be made", media, {},
       [](const std::wstring&, const std::wstring& w) { ASSERT_TRUE(CreateDirectoryW((w + L"EXE.ZIP").c_str(), nullptr)); },
       [](const std::wstring& w) { return ArchiveWriteFailureText(w + L"EXE.ZIP", false); }, {{L"BDE32.ZIP", "engine"}},
       {}},
      {"a work folder that is not there", media, {},
       [](const std::wstring&, const std::wstring& w) { Settings().ProposedProgramDir = w + L"missing"; },
       [](const std::wstring& w) { return ArchiveWriteFailureText(w + L"missing\\BDE32.ZIP", false); }, {}, {}},
      {"a stale archive is never appended to", {{L"DISK1", ""}, {L"EXE.2", p2}}, {{L"EXE.ZIP", "stale data"}}, {},
       [](const std::wstring&) { return MissingFirstPartText(L"EXE.2", 1); }, {{L"EXE.ZIP", "stale data"}}, {}},
      {"part 01 never creates an archive", {{L"DISK1", ""}, {L"HELP.01", "x"}}, {}, {},
       [](const std::wstring&) { return MissingFirstPartText(L"HELP.01", 1); }, {}, {L"HELP.ZIP"}},
      {"part 01 never appends to an existing one", {{L"DISK1", ""}, {L"HELP.01", "x"}}, {{L"HELP.ZIP", "abc"}}, {},
       [](const std::wstring&) { return MissingFirstPartText(L"HELP.01", 1); }, {{L"HELP.ZIP", "abc"}}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder media, work;
    UseFolders(media, work, c.media, c.before);
    MessagePrefix.clear();
    if (c.spoil) c.spoil(media.Path(), work.Path());
    std::vector<MsgDlgRequest> shown;
    SetMsgDlgObserver([&](const MsgDlgRequest& r) {
      shown.push_back(r);
      return TModalResult::Ok;
    });
    RecordingCopyPage page;
    const AssemblyResult result = AssembleArchives(page, InstallSets[itLocal]);
    SetMsgDlgObserver(nullptr);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held), held = INVALID_HANDLE_VALUE;

    EXPECT_EQ(result.outcome, AssemblyOutcome::Failed);
    EXPECT_EQ(result.message, c.message(work.Path()));
    ASSERT_EQ(shown.size(), 1u) << "one message, and no disk prompt";
    EXPECT_EQ(shown[0].shownText, L"PENTRU CONTINUARE,\r\r" + result.message);
    EXPECT_EQ(shown[0].kind, mtError);
    EXPECT_EQ(shown[0].buttons, Buttons({mbOK}));
    EXPECT_EQ(page.modalResult, TModalResult::Next) << "not Cancel: the page stays open";
    for (const auto& [name, bytes] : c.after) EXPECT_EQ(ReadBytes(work.Path() + name), bytes) << Narrow(name);
    for (const auto& name : c.absent) EXPECT_FALSE(PathExists(work.Path() + name)) << Narrow(name);
  }
}

TEST_F(AssemblyTest, AFailedJoinSucceedsWhenRunAgainOnceTheDiskIsFixed) {
  const std::string p1 = Pattern(2'600'000, 1), p2 = Pattern(1'000'000, 2);
  WriteFiles(media.Path(), {{L"DISK1", ""}, {L"BDE32.1", "engine"}, {L"EXE.1", p1}, {L"EXE.2", ""}});
  // EXE.2 cannot be read: another program holds it.
  HANDLE held = CreateFileW((media.Path() + L"EXE.2").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::vector<std::wstring> shown;
  SetMsgDlgObserver([&](const MsgDlgRequest& r) {
    shown.push_back(r.shownText);
    return TModalResult::Ok;
  });
  const AssemblyResult failed = AssembleArchives(page, InstallSets[itLocal]);
  EXPECT_EQ(failed.outcome, AssemblyOutcome::Failed);
  EXPECT_EQ(failed.message, PartReadFailureText(L"EXE.2", 1));
  EXPECT_FALSE(ArchiveExists(L"EXE.ZIP")) << "the incomplete archive is gone";
  EXPECT_EQ(Archive(L"BDE32.ZIP"), "engine");

  // The user fixes the disk (the program lets the part go, and it is whole) and presses
  // Continue again: the join runs from the start and every archive comes out whole.
  DWORD put = 0;
  ASSERT_TRUE(WriteFile(held, p2.data(), static_cast<DWORD>(p2.size()), &put, nullptr));
  CloseHandle(held);
  RecordingCopyPage again;
  const AssemblyResult joined = AssembleArchives(again, InstallSets[itLocal]);
  SetMsgDlgObserver(nullptr);
  EXPECT_EQ(joined.outcome, AssemblyOutcome::Joined);
  EXPECT_TRUE(joined.message.empty());
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_TRUE(Archive(L"EXE.ZIP") == p1 + p2);
  EXPECT_EQ(Archive(L"BDE32.ZIP"), "engine");
  EXPECT_EQ(PartsJoined, 3);
}

// ---- Floppy sets: A: must be a removable drive (see floppy_assembly.sh).

class FloppyAssemblyTest : public AssemblyTest {
 protected:
  void SetUp() override {
    if (GetDriveTypeW(L"A:\\") != DRIVE_REMOVABLE)
      GTEST_SKIP() << "A: is not a removable drive here; tests/e2e/floppy_assembly.sh runs these cases";
    AssemblyTest::SetUp();
    Settings().SourceDir = L"A:\\";
    ClearDrive();
  }
  void TearDown() override { ClearDrive(); }
  void ClearDrive() {
    WIN32_FIND_DATAW d;
    HANDLE f = FindFirstFileW(L"A:\\*", &d);
    if (f == INVALID_HANDLE_VALUE) return;
    do {
      if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((std::wstring(L"A:\\") + d.cFileName).c_str());
    } while (FindNextFileW(f, &d));
    FindClose(f);
  }
  // The observer "inserts" the disk asked for: the drive then holds that disk's files.
  void InsertOnPrompt(PromptRecorder& prompts, const std::vector<Files>& disks) {
    prompts.answer = [this, disks](int disk, int) {
      ClearDrive();
      WriteFiles(L"A:\\", disks.at(disk - 1));
      return TModalResult::Ok;
    };
  }
};

TEST_F(FloppyAssemblyTest, AIsRemovableAndEveryDiskIsAskedFor) {
  EXPECT_EQ(GetDriveTypeW(L"A:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
  const std::string p1 = Pattern(1'400'000, 1), p2 = Pattern(40'000, 2), p3 = Pattern(900'000, 3);
  Settings().DiskCount = 2;
  PromptRecorder prompts;
  InsertOnPrompt(prompts, {{{L"DISK1", ""}, {L"EXE.1", p1}, {L"EXE.2", p2}}, {{L"DISK2", ""}, {L"EXE.3", p3}}});
  ASSERT_EQ(AssembleArchives(page, InstallSets[itLocal]).outcome, AssemblyOutcome::Joined);
  EXPECT_EQ(Settings().DiskCount, 2);
  EXPECT_EQ(prompts.requests.size(), 2u);
  EXPECT_EQ(Settings().SourceDir, L"A:");
  EXPECT_EQ(Archive(L"EXE.ZIP"), p1 + p2 + p3);
}

TEST_F(FloppyAssemblyTest, TheCopyGaugeFollowsDisksThenParts) {
  Settings().DiskCount = 3;
  PromptRecorder prompts;
  InsertOnPrompt(prompts, {{{L"DISK1", ""}, {L"EXE.1", "a"}, {L"EXE.2", "b"}},
                           {{L"DISK2", ""}, {L"EXE.3", "c"}, {L"HELP.1", "h"}},
                           {{L"DISK3", ""}, {L"HELP.2", "i"}, {L"PAYDESK.1", "p"}}});
  ASSERT_EQ(AssembleArchives(page, InstallSets[itLocal]).outcome, AssemblyOutcome::Joined);
  EXPECT_EQ(page.copy.Max(), 3u);
  // 0 at the start; each disk: its number, then the parts joined so far (capped at 3).
  EXPECT_EQ(page.copyPositions, (std::vector<std::uint32_t>{0, 1, 2, 2, 3, 3, 3}));
  EXPECT_EQ(Archive(L"EXE.ZIP"), "abc");
  EXPECT_EQ(Archive(L"HELP.ZIP"), "hi");
  EXPECT_EQ(PartsJoined, 6);
}

TEST_F(FloppyAssemblyTest, TheWrongDiskIsRefusedUntilTheRightOneOrCancel) {
  Settings().DiskCount = 2;
  PromptRecorder prompts;
  std::vector<int> asked;
  prompts.answer = [&](int disk, int call) {
    asked.push_back(disk);
    ClearDrive();
    // Disk 2 goes in while disk 1 is asked for, twice; then disk 1; then Cancel at disk 2.
    if (call <= 2) WriteFiles(L"A:\\", {{L"DISK2", ""}, {L"EXE.2", "2"}});
    else if (call == 3) WriteFiles(L"A:\\", {{L"DISK1", ""}, {L"EXE.1", "1"}});
    else return TModalResult::Cancel;
    return TModalResult::Ok;
  };
  EXPECT_EQ(AssembleArchives(page, InstallSets[itLocal]).outcome, AssemblyOutcome::Cancelled);
  EXPECT_EQ(asked, (std::vector<int>{1, 1, 1, 2}));
  EXPECT_EQ(page.modalResult, TModalResult::Cancel);
  EXPECT_EQ(Archive(L"EXE.ZIP"), "1") << "what disk 1 brought stays";
}

// ---- A destination that fills up: CORVAN_FULL_DRIVE names a small drive of its own
// (tests/e2e/full_destination.sh maps a 2 MiB tmpfs as F:).

TEST_F(AssemblyTest, AFullProgramFolderIsToldAsSuchAndTheJoinSucceedsOnceThereIsRoom) {
  const std::wstring drive = SmallDrive();
  if (drive.empty()) GTEST_SKIP() << "no small drive here; tests/e2e/full_destination.sh runs this case";
  const std::wstring folder = drive + L"Corvan", ballast = drive + L"ballast.bin";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  Settings().ProposedProgramDir = folder;
  const std::string p1 = Pattern(300'000, 1), p2 = Pattern(300'000, 2);
  WriteFiles(media.Path(), {{L"DISK1", ""}, {L"BDE32.1", "engine"}, {L"EXE.1", p1}, {L"EXE.2", p2}});
  ASSERT_TRUE(FillDriveLeaving(drive, 400'000, ballast));
  std::vector<MsgDlgRequest> shown;
  SetMsgDlgObserver([&](const MsgDlgRequest& r) {
    shown.push_back(r);
    return TModalResult::Ok;
  });
  const AssemblyResult full = AssembleArchives(page, InstallSets[itLocal]);
  EXPECT_EQ(full.outcome, AssemblyOutcome::Failed);
  EXPECT_EQ(full.message, ArchiveWriteFailureText(folder + L"\\EXE.ZIP", true));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].kind, mtError);
  EXPECT_FALSE(PathExists(folder + L"\\EXE.ZIP")) << "the incomplete archive gives its room back";
  EXPECT_EQ(ReadBytes(folder + L"\\BDE32.ZIP"), "engine");

  // The user makes room and presses Continue again.
  ASSERT_TRUE(DeleteFileW(ballast.c_str()));
  RecordingCopyPage again;
  const AssemblyResult joined = AssembleArchives(again, InstallSets[itLocal]);
  SetMsgDlgObserver(nullptr);
  EXPECT_EQ(joined.outcome, AssemblyOutcome::Joined);
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_TRUE(ReadBytes(folder + L"\\EXE.ZIP") == p1 + p2);
  RemoveTree(folder);
}
