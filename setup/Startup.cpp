#include "setup/Startup.h"

#include <exception>

#include "platform/AnsiText.h"
#include "setup/Main.h"
#include "toolkit/Cliunit.h"
#include "toolkit/PlatformBox.h"

void RunWizardOverBackdrop(const WizardEnvironment& environment) {
  TInstaller backdrop;
  SetMainWindow(backdrop.Handle());  // the message dialog's automatic modes and Alt+M on the pages
  backdrop.Show();
  try {
    RunWizard(environment);
  } catch (const std::exception& e) {
    PlatformMessageBox(FromAnsi(e.what()), TPlatformBox::Error);
  }
}
