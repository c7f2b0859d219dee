// Joins part files into archives the way the setup does: the parts in part order, each
// through its own 2,500,000-byte buffer, part 1 creating the archive and every other part
// appended. Native, over POSIX files, with the same copy loop the setup uses.
//   join_parts OUT_FOLDER PART...
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/disk_sets.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: join_parts OUT_FOLDER PART...\n");
    return 2;
  }
  const std::string out = argv[1];
  std::vector<std::wstring> parts;
  for (int i = 2; i < argc; ++i) {
    const std::string p = argv[i];
    parts.emplace_back(p.begin(), p.end());
  }
  corvan::SortParts(parts);
  for (const auto& wide : parts) {
    const std::string path(wide.begin(), wide.end());
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const std::wstring wname(name.begin(), name.end());
    const auto base = corvan::ArchiveNameOfPart(wname);
    const std::string target = out + "/" + std::string(base.begin(), base.end());
    std::unique_ptr<char[]> buffer(new char[corvan::PartBufferSize]);
    const int in = open(path.c_str(), O_RDONLY);
    const int to = corvan::StartsArchive(wname) ? open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)
                                                : open(target.c_str(), O_WRONLY | O_APPEND);
    if (in >= 0 && to >= 0) {
      corvan::CopyPartThroughBuffer([&](char* b, std::size_t n) -> std::int64_t { return read(in, b, n); },
                                    [&](const char* d, std::size_t n) {
                                      while (n > 0) {
                                        const ssize_t w = write(to, d, n);
                                        if (w <= 0) return false;
                                        d += w;
                                        n -= static_cast<std::size_t>(w);
                                      }
                                      return true;
                                    },
                                    buffer.get(), corvan::PartBufferSize);
    }
    if (in >= 0) close(in);
    if (to >= 0) close(to);
  }
  return 0;
}
