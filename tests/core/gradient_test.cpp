#include "core/gradient.h"

#include <gtest/gtest.h>

using namespace corvan;

TEST(Gradient, ColumnsOfTheTitleBarsGradient) {
  struct Case {
    TColor from, to;
    int n, i;
    TColor expected;
  } cases[] = {
      {Rgb(0, 0, 0), Rgb(100, 100, 100), 100, 0, Rgb(0, 0, 0)},
      {Rgb(0, 0, 0), Rgb(100, 100, 100), 100, 1, Rgb(1, 1, 1)},
      {Rgb(0, 0, 0), Rgb(100, 100, 100), 100, 99, Rgb(99, 99, 99)},  // one step short of the end
      // A falling step of -33.3 is rounded upwards at each column.
      {Rgb(100, 0, 0), Rgb(0, 0, 0), 3, 0, Rgb(100, 0, 0)},
      {Rgb(100, 0, 0), Rgb(0, 0, 0), 3, 1, Rgb(67, 0, 0)},
      {Rgb(100, 0, 0), Rgb(0, 0, 0), 3, 2, Rgb(34, 0, 0)},
      // Rising by less than one per column: the ceiling puts every step early.
      {Rgb(0, 0, 0), Rgb(0, 0, 1), 4, 1, Rgb(0, 0, 1)},
      // Channels move independently, in both directions.
      {Rgb(10, 200, 50), Rgb(20, 100, 50), 10, 5, Rgb(15, 150, 50)},
      {Rgb(9, 9, 9), Rgb(9, 9, 9), 5, 3, Rgb(9, 9, 9)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "n=" << c.n << " i=" << c.i);
    EXPECT_EQ(GradientLine(c.from, c.to, c.n, c.i), c.expected);
  }
}

TEST(Gradient, AllLinesAndDegenerateWidths) {
  EXPECT_EQ(GradientLines(Rgb(100, 0, 0), Rgb(0, 0, 0), 3),
            (std::vector<TColor>{Rgb(100, 0, 0), Rgb(67, 0, 0), Rgb(34, 0, 0)}));
  EXPECT_TRUE(GradientLines(Rgb(1, 2, 3), Rgb(4, 5, 6), 0).empty());
  EXPECT_TRUE(GradientLines(Rgb(1, 2, 3), Rgb(4, 5, 6), -4).empty());
  // The full range over a wide bar stays within 0..255 and ends short of white.
  const auto lines = GradientLines(Rgb(0, 0, 0), Rgb(255, 255, 255), 1000);
  ASSERT_EQ(lines.size(), 1000u);
  EXPECT_EQ(lines.back(), Rgb(255, 255, 255));  // ceil(999 * 0.255) = 255
  EXPECT_EQ(lines[1], Rgb(1, 1, 1));
}
