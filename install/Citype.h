#pragma once
// TIType, the install type page: the first page of a fresh installation. The user chooses
// whether this computer runs the program alone, holds the shared database or uses one
// on another computer; the choice goes to InstallType.
#include "core/install_settings.h"
#include "toolkit/Actives.h"
#include "toolkit/Panels.h"
#include "wizard/PageBase.h"

class TIType : public TWizardPage {
 public:
  static constexpr corvan::TWizardStep Step = corvan::wsInstallType;

  TIType();

  TPageButton BCancel{this, {.name = L"BCancel", .left = 17, .top = 52, .width = 67, .height = 51,
                             .caption = L"&Abandon"}, mkCancel, TModalResult::Cancel};
  TPageButton BNext{this, {.name = L"BNext", .left = 84, .top = 52, .width = 67, .height = 51,
                           .caption = L"&Continua"}, mknNext, TModalResult::Next, 5};
  TPanel Panel1{this, {.name = L"Panel1", .left = 191, .top = 37, .width = 413, .height = 67, .parentColor = true}};
  TMRadioGroup IType{&Panel1,
                     {.name = L"IType", .left = 11, .top = 10, .width = 396, .height = 52},
                     {L" &LOCAL     - programul va fi folosit numai pe acest calculator",
                      L" &SERVER  - acest calculator va contine baza de date",
                      L" CLIEN&T    - programul va folosi o baza de date aflata la distanta"}};

  // True until the page has been shown once.
  bool FirstTime = true;

  void FormCreate();
  void FormShow() override;
  void ITypeModify(bool& canModify);
  void BNextClick();
};
