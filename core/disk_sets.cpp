#include "core/disk_sets.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include "core/text.h"

namespace corvan {

std::wstring_view PartExtension(std::wstring_view name) {
  const auto dot = name.rfind(L'.');
  return dot == std::wstring_view::npos ? std::wstring_view{} : name.substr(dot);
}

std::wstring_view PartBase(std::wstring_view name) { return name.substr(0, name.find(L'.')); }

std::uint64_t PartNumber(std::wstring_view name) {
  constexpr auto top = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t number = 0;
  for (wchar_t c : PartExtension(name)) {
    if (c < L'0' || c > L'9') continue;
    const unsigned digit = static_cast<unsigned>(c - L'0');
    number = number > (top - digit) / 10 ? top : number * 10 + digit;
  }
  return number;
}

bool StartsArchive(std::wstring_view name) { return PartExtension(name) == L".1"; }

std::wstring ArchiveNameOfPart(std::wstring_view name) { return std::wstring(PartBase(name)) + L".ZIP"; }

bool IsWantedPart(std::wstring_view name, TComponentSet wanted) {
  const auto ext = PartExtension(name);
  if (ext.empty() || ext.back() < L'0' || ext.back() > L'9') return false;
  const int row = FindComponent(PartBase(name));
  return row >= 0 && InSet(wanted, row);
}

void SortParts(std::vector<std::wstring>& names) {
  auto key = [](const std::wstring& n) {
    return std::make_tuple(UpperAscii(PartBase(n)), PartNumber(n), UpperAscii(n), n);
  };
  std::stable_sort(names.begin(), names.end(),
                   [&](const std::wstring& a, const std::wstring& b) { return key(a) < key(b); });
}

std::int32_t EffectiveDiskCount(std::int32_t configured, bool removableMedia) {
  return removableMedia ? configured : 1;
}

std::wstring DiskMarkerName(int n) { return L"DISK" + std::to_wstring(n); }

std::wstring DiskPromptText(int n) { return L"introdu discul de instalare cu numarul \r" + std::to_wstring(n); }

PartCopyResult CopyPartThroughBuffer(const PartReader& read, const PartWriter& write, char* buffer,
                                     std::size_t bufferSize) {
  PartCopyResult result;
  for (;;) {
    const std::int64_t got = read(buffer, bufferSize);
    if (got < 0) {
      result.fault = PartCopyFault::ReadError;
      return result;
    }
    if (got == 0) return result;
    if (!write(buffer, static_cast<std::size_t>(got))) {
      result.fault = PartCopyFault::WriteError;
      return result;
    }
    result.written += static_cast<std::uint64_t>(got);
  }
}

std::wstring PartReadFailureText(std::wstring_view part, int disk) {
  return L"Nu pot citi fisierul " + std::wstring(part) + L" de pe discul " + std::to_wstring(disk) +
         L".\rVerificati discul si apasati din nou 'Continua'.";
}

std::wstring ArchiveWriteFailureText(std::wstring_view archive, bool full) {
  if (full)
    return L"Nu pot scrie fisierul " + std::wstring(archive) +
           L": nu mai este loc pe disc.\rFaceti loc pe disc si apasati din nou 'Continua'.";
  return L"Nu pot scrie fisierul " + std::wstring(archive) +
         L".\rVerificati folderul programului si apasati din nou 'Continua'.";
}

std::wstring MissingFirstPartText(std::wstring_view part, int disk) {
  return L"Fisierul " + std::wstring(part) + L" de pe discul " + std::to_wstring(disk) + L" continua arhiva " +
         ArchiveNameOfPart(part) + L", dar inceputul ei (" + std::wstring(PartBase(part)) +
         L".1) nu se afla pe discurile dinainte.\rVerificati discurile de instalare.";
}

std::wstring PartBufferFailureText(std::wstring_view part) {
  return L"Nu am destula memorie pentru a copia fisierul " + std::wstring(part) + L".";
}

void Gauge::SetMax(std::uint32_t max) {
  max_ = max;
  position_ = std::min(position_, max_);
}

void Gauge::SetPosition(std::int64_t position) {
  position_ = static_cast<std::uint32_t>(std::clamp<std::int64_t>(position, 0, max_));
}

int Gauge::Percent() const {
  return max_ == 0 ? 0 : static_cast<int>(static_cast<std::uint64_t>(position_) * 100 / max_);
}

}  // namespace corvan
