// The title bar's pixels, painted into a memory device context.
#include <gtest/gtest.h>
#include <windows.h>

#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"
#include "toolkit/Title.h"
#include "toolkit_globals.h"
#include "pixel_canvas.h"

using corvan::Rgb;

namespace {
// HighColor as the test needs it, put back afterwards.
class HighColorScope {
 public:
  explicit HighColorScope(bool on) : saved_(HighColor) { HighColor = on; }
  ~HighColorScope() { HighColor = saved_; }

 private:
  bool saved_;
};

struct Host {
  TTitleForm form{{.name = L"Host", .width = 300, .height = 100}};
};
}  // namespace

TEST(TitleBar, GradientColumns) {
  HighColorScope high(true);
  const struct {
    corvan::TColor from, to;
    int width;
    std::vector<std::pair<int, COLORREF>> columns;
  } cases[] = {
      {Rgb(0, 0, 0), Rgb(100, 100, 100), 100, {{0, RGB(0, 0, 0)}, {1, RGB(1, 1, 1)}, {99, RGB(99, 99, 99)}}},
      {Rgb(100, 0, 0), Rgb(0, 0, 0), 3, {{0, RGB(100, 0, 0)}, {1, RGB(67, 0, 0)}, {2, RGB(34, 0, 0)}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    Host host;
    TTitleBar bar(&host.form, {.name = L"TitleBar1", .width = c.width, .height = 25});
    bar.SetStartColor(c.from);
    bar.SetEndColor(c.to);
    PixelCanvas s(c.width, 25);
    bar.Paint(s.dc());
    for (auto [x, color] : c.columns) {
      EXPECT_EQ(s.Pixel(x, 0), color) << "column " << x;
      EXPECT_EQ(s.Pixel(x, 24), color) << "column " << x;
    }
  }
}

TEST(TitleBar, PlainWhenLowColourOrEqualColours) {
  const struct {
    bool highColor;
    corvan::TColor end;
  } cases[] = {{false, Rgb(100, 100, 100)}, {true, Rgb(7, 8, 9)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.highColor);
    HighColorScope high(c.highColor);
    Host host;
    TTitleBar bar(&host.form, {.width = 100, .height = 25});
    bar.SetStartColor(Rgb(7, 8, 9));
    bar.SetEndColor(c.end);
    PixelCanvas s(100, 25);
    bar.Paint(s.dc());
    for (int x : {0, 50, 99}) EXPECT_EQ(s.Pixel(x, 12), RGB(7, 8, 9)) << x;
  }
}

TEST(TitleBar, VerticalGradientRunsDownTheRows) {
  HighColorScope high(true);
  Host host;
  TTitleBar bar(&host.form, {.width = 10, .height = 25});
  bar.SetStartColor(Rgb(0, 0, 0));
  bar.SetEndColor(Rgb(0, 0, 250));
  bar.SetVertical(true);
  PixelCanvas s(10, 25);
  bar.Paint(s.dc());
  EXPECT_EQ(s.Pixel(5, 0), RGB(0, 0, 0));
  EXPECT_EQ(s.Pixel(5, 1), RGB(0, 0, 10));
  EXPECT_EQ(s.Pixel(0, 24), RGB(0, 0, 240));
}

// Columns holding caption pixels (anything but the plain background).
std::vector<int> InkColumns(const PixelCanvas& s, int width, int height, COLORREF background) {
  std::vector<int> columns;
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      if (s.Pixel(x, y) != background) {
        columns.push_back(x);
        break;
      }
  return columns;
}

TEST(TitleBar, CaptionStartsAfterTheIconSpace) {
  HighColorScope high(true);
  const struct {
    TIconStyle style;
    int x;
  } cases[] = {{isNone, 15}, {isSearch, 40}};  // isSearch, IconFace 40 wide: 5 + 40 div 2 + 15
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    Host host;
    TTitleBar bar(&host.form, {.width = 200, .height = 25, .caption = L"|Titlu",
                               .font = TFont(L"MS Sans Serif", -13, fsBold, corvan::clWhite)});
    bar.SetStartColor(Rgb(0, 0, 0));
    bar.SetEndColor(Rgb(0, 0, 0));
    bar.SetIconFaceWidth(40);
    bar.SetIconStyle(c.style);
    EXPECT_EQ(bar.CaptionOrigin().x, c.x);
    PixelCanvas s(200, 25);
    bar.Paint(s.dc());
    const auto ink = InkColumns(s, 200, 25, RGB(0, 0, 0));
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.front(), c.x);
    EXPECT_LE(ink.front(), c.x + 2);  // "|" sits at the start of its cell
  }
}

TEST(TitleBar, LongCaptionIsCutAtTheAreaEdgeAndGreyedCaptionIsGrey) {
  HighColorScope high(true);
  Host host;
  TTitleBar bar(&host.form, {.width = 120, .height = 25, .caption = L"Un titlu foarte lung care nu incape",
                             .font = TFont(L"MS Sans Serif", -13, fsBold, corvan::clWhite)});
  bar.SetStartColor(Rgb(0, 0, 0));
  bar.SetEndColor(Rgb(0, 0, 0));
  PixelCanvas s(120, 25);
  bar.Paint(s.dc());
  const auto ink = InkColumns(s, 120, 25, RGB(0, 0, 0));
  ASSERT_FALSE(ink.empty());
  EXPECT_LT(ink.back(), 15 + bar.CaptionAreaWidth());  // 15 + (120 - 10 - 10)

  bar.SetGrayed(true);
  PixelCanvas grey(120, 25);
  bar.Paint(grey.dc());
  bool sawGrey = false, sawWhite = false;
  for (int x = 0; x < 120; ++x)
    for (int y = 0; y < 25; ++y) {
      sawGrey |= grey.Pixel(x, y) == RGB(128, 128, 128);
      sawWhite |= grey.Pixel(x, y) == RGB(255, 255, 255);
    }
  EXPECT_TRUE(sawGrey);
  EXPECT_FALSE(sawWhite);
}

TEST(TitleBar, DisabledWindowGreysItsTitleBar) {
  TTitleForm form({.name = L"Pagina", .left = 10, .top = 10, .width = 200, .height = 100});
  TTitleBar TitleBar1(&form, {.name = L"TitleBar1", .align = alTop, .caption = L"Pagina"});
  form.Show();
  EXPECT_EQ(form.TitleBar(), &TitleBar1);
  EXPECT_EQ(TitleBar1.Height(), 25);
  EnableWindow(form.Handle(), FALSE);
  EXPECT_TRUE(TitleBar1.Grayed());
  EnableWindow(form.Handle(), TRUE);
  EXPECT_FALSE(TitleBar1.Grayed());
  form.SetCaption(L"Alt titlu");
  EXPECT_EQ(TitleBar1.Caption(), L"Alt titlu");
}
