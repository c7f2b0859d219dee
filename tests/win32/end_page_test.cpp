// The finish page: its window table, the memo's lines, the logo, "I&esire" ending the
// wizard and "&Inapoi" going back to the configuration page, and Alt+H.
#include "install/CEnd.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "setup/Iglobals.h"
#include "setup/StepTable.h"
#include "sysconfig/Ccfg.h"
#include "toolkit/Dialogs.h"
#include "toolkit_globals.h"
#include "typed_keys.h"
#include "page_places.h"
#include "win32_test_support.h"
#include "wizard/Instructions.h"

using namespace corvan;

namespace {
std::vector<std::wstring> MemoLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

// A bitmap's pixel, read through a memory DC.
COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

WizardEnvironment FreshRoad(std::function<std::unique_ptr<IWizardPage>(TWizardStep)> createPage) {
  WizardEnvironment env;
  env.aliasExists = [] { return false; };
  env.unpackUpgradePackage = [] {};
  env.loadUpgradeLibrary = [] { return true; };
  env.readSetupConfig = [] {};
  env.askServerUpgrade = [] { return true; };
  env.createPage = std::move(createPage);
  return env;
}
}  // namespace

TEST(EndPage, WindowTable) {
  Settings() = {};
  Settings().CurrentStep = wsConfig;
  TEndScreen page;
  EXPECT_EQ(Settings().CurrentStep, wsFinish);
  page.Show();
  EXPECT_EQ(page.Name(), L"EndScreen");
  EXPECT_EQ(page.ClientWidth(), 637);
  EXPECT_EQ(page.ClientHeight(), 114);
  EXPECT_EQ(page.Color(), Hex(0x98A5B1));
  EXPECT_TRUE(page.Font().Bold());
  EXPECT_EQ(page.TitleBar()->Caption(), L"Finalizare");
  wchar_t caption[64] = L"";
  GetWindowTextW(page.Handle(), caption, 64);
  EXPECT_STREQ(caption, L"Finalizare");

  ExpectPlaces({
      {&page.BBack, &page, {15, 52, 15 + 67, 52 + 51}},
      {&page.BCancel, &page, {82, 52, 82 + 67, 52 + 51}},
      {&page.Memo1, &page, {179, 38, 179 + 298, 38 + 70}},
      {&page.Image1, &page, {496, 32, 496 + 128, 32 + 80}},
  });
  EXPECT_EQ(page.BBack.Caption(), L"&Inapoi");
  EXPECT_EQ(page.BBack.Kind(), mknPrev);
  EXPECT_EQ(page.BBack.ButtonLayout(), blGlyphTop);
  EXPECT_EQ(page.BBack.Spacing(), 5);
  EXPECT_EQ(page.BBack.ModalResult(), TModalResult::Back);
  EXPECT_EQ(page.BCancel.Caption(), L"I&esire");
  EXPECT_EQ(page.BCancel.Kind(), mkClose);
  EXPECT_EQ(page.BCancel.ButtonLayout(), blGlyphTop);
  EXPECT_EQ(page.BCancel.ModalResult(), TModalResult::Next) << "Next ends the wizard, over the kind's Cancel";
  EXPECT_EQ(page.FindControl(L"BNext"), nullptr);
  EXPECT_EQ(page.Memo1.Color(), clGrid);
  EXPECT_EQ(page.Memo1.BorderStyle(), bsNone);
  EXPECT_EQ(page.Memo1.Alignment(), taCenter);
  EXPECT_TRUE(GetWindowLongW(page.Memo1.Handle(), GWL_STYLE) & ES_CENTER);
  EXPECT_TRUE(page.Image1.Transparent());
}

TEST(EndPage, TheMemoTellsHowToLogInTheFirstTime) {
  TEndScreen page;
  page.Show();
  const std::vector<std::wstring> lines = {
      L"",
      L"Instalarea s-a terminat cu succes!",
      L"",
      L"Utilizator implicit:  \"Master\", ",
      L"cu parola de acces 1",
  };
  EXPECT_EQ(MemoLines(page.Memo1.Text()), lines);
  EXPECT_EQ(SendMessageW(page.Memo1.Handle(), EM_GETLINECOUNT, 0, 0), 5);
  // What the user types there changes nothing else: the page still ends as it would.
  SendMessageW(page.Memo1.Handle(), WM_CHAR, L'x', 0);
  AltLetter(page.Handle(), L'e');
  EXPECT_EQ(page.ModalResult(), TModalResult::Next);
}

TEST(EndPage, TheLogoIsDrawnOverThePageColour) {
  TEndScreen page;
  page.Show();
  HBITMAP logo = page.Image1.Picture();
  ASSERT_NE(logo, nullptr);
  BITMAP info{};
  GetObjectW(logo, sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, 128);
  EXPECT_EQ(std::abs(info.bmHeight), 80);
  // The corner is the key colour and is the page's own, so the picture has no box
  // around it; the mark itself is darker and lighter than the page.
  EXPECT_EQ(PixelOf(logo, 0, 0), RGB(152, 165, 177));
  int darker = 0, lighter = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 128; ++x) {
      const COLORREF c = PixelOf(logo, x, y);
      const int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
      darker += sum < 200;
      lighter += sum > 600;
    }
  EXPECT_GT(darker, 400);
  EXPECT_GT(lighter, 100);
  // On the screen the page colour shows where the picture has its key colour.
  UpdateWindow(page.Handle());
  HDC dc = GetDC(page.Handle());
  EXPECT_EQ(GetPixel(dc, 496, 32), RGB(152, 165, 177));
  ReleaseDC(page.Handle(), dc);
}

TEST(EndPage, ExitEndsTheWizardAndBackShowsTheConfigurationPage) {
  const struct {
    const char* what;
    wchar_t letter;
    std::vector<TWizardStep> created;
  } cases[] = {
      {"I&esire", L'e', {wsFinish}},
      {"&Inapoi, then Abandon on the configuration page", L'i', {wsFinish, wsConfig}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Settings() = {};
    Settings().CurrentStep = wsFinish;
    std::vector<TWizardStep> created;
    RunWizard(FreshRoad([&](TWizardStep step) -> std::unique_ptr<IWizardPage> {
      created.push_back(step);
      std::unique_ptr<IWizardPage> page = CreateStepPage(step);  // the real step table
      if (step == wsFinish) {
        auto* end = dynamic_cast<TEndScreen*>(page.get());
        EXPECT_NE(end, nullptr);
        if (end) PostMessageW(end->Handle(), WM_SYSCHAR, c.letter, 0x20000000);
      } else if (auto* config = dynamic_cast<TConfig*>(page.get())) {
        PostMessageW(config->Handle(), WM_SYSCHAR, L'a', 0x20000000);
      }
      return page;
    }));
    EXPECT_EQ(created, c.created);
    EXPECT_EQ(Settings().CurrentStep, wsDone);
  }
}

TEST(EndPage, AltHAsksForTheInstructions) {
  int shown = 0;
  SetInstructionsHandler([&] { ++shown; });
  TEndScreen page;
  page.Show();
  AltKey(page.Handle(), 'H');
  SetInstructionsHandler(nullptr);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(page.ModalResult(), TModalResult::None);
}
