#pragma once
// Frame sets: <frameset rows="..." cols="..."> with its <frame src name> cells (or nested
// frame sets), and the rectangles of the cells for the size of the view.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/html_dom.h"

namespace corvan::html {

struct FrameLength {
  enum Kind : unsigned char { Pixels, Percent, Relative } kind = Relative;
  int value = 1;
};

// "100, 25%, *, 2*": the lengths of a rows or cols attribute (an empty list: one "*").
// At most kMaxFrameCells entries.
std::vector<FrameLength> ParseFrameLengths(std::wstring_view text);
// The sizes of the lengths in `total` pixels, summing to `total` (browsers' rules:
// pixels first, then percentages, the rest shared by the relative ones; scaled when
// they do not fit).
std::vector<int> FrameSizes(const std::vector<FrameLength>& lengths, int total);

enum class Scrolling : unsigned char { Auto, Yes, No };

struct FrameSet;
struct FrameCell {
  std::unique_ptr<FrameSet> set;  // a nested frame set, or else a frame:
  std::wstring src, name;
  Scrolling scrolling = Scrolling::Auto;
  int marginWidth = -1, marginHeight = -1;  // -1: the page's own margins
};

struct FrameSet {
  std::vector<FrameLength> rows, cols;
  int border = 2;  // pixels between frames
  std::vector<FrameCell> cells;  // row by row; fewer than rows x cols when the page wrote fewer
};

constexpr size_t kMaxFrameCells = 64;
constexpr int kMaxFrameSetDepth = 8;

// The frame set of a <frameset> element (nested ones to kMaxFrameSetDepth levels).
std::unique_ptr<FrameSet> BuildFrameSet(const Document& document, uint32_t node);

struct FrameArea {
  int x, y, width, height;
};
// One rectangle per cell of the set (cells row by row), with `border` pixels between them.
std::vector<FrameArea> FrameCellRects(const FrameSet& set, int width, int height);

}  // namespace corvan::html
