#pragma once
// The installation finder's rules: the data folder an alias names, the root whose drive
// type tells a client installation, the program folders the Windows profile names, the
// folders the drive search looks into and what its status line says.
#include <cstdint>
#include <string>
#include <string_view>

namespace corvan {

// The data folder of an installation from its alias's folder: one trailing "\" dropped,
// then a final "\DATA" (in any letter case) dropped, since the alias names the DATA
// folder inside the data folder. "D:\Corvan\DATA\" and "D:\Corvan\data" give
// "D:\Corvan"; "D:\Corvan\DATA2" stays.
std::wstring DataFolderFromAlias(std::wstring_view aliasFolder);

// The root whose drive type says where a folder lies: for a network path the leading
// characters up to and including its fourth "\" ("\\srv\share\" of "\\srv\share\data",
// the backslash added when the share is the whole path); otherwise the first three
// characters ("D:\", the backslash added to a bare "D:").
std::wstring DriveTypeRoot(std::wstring_view folder);

// The Windows profile's values are read into a buffer of 33 characters: at most 32 come.
constexpr std::size_t ProfileValueLength = 32;

// The program file an AppPath value names: the value and "Corvan.exe", joined as they
// are (a value without its trailing backslash names no file in its folder).
std::wstring AppPathProgramFile(std::wstring_view appPath);

// The program folder a DatabasePath value names: its folder part (everything before its
// last "\", the "\" kept after a drive's ":") with its trailing backslash. Empty when the
// value holds no "\".
std::wstring DatabasePathProgramFolder(std::wstring_view databasePath);

// The drive search looks into folders of at most 100 characters (backslash included).
constexpr std::size_t SearchedFolderLength = 100;

// Whether the drive search looks into the folder (which ends in "\"): not past 100
// characters and not the Windows folder (windowsDirSlash ends in "\"; names are compared
// as Windows does, without regard to letter case).
bool IsSearchedFolder(std::wstring_view folder, std::wstring_view windowsDirSlash);

// The status line while a folder is searched: "Caut in .." and the last 31 characters of
// the folder (all of it when shorter).
constexpr std::size_t SearchStatusTailLength = 31;
std::wstring SearchStatusText(std::wstring_view folder);

// A program file counts when it is larger than 6,000,000 bytes.
constexpr std::uint64_t ProgramFileSizeLimit = 6000000;
constexpr bool IsProgramFileSize(std::uint64_t size) { return size > ProgramFileSizeLimit; }

}  // namespace corvan
