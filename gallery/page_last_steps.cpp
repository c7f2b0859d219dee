// Gallery pages: the configuration page (waiting, and with its three steps done) and the
// finish page, each over the backdrop where the wizard places it.
#include "gallery/OverBackdrop.h"
#include "install/CEnd.h"
#include "sysconfig/Ccfg.h"

namespace {
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
