#pragma once
// The one painter of 3-D bevels: the panels' bevels, the bevel control's box and the
// boxes' flat frame all draw through it.
#include <windows.h>

#include "toolkit/Types.h"

// The edge colours of a bevel: raised is the highlight at the top and left and the shadow
// at the bottom and right, lowered the reverse. A panel's space bevel is drawn in its own
// face colour (an empty ring); see PaintBevel.
struct BevelEdges {
  COLORREF topLeft;
  COLORREF bottomRight;
};
BevelEdges BevelColors(TPanelBevel bevel, COLORREF face);

// Draws a 3-D frame of `width` pixels on the rectangle (top and left in topColor, bottom
// and right in bottomColor, the bottom-left and top-right corners in bottomColor) and
// shrinks the rectangle by it.
void Frame3D(HDC dc, RECT& rect, COLORREF topColor, COLORREF bottomColor, int width);

// A bevel of `width` pixels in the colours of BevelColors; bvNone draws nothing. Shrinks
// the rectangle by what it drew.
void PaintBevel(HDC dc, RECT& rect, TPanelBevel bevel, COLORREF face, int width);
