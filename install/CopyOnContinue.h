#pragma once
// What a copy page's Continue does with its copy, on both roads: the three buttons
// disabled while it runs; a finished copy closes the page with Next; Cancel at a disk
// prompt closes it with Cancel (the wizard ends). A copy that failed is never taken for a
// finished one: its reason is shown (a failed join has shown its own), LGroupName asks
// for Continue again, the buttons come back and the page stays open.
#include <functional>
#include <initializer_list>

#include "install/CopyComponents.h"
#include "toolkit/Cliunit.h"

// Shown in LGroupName after a copy that failed: Continue runs it again.
extern const wchar_t* const CopyRetryText;

void RunCopyOnContinue(TMForm& page, CopyPageView& view, std::initializer_list<TControl*> buttons,
                       const std::function<CopyResult()>& copy);
