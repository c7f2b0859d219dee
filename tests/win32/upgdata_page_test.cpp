// The database upgrade page over an upgrade library that notes every call: its window,
// Continue running the checked steps in their order with their marks and panels, a failed
// step shown only by its missing mark, the library's texts in L1 (each block unlocked and
// left to the library, each text in the step trace and on the screen), Alt+Q before and
// during a step, and the panels' clicks.
#include "upgrade/Cupgdata.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <sstream>

#include "core/text.h"
#include "sysconfig/StepTrace.h"
#include "toolkit/GGlobals.h"
#include "typed_keys.h"
#include "upgrade/Upgint.h"
#include "page_places.h"
#include "win32_test_support.h"

using namespace corvan;

namespace {

using StepHook = void(WINAPI*)(int step, const char* reported);
using StartRecordingFn = void(WINAPI*)(unsigned failing, StepHook hook);
using RecordedCallsFn = void(WINAPI*)(char* buffer, int size);

// The library's calls and texts, step by step.
const char* const kStepCalls[3] = {"DoStructureUpgrade", "DoListUpgrade", "DoConstUpgrade"};
const char* const kStepTexts[3][2] = {
    {"Structuri: verific tabelele FIRME.DB, OPERATOR.DB si indexurile lor", "Structuri gata"},
    {"Liste: 2 inregistrari & 3 coduri", "Liste actualizate, toate listele sunt la zi"},
    {"Constante", "Constante: valori noi scrise in UPGRADE.VER"},
};

std::wstring Wide(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// The notes of the step trace, without their indent and time stamp.
std::vector<std::string> TraceNotes(const std::wstring& log) {
  std::vector<std::string> notes;
  for (const std::string& line : Lines(ReadBytes(log))) {
    const std::size_t star = line.find("*       ");
    if (star == std::string::npos) continue;
    notes.push_back(line.substr(star + 8, line.rfind(" <TIMP") - star - 8));
  }
  return notes;
}

struct PageState {
  bool marks[3];
  TColor labelColor;
  bool labelShown;
  bool buttonsEnabled;
  TModalResult result;
};

class UpgDataTest : public testing::Test {
 public:
  void SetUp() override {
    Settings() = {};
    Settings().UpgradeMode = true;
    ASSERT_TRUE(CopyFileW((TestProgramFolder() + L"recording_upgrade.dll").c_str(),
                          (app.Path() + L"UPGRADE.DLL").c_str(), FALSE));
    ASSERT_TRUE(LoadUpgradeLibraryFrom(app.Path()));
    HMODULE library = GetModuleHandleW((app.Path() + L"UPGRADE.DLL").c_str());
    ASSERT_NE(library, nullptr);
    start = reinterpret_cast<StartRecordingFn>(reinterpret_cast<void*>(GetProcAddress(library, "StartRecording")));
    recorded = reinterpret_cast<RecordedCallsFn>(reinterpret_cast<void*>(GetProcAddress(library, "RecordedCalls")));
    ASSERT_TRUE(start && recorded);
    ASSERT_TRUE(WriteBytes(trace.Path() + L"debug.pas", ""));
    InitStepTrace(trace.Path());
    current = this;
    Record(0);
  }
  void TearDown() override {
    current = nullptr;
    start(0, nullptr);
    FreeUpgradeLibrary();
    InitStepTrace(trace.Path() + L"off\\");
    SetKeys({});
  }

  void Record(unsigned failing) {
    start(failing, Hook);
    DeleteFileW((trace.Path() + L"INSTCORV.LOG").c_str());
  }
  std::vector<std::string> Calls() const {
    std::string buffer(64 * 1024, '\0');
    recorded(buffer.data(), static_cast<int>(buffer.size()));
    return Lines(buffer.c_str());
  }
  std::vector<std::string> Notes() const { return TraceNotes(trace.Path() + L"INSTCORV.LOG"); }

  static PageState StateOf(TUpgData& page) {
    return {{page.Lk1.Visible(), page.Lk2.Visible(), page.Lk3.Visible()},
            page.L1.Font().Color(),
            page.L1.Visible(),
            page.BBack.Enabled() || page.BNext.Enabled() || page.BCancel.Enabled(),
            page.ModalResult()};
  }

  TModalResult Continue(TUpgData& page) {
    page.Show();
    AltLetter(page.Handle(), L'c');
    return page.ModalResult();
  }

  // What the page does while the library's step runs: before its first report
  // (reported null) and after each one.
  std::function<void(int step, const char* reported)> onStep;

  TempFolder app, trace;
  StartRecordingFn start = nullptr;
  RecordedCallsFn recorded = nullptr;

 private:
  static void WINAPI Hook(int step, const char* reported) {
    if (current && current->onStep) current->onStep(step, reported);
  }
  static UpgDataTest* current;
};
UpgDataTest* UpgDataTest::current = nullptr;

// The last column of the label's line where its text's colour is on the screen, -1: none.
int LastInkColumn(TUpgData& page) {
  HDC dc = GetDC(page.Handle());
  const COLORREF ink = ResolveColor(page.L1.Font().Color());
  int last = -1;
  for (int x = 150; x < page.ClientWidth(); ++x)
    for (int y = page.L1.Top(); y < page.L1.Top() + page.L1.Height(); ++y)
      if (GetPixel(dc, x, y) == ink) last = x;
  ReleaseDC(page.Handle(), dc);
  return last;
}

}  // namespace

TEST_F(UpgDataTest, WindowTable) {
  Settings().CurrentStep = wsUpgradeCopy;
  TUpgData page;
  page.Show();
  EXPECT_EQ(Settings().CurrentStep, wsDataUpgrade);
  EXPECT_EQ(page.Name(), L"UpgData");
  EXPECT_EQ(page.ClientWidth(), 637);
  EXPECT_EQ(page.ClientHeight(), 114);
  EXPECT_EQ(page.Color(), Hex(0x98A5B1));
  EXPECT_FALSE(page.Font().Bold());
  EXPECT_EQ(page.Font().Name(), L"MS Sans Serif");
  EXPECT_TRUE(page.KeyPreview());
  wchar_t caption[64] = L"";
  GetWindowTextW(page.Handle(), caption, 64);
  EXPECT_STREQ(caption, L"Actualizare baza de date");
  EXPECT_EQ(ReportLabel, &page.L1);
  EXPECT_FALSE(page.QuickV);

  ExpectPlaces({
      {&page.Lk1, &page, {165, 51, 165 + 29, 51 + 17}},      {&page.Lk2, &page, {165, 70, 165 + 29, 70 + 17}},
      {&page.Lk3, &page, {165, 89, 165 + 29, 89 + 17}},      {&page.L1, &page, {160, 29, 0, 0}},
      {&page.BNext, &page, {82, 52, 82 + 67, 52 + 51}},      {&page.BCancel, &page, {504, 63, 504 + 109, 63 + 28}},
      {&page.BBack, &page, {15, 52, 15 + 67, 52 + 51}},      {&page.BStruct, &page, {185, 51, 185 + 253, 51 + 17}},
      {&page.BLists, &page, {185, 70, 185 + 253, 70 + 17}},  {&page.BConst, &page, {185, 89, 185 + 253, 89 + 17}},
      {&page.Ck1, &page, {449, 51, 449 + 22, 51 + 15}},      {&page.Ck2, &page, {449, 70, 449 + 22, 70 + 15}},
      {&page.Ck3, &page, {449, 89, 449 + 22, 89 + 15}},
  });
  EXPECT_EQ(page.L1.Caption(), L"Asteapta...");
  EXPECT_TRUE(page.L1.Visible());
  EXPECT_EQ(page.L1.Font().Color(), clBlack);
  EXPECT_EQ(page.BNext.Caption(), L"&Continua");
  EXPECT_EQ(page.BNext.Kind(), mknNext);
  EXPECT_EQ(page.BNext.ModalResult(), TModalResult::Next);
  EXPECT_EQ(page.BCancel.Caption(), L"&Abandon");
  EXPECT_EQ(page.BCancel.Kind(), mkCancel);
  EXPECT_EQ(page.BCancel.ModalResult(), TModalResult::Cancel);
  EXPECT_TRUE(page.BCancel.Font().Bold());
  EXPECT_EQ(page.BBack.Caption(), L"&Inapoi");
  EXPECT_EQ(page.BBack.Kind(), mknPrev);
  EXPECT_EQ(page.BBack.ModalResult(), TModalResult::Back);

  const struct {
    TPanel* panel;
    const wchar_t* caption;
    TActiveCheckBox* box;
    TFmtLabel* mark;
  } steps[] = {{&page.BStruct, L"Verificare structuri", &page.Ck1, &page.Lk1},
               {&page.BLists, L"Actualizare liste", &page.Ck2, &page.Lk2},
               {&page.BConst, L"Actualizare constante", &page.Ck3, &page.Lk3}};
  for (const auto& s : steps) {
    SCOPED_TRACE(ToUtf8(s.caption));
    EXPECT_EQ(s.panel->Caption(), s.caption);
    EXPECT_EQ(s.panel->BevelOuter(), bvNone);
    EXPECT_EQ(s.panel->Alignment(), taRightJustify);
    EXPECT_EQ(s.panel->Font().Color(), clBlack);
    EXPECT_TRUE(s.panel->Font().Bold());
    EXPECT_EQ(s.panel->Color(), page.Color());
    EXPECT_TRUE(s.box->Checked());
    EXPECT_EQ(s.box->Color(), clGrid);
    EXPECT_EQ(s.box->Font().Name(), L"System");
    EXPECT_TRUE(s.box->Font().Bold());
    EXPECT_EQ(s.box->Font().Color(), clRed);
    EXPECT_FALSE(s.mark->Visible());
    EXPECT_EQ(s.mark->Caption(), L"%\xFC");
    EXPECT_EQ(s.mark->Font().Name(), L"Wingdings");
    EXPECT_EQ(s.mark->Font().Charset(), SYMBOL_CHARSET);
    EXPECT_EQ(s.mark->Font().Height(), -16);
    EXPECT_TRUE(s.mark->Font().Bold());
    EXPECT_EQ(s.mark->Font().Color(), clRed);
    EXPECT_EQ(s.mark->ShadowColor(), clBtnShadow);
  }
}

TEST_F(UpgDataTest, ContinueRunsTheCheckedStepsInOrderAndMarksEach) {
  const struct {
    const char* what;
    bool checked[3];
    unsigned failing;  // bit i: step i fails
  } cases[] = {
      {"every step", {true, true, true}, 0},
      {"all three boxes cleared", {false, false, false}, 0},
      {"the lists left out", {true, false, true}, 0},
      {"the structures left out", {false, true, true}, 0},
      {"the lists failing", {true, true, true}, 2},
      {"every step failing", {true, true, true}, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Record(c.failing);
    TUpgData page;
    TActiveCheckBox* boxes[] = {&page.Ck1, &page.Ck2, &page.Ck3};
    TPanel* panels[] = {&page.BStruct, &page.BLists, &page.BConst};
    for (int i = 0; i < 3; ++i) boxes[i]->SetChecked(c.checked[i]);
    std::vector<std::pair<int, PageState>> during;
    std::vector<std::string> shownTexts;
    onStep = [&](int step, const char* reported) {
      if (!reported) {
        during.push_back({step, StateOf(page)});
        return;
      }
      // The text is on the screen when the library goes on: the label was repainted.
      EXPECT_EQ(page.L1.Caption(), Wide(reported));
      const int last = LastInkColumn(page);
      EXPECT_LT(last, page.L1.Left() + page.L1.Width()) << reported;
      EXPECT_GE(last, page.L1.Left() + page.L1.Width() - 12) << reported;
      shownTexts.push_back(reported);
    };

    EXPECT_EQ(Continue(page), TModalResult::Next);
    onStep = nullptr;

    std::vector<std::string> calls = {"SetReportProc"}, texts;
    std::vector<int> ran;
    for (int i = 0; i < 3; ++i) {
      if (!c.checked[i]) continue;
      ran.push_back(i);
      calls.push_back(kStepCalls[i]);
      for (const char* text : kStepTexts[i]) {
        calls.push_back(std::string("report ") + text);
        texts.push_back(text);
      }
      calls.push_back("GetSemaforOK(" + std::to_string(100 + i) + ")");
    }
    EXPECT_EQ(Calls(), calls) << "each block comes back unlocked and stays the library's";
    EXPECT_EQ(Notes(), texts) << "each text in the step trace";
    EXPECT_EQ(shownTexts, texts);
    ASSERT_EQ(during.size(), ran.size());
    for (std::size_t k = 0; k < ran.size(); ++k) {
      const int step = ran[k];
      SCOPED_TRACE(step);
      const PageState& s = during[k].second;
      EXPECT_EQ(during[k].first, step);
      EXPECT_TRUE(s.marks[step]) << "the mark shows while its step runs";
      EXPECT_EQ(s.labelColor, step == 0 ? clBlack : clRed);
      EXPECT_TRUE(s.labelShown);
      EXPECT_FALSE(s.buttonsEnabled);
      EXPECT_EQ(s.result, TModalResult::Next);
    }
    const PageState after = StateOf(page);
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      const bool failed = (c.failing >> i) & 1;
      EXPECT_EQ(after.marks[i], c.checked[i] && !failed);
      EXPECT_EQ(panels[i]->BevelOuter(), c.checked[i] ? bvRaised : bvNone);
      EXPECT_EQ(panels[i]->Font().Color(), c.checked[i] ? clRed : clBlack);
      EXPECT_EQ(panels[i]->Alignment(), c.checked[i] ? taLeftJustify : taRightJustify);
    }
    EXPECT_FALSE(after.labelShown);
    EXPECT_FALSE(after.buttonsEnabled) << "the buttons stay disabled until the page closes";
    EXPECT_EQ(page.L1.Caption(), texts.empty() ? L"Asteapta..." : Wide(texts.back()));
  }
}

TEST_F(UpgDataTest, AltQTogglesQuickVerificationAndTheLabelsColour) {
  {
    TUpgData page;
    page.Show();
    AltKey(page.Handle(), 'Q');
    EXPECT_TRUE(page.QuickV);
    EXPECT_EQ(page.L1.Font().Color(), clRed);
    AltKey(page.Handle(), 'Q');
    EXPECT_FALSE(page.QuickV);
    EXPECT_EQ(page.L1.Font().Color(), clBlack);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"SetQuickVerif(1)", "SetQuickVerif(0)"}));
    EXPECT_EQ(page.ModalResult(), TModalResult::None);
  }

  // While a step runs, the page handles its keys as the library reports: Alt+Q typed
  // during the structures step reaches the library before the step ends.
  Record(0);
  TUpgData page;
  page.Ck2.SetChecked(false);
  page.Ck3.SetChecked(false);
  TColor colourDuring = clWhite;
  onStep = [&](int, const char* reported) {
    if (!reported) {
      SetKeys({VK_MENU});
      PostMessageW(page.Handle(), WM_SYSKEYDOWN, 'Q', 0x20000000);
    } else {
      SetKeys({});
      if (colourDuring == clWhite) colourDuring = page.L1.Font().Color();
    }
  };
  EXPECT_EQ(Continue(page), TModalResult::Next);
  onStep = nullptr;
  EXPECT_EQ(Calls(), (std::vector<std::string>{"SetReportProc", "DoStructureUpgrade", "SetQuickVerif(1)",
                                               std::string("report ") + kStepTexts[0][0],
                                               std::string("report ") + kStepTexts[0][1], "GetSemaforOK(100)"}));
  EXPECT_TRUE(page.QuickV);
  EXPECT_EQ(colourDuring, clRed);
}

TEST_F(UpgDataTest, AStepsPanelTogglesItsBoxAndBackOrAbandonRunNothing) {
  TUpgData page;
  page.Show();
  UpdateWindow(page.Handle());
  const auto click = [&](TPanel& panel) {
    SendMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
    SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 8));
  };
  click(page.BLists);
  EXPECT_FALSE(page.Ck2.Checked());
  EXPECT_TRUE(page.Ck1.Checked());
  EXPECT_TRUE(page.Ck3.Checked());
  click(page.BLists);
  EXPECT_TRUE(page.Ck2.Checked()) << "twice: as it was";
  click(page.BConst);
  EXPECT_FALSE(page.Ck3.Checked());

  for (const auto& [letter, result] : {std::pair{L'i', TModalResult::Back}, std::pair{L'a', TModalResult::Cancel}}) {
    TUpgData other;
    PostMessageW(other.Handle(), WM_SYSCHAR, letter, 0x20000000);
    EXPECT_EQ(other.ShowModal(), result);
  }
  EXPECT_TRUE(Calls().empty());
}
