#include "install/ZipArchive.h"

#include <windows.h>

#include <algorithm>

#include "core/file_name_case.h"
#include "core/text.h"
#include "core/unpack_folders.h"
#include "core/zip_names.h"
#include "core/zip_reader.h"
#include "platform/Files.h"
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

// Writes to the temporary file; remembers whether a refused write found the disk full.
class FileSink : public ZipEntrySink {
 public:
  explicit FileSink(HANDLE file) : file_(file) {}
  bool Write(const std::uint8_t* data, std::size_t size) override {
    while (size) {
      DWORD done = 0;
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
      if (!WriteFile(file_, data, want, &done, nullptr)) {
        diskFull_ = IsDiskFullError(GetLastError());
        return false;
      }
      if (done == 0) return false;
      data += done, size -= done;
    }
    return true;
  }
  bool DiskFull() const { return diskFull_; }

 private:
  HANDLE file_;
  bool diskFull_ = false;
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
    case ZipFault::Zip64:
    case ZipFault::MultiDisk: return ZipResult::Unsupported;
    case ZipFault::UnsafeName:
    case ZipFault::InvalidName:
    case ZipFault::PathTooLong:
    case ZipFault::DuplicateName:
    case ZipFault::FileFolderClash: return ZipResult::UnsafeName;
    case ZipFault::WriteError: return ZipResult::WriteError;
    case ZipFault::DiskFull: return ZipResult::DiskFull;
    case ZipFault::Cancelled: return ZipResult::Cancelled;
  }
  return ZipResult::Corrupt;
}

ZipError ErrorOf(const ZipFailure& failure, const std::wstring& archive) {
  ZipError error;
  error.result = ResultOf(failure.fault);
  error.fault = failure.fault;
  error.archive = archive;
  error.entry = failure.entry;
  error.message = ZipFailureMessage(failure, archive);
  return error;
}

ZipFailure Failure(ZipFault fault, const std::wstring& entry = {}) {
  ZipFailure failure;
  failure.fault = fault;
  failure.entry = entry;
  return failure;
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

// The folder an archive is unpacked into, as the limits count it: full, no trailing backslash.
std::wstring DestinationPath(const std::wstring& folder) { return WithoutTrailingBackslash(FullPath(folder)); }

bool IsFolder(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
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

// One temporary name after another in the target's folder: "~cz" + 4 hex digits + ".tmp".
std::wstring TemporaryName(std::uint16_t number) {
  static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring name = L"~cz0000.tmp";
  for (int k = 0; k < 4; ++k) name[6 - k] = kHex[(number >> (4 * k)) & 0xF];
  return name;
}

class ArchiveFile : public ZipArchive {
 public:
  explicit ArchiveFile(std::wstring path) : path_(std::move(path)) {}

  ZipError Open(const std::wstring& destination) {
    if (!source_.Open(path_)) return ErrorOf(Failure(ZipFault::ReadError), path_);
    if (ZipError error = ErrorOf(reader_.Open(source_), path_)) return error;
    if (destination.empty()) return {};
    return ErrorOf(reader_.CheckDestination(DestinationPath(destination).size()), path_);
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
    if (index < 0 || index >= Count()) return ErrorOf(Failure(ZipFault::Damaged), path_);
    return Extract(static_cast<std::size_t>(index), DestinationPath(folder), progress);
  }

  ZipError ExtractAll(const std::wstring& folder, const ZipEntryFilter& filter, const ZipProgress& progress) override {
    const std::wstring destination = DestinationPath(folder);
    if (ZipError error = ErrorOf(reader_.CheckDestination(destination.size()), path_)) return error;
    for (int i = 0; i < Count(); ++i) {
      if (filter && !filter(Name(i))) continue;
      if (ZipError error = Extract(static_cast<std::size_t>(i), destination, progress)) return error;
    }
    return {};
  }

 private:
  ZipError WriteFailure(const std::wstring& target, bool diskFull = false) {
    return ErrorOf(Failure(diskFull ? ZipFault::DiskFull : ZipFault::WriteError, target), path_);
  }

  ZipError Extract(std::size_t index, const std::wstring& destination, const ZipProgress& progress) {
    const ZipEntry& entry = reader_.Entry(index);
    // entry.path was checked when the archive was opened: relative, no "..", no drive,
    // no device name; the target can only lie under the destination. Its length is
    // checked against this destination before anything is made for it.
    if (!FitsPathLimits(destination.size(), entry.path, entry.folder))
      return ErrorOf(Failure(ZipFault::PathTooLong, entry.name), path_);
    const std::wstring target = destination + L"\\" + entry.path;
    const auto cut = entry.path.rfind(L'\\');
    const std::wstring_view folder = entry.folder ? std::wstring_view(entry.path)
                                     : cut == std::wstring::npos ? std::wstring_view()
                                                                 : std::wstring_view(entry.path).substr(0, cut);
    if (!MakeFolders(destination, folder)) return WriteFailure(target);
    if (entry.folder) {
      NoSink none;
      return ErrorOf(reader_.Unpack(index, none, progress), path_);
    }
    return WriteEntryFile(index, target, target.substr(0, target.rfind(L'\\')), progress);
  }

  // Makes (or checks) the destination and the folders of an entry, each once for the
  // life of the archive (for one destination at a time). The destination and its parents
  // are made as they are; below it, a folder that is a link (junction or symbolic link)
  // could lead outside the destination and is refused, as is a file in the way.
  bool MakeFolders(const std::wstring& destination, std::wstring_view folder) {
    if (FileNameUpcase(destination) != destinationKey_) {
      if (!MakeFolderTree(destination)) return false;
      destinationKey_ = FileNameUpcase(destination);
      folders_ = {};
    }
    for (const std::size_t length : folders_.Unknown(folder)) {
      const std::wstring_view relative = folder.substr(0, length);
      const std::wstring path = destination + L"\\" + std::wstring(relative);
      DWORD attributes = GetFileAttributesW(path.c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
        attributes = GetFileAttributesW(path.c_str());
      }
      if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
          !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
      folders_.Known(relative);
    }
    return true;
  }

  // A new temporary file in folder (its full path within MAX_PATH, checked before the
  // call); no handle when none can be made.
  KernelHandle CreateTemporary(const std::wstring& folder, std::wstring& temp) {
    for (int attempt = 0; attempt < 64; ++attempt) {
      temp = folder + L"\\" + TemporaryName(nextTemporary_++);
      if (temp.size() > kMaxFilePathLength) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return {};
      }
      KernelHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
      if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return {};
  }

  // A file that is not there yet is written under its own name: there is nothing of the
  // user's to lose, a failed entry is removed again, and the name is looked up once
  // instead of three times (Wine reads the whole folder for each name it does not find,
  // which made the temporary name and the move the largest cost of a small file). A file
  // that is there is written beside and moved over it.
  ZipError WriteEntryFile(std::size_t index, const std::wstring& target, const std::wstring& folder,
                          const ZipProgress& progress) {
    KernelHandle file(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return WriteBesideAndMove(index, target, folder, progress);
    const ZipFailure failure = UnpackInto(file, index, progress);
    if (!failure) return {};
    DeleteFileW(target.c_str());
    return EntryFailure(failure, target);
  }

  // Unpacks the entry into the open file and closes it; a full disk is told apart.
  ZipFailure UnpackInto(KernelHandle& file, std::size_t index, const ZipProgress& progress) {
    FileSink sink(file.Get());
    ZipFailure failure = reader_.Unpack(index, sink, progress);
    const bool closed = file.Close();
    const DWORD closeError = closed ? 0 : GetLastError();
    if (!failure && !closed) failure = Failure(IsDiskFullError(closeError) ? ZipFault::DiskFull : ZipFault::WriteError);
    if (failure.fault == ZipFault::WriteError && sink.DiskFull()) failure.fault = ZipFault::DiskFull;
    return failure;
  }

  ZipError EntryFailure(const ZipFailure& failure, const std::wstring& target) {
    if (failure.fault == ZipFault::WriteError || failure.fault == ZipFault::DiskFull)
      return WriteFailure(target, failure.fault == ZipFault::DiskFull);
    return ErrorOf(failure, path_);
  }

  // Written beside the target under a temporary name and moved over it only once the
  // entry is complete and checked, so a failed entry never leaves a half-written file
  // in place of the user's.
  ZipError WriteBesideAndMove(std::size_t index, const std::wstring& target, const std::wstring& folder,
                              const ZipProgress& progress) {
    std::wstring temp;
    KernelHandle file = CreateTemporary(folder, temp);
    if (!file) return WriteFailure(target, IsDiskFullError(GetLastError()));
    if (const ZipFailure failure = UnpackInto(file, index, progress)) {
      DeleteFileW(temp.c_str());
      return EntryFailure(failure, target);
    }
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      DeleteFileW(temp.c_str());
      return WriteFailure(target);
    }
    // A read-only file is replaced too; it keeps its attribute when the move fails.
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly) SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      const DWORD moveError = GetLastError();
      DeleteFileW(temp.c_str());
      if (readOnly) SetFileAttributesW(target.c_str(), attributes);
      return WriteFailure(target, IsDiskFullError(moveError));
    }
    return {};
  }

  std::wstring path_;
  FileSource source_;
  ZipReader reader_;
  std::wstring destinationKey_;  // upper-cased; the destination folders_ is relative to
  UnpackFolders folders_;
  std::uint16_t nextTemporary_ = static_cast<std::uint16_t>(GetCurrentProcessId() * 40503u);
};

}  // namespace

std::unique_ptr<ZipArchive> ZipArchive::Open(const std::wstring& path, ZipError& error, const std::wstring& destination) {
  auto archive = std::make_unique<ArchiveFile>(FullPath(path));
  error = archive->Open(destination);
  if (error) return nullptr;
  return archive;
}
