#pragma once
// The two painted push buttons. Both wrap the platform's owner-drawn push button and
// paint every pixel themselves:
//   TMButton     the glyph button: a picture beside, above or below the caption, flat in
//                the page colour until hot or focused, then a raised 3-D button;
//   TNiceButton  the smooth button: a rounded face strip (the shared ButtonFaceCVX) with
//                the picture in a square at its left and a bold centred caption.
// Both take a kind (core/button_kinds.h) that gives the default caption, modal result
// and picture. A click first hands a non-zero modal result to the owning window, then
// fires OnClick. The window finds them among its controls (IFormButton).
#include <windows.h>

#include <array>

#include "core/button_kinds.h"
#include "core/button_layout.h"
#include "toolkit/Cliunit.h"
#include "toolkit/Control.h"
#include "toolkit/Gdi.h"

using corvan::TMButtonKind;
using enum corvan::TMButtonKind;
using corvan::TButtonLayout;
using enum corvan::TButtonLayout;

enum TButtonStyle : std::uint8_t { bsAutoDetect, bsWin31, bsNew };

// Behaviour both buttons share: kind, modal result, default/cancel, the click order.
class TButtonBase : public TWinControl, public IFormButton {
 public:
  TMButtonKind Kind() const { return kind_; }
  TModalResult ModalResult() const { return texts_.modalResult; }
  // An explicit modal result wins over every kind's default, whatever the order.
  void SetModalResult(TModalResult result);
  bool CaptionVisible() const { return texts_.captionVisible; }
  virtual void SetCaptionVisible(bool visible);
  int NumGlyphs() const { return numGlyphs_; }
  virtual void SetNumGlyphs(int count);
  TButtonLayout ButtonLayout() const { return layout_; }
  void SetButtonLayout(TButtonLayout layout);
  // The private picture (copied); empty: the kind's picture.
  HBITMAP Glyph() const { return glyph_.Get(); }
  virtual void SetGlyph(HBITMAP picture);
  bool Default = false;
  bool Cancel = false;

  // The hot look (mouse over or focused).
  bool DrawFace() const { return drawFace_; }

  // IFormButton
  TWinControl& ButtonControl() override { return *this; }
  bool IsDefault() const override { return Default; }
  bool IsCancel() const override { return Cancel; }
  void Press() override;

  bool DialogChar(wchar_t ch) override;
  // Paints the whole button (client coordinates) for an owner-draw item state (ODS_*);
  // the platform's requests come here through an off-screen buffer, tests call it directly.
  virtual void PaintButton(HDC dc, UINT itemState) = 0;

 protected:
  TButtonBase(TWinControl* parent, const TControlDesc& desc);
  void CreateParams(TCreateParams& params) override;
  bool WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool ReflectCommand(WORD code, LRESULT& result) override;
  bool ReflectMeasureItem(MEASUREITEMSTRUCT& item) override;
  bool ReflectDrawItem(const DRAWITEMSTRUCT& item) override;
  // A click: the modal result goes to the window, then OnClick fires.
  virtual void DoClick(bool fromMouse);
  void SetDrawFace(bool hot);
  // The texts after a kind change (the rules differ between the two buttons).
  virtual bool ApplyKind(TMButtonKind to) = 0;
  void ChangeKind(TMButtonKind kind);
  virtual void AppearanceChanged() { Invalidate(); }

  corvan::ButtonTexts texts_;
  TMButtonKind kind_ = mkCustom;
  int numGlyphs_ = 3;
  TButtonLayout layout_ = blGlyphLeft;
  OwnedBitmap glyph_;
  bool drawFace_ = false;
  bool mouseDown_ = false;       // a mouse button is down on the button
  bool mouseClicking_ = false;   // the platform is turning a mouse release into a click
};

class TMButton : public TButtonBase {
 public:
  // New: kind mkCustom, empty caption, 90 x 40 unless desc gives a size.
  TMButton(TWinControl* parent, const TControlDesc& desc);

  void SetKind(TMButtonKind kind) { ChangeKind(kind); }
  corvan::TColor ColorOver() const { return colorOver_; }
  void SetColorOver(corvan::TColor color);
  bool LightButton() const { return lightButton_; }
  void SetLightButton(bool light);
  TButtonStyle Style() const { return style_; }
  void SetStyle(TButtonStyle style);
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  // The default-button look the window announces when the focus moves among buttons.
  bool IsFocused() const { return isFocused_; }
  // The colour of a disabled caption, fixed on the first disabled paint (-1 before).
  corvan::TColor DisableColor() const { return disableColor_; }

  void FocusMovedTo(TWinControl* focused) override;
  void SetEnabled(bool enabled) override;
  void PaintButton(HDC dc, UINT itemState) override;

 protected:
  bool ApplyKind(TMButtonKind to) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void FocusEnter() override;
  void FocusExit() override;

 private:
  // Draws the 3-D face and returns the content area.
  RECT DrawFace3D(HDC dc, bool pressed, bool focusedFlag, bool newStyle);
  void DrawGlyph(HDC dc, int x, int y, int stateIndex, corvan::TColor face);

  corvan::TColor colorOver_ = clBtnFace;
  bool lightButton_ = true;
  TButtonStyle style_ = bsAutoDetect;
  int margin_ = -1;
  int spacing_ = 0;
  bool isFocused_ = false;
  corvan::TColor disableColor_ = static_cast<corvan::TColor>(-1);
};

class TNiceButton;
// The one smooth button that is hot, or null.
extern TNiceButton* HotNiceButton;

class TNiceButton : public TButtonBase {
 public:
  // New: kind mkCustom, the kind's caption (empty), 100 x 28 unless desc gives a size,
  // the parent's colour unless desc gives another than clBtnFace.
  TNiceButton(TWinControl* parent, const TControlDesc& desc);
  ~TNiceButton() override;

  void SetKind(TMButtonKind kind) { ChangeKind(kind); }
  // Sets the caption and keeps it through later kind changes.
  void SetCaption(const std::wstring& caption) override;
  void SetCaptionVisible(bool visible) override;
  void SetNumGlyphs(int count) override;
  void SetGlyph(HBITMAP picture) override;
  bool ForcedDown() const { return forcedDown_; }
  // True while no mouse button is down on it: the pressed look for 20 ms.
  void SetForcedDown(bool down);
  bool InsideDraw() const { return insideDraw_; }
  void SetInsideDraw(bool on);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);
  bool Buffered() const { return buffered_; }
  void SetBuffered(bool on);
  // The picture cell of the last paint (0 x 0 when none or when rendering failed).
  int GlyphWidth() const { return glyphWidth_; }
  int GlyphHeight() const { return glyphHeight_; }
  // The state images are valid (rebuilt on the next paint after a change).
  bool BufferFilled() const { return bufferFilled_; }

  bool HitTest(int x, int y) const override;
  void SetEnabled(bool enabled) override;

  // Renders one state (the whole button) onto dc.
  void RenderState(HDC dc, bool pressed, bool enabled, bool hot);
  void PaintButton(HDC dc, UINT itemState) override;

 protected:
  void HandleCreated() override;
  bool WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool ApplyKind(TMButtonKind to) override;
  void DoClick(bool fromMouse) override;
  void AppearanceChanged() override;
  void FocusEnter() override;
  void FocusExit() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseMove(TShiftState shift, int x, int y) override;

 private:
  HBITMAP Picture() const;
  corvan::NiceButtonLook Look() const;
  void EnterHot();
  void LeaveHot();
  void StopFlash();
  void RenderStrip(HDC dc, const corvan::NiceButtonLayout& layout, bool pressed, bool hot);
  void RenderStateUnguarded(HDC dc, bool pressed, bool enabled, bool hot);

  bool forcedDown_ = false;
  bool insideDraw_ = false;
  bool stretch_ = false;
  bool buffered_ = false;
  bool bufferFilled_ = false;
  std::array<OwnedBitmap, 4> states_;  // normal, hot, pressed, disabled
  SIZE statesSize_{0, 0};
  int glyphWidth_ = 0, glyphHeight_ = 0;
  UINT_PTR flashTimer_ = 0;
  bool programmaticClick_ = false;  // BM_CLICK presses at (0, 0), which the hit region refuses
};
