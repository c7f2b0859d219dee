#pragma once
// What is under a point of a laid-out page (a link, a character), and the text between
// two characters, as a user selecting it expects to copy it.
#include <cstdint>
#include <string>

#include "core/html_layout.h"

namespace corvan::html {

// A place between two characters: before character `offset` of run `run`.
struct TextPoint {
  uint32_t run = 0, offset = 0;
  auto operator<=>(const TextPoint&) const = default;
};

// The place in the text nearest to (x, y): on the line at y (or the nearest line above or
// below), the character boundary nearest to x. False when the page has no text.
bool TextPointAt(const Page& page, const Layout& layout, Measurer& measurer, int x, int y, TextPoint& point);

// How far into its run a place is, in pixels.
int OffsetX(const Page& page, const TextRun& run, Measurer& measurer, uint32_t offset);

// The link (Page::links) of the text or picture under the point, or -1.
int LinkAt(const Page& page, const Layout& layout, int x, int y);

// The text from one place to the other (in either order): lines end in CR LF, cells of a
// row are apart by a tab, a list item's number is followed by a blank, no-break spaces
// are spaces.
std::wstring TextBetween(const Page& page, const Layout& layout, TextPoint a, TextPoint b);

}  // namespace corvan::html
