// Gallery pages: the instructions viewer over the backdrop, showing the version's page of
// C:\Corvan (the screenshot script puts the demo media's page there), alone and over the
// finish page as Alt+H opens it there.
#include <windows.h>

#include "core/wizard_steps.h"
#include "gallery/Gallery.h"
#include "install/CEnd.h"
#include "setup/CInfo.h"
#include "setup/Main.h"
#include "toolkit/Cliunit.h"
#include "wizard/Instructions.h"

namespace {
const bool alone = RegisterGalleryPage(L"instructions", L"the instructions viewer over the backdrop", [] {
  TInstaller backdrop;
  SetMainWindow(backdrop.Handle());
  backdrop.Show();
  ShowInstructions();
  RunGalleryLoop();
  SetMainWindow(nullptr);
});

const bool overPage = RegisterGalleryPage(L"instructions-finish", L"the instructions viewer over the finish page", [] {
  TInstaller backdrop;
  SetMainWindow(backdrop.Handle());
  backdrop.Show();
  TEndScreen page;
  const SIZE size = page.OuterSize();
  const auto place = corvan::PlacePage(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), size.cx, size.cy);
  page.MoveTo(place.left, place.top);
  page.Show();
  ShowInstructions();
  RunGalleryLoop();
  SetMainWindow(nullptr);
});
}  // namespace
