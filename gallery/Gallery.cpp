#include "gallery/Gallery.h"

#include <windows.h>

#include "toolkit/Cliunit.h"

namespace {
std::vector<GalleryPage>& Pages() {
  static std::vector<GalleryPage> pages;
  return pages;
}
}  // namespace

bool RegisterGalleryPage(const wchar_t* name, const wchar_t* what, std::function<void()> show) {
  Pages().push_back({name, what, std::move(show)});
  return true;
}

bool RegisterGalleryWindow(const wchar_t* name, std::function<std::unique_ptr<TMForm>()> make) {
  return RegisterGalleryPage(name, L"", [make = std::move(make)] {
    std::unique_ptr<TMForm> window = make();
    if (!window) return;
    window->Show();
    RunGalleryLoop();
  });
}

const std::vector<GalleryPage>& GalleryPages() { return Pages(); }

void RunGalleryLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!TMForm::PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  PostQuitMessage(0);  // the loops around this one end too
}
