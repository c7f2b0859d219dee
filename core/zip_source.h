#pragma once
// Where the archive reader takes its bytes from and where it puts an entry's bytes.
// The Win32 layer supplies a file source and a folder sink; tests and the fuzzer use
// the in-memory source below.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace corvan {

class ZipByteSource {
 public:
  virtual ~ZipByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  // Fills buffer with size bytes from offset; false on a read error or a short read.
  virtual bool ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) = 0;
};

class ZipEntrySink {
 public:
  virtual ~ZipEntrySink() = default;
  // Receives the next bytes of the entry; false when they could not be written.
  virtual bool Write(const std::uint8_t* data, std::size_t size) = 0;
};

// An archive held in memory (borrowed: the bytes must outlive the source).
class ZipMemorySource : public ZipByteSource {
 public:
  ZipMemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  explicit ZipMemorySource(const std::vector<std::uint8_t>& bytes) : ZipMemorySource(bytes.data(), bytes.size()) {}
  std::uint64_t Size() const override { return size_; }
  bool ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) override {
    if (offset > size_ || size > size_ - offset) return false;
    if (size) std::memcpy(buffer, data_ + offset, size);
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace corvan
