#pragma once
// The rules of the fresh-install copy that need no platform: which archives may be
// missing from the media, how the installed engine's version is judged, and the
// sub-folders of the blank reference database emptied before it is unpacked.
#include <array>
#include <cstdint>
#include <string_view>

namespace corvan {

// OUTPOST.ZIP and PAYDESK.ZIP (any letter case): media without them install the rest.
bool IsOptionalArchive(std::wstring_view archiveName);

// The integer part of a version text: the characters before the first "." (or, without
// one, the first ","; without either, the whole text), each taken as (code - '0') into a
// decimal number. Characters that are not digits count the same way, so "3a" is 3*10+49;
// the sum wraps at 32 bits. An empty text gives 0.
std::int32_t BdeVersionNumber(std::wstring_view text);

// The installed engine is older than 4.0: its VERSION is not exactly "4.0" and its
// integer part is below 4.
bool IsOldEngineVersion(std::wstring_view version);

// Emptied, in this order, below the data folder before the blank database is unpacked.
inline constexpr std::array<const wchar_t*, 3> NewDatabaseFolders = {L"NEW\\DATA\\", L"NEW\\FIRMA\\", L"NEW\\LUNA\\"};

// A database is already in the data folder when it holds one of these.
inline constexpr std::array<const wchar_t*, 2> ExistingDatabaseMarkers = {L"DATA\\FIRME.DB", L"DATA\\OPERATOR.DB"};

}  // namespace corvan
