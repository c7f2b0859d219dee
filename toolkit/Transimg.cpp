#include "toolkit/Transimg.h"

#include "toolkit/GGlobals.h"

namespace {
TControlDesc WithDefaultSize(TControlDesc desc) {
  if (desc.width == 0) desc.width = 24;
  if (desc.height == 0) desc.height = 24;
  return desc;
}
}  // namespace

TTransImage::TTransImage(TWinControl* parent, const TControlDesc& desc) : TControl(parent, WithDefaultSize(desc)) {}

HBITMAP TTransImage::Picture() const {
  if (kindMic_ != corvan::mkCustom) return KindImage(kindMic_);
  if (kindMare_ != mtCustom) return MessageKindImage(kindMare_);
  if (kindAlte_ != 0) return SmallImage(kindAlte_);
  return bitmap_.Get();
}

void TTransImage::PictureChanged() {
  if (autoSize_) {
    const SIZE size = BitmapSize(Picture());
    if (size.cx > 0 && size.cy > 0) {
      SetBounds(Left(), Top(), size.cx, size.cy);
      return;
    }
  }
  Invalidate();
}

void TTransImage::SetBitmap(HBITMAP picture) {
  bitmap_.Reset(picture ? static_cast<HBITMAP>(CopyImage(picture, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)) : nullptr);
  kindMic_ = corvan::mkCustom;
  kindMare_ = mtCustom;
  kindAlte_ = 0;
  PictureChanged();
}

void TTransImage::SetKindMic(corvan::TMButtonKind kind) {
  if (kind == kindMic_) return;
  kindMic_ = kind;
  kindMare_ = mtCustom;
  kindAlte_ = 0;
  PictureChanged();
}

void TTransImage::SetKindMare(TMsgDlgType kind) {
  if (kind == kindMare_) return;
  kindMare_ = kind;
  kindMic_ = corvan::mkCustom;
  kindAlte_ = 0;
  PictureChanged();
}

void TTransImage::SetKindAlte(int kind) {
  if (kind == kindAlte_) return;
  kindAlte_ = kind;
  kindMic_ = corvan::mkCustom;
  kindMare_ = mtCustom;
  PictureChanged();
}

void TTransImage::SetTransparent(bool on) {
  if (on == transparent_) return;
  transparent_ = on;
  Invalidate();
}

void TTransImage::SetCenter(bool on) {
  if (on == center_) return;
  center_ = on;
  Invalidate();
}

void TTransImage::SetStretch(bool on) {
  stretch_ = on;
  if (!on) proportional_ = false;
  Invalidate();
}

void TTransImage::SetProportional(bool on) {
  proportional_ = on;
  if (on) stretch_ = true;
  Invalidate();
}

corvan::ImageRect TTransImage::DestRect() const {
  const SIZE size = BitmapSize(Picture());
  return corvan::TransImageRect(size.cx, size.cy, Width(), Height(), stretch_, proportional_, center_);
}

void TTransImage::Paint(HDC dc) {
  HBITMAP picture = Picture();
  const SIZE size = BitmapSize(picture);
  if (!Visible() || size.cx <= 0 || size.cy <= 0) return;
  const corvan::ImageRect d = DestRect();
  MemoryDC source(dc);
  SelectGuard select(source.Get(), picture);
  // The key is the top-left pixel (read here: a bitmap sits in one device context at a time).
  const COLORREF key = GetPixel(source.Get(), 0, 0);
  if (transparent_ && key != CLR_INVALID) {
    TransparentBlt(dc, d.left, d.top, d.width, d.height, source.Get(), 0, 0, size.cx, size.cy, key);
    return;
  }
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, d.left, d.top, d.width, d.height, source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
}
