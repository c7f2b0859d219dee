#include "core/zip_failure.h"

#include <string>

namespace corvan {
namespace {

constexpr std::size_t kShownHead = 60, kShownTail = 30;

std::wstring NameProblemText(NameProblem problem, wchar_t character) {
  switch (problem) {
    case NameProblem::None:
    case NameProblem::LeavesFolder:
      break;
    case NameProblem::NotText:
      return L"nu este un text valid";
    case NameProblem::ControlCharacter:
      return L"contine caractere de control";
    case NameProblem::ReservedCharacter:
      return std::wstring(L"contine caracterul ") + character + L", pe care Windows nu il permite in nume";
    case NameProblem::DeviceName:
      return L"este rezervat de Windows unui dispozitiv (CON, PRN, AUX, NUL, COM, LPT)";
    case NameProblem::BadComponent:
      return L"are o parte goala, \".\" sau terminata cu punct ori spatiu, pe care Windows nu o poate folosi";
  }
  return L"nu poate fi folosit in Windows";
}

}  // namespace

const char* ZipFaultName(ZipFault fault) {
  switch (fault) {
    case ZipFault::None: return "None";
    case ZipFault::ReadError: return "ReadError";
    case ZipFault::NotAnArchive: return "NotAnArchive";
    case ZipFault::Truncated: return "Truncated";
    case ZipFault::Damaged: return "Damaged";
    case ZipFault::SizeMismatch: return "SizeMismatch";
    case ZipFault::CrcMismatch: return "CrcMismatch";
    case ZipFault::UnsupportedMethod: return "UnsupportedMethod";
    case ZipFault::Encrypted: return "Encrypted";
    case ZipFault::Zip64: return "Zip64";
    case ZipFault::MultiDisk: return "MultiDisk";
    case ZipFault::UnsafeName: return "UnsafeName";
    case ZipFault::InvalidName: return "InvalidName";
    case ZipFault::PathTooLong: return "PathTooLong";
    case ZipFault::DuplicateName: return "DuplicateName";
    case ZipFault::FileFolderClash: return "FileFolderClash";
    case ZipFault::WriteError: return "WriteError";
    case ZipFault::DiskFull: return "DiskFull";
    case ZipFault::Cancelled: return "Cancelled";
  }
  return "?";
}

std::wstring ShownEntryName(const std::wstring& name) {
  std::wstring out = name.size() <= kShownHead + kShownTail + 3
                         ? name
                         : name.substr(0, kShownHead) + L"..." + name.substr(name.size() - kShownTail);
  for (auto& c : out)
    if (c < 0x20 || c == 0x7F) c = L'?';
  return out;
}

std::wstring ZipFailureMessage(const ZipFailure& failure, const std::wstring& archive) {
  const std::wstring a = archive;
  const std::wstring e = ShownEntryName(failure.entry);
  const bool hasEntry = !failure.entry.empty();
  const std::wstring nothing = L"; nu dezarhivez nimic din ea.";
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
    case ZipFault::MultiDisk:
      return L"Arhiva " + a + L" este un volum al unei arhive ZIP impartite pe mai multe discuri" +
             (hasEntry ? L" (fisierul " + e + L" incepe pe alt volum)" : L"") + L", pe care nu o pot citi.";
    case ZipFault::UnsafeName:
      return L"Arhiva " + a + L" contine fisierul " + e + L", al carui nume iese din folderul de destinatie" + nothing;
    case ZipFault::InvalidName:
      return L"Arhiva " + a + L" contine fisierul " + e + L", al carui nume " + NameProblemText(failure.problem, failure.character) + nothing;
    case ZipFault::PathTooLong:
      return L"Arhiva " + a + L" contine fisierul " + e + L" (" + std::to_wstring(failure.entry.size()) +
             L" de caractere), a carui cale in folderul de destinatie ar depasi lungimea permisa de Windows (" +
             std::to_wstring(kMaxFilePathLength) + L" de caractere pentru un fisier, " +
             std::to_wstring(kMaxFolderPathLength) + L" pentru un folder)" + nothing;
    case ZipFault::DuplicateName:
      if (failure.other == failure.entry) return L"Arhiva " + a + L" contine de doua ori fisierul " + e + nothing;
      return L"Arhiva " + a + L" contine fisierele " + ShownEntryName(failure.other) + L" si " + e +
             L", pe care Windows le scrie in acelasi fisier (nu deosebeste literele mari de cele mici)" + nothing;
    case ZipFault::FileFolderClash:
      return L"Arhiva " + a + L" foloseste acelasi nume si pentru un fisier, si pentru un folder: " +
             ShownEntryName(failure.other) + L" si " + e + nothing;
    case ZipFault::WriteError:
      return L"Nu pot scrie fisierul " + e + L" din arhiva " + a + L".";
    case ZipFault::DiskFull:
      return L"Nu pot scrie fisierul " + e + L" din arhiva " + a + L": nu mai este loc pe disc.";
    case ZipFault::Cancelled:
      return L"Dezarhivarea fisierului " + e + L" din arhiva " + a + L" a fost intrerupta.";
  }
  return {};
}

}  // namespace corvan
