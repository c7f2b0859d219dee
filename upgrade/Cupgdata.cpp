#include "upgrade/Cupgdata.h"

#include <cstring>

#include "platform/AnsiText.h"
#include "sysconfig/StepTrace.h"
#include "upgrade/Upgint.h"
#include "wizard/StepPanel.h"

using namespace corvan;

TActiveLabel* ReportLabel = nullptr;

TUpgData::TUpgData()
    : TWizardPage({.name = L"UpgData",
                   .step = Step,
                   .title = L"Actualizare baza de date",
                   .boldFont = false,
                   .answersHelpKey = true}) {
  L1.Font().SetColor(clBlack);
  L1.SetShowAccelChar(false);  // the library's texts are shown as they come
  L1.SetAutosize(true);
  for (auto& step : Steps()) {
    // The check-mark glyph of the symbol face, red with a shadow.
    step.mark.Font() = TFont(L"Wingdings", -16, fsBold, clRed);
    step.mark.Font().SetCharset(SYMBOL_CHARSET);
    step.mark.SetCaption(L"%\xFC");
    step.box.SetChecked(true);
    TActiveCheckBox& box = step.box;
    step.panel.OnClick = Guarded([&box](TControl&) { box.Toggle(); });
  }
  BNext.OnClick = Guarded([this](TControl&) { BNextClick(); });
  FormCreate();
}

TUpgData::~TUpgData() {
  if (ReportLabel == &L1) ReportLabel = nullptr;
}

void TUpgData::FormCreate() {
  for (auto& step : Steps()) ShowStepPending(step.panel);
  ReportLabel = &L1;
}

void TUpgData::FormKeyDown(WORD& key, TShiftState shift) {
  if ((shift & ssAlt) && key == 'Q') {
    key = 0;
    QuickV = !QuickV;
    UpgradeSetQuickVerif(QuickV);
    L1.Font().SetColor(QuickV ? clRed : clBlack);
    L1.Repaint();
    return;
  }
  TWizardPage::FormKeyDown(key, shift);
}

// The buttons stay disabled until the page closes: the page goes on to the finish page
// whatever the steps answered.
void TUpgData::BNextClick() {
  SetModalResult(TModalResult::Next);
  L1.SetVisible(true);
  L1.Repaint();
  for (TControl* button : std::initializer_list<TControl*>{&BBack, &BNext, &BCancel}) button->SetEnabled(false);
  UpgradeSetReportProc(UpgradeReportProc);
  const TUpgradeStep calls[] = {usStructure, usLists, usConstants};
  auto steps = Steps();
  for (std::size_t i = 0; i < steps.size(); ++i) {
    StepControls& step = steps[i];
    if (!step.box.Checked()) continue;
    step.mark.SetVisible(true);
    if (i > 0) {
      L1.Font().SetColor(clRed);
      L1.Repaint();
    }
    if (!RunUpgradeStep(calls[i])) step.mark.SetVisible(false);
    ShowStepDone(step.panel);
  }
  L1.SetVisible(false);
  L1.Repaint();
  SetModalResult(TModalResult::Next);
}

void WINAPI TUpgData::UpgradeReportProc(HGLOBAL block) {
  // The block stays the library's: locked, read and unlocked, never freed.
  std::string bytes;
  if (const char* text = static_cast<const char*>(GlobalLock(block))) {
    bytes.assign(text, strnlen(text, GlobalSize(block)));
    GlobalUnlock(block);
  }
  const std::wstring text = FromAnsi(bytes);
  LogNote(text);
  if (ReportLabel) {
    ReportLabel->SetCaption(text);
    ReportLabel->Repaint();
  }
  ProcessPendingMessages();
}
