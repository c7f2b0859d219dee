#pragma once
// THtmlFrame: one frame of the viewer. It shows a page (drawn from its layout, scrolled
// with its own vertical scroll bar, the wheel and the keys, its text selectable, its links
// followed, its form controls live) or a frame set (frames placed by the set's rows and
// columns, each a THtmlFrame of its own). The viewer's outer frame is one too.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/html_frames.h"
#include "core/html_hit.h"
#include "core/html_layout.h"
#include "core/html_page.h"
#include "toolkit/Control.h"

class TFrameViewer;
class THtmlControl;

class THtmlFrame : public TWinControl {
 public:
  // A frame inside `parentFrame` (null: the viewer's outer frame); depth counts the
  // frame sets it is nested in.
  THtmlFrame(TWinControl* parent, TFrameViewer& viewer, THtmlFrame* parentFrame, std::wstring name,
             corvan::html::Scrolling scrolling, int depth);
  ~THtmlFrame() override;

  // Reads and shows the file, then scrolls to the anchor `fragment` (if any); false when
  // the file cannot be read (the frame is then empty).
  bool LoadFile(const std::wstring& path, const std::wstring& fragment = L"");
  void Clear();

  const std::wstring& File() const { return file_; }
  std::wstring Title() const;
  const std::wstring& FrameName() const { return name_; }
  THtmlFrame* ParentFrame() const { return parentFrame_; }
  // The frames of the frame set this frame shows (none for a page).
  std::vector<THtmlFrame*> Frames() const;
  // This frame or one inside it with that name (case as written), or null.
  THtmlFrame* FindFrame(std::wstring_view name);
  bool Contains(const THtmlFrame* frame) const;

  int ScrollPos() const { return scrollY_; }
  void SetScrollPos(int pos);
  // The largest scroll position (0 when the page fits).
  int ScrollMax() const;
  bool ScrollToAnchor(std::wstring_view name);
  // One step of the arrow keys and the wheel's lines, in pixels.
  int LineStep() const;

  bool HasSelection() const { return anchor_ != focus_; }
  std::wstring SelectedText() const;
  bool CopySelection();
  void SelectAll();

  // What the frame shows, for tests and the viewer.
  const corvan::html::Page* Page() const { return page_.get(); }
  const corvan::html::Layout& Layout() const { return layout_; }
  // The window of a form control of the page, or null.
  THtmlControl* Control(int index) const;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  bool WndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void PaintWindow(HDC dc) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Resize() override;

 private:
  void ShowFrameSet(const corvan::html::FrameSet& set);
  void Relayout();
  void PlaceFrames();
  void UpdateScrollBar();
  void ScrollTo(int y);
  void CreateControls();
  void PlaceControls();
  void FollowLink(int link);
  void Submit(int form, int submitter);
  void ResetForm(int form);
  void RadioChecked(THtmlControl& control);
  THtmlFrame* TargetFrame(std::wstring_view target);
  THtmlFrame* Root();
  bool WheelScroll(int delta);
  bool InAncestors(const std::wstring& path) const;
  bool PointAt(int x, int y, corvan::html::TextPoint& point) const;

  TFrameViewer& viewer_;
  THtmlFrame* parentFrame_;
  std::wstring name_;
  corvan::html::Scrolling scrolling_;
  int depth_;

  std::wstring file_;
  std::unique_ptr<corvan::html::Page> page_;
  corvan::html::Layout layout_;
  std::vector<std::wstring> picturePaths_;
  int scrollY_ = 0;
  bool barShown_ = false;
  bool inLayout_ = false;

  // A frame set: the set (owned by this frame's page, or by an outer frame's page for a
  // nested set) and its frames.
  const corvan::html::FrameSet* frameSet_ = nullptr;
  std::vector<std::unique_ptr<THtmlFrame>> frames_;

  std::vector<std::unique_ptr<THtmlControl>> controls_;  // index: Page::controls
  static constexpr size_t kMaxControlWindows = 1000;

  corvan::html::TextPoint anchor_, focus_;
  bool selecting_ = false, dragged_ = false;
  int pressedLink_ = -1;
  POINT downAt_{};
};
