#pragma once
// The title bar's gradient: the colour of each one-pixel line between two colours.
#include <vector>

#include "core/colors.h"

namespace corvan {

// Line i (0-based) of an n-line gradient from c1 to c2 (plain RGB colours): each channel is
// the smallest integer not below i * (c2 - c1) / n, plus the channel of c1, within 0..255.
// The last line therefore stops one step short of c2.
TColor GradientLine(TColor c1, TColor c2, int n, int i);
// All n lines.
std::vector<TColor> GradientLines(TColor c1, TColor c2, int n);

}  // namespace corvan
