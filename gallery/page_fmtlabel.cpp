// Gallery page: formatted labels with each code of their markup (colour, size, style,
// shadow, blink, escapes, lines), the upgrade page's shadowed check marks, the finder's
// status line with a blinking folder, a centred multi-line label and placement by Align.
#include <memory>
#include <string>
#include <vector>

#include "core/colors.h"
#include "gallery/Gallery.h"
#include "toolkit/Cliunit.h"
#include "toolkit/FmtLabel.h"

namespace {

class FmtLabelPage : public TMForm {
 public:
  FmtLabelPage()
      : TMForm({.name = L"GalleryFmtLabel", .left = 0, .top = 0, .width = 1000, .height = 560,
                .color = corvan::PageColor, .font = TFont(L"MS Sans Serif", -11, fsBold, corvan::clBlack)}) {
    SetBorderStyle(bsNone);
    const wchar_t* captions[] = {
        L"@9Rosu @0Negru @12Albastru @2Verde @15Alb @30clHighlightText",
        L"&20Mare&8mic&14mijlociu &8pe aceeasi linie de baza",
        L"$0simplu $1italic $2aldin $3aldin italic",
        L"%Umbra in clBtnShadow% fara umbra",
        L"Fix ~clipeste~ fix",
        L"Coduri ca text: \\@9 \\&20 \\$2 \\% \\~ si \\n ramane",
        L"Culoare 12 apoi cifra: @12",
    };
    int top = 10;
    for (const wchar_t* caption : captions) {
      Add({.left = 10, .top = top, .width = 10, .height = 10, .caption = caption});
      top += 34;
    }

    // The same shadow in black, where it shows plainly.
    TFmtLabel& dark = Add({.left = 300, .top = 10 + 3 * 34, .width = 10, .height = 10,
                           .caption = L"%Umbra neagra%, ~%clipind cu umbra"});
    dark.SetShadowColor(corvan::clBlack);

    // The database upgrade page's step marks: Wingdings 16-pixel bold red "%ü".
    for (int i = 0; i < 3; ++i) {
      TFmtLabel& mark = Add({.left = 10 + 30 * i, .top = top, .width = 20, .height = 20,
                             .font = TFont(L"Wingdings", -16, fsBold, corvan::Hex(0xFF0000))});
      mark.SetCaption(L"%\xFC");
    }
    top += 34;

    // The finder's status line: a short folder name's tilde starts the blinking.
    TFmtLabel& status = Add({.left = 10, .top = top, .width = 10, .height = 10,
                             .caption = L"Caut in C:\\PROGRA~1\\CORVAN"});
    status.Font().SetColor(corvan::Hex(0x800000));
    top += 34;
    Add({.left = 10, .top = top, .width = 10, .height = 10, .caption = L"@9Nu am gasit directorul program!!!"});
    top += 34;

    // Several lines, centred in a label wider than they are.
    TFmtLabel& centred = Add({.left = 10, .top = top, .width = 400, .height = 10,
                              .caption = L"@4Prima linie\r$2a doua, mai lunga, linie\r@9~a treia clipeste"});
    centred.SetAlignment(taCenter);
    centred.SetTransparent(true);

    // Placement by Align: at the right edge and at the bottom of the page.
    TFmtLabel& right = Add({.left = 10, .top = 10, .width = 10, .height = 10, .caption = L"@1alMRight"});
    right.SetMAlign(alMRight);
    TFmtLabel& bottom = Add({.left = 600, .top = 10, .width = 10, .height = 10, .caption = L"@1alMBottom"});
    bottom.SetMAlign(alMBottom);
  }

 private:
  TFmtLabel& Add(const TControlDesc& desc) {
    auto label = std::make_unique<TFmtLabel>(this, desc);
    TFmtLabel& ref = *label;
    owned_.push_back(std::move(label));
    return ref;
  }

  std::vector<std::unique_ptr<TFmtLabel>> owned_;
};

}  // namespace

GALLERY_PAGE(L"fmtlabel", [] { return std::unique_ptr<TMForm>(new FmtLabelPage); });
