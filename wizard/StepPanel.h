#pragma once
// The status panel of a step on the pages that run steps one after another (the
// configuration and database upgrade pages).
#include "toolkit/Panels.h"

// Waiting: no bevel, black text on the right.
void ShowStepPending(TPanel& panel);
// Done: raised, red text on the left, painted at once.
void ShowStepDone(TPanel& panel);
