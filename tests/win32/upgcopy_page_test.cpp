// The upgrade copy page: its window, Continue refreshing the installed program and the
// blank reference database entry by entry (the engine's files and the customer's DATA
// folder never written, the pictures of the NEW folders kept), every missing archive
// skipped, the step trace of each entry's decision, the page's messages handled while it
// unpacks, and a copy that fails: the reason shown, the page kept open, and Continue
// finishing it once the media is fixed.
#include "upgrade/Cupgcopy.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <map>

#include "copy_media.h"
#include "core/text.h"
#include "install/CopyOnContinue.h"
#include "sysconfig/StepTrace.h"
#include "toolkit/Dialogs.h"
#include "toolkit_globals.h"
#include "typed_keys.h"
#include "page_places.h"
#include "win32_test_support.h"
#include "wizard/Instructions.h"

using namespace corvan;

namespace {

std::string Narrow(const std::wstring& text) { return ToUtf8(text); }
std::wstring Wide(const std::string& s) { return {s.begin(), s.end()}; }

// The media: the program archive carries the engine's files too, the reference database
// archive a DATA tree beside its NEW one. EXE's first entry is stored, so a byte of its
// data can be damaged without touching the directory.
const copymedia::Components kComponents = {
    {L"EXE",
     {{"CORVAN.EXE", ziptest::RandomBytes(64 * 1024), 0},
      {"help/x.htm", "<p>ajutor</p>"},
      {"IDAPI/idapi32.dll", "the engine's own"}}},
    {L"OUTPOST", {{"OUTPOST.EXE", "outpost program"}}},
    {L"DBDAT", {{"DATA/FIRME.DB", "example firms"}, {"DATA/OPERATOR.DB", "example operators"}}},
    {L"DBNEW",
     {{"DATA/FIRME.DB", "blank firms over the customer's"},
      {"NEW/DATA/FIRME.DB", "blank firms"},
      {"NEW/FIRMA/FIRMA.DB", "blank firm"},
      {"NEW/LUNA/NOTE.DB", "blank notes"}}},
    {L"BDE32", {{"IDAPI32.DLL", "engine"}, {"bde.reg", "REGEDIT4"}}},
    {L"HELP", {{"HHUPD.EXE", "help runtime"}}},
    {L"PAYDESK", {{"PAYDESK.EXE", ziptest::TableBytes(20 * 1024)}}},
};

// Every file below a folder with its bytes and its marks (read-only, hidden, system).
constexpr DWORD kMarks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
struct FileState {
  std::string bytes;
  DWORD marks = 0;
  bool operator==(const FileState&) const = default;
};
using Tree = std::map<std::wstring, FileState>;
void ReadTree(const std::wstring& folder, const std::wstring& relative, Tree& tree) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + relative + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ReadTree(folder, relative + name + L"\\", tree);
    else tree[relative + name] = {ReadBytes(folder + relative + name), data.dwFileAttributes & kMarks};
  } while (FindNextFileW(find, &data));
  FindClose(find);
}
Tree TreeOf(const std::wstring& folder) {
  Tree tree;
  ReadTree(folder, L"", tree);
  return tree;
}

bool Put(const std::wstring& path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  SHCreateDirectoryExW(nullptr, path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  return WriteBytes(path, bytes) && SetFileAttributesW(path.c_str(), attributes);
}

// The texts of the step trace's notes, without their indent and time stamp.
std::vector<std::wstring> TraceNotes(const std::wstring& log) {
  std::vector<std::wstring> notes;
  const std::string bytes = ReadBytes(log);
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find("\r\n", at);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(at, end - at);
    at = end + 2;
    const std::size_t star = line.find("*       ");
    if (star == std::string::npos) continue;
    const std::size_t stamp = line.rfind(" <TIMP");
    notes.push_back(Wide(line.substr(star + 8, stamp - star - 8)));
  }
  return notes;
}

// A window that notes what the page shows when it gets a message posted to it.
class Probe {
 public:
  explicit Probe(std::function<void()> onMessage) : onMessage_(std::move(onMessage)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"UpgCopyProbe";
    RegisterClassW(&wc);
    window_ = CreateWindowW(L"UpgCopyProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Probe() { DestroyWindow(window_); }
  void Post() { PostMessageW(window_, WM_APP, 0, 0); }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_APP) {
      if (auto* probe = reinterpret_cast<Probe*>(GetWindowLongPtrW(window, GWLP_USERDATA))) probe->onMessage_();
    }
    return DefWindowProcW(window, message, w, l);
  }
  std::function<void()> onMessage_;
  HWND window_ = nullptr;
};

// An installed Corvan: the program folder with an older CORVAN.EXE, the data folder with
// the customer's tables and a file of their own under DATA, and their NEW folders (a
// read-only logo.bmp and a picture of their own among the old reference tables).
class UpgCopyTest : public testing::Test {
 public:
  void SetUp() override {
    Settings() = {};
    Settings().UpgradeMode = true;
    Settings().InstallType = itLocal;
    Settings().SourceDir = media.Path();
    Settings().ProposedProgramDir = Settings().ProgramDir = root.Path() + L"Corvan";
    Settings().DataDir = root.Path() + L"Corvan";
    ASSERT_TRUE(Put(ProgramFolder() + L"CORVAN.EXE", "an older program"));
    ASSERT_TRUE(Put(DataFolder() + L"DATA\\FIRME.DB", ziptest::TableBytes(30 * 1024)));
    ASSERT_TRUE(Put(DataFolder() + L"DATA\\OPERATOR.DB", "the customer's operators"));
    ASSERT_TRUE(Put(DataFolder() + L"DATA\\Notite mele.txt", "mine", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(Put(DataFolder() + L"NEW\\DATA\\FIRME.DB", "old blank firms"));
    ASSERT_TRUE(Put(DataFolder() + L"NEW\\FIRMA\\logo.bmp", "BM the customer's logo", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(Put(DataFolder() + L"NEW\\FIRMA\\stampila.Png", "PNG stamp", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(Put(DataFolder() + L"NEW\\FIRMA\\a.db", "old table"));
    ASSERT_TRUE(Put(DataFolder() + L"NEW\\LUNA\\NOTE.DB", "old notes"));
    ASSERT_TRUE(WriteBytes(media.Path() + L"DISK1", ""));
    // HELP's parts are not on these disks.
    for (const auto& [base, entries] : kComponents) {
      if (base != L"HELP") {
        ASSERT_TRUE(copymedia::PutParts(media.Path(), base, ZipBytes(base)));
      }
    }
    copymedia::RemoveEngine();
    programFiles = root.Path() + L"Program Files";
    ASSERT_TRUE(CreateDirectoryW(programFiles.c_str(), nullptr));
    originalProgramFiles = copymedia::ProgramFiles();
    copymedia::SetProgramFiles(programFiles);
    ASSERT_TRUE(WriteBytes(trace.Path() + L"debug.pas", ""));
    InitStepTrace(trace.Path());
    messages.clear();
    SetMsgDlgObserver([this](const MsgDlgRequest& r) {
      messages.push_back(r);
      return TModalResult::Ok;
    });
    instructions.clear();
  }
  void TearDown() override {
    InitStepTrace(trace.Path() + L"off\\");
    copymedia::SetProgramFiles(originalProgramFiles);
    copymedia::RemoveEngine();
    SetMsgDlgObserver(nullptr);
    SetInstructionsHandler(nullptr);
    SetCurrentDirectoryW(TestProgramFolder().c_str());
  }

  static std::string ZipBytes(const std::wstring& base) { return copymedia::ZipBytes(kComponents.at(base)); }

  void WatchInstructions(TUpgCopy& page) {
    SetInstructionsHandler([this, &page] { instructions.push_back(page.LGroupName.Caption()); });
  }
  TModalResult Continue(TUpgCopy& page) {
    page.Show();
    AltLetter(page.Handle(), L'c');
    return page.ModalResult();
  }
  std::vector<std::wstring> Notes() const { return TraceNotes(trace.Path() + L"INSTCORV.LOG"); }

  std::wstring ProgramFolder() const { return root.Path() + L"Corvan\\"; }
  std::wstring DataFolder() const { return root.Path() + L"Corvan\\"; }
  std::string Entry(const std::wstring& base, const std::string& name) const {
    for (const auto& e : kComponents.at(base))
      if (e.name == name) return e.data;
    ADD_FAILURE() << name;
    return {};
  }

  TempFolder root, media, trace;
  std::wstring programFiles, originalProgramFiles;
  std::vector<MsgDlgRequest> messages;
  std::vector<std::wstring> instructions;
};

}  // namespace

TEST_F(UpgCopyTest, WindowTableAsTheCopyPageWithItsDifferences) {
  Settings().CurrentStep = wsFindApp;
  TUpgCopy page;
  page.Show();
  EXPECT_EQ(Settings().CurrentStep, wsUpgradeCopy);
  EXPECT_EQ(page.Name(), L"UpgCopy");
  EXPECT_EQ(page.ClientWidth(), 637);
  EXPECT_EQ(page.ClientHeight(), 114);
  EXPECT_EQ(page.Color(), Hex(0x98A5B1));
  EXPECT_TRUE(page.KeyPreview());
  wchar_t caption[64] = L"";
  GetWindowTextW(page.Handle(), caption, 64);
  EXPECT_STREQ(caption, L"Actualizare fisiere Corvan");

  ExpectPlaces({
      {&page.BBack, &page, {15, 52, 15 + 67, 52 + 51}},
      {&page.BNext, &page, {82, 52, 82 + 67, 52 + 51}},
      {&page.Panel1, &page, {175, 33, 175 + 302, 33 + 56}},
      {&page.Label1, &page.Panel1, {8, 10, 0, 0}},
      {&page.CopyProgress, &page.Panel1, {80, 7, 80 + 207, 7 + 19}},
      {&page.Label2, &page.Panel1, {8, 33, 0, 0}},
      {&page.UnzipProgress, &page.Panel1, {80, 30, 80 + 207, 30 + 19}},
      {&page.BCancel, &page, {504, 63, 504 + 109, 63 + 28}},
      {&page.LGroupName, &page, {154, 94, 154 + 339, 94 + 17}},
  });
  // The gauges' captions are plain black, and end before the gauges begin.
  for (TActiveLabel* label : {&page.Label1, &page.Label2}) {
    SCOPED_TRACE(Narrow(label->Name()));
    EXPECT_FALSE(label->Font().Bold());
    EXPECT_EQ(label->Font().Color(), clBlack);
    EXPECT_EQ(label->Font().Height(), -11);
    EXPECT_EQ(label->Font().Name(), L"MS Sans Serif");
    EXPECT_LE(label->BoundsRect().right, page.CopyProgress.Left());
  }
  EXPECT_EQ(page.Label1.Caption(), L"Copiere:");
  EXPECT_EQ(page.Label2.Caption(), L"Decompresie:");
  for (TGauge* gauge : {&page.CopyProgress, &page.UnzipProgress}) {
    EXPECT_FALSE(gauge->BorderSingle());
    EXPECT_EQ(gauge->ForeColor(), Hex(0x5C6978));
    EXPECT_EQ(gauge->BackColor(), Hex(0xDFDFDF));
  }
  EXPECT_EQ(page.BNext.ModalResult(), TModalResult::Next);
  EXPECT_EQ(page.BBack.ModalResult(), TModalResult::Back);
  EXPECT_EQ(page.BCancel.ModalResult(), TModalResult::Cancel);
  EXPECT_EQ(page.LGroupName.Caption(), L"Apasa 'Continua' pentru a incepe instalarea.....");
  EXPECT_EQ(page.LGroupName.Alignment(), taCenter);
  EXPECT_EQ(page.LGroupName.Font().Color(), Hex(0xFF0000));
  EXPECT_TRUE(page.LGroupName.Font().Bold());
  EXPECT_TRUE(page.SelectNext(nullptr, true));
  EXPECT_TRUE(page.BNext.Focused());
}

TEST_F(UpgCopyTest, ConfirmUpgradeEntryLetsThroughWhatTheArchiveMayReplace) {
  TUpgCopy page;
  const struct {
    bool programArchive;
    const wchar_t* name;
    const wchar_t* path;  // as traced
    bool accepted;
  } cases[] = {
      {true, L"CORVAN.EXE", L"\\CORVAN.EXE", true},
      {true, L"help/x.htm", L"\\HELP\\X.HTM", true},
      {true, L"IDAPI/idapi32.dll", L"\\IDAPI\\IDAPI32.DLL", false},
      {true, L"idapi32.dll", L"\\IDAPI32.DLL", false},
      {true, L"Docs/IDAPI/readme.txt", L"\\DOCS\\IDAPI\\README.TXT", true},
      {false, L"NEW/DATA/FIRME.DB", L"\\NEW\\DATA\\FIRME.DB", true},
      {false, L"new/firma/", L"\\NEW\\FIRMA\\", true},
      {false, L"DATA/FIRME.DB", L"\\DATA\\FIRME.DB", false},
      {false, L"CORVAN.EXE", L"\\CORVAN.EXE", false},
      {false, L"Data/New/x.db", L"\\DATA\\NEW\\X.DB", false},
  };
  std::vector<std::wstring> expected;
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.name));
    page.ProgramArchive = c.programArchive;
    EXPECT_EQ(page.ConfirmUpgradeEntry(c.name), c.accepted);
    expected.push_back(std::wstring(L"Confirmare pentru: ") + c.path);
    expected.push_back(c.accepted ? L"Confirmat" : L"NU!!!");
  }
  EXPECT_EQ(Notes(), expected);
}

TEST_F(UpgCopyTest, ClearingTheNewFoldersKeepsThePicturesWritable) {
  ASSERT_TRUE(Put(DataFolder() + L"NEW\\FIRMA\\sub\\inside.db", "stays with its folder"));
  ASSERT_TRUE(Put(DataFolder() + L"NEW\\FIRMA\\logo.bmp.old", "not a picture"));
  ASSERT_TRUE(Put(DataFolder() + L"NEW\\LUNA\\semn.BMP", "BM", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  const Tree data = TreeOf(DataFolder() + L"DATA\\");
  ClearNewFoldersKeepImages(DataFolder());
  const Tree after = TreeOf(DataFolder() + L"NEW\\");
  const Tree expected = {
      {L"FIRMA\\logo.bmp", {"BM the customer's logo", 0}},
      {L"FIRMA\\stampila.Png", {"PNG stamp", 0}},
      {L"FIRMA\\sub\\inside.db", {"stays with its folder"}},
      {L"LUNA\\semn.BMP", {"BM", 0}},
  };
  EXPECT_EQ(after, expected);
  EXPECT_EQ(TreeOf(DataFolder() + L"DATA\\"), data) << "only the NEW folders are cleared";
  // A folder that is not there is no error.
  ClearFolderFilesKeepImages(DataFolder() + L"NEW\\NICIUNUL", L"*.*");
}

TEST_F(UpgCopyTest, ContinueRefreshesTheProgramAndTheReferenceDatabaseOnly) {
  // A client installation refreshes the program alone: its data folder (the server's) is
  // never touched.
  for (const TInstallType type : {itLocal, itClient}) {
    SCOPED_TRACE(type == itLocal ? "local" : "client");
    TearDown();
    RemoveTree(root.Path() + L"Corvan");
    RemoveTree(programFiles);
    DeleteFileW((trace.Path() + L"INSTCORV.LOG").c_str());
    SetUp();
    Settings().InstallType = type;
    const Tree data = TreeOf(DataFolder() + L"DATA\\");
    const Tree newFolders = TreeOf(DataFolder() + L"NEW\\");
    TUpgCopy page;
    WatchInstructions(page);

    EXPECT_EQ(Continue(page), TModalResult::Next);
    EXPECT_TRUE(messages.empty()) << "a missing HELP archive is skipped without a message";
    EXPECT_EQ(ReadBytes(ProgramFolder() + L"CORVAN.EXE"), Entry(L"EXE", "CORVAN.EXE")) << "the older program replaced";
    EXPECT_EQ(ReadBytes(ProgramFolder() + L"help\\x.htm"), Entry(L"EXE", "help/x.htm"));
    EXPECT_FALSE(PathExists(ProgramFolder() + L"IDAPI")) << "the engine's files are left as installed";
    EXPECT_EQ(ReadBytes(ProgramFolder() + L"OUTPOST.EXE"), Entry(L"OUTPOST", "OUTPOST.EXE"));
    EXPECT_EQ(ReadBytes(ProgramFolder() + L"PAYDESK.EXE"), Entry(L"PAYDESK", "PAYDESK.EXE"));
    EXPECT_FALSE(PathExists(ProgramFolder() + L"HHUPD.EXE"));
    EXPECT_FALSE(PathExists(programFiles + L"\\Borland")) << "the engine is never installed by the upgrade";
    EXPECT_EQ(TreeOf(DataFolder() + L"DATA\\"), data) << "the customer's data byte for byte";
    for (const auto& [base, entries] : kComponents) EXPECT_FALSE(PathExists(ProgramFolder() + base + L".ZIP"));
    EXPECT_EQ(instructions, (std::vector<std::wstring>{L"Fisiere executabile", L"Outpost CORVAN", L"Paydesk CORVAN"}));

    std::vector<std::wstring> expected = {
        L"Confirmare pentru: \\CORVAN.EXE",         L"Confirmat", L"Confirmare pentru: \\HELP\\X.HTM", L"Confirmat",
        L"Confirmare pentru: \\IDAPI\\IDAPI32.DLL", L"NU!!!",     L"Confirmare pentru: \\OUTPOST.EXE", L"Confirmat"};
    if (type == itLocal) {
      const Tree refreshed = {
          {L"DATA\\FIRME.DB", {"blank firms", 0}},
          {L"FIRMA\\FIRMA.DB", {"blank firm", 0}},
          {L"FIRMA\\logo.bmp", {"BM the customer's logo", 0}},
          {L"FIRMA\\stampila.Png", {"PNG stamp", 0}},
          {L"LUNA\\NOTE.DB", {"blank notes", 0}},
      };
      EXPECT_EQ(TreeOf(DataFolder() + L"NEW\\"), refreshed) << "refreshed, the pictures kept without their marks";
      expected.insert(expected.end(), {L"Confirmare pentru: \\DATA\\FIRME.DB", L"NU!!!",
                                       L"Confirmare pentru: \\NEW\\DATA\\FIRME.DB", L"Confirmat",
                                       L"Confirmare pentru: \\NEW\\FIRMA\\FIRMA.DB", L"Confirmat",
                                       L"Confirmare pentru: \\NEW\\LUNA\\NOTE.DB", L"Confirmat"});
    } else {
      EXPECT_EQ(TreeOf(DataFolder() + L"NEW\\"), newFolders);
    }
    expected.insert(expected.end(), {L"Confirmare pentru: \\PAYDESK.EXE", L"Confirmat"});
    EXPECT_EQ(Notes(), expected);
  }
}

TEST_F(UpgCopyTest, MediaWithoutTheReferenceDatabaseStillClearsItsFolders) {
  for (const wchar_t* part : {L"DBNEW.1", L"DBNEW.2"}) ASSERT_TRUE(DeleteFileW((media.Path() + part).c_str()));
  const Tree data = TreeOf(DataFolder() + L"DATA\\");
  TUpgCopy page;
  EXPECT_EQ(Continue(page), TModalResult::Next);
  EXPECT_TRUE(messages.empty());
  const Tree pictures = {
      {L"FIRMA\\logo.bmp", {"BM the customer's logo", 0}},
      {L"FIRMA\\stampila.Png", {"PNG stamp", 0}},
  };
  EXPECT_EQ(TreeOf(DataFolder() + L"NEW\\"), pictures);
  EXPECT_EQ(TreeOf(DataFolder() + L"DATA\\"), data);
}

TEST_F(UpgCopyTest, ThePageHandlesItsMessagesWhileItUnpacks) {
  TUpgCopy page;
  std::vector<std::wstring> seen;
  Probe probe([&] { seen.push_back(page.LGroupName.Caption()); });
  page.Show();
  SetKeys({VK_MENU});
  PostMessageW(page.Handle(), WM_SYSCHAR, L'c', 0x20000000);
  probe.Post();  // behind Continue: it is handled while the copy runs
  Drain();
  SetKeys({});
  EXPECT_EQ(page.ModalResult(), TModalResult::Next);
  EXPECT_EQ(seen, std::vector<std::wstring>{L"Fisiere executabile"}) << "handled at the first archive's first event";
}

TEST_F(UpgCopyTest, ADamagedArchiveStopsWithItsMessageAndContinueFinishesIt) {
  const std::string exe = ZipBytes(L"EXE");
  std::string damaged = exe;
  damaged[ziptest::MakeZip(kComponents.at(L"EXE")).DataOffset(0) + 100] ^= 0x5A;
  ASSERT_TRUE(copymedia::PutParts(media.Path(), L"EXE", damaged));
  const Tree data = TreeOf(DataFolder() + L"DATA\\");
  TUpgCopy page;
  WatchInstructions(page);

  EXPECT_EQ(Continue(page), TModalResult::None) << "a failed copy is not taken for a finished one";
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].kind, mtError);
  EXPECT_EQ(messages[0].buttons, Buttons({mbOK}));
  EXPECT_NE(messages[0].shownText.find(L"CORVAN.EXE"), std::wstring::npos) << Narrow(messages[0].shownText);
  EXPECT_EQ(page.LGroupName.Caption(), CopyRetryText);
  for (TControl* button : {static_cast<TControl*>(&page.BBack), static_cast<TControl*>(&page.BNext),
                           static_cast<TControl*>(&page.BCancel)})
    EXPECT_TRUE(button->Enabled()) << Narrow(button->Name());
  EXPECT_EQ(ReadBytes(ProgramFolder() + L"CORVAN.EXE"), "an older program") << "a failing entry keeps the file";
  EXPECT_FALSE(PathExists(ProgramFolder() + L"OUTPOST.EXE")) << "nothing after the failing archive";
  EXPECT_TRUE(instructions.empty());
  EXPECT_EQ(TreeOf(DataFolder() + L"DATA\\"), data);

  ASSERT_TRUE(copymedia::PutParts(media.Path(), L"EXE", exe));
  messages.clear();
  EXPECT_EQ(Continue(page), TModalResult::Next);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(ReadBytes(ProgramFolder() + L"CORVAN.EXE"), Entry(L"EXE", "CORVAN.EXE"));
  EXPECT_EQ(ReadBytes(ProgramFolder() + L"PAYDESK.EXE"), Entry(L"PAYDESK", "PAYDESK.EXE"));
  EXPECT_EQ(instructions, (std::vector<std::wstring>{L"Fisiere executabile", L"Outpost CORVAN", L"Paydesk CORVAN"}));
  EXPECT_EQ(TreeOf(DataFolder() + L"DATA\\"), data);
}
