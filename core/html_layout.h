#pragma once
// A page placed for a width: what to draw where, in page coordinates (x to the right,
// y down from the page's top). Text in runs of one style, backgrounds and borders,
// list bullets, pictures, form controls; the anchors' positions for #name.
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/html_page.h"

namespace corvan::html {

constexpr uint8_t kRunLineStart = 1;  // the run begins a line
constexpr uint8_t kRunCellStart = 2;  // the run begins a table cell
constexpr uint8_t kRunMarker = 4;     // a list item's number

struct TextRun {
  int x, y, width, height, ascent;
  uint32_t text, length;  // in Page::text
  uint32_t style;         // Page::styles
  uint8_t flags;
};

enum class DecorationKind : uint8_t { Fill, Border, Disc, Circle, Square };

struct Decoration {
  DecorationKind kind;
  BorderStyle style;  // Border
  int x, y, width, height;
  int border[4];  // Border: top, right, bottom, left widths
  TColor color;
};

struct PlacedPicture {
  int x, y, width, height;  // the picture itself, inside its border
  uint32_t picture;         // Page::pictures
};

struct PlacedControl {
  int x, y, width, height;
  uint32_t control;  // Page::controls
};

struct PlacedAnchor {
  uint32_t anchor;  // Page::anchors
  int y;
};

struct Layout {
  int width = 0, height = 0;
  // Drawn in this order: decorations (in the order of the page, so a cell's background
  // covers its table's), pictures, text; controls are windows of their own.
  std::vector<Decoration> decorations;
  std::vector<PlacedPicture> pictures;
  std::vector<TextRun> runs;  // in the order of the page's text
  std::vector<PlacedControl> controls;
  std::vector<PlacedAnchor> anchors;
};

// Content placed lower than this is left out (a page that tall is broken).
constexpr int kMaxLayoutY = 1 << 28;

Layout LayoutPage(const Page& page, int width);

// The top of the first anchor of that name (or id), or -1.
int AnchorTop(const Page& page, const Layout& layout, std::wstring_view name);

}  // namespace corvan::html
