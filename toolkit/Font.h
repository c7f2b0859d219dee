#pragma once
// A control's font as the toolkit describes it (name, height, style, colour) and the
// platform font made from it, created when first drawn with and remade after a change.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/colors.h"
#include "toolkit/Gdi.h"

// The platform's system colours, written as 0x80000000 | COLOR_* index and resolved
// when drawing (ResolveColor in GGlobals.h).
constexpr corvan::TColor SystemColor(int index) { return 0x80000000u | static_cast<corvan::TColor>(index); }
constexpr corvan::TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr corvan::TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr corvan::TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr corvan::TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr corvan::TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr corvan::TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr corvan::TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
constexpr corvan::TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr corvan::TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr corvan::TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr corvan::TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr corvan::TColor cl3DLight = SystemColor(COLOR_3DLIGHT);

// Font styles, combined as bits.
enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// The pixels per inch of the screen divided by 96 (1.0 on a normal screen).
double ScreenScale();

class TFont {
 public:
  // Height in pixels as the platform takes it: negative = character height, positive = cell height.
  explicit TFont(std::wstring name = L"MS Sans Serif", int height = -11, std::uint8_t style = 0,
                 corvan::TColor color = clWindowText);
  // Copies the description; each copy makes its own platform font.
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);

  const std::wstring& Name() const { return name_; }
  int Height() const { return height_; }
  std::uint8_t Style() const { return style_; }
  bool Bold() const { return style_ & fsBold; }
  corvan::TColor Color() const { return color_; }
  // The character set asked of the platform (DEFAULT_CHARSET unless set).
  std::uint8_t Charset() const { return charset_; }
  // Points at the screen's pixels per inch.
  int Size() const;

  void SetName(const std::wstring& name);
  void SetHeight(int height);
  void SetSize(int points);
  void SetStyle(std::uint8_t style);
  void SetBold(bool bold) { SetStyle(bold ? (style_ | fsBold) : (style_ & ~fsBold)); }
  void SetColor(corvan::TColor color);
  void SetCharset(std::uint8_t charset);
  // Zoom: the height becomes height * m / d.
  void ScaleBy(int m, int d);

  // The platform font, owned by this object; valid until the next change.
  HFONT Handle() const;
  // The colour resolved to an RGB value for SetTextColor.
  COLORREF TextColor() const;

  // Called after every change (the owning control repaints).
  std::function<void()> OnChange;

 private:
  void Changed();

  std::wstring name_;
  int height_;
  std::uint8_t style_;
  corvan::TColor color_;
  std::uint8_t charset_ = DEFAULT_CHARSET;
  mutable OwnedFont handle_;
};
