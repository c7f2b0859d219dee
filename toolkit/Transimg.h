#pragma once
// TTransImage: a windowless picture drawn with a colour key (the colour of its top-left
// pixel). It shows a button kind's picture, a message kind's picture, a shared glyph, or
// its own bitmap, in that order of precedence.
#include "core/button_kinds.h"
#include "core/image_rect.h"
#include "toolkit/Control.h"
#include "toolkit/Gdi.h"
#include "toolkit/Types.h"

class TTransImage : public TControl {
 public:
  // Size 24 x 24 unless desc gives one.
  TTransImage(TWinControl* parent, const TControlDesc& desc);

  // The control's own picture: a copy is kept; the kinds go back to their custom values.
  void SetBitmap(HBITMAP picture);
  HBITMAP Bitmap() const { return bitmap_.Get(); }
  // Each kind, set to a new value, puts the other two back to their custom values.
  corvan::TMButtonKind KindMic() const { return kindMic_; }
  void SetKindMic(corvan::TMButtonKind kind);
  TMsgDlgType KindMare() const { return kindMare_; }
  void SetKindMare(TMsgDlgType kind);
  int KindAlte() const { return kindAlte_; }  // a shared glyph index; 0 = custom
  void SetKindAlte(int kind);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on) { autoSize_ = on; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  bool Center() const { return center_; }
  void SetCenter(bool on);
  // Proportional on turns Stretch on; Stretch off turns Proportional off.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool on);

  // The picture shown now (borrowed, or the own bitmap).
  HBITMAP Picture() const;
  // Where the picture lands in the control.
  corvan::ImageRect DestRect() const;

  void Paint(HDC dc) override;

 private:
  void PictureChanged();

  OwnedBitmap bitmap_;
  corvan::TMButtonKind kindMic_ = corvan::mkCustom;
  TMsgDlgType kindMare_ = mtCustom;
  int kindAlte_ = 0;
  bool autoSize_ = true;
  bool transparent_ = true;
  bool center_ = false;
  bool stretch_ = false;
  bool proportional_ = false;
};
