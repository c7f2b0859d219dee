#pragma once
// The rules of registering the database engine that need no platform: filling the
// registry template bde.reg with the Program Files folder, and the engine's use count.
#include <string>
#include <string_view>
#include <vector>

namespace corvan {

inline constexpr std::wstring_view ProgDirPlaceholder = L"$ProgDir$";

// The folder as a registry-file string: every backslash doubled.
std::wstring EscapeRegistryBackslashes(std::wstring_view folder);

// The first "$ProgDir$" of the line replaced by escapedFolder; everything after it is
// kept whole (a long line is never cut), a second placeholder stays as written.
std::wstring FillTemplateLine(std::wstring_view line, std::wstring_view escapedFolder);

// The template's lines: CR LF or LF ends a line; a last line without an end counts.
std::vector<std::wstring> SplitTemplateLines(std::wstring_view text);

// The whole template filled in for programFilesDir, one line each, every line ending in CR LF.
std::wstring FillRegistryTemplate(std::wstring_view text, std::wstring_view programFilesDir);

// The engine's "UseCount" after one more user: a decimal number plus one; a missing,
// empty, non-numeric or out-of-range value counts as 0, so it becomes "1".
std::wstring NextUseCount(std::wstring_view useCount);

}  // namespace corvan
