// The backdrop under Wine: its window, the panel kept centred, the version and the
// pictures, and the start-up that runs the wizard over it.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/install_settings.h"
#include "pixel_canvas.h"
#include "setup/Main.h"
#include "setup/Startup.h"
#include "toolkit/Cliunit.h"
#include "toolkit/Dialogs.h"
#include "toolkit/PlatformBox.h"
#include "toolkit_globals.h"
#include "win32_test_support.h"

using namespace corvan;

namespace {
constexpr COLORREF kBackdropBlue = RGB(8, 74, 140);

// Every message the code under test shows fails the test.
struct NoMessages {
  NoMessages() {
    SetMsgDlgObserver([](const MsgDlgRequest& r) {
      ADD_FAILURE() << "unexpected message: " << std::string(r.shownText.begin(), r.shownText.end());
      return TModalResult::None;
    });
  }
  ~NoMessages() { SetMsgDlgObserver(nullptr); }
};

// A pixel of the window, its frame included (window coordinates).
COLORREF WindowPixel(HWND window, int x, int y) {
  HDC dc = GetWindowDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}
}  // namespace

TEST(Backdrop, MaximisedBorderlessWindowWithThePanelCentred) {
  TInstaller backdrop;
  backdrop.Show();
  HWND window = backdrop.Handle();
  ASSERT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(IsZoomed(window));
  const LONG style = GetWindowLongW(window, GWL_STYLE), exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);

  RECT outer, client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  EXPECT_EQ(outer.right - outer.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(outer.bottom - outer.top, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(client.right, outer.right - outer.left - 10) << "a 5-pixel inner border";
  EXPECT_EQ(client.bottom, outer.bottom - outer.top - 10);
  // The 1024 x 768 screen of the tests: a client area of 1014 x 758.
  EXPECT_EQ(backdrop.Panou.Left(), (client.right - 750) / 2);
  EXPECT_EQ(backdrop.Panou.Top(), (client.bottom - 499) / 2 - 15);
  if (client.right == 1014 && client.bottom == 758) {
    EXPECT_EQ(backdrop.Panou.Left(), 132);
    EXPECT_EQ(backdrop.Panou.Top(), 114);
  }

  // Kept centred on a resize: 800 x 600 outside is 790 x 590 inside.
  ShowWindow(window, SW_RESTORE);
  SetWindowPos(window, nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(backdrop.ClientWidth(), 790);
  EXPECT_EQ(backdrop.ClientHeight(), 590);
  EXPECT_EQ(backdrop.Panou.Left(), 20);
  EXPECT_EQ(backdrop.Panou.Top(), 30);
  EXPECT_EQ(backdrop.Panou.Width(), 750);
  EXPECT_EQ(backdrop.Panou.Height(), 499);
  // The labels along the bottom edge.
  EXPECT_EQ(backdrop.Label1.Top(), 590 - 16);
  EXPECT_EQ(backdrop.Label1.Width(), 790);
  EXPECT_EQ(backdrop.VerLbl.Left(), 16);
  EXPECT_EQ(backdrop.VerLbl.Top() + backdrop.VerLbl.Height(), 590);
}

TEST(Backdrop, VersionAddressAndColours) {
  TInstaller backdrop;
  backdrop.Show();
  EXPECT_EQ(backdrop.VerLbl.Caption(), L"ver.3200876.02");
  EXPECT_EQ(backdrop.VerLbl.Font().Charset(), EASTEUROPE_CHARSET);
  const std::wstring& address = backdrop.Label1.Caption();
  ASSERT_GT(address.size(), 7u);
  EXPECT_EQ(address.substr(address.size() - 7), L"       ");
  EXPECT_NE(address[address.size() - 8], L' ');
  EXPECT_EQ(backdrop.Label1.Alignment(), taRightJustify);

  HWND window = backdrop.Handle();
  UpdateWindow(window);
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(WindowPixel(window, 2, 2), kBackdropBlue) << "the inner border";
  EXPECT_EQ(WindowPixel(window, 5 + 40, 5 + 40), kBackdropBlue) << "the window";
  // The version is drawn white at the bottom-left corner.
  int white = 0;
  const int top = 5 + backdrop.VerLbl.Top(), left = 5 + backdrop.VerLbl.Left();
  for (int y = top; y < top + backdrop.VerLbl.Height(); ++y)
    for (int x = left; x < left + 100; ++x) white += WindowPixel(window, x, y) == RGB(255, 255, 255);
  EXPECT_GT(white, 20);
}

TEST(Backdrop, PicturesTakenFromTheProgram) {
  TInstaller backdrop;
  const struct {
    TTransImage& image;
    int width, height;
  } pictures[] = {{backdrop.pasarele, 446, 218}, {backdrop.software, 197, 70}, {backdrop.caciula_i, 65, 45}};
  for (const auto& p : pictures) {
    SCOPED_TRACE(std::string(p.image.Name().begin(), p.image.Name().end()));
    ASSERT_NE(p.image.Bitmap(), nullptr);
    const SIZE size = BitmapSize(p.image.Bitmap());
    EXPECT_EQ(size.cx, p.width);
    EXPECT_EQ(size.cy, p.height);
    EXPECT_EQ(p.image.Width(), p.width);
    EXPECT_EQ(p.image.Height(), p.height);
    // Keyed by the backdrop's blue, so only the artwork shows.
    EXPECT_EQ(PictureAt(p.image.Bitmap(), 0, 0), kBackdropBlue);
    EXPECT_TRUE(p.image.Transparent());
  }
  EXPECT_EQ(backdrop.pasarele.Left(), 226);
  EXPECT_EQ(backdrop.pasarele.Top(), -3);
  EXPECT_EQ(backdrop.software.Top(), 319);
  EXPECT_EQ(backdrop.caciula_i.Left(), 123);
  EXPECT_EQ(backdrop.caciula_i.Top(), 201);
  // The stroke is yellow.
  const COLORREF stroke = PictureAt(backdrop.caciula_i.Bitmap(), 27, 15);
  EXPECT_GT(GetRValue(stroke), 200);
  EXPECT_GT(GetGValue(stroke), 150);
  EXPECT_LT(GetBValue(stroke), 120);
}

// What a page sees of the program's main window while it is shown.
struct MainWindowSeen {
  HWND window = nullptr;
  bool visible = false, zoomed = false;
  std::wstring className;
};

// A page that looks at the main window while it is shown, then cancels the wizard.
class LookingPage : public IWizardPage {
 public:
  explicit LookingPage(MainWindowSeen& seen) : seen_(seen) {}
  SIZE OuterSize() const override { return {400, 200}; }
  void MoveTo(int, int) override {}
  TModalResult ShowModal() override {
    seen_.window = MainWindow();
    if (!seen_.window) return TModalResult::Cancel;
    seen_.visible = IsWindowVisible(seen_.window);
    seen_.zoomed = IsZoomed(seen_.window);
    wchar_t name[64] = L"";
    GetClassNameW(seen_.window, name, 64);
    seen_.className = name;
    return TModalResult::Cancel;
  }

 private:
  MainWindowSeen& seen_;
};

TEST(Startup, WizardRunsOverTheShownBackdropWhichGoesAfterwards) {
  NoMessages quiet;
  MainWindowSeen seen;
  int pages = 0;
  WizardEnvironment env;
  env.aliasExists = [] { return false; };
  env.unpackUpgradePackage = [] {};
  env.loadUpgradeLibrary = [] { return true; };
  env.readSetupConfig = [] {};
  env.askServerUpgrade = [] { return true; };
  env.createPage = [&](TWizardStep) -> std::unique_ptr<IWizardPage> {
    ++pages;
    return std::make_unique<LookingPage>(seen);
  };
  Settings() = {};
  std::vector<std::wstring> errors;
  SetPlatformBoxObserver([&](const std::wstring& text, TPlatformBox) { errors.push_back(text); });
  RunWizardOverBackdrop(env);
  SetPlatformBoxObserver(nullptr);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(pages, 1);
  ASSERT_NE(seen.window, nullptr) << "the backdrop is the main window while a page is shown";
  EXPECT_TRUE(seen.visible);
  EXPECT_TRUE(seen.zoomed);
  EXPECT_EQ(seen.className, L"TInstaller");
  EXPECT_FALSE(IsWindow(seen.window)) << "the backdrop is destroyed after the wizard";
  EXPECT_EQ(MainWindow(), nullptr);
}

TEST(Startup, BackdropDestroyedAlsoWhenTheWizardEndsByAnError) {
  NoMessages quiet;
  HWND seen = nullptr;
  WizardEnvironment env;
  env.aliasExists = [&]() -> bool {
    seen = MainWindow();
    throw std::runtime_error("motorul nu raspunde");
  };
  Settings() = {};
  std::vector<std::wstring> errors;
  SetPlatformBoxObserver([&](const std::wstring& text, TPlatformBox kind) {
    errors.push_back(text);
    EXPECT_EQ(kind, TPlatformBox::Error);
    EXPECT_TRUE(IsWindow(seen)) << "the error is shown over the backdrop";
  });
  RunWizardOverBackdrop(env);
  SetPlatformBoxObserver(nullptr);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], L"motorul nu raspunde");
  ASSERT_NE(seen, nullptr);
  EXPECT_FALSE(IsWindow(seen));
  EXPECT_EQ(MainWindow(), nullptr);
}
