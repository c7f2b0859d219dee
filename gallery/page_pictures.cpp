// Gallery page: every shared picture at its natural size with its name, drawn as the
// toolkit draws them (the top-left colour left out), on the pages' colour.
#include <algorithm>
#include <memory>
#include <string>

#include "core/colors.h"
#include "gallery/Gallery.h"
#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"
#include "toolkit/Gdi.h"
#include "toolkit/dlgform2.h"

namespace {

class PictureSheet : public TControl {
 public:
  using TControl::TControl;

  void Paint(HDC dc) override {
    SelectGuard font(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const int labelHeight = 13, gap = 10;
    int x = gap, y = gap, rowHeight = 0;
    for (const wchar_t* name : TMesaj::PictureNames()) {
      HBITMAP picture = SharedPicture(name);
      const SIZE size = BitmapSize(picture);
      SIZE label{};
      GetTextExtentPoint32W(dc, name, static_cast<int>(wcslen(name)), &label);
      const int cellWidth = std::max<int>(size.cx, label.cx);
      if (x + cellWidth > Width() - gap) {
        x = gap;
        y += rowHeight + labelHeight + gap;
        rowHeight = 0;
      }
      corvan::TColor key;
      if (TopLeftColor(picture, key)) {
        MemoryDC source(dc);
        SelectGuard select(source.Get(), picture);
        TransparentBlt(dc, x, y, size.cx, size.cy, source.Get(), 0, 0, size.cx, size.cy, key);
      }
      TextOutW(dc, x, y + size.cy + 1, name, static_cast<int>(wcslen(name)));
      rowHeight = std::max<int>(rowHeight, size.cy);
      x += cellWidth + gap;
    }
  }
};

class PicturesPage : public TMForm {
 public:
  PicturesPage()
      : TMForm({.name = L"GalleryPictures", .left = kGalleryLeft, .top = kGalleryTop, .width = 990, .height = 740,
                .color = corvan::PageColor, .font = TFont(L"MS Sans Serif", -11)}) {
    SetBorderStyle(bsNone);
  }
  PictureSheet Sheet{this, {.name = L"Sheet", .align = alClient}};
};

}  // namespace

GALLERY_PAGE(L"pictures", [] { return std::unique_ptr<TMForm>(new PicturesPage); });
