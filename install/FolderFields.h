#pragma once
// A folder's box and its browse button as the folders page and the installation finder
// show them: a flat box with its label tied to it, and the folder picture for a button.
#include "toolkit/Actives.h"
#include "toolkit/Mbuttons.h"

void StyleFolderBox(TActiveEdit& box, TActiveLabel& label);
void StyleBrowseButton(TMButton& button);
