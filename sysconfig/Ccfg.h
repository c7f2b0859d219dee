#pragma once
// TConfig, the configuration page of a fresh installation: on Continue it registers the
// database engine with the product's aliases, refreshes the HTML Help runtime and
// registers the charting control, and makes the program group in the Windows shell,
// marking each step on the page as it completes.
#include "core/install_settings.h"
#include "toolkit/Panels.h"
#include "wizard/PageBase.h"

class TConfig : public TWizardPage {
 public:
  static constexpr corvan::TWizardStep Step = corvan::wsConfig;

  TConfig();

  // Continue runs the steps and then gives the page its result itself.
  TPageButton BNext{this, {.name = L"BNext", .left = 82, .top = 52, .caption = L"&Continua"}, mknNext,
                    TModalResult::None, 5};
  TPageButton BBack{this, {.name = L"BBack", .left = 15, .top = 52, .caption = L"&Inapoi"}, mknPrev,
                    TModalResult::Back};
  TPanel BBDE{this, {.name = L"BBDE", .left = 165, .top = 25, .width = 308, .height = 18, .parentColor = true,
                     .caption = L" Configurare BDE"}};
  TPanel BCFGSYS{this, {.name = L"BCFGSYS", .left = 165, .top = 43, .width = 308, .height = 18, .parentColor = true,
                        .caption = L" Actualizare HTML Help && Chart FX"}};
  TPanel BGROUP{this, {.name = L"BGROUP", .left = 165, .top = 97, .width = 308, .height = 18, .parentColor = true,
                       .caption = L" Creare grup"}};
  TPageNiceButton BCancel{this, {.name = L"BCancel", .left = 504, .top = 63, .width = 108, .height = 28,
                                 .caption = L"&Abandon"}, mkCancel, TModalResult::Cancel};

  void FormCreate();
  void BNextClick();

  // A step's panel as it waits: no bevel, black text on the right.
  static void ResetStepPanel(TPanel& panel);
  // A step's panel once the step is done: raised, red text on the left, painted at once;
  // the user's pending clicks and keys are handled here, between the steps.
  static void MarkStepDone(TPanel& panel);
};

// The second step: HHUPD.EXE /Q, then TREGSVR.EXE -Q on CFX32.OCX, both from ProgramDir,
// minimised and waited for. Their exit codes are not looked at.
void DoConfigConfigSys();

// The third step: the program group "Corvan" through Program Manager (ProgramGroupServer);
// without a server, "Eroare DDE!". Nothing else is reported.
void DoConfigGroup();
