// Shows an HTML file in the viewer the way the instructions window does (a blue title bar
// with the page's title over the view, 823 x 524), for screenshots and for timing:
//   html_show FILE MARKER [#ANCHOR | +PIXELS]
// Prints how long the page took from loading to painted, writes MARKER once it is on the
// screen and ends when MARKER is deleted (or after two minutes).
#include <windows.h>

#include <cstdio>
#include <string>

#include "htmlview/FrameViewer.h"
#include "htmlview/HtmlFrame.h"
#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"
#include "toolkit/Title.h"

namespace {

class Window : public TTitleForm {
 public:
  Window()
      : TTitleForm({.name = L"HtmlShow", .left = 100, .top = 30, .width = 823, .height = 578,
                    .color = corvan::Hex(0x084A8C), .font = TFont(L"MS Sans Serif", -11, fsBold)}) {
    SetBorderStyle(bsNone);
    SetClientSize(823, 578);
    TitleBar1.SetStartColor(corvan::Hex(0x084A8C));
    TitleBar1.SetEndColor(corvan::Hex(0x084A8C));
  }
  TTitleBar TitleBar1{this, {.name = L"TitleBar1", .height = 25, .align = alTop,
                             .font = TFont(L"MS Sans Serif", -13, fsBold, corvan::clWhite)}};
  TFrameViewer FrameViewer{this, {.name = L"FrameViewer", .align = alClient, .color = clWindow}};
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: html_show FILE MARKER [#ANCHOR | +PIXELS]\n");
    return 2;
  }
  InitGlobals();
  const std::wstring marker = argv[2];
  const std::wstring where = argc > 3 ? argv[3] : L"";
  Window window;
  window.Show();
  LARGE_INTEGER frequency, start, painted;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  const bool loaded = window.FrameViewer.LoadFromFile(argv[1]);
  window.SetCaption(window.FrameViewer.DocumentTitle());
  if (!where.empty() && where[0] == L'#') window.FrameViewer.ScrollToAnchor(where.substr(1));
  else if (!where.empty() && where[0] == L'+') window.FrameViewer.SetScrollPos(_wtoi(where.c_str() + 1));
  RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  QueryPerformanceCounter(&painted);
  const double ms = 1000.0 * static_cast<double>(painted.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  std::printf("loaded=%d painted_ms=%.1f\n", loaded ? 1 : 0, ms);
  std::fflush(stdout);
  // Let the window settle before saying it is there.
  const DWORD shown = GetTickCount();
  MSG msg;
  bool written = false;
  while (GetTickCount() - shown < 120000) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!TMForm::PreTranslate(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    if (!written && GetTickCount() - shown > 500) {
      HANDLE f = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
      written = true;
    } else if (written && GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES) {
      break;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  FreeGlobals();
  return loaded ? 0 : 1;
}
