#include "install/CCopy.h"

#include "toolkit/Dialogs.h"
#include "wizard/Instructions.h"

using namespace corvan;

const wchar_t* const CopyRetryText = L"Copierea nu s-a terminat. Apasa 'Continua' pentru a o relua.....";

namespace {
constexpr TColor kGaugeBar = Hex(0x5C6978);   // RGB(92, 105, 120)
constexpr TColor kGaugeBack = Hex(0xDFDFDF);  // RGB(223, 223, 223)

void StyleGauge(TGauge& gauge) {
  gauge.SetBorderSingle(false);
  gauge.SetForeColor(kGaugeBar);
  gauge.SetBackColor(kGaugeBack);
}
}  // namespace

TCopy::TCopy()
    : TWizardPage({.name = L"Copy", .step = Step, .title = L"Copiere fisiere Corvan", .answersHelpKey = true}) {
  Panel1.SetBevelOuter(bvNone);
  StyleGauge(CopyProgress);
  StyleGauge(UnzipProgress);
  LGroupName.SetAlignment(taCenter);
  BNext.OnClick = Guarded([this](TControl&) { BNextClick(); });
  FormCreate();
}

void TCopy::FormCreate() { Counters.Reset(); }

void TCopy::SetButtonsEnabled(bool enabled) {
  for (TControl* button : std::initializer_list<TControl*>{&BBack, &BNext, &BCancel}) button->SetEnabled(enabled);
}

void TCopy::BNextClick() {
  // Continue gave the page Next; it stands only once the copy has finished, so that an
  // error escaping the copy cannot close the page as if it had.
  SetModalResult(TModalResult::None);
  SetButtonsEnabled(false);
  struct ButtonsBack {
    TCopy& page;
    bool closing = false;
    ~ButtonsBack() {
      if (!closing) page.SetButtonsEnabled(true);
    }
  } buttonsBack{*this};

  CopyPageActions actions;
  actions.afterProgramComponent = ShowInstructions;
  const CopyResult result = CopyComponents(view_, Counters, InstallSets[Settings().InstallType], actions, &memory_);
  switch (result.outcome) {
    case CopyOutcome::Done:
      buttonsBack.closing = true;
      SetModalResult(TModalResult::Next);
      return;
    case CopyOutcome::Cancelled:
      // The disk prompt's Cancel: the page's result is Cancel and the wizard ends.
      buttonsBack.closing = true;
      return;
    case CopyOutcome::JoinFailed:
      // A part that could not be read or joined: the join has said why.
      view_.SetStatusText(CopyRetryText);
      return;
    case CopyOutcome::Failed:
      // Nothing unpacked is lost: the page stays, and Continue goes on after the user has
      // fixed the media or made room.
      MsgDlg(result.error.message, L"", mtError, taCenter, ::Buttons({mbOK}), mbOK);
      view_.SetStatusText(CopyRetryText);
      return;
  }
}
