#pragma once
// The named ways reading or unpacking an archive can fail.
#include <cstdint>
#include <string>

#include "core/zip_names.h"

namespace corvan {

enum class ZipFault {
  None,
  ReadError,          // the source could not deliver bytes it claims to have
  NotAnArchive,       // no end-of-directory record and nothing that looks like a ZIP file
  Truncated,          // the archive or an entry's data ends early
  Damaged,            // inconsistent directory, local header or compressed stream
  SizeMismatch,       // an entry unpacks to another size than its header states
  CrcMismatch,        // an entry's bytes do not match its CRC-32
  UnsupportedMethod,  // neither stored nor deflated
  Encrypted,
  Zip64,
  MultiDisk,          // one volume of an archive spanned or split over several files
  UnsafeName,         // a name that would leave the destination folder
  InvalidName,        // a name Windows cannot write (ZipFailure::problem says why)
  PathTooLong,        // the entry's path under the destination passes the platform's limit
  DuplicateName,      // two entries Windows would write to one file (ZipFailure::other)
  FileFolderClash,    // a name that is a file in one entry and a folder in another
  WriteError,         // the sink refused bytes
  DiskFull,           // the sink refused bytes: no room left where the entry goes
  Cancelled,          // the progress callback asked to stop
};

struct ZipFailure {
  ZipFault fault = ZipFault::None;
  std::wstring entry;       // the entry's name, when the failure belongs to one
  std::uint16_t method = 0; // the compression method, for UnsupportedMethod
  NameProblem problem = NameProblem::None;  // why an InvalidName cannot be written
  wchar_t character = 0;                     // the reserved character it holds, if that is why
  std::wstring other;       // the earlier entry of a DuplicateName or FileFolderClash
  explicit operator bool() const { return fault != ZipFault::None; }
};

// The fault's name as written here ("PathTooLong"), for logs and the tests' corpus.
const char* ZipFaultName(ZipFault fault);

// A clear Romanian sentence naming the archive (and the entry, when there is one).
std::wstring ZipFailureMessage(const ZipFailure& failure, const std::wstring& archive);

// An entry's name as a message shows it: control characters as '?', and a name longer
// than a line cut in its middle (a hostile name may hold thousands of characters).
std::wstring ShownEntryName(const std::wstring& name);

}  // namespace corvan
