// The archive reader as a command, for the benchmarks: unpacks every entry of ARCHIVE
// under FOLDER as the setup does (tools/posixmedia: names and lengths checked first, each
// folder made once, each entry written beside its target, its CRC checked, then moved
// over it, no link followed), through pread/write and the reader's own buffers.
//   zip_extract ARCHIVE FOLDER
#include <cstdio>
#include <string>

#include "core/text.h"
#include "tools/posixmedia/posix_media.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zip_extract ARCHIVE FOLDER\n");
    return 2;
  }
  const std::string archive = argv[1];
  if (const corvan::ZipFailure f = corvan::PosixUnpack(archive, argv[2])) {
    std::fprintf(stderr, "%s\n", corvan::ToUtf8(corvan::ZipFailureMessage(f, {archive.begin(), archive.end()})).c_str());
    return 1;
  }
  return 0;
}
