#pragma once
// The formatted label's caption markup: code characters switch the colour, size and
// style of the text that follows, give it a shadow or make it blink; a carriage return
// starts a new line. The reader turns a caption into lines of runs (stretches of one
// look); the layout measures the lines on a common baseline and places every run.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/colors.h"

namespace corvan {

// Font style bits, as the label's font holds them.
// (the same bits as the toolkit's TFontStyle, so a run's style passes straight to its font).
enum FmtStyle : std::uint8_t { FmtBold = 1, FmtItalic = 2, FmtUnderline = 4, FmtStrikeOut = 8 };

// The look of a run: the font's colour, size (points) and style, and the two flags.
struct FmtLook {
  TColor color = clBlack;
  int size = 8;
  std::uint8_t style = 0;
  bool shadow = false;
  bool blink = false;
  bool operator==(const FmtLook&) const = default;
};

struct FmtRun {
  std::wstring text;
  FmtLook look;
  bool operator==(const FmtRun&) const = default;
};
using FmtLine = std::vector<FmtRun>;

// The colour code's table: 16 fixed colours, then the platform's system colours
// (written 0x80000000 | COLOR_* index, resolved when drawing).
constexpr int FmtColorCount = 37;
TColor FmtColorEntry(int index);

// Reads a caption with the label's font as the starting look. Every line holds at
// least one run (possibly empty); the result holds at least one line.
std::vector<FmtLine> ReadFmtMarkup(std::wstring_view caption, const FmtLook& start);

// The text with every code character ($ % & @ ~) escaped, so the label shows it as typed
// (a folder name in a status line: "C:\R&D~1" must neither resize nor blink).
std::wstring EscapeFmtMarkup(std::wstring_view text);

// What a run measures with its font: text width, font height and font ascent.
struct FmtMetrics {
  int width = 0;
  int height = 0;
  int ascent = 0;
};
using FmtMeasure = std::function<FmtMetrics(const FmtRun&)>;

enum class FmtAlignment : std::uint8_t { Left, Right, Center };

struct FmtPlacedRun {
  const FmtRun* run;  // points into the lines passed to LayoutFmtLines
  int x;
  int y;  // top of the run's text: line top + line ascent - run ascent
  int width;
};

struct FmtLayout {
  int neededWidth = 0;   // widest line when centred, else the sum of the line widths
  int neededHeight = 0;  // sum of the line heights
  int width = 0;         // the label's size after growing (never smaller than before)
  int height = 0;
  std::vector<FmtPlacedRun> runs;
};

// Measures the lines, grows the label from (labelWidth, labelHeight) when it is smaller
// than the text and places each run on its line's baseline.
FmtLayout LayoutFmtLines(const std::vector<FmtLine>& lines, const FmtMeasure& measure, FmtAlignment alignment,
                         int labelWidth, int labelHeight);

// Where the label places itself in its parent at each paint.
enum TMAlign : std::uint8_t { alMNone, alMTop, alMBottom, alMLeft, alMRight, alMCenter };
struct FmtBounds {
  int left, top, width, height;
  bool operator==(const FmtBounds&) const = default;
};
// parentWidth is the parent's outer width (the centre rule uses it), the client sizes its client area.
FmtBounds PlaceFmtLabel(TMAlign align, FmtBounds label, int parentClientWidth, int parentClientHeight,
                        int parentWidth);

}  // namespace corvan
