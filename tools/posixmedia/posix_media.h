#pragma once
// The setup's work on installation media done with POSIX calls, exactly as the Windows
// program does it, for the benchmarks (so their figures are the product's) and the
// native run of the hostile-media corpus: an archive unpacked into a folder (names and
// lengths checked first, each folder made or checked once, each entry written beside
// its target, checked, then moved over it, no link followed), and the parts of a media
// folder joined into archives (read to their end, never appended to a stale archive).
#include <string>

#include "core/install_settings.h"
#include "core/zip_failure.h"

namespace corvan {

// Unpacks every entry of the archive under folder (made when missing); the first
// failure, with the entry's full path for a write failure.
ZipFailure PosixUnpack(const std::string& archive, const std::string& folder);

enum class PosixJoinOutcome { Joined, Failed };
struct PosixJoinResult {
  PosixJoinOutcome outcome = PosixJoinOutcome::Joined;
  std::wstring message;  // Failed: what the setup would show
};
// Joins every wanted part in media (one disk, its marker not needed) into archives in work.
PosixJoinResult PosixJoin(const std::string& media, const std::string& work, TComponentSet wanted);

}  // namespace corvan
