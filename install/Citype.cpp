#include "install/Citype.h"

using namespace corvan;

TIType::TIType() : TWizardPage({.name = L"IType", .step = Step, .title = L"Alegeti tipul instalarii!"}) {
  Panel1.SetBevelOuter(bvNone);
  IType.OnModify = Guarded([this](TControl&, bool& canModify) { ITypeModify(canModify); });
  BNext.OnClick = Guarded([this](TControl&) { BNextClick(); });
  FormCreate();
}

// The choice is rebuilt from InstallType, so a user coming Back sees it selected.
void TIType::FormCreate() {
  const TInstallType type = Settings().InstallType;
  BNext.SetEnabled(type != itNone);
  IType.SetItemIndex(static_cast<int>(type) - 1);  // itNone: no item
  FirstTime = true;
}

void TIType::FormShow() {
  if (!FirstTime) return;
  BringToFront();
  FirstTime = false;
}

void TIType::ITypeModify(bool& canModify) {
  canModify = true;
  BNext.SetEnabled(true);
}

void TIType::BNextClick() { Settings().InstallType = static_cast<TInstallType>(IType.ItemIndex() + 1); }
