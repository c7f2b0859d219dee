#pragma once
// File tests and whole-file reads and writes: the relaunch marker, the engine's registry
// template and the tests' fixtures are small files read or written in one piece.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// True for the platform's errors of a disk with no room left.
bool IsDiskFullError(unsigned long error);

// True for an existing file (a folder of that name does not count).
bool FileExists(const std::wstring& path);
// True for an existing folder (a file of that name does not count).
bool FolderExists(const std::wstring& path);

// The file's bytes, or nothing when it cannot be opened or read; GetLastError() then says
// why (ERROR_FILE_NOT_FOUND and ERROR_PATH_NOT_FOUND for a missing file). A file longer
// than maxBytes gives its first maxBytes (what reads a file it did not write keeps its
// memory bounded so).
std::optional<std::string> ReadWholeFile(const std::wstring& path, std::size_t maxBytes = SIZE_MAX);

// Creates or replaces the file with the bytes. False when any of it could not be written
// (the file may then be missing or short).
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

// While it lives, the thread's file calls on a drive without its medium (a floppy or CD
// drive left empty) fail as "not ready" instead of asking the user to insert one.
class QuietDriveErrors {
 public:
  QuietDriveErrors();
  ~QuietDriveErrors();
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  unsigned long old_ = 0;
};
