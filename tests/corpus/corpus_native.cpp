// The hostile-media corpus, run natively: each job of JOBS through the setup's media work
// done with POSIX calls (tools/posixmedia), one result line per job in RESULTS.
//   corpus_native JOBS RESULTS
// Jobs (tab-separated, UTF-8): "unpack ARCHIVE DEST" or "join MEDIA WORK DEST". Results:
// "FAULT<TAB>ENTRY<TAB>MESSAGE" for an unpacking; "OUTCOME<TAB>MESSAGE<TAB>BASE<TAB>FAULT<TAB>
// ENTRY<TAB>MESSAGE" for a join, then the unpacking of the first archive that failed (or "-").
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/install_settings.h"
#include "core/text.h"
#include "tools/posixmedia/posix_media.h"

namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line);
  for (std::string f; std::getline(in, f, '\t');) out.push_back(f);
  return out;
}

// Tabs and line breaks of a hostile name stay out of the result's columns.
std::string Column(const std::wstring& text) {
  std::string out = corvan::ToUtf8(text);
  for (auto& c : out)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return out;
}

std::string Unpacked(const corvan::ZipFailure& f, const std::string& archive) {
  return std::string(corvan::ZipFaultName(f.fault)) + "\t" + Column(f.entry) + "\t" +
         Column(corvan::ZipFailureMessage(f, {archive.begin(), archive.end()}));
}

bool Exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: corpus_native JOBS RESULTS\n");
    return 2;
  }
  std::ifstream jobs(argv[1]);
  std::ofstream results(argv[2]);
  for (std::string line; std::getline(jobs, line);) {
    const auto f = Fields(line);
    if (f.size() == 3 && f[0] == "unpack") {
      results << Unpacked(corvan::PosixUnpack(f[1], f[2]), f[1]) << "\n";
    } else if (f.size() == 4 && f[0] == "join") {
      const auto joined = corvan::PosixJoin(f[1], f[2], corvan::InstallSets[corvan::itLocal]);
      results << (joined.outcome == corvan::PosixJoinOutcome::Joined ? "Joined" : "Failed") << "\t"
              << Column(joined.message);
      std::string unpacked = "-\t-\t-\t-";
      if (joined.outcome == corvan::PosixJoinOutcome::Joined) {
        // Every archive the join left, in the order of the component table, each into a folder of its own.
        for (const auto* row : corvan::ComponentsOf(corvan::InstallSets[corvan::itLocal])) {
          const std::wstring base = row->FileName;
          const std::string name(base.begin(), base.end());
          const std::string archive = f[2] + "/" + name + ".ZIP";
          if (!Exists(archive)) continue;
          const corvan::ZipFailure failure = corvan::PosixUnpack(archive, f[3] + "/" + name);
          if (failure) {
            unpacked = name + "\t" + Unpacked(failure, archive);
            break;
          }
        }
      }
      results << "\t" << unpacked << "\n";
    } else {
      results << "BadJob\t\t" << line << "\n";
    }
  }
  return 0;
}
