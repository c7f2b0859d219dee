// INSTALL.EXE: from the media it relaunches itself from a local copy; the copy, with
// the relaunch marker beside it, runs the wizard over the backdrop.
#include <windows.h>

#include <clocale>
#include <cstdlib>

#include "core/install_settings.h"
#include "core/text.h"
#include "setup/Iglobals.h"
#include "setup/Relaunch.h"
#include "setup/Startup.h"
#include "sysconfig/StepTrace.h"
#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"

namespace {
// The local copy runs from a folder any program can write into: libraries come from the
// system folder or by full path only, never from beside the program or the current folder.
void RestrictLibrarySearch() {
  SetDllDirectoryW(L"");
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
}  // namespace

// A window program has no console for the runtime's "terminate called after throwing"
// line, and the handler that writes it links the symbol demangler (46 KB on disk 1).
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  RestrictLibrarySearch();
  InitGlobals();
  std::setlocale(LC_NUMERIC, "C");  // "." as the decimal separator
  BufferAllNiceButtons = true;      // painted frames and buffered smooth buttons, before any window
  InitStepTrace(AppDir);

  const auto marker = ReadRelaunchMarker(AppDir);
  if (!marker) {
    RelaunchFromLocalCopy(AppDir);
    FreeGlobals();
    return 0;
  }
  std::wstring source = *marker;
  if (!source.empty()) source.pop_back();
  corvan::Settings().SourceDir = source;
  RunWizardOverBackdrop(ProductWizardEnvironment());
  FreeGlobals();
  return 0;
}
