// The media builder run for real: CD and floppy media made from component folders, the
// parts joined again the way the setup joins them, every archive read back by our own
// reader and compared byte for byte with the files it came from.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "component_archive.h"
#include "core/disk_sets.h"
#include "core/zip_reader.h"
#include "media_plan.h"

namespace fs = std::filesystem;
using namespace corvan;

namespace {

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

std::string Incompressible(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (auto& c : s) c = static_cast<char>(rng());
  return s;
}

std::string Table(std::size_t rows) {  // compressible, like the product's tables
  std::string s;
  for (std::size_t i = 0; i < rows; ++i) s += "FIRMA " + std::to_string(i) + "\tRO" + std::to_string(i * 7919) + "\t0.00\n";
  return s;
}

class ArchiveFile : public ZipByteSource {
 public:
  explicit ArchiveFile(const std::string& bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  bool ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) override {
    if (offset > bytes_.size() || size > bytes_.size() - offset) return false;
    std::memcpy(buffer, bytes_.data() + offset, size);
    return true;
  }

 private:
  const std::string& bytes_;
};

struct StringSink : ZipEntrySink {
  std::string bytes;
  bool Write(const std::uint8_t* data, std::size_t size) override {
    bytes.append(reinterpret_cast<const char*>(data), size);
    return true;
  }
};

// Every entry of the archive, read with our reader, equals the file of the folder.
void ExpectArchiveHolds(const std::string& archive, const fs::path& folder, const std::string& what) {
  SCOPED_TRACE(what);
  ArchiveFile source(archive);
  ZipReader reader;
  ASSERT_FALSE(reader.Open(source));
  const auto files = media::FilesOf(folder);
  ASSERT_EQ(reader.Count(), files.size());
  for (std::size_t i = 0; i < reader.Count(); ++i) {
    const std::string name(reader.Entry(i).name.begin(), reader.Entry(i).name.end());
    EXPECT_EQ(name, files[i]);
    StringSink sink;
    ASSERT_FALSE(reader.Unpack(i, sink)) << name;
    EXPECT_TRUE(sink.bytes == ReadFile(folder / files[i])) << name << " differs";
  }
}

int RunBuilder(const std::string& args, std::string* output = nullptr) {
  const std::string log = (fs::temp_directory_path() / "mediabuilder_test.log").string();
  const int status = std::system((std::string(MEDIABUILDER) + " " + args + " >" + log + " 2>&1").c_str());
  if (output) *output = ReadFile(log);
  return status;
}

class MediaBuilderTest : public testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("mediabuilder-" + std::to_string(::getpid()) + "-" +
                                         testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    WriteFile(root / "components/EXE/CORVAN.EXE", Incompressible(2'300'000, 1) + Table(40'000));
    WriteFile(root / "components/EXE/VerInfo/3200876.02/Instruct.htm", "<html><img src=\"p1.png\"></html>");
    WriteFile(root / "components/EXE/VerInfo/3200876.02/p1.png", Incompressible(3000, 2));
    WriteFile(root / "components/DBNEW/NEW/DATA/FIRME.DB", Table(2000));
    WriteFile(root / "components/DBNEW/NEW/FIRMA/logo.bmp", std::string(5000, 'B'));
    WriteFile(root / "components/DBNEW/NEW/LUNA/LUNA.DB", "");
    WriteFile(root / "components/HELP/CORVAN.HLP", Table(100));
    WriteFile(root / "upgrade/UPGRADE.DLL", Incompressible(20'000, 3));
    WriteFile(root / "INSTALL.EXE", Incompressible(400'000, 4));
  }
  void TearDown() override { fs::remove_all(root); }
  std::string Args(const fs::path& out, const std::string& extra = "") {
    return "--components " + (root / "components").string() + " --setup " + (root / "INSTALL.EXE").string() +
           " --upgrade " + (root / "upgrade").string() + " --out " + out.string() + " " + extra;
  }
  fs::path root;
};

}  // namespace

TEST_F(MediaBuilderTest, ACdHoldsEverythingInOneFolder) {
  const fs::path cd = root / "cd";
  std::string output;
  ASSERT_EQ(RunBuilder(Args(cd), &output), 0) << output;
  EXPECT_NE(output.find("EXE.ZIP"), std::string::npos) << "reports what it wrote";
  EXPECT_TRUE(fs::exists(cd / "DISK1"));
  EXPECT_EQ(ReadFile(cd / "INSTALL.CFG"), "[General]\r\nNrDiscuri=1\r\n");
  EXPECT_EQ(ReadFile(cd / "INSTALL.EXE"), ReadFile(root / "INSTALL.EXE"));
  ExpectArchiveHolds(ReadFile(cd / "UPGRADE.1"), root / "upgrade", "UPGRADE.1");
  for (const char* base : {"EXE", "DBNEW", "HELP"}) {
    EXPECT_FALSE(fs::exists(cd / (std::string(base) + ".2")));
    ExpectArchiveHolds(ReadFile(cd / (std::string(base) + ".1")), root / "components" / base, base);
  }
}

TEST_F(MediaBuilderTest, AFloppySetJoinsBackIntoTheSameArchives) {
  const fs::path set = root / "floppy";
  std::string output;
  ASSERT_EQ(RunBuilder(Args(set, "--floppy"), &output), 0) << output;
  std::vector<fs::path> disks;
  for (int n = 1; fs::exists(set / ("DISK" + std::to_string(n))); ++n) disks.push_back(set / ("DISK" + std::to_string(n)));
  ASSERT_GE(disks.size(), 2u) << "over 2.5 MB of incompressible bytes need two floppies";
  EXPECT_EQ(ReadFile(disks[0] / "INSTALL.CFG"), "[General]\r\nNrDiscuri=" + std::to_string(disks.size()) + "\r\n");
  for (const char* name : {"INSTALL.EXE", "UPGRADE.1"}) EXPECT_TRUE(fs::exists(disks[0] / name)) << name;

  // Join as the setup does: disk after disk, the wanted parts of each in part order.
  std::map<std::string, std::string> archives;
  for (std::size_t d = 0; d < disks.size(); ++d) {
    SCOPED_TRACE(disks[d].string());
    EXPECT_TRUE(fs::exists(disks[d] / ("DISK" + std::to_string(d + 1))));
    std::uint64_t space = 0;
    std::vector<std::wstring> names;
    for (const auto& f : fs::directory_iterator(disks[d])) {
      space += media::SpaceOf(f.file_size(), 512);
      const std::string n = f.path().filename().string();
      if (IsWantedPart(std::wstring(n.begin(), n.end()), InstallSets[itLocal])) names.emplace_back(n.begin(), n.end());
    }
    EXPECT_LE(space, media::kFloppyCapacity);
    SortParts(names);
    for (const auto& w : names) {
      const std::string n(w.begin(), w.end());
      const std::string base(PartBase(w).begin(), PartBase(w).end());
      if (StartsArchive(w)) archives[base].clear();
      archives[base] += ReadFile(disks[d] / n);
    }
  }
  ASSERT_EQ(archives.size(), 3u);
  for (const auto& [base, bytes] : archives) ExpectArchiveHolds(bytes, root / "components" / base, base);
  ExpectArchiveHolds(ReadFile(disks[0] / "UPGRADE.1"), root / "upgrade", "UPGRADE.1");
}

TEST_F(MediaBuilderTest, BadInputIsRefusedAndNothingOfTheUserIsLost) {
  fs::create_directories(root / "components/EMPTY");
  const fs::path cd = root / "cd";
  std::string output;
  EXPECT_NE(RunBuilder(Args(cd), &output), 0);
  EXPECT_NE(output.find("holds no files"), std::string::npos) << output;
  fs::remove(root / "components/EMPTY");

  WriteFile(root / "mine/letter.txt", "keep me");
  EXPECT_NE(RunBuilder(Args(root / "mine"), &output), 0);
  EXPECT_NE(output.find("does not hold installation media"), std::string::npos) << output;
  EXPECT_EQ(ReadFile(root / "mine/letter.txt"), "keep me");

  EXPECT_NE(RunBuilder(Args(cd, "--floppy --capacity 100000"), &output), 0);
  EXPECT_NE(output.find("INSTALL.EXE does not fit"), std::string::npos) << output;

  EXPECT_NE(RunBuilder(Args(cd, "--capacity x"), &output), 0);
  EXPECT_NE(output.find("bad capacity"), std::string::npos) << output;

  // Media made before is replaced without a question.
  ASSERT_EQ(RunBuilder(Args(cd), &output), 0) << output;
  ASSERT_EQ(RunBuilder(Args(cd), &output), 0) << output;
}
