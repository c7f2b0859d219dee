// One page per message dialog kind, the dialog with its prefix, a long text and three
// buttons, the join's two failures and a refused archive as the copy page shows them.
#include <string>

#include "core/disk_sets.h"
#include "core/zip_failure.h"
#include "gallery/Gallery.h"
#include "toolkit/Dialogs.h"

namespace {
// What the join says when a disk cannot be read and when the program folder is full.
const std::wstring joinRead = corvan::PartReadFailureText(L"EXE.2", 2);
const std::wstring joinFull = corvan::ArchiveWriteFailureText(L"C:\\Program Files\\Corvan\\EXE.ZIP", true);
// What unpacking says of a hostile name of 307 characters.
const std::wstring tooLong = [] {
  corvan::ZipFailure failure;
  failure.fault = corvan::ZipFault::PathTooLong;
  failure.entry = std::wstring(150, L'A') + L"/" + std::wstring(150, L'B') + L"/x.txt";
  return corvan::ZipFailureMessage(failure, L"C:\\Program Files\\Corvan\\EXE.ZIP");
}();
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
    {L"msgdlg-join-read", L"a part the join cannot read", joinRead.c_str(), L"", mtError, Buttons({mbOK}), mbOK,
     L"Pentru continuare"},
    {L"msgdlg-join-full", L"a program folder with no room left", joinFull.c_str(), L"", mtError, Buttons({mbOK}), mbOK,
     L"Pentru continuare"},
    {L"msgdlg-path-too-long", L"an archive refused for a name too long", tooLong.c_str(), L"", mtError, Buttons({mbOK}),
     mbOK, L"Pentru continuare"},
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
