#pragma once
// Where the title bar puts its caption.
namespace corvan {

enum TIconStyle : unsigned char { isNone, isSearch, isDetail };

struct TitleLayout {
  int iconSpace;     // left margin before the caption
  int captionWidth;  // width of the caption area
};

// iconFaceWidth: the width of the shared IconFace picture.
TitleLayout LayoutTitle(int barWidth, TIconStyle style, int iconFaceWidth);
// The caption's left edge: 5 pixels scaled by the screen (rounded) plus the icon space.
int TitleCaptionX(double scale, int iconSpace);
// The caption's top: centred, integer division as the toolkit does.
int TitleCaptionTop(int barHeight, int textHeight);
// The bar's height: 25 pixels scaled, rounded.
int TitleBarHeight(double scale);
// Rounds to the nearest integer, halves to the even one.
int RoundHalfEven(double value);

}  // namespace corvan
