#pragma once
// TMovePanel: a panel that drags the window holding it. A left press on the panel itself
// (not on a child control) starts the drag; the window follows the mouse until release.
#include "toolkit/Panels.h"

class TMovePanel : public TPanel {
 public:
  TMovePanel(TWinControl* parent, const TControlDesc& desc);

  // A drag is in progress; Orig is where it started, in the panel's coordinates.
  bool Down = false;
  POINT Orig{0, 0};

 protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override;
};
