#include "setup/StepTable.h"

#include "install/CCopy.h"
#include "install/CDirs.h"
#include "install/CEnd.h"
#include "install/Citype.h"
#include "sysconfig/Ccfg.h"
#include "upgrade/Cfindapp.h"
#include "upgrade/Cupgcopy.h"
#include "upgrade/Cupgdata.h"

using namespace corvan;

namespace {
// A page comes into the table with its step: the entry must be the step the page says it is.
template <TWizardStep step, class Page>
std::unique_ptr<IWizardPage> PageOf() {
  static_assert(Page::Step == step, "a page is listed under its own step");
  return std::make_unique<Page>();
}
}  // namespace

// Every step is listed and none is hidden by a default: a new step without a page here
// does not compile (this file is built with -Werror=switch).
std::unique_ptr<IWizardPage> CreateStepPage(TWizardStep step) {
  switch (step) {
    case wsInstallType: return PageOf<wsInstallType, TIType>();
    case wsFolders: return PageOf<wsFolders, TDirs>();
    case wsCopy: return PageOf<wsCopy, TCopy>();
    case wsConfig: return PageOf<wsConfig, TConfig>();
    case wsFinish: return PageOf<wsFinish, TEndScreen>();
    case wsFindApp: return PageOf<wsFindApp, TFindApp>();
    case wsUpgradeCopy: return PageOf<wsUpgradeCopy, TUpgCopy>();
    case wsDataUpgrade: return PageOf<wsDataUpgrade, TUpgData>();
    // The end of the wizard has no page.
    case wsDone: return nullptr;
  }
  return nullptr;  // a value outside the enumeration
}
