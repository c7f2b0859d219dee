// Gallery pages: the upgrade copy page (waiting, and while it unpacks the reference
// database) and the database upgrade page (waiting, while its second step runs, and done
// with its second step failed), each over the backdrop where the wizard places it; and the
// message of an upgrade started without its upgrade package.
#include "gallery/OverBackdrop.h"
#include "upgrade/Upgint.h"
#include "upgrade/Cupgcopy.h"
#include "upgrade/Cupgdata.h"
#include "wizard/StepPanel.h"

namespace {
const bool copy = RegisterGalleryPage(L"upgrade-copy", L"the upgrade copy page, waiting for Continue",
                                      [] { OverBackdrop<TUpgCopy>(nullptr); });
const bool copyRunning = RegisterGalleryPage(L"upgrade-copy-running", L"the upgrade copy page while it unpacks", [] {
  OverBackdrop<TUpgCopy>([](TUpgCopy& page) {
    for (TControl* button : std::initializer_list<TControl*>{&page.BBack, &page.BNext, &page.BCancel})
      button->SetEnabled(false);
    page.CopyProgress.SetMaxValue(3);
    page.CopyProgress.SetProgress(3);
    page.UnzipProgress.SetMaxValue(120);
    page.UnzipProgress.SetProgress(45);
    page.LGroupName.SetCaption(L"CORVAN: baza de date martor");
  });
});
const bool data = RegisterGalleryPage(L"upgrade-data", L"the database upgrade page, waiting for Continue",
                                      [] { OverBackdrop<TUpgData>(nullptr); });
const bool dataRunning = RegisterGalleryPage(L"upgrade-data-running", L"the database upgrade page in its second step", [] {
  OverBackdrop<TUpgData>([](TUpgData& page) {
    for (TControl* button : std::initializer_list<TControl*>{&page.BBack, &page.BNext, &page.BCancel})
      button->SetEnabled(false);
    page.Lk1.SetVisible(true);
    ShowStepDone(page.BStruct);
    page.Lk2.SetVisible(true);
    page.L1.Font().SetColor(corvan::clRed);
    page.L1.SetCaption(L"Liste: actualizez lista de operatori (2 inregistrari)");
  });
});
const bool dataDone = RegisterGalleryPage(L"upgrade-data-done", L"the database upgrade page done, its lists failed", [] {
  OverBackdrop<TUpgData>([](TUpgData& page) {
    for (TControl* button : std::initializer_list<TControl*>{&page.BBack, &page.BNext, &page.BCancel})
      button->SetEnabled(false);
    for (TPanel* panel : {&page.BStruct, &page.BLists, &page.BConst}) ShowStepDone(*panel);
    page.Lk1.SetVisible(true);
    page.Lk3.SetVisible(true);
    page.L1.SetVisible(false);
  });
});
// Beside the gallery there is neither UPGRADE.ZIP nor UPGRADE.DLL: the message as the
// wizard shows it at its start on the upgrade road.
const bool packageMissing = RegisterGalleryPage(L"upgrade-package-missing", L"the upgrade package missing", [] {
  corvan::Settings().UpgradeMode = true;
  UnpackUpgradePackage();
});
}  // namespace
