#include "toolkit/Font.h"

#include "toolkit/GGlobals.h"

double ScreenScale() {
  WindowDC screen;
  const int ppi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return ppi > 0 ? ppi / 96.0 : 1.0;
}

TFont::TFont(std::wstring name, int height, std::uint8_t style, corvan::TColor color)
    : name_(std::move(name)), height_(height), style_(style), color_(color) {}

TFont::TFont(const TFont& other)
    : name_(other.name_), height_(other.height_), style_(other.style_), color_(other.color_),
      charset_(other.charset_) {}

TFont& TFont::operator=(const TFont& other) {
  if (this == &other) return *this;
  name_ = other.name_;
  height_ = other.height_;
  style_ = other.style_;
  color_ = other.color_;
  charset_ = other.charset_;
  Changed();
  return *this;
}

int TFont::Size() const {
  WindowDC screen;
  const int ppi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return -MulDiv(height_, 72, ppi > 0 ? ppi : 96);
}

void TFont::SetName(const std::wstring& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

void TFont::SetSize(int points) {
  WindowDC screen;
  const int ppi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  SetHeight(-MulDiv(points, ppi > 0 ? ppi : 96, 72));
}

void TFont::SetStyle(std::uint8_t style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetColor(corvan::TColor color) {
  if (color == color_) return;
  color_ = color;
  if (OnChange) OnChange();  // the platform font does not depend on the colour
}

void TFont::SetCharset(std::uint8_t charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::ScaleBy(int m, int d) {
  if (d != 0) SetHeight(MulDiv(height_, m, d));
}

void TFont::Changed() {
  handle_.Reset();
  if (OnChange) OnChange();
}

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_.Reset(CreateFontIndirectW(&lf));
  }
  return handle_.Get();
}

COLORREF TFont::TextColor() const { return ResolveColor(color_); }
