#include "core/gradient.h"

#include <algorithm>

namespace corvan {
namespace {
// The smallest integer not below a / b, for b > 0, computed exactly.
int CeilDiv(long long a, long long b) {
  if (a >= 0) return static_cast<int>((a + b - 1) / b);
  return -static_cast<int>((-a) / b);
}

int Channel(int from, int to, int n, int i) {
  return std::clamp(CeilDiv(static_cast<long long>(i) * (to - from), n) + from, 0, 255);
}
}  // namespace

TColor GradientLine(TColor c1, TColor c2, int n, int i) {
  if (c1 == c2 || n <= 0) return c1;
  return Rgb(Channel(RedOf(c1), RedOf(c2), n, i), Channel(GreenOf(c1), GreenOf(c2), n, i),
             Channel(BlueOf(c1), BlueOf(c2), n, i));
}

std::vector<TColor> GradientLines(TColor c1, TColor c2, int n) {
  std::vector<TColor> lines;
  if (n <= 0) return lines;
  lines.reserve(n);
  for (int i = 0; i < n; ++i) lines.push_back(GradientLine(c1, c2, n, i));
  return lines;
}

}  // namespace corvan
