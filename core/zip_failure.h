#pragma once
// The named ways reading or unpacking an archive can fail.
#include <cstdint>
#include <string>

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
  UnsafeName,         // a name that would leave the destination folder
  WriteError,         // the sink refused bytes
  Cancelled,          // the progress callback asked to stop
};

struct ZipFailure {
  ZipFault fault = ZipFault::None;
  std::wstring entry;       // the entry's name, when the failure belongs to one
  std::uint16_t method = 0; // the compression method, for UnsupportedMethod
  explicit operator bool() const { return fault != ZipFault::None; }
};

// A clear Romanian sentence naming the archive (and the entry, when there is one).
std::wstring ZipFailureMessage(const ZipFailure& failure, const std::wstring& archive);

}  // namespace corvan
