#include "toolkit/Bevel.h"

#include "toolkit/Font.h"
#include "toolkit/GGlobals.h"

BevelEdges BevelColors(TPanelBevel bevel, COLORREF face) {
  const COLORREF light = ResolveColor(clBtnHighlight), shadow = ResolveColor(clBtnShadow);
  switch (bevel) {
    case bvRaised: return {light, shadow};
    case bvLowered: return {shadow, light};
    case bvSpace: return {face, face};
    case bvNone: break;
  }
  return {face, face};
}

void Frame3D(HDC dc, RECT& rect, COLORREF topColor, COLORREF bottomColor, int width) {
  for (int i = 0; i < width; ++i) {
    const int l = rect.left, t = rect.top, r = rect.right - 1, b = rect.bottom - 1;
    if (r < l || b < t) return;
    FillSolid(dc, {l, t, l + 1, b + 1}, topColor);      // left column
    FillSolid(dc, {l, t, r, t + 1}, topColor);          // top row, short of the corner
    FillSolid(dc, {r, t, r + 1, b + 1}, bottomColor);   // right column
    FillSolid(dc, {l, b, r + 1, b + 1}, bottomColor);   // bottom row, corners included
    InflateRect(&rect, -1, -1);
  }
}

void PaintBevel(HDC dc, RECT& rect, TPanelBevel bevel, COLORREF face, int width) {
  if (bevel == bvNone) return;
  const BevelEdges edges = BevelColors(bevel, face);
  Frame3D(dc, rect, edges.topLeft, edges.bottomRight, width);
}
