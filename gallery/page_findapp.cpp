// Gallery pages: the installation finder over the backdrop, waiting for Continue, while
// it searches, with the folder it found, with nothing found and for a client installation.
#include <windows.h>

#include "core/app_finder.h"
#include "gallery/Gallery.h"
#include "gallery/OverBackdrop.h"
#include "upgrade/Cfindapp.h"

namespace {
constexpr auto FinderOverBackdrop = OverBackdrop<TFindApp>;

const bool waiting = RegisterGalleryPage(L"findapp", L"the installation finder, waiting for Continue",
                                         [] { FinderOverBackdrop(nullptr); });
const bool searching = RegisterGalleryPage(L"findapp-searching", L"the installation finder while it searches", [] {
  FinderOverBackdrop([](TFindApp& page) {
    page.BNext.SetEnabled(false);
    page.dirlabel.SetCaption(corvan::SearchStatusText(L"C:\\Program Files\\Firma\\Contabilitate\\Arhiva\\"));
  });
});
const bool found = RegisterGalleryPage(L"findapp-found", L"the installation finder with the folder it found",
                                       [] { FinderOverBackdrop([](TFindApp& page) { page.ShowSearchResult(L"C:\\Corvan\\"); }); });
const bool notFound = RegisterGalleryPage(L"findapp-notfound", L"the installation finder with nothing found",
                                          [] { FinderOverBackdrop([](TFindApp& page) { page.ShowSearchResult(L""); }); });
const bool client = RegisterGalleryPage(L"findapp-client", L"the installation finder of a client installation", [] {
  FinderOverBackdrop([](TFindApp& page) {
    corvan::Settings().InstallType = corvan::itClient;
    page.ShowSearchResult(L"C:\\Corvan\\");
  });
});
}  // namespace
