#pragma once
// A measurer with fixed widths for the native tests and the fuzzer: every character is
// half the font's size wide (a bold one a pixel more), ascent 4/5 of the size, descent
// the rest; pictures have the sizes the test gives them.
#include <map>
#include <string>
#include <vector>

#include "core/html_measure.h"

namespace corvan::html {

class FixedMeasurer : public Measurer {
 public:
  int Font(const FontSpec& font) override {
    fonts.push_back(font);
    return static_cast<int>(fonts.size() - 1);
  }
  FontMetrics Metrics(int font) override {
    const int size = fonts[static_cast<size_t>(font)].size;
    const int ascent = size * 4 / 5;
    return {ascent, size - ascent, CharWidth(font)};
  }
  int TextWidth(int font, std::wstring_view text) override { return static_cast<int>(text.size()) * CharWidth(font); }
  bool PictureSize(std::wstring_view src, int& width, int& height) override {
    auto it = pictures.find(std::wstring(src));
    if (it == pictures.end()) return false;
    width = it->second.first;
    height = it->second.second;
    return true;
  }
  int CharWidth(int font) const {
    const FontSpec& f = fonts[static_cast<size_t>(font)];
    return f.size / 2 + (f.bold ? 1 : 0);
  }

  std::vector<FontSpec> fonts;
  std::map<std::wstring, std::pair<int, int>> pictures;
};

}  // namespace corvan::html
