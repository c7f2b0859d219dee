// The copy page's work as a whole process, for the installation benchmark: the parts
// joined from the media, every component of a local installation unpacked into its
// folder, the joined archives deleted — through CopyComponents, the copy page's own
// function, with a page that draws nothing.
//
//   install_bench MEDIA PROGRAM_DIR [DISKS]
//
// MEDIA is the media folder (INSTALL.CFG gives the disk count). PROGRAM_DIR is made, as
// the folders page makes it, and holds the program and the data. With DISKS (a folder of
// DISK1..n), MEDIA is the floppy drive and every disk prompt is answered by putting the
// disk asked for into it: its files are moved in, the previous disk's moved back out.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/disk_sets.h"
#include "core/install_settings.h"
#include "core/text.h"
#include "install/Assembly.h"
#include "install/CopyComponents.h"
#include "setup/Iglobals.h"
#include "toolkit/Dialogs.h"

using namespace corvan;

namespace {

// The copy page without a window: the gauges keep their state and count the repaints
// the real ones would make (one per change of percentage).
class HeadlessCopyPage : public CopyPageView {
 public:
  void SetStatusText(const std::wstring& text) override { status = text; }
  void SetCopyMax(std::uint32_t max) override { copy.SetMax(max); }
  void SetCopyPosition(std::int64_t position) override { Move(copy, position); }
  void SetUnzipMax(std::uint32_t max) override { unzip.SetMax(max); }
  void SetUnzipPosition(std::int64_t position) override { Move(unzip, position); }
  void SetModalResult(TModalResult result) override { modalResult = result; }
  void ProcessPendingMessages() override {}

  std::wstring status;
  Gauge copy, unzip;
  TModalResult modalResult = TModalResult::Next;
  long repaints = 0;

 private:
  void Move(Gauge& gauge, std::int64_t position) {
    const int before = gauge.Percent();
    gauge.SetPosition(position);
    if (gauge.Percent() != before) ++repaints;
  }
};

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(JoinPath(folder, L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
  while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

// The floppy drive and the disks beside it: one disk in the drive at a time.
class DiskChanger {
 public:
  DiskChanger(std::wstring drive, std::wstring disks) : drive_(std::move(drive)), disks_(std::move(disks)) {}
  ~DiskChanger() { Eject(); }
  bool Insert(int n) {
    Eject();
    const std::wstring disk = JoinPath(disks_, L"DISK" + std::to_wstring(n));
    for (const auto& name : FilesIn(disk))
      if (!MoveFileW(JoinPath(disk, name).c_str(), JoinPath(drive_, name).c_str())) return false;
    inserted_ = disk;
    return true;
  }
  int changes = 0;

 private:
  void Eject() {
    if (inserted_.empty()) return;
    for (const auto& name : FilesIn(drive_)) MoveFileW(JoinPath(drive_, name).c_str(), JoinPath(inserted_, name).c_str());
    inserted_.clear();
  }
  std::wstring drive_, disks_, inserted_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: install_bench MEDIA PROGRAM_DIR [DISKS]\n");
    return 2;
  }
  auto& settings = Settings();
  settings.InstallType = itLocal;
  settings.SourceDir = argv[1];
  settings.ProposedProgramDir = settings.ProgramDir = settings.ProposedDataDir = settings.DataDir = argv[2];
  if (!CreateDirectoryW(settings.ProgramDir.c_str(), nullptr)) {
    std::fprintf(stderr, "install_bench: cannot create the program folder\n");
    return 1;
  }

  std::unique_ptr<DiskChanger> changer;
  int prompts = 0;
  if (argc == 4) {
    changer = std::make_unique<DiskChanger>(argv[1], argv[3]);
    settings.DiskCount = ReadDiskCount(JoinPath(argv[3], L"DISK1\\INSTALL.CFG"));
  } else {
    settings.DiskCount = ReadDiskCount(JoinPath(argv[1], L"INSTALL.CFG"));
  }
  // The disk prompt: the disk asked for goes into the drive; without disks, Cancel.
  SetMsgDlgObserver([&](const MsgDlgRequest& request) {
    ++prompts;
    const int n = _wtoi(request.shownText.substr(request.shownText.rfind(L'\r') + 1).c_str());
    return changer && changer->Insert(n) ? TModalResult::Ok : TModalResult::Cancel;
  });

  HeadlessCopyPage page;
  ExtractProgress counters;
  int unpacked = 0;
  std::wstring deleteFailure;
  const CopyResult result = CopyComponents(page, counters, InstallSets[itLocal],
                                           {[&] { ++unpacked; }, [&](const std::wstring& text) { deleteFailure = text; }});
  changer.reset();
  if (result.outcome != CopyOutcome::Done || !deleteFailure.empty()) {
    const std::wstring why = result.outcome == CopyOutcome::Cancelled ? L"cancelled at a disk prompt"
                             : deleteFailure.empty()                   ? result.error.message
                                                                       : deleteFailure;
    std::fprintf(stderr, "install_bench: %s\n", ToUtf8(why).c_str());
    return 1;
  }
  std::printf("disks %d, parts %d, prompts %d, program components %d, gauge repaints %ld\n", settings.DiskCount,
              PartsJoined, prompts, unpacked, page.repaints);
  return 0;
}
