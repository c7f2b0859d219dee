#pragma once
// A page ready for layout: the parsed tree turned into boxes (blocks, list items, tables,
// rows, cells, rules) and, inside them, lines' worth of items (words measured in their
// fonts, spaces, breaks, pictures, form controls, anchors), with every style resolved
// from the tags, their attributes and the page's CSS. Nothing here depends on the width
// the page is shown at; LayoutPage (html_layout.h) places it for a width.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/html_css.h"
#include "core/html_dom.h"
#include "core/html_form.h"
#include "core/html_frames.h"
#include "core/html_measure.h"

namespace corvan::html {

constexpr uint32_t kNone = 0xFFFFFFFFu;

struct PageOptions {
  std::wstring defaultFace = L"Times New Roman";
  std::wstring preFace = L"Courier New";
  std::wstring controlFace = L"Arial";
  int defaultSize = 16, preSize = 13, controlSize = 13;
};

// How a run of text is drawn.
struct RunStyle {
  uint16_t font = 0;
  TColor color = 0;
  TColor background = kNoColor;
  int32_t link = -1;  // index in Page::links
  int8_t shift = 0;   // baseline raised (negative: lowered), for <sup> and <sub>
  bool operator==(const RunStyle&) const = default;
};

struct Link {
  std::wstring href, target;  // as written; a <label>'s link has no href
  int32_t control = -1;       // a <label>: the control a click on its text works
};

enum class Align : uint8_t { Left, Center, Right };
enum class BorderStyle : uint8_t { Solid, Inset, Outset, Groove, Ridge };
enum class VAlign : uint8_t { Baseline, Top, Middle, Bottom, TextTop, AbsMiddle };
enum class FloatSide : uint8_t { None, Left, Right };
enum class Clear : uint8_t { None, Left, Right, Both };

struct Picture {
  std::wstring src, alt;
  int width = 0, height = 0;  // the box on the page (its border and spaces not included)
  bool shown = false;         // false: missing or damaged; its box shows the alt text
  int border = 0, hspace = 0, vspace = 0;
  TColor borderColor = 0;
  VAlign valign = VAlign::Baseline;
  uint32_t style = 0;  // the run style of its alt text
};

enum class ItemKind : uint8_t {
  Word,         // text that does not break (may hold no-break spaces; in <pre>, a whole line)
  Space,        // a collapsed blank: a place to break the line
  Opportunity,  // a place to break of no width (<wbr>)
  Break,        // <br>
  Picture,
  Control,
  Anchor,       // where a name (or id) is, for #name
};

constexpr uint8_t kItemNoBreak = 1;     // a Space that does not break (nowrap)
constexpr uint8_t kItemFloatLeft = 2;   // a Picture floated to the left (align=left)
constexpr uint8_t kItemFloatRight = 4;  // ... to the right
constexpr uint8_t kItemClearLeft = 8;   // a Break that also clears floats (<br clear>)
constexpr uint8_t kItemClearRight = 16;

struct InlineItem {
  ItemKind kind = ItemKind::Word;
  uint8_t flags = 0;
  uint32_t style = 0;
  uint32_t text = 0, length = 0;  // Word, Space: in Page::text
  int32_t width = 0;
  uint32_t object = 0;  // Picture: Page::pictures; Control: Page::controls; Anchor: Page::anchors
};

enum class BoxKind : uint8_t { Block, ListItem, Lines, Table, Row, Cell, Caption, Rule };
enum class MarkerKind : uint8_t { None, Disc, Circle, Square, Text };

struct Box {
  BoxKind kind = BoxKind::Block;
  uint32_t firstChild = kNone, nextSibling = kNone;
  uint32_t itemBegin = 0, itemEnd = 0;  // Lines: its items
  uint32_t strut = 0;                    // Lines: the run style whose font every line is at least as tall as
  Align align = Align::Left;             // Lines: of the lines; Table, Rule, a block with a width: of itself
  FloatSide floatSide = FloatSide::None;
  Clear clear = Clear::None;
  VAlign valign = VAlign::Middle;  // Cell
  bool nowrap = false;             // Cell
  Length margin[4], padding[4];    // top, right, bottom, left; Em already turned into pixels
  int border[4] = {0, 0, 0, 0};
  BorderStyle borderStyle = BorderStyle::Solid;
  TColor borderColor = 0, background = kNoColor;
  Length width, height;
  int32_t anchor = -1;  // a name or id at the box's top (Page::anchors)
  // ListItem
  MarkerKind marker = MarkerKind::None;
  uint32_t markerText = 0, markerLength = 0;  // in Page::text
  uint32_t markerStyle = 0;
  int markerWidth = 0;
  // Table: spacing between cells and the padding and border of every cell
  int cellSpacing = 2, cellPadding = 1, cellBorder = 0;
  // Cell
  int colSpan = 1, rowSpan = 1;
  // Intrinsic widths of the border box: the narrowest it can be and the width without
  // breaking any line.
  int minWidth = 0, maxWidth = 0;
};

struct Anchor {
  std::wstring name;
};

struct Page {
  std::wstring title;
  TColor background = Rgb(255, 255, 255), textColor = 0;
  std::wstring baseTarget;
  std::vector<FontSpec> fonts;
  std::vector<int> fontHandles;  // the measurer's numbers
  std::vector<FontMetrics> metrics;
  std::vector<RunStyle> styles;
  std::wstring text;
  std::vector<InlineItem> items;
  std::vector<Box> boxes;  // boxes[0] holds the page; a box's children come after it
  std::vector<Link> links;
  std::vector<Picture> pictures;
  std::vector<Anchor> anchors;
  std::vector<FormInfo> forms;
  std::vector<FormControl> controls;
  std::unique_ptr<FrameSet> frameset;  // set: the page is a frame set and has no boxes to show
  uint16_t controlFont = 0;
  int defaultLineHeight = 19;
};

// A page built from a parsed document, measured by the measurer. At most kMaxFonts
// fonts are made (a page naming more gets its default face for the rest).
constexpr size_t kMaxFonts = 256;
Page BuildPage(const Document& document, Measurer& measurer, const PageOptions& options = {});

}  // namespace corvan::html
