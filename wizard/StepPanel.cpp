#include "wizard/StepPanel.h"

void ShowStepPending(TPanel& panel) {
  panel.SetBevelOuter(bvNone);
  panel.Font().SetColor(corvan::clBlack);
  panel.SetAlignment(taRightJustify);
}

void ShowStepDone(TPanel& panel) {
  panel.SetBevelOuter(bvRaised);
  panel.Font().SetColor(corvan::clRed);
  panel.SetAlignment(taLeftJustify);
  panel.Repaint();
}
