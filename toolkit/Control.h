#pragma once
// The two bases of every painted control.
//
// TControl is windowless: it has a name, bounds in its parent's client area, a colour, a
// font and a caption, and paints itself on its parent's off-screen buffer (Paint). The
// parent hands it the mouse.
//
// TWinControl owns a window. One static window procedure recovers the object and calls
// WndProc, whose overrides say whether they handled a message; what nobody handles goes
// to the platform (DefWindowProc, or the procedure of a system class such as BUTTON or
// EDIT that the control wraps). It paints itself and its windowless children through a
// memory device context, and reflects WM_COMMAND, WM_DRAWITEM, WM_MEASUREITEM and
// WM_CTLCOLOR* back to the child they concern. No exception leaves the procedure.
//
// A control is declared by a TControlDesc, written with designated initialisers:
//   TPanel Panel1{this, {.name = L"Panel1", .left = 191, .top = 37, .width = 413, .height = 67}};
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/colors.h"
#include "toolkit/Font.h"

class TWinControl;
class TMForm;

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// Keys and mouse buttons held during an event, combined as bits.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;
// The keyboard's current Shift/Alt/Ctrl state.
TShiftState KeyboardShiftState();

struct TControlDesc {
  std::wstring name{};
  int left = 0, top = 0, width = 0, height = 0;  // a width or height of 0 takes the control's default
  TAlign align = alNone;
  corvan::TColor color = clBtnFace;
  bool parentColor = false;  // take the parent's colour instead
  std::wstring caption{};
  std::optional<TFont> font{};  // none: the parent's font
  bool visible = true;
  bool enabled = true;
  bool tabStop = false;  // windowed controls only
  int tag = 0;
};

class TControl;
using TNotifyEvent = std::function<void(TControl& sender)>;
using TMouseEvent = std::function<void(TControl& sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TControl& sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TControl& sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TControl& sender, wchar_t& key)>;

class TControl {
 public:
  // A control joins its parent's children at once (the parent may be null for a form).
  TControl(TWinControl* parent, const TControlDesc& desc);
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name) { name_ = name; }
  TWinControl* Parent() const { return parent_; }
  // The form this control sits on (itself for a form).
  virtual TMForm* Form() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  // Visible here and in every parent.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  corvan::TColor Color() const { return color_; }
  void SetColor(corvan::TColor color);
  const std::wstring& Caption() const { return caption_; }
  virtual void SetCaption(const std::wstring& caption);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  virtual bool IsWindowed() const { return false; }
  // Marks the control for repainting (a windowless one: its rectangle on the parent).
  virtual void Invalidate();
  // Repaints at once.
  virtual void Repaint();
  // Windowless controls draw here, the origin at their top-left, clipped to their bounds.
  virtual void Paint(HDC) {}
  // Zoom: bounds and font height multiplied by m / d.
  virtual void ScaleBy(int m, int d);
  // A point of the control (its own coordinates) on the screen.
  POINT ClientToScreen(POINT point) const;
  // Whether a point of the control's own area belongs to it (for the mouse).
  virtual bool HitTest(int, int) const { return true; }
  // Alt+letter (or a letter where the focused control takes no characters): true when it acted.
  virtual bool DialogChar(wchar_t) { return false; }

  // Mouse, in the control's own coordinates. The defaults fire the events.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Click();
  virtual void DblClick();

  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

 protected:
  // Called after the bounds changed (the control re-computes its layout).
  virtual void BoundsChanged() {}
  virtual void FontChanged() { Invalidate(); }
  // Detaches from the parent early (a windowed control does so before its window goes).
  void LeaveParent();
  // Sets the stored bounds without moving anything (windowed controls move their window).
  void StoreBounds(int left, int top, int width, int height);

 private:
  friend class TWinControl;
  std::wstring name_;
  TWinControl* parent_ = nullptr;
  int left_, top_, width_, height_;
  TAlign align_;
  bool visible_, enabled_;
  corvan::TColor color_;
  std::wstring caption_;
  TFont font_;
  int tag_;
};

// How a windowed control's window is made; CreateParams adjusts it before creation.
struct TCreateParams {
  std::wstring systemClass;  // empty: the toolkit's own window class; else e.g. L"BUTTON", L"EDIT"
  std::wstring ownClass = L"TCorvanControl";  // the toolkit's class name to register and use
  DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  std::wstring caption;
  int x = 0, y = 0, width = 0, height = 0;
  HWND parent = nullptr;
};

class TWinControl : public TControl {
 public:
  TWinControl(TWinControl* parent, const TControlDesc& desc);
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }
  // The window, created on first need (with the parents' windows first).
  HWND Handle();
  HWND HandleIfCreated() const { return hwnd_; }
  bool HandleAllocated() const { return hwnd_ != nullptr; }
  // The object that owns a window made by the toolkit, or null.
  static TWinControl* FromHandle(HWND window);

  const std::vector<TControl*>& Controls() const { return controls_; }
  // The control of that name among the children, their children, and so on (or null).
  TControl* FindControl(std::wstring_view name) const;
  template <class T>
  T* Find(std::wstring_view name) const {
    return dynamic_cast<T*>(FindControl(name));
  }
  // The topmost visible, enabled windowless child at a client point, or null.
  TControl* ControlAtPos(int x, int y) const;

  virtual int ClientWidth() const;
  virtual int ClientHeight() const;
  RECT ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }
  // Lays out the aligned children again (after a resize or a change of an aligned child).
  void Realign();

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);
  bool Focused() const;
  bool CanFocus() const;
  virtual void SetFocus();

  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetCaption(const std::wstring& caption) override;
  void Invalidate() override;
  void Repaint() override;
  void ScaleBy(int m, int d) override;
  // Sends a message to the window (creating it when needed).
  LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TNotifyEvent OnResize;

 protected:
  virtual void CreateParams(TCreateParams& params);
  // After the window exists (children are created right after).
  virtual void HandleCreated() {}
  // Before the window goes: last chance to read its state.
  virtual void HandleDestroying() {}
  void CreateHandle();
  // False when the platform refused to destroy the window.
  bool DestroyHandle();

  // Every message of the window. Return true when handled (result set); the default
  // implementation dispatches to the hooks below.
  virtual bool WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The platform's handling: the wrapped system class's procedure or DefWindowProc.
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

  // The control's own face, on the off-screen buffer, before its windowless children.
  // The default fills the client area with the control's colour.
  virtual void PaintWindow(HDC dc);
  // Paints the windowless children onto dc (client coordinates); with `dirty`, only those
  // that meet it.
  void PaintControls(HDC dc, const RECT* dirty = nullptr);
  // True: WM_PAINT is painted by PaintWindow + PaintControls through a buffer (the
  // default for the toolkit's own class); false: the wrapped system class paints.
  virtual bool PaintsItself() const;

  // Messages the parent reflects back to the child they concern. Return true when handled.
  virtual bool ReflectCommand(WORD, LRESULT&) { return false; }
  virtual bool ReflectDrawItem(const DRAWITEMSTRUCT&) { return false; }
  virtual bool ReflectMeasureItem(MEASUREITEMSTRUCT&) { return false; }
  // Null: not handled.
  virtual HBRUSH ReflectCtlColor(UINT, HDC) { return nullptr; }
  virtual bool ReflectNotify(NMHDR&, LRESULT&) { return false; }

  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(wchar_t& key);
  virtual void FocusEnter();
  virtual void FocusExit();
  virtual void Resize();

  void BoundsChanged() override { Realign(); }
  void FontChanged() override;

 private:
  friend class TControl;
  static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void Attach(HWND window);
  void AddChild(TControl* child);
  void RemoveChild(TControl* child);
  void OnPaintMessage();

  HWND hwnd_ = nullptr;
  WNDPROC systemProc_ = nullptr;  // the wrapped system class's own procedure
  bool ownClass_ = true;
  bool tabStop_;
  bool inRealign_ = false;
  bool childrenPending_ = false;  // a child was added after the window existed
  bool leftDown_ = false;
  std::vector<TControl*> controls_;
  TControl* mouseControl_ = nullptr;   // windowless child that took the mouse down
  TControl* hoverControl_ = nullptr;   // windowless child under the mouse
  bool tracking_ = false;              // TrackMouseEvent asked for WM_MOUSELEAVE
};

// True when ch (any case, in the platform's letter cases) is the caption's accelerator
// (corvan::AcceleratorOf).
bool IsAccel(wchar_t ch, const std::wstring& caption);
