// The window bases: a converted sizeable window with its painted frame and dotted
// background, and a page covered by a message dialog (its title bar greyed).
#include <windows.h>

#include "gallery/Gallery.h"
#include "toolkit/Cliunit.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Mbuttons.h"
#include "toolkit/Panels.h"
#include "toolkit/Title.h"

using namespace corvan;

namespace {
class DottedWindow : public TTitleForm {
 public:
  DottedWindow()
      : TTitleForm({.name = L"Dotted", .left = kGalleryLeft, .top = kGalleryTop, .color = PageColor,
                    .caption = L"Fereastra cu chenar pictat"}) {
    MustPaint = true;  // bsSizeable (the default) becomes a painted 3-pixel frame
    SetClientSize(420, 240);
  }
  TTitleBar TitleBar1{this, {.name = L"TitleBar1", .align = alTop, .caption = L"Fereastra cu chenar pictat",
                             .font = TFont(L"MS Sans Serif", -13, fsBold, clWhite)}};
};

class CoveredPage : public TTitleForm {
 public:
  CoveredPage()
      : TTitleForm({.name = L"Covered", .left = 460, .top = kGalleryTop, .color = PageColor,
                    .caption = L"Pagina sub un mesaj", .font = TFont(L"MS Sans Serif", -11, fsBold)}) {
    SetBorderStyle(bsNone);
    SetClientSize(520, 300);
    TitleBar1.SetStartColor(PageTitleColor);
    TitleBar1.SetEndColor(PageTitleColor);
  }
  TTitleBar TitleBar1{this, {.name = L"TitleBar1", .align = alTop, .caption = L"Pagina sub un mesaj",
                             .font = TFont(L"MS Sans Serif", -13, fsBold, clWhite)}};
  TPanel Panel1{this, {.name = L"Panel1", .left = 20, .top = 50, .width = 300, .height = 60, .parentColor = true,
                       .caption = L"Butoanele apar dezactivate"}};
  TMButton BBack{this, {.name = L"BBack", .left = 300, .top = 200, .width = 67, .height = 51, .caption = L"&Inapoi"}};
  TMButton BNext{this, {.name = L"BNext", .left = 380, .top = 200, .width = 67, .height = 51, .caption = L"&Continua"}};
  TNiceButton BAbandon{this, {.name = L"BAbandon", .left = 395, .top = 262, .width = 109, .height = 28, .caption = L"&Abandon"}};
};

const bool dotted = RegisterGalleryPage(L"forms", L"painted frame and dotted background", [] {
  DottedWindow window;
  window.Show();
  RunGalleryLoop();
});

const bool covered = RegisterGalleryPage(L"covered", L"a page under a message dialog", [] {
  CoveredPage page;
  page.BBack.SetKind(mknPrev);
  page.BNext.SetKind(mknNext);
  page.BAbandon.SetKind(mkCancel);
  page.Show();
  MsgDlg(L"Pagina din spate are bara de titlu gri.", L"", mtInformation, taCenter, Buttons({mbOK}), mbOK);
});
}  // namespace
