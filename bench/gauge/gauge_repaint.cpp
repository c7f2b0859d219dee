// The copy pages' progress: a million position changes on a gauge that repaints only
// when its percentage changes, against a peer gauge that repaints on every change.
// Prints the median time of each and their ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"
#include "toolkit/Panels.h"

namespace {
// The peer: what a gauge without the percentage check would cost.
class EveryChangeGauge : public TGauge {
 public:
  using TGauge::TGauge;
  void Set(int value) {
    SetProgress(value);
    Repaint();
  }
};

template <class Step>
double Run(int steps, Step step) {
  LARGE_INTEGER f, a, b;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&a);
  for (int i = 1; i <= steps; ++i) step(i);
  QueryPerformanceCounter(&b);
  return static_cast<double>(b.QuadPart - a.QuadPart) / f.QuadPart;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
  const int steps = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  InitGlobals();
  TTitleForm page({.name = L"Copy", .left = 10, .top = 10, .width = 320, .height = 120, .color = corvan::PageColor});
  TGauge gauge(&page, {.name = L"UnzipProgress", .left = 88, .top = 30, .width = 199, .height = 19});
  EveryChangeGauge peer(&page, {.name = L"Peer", .left = 88, .top = 60, .width = 199, .height = 19});
  page.Show();
  UpdateWindow(page.Handle());
  // The peer is slow: it gets a hundredth of the steps and its time is scaled up.
  const int peerSteps = std::max(1, steps / 100);
  std::vector<double> ours, theirs;
  for (int r = 0; r < rounds; ++r) {
    gauge.SetMaxValue(steps);
    gauge.SetProgress(0);
    ours.push_back(Run(steps, [&](int i) { gauge.SetProgress(i); }));
    peer.SetMaxValue(peerSteps);
    peer.SetProgress(0);
    theirs.push_back(Run(peerSteps, [&](int i) { peer.Set(i); }) * (static_cast<double>(steps) / peerSteps));
  }
  const double a = Median(ours), b = Median(theirs);
  std::printf("gauge, %d steps: repaint on percentage change %.3f s, repaint on every change %.3f s (scaled), "
              "ratio %.1f x faster; %d paints\n",
              steps, a, b, b / a, gauge.PaintCount());
  FreeGlobals();
  return 0;
}
