#pragma once
// The upgrade package and the binding of the upgrade library UPGRADE.DLL.
#include <windows.h>

#include <string>

// Upgrade road: unpacks AppDir + "UPGRADE.ZIP" into AppDir and deletes it; without it
// (and without an UPGRADE.DLL already there) shows "Nu gasesc Upgrade.zip". A package
// that cannot be unpacked is kept and its error shown. Fresh road: deletes the package.
void UnpackUpgradePackage();

// Loads the library by its full path, AppDir + "UPGRADE.DLL", and looks up its seven
// entry points. False for a path over 254 characters or a library that does not load.
// A loaded library is freed at exit.
bool LoadUpgradeLibrary();
// Loads folder + "UPGRADE.DLL" (a backslash put between when the folder lacks one).
bool LoadUpgradeLibraryFrom(const std::wstring& folder);
void FreeUpgradeLibrary();
bool UpgradeLibraryLoaded();

// The procedure the library calls with each progress text: a global memory block holding
// a zero-terminated single-byte text, which stays the library's.
using UpgradeReportProc = void(WINAPI*)(HGLOBAL text);

// The library's entry points. An entry point the library lacks does nothing: the folder
// of an alias comes back empty and a step counts as failed.
std::wstring UpgradeAliasPath(const std::wstring& alias);
void UpgradeSetReportProc(UpgradeReportProc proc);
void UpgradeSetQuickVerif(bool quick);

// The three steps of the database upgrade page, in the order they run.
enum TUpgradeStep { usStructure = 0, usLists = 1, usConstants = 2 };
// Calls the step (DoStructureUpgrade, DoListUpgrade or DoConstUpgrade) and hands its
// result to GetSemaforOK: true when the step succeeded.
bool RunUpgradeStep(TUpgradeStep step);
