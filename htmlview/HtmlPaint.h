#pragma once
// Draws a laid-out page: backgrounds and borders, list bullets, pictures (or, for a
// picture that cannot be shown, its box and alt text), text with the same advances it
// was measured with, and the selected text in the platform's highlight colours.
#include <windows.h>

#include <string>
#include <vector>

#include "core/html_hit.h"
#include "core/html_layout.h"
#include "htmlview/GdiMeasurer.h"
#include "htmlview/HtmlPictures.h"

struct HtmlPaintSelection {
  bool any = false;
  corvan::html::TextPoint from, to;  // from <= to
};

struct HtmlPaintContext {
  const corvan::html::Page& page;
  const corvan::html::Layout& layout;
  TGdiMeasurer& measurer;
  THtmlPictures& pictures;
  const std::vector<std::wstring>& picturePaths;  // one per Page::pictures, empty: none to load
  int scrollY;
  HtmlPaintSelection selection;
};

// Paints the part of the page that shows in the client rectangle `client`.
void PaintHtml(HDC dc, const RECT& client, const HtmlPaintContext& context);

// The light and dark shades of a 3-D border of that colour.
COLORREF BorderLight(COLORREF color);
COLORREF BorderDark(COLORREF color);
