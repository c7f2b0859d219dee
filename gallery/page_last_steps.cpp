// Gallery pages: the configuration page (waiting, and with its three steps done) and the
// finish page, each over the backdrop where the wizard places it.
#include <windows.h>

#include "core/wizard_steps.h"
#include "gallery/Gallery.h"
#include "install/CEnd.h"
#include "setup/Main.h"
#include "sysconfig/Ccfg.h"

namespace {
template <class Page>
void OverBackdrop(void (*prepare)(Page&)) {
  TInstaller backdrop;
  SetMainWindow(backdrop.Handle());
  backdrop.Show();
  Page page;
  const SIZE size = page.OuterSize();
  const auto place = corvan::PlacePage(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), size.cx, size.cy);
  page.MoveTo(place.left, place.top);
  page.Show();
  if (prepare) prepare(page);
  RunGalleryLoop();
  SetMainWindow(nullptr);
}

const bool config = RegisterGalleryPage(L"config", L"the configuration page, waiting for Continue",
                                        [] { OverBackdrop<TConfig>(nullptr); });
const bool configDone = RegisterGalleryPage(L"config-done", L"the configuration page with its steps done", [] {
  OverBackdrop<TConfig>([](TConfig& page) {
    page.BNext.SetEnabled(false);
    for (TPanel* panel : {&page.BBDE, &page.BCFGSYS, &page.BGROUP}) TConfig::MarkStepDone(*panel);
  });
});
const bool finish = RegisterGalleryPage(L"finish", L"the finish page", [] { OverBackdrop<TEndScreen>(nullptr); });
}  // namespace
