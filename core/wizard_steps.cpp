#include "core/wizard_steps.h"

namespace corvan {

void MoveStep(InstallSettings& settings, TModalResult result, const std::function<bool()>& askServerUpgrade) {
  auto& step = settings.CurrentStep;
  switch (result) {
    case TModalResult::Next:
      ++step;
      break;
    case TModalResult::Cancel:
      step = wsDone;
      break;
    case TModalResult::Back:
      // The first page has no Back button; a stray Back there must not wrap the byte round.
      if (step > wsInstallType) --step;
      break;
    default:
      break;
  }
  if (step == wsUpgradeCopy &&
      (!AsksServerUpgrade(settings.InstallType) || (askServerUpgrade && askServerUpgrade())))
    settings.InstallType = itServer;
  if (step == wsDataUpgrade && settings.InstallType == itClient) step = wsFinish;
  if (step == StepPastDataUpgrade) step = wsFinish;
}

PagePosition PlacePage(int screenWidth, int screenHeight, int pageWidth, int pageHeight) {
  // C++ division truncates toward zero, as the placement requires for pages larger than the screen.
  return {(screenWidth - pageWidth) / 2, ((screenHeight - pageHeight) / 9) * 8};
}

}  // namespace corvan
