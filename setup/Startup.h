#pragma once
// The copy's run, once the relaunch marker is read: the backdrop is made the program's
// main window and shown, the wizard runs over it, and the backdrop goes when the wizard
// returns, also when it ends by an error (shown in the platform's standard error box).
#include "setup/Iglobals.h"

void RunWizardOverBackdrop(const WizardEnvironment& environment);
