#pragma once
// The copy of a fresh installation, as the copy page runs it when Continue is clicked:
// every wanted part joined from the disks into the work folder, each wanted component
// unpacked into the folder of its destination kind (an installed engine and an existing
// database are left alone), then the joined archives deleted. The copy page and the
// installation benchmark run this same code.
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

// The whole copy, from the settings: SourceDir and DiskCount (the disks),
// ProposedProgramDir (the work folder, made the process's current folder), ProgramDir and
// DataDir (the destinations), OldBdeFound. `wanted` is InstallSets[InstallType].
CopyResult CopyComponents(CopyPageView& page, corvan::ExtractProgress& counters, corvan::TComponentSet wanted,
                          const CopyPageActions& actions = {});

// The unpacking half: each wanted component of the joined archives in the work folder,
// in the order of the component table. A missing OUTPOST or PAYDESK archive is skipped.
ZipError ExtractComponents(CopyPageView& page, corvan::ExtractProgress& counters, corvan::TComponentSet wanted,
                           const std::function<void()>& afterProgramComponent = {});

// Where the engine's files go: ProgramFilesDir\Borland\Common Files\BDE, its folders
// made when missing. Nothing when an engine is already registered (it is never
// overwritten); one older than 4.0 sets OldBdeFound and draws a warning first.
std::optional<std::wstring> EngineDestination();

// Deletes the files (never the sub-folders) of NEW\DATA, NEW\FIRMA and NEW\LUNA below
// the data folder; a file that cannot be deleted is left without a message.
void ClearNewFolders(const std::wstring& dataFolder);
void ClearFolderFiles(const std::wstring& folder, const std::wstring& mask);
