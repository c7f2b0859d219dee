// Binds the driver to the engine, the upgrade library and the step table.
#include "setup/Iglobals.h"
#include "setup/StepTable.h"
#include "sysconfig/aliasint.h"
#include "upgrade/Upgint.h"

WizardEnvironment ProductWizardEnvironment() {
  WizardEnvironment env;
  env.aliasExists = AliasExists;
  env.unpackUpgradePackage = UnpackUpgradePackage;
  env.loadUpgradeLibrary = LoadUpgradeLibrary;
  env.readSetupConfig = ReadSetupConfig;
  env.createPage = CreateStepPage;
  env.askServerUpgrade = AskServerUpgrade;
  return env;
}
