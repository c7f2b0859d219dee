#pragma once
// What the layout needs to know of the platform: the size of text in a font and the
// natural size of a picture. The view measures with the platform's fonts; tests and the
// fuzzer with fixed widths.
#include <string>
#include <string_view>

namespace corvan::html {

struct FontSpec {
  std::wstring face;
  int size = 16;  // character height in pixels
  bool bold = false, italic = false, underline = false, strike = false;
  bool operator==(const FontSpec&) const = default;
};

struct FontMetrics {
  int ascent = 13, descent = 3;  // above and below the baseline
  int averageWidth = 7;          // of a character, for the sizes of text fields
};

class Measurer {
 public:
  virtual ~Measurer() = default;
  // A number the measurer knows the font by from now on.
  virtual int Font(const FontSpec& font) = 0;
  virtual FontMetrics Metrics(int font) = 0;
  virtual int TextWidth(int font, std::wstring_view text) = 0;
  // The natural size of the picture a page names (src as written); false when it cannot
  // be shown (missing, damaged, not a picture, too large).
  virtual bool PictureSize(std::wstring_view src, int& width, int& height) = 0;
};

}  // namespace corvan::html
