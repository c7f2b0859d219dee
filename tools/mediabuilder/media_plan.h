#pragma once
// Where every file of the installation media goes: on one folder (a CD) or cut over
// disks of a given capacity, in whole clusters as a FAT file system counts them.
#include <cstdint>
#include <string>
#include <vector>

namespace media {

// A file copied whole onto disk 1 (the setup, its configuration, the upgrade package).
struct WholeFile {
  std::string name;
  std::uint64_t size = 0;
};

// A component archive to be cut into parts BASE.1, BASE.2, ...
struct ArchiveToCut {
  std::string base;
  std::uint64_t size = 0;
};

// One file of a disk: bytes [offset, offset + length) of its source.
struct PlacedFile {
  std::string name;    // as written on the disk
  std::string source;  // the WholeFile name or the archive base it comes from
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
};

struct Disk {
  std::vector<PlacedFile> files;  // the marker DISKn first
};

struct Geometry {
  std::uint64_t capacity = 0;     // 0: one medium without limit (a CD or a folder)
  std::uint32_t cluster = 512;
  std::uint32_t rootEntries = 224;  // files a floppy's root folder can hold
};

// 1.44 MB floppy: 2847 data clusters of 512 bytes.
inline constexpr std::uint64_t kFloppyCapacity = 2847u * 512u;

// Space a file takes on the disk: whole clusters (an empty file takes none).
std::uint64_t SpaceOf(std::uint64_t size, std::uint32_t cluster);

struct Plan {
  std::vector<Disk> disks;
  std::string error;  // not empty when the media cannot be laid out
};

// Disk 1 holds the whole files, then every disk is filled with parts in archive order.
// A medium without capacity gets every archive as its part 1.
Plan PlanMedia(const std::vector<WholeFile>& wholeFiles, const std::vector<ArchiveToCut>& archives,
               const Geometry& geometry);

}  // namespace media
