#pragma once
// Plain containers and marks of the pages:
//   TPanel  a windowed panel with optional 3-D bevels and a one-line caption;
//   TBevel  a windowless box, frame or line in 3-D colours;
//   TGauge  a windowless progress bar with its percentage, repainted at once but only
//           when the percentage changes (long work runs without a message loop).
#include "toolkit/Control.h"
#include "toolkit/Types.h"

class TPanel : public TWinControl {
 public:
  // Defaults: raised outer bevel, no inner one, bevel width 1, centred caption.
  TPanel(TWinControl* parent, const TControlDesc& desc);

  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel bevel);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel bevel);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

 protected:
  void PaintWindow(HDC dc) override;

 private:
  TPanelBevel bevelOuter_ = bvRaised;
  TPanelBevel bevelInner_ = bvNone;
  int bevelWidth_ = 1;
  TAlignment alignment_ = taCenter;
};

enum TBevelShape : std::uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle : std::uint8_t { bsLowered, bsRaised };

class TBevel : public TControl {
 public:
  // Defaults: a lowered box, 50 x 50.
  TBevel(TWinControl* parent, const TControlDesc& desc);
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape shape);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle style);
  void Paint(HDC dc) override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

class TGauge : public TControl {
 public:
  // Defaults: 0..100, position 0, black bar on white, single border, percentage shown.
  TGauge(TWinControl* parent, const TControlDesc& desc);

  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  int Progress() const { return progress_; }
  // The position is kept between the minimum and the maximum.
  void SetMinValue(int value);
  void SetMaxValue(int value);
  void SetProgress(int value);
  void AddProgress(int delta) { SetProgress(progress_ + delta); }
  // (position - minimum) * 100 / (maximum - minimum), truncated; 0 for an empty range.
  int PercentDone() const;

  corvan::TColor ForeColor() const { return foreColor_; }
  void SetForeColor(corvan::TColor color);
  corvan::TColor BackColor() const { return backColor_; }
  void SetBackColor(corvan::TColor color);
  bool BorderSingle() const { return borderSingle_; }
  void SetBorderSingle(bool single);
  bool ShowText() const { return showText_; }
  void SetShowText(bool show);
  // How many times the gauge was painted (a repaint happens only when the percentage changes).
  int PaintCount() const { return paintCount_; }

  void Paint(HDC dc) override;

 private:
  void ValueChanged(int oldPercent);

  int min_ = 0, max_ = 100, progress_ = 0;
  corvan::TColor foreColor_ = corvan::clBlack;
  corvan::TColor backColor_ = corvan::clWhite;
  bool borderSingle_ = true;
  bool showText_ = true;
  int paintCount_ = 0;
};
