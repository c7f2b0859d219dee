#include "toolkit/Cliunit.h"

#include <windowsx.h>

#include <algorithm>

#include "toolkit/GGlobals.h"
#include "toolkit/PlatformBox.h"
#include "toolkit/Title.h"

bool BufferAllNiceButtons = false;

namespace {
HWND& MainWindowSlot() {
  static HWND window = nullptr;
  return window;
}

// A named CALLBACK: on i686 a lambda does not convert to the stdcall WNDENUMPROC.
BOOL CALLBACK AddThreadWindow(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

std::vector<HWND> ThreadTopLevelWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), AddThreadWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void CollectButtons(const TWinControl& parent, std::vector<IFormButton*>& out) {
  for (TControl* c : parent.Controls()) {
    if (auto* button = dynamic_cast<IFormButton*>(c)) out.push_back(button);
    if (c->IsWindowed()) CollectButtons(*static_cast<TWinControl*>(c), out);
  }
}

void CollectTabStops(TWinControl& parent, std::vector<TWinControl*>& out) {
  for (TControl* c : parent.Controls()) {
    if (!c->IsWindowed()) continue;
    auto* w = static_cast<TWinControl*>(c);
    if (w->TabStop() && w->CanFocus() && w->HandleAllocated()) out.push_back(w);
    CollectTabStops(*w, out);
  }
}

bool DialogCharIn(TWinControl& parent, wchar_t ch) {
  for (TControl* c : parent.Controls()) {
    if (!c->Visible()) continue;
    if (c->DialogChar(ch)) return true;
    if (c->IsWindowed() && DialogCharIn(*static_cast<TWinControl*>(c), ch)) return true;
  }
  return false;
}

bool ButtonUsable(IFormButton* b) {
  TWinControl& c = b->ButtonControl();
  return c.Showing() && c.Enabled();
}

std::wstring IniPath() { return AppDir + L"CORVAN.Ini"; }
}  // namespace

HWND MainWindow() {
  HWND window = MainWindowSlot();
  return window && IsWindow(window) ? window : nullptr;
}
void SetMainWindow(HWND window) { MainWindowSlot() = window; }

void MinimizeApplication() {
  for (HWND window : ThreadTopLevelWindows())
    if (IsWindowVisible(window)) ShowWindow(window, SW_MINIMIZE);
}

// ---------------------------------------------------------------- TMForm

TMForm::TMForm(const TControlDesc& desc) : TWinControl(nullptr, desc) {
  TWinControl::SetVisible(false);  // a window shows when asked to
}

TMForm::~TMForm() {
  SaveSize();
  if (modal_) modalResult_ = TModalResult::Cancel;
  if (!DestroyHandle()) {
    PlatformMessageBox(L"Eroare la inherited destroy TMForm: " + Name(), TPlatformBox::Plain);
  }
}

void TMForm::SetBorderStyle(TFormBorderStyle style) {
  borderStyle_ = style;
  if (HWND window = HandleIfCreated()) {
    TCreateParams p;
    CreateParams(p);
    SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(p.style | (IsWindowVisible(window) ? WS_VISIBLE : 0)));
    SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(p.exStyle));
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
}

void TMForm::SetBorderWidth(int width) {
  if (width == borderWidth_) return;
  borderWidth_ = width;
  if (HWND window = HandleIfCreated())
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

RECT TMForm::FrameInsets() const {
  TCreateParams p;
  const_cast<TMForm*>(this)->AdjustStyle(p);
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, p.style, FALSE, p.exStyle);
  return {-r.left + borderWidth_, -r.top + borderWidth_, r.right + borderWidth_, r.bottom + borderWidth_};
}

void TMForm::SetClientSize(int width, int height) {
  if (HWND window = HandleIfCreated()) {
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int dw = (outer.right - outer.left) - client.right, dh = (outer.bottom - outer.top) - client.bottom;
    SetBounds(Left(), Top(), width + dw, height + dh);
    return;
  }
  const RECT f = FrameInsets();
  pendingClientWidth_ = width;
  pendingClientHeight_ = height;
  SetBounds(Left(), Top(), width + f.left + f.right, height + f.top + f.bottom);
}

int TMForm::ClientWidth() const {
  if (HandleAllocated()) return TWinControl::ClientWidth();
  const RECT f = FrameInsets();
  return std::max<int>(0, Width() - f.left - f.right);
}

int TMForm::ClientHeight() const {
  if (HandleAllocated()) return TWinControl::ClientHeight();
  const RECT f = FrameInsets();
  return std::max<int>(0, Height() - f.top - f.bottom);
}

void TMForm::SetXKind(int kind) {
  if (kind < 0 || kind > 12) return;
  xKind_ = kind;
  kind_ = kind;
}

void TMForm::AdjustStyle(TCreateParams& p) {
  p.style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.exStyle = 0;
  switch (borderStyle_) {
    case bsNone: break;
    case bsSingle: p.style |= WS_CAPTION; break;
    case bsToolWindow: p.style |= WS_CAPTION; p.exStyle |= WS_EX_TOOLWINDOW; break;
    case bsSizeable: p.style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsSizeToolWin: p.style |= WS_CAPTION | WS_THICKFRAME; p.exStyle |= WS_EX_TOOLWINDOW; break;
    case bsDialog: p.style |= WS_CAPTION; p.exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE; break;
  }
  if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) {
    p.style |= WS_SYSMENU;
    if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
      if (borderIcons_ & biMinimize) p.style |= WS_MINIMIZEBOX;
      if (borderIcons_ & biMaximize) p.style |= WS_MAXIMIZEBOX;
    }
  }
}

void TMForm::CreateParams(TCreateParams& params) {
  params.ownClass = L"TCorvanForm";
  AdjustStyle(params);
  if (!Enabled()) params.style |= WS_DISABLED;
  params.caption = Caption();
  params.x = Left();
  params.y = Top();
  params.width = Width();
  params.height = Height();
  params.parent = nullptr;
  // A sizeable frame is limited to the largest form size.
  if (borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin) {
    if (constraints_.maxWidth == 0 || constraints_.maxWidth > MaxFormWidth) constraints_.maxWidth = MaxFormWidth;
    if (constraints_.maxHeight == 0 || constraints_.maxHeight > MaxFormHeight) constraints_.maxHeight = MaxFormHeight;
  }
}

void TMForm::HandleCreated() {
  HWND window = HandleIfCreated();
  if (pendingClientWidth_ >= 0) {
    // The frame may differ from the estimate (border width, system metrics).
    const int w = pendingClientWidth_, h = pendingClientHeight_;
    pendingClientWidth_ = pendingClientHeight_ = -1;
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int dw = (outer.right - outer.left) - client.right, dh = (outer.bottom - outer.top) - client.bottom;
    SetWindowPos(window, nullptr, 0, 0, w + dw, h + dh, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetSystemMenuCaptions();
  FormLoaded = true;
  FormCreated = true;
}

void TMForm::HandleDestroying() {}

void TMForm::SetSystemMenuCaptions() {
  HWND window = HandleIfCreated();
  if (borderStyle_ == bsNone || !(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU)) return;
  HMENU menu = GetSystemMenu(window, FALSE);
  if (!menu) return;
  const struct {
    UINT command;
    const wchar_t* caption;
  } items[] = {{SC_RESTORE, L"&Restaureaza"},  {SC_MOVE, L"&Muta"},
               {SC_SIZE, L"&Dimensioneaza"},   {SC_MINIMIZE, L"Mi&nimizeaza"},
               {SC_MAXIMIZE, L"Ma&ximizeaza"}, {SC_CLOSE, L"&Inchide    ALT+F4"}};
  for (const auto& item : items) {
    const UINT state = GetMenuState(menu, item.command, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1)) continue;
    ModifyMenuW(menu, item.command, MF_BYCOMMAND | MF_STRING | (state & (MF_GRAYED | MF_DISABLED)), item.command,
                item.caption);
  }
  EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

void TMForm::ScaleBy(int m, int d) {
  if (d == 0) return;
  const int cw = ClientWidth(), ch = ClientHeight();
  for (TControl* child : Controls()) child->ScaleBy(m, d);
  Font().ScaleBy(m, d);
  SetClientSize(MulDiv(cw, m, d), MulDiv(ch, m, d));
  Realign();
  Invalidate();
}

void TMForm::SetDepth(int depth) {
  const int factor = depth - dpiScale_ + 100;
  constraints_.minWidth = constraints_.minWidth * factor / 100;
  constraints_.minHeight = constraints_.minHeight * factor / 100;
  constraints_.maxWidth = constraints_.maxWidth * factor / 100;
  constraints_.maxHeight = constraints_.maxHeight * factor / 100;
  for (int i = dpiScale_; i < depth; ++i) ScaleBy(101, 100);
  for (int i = dpiScale_; i > depth; --i) ScaleBy(100, 101);
  dpiScale_ = depth;
}

bool TMForm::WheelZoom(WPARAM wParam, LPARAM lParam) {
  const WORD keys = GET_KEYSTATE_WPARAM(wParam);
  const bool ctrl = (keys & MK_CONTROL) || GetKeyState(VK_CONTROL) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  const bool shift = (keys & MK_SHIFT) || GetKeyState(VK_SHIFT) < 0;
  if (!ctrl || !alt) return false;
  const bool up = GET_WHEEL_DELTA_WPARAM(wParam) > 0;
  if (shift) {
    SetDepth(0);
  } else if (up) {
    constraints_ = {constraints_.minWidth * 101 / 100, constraints_.minHeight * 101 / 100,
                    constraints_.maxWidth * 101 / 100, constraints_.maxHeight * 101 / 100};
    ++dpiScale_;
    ScaleBy(101, 100);
  } else {
    constraints_ = {constraints_.minWidth * 99 / 100, constraints_.minHeight * 99 / 100,
                    constraints_.maxWidth * 99 / 100, constraints_.maxHeight * 99 / 100};
    --dpiScale_;
    ScaleBy(100, 101);
  }
  const TMouseWheelEvent& event = up ? OnMouseWheelUp : OnMouseWheelDown;
  if (event) event(*this, KeyboardShiftState(), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  return true;
}

void TMForm::FitMaximized() {
  HWND window = HandleIfCreated();
  if (inFixing_ || !modal_ || !window) return;
  inFixing_ = true;
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
    const RECT work = info.rcWork;
    int left = work.left, top = work.top;
    if (window == MainWindow()) {
      left -= GetSystemMetrics(SM_CXFRAME);
      top -= GetSystemMetrics(SM_CYFRAME);
    }
    int cw = (work.right - work.left) - 2 * (GetSystemMetrics(SM_CXBORDER) + borderWidth_);
    int ch = (work.bottom - work.top) - 2 * (GetSystemMetrics(SM_CYBORDER) + borderWidth_);
    if (borderStyle_ != bsNone) {
      cw -= borderWidth_;
      ch -= borderWidth_;
    }
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int dw = (outer.right - outer.left) - client.right, dh = (outer.bottom - outer.top) - client.bottom;
    SetWindowPos(window, nullptr, left, top, cw + dw, ch + dh, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  inFixing_ = false;
}

void TMForm::SaveSize() {
  HWND window = HandleIfCreated();
  if (SaveName.empty() || !window) return;
  const std::wstring file = IniPath(), section = SaveName + std::to_wstring(Tag());
  auto write = [&](const wchar_t* key, int value) {
    WritePrivateProfileStringW(section.c_str(), key, std::to_wstring(value).c_str(), file.c_str());
  };
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(window, &placement);
  if (placement.showCmd == SW_SHOWNORMAL || (!IsZoomed(window) && !IsIconic(window))) {
    write(L"WIDTH", Width());
    write(L"HEIGHT", Height());
  }
  write(L"DEPTH", dpiScale_);
  write(L"STATE", IsZoomed(window) ? 1 : 0);
  write(L"TOP", Top());
  write(L"LEFT", Left());
}

void TMForm::RestoreSize() {
  if (SaveName.empty()) return;
  const std::wstring file = IniPath(), section = SaveName + std::to_wstring(Tag());
  auto read = [&](const wchar_t* key) {
    return static_cast<int>(GetPrivateProfileIntW(section.c_str(), key, 0, file.c_str()));
  };
  const int width = read(L"WIDTH"), height = read(L"HEIGHT"), depth = read(L"DEPTH"), state = read(L"STATE"),
            top = read(L"TOP"), left = read(L"LEFT");
  SetDepth(static_cast<short>(depth));
  int w = Width(), h = Height();
  if (width > 0) {
    w = width;
    const int room = GetSystemMetrics(SM_CXSCREEN) - Left();
    if (room > 0) w = std::min(w, room);
    w = std::max(w, constraints_.minWidth);
  }
  if (height > 0) {
    h = height;
    const int room = GetSystemMetrics(SM_CYSCREEN) - Top();
    if (room > 0) h = std::min(h, room);
    h = std::max(h, constraints_.minHeight);
  }
  SetBounds(left > 0 ? left : Left(), top > 0 ? top : Top(), w, h);
  if (state && HandleIfCreated()) ShowWindow(HandleIfCreated(), SW_MAXIMIZE);
}

void TMForm::SetModalResult(TModalResult result) {
  modalResult_ = result;
  // Wakes the modal loop when the result comes from outside a message.
  if (modal_ && HandleIfCreated()) PostMessageW(HandleIfCreated(), WM_NULL, 0, 0);
}

void TMForm::FirstShow() {
  if (!PrimaData) return;
  botoane_.clear();
  for (IFormButton* b : Buttons()) botoane_.push_back({b, &b->ButtonControl(), b->ButtonControl().Enabled()});
  PrimaData = false;
}

void TMForm::Show() {
  HWND window = Handle();
  if (!window) return;
  FirstShow();
  TWinControl::SetVisible(true);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  if (activeControl_ && activeControl_->CanFocus()) activeControl_->SetFocus();
  else if (!SelectNext(nullptr, true)) ::SetFocus(window);
  if (OnShow) OnShow(*this);
}

void TMForm::Hide() { TWinControl::SetVisible(false); }

void TMForm::Close() {
  if (OnClose) OnClose(*this);
  if (modal_) SetModalResult(TModalResult::Cancel);
  else Hide();
}

void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (!TMForm::PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

void ProcessOnePendingMessage() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return;
  if (msg.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(msg.wParam));
    return;
  }
  if (!TMForm::PreTranslate(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

TModalResult TMForm::ShowModal() {
  if (modal_) return TModalResult::None;
  HWND window = Handle();
  if (!window) return TModalResult::None;
  HWND previous = GetActiveWindow();
  if (GetCapture()) ReleaseCapture();
  std::vector<HWND> disabled;
  for (HWND other : ThreadTopLevelWindows()) {
    if (other == window || !IsWindowVisible(other) || !IsWindowEnabled(other)) continue;
    disabled.push_back(other);
  }
  for (HWND other : disabled) EnableWindow(other, FALSE);
  modal_ = true;
  modalResult_ = TModalResult::None;
  Show();
  MSG msg;
  while (modalResult_ == TModalResult::None && IsWindow(window)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      if (modalResult_ == TModalResult::None) modalResult_ = TModalResult::Cancel;
      break;
    }
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  const TModalResult result = modalResult_;
  // The other windows come back before this one hides, so the activation returns to them.
  for (HWND other : disabled)
    if (IsWindow(other)) EnableWindow(other, TRUE);
  if (IsWindow(window)) Hide();
  if (previous && previous != window && IsWindow(previous)) SetActiveWindow(previous);
  modal_ = false;
  return result;
}

void TMForm::SetActiveControl(TWinControl* control) {
  activeControl_ = control;
  if (control && HandleAllocated() && IsWindowVisible(HandleIfCreated()) && control->CanFocus()) control->SetFocus();
}

bool TMForm::SelectNext(TWinControl* from, bool forward) {
  std::vector<TWinControl*> stops;
  CollectTabStops(*this, stops);
  if (stops.empty()) return false;
  auto it = std::find(stops.begin(), stops.end(), from);
  size_t index;
  if (it == stops.end()) index = forward ? 0 : stops.size() - 1;
  else {
    const size_t at = static_cast<size_t>(it - stops.begin());
    index = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
  }
  stops[index]->SetFocus();
  return true;
}

std::vector<IFormButton*> TMForm::Buttons() const {
  std::vector<IFormButton*> buttons;
  CollectButtons(*this, buttons);
  return buttons;
}

void TMForm::ControlFocused(TWinControl* control) {
  activeControl_ = control;
  for (IFormButton* b : Buttons()) b->FocusMovedTo(control);
}

void TMForm::ControlGone(TWinControl* control) {
  if (activeControl_ == control) activeControl_ = nullptr;
  for (auto it = botoane_.begin(); it != botoane_.end();) {
    if (it->control == control) {
      if (focusButton_ == it->button) focusButton_ = nullptr;
      it = botoane_.erase(it);
    } else {
      ++it;
    }
  }
}

void TMForm::EnableChanged(bool enabled) {
  if (!enabled) {
    focusButton_ = nullptr;
    for (SavedButton& entry : botoane_) {
      entry.enabled = entry.control->Enabled();
      // The platform takes the focus away before it tells the window, so the window's
      // own record of its focused control decides.
      if (entry.control->Focused() || entry.control == activeControl_) focusButton_ = entry.button;
      entry.control->SetEnabled(false);
    }
  } else {
    for (SavedButton& entry : botoane_) entry.control->SetEnabled(entry.enabled);
    if (focusButton_ && focusButton_->ButtonControl().Showing()) {
      activeControl_ = &focusButton_->ButtonControl();
      focusButton_->ButtonControl().SetFocus();
    }
  }
}

void TMForm::PaintBackground(HDC) { MessageBeep(MB_OK); }

bool TMForm::DialogKey(WORD key, TShiftState shift) {
  if (shift & (ssAlt | ssCtrl)) return false;
  switch (key) {
    case VK_TAB: {
      TWinControl* focused = FromHandle(GetFocus());
      return SelectNext(focused && focused->Form() == this ? focused : nullptr, !(shift & ssShift));
    }
    case VK_RETURN: {
      TWinControl* focused = FromHandle(GetFocus());
      if (auto* button = dynamic_cast<IFormButton*>(focused); button && focused->Form() == this) {
        if (!ButtonUsable(button)) return false;
        button->Press();
        return true;
      }
      for (IFormButton* b : Buttons())
        if (b->IsDefault() && ButtonUsable(b)) {
          b->Press();
          return true;
        }
      return false;
    }
    case VK_ESCAPE:
      for (IFormButton* b : Buttons())
        if (b->IsCancel() && ButtonUsable(b)) {
          b->Press();
          return true;
        }
      return false;
    default: return false;
  }
}

bool TMForm::PreTranslate(MSG& msg) {
  const UINT m = msg.message;
  if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN && m != WM_CHAR && m != WM_SYSCHAR) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  auto* form = dynamic_cast<TMForm*>(FromHandle(root));
  if (!form || !IsWindowEnabled(root)) return false;
  const LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN) {
    WORD key = static_cast<WORD>(msg.wParam);
    const TShiftState shift = KeyboardShiftState();
    if (form->keyPreview_) {
      form->KeyDown(key, shift);
      if (key == 0) return true;
    }
    if (key == VK_TAB && (code & DLGC_WANTTAB)) return false;
    if ((key == VK_RETURN || key == VK_ESCAPE) && (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) return false;
    return form->DialogKey(key, shift);
  }
  // Characters: Alt+letter, or a letter where the focused control takes no characters.
  if (m == WM_CHAR && (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_HASSETSEL))) return false;
  if (m == WM_CHAR && msg.wParam < 0x20) return false;
  return DialogCharIn(*form, static_cast<wchar_t>(msg.wParam));
}

bool TMForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ENABLE:
      TWinControl::WndProc(message, wParam, lParam, result);
      result = DefaultProc(message, wParam, lParam);
      EnableChanged(wParam != 0);
      return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // With key preview the loop has shown the key to the window already.
      if (keyPreview_) return false;
      return TWinControl::WndProc(message, wParam, lParam, result);
    case WM_SETCURSOR:
      if (HIWORD(lParam) == WM_RBUTTONDOWN) {
        HWND active = GetActiveWindow();
        auto* dialog = dynamic_cast<TMessageForm*>(FromHandle(active));
        if (dialog && dialog != this) {
          // A right click anywhere on the program answers the open dialog with its default.
          PostMessageW(active, WM_KEYDOWN, VK_RETURN, 0);
          result = TRUE;
          return true;
        }
      }
      return false;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        if (IsWindowVisible(HandleIfCreated())) Activated = true;
        if (OnActivate) OnActivate(*this);
        if (activeControl_ && activeControl_->HandleAllocated() && activeControl_->CanFocus()) {
          ::SetFocus(activeControl_->HandleIfCreated());
          result = 0;
          return true;
        }
      }
      return false;
    case WM_SETFOCUS:
      if (activeControl_ && activeControl_->HandleAllocated() && activeControl_->CanFocus()) {
        ::SetFocus(activeControl_->HandleIfCreated());
        result = 0;
        return true;
      }
      return false;
    case WM_CLOSE:
      Close();
      result = 0;
      return true;
    case WM_MOUSEWHEEL:
      if (WheelZoom(wParam, lParam)) {
        result = 0;
        return true;
      }
      return false;
    case WM_NCCALCSIZE: {
      result = DefaultProc(message, wParam, lParam);
      if (borderWidth_ > 0) {
        RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        InflateRect(r, -borderWidth_, -borderWidth_);
      }
      return true;
    }
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (constraints_.minWidth > 0) info->ptMinTrackSize.x = constraints_.minWidth;
      if (constraints_.minHeight > 0) info->ptMinTrackSize.y = constraints_.minHeight;
      if (constraints_.maxWidth > 0) info->ptMaxTrackSize.x = constraints_.maxWidth;
      if (constraints_.maxHeight > 0) info->ptMaxTrackSize.y = constraints_.maxHeight;
      result = 0;
      return true;
    }
    case WM_WINDOWPOSCHANGING:
      // Position changes before the window is complete are left to the platform.
      if (!FormLoaded) {
        result = DefaultProc(message, wParam, lParam);
        return true;
      }
      return false;
    case WM_SIZE:
      TWinControl::WndProc(message, wParam, lParam, result);
      if (wParam == SIZE_MAXIMIZED) FitMaximized();
      return false;
    default: return TWinControl::WndProc(message, wParam, lParam, result);
  }
}

// ---------------------------------------------------------------- TPaintedForm

void TPaintedForm::PaintWindow(HDC dc) {
  if (!MustPaint || !DotPattern) {
    TMForm::PaintWindow(dc);
    return;
  }
  // The pattern's black pixels (its colour at (1, 1)) let the window colour through.
  MemoryDC cellDc(dc), patternDc(dc);
  OwnedBitmap cell(CreateCompatibleBitmap(dc, 8, 8));
  SelectGuard selectCell(cellDc.Get(), cell.Get());
  FillSolid(cellDc.Get(), {0, 0, 8, 8}, ResolveColor(Color()));
  SelectGuard selectPattern(patternDc.Get(), DotPattern);
  const COLORREF key = GetPixel(patternDc.Get(), 1, 1);
  TransparentBlt(cellDc.Get(), 0, 0, 8, 8, patternDc.Get(), 0, 0, 8, 8, key);
  SelectObject(cellDc.Get(), GetStockObject(NULL_BRUSH));
  OwnedBrush brush(CreatePatternBrush(cell.Get()));
  RECT r = ClientRect();
  FillRect(dc, &r, brush.Get());
}

// ---------------------------------------------------------------- TTitleForm

TTitleForm::TTitleForm(const TControlDesc& desc) : TPaintedForm(desc) { SetKeyPreview(true); }

TTitleBar* TTitleForm::TitleBar() const {
  if (!titleBar_) titleBar_ = Find<TTitleBar>(L"TitleBar1");
  return titleBar_;
}

void TTitleForm::ConvertFrame(const std::wstring& className) {
  if (!BufferAllNiceButtons) return;
  if (className.rfind(L"TSearchFormExt", 0) == 0 || className.rfind(L"TLista", 0) == 0) {
    borderWidth_ = 0;
    return;
  }
  if (borderStyle_ == bsSizeable && !win10Sizeable_) {
    win10Sizeable_ = true;
    borderStyle_ = bsNone;
    if (borderWidth_ < 3) borderWidth_ = 3;
  }
}

void TTitleForm::SetBorderStyle(TFormBorderStyle style) {
  borderStyle_ = style;
  ConvertFrame(L"TCorvanForm");
  TMForm::SetBorderStyle(borderStyle_);
}

void TTitleForm::CreateParams(TCreateParams& params) {
  ConvertFrame(params.ownClass.empty() ? L"TCorvanForm" : params.ownClass);
  TPaintedForm::CreateParams(params);
  if (win10Sizeable_) {
    params.style &= ~(WS_BORDER | WS_THICKFRAME);
    params.style |= WS_MAXIMIZEBOX;
  } else {
    params.style &= ~WS_DLGFRAME;  // no system caption bar on a titled window
  }
}

void TTitleForm::SetCaption(const std::wstring& caption) {
  TMForm::SetCaption(caption);  // the window text stays: other programs find windows by it
  if (TTitleBar* bar = TitleBar()) bar->SetCaption(caption);
}

void TTitleForm::PaintBorder(HDC dc, RECT window, corvan::TColor color, int borderWidth) {
  RECT r = window;
  FrameSolid(dc, r, DarkenColor(color, 4));
  InflateRect(&r, -1, -1);
  FrameSolid(dc, r, LightenColor(color, 10));
  const COLORREF plain = ResolveColor(color);
  for (int i = 0; i < borderWidth - 2; ++i) {
    InflateRect(&r, -1, -1);
    FrameSolid(dc, r, plain);
  }
}

bool TTitleForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND window = HandleIfCreated();
  switch (message) {
    case WM_NCHITTEST: {
      result = DefaultProc(message, wParam, lParam);
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      POINT client = p;
      ScreenToClient(window, &client);
      if (client.y >= 0 && client.y < 50 && client.x >= 0 && client.x < ClientWidth()) {
        result = HTCAPTION;
        return true;
      }
      if (win10Sizeable_) {
        RECT w;
        GetWindowRect(window, &w);
        const int dl = p.x - w.left, dr = w.right - 1 - p.x, dt = p.y - w.top, db = w.bottom - 1 - p.y;
        if (dt <= 6 && dl <= 6) result = HTTOPLEFT;
        else if (dt <= 6 && dr <= 6) result = HTTOPRIGHT;
        else if (db <= 6 && dl <= 6) result = HTBOTTOMLEFT;
        else if (db <= 6 && dr <= 6) result = HTBOTTOMRIGHT;
        else if (dt <= 6) result = HTTOP;
        else if (dl <= 6) result = HTLEFT;
        else if (db <= 6) result = HTBOTTOM;
        else if (dr <= 6) result = HTRIGHT;
      }
      return true;
    }
    case WM_NCPAINT:
    case WM_NCACTIVATE: {
      result = DefaultProc(message, wParam, lParam);
      WindowDC dc(window, true);
      if (dc.Get()) {
        RECT w;
        GetWindowRect(window, &w);
        PaintBorder(dc.Get(), {0, 0, w.right - w.left, w.bottom - w.top}, Color(), borderWidth_);
      }
      return true;
    }
    case WM_GETMINMAXINFO: {
      TPaintedForm::WndProc(message, wParam, lParam, result);
      if (TitleBar()) {
        RECT w, c;
        GetWindowRect(window, &w);
        GetClientRect(window, &c);
        const int nonClient = (w.bottom - w.top) - c.bottom;
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, nonClient + 25);
      }
      return true;
    }
    case WM_ENABLE:
      TPaintedForm::WndProc(message, wParam, lParam, result);
      if (TTitleBar* bar = TitleBar()) bar->SetGrayed(wParam == 0);
      return true;
    default: return TPaintedForm::WndProc(message, wParam, lParam, result);
  }
}

void TTitleForm::KeyDown(WORD& key, TShiftState shift) {
  if (key == VK_F4 && (shift & ssAlt)) {
    key = 0;  // a titled window is not closed by Alt+F4
    return;
  }
  if ((key == 'M') && (shift & ssCtrl) && (shift & ssAlt)) {
    key = 0;
    MinimizeApplication();
    return;
  }
  TPaintedForm::KeyDown(key, shift);
}

// ---------------------------------------------------------------- TMessageForm

TMessageForm::TMessageForm(const TControlDesc& desc) : TTitleForm(desc) {
  borderStyle_ = bsDialog;
  SetBorderIcons(biSystemMenu);
}

void TMessageForm::CreateParams(TCreateParams& params) {
  params.ownClass = L"TMessageForm";
  TTitleForm::CreateParams(params);
  params.ownClass = L"TMessageForm";
}

void TMessageForm::PressDefaultButtons() {
  for (IFormButton* b : Buttons())
    if (b->IsDefault() && ButtonUsable(b)) b->Press();
}

void TMessageForm::DialogMouseDown(TControl& sender, TMouseButton button) {
  if (SkipRightClick) return;
  if (button == mbRight) {
    PressDefaultButtons();
    return;
  }
  if (Picture && &sender == Picture) {
    ++Clickuri;
    if (OnPictureClick) OnPictureClick(*this);
  }
}
