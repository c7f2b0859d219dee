#pragma once
// File names without regard to letter case, as Windows compares them: every character
// of the Basic Multilingual Plane through the file system's upper-case table (not only
// ASCII: "Scoala.txt" and "SCOALA.TXT" are one file, and so are "ș.txt" and "Ș.txt").
#include <string>
#include <string_view>

namespace corvan {

// The character Windows' file systems compare c as.
wchar_t FileNameUpcase(wchar_t c);
std::wstring FileNameUpcase(std::wstring_view name);

}  // namespace corvan
