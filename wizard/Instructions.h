#pragma once
// The one call every page makes for the version instructions (Alt+H on the pages that
// answer it, after each program component on the copy pages). The viewer lives with the
// backdrop above this folder, so the backdrop registers what the call does while it lives.
#include <functional>

// Shows the instructions viewer through the registered handler. Without one (a page shown
// with no backdrop behind it, as in its own tests), it does nothing: there is no viewer to
// show, and a page must not fail for it.
void ShowInstructions();

// The backdrop registers its viewer here; an empty handler unregisters it.
using InstructionsHandler = std::function<void()>;
void SetInstructionsHandler(InstructionsHandler handler);
