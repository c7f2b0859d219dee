#pragma once
// The start-up decision: run from the media, the setup copies itself with its
// configuration and upgrade package into a fresh temporary folder, leaves a marker
// naming the media folder, starts the copy and ends.
#include <optional>
#include <string>

inline constexpr wchar_t MarkerName[] = L"INSTCORV.DAT";

// The marker's first line beside the program, or nothing when it is missing or unreadable.
std::optional<std::wstring> ReadRelaunchMarker(const std::wstring& folder);
// Writes the one-line marker (ANSI code page, CR LF). False on any write error.
bool WriteRelaunchMarker(const std::wstring& folder, const std::wstring& mediaFolder);

// The user's temporary folder in long form with a trailing backslash, then a new GUID
// as 32 upper-case hexadecimal digits and a backslash.
std::wstring NewLocalFolderName();

// Builds the local copy from the media folder mediaDir (with its trailing backslash)
// and starts it. Returns the local folder, or nothing when the marker could not be
// written (the message has then been shown and nothing is started).
std::optional<std::wstring> RelaunchFromLocalCopy(const std::wstring& mediaDir);
