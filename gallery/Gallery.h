#pragma once
// The gallery: a small program (not part of INSTALL.EXE) that shows the toolkit's controls
// in their states and each message dialog kind, one page per run, so a script can take a
// screenshot of each. A page lives in its own file gallery/page_*.cpp and registers itself:
//
//   static const bool registered = RegisterGalleryPage(L"buttons", L"the painted buttons", [] {
//     MyWindow window;    // windows declared like the pages of the setup
//     window.Show();
//     RunGalleryLoop();   // until the gallery's run is over
//   });
//
// A page that shows a modal window (a message dialog) just shows it: the end of the run
// closes it. A page that is a single window can also be registered by its factory:
//
//   GALLERY_PAGE(L"buttons", [] { return std::unique_ptr<TMForm>(new ButtonsPage); });
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TMForm;

struct GalleryPage {
  std::wstring name;
  std::wstring what;
  std::function<void()> show;
};

// Adds a page (at start-up, from a static initialiser); returns true for that use.
bool RegisterGalleryPage(const wchar_t* name, const wchar_t* what, std::function<void()> show);
const std::vector<GalleryPage>& GalleryPages();

// A page that is one window: the gallery makes it, shows it and runs until the end.
bool RegisterGalleryWindow(const wchar_t* name, std::function<std::unique_ptr<TMForm>()> make);
#define GALLERY_PAGE_JOIN2(a, b) a##b
#define GALLERY_PAGE_JOIN(a, b) GALLERY_PAGE_JOIN2(a, b)
#define GALLERY_PAGE(name, make) \
  static const bool GALLERY_PAGE_JOIN(galleryPageRegistered, __LINE__) = RegisterGalleryWindow(name, make)

// Dispatches messages (with the toolkit's key handling) until the run is over.
void RunGalleryLoop();

// Where pages put their windows on the screen: left-top corner of the stage.
constexpr int kGalleryLeft = 20;
constexpr int kGalleryTop = 20;
