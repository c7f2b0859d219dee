#include "htmlview/HtmlPaint.h"

#include <algorithm>

#include "toolkit/Gdi.h"

using namespace corvan::html;

namespace {

void Bands(HDC dc, int x, int y, int w, int h, const int (&b)[4], COLORREF topLeft, COLORREF bottomRight) {
  FillSolid(dc, {x, y, x + w, y + b[0]}, topLeft);
  FillSolid(dc, {x, y, x + b[3], y + h}, topLeft);
  FillSolid(dc, {x, y + h - b[2], x + w, y + h}, bottomRight);
  FillSolid(dc, {x + w - b[1], y, x + w, y + h}, bottomRight);
}

void PaintDecoration(HDC dc, const Decoration& d, int dy) {
  const int y = d.y - dy;
  const COLORREF color = d.color & 0xFFFFFF;
  switch (d.kind) {
    case DecorationKind::Fill: FillSolid(dc, {d.x, y, d.x + d.width, y + d.height}, color); break;
    case DecorationKind::Border:
      switch (d.style) {
        case BorderStyle::Inset: Bands(dc, d.x, y, d.width, d.height, d.border, BorderDark(color), BorderLight(color)); break;
        case BorderStyle::Outset: Bands(dc, d.x, y, d.width, d.height, d.border, BorderLight(color), BorderDark(color)); break;
        case BorderStyle::Groove:
        case BorderStyle::Ridge: {
          const bool groove = d.style == BorderStyle::Groove;
          int half[4], rest[4];
          for (int k = 0; k < 4; ++k) half[k] = (d.border[k] + 1) / 2, rest[k] = d.border[k] - half[k];
          Bands(dc, d.x, y, d.width, d.height, half, groove ? BorderDark(color) : BorderLight(color),
                groove ? BorderLight(color) : BorderDark(color));
          Bands(dc, d.x + half[3], y + half[0], d.width - half[3] - half[1], d.height - half[0] - half[2], rest,
                groove ? BorderLight(color) : BorderDark(color), groove ? BorderDark(color) : BorderLight(color));
          break;
        }
        default: Bands(dc, d.x, y, d.width, d.height, d.border, color, color); break;
      }
      break;
    case DecorationKind::Square: FillSolid(dc, {d.x, y, d.x + d.width, y + d.height}, color); break;
    case DecorationKind::Disc:
    case DecorationKind::Circle: {
      OwnedPen pen(CreatePen(PS_SOLID, 1, color));
      OwnedBrush brush(d.kind == DecorationKind::Disc ? CreateSolidBrush(color) : nullptr);
      SelectGuard p(dc, pen.Get());
      SelectGuard b(dc, brush ? static_cast<HGDIOBJ>(brush.Get()) : GetStockObject(NULL_BRUSH));
      Ellipse(dc, d.x, y, d.x + d.width + 1, y + d.height + 1);
      break;
    }
  }
}

void PaintMissingPicture(HDC dc, const PlacedPicture& placed, const Picture& pic, const HtmlPaintContext& c, int y) {
  const RECT box{placed.x, y, placed.x + placed.width, y + placed.height};
  const int frame[4] = {1, 1, 1, 1};
  Bands(dc, box.left, box.top, placed.width, placed.height, frame, RGB(128, 128, 128), RGB(224, 224, 224));
  if (pic.alt.empty()) return;
  const RunStyle& style = c.page.styles[pic.style];
  SavedDC saved(dc);
  IntersectClipRect(dc, box.left + 2, box.top + 2, box.right - 2, box.bottom - 2);
  SelectObject(dc, c.measurer.Handle(c.page.fontHandles[style.font]));
  SetTextColor(dc, style.color & 0xFFFFFF);
  SetBkMode(dc, TRANSPARENT);
  ExtTextOutW(dc, box.left + 4, box.top + 4, 0, nullptr, pic.alt.c_str(), static_cast<UINT>(pic.alt.size()), nullptr);
}

}  // namespace

COLORREF BorderLight(COLORREF c) {
  return RGB((GetRValue(c) + 2 * 255) / 3, (GetGValue(c) + 2 * 255) / 3, (GetBValue(c) + 2 * 255) / 3);
}

COLORREF BorderDark(COLORREF c) { return RGB(GetRValue(c) * 2 / 3, GetGValue(c) * 2 / 3, GetBValue(c) * 2 / 3); }

void PaintHtml(HDC dc, const RECT& client, const HtmlPaintContext& c) {
  const Page& page = c.page;
  const Layout& layout = c.layout;
  const int top = c.scrollY + client.top, bottom = c.scrollY + client.bottom;
  const auto visible = [&](int y, int h) { return y < bottom && y + h > top; };
  FillSolid(dc, client, page.background & 0xFFFFFF);
  for (const Decoration& d : layout.decorations)
    if (visible(d.y, d.height)) PaintDecoration(dc, d, c.scrollY);
  for (const PlacedPicture& placed : layout.pictures) {
    if (!visible(placed.y, placed.height)) continue;
    const Picture& pic = page.pictures[placed.picture];
    const int y = placed.y - c.scrollY;
    const std::wstring& path = c.picturePaths[placed.picture];
    const RECT rect{placed.x, y, placed.x + placed.width, y + placed.height};
    if (!pic.shown || path.empty() || !c.pictures.Draw(dc, path, rect)) PaintMissingPicture(dc, placed, pic, c, y);
  }
  SetBkMode(dc, TRANSPARENT);
  std::vector<int> advances;
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  for (size_t i = 0; i < layout.runs.size(); ++i) {
    const TextRun& run = layout.runs[i];
    if (!visible(run.y, run.height)) continue;
    const RunStyle& style = page.styles[run.style];
    const int font = page.fontHandles[style.font];
    const std::wstring_view text = std::wstring_view(page.text).substr(run.text, run.length);
    c.measurer.Advances(font, text, advances);
    const int y = run.y - c.scrollY;
    SelectObject(dc, c.measurer.Handle(font));
    if (style.background != kNoColor) FillSolid(dc, {run.x, y, run.x + run.width, y + run.height}, style.background & 0xFFFFFF);
    SetTextColor(dc, style.color & 0xFFFFFF);
    ExtTextOutW(dc, run.x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), advances.data());
    const HtmlPaintSelection& sel = c.selection;
    if (!sel.any || i < sel.from.run || i > sel.to.run) continue;
    const uint32_t s0 = i == sel.from.run ? std::min(sel.from.offset, run.length) : 0;
    const uint32_t s1 = i == sel.to.run ? std::min(sel.to.offset, run.length) : run.length;
    if (s1 <= s0) continue;
    int x0 = run.x, x1;
    for (uint32_t k = 0; k < s0; ++k) x0 += advances[k];
    x1 = x0;
    for (uint32_t k = s0; k < s1; ++k) x1 += advances[k];
    SavedDC saved(dc);
    IntersectClipRect(dc, x0, y, x1, y + run.height);
    FillSolid(dc, {x0, y, x1, y + run.height}, highlight);
    SetTextColor(dc, highlightText);
    ExtTextOutW(dc, run.x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), advances.data());
  }
}
