#pragma once
// The formatted label: its caption is a small markup ("@9" red, "&20" 20 points, "$2" bold,
// "%" shadow, "~" blink, "\" escape, CR new line) drawn as runs on a common baseline.
// Each blinking run gets a TBlinkObj whose 300 ms timer paints it out and in again; every
// paint of the label makes new ones, so a repaint restarts the cycle.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/fmt_markup.h"
#include "toolkit/Control.h"
#include "toolkit/Types.h"

using corvan::TMAlign;
using corvan::alMBottom;
using corvan::alMCenter;
using corvan::alMLeft;
using corvan::alMNone;
using corvan::alMRight;
using corvan::alMTop;

class TFmtLabel;

// Makes sure a "Wingdings" face exists: where the system has none (Wine), the one the
// program carries is added for the process. True when the face can be used.
bool EnsureSymbolFont();

// One blinking run of a label, with the timer that drives it. It keeps what lay under the
// run when the label was painted (paintDc, before the run's text was drawn), and paints the
// run out by putting that back: drawing the text again in the background colour would
// leave the edges of smoothed letters behind.
class TBlinkObj {
 public:
  TBlinkObj(TFmtLabel& label, std::wstring text, int x, int y, const TFont& font, bool umbra, HDC paintDc);
  ~TBlinkObj();
  TBlinkObj(const TBlinkObj&) = delete;
  TBlinkObj& operator=(const TBlinkObj&) = delete;

  // The timer's tick: paints the run out, or in again, and toggles.
  void OnBlink();
  // The next tick draws the text (it starts false: the first tick paints the run out).
  bool BlinkOn() const { return blinkOn_; }
  const std::wstring& Text() const { return text_; }
  POINT Position() const { return {x_, y_}; }

 private:
  static void CALLBACK TimerTick(HWND, UINT, UINT_PTR id, DWORD);

  TFmtLabel& label_;
  std::wstring text_;
  int x_, y_;
  TFont font_;
  corvan::TColor parentColor_;
  corvan::TColor shadowColor_;
  bool umbra_;
  SIZE size_{0, 0};  // the run with its shadow
  OwnedBitmap background_;
  bool blinkOn_ = false;
  UINT_PTR timer_ = 0;
};

class TFmtLabel : public TControl {
 public:
  TFmtLabel(TWinControl* parent, const TControlDesc& desc);
  ~TFmtLabel() override;

  // Where the label places itself in its parent at each paint.
  TMAlign MAlign() const { return align_; }
  void SetMAlign(TMAlign align);
  corvan::TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(corvan::TColor color);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // The platform label's sizing: fits the label to the raw caption, code characters and all.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  void SetCaption(const std::wstring& caption) override;

  void Paint(HDC dc) override;

  // Stops and frees every blink object of the label.
  void Elibereaza_BlinkList();
  const std::vector<std::unique_ptr<TBlinkObj>>& BlinkList() const { return blinkList_; }

 private:
  void AdjustSize();
  corvan::FmtLook StartLook() const;
  TFont RunFont(const corvan::FmtLook& look) const;

  std::vector<std::unique_ptr<TBlinkObj>> blinkList_;
  bool acces_ = true;  // painting allowed; off while the label resizes or fills itself
  TMAlign align_ = alMNone;
  corvan::TColor shadowColor_ = clBtnShadow;
  bool transparent_ = false;
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = false;
};
