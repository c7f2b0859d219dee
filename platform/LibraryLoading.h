#pragma once
// Run-time libraries (the engine, the upgrade library) are loaded by their full path
// only: their own folder and the system folder are searched for what they need, never
// the current folder or the temporary folder the setup runs from.
#include <windows.h>

#include <string>

// The loaded library, or nullptr; no error box is shown for a damaged or missing file.
HMODULE LoadLibraryByFullPath(const std::wstring& path);

// An entry point of a loaded library by name, as the function type the caller declares.
template <typename Fn>
Fn LibraryEntry(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
