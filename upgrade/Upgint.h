#pragma once
// The upgrade package and the upgrade library's binding.

// Unpacks AppDir + "UPGRADE.ZIP" into AppDir and deletes it on the upgrade road;
// deletes it otherwise.
void UnpackUpgradePackage();
// Loads AppDir + "UPGRADE.DLL" by its full path and binds its seven entry points.
bool LoadUpgradeLibrary();
