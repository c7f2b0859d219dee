#include <string>

#include "core/zip_failure.h"

namespace corvan {
namespace {

// A hostile name may carry control characters; the message shows them as '?'.
std::wstring Printable(const std::wstring& name) {
  std::wstring out(name);
  for (auto& c : out)
    if (c < 0x20 || c == 0x7F) c = L'?';
  return out;
}

}  // namespace

std::wstring ZipFailureMessage(const ZipFailure& failure, const std::wstring& archive) {
  const std::wstring a = archive;
  const std::wstring e = Printable(failure.entry);
  const bool hasEntry = !failure.entry.empty();
  switch (failure.fault) {
    case ZipFault::None:
      return {};
    case ZipFault::ReadError:
      return hasEntry ? L"Nu pot citi fisierul " + e + L" din arhiva " + a + L"." : L"Nu pot citi arhiva " + a + L".";
    case ZipFault::NotAnArchive:
      return L"Fisierul " + a + L" nu este o arhiva ZIP.";
    case ZipFault::Truncated:
      return hasEntry ? L"Arhiva " + a + L" este incompleta: fisierul " + e + L" nu este intreg."
                      : L"Arhiva " + a + L" este incompleta (trunchiata).";
    case ZipFault::Damaged:
      return hasEntry ? L"Arhiva " + a + L" este deteriorata: fisierul " + e + L" nu corespunde antetului."
                      : L"Arhiva " + a + L" este deteriorata: directorul arhivei nu corespunde.";
    case ZipFault::SizeMismatch:
      return L"Arhiva " + a + L" este deteriorata: fisierul " + e + L" nu corespunde (dimensiune).";
    case ZipFault::CrcMismatch:
      return L"Arhiva " + a + L" este deteriorata: fisierul " + e + L" nu corespunde (CRC).";
    case ZipFault::UnsupportedMethod:
      return L"Arhiva " + a + L" foloseste pentru fisierul " + e + L" o metoda de compresie necunoscuta (" +
             std::to_wstring(failure.method) + L").";
    case ZipFault::Encrypted:
      return L"Arhiva " + a + L" contine fisierul criptat " + e + L", pe care nu il pot dezarhiva.";
    case ZipFault::Zip64:
      return hasEntry ? L"Arhiva " + a + L" are formatul ZIP64 (fisierul " + e + L"), pe care nu il pot citi."
                      : L"Arhiva " + a + L" are formatul ZIP64, pe care nu il pot citi.";
    case ZipFault::UnsafeName:
      return L"Arhiva " + a + L" contine fisierul " + e +
             L", al carui nume iese din folderul de destinatie; nu dezarhivez nimic din ea.";
    case ZipFault::WriteError:
      return L"Nu pot scrie fisierul " + e + L" din arhiva " + a + L".";
    case ZipFault::Cancelled:
      return L"Dezarhivarea fisierului " + e + L" din arhiva " + a + L" a fost intrerupta.";
  }
  return {};
}

}  // namespace corvan
