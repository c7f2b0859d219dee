#include "core/colors.h"

#include <algorithm>

namespace corvan {

namespace {
int Clamp(double v) { return static_cast<int>(std::clamp(v, 0.0, 255.0)); }
}  // namespace

TColor LightenColor(TColor color, int n) {
  color &= 0xFFFFFF;
  if (color == clWhite) return color;
  auto ch = [n](int c) { return Clamp(c + (c + 255.0) / n); };
  return Rgb(ch(RedOf(color)), ch(GreenOf(color)), ch(BlueOf(color)));
}

TColor DarkenColor(TColor color, int n) {
  color &= 0xFFFFFF;
  if (color == clBlack) return color;
  auto ch = [n](int c) { return Clamp(c - static_cast<double>(c) / n); };
  return Rgb(ch(RedOf(color)), ch(GreenOf(color)), ch(BlueOf(color)));
}

}  // namespace corvan
