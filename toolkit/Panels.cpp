#include "toolkit/Panels.h"

#include <algorithm>

#include "toolkit/Bevel.h"
#include "toolkit/GGlobals.h"

namespace {
TControlDesc WithSize(TControlDesc desc, int width, int height) {
  if (desc.width == 0) desc.width = width;
  if (desc.height == 0) desc.height = height;
  return desc;
}
}  // namespace

// ---------------------------------------------------------------- TPanel

TPanel::TPanel(TWinControl* parent, const TControlDesc& desc) : TWinControl(parent, WithSize(desc, 185, 41)) {}

void TPanel::SetBevelOuter(TPanelBevel bevel) {
  bevelOuter_ = bevel;
  Invalidate();
}
void TPanel::SetBevelInner(TPanelBevel bevel) {
  bevelInner_ = bevel;
  Invalidate();
}
void TPanel::SetBevelWidth(int width) {
  bevelWidth_ = width;
  Invalidate();
}
void TPanel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TPanel::PaintWindow(HDC dc) {
  RECT r = ClientRect();
  const COLORREF face = ResolveColor(Color());
  FillSolid(dc, r, face);
  PaintBevel(dc, r, bevelOuter_, face, bevelWidth_);
  PaintBevel(dc, r, bevelInner_, face, bevelWidth_);
  if (Caption().empty()) return;
  SelectGuard font(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Font().TextColor());
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
  flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  DrawTextW(dc, Caption().c_str(), static_cast<int>(Caption().size()), &r, flags);
}

// ---------------------------------------------------------------- TBevel

TBevel::TBevel(TWinControl* parent, const TControlDesc& desc) : TControl(parent, WithSize(desc, 50, 50)) {}

void TBevel::SetShape(TBevelShape shape) {
  shape_ = shape;
  Invalidate();
}
void TBevel::SetStyle(TBevelStyle style) {
  style_ = style;
  Invalidate();
}

void TBevel::Paint(HDC dc) {
  const BevelEdges edges = BevelColors(style_ == bsLowered ? bvLowered : bvRaised, 0);
  const COLORREF c1 = edges.topLeft, c2 = edges.bottomRight;
  const int w = Width(), h = Height();
  switch (shape_) {
    case bsBox: {
      RECT r{0, 0, w, h};
      Frame3D(dc, r, c1, c2, 1);
      break;
    }
    case bsFrame: {
      RECT outer{0, 0, w - 1, h - 1}, inner{1, 1, w, h};
      FrameSolid(dc, inner, c2);
      FrameSolid(dc, outer, c1);
      break;
    }
    case bsTopLine:
      FillSolid(dc, {0, 0, w, 1}, c1);
      FillSolid(dc, {0, 1, w, 2}, c2);
      break;
    case bsBottomLine:
      FillSolid(dc, {0, h - 2, w, h - 1}, c1);
      FillSolid(dc, {0, h - 1, w, h}, c2);
      break;
    case bsLeftLine:
      FillSolid(dc, {0, 0, 1, h}, c1);
      FillSolid(dc, {1, 0, 2, h}, c2);
      break;
    case bsRightLine:
      FillSolid(dc, {w - 2, 0, w - 1, h}, c1);
      FillSolid(dc, {w - 1, 0, w, h}, c2);
      break;
    case bsSpacer: break;
  }
}

// ---------------------------------------------------------------- TGauge

TGauge::TGauge(TWinControl* parent, const TControlDesc& desc) : TControl(parent, WithSize(desc, 100, 100)) {}

int TGauge::PercentDone() const {
  const long long range = static_cast<long long>(max_) - min_;
  if (range <= 0) return 0;
  return static_cast<int>((static_cast<long long>(progress_) - min_) * 100 / range);
}

void TGauge::ValueChanged(int oldPercent) {
  if (PercentDone() != oldPercent) Repaint();
}

void TGauge::SetMinValue(int value) {
  const int old = PercentDone();
  min_ = value;
  if (max_ < min_) max_ = min_;
  progress_ = std::clamp(progress_, min_, max_);
  ValueChanged(old);
}

void TGauge::SetMaxValue(int value) {
  const int old = PercentDone();
  max_ = value;
  if (min_ > max_) min_ = max_;
  progress_ = std::clamp(progress_, min_, max_);
  ValueChanged(old);
}

void TGauge::SetProgress(int value) {
  const int old = PercentDone();
  progress_ = std::clamp(value, min_, max_);
  ValueChanged(old);
}

void TGauge::SetForeColor(corvan::TColor color) {
  foreColor_ = color;
  Invalidate();
}
void TGauge::SetBackColor(corvan::TColor color) {
  backColor_ = color;
  Invalidate();
}
void TGauge::SetBorderSingle(bool single) {
  borderSingle_ = single;
  Invalidate();
}
void TGauge::SetShowText(bool show) {
  showText_ = show;
  Invalidate();
}

void TGauge::Paint(HDC dc) {
  ++paintCount_;
  RECT r{0, 0, Width(), Height()};
  if (borderSingle_) {
    FrameSolid(dc, r, RGB(0, 0, 0));
    InflateRect(&r, -1, -1);
  }
  const COLORREF back = ResolveColor(backColor_), fore = ResolveColor(foreColor_);
  const int percent = PercentDone();
  const int barWidth = static_cast<int>(static_cast<long long>(r.right - r.left) * percent / 100);
  const RECT bar{r.left, r.top, r.left + barWidth, r.bottom};
  const RECT rest{bar.right, r.top, r.right, r.bottom};
  FillSolid(dc, bar, fore);
  FillSolid(dc, rest, back);
  if (!showText_) return;
  // The percentage reads on both parts: in the font colour on the background, in the
  // background colour on the bar.
  const std::wstring text = std::to_wstring(percent) + L"%";
  SelectGuard font(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  for (int part = 0; part < 2; ++part) {
    const RECT& clip = part == 0 ? rest : bar;
    if (clip.right <= clip.left) continue;
    SavedDC saved(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    SetTextColor(dc, part == 0 ? Font().TextColor() : back);
    RECT box = r;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
}
