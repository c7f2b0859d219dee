#pragma once
// TWizardPage: what every page of the wizard shares, held once, so that a page's class
// reads like its window table and holds only its own controls and handlers.
//
//   class TIType : public TWizardPage {
//    public:
//     static constexpr corvan::TWizardStep Step = corvan::wsInstallType;
//     TIType() : TWizardPage({.name = L"IType", .step = Step, .title = L"Alegeti tipul instalarii!"}) {
//       BNext.OnClick = Guarded([this](TControl&) { BNextClick(); });
//       FormCreate();
//     }
//     TPageButton BNext{this, {.name = L"BNext", .left = 84, .top = 52, .caption = L"&Continua"},
//                       mknNext, TModalResult::Next, 5};
//     ...
//   };
//
// The base gives every page:
// - a fixed-size borderless TTitleForm of the page colour, its client area as the page asks
//   (637 x 114 unless told), the default font "MS Sans Serif" (8 pt; bold unless told);
// - TitleBar1 across the top: 25 high, a flat #5C6978 band, white bold 13-pixel caption;
//   the title is the window's caption too (Alt+Tab, the task list, screen readers), and
//   SetCaption changes both;
// - CurrentStep set to the page's step when the page is created;
// - FormKeyDown: Alt+M shows or hides the backdrop (the main window, SetMainWindow) and
//   brings the page to the front; Alt+H calls ShowInstructions on the pages that answer it;
// - FormShow, called at each showing;
// - Guarded: a handler whose escaping error shows the standard error box;
// - what the driver needs (IWizardPage): outer size, placement, modal showing.
#include <exception>
#include <string>
#include <utility>

#include "core/install_settings.h"
#include "toolkit/Cliunit.h"
#include "toolkit/Mbuttons.h"
#include "toolkit/Title.h"
#include "wizard/WizardPage.h"

struct TPageDesc {
  std::wstring name;  // the window's name: the class name without its "T"
  corvan::TWizardStep step;
  std::wstring title;  // the title bar's text and the window's caption
  int clientWidth = 637, clientHeight = 114;
  bool boldFont = true;        // the page's default font
  bool answersHelpKey = false;  // Alt+H calls ShowInstructions
};

class TWizardPage : public TTitleForm, public IWizardPage {
 public:
  // IWizardPage
  SIZE OuterSize() const override { return {Width(), Height()}; }
  void MoveTo(int left, int top) override { SetBounds(left, top, Width(), Height()); }
  corvan::TModalResult ShowModal() override { return TTitleForm::ShowModal(); }

  // Raises the page above the program's other windows and gives it the keyboard.
  void BringToFront();
  // Alt+M: the backdrop hidden when visible and shown when hidden, the page in front.
  void ToggleBackdrop();

 protected:
  explicit TWizardPage(const TPageDesc& desc);

  // The keys the page answers before its controls; a page with keys of its own overrides
  // it and calls this one for the rest.
  virtual void FormKeyDown(WORD& key, TShiftState shift);
  // Each time the page is shown.
  virtual void FormShow() {}

  // A handler for a control's event: an error escaping it is shown by the platform's
  // standard error box, and the page goes on with the result it holds (it closes when a
  // button had given it one). Use it for every handler a page wires:
  //   BNext.OnClick = Guarded([this](TControl&) { BNextClick(); });
  template <class Handler>
  auto Guarded(Handler handler) {
    return [this, handler](auto&&... args) {
      RunGuarded([&] { handler(std::forward<decltype(args)>(args)...); });
    };
  }

 private:
  template <class Body>
  void RunGuarded(Body&& body) {
    try {
      body();
    } catch (...) {
      ShowEscapedError(std::current_exception());
    }
  }
  void ShowEscapedError(std::exception_ptr error);

  // Private: the title changes only through SetCaption, which keeps the window's caption
  // the same text.
  TTitleBar TitleBar1;
  bool answersHelpKey_;
};

// The wizard's large navigation button: a TMButton of 67 x 51 (unless the description
// gives a size) in the page colour, its kind's picture above the caption, `spacing`
// pixels between them, and the page result it closes the page with (None: it does not).
class TPageButton : public TMButton {
 public:
  TPageButton(TWinControl* parent, const TControlDesc& desc, TMButtonKind kind, corvan::TModalResult result,
              int spacing = 0);
};

// The smooth "&Abandon" of the pages: a TNiceButton of 109 x 28 (unless the description
// gives a size) with a bold caption, its kind and the page result.
class TPageNiceButton : public TNiceButton {
 public:
  TPageNiceButton(TWinControl* parent, const TControlDesc& desc, TMButtonKind kind, corvan::TModalResult result);
};
