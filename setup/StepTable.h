#pragma once
// The page class of each wizard step.
#include <memory>

#include "core/install_settings.h"
#include "wizard/WizardPage.h"

// The page of a step, created afresh; nullptr for a step this setup has no page for.
std::unique_ptr<IWizardPage> CreateStepPage(corvan::TWizardStep step);
