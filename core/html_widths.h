#pragma once
// The intrinsic widths of every box of a page: the narrowest it can be laid out (its
// longest word or picture) and its width when no line is broken. Tables and shrinking
// floats are sized from them.
#include "core/html_page.h"

namespace corvan::html {

// Fills Box::minWidth and Box::maxWidth (border boxes, margins in pixels included).
void ComputeIntrinsicWidths(Page& page);

}  // namespace corvan::html
