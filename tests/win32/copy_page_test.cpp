// The copy page: its window, Continue copying every component and closing with Next, the
// instructions after each program component, the engine's warning, Cancel at a disk
// prompt, and a copy that fails: the reason shown, the page kept open with its buttons,
// and Continue going on from where it stopped once the media is fixed.
#include "install/CCopy.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "copy_media.h"
#include "core/text.h"
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
std::wstring Backslashed(std::string name) {
  for (auto& c : name)
    if (c == '/') c = '\\';
  return Wide(name);
}

// Each component with files of its own; HELP's first entry is stored, so a byte of its
// data can be damaged without touching the directory.
const copymedia::Components kComponents = {
    {L"EXE", {{"CORVAN.EXE", ziptest::RandomBytes(200 * 1024), 0}, {"VerInfo/3200876.02/Instruct.htm", "<p>x</p>"}}},
    {L"OUTPOST", {{"OUTPOST.EXE", "outpost program"}}},
    {L"DBDAT", {{"DATA/FIRME.DB", ziptest::TableBytes(40 * 1024)}, {"DATA/OPERATOR.DB", "operators"}}},
    {L"DBNEW", {{"NEW/DATA/FIRME.DB", "blank firms"}, {"NEW/LUNA/NOTE.DB", "notes"}}},
    {L"BDE32", {{"IDAPI32.DLL", "engine"}, {"bde.reg", "REGEDIT4"}}},
    {L"HELP", {{"HHUPD.EXE", ziptest::RandomBytes(8 * 1024, 7), 0}, {"Help/Corvan.htm", "help"}}},
    {L"PAYDESK", {{"PAYDESK.EXE", ziptest::TableBytes(20 * 1024)}}},
};

// Public: the cases of a test spoil and mend the media through it.
class CopyPageTest : public testing::Test {
 public:
  void SetUp() override {
    Settings() = {};
    Settings().InstallType = itLocal;
    Settings().SourceDir = media.Path();
    Settings().ProposedProgramDir = Settings().ProgramDir = root.Path() + L"Corvan";
    Settings().DataDir = Settings().ProposedDataDir = root.Path() + L"Date";
    ASSERT_TRUE(CreateDirectoryW(Settings().ProgramDir.c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(media.Path() + L"DISK1", ""));
    for (const auto& [base, entries] : kComponents) ASSERT_TRUE(copymedia::PutParts(media.Path(), base, ZipBytes(base)));
    copymedia::RemoveEngine();
    programFiles = root.Path() + L"Program Files";
    ASSERT_TRUE(CreateDirectoryW(programFiles.c_str(), nullptr));
    originalProgramFiles = copymedia::ProgramFiles();
    copymedia::SetProgramFiles(programFiles);
    MessagePrefix.clear();
    messages.clear();
    SetMsgDlgObserver([this](const MsgDlgRequest& r) {
      messages.push_back(r);
      return answer;
    });
    instructions.clear();
  }
  void TearDown() override {
    copymedia::SetProgramFiles(originalProgramFiles);
    copymedia::RemoveEngine();
    SetMsgDlgObserver(nullptr);
    SetInstructionsHandler(nullptr);
    SetCurrentDirectoryW(TestProgramFolder().c_str());  // the copy leaves the work folder current
  }

  static std::string ZipBytes(const std::wstring& base) { return copymedia::ZipBytes(kComponents.at(base)); }

  // The instructions are asked for with the page's status line showing the component.
  void WatchInstructions(TCopy& page) {
    SetInstructionsHandler([this, &page] { instructions.push_back(page.LGroupName.Caption()); });
  }
  TModalResult Continue(TCopy& page) {
    page.Show();
    AltLetter(page.Handle(), L'c');
    return page.ModalResult();
  }

  std::wstring ProgramFolder() const { return root.Path() + L"Corvan\\"; }
  std::wstring DataFolder() const { return root.Path() + L"Date\\"; }
  std::wstring EngineFolder() const { return programFiles + L"\\Borland\\Common Files\\BDE\\"; }
  std::wstring FolderOf(const std::wstring& base) const {
    if (base == L"DBDAT" || base == L"DBNEW") return DataFolder();
    if (base == L"BDE32") return EngineFolder();
    return ProgramFolder();
  }
  bool Unpacked(const std::wstring& base) const {
    for (const auto& e : kComponents.at(base))
      if (ReadBytes(FolderOf(base) + Backslashed(e.name)) != e.data) return false;
    return true;
  }
  bool NoneUnpacked(const std::wstring& base) const {
    for (const auto& e : kComponents.at(base))
      if (PathExists(FolderOf(base) + Backslashed(e.name))) return false;
    return true;
  }

  TempFolder root, media;
  std::wstring programFiles, originalProgramFiles;
  std::vector<MsgDlgRequest> messages;
  TModalResult answer = TModalResult::Ok;
  std::vector<std::wstring> instructions;
};

// The width of the text drawn on one line in that font.
int TextWidth(const TFont& font, const std::wstring& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font.Handle());
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

const std::vector<std::wstring> kProgramComponents = {L"Fisiere executabile", L"Outpost CORVAN", L"Help Corvan",
                                                      L"Paydesk CORVAN"};

}  // namespace

TEST_F(CopyPageTest, WindowTable) {
  Settings().CurrentStep = wsFolders;
  TCopy page;
  page.Show();
  EXPECT_EQ(Settings().CurrentStep, wsCopy);
  EXPECT_EQ(page.Name(), L"Copy");
  EXPECT_EQ(page.ClientWidth(), 637);
  EXPECT_EQ(page.ClientHeight(), 114);
  EXPECT_EQ(page.Color(), Hex(0x98A5B1));
  EXPECT_TRUE(page.Font().Bold());
  EXPECT_EQ(page.Font().Height(), -11);
  EXPECT_TRUE(page.KeyPreview());
  wchar_t caption[64] = L"";
  GetWindowTextW(page.Handle(), caption, 64);
  EXPECT_STREQ(caption, L"Copiere fisiere Corvan");

  ExpectPlaces({
      {&page.BBack, &page, {15, 52, 15 + 67, 52 + 51}},
      {&page.BNext, &page, {82, 52, 82 + 67, 52 + 51}},
      {&page.Panel1, &page, {175, 33, 175 + 302, 33 + 56}},
      {&page.Label1, &page.Panel1, {8, 10, 0, 0}},
      {&page.CopyProgress, &page.Panel1, {88, 7, 88 + 199, 7 + 19}},
      {&page.Label2, &page.Panel1, {8, 32, 0, 0}},
      {&page.UnzipProgress, &page.Panel1, {88, 30, 88 + 199, 30 + 19}},
      {&page.BCancel, &page, {504, 63, 504 + 109, 63 + 28}},
      {&page.LGroupName, &page, {154, 94, 154 + 339, 94 + 13}},
  });
  EXPECT_EQ(page.Panel1.BevelOuter(), bvNone);
  EXPECT_EQ(page.BBack.Caption(), L"&Inapoi");
  EXPECT_EQ(page.BBack.Kind(), mknPrev);
  EXPECT_EQ(page.BBack.ModalResult(), TModalResult::Back);
  EXPECT_EQ(page.BNext.Caption(), L"&Continua");
  EXPECT_EQ(page.BNext.Kind(), mknNext);
  EXPECT_EQ(page.BNext.ModalResult(), TModalResult::Next);
  EXPECT_EQ(page.BCancel.Caption(), L"&Abandon");
  EXPECT_EQ(page.BCancel.Kind(), mkCancel);
  EXPECT_EQ(page.BCancel.ModalResult(), TModalResult::Cancel);
  EXPECT_EQ(page.Label1.Caption(), L"Copiere:");
  EXPECT_EQ(page.Label2.Caption(), L"Decompresie:");
  for (TGauge* gauge : {&page.CopyProgress, &page.UnzipProgress}) {
    EXPECT_FALSE(gauge->BorderSingle());
    EXPECT_EQ(gauge->ForeColor(), Hex(0x5C6978));
    EXPECT_EQ(gauge->BackColor(), Hex(0xDFDFDF));
    EXPECT_TRUE(gauge->ShowText());
  }
  EXPECT_EQ(page.LGroupName.Caption(), L"Apasa 'Continua' pentru a incepe instalarea.....");
  EXPECT_EQ(page.LGroupName.Alignment(), taCenter);
  EXPECT_EQ(page.LGroupName.Font().Color(), Hex(0xFF0000));
  EXPECT_TRUE(page.LGroupName.Font().Bold());
  EXPECT_EQ(page.LGroupName.Font().Height(), -11);
  // The page's own texts in the status line show whole within its width.
  for (const std::wstring& text : {page.LGroupName.Caption(), std::wstring(CopyRetryText)}) {
    SCOPED_TRACE(Narrow(text));
    EXPECT_LE(TextWidth(page.LGroupName.Font(), text), page.LGroupName.Width());
  }
  // Continue is first in tab order.
  EXPECT_TRUE(page.SelectNext(nullptr, true));
  EXPECT_TRUE(page.BNext.Focused());
}

TEST_F(CopyPageTest, ContinueCopiesEveryComponentAndClosesWithNext) {
  TCopy page;
  WatchInstructions(page);
  ASSERT_TRUE(WriteBytes(ProgramFolder() + L"MINE.ZIP", "the user's own"));
  EXPECT_EQ(Continue(page), TModalResult::Next);
  EXPECT_TRUE(messages.empty());
  for (const auto& [base, entries] : kComponents) EXPECT_TRUE(Unpacked(base)) << Narrow(base);
  EXPECT_EQ(instructions, kProgramComponents) << "after each program component, its name in the status line";
  for (const auto& [base, entries] : kComponents) EXPECT_FALSE(PathExists(ProgramFolder() + base + L".ZIP"));
  EXPECT_TRUE(PathExists(ProgramFolder() + L"MINE.ZIP"));
  // The gauges as the last archive left them: one disk, then PAYDESK's 20 KiB.
  EXPECT_EQ(page.CopyProgress.MaxValue(), 1);
  EXPECT_EQ(page.CopyProgress.Progress(), 1);
  EXPECT_EQ(page.UnzipProgress.MaxValue(), 20);
  EXPECT_EQ(page.UnzipProgress.Progress(), 20);
  EXPECT_EQ(page.LGroupName.Caption(), L"Paydesk CORVAN");
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  EXPECT_TRUE(SameNameNoCase(current, root.Path() + L"Corvan")) << "the work folder stays the current folder";
}

TEST_F(CopyPageTest, AFailedCopyIsShownKeepsThePageAndContinueFinishesIt) {
  const std::string help = ZipBytes(L"HELP");
  std::string damaged = help;
  damaged[ziptest::MakeZip(kComponents.at(L"HELP")).DataOffset(0) + 100] ^= 0x5A;
  const struct {
    const char* what;
    std::function<void(CopyPageTest&)> spoil, mend;
    std::wstring named;  // the message names it
    std::vector<std::wstring> before;  // unpacked before the failure
  } cases[] = {
      {"a damaged archive",
       [&](CopyPageTest& t) { copymedia::PutParts(t.media.Path(), L"HELP", damaged); },
       [&](CopyPageTest& t) { copymedia::PutParts(t.media.Path(), L"HELP", help); }, L"HHUPD.EXE",
       {L"EXE", L"OUTPOST", L"DBDAT", L"DBNEW", L"BDE32"}},
      {"an archive missing from the media",
       [](CopyPageTest& t) {
         DeleteFileW((t.media.Path() + L"HELP.1").c_str());
         DeleteFileW((t.media.Path() + L"HELP.2").c_str());
       },
       [&](CopyPageTest& t) { copymedia::PutParts(t.media.Path(), L"HELP", help); }, L"HELP.1",
       {L"EXE", L"OUTPOST", L"DBDAT", L"DBNEW", L"BDE32"}},
      {"a file that cannot be written",
       [](CopyPageTest& t) { CreateDirectoryW((t.ProgramFolder() + L"HHUPD.EXE").c_str(), nullptr); },
       [](CopyPageTest& t) { RemoveDirectoryW((t.ProgramFolder() + L"HHUPD.EXE").c_str()); }, L"HHUPD.EXE",
       {L"EXE", L"OUTPOST", L"DBDAT", L"DBNEW", L"BDE32"}},
      // The example database stopped half-way is finished on the retry, not taken for the
      // customer's own because its first table is there.
      {"a database unpacked in part",
       [](CopyPageTest& t) {
         CreateDirectoryW(t.DataFolder().c_str(), nullptr);
         CreateDirectoryW((t.DataFolder() + L"DATA").c_str(), nullptr);
         CreateDirectoryW((t.DataFolder() + L"DATA\\OPERATOR.DB").c_str(), nullptr);
       },
       [](CopyPageTest& t) { RemoveDirectoryW((t.DataFolder() + L"DATA\\OPERATOR.DB").c_str()); }, L"OPERATOR.DB",
       {L"EXE", L"OUTPOST"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    RemoveTree(ProgramFolder());
    RemoveTree(DataFolder());
    RemoveTree(programFiles);
    SetUp();
    c.spoil(*this);
    TCopy page;
    WatchInstructions(page);

    EXPECT_EQ(Continue(page), TModalResult::None) << "a failed copy does not go on";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, mtError);
    EXPECT_EQ(messages[0].buttons, Buttons({mbOK}));
    EXPECT_EQ(messages[0].caption, L"");
    EXPECT_EQ(messages[0].shownText.rfind(L"PENTRU CONTINUARE,\r\r", 0), 0u) << "the disk prompt's heading stays";
    EXPECT_NE(messages[0].shownText.find(c.named), std::wstring::npos) << Narrow(messages[0].shownText);
    EXPECT_EQ(page.LGroupName.Caption(), CopyRetryText);
    for (TControl* button : {static_cast<TControl*>(&page.BBack), static_cast<TControl*>(&page.BNext),
                             static_cast<TControl*>(&page.BCancel)})
      EXPECT_TRUE(button->Enabled()) << Narrow(button->Name());
    for (const std::wstring& base : c.before) EXPECT_TRUE(Unpacked(base)) << Narrow(base);
    EXPECT_TRUE(NoneUnpacked(L"PAYDESK"));

    // The user fixes the media or the folder, and presses Continue again.
    c.mend(*this);
    messages.clear();
    EXPECT_EQ(Continue(page), TModalResult::Next);
    EXPECT_TRUE(messages.empty());
    for (const auto& [base, entries] : kComponents) EXPECT_TRUE(Unpacked(base)) << Narrow(base);
    EXPECT_EQ(instructions, kProgramComponents) << "each program component's instructions once";
    for (const auto& [base, entries] : kComponents) EXPECT_FALSE(PathExists(ProgramFolder() + base + L".ZIP"));
  }
}

TEST_F(CopyPageTest, AnOldEngineIsReportedOnceAndLaterMessagesCarryTheDiskHeading) {
  ASSERT_TRUE(copymedia::InstallEngine(L"3.5"));
  const std::string help = ZipBytes(L"HELP");
  DeleteFileW((media.Path() + L"HELP.1").c_str());
  DeleteFileW((media.Path() + L"HELP.2").c_str());
  TCopy page;
  EXPECT_EQ(Continue(page), TModalResult::None);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].shownText,
            L"PROTECTIA APLICATIILOR EXISTENTE,\r\rAm gasit o instalare mai veche de\rmotor baza de date (BDE)...\r"
            L"Daca Corvan nu functioneaza, contactati-ne.\r");
  EXPECT_EQ(messages[0].kind, mtError);
  EXPECT_EQ(messages[0].alignment, taCenter);
  EXPECT_EQ(messages[0].buttons, Buttons({mbOK}));
  EXPECT_EQ(messages[1].shownText.rfind(L"PENTRU CONTINUARE,\r\r", 0), 0u) << Narrow(messages[1].shownText);
  EXPECT_TRUE(NoneUnpacked(L"BDE32")) << "the installed engine is never overwritten";
  EXPECT_FALSE(PathExists(programFiles + L"\\Borland"));

  messages.clear();
  copymedia::PutParts(media.Path(), L"HELP", help);
  EXPECT_EQ(Continue(page), TModalResult::Next);
  EXPECT_TRUE(messages.empty()) << "the warning is not shown again when the copy goes on";
  EXPECT_TRUE(Settings().OldBdeFound);
}

TEST_F(CopyPageTest, CancelAtTheDiskPromptEndsTheWizardWithNothingUnpacked) {
  DeleteFileW((media.Path() + L"DISK1").c_str());
  answer = TModalResult::Cancel;
  TCopy page;
  EXPECT_EQ(Continue(page), TModalResult::Cancel);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].shownText, L"PENTRU CONTINUARE,\r\rintrodu discul de instalare cu numarul \r1");
  for (const auto& [base, entries] : kComponents) EXPECT_TRUE(NoneUnpacked(base)) << Narrow(base);
}

TEST_F(CopyPageTest, BackAbandonAndTheKeysWhileIdle) {
  for (const auto& [letter, result] : {std::pair{L'i', TModalResult::Back}, std::pair{L'a', TModalResult::Cancel}}) {
    TCopy page;
    PostMessageW(page.Handle(), WM_SYSCHAR, letter, 0x20000000);
    EXPECT_EQ(page.ShowModal(), result);
    EXPECT_TRUE(NoneUnpacked(L"EXE"));
  }
  TCopy page;
  page.Show();
  int shown = 0;
  SetInstructionsHandler([&] { ++shown; });
  AltKey(page.Handle(), 'H');
  EXPECT_EQ(shown, 1) << "Alt+H shows the instructions";
  EXPECT_EQ(page.ModalResult(), TModalResult::None);
  EXPECT_EQ(page.LGroupName.Caption(), L"Apasa 'Continua' pentru a incepe instalarea.....");
}
