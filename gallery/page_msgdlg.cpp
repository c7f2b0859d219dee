// One page per message dialog kind, and the dialog with its prefix, a long text and three
// buttons.
#include "gallery/Gallery.h"
#include "toolkit/Dialogs.h"

namespace {
struct DialogCase {
  const wchar_t* name;
  const wchar_t* what;
  const wchar_t* text;
  const wchar_t* caption;
  TMsgDlgType kind;
  TMsgDlgButtons buttons;
  TMsgDlgBtn defaultButton;
  const wchar_t* prefix;
};

const DialogCase cases[] = {
    {L"msgdlg-warning", L"disk prompt", L"introdu discul de instalare cu numarul \r2", L"", mtWarning, Buttons({mbOK, mbCancel}),
     mbOK, L"Pentru continuare"},
    {L"msgdlg-error", L"old engine warning",
     L"Am gasit o instalare mai veche de\rmotor baza de date (BDE)...\rDaca Corvan nu functioneaza, contactati-ne.\r", L"",
     mtError, Buttons({mbOK}), mbOK, L"Protectia aplicatiilor existente"},
    {L"msgdlg-information", L"information", L"Instalarea s-a terminat.", L"", mtInformation, Buttons({mbOK}), mbOK, L""},
    {L"msgdlg-confirmation", L"server upgrade question",
     L"Aceasta este o instalare CLIENT.\r______________________________________________\rDoriti actualizarea bazei de date de pe SERVER ?\r"
     L"________________________________________________\r",
     L"UPGRADE baza de date SERVER ?", mtConfirmation, Buttons({mbYes, mbNo}), mbNo, L""},
    {L"msgdlg-custom", L"custom kind, no picture", L"Un mesaj fara imagine.", L"Mesaj", mtCustom, Buttons({mbClose}), mbClose,
     L""},
    {L"msgdlg-buttons", L"many buttons, a long wrapped line",
     L"Fisierul C:\\Corvan\\DATA\\FIRME.DB exista deja in dosarul de destinatie si va fi inlocuit daca alegeti sa continuati "
     L"copierea; 100% din fisiere au fost verificate.",
     L"", mtWarning, Buttons({mbYes, mbNo, mbCancel, mbAll, mbIgnore}), mbYes, L""},
};

bool RegisterAll() {
  for (const DialogCase& c : cases)
    RegisterGalleryPage(c.name, c.what, [&c] {
      MessagePrefix = c.prefix;
      MsgDlg(c.text, c.caption, c.kind, taCenter, c.buttons, c.defaultButton);
    });
  return true;
}

const bool registered = RegisterAll();
}  // namespace
