#include "toolkit/Mbuttons.h"

#include <windowsx.h>

#include "core/accelerator.h"
#include "toolkit/GGlobals.h"

using corvan::TColor;

TNiceButton* HotNiceButton = nullptr;

namespace {

constexpr TColor kAccent = corvan::Hex(0xFF0000);
constexpr UINT_PTR kFlashTimer = 1;
constexpr UINT kFlashMs = 20;

TControlDesc WithSize(TControlDesc desc, int width, int height) {
  if (desc.width == 0) desc.width = width;
  if (desc.height == 0) desc.height = height;
  return desc;
}

// The smooth button takes its parent's colour unless it is given another one.
TControlDesc WithNiceDefaults(TControlDesc desc) {
  if (desc.color == clBtnFace) desc.parentColor = true;
  return WithSize(std::move(desc), 100, 28);
}

void Fill(HDC dc, const RECT& r, TColor color) {
  OwnedBrush brush(CreateSolidBrush(ResolveColor(color)));
  FillRect(dc, &r, brush.Get());
}

// Copies part of a picture with one colour left out (stretching when the sizes differ).
void CopyKeyed(HDC dc, int x, int y, int w, int h, HBITMAP picture, int sx, int sy, int sw, int sh, TColor key) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  MemoryDC source(dc);
  SelectGuard select(source.Get(), picture);
  TransparentBlt(dc, x, y, w, h, source.Get(), sx, sy, sw, sh, ResolveColor(key));
}

void CopyPlain(HDC dc, int x, int y, int w, int h, HBITMAP picture, int sx, int sy, int sw, int sh) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  MemoryDC source(dc);
  SelectGuard select(source.Get(), picture);
  StretchBlt(dc, x, y, w, h, source.Get(), sx, sy, sw, sh, SRCCOPY);
}

bool HasPicture(HBITMAP picture) {
  const SIZE size = BitmapSize(picture);
  return size.cx > 0 && size.cy > 0;
}

void Line(HDC dc, int x0, int y0, int x1, int y1, TColor color) {
  OwnedPen pen(CreatePen(PS_SOLID, 1, ResolveColor(color)));
  SelectGuard select(dc, pen.Get());
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

}  // namespace

// ---------------------------------------------------------------- TButtonBase

TButtonBase::TButtonBase(TWinControl* parent, const TControlDesc& desc) : TWinControl(parent, desc) {
  texts_.caption = desc.caption;
  SetTabStop(true);
}

void TButtonBase::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.systemClass = L"BUTTON";
  params.style |= BS_OWNERDRAW;
}

void TButtonBase::SetModalResult(TModalResult result) { corvan::AssignModalResult(texts_, result); }

void TButtonBase::SetCaptionVisible(bool visible) {
  if (visible == texts_.captionVisible) return;
  texts_.captionVisible = visible;
  AppearanceChanged();
}

void TButtonBase::SetNumGlyphs(int count) {
  if (count < 1 || count == numGlyphs_) return;
  numGlyphs_ = count;
  AppearanceChanged();
}

void TButtonBase::SetButtonLayout(TButtonLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  AppearanceChanged();
}

void TButtonBase::SetGlyph(HBITMAP picture) {
  glyph_.Reset(HasPicture(picture)
                   ? static_cast<HBITMAP>(CopyImage(picture, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))
                   : nullptr);
  AppearanceChanged();
}

void TButtonBase::ChangeKind(TMButtonKind kind) {
  texts_.caption = Caption();
  if (!ApplyKind(kind)) return;
  kind_ = kind;
  if (texts_.caption != Caption()) TWinControl::SetCaption(texts_.caption);
  AppearanceChanged();
}

void TButtonBase::SetDrawFace(bool hot) {
  if (hot == drawFace_) return;
  drawFace_ = hot;
  Invalidate();
}

void TButtonBase::Press() {
  if (!Enabled()) return;
  DoClick(false);
}

void TButtonBase::DoClick(bool) {
  if (texts_.modalResult != TModalResult::None) {
    if (TMForm* form = Form()) form->SetModalResult(texts_.modalResult);
  }
  Click();
}

bool TButtonBase::DialogChar(wchar_t ch) {
  if (!IsAccel(ch, Caption()) || !Showing() || !Enabled()) return false;
  if (HandleAllocated()) SetFocus();
  Press();
  return true;
}

bool TButtonBase::WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_LBUTTONDBLCLK:
      // Two quick clicks are two clicks: the platform's button would report a double click.
      message = WM_LBUTTONDOWN;
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      mouseDown_ = true;
      TWinControl::WndProc(message, wParam, lParam, result);
      result = DefaultProc(message, wParam, lParam);
      return true;
    case WM_LBUTTONUP:
      TWinControl::WndProc(message, wParam, lParam, result);
      mouseClicking_ = true;
      result = DefaultProc(message, wParam, lParam);
      mouseClicking_ = false;
      mouseDown_ = false;
      return true;
    default:
      return TWinControl::WndProc(message, wParam, lParam, result);
  }
}

bool TButtonBase::ReflectCommand(WORD code, LRESULT& result) {
  if (code != BN_CLICKED) return false;
  DoClick(mouseClicking_);
  result = 0;
  return true;
}

bool TButtonBase::ReflectMeasureItem(MEASUREITEMSTRUCT& item) {
  item.itemWidth = static_cast<UINT>(Width());
  item.itemHeight = static_cast<UINT>(Height());
  return true;
}

bool TButtonBase::ReflectDrawItem(const DRAWITEMSTRUCT& item) {
  const int w = item.rcItem.right - item.rcItem.left, h = item.rcItem.bottom - item.rcItem.top;
  if (w <= 0 || h <= 0) return true;
  // Painted off-screen and copied in one go: no flicker.
  MemoryDC memory(item.hDC);
  OwnedBitmap buffer(CreateCompatibleBitmap(item.hDC, w, h));
  {
    SelectGuard select(memory.Get(), buffer.Get());
    PaintButton(memory.Get(), item.itemState);
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, w, h, memory.Get(), 0, 0, SRCCOPY);
  }
  return true;
}

// ---------------------------------------------------------------- TMButton

TMButton::TMButton(TWinControl* parent, const TControlDesc& desc) : TButtonBase(parent, WithSize(desc, 90, 40)) {}

void TMButton::SetColorOver(TColor color) {
  if (color == colorOver_) return;
  colorOver_ = color;
  Invalidate();
}

void TMButton::SetLightButton(bool light) {
  if (light == lightButton_) return;
  lightButton_ = light;
  Invalidate();
}

void TMButton::SetStyle(TButtonStyle style) {
  if (style == style_) return;
  style_ = style;
  Invalidate();
}

void TMButton::SetMargin(int margin) {
  if (margin == margin_ || margin < -1) return;
  margin_ = margin;
  Invalidate();
}

void TMButton::SetSpacing(int spacing) {
  if (spacing == spacing_) return;
  spacing_ = spacing;
  Invalidate();
}

bool TMButton::ApplyKind(TMButtonKind to) { return corvan::ApplyGlyphButtonKind(texts_, kind_, to); }

void TMButton::FocusMovedTo(TWinControl* focused) {
  // Among buttons the focused one looks default; elsewhere the default button does.
  const bool active = dynamic_cast<IFormButton*>(focused) ? focused == this : Default;
  if (active == isFocused_) return;
  isFocused_ = active;
  Invalidate();
}

void TMButton::SetEnabled(bool enabled) {
  TButtonBase::SetEnabled(enabled);
  Invalidate();
}

void TMButton::MouseEnter() {
  if (lightButton_) {
    // The focus follows the mouse along a row of light buttons.
    auto* focused = dynamic_cast<TMButton*>(FromHandle(GetFocus()));
    if (focused && focused != this && focused->LightButton() && CanFocus()) SetFocus();
  }
  SetDrawFace(true);
  TButtonBase::MouseEnter();
}

void TMButton::MouseLeave() {
  if (!Focused()) SetDrawFace(false);
  TButtonBase::MouseLeave();
}

void TMButton::FocusEnter() {
  SetDrawFace(true);
  TButtonBase::FocusEnter();
}

void TMButton::FocusExit() {
  SetDrawFace(false);
  TButtonBase::FocusExit();
}

RECT TMButton::DrawFace3D(HDC dc, bool pressed, bool focusedFlag, bool newStyle) {
  RECT r{0, 0, Width(), Height()};
  Fill(dc, r, colorOver_);
  if (newStyle) {
    if (!pressed) {
      DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
      r.right--;
      r.bottom--;
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_TOPLEFT);
      r.left++;
      r.top++;
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
    } else {
      DrawEdge(dc, &r, BDR_SUNKENINNER, BF_TOPLEFT);
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_BOTTOMRIGHT);
      InflateRect(&r, -1, -1);
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_TOPLEFT);
    }
  } else {
    const int bevel = 2;
    const int w = Width(), h = Height();
    OwnedPen frame(CreatePen(PS_SOLID, 1, ResolveColor(clWindowFrame)));
    OwnedBrush face(CreateSolidBrush(ResolveColor(colorOver_)));
    {
      SelectGuard pen(dc, frame.Get());
      SelectGuard brush(dc, face.Get());
      Rectangle(dc, 0, 0, w, h);
      if (focusedFlag) {
        SelectGuard hollow(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, 1, 1, w - 1, h - 1);
      }
    }
    if (!lightButton_) {
      const COLORREF c = ResolveColor(colorOver_);
      SetPixel(dc, 0, 0, c);
      SetPixel(dc, w - 1, 0, c);
      SetPixel(dc, 0, h - 1, c);
      SetPixel(dc, w - 1, h - 1, c);
    }
    const int in = focusedFlag ? 2 : 1;
    if (!pressed) {
      for (int i = 0; i < bevel; ++i) {
        const int l = in + i, t = in + i, rr = w - 1 - in - i, b = h - 1 - in - i;
        Line(dc, l, b, l, t, clBtnHighlight);
        Line(dc, l, t, rr + 1, t, clBtnHighlight);
        Line(dc, rr, t + 1, rr, b + 1, clBtnShadow);
        Line(dc, l, b, rr, b, clBtnShadow);
      }
    } else {
      Line(dc, in, h - 1 - in, in, in, clBtnShadow);
      Line(dc, in, in, w - in, in, clBtnShadow);
    }
  }
  RECT content{1, 1, Width() - 2, Height() - 2};
  if (pressed) OffsetRect(&content, 1, 1);
  return content;
}

void TMButton::DrawGlyph(HDC dc, int x, int y, int stateIndex, TColor face) {
  HBITMAP picture = glyph_ ? glyph_.Get() : KindImage(kind_);
  const SIZE size = BitmapSize(picture);
  if (size.cx <= 0 || size.cy <= 0) return;
  const int cell = size.cx / numGlyphs_;
  const corvan::CellSpan span = corvan::GlyphSourceCells(numGlyphs_, stateIndex);
  // The picture takes the face colour as its background (shared pictures keep the colour of
  // the last face they were drawn on), then goes on with that colour left out.
  ReplaceBackground(picture, face);
  CopyKeyed(dc, x, y, cell * span.count, size.cy, picture, cell * span.first, 0, cell * span.count, size.cy, face);
}

void TMButton::PaintButton(HDC dc, UINT itemState) {
  const bool pressed = itemState & ODS_SELECTED;
  const bool focused = itemState & ODS_FOCUS;
  const bool enabled = Enabled();
  const int stateIndex = corvan::GlyphStateIndex(enabled, pressed);
  const bool newStyle = style_ != bsWin31;

  TFont font = Font();
  if (newStyle && !lightButton_ && (focused || isFocused_)) font.SetBold(true);
  SelectGuard selectFont(dc, font.Handle());
  SetBkMode(dc, TRANSPARENT);

  RECT content{0, 0, Width(), Height()};
  TColor face = Color();
  if (!lightButton_) {
    face = colorOver_;
    content = DrawFace3D(dc, pressed, focused || isFocused_, newStyle);
  } else if (drawFace_) {
    face = colorOver_;
    content = DrawFace3D(dc, pressed, false, newStyle);
  } else {
    Fill(dc, content, Color());
  }
  const int W = content.right - content.left, H = content.bottom - content.top;

  HBITMAP picture = glyph_ ? glyph_.Get() : KindImage(kind_);
  const SIZE pictureSize = BitmapSize(picture);
  const int gw = pictureSize.cx > 0 ? pictureSize.cx / numGlyphs_ : 0, gh = pictureSize.cx > 0 ? pictureSize.cy : 0;

  const std::wstring& caption = Caption();
  int tw = 0, th = 0;
  if (texts_.captionVisible && !caption.empty()) {
    const std::wstring measured = corvan::CaptionForMeasure(caption);
    RECT m{0, 0, W, 0};
    DrawTextW(dc, measured.c_str(), static_cast<int>(measured.size()), &m, DT_CALCRECT | DT_CENTER | DT_WORDBREAK);
    tw = m.right - m.left;
    th = m.bottom - m.top;
    if (caption.find(L'#') != std::wstring::npos) MessageBeep(0);
  }
  const auto places = corvan::LayoutGlyphAndCaption(W, H, gw, gh, tw, th, layout_, margin_, spacing_);
  if (gw > 0) DrawGlyph(dc, content.left + places.glyphX, content.top + places.glyphY, stateIndex, face);

  RECT captionRect{content.left + places.captionX, content.top + places.captionY, 0, 0};
  captionRect.right = captionRect.left + tw;
  captionRect.bottom = captionRect.top + th;
  if (tw > 0) {
    if (enabled) {
      SetTextColor(dc, font.TextColor());
      DrawAccentText(dc, caption, captionRect, false, kAccent, DT_SINGLELINE);
    } else {
      if (disableColor_ == static_cast<TColor>(-1)) disableColor_ = DarkenColor(Color(), 3);
      SetTextColor(dc, ResolveColor(disableColor_));
      const std::wstring plain = corvan::StripAmpersands(caption);
      DrawTextW(dc, plain.c_str(), static_cast<int>(plain.size()), &captionRect, DT_SINGLELINE | DT_NOPREFIX);
    }
  }

  if (focused && !lightButton_) {
    RECT focus = content;
    if (newStyle) {
      InflateRect(&focus, -2, -2);
      if (pressed) OffsetRect(&focus, -1, -1);
    } else {
      focus = captionRect;
      InflateRect(&focus, 1, 1);
    }
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
}

// ---------------------------------------------------------------- TNiceButton

TNiceButton::TNiceButton(TWinControl* parent, const TControlDesc& desc) : TButtonBase(parent, WithNiceDefaults(desc)) {
  texts_.captionAssigned = !desc.caption.empty();
}

TNiceButton::~TNiceButton() {
  if (HotNiceButton == this) HotNiceButton = nullptr;
  StopFlash();
}

void TNiceButton::HandleCreated() {
  TButtonBase::HandleCreated();
  if (!buffered_ && BufferAllNiceButtons) SetBuffered(true);
}

bool TNiceButton::ApplyKind(TMButtonKind to) { return corvan::ApplyNiceButtonKind(texts_, kind_, to); }

void TNiceButton::AppearanceChanged() {
  bufferFilled_ = false;
  Invalidate();
}

void TNiceButton::SetCaption(const std::wstring& caption) {
  texts_.caption = caption;
  texts_.captionAssigned = true;
  TButtonBase::SetCaption(caption);
  AppearanceChanged();
}

void TNiceButton::SetCaptionVisible(bool visible) {
  TButtonBase::SetCaptionVisible(visible);
  AppearanceChanged();
}

void TNiceButton::SetNumGlyphs(int count) {
  TButtonBase::SetNumGlyphs(count);
  AppearanceChanged();
}

void TNiceButton::SetGlyph(HBITMAP picture) {
  TButtonBase::SetGlyph(picture);
  AppearanceChanged();
}

void TNiceButton::SetInsideDraw(bool on) {
  if (on == insideDraw_) return;
  insideDraw_ = on;
  AppearanceChanged();
}

void TNiceButton::SetStretch(bool on) {
  if (on == stretch_) return;
  stretch_ = on;
  AppearanceChanged();
}

void TNiceButton::SetBuffered(bool on) {
  if (on == buffered_) return;
  buffered_ = on;
  if (!on) {
    for (auto& image : states_) image.Reset();
    statesSize_ = {0, 0};
  }
  AppearanceChanged();
}

void TNiceButton::SetForcedDown(bool down) {
  if (down == forcedDown_) return;
  forcedDown_ = down;
  if (!down) {
    StopFlash();
  } else if (!mouseDown_ && HandleAllocated()) {
    flashTimer_ = SetTimer(HandleIfCreated(), kFlashTimer, kFlashMs, nullptr);
  }
  Repaint();
}

void TNiceButton::StopFlash() {
  if (flashTimer_ && HandleAllocated()) KillTimer(HandleIfCreated(), kFlashTimer);
  flashTimer_ = 0;
}

void TNiceButton::SetEnabled(bool enabled) {
  if (!enabled && HotNiceButton == this) {
    HotNiceButton = nullptr;
    drawFace_ = false;
  }
  TButtonBase::SetEnabled(enabled);
  Invalidate();
}

void TNiceButton::DoClick(bool fromMouse) {
  if (!fromMouse) SetForcedDown(true);
  TButtonBase::DoClick(fromMouse);
  if (Focused()) EnterHot();
}

void TNiceButton::EnterHot() {
  if (!Enabled()) return;
  auto* focused = dynamic_cast<TNiceButton*>(FromHandle(GetFocus()));
  if (focused && focused != this && CanFocus()) SetFocus();
  if (HotNiceButton && HotNiceButton != this) HotNiceButton->SetDrawFace(false);
  HotNiceButton = this;
  SetDrawFace(true);
}

void TNiceButton::LeaveHot() {
  if (!Enabled() || Focused()) return;
  SetDrawFace(false);
  if (HotNiceButton == this) HotNiceButton = nullptr;
}

void TNiceButton::FocusEnter() {
  EnterHot();
  TButtonBase::FocusEnter();
}

void TNiceButton::FocusExit() {
  SetDrawFace(false);
  if (HotNiceButton == this) HotNiceButton = nullptr;
  TButtonBase::FocusExit();
}

void TNiceButton::MouseEnter() { TButtonBase::MouseEnter(); }

void TNiceButton::MouseLeave() {
  LeaveHot();
  TButtonBase::MouseLeave();
}

void TNiceButton::MouseMove(TShiftState shift, int x, int y) {
  if (HitTest(x, y)) {
    if (!drawFace_) EnterHot();
  } else {
    LeaveHot();
  }
  TButtonBase::MouseMove(shift, x, y);
}

HBITMAP TNiceButton::Picture() const { return kind_ == mkCustom ? glyph_.Get() : NiceKindImage(kind_); }

corvan::NiceButtonLook TNiceButton::Look() const {
  corvan::NiceButtonLook look;
  look.width = Width();
  look.height = Height();
  const SIZE picture = BitmapSize(Picture());
  if (picture.cx > 0 && picture.cy > 0) {
    look.pictureWidth = picture.cx;
    look.pictureHeight = picture.cy;
  }
  look.numGlyphs = numGlyphs_;
  const SIZE strip = BitmapSize(SharedPicture(L"ButtonFaceCVX"));
  look.stripWidth = strip.cx;
  look.stripHeight = strip.cy;
  look.captionVisible = texts_.captionVisible;
  look.insideDraw = insideDraw_;
  look.stretch = stretch_;
  return look;
}

bool TNiceButton::HitTest(int x, int y) const { return corvan::NiceHitTest(Look(), x, y); }

bool TNiceButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kFlashTimer) break;
      StopFlash();
      SetForcedDown(false);
      result = 0;
      return true;
    case BM_CLICK: {
      programmaticClick_ = true;
      const bool handled = TButtonBase::WndProc(message, wParam, lParam, result);
      if (!handled) result = DefaultProc(message, wParam, lParam);
      programmaticClick_ = false;
      return true;
    }
    case WM_NCHITTEST: {
      if (GetCapture() == HandleIfCreated()) break;
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(HandleIfCreated(), &p);
      if (HitTest(p.x, p.y)) break;
      // Outside the picture and the face: no part of the button.
      LeaveHot();
      result = HTNOWHERE;
      return true;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: {
      const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
      if (programmaticClick_ || HitTest(x, y)) break;
      if (GetCapture() != HandleIfCreated()) {
        LeaveHot();
        result = 0;
        return true;
      }
      // Released outside the hit region: the platform's button must not take it as a click.
      if (message == WM_LBUTTONUP) return TButtonBase::WndProc(message, wParam, MAKELPARAM(-1, -1), result);
      break;
    }
    default:
      break;
  }
  return TButtonBase::WndProc(message, wParam, lParam, result);
}

void TNiceButton::RenderStrip(HDC dc, const corvan::NiceButtonLayout& layout, bool pressed, bool hot) {
  HBITMAP strip = SharedPicture(L"ButtonFaceCVX");
  TColor key;
  if (!TopLeftColor(strip, key)) return;
  const SIZE size = BitmapSize(strip);
  const int cell = layout.stripCell;
  const int first = pressed ? 6 : hot ? 3 : 0;
  const int W = Width(), H = Height();
  auto band = [&](int sy, int sh, int dy, int dh) {
    CopyKeyed(dc, layout.leftEndX, dy, cell, dh, strip, first * cell, sy, cell, sh, key);
    for (int x : layout.middleX) CopyPlain(dc, x, dy, cell, dh, strip, (first + 1) * cell, sy, cell, sh);
    CopyKeyed(dc, W - cell, dy, cell, dh, strip, (first + 2) * cell, sy, cell, sh, key);
  };
  if (!stretch_) {
    band(0, size.cy, layout.stripTop, size.cy);
    return;
  }
  const int third = size.cy / 3;
  band(0, third, 0, third);
  band(third, size.cy - 2 * third, third, H - 2 * third);
  band(size.cy - third, third, H - third, third);
}

void TNiceButton::RenderState(HDC dc, bool pressed, bool enabled, bool hot) {
  glyphWidth_ = glyphHeight_ = 0;
  try {
    RenderStateUnguarded(dc, pressed, enabled, hot);
  } catch (...) {
    // A state that cannot be rendered shows what was drawn so far.
    glyphWidth_ = glyphHeight_ = 0;
  }
}

void TNiceButton::RenderStateUnguarded(HDC dc, bool pressed, bool enabled, bool hot) {
  const int W = Width(), H = Height();
  Fill(dc, {0, 0, W, H}, Color());
  TColor stripKey;
  if (!TopLeftColor(SharedPicture(L"ButtonFaceCVX"), stripKey)) return;

  const corvan::NiceButtonLook look = Look();
  const corvan::NiceButtonLayout layout = corvan::LayoutNiceButton(look);
  if (texts_.captionVisible) {
    if (HighColor) {
      RenderStrip(dc, layout, pressed, hot);
    } else {
      OwnedPen pen(CreatePen(PS_SOLID, 1, ResolveColor(corvan::Hex(0xA9A9A9))));
      const TColor fill = !hot ? LightenColor(Color(), 20) : pressed ? corvan::Hex(0x808080) : corvan::Hex(0xDFDFDF);
      OwnedBrush brush(CreateSolidBrush(ResolveColor(fill)));
      SelectGuard selectPen(dc, pen.Get());
      SelectGuard selectBrush(dc, brush.Get());
      if (insideDraw_) {
        Rectangle(dc, 0, layout.stripTop, W, H);
      } else {
        RoundRect(dc, layout.pictureArea, layout.stripTop, W, H, H / 3, H / 3);
      }
    }

    TFont font = Font();
    font.SetBold(true);
    SelectGuard selectFont(dc, font.Handle());
    SetBkMode(dc, TRANSPARENT);
    SIZE wg{};
    GetTextExtentPoint32W(dc, L"Wg", 2, &wg);
    const corvan::ButtonBox box = corvan::NiceCaptionBox(look, layout, wg.cy);
    RECT r{box.x, box.y, box.x + box.width, box.y + box.height};
    const std::wstring& caption = Caption();
    if (!enabled) {
      SetTextColor(dc, RGB(0xC0, 0xC0, 0xC0));
      const std::wstring plain = corvan::StripAmpersands(caption);
      DrawTextW(dc, plain.c_str(), static_cast<int>(plain.size()), &r, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    } else if (!hot) {
      SetTextColor(dc, font.TextColor());
      DrawAccentText(dc, caption, r, Focused(), kAccent, DT_CENTER | DT_SINGLELINE);
    } else {
      SetTextColor(dc, ResolveColor(kAccent));
      if (pressed) OffsetRect(&r, 1, 1);
      DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CENTER | DT_SINGLELINE);
    }
  }

  HBITMAP picture = Picture();
  TColor key;
  if (layout.cellWidth > 0 && TopLeftColor(picture, key)) {
    const int cell = corvan::NicePictureCell(numGlyphs_, enabled, hot);
    const corvan::ButtonBox& at = layout.picture;
    CopyKeyed(dc, at.x, at.y, at.width, at.height, picture, cell * layout.cellWidth, 0, layout.cellWidth,
              look.pictureHeight, key);
    glyphWidth_ = layout.cellWidth;
    glyphHeight_ = look.pictureHeight;
  }
}

void TNiceButton::PaintButton(HDC dc, UINT itemState) {
  const bool pressed = forcedDown_ || (itemState & ODS_SELECTED);
  const bool enabled = Enabled();
  if (!buffered_) {
    RenderState(dc, pressed, enabled, drawFace_);
    return;
  }
  const int W = Width(), H = Height();
  if (statesSize_.cx != W || statesSize_.cy != H) {
    for (auto& image : states_) image.Reset();
    statesSize_ = {W, H};
    bufferFilled_ = false;
  }
  if (!bufferFilled_) {
    struct Look {
      bool pressed, enabled, hot;
    } constexpr looks[4] = {{false, true, false}, {false, true, true}, {true, true, true}, {false, false, false}};
    for (int i = 0; i < 4; ++i) {
      if (!states_[i]) states_[i].Reset(CreateCompatibleBitmap(dc, W, H));
      MemoryDC memory(dc);
      SelectGuard select(memory.Get(), states_[i].Get());
      RenderState(memory.Get(), looks[i].pressed, looks[i].enabled, looks[i].hot);
    }
    bufferFilled_ = true;
  }
  // Each image was rendered on the button's colour, so copying it with that colour left out
  // over the colour gives the same pixels as copying it whole.
  const int shown = !enabled ? 3 : pressed ? 2 : drawFace_ ? 1 : 0;
  MemoryDC source(dc);
  SelectGuard select(source.Get(), states_[shown].Get());
  BitBlt(dc, 0, 0, W, H, source.Get(), 0, 0, SRCCOPY);
}
