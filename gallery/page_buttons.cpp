// Gallery page: the buttons the wizard and the message dialog use, one row per state
// (normal, hot, focused, pressed, disabled), on the pages' colour.
#include <memory>
#include <string>
#include <vector>

#include "core/colors.h"
#include "gallery/Gallery.h"
#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"
#include "toolkit/Mbuttons.h"

namespace {

// The hot look on demand, so a still picture can show it without a mouse.
class ShowGlyphButton : public TMButton {
 public:
  using TMButton::TMButton;
  using TButtonBase::SetDrawFace;
};
class ShowNiceButton : public TNiceButton {
 public:
  using TNiceButton::TNiceButton;
  using TButtonBase::SetDrawFace;
};

// A line of text on the page.
class Note : public TControl {
 public:
  using TControl::TControl;
  void Paint(HDC dc) override {
    SelectObject(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Font().TextColor());
    RECT r{0, 0, Width(), Height()};
    DrawTextW(dc, Caption().c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
};

enum class Look { Normal, Hot, Focused, Pressed, Disabled };

struct GlyphSpec {
  const wchar_t* caption;
  TMButtonKind kind;
  TModalResult modalResult;
};
struct NiceSpec {
  const wchar_t* caption;  // empty: the kind's own
  TMButtonKind kind;
  int width;
};

class ButtonsPage : public TMForm {
 public:
  ButtonsPage()
      : TMForm({.name = L"GalleryButtons", .left = kGalleryLeft, .top = kGalleryTop, .width = 860, .height = 540,
                .color = corvan::PageColor, .font = TFont(L"MS Sans Serif", -11, fsBold)}) {
    SetBorderStyle(bsNone);
    const GlyphSpec glyphs[] = {{L"&Inapoi", mknPrev, TModalResult::Back},
                                {L"&Continua", mknNext, TModalResult::Next},
                                {L"I&esire", mkClose, TModalResult::Cancel},
                                {L"&Abandon", mkCancel, TModalResult::Cancel}};
    const NiceSpec nices[] = {{L"&Abandon", mkCancel, 109}, {L"", mkOK, 100}, {L"", mkYes, 100},
                              {L"", mkNo, 100},             {L"", mkIgnore, 100}, {L"", mkAll, 100}};
    const wchar_t* names[] = {L"normal", L"hot", L"focused", L"pressed", L"disabled"};
    for (int row = 0; row < 5; ++row) {
      const int top = 10 + row * 104;
      const Look look = static_cast<Look>(row);
      Add<Note>(TControlDesc{.name = std::wstring(L"Note") + names[row], .left = 10, .top = top, .width = 80,
                             .height = 20, .caption = names[row]});
      int left = 90;
      for (const auto& g : glyphs) {
        auto& b = Add<ShowGlyphButton>(TControlDesc{.name = L"G" + std::to_wstring(row) + L"_" + g.caption, .left = left,
                                                    .top = top, .width = 67, .height = 51,
                                                    .color = corvan::PageColor, .caption = g.caption});
        b.SetModalResult(g.modalResult);
        b.SetKind(g.kind);
        b.SetButtonLayout(blGlyphTop);
        b.SetSpacing(5);
        if (look == Look::Focused) b.SetLightButton(false);  // the 3-D default-button look
        glyphRows_[row].push_back(&b);
        left += 75;
      }
      auto& browse = Add<ShowGlyphButton>(TControlDesc{.name = L"Browse" + std::to_wstring(row), .left = left,
                                                       .top = top + 15, .width = 29, .height = 21,
                                                       .color = corvan::PageColor, .caption = L"Cauta..."});
      browse.SetCaptionVisible(false);
      browse.SetNumGlyphs(2);
      browse.SetGlyph(SharedPicture(L"FolderBrowse"));
      glyphRows_[row].push_back(&browse);
      left += 45;
      // The folder picker's wider button beside them, the dialog's answers on the line below.
      auto& wide = Add<ShowNiceButton>(TControlDesc{.name = L"Wide" + std::to_wstring(row), .left = left,
                                                    .top = top + 12, .width = 120, .height = 26});
      wide.SetKind(mkOK);
      niceRows_[row].push_back(&wide);
      left = 90;
      for (const auto& n : nices) {
        auto& b = Add<ShowNiceButton>(TControlDesc{.name = L"N" + std::to_wstring(row) + L"_" + std::to_wstring(n.kind),
                                                   .left = left, .top = top + 60, .width = n.width, .height = 28});
        if (*n.caption) b.SetCaption(n.caption);
        b.SetKind(n.kind);
        niceRows_[row].push_back(&b);
        left += n.width + 8;
      }
    }
    OnShow = [this](TControl&) { ApplyLooks(); };
  }

 private:
  template <class T>
  T& Add(const TControlDesc& desc) {
    auto control = std::make_unique<T>(this, desc);
    T& ref = *control;
    owned_.push_back(std::move(control));
    return ref;
  }

  void ApplyLooks() {
    for (int row = 0; row < 5; ++row) {
      const Look look = static_cast<Look>(row);
      for (ShowGlyphButton* b : glyphRows_[row]) Apply(*b, look);
      for (ShowNiceButton* b : niceRows_[row]) Apply(*b, look);
    }
    // The real focus: the smooth Abandon button of the focused row.
    niceRows_[static_cast<int>(Look::Focused)][1]->SetFocus();
  }

  template <class Button>
  void Apply(Button& b, Look look) {
    switch (look) {
      case Look::Normal: break;
      case Look::Hot: b.SetDrawFace(true); break;
      case Look::Focused:
        b.FocusMovedTo(&b);
        b.SetDrawFace(true);
        break;
      case Look::Pressed:
        b.SetDrawFace(true);
        SendMessageW(b.Handle(), BM_SETSTATE, TRUE, 0);  // the platform's pushed state
        break;
      case Look::Disabled: b.SetEnabled(false); break;
    }
  }

  std::vector<std::unique_ptr<TControl>> owned_;
  std::vector<ShowGlyphButton*> glyphRows_[5];
  std::vector<ShowNiceButton*> niceRows_[5];
};

}  // namespace

GALLERY_PAGE(L"buttons", [] { return std::unique_ptr<TMForm>(new ButtonsPage); });
