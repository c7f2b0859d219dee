// The hostile-media corpus, run under Wine: each job of JOBS through the setup's own
// Win32 code (ZipArchive::Open and ExtractAll for an archive; AssembleArchives, then
// ExtractArchive of each archive it left, for a join), one result line per job in
// RESULTS, in the format of corpus_native.cpp. One process runs every job.
//   corpus_wine JOBS RESULTS      (Windows paths, UTF-8 files)
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/extract_progress.h"
#include "core/install_settings.h"
#include "core/text.h"
#include "install/Assembly.h"
#include "install/Extract.h"
#include "install/ZipArchive.h"
#include "platform/Files.h"
#include "tests/win32/copy_page_fake.h"
#include "toolkit/Dialogs.h"

using namespace corvan;

namespace {

std::wstring Wide(const std::string& text) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string Column(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  for (auto& c : out)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return out;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line);
  for (std::string f; std::getline(in, f, '\t');) out.push_back(f);
  return out;
}

std::string Unpacked(const ZipError& error) {
  return std::string(ZipFaultName(error.fault)) + "\t" + Column(error.entry) + "\t" + Column(error.message);
}

std::string Unpack(const std::wstring& archive, const std::wstring& dest) {
  ZipError error;
  if (auto zip = ZipArchive::Open(archive, error, dest)) error = zip->ExtractAll(dest);
  return Unpacked(error);
}

std::string Join(const std::wstring& media, const std::wstring& work, const std::wstring& dest) {
  Settings() = {};
  Settings().InstallType = itLocal;
  Settings().SourceDir = media;
  Settings().ProposedProgramDir = Settings().ProgramDir = work;
  Settings().DiskCount = 1;
  MessagePrefix.clear();
  // A disk prompt is given up (the marker is missing); a failure is acknowledged.
  SetMsgDlgObserver([](const MsgDlgRequest& r) {
    return r.buttons == Buttons({mbOK}) ? TModalResult::Ok : TModalResult::Cancel;
  });
  RecordingCopyPage page;
  const AssemblyResult joined = AssembleArchives(page, InstallSets[itLocal]);
  SetMsgDlgObserver(nullptr);
  const char* outcome = joined.outcome == AssemblyOutcome::Joined ? "Joined"
                        : joined.outcome == AssemblyOutcome::Failed ? "Failed"
                                                                    : "Cancelled";
  std::string unpacked = "-\t-\t-\t-";
  if (joined.outcome == AssemblyOutcome::Joined) {
    ExtractProgress counters;
    for (const auto* row : ComponentsOf(InstallSets[itLocal])) {
      const std::wstring archive = JoinPath(work, std::wstring(row->FileName) + L".ZIP");
      if (!FileExists(archive)) continue;
      const ZipError error = ExtractArchive(page, counters, archive, JoinPath(dest, row->FileName));
      if (error) {
        unpacked = Column(row->FileName) + "\t" + Unpacked(error);
        break;
      }
    }
  }
  return std::string(outcome) + "\t" + Column(joined.message) + "\t" + unpacked;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  std::ifstream jobs(argv[1]);
  std::ofstream results(argv[2]);
  for (std::string line; std::getline(jobs, line);) {
    const auto f = Fields(line);
    if (f.size() == 3 && f[0] == "unpack") results << Unpack(Wide(f[1]), Wide(f[2])) << "\n";
    else if (f.size() == 4 && f[0] == "join") results << Join(Wide(f[1]), Wide(f[2]), Wide(f[3])) << "\n";
    else results << "BadJob\t\t" << line << "\n";
  }
  return 0;
}
