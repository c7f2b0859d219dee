#include "wizard/PageBase.h"

#include <stdexcept>

#include "core/colors.h"
#include "platform/AnsiText.h"
#include "toolkit/PlatformBox.h"
#include "wizard/Instructions.h"

using namespace corvan;

namespace {
TControlDesc PageFormDesc(const TPageDesc& desc) {
  return {.name = desc.name, .color = PageColor, .caption = desc.title,
          .font = TFont(L"MS Sans Serif", -11, desc.boldFont ? fsBold : 0)};
}

TControlDesc WithSize(TControlDesc desc, int width, int height) {
  if (desc.width == 0) desc.width = width;
  if (desc.height == 0) desc.height = height;
  return desc;
}
}  // namespace

TWizardPage::TWizardPage(const TPageDesc& desc)
    : TTitleForm(PageFormDesc(desc)),
      TitleBar1(this, {.name = L"TitleBar1", .height = 25, .align = alTop, .caption = desc.title,
                       .font = TFont(L"MS Sans Serif", -13, fsBold, clWhite)}),
      answersHelpKey_(desc.answersHelpKey) {
  Settings().CurrentStep = desc.step;
  SetBorderStyle(bsNone);
  SetClientSize(desc.clientWidth, desc.clientHeight);
  TitleBar1.SetStartColor(PageTitleColor);
  TitleBar1.SetEndColor(PageTitleColor);
  OnKeyDown = [this](TControl&, WORD& key, TShiftState shift) { RunGuarded([&] { FormKeyDown(key, shift); }); };
  OnShow = [this](TControl&) { RunGuarded([&] { FormShow(); }); };
}

void TWizardPage::BringToFront() {
  HWND window = Handle();
  if (!window) return;
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window);
}

void TWizardPage::ToggleBackdrop() {
  if (HWND backdrop = MainWindow()) ShowWindow(backdrop, IsWindowVisible(backdrop) ? SW_HIDE : SW_SHOWNOACTIVATE);
  BringToFront();
}

void TWizardPage::FormKeyDown(WORD& key, TShiftState shift) {
  if (!(shift & ssAlt)) return;
  if (key == 'M') {
    key = 0;
    ToggleBackdrop();
  } else if (key == 'H' && answersHelpKey_) {
    key = 0;
    ShowInstructions();
  }
}

void TWizardPage::ShowEscapedError(std::exception_ptr error) {
  std::wstring text = L"Eroare neasteptata.";
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    if (*e.what()) text = FromAnsi(e.what());
  } catch (...) {
  }
  PlatformMessageBox(text, TPlatformBox::Error);
}

TPageButton::TPageButton(TWinControl* parent, const TControlDesc& desc, TMButtonKind kind, TModalResult result,
                         int spacing)
    : TMButton(parent, WithSize(desc, 67, 51)) {
  SetColor(parent->Color());
  SetModalResult(result);
  SetKind(kind);
  SetButtonLayout(blGlyphTop);
  SetSpacing(spacing);
}

TPageNiceButton::TPageNiceButton(TWinControl* parent, const TControlDesc& desc, TMButtonKind kind,
                                 TModalResult result)
    : TNiceButton(parent, WithSize(desc, 109, 28)) {
  Font().SetBold(true);
  SetModalResult(result);
  SetKind(kind);
}
