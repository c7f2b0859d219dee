#pragma once
// The wizard's step machine and page placement: how a page's result moves the
// current step, and where a page sits on the screen.
#include <cstdint>
#include <functional>

#include "core/install_settings.h"
#include "core/modal_result.h"

namespace corvan {

// One past wsDataUpgrade: never shown, turned into wsFinish.
constexpr std::uint8_t StepPastDataUpgrade = 9;

// Only a client installation is asked whether it upgrades the server's database; any
// other installation is treated as the server at once (AskServerUpgrade's first rule).
constexpr bool AsksServerUpgrade(TInstallType type) { return type == itClient; }

// Applies a page's result to settings.CurrentStep, then the three rules in order:
// reaching wsUpgradeCopy makes the installation itServer, a client's only when
// askServerUpgrade says yes; a client reaching wsDataUpgrade goes to wsFinish; step 9
// becomes wsFinish. Any result other than Next, Cancel or Back leaves the step as it was.
void MoveStep(InstallSettings& settings, TModalResult result, const std::function<bool()>& askServerUpgrade);

struct PagePosition {
  int left;
  int top;
};

// Centred across, low on the screen: eight ninths of the free height above the page.
PagePosition PlacePage(int screenWidth, int screenHeight, int pageWidth, int pageHeight);

}  // namespace corvan
