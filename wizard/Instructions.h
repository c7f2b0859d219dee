#pragma once
// The one call every page makes for the version instructions (Alt+H on the pages that
// answer it, after each program component on the copy pages). The viewer lives with the
// backdrop above this folder, so the start-up registers what the call does.
#include <functional>

// Shows the instructions viewer through the registered handler. Until the start-up has
// registered one (the viewer is not built into this setup yet), it does nothing: there is
// no viewer to show, and a page must not fail for it.
void ShowInstructions();

// The start-up registers the viewer here; an empty handler unregisters it.
using InstructionsHandler = std::function<void()>;
void SetInstructionsHandler(InstructionsHandler handler);
