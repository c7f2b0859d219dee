#include "core/image_rect.h"

#include <gtest/gtest.h>

using namespace corvan;

TEST(ImageRect, PlacementOfAPictureInItsArea) {
  struct Case {
    const char* what;
    int w, h, cw, ch;
    bool stretch, proportional, center;
    ImageRect expected;
  } cases[] = {
      {"own size", 200, 100, 100, 100, false, false, false, {0, 0, 200, 100}},
      {"proportional, wide", 200, 100, 100, 100, true, true, false, {0, 0, 100, 50}},
      {"proportional, wide, centred", 200, 100, 100, 100, true, true, true, {0, 25, 100, 50}},
      {"proportional, tall", 50, 100, 100, 100, true, true, true, {25, 0, 50, 100}},
      {"proportional, wide but area flatter", 200, 100, 300, 60, true, true, false, {0, 0, 120, 60}},
      {"proportional, tall but area narrower", 100, 200, 40, 200, true, true, false, {0, 0, 40, 80}},
      {"proportional, square, centred", 30, 30, 80, 50, true, true, true, {15, 0, 50, 50}},
      {"proportional, truncated", 3, 2, 10, 10, true, true, false, {0, 0, 10, 6}},
      {"stretch", 200, 100, 100, 100, true, false, true, {0, 0, 100, 100}},
      {"empty picture stretched proportionally fills", 0, 0, 40, 30, true, true, false, {0, 0, 40, 30}},
      {"centred at own size, larger than the area", 120, 60, 100, 100, false, false, true, {-10, 20, 120, 60}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(TransImageRect(c.w, c.h, c.cw, c.ch, c.stretch, c.proportional, c.center), c.expected);
  }
}
