#pragma once
// The rules of the installation disks that need no platform: which media files are
// parts of a wanted component, the order in which parts are joined, and the gauges
// that follow the work (a position always kept between 0 and the maximum).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/install_settings.h"

namespace corvan {

// Each part is copied through one buffer of this size.
inline constexpr std::size_t PartBufferSize = 2'500'000;

// The text from the last "." on ("" when the name has no ".").
std::wstring_view PartExtension(std::wstring_view name);
// The text before the first "." (the whole name when there is none).
std::wstring_view PartBase(std::wstring_view name);
// The extension's digits read as a number (".12" -> 12, ".01" -> 1); saturates instead of overflowing.
std::uint64_t PartNumber(std::wstring_view name);
// Part 1 creates its archive anew; every other part is appended.
bool StartsArchive(std::wstring_view name);
// The archive a part belongs to: its base, in the letter case found on the media, + ".ZIP".
std::wstring ArchiveNameOfPart(std::wstring_view name);

// A media file is a wanted part when its extension ends in a digit and its base names a
// component of the wanted set (without regard to case).
bool IsWantedPart(std::wstring_view name, TComponentSet wanted);

// The order of joining: by base without regard to case, then by part number as a number.
void SortParts(std::vector<std::wstring>& names);

// The media is walked as several disks only when it is a removable drive.
std::int32_t EffectiveDiskCount(std::int32_t configured, bool removableMedia);

// The name of the marker that shows disk n is in the drive: "DISK" + n.
std::wstring DiskMarkerName(int n);
// The disk prompt's text: the request, then the number on a line of its own.
std::wstring DiskPromptText(int n);

// Reads up to size bytes into the buffer: the count read (0 at the end of the part), or
// -1 on a read error.
using PartReader = std::function<std::int64_t(char* buffer, std::size_t size)>;
// Writes every byte given; false on a write error.
using PartWriter = std::function<bool(const char* data, std::size_t size)>;

enum class PartCopyFault : std::uint8_t { None, ReadError, WriteError };
struct PartCopyResult {
  std::uint64_t written = 0;
  PartCopyFault fault = PartCopyFault::None;
};
// Copies one part through the buffer in one sequential pass, writing what each read
// gave, until a read gives nothing: a read that fills less than the buffer is not the
// end of the part (a network drive or a failing floppy may hand out fewer bytes than
// asked). Stops at a read or a write error, and says which.
PartCopyResult CopyPartThroughBuffer(const PartReader& read, const PartWriter& write, char* buffer,
                                     std::size_t bufferSize);

// What the join tells the user when it cannot go on, each with what to do next.
// A part that cannot be opened or read: its name and the disk it is on.
std::wstring PartReadFailureText(std::wstring_view part, int disk);
// An archive of the work folder that cannot be made or written; full: no room is left.
std::wstring ArchiveWriteFailureText(std::wstring_view archive, bool full);
// A part after the first whose archive this join has not begun: its ".1" was not on an
// earlier disk (whatever archive of that name lies in the work folder is stale).
std::wstring MissingFirstPartText(std::wstring_view part, int disk);
// The part buffer could not be had.
std::wstring PartBufferFailureText(std::wstring_view part);

// A gauge as the copy pages show it.
class Gauge {
 public:
  void SetMax(std::uint32_t max);
  void SetPosition(std::int64_t position);  // kept between 0 and the maximum
  std::uint32_t Max() const { return max_; }
  std::uint32_t Position() const { return position_; }
  // Whole percent of the maximum; 0 when the maximum is 0.
  int Percent() const;

 private:
  std::uint32_t max_ = 100;
  std::uint32_t position_ = 0;
};

}  // namespace corvan
