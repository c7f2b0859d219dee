// Gallery page: the instructions viewer over the backdrop, showing the version's page of
// C:\Corvan (the screenshot script puts the demo media's page there).
#include "gallery/Gallery.h"
#include "setup/CInfo.h"
#include "setup/Main.h"
#include "toolkit/Cliunit.h"
#include "wizard/Instructions.h"

namespace {
const bool registered = RegisterGalleryPage(L"instructions", L"the instructions viewer over the backdrop", [] {
  TInstaller backdrop;
  SetMainWindow(backdrop.Handle());
  backdrop.Show();
  ShowInstructions();
  RunGalleryLoop();
  SetMainWindow(nullptr);
});
}  // namespace
