#include "component_archive.h"

#include <zip.h>

#include <algorithm>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace media {

namespace {

// 1 January 2026, 00:00 UTC: every entry gets this time, so builds are reproducible.
constexpr time_t kEntryTime = 1767225600;

std::string LibzipError(int code) {
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  std::string text = zip_error_strerror(&error);
  zip_error_fini(&error);
  return text;
}

struct ZipCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
struct EntryCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

}  // namespace

std::vector<std::string> FilesOf(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& item : fs::recursive_directory_iterator(folder))
    if (item.is_regular_file()) names.push_back(fs::relative(item.path(), folder).generic_string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string PackFolder(const fs::path& folder, const fs::path& archive) {
  const auto names = FilesOf(folder);
  if (names.empty()) return folder.string() + " holds no files";
  int code = 0;
  zip_t* z = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!z) return "cannot create " + archive.string() + ": " + LibzipError(code);
  for (const auto& name : names) {
    const fs::path file = folder / name;
    zip_source_t* source = zip_source_file(z, file.c_str(), 0, -1);
    const zip_int64_t index = source ? zip_file_add(z, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
      if (source) zip_source_free(source);
      const std::string text = "cannot add " + file.string() + ": " + zip_strerror(z);
      zip_discard(z);
      return text;
    }
    zip_set_file_compression(z, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9);
    zip_file_set_mtime(z, static_cast<zip_uint64_t>(index), kEntryTime, 0);
  }
  if (zip_close(z) != 0) {
    const std::string text = "cannot write " + archive.string() + ": " + zip_strerror(z);
    zip_discard(z);
    return text;
  }
  return {};
}

std::string VerifyArchive(const fs::path& archive, const fs::path& folder) {
  int code = 0;
  std::unique_ptr<zip_t, ZipCloser> z(zip_open(archive.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
  if (!z) return archive.string() + " cannot be read back: " + LibzipError(code);
  const auto names = FilesOf(folder);
  const zip_int64_t count = zip_get_num_entries(z.get(), 0);
  if (count != static_cast<zip_int64_t>(names.size()))
    return archive.string() + " holds " + std::to_string(count) + " entries, " + folder.string() + " " +
           std::to_string(names.size()) + " files";
  std::vector<char> expected(1 << 20), actual(1 << 20);
  for (zip_int64_t i = 0; i < count; ++i) {
    const std::string name = zip_get_name(z.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
    if (name != names[static_cast<std::size_t>(i)]) return archive.string() + ": unexpected entry " + name;
    std::ifstream in(folder / name, std::ios::binary);
    std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(z.get(), static_cast<zip_uint64_t>(i), 0));
    if (!entry || !in) return archive.string() + ": cannot open " + name;
    for (;;) {
      in.read(expected.data(), static_cast<std::streamsize>(expected.size()));
      const auto want = in.gcount();
      // zip_fread checks the CRC when the entry's end is reached.
      zip_int64_t got = 0;
      while (got < want) {
        const auto n = zip_fread(entry.get(), actual.data() + got, static_cast<zip_uint64_t>(want - got));
        if (n <= 0) break;
        got += n;
      }
      if (got != want || !std::equal(expected.begin(), expected.begin() + want, actual.begin()))
        return archive.string() + ": " + name + " differs from " + (folder / name).string();
      if (want < static_cast<std::streamsize>(expected.size())) break;
    }
    char extra;
    const auto tail = zip_fread(entry.get(), &extra, 1);
    if (tail < 0) return archive.string() + ": " + name + " cannot be read back: " + zip_file_strerror(entry.get());
    if (tail > 0) return archive.string() + ": " + name + " is longer than its file";
  }
  return {};
}

}  // namespace media
