#pragma once
// What the wizard driver needs of a page: its outer size, a place on the screen, and
// a modal showing that ends with the page's result (1 Next, 2 Cancel, 4 Back).
// Every page sets CurrentStep to its own step when it is created.
#include <windows.h>

class IWizardPage {
 public:
  virtual ~IWizardPage() = default;
  virtual SIZE OuterSize() const = 0;
  virtual void MoveTo(int left, int top) = 0;
  virtual int ShowModal() = 0;
};
