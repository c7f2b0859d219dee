#pragma once
// The database engine binding: one engine initialisation per process, the product's
// aliases and the Paradox network folder. The engine (idapi32.dll) is loaded at run
// time by full path: from the folder its registration names (DLLPATH), else from the
// engine folder under Program Files. A computer without it answers false everywhere
// and shows nothing.
#include <string>
#include <vector>

// True once DbiInit succeeded; a later call makes no engine call. Registers
// BdeEngineStop to run at exit.
bool BdeEngineStart();
// DbiExit once when the engine was started; failures are ignored.
void BdeEngineStop();

// True when the engine opens the database alias "CORVAN" (read-only, shared).
bool AliasExists();

// Adds each alias as a persistent Paradox alias with "PATH:" + its folder (every one is
// tried), then saves the configuration. True when every engine call returned 0.
bool AddParadoxAliases(const std::vector<std::wstring>& names, const std::vector<std::wstring>& folders);

// Points the Paradox driver's NET DIR at folder (with a trailing backslash) and creates
// folder\NetDir, only when the driver's INIT node has a NET DIR value. Uses an engine
// initialisation of its own.
void SetParadoxNetDir(const std::wstring& folder);

// The engine library's full path, or empty when no candidate file exists.
std::wstring EngineLibraryPath();
