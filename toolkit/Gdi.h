#pragma once
// Owned and borrowed GDI handles. Every handle the toolkit creates lives in one of the
// non-copyable owners below and is deleted with it; the shared pictures are Borrowed.
#include <windows.h>

#include <utility>

// An owned GDI object (font, brush, pen, bitmap, region), deleted when the owner ends.
template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : handle_(other.Release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_ && handle_ != handle) DeleteObject(handle_);
    handle_ = handle;
  }
  Handle Release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

using OwnedFont = GdiObject<HFONT>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedPen = GdiObject<HPEN>;
using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedRegion = GdiObject<HRGN>;

// A handle someone else owns (the shared pictures, stock objects): never deleted here.
template <class Handle>
class Borrowed {
 public:
  Borrowed() = default;
  explicit Borrowed(Handle handle) : handle_(handle) {}
  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_ = nullptr;
};

// Selects an object into a device context and puts the previous one back on exit.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectGuard() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Saves the whole state of a device context (origin, clip, selections) and restores it.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  ~SavedDC() {
    if (id_) RestoreDC(dc_, id_);
  }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int id_;
};

// A memory device context compatible with another one (the screen when null).
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatible = nullptr) : dc_(CreateCompatibleDC(compatible)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// The screen's device context for as long as the guard lives (or a window's client area;
// with wholeWindow, the window's frame too, for painting its non-client ring).
class WindowDC {
 public:
  explicit WindowDC(HWND window = nullptr, bool wholeWindow = false)
      : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Draws into an off-screen bitmap of the target's size and copies it to the target at
// the end, so a paint never flickers.
class DoubleBuffer {
 public:
  DoubleBuffer(HDC target, int width, int height)
      : target_(target), width_(width > 0 ? width : 1), height_(height > 0 ? height : 1), memory_(target),
        bitmap_(CreateCompatibleBitmap(target, width_, height_)), select_(memory_.Get(), bitmap_.Get()),
        copy_{0, 0, width_, height_} {}
  // Only `dirty` is drawn (the buffer is clipped to it) and copied to the target.
  DoubleBuffer(HDC target, int width, int height, const RECT& dirty) : DoubleBuffer(target, width, height) {
    copy_ = dirty;
    IntersectClipRect(memory_.Get(), dirty.left, dirty.top, dirty.right, dirty.bottom);
  }
  ~DoubleBuffer() {
    BitBlt(target_, copy_.left, copy_.top, copy_.right - copy_.left, copy_.bottom - copy_.top, memory_.Get(),
           copy_.left, copy_.top, SRCCOPY);
  }
  DoubleBuffer(const DoubleBuffer&) = delete;
  DoubleBuffer& operator=(const DoubleBuffer&) = delete;
  HDC Get() const { return memory_.Get(); }

 private:
  HDC target_;
  int width_, height_;
  MemoryDC memory_;
  OwnedBitmap bitmap_;
  SelectGuard select_;
  RECT copy_;
};

// Small drawing helpers on plain RGB colours (0x00BBGGRR, as COLORREF).
inline void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  COLORREF old = SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

inline void FrameSolid(HDC dc, const RECT& rect, COLORREF color) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  FillSolid(dc, {rect.left, rect.top, rect.right, rect.top + 1}, color);
  FillSolid(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, color);
  FillSolid(dc, {rect.left, rect.top, rect.left + 1, rect.bottom}, color);
  FillSolid(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, color);
}
