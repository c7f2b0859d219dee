#pragma once
// What the wizard driver needs of a page: its outer size, a place on the screen, and
// a modal showing that ends with the page's result (Next, Cancel or Back).
// Every page sets CurrentStep to its own step when it is created.
#include <windows.h>

#include "core/modal_result.h"

class IWizardPage {
 public:
  virtual ~IWizardPage() = default;
  virtual SIZE OuterSize() const = 0;
  virtual void MoveTo(int left, int top) = 0;
  virtual corvan::TModalResult ShowModal() = 0;
};
