#include "core/button_layout.h"

namespace corvan {
namespace {

// The toolkit centres as (available div 2) - (size div 2), truncating toward zero.
int Centre(int available, int size) { return available / 2 - size / 2; }

}  // namespace

GlyphCaptionPlaces LayoutGlyphAndCaption(int W, int H, int gw, int gh, int tw, int th, TButtonLayout layout,
                                         int margin, int spacing) {
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  GlyphCaptionPlaces p;
  if (horizontal) {
    p.glyphY = Centre(H, gh);
    p.captionY = Centre(H, th);
  } else {
    p.glyphX = Centre(W, gw);
    p.captionX = Centre(W, tw);
  }
  if (tw == 0 || gw == 0) spacing = 0;

  const int available = horizontal ? W : H;
  const int glyph = horizontal ? gw : gh;
  const int text = horizontal ? tw : th;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (available - (glyph + text)) / 3;
      spacing = margin;
    } else {
      margin = Centre(available, glyph + spacing + text);
    }
  } else if (spacing == -1) {
    spacing = Centre(available - (margin + glyph), text);
  }

  switch (layout) {
    case blGlyphLeft:
      p.glyphX = margin;
      p.captionX = p.glyphX + gw + spacing;
      break;
    case blGlyphRight:
      p.glyphX = W - margin - gw;
      p.captionX = p.glyphX - spacing - tw;
      break;
    case blGlyphTop:
      p.glyphY = margin;
      p.captionY = margin + gh + spacing;
      break;
    case blGlyphBottom:
      p.glyphY = H - margin - gh;
      p.captionY = p.glyphY - spacing - th;
      break;
  }
  return p;
}

int GlyphStateIndex(bool enabled, bool pressed) { return !enabled ? 1 : pressed ? 2 : 0; }

CellSpan GlyphSourceCells(int numGlyphs, int stateIndex) {
  if (numGlyphs < 1 || stateIndex >= numGlyphs) return {0, 1};
  if (stateIndex == 2) return {2, numGlyphs - 2};
  return {stateIndex, 1};
}

NiceButtonLayout LayoutNiceButton(const NiceButtonLook& look) {
  NiceButtonLayout l;
  const bool hasPicture = look.pictureWidth > 0 && look.pictureHeight > 0;
  if (hasPicture) {
    l.pictureArea = 35;
    l.cellWidth = look.pictureWidth / (look.numGlyphs > 0 ? look.numGlyphs : 1);
    if (look.stretch && !look.captionVisible) {
      l.picture = {0, 0, look.width, look.height};
    } else {
      const int left = look.insideDraw        ? 4
                       : look.captionVisible ? 34 - l.cellWidth
                                             : (look.width - l.cellWidth) / 2;
      l.picture = {left, (look.height - look.pictureHeight) / 2, l.cellWidth, look.pictureHeight};
    }
  }
  l.stripCell = look.stripWidth / 9;
  l.stripTop = (look.height - look.stripHeight) / 2;
  l.stripLeft = look.insideDraw ? 0 : l.pictureArea;
  l.leftEndX = l.stripLeft;
  l.rightEndX = look.width - l.stripCell;
  // Tile the middle until the width between the ends is used up; the last tile steps
  // back by its overshoot so it ends where the right end begins.
  int remaining = look.width - 2 * l.stripCell - l.stripLeft;
  int x = l.stripLeft + l.stripCell;
  while (remaining > 0 && l.stripCell > 0) {
    if (remaining < l.stripCell) x -= l.stripCell - remaining;
    l.middleX.push_back(x);
    x += l.stripCell;
    remaining -= l.stripCell;
  }
  return l;
}

ButtonBox NiceCaptionBox(const NiceButtonLook& look, const NiceButtonLayout& layout, int textHeight) {
  const int half = layout.stripCell / 2;
  const int top = look.stretch ? (look.height - textHeight) / 2 : layout.stripTop + (look.stripHeight - textHeight) / 2;
  const int left = look.insideDraw ? textHeight + 4 + half : layout.stripLeft + half;
  return {left, top, look.width - half - left, textHeight};
}

int NicePictureCell(int numGlyphs, bool enabled, bool hot) {
  if (numGlyphs <= 1) return 0;
  if (!enabled) return 1;
  if (hot && numGlyphs > 2) return numGlyphs - 1;
  return 0;
}

bool NiceHitTest(const NiceButtonLook& look, int x, int y) {
  if (x < 0 || y < 0 || x >= look.width || y >= look.height) return false;
  if (look.stretch) return true;
  const bool hasPicture = look.pictureWidth > 0 && look.pictureHeight > 0;
  if (!hasPicture && !look.captionVisible) return true;
  const NiceButtonLayout l = LayoutNiceButton(look);
  if (hasPicture && l.picture.Contains(x, y)) return true;
  if (look.captionVisible) {
    const int left = hasPicture ? 35 : 0;
    ButtonBox band{left, (look.height - look.stripHeight) / 2, look.width - left, look.stripHeight};
    return band.Contains(x, y);
  }
  return false;
}

std::wstring CaptionForMeasure(std::wstring_view caption) {
  std::wstring out(caption);
  if (out == L"#") return out;
  for (auto& c : out)
    if (c == L'#') c = L'\n';
  return out;
}

}  // namespace corvan
