#include "htmlview/GdiMeasurer.h"

#include "core/html_links.h"

using corvan::html::FontMetrics;
using corvan::html::FontSpec;

TGdiMeasurer::TGdiMeasurer(THtmlPictures& pictures) : pictures_(pictures) {}

int TGdiMeasurer::Font(const FontSpec& spec) {
  for (size_t i = 0; i < fonts_.size(); ++i)
    if (fonts_[i]->spec == spec) return static_cast<int>(i);
  auto entry = std::make_unique<Entry>();
  entry->spec = spec;
  entry->font.Reset(CreateFontW(-spec.size, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, spec.italic, spec.underline,
                                spec.strike, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, spec.face.c_str()));
  {
    SelectGuard select(dc_.Get(), entry->font.Get());
    TEXTMETRICW tm{};
    if (GetTextMetricsW(dc_.Get(), &tm)) {
      entry->metrics.ascent = tm.tmAscent;
      entry->metrics.descent = tm.tmDescent;
      entry->metrics.averageWidth = tm.tmAveCharWidth;
    }
  }
  fonts_.push_back(std::move(entry));
  return static_cast<int>(fonts_.size() - 1);
}

FontMetrics TGdiMeasurer::Metrics(int font) { return fonts_[static_cast<size_t>(font)]->metrics; }

int TGdiMeasurer::Advance(Entry& entry, wchar_t c) {
  const unsigned code = static_cast<unsigned>(c) & 0xFFFF;
  std::unique_ptr<short[]>& page = entry.pages[code >> 8];
  if (!page) {
    page = std::make_unique<short[]>(256);
    INT widths[256] = {};
    SelectGuard select(dc_.Get(), entry.font.Get());
    const UINT first = code & 0xFF00;
    if (!GetCharWidth32W(dc_.Get(), first, first + 255, widths))
      for (UINT k = 0; k < 256; ++k) {
        const wchar_t ch = static_cast<wchar_t>(first + k);
        SIZE size{};
        GetTextExtentPoint32W(dc_.Get(), &ch, 1, &size);
        widths[k] = size.cx;
      }
    for (int k = 0; k < 256; ++k) page[k] = static_cast<short>(std::max(0, std::min(widths[k], 30000)));
  }
  return page[code & 0xFF];
}

int TGdiMeasurer::TextWidth(int font, std::wstring_view text) {
  Entry& entry = *fonts_[static_cast<size_t>(font)];
  long long width = 0;
  for (wchar_t c : text) width += Advance(entry, c);
  return static_cast<int>(std::min<long long>(width, 1 << 28));
}

void TGdiMeasurer::Advances(int font, std::wstring_view text, std::vector<int>& out) {
  Entry& entry = *fonts_[static_cast<size_t>(font)];
  out.resize(text.size());
  for (size_t i = 0; i < text.size(); ++i) out[i] = Advance(entry, text[i]);
}

bool TGdiMeasurer::PictureSize(std::wstring_view src, int& width, int& height) {
  const corvan::html::LinkTarget target = corvan::html::ResolveLink(document_, src);
  if (target.kind != corvan::html::LinkKind::LocalFile) return false;
  return pictures_.Size(target.path, width, height);
}
