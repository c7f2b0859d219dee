#pragma once
// A checked ZIP reader over zlib: the directory is read and cross-checked against
// every local header when the archive is opened; an entry is unpacked through fixed
// buffers, so memory stays bounded whatever the archive's size, and every byte is
// checked (sizes, CRC-32, offsets against the source's size).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/zip_failure.h"
#include "core/zip_source.h"

namespace corvan {

struct ZipEntry {
  std::wstring name;  // as stored, decoded ('/' separators)
  std::wstring path;  // the checked path relative to the destination ('\' separators)
  bool folder = false;
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  std::uint32_t crc = 0;
  std::uint32_t compressedSize = 0;
  std::uint32_t size = 0;  // uncompressed
  std::uint64_t dataOffset = 0;
};

// Bytes of this entry written so far; false stops the unpacking (ZipFault::Cancelled).
using ZipProgressCallback = std::function<bool(std::uint64_t written)>;

class ZipReader {
 public:
  ZipReader();
  ~ZipReader();
  ZipReader(const ZipReader&) = delete;
  ZipReader& operator=(const ZipReader&) = delete;

  // Reads and checks the whole directory. The source is borrowed and must outlive the
  // reader. Refuses an archive with any name that leaves the destination, that Windows
  // cannot write or could not hold under any folder, or that Windows would take for
  // another entry's, so nothing of it is written.
  ZipFailure Open(ZipByteSource& source);

  // Refuses the archive for a destination whose full path (without a trailing
  // backslash) has destinationLength characters when an entry's path under it would
  // pass the platform's limits (PathTooLong, naming the entry). Nothing is written.
  ZipFailure CheckDestination(std::size_t destinationLength) const;

  std::size_t Count() const { return entries_.size(); }
  const ZipEntry& Entry(std::size_t index) const { return entries_.at(index); }

  // Streams entry index into sink; progress (when set) follows every write and is
  // called exactly once with the entry's full size (once with 0 for an empty entry).
  // On failure the sink may hold part of the entry: its owner discards it.
  ZipFailure Unpack(std::size_t index, ZipEntrySink& sink, const ZipProgressCallback& progress = {});

 private:
  struct Inflater;
  ZipFailure ReadDirectory(ZipByteSource& source);
  ZipFailure UnpackStored(const ZipEntry& entry, ZipEntrySink& sink, const ZipProgressCallback& progress);
  ZipFailure UnpackDeflated(const ZipEntry& entry, ZipEntrySink& sink, const ZipProgressCallback& progress);

  ZipByteSource* source_ = nullptr;
  std::vector<ZipEntry> entries_;
  std::vector<std::uint8_t> input_;   // compressed bytes read from the source
  std::vector<std::uint8_t> output_;  // unpacked bytes on their way to the sink
  std::unique_ptr<Inflater> inflater_;
};

}  // namespace corvan
