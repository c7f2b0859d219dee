#pragma once
// Text rules with Windows semantics that the core needs: case-insensitive names,
// folders joined to names with one backslash, and the ANSI decimal form of numbers.
#include <string>
#include <string_view>

namespace corvan {

// Upper-cases ASCII letters only, as file-name comparison on the media does.
std::wstring UpperAscii(std::wstring_view text);
bool SameNameNoCase(std::wstring_view a, std::wstring_view b);
// Upper-cases the letters of the Latin script the setup writes in (ASCII, Latin-1,
// Latin Extended-A and the Romanian comma letters); every other character stays.
std::wstring UpperText(std::wstring_view text);

// Folder + "\" + name, adding the backslash only when the folder does not end in one.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);
// The folder with exactly one trailing backslash (an empty folder stays empty).
std::wstring WithTrailingBackslash(std::wstring_view folder);
std::wstring WithoutTrailingBackslash(std::wstring_view folder);

// UTF-8 bytes of the text, each wchar_t taken as one code point (the native side's wide
// strings are UTF-32; the host tools and native tests print and name files with it).
std::string ToUtf8(std::wstring_view text);

}  // namespace corvan
