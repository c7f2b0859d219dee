#pragma once
// An off-screen 32-bit surface that tests paint a control on and read pixels back from.
#include <windows.h>

#include "core/colors.h"

class PixelCanvas {
 public:
  PixelCanvas(int width, int height, COLORREF fill = RGB(0, 0, 0)) : w_(width), h_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  ~PixelCanvas() {
    Unselect();
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  PixelCanvas(const PixelCanvas&) = delete;
  PixelCanvas& operator=(const PixelCanvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }
  int w() const { return w_; }
  int h() const { return h_; }
  // Lets go of the bitmap so it can be selected elsewhere; the pixels stay readable.
  void Unselect() {
    if (old_) SelectObject(dc_, old_);
    old_ = nullptr;
  }

  corvan::TColor Pixel(int x, int y) const {
    GdiFlush();
    const DWORD p = bits_[y * w_ + x];
    return corvan::Rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Pixels of the colour in [x0, x1) x [y0, y1); -1 stands for the far edge.
  int Count(corvan::TColor c, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) const {
    int n = 0;
    for (int y = y0; y < (y1 < 0 ? h_ : y1); ++y)
      for (int x = x0; x < (x1 < 0 ? w_ : x1); ++x) n += Pixel(x, y) == c;
    return n;
  }
  // Columns holding at least one pixel of the colour: first and last (-1 when none).
  struct Span {
    int first, last;
  };
  Span Columns(corvan::TColor c) const {
    int first = -1, last = -1;
    for (int x = 0; x < w_; ++x)
      for (int y = 0; y < h_; ++y)
        if (Pixel(x, y) == c) {
          if (first < 0) first = x;
          last = x;
          break;
        }
    return {first, last};
  }

 private:
  int w_, h_;
  HBITMAP bitmap_;
  HDC dc_;
  HGDIOBJ old_;
  DWORD* bits_ = nullptr;
};

// The colour of one pixel of a picture.
inline corvan::TColor PictureAt(HBITMAP picture, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, picture);
  const COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}
