#pragma once
// The counters of the lower gauge while an archive is unpacked, in KiB: the archive's
// size (sum of each entry's size div 1024) and the part already written. Entries under
// 1024 bytes count nothing.
#include <cstdint>

namespace corvan {

class ExtractProgress {
 public:
  // Before each archive: both counters back to 0.
  void Reset();
  // Counting pass: one call per entry of the archive.
  void CountEntry(std::uint64_t uncompressedSize);
  // Before an entry is written.
  void BeginEntry(std::uint64_t uncompressedSize);
  // A progress event of the current entry; returns the gauge position (low 32 bits).
  // The entry's size is added to the progress once, on the event that reaches it.
  std::uint32_t OnProgress(std::uint64_t bytesWritten);
  // After the entry was written: adds its size if no event reached it (an empty entry).
  void EndEntry();

  std::uint64_t ZipSize() const { return zipSize_; }
  std::uint64_t ZipProgres() const { return zipProgres_; }
  // The gauge's maximum: the low 32 bits of ZipSize.
  std::uint32_t GaugeMax() const { return static_cast<std::uint32_t>(zipSize_); }

 private:
  std::uint64_t zipSize_ = 0;
  std::uint64_t zipProgres_ = 0;
  std::uint64_t entrySize_ = 0;
  bool entryDone_ = true;
};

}  // namespace corvan
