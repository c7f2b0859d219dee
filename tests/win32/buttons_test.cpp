// The glyph and smooth buttons under Wine: their pixels on memory DCs (the disabled
// caption colour, the layouts the wizard pages rely on) and their behaviour with real
// windows and real messages (kinds, clicks, hot state, the pressed flash, hit region).
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "core/colors.h"
#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"
#include "toolkit/Mbuttons.h"
#include "win32_test_support.h"
#include "toolkit_globals.h"
#include "pixel_canvas.h"

using corvan::Hex;
using corvan::PageColor;
using corvan::Rgb;
using corvan::TColor;
using corvan::clWhite;

namespace {
constexpr TColor kRed = Hex(0xFF0000);
constexpr TColor kKey = Rgb(255, 0, 255);


TColor WindowPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

bool IsGrey(TColor c) { return corvan::RedOf(c) == corvan::GreenOf(c) && corvan::GreenOf(c) == corvan::BlueOf(c); }

// A window in the wizard pages' colour and font.
class TestForm : public TMForm {
 public:
  TestForm()
      : TMForm({.name = L"TestForm", .left = 40, .top = 40, .width = 420, .height = 240, .color = PageColor,
                .font = TFont(L"MS Sans Serif", -11, fsBold)}) {
    SetBorderStyle(bsNone);
  }
  void ShowAndWait() {
    Show();
    SetForegroundWindow(Handle());
    PumpUntil([&] { return IsWindowVisible(Handle()) != FALSE; });
  }
};

// The wizard's navigation button: 67 x 51, arrow on top, spacing 5.
void MakeNavigation(TMButton& b, TModalResult modalResult, TMButtonKind kind) {
  b.SetModalResult(modalResult);
  b.SetKind(kind);
  b.SetButtonLayout(blGlyphTop);
  b.SetSpacing(5);
}

void Drain() { PumpUntil([] { return false; }, 50); }

// Sends a real mouse click at a screen point (the platform decides which window gets it).
void ClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
  Drain();
}
}  // namespace

TEST(GlyphButton, DisabledOnThePageIsFlatWithAGreyPictureAndDarkenedCaption) {
  TestForm form;
  TMButton next{&form, {.name = L"BNext", .width = 67, .height = 51, .color = PageColor, .caption = L"&Continua"}};
  MakeNavigation(next, TModalResult::Next, mknNext);
  next.SetEnabled(false);
  PixelCanvas canvas(67, 51, clWhite);
  next.PaintButton(canvas.dc(), ODS_DISABLED);

  EXPECT_EQ(next.DisableColor(), Hex(0x656E76));
  EXPECT_GT(canvas.Count(Hex(0x656E76)), 10);  // the caption
  EXPECT_EQ(canvas.Count(kRed), 0);            // no accelerator mark
  for (POINT corner : {POINT{0, 0}, POINT{66, 0}, POINT{0, 50}, POINT{66, 50}})
    EXPECT_EQ(canvas.Pixel(corner.x, corner.y), PageColor) << "flat face at " << corner.x << "," << corner.y;
  // The arrow is the picture's second (grey) cell.
  int arrow = 0;
  for (int y = 0; y < 25; ++y)
    for (int x = 20; x < 47; ++x) {
      const TColor p = canvas.Pixel(x, y);
      if (p == PageColor) continue;
      ++arrow;
      EXPECT_TRUE(IsGrey(p)) << x << "," << y;
    }
  EXPECT_GT(arrow, 10);
  // The colour is fixed on the first disabled paint.
  next.SetColor(clWhite);
  next.PaintButton(canvas.dc(), ODS_DISABLED);
  EXPECT_EQ(next.DisableColor(), Hex(0x656E76));
}

TEST(GlyphButton, NavigationLayoutCentresArrowAboveCaption) {
  TestForm form;
  TMButton next{&form, {.name = L"BNext", .width = 67, .height = 51, .color = PageColor, .caption = L"&Continua"}};
  MakeNavigation(next, TModalResult::Next, mknNext);
  PixelCanvas canvas(67, 51, clWhite);
  next.PaintButton(canvas.dc(), 0);

  // The caption's height in the button's font decides where the pair stands.
  int th = 0;
  {
    HGDIOBJ old = SelectObject(canvas.dc(), next.Font().Handle());
    RECT m{0, 0, 67, 0};
    DrawTextW(canvas.dc(), L"&Continua", -1, &m, DT_CALCRECT | DT_CENTER | DT_WORDBREAK);
    th = m.bottom;
    SelectObject(canvas.dc(), old);
  }
  const int glyphTop = 51 / 2 - (17 + 5 + th) / 2;
  const int glyphLeft = 67 / 2 - 10 / 2;
  ASSERT_EQ(glyphLeft, 28);
  HBITMAP arrow = KindImage(mknNext);
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 10; ++x) {
      const TColor source = PictureAt(arrow, x, y);  // the background now is the face colour
      EXPECT_EQ(canvas.Pixel(glyphLeft + x, glyphTop + y), source) << x << "," << y;
    }
  // Caption: below the arrow and the spacing, centred across the button.
  int top = 51, left = 67, right = -1;
  for (int y = glyphTop + 17; y < 51; ++y)
    for (int x = 0; x < 67; ++x)
      if (canvas.Pixel(x, y) != PageColor) {
        top = std::min(top, y);
        left = std::min(left, x);
        right = std::max(right, x);
      }
  EXPECT_GE(top, glyphTop + 17 + 5);
  EXPECT_LE(top, glyphTop + 17 + 5 + 3);
  EXPECT_NEAR(left, 66 - right, 2);
  EXPECT_GT(canvas.Count(kRed), 0);  // the accelerator letter
}

TEST(GlyphButton, BrowseButtonShowsItsOwnPictureCentredWithoutCaption) {
  TestForm form;
  TMButton browse{&form, {.name = L"BCauta", .width = 29, .height = 21, .color = PageColor, .caption = L"Cauta..."}};
  browse.SetCaptionVisible(false);
  browse.SetNumGlyphs(2);
  browse.SetGlyph(SharedPicture(L"FolderBrowse"));
  ASSERT_NE(browse.Glyph(), SharedPicture(L"FolderBrowse"));  // a copy of its own
  PixelCanvas canvas(29, 21, clWhite);
  browse.PaintButton(canvas.dc(), 0);
  // Two 18 x 16 cells: the first stands at ((29 - 18) div 2, (21 - 16) div 2) = (5, 2).
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 29; ++x) {
      const bool inCell = x >= 5 && x < 23 && y >= 2 && y < 18;
      const TColor expected = inCell ? PictureAt(browse.Glyph(), x - 5, y - 2) : PageColor;
      EXPECT_EQ(canvas.Pixel(x, y), expected) << x << "," << y;
    }
}

TEST(GlyphButton, OldStyleFaceAndTheDefaultButtonLook) {
  TestForm form;
  TMButton b{&form, {.name = L"B", .width = 90, .height = 40, .caption = L"O&K"}};
  TMButton other{&form, {.name = L"Other", .top = 50}};
  b.SetLightButton(false);
  b.SetStyle(bsWin31);
  b.SetColorOver(Hex(0xC8D0D8));
  PixelCanvas canvas(90, 40, clWhite);
  b.PaintButton(canvas.dc(), 0);
  const TColor frame = ResolveColor(clWindowFrame);
  EXPECT_EQ(canvas.Pixel(0, 0), Hex(0xC8D0D8));  // rounded: the corners in the face colour
  EXPECT_EQ(canvas.Pixel(89, 39), Hex(0xC8D0D8));
  EXPECT_EQ(canvas.Pixel(45, 0), frame);
  EXPECT_EQ(canvas.Pixel(0, 20), frame);
  EXPECT_EQ(canvas.Pixel(45, 1), ResolveColor(clBtnHighlight));  // raised bevel
  EXPECT_EQ(canvas.Pixel(45, 38), ResolveColor(clBtnShadow));

  // The window's notice of where the focus went: among buttons the focused one looks
  // default (a second frame line), elsewhere the default button does.
  EXPECT_FALSE(b.IsFocused());
  b.FocusMovedTo(&b);
  EXPECT_TRUE(b.IsFocused());
  b.PaintButton(canvas.dc(), 0);
  EXPECT_EQ(canvas.Pixel(45, 1), frame);
  b.FocusMovedTo(&other);
  EXPECT_FALSE(b.IsFocused());
  b.Default = true;
  b.FocusMovedTo(nullptr);
  EXPECT_TRUE(b.IsFocused());
  b.FocusMovedTo(&other);
  EXPECT_FALSE(b.IsFocused());
}

TEST(GlyphButton, SharedPictureTakesTheFaceOfTheLastButtonThatPaintedIt) {
  TestForm form;
  TMButton a{&form, {.name = L"A", .color = PageColor}}, b{&form, {.name = L"B", .color = Hex(0xDDEEFF)}};
  a.SetKind(mkOK);
  b.SetKind(mkOK);
  PixelCanvas ca(90, 40, clWhite), cb(90, 40, clWhite);
  a.PaintButton(ca.dc(), 0);
  b.PaintButton(cb.dc(), 0);
  EXPECT_EQ(PictureAt(KindImage(mkOK), 0, 0), Hex(0xDDEEFF));
  a.PaintButton(ca.dc(), 0);
  EXPECT_EQ(PictureAt(KindImage(mkOK), 0, 0), PageColor);
  // Both still draw on a uniform background: no key colour and no other face shows.
  EXPECT_EQ(ca.Count(kKey), 0);
  EXPECT_EQ(cb.Count(kKey), 0);
  EXPECT_EQ(ca.Count(Hex(0xDDEEFF)), 0);
  EXPECT_EQ(cb.Count(PageColor), 0);
}

TEST(SmoothButton, AbandonLayoutOfTheWizardPages) {
  ASSERT_TRUE(HighColor);
  TestForm form;
  TNiceButton abandon{&form, {.name = L"Abandon", .width = 109, .height = 28, .caption = L"&Abandon"}};
  abandon.SetKind(mkCancel);
  ASSERT_EQ(abandon.Color(), PageColor);  // the parent's colour
  PixelCanvas canvas(109, 28, clWhite);
  abandon.RenderState(canvas.dc(), false, true, false);
  EXPECT_EQ(abandon.GlyphWidth(), 23);
  EXPECT_EQ(abandon.GlyphHeight(), 22);

  // The Cancel picture's first cell at (11, 3), its background transparent.
  HBITMAP cancel = KindImage(mkCancel);
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 23; ++x) {
      const TColor source = PictureAt(cancel, x, y);
      const TColor shown = canvas.Pixel(11 + x, 3 + y);
      EXPECT_EQ(shown, source == PictureAt(cancel, 0, 0) ? PageColor : source) << x << "," << y;
    }
  // Left of the picture and between it and the strip: the page.
  for (int y = 0; y < 28; ++y) {
    for (int x = 0; x < 11; ++x) EXPECT_EQ(canvas.Pixel(x, y), PageColor) << x << "," << y;
    EXPECT_EQ(canvas.Pixel(34, y), PageColor) << y;
  }
  // The strip: left end at 35-54, middle tiles from 55 (the last one stepped back to 69),
  // right end at 89-108. Checked on the rows above the caption.
  HBITMAP strip = SharedPicture(L"ButtonFaceCVX");
  auto stripAt = [&](int x, int y) -> TColor {
    int sx;
    if (x < 55) sx = x - 35;
    else if (x < 69) sx = 20 + (x - 55);
    else if (x < 89) sx = 20 + (x - 69);
    else sx = 40 + (x - 89);
    const TColor c = PictureAt(strip, sx, y);
    return c == kKey ? PageColor : c;
  };
  for (int y = 0; y < 4; ++y)
    for (int x = 35; x < 109; ++x) EXPECT_EQ(canvas.Pixel(x, y), stripAt(x, y)) << x << "," << y;

  // The caption band: what the caption adds lies between x = 45 and 99.
  TNiceButton blank{&form, {.name = L"Blank", .width = 109, .height = 28}};
  blank.SetKind(mkCancel);
  blank.SetCaption(L"");
  PixelCanvas without(109, 28, clWhite);
  blank.RenderState(without.dc(), false, true, false);
  int changed = 0, reds = 0;
  for (int y = 0; y < 28; ++y)
    for (int x = 0; x < 109; ++x) {
      if (canvas.Pixel(x, y) == without.Pixel(x, y)) continue;
      ++changed;
      reds += canvas.Pixel(x, y) == kRed;
      EXPECT_GE(x, 45);
      EXPECT_LT(x, 99);
    }
  EXPECT_GT(changed, 20);
  EXPECT_GT(reds, 0);  // the accelerator letter
}

TEST(SmoothButton, DisabledAndHotLooks) {
  TestForm form;
  TNiceButton b{&form, {.name = L"B", .width = 109, .height = 28, .caption = L"&Abandon"}};
  b.SetKind(mkCancel);
  PixelCanvas disabled(109, 28, clWhite), hot(109, 28, clWhite);
  b.RenderState(disabled.dc(), false, false, false);
  b.RenderState(hot.dc(), false, true, true);
  EXPECT_GT(disabled.Count(Rgb(0xC0, 0xC0, 0xC0)), 10);
  EXPECT_EQ(disabled.Count(kRed), 0);
  // Hot: the caption all in red, the face strip's hot cells.
  EXPECT_GT(hot.Count(kRed), disabled.Count(Rgb(0xC0, 0xC0, 0xC0)) / 2);
  HBITMAP strip = SharedPicture(L"ButtonFaceCVX");
  EXPECT_EQ(hot.Pixel(60, 2), PictureAt(strip, 80 + 5, 2));  // a middle tile of the hot cells
}

TEST(SmoothButton, LowColourScreenDrawsAPlainRoundedFace) {
  TestForm form;
  TNiceButton b{&form, {.name = L"B", .width = 109, .height = 28, .caption = L"&Abandon"}};
  b.SetKind(mkCancel);
  const bool saved = HighColor;
  HighColor = false;
  struct Case {
    bool pressed, hot;
    TColor fill;
  } cases[] = {{false, false, LightenColor(PageColor, 20)}, {false, true, Hex(0xDFDFDF)}, {true, true, Hex(0x808080)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pressed << c.hot);
    PixelCanvas canvas(109, 28, clWhite);
    b.RenderState(canvas.dc(), c.pressed, true, c.hot);
    EXPECT_EQ(canvas.Pixel(60, 0), Hex(0xA9A9A9));  // the frame's top edge
    EXPECT_EQ(canvas.Pixel(60, 2), c.fill);
    EXPECT_EQ(canvas.Pixel(35, 0), PageColor);      // rounded corner
    EXPECT_EQ(canvas.Pixel(34, 14), PageColor);     // the face starts after the picture square
  }
  HighColor = saved;
  EXPECT_EQ(LightenColor(PageColor, 20), Rgb(172, 186, 198));
}

TEST(Buttons, KindCaptionAndModalResultRules) {
  TestForm form;
  TMButton cancelKeeps4{&form, {.name = L"B1"}};
  cancelKeeps4.SetModalResult(TModalResult::Back);
  cancelKeeps4.SetKind(mkCancel);
  TMButton laterWins{&form, {.name = L"B2"}};
  laterWins.SetKind(mkCancel);
  EXPECT_EQ(laterWins.ModalResult(), TModalResult::Cancel);
  laterWins.SetModalResult(TModalResult::Back);
  TMButton named{&form, {.name = L"B3", .caption = L"&Continua"}};
  named.SetKind(mknNext);
  TMButton empty{&form, {.name = L"B4"}};
  empty.SetKind(mkOK);
  TMButton prev{&form, {.name = L"B5", .top = 50}};
  prev.SetKind(mkPrev);
  TNiceButton follows{&form, {.name = L"N1", .top = 100}};
  TNiceButton keeps{&form, {.name = L"N2", .left = 120, .top = 100, .caption = L"&Abandon"}};
  follows.SetKind(mkYes);
  keeps.SetKind(mkCancel);

  EXPECT_EQ(cancelKeeps4.ModalResult(), TModalResult::Back);
  EXPECT_EQ(laterWins.ModalResult(), TModalResult::Back);
  EXPECT_EQ(named.Caption(), L"&Continua");
  EXPECT_EQ(empty.Caption(), L"O&K");
  EXPECT_EQ(empty.ModalResult(), TModalResult::Ok);
  EXPECT_FALSE(prev.CaptionVisible());
  EXPECT_EQ(prev.Caption(), L"&p");
  EXPECT_EQ(follows.Caption(), L"&Da");
  follows.SetKind(mkNo);
  EXPECT_EQ(follows.Caption(), L"&Nu");
  EXPECT_EQ(keeps.Caption(), L"&Abandon");
  EXPECT_EQ(keeps.ModalResult(), TModalResult::Cancel);

  form.ShowAndWait();
  wchar_t text[32] = L"";
  GetWindowTextW(empty.Handle(), text, 32);
  EXPECT_STREQ(text, L"O&K");

  // A click hands the modal result to the window first, then fires OnClick.
  TModalResult resultSeenByHandler = TModalResult::None;
  cancelKeeps4.OnClick = [&](TControl&) { resultSeenByHandler = form.ModalResult(); };
  SendMessageW(cancelKeeps4.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(resultSeenByHandler, TModalResult::Back);
  EXPECT_EQ(form.ModalResult(), TModalResult::Back);
  // A handler may replace it.
  follows.OnClick = [&](TControl&) { form.SetModalResult(TModalResult::All); };
  SendMessageW(follows.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.ModalResult(), TModalResult::All);

  // The hidden caption's accelerator still clicks.
  int prevClicks = 0;
  prev.OnClick = [&](TControl&) { ++prevClicks; };
  MSG alt{prev.Handle(), WM_SYSCHAR, L'p', 0, 0, {}};
  EXPECT_TRUE(TMForm::PreTranslate(alt));
  EXPECT_EQ(prevClicks, 1);
  // A disabled button ignores its accelerator.
  prev.SetEnabled(false);
  EXPECT_FALSE(TMForm::PreTranslate(alt));
  EXPECT_EQ(prevClicks, 1);
}

TEST(Buttons, DoubleClickIsTwoClicks) {
  TestForm form;
  TMButton b{&form, {.name = L"B"}};
  TNiceButton n{&form, {.name = L"N", .left = 100, .caption = L"&Da"}};
  int clicks = 0;
  b.OnClick = n.OnClick = [&](TControl&) { ++clicks; };
  form.ShowAndWait();
  for (TWinControl* c : {static_cast<TWinControl*>(&b), static_cast<TWinControl*>(&n)}) {
    const LPARAM at = MAKELPARAM(60, 14);
    SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(c->Handle(), WM_LBUTTONUP, 0, at);
    SendMessageW(c->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(c->Handle(), WM_LBUTTONUP, 0, at);
  }
  EXPECT_EQ(clicks, 4);
}

TEST(SmoothButton, EnterOnFocusedButtonShowsPressedThenHot) {
  ASSERT_TRUE(HighColor);
  TestForm form;
  TNiceButton n{&form, {.name = L"N", .left = 20, .top = 20, .width = 109, .height = 28, .caption = L"&Abandon"}};
  n.SetKind(mkCancel);
  int clicks = 0;
  n.OnClick = [&](TControl&) { ++clicks; };
  form.ShowAndWait();
  n.SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return n.Focused(); }));
  EXPECT_TRUE(n.DrawFace());
  HBITMAP strip = SharedPicture(L"ButtonFaceCVX");

  MSG enter{n.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  ASSERT_TRUE(TMForm::PreTranslate(enter));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form.ModalResult(), TModalResult::Cancel);
  EXPECT_TRUE(n.ForcedDown());
  EXPECT_EQ(WindowPixel(n.Handle(), 60, 2), PictureAt(strip, 140 + 5, 2));  // pressed face

  ASSERT_TRUE(PumpUntil([&] { return !n.ForcedDown(); }, 2000));
  UpdateWindow(n.Handle());
  EXPECT_EQ(WindowPixel(n.Handle(), 60, 2), PictureAt(strip, 80 + 5, 2));  // hot face
  EXPECT_TRUE(n.DrawFace());
  EXPECT_EQ(HotNiceButton, &n);
}

TEST(SmoothButton, OnlyOneIsHot) {
  TestForm form;
  TNiceButton a{&form, {.name = L"A", .left = 10, .top = 10, .width = 109, .height = 28, .caption = L"&Da"}};
  TNiceButton b{&form, {.name = L"B", .left = 150, .top = 10, .width = 109, .height = 28, .caption = L"&Nu"}};
  TMButton other{&form, {.name = L"Other", .left = 10, .top = 80}};
  form.ShowAndWait();
  other.SetFocus();
  auto hover = [](TNiceButton& n) { SendMessageW(n.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 14)); };
  auto neverBoth = [&] { EXPECT_FALSE(a.DrawFace() && b.DrawFace()); };

  hover(a);
  EXPECT_TRUE(a.DrawFace());
  EXPECT_EQ(HotNiceButton, &a);
  hover(b);
  neverBoth();
  EXPECT_TRUE(b.DrawFace());
  EXPECT_EQ(HotNiceButton, &b);
  // The focus makes a button hot and takes the hot state from the other.
  a.SetFocus();
  Drain();
  neverBoth();
  EXPECT_TRUE(a.DrawFace());
  // Hovering while another smooth button has the focus moves the focus along.
  hover(b);
  Drain();
  neverBoth();
  EXPECT_TRUE(b.Focused());
  EXPECT_TRUE(b.DrawFace());
  // Leaving keeps the focused one hot.
  SendMessageW(b.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(b.DrawFace());
  // A hot button that is disabled gives up the hot state.
  other.SetFocus();
  hover(a);
  ASSERT_EQ(HotNiceButton, &a);
  a.SetEnabled(false);
  EXPECT_EQ(HotNiceButton, nullptr);
  hover(a);
  EXPECT_EQ(HotNiceButton, nullptr);  // a disabled button does not become hot
}

TEST(SmoothButton, ClicksOutsideTheHitRegionDoNothing) {
  TestForm form;
  TNiceButton n{&form, {.name = L"N", .left = 20, .top = 20, .width = 109, .height = 28, .caption = L"&Abandon"}};
  n.SetKind(mkCancel);
  TMButton other{&form, {.name = L"Other", .left = 20, .top = 100}};
  int clicks = 0;
  n.OnClick = [&](TControl&) { ++clicks; };
  form.ShowAndWait();
  other.SetFocus();
  Drain();
  auto screen = [&](int x, int y) {
    POINT p{x, y};
    ClientToScreen(n.Handle(), &p);
    return p;
  };

  // The empty corner left of and above the picture is no part of the button.
  const POINT corner = screen(2, 1);
  EXPECT_EQ(SendMessageW(n.Handle(), WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTNOWHERE);
  const POINT face = screen(60, 14);
  EXPECT_EQ(SendMessageW(n.Handle(), WM_NCHITTEST, 0, MAKELPARAM(face.x, face.y)), HTCLIENT);

  // Messages aimed at the corner: no hot state, no click.
  SendMessageW(n.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 1));
  SendMessageW(n.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
  SendMessageW(n.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 1));
  EXPECT_FALSE(n.DrawFace());
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(form.ModalResult(), TModalResult::None);
  // Pressed on the face and released over the corner: no click either.
  SendMessageW(n.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 14));
  SendMessageW(n.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 1));
  EXPECT_EQ(clicks, 0);

  // Real clicks through the platform's input.
  ClickAt(corner);
  EXPECT_EQ(clicks, 0);
  ClickAt(face);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form.ModalResult(), TModalResult::Cancel);
}

TEST(GlyphButton, HoverMovesTheFocusAlongLightButtonsAndKeepsItRaised) {
  TestForm form;
  TMButton a{&form, {.name = L"A", .left = 10, .top = 10, .width = 67, .height = 51, .color = PageColor,
                     .caption = L"&Inapoi"}};
  TMButton b{&form, {.name = L"B", .left = 90, .top = 10, .width = 67, .height = 51, .color = PageColor,
                     .caption = L"&Continua"}};
  MakeNavigation(a, TModalResult::Back, mknPrev);
  MakeNavigation(b, TModalResult::Next, mknNext);
  form.ShowAndWait();
  a.SetFocus();
  Drain();
  EXPECT_TRUE(a.DrawFace());

  SendMessageW(b.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 20));
  Drain();
  EXPECT_TRUE(b.Focused());
  EXPECT_TRUE(b.DrawFace());
  EXPECT_FALSE(a.DrawFace());
  SendMessageW(b.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(b.Focused());
  EXPECT_TRUE(b.DrawFace());
  // Raised: the face is no longer flat at its edges.
  PixelCanvas raised(67, 51, clWhite), flat(67, 51, clWhite);
  b.PaintButton(raised.dc(), ODS_FOCUS);
  a.PaintButton(flat.dc(), 0);
  EXPECT_EQ(flat.Pixel(0, 0), PageColor);
  EXPECT_NE(raised.Pixel(66, 50), PageColor);
}

TEST(SmoothButton, BufferedStateImagesFollowAppearance) {
  const bool saved = BufferAllNiceButtons;
  BufferAllNiceButtons = true;
  {
    TestForm form;
    TNiceButton n{&form, {.name = L"N", .left = 20, .top = 20, .width = 109, .height = 28, .caption = L"&Abandon"}};
    n.SetKind(mkCancel);
    EXPECT_FALSE(n.Buffered());
    form.ShowAndWait();
    EXPECT_TRUE(n.Buffered());
    UpdateWindow(n.Handle());
    EXPECT_TRUE(n.BufferFilled());
    const TColor before = WindowPixel(n.Handle(), 60, 2);
    n.SetCaption(L"&Renunt");
    EXPECT_FALSE(n.BufferFilled());
    UpdateWindow(n.Handle());
    EXPECT_TRUE(n.BufferFilled());
    EXPECT_EQ(WindowPixel(n.Handle(), 60, 2), before);
    // A size change is noticed at paint time: the face reaches the new right edge.
    n.SetBounds(20, 20, 140, 28);
    UpdateWindow(n.Handle());
    EXPECT_EQ(WindowPixel(n.Handle(), 125, 2), WindowPixel(n.Handle(), 60, 2));
    EXPECT_NE(WindowPixel(n.Handle(), 125, 2), PageColor);
  }
  BufferAllNiceButtons = saved;
}
