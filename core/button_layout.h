#pragma once
// Where the painted push buttons put their picture, caption and face strip: plain
// arithmetic on sizes, so every pixel fact of the buttons is tested without a window.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvan {

enum TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct ButtonBox {
  int x = 0, y = 0, width = 0, height = 0;
  bool Contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
  bool operator==(const ButtonBox&) const = default;
};

// ---- glyph button ----

struct GlyphCaptionPlaces {
  int glyphX = 0, glyphY = 0, captionX = 0, captionY = 0;
  bool operator==(const GlyphCaptionPlaces&) const = default;
};
// The picture (gw x gh, (0, 0) when none) and the caption (tw x th, (0, 0) when none or
// hidden) in a content area W x H; margin -1 centres, spacing -1 lets the layout choose.
// Positions are relative to the content area.
GlyphCaptionPlaces LayoutGlyphAndCaption(int W, int H, int gw, int gh, int tw, int th, TButtonLayout layout,
                                         int margin, int spacing);

// State index of a glyph button's paint: 1 disabled, else 2 pressed, else 0.
int GlyphStateIndex(bool enabled, bool pressed);
// The cells a state copies from a picture of numGlyphs cells: normal cell 0, disabled
// cell 1, pressed the cells from 2 to the end; a state the picture has no cell for uses 0.
struct CellSpan {
  int first = 0, count = 1;
  bool operator==(const CellSpan&) const = default;
};
CellSpan GlyphSourceCells(int numGlyphs, int stateIndex);

// ---- smooth button ----

struct NiceButtonLook {
  int width = 100, height = 28;
  int pictureWidth = 0, pictureHeight = 0;  // the whole picture, all cells; 0 when none
  int numGlyphs = 3;
  int stripWidth = 180, stripHeight = 28;  // the face strip of nine cells
  bool captionVisible = true;
  bool insideDraw = false;
  bool stretch = false;
};

struct NiceButtonLayout {
  int pictureArea = 0;     // 35 with a picture, else 0
  int cellWidth = 0;       // one picture cell; 0 without a picture
  ButtonBox picture;       // where the picture cell goes (the whole button when stretched)
  int stripCell = 0;       // one face-strip cell
  int stripTop = 0, stripLeft = 0;
  int leftEndX = 0, rightEndX = 0;
  std::vector<int> middleX;  // where the middle cell is tiled
};
NiceButtonLayout LayoutNiceButton(const NiceButtonLook& look);
// The caption's rectangle for a text height (the height of "Wg" in the bold font).
ButtonBox NiceCaptionBox(const NiceButtonLook& look, const NiceButtonLayout& layout, int textHeight);
// The picture cell shown: 1 when disabled, the last when hot (more than two cells), else 0.
int NicePictureCell(int numGlyphs, bool enabled, bool hot);
// Whether a point in the button's client area belongs to it (the picture cell and the face
// band; all of a stretched button, or of one with neither picture nor caption).
bool NiceHitTest(const NiceButtonLook& look, int x, int y);

// ---- captions ----

// Every "#" a line break, except a caption that is exactly "#".
std::wstring CaptionForMeasure(std::wstring_view caption);

}  // namespace corvan
