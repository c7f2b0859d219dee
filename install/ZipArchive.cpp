#include "install/ZipArchive.h"

#include <windows.h>

#include <algorithm>

#include "core/text.h"
#include "core/zip_reader.h"
#include "platform/KernelHandle.h"

using namespace corvan;

namespace {

class FileSource : public ZipByteSource {
 public:
  bool Open(const std::wstring& path) {
    file_ = KernelHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file_ || !GetFileSizeEx(file_.Get(), &size)) return false;
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    return true;
  }
  std::uint64_t Size() const override { return size_; }
  bool ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) override {
    while (size) {
      // A synchronous handle reads at the offset the OVERLAPPED names.
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset);
      at.OffsetHigh = static_cast<DWORD>(offset >> 32);
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
      DWORD got = 0;
      if (!ReadFile(file_.Get(), buffer, want, &got, &at) || got == 0) return false;
      buffer += got, offset += got, size -= got;
    }
    return true;
  }

 private:
  KernelHandle file_;
  std::uint64_t size_ = 0;
};

class FileSink : public ZipEntrySink {
 public:
  explicit FileSink(HANDLE file) : file_(file) {}
  bool Write(const std::uint8_t* data, std::size_t size) override {
    while (size) {
      DWORD done = 0;
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
      if (!WriteFile(file_, data, want, &done, nullptr) || done == 0) return false;
      data += done, size -= done;
    }
    return true;
  }

 private:
  HANDLE file_;
};

// The archive's bytes go nowhere for a folder entry; the reader still checks it.
struct NoSink : ZipEntrySink {
  bool Write(const std::uint8_t*, std::size_t size) override { return size == 0; }
};

ZipResult ResultOf(ZipFault fault) {
  switch (fault) {
    case ZipFault::None: return ZipResult::Ok;
    case ZipFault::ReadError: return ZipResult::ReadError;
    case ZipFault::NotAnArchive:
    case ZipFault::Truncated:
    case ZipFault::Damaged:
    case ZipFault::SizeMismatch:
    case ZipFault::CrcMismatch: return ZipResult::Corrupt;
    case ZipFault::UnsupportedMethod:
    case ZipFault::Encrypted:
    case ZipFault::Zip64: return ZipResult::Unsupported;
    case ZipFault::UnsafeName: return ZipResult::UnsafeName;
    case ZipFault::WriteError: return ZipResult::WriteError;
    case ZipFault::Cancelled: return ZipResult::Cancelled;
  }
  return ZipResult::Corrupt;
}

ZipError ErrorOf(const ZipFailure& failure, const std::wstring& archive) {
  ZipError error;
  error.result = ResultOf(failure.fault);
  error.archive = archive;
  error.entry = failure.entry;
  error.message = ZipFailureMessage(failure, archive);
  return error;
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD need = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (need == 0) return path;
  std::wstring full(need, L'\0');
  const DWORD got = GetFullPathNameW(path.c_str(), need, full.data(), nullptr);
  if (got == 0 || got >= need) return path;
  full.resize(got);
  return full;
}

bool IsFolder(const std::wstring& path, DWORD* attributes = nullptr) {
  const DWORD a = GetFileAttributesW(path.c_str());
  if (attributes) *attributes = a;
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates the folder and every missing parent.
bool MakeFolderTree(const std::wstring& folder) {
  const std::wstring path = WithoutTrailingBackslash(folder);
  if (path.empty() || IsFolder(path)) return true;
  const auto cut = path.find_last_of(L"\\/");
  if (cut != std::wstring::npos && cut > 0 && path[cut - 1] != L':' && !MakeFolderTree(path.substr(0, cut)))
    return false;
  return CreateDirectoryW(path.c_str(), nullptr) || (GetLastError() == ERROR_ALREADY_EXISTS && IsFolder(path));
}

class ArchiveFile : public ZipArchive {
 public:
  explicit ArchiveFile(std::wstring path) : path_(std::move(path)) {}

  ZipError Open() {
    if (!source_.Open(path_)) return ErrorOf(ZipFailure{ZipFault::ReadError, {}, 0}, path_);
    return ErrorOf(reader_.Open(source_), path_);
  }

  int Count() const override { return static_cast<int>(reader_.Count()); }
  std::wstring Name(int index) const override {
    std::wstring name = reader_.Entry(static_cast<std::size_t>(index)).name;
    std::replace(name.begin(), name.end(), L'/', L'\\');
    return name;
  }
  std::uint64_t UncompressedSize(int index) const override { return reader_.Entry(static_cast<std::size_t>(index)).size; }
  bool IsFolder(int index) const override { return reader_.Entry(static_cast<std::size_t>(index)).folder; }

  ZipError ExtractEntry(int index, const std::wstring& folder, const ZipProgress& progress) override {
    if (index < 0 || index >= Count()) return ErrorOf(ZipFailure{ZipFault::Damaged, {}, 0}, path_);
    const ZipEntry& entry = reader_.Entry(static_cast<std::size_t>(index));
    // entry.path was checked when the archive was opened: relative, no "..", no drive,
    // no device name; the target can only lie under folder.
    const std::wstring target = JoinPath(folder, entry.path);
    if (!MakeParents(folder, entry)) return WriteFailure(target);
    if (entry.folder) {
      if (!::IsFolder(target) && !CreateDirectoryW(target.c_str(), nullptr)) return WriteFailure(target);
      NoSink none;
      return ErrorOf(reader_.Unpack(static_cast<std::size_t>(index), none, progress), path_);
    }
    return WriteEntryFile(index, target, progress);
  }

  ZipError ExtractAll(const std::wstring& folder, const ZipEntryFilter& filter, const ZipProgress& progress) override {
    for (int i = 0; i < Count(); ++i) {
      if (filter && !filter(Name(i))) continue;
      if (ZipError error = ExtractEntry(i, folder, progress)) return error;
    }
    return {};
  }

 private:
  ZipError WriteFailure(const std::wstring& target) {
    return ErrorOf(ZipFailure{ZipFault::WriteError, target, 0}, path_);
  }

  // The destination and the sub-folders of the entry's name. A sub-folder that is a
  // link (junction or symbolic link) could lead outside the destination: refused.
  bool MakeParents(const std::wstring& folder, const ZipEntry& entry) {
    if (!MakeFolderTree(folder)) return false;
    std::size_t cut = 0;
    while ((cut = entry.path.find(L'\\', cut)) != std::wstring::npos) {
      const std::wstring sub = JoinPath(folder, entry.path.substr(0, cut++));
      const DWORD attributes = GetFileAttributesW(sub.c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!CreateDirectoryW(sub.c_str(), nullptr)) return false;
      } else if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
      }
    }
    return true;
  }

  // Written beside the target under a temporary name and moved over it only once the
  // entry is complete and checked, so a failed entry never leaves a half-written file
  // in place of the user's.
  ZipError WriteEntryFile(int index, const std::wstring& target, const ZipProgress& progress) {
    const std::wstring dir = target.substr(0, target.find_last_of(L'\\'));
    wchar_t temp[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(dir.c_str(), L"czp", 0, temp)) return WriteFailure(target);
    KernelHandle file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
      DeleteFileW(temp);
      return WriteFailure(target);
    }
    FileSink sink(file.Get());
    ZipFailure failure = reader_.Unpack(static_cast<std::size_t>(index), sink, progress);
    const bool closed = file.Close();
    if (!failure && !closed) failure = ZipFailure{ZipFault::WriteError, {}, 0};
    if (failure) {
      DeleteFileW(temp);
      if (failure.fault == ZipFault::WriteError) return WriteFailure(target);
      return ErrorOf(failure, path_);
    }
    DWORD attributes;
    if (::IsFolder(target, &attributes)) {
      DeleteFileW(temp);
      return WriteFailure(target);
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
      SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      DeleteFileW(temp);
      return WriteFailure(target);
    }
    return {};
  }

  std::wstring path_;
  FileSource source_;
  ZipReader reader_;
};

}  // namespace

std::unique_ptr<ZipArchive> ZipArchive::Open(const std::wstring& path, ZipError& error) {
  auto archive = std::make_unique<ArchiveFile>(FullPath(path));
  error = archive->Open();
  if (error) return nullptr;
  return archive;
}
