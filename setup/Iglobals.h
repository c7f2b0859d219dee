#pragma once
// The wizard driver: decides the road, then shows one page at a time and moves
// between steps by each page's result. The settings themselves live in core.
#include <functional>
#include <memory>
#include <string>

#include "core/install_settings.h"
#include "wizard/WizardPage.h"

// Sets DiskCount from [General] NrDiscuri of AppDir + "instcorv.cfg" (6 when missing).
void ReadSetupConfig();
int ReadDiskCount(const std::wstring& configFile);

// Asked when the upgrade road reaches the upgrade copy step; true at once for anything but
// a client (corvan::AsksServerUpgrade).
bool AskServerUpgrade();

// What the driver calls on the rest of the system; tests put fakes in.
struct WizardEnvironment {
  std::function<bool()> aliasExists;
  std::function<void()> unpackUpgradePackage;
  std::function<bool()> loadUpgradeLibrary;
  std::function<void()> readSetupConfig;
  // The page of a step, or nullptr when this setup has no page for it.
  std::function<std::unique_ptr<IWizardPage>(corvan::TWizardStep)> createPage;
  std::function<bool()> askServerUpgrade;
};

// The environment of the real program: the engine, the upgrade library and the step table.
WizardEnvironment ProductWizardEnvironment();

void RunWizard(const WizardEnvironment& environment);
