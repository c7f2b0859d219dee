// Checks the faces of the test bench for the end-to-end runs: exits 1 with one line
// naming what is missing.
#include <cstdio>

#include "bench_faces.h"

int main() {
  const std::string fault = BenchFaceFault();
  if (fault.empty()) return 0;
  std::fprintf(stderr, "%s\n", fault.c_str());
  return 1;
}
