#pragma once
// Entry names: decoding the stored bytes, the rule that keeps every name inside the
// destination folder and makes it a name Windows can write, the platform's length
// limits, and the index that finds two entries Windows would write to one file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace corvan {

// The name as text: UTF-8 when the archive says so (nullopt when the bytes are not
// valid UTF-8), else code page 437, the archive format's default.
std::optional<std::wstring> DecodeEntryName(std::string_view bytes, bool utf8);

// Why a name cannot be written under the destination folder.
enum class NameProblem : std::uint8_t {
  None,
  NotText,            // not valid UTF-8, or a NUL inside
  LeavesFolder,       // absolute, a drive letter, a UNC name, or a ".." component
  ControlCharacter,   // below U+0020, or DEL
  ReservedCharacter,  // one of <>"|?* or a ':' (past a drive letter it names a stream)
  DeviceName,         // CON, NUL, COM1, ... with any extension
  BadComponent,       // empty, an empty or "." component, or one ending in a dot or a blank
};

struct CheckedName {
  std::wstring path;  // relative to the destination, '\' separators; empty unless problem is None
  NameProblem problem = NameProblem::None;
  wchar_t character = 0;  // the reserved character, for ReservedCharacter
};

// The name as a path relative to the destination, or the first problem found; a name
// that leaves the folder is reported as such whatever else is wrong with it. A trailing
// separator (a folder entry) is dropped.
CheckedName CheckEntryName(std::wstring_view name);
// The checked path alone, nullopt when the name has any problem.
std::optional<std::wstring> SafeRelativePath(std::wstring_view name);

// Windows without long-path support: a folder's full path has at most 247 characters
// (CreateDirectoryW keeps room for an 8.3 name in it), a file's at most 259 (MAX_PATH
// less its terminator).
inline constexpr std::size_t kMaxFolderPathLength = 247;
inline constexpr std::size_t kMaxFilePathLength = 259;
// An entry is written beside its target under a temporary name of this length first.
inline constexpr std::size_t kTemporaryNameLength = 11;  // "~czXXXX.tmp"
// The shortest destination there is: a drive root, "C:" once its backslash is dropped.
inline constexpr std::size_t kShortestDestinationLength = 2;

// True when the entry (its checked relative path), its folders and its temporary file
// all stay within the limits under a destination whose full path, without a trailing
// backslash, has destinationLength characters.
bool FitsPathLimits(std::size_t destinationLength, std::wstring_view path, bool folder);

// The names of one archive as Windows sees them: letter case ignored (core/file_name_case),
// '\' and '/' alike, a file and a folder of one name the same name.
class EntryNameIndex {
 public:
  enum class Clash : std::uint8_t { None, SameName, FileAndFolder };
  struct Result {
    Clash clash = Clash::None;
    std::size_t other = 0;  // the earlier entry the name clashes with
  };
  // Adds entry `index` (its checked relative path); the clash with an earlier entry, if any.
  Result Add(std::wstring_view path, bool folder, std::size_t index);

 private:
  enum class Kind : std::uint8_t { ImpliedFolder, FolderEntry, File };
  struct Node {
    std::uint32_t id;
    Kind kind;
    std::size_t entry;
  };
  // One node per distinct folder or file, keyed by its parent's id and its upper-cased
  // name: each name is looked up once per entry whatever the depth.
  std::unordered_map<std::wstring, Node> nodes_;
  std::uint32_t nextId_ = 1;  // 0 is the destination folder
};

}  // namespace corvan
