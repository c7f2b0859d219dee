// Archives made by other tools — Info-ZIP zip (plain, stored, piped, from standard
// input) and Python's zipfile (deflated, stored, streamed with data descriptors,
// UTF-8 names) — read back byte for byte, with the names those tools' readers see.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "core/zip_reader.h"
#include "tests/core/zip_test_archive.h"
#include "core/text.h"

using namespace corvan;
namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}
void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}
std::string Utf8(const std::wstring& text) { return corvan::ToUtf8(text); }

struct StringSink : ZipEntrySink {
  std::string bytes;
  bool Write(const std::uint8_t* data, std::size_t size) override {
    bytes.append(reinterpret_cast<const char*>(data), size);
    return true;
  }
};

class ZipInterop : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("corvan-zip-interop-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    src_ = root_ / "src";
    files_ = {
        {"DATA/FIRME.DB", ziptest::TableBytes(300 * 1024)},
        {"DATA/OPERATOR.DB", ziptest::TableBytes(2000)},
        {"CORVAN.EXE", ziptest::RandomBytes(400 * 1024)},
        {"EMPTY.TXT", ""},
        {"VerInfo/3200876.02/Instruct.htm", "<html><body>Instructiuni</body></html>\r\n"},
        {"\xC8\x98" "coala.txt", "nume cu diacritice"},
    };
    for (const auto& [name, bytes] : files_) WriteFile(src_ / name, bytes);
    fs::create_directories(src_ / "NEW" / "LUNA");
    // Python's view of an archive: each name as it shows it, a tab, the stored bytes
    // (the file's name on this disk, for a tool that stores names unmarked).
    WriteFile(root_ / "names.py",
              "import sys, zipfile\n"
              "with open(sys.argv[2], 'wb') as out:\n"
              "    for i in zipfile.ZipFile(sys.argv[1]).infolist():\n"
              "        raw = i.filename.encode('utf-8' if i.flag_bits & 0x800 else 'cp437')\n"
              "        out.write(i.filename.encode('utf-8') + b'\\t' + raw + b'\\n')\n");
  }
  void TearDown() override { fs::remove_all(root_); }

  int Run(const std::string& command) {
    return std::system(("cd '" + src_.string() + "' && " + command).c_str());
  }

  // Compares our reading of the archive with Python's: same names in the same order,
  // and every file's bytes equal to what was packed.
  void ExpectReadsLikePython(const std::string& archive, const std::string& pipedFrom = {}) {
    SCOPED_TRACE(archive);
    const fs::path path = root_ / archive;
    const fs::path manifest = root_ / (archive + ".names");
    ASSERT_EQ(Run("python3 ../names.py '" + path.string() + "' '" + manifest.string() + "'"), 0);
    std::vector<std::pair<std::string, std::string>> expected;
    std::istringstream names(ReadFile(manifest));
    for (std::string line; std::getline(names, line);) {
      const auto tab = line.find('\t');
      expected.emplace_back(line.substr(0, tab), line.substr(tab + 1));
    }

    const std::string bytes = ReadFile(path);
    ZipMemorySource source(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ZipReader reader;
    const ZipFailure failure = reader.Open(source);
    ASSERT_FALSE(failure) << static_cast<int>(failure.fault) << " " << Utf8(failure.entry);
    ASSERT_EQ(reader.Count(), expected.size());
    for (std::size_t i = 0; i < reader.Count(); ++i) {
      const std::string name = Utf8(reader.Entry(i).name);
      SCOPED_TRACE(name);
      EXPECT_EQ(name, expected[i].first);
      StringSink sink;
      ASSERT_FALSE(reader.Unpack(i, sink));
      if (reader.Entry(i).folder) continue;
      const std::string original = !pipedFrom.empty() ? files_.at(pipedFrom) : ReadFile(src_ / expected[i].second);
      EXPECT_TRUE(sink.bytes == original) << sink.bytes.size() << " bytes";
    }
  }

  fs::path root_, src_;
  std::map<std::string, std::string> files_;
};

TEST_F(ZipInterop, InfoZipArchivesReadByteForByte) {
  ASSERT_EQ(Run("zip -q -r -X ../plain.zip ."), 0);
  ExpectReadsLikePython("plain.zip");
  ASSERT_EQ(Run("zip -q -r -0 ../stored.zip ."), 0);
  ExpectReadsLikePython("stored.zip");
  ASSERT_EQ(Run("zip -q -r -9 - . | cat > ../piped.zip"), 0);  // data descriptors
  ExpectReadsLikePython("piped.zip");
  // From standard input: sizes in a ZIP64 field of the local header, and (piped out)
  // a descriptor with 8-byte sizes.
  ASSERT_EQ(Run("zip -q - - < DATA/FIRME.DB > ../stdin.zip"), 0);
  ExpectReadsLikePython("stdin.zip", "DATA/FIRME.DB");
  ASSERT_EQ(Run("cat CORVAN.EXE | zip -q - - | cat > ../stdin-piped.zip"), 0);
  ExpectReadsLikePython("stdin-piped.zip", "CORVAN.EXE");
}

TEST_F(ZipInterop, PythonZipfileArchivesReadByteForByte) {
  // Streamed to a pipe, zipfile writes data descriptors; non-ASCII names get the
  // UTF-8 flag; folders are entries of their own.
  const char* script =
      "import os, sys, zipfile\n"
      "class Pipe:\n"
      "    def __init__(self, f): self.f = f\n"
      "    def write(self, b): return self.f.write(b)\n"
      "    def flush(self): self.f.flush()\n"
      "def pack(target, method):\n"
      "    with zipfile.ZipFile(target, 'w', method) as z:\n"
      "        for base, dirs, files in sorted(os.walk('.')):\n"
      "            for d in sorted(dirs): z.write(os.path.join(base, d)[2:])\n"
      "            for f in sorted(files): z.write(os.path.join(base, f)[2:])\n"
      "pack('../py-deflated.zip', zipfile.ZIP_DEFLATED)\n"
      "pack('../py-stored.zip', zipfile.ZIP_STORED)\n"
      "with open('../py-streamed.zip', 'wb') as f: pack(Pipe(f), zipfile.ZIP_DEFLATED)\n";
  WriteFile(root_ / "pack.py", script);
  ASSERT_EQ(Run("python3 ../pack.py"), 0);
  for (const char* archive : {"py-deflated.zip", "py-stored.zip", "py-streamed.zip"}) ExpectReadsLikePython(archive);
}

}  // namespace
