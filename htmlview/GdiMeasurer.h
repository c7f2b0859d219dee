#pragma once
// The viewer's measurer: platform fonts made from the page's font descriptions (kept for
// every page the viewer shows), character advances read once per font and summed, so the
// widths the layout uses are exactly those text is drawn with (ExtTextOut with the same
// advances); picture sizes from the viewer's pictures, resolved against the page's file.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/html_measure.h"
#include "htmlview/HtmlPictures.h"
#include "toolkit/Gdi.h"

class TGdiMeasurer : public corvan::html::Measurer {
 public:
  explicit TGdiMeasurer(THtmlPictures& pictures);

  // The page whose pictures are measured next (relative names are resolved against it).
  void SetDocument(const std::wstring& path) { document_ = path; }

  int Font(const corvan::html::FontSpec& font) override;
  corvan::html::FontMetrics Metrics(int font) override;
  int TextWidth(int font, std::wstring_view text) override;
  bool PictureSize(std::wstring_view src, int& width, int& height) override;

  HFONT Handle(int font) const { return fonts_[static_cast<size_t>(font)]->font.Get(); }
  // The advance of each character of the text, as TextWidth sums them.
  void Advances(int font, std::wstring_view text, std::vector<int>& out);

 private:
  struct Entry {
    corvan::html::FontSpec spec;
    OwnedFont font;
    corvan::html::FontMetrics metrics;
    std::unique_ptr<short[]> pages[256];  // advances of characters by their high byte
  };
  int Advance(Entry& entry, wchar_t c);

  THtmlPictures& pictures_;
  MemoryDC dc_;
  std::vector<std::unique_ptr<Entry>> fonts_;
  std::wstring document_;
};
