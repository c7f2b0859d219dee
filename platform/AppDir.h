#pragma once
// The folder the running program lives in: where the setup finds its configuration, its
// marker files and the libraries it unpacked.
#include <windows.h>

#include <string>

// The folder of the running program file, with its trailing backslash. Set by InitGlobals
// (toolkit/GGlobals.h) before anything else runs.
extern std::wstring AppDir;

// The folder of a module's file with a trailing backslash (nullptr: the running program).
std::wstring ModuleFolder(HMODULE module);
