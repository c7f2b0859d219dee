#pragma once
// Entry names: decoding the stored bytes and the rule that keeps every name inside
// the destination folder.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvan {

// The name as text: UTF-8 when the archive says so (nullopt when the bytes are not
// valid UTF-8), else code page 437, the archive format's default.
std::optional<std::wstring> DecodeEntryName(std::string_view bytes, bool utf8);

// The name as a path relative to the destination with '\' separators, or nullopt when
// it could leave the folder or cannot be a Windows file name: empty, absolute, a drive
// letter or any ':', a UNC name, a "." or ".." component, an empty component, a
// component ending in a dot or a blank (Windows drops those), a reserved device name,
// a control character or one of <>"|?*. A trailing separator (a folder entry) is dropped.
std::optional<std::wstring> SafeRelativePath(std::wstring_view name);

}  // namespace corvan
