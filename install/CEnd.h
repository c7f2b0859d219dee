#pragma once
// TEndScreen, the finish page of both roads: the installation has ended, and this is how
// to log in to Corvan the first time. "I&esire" ends the wizard; "&Inapoi" goes back to
// the configuration page.
#include <string>

#include "core/install_settings.h"
#include "toolkit/Actives.h"
#include "toolkit/Transimg.h"
#include "wizard/PageBase.h"

// The product's own first login: the user "Master" with a one-character password.
inline constexpr wchar_t FactoryUser[] = L"Master";
inline constexpr wchar_t FactoryPassword[] = L"1";

// The memo's five lines, the first and third empty.
std::wstring FinishMemoText();

class TEndScreen : public TWizardPage {
 public:
  static constexpr corvan::TWizardStep Step = corvan::wsFinish;

  TEndScreen();

  TPageButton BBack{this, {.name = L"BBack", .left = 15, .top = 52, .caption = L"&Inapoi"}, mknPrev,
                    TModalResult::Back, 5};
  // Next: after the finish page the wizard ends.
  TPageButton BCancel{this, {.name = L"BCancel", .left = 82, .top = 52, .caption = L"I&esire"}, mkClose,
                      TModalResult::Next};
  TActiveMemo Memo1{this, {.name = L"Memo1", .left = 179, .top = 38, .width = 298, .height = 70,
                           .color = corvan::clGrid, .tabStop = true}};
  TTransImage Image1{this, {.name = L"Image1", .left = 496, .top = 32, .width = 128, .height = 80}};

  void FormCreate();
};
