#include "core/title_layout.h"

#include <cmath>

namespace corvan {

TitleLayout LayoutTitle(int barWidth, TIconStyle style, int iconFaceWidth) {
  TitleLayout layout{};
  layout.iconSpace = style != isNone ? iconFaceWidth / 2 + 15 : 10;
  layout.captionWidth = barWidth - layout.iconSpace - 10;
  return layout;
}

int RoundHalfEven(double value) {
  const double floorValue = std::floor(value);
  const double diff = value - floorValue;
  if (diff > 0.5) return static_cast<int>(floorValue) + 1;
  if (diff < 0.5) return static_cast<int>(floorValue);
  const int f = static_cast<int>(floorValue);
  return (f % 2 == 0) ? f : f + 1;
}

int TitleCaptionX(double scale, int iconSpace) { return RoundHalfEven(5 * scale) + iconSpace; }

int TitleCaptionTop(int barHeight, int textHeight) { return (barHeight - textHeight) / 2; }

int TitleBarHeight(double scale) { return RoundHalfEven(25 * scale); }

}  // namespace corvan
