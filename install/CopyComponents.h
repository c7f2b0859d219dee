#pragma once
// The copy of the copy pages, as they run it when Continue is clicked: every wanted part
// joined from the disks into the work folder, each wanted component unpacked into the
// folder its road's rules give it, then the joined archives deleted. On a fresh
// installation an installed engine and an existing database are left alone; the upgrade
// copy page gives rules of its own (CopyRules). The copy pages and the installation
// benchmark run this same code.
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/extract_progress.h"
#include "core/install_settings.h"
#include "install/CopyPageView.h"
#include "install/Extract.h"
#include "install/ZipArchive.h"

enum class CopyOutcome {
  Done,       // every wanted component unpacked, the joined archives deleted
  Cancelled,  // the user gave up at a disk prompt; the page's modal result is Cancel
  JoinFailed, // a part could not be read or an archive written: the message has been shown
              // (error.message holds it); nothing was unpacked, and Continue may run it again
  Failed,     // an archive could not be unpacked: later components were not, and the
              // joined archives stay in the work folder
};

struct CopyResult {
  CopyOutcome outcome = CopyOutcome::Done;
  ZipError error;  // Failed: which archive or folder, and a Romanian sentence saying why
};

// What the copy asks of the page besides its view.
struct CopyPageActions {
  // After each program component is unpacked: the page offers the instructions.
  std::function<void()> afterProgramComponent;
  // "Nu pot sterge <file>"; empty: the platform's plain message box.
  DeleteFailureReport deleteFailure;
};

// How a road's copy treats each wanted row of the component table.
struct CopyRules {
  // The folder the row is unpacked into, or nothing: the row is skipped. Chosen before the
  // row's archive is looked for (clearing a folder happens even when the archive is
  // missing), once per page when the page keeps a CopyRunMemory.
  std::function<std::optional<std::wstring>(const corvan::TCompRecord& row)> destination;
  // The row's archive (FileName + ".ZIP") is not in the work folder: true skips the row
  // silently, false stops the run with a message naming the archive and its first part.
  std::function<bool(const corvan::TCompRecord& row)> skipsMissingArchive;
  // The entries of the row's archive to unpack (asked just before it is unpacked); an
  // empty filter unpacks every entry.
  std::function<ZipEntryFilter(const corvan::TCompRecord& row)> entries;
};

// A fresh installation's rules: ProgramDir for program rows; the example database into
// DataDir unless one is there; the blank one after ClearNewFolders; the engine folder
// from EngineDestination; only OUTPOST and PAYDESK may be missing; every entry unpacked.
const CopyRules& FreshInstallRules();

// What the earlier runs of the copy on one page did, so that running it again after a
// failure (the media fixed, room made) does only what is left and loses nothing: the
// components unpacked whole are neither joined nor unpacked again, and each component
// keeps the destination first chosen for it (a database unpacked in part is finished, not
// taken for the customer's; the old engine's warning is not shown again).
struct CopyRunMemory {
  corvan::TComponentSet unpacked = 0;
  std::array<bool, corvan::ComponentCount> chosen{};
  std::array<std::optional<std::wstring>, corvan::ComponentCount> destination;  // nothing: the row is skipped
};

// The whole copy, from the settings: SourceDir and DiskCount (the disks),
// ProposedProgramDir (the work folder, made the process's current folder), ProgramDir and
// DataDir (the destinations), OldBdeFound. `wanted` is InstallSets[InstallType]. An
// archive of a wanted component already in the work folder is removed before the join:
// every archive unpacked comes from these disks. With a memory, a run after a failed one
// goes on from where that one stopped.
CopyResult CopyComponents(CopyPageView& page, corvan::ExtractProgress& counters, corvan::TComponentSet wanted,
                          const CopyPageActions& actions = {}, CopyRunMemory* memory = nullptr,
                          const CopyRules& rules = FreshInstallRules());

// The unpacking half: each wanted component of the joined archives in the work folder,
// in the order of the component table, its CompName shown, by the road's rules.
ZipError ExtractComponents(CopyPageView& page, corvan::ExtractProgress& counters, corvan::TComponentSet wanted,
                           const std::function<void()>& afterProgramComponent = {}, CopyRunMemory* memory = nullptr,
                           const CopyRules& rules = FreshInstallRules());

// Where the engine's files go: ProgramFilesDir\Borland\Common Files\BDE, its folders
// made when missing. Nothing when an engine is already registered (it is never
// overwritten); one older than 4.0 sets OldBdeFound and draws a warning first.
std::optional<std::wstring> EngineDestination();

// Deletes the files (never the sub-folders) of NEW\DATA, NEW\FIRMA and NEW\LUNA below
// the data folder; a file that cannot be deleted is left without a message.
void ClearNewFolders(const std::wstring& dataFolder);
void ClearFolderFiles(const std::wstring& folder, const std::wstring& mask);
