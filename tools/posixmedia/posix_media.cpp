#include "tools/posixmedia/posix_media.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/disk_sets.h"
#include "core/file_name_case.h"
#include "core/text.h"
#include "core/unpack_folders.h"
#include "core/zip_names.h"
#include "core/zip_reader.h"

namespace corvan {
namespace {

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  Fd& operator=(Fd&& other) noexcept {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    return *this;
  }
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  bool Close() {
    const bool ok = fd_ < 0 || close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

class PosixSource : public ZipByteSource {
 public:
  explicit PosixSource(int fd) : fd_(fd) {
    struct stat st {};
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

class PosixSink : public ZipEntrySink {
 public:
  explicit PosixSink(int fd) : fd_(fd) {}
  bool Write(const std::uint8_t* data, std::size_t size) override {
    while (size) {
      const ssize_t done = write(fd_, data, size);
      if (done <= 0) {
        full_ = done < 0 && (errno == ENOSPC || errno == EDQUOT || errno == EFBIG);
        return false;
      }
      data += done, size -= static_cast<std::size_t>(done);
    }
    return true;
  }
  bool Full() const { return full_; }

 private:
  int fd_;
  bool full_ = false;
};

std::wstring Wide(const std::string& text) { return {text.begin(), text.end()}; }

// Entry paths use '/' on this side.
std::string PosixPath(const std::wstring& path) {
  std::string out = ToUtf8(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

ZipFailure Failure(ZipFault fault, const std::string& entry) {
  ZipFailure failure;
  failure.fault = fault;
  failure.entry = Wide(entry);
  return failure;
}

// The destination and its parents are made as they are (mkdir -p).
bool MakeFolderTree(const std::string& folder) {
  for (std::size_t cut = folder.find('/', 1);; cut = folder.find('/', cut + 1)) {
    const std::string sub = folder.substr(0, cut);
    if (!sub.empty() && mkdir(sub.c_str(), 0755) != 0 && errno != EEXIST) return false;
    if (cut == std::string::npos) return true;
  }
}

// A folder below the destination: made, or checked to be a real folder (a link could
// lead outside the destination, and is refused like a file in the way).
bool MakeRealFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0755) == 0) return true;
  struct stat st {};
  return errno == EEXIST && lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

class Unpacker {
 public:
  Unpacker(ZipReader& reader, std::string destination) : reader_(reader), destination_(std::move(destination)) {}

  ZipFailure Entry(std::size_t index) {
    const ZipEntry& entry = reader_.Entry(index);
    const auto cut = entry.path.rfind(L'\\');
    const std::wstring folder = entry.folder ? entry.path : cut == std::wstring::npos ? L"" : entry.path.substr(0, cut);
    const std::string name = entry.folder ? "" : PosixPath(cut == std::wstring::npos ? entry.path : entry.path.substr(cut + 1));
    // As Windows would: a folder of the entry is the one made before under any letter case.
    std::string target = destination_ + "/" + PosixPath(entry.path);
    if (!FitsPathLimits(destination_.size(), entry.path, entry.folder))
      return Failure(ZipFault::PathTooLong, ToUtf8(entry.name));
    if (!destinationMade_) {
      if (!MakeFolderTree(destination_)) return Failure(ZipFault::WriteError, target);
      destinationMade_ = true;
    }
    for (const std::size_t length : folders_.Unknown(folder)) {
      const std::wstring made = folder.substr(0, length);
      const auto up = made.rfind(L'\\');
      const std::string path = (up == std::wstring::npos ? destination_ : Spelled(made.substr(0, up))) + "/" +
                               PosixPath(made.substr(up == std::wstring::npos ? 0 : up + 1));
      if (!MakeRealFolder(path)) return Failure(ZipFault::WriteError, target);
      folders_.Known(made);
      spelled_[FileNameUpcase(made)] = path;
    }
    target = entry.folder ? Spelled(folder) : Spelled(folder) + "/" + name;
    if (entry.folder) {
      struct NoSink : ZipEntrySink {
        bool Write(const std::uint8_t*, std::size_t size) override { return size == 0; }
      } none;
      return reader_.Unpack(index, none);
    }
    const std::string parent = Spelled(folder);
    std::string temp;
    Fd out;
    for (int attempt = 0; attempt < 64 && !out; ++attempt) {
      char name[16];
      std::snprintf(name, sizeof name, "~cz%04X.tmp", static_cast<unsigned>(nextTemporary_++ & 0xFFFF));
      temp = parent + "/" + name;
      out = Fd(open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
      if (!out && errno != EEXIST) break;
    }
    if (!out) return Failure(errno == ENOSPC ? ZipFault::DiskFull : ZipFault::WriteError, target);
    PosixSink sink(out.get());
    ZipFailure failure = reader_.Unpack(index, sink);
    const bool closed = out.Close();
    if (!failure && !closed) failure = Failure(errno == ENOSPC ? ZipFault::DiskFull : ZipFault::WriteError, target);
    if (failure.fault == ZipFault::WriteError) failure = Failure(sink.Full() ? ZipFault::DiskFull : ZipFault::WriteError, target);
    struct stat st {};
    if (!failure && lstat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) failure = Failure(ZipFault::WriteError, target);
    // rename replaces a link itself, never what it points to.
    if (!failure && rename(temp.c_str(), target.c_str()) != 0) failure = Failure(ZipFault::WriteError, target);
    if (failure) unlink(temp.c_str());
    return failure;
  }

 private:
  // The real path of a folder of the entries (relative, any letter case).
  std::string Spelled(const std::wstring& folder) const {
    if (folder.empty()) return destination_;
    const auto it = spelled_.find(FileNameUpcase(folder));
    return it == spelled_.end() ? destination_ + "/" + PosixPath(folder) : it->second;
  }

  ZipReader& reader_;
  std::string destination_;
  std::unordered_map<std::wstring, std::string> spelled_;  // upper-cased relative folder -> real path
  UnpackFolders folders_;
  bool destinationMade_ = false;
  unsigned nextTemporary_ = static_cast<unsigned>(getpid()) * 40503u;
};

std::vector<std::string> WantedParts(const std::string& media, TComponentSet wanted) {
  std::vector<std::wstring> names;
  if (DIR* dir = opendir(media.c_str())) {
    while (const dirent* e = readdir(dir)) {
      const std::string name = e->d_name;
      if (name != "." && name != ".." && IsWantedPart(Wide(name), wanted)) names.push_back(Wide(name));
    }
    closedir(dir);
  }
  SortParts(names);
  std::vector<std::string> out;
  for (const auto& n : names) out.emplace_back(n.begin(), n.end());
  return out;
}

}  // namespace

ZipFailure PosixUnpack(const std::string& archive, const std::string& folder) {
  Fd in(open(archive.c_str(), O_RDONLY | O_CLOEXEC));
  if (!in) return Failure(ZipFault::ReadError, {});
  PosixSource source(in.get());
  ZipReader reader;
  if (ZipFailure f = reader.Open(source)) return f;
  std::string destination = folder;
  while (destination.size() > 1 && destination.back() == '/') destination.pop_back();
  if (ZipFailure f = reader.CheckDestination(destination.size())) return f;
  Unpacker unpacker(reader, destination);
  for (std::size_t i = 0; i < reader.Count(); ++i)
    if (ZipFailure f = unpacker.Entry(i)) return f;
  return {};
}

PosixJoinResult PosixJoin(const std::string& media, const std::string& work, TComponentSet wanted) {
  const std::unique_ptr<char[]> buffer(new char[PartBufferSize]);
  // Archive (upper-cased) -> its file, named as its ".1" is: "exe.2" joins "EXE.ZIP", as on Windows.
  std::map<std::wstring, std::string> begun;
  for (const std::string& name : WantedParts(media, wanted)) {
    const std::wstring wide = Wide(name);
    const std::wstring archive = ArchiveNameOfPart(wide);
    const std::wstring key = UpperAscii(archive);
    const bool first = StartsArchive(wide);
    if (!first && !begun.count(key)) return {PosixJoinOutcome::Failed, MissingFirstPartText(wide, 1)};
    const std::string target = first ? work + "/" + std::string(archive.begin(), archive.end()) : begun[key];
    auto abandon = [&](std::wstring text) {
      if (begun.erase(key)) unlink(target.c_str());
      return PosixJoinResult{PosixJoinOutcome::Failed, std::move(text)};
    };
    Fd in(open((media + "/" + name).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (!in || fstat(in.get(), &st) != 0) return abandon(PartReadFailureText(wide, 1));
    if (first) begun.erase(key);
    Fd out(open(target.c_str(), first ? O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC : O_WRONLY | O_APPEND | O_CLOEXEC, 0644));
    if (!out) return abandon(ArchiveWriteFailureText(Wide(target), errno == ENOSPC));
    if (first) begun[key] = target;
    bool full = false;
    const PartCopyResult copied = CopyPartThroughBuffer(
        [&](char* data, std::size_t size) -> std::int64_t { return read(in.get(), data, size); },
        [&](const char* data, std::size_t size) {
          while (size) {
            const ssize_t put = write(out.get(), data, size);
            if (put <= 0) {
              full = put < 0 && errno == ENOSPC;
              return false;
            }
            data += put, size -= static_cast<std::size_t>(put);
          }
          return true;
        },
        buffer.get(), PartBufferSize);
    if (copied.fault == PartCopyFault::WriteError) return abandon(ArchiveWriteFailureText(Wide(target), full));
    if (copied.fault == PartCopyFault::ReadError || copied.written != static_cast<std::uint64_t>(st.st_size))
      return abandon(PartReadFailureText(wide, 1));
    if (!out.Close()) return abandon(ArchiveWriteFailureText(Wide(target), errno == ENOSPC));
  }
  return {};
}

}  // namespace corvan
