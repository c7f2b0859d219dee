#include "setup/StepTable.h"

// Pages register here as they are built (install type, folders, copy, configuration,
// finish, finder, upgrade copy, database upgrade).
std::unique_ptr<IWizardPage> CreateStepPage(corvan::TWizardStep step) {
  switch (step) {
    default:
      return nullptr;
  }
}
