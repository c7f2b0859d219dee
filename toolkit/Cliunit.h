#pragma once
// The window bases every toolkit window derives from:
//   TMForm        the base: modal showing, keys, the buttons put back as they were after a
//                 modal dialog over the window, mouse-wheel zoom, right click routed to an
//                 open message dialog, Romanian system menu, size memory;
//   TPaintedForm  an optional dotted background;
//   TTitleForm    no system caption: a TTitleBar named "TitleBar1" shows the title, the
//                 top 50 pixels drag the window, the frame is painted;
//   TMessageForm  the window of the message dialog.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/modal_result.h"
#include "toolkit/Control.h"

class TTitleBar;

// Set at start-up before the first window: sizeable titled windows get a painted frame
// and every smooth button is buffered.
extern bool BufferAllNiceButtons;

// The program's main window (the backdrop): the message dialog's automatic modes run
// their timer on it and only exist while it does. Null until someone sets it.
HWND MainWindow();
void SetMainWindow(HWND window);

// Handles the thread's pending messages now and returns once none is left: long work
// inside a handler lets the windows repaint and the user's keys and clicks through (keys
// go through TMForm::PreTranslate, as in every message loop). A WM_QUIT met here is
// posted again for the loop that owns it.
void ProcessPendingMessages();
// The same for one pending message at most (a long search's repaint or click), never waiting.
void ProcessOnePendingMessage();

// What the window needs of its buttons (TMButton, TNiceButton implement it). A form finds
// its buttons among its controls; nothing needs registering.
class IFormButton {
 public:
  virtual ~IFormButton() = default;
  // The button as a control (enabled state, visibility, focus).
  virtual TWinControl& ButtonControl() = 0;
  // Enter presses the default button while the focus is not on another button.
  virtual bool IsDefault() const = 0;
  // Esc presses the cancel button.
  virtual bool IsCancel() const = 0;
  // A press that does not come from the mouse: Enter, Esc, the accelerator, a right click
  // on a message dialog. Hands the modal result to the form, then fires the click.
  virtual void Press() = 0;
  // The form tells its buttons where the focus went (the default-button look).
  virtual void FocusMovedTo(TWinControl*) {}
};

enum TFormBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderIcons = std::uint8_t;
constexpr TBorderIcons biSystemMenu = 1, biMinimize = 2, biMaximize = 4;

struct TSizeConstraints {
  int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;  // 0: no limit
};

// What a window closes with: the pages' Next, Cancel, Back and the dialog's answers.
using corvan::TModalResult;

using TMouseWheelEvent = std::function<bool(TControl& sender, TShiftState shift, POINT mousePos)>;

class TMForm : public TWinControl {
 public:
  // A top-level window; desc's bounds are its outer bounds on the screen.
  explicit TMForm(const TControlDesc& desc);
  ~TMForm() override;

  TMForm* Form() const override { return const_cast<TMForm*>(this); }

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  virtual void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons) { borderIcons_ = icons; }
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);
  // Sets the outer size so the client area is w x h.
  void SetClientSize(int width, int height);
  int ClientWidth() const override;
  int ClientHeight() const override;
  TSizeConstraints& Constraints() { return constraints_; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool on) { keyPreview_ = on; }

  // Size memory: the section SaveName + tag in CORVAN.Ini beside the program.
  std::wstring SaveName;
  // The help context number of the window (0 throughout the setup).
  std::int32_t HelpContext = 0;
  // The product module the window belongs to (0 to 13); XKind accepts only 0 to 12.
  int Kind() const { return kind_; }
  int XKind() const { return xKind_; }
  void SetXKind(int kind);

  // Zoom depth: the number of 1 % steps applied (negative: smaller).
  int DPIScale() const { return dpiScale_; }
  void SetDepth(int depth);
  void ScaleBy(int m, int d) override;

  // Shows the window modally: the thread's other windows are disabled until a modal
  // result other than None is set; returns it.
  TModalResult ShowModal();
  void Show();
  void Hide();
  // A modal window ends with Cancel; another one is hidden.
  void Close();
  bool IsModal() const { return modal_; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result);

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  // Moves the focus to the next (or previous) tab stop after `from`.
  bool SelectNext(TWinControl* from, bool forward);

  // Every button of the window (controls that implement IFormButton), in tab order.
  std::vector<IFormButton*> Buttons() const;
  // The button that had the focus when the window was last disabled.
  IFormButton* FocusButton() const { return focusButton_; }

  // Reads the remembered size (nothing when SaveName is empty).
  void RestoreSize();

  // Handles the keys a window answers before its controls (key preview, Tab, Enter,
  // Esc, accelerators). Every message loop of the program calls it before dispatching;
  // true: the message was consumed.
  static bool PreTranslate(MSG& msg);

  // Called by a control that received the focus, and by one that goes.
  void ControlFocused(TWinControl* control);
  void ControlGone(TWinControl* control);

  bool FormLoaded = false;
  bool FormCreated = false;
  bool PrimaData = true;
  bool Activated = false;

  TNotifyEvent OnShow;
  TNotifyEvent OnActivate;
  TNotifyEvent OnClose;
  TMouseWheelEvent OnMouseWheelDown;
  TMouseWheelEvent OnMouseWheelUp;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void HandleDestroying() override;
  bool WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  // Sounds the default beep (the base's hook; no window of the setup uses it).
  virtual void PaintBackground(HDC dc);
  // Enter and Esc, Tab, Alt+letter; true when consumed.
  virtual bool DialogKey(WORD key, TShiftState shift);
  // The window style of the border style and icons.
  virtual void AdjustStyle(TCreateParams& params);
  // The non-client rectangle's thickness besides the border width (system frame).
  RECT FrameInsets() const;

  TFormBorderStyle borderStyle_ = bsSizeable;
  int borderWidth_ = 0;

 private:
  void FirstShow();
  void EnableChanged(bool enabled);
  bool WheelZoom(WPARAM wParam, LPARAM lParam);
  void FitMaximized();
  void SaveSize();
  void SetSystemMenuCaptions();

  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TSizeConstraints constraints_;
  bool keyPreview_ = false;
  int kind_ = 0, xKind_ = 0;
  int dpiScale_ = 0;
  bool modal_ = false;
  TModalResult modalResult_ = TModalResult::None;
  bool inFixing_ = false;
  int pendingClientWidth_ = -1, pendingClientHeight_ = -1;
  TWinControl* activeControl_ = nullptr;
  IFormButton* focusButton_ = nullptr;
  struct SavedButton {
    IFormButton* button;
    TWinControl* control;
    bool enabled;
  };
  std::vector<SavedButton> botoane_;  // the buttons with their saved enabled states
};

class TPaintedForm : public TMForm {
 public:
  using TMForm::TMForm;
  // Fill the client area with the dotted pattern in the window colour.
  bool MustPaint = false;

 protected:
  void PaintWindow(HDC dc) override;
};

class TTitleForm : public TPaintedForm {
 public:
  explicit TTitleForm(const TControlDesc& desc);

  void SetBorderStyle(TFormBorderStyle style) override;
  void SetCaption(const std::wstring& caption) override;
  // The window's title bar: the control named "TitleBar1" (or null).
  TTitleBar* TitleBar() const;
  void SetTitleBar(TTitleBar* bar) { titleBar_ = bar; }
  // Converted from a system-framed sizeable window to a painted frame.
  bool Win10Sizeable() const { return win10Sizeable_; }

  // Paints the frame of a window of this colour and border width over the window rectangle.
  static void PaintBorder(HDC dc, RECT window, corvan::TColor color, int borderWidth);

 protected:
  void CreateParams(TCreateParams& params) override;
  bool WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void KeyDown(WORD& key, TShiftState shift) override;

 private:
  void ConvertFrame(const std::wstring& className);
  bool win10Sizeable_ = false;
  mutable TTitleBar* titleBar_ = nullptr;
};

class TMessageForm : public TTitleForm {
 public:
  explicit TMessageForm(const TControlDesc& desc);

  bool SkipRightClick = false;
  // Clicks on the dialog's picture.
  int Clickuri = 0;
  // The dialog's picture: left and middle presses on it are counted.
  TControl* Picture = nullptr;
  // Called after each counted click on the picture.
  std::function<void(TMessageForm&)> OnPictureClick;

  // The mouse handler the dialog wires to its panels, text and picture: the right button
  // presses every default button; the left and middle ones on the picture are counted.
  void DialogMouseDown(TControl& sender, TMouseButton button);
  // Presses every visible, enabled default button.
  void PressDefaultButtons();

 protected:
  void CreateParams(TCreateParams& params) override;
};

// Minimises every window of the program (Ctrl+Alt+M).
void MinimizeApplication();
