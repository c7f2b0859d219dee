// mediabuilder: turns component folders into installation media.
//
//   mediabuilder --components DIR --setup INSTALL.EXE --upgrade DIR --out DIR
//                [--floppy] [--capacity BYTES]
//
// Every sub-folder of --components is a component (its name is the archive's base:
// EXE, OUTPOST, ...). --upgrade is the folder packed as the upgrade package UPGRADE.1.
// Without --floppy the media is one folder (a CD); with it, DIR/DISK1, DIR/DISK2, ...
// each of --capacity bytes (a 1.44 MB floppy by default). Every archive is read back
// and compared with its folder, and the parts joined again must give the archive.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "component_archive.h"
#include "media_plan.h"

namespace fs = std::filesystem;

namespace {

struct Options {
  fs::path components, setup, upgrade, out;
  bool floppy = false;
  std::uint64_t capacity = media::kFloppyCapacity;
};

int Fail(const std::string& text) {
  std::fprintf(stderr, "mediabuilder: %s\n", text.c_str());
  return 1;
}

bool ParseOptions(int argc, char** argv, Options& o, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    const char* v = nullptr;
    if (a == "--floppy") o.floppy = true;
    else if (a == "--components" && (v = value())) o.components = v;
    else if (a == "--setup" && (v = value())) o.setup = v;
    else if (a == "--upgrade" && (v = value())) o.upgrade = v;
    else if (a == "--out" && (v = value())) o.out = v;
    else if (a == "--capacity" && (v = value())) {
      char* end = nullptr;
      o.capacity = std::strtoull(v, &end, 10);
      if (!*v || *end || o.capacity == 0) return error = std::string("bad capacity ") + v, false;
    } else return error = "unknown or incomplete option " + a, false;
  }
  if (o.components.empty() || o.setup.empty() || o.upgrade.empty() || o.out.empty())
    return error = "usage: mediabuilder --components DIR --setup FILE --upgrade DIR --out DIR [--floppy] [--capacity N]",
           false;
  return true;
}

// Copies bytes [offset, offset + length) of source to target.
bool CopyRange(const fs::path& source, std::uint64_t offset, std::uint64_t length, const fs::path& target) {
  std::ifstream in(source, std::ios::binary);
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  if (!in || !out) return false;
  in.seekg(static_cast<std::streamoff>(offset));
  std::vector<char> buffer(1 << 20);
  while (length > 0) {
    const auto n = static_cast<std::streamsize>(std::min<std::uint64_t>(length, buffer.size()));
    if (!in.read(buffer.data(), n) || !out.write(buffer.data(), n)) return false;
    length -= static_cast<std::uint64_t>(n);
  }
  return static_cast<bool>(out.flush());
}

bool SameBytes(const fs::path& a, const fs::path& b) {
  std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
  std::vector<char> p(1 << 20), q(1 << 20);
  while (x && y) {
    x.read(p.data(), static_cast<std::streamsize>(p.size()));
    y.read(q.data(), static_cast<std::streamsize>(q.size()));
    if (x.gcount() != y.gcount() || !std::equal(p.begin(), p.begin() + x.gcount(), q.begin())) return false;
  }
  return x.eof() && y.eof();
}

// The output folder is replaced only when it is empty or holds media made before.
bool MayReplace(const fs::path& out) {
  if (!fs::exists(out)) return true;
  if (!fs::is_directory(out)) return false;
  if (fs::is_empty(out)) return true;
  return fs::exists(out / "DISK1") || fs::exists(out / "INSTALL.CFG");
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  std::string error;
  if (!ParseOptions(argc, argv, o, error)) return Fail(error);
  if (!fs::is_regular_file(o.setup)) return Fail("no setup program " + o.setup.string());
  if (!fs::is_directory(o.components)) return Fail("no component folder " + o.components.string());
  if (!MayReplace(o.out)) return Fail(o.out.string() + " exists and does not hold installation media");

  const fs::path work = o.out.string() + ".work";
  fs::remove_all(work);
  fs::remove_all(o.out);
  fs::create_directories(work);
  fs::create_directories(o.out);

  // The archives: the upgrade package and one per component, each checked once written.
  std::map<std::string, fs::path> sources;
  std::vector<media::ArchiveToCut> archives;
  if (!(error = media::PackFolder(o.upgrade, work / "UPGRADE.ZIP")).empty()) return Fail(error);
  if (!(error = media::VerifyArchive(work / "UPGRADE.ZIP", o.upgrade)).empty()) return Fail(error);
  std::vector<fs::path> folders;
  for (const auto& item : fs::directory_iterator(o.components))
    if (item.is_directory()) folders.push_back(item.path());
  std::sort(folders.begin(), folders.end());
  for (const auto& folder : folders) {
    const std::string base = folder.filename().string();
    const fs::path archive = work / (base + ".ZIP");
    if (!(error = media::PackFolder(folder, archive)).empty()) return Fail(error);
    if (!(error = media::VerifyArchive(archive, folder)).empty()) return Fail(error);
    archives.push_back({base, fs::file_size(archive)});
    sources[base] = archive;
  }

  // Disk 1 carries the setup, its configuration and the upgrade package whole. The
  // configuration's size does not depend on the disk count's digits beyond one cluster.
  const std::string cfgProbe = "[General]\r\nNrDiscuri=999\r\n";
  const std::vector<media::WholeFile> whole = {{"INSTALL.EXE", fs::file_size(o.setup)},
                                               {"INSTALL.CFG", cfgProbe.size()},
                                               {"UPGRADE.1", fs::file_size(work / "UPGRADE.ZIP")}};
  sources["INSTALL.EXE"] = o.setup;
  sources["UPGRADE.1"] = work / "UPGRADE.ZIP";
  media::Geometry geometry;
  if (o.floppy) geometry.capacity = o.capacity;
  const media::Plan plan = media::PlanMedia(whole, archives, geometry);
  if (!plan.error.empty()) return Fail(plan.error);

  const std::string cfg = "[General]\r\nNrDiscuri=" + std::to_string(plan.disks.size()) + "\r\n";
  std::map<std::string, std::vector<fs::path>> parts;  // archive base -> its parts in order
  for (std::size_t d = 0; d < plan.disks.size(); ++d) {
    const fs::path folder = o.floppy ? o.out / ("DISK" + std::to_string(d + 1)) : o.out;
    fs::create_directories(folder);
    std::uint64_t bytes = 0;
    for (const auto& f : plan.disks[d].files) {
      const fs::path target = folder / f.name;
      bool ok = true;
      if (f.source == f.name && f.length == 0 && f.name.rfind("DISK", 0) == 0) ok = static_cast<bool>(std::ofstream(target));
      else if (f.name == "INSTALL.CFG") ok = static_cast<bool>(std::ofstream(target, std::ios::binary) << cfg);
      else ok = CopyRange(sources.at(f.source), f.offset, f.length, target);
      if (!ok) return Fail("cannot write " + target.string());
      if (f.source != f.name) parts[f.source].push_back(target);
      bytes += fs::file_size(target);
    }
    std::printf("%s: %zu files, %llu bytes\n", folder.string().c_str(), plan.disks[d].files.size(),
                static_cast<unsigned long long>(bytes));
  }

  // The parts, joined again in their order, must give each archive byte for byte.
  for (const auto& [base, list] : parts) {
    const fs::path joined = work / (base + ".joined");
    {
      std::ofstream out(joined, std::ios::binary | std::ios::trunc);
      for (const auto& p : list) out << std::ifstream(p, std::ios::binary).rdbuf();
    }
    if (!SameBytes(joined, sources.at(base))) return Fail("the parts of " + base + " do not give its archive");
    std::printf("  %s.ZIP: %llu bytes in %zu part(s), verified\n", base.c_str(),
                static_cast<unsigned long long>(fs::file_size(sources.at(base))), list.size());
  }
  std::printf("  UPGRADE.1: %llu bytes, verified\n", static_cast<unsigned long long>(fs::file_size(sources.at("UPGRADE.1"))));
  std::printf("%zu disk(s) written to %s\n", plan.disks.size(), o.out.string().c_str());
  fs::remove_all(work);
  return 0;
}
