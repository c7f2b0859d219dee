#pragma once
// The style of one element while the page is built: what it inherits from its parent
// (font, colour, alignment, blanks, list marker, link) and what is its own (display,
// background, margins, padding, border, sizes, float). Tags give the defaults browsers
// give; CSS declarations change them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/html_css.h"
#include "core/html_page.h"

namespace corvan::html {

enum class Display : uint8_t { Inline, Block, ListItem, Table, RowGroup, Row, Cell, Caption, None };
enum class WhiteSpace : uint8_t { Normal, Pre, NoWrap };
enum class ListType : uint8_t { Disc, Circle, Square, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman, None };

// Face names of a page, each kept once; 0 is the default face, 1 the preformatted one.
class FaceTable {
 public:
  FaceTable(const std::wstring& defaultFace, const std::wstring& preFace) : names_{defaultFace, preFace} {}
  // The first face of a list ("Arial, Helvetica", "'Times New Roman'", serif, monospace...);
  // a page naming more than kMaxFaces faces gets the default face for the rest.
  uint16_t FromFamilyList(std::wstring_view families);
  const std::wstring& Name(uint16_t face) const { return names_[face]; }
  static constexpr size_t kMaxFaces = 32;

 private:
  std::vector<std::wstring> names_;
};

struct Style {
  // Inherited.
  uint16_t face = 0;
  int size = 16;
  bool bold = false, italic = false, underline = false, strike = false;
  TColor color = 0;
  Align align = Align::Left;       // of text
  Align blockAlign = Align::Left;  // of tables and rules inside (<center>, <div align>)
  WhiteSpace whiteSpace = WhiteSpace::Normal;
  ListType listType = ListType::Disc;
  int32_t link = -1;
  int8_t shift = 0;
  TColor textBackground = kNoColor;  // of an inline element's text, down to its inline children
  // The element's own.
  Display display = Display::Inline;
  TColor background = kNoColor;
  Length margin[4], padding[4];
  int borderWidth[4] = {3, 3, 3, 3};  // CSS "medium", shown only with a border style
  bool hasBorder = false;
  BorderStyle borderStyle = BorderStyle::Solid;
  TColor borderColor = kNoColor;  // none: the text colour
  Length width, height;
  FloatSide floatSide = FloatSide::None;
  Clear clear = Clear::None;
  VAlign valign = VAlign::Baseline;
  bool valignSet = false, paddingSet = false;
};

// The style a child starts from: the inherited part of the parent, the rest reset.
Style Inherit(const Style& parent);

// Applies one CSS declaration (lengths in em are taken from the element's font size at
// the end, by ResolveEm).
void ApplyDeclaration(const Declaration& declaration, Style& style, const Style& parent, FaceTable& faces);

// Em lengths of margins, padding and sizes into pixels at the element's font size.
void ResolveEm(Style& style);

// A font size of <font size="..."> (1..7, +n, -n from 3) in pixels, or 0 when it is none.
int FontTagSize(std::wstring_view text);

}  // namespace corvan::html
