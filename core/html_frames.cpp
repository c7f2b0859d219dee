#include "core/html_frames.h"

#include <algorithm>
#include <cmath>

namespace corvan::html {

namespace {

bool IsBlank(wchar_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    wchar_t x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x += 32;
    if (y >= 'A' && y <= 'Z') y += 32;
    if (x != y) return false;
  }
  return true;
}

int NumberOf(std::wstring_view text, int otherwise) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  long value = 0;
  bool any = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = std::min(value * 10 + (text[i++] - '0'), 100000L);
    any = true;
  }
  return any ? static_cast<int>(value) : otherwise;
}

void Build(const Document& d, uint32_t node, FrameSet& set, int depth) {
  set.rows = ParseFrameLengths(d.Attr(node, L"rows").value_or(L""));
  set.cols = ParseFrameLengths(d.Attr(node, L"cols").value_or(L""));
  const auto border = d.Attr(node, L"border");
  const auto frameBorder = d.Attr(node, L"frameborder");
  const auto spacing = d.Attr(node, L"framespacing");
  if (border) set.border = std::min(NumberOf(*border, 2), 20);
  else if (spacing) set.border = std::min(NumberOf(*spacing, 2), 20);
  if (frameBorder && (EqualsNoCase(*frameBorder, L"0") || EqualsNoCase(*frameBorder, L"no"))) set.border = 0;
  const size_t capacity = std::min(set.rows.size() * set.cols.size(), kMaxFrameCells);
  for (uint32_t child = d.nodes[node].firstChild; child != kNoNode && set.cells.size() < capacity;
       child = d.nodes[child].nextSibling) {
    const Tag tag = d.nodes[child].tag;
    if (tag == Tag::Frame) {
      FrameCell cell;
      cell.src = d.Attr(child, L"src").value_or(L"");
      cell.name = d.Attr(child, L"name").value_or(L"");
      const std::wstring_view scrolling = d.Attr(child, L"scrolling").value_or(L"auto");
      if (EqualsNoCase(scrolling, L"no")) cell.scrolling = Scrolling::No;
      else if (EqualsNoCase(scrolling, L"yes")) cell.scrolling = Scrolling::Yes;
      if (auto v = d.Attr(child, L"marginwidth")) cell.marginWidth = std::min(NumberOf(*v, -1), 1000);
      if (auto v = d.Attr(child, L"marginheight")) cell.marginHeight = std::min(NumberOf(*v, -1), 1000);
      set.cells.push_back(std::move(cell));
    } else if (tag == Tag::Frameset) {
      FrameCell cell;
      if (depth + 1 < kMaxFrameSetDepth) {
        cell.set = std::make_unique<FrameSet>();
        Build(d, child, *cell.set, depth + 1);
      }
      set.cells.push_back(std::move(cell));
    }
  }
}

}  // namespace

std::vector<FrameLength> ParseFrameLengths(std::wstring_view text) {
  std::vector<FrameLength> out;
  size_t i = 0;
  while (i <= text.size() && out.size() < kMaxFrameCells) {
    size_t comma = text.find(',', i);
    if (comma == std::wstring_view::npos) comma = text.size();
    std::wstring_view item = text.substr(i, comma - i);
    while (!item.empty() && IsBlank(item.front())) item.remove_prefix(1);
    while (!item.empty() && IsBlank(item.back())) item.remove_suffix(1);
    i = comma + 1;
    if (item.empty()) {
      if (comma == text.size()) break;
      continue;
    }
    FrameLength length;
    if (item.back() == '*') {
      length = {FrameLength::Relative, std::max(1, NumberOf(item.substr(0, item.size() - 1), 1))};
    } else if (item.back() == '%') {
      length = {FrameLength::Percent, NumberOf(item, 0)};
    } else {
      length = {FrameLength::Pixels, NumberOf(item, 0)};
    }
    out.push_back(length);
  }
  if (out.empty()) out.push_back({FrameLength::Relative, 1});
  return out;
}

std::vector<int> FrameSizes(const std::vector<FrameLength>& lengths, int total) {
  total = std::max(total, 0);
  std::vector<int> sizes(lengths.size(), 0);
  long long pixels = 0, percent = 0, relative = 0;
  for (const FrameLength& l : lengths) {
    if (l.kind == FrameLength::Pixels) pixels += l.value;
    else if (l.kind == FrameLength::Percent) percent += l.value;
    else relative += l.value;
  }
  int left = total;
  // Pixels first, scaled down when they do not fit (or, without other frames, to fill).
  for (size_t i = 0; i < lengths.size(); ++i)
    if (lengths[i].kind == FrameLength::Pixels) {
      long long v = lengths[i].value;
      if (pixels > total || (percent == 0 && relative == 0 && pixels > 0)) v = pixels ? v * total / pixels : 0;
      sizes[i] = static_cast<int>(v);
      left -= sizes[i];
    }
  left = std::max(left, 0);
  const int forPercent = left;
  for (size_t i = 0; i < lengths.size(); ++i)
    if (lengths[i].kind == FrameLength::Percent) {
      long long v = static_cast<long long>(lengths[i].value) * total / 100;
      if (percent > 0 && (static_cast<long long>(percent) * total / 100 > forPercent || relative == 0))
        v = static_cast<long long>(lengths[i].value) * forPercent / percent;
      sizes[i] = static_cast<int>(std::min<long long>(v, forPercent));
      left -= sizes[i];
    }
  left = std::max(left, 0);
  const int forRelative = left;
  for (size_t i = 0; i < lengths.size(); ++i)
    if (lengths[i].kind == FrameLength::Relative) {
      sizes[i] = relative ? static_cast<int>(static_cast<long long>(lengths[i].value) * forRelative / relative) : 0;
      left -= sizes[i];
    }
  // Rounding leftovers go to the last frame.
  if (!sizes.empty()) {
    int sum = 0;
    for (int s : sizes) sum += s;
    sizes.back() += total - sum;
    if (sizes.back() < 0) sizes.back() = 0;
  }
  return sizes;
}

std::unique_ptr<FrameSet> BuildFrameSet(const Document& document, uint32_t node) {
  auto set = std::make_unique<FrameSet>();
  Build(document, node, *set, 0);
  return set;
}

std::vector<FrameArea> FrameCellRects(const FrameSet& set, int width, int height) {
  const int cols = static_cast<int>(set.cols.size()), rows = static_cast<int>(set.rows.size());
  const int border = set.border;
  const std::vector<int> w = FrameSizes(set.cols, width - border * (cols - 1));
  const std::vector<int> h = FrameSizes(set.rows, height - border * (rows - 1));
  std::vector<FrameArea> rects;
  int y = 0;
  for (int r = 0; r < rows; ++r) {
    int x = 0;
    for (int c = 0; c < cols; ++c) {
      if (rects.size() >= set.cells.size()) return rects;
      rects.push_back({x, y, w[static_cast<size_t>(c)], h[static_cast<size_t>(r)]});
      x += w[static_cast<size_t>(c)] + border;
    }
    y += h[static_cast<size_t>(r)] + border;
  }
  return rects;
}

}  // namespace corvan::html
