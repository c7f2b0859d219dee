// The backdrop's version text and panel placement, the instructions viewer's place and
// the instructions file names.
#include "core/backdrop.h"

#include <gtest/gtest.h>

#include "core/install_settings.h"

using namespace corvan;

TEST(Backdrop, VersionTextOfTheProduct) { EXPECT_EQ(BackdropVersionText(ProductVersion), L"ver.3200876.02"); }

TEST(Backdrop, TwoDecimalsRoundHalfAwayFromZero) {
  const struct {
    double value;
    const wchar_t* text;
  } cases[] = {
      {3200876.02, L"3200876.02"},  // stored a little above .02: no stray digits
      {0.0, L"0.00"},               // at least one digit before the point
      {7.0, L"7.00"},               // always two decimals
      {0.5, L"0.50"},
      {0.125, L"0.13"},             // an exact tie goes away from zero
      {0.375, L"0.38"},
      {2.675, L"2.67"},             // stored below the tie: rounds down
      {99.999, L"100.00"},          // the carry reaches the integer part
      {9.995, L"9.99"},             // 9.99499999... as stored
      {-1.5, L"-1.50"},
      {-0.125, L"-0.13"},
      {-0.001, L"0.00"},            // no minus sign on a zero
      {1234567.891, L"1234567.89"},
      {1e15, L"1000000000000000.00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(TwoDecimals(c.value), c.text);
  }
}

TEST(Backdrop, PanelCentredFifteenAboveTheMiddle) {
  const struct {
    int clientWidth, clientHeight, left, top;
  } cases[] = {
      {1014, 758, 132, 114},  // 1024 x 768 inside the 5-pixel border
      {790, 590, 20, 30},     // 800 x 600
      {750, 499, 0, -15},
      {751, 500, 0, -15},     // halves truncate
      {700, 400, -25, -64},   // smaller than the panel: toward zero, not down
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.clientWidth << " x " << c.clientHeight);
    const Placement p = CentredPanel(c.clientWidth, c.clientHeight);
    EXPECT_EQ(p.left, c.left);
    EXPECT_EQ(p.top, c.top);
    EXPECT_EQ(p.width, 750);
    EXPECT_EQ(p.height, 499);
  }
}

TEST(Backdrop, ViewerNarrowerThanTheBackdropAndBelowItsTop) {
  const struct {
    Placement backdrop;
    int panelTop;
    Placement viewer;
  } cases[] = {
      {{0, 0, 1024, 768}, 114, {100, 30, 824, 643}},
      {{0, 0, 800, 600}, 30, {100, 30, 600, 559}},
      {{-5, -5, 1034, 778}, 119, {95, 25, 834, 648}},   // the backdrop's own place counts
      {{200, 100, 1025, 768}, 114, {300, 130, 825, 643}},  // an odd width keeps 100 on the left
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.backdrop.width << " x " << c.backdrop.height << " at "
                                    << c.backdrop.left);
    const Placement v = InstructionsViewerBounds(c.backdrop, c.panelTop, 499);
    EXPECT_EQ(v.left, c.viewer.left);
    EXPECT_EQ(v.top, c.viewer.top);
    EXPECT_EQ(v.width, c.viewer.width);
    EXPECT_EQ(v.height, c.viewer.height);
    EXPECT_EQ(c.backdrop.width - v.width, 200);
    EXPECT_EQ(v.left - c.backdrop.left, 100);
  }
}

TEST(Backdrop, InstructionsFileUnderTheProgramFolder) {
  EXPECT_EQ(InstructionsFile(L"C:\\Corvan", ProductVersion), L"C:\\Corvan\\VerInfo\\3200876.02\\Instruct.htm");
  EXPECT_EQ(InstructionsFile(L"C:\\Corvan\\", ProductVersion), L"C:\\Corvan\\VerInfo\\3200876.02\\Instruct.htm");
  EXPECT_EQ(InstructionsFile(L"D:\\", 7.0), L"D:\\VerInfo\\7.00\\Instruct.htm");
  EXPECT_EQ(ReadMarkerName(L"C:\\Corvan\\VerInfo\\3200876.02\\Instruct.htm"),
            L"C:\\Corvan\\VerInfo\\3200876.02\\Instruct.html");
}

TEST(Backdrop, ReadPagesEndInL) {
  EXPECT_TRUE(IsReadMarkerName(L"C:\\Corvan\\Instruct.html"));
  EXPECT_TRUE(IsReadMarkerName(L"C:\\CORVAN\\INSTRUCT.HTML"));
  EXPECT_FALSE(IsReadMarkerName(L"C:\\Corvan\\Instruct.htm"));
  EXPECT_FALSE(IsReadMarkerName(L""));
}
