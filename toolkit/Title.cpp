#include "toolkit/Title.h"

#include "core/gradient.h"
#include "toolkit/GGlobals.h"

namespace {
TControlDesc WithTitleDefaults(TControlDesc desc, double scara) {
  if (desc.height == 0) desc.height = corvan::TitleBarHeight(scara);
  if (!desc.font) desc.font = TFont(L"MS Sans Serif", 0, fsBold, corvan::clBlack);
  return desc;
}
}  // namespace

void GradientFill(HDC dc, const RECT& rect, corvan::TColor c1, corvan::TColor c2, bool horizontal) {
  const corvan::TColor from = ResolveColor(c1), to = ResolveColor(c2);
  if (from == to) {
    FillSolid(dc, rect, from);
    return;
  }
  const int n = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
  for (int i = 0; i < n; ++i) {
    const COLORREF color = corvan::GradientLine(from, to, n, i);
    if (horizontal) FillSolid(dc, {rect.left + i, rect.top, rect.left + i + 1, rect.bottom}, color);
    else FillSolid(dc, {rect.left, rect.top + i, rect.right, rect.top + i + 1}, color);
  }
}

TTitleBar::TTitleBar(TWinControl* parent, const TControlDesc& desc)
    : TControl(parent, WithTitleDefaults(desc, ScreenScale())),
      scara_(ScreenScale()),
      startColor_(corvan::Rgb(4, 47, 77)),
      endColor_(corvan::Rgb(239, 239, 239)),
      iconFaceWidth_(BitmapSize(SharedPicture(L"IconFace")).cx) {
  if (!desc.font) Font().SetSize(scara_ == 1.0 ? 10 : 11);
  SetColor(startColor_);
  Relayout();
}

void TTitleBar::SetStartColor(corvan::TColor color) {
  if (color == startColor_) return;
  startColor_ = color;
  Invalidate();
}

void TTitleBar::SetEndColor(corvan::TColor color) {
  if (color == endColor_) return;
  endColor_ = color;
  Invalidate();
}

void TTitleBar::SetCaptionColor(corvan::TColor color) {
  if (color == Font().Color()) return;
  Font().SetColor(color);
}

void TTitleBar::SetVertical(bool vertical) {
  if (vertical == vertical_) return;
  vertical_ = vertical;
  Invalidate();
}

void TTitleBar::SetCaption(const std::wstring& caption) {
  if (caption == Caption()) return;
  TControl::SetCaption(caption);
}

void TTitleBar::SetIconStyle(TIconStyle style) {
  iconStyle_ = style;
  Relayout();
  Invalidate();
}

void TTitleBar::SetIconFaceWidth(int width) {
  iconFaceWidth_ = width;
  Relayout();
  Invalidate();
}

void TTitleBar::BoundsChanged() { Relayout(); }

void TTitleBar::Relayout() { layout_ = corvan::LayoutTitle(Width(), iconStyle_, iconFaceWidth_); }

void TTitleBar::SetGrayed(bool grayed) {
  if (grayed == grayed_) return;
  grayed_ = grayed;
  if (!Showing() || !Parent() || !Parent()->HandleAllocated()) return;
  // Only the caption's rectangle is redrawn: the background under it is painted again
  // by the parent's buffer, so the grey text does not pile on the old one.
  WindowDC dc(Parent()->HandleIfCreated());
  const POINT origin = CaptionOrigin();
  const int th = CaptionTextHeight(dc.Get());
  RECT r{Left() + origin.x, Top() + origin.y, Left() + origin.x + layout_.captionWidth, Top() + origin.y + th};
  InvalidateRect(Parent()->HandleIfCreated(), &r, FALSE);
}

int TTitleBar::CaptionTextHeight(HDC dc) const {
  SelectGuard font(dc, Font().Handle());
  RECT box{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextW(dc, Caption().c_str(), static_cast<int>(Caption().size()), &box,
            DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_LEFT);
  return box.bottom - box.top;
}

POINT TTitleBar::CaptionOrigin() const {
  WindowDC screen;
  const int th = CaptionTextHeight(screen.Get());
  return {corvan::TitleCaptionX(scara_, layout_.iconSpace), corvan::TitleCaptionTop(Height(), th)};
}

void TTitleBar::Paint(HDC dc) {
  const RECT all{0, 0, Width(), Height()};
  if (HighColor && startColor_ != endColor_) GradientFill(dc, all, startColor_, endColor_, !vertical_);
  else FillSolid(dc, all, ResolveColor(startColor_));
  PaintCaption(dc);
}

void TTitleBar::PaintCaption(HDC dc) const {
  if (Caption().empty()) return;
  SelectGuard font(dc, Font().Handle());
  const int th = CaptionTextHeight(dc);
  const int x = corvan::TitleCaptionX(scara_, layout_.iconSpace);
  const int y = corvan::TitleCaptionTop(Height(), th);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, grayed_ ? RGB(128, 128, 128) : Font().TextColor());
  RECT clip{x, y, x + layout_.captionWidth, y + th};
  DrawTextW(dc, Caption().c_str(), static_cast<int>(Caption().size()), &clip, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT);
}
