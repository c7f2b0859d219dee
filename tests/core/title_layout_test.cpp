#include "core/title_layout.h"

#include <gtest/gtest.h>

using namespace corvan;

TEST(TitleLayout, IconSpaceAndCaptionArea) {
  struct Case {
    TIconStyle style;
    int barWidth, iconFaceWidth;
    int iconSpace, captionWidth, captionX;
  } cases[] = {
      {isNone, 400, 40, 10, 380, 15},
      {isSearch, 400, 40, 35, 355, 40},  // 5 + 40 div 2 + 15
      {isDetail, 400, 41, 35, 355, 40},
      {isSearch, 30, 40, 35, -15, 40},  // a bar narrower than its margins has no caption area
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    const TitleLayout layout = LayoutTitle(c.barWidth, c.style, c.iconFaceWidth);
    EXPECT_EQ(layout.iconSpace, c.iconSpace);
    EXPECT_EQ(layout.captionWidth, c.captionWidth);
    EXPECT_EQ(TitleCaptionX(1.0, layout.iconSpace), c.captionX);
  }
}

TEST(TitleLayout, ScaledHeightsAndCentring) {
  EXPECT_EQ(TitleBarHeight(1.0), 25);
  EXPECT_EQ(TitleBarHeight(1.25), 31);  // 31.25
  EXPECT_EQ(TitleBarHeight(1.5), 38);   // 37.5: halves go to the even number
  EXPECT_EQ(TitleCaptionX(1.5, 10), 18);  // 7.5 -> 8
  EXPECT_EQ(TitleCaptionX(1.1, 10), 16);  // 5.5 -> 6
  EXPECT_EQ(TitleCaptionTop(25, 16), 4);
  EXPECT_EQ(TitleCaptionTop(25, 30), -2);  // truncated towards zero
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
}
