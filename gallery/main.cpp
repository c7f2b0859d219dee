// gallery.exe [page [marker]]: without a page, lists the pages. With one, shows it; with a
// marker file name, writes the file once the page is painted and ends when the file is
// deleted (the screenshot script's signal), else runs until its windows are closed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "gallery/Gallery.h"
#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"

namespace {
std::wstring markerFile;
bool markerWritten = false;
int quietTicks = 0;

BOOL CALLBACK NoteShown(HWND window, LPARAM param) {
  if (IsWindowVisible(window)) *reinterpret_cast<bool*>(param) = true;
  return TRUE;
}

bool AnyWindowShown() {
  bool shown = false;
  EnumThreadWindows(GetCurrentThreadId(), NoteShown, reinterpret_cast<LPARAM>(&shown));
  return shown;
}

// Every 100 ms: once a window is up and nothing waits to be painted for a few ticks, the
// page is ready; once the marker is gone, the run ends.
void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD) {
  if (!markerWritten) {
    const bool quiet = AnyWindowShown() && HIWORD(GetQueueStatus(QS_PAINT)) == 0;
    quietTicks = quiet ? quietTicks + 1 : 0;
    if (quietTicks >= 5) {
      HANDLE file = CreateFileW(markerFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
      markerWritten = true;
    }
    return;
  }
  if (GetFileAttributesW(markerFile.c_str()) == INVALID_FILE_ATTRIBUTES) PostQuitMessage(0);
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  InitGlobals();
  BufferAllNiceButtons = true;
  if (argc < 2) {
    for (const GalleryPage& page : GalleryPages()) std::printf("%ls\t%ls\n", page.name.c_str(), page.what.c_str());
    FreeGlobals();
    return 0;
  }
  const std::wstring wanted = argv[1];
  const GalleryPage* found = nullptr;
  for (const GalleryPage& page : GalleryPages())
    if (page.name == wanted) found = &page;
  if (!found) {
    std::fprintf(stderr, "Pagina necunoscuta: %ls\n", wanted.c_str());
    FreeGlobals();
    return 2;
  }
  if (argc >= 3) {
    markerFile = argv[2];
    SetTimer(nullptr, 0, 100, Watch);
  }
  found->show();
  FreeGlobals();
  return 0;
}
