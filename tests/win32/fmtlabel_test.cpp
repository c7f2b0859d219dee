// The formatted blinking label under Wine: runs drawn on one baseline, the shadowed check
// mark in Wingdings, blinking driven by the label's timers, growing without shrinking.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "core/colors.h"
#include "toolkit/Cliunit.h"
#include "toolkit/FmtLabel.h"
#include "toolkit/GGlobals.h"
#include "win32_test_support.h"
#include "toolkit_globals.h"
#include "pixel_canvas.h"

namespace {
const COLORREF Page = RGB(152, 165, 177);
const COLORREF Red = RGB(255, 0, 0);
const COLORREF Black = RGB(0, 0, 0);

class LabelPage : public TTitleForm {
 public:
  LabelPage()
      : TTitleForm({.name = L"Labels", .left = 30, .top = 30, .color = corvan::PageColor,
                    .font = TFont(L"MS Sans Serif", -11, fsBold, corvan::clBlack)}) {
    SetBorderStyle(bsNone);
    SetClientSize(500, 200);
  }
  TFmtLabel Status{this, {.name = L"Status", .left = 10, .top = 10, .width = 20, .height = 13}};
  TFmtLabel Other{this, {.name = L"Other", .left = 10, .top = 150, .width = 20, .height = 13}};
};

void Settle(HWND window);

// The pixels of a label's rectangle on its parent's window, as painted now.
class Shot {
 public:
  Shot(HWND window, RECT r, bool repaint = true) : left_(r.left), top_(r.top), width_(r.right - r.left), height_(r.bottom - r.top) {
    if (repaint) {
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      Settle(window);
    }
    HDC dc = GetDC(window);
    pixels_.resize(static_cast<size_t>(width_ * height_));
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) pixels_[static_cast<size_t>(y * width_ + x)] = GetPixel(dc, r.left + x, r.top + y);
    ReleaseDC(window, dc);
  }
  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return pixels_[static_cast<size_t>(y * width_ + x)];
  }
  // The box of every pixel of that colour (empty: right < left).
  RECT Box(COLORREF color, int fromX = 0, int toX = -1) const {
    if (toX < 0) toX = width_;
    RECT box{width_, height_, -1, -1};
    for (int y = 0; y < height_; ++y)
      for (int x = fromX; x < toX; ++x)
        if (At(x, y) == color) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x);
          box.bottom = std::max<LONG>(box.bottom, y);
        }
    return box;
  }
  int Count(COLORREF color, int fromX = 0, int toX = -1) const {
    if (toX < 0) toX = width_;
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = fromX; x < toX; ++x) n += At(x, y) == color;
    return n;
  }
  int Ink(int fromX, int toX, COLORREF background) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = fromX; x < std::min(toX, width_); ++x) n += At(x, y) != background;
    return n;
  }

 private:
  int left_, top_, width_, height_;
  std::vector<COLORREF> pixels_;
};

// Paints until nothing is left to paint: a label that grows while painting asks for one more.
void Settle(HWND window) {
  for (int i = 0; i < 5 && GetUpdateRect(window, nullptr, FALSE); ++i) UpdateWindow(window);
}

// Waits (dispatching) until the run's next tick has happened.
bool NextTick(const TFmtLabel& label, size_t run = 0) {
  if (label.BlinkList().size() <= run) return false;
  const TBlinkObj* blink = label.BlinkList()[run].get();
  const bool before = blink->BlinkOn();
  return PumpUntil([&] { return label.BlinkList().size() > run && label.BlinkList()[run].get() == blink &&
                                blink->BlinkOn() != before; },
                   3000);
}

// The rows a text's ink covers when drawn alone in the font: its top below the cell's top
// and its height.
struct InkRows {
  int top, height;
};
InkRows InkRowsOf(const TFont& font, const std::wstring& text) {
  PixelCanvas canvas(200, 100, corvan::clWhite);
  SelectGuard select(canvas.dc(), font.Handle());
  SetBkMode(canvas.dc(), TRANSPARENT);
  SetTextColor(canvas.dc(), Black);
  TextOutW(canvas.dc(), 0, 0, text.c_str(), static_cast<int>(text.size()));
  int top = -1, bottom = -1;
  for (int y = 0; y < canvas.h(); ++y)
    if (canvas.Count(corvan::clBlack, 0, y, -1, y + 1) > 0) {
      if (top < 0) top = y;
      bottom = y;
    }
  return {top, bottom - top + 1};
}

int TextWidth(const TFont& font, const std::wstring& text) {
  WindowDC screen;
  SelectGuard select(screen.Get(), font.Handle());
  SIZE size{};
  GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}
}  // namespace

TEST(FmtLabel, ColourAndSizeRunsStandOnOneBaseline) {
  LabelPage page;
  page.Status.SetCaption(L"&20@9Mare&8@0mic");
  page.Show();
  Settle(page.Handle());
  Shot shot(page.Handle(), page.Status.BoundsRect());
  const RECT red = shot.Box(Red), black = shot.Box(Black);
  ASSERT_GE(red.right, red.left) << "no red run";
  ASSERT_GE(black.right, black.left) << "no black run";
  // Neither word has a descender: both end on the baseline, so the words stand as much
  // apart at the top as their ink heights in the two sizes differ.
  EXPECT_EQ(red.bottom, black.bottom);
  TFont large = page.Status.Font(), small = page.Status.Font();
  large.SetSize(20);
  small.SetSize(8);
  const int tallerBy = InkRowsOf(large, L"Mare").height - InkRowsOf(small, L"mic").height;
  EXPECT_GT(tallerBy, 0);  // the 20-point run is taller
  EXPECT_EQ(black.top - red.top, tallerBy);
  EXPECT_LT(red.right, black.left);   // one after the other
  // The label grew to hold both runs.
  EXPECT_GT(page.Status.Width(), 20);
  EXPECT_GT(page.Status.Height(), 13);
}

TEST(FmtLabel, CheckMarkInWingdingsHasAOnePixelShadowAndDoesNotBlink) {
  LabelPage page;
  page.Status.Font() = TFont(L"Wingdings", -16, fsBold, corvan::Hex(0xFF0000));
  page.Status.SetCaption(L"%\xFC");
  page.Show();
  // The system's Wingdings, or (Wine) the one the program carries; the check mark is its glyph at 0xFC.
  ASSERT_TRUE(EnsureSymbolFont());
  {
    WindowDC screen;
    SelectGuard select(screen.Get(), page.Status.Font().Handle());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(screen.Get(), LF_FACESIZE, face);
    EXPECT_STREQ(face, L"Wingdings");
    WORD glyph = 0xFFFF;
    ASSERT_EQ(GetGlyphIndicesW(screen.Get(), L"\xFC", 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS), 1u);
    EXPECT_NE(glyph, 0xFFFF);
  }
  const COLORREF shadow = ResolveColor(clBtnShadow);
  ASSERT_NE(shadow, Page);
  Shot shot(page.Handle(), page.Status.BoundsRect());
  const RECT red = shot.Box(Red), grey = shot.Box(shadow);
  ASSERT_GE(red.right, red.left);
  ASSERT_GE(grey.right, grey.left);
  EXPECT_EQ(grey.right, red.right + 1);
  EXPECT_EQ(grey.bottom, red.bottom + 1);
  // Every shadow pixel is a red pixel moved one right and one down.
  int stray = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      if (shot.At(x, y) == shadow && shot.At(x - 1, y - 1) != Red) ++stray;
  EXPECT_EQ(stray, 0);
  EXPECT_TRUE(page.Status.BlinkList().empty());

  // The red pixels are the check-mark glyph itself, drawn by the platform at the same place.
  HDC dc = GetDC(page.Handle());
  {
    SavedDC saved(dc);
    FillSolid(dc, page.Status.BoundsRect(), Page);
    SelectGuard select(dc, page.Status.Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Red);
    TextOutW(dc, page.Status.Left(), page.Status.Top(), L"\xFC", 1);
  }
  ReleaseDC(page.Handle(), dc);
  Shot plain(page.Handle(), page.Status.BoundsRect(), false);
  int mismatched = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) mismatched += (plain.At(x, y) == Red) != (shot.At(x, y) == Red);
  EXPECT_EQ(mismatched, 0);
}

TEST(FmtLabel, TildeInAStatusTextBlinksWhatFollowsEveryThreeHundredMilliseconds) {
  // On its own colour and, transparent, on its parent's: painting out leaves no trace of
  // the letters (not even the smoothed edges), painting in draws them as before.
  for (bool transparent : {false, true}) {
    SCOPED_TRACE(transparent ? "transparent" : "opaque");
    LabelPage page;
    page.Status.SetTransparent(transparent);
    page.Status.Font().SetColor(corvan::Hex(0xFF0000));
    page.Status.SetCaption(L"Caut in C:\\PROGRA~1\\CORVAN");
    page.Show();
    Settle(page.Handle());
    ASSERT_EQ(page.Status.BlinkList().size(), 1u);
    EXPECT_EQ(page.Status.BlinkList()[0]->Text(), L"1\\CORVAN");  // the tilde itself is not shown
    const int steadyWidth = TextWidth(page.Status.Font(), L"Caut in C:\\PROGRA");
    EXPECT_EQ(page.Status.BlinkList()[0]->Position().x, steadyWidth);

    const HWND window = page.Handle();
    const RECT bounds = page.Status.BoundsRect();
    auto inks = [&] {
      Shot shot(window, bounds, false);
      return std::pair{shot.Ink(0, steadyWidth, Page), shot.Ink(steadyWidth, 1000, Page)};
    };
    const auto [steady, blinking] = inks();
    ASSERT_GT(steady, 0);
    ASSERT_GT(blinking, 0);
    EXPECT_FALSE(page.Status.BlinkList()[0]->BlinkOn());

    const DWORD start = GetTickCount();
    ASSERT_TRUE(NextTick(page.Status));  // painted out...
    EXPECT_GE(GetTickCount() - start, 250u);
    EXPECT_EQ(inks(), std::pair(steady, 0));
    ASSERT_TRUE(NextTick(page.Status));  // ...and in again
    EXPECT_EQ(inks(), std::pair(steady, blinking));
    ASSERT_TRUE(NextTick(page.Status));
    EXPECT_EQ(inks(), std::pair(steady, 0));

    // A paint restarts the cycle: drawn again, and out only after the next tick.
    EXPECT_TRUE(page.Status.BlinkList()[0]->BlinkOn());
    Shot repainted(window, bounds);
    ASSERT_EQ(page.Status.BlinkList().size(), 1u);
    EXPECT_FALSE(page.Status.BlinkList()[0]->BlinkOn());
    EXPECT_EQ(repainted.Ink(steadyWidth, 1000, Page), blinking);
  }
}

TEST(FmtLabel, HiddenLabelsBlinkObjectsDrawNothing) {
  LabelPage page;
  page.Status.SetCaption(L"~Ascuns");
  page.Other.SetCaption(L"~Vizibil");
  page.Show();
  Settle(page.Handle());
  ASSERT_EQ(page.Status.BlinkList().size(), 1u);
  const TBlinkObj* hidden = page.Status.BlinkList()[0].get();
  page.Status.SetVisible(false);
  Settle(page.Handle());
  const RECT bounds = page.Status.BoundsRect();
  EXPECT_EQ(Shot(page.Handle(), bounds, false).Ink(0, 1000, Page), 0);
  // Two ticks of the visible label: the hidden one neither drew nor counted its ticks.
  ASSERT_TRUE(NextTick(page.Other));
  ASSERT_TRUE(NextTick(page.Other));
  ASSERT_EQ(page.Status.BlinkList().size(), 1u);
  EXPECT_EQ(page.Status.BlinkList()[0].get(), hidden);
  EXPECT_FALSE(hidden->BlinkOn());
  EXPECT_EQ(Shot(page.Handle(), bounds, false).Ink(0, 1000, Page), 0);
}

TEST(FmtLabel, ACaptionThatGrowsTheLabelNeverShrinksIt) {
  LabelPage page;
  page.Status.SetCaption(L"Nu am gasit directorul program!!!");
  page.Show();
  Settle(page.Handle());
  const int grownWidth = page.Status.Width();
  EXPECT_EQ(grownWidth, TextWidth(page.Status.Font(), L"Nu am gasit directorul program!!!"));
  page.Status.SetCaption(L"Caut");
  Settle(page.Handle());
  EXPECT_EQ(page.Status.Width(), grownWidth);
  // What the longer text left is painted over with the label's colour.
  Shot shot(page.Handle(), page.Status.BoundsRect());
  EXPECT_EQ(shot.Ink(TextWidth(page.Status.Font(), L"Caut") + 1, grownWidth, Page), 0);
}

TEST(FmtLabel, AlignPlacesTheLabelInItsParent) {
  LabelPage page;
  page.Status.SetCaption(L"Centru");
  page.Show();
  struct Case {
    TMAlign align;
    int left, top;  // -1: as before
  };
  const int w = TextWidth(page.Status.Font(), L"Centru");
  for (Case c : {Case{alMTop, -1, 1}, Case{alMLeft, 1, -1}, Case{alMRight, 500 - w - 2, -1},
                 Case{alMBottom, -1, 200 - 13 - 1}, Case{alMCenter, (500 - w) / 2, (200 - 13) / 2}}) {
    SCOPED_TRACE(static_cast<int>(c.align));
    const int left = page.Status.Left(), top = page.Status.Top();
    page.Status.SetMAlign(c.align);
    Settle(page.Handle());
    EXPECT_EQ(page.Status.Left(), c.left < 0 ? left : c.left);
    EXPECT_EQ(page.Status.Top(), c.top < 0 ? top : c.top);
  }
}

TEST(FmtLabel, EscapedCodesAreShownAndAnEmptyCaptionStopsTheBlinking) {
  LabelPage page;
  page.Status.SetCaption(L"100\\%");
  page.Show();
  Settle(page.Handle());
  EXPECT_EQ(page.Status.Width(), TextWidth(page.Status.Font(), L"100%"));
  page.Status.SetCaption(L"~x");
  Settle(page.Handle());
  ASSERT_EQ(page.Status.BlinkList().size(), 1u);
  page.Status.SetCaption(L"");
  Settle(page.Handle());
  EXPECT_TRUE(page.Status.BlinkList().empty());
}
