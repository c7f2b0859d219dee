// Gallery page: the setup's backdrop alone, full screen, as it stands behind the wizard.
#include "gallery/Gallery.h"
#include "setup/Main.h"
#include "toolkit/Cliunit.h"

namespace {
const bool registered = RegisterGalleryPage(L"backdrop", L"the backdrop behind the wizard", [] {
  TInstaller backdrop;
  SetMainWindow(backdrop.Handle());
  backdrop.Show();
  RunGalleryLoop();
  SetMainWindow(nullptr);
});
}  // namespace
