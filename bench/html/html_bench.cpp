// The HTML engine's speed against libgumbo on the same page, native, one process:
// our parse and layout (bytes decoded, tree built, styles resolved, words measured, page
// laid out at 800 pixels) against gumbo's parse alone. Medians of the rounds, interleaved.
//   html_bench PAGE ROUNDS
#include <gumbo.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/html_charset.h"
#include "core/html_layout.h"
#include "core/html_parser.h"
#include "tests/core/html_fixed_measurer.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

size_t CountGumboNodes(const GumboNode* node) {
  size_t n = 1;
  if (node->type == GUMBO_NODE_ELEMENT)
    for (unsigned i = 0; i < node->v.element.children.length; ++i)
      n += CountGumboNodes(static_cast<const GumboNode*>(node->v.element.children.data[i]));
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: html_bench PAGE ROUNDS\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const int rounds = std::max(1, std::atoi(argv[2]));
  using Clock = std::chrono::steady_clock;
  std::vector<double> ours, gumbo;
  size_t runs = 0, nodes = 0, gumboNodes = 0;
  int height = 0;
  for (int r = 0; r < rounds; ++r) {
    {
      const auto t0 = Clock::now();
      const corvan::html::Document document = corvan::html::ParseHtml(corvan::html::DecodeHtmlFile(bytes));
      corvan::html::FixedMeasurer measurer;
      measurer.pictures[L"sigla.png"] = {96, 96};
      measurer.pictures[L"copiere.png"] = {420, 180};
      measurer.pictures[L"note.png"] = {420, 200};
      const corvan::html::Page page = corvan::html::BuildPage(document, measurer);
      const corvan::html::Layout layout = corvan::html::LayoutPage(page, 800);
      ours.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
      runs = layout.runs.size();
      nodes = document.nodes.size();
      height = layout.height;
    }
    {
      const auto t0 = Clock::now();
      GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, bytes.data(), bytes.size());
      gumbo.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
      gumboNodes = CountGumboNodes(output->root);
      gumbo_destroy_output(&kGumboDefaultOptions, output);
    }
  }
  const double mb = static_cast<double>(bytes.size()) / (1024.0 * 1024.0);
  const double o = Median(ours), g = Median(gumbo);
  std::printf("page: %.2f MB; ours: %zu nodes, %zu runs, %d pixels tall; gumbo: %zu nodes\n", mb, nodes, runs, height,
              gumboNodes);
  std::printf("ours (parse + layout): %.1f ms (%.1f MB/s)\n", o * 1000, mb / o);
  std::printf("gumbo (parse):         %.1f ms (%.1f MB/s)\n", g * 1000, mb / g);
  std::printf("ratio gumbo/ours: %.2fx (target >= 1.0x)\n", g / o);
  return runs > 0 && nodes > 0 ? 0 : 1;
}
