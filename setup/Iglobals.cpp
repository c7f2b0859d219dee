#include "setup/Iglobals.h"

#include <windows.h>

#include "core/wizard_steps.h"
#include "platform/AppDir.h"
#include "toolkit/Cliunit.h"
#include "toolkit/Dialogs.h"

using namespace corvan;

int ReadDiskCount(const std::wstring& configFile) {
  return static_cast<int>(GetPrivateProfileIntW(L"General", L"NrDiscuri", 6, configFile.c_str()));
}

void ReadSetupConfig() { Settings().DiskCount = ReadDiskCount(AppDir + L"instcorv.cfg"); }

bool AskServerUpgrade() {
  if (!AsksServerUpgrade(Settings().InstallType)) return true;
  // The question stands without a heading; the messages after it are "PENTRU CONTINUARE".
  const MessagePrefixScope prefix(L"", L"PENTRU CONTINUARE");
  const std::wstring text =
      L"Baza de date se afla la distanta, pe SERVER.\r" + std::wstring(46, L'_') +
      L"\r\r"
      L"Daca nu aveti acces la SERVER pentru a lansa UPGRADE,\r\r"
      L"aveti acum ocazia sa o faceti de pe acest calculator.\r\r"
      L"-Acest mesaj va apare la fiecare instalare de tip CLIENT.\r"
      L"Nu este nevoie sa lansati UPGRADE la SERVER decat o singura data.\r" +
      std::wstring(48, L'_') + L"\r\rFac UPGRADE la baza de date de pe SERVER?\r";
  return MsgDlg(text, L"UPGRADE baza de date SERVER ?", mtConfirmation, taCenter, Buttons({mbYes, mbNo}), mbNo) !=
         TModalResult::No;
}

void RunWizard(const WizardEnvironment& env) {
  auto& s = Settings();
  s.UpgradeMode = env.aliasExists();
  ProcessPendingMessages();
  env.unpackUpgradePackage();
  env.readSetupConfig();
  if (s.UpgradeMode) {
    s.CurrentStep = wsFindApp;
    if (!env.loadUpgradeLibrary()) {
      s.CurrentStep = wsDone;
      MsgDlg(L"Nu am putut incarca UPGRADE.DLL", L"Program incomplet!", mtError, taCenter, Buttons({mbCancel}),
             mbCancel);
    }
  }
  while (s.CurrentStep != wsDone) {
    const auto step = static_cast<TWizardStep>(s.CurrentStep);
    TModalResult result;
    {
      std::unique_ptr<IWizardPage> page = env.createPage(step);
      if (!page) {
        // Every step before the end has its page in the step table (a missing one does
        // not compile); an environment that gives none, as a test does, ends the walk.
        s.CurrentStep = wsDone;
        break;
      }
      const SIZE size = page->OuterSize();
      const auto pos =
          PlacePage(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), size.cx, size.cy);
      page->MoveTo(pos.left, pos.top);
      result = page->ShowModal();
    }  // the page is destroyed here, also when showing it raised an error
    MoveStep(s, result, env.askServerUpgrade);
  }
}
