#include "core/copy_rules.h"

#include "core/text.h"

namespace corvan {

bool IsOptionalArchive(std::wstring_view archiveName) {
  const std::wstring upper = UpperAscii(archiveName);
  return upper == L"OUTPOST.ZIP" || upper == L"PAYDESK.ZIP";
}

std::int32_t BdeVersionNumber(std::wstring_view text) {
  std::size_t end = text.find(L'.');
  if (end == std::wstring_view::npos) end = text.find(L',');
  if (end == std::wstring_view::npos) end = text.size();
  std::uint32_t value = 0;  // unsigned: the wrap of a long text is defined
  for (std::size_t i = 0; i < end; ++i)
    value = value * 10u + static_cast<std::uint32_t>(static_cast<std::int32_t>(text[i]) - L'0');
  return static_cast<std::int32_t>(value);
}

bool IsOldEngineVersion(std::wstring_view version) { return version != L"4.0" && BdeVersionNumber(version) < 4; }

}  // namespace corvan
