#pragma once
// TTitleBar: the painted caption strip of the toolkit's borderless windows. A windowless
// control: it fills its area with a gradient (or a plain colour) and draws the caption.
#include "core/title_layout.h"
#include "toolkit/Control.h"

using corvan::TIconStyle;
using corvan::isNone;
using corvan::isSearch;
using corvan::isDetail;

class TTitleBar : public TControl {
 public:
  // Defaults: height 25 (scaled), start RGB(4, 47, 77), end RGB(239, 239, 239), caption in
  // "MS Sans Serif" bold 10 pt (11 pt on a scaled screen), black.
  TTitleBar(TWinControl* parent, const TControlDesc& desc);

  corvan::TColor StartColor() const { return startColor_; }
  void SetStartColor(corvan::TColor color);
  corvan::TColor EndColor() const { return endColor_; }
  void SetEndColor(corvan::TColor color);
  corvan::TColor CaptionColor() const { return Font().Color(); }
  void SetCaptionColor(corvan::TColor color);
  bool Vertical() const { return vertical_; }
  void SetVertical(bool vertical);
  bool Grayed() const { return grayed_; }
  // Redraws only the caption, and only while the bar is visible.
  void SetGrayed(bool grayed);
  TIconStyle IconStyle() const { return iconStyle_; }
  void SetIconStyle(TIconStyle style);
  void SetCaption(const std::wstring& caption) override;
  // The width the layout takes for the shared IconFace picture.
  void SetIconFaceWidth(int width);

  int IconSpace() const { return layout_.iconSpace; }
  int CaptionAreaWidth() const { return layout_.captionWidth; }
  // Where the caption is drawn (bar coordinates), for the current font.
  POINT CaptionOrigin() const;
  // Screen pixels per inch / 96, fixed at creation.
  double Scara() const { return scara_; }

  void Paint(HDC dc) override;

 protected:
  void BoundsChanged() override;

 private:
  void Relayout();
  void PaintCaption(HDC dc) const;
  int CaptionTextHeight(HDC dc) const;

  double scara_;
  corvan::TColor startColor_, endColor_;
  bool vertical_ = false;
  bool grayed_ = false;
  TIconStyle iconStyle_ = isNone;
  int iconFaceWidth_;
  corvan::TitleLayout layout_{};
};

// Fills a rectangle with the toolkit's gradient from c1 to c2 (colours may be system
// colours); horizontal: column by column, else row by row.
void GradientFill(HDC dc, const RECT& rect, corvan::TColor c1, corvan::TColor c2, bool horizontal);
