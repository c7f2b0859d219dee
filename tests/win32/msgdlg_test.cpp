// The message dialog under Wine: the real painted dialog, driven by keys and mouse
// messages from the hook that sees it once shown.
#include <gtest/gtest.h>
#include <windows.h>

#include "toolkit/Cliunit.h"
#include "toolkit/Dialogs.h"
#include "toolkit/FmtLabel.h"
#include "toolkit/GGlobals.h"
#include "toolkit/Mbuttons.h"
#include "toolkit/Panels.h"
#include "toolkit/Title.h"
#include "toolkit/Transimg.h"
#include "win32_test_support.h"
#include "toolkit_globals.h"

namespace {
// Each test sees the real dialog through the hook and leaves the state as it found it.
class MsgDlgTest : public testing::Test {
 protected:
  void TearDown() override {
    SetMsgDlgShownHook(nullptr);
    SetMsgDlgObserver(nullptr);
    MessagePrefix.clear();
    AutoCloseTicks = 0;
    AutoConfirm = false;
    SetMainWindow(nullptr);
    if (main_) DestroyWindow(main_);
  }
  // The automatic modes run their timer on the program's main window.
  void MakeMainWindow() {
    main_ = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetMainWindow(main_);
  }
  HWND main_ = nullptr;
};

void Click(TWinControl& window, const TControl& target, UINT down, UINT up, WPARAM held) {
  POINT p{target.Left() + 2, target.Top() + 2};
  SendMessageW(window.Handle(), down, held, MAKELPARAM(p.x, p.y));
  SendMessageW(window.Handle(), up, 0, MAKELPARAM(p.x, p.y));
}

// Under Xvfb without a window manager, the X server's focus events of a window closed just
// before can arrive late and take the activation away again: wait for it, and ask again.
void WaitForFocus(TMessageForm& dialog) {
  for (int attempt = 0; attempt < 5 && !PumpUntil([] { return GetFocus() != nullptr; }, 500); ++attempt)
    SetForegroundWindow(dialog.Handle());
}

TPanel& ButtonPanelOf(TMessageForm& dialog, const wchar_t* anyButton) {
  return *static_cast<TPanel*>(dialog.FindControl(anyButton)->Parent());
}
}  // namespace

TEST_F(MsgDlgTest, PrefixIsPutBeforeTheTextInCapitals) {
  MessagePrefix = L"Pentru continuare";
  std::wstring seen;
  SetMsgDlgObserver([&](const MsgDlgRequest& r) { return seen = r.shownText, TModalResult::Ok; });
  EXPECT_EQ(MsgDlg(L"abc", L"", mtWarning, taCenter, Buttons({mbOK}), mbOK), TModalResult::Ok);
  EXPECT_EQ(seen, L"PENTRU CONTINUARE,\r\rabc");

  // The real dialog's label carries the same text.
  SetMsgDlgObserver(nullptr);
  std::wstring label;
  SetMsgDlgShownHook([&](TMessageForm& d) {
    label = d.Find<TFmtLabel>(L"Message")->Caption();
    d.SetModalResult(TModalResult::Ok);
  });
  MsgDlg(L"abc", L"", mtWarning, taCenter, Buttons({mbOK}), mbOK);
  EXPECT_EQ(label, L"PENTRU CONTINUARE,\r\rabc");
}

TEST_F(MsgDlgTest, EnterAndEscAnswers) {
  struct Case {
    const char* what;
    TMsgDlgButtons buttons;
    TMsgDlgBtn def;
    WORD key;
    TModalResult expected;  // None: the key did nothing, the test pressed "&Da" afterwards
  } cases[] = {
      {"OK only, Enter", Buttons({mbOK}), mbOK, VK_RETURN, TModalResult::Ok},
      {"OK only, Esc", Buttons({mbOK}), mbOK, VK_ESCAPE, TModalResult::Ok},
      {"Yes/No default No, Enter", Buttons({mbYes, mbNo}), mbNo, VK_RETURN, TModalResult::No},
      {"Yes/No default No, Esc does nothing", Buttons({mbYes, mbNo}), mbNo, VK_ESCAPE, TModalResult::None},
      {"No and Cancel: Esc is Cancel", Buttons({mbYes, mbNo, mbCancel}), mbYes, VK_ESCAPE, TModalResult::Cancel},
      {"OK and Cancel, Enter", Buttons({mbOK, mbCancel}), mbOK, VK_RETURN, TModalResult::Ok},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    bool focusOnDefault = false;
    SetMsgDlgShownHook([&](TMessageForm& d) {
      WaitForFocus(d);
      auto* focused = dynamic_cast<TNiceButton*>(TWinControl::FromHandle(GetFocus()));
      focusOnDefault = focused && focused->Default;
      PostMessageW(GetFocus(), WM_KEYDOWN, c.key, 0);
      if (auto* yes = d.Find<TNiceButton>(L"BtnDa")) PostMessageW(yes->Handle(), BM_CLICK, 0, 0);
    });
    const TModalResult result = MsgDlg(L"Intrebare", L"", mtConfirmation, taCenter, c.buttons, c.def);
    if (c.expected == TModalResult::None) EXPECT_EQ(result, TModalResult::Yes);
    else EXPECT_EQ(result, c.expected);
    EXPECT_TRUE(focusOnDefault);  // the default button starts with the focus
  }
}

TEST_F(MsgDlgTest, ButtonPanelAndWindowWidths) {
  struct Case {
    TMsgDlgButtons buttons;
    const wchar_t* aButton;
    int panelWidth;
    int minClientWidth;
  } cases[] = {
      {Buttons({mbYes, mbNo, mbCancel}), L"BtnDa", 332, 364},
      {Buttons({mbOK}), L"BtnOK", 132, 182},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.panelWidth);
    int panelWidth = 0, clientWidth = 0, messagePanelWidth = 0, buttonTop = 0, buttonWidth = 0;
    SetMsgDlgShownHook([&](TMessageForm& d) {
      TPanel& buttons = ButtonPanelOf(d, c.aButton);
      panelWidth = buttons.Width();
      clientWidth = d.ClientWidth();
      messagePanelWidth = d.FindControl(L"Panel")->Width();
      buttonTop = d.FindControl(c.aButton)->Top();
      buttonWidth = d.FindControl(c.aButton)->Width();
      d.SetModalResult(TModalResult::Ok);
    });
    MsgDlg(L"x", L"", mtInformation, taLeftJustify, c.buttons, mbOK);
    EXPECT_EQ(panelWidth, c.panelWidth);
    EXPECT_GE(clientWidth, c.minClientWidth);
    EXPECT_GE(messagePanelWidth, 150);
    EXPECT_EQ(buttonTop, 8);
    EXPECT_EQ(buttonWidth, 100);
  }
}

TEST_F(MsgDlgTest, TitlesOfTheKindsAndTheGradientBar) {
  const struct {
    TMsgDlgType kind;
    const wchar_t* caption;
    const wchar_t* title;
  } cases[] = {{mtError, L"", L"EROARE !"},
               {mtWarning, L"", L"Atentie !"},
               {mtConfirmation, L"UPGRADE baza de date SERVER ?", L"UPGRADE baza de date SERVER ?"},
               {mtCustom, L"", L""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    std::wstring barCaption;
    wchar_t windowText[64] = {};
    COLORREF firstColumn = 0;
    SetMsgDlgShownHook([&](TMessageForm& d) {
      barCaption = d.TitleBar()->Caption();
      GetWindowTextW(d.Handle(), windowText, 64);
      UpdateWindow(d.Handle());
      HDC dc = GetDC(d.Handle());
      firstColumn = GetPixel(dc, 0, 20);
      ReleaseDC(d.Handle(), dc);
      d.SetModalResult(TModalResult::Ok);
    });
    MsgDlg(L"text", c.caption, c.kind, taCenter, Buttons({mbOK}), mbOK);
    EXPECT_EQ(barCaption, c.title);
    EXPECT_STREQ(windowText, c.title);
    EXPECT_EQ(firstColumn, RGB(6, 81, 130));  // the bar starts dark blue
  }
}

TEST_F(MsgDlgTest, ShortTextIsCentredOnTheTallerPicture) {
  int pictureTop = -1, pictureHeight = 0, textTop = -1, textHeight = 0;
  SetMsgDlgShownHook([&](TMessageForm& d) {
    const TControl* image = d.FindControl(L"Image");
    const TControl* text = d.FindControl(L"Message");
    pictureTop = image->Top();
    pictureHeight = image->Height();
    textTop = text->Top();
    textHeight = text->Height();
    d.SetModalResult(TModalResult::Ok);
  });
  MsgDlg(L"scurt", L"", mtWarning, taCenter, Buttons({mbOK}), mbOK);
  EXPECT_EQ(pictureTop, 10);
  EXPECT_EQ(pictureHeight, BitmapSize(MessageKindImage(mtWarning)).cy);
  EXPECT_NEAR(textTop + textHeight / 2, pictureTop + pictureHeight / 2, 1);
}

TEST_F(MsgDlgTest, RightClickOnTheTextAnswersTheDefault) {
  SetMsgDlgShownHook([&](TMessageForm& d) {
    TControl* text = d.FindControl(L"Message");
    Click(*text->Parent(), *text, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  });
  EXPECT_EQ(MsgDlg(L"Sigur?", L"", mtConfirmation, taCenter, Buttons({mbYes, mbNo}), mbNo), TModalResult::No);
}

TEST_F(MsgDlgTest, ThreePictureClicksSwitchAutoCloseOnAndOff) {
  MakeMainWindow();
  auto clickPicture = [](TMessageForm& d, int times) {
    TControl* image = d.FindControl(L"Image");
    for (int i = 0; i < times; ++i) Click(*image->Parent(), *image, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
  };
  int clicksSeen = 0;
  SetMsgDlgShownHook([&](TMessageForm& d) {
    clickPicture(d, 2);
    clicksSeen = d.Clickuri;  // two clicks do nothing yet
    clickPicture(d, 1);
  });
  EXPECT_EQ(MsgDlg(L"a", L"", mtInformation, taCenter, Buttons({mbOK}), mbOK), TModalResult::Ignore);
  EXPECT_EQ(clicksSeen, 2);
  EXPECT_EQ(AutoCloseTicks, 1);

  // From now on a one-button dialog closes itself on the second 300 ms tick.
  SetMsgDlgShownHook(nullptr);
  EXPECT_EQ(MsgDlg(L"b", L"", mtInformation, taCenter, Buttons({mbOK}), mbOK), TModalResult::Cancel);
  EXPECT_EQ(MsgDlg(L"c", L"", mtError, taCenter, Buttons({mbCancel}), mbCancel), TModalResult::Cancel);

  // Three more clicks switch it off.
  SetMsgDlgShownHook([&](TMessageForm& d) { clickPicture(d, 3); });
  EXPECT_EQ(MsgDlg(L"d", L"", mtInformation, taCenter, Buttons({mbOK}), mbOK), TModalResult::Ignore);
  EXPECT_EQ(AutoCloseTicks, 0);
}

TEST_F(MsgDlgTest, ThreePictureClicksOnAQuestionSwitchAutoConfirm) {
  MakeMainWindow();
  SetMsgDlgShownHook([&](TMessageForm& d) {
    TControl* image = d.FindControl(L"Image");
    for (int i = 0; i < 3; ++i) Click(*image->Parent(), *image, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_MBUTTON);
  });
  EXPECT_EQ(MsgDlg(L"a", L"", mtConfirmation, taCenter, Buttons({mbYes, mbNo}), mbYes), TModalResult::Yes);
  EXPECT_TRUE(AutoConfirm);
  SetMsgDlgShownHook(nullptr);
  EXPECT_EQ(MsgDlg(L"b", L"", mtConfirmation, taCenter, Buttons({mbYes, mbNo}), mbNo), TModalResult::No);
}

TEST_F(MsgDlgTest, AutomaticModesNeedTheMainWindow) {
  AutoCloseTicks = 1;
  bool stillOpenLater = false;
  SetMsgDlgShownHook([&](TMessageForm& d) {
    stillOpenLater = PumpUntil([&] { return d.ModalResult() != TModalResult::None; }, 1200) == false;
    d.SetModalResult(TModalResult::Ok);
  });
  EXPECT_EQ(MsgDlg(L"a", L"", mtInformation, taCenter, Buttons({mbOK}), mbOK), TModalResult::Ok);
  EXPECT_TRUE(stillOpenLater);
}

TEST_F(MsgDlgTest, CodeCharactersAndLongLinesShowAsWritten) {
  std::wstring label;
  SetMsgDlgShownHook([&](TMessageForm& d) {
    label = d.Find<TFmtLabel>(L"Message")->Caption();
    d.SetModalResult(TModalResult::Ok);
  });
  MsgDlg(L"C:\\Corvan\\%TEMP% 100% & $1 @9 ~", L"", mtError, taCenter, Buttons({mbOK}), mbOK);
  EXPECT_EQ(label, L"C:\\Corvan\\\\%TEMP\\% 100\\% \\& \\$1 \\@9 \\~");
  // The label reads it back as written.
  std::wstring shown;
  const auto lines = corvan::ReadFmtMarkup(label, {});
  for (const auto& run : lines[0]) shown += run.text;
  EXPECT_EQ(shown, L"C:\\Corvan\\%TEMP% 100% & $1 @9 ~");
}

TEST_F(MsgDlgTest, APageUnderTheDialogComesBackAsItWas) {
  TTitleForm page({.name = L"Page", .left = 50, .top = 50, .color = corvan::PageColor});
  page.SetBorderStyle(bsNone);
  page.SetClientSize(300, 200);
  TMButton next(&page, {.name = L"BNext", .left = 100, .top = 140, .width = 67, .height = 51, .caption = L"&Continua",
                        .enabled = false});
  TMButton back(&page, {.name = L"BBack", .left = 180, .top = 140, .width = 67, .height = 51, .caption = L"&Inapoi"});
  page.Show();
  back.SetFocus();
  bool backEnabledUnder = true;
  SetMsgDlgShownHook([&](TMessageForm&) {
    backEnabledUnder = back.Enabled();
    // A right click on the page answers the dialog with its default.
    SendMessageW(page.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(page.Handle()),
                 MAKELPARAM(HTERROR, WM_RBUTTONDOWN));
  });
  EXPECT_EQ(MsgDlg(L"Sigur?", L"", mtConfirmation, taCenter, Buttons({mbYes, mbNo}), mbNo), TModalResult::No);
  EXPECT_FALSE(backEnabledUnder);
  EXPECT_FALSE(next.Enabled());
  EXPECT_TRUE(back.Enabled());
  EXPECT_EQ(GetFocus(), back.HandleIfCreated());
}
