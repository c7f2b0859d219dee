#include "core/extract_progress.h"

namespace corvan {

void ExtractProgress::Reset() {
  zipSize_ = 0;
  zipProgres_ = 0;
  entryDone_ = true;
}

void ExtractProgress::CountEntry(std::uint64_t uncompressedSize) { zipSize_ += uncompressedSize / 1024; }

void ExtractProgress::BeginEntry(std::uint64_t uncompressedSize) {
  entrySize_ = uncompressedSize;
  entryDone_ = false;
}

std::uint32_t ExtractProgress::OnProgress(std::uint64_t bytesWritten) {
  const auto position = static_cast<std::uint32_t>(zipProgres_ + bytesWritten / 1024);
  if (!entryDone_ && bytesWritten == entrySize_) EndEntry();
  return position;
}

void ExtractProgress::EndEntry() {
  if (entryDone_) return;
  zipProgres_ += entrySize_ / 1024;
  entryDone_ = true;
}

}  // namespace corvan
