#include "install/CEnd.h"

#include "toolkit/dlgform2.h"

using namespace corvan;

namespace {
// The page's own logo, drawn at build time (resources/art).
constexpr wchar_t LogoPicture[] = L"EndLogo";
}  // namespace

std::wstring FinishMemoText() {
  return std::wstring(L"\r\n") + L"Instalarea s-a terminat cu succes!\r\n" + L"\r\n" + L"Utilizator implicit:  \"" +
         FactoryUser + L"\", \r\n" + L"cu parola de acces " + FactoryPassword;
}

TEndScreen::TEndScreen()
    : TWizardPage({.name = L"EndScreen", .step = Step, .title = L"Finalizare", .answersHelpKey = true}) {
  FormCreate();
}

void TEndScreen::FormCreate() {
  Memo1.SetBorderStyle(bsNone);
  Memo1.SetAlignment(taCenter);
  Memo1.SetText(FinishMemoText());
  Image1.SetAutoSize(false);
  Image1.SetTransparent(true);
  const OwnedBitmap logo(DecodePngResource(GetModuleHandleW(nullptr), LogoPicture));
  Image1.SetBitmap(logo.Get());
}
