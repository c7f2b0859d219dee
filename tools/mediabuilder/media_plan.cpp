#include "media_plan.h"

namespace media {

namespace {
// A floppy's FAT file system holds names of at most 8 characters, a "." and 3 more.
bool FitsEightDotThree(const std::string& name) {
  const auto dot = name.find('.');
  const std::string base = name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
  return !base.empty() && base.size() <= 8 && ext.size() <= 3 && ext.find('.') == std::string::npos;
}
}  // namespace

std::uint64_t SpaceOf(std::uint64_t size, std::uint32_t cluster) { return (size + cluster - 1) / cluster * cluster; }

Plan PlanMedia(const std::vector<WholeFile>& wholeFiles, const std::vector<ArchiveToCut>& archives,
               const Geometry& geometry) {
  Plan plan;
  const bool limited = geometry.capacity > 0;
  std::uint64_t used = 0;
  auto newDisk = [&] {
    plan.disks.emplace_back();
    const std::string marker = "DISK" + std::to_string(plan.disks.size());
    plan.disks.back().files.push_back({marker, marker, 0, 0});
    used = 0;
  };
  auto fits = [&](std::uint64_t size) {
    return !limited || (used + SpaceOf(size, geometry.cluster) <= geometry.capacity &&
                        plan.disks.back().files.size() < geometry.rootEntries);
  };

  if (limited && (geometry.capacity < geometry.cluster || geometry.rootEntries < 2)) {
    plan.error = "a disk must hold at least one cluster and two files";
    return plan;
  }
  newDisk();
  for (const auto& f : wholeFiles) {
    if (!fits(f.size)) {
      plan.error = f.name + " does not fit on disk 1 (" + std::to_string(f.size) + " bytes, " +
                   std::to_string(geometry.capacity - used) + " free)";
      return plan;
    }
    plan.disks.back().files.push_back({f.name, f.name, 0, f.size});
    used += SpaceOf(f.size, geometry.cluster);
  }

  for (const auto& a : archives) {
    if (a.size == 0) {
      plan.error = "archive " + a.base + " is empty";
      return plan;
    }
    std::uint64_t offset = 0;
    for (int part = 1; offset < a.size; ++part) {
      std::uint64_t length = a.size - offset;
      if (limited) {
        const std::uint64_t free = geometry.capacity - used;
        const std::uint64_t room = free / geometry.cluster * geometry.cluster;
        if (room == 0 || plan.disks.back().files.size() >= geometry.rootEntries) {
          newDisk();
          --part;
          continue;
        }
        length = std::min(length, room);
      }
      const std::string name = a.base + "." + std::to_string(part);
      if (limited && !FitsEightDotThree(name)) {
        plan.error = "the part " + name + " has no 8.3 name a floppy can hold";
        return plan;
      }
      plan.disks.back().files.push_back({name, a.base, offset, length});
      used += SpaceOf(length, geometry.cluster);
      offset += length;
    }
  }
  return plan;
}

}  // namespace media
