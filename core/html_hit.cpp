#include "core/html_hit.h"

#include <algorithm>
#include <climits>

namespace corvan::html {

namespace {

uint32_t NearestOffset(const Page& page, const TextRun& run, Measurer& measurer, int x) {
  const int font = page.fontHandles[page.styles[run.style].font];
  int at = run.x;
  for (uint32_t i = 0; i < run.length; ++i) {
    const int w = measurer.TextWidth(font, std::wstring_view(page.text).substr(run.text + i, 1));
    if (x < at + w / 2) return i;
    at += w;
  }
  return run.length;
}

}  // namespace

int OffsetX(const Page& page, const TextRun& run, Measurer& measurer, uint32_t offset) {
  const int font = page.fontHandles[page.styles[run.style].font];
  return measurer.TextWidth(font, std::wstring_view(page.text).substr(run.text, std::min(offset, run.length)));
}

bool TextPointAt(const Page& page, const Layout& layout, Measurer& measurer, int x, int y, TextPoint& point) {
  const std::vector<TextRun>& runs = layout.runs;
  if (runs.empty()) return false;
  // The line: the runs the height y falls in, else those nearest to it.
  long long best = LLONG_MAX;
  size_t line = 0;
  for (size_t i = 0; i < runs.size(); ++i) {
    const TextRun& r = runs[i];
    const long long distance = y < r.y ? r.y - y : y >= r.y + r.height ? y - (r.y + r.height) + 1 : 0;
    if (distance < best) {
      best = distance;
      line = i;
      if (distance == 0) break;
    }
  }
  const TextRun& chosen = runs[line];
  const int top = chosen.y, bottom = chosen.y + chosen.height;
  // On that line, the run under x, or the nearest one.
  long long nearest = LLONG_MAX;
  size_t pick = line;
  for (size_t i = 0; i < runs.size(); ++i) {
    const TextRun& r = runs[i];
    if (r.y >= bottom || r.y + r.height <= top) continue;
    const long long distance = x < r.x ? r.x - x : x > r.x + r.width ? x - (r.x + r.width) : 0;
    if (distance < nearest) {
      nearest = distance;
      pick = i;
      if (distance == 0) break;
    }
  }
  point.run = static_cast<uint32_t>(pick);
  point.offset = NearestOffset(page, runs[pick], measurer, x);
  return true;
}

int LinkAt(const Page& page, const Layout& layout, int x, int y) {
  for (const TextRun& r : layout.runs) {
    if (x < r.x || x >= r.x + r.width || y < r.y || y >= r.y + r.height) continue;
    const int link = page.styles[r.style].link;
    if (link >= 0) return link;
  }
  for (const PlacedPicture& p : layout.pictures) {
    if (x < p.x || x >= p.x + p.width || y < p.y || y >= p.y + p.height) continue;
    const int link = page.styles[page.pictures[p.picture].style].link;
    if (link >= 0) return link;
  }
  return -1;
}

std::wstring TextBetween(const Page& page, const Layout& layout, TextPoint a, TextPoint b) {
  if (b < a) std::swap(a, b);
  std::wstring out;
  const std::vector<TextRun>& runs = layout.runs;
  if (runs.empty() || a.run >= runs.size()) return out;
  b.run = std::min<uint32_t>(b.run, static_cast<uint32_t>(runs.size() - 1));
  for (uint32_t i = a.run; i <= b.run; ++i) {
    const TextRun& r = runs[i];
    if (i > a.run) {
      const TextRun& previous = runs[i - 1];
      if (previous.flags & kRunMarker) out += L' ';
      else if ((r.flags & kRunCellStart) && r.y < previous.y + previous.height && r.y + r.height > previous.y) out += L'\t';
      else if (r.flags & kRunLineStart) out += L"\r\n";
    }
    const uint32_t from = i == a.run ? std::min(a.offset, r.length) : 0;
    const uint32_t to = i == b.run ? std::min(b.offset, r.length) : r.length;
    if (to > from) out.append(page.text, r.text + from, to - from);
  }
  for (wchar_t& c : out)
    if (c == 0xA0) c = ' ';
  return out;
}

}  // namespace corvan::html
