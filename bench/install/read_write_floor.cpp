// The floor of unpacking, for the installation benchmark: reads each archive once from
// start to end and writes, for every entry, a file of the entry's name and size — the
// same reads and writes as an unpacking, without inflating or checking anything.
//   read_write_floor FOLDER ARCHIVE...     (each archive into FOLDER/<its base name>)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "core/text.h"
#include "core/zip_reader.h"

namespace {

class PosixSource : public corvan::ZipByteSource {
 public:
  explicit PosixSource(int fd) : fd_(fd) {
    struct stat st{};
    size_ = fstat(fd, &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
  }
  std::uint64_t Size() const override { return size_; }
  bool ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) override {
    return pread(fd_, buffer, size, static_cast<off_t>(offset)) == static_cast<ssize_t>(size);
  }

 private:
  int fd_;
  std::uint64_t size_;
};

bool MakeParents(const std::string& path) {
  for (std::size_t cut = path.find('/', 1); cut != std::string::npos; cut = path.find('/', cut + 1))
    if (mkdir(path.substr(0, cut).c_str(), 0755) != 0 && errno != EEXIST) return false;
  return true;
}

bool Floor(const std::string& archive, const std::string& folder) {
  const int in = open(archive.c_str(), O_RDONLY);
  if (in < 0) return false;
  PosixSource source(in);
  corvan::ZipReader reader;  // only the directory: names and sizes
  if (reader.Open(source)) return false;
  std::vector<char> buffer(1 << 20);
  std::size_t filled = 0, used = 0;
  // The next bytes of the archive, read in order (at most want of them, where they lie
  // in the buffer); past its end the buffer is reused.
  auto next = [&](std::size_t want, std::size_t& count) -> const char* {
    if (used == filled) {
      const ssize_t got = read(in, buffer.data(), buffer.size());
      filled = got > 0 ? static_cast<std::size_t>(got) : buffer.size();
      used = 0;
    }
    count = std::min(want, filled - used);
    used += count;
    return buffer.data() + used - count;
  };
  for (std::size_t i = 0; i < reader.Count(); ++i) {
    const corvan::ZipEntry& entry = reader.Entry(i);
    std::string name = corvan::ToUtf8(entry.path);
    std::replace(name.begin(), name.end(), '\\', '/');
    const std::string target = folder + "/" + name;
    if (!MakeParents(target + (entry.folder ? "/" : ""))) return false;
    if (entry.folder) continue;
    const int out = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0) return false;
    for (std::uint64_t left = entry.size; left > 0;) {
      std::size_t n = 0;
      const char* bytes = next(static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size())), n);
      if (write(out, bytes, n) != static_cast<ssize_t>(n)) return close(out), false;
      left -= n;
    }
    close(out);
  }
  while (read(in, buffer.data(), buffer.size()) > 0) {
  }
  close(in);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: read_write_floor FOLDER ARCHIVE...\n");
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    std::string base = argv[i];
    base = base.substr(base.find_last_of('/') + 1);
    base = base.substr(0, base.find('.'));
    const std::string folder = std::string(argv[1]) + "/" + base;
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return std::perror(folder.c_str()), 1;
    if (!Floor(argv[i], folder)) return std::fprintf(stderr, "read_write_floor: %s failed\n", argv[i]), 1;
  }
  return 0;
}
