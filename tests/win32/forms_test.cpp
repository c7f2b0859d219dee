// The window bases under Wine: real windows, real messages; each test checks the
// return value, the state and, where it matters, a pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

#include "core/colors.h"
#include "platform/Files.h"
#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"
#include "toolkit/Title.h"
#include "toolkit_globals.h"
#include "win32_test_support.h"

using corvan::PageColor;

namespace {
// What the tests end a modal loop with, besides the buttons' results.
constexpr TModalResult EndedByTest = static_cast<TModalResult>(42);
// A push button of the platform wrapped by the toolkit, as the real buttons are: it
// answers for itself through the reflected WM_COMMAND and is found by its window.
class TestButton : public TWinControl, public IFormButton {
 public:
  TestButton(TWinControl* parent, const TControlDesc& desc, TModalResult modalResult = TModalResult::None,
             bool isDefault = false,
             bool isCancel = false)
      : TWinControl(parent, desc), modalResult_(modalResult), default_(isDefault), cancel_(isCancel) {
    SetTabStop(true);
  }
  TWinControl& ButtonControl() override { return *this; }
  bool IsDefault() const override { return default_; }
  bool IsCancel() const override { return cancel_; }
  void Press() override {
    ++presses;
    if (modalResult_ != TModalResult::None && Form()) Form()->SetModalResult(modalResult_);
    Click();
  }
  void FocusMovedTo(TWinControl* focused) override { lastFocusNotice = focused; }
  int presses = 0;
  TWinControl* lastFocusNotice = nullptr;

 protected:
  void CreateParams(TCreateParams& p) override {
    TWinControl::CreateParams(p);
    p.systemClass = L"BUTTON";
    p.style |= BS_PUSHBUTTON;
  }
  bool ReflectCommand(WORD code, LRESULT& result) override {
    if (code != BN_CLICKED) return false;
    Press();
    result = 0;
    return true;
  }

 private:
  TModalResult modalResult_;
  bool default_, cancel_;
};

// A windowless square that paints itself and counts its clicks.
class Square : public TControl {
 public:
  using TControl::TControl;
  void Paint(HDC dc) override { FillSolid(dc, {0, 0, Width(), Height()}, ResolveColor(Color())); }
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    lastDown = {x, y};
    TControl::MouseDown(button, shift, x, y);
  }
  POINT lastDown{-1, -1};
};

// A wizard-like page: title bar, a square, Continue (disabled) and Back.
class TestPage : public TTitleForm {
 public:
  TestPage()
      : TTitleForm({.name = L"TestPage", .left = 100, .top = 100, .color = PageColor, .caption = L"Pagina"}) {
    SetBorderStyle(bsNone);
    SetClientSize(400, 200);
  }
  TTitleBar TitleBar1{this, {.name = L"TitleBar1", .align = alTop, .caption = L"Pagina"}};
  Square Square1{this, {.name = L"Square1", .left = 10, .top = 60, .width = 20, .height = 20, .color = corvan::Rgb(255, 0, 0)}};
  TestButton BNext{this, {.name = L"BNext", .left = 200, .top = 150, .width = 67, .height = 40, .caption = L"&Continua", .enabled = false}, TModalResult::Next};
  TestButton BBack{this, {.name = L"BBack", .left = 280, .top = 150, .width = 67, .height = 40, .caption = L"&Inapoi"}, TModalResult::Back};

  // WM_APP ends the modal loop with EndedByTest: a key posted before it was handled without closing.
  bool WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == WM_APP) {
      SetModalResult(EndedByTest);
      result = 0;
      return true;
    }
    return TTitleForm::WndProc(message, wParam, lParam, result);
  }
};

// A message-dialog-like window with one default answer.
class TestDialog : public TMessageForm {
 public:
  TestDialog() : TMessageForm({.name = L"Message", .left = 150, .top = 150}) { SetClientSize(200, 100); }
  TestButton BtnNu{this, {.name = L"BtnNu", .left = 10, .top = 50, .width = 80, .height = 28, .caption = L"&Nu"}, TModalResult::No, true};
  TestButton BtnDa{this, {.name = L"BtnDa", .left = 100, .top = 50, .width = 80, .height = 28, .caption = L"&Da"}, TModalResult::Yes};
};

void SetKeys(std::initializer_list<int> held) {
  BYTE state[256] = {};
  for (int key : held) state[key] = 0x80;
  SetKeyboardState(state);
}

COLORREF ClientPixel(TWinControl& control, int x, int y) {
  WindowDC dc(control.Handle());
  return GetPixel(dc.Get(), x, y);
}
}  // namespace

TEST(Forms, ControlsAreFoundByNameAndPaintOnTheirWindow) {
  TestPage page;
  EXPECT_EQ(page.FindControl(L"BBack"), &page.BBack);
  EXPECT_EQ(page.Find<TTitleBar>(L"TitleBar1"), &page.TitleBar1);
  EXPECT_EQ(page.Find<TestButton>(L"TitleBar1"), nullptr);
  EXPECT_EQ(page.FindControl(L"Nimic"), nullptr);

  page.Show();
  ASSERT_TRUE(page.BBack.HandleAllocated());
  EXPECT_EQ(TWinControl::FromHandle(page.BBack.HandleIfCreated()), &page.BBack);
  wchar_t cls[32] = {};
  GetClassNameW(page.BBack.HandleIfCreated(), cls, 32);
  EXPECT_STREQ(cls, L"Button");
  UpdateWindow(page.Handle());
  EXPECT_EQ(page.TitleBar1.Width(), 400);  // aligned to the top
  EXPECT_EQ(ClientPixel(page, 15, 65), RGB(255, 0, 0));
  EXPECT_EQ(ClientPixel(page, 50, 100), RGB(152, 165, 177));
}

// A plain function: the 32-bit build needs the callback's stdcall convention.
static BOOL CALLBACK CountBackButtons(HWND child, LPARAM count) {
  TWinControl* control = TWinControl::FromHandle(child);
  if (control && control->Name() == L"BBack") ++*reinterpret_cast<int*>(count);
  return TRUE;
}

TEST(Forms, AChildAskedForItsWindowFirstGetsOneWindowWithItsParent) {
  TestPage page;
  // The parent's window is made first, and the children's with it.
  HWND button = page.BBack.Handle();
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(page.HandleAllocated());
  int windows = 0;
  EnumChildWindows(page.Handle(), CountBackButtons, reinterpret_cast<LPARAM>(&windows));
  EXPECT_EQ(windows, 1) << "not a second window left behind under the same control";
  EXPECT_EQ(page.BBack.HandleIfCreated(), button);
}

TEST(Forms, MouseReachesTheWindowlessControlInItsOwnCoordinates) {
  TestPage page;
  int clicks = 0;
  page.Square1.OnClick = [&](TControl&) { ++clicks; };
  page.Show();
  SendMessageW(page.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(13, 64));
  SendMessageW(page.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(13, 64));
  EXPECT_EQ(page.Square1.lastDown.x, 3);
  EXPECT_EQ(page.Square1.lastDown.y, 4);
  EXPECT_EQ(clicks, 1);
  // Released outside the square: no click.
  SendMessageW(page.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(13, 64));
  SendMessageW(page.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
  EXPECT_EQ(clicks, 1);
}

TEST(Forms, CommandIsReflectedToTheButtonObject) {
  TestPage page;
  page.Show();
  SendMessageW(page.BBack.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(page.BBack.presses, 1);
  EXPECT_EQ(page.ModalResult(), TModalResult::Back);
}

TEST(Forms, ButtonsComeBackAsTheyWereAfterAModalDialog) {
  TestPage page;
  page.Show();
  page.BBack.SetFocus();
  ASSERT_TRUE(page.BBack.Focused());
  EXPECT_EQ(page.BNext.lastFocusNotice, &page.BBack);  // every button hears where the focus went

  TestDialog dialog;
  bool nextWhileCovered = true, backWhileCovered = true;
  dialog.OnShow = [&](TControl&) {
    nextWhileCovered = page.BNext.Enabled();
    backWhileCovered = page.BBack.Enabled();
    dialog.SetModalResult(TModalResult::No);
  };
  EXPECT_EQ(dialog.ShowModal(), TModalResult::No);
  EXPECT_FALSE(nextWhileCovered);
  EXPECT_FALSE(backWhileCovered);
  EXPECT_FALSE(page.BNext.Enabled());
  EXPECT_FALSE(IsWindowEnabled(page.BNext.HandleIfCreated()));
  EXPECT_TRUE(page.BBack.Enabled());
  EXPECT_TRUE(IsWindowEnabled(page.BBack.HandleIfCreated()));
  EXPECT_TRUE(IsWindowEnabled(page.Handle()));
  EXPECT_EQ(GetFocus(), page.BBack.HandleIfCreated());
}

TEST(Forms, EnterPressesTheFocusedButtonOrElseTheDefaultEscTheCancelOne) {
  {
    TestDialog dialog;
    dialog.OnShow = [&](TControl&) {
      dialog.BtnDa.SetFocus();
      PostMessageW(dialog.BtnDa.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    };
    EXPECT_EQ(dialog.ShowModal(), TModalResult::Yes);
  }
  {
    // The focus on the window itself, not on a button: Enter goes to the default one.
    TestDialog dialog;
    dialog.BtnNu.SetTabStop(false);
    dialog.BtnDa.SetTabStop(false);
    dialog.OnShow = [&](TControl&) { PostMessageW(dialog.Handle(), WM_KEYDOWN, VK_RETURN, 0); };
    EXPECT_EQ(dialog.ShowModal(), TModalResult::No);
    EXPECT_EQ(dialog.BtnNu.presses, 1);
  }
  {
    TestPage page;
    TestButton cancel{&page, {.name = L"BCancel", .left = 10, .top = 150, .width = 60, .height = 30}, TModalResult::Cancel, false, true};
    page.OnShow = [&](TControl&) { PostMessageW(page.BBack.Handle(), WM_KEYDOWN, VK_ESCAPE, 0); };
    EXPECT_EQ(page.ShowModal(), TModalResult::Cancel);
    EXPECT_EQ(cancel.presses, 1);
  }
}

TEST(Forms, RightClickOnAnotherWindowAnswersTheOpenDialogWithItsDefault) {
  TestPage page;
  page.Show();
  TestDialog dialog;
  LRESULT consumed = 0;
  dialog.OnShow = [&](TControl&) {
    consumed = SendMessageW(page.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(page.Handle()),
                            MAKELPARAM(HTERROR, WM_RBUTTONDOWN));
  };
  EXPECT_EQ(dialog.ShowModal(), TModalResult::No);
  EXPECT_EQ(consumed, TRUE);
  EXPECT_EQ(dialog.BtnNu.presses, 1);
  EXPECT_EQ(dialog.BtnDa.presses, 0);
}

TEST(Forms, AltF4DoesNothingOnATitledWindowCtrlAltMMinimises) {
  TestPage page;
  page.OnShow = [&](TControl&) {
    SetKeys({VK_MENU});
    PostMessageW(page.Handle(), WM_SYSKEYDOWN, VK_F4, 0x20000000);
    PostMessageW(page.Handle(), WM_APP, 0, 0);
  };
  EXPECT_EQ(page.ShowModal(), EndedByTest);
  SetKeys({});

  TestPage other;
  other.OnShow = [&](TControl&) {
    SetKeys({VK_CONTROL, VK_MENU});
    PostMessageW(other.BBack.Handle(), WM_KEYDOWN, 'M', 0);
    PostMessageW(other.Handle(), WM_APP, 0, 0);
  };
  EXPECT_EQ(other.ShowModal(), EndedByTest);
  SetKeys({});
  EXPECT_TRUE(IsIconic(other.Handle()));
}

TEST(Forms, WheelWithCtrlAltZoomsByOnePercentAndShiftGoesBack) {
  TestPage page;
  page.Show();
  const int width = page.ClientWidth();

  int wheelEvents = 0;
  page.OnMouseWheelUp = [&](TControl&, TShiftState, POINT) { return ++wheelEvents, false; };
  SetKeys({VK_CONTROL, VK_MENU});
  for (int i = 0; i < 3; ++i) SendMessageW(page.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), 0);
  EXPECT_EQ(page.DPIScale(), 3);
  EXPECT_EQ(wheelEvents, 3);
  EXPECT_EQ(page.ClientWidth(), ((width * 101 / 100) * 101 / 100) * 101 / 100);
  EXPECT_EQ(page.BBack.Left(), 289);  // 280 -> 283 -> 286 -> 289, rounded at each step
  SetKeys({VK_CONTROL, VK_MENU, VK_SHIFT});
  SendMessageW(page.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL | MK_SHIFT, WHEEL_DELTA), 0);
  EXPECT_EQ(page.DPIScale(), 0);
  EXPECT_NEAR(page.ClientWidth(), width, 2);
  // Without Alt the wheel does not zoom.
  SetKeys({VK_CONTROL});
  SendMessageW(page.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), 0);
  EXPECT_EQ(page.DPIScale(), 0);
  SetKeys({});
}

TEST(Forms, TitledWindowBorderFramesFromOutsideIn) {
  TestPage page;
  page.SetBorderWidth(3);
  page.Show();
  PumpUntil([] { return false; }, 100);
  const struct {
    int at;
    COLORREF expected;
  } frames[] = {{0, DarkenColor(PageColor, 4)}, {1, LightenColor(PageColor, 10)}, {2, RGB(152, 165, 177)}};
  RECT w;
  GetWindowRect(page.Handle(), &w);
  for (const auto& f : frames) {
    SCOPED_TRACE(f.at);
    HDC windowDc = GetWindowDC(page.Handle());
    EXPECT_EQ(GetPixel(windowDc, f.at, 40), f.expected);
    EXPECT_EQ(GetPixel(windowDc, w.right - w.left - 1 - f.at, 60), f.expected);
    ReleaseDC(page.Handle(), windowDc);
  }
}

TEST(Forms, TopFiftyPixelsAreTheCaption) {
  TestPage page;
  page.Show();
  POINT p{5, 49};
  ClientToScreen(page.Handle(), &p);
  EXPECT_EQ(SendMessageW(page.Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCAPTION);
  p = {5, 50};
  ClientToScreen(page.Handle(), &p);
  EXPECT_EQ(SendMessageW(page.Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCLIENT);
}

TEST(Forms, SizeIsRememberedUnderItsSaveNameAndTag) {
  const std::wstring ini = AppDir + L"CORVAN.Ini";
  DeleteFileW(ini.c_str());
  {
    TestPage page;
    page.SaveName = L"Lista";
    page.SetTag(2);
    page.Show();
    page.SetBounds(120, 90, 330, 210);
  }
  EXPECT_EQ(GetPrivateProfileIntW(L"Lista2", L"WIDTH", -1, ini.c_str()), 330);
  EXPECT_EQ(GetPrivateProfileIntW(L"Lista2", L"HEIGHT", -1, ini.c_str()), 210);
  EXPECT_EQ(GetPrivateProfileIntW(L"Lista2", L"LEFT", -1, ini.c_str()), 120);
  EXPECT_EQ(GetPrivateProfileIntW(L"Lista2", L"TOP", -1, ini.c_str()), 90);
  EXPECT_EQ(GetPrivateProfileIntW(L"Lista2", L"STATE", -1, ini.c_str()), 0);

  TestPage again;
  again.SaveName = L"Lista";
  again.SetTag(2);
  again.Show();
  again.RestoreSize();
  EXPECT_EQ(again.Left(), 120);
  EXPECT_EQ(again.Top(), 90);
  EXPECT_EQ(again.Width(), 330);
  EXPECT_EQ(again.Height(), 210);

  // Without a SaveName nothing is written.
  DeleteFileW(ini.c_str());
  { TestPage unnamed; unnamed.Show(); }
  EXPECT_FALSE(FileExists(ini));
}

TEST(Forms, SystemMenuCaptionsInRomanianCloseGreyed) {
  TMForm form({.name = L"Framed", .left = 10, .top = 10, .width = 300, .height = 200});
  form.SetBorderStyle(bsSingle);
  form.Show();
  HMENU menu = GetSystemMenu(form.Handle(), FALSE);
  ASSERT_NE(menu, nullptr);
  const struct {
    UINT command;
    const wchar_t* caption;
  } items[] = {{SC_MOVE, L"&Muta"}, {SC_MINIMIZE, L"Mi&nimizeaza"}, {SC_CLOSE, L"&Inchide    ALT+F4"}};
  for (const auto& item : items) {
    SCOPED_TRACE(item.caption);
    wchar_t text[64] = {};
    GetMenuStringW(menu, item.command, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, item.caption);
  }
  EXPECT_TRUE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
}

TEST(Forms, SizeableTitledWindowGetsAPaintedFrameWithSizingEdges) {
  BufferAllNiceButtons = true;
  TTitleForm form({.name = L"Sizeable", .left = 100, .top = 100, .width = 300, .height = 200, .color = PageColor});
  TTitleBar TitleBar1{&form, {.name = L"TitleBar1", .align = alTop}};
  form.Show();
  BufferAllNiceButtons = false;
  EXPECT_TRUE(form.Win10Sizeable());
  EXPECT_EQ(form.BorderStyle(), bsNone);
  EXPECT_EQ(form.BorderWidth(), 3);
  const LONG style = GetWindowLongW(form.Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);

  RECT w;
  GetWindowRect(form.Handle(), &w);
  const struct {
    int x, y;
    LRESULT hit;
  } points[] = {
      {w.left + 2, w.top + 2, HTTOPLEFT},  // the frame is outside the client area's caption band
      {w.left + 1, w.bottom - 2, HTBOTTOMLEFT},
      {w.right - 3, w.bottom - 1, HTBOTTOMRIGHT},
      {w.left + 2, w.top + 120, HTLEFT},
      {w.right - 1, w.top + 120, HTRIGHT},
      {w.left + 150, w.bottom - 4, HTBOTTOM},
      {w.left + 150, w.top + 40, HTCAPTION},
      {w.left + 150, w.top + 120, HTCLIENT},
  };
  for (const auto& p : points) {
    SCOPED_TRACE(testing::Message() << p.x - w.left << "," << p.y - w.top);
    EXPECT_EQ(SendMessageW(form.Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), p.hit);
  }

  // It cannot be made lower than its frame plus the title bar.
  MINMAXINFO info{};
  SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.y, 6 + 25);
}

TEST(Forms, XKindAcceptsOnlyZeroToTwelve) {
  TMForm form({.name = L"Kinds"});
  form.SetXKind(13);
  EXPECT_EQ(form.Kind(), 0);
  form.SetXKind(5);
  EXPECT_EQ(form.Kind(), 5);
  EXPECT_EQ(form.XKind(), 5);
  form.SetXKind(-1);
  EXPECT_EQ(form.Kind(), 5);
}

TEST(Forms, AnExceptionInAHandlerDoesNotLeaveTheWindowProcedure) {
  TestPage page;
  page.Square1.OnClick = [](TControl&) { throw std::runtime_error("din handler"); };
  page.Show();
  SendMessageW(page.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(13, 64));
  SendMessageW(page.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(13, 64));
  EXPECT_TRUE(IsWindow(page.Handle()));  // still alive and answering
  POINT p{5, 5};
  ClientToScreen(page.Handle(), &p);
  EXPECT_EQ(SendMessageW(page.Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCAPTION);
}

TEST(Forms, AMaximisedModalWindowFitsTheWorkArea) {
  TestPage page;
  page.SetBorderWidth(2);
  RECT window{}, client{};
  page.OnShow = [&](TControl&) {
    ShowWindow(page.Handle(), SW_MAXIMIZE);
    GetWindowRect(page.Handle(), &window);
    GetClientRect(page.Handle(), &client);
    page.SetModalResult(TModalResult::Next);
  };
  EXPECT_EQ(page.ShowModal(), TModalResult::Next);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromWindow(page.Handle(), MONITOR_DEFAULTTONEAREST), &info);
  EXPECT_EQ(window.left, info.rcWork.left);
  EXPECT_EQ(window.top, info.rcWork.top);
  // Work area minus twice (system border + border width); no border style, so no more.
  EXPECT_EQ(client.right, (info.rcWork.right - info.rcWork.left) - 2 * (GetSystemMetrics(SM_CXBORDER) + 2));
  EXPECT_EQ(client.bottom, (info.rcWork.bottom - info.rcWork.top) - 2 * (GetSystemMetrics(SM_CYBORDER) + 2));
}
