// The upgrade library is not bound yet: the package is discarded and the library
// reported as not loadable.
#include "upgrade/Upgint.h"

#include <windows.h>

#include "core/install_settings.h"
#include "toolkit/GGlobals.h"

void UnpackUpgradePackage() {
  if (!corvan::Settings().UpgradeMode) DeleteFileW((AppDir + L"UPGRADE.ZIP").c_str());
}

bool LoadUpgradeLibrary() { return false; }
