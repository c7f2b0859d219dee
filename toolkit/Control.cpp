#include "toolkit/Control.h"

#include <windowsx.h>

#include <algorithm>

#include "core/accelerator.h"
#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"

namespace {
const wchar_t kObjectProperty[] = L"CorvanControl";
// Posted to a parent when a windowed child was added after the parent's window existed:
// the child gets its window once it is fully constructed.
constexpr UINT kCreateChildren = WM_APP + 0x3F0;

void RegisterOwnClass(const std::wstring& name, WNDPROC proc) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name.c_str();
  RegisterClassExW(&wc);
}

int NextControlId() {
  static int id = 1000;
  return ++id;
}
}  // namespace

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  return s;
}

bool IsAccel(wchar_t ch, const std::wstring& caption) {
  const wchar_t accel = corvan::AcceleratorOf(caption);
  if (!accel || !ch) return false;
  wchar_t a[2] = {accel, 0}, b[2] = {ch, 0};
  CharUpperW(a);
  CharUpperW(b);
  return a[0] == b[0];
}

// ---------------------------------------------------------------- TControl

TControl::TControl(TWinControl* parent, const TControlDesc& desc)
    : name_(desc.name),
      left_(desc.left),
      top_(desc.top),
      width_(desc.width),
      height_(desc.height),
      align_(desc.align),
      visible_(desc.visible),
      enabled_(desc.enabled),
      color_(desc.parentColor && parent ? parent->Color() : desc.color),
      caption_(desc.caption),
      font_(desc.font ? *desc.font : (parent ? parent->Font() : TFont())),
      tag_(desc.tag) {
  font_.OnChange = [this] { FontChanged(); };
  if (parent) parent->AddChild(this);
}

TControl::~TControl() { LeaveParent(); }

void TControl::LeaveParent() {
  if (parent_) {
    if (!IsWindowed() && visible_) Invalidate();
    parent_->RemoveChild(this);
    parent_ = nullptr;
  }
}

TMForm* TControl::Form() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (auto* form = dynamic_cast<TMForm*>(const_cast<TControl*>(c))) return form;
  return nullptr;
}

void TControl::StoreBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  if (visible_) Invalidate();
  StoreBounds(left, top, width, height);
  if (visible_) Invalidate();
  BoundsChanged();
  if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->Realign();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (visible_) Invalidate();
  visible_ = visible;
  if (visible_) Invalidate();
  if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Invalidate();
}

void TControl::SetColor(corvan::TColor color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void TControl::SetCaption(const std::wstring& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Invalidate();
}

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated()) return;
  RECT r = BoundsRect();
  InvalidateRect(parent_->HandleIfCreated(), &r, FALSE);
}

void TControl::Repaint() {
  Invalidate();
  if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->HandleIfCreated());
}

void TControl::ScaleBy(int m, int d) {
  if (d == 0) return;
  StoreBounds(MulDiv(left_, m, d), MulDiv(top_, m, d), MulDiv(left_ + width_, m, d) - MulDiv(left_, m, d),
              MulDiv(top_ + height_, m, d) - MulDiv(top_, m, d));
  font_.ScaleBy(m, d);
  BoundsChanged();
}

POINT TControl::ClientToScreen(POINT point) const {
  if (IsWindowed()) {
    auto* self = static_cast<const TWinControl*>(this);
    if (self->HandleAllocated()) {
      ::ClientToScreen(self->HandleIfCreated(), &point);
      return point;
    }
  }
  if (!parent_) return point;
  return parent_->ClientToScreen({point.x + left_, point.y + top_});
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}
void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(*this);
}
void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(*this);
}
void TControl::Click() {
  if (OnClick) OnClick(*this);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(*this);
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TWinControl* parent, const TControlDesc& desc) : TControl(parent, desc), tabStop_(desc.tabStop) {
  // The window is made when first needed; a parent that already has one is asked to
  // make it once this object is complete.
  if (parent && parent->HandleAllocated() && !parent->childrenPending_) {
    parent->childrenPending_ = true;
    PostMessageW(parent->HandleIfCreated(), kCreateChildren, 0, 0);
  }
}

TWinControl::~TWinControl() {
  if (TMForm* form = Form(); form && form != this) form->ControlGone(this);
  for (TControl* child : controls_) child->parent_ = nullptr;
  controls_.clear();
  DestroyHandle();
  LeaveParent();
}

TWinControl* TWinControl::FromHandle(HWND window) {
  return window ? static_cast<TWinControl*>(GetPropW(window, kObjectProperty)) : nullptr;
}

HWND TWinControl::Handle() {
  if (!hwnd_) CreateHandle();
  return hwnd_;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (Visible()) params.style |= WS_VISIBLE;
  if (!Enabled()) params.style |= WS_DISABLED;
  if (tabStop_) params.style |= WS_TABSTOP;
  params.caption = Caption();
  params.x = Left();
  params.y = Top();
  params.width = Width();
  params.height = Height();
  params.parent = Parent() ? Parent()->Handle() : nullptr;
}

void TWinControl::Attach(HWND window) {
  hwnd_ = window;
  SetPropW(window, kObjectProperty, this);
}

void TWinControl::CreateHandle() {
  if (hwnd_) return;
  if (Parent() && !Parent()->Handle()) return;
  // Making the parent's window made its children's too, this one's among them.
  if (hwnd_) return;
  TCreateParams p;
  CreateParams(p);
  HMENU id = (p.style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId())) : nullptr;
  if (p.systemClass.empty()) {
    RegisterOwnClass(p.ownClass, StaticWndProc);
    ownClass_ = true;
    CreateWindowExW(p.exStyle, p.ownClass.c_str(), p.caption.c_str(), p.style, p.x, p.y, p.width, p.height, p.parent, id,
                    GetModuleHandleW(nullptr), this);
  } else {
    ownClass_ = false;
    HWND window = CreateWindowExW(p.exStyle, p.systemClass.c_str(), p.caption.c_str(), p.style, p.x, p.y, p.width,
                                  p.height, p.parent, id, GetModuleHandleW(nullptr), nullptr);
    if (window) {
      Attach(window);
      systemProc_ = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::StaticWndProc)));
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    }
  }
  if (!hwnd_) return;
  HandleCreated();
  for (TControl* child : controls_)
    if (child->IsWindowed()) static_cast<TWinControl*>(child)->CreateHandle();
  Realign();
}

bool TWinControl::DestroyHandle() {
  if (!hwnd_) return true;
  for (TControl* child : controls_)
    if (child->IsWindowed()) static_cast<TWinControl*>(child)->DestroyHandle();
  HandleDestroying();
  HWND window = std::exchange(hwnd_, nullptr);
  RemovePropW(window, kObjectProperty);
  if (systemProc_) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
  systemProc_ = nullptr;
  if (GetCapture() == window) ReleaseCapture();
  return DestroyWindow(window) != FALSE;
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWinControl* self = FromHandle(window);
  if (!self && message == WM_NCCREATE) {
    self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self) self->Attach(window);
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return self->Dispatch(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the platform; the message counts as not handled.
    return self->DefaultProc(message, wParam, lParam);
  }
}

LRESULT TWinControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (WndProc(message, wParam, lParam, result)) return result;
  result = DefaultProc(message, wParam, lParam);
  if (message == WM_NCDESTROY && hwnd_) {
    // Destroyed by the platform (with a parent window), not by DestroyHandle.
    RemovePropW(hwnd_, kObjectProperty);
    hwnd_ = nullptr;
    systemProc_ = nullptr;
  }
  return result;
}

LRESULT TWinControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (systemProc_) return CallWindowProcW(systemProc_, hwnd_, message, wParam, lParam);
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool TWinControl::PaintsItself() const { return ownClass_; }

bool TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      if (!PaintsItself()) return false;
      OnPaintMessage();
      result = 0;
      return true;
    case WM_ERASEBKGND:
      if (!PaintsItself()) return false;
      result = 1;  // everything is painted through the buffer
      return true;
    case WM_COMMAND:
      if (lParam) {
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
          return child->ReflectCommand(HIWORD(wParam), result);
      }
      return false;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (TWinControl* child = FromHandle(item->hwndItem)) {
        if (child->ReflectDrawItem(*item)) {
          result = TRUE;
          return true;
        }
      }
      return false;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (TWinControl* child = FromHandle(GetDlgItem(hwnd_, static_cast<int>(item->CtlID)))) {
        if (child->ReflectMeasureItem(*item)) {
          result = TRUE;
          return true;
        }
      }
      return false;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
      if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = child->ReflectCtlColor(message, reinterpret_cast<HDC>(wParam))) {
          result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (TWinControl* child = FromHandle(header->hwndFrom)) return child->ReflectNotify(*header, result);
      return false;
    }
    case kCreateChildren:
      childrenPending_ = false;
      for (TControl* child : controls_)
        if (child->IsWindowed()) static_cast<TWinControl*>(child)->CreateHandle();
      Realign();
      return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(wParam);
      KeyDown(key, KeyboardShiftState());
      return key == 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(wParam);
      KeyUp(key, KeyboardShiftState());
      return key == 0;
    }
    case WM_CHAR: {
      wchar_t key = static_cast<wchar_t>(wParam);
      KeyPress(key);
      return key == 0;
    }
    case WM_SETFOCUS:
      FocusEnter();
      return false;
    case WM_KILLFOCUS:
      FocusExit();
      return false;
    case WM_ENABLE:
      // Others enable and disable windows too (a modal window disables its owners).
      TControl::enabled_ = wParam != 0;
      return false;
    case WM_WINDOWPOSCHANGED: {
      auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!(pos->flags & SWP_NOSIZE) || !(pos->flags & SWP_NOMOVE)) {
        RECT r;
        GetWindowRect(hwnd_, &r);
        if (GetParent(hwnd_) && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD))
          MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
        StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
      }
      return false;
    }
    case WM_SIZE:
      Realign();
      Resize();
      return false;
    default:
      if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE)
        return HandleMouse(message, wParam, lParam);
      return false;
  }
}

bool TWinControl::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) return false;
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  TShiftState shift = 0;
  if (wParam & MK_SHIFT) shift |= ssShift;
  if (wParam & MK_CONTROL) shift |= ssCtrl;
  if (wParam & MK_LBUTTON) shift |= ssLeft;
  if (wParam & MK_RBUTTON) shift |= ssRight;
  if (wParam & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;

  TMouseButton button = mbLeft;
  bool down = false, up = false, dbl = false;
  switch (message) {
    case WM_LBUTTONDOWN: down = true; break;
    case WM_RBUTTONDOWN: down = true; button = mbRight; break;
    case WM_MBUTTONDOWN: down = true; button = mbMiddle; break;
    case WM_LBUTTONDBLCLK: down = dbl = true; break;
    case WM_RBUTTONDBLCLK: down = dbl = true; button = mbRight; break;
    case WM_MBUTTONDBLCLK: down = dbl = true; button = mbMiddle; break;
    case WM_LBUTTONUP: up = true; break;
    case WM_RBUTTONUP: up = true; button = mbRight; break;
    case WM_MBUTTONUP: up = true; button = mbMiddle; break;
    default: break;
  }

  if (message == WM_MOUSELEAVE) {
    tracking_ = false;
    if (TControl* hover = std::exchange(hoverControl_, nullptr)) hover->MouseLeave();
    MouseLeave();
    return ownClass_;
  }

  if (down) {
    if (TControl* target = ownClass_ ? ControlAtPos(x, y) : nullptr) {
      mouseControl_ = target;
      SetCapture(hwnd_);
      target->MouseDown(button, shift | (dbl ? ssDouble : 0), x - target->Left(), y - target->Top());
      if (dbl && button == mbLeft && mouseControl_ == target) target->DblClick();
      return true;
    }
    if (button == mbLeft && ownClass_) {
      leftDown_ = true;
      SetCapture(hwnd_);
    }
    MouseDown(button, shift | (dbl ? ssDouble : 0), x, y);
    if (dbl && button == mbLeft) DblClick();
    return ownClass_;
  }

  if (up) {
    const bool anyStillDown = (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
    if (TControl* target = mouseControl_) {
      const int cx = x - target->Left(), cy = y - target->Top();
      if (!anyStillDown) {
        mouseControl_ = nullptr;
        if (GetCapture() == hwnd_) ReleaseCapture();
      }
      target->MouseUp(button, shift, cx, cy);
      if (button == mbLeft && cx >= 0 && cy >= 0 && cx < target->Width() && cy < target->Height()) target->Click();
      return true;
    }
    const bool clicked = button == mbLeft && leftDown_;
    if (button == mbLeft) leftDown_ = false;
    if (ownClass_ && !anyStillDown && GetCapture() == hwnd_) ReleaseCapture();
    MouseUp(button, shift, x, y);
    if (clicked && ownClass_ && x >= 0 && y >= 0 && x < ClientWidth() && y < ClientHeight()) Click();
    return ownClass_;
  }

  if (message == WM_MOUSEMOVE) {
    if (!tracking_) {
      TRACKMOUSEEVENT track{};
      track.cbSize = sizeof(track);
      track.dwFlags = TME_LEAVE;
      track.hwndTrack = hwnd_;
      tracking_ = TrackMouseEvent(&track) != FALSE;
      MouseEnter();
    }
    if (TControl* target = mouseControl_) {
      target->MouseMove(shift, x - target->Left(), y - target->Top());
      return true;
    }
    TControl* hover = ownClass_ ? ControlAtPos(x, y) : nullptr;
    if (hover != hoverControl_) {
      if (hoverControl_) hoverControl_->MouseLeave();
      hoverControl_ = hover;
      if (hover) hover->MouseEnter();
    }
    if (hover) hover->MouseMove(shift, x - hover->Left(), y - hover->Top());
    else MouseMove(shift, x, y);
    return ownClass_;
  }
  return false;
}

void TWinControl::AddChild(TControl* child) {
  child->parent_ = this;
  controls_.push_back(child);
  if (child->Align() != alNone) Realign();
}

void TWinControl::RemoveChild(TControl* child) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), child), controls_.end());
  if (mouseControl_ == child) mouseControl_ = nullptr;
  if (hoverControl_ == child) hoverControl_ = nullptr;
}

TControl* TWinControl::FindControl(std::wstring_view name) const {
  for (TControl* child : controls_) {
    if (child->Name() == name) return child;
    if (child->IsWindowed())
      if (TControl* found = static_cast<TWinControl*>(child)->FindControl(name)) return found;
  }
  return nullptr;
}

TControl* TWinControl::ControlAtPos(int x, int y) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() || !c->Visible() || !c->Enabled()) continue;
    if (x >= c->Left() && y >= c->Top() && x < c->Left() + c->Width() && y < c->Top() + c->Height() &&
        c->HitTest(x - c->Left(), y - c->Top()))
      return c;
  }
  return nullptr;
}

int TWinControl::ClientWidth() const {
  if (hwnd_) {
    RECT r;
    GetClientRect(hwnd_, &r);
    return r.right;
  }
  return Width();
}

int TWinControl::ClientHeight() const {
  if (hwnd_) {
    RECT r;
    GetClientRect(hwnd_, &r);
    return r.bottom;
  }
  return Height();
}

void TWinControl::Realign() {
  if (inRealign_) return;
  inRealign_ = true;
  RECT area = ClientRect();
  auto place = [&](TAlign which) {
    for (TControl* c : controls_) {
      if (c->Align() != which || !c->Visible()) continue;
      switch (which) {
        case alTop:
          c->SetBounds(area.left, area.top, area.right - area.left, c->Height());
          area.top += c->Height();
          break;
        case alBottom:
          c->SetBounds(area.left, area.bottom - c->Height(), area.right - area.left, c->Height());
          area.bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(area.left, area.top, c->Width(), area.bottom - area.top);
          area.left += c->Width();
          break;
        case alRight:
          c->SetBounds(area.right - c->Width(), area.top, c->Width(), area.bottom - area.top);
          area.right -= c->Width();
          break;
        case alClient:
          c->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
          break;
        default: break;
      }
    }
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) place(a);
  inRealign_ = false;
}

void TWinControl::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
  if (hwnd_) {
    LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
    SetWindowLongW(hwnd_, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
}

bool TWinControl::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (HWND window = Handle()) ::SetFocus(window);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  StoreBounds(left, top, width, height);
  if (hwnd_) SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  BoundsChanged();
  if (Parent() && Align() != alNone) Parent()->Realign();
}

void TWinControl::SetVisible(bool visible) {
  if (visible == Visible()) return;
  TControl::visible_ = visible;
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
  if (Parent() && Align() != alNone) Parent()->Realign();
}

void TWinControl::SetEnabled(bool enabled) {
  if (enabled == Enabled() && (!hwnd_ || (IsWindowEnabled(hwnd_) != FALSE) == enabled)) return;
  TControl::enabled_ = enabled;
  if (hwnd_) EnableWindow(hwnd_, enabled);
  Invalidate();
}

void TWinControl::SetCaption(const std::wstring& caption) {
  if (caption == Caption()) return;
  TControl::caption_ = caption;
  if (hwnd_) SetWindowTextW(hwnd_, caption.c_str());
  Invalidate();
}

void TWinControl::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TWinControl::Repaint() {
  if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TWinControl::ScaleBy(int m, int d) {
  if (d == 0) return;
  for (TControl* child : controls_) child->ScaleBy(m, d);
  TControl::ScaleBy(m, d);
  if (hwnd_ && Parent()) SetWindowPos(hwnd_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  if (hwnd_ && !ownClass_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  Invalidate();
}

LRESULT TWinControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = Handle();
  return window ? SendMessageW(window, message, wParam, lParam) : 0;
}

void TWinControl::PaintWindow(HDC dc) {
  RECT r = ClientRect();
  FillSolid(dc, r, ResolveColor(Color()));
}

void TWinControl::PaintControls(HDC dc, const RECT* dirty) {
  for (TControl* c : controls_) {
    if (c->IsWindowed() || !c->Visible()) continue;
    RECT bounds = c->BoundsRect(), common;
    if (dirty && !IntersectRect(&common, &bounds, dirty)) continue;
    SavedDC saved(dc);
    IntersectClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
    OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
    c->Paint(dc);
  }
}

void TWinControl::OnPaintMessage() {
  PAINTSTRUCT ps;
  HDC target = BeginPaint(hwnd_, &ps);
  if (target) {
    DoubleBuffer buffer(target, ClientWidth(), ClientHeight(), ps.rcPaint);
    PaintWindow(buffer.Get());
    PaintControls(buffer.Get(), &ps.rcPaint);
  }
  EndPaint(hwnd_, &ps);
}

void TWinControl::FontChanged() {
  if (hwnd_ && !ownClass_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  Invalidate();
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(*this, key, shift);
}
void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(*this, key, shift);
}
void TWinControl::KeyPress(wchar_t& key) {
  if (OnKeyPress) OnKeyPress(*this, key);
}
void TWinControl::FocusEnter() {
  if (TMForm* form = Form(); form && form != this) form->ControlFocused(this);
  if (OnEnter) OnEnter(*this);
}
void TWinControl::FocusExit() {
  if (OnExit) OnExit(*this);
}
void TWinControl::Resize() {
  if (OnResize) OnResize(*this);
}
