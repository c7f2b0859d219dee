// The archive reader as a command, for the benchmark: unpacks every entry of ARCHIVE
// under FOLDER through pread/write (the reader's own buffers, nothing mapped), checking
// every CRC as the setup does.   zip_extract ARCHIVE FOLDER
#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "core/zip_reader.h"
#include "core/text.h"

namespace {

class PosixSource : public corvan::ZipByteSource {
 public:
  explicit PosixSource(int fd) : fd_(fd) {
    struct stat st{};
    size_ = fstat(fd, &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
  }
  std::uint64_t Size() const override { return size_; }
  bool ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) override {
    while (size) {
      const ssize_t got = pread(fd_, buffer, size, static_cast<off_t>(offset));
      if (got <= 0) return false;
      buffer += got, offset += static_cast<std::uint64_t>(got), size -= static_cast<std::size_t>(got);
    }
    return true;
  }

 private:
  int fd_;
  std::uint64_t size_;
};

class PosixSink : public corvan::ZipEntrySink {
 public:
  explicit PosixSink(int fd) : fd_(fd) {}
  bool Write(const std::uint8_t* data, std::size_t size) override {
    while (size) {
      const ssize_t done = write(fd_, data, size);
      if (done <= 0) return false;
      data += done, size -= static_cast<std::size_t>(done);
    }
    return true;
  }

 private:
  int fd_;
};

// Entry paths use '/' on this side.
std::string Utf8(const std::wstring& text) {
  std::string out = corvan::ToUtf8(text);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

bool MakeParents(const std::string& path, bool includingLast) {
  for (std::size_t cut = path.find('/'); ; cut = path.find('/', cut + 1)) {
    const bool last = cut == std::string::npos;
    if (last && !includingLast) return true;
    const std::string sub = last ? path : path.substr(0, cut);
    if (!sub.empty() && mkdir(sub.c_str(), 0755) != 0 && errno != EEXIST) return false;
    if (last) return true;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zip_extract ARCHIVE FOLDER\n");
    return 2;
  }
  const int in = open(argv[1], O_RDONLY);
  if (in < 0) {
    std::perror(argv[1]);
    return 1;
  }
  PosixSource source(in);
  corvan::ZipReader reader;
  const std::wstring archive(argv[1], argv[1] + std::string(argv[1]).size());
  if (const corvan::ZipFailure f = reader.Open(source)) {
    std::fprintf(stderr, "%s\n", Utf8(corvan::ZipFailureMessage(f, archive)).c_str());
    return 1;
  }
  const std::string folder = argv[2];
  for (std::size_t i = 0; i < reader.Count(); ++i) {
    const corvan::ZipEntry& entry = reader.Entry(i);
    const std::string target = folder + "/" + Utf8(entry.path);
    if (!MakeParents(target, entry.folder)) {
      std::perror(target.c_str());
      return 1;
    }
    if (entry.folder) continue;
    const int out = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0) {
      std::perror(target.c_str());
      return 1;
    }
    PosixSink sink(out);
    const corvan::ZipFailure f = reader.Unpack(i, sink);
    close(out);
    if (f) {
      std::fprintf(stderr, "%s\n", Utf8(corvan::ZipFailureMessage(f, archive)).c_str());
      return 1;
    }
  }
  return 0;
}
