#include "toolkit/Paintpan.h"

#include "toolkit/Cliunit.h"

TMovePanel::TMovePanel(TWinControl* parent, const TControlDesc& desc) : TPanel(parent, desc) {}

void TMovePanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && !(shift & ssDouble)) {
    Down = true;
    Orig = {x, y};
    SetCapture(Handle());
  }
  TPanel::MouseDown(button, shift, x, y);
}

void TMovePanel::MouseMove(TShiftState shift, int x, int y) {
  if (Down) {
    if (HWND window = GetAncestor(Handle(), GA_ROOT)) {
      RECT r;
      GetWindowRect(window, &r);
      const int dx = x - Orig.x, dy = y - Orig.y;
      if (dx || dy) {
        if (TWinControl* form = FromHandle(window)) form->SetBounds(r.left + dx, r.top + dy, r.right - r.left, r.bottom - r.top);
        else SetWindowPos(window, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
    }
  }
  TPanel::MouseMove(shift, x, y);
}

void TMovePanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (Down && GetCapture() == HandleIfCreated()) ReleaseCapture();
  Down = false;
  TPanel::MouseUp(button, shift, x, y);
}

void TMovePanel::DblClick() {
  Down = false;
  if (GetCapture() == HandleIfCreated()) ReleaseCapture();
  TPanel::DblClick();
}
