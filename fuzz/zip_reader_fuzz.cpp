// libFuzzer target: any bytes as an archive. The reader must never crash, read out of
// bounds or hang, and what it accepts must keep its promises: checked relative paths
// that fit under a drive root, no two names Windows would take for one, progress that
// rises to the stated size, and exactly the stated number of bytes.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "core/file_name_case.h"

#include "core/zip_names.h"
#include "core/zip_reader.h"

namespace {

struct CountingSink : corvan::ZipEntrySink {
  std::uint64_t bytes = 0;
  bool Write(const std::uint8_t*, std::size_t size) override {
    bytes += size;
    return true;
  }
};

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  corvan::ZipMemorySource source(data, size);
  corvan::ZipReader reader;
  const corvan::ZipFailure opened = reader.Open(source);
  Check(!corvan::ZipFailureMessage(opened, L"X.ZIP").empty() || !opened);
  if (opened) {
    Check(reader.Count() == 0);
    return 0;
  }
  std::set<std::wstring> names;
  for (std::size_t i = 0; i < reader.Count(); ++i) {
    const corvan::ZipEntry& entry = reader.Entry(i);
    const auto path = corvan::SafeRelativePath(entry.name);
    Check(path && *path == entry.path && !entry.path.empty());
    Check(entry.path.find(L':') == std::wstring::npos && entry.path.front() != L'\\');
    Check(corvan::FitsPathLimits(corvan::kShortestDestinationLength, entry.path, entry.folder));
    Check(names.insert(corvan::FileNameUpcase(entry.path)).second);
    Check(entry.dataOffset + entry.compressedSize <= size);

    CountingSink sink;
    std::uint64_t last = 0;
    int finals = 0;
    const corvan::ZipFailure failure = reader.Unpack(i, sink, [&](std::uint64_t written) {
      Check(written >= last && written <= entry.size && written == sink.bytes);
      finals += written == entry.size;
      last = written;
      return true;
    });
    Check(sink.bytes <= entry.size);
    if (!failure) Check(sink.bytes == entry.size && finals == 1);
    Check(!corvan::ZipFailureMessage(failure, L"X.ZIP").empty() || !failure);
  }
  return 0;
}
