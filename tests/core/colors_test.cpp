// Colour operations of the toolkit.
#include "core/colors.h"

#include <gtest/gtest.h>

using namespace corvan;

TEST(Colors, LightenAndDarken) {
  EXPECT_EQ(LightenColor(Rgb(100, 100, 100), 20), Rgb(117, 117, 117));
  EXPECT_EQ(DarkenColor(Rgb(152, 165, 177), 3), Rgb(101, 110, 118));
  EXPECT_EQ(LightenColor(clWhite, 1), clWhite);
  EXPECT_EQ(DarkenColor(clBlack, 1), clBlack);
  EXPECT_EQ(LightenColor(Rgb(250, 0, 10), 2), Rgb(255, 127, 142));  // clamped at 255
  EXPECT_EQ(DarkenColor(Rgb(10, 20, 30), 1), Rgb(0, 0, 0));
}

TEST(Colors, PageColoursAreTheDocumentedOnes) {
  EXPECT_EQ(PageColor, Hex(0x98A5B1));
  EXPECT_EQ(PageTitleColor, Hex(0x5C6978));
  EXPECT_EQ(RedOf(PageColor), 152);
}
