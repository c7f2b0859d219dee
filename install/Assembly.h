#pragma once
// Joining the component archives from the installation disks: the disks are walked in
// order, the user is asked for each one, and every wanted part is appended to its
// archive in the work folder (ProposedProgramDir).
#include <cstdint>
#include <set>
#include <string>

#include "core/install_settings.h"
#include "install/CopyPageView.h"

// Part files handled by the current assembly; 0 when an assembly starts.
extern std::int32_t PartsJoined;

// How a join ended, for the copy page to act on.
enum class AssemblyOutcome {
  Joined,     // every disk was walked and every wanted part joined: go on to unpacking
  Cancelled,  // the user gave up at a disk prompt: the page's modal result is Cancel
  Failed,     // a part could not be read or an archive written: the message was shown;
              // the page stays open and Continue runs the join again from disk 1
};

struct AssemblyResult {
  AssemblyOutcome outcome = AssemblyOutcome::Joined;
  std::wstring message;  // Failed: the Romanian text the user was shown (through MsgDlg)
};

// Joins every wanted part of every disk. May lower Settings().DiskCount to 1 (media that
// is not removable) and drops a trailing backslash of SourceDir. On a failure the archive
// being written is removed (it is incomplete) and the archives joined before it stay;
// every archive is made again from its ".1" when the join runs again.
AssemblyResult AssembleArchives(CopyPageView& page, corvan::TComponentSet wanted);

// True as soon as the marker of disk n lies in SourceDir; asks for the disk until it
// does. False when the user cancels (or the prompt cannot be shown at all).
bool WaitForDisk(int n);

// True when the media file is a part of a component in the wanted set.
bool IsWantedPart(const std::wstring& name, corvan::TComponentSet wanted);

// The archives the current join has begun with their ".1" (upper-cased names): only
// they take further parts, so an archive left from an earlier run is never appended to.
using BegunArchives = std::set<std::wstring>;

// Appends one part (a name in SourceDir, on disk `disk`) to its archive in the work
// folder; part ".1" creates the archive anew. Empty when the part was joined, else the
// Romanian text of what went wrong (the caller shows it): the part could not be opened
// or read whole, the archive could not be made or written or its disk is full, the
// part continues an archive this join has not begun, or the buffer could not be had.
std::wstring AppendPart(CopyPageView& page, const std::wstring& name, int disk, BegunArchives& begun);
