// The wizard's page base: the page's shape, its caption, the backdrop key, the
// instructions key, the driver's glue and handlers whose errors escape.
#include "wizard/PageBase.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

#include "toolkit/PlatformBox.h"
#include "toolkit_globals.h"
#include "typed_keys.h"
#include "win32_test_support.h"
#include "wizard/Instructions.h"

using namespace corvan;

namespace {
class TestPage : public TWizardPage {
 public:
  explicit TestPage(bool answersHelp = false)
      : TWizardPage({.name = L"Test", .step = wsConfig, .title = L"Pagina de proba", .clientWidth = 500,
                     .clientHeight = 120, .answersHelpKey = answersHelp}) {
    BNext.OnClick = Guarded([this](TControl&) {
      ++clicks;
      if (failing) throw std::runtime_error("Nu pot scrie fisierul C:\\x.reg");
    });
  }
  TPageButton BBack{this, {.name = L"BBack", .left = 15, .top = 52, .caption = L"&Inapoi"}, mknPrev,
                    TModalResult::Back, 5};
  TPageButton BNext{this, {.name = L"BNext", .left = 82, .top = 52, .caption = L"&Continua"}, mknNext,
                    TModalResult::Next, 5};
  TPageNiceButton BCancel{this, {.name = L"BCancel", .left = 380, .top = 63, .caption = L"&Abandon"}, mkCancel,
                          TModalResult::Cancel};
  int clicks = 0;
  bool failing = false;
};

// A plain top-level window standing in for the backdrop.
class Backdrop {
 public:
  Backdrop() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CorvanTestBackdrop";
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, L"CorvanTestBackdrop", L"Corvan", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    SetMainWindow(window_);
  }
  ~Backdrop() {
    SetMainWindow(nullptr);
    DestroyWindow(window_);
  }
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

bool Above(HWND upper, HWND lower) {
  for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
    if (w == lower) return true;
  return false;
}

std::wstring WindowText(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}
}  // namespace

TEST(PageBase, ShapeOfEveryPage) {
  Settings() = {};
  TestPage page;
  EXPECT_EQ(Settings().CurrentStep, wsConfig);  // set when the page is created
  page.Show();
  EXPECT_EQ(page.ClientWidth(), 500);
  EXPECT_EQ(page.ClientHeight(), 120);
  const SIZE outer = page.OuterSize();
  EXPECT_EQ(outer.cx, 500);  // no frame: the outer size is the client area
  EXPECT_EQ(outer.cy, 120);
  const LONG style = GetWindowLongW(page.Handle(), GWL_STYLE);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
  EXPECT_EQ(page.Color(), PageColor);
  EXPECT_TRUE(page.Font().Bold());
  EXPECT_EQ(page.Font().Name(), L"MS Sans Serif");

  auto* bar = page.Find<TTitleBar>(L"TitleBar1");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(page.TitleBar(), bar);
  EXPECT_EQ(bar->Top(), 0);
  EXPECT_EQ(bar->Width(), 500);
  EXPECT_EQ(bar->Height(), 25);
  EXPECT_EQ(bar->StartColor(), PageTitleColor);
  EXPECT_EQ(bar->EndColor(), PageTitleColor);
  EXPECT_EQ(bar->CaptionColor(), clWhite);
  EXPECT_TRUE(bar->Font().Bold());
  EXPECT_EQ(bar->Font().Height(), -13);

  // The navigation buttons: 67 x 51 in the page colour, picture above, their results.
  EXPECT_EQ(page.BNext.Width(), 67);
  EXPECT_EQ(page.BNext.Height(), 51);
  EXPECT_EQ(page.BNext.Color(), PageColor);
  EXPECT_EQ(page.BNext.ButtonLayout(), blGlyphTop);
  EXPECT_EQ(page.BNext.Spacing(), 5);
  EXPECT_EQ(page.BNext.Kind(), mknNext);
  EXPECT_EQ(page.BNext.ModalResult(), TModalResult::Next);
  EXPECT_EQ(page.BBack.ModalResult(), TModalResult::Back);  // explicit, over the kind's none
  EXPECT_EQ(page.BCancel.Width(), 109);
  EXPECT_EQ(page.BCancel.Height(), 28);
  EXPECT_TRUE(page.BCancel.Font().Bold());
  EXPECT_EQ(page.BCancel.ModalResult(), TModalResult::Cancel);
  EXPECT_EQ(page.BCancel.Caption(), L"&Abandon");  // the page's caption, not the kind's

  // Placement by the driver.
  page.MoveTo(33, 44);
  RECT r{};
  GetWindowRect(page.Handle(), &r);
  EXPECT_EQ(r.left, 33);
  EXPECT_EQ(r.top, 44);
  EXPECT_EQ(r.right - r.left, 500);
}

TEST(PageBase, TheWindowCaptionIsTheTitleAndFollowsIt) {
  TestPage page;
  EXPECT_EQ(page.Caption(), L"Pagina de proba");
  page.Show();
  EXPECT_EQ(WindowText(page.Handle()), L"Pagina de proba");
  page.SetCaption(L"Aplicatia a fost gasita");
  EXPECT_EQ(WindowText(page.Handle()), L"Aplicatia a fost gasita");
  EXPECT_EQ(page.Find<TTitleBar>(L"TitleBar1")->Caption(), L"Aplicatia a fost gasita");
}

TEST(PageBase, AltMTogglesTheBackdropAndKeepsThePageInFront) {
  Backdrop backdrop;
  TestPage page;
  page.Show();
  ASSERT_TRUE(IsWindowVisible(backdrop.Handle()));
  AltKey(page.Handle(), 'M');
  EXPECT_FALSE(IsWindowVisible(backdrop.Handle()));
  EXPECT_EQ(GetForegroundWindow(), page.Handle());
  AltKey(page.Handle(), 'M');
  EXPECT_TRUE(IsWindowVisible(backdrop.Handle()));
  EXPECT_TRUE(Above(page.Handle(), backdrop.Handle())) << "the shown backdrop must not cover the page";
  EXPECT_EQ(GetForegroundWindow(), page.Handle());
  EXPECT_TRUE(IsWindowVisible(page.Handle()));
  EXPECT_EQ(page.ModalResult(), TModalResult::None);  // the key closes nothing

  // Without a backdrop (none registered) the key only brings the page forward.
  SetMainWindow(nullptr);
  AltKey(page.Handle(), 'M');
  EXPECT_EQ(GetForegroundWindow(), page.Handle());
}

TEST(PageBase, AltHShowsTheInstructionsOnlyOnPagesThatAnswerIt) {
  int shown = 0;
  SetInstructionsHandler([&] { ++shown; });
  {
    TestPage plain(false), helped(true);
    plain.Show();
    AltKey(plain.Handle(), 'H');
    EXPECT_EQ(shown, 0);
    helped.Show();
    AltKey(helped.Handle(), 'H');
    EXPECT_EQ(shown, 1);
    // H without Alt is no key of the page.
    PostMessageW(helped.Handle(), WM_KEYDOWN, 'H', 0);
    Drain();
    EXPECT_EQ(shown, 1);
  }
  SetInstructionsHandler(nullptr);
  ShowInstructions();  // nothing registered: nothing happens, nothing fails
  EXPECT_EQ(shown, 1);
}

TEST(PageBase, AnErrorEscapingAHandlerShowsTheStandardErrorBox) {
  std::vector<std::pair<std::wstring, TPlatformBox>> boxes;
  SetPlatformBoxObserver([&](const std::wstring& text, TPlatformBox kind) { boxes.emplace_back(text, kind); });
  TestPage page;
  page.failing = true;
  PostMessageW(page.Handle(), WM_SYSCHAR, L'c', 0x20000000);  // Alt+C: "&Continua"
  // The button gave its result before the handler failed: the page ends with it.
  EXPECT_EQ(page.ShowModal(), TModalResult::Next);
  SetPlatformBoxObserver(nullptr);
  EXPECT_EQ(page.clicks, 1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].first, L"Nu pot scrie fisierul C:\\x.reg");
  EXPECT_EQ(boxes[0].second, TPlatformBox::Error);
}
