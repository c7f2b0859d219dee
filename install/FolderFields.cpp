#include "install/FolderFields.h"

#include "core/colors.h"
#include "toolkit/GGlobals.h"

using namespace corvan;

void StyleFolderBox(TActiveEdit& box, TActiveLabel& label) {
  box.SetFlatStyle(true);
  box.SetBorderColor(cl3);
  box.SetBorderColorF(cl2);
  box.SetAssocLabel(&label);
}

void StyleBrowseButton(TMButton& button) {
  button.SetColor(PageColor);
  button.SetCaptionVisible(false);
  button.SetNumGlyphs(2);
  button.SetGlyph(SharedPicture(L"FolderBrowse"));
}
