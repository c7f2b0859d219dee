// The small painted controls: the transparent picture, the dragging panel, the panel's
// bevels, the bevel lines and the gauge.
#include <gtest/gtest.h>
#include <windows.h>

#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"
#include "toolkit/Paintpan.h"
#include "toolkit/Panels.h"
#include "toolkit/Transimg.h"
#include "win32_test_support.h"
#include "toolkit_globals.h"
#include "pixel_canvas.h"

namespace {
// A 200 x 100 picture: magenta (the key, at the top-left) with a red square in its middle.
OwnedBitmap MagentaPicture() {
  PixelCanvas s(200, 100, RGB(255, 0, 255));
  FillSolid(s.dc(), {80, 30, 120, 70}, RGB(255, 0, 0));
  s.Unselect();
  return OwnedBitmap(static_cast<HBITMAP>(CopyImage(s.Bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

struct Host {
  TTitleForm form{{.name = L"Host", .left = 100, .top = 100, .width = 300, .height = 200}};
};
}  // namespace

TEST(TransImage, KindsReplaceEachOtherAndTheBitmapForgetsThem) {
  Host host;
  TTransImage image(&host.form, {.name = L"Image"});
  EXPECT_EQ(image.Width(), 24);
  image.SetKindMare(mtError);
  EXPECT_EQ(image.Picture(), MessageKindImage(mtError));
  EXPECT_EQ(image.Width(), BitmapSize(MessageKindImage(mtError)).cx);  // takes the picture's size
  image.SetKindMic(corvan::mkOK);
  EXPECT_EQ(image.KindMare(), mtCustom);
  EXPECT_EQ(image.Picture(), KindImage(corvan::mkOK));
  const OwnedBitmap picture = MagentaPicture();
  image.SetBitmap(picture.Get());
  EXPECT_EQ(image.KindMic(), corvan::mkCustom);
  EXPECT_NE(image.Picture(), picture.Get());  // a copy is kept
  EXPECT_EQ(image.Width(), 200);
  EXPECT_EQ(image.Height(), 100);

  image.SetProportional(true);
  EXPECT_TRUE(image.Stretch());
  image.SetStretch(false);
  EXPECT_FALSE(image.Proportional());
}

TEST(TransImage, ProportionalCentredPictureWithItsKeyColourLeftOut) {
  Host host;
  TTransImage image(&host.form, {.name = L"Image", .width = 100, .height = 100});
  image.SetAutoSize(false);
  const OwnedBitmap picture = MagentaPicture();
  image.SetBitmap(picture.Get());
  image.SetProportional(true);
  image.SetCenter(true);
  const corvan::ImageRect r = image.DestRect();
  EXPECT_EQ(r, (corvan::ImageRect{0, 25, 100, 50}));

  PixelCanvas s(100, 100, RGB(0, 128, 0));
  image.Paint(s.dc());
  EXPECT_EQ(s.Pixel(50, 50), RGB(255, 0, 0));   // the red square, halved, in the middle
  EXPECT_EQ(s.Pixel(5, 30), RGB(0, 128, 0));    // magenta is not drawn: the background shows
  EXPECT_EQ(s.Pixel(50, 10), RGB(0, 128, 0));   // above the picture

  image.SetTransparent(false);
  PixelCanvas opaque(100, 100, RGB(0, 128, 0));
  image.Paint(opaque.dc());
  EXPECT_EQ(opaque.Pixel(5, 30), RGB(255, 0, 255));
  EXPECT_EQ(opaque.Pixel(50, 10), RGB(0, 128, 0));

  image.SetVisible(false);
  PixelCanvas hidden(100, 100, RGB(0, 128, 0));
  image.Paint(hidden.dc());
  EXPECT_EQ(hidden.Pixel(50, 50), RGB(0, 128, 0));
}

// A child the panel holds: a press on it must not start a drag.
class ChildWindow : public TWinControl {
 public:
  using TWinControl::TWinControl;
};

TEST(MovePanel, DraggingMovesTheWindowButNotFromAChild) {
  Host host;
  TMovePanel bar(&host.form, {.name = L"Panel1", .height = 29, .align = alTop});
  ChildWindow close(&bar, {.name = L"Close", .left = 250, .top = 0, .width = 31, .height = 29});
  host.form.Show();
  RECT before;
  GetWindowRect(host.form.Handle(), &before);

  SendMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(bar.Down);
  SendMessageW(bar.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 10));
  SendMessageW(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(40, 10));
  EXPECT_FALSE(bar.Down);
  RECT after;
  GetWindowRect(host.form.Handle(), &after);
  EXPECT_EQ(after.left, before.left + 30);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, before.right - before.left);

  SendMessageW(close.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(bar.Down);
  SendMessageW(close.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

  // A double click during a drag ends it and fires the event.
  int doubleClicks = 0;
  bar.OnDblClick = [&](TControl&) { ++doubleClicks; };
  SendMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(bar.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_FALSE(bar.Down);
  EXPECT_EQ(doubleClicks, 1);
  SendMessageW(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

TEST(Panels, BevelsDrawTheirThreeDColours) {
  const COLORREF light = ResolveColor(clBtnHighlight), shadow = ResolveColor(clBtnShadow);
  Host host;
  TPanel lowered(&host.form, {.name = L"Lowered", .left = 0, .top = 0, .width = 50, .height = 20, .color = corvan::Rgb(1, 2, 3)});
  lowered.SetBevelOuter(bvLowered);
  TPanel plain(&host.form, {.name = L"Plain", .left = 60, .top = 0, .width = 50, .height = 20, .color = corvan::Rgb(1, 2, 3)});
  plain.SetBevelOuter(bvNone);
  TBevel line(&host.form, {.name = L"Bevel", .left = 0, .top = 30, .width = 100, .height = 5});
  line.SetShape(bsTopLine);
  host.form.Show();
  UpdateWindow(host.form.Handle());
  auto pixel = [](TWinControl& w, int x, int y) {
    HDC dc = GetDC(w.Handle());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w.Handle(), dc);
    return c;
  };
  EXPECT_EQ(pixel(lowered, 0, 0), shadow);
  EXPECT_EQ(pixel(lowered, 49, 19), light);
  EXPECT_EQ(pixel(lowered, 10, 10), RGB(1, 2, 3));
  EXPECT_EQ(pixel(plain, 0, 0), RGB(1, 2, 3));
  EXPECT_EQ(pixel(host.form, 50, 30), shadow);
  EXPECT_EQ(pixel(host.form, 50, 31), light);
}

TEST(Gauge, PercentageAndRepaintsOnlyWhenItChanges) {
  Host host;
  TGauge gauge(&host.form, {.name = L"UnzipProgress", .left = 10, .top = 10, .width = 102, .height = 19});
  gauge.SetForeColor(corvan::Rgb(92, 105, 120));
  gauge.SetBackColor(corvan::Rgb(223, 223, 223));
  gauge.SetShowText(false);
  host.form.Show();
  UpdateWindow(host.form.Handle());
  gauge.SetMaxValue(1000);
  const int paints = gauge.PaintCount();
  for (int i = 1; i <= 9; ++i) gauge.SetProgress(i);  // still 0 %
  EXPECT_EQ(gauge.PaintCount(), paints);
  gauge.SetProgress(10);
  EXPECT_EQ(gauge.PercentDone(), 1);
  EXPECT_EQ(gauge.PaintCount(), paints + 1);  // painted at once, without a message loop
  gauge.SetProgress(500);
  EXPECT_EQ(gauge.PaintCount(), paints + 2);

  HDC dc = GetDC(host.form.Handle());
  EXPECT_EQ(GetPixel(dc, 10 + 1 + 20, 20), RGB(92, 105, 120));    // the bar's half
  EXPECT_EQ(GetPixel(dc, 10 + 1 + 80, 20), RGB(223, 223, 223));   // the rest
  ReleaseDC(host.form.Handle(), dc);

  // The position stays within the range; an empty range reads 0 %.
  gauge.SetProgress(5000);
  EXPECT_EQ(gauge.Progress(), 1000);
  EXPECT_EQ(gauge.PercentDone(), 100);
  gauge.SetProgress(-3);
  EXPECT_EQ(gauge.Progress(), 0);
  gauge.SetMaxValue(0);
  EXPECT_EQ(gauge.PercentDone(), 0);
}
