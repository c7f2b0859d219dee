#include "core/zip_reader.h"

#include <zlib.h>

#include <algorithm>
#include <utility>

#include "core/zip_names.h"

namespace corvan {
namespace {

constexpr std::uint32_t kLocalSig = 0x04034b50;
constexpr std::uint32_t kCentralSig = 0x02014b50;
constexpr std::uint32_t kEndSig = 0x06054b50;
constexpr std::uint32_t kZip64LocatorSig = 0x07064b50;
constexpr std::uint32_t kZip64EndSig = 0x06064b50;
constexpr std::uint32_t kDescriptorSig = 0x08074b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kCentralSize = 46;
constexpr std::size_t kLocalSize = 30;
constexpr std::size_t kLocatorSize = 20;
constexpr std::size_t kZip64EndSize = 56;

constexpr std::uint16_t kFlagEncrypted = 0x0001;
constexpr std::uint16_t kFlagDescriptor = 0x0008;
constexpr std::uint16_t kFlagStrongEncryption = 0x0040;
constexpr std::uint16_t kFlagUtf8 = 0x0800;
constexpr std::uint16_t kFlagMaskedHeaders = 0x2000;
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodDeflated = 8;
constexpr std::uint16_t kMethodAes = 99;
constexpr std::uint16_t kExtraZip64 = 0x0001;
constexpr std::uint16_t kExtraUnicodePath = 0x7075;

// Big enough that reads and writes are few and large, small enough that memory stays
// bounded: together about 1.3 MiB whatever the archive holds.
constexpr std::size_t kInputBuffer = 256 * 1024;
constexpr std::size_t kOutputBuffer = 1024 * 1024;

std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t Le32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint64_t Le64(const std::uint8_t* p) { return Le32(p) | static_cast<std::uint64_t>(Le32(p + 4)) << 32; }

ZipFailure Fail(ZipFault fault, std::wstring entry = {}) {
  ZipFailure failure;
  failure.fault = fault;
  failure.entry = std::move(entry);
  return failure;
}

// The data of the extra field with this id, or an empty view.
std::basic_string_view<std::uint8_t> FindExtra(const std::uint8_t* extra, std::size_t size, std::uint16_t id) {
  std::size_t pos = 0;
  while (size - pos >= 4) {
    const std::uint16_t tag = Le16(extra + pos), len = Le16(extra + pos + 2);
    if (len > size - pos - 4) break;
    if (tag == id) return {extra + pos + 4, len};
    pos += 4 + len;
  }
  return {};
}

// Reads the central directory front to back through one window, so a large directory
// is never held whole.
class DirectoryCursor {
 public:
  DirectoryCursor(ZipByteSource& source, std::uint64_t begin, std::uint64_t end)
      : source_(source), pos_(begin), end_(end) {}
  std::uint64_t Position() const { return pos_; }
  void Skip(std::size_t n) { pos_ += n; }
  // n bytes at the cursor; nullptr when they pass the directory's end (fault set).
  const std::uint8_t* Need(std::size_t n, ZipFault& fault) {
    if (n > end_ - pos_) {
      fault = ZipFault::Damaged;
      return nullptr;
    }
    if (pos_ < windowBegin_ || pos_ + n > windowBegin_ + window_.size()) {
      const std::size_t len = static_cast<std::size_t>(std::min<std::uint64_t>(end_ - pos_, std::max<std::size_t>(n, 64 * 1024)));
      window_.resize(len);
      windowBegin_ = pos_;
      if (!source_.ReadAt(pos_, window_.data(), len)) {
        window_.clear();
        fault = ZipFault::ReadError;
        return nullptr;
      }
    }
    return window_.data() + (pos_ - windowBegin_);
  }

 private:
  ZipByteSource& source_;
  std::uint64_t pos_, end_;
  std::uint64_t windowBegin_ = 0;
  std::vector<std::uint8_t> window_;
};

std::wstring NameForMessages(std::string_view bytes) { return *DecodeEntryName(bytes, false); }

// A leaving name is unsafe; any other problem makes a name Windows cannot write.
ZipFailure NameFailure(const CheckedName& checked, std::wstring name) {
  ZipFailure failure = Fail(checked.problem == NameProblem::LeavesFolder ? ZipFault::UnsafeName : ZipFault::InvalidName,
                            std::move(name));
  if (failure.fault == ZipFault::InvalidName) {
    failure.problem = checked.problem;
    failure.character = checked.character;
  }
  return failure;
}

// The entry's name: the Info-ZIP Unicode path field wins when it belongs to this name.
std::optional<std::wstring> EntryName(std::string_view raw, std::uint16_t flags,
                                      std::basic_string_view<std::uint8_t> unicodePath) {
  if (!(flags & kFlagUtf8) && unicodePath.size() >= 5 && unicodePath[0] == 1) {
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(raw.data()), static_cast<uInt>(raw.size())));
    if (crc == Le32(unicodePath.data() + 1)) {
      const auto* text = reinterpret_cast<const char*>(unicodePath.data() + 5);
      return DecodeEntryName({text, unicodePath.size() - 5}, true);
    }
  }
  return DecodeEntryName(raw, flags & kFlagUtf8);
}

}  // namespace

struct ZipReader::Inflater {
  z_stream stream{};
  bool ready = false;
  ~Inflater() {
    if (ready) inflateEnd(&stream);
  }
  bool Start() {
    if (ready) return inflateReset(&stream) == Z_OK;
    ready = inflateInit2(&stream, -MAX_WBITS) == Z_OK;  // raw deflate, as ZIP stores it
    return ready;
  }
};

ZipReader::ZipReader() = default;
ZipReader::~ZipReader() = default;

ZipFailure ZipReader::Open(ZipByteSource& source) {
  ZipFailure failure = ReadDirectory(source);
  if (failure) entries_.clear();  // a refused archive offers nothing to unpack
  return failure;
}

ZipFailure ZipReader::ReadDirectory(ZipByteSource& source) {
  source_ = &source;
  entries_.clear();
  const std::uint64_t size = source.Size();

  // End of central directory: the last record whose comment reaches exactly to the end.
  const std::size_t tailSize = static_cast<std::size_t>(std::min<std::uint64_t>(size, kEndSize + 0xFFFF));
  std::vector<std::uint8_t> tail(tailSize);
  if (tailSize && !source.ReadAt(size - tailSize, tail.data(), tailSize)) return Fail(ZipFault::ReadError);
  std::size_t endPos = std::string::npos;
  bool sawCutRecord = false, sawShortRecord = false;
  for (std::size_t pos = tailSize >= kEndSize ? tailSize - kEndSize + 1 : 0; pos-- > 0;) {
    if (Le32(&tail[pos]) != kEndSig) continue;
    if (Le16(&tail[pos + 20]) == tailSize - pos - kEndSize) {
      endPos = pos;
      break;
    }
    (Le16(&tail[pos + 20]) > tailSize - pos - kEndSize ? sawCutRecord : sawShortRecord) = true;
  }
  if (endPos == std::string::npos) {
    std::uint8_t head[4] = {};
    const bool looksLikeZip = size >= 4 && source.ReadAt(0, head, 4) && Le32(head) == kLocalSig;
    if (sawCutRecord) return Fail(ZipFault::Truncated);
    if (sawShortRecord) return Fail(ZipFault::Damaged);  // bytes after the end record
    return Fail(looksLikeZip ? ZipFault::Truncated : ZipFault::NotAnArchive);
  }
  const std::uint8_t* end = &tail[endPos];
  const std::uint64_t endOffset = size - tailSize + endPos;
  const std::uint16_t disk = Le16(end + 4), directoryDisk = Le16(end + 6);
  const std::uint16_t countHere = Le16(end + 8), count = Le16(end + 10);
  const std::uint32_t directorySize = Le32(end + 12), directoryOffset = Le32(end + 16);

  if (count == 0xFFFF || countHere == 0xFFFF || directorySize == 0xFFFFFFFF || directoryOffset == 0xFFFFFFFF)
    return Fail(ZipFault::Zip64);
  // Info-ZIP adds ZIP64 end records to a file it packs from standard input even when
  // every value fits the classic record; such an archive reads without ZIP64, once
  // both records agree. The directory then ends where the ZIP64 record begins. (When
  // the directory already ends at the end record, the bytes before it are its own.)
  std::uint64_t directoryEnd = endOffset;
  if (endOffset >= kLocatorSize && std::uint64_t{directoryOffset} + directorySize != endOffset) {
    std::uint8_t locator[kLocatorSize];
    if (!source.ReadAt(endOffset - kLocatorSize, locator, kLocatorSize)) return Fail(ZipFault::ReadError);
    if (Le32(locator) == kZip64LocatorSig) {
      const std::uint64_t recordOffset = Le64(locator + 8);
      std::uint8_t r[kZip64EndSize];
      if (Le32(locator + 4) != 0 || Le32(locator + 16) > 1 || recordOffset > endOffset - kLocatorSize ||
          endOffset - kLocatorSize - recordOffset < kZip64EndSize)
        return Fail(ZipFault::Damaged);
      if (!source.ReadAt(recordOffset, r, kZip64EndSize)) return Fail(ZipFault::ReadError);
      if (Le32(r) != kZip64EndSig || Le64(r + 4) != endOffset - kLocatorSize - recordOffset - 12 ||
          Le32(r + 16) != 0 || Le32(r + 20) != 0 || Le64(r + 24) != countHere || Le64(r + 32) != count ||
          Le64(r + 40) != directorySize || Le64(r + 48) != directoryOffset)
        return Fail(ZipFault::Damaged);
      directoryEnd = recordOffset;
    }
  }
  // One archive in one file: the last volume of a spanned or split archive says which
  // disk it is. A directory that does not end where the end records begin means
  // prepended, appended or damaged bytes.
  if (disk != 0 || directoryDisk != 0) return Fail(ZipFault::MultiDisk);
  if (countHere != count || std::uint64_t{directoryOffset} + directorySize != directoryEnd)
    return Fail(ZipFault::Damaged);

  DirectoryCursor cursor(source, directoryOffset, directoryEnd);
  ZipFault fault = ZipFault::None;
  std::vector<std::uint64_t> localOffsets;
  std::vector<std::string> rawNames;
  EntryNameIndex names;
  rawNames.reserve(count);
  entries_.reserve(count);
  localOffsets.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* h = cursor.Need(kCentralSize, fault);
    if (!h) return Fail(fault);
    if (Le32(h) != kCentralSig) return Fail(ZipFault::Damaged);
    const std::uint16_t flags = Le16(h + 8), method = Le16(h + 10);
    const std::uint32_t crc = Le32(h + 16), compressed = Le32(h + 20), uncompressed = Le32(h + 24);
    const std::uint16_t nameLen = Le16(h + 28), extraLen = Le16(h + 30), commentLen = Le16(h + 32);
    const std::uint16_t startDisk = Le16(h + 34);
    const std::uint32_t localOffset = Le32(h + 42);
    const std::size_t recordSize = kCentralSize + nameLen + extraLen + commentLen;
    h = cursor.Need(recordSize, fault);
    if (!h) return Fail(fault);
    cursor.Skip(recordSize);

    const std::string_view raw(reinterpret_cast<const char*>(h + kCentralSize), nameLen);
    if (raw.empty()) return Fail(ZipFault::Damaged);
    const auto name = EntryName(raw, flags, FindExtra(h + kCentralSize + nameLen, extraLen, kExtraUnicodePath));
    if (!name) return NameFailure({{}, NameProblem::NotText}, NameForMessages(raw));
    if (compressed == 0xFFFFFFFF || uncompressed == 0xFFFFFFFF || localOffset == 0xFFFFFFFF || startDisk == 0xFFFF)
      return Fail(ZipFault::Zip64, *name);
    if (flags & (kFlagEncrypted | kFlagStrongEncryption | kFlagMaskedHeaders) || method == kMethodAes)
      return Fail(ZipFault::Encrypted, *name);
    if (method != kMethodStored && method != kMethodDeflated) {
      ZipFailure failure = Fail(ZipFault::UnsupportedMethod, *name);
      failure.method = method;
      return failure;
    }
    CheckedName checked = CheckEntryName(*name);
    if (checked.problem != NameProblem::None) return NameFailure(checked, *name);

    ZipEntry entry;
    entry.name = *name;
    entry.path = std::move(checked.path);
    entry.folder = name->back() == L'/' || name->back() == L'\\';
    // A path no destination could hold is refused now; one that only a long
    // destination pushes past the limit, by CheckDestination.
    if (!FitsPathLimits(kShortestDestinationLength, entry.path, entry.folder))
      return Fail(ZipFault::PathTooLong, entry.name);
    if (const auto clash = names.Add(entry.path, entry.folder, i); clash.clash != EntryNameIndex::Clash::None) {
      ZipFailure failure = Fail(clash.clash == EntryNameIndex::Clash::SameName ? ZipFault::DuplicateName
                                                                                : ZipFault::FileFolderClash,
                                entry.name);
      failure.other = entries_[clash.other].name;
      return failure;
    }
    entry.flags = flags;
    entry.method = method;
    entry.crc = crc;
    entry.compressedSize = compressed;
    entry.size = uncompressed;
    if (startDisk != 0) return Fail(ZipFault::MultiDisk, entry.name);
    if ((method == kMethodStored && compressed != uncompressed) || (entry.folder && uncompressed != 0))
      return Fail(ZipFault::Damaged, entry.name);
    entries_.push_back(std::move(entry));
    localOffsets.push_back(localOffset);
    rawNames.emplace_back(raw);
  }
  if (cursor.Position() != directoryEnd) return Fail(ZipFault::Damaged);

  // Every local header must agree with the directory, and every entry's bytes (header,
  // data, descriptor) must lie before the directory without overlapping another's.
  std::vector<std::pair<std::uint64_t, std::uint64_t>> spans;
  spans.reserve(entries_.size());
  std::vector<std::uint8_t> local;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    ZipEntry& entry = entries_[i];
    const std::uint64_t offset = localOffsets[i];
    std::uint8_t h[kLocalSize];
    if (offset + kLocalSize > directoryOffset) return Fail(ZipFault::Damaged, entry.name);
    if (!source.ReadAt(offset, h, kLocalSize)) return Fail(ZipFault::ReadError, entry.name);
    const std::uint16_t nameLen = Le16(h + 26), extraLen = Le16(h + 28);
    if (Le32(h) != kLocalSig || offset + kLocalSize + nameLen + extraLen > directoryOffset)
      return Fail(ZipFault::Damaged, entry.name);
    local.resize(nameLen + extraLen);
    if (!source.ReadAt(offset + kLocalSize, local.data(), local.size())) return Fail(ZipFault::ReadError, entry.name);

    const std::uint16_t flags = Le16(h + 6), method = Le16(h + 8);
    const std::uint32_t crc = Le32(h + 14), compressed = Le32(h + 18), uncompressed = Le32(h + 22);
    const std::string_view localName(reinterpret_cast<const char*>(local.data()), nameLen);
    const bool descriptor = entry.flags & kFlagDescriptor;
    const bool wideDescriptor = !FindExtra(local.data() + nameLen, extraLen, kExtraZip64).empty();
    if (method != entry.method || (flags & kFlagEncrypted) || (flags & kFlagDescriptor) != (entry.flags & kFlagDescriptor))
      return Fail(ZipFault::Damaged, entry.name);
    if (localName != rawNames[i]) return Fail(ZipFault::Damaged, entry.name);
    if (!descriptor) {
      std::uint64_t localCompressed = compressed, localSize = uncompressed;
      if (compressed == 0xFFFFFFFF || uncompressed == 0xFFFFFFFF) {
        // Info-ZIP marks the sizes of a piped file this way and puts them in a ZIP64
        // field; the archive needs no ZIP64 as long as the directory holds real sizes.
        const auto wide = FindExtra(local.data() + nameLen, extraLen, kExtraZip64);
        std::size_t at = 0;
        auto next = [&](std::uint64_t& value) {
          if (value != 0xFFFFFFFF) return true;
          if (wide.size() < at + 8) return false;
          value = Le64(wide.data() + at);
          at += 8;
          return true;
        };
        if (!next(localSize) || !next(localCompressed)) return Fail(ZipFault::Zip64, entry.name);
      }
      if (crc != entry.crc || localCompressed != entry.compressedSize || localSize != entry.size)
        return Fail(ZipFault::Damaged, entry.name);
    } else {
      // Written before the sizes were known: zero (or the ZIP64 mark), or already right.
      auto fits = [&](std::uint32_t local, std::uint32_t central) {
        return local == 0 || local == central || (wideDescriptor && local == 0xFFFFFFFF);
      };
      if (!fits(crc, entry.crc) || !fits(compressed, entry.compressedSize) || !fits(uncompressed, entry.size))
        return Fail(ZipFault::Damaged, entry.name);
    }

    entry.dataOffset = offset + kLocalSize + nameLen + extraLen;
    std::uint64_t spanEnd = entry.dataOffset + entry.compressedSize;
    if (spanEnd > directoryOffset) return Fail(ZipFault::Damaged, entry.name);
    if (descriptor) {
      // The descriptor after the data must repeat the directory's CRC and sizes; its
      // signature is optional, and its sizes are 8 bytes when the local header had a
      // ZIP64 field.
      const std::size_t sizeBytes = wideDescriptor ? 8 : 4;
      const std::size_t bodySize = 4 + 2 * sizeBytes;
      std::uint8_t d[4 + 4 + 16] = {};
      const std::size_t available = static_cast<std::size_t>(std::min<std::uint64_t>(directoryOffset - spanEnd, 4 + bodySize));
      if (!source.ReadAt(spanEnd, d, available)) return Fail(ZipFault::ReadError, entry.name);
      auto matches = [&](const std::uint8_t* body) {
        const std::uint64_t c = wideDescriptor ? Le64(body + 4) : Le32(body + 4);
        const std::uint64_t u = wideDescriptor ? Le64(body + 4 + sizeBytes) : Le32(body + 4 + sizeBytes);
        return Le32(body) == entry.crc && c == entry.compressedSize && u == entry.size;
      };
      if (available >= 4 + bodySize && Le32(d) == kDescriptorSig && matches(d + 4))
        spanEnd += 4 + bodySize;
      else if (available >= bodySize && matches(d))
        spanEnd += bodySize;
      else
        return Fail(ZipFault::Damaged, entry.name);
    }
    spans.emplace_back(offset, spanEnd);
  }
  std::sort(spans.begin(), spans.end());
  for (std::size_t i = 1; i < spans.size(); ++i)
    if (spans[i].first < spans[i - 1].second) return Fail(ZipFault::Damaged);
  return {};
}

ZipFailure ZipReader::CheckDestination(std::size_t destinationLength) const {
  for (const ZipEntry& entry : entries_)
    if (!FitsPathLimits(destinationLength, entry.path, entry.folder)) return Fail(ZipFault::PathTooLong, entry.name);
  return {};
}

ZipFailure ZipReader::Unpack(std::size_t index, ZipEntrySink& sink, const ZipProgressCallback& progress) {
  const ZipEntry& entry = entries_.at(index);
  // The buffers grow to what the largest entry so far needs, up to their fixed sizes:
  // an archive of small files never pays for the big ones.
  auto grow = [](std::vector<std::uint8_t>& buffer, std::uint32_t need, std::size_t most) {
    const std::size_t size = std::min<std::size_t>(most, std::max<std::size_t>(need, 4096));
    if (buffer.size() < size) buffer.resize(size);
  };
  grow(input_, entry.compressedSize, kInputBuffer);
  grow(output_, entry.size, kOutputBuffer);
  ZipFailure failure = entry.method == kMethodStored ? UnpackStored(entry, sink, progress)
                                                     : UnpackDeflated(entry, sink, progress);
  if (failure) failure.entry = entry.name;
  return failure;
}

ZipFailure ZipReader::UnpackStored(const ZipEntry& entry, ZipEntrySink& sink, const ZipProgressCallback& progress) {
  std::uint64_t offset = entry.dataOffset, written = 0;
  std::uint32_t left = entry.size;
  uLong crc = crc32(0, Z_NULL, 0);
  do {
    const std::size_t n = std::min<std::size_t>(left, output_.size());
    if (n && !source_->ReadAt(offset, output_.data(), n)) return Fail(ZipFault::ReadError);
    crc = crc32(crc, output_.data(), static_cast<uInt>(n));
    offset += n;
    left -= static_cast<std::uint32_t>(n);
    // The last piece is handed on only once the whole entry is known to be right.
    if (left == 0 && crc != entry.crc) return Fail(ZipFault::CrcMismatch);
    if (n && !sink.Write(output_.data(), n)) return Fail(ZipFault::WriteError);
    written += n;
    if (progress && !progress(written)) return Fail(ZipFault::Cancelled);
  } while (left);
  return {};
}

ZipFailure ZipReader::UnpackDeflated(const ZipEntry& entry, ZipEntrySink& sink, const ZipProgressCallback& progress) {
  if (!inflater_) inflater_ = std::make_unique<Inflater>();
  if (!inflater_->Start()) return Fail(ZipFault::Damaged);
  z_stream& z = inflater_->stream;
  z.next_in = nullptr;
  z.avail_in = 0;

  std::uint64_t inOffset = entry.dataOffset, written = 0;
  std::uint32_t inLeft = entry.compressedSize;
  std::uint8_t* out = output_.data();
  const std::size_t capacity = output_.size();
  std::size_t filled = 0;
  std::uint8_t spare[16];  // catches output past the stated size once the buffer holds all of it
  uLong crc = crc32(0, Z_NULL, 0);

  auto flush = [&]() -> ZipFault {
    if (!sink.Write(out, filled)) return ZipFault::WriteError;
    written += filled;
    filled = 0;
    if (progress && !progress(written)) return ZipFault::Cancelled;
    return ZipFault::None;
  };

  for (;;) {
    if (z.avail_in == 0 && inLeft > 0) {
      const std::size_t n = std::min<std::size_t>(inLeft, input_.size());
      if (!source_->ReadAt(inOffset, input_.data(), n)) return Fail(ZipFault::ReadError);
      z.next_in = input_.data();
      z.avail_in = static_cast<uInt>(n);
      inOffset += n;
      inLeft -= static_cast<std::uint32_t>(n);
    }
    bool full = filled == capacity;
    if (full && written + filled < entry.size) {
      if (const ZipFault f = flush(); f != ZipFault::None) return Fail(f);
      full = false;
    }
    std::uint8_t* target = full ? spare : out + filled;
    const std::size_t room = full ? sizeof spare : capacity - filled;
    z.next_out = target;
    z.avail_out = static_cast<uInt>(room);
    const int ret = inflate(&z, Z_NO_FLUSH);
    const std::size_t got = room - z.avail_out;
    if (full && got) return Fail(ZipFault::SizeMismatch);
    crc = crc32(crc, target, static_cast<uInt>(got));
    filled += got;
    if (written + filled > entry.size) return Fail(ZipFault::SizeMismatch);
    if (ret == Z_STREAM_END) break;
    if (ret != Z_OK && ret != Z_BUF_ERROR) return Fail(ZipFault::Damaged);
    // Nothing more can come: the compressed data ends before its stream does.
    if (got == 0 && z.avail_in == 0 && inLeft == 0) return Fail(ZipFault::Damaged);
  }
  if (z.avail_in != 0 || inLeft != 0) return Fail(ZipFault::Damaged);  // bytes after the stream's end
  if (written + filled != entry.size) return Fail(ZipFault::SizeMismatch);
  if (crc != entry.crc) return Fail(ZipFault::CrcMismatch);
  if (filled || entry.size == 0)
    if (const ZipFault f = flush(); f != ZipFault::None) return Fail(f);
  return {};
}

}  // namespace corvan
