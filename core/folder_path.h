#pragma once
// Folder paths as the folders page and the folder picker read them, with Windows rules:
// the root of a full path, the names below it, the folder that holds one, and whether a
// typed folder is one that can be made. '\' and '/' both separate names.
#include <string>
#include <string_view>
#include <vector>

namespace corvan {

// The root of a full path with its backslash: "C:\" for a drive (the letter as typed),
// "\\server\share\" for a network share. Empty when the path is not full: relative
// ("Corvan"), relative to a drive's current folder ("C:Corvan", "C:"), or to the current
// drive ("\Corvan").
std::wstring FolderRoot(std::wstring_view path);

// The names below the root, in order; empty names (doubled separators, a trailing one)
// are dropped. For a path that is not full, every name of it.
std::vector<std::wstring> FolderNames(std::wstring_view path);

// The folder that holds the path's last name, without a trailing backslash unless it is
// the root: "C:\A\B\" gives "C:\A", "C:\A" gives "C:\". A root, or a path that is not
// full, gives empty.
std::wstring ParentFolder(std::wstring_view path);

// True when a folder can be made for the path as typed: a full path whose every name
// Windows can write (no reserved character, device name, "." or "..", or name ending
// in a dot or a blank).
bool IsMakeableFolderPath(std::wstring_view path);

}  // namespace corvan
