#include "install/CCopy.h"

#include "wizard/Instructions.h"

using namespace corvan;

TCopy::TCopy()
    : TWizardPage({.name = L"Copy", .step = Step, .title = L"Copiere fisiere Corvan", .answersHelpKey = true}) {
  Panel1.SetBevelOuter(bvNone);
  StyleCopyGauge(CopyProgress);
  StyleCopyGauge(UnzipProgress);
  LGroupName.SetAlignment(taCenter);
  BNext.OnClick = Guarded([this](TControl&) { BNextClick(); });
  FormCreate();
}

void TCopy::FormCreate() { Counters.Reset(); }

void TCopy::BNextClick() {
  CopyPageActions actions;
  actions.afterProgramComponent = ShowInstructions;
  RunCopyOnContinue(*this, view_, {&BBack, &BNext, &BCancel}, [&] {
    return CopyComponents(view_, Counters, InstallSets[Settings().InstallType], actions, &memory_);
  });
}
