#pragma once
// Joining the component archives from the installation disks: the disks are walked in
// order, the user is asked for each one, and every wanted part is appended to its
// archive in the work folder (ProposedProgramDir).
#include <cstdint>
#include <string>

#include "core/install_settings.h"
#include "install/CopyPageView.h"

// Part files handled by the current assembly; 0 when an assembly starts.
extern std::int32_t PartsJoined;

// Joins every wanted part of every disk. False when the user gave up at a disk prompt;
// the page's modal result is then already Cancel. May lower Settings().DiskCount to
// 1 (media that is not removable) and drops a trailing backslash of SourceDir.
bool AssembleArchives(CopyPageView& page, corvan::TComponentSet wanted);

// True as soon as the marker of disk n lies in SourceDir; asks for the disk until it
// does. False when the user cancels (or the prompt cannot be shown at all).
bool WaitForDisk(int n);

// True when the media file is a part of a component in the wanted set.
bool IsWantedPart(const std::wstring& name, corvan::TComponentSet wanted);

// Appends one part (a name in SourceDir) to its archive in the work folder; part ".1"
// creates the archive anew. Failures are not reported here: the archive is then missing
// or short, and extraction refuses it.
void AppendPart(CopyPageView& page, const std::wstring& name);
