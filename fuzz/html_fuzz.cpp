// libFuzzer target: any bytes as an HTML page, laid out at a width the input chooses. The
// parser, the styles and the layout must never crash, read out of bounds or hang, and
// what they give must keep its promises: a tree no deeper than the limit, runs inside the
// page's text, positions inside the page's height, selections and links that resolve.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/html_charset.h"
#include "core/html_frames.h"
#include "core/html_hit.h"
#include "core/html_layout.h"
#include "core/html_links.h"
#include "core/html_parser.h"
#include "tests/core/html_fixed_measurer.h"

namespace {

using namespace corvan::html;

// A broken promise: says which and stops.
void Broken(int line) {
  std::fprintf(stderr, "broken promise at html_fuzz.cpp:%d\n", line);
  std::abort();
}
#define Check(condition) ((condition) ? (void)0 : Broken(__LINE__))

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte picks the width (0 to 1,020 pixels); the rest is the file.
  const int width = data[0] * 4;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const Document document = ParseHtml(DecodeHtmlFile(bytes));
  for (uint32_t i = 0; i < document.nodes.size(); ++i) {
    const Node& n = document.nodes[i];
    Check(n.tag == Tag::Text ? n.begin + n.count <= document.pool.size()
                             : n.begin + n.count <= document.attributes.size());
    Check(i == 0 || n.parent < document.nodes.size());
  }
  FixedMeasurer measurer;
  measurer.pictures[L"a.png"] = {64, 48};
  measurer.pictures[L"huge.png"] = {100000, 100000};
  const Page page = BuildPage(document, measurer);
  const Layout layout = LayoutPage(page, width);
  Check(layout.height >= 0 && layout.height <= kMaxLayoutY + (1 << 20));
  for (const TextRun& r : layout.runs) {
    Check(r.text + r.length <= page.text.size());
    Check(r.style < page.styles.size());
    Check(r.width >= 0 && r.height >= 0);
  }
  for (const PlacedPicture& p : layout.pictures) Check(p.picture < page.pictures.size() && p.width >= 0 && p.height >= 0);
  for (const PlacedControl& c : layout.controls) Check(c.control < page.controls.size());
  for (const PlacedAnchor& a : layout.anchors) Check(a.anchor < page.anchors.size());
  for (const RunStyle& s : page.styles) Check(s.font < page.fonts.size() && (s.link < 0 || static_cast<size_t>(s.link) < page.links.size()));
  Check(page.fonts.size() <= kMaxFonts);
  if (!layout.runs.empty()) {
    const TextPoint first{0, 0};
    const TextPoint last{static_cast<uint32_t>(layout.runs.size() - 1), layout.runs.back().length};
    Check(TextBetween(page, layout, first, last).size() <= page.text.size() * 3 + layout.runs.size() * 2);
    TextPoint at;
    Check(TextPointAt(page, layout, measurer, width / 2, layout.height / 2, at) && at.run < layout.runs.size());
  }
  for (const Link& link : page.links) ResolveLink(L"C:\\Corvan\\VerInfo\\3200876.02\\Instruct.htm", link.href);
  LinkAt(page, layout, width / 3, layout.height / 3);
  if (page.frameset) {
    const std::vector<FrameArea> areas = FrameCellRects(*page.frameset, width, 600);
    Check(areas.size() <= page.frameset->cells.size());
    for (const FrameArea& a : areas) Check(a.width >= 0 && a.height >= 0);
  }
  const std::vector<ControlState> states = InitialStates(page.controls);
  for (size_t f = 0; f < page.forms.size() && f < 4; ++f)
    BuildSubmission(page.forms, page.controls, states, static_cast<int>(f), -1, page.baseTarget);
  return 0;
}
