#pragma once
// A component archive or the upgrade package opened for unpacking: what the copy pages
// and the upgrade package need of a ZIP file, over the core's checked reader.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/zip_failure.h"

enum class ZipResult {
  Ok,
  ReadError,         // the archive could not be read (missing, locked, I/O error)
  Corrupt,           // damaged or truncated archive, bad sizes or offsets, CRC mismatch
  Unsupported,       // encryption, ZIP64, several volumes, a method other than stored/deflated
  UnsafeName,        // an entry name that cannot be written safely: leaving the destination,
                     // not a Windows name, too long there, or twice in the archive
  WriteError,        // a file or folder could not be created or written
  DiskFull,          // no room left in the destination
  Cancelled,         // the progress callback asked to stop
};

struct ZipError {
  ZipResult result = ZipResult::Ok;
  corvan::ZipFault fault = corvan::ZipFault::None;  // the precise reason
  std::wstring archive;  // full path of the archive
  std::wstring entry;    // entry name, when the failure belongs to one
  std::wstring message;  // a clear Romanian sentence naming the archive and the entry
  explicit operator bool() const { return result != ZipResult::Ok; }
};

// Called while an entry is written: the count of bytes of this entry written so far.
// Returning false stops the unpacking (ZipResult::Cancelled).
using ZipProgress = std::function<bool(std::uint64_t bytesWritten)>;
// Decides whether an entry is unpacked (the upgrade copy keeps the user's data).
using ZipEntryFilter = std::function<bool(const std::wstring& entryName)>;

class ZipArchive {
 public:
  // Opens and checks the central directory; nullptr with error filled in on failure.
  // With a destination, the archive is also refused when an entry's path under it would
  // pass the platform's length limits, so nothing is created for it.
  static std::unique_ptr<ZipArchive> Open(const std::wstring& path, ZipError& error,
                                          const std::wstring& destination = {});
  virtual ~ZipArchive() = default;

  virtual int Count() const = 0;
  virtual std::wstring Name(int index) const = 0;  // as stored, '/' turned into '\'
  virtual std::uint64_t UncompressedSize(int index) const = 0;
  virtual bool IsFolder(int index) const = 0;

  // Unpacks one entry into folder (creating the sub-folders of its name, replacing an
  // existing file), calling progress as it goes. The entry is written beside its target
  // under a temporary name, checked, then moved over it; a sub-folder that is a link is
  // refused. Each folder is made or checked once for the life of the archive.
  virtual ZipError ExtractEntry(int index, const std::wstring& folder, const ZipProgress& progress = {}) = 0;
  // Unpacks every entry the filter accepts (all when it is empty), in archive order, once
  // every entry's path under folder is known to fit the platform's limits.
  virtual ZipError ExtractAll(const std::wstring& folder, const ZipEntryFilter& filter = {},
                              const ZipProgress& progress = {}) = 0;
};
