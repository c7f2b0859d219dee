#pragma once
// Unpacking the joined archives with the lower gauge following each one, and removing
// them afterwards.
#include <functional>
#include <string>

#include "core/extract_progress.h"
#include "install/CopyPageView.h"
#include "install/ZipArchive.h"

// Measures the archive (ZipSize, in KiB), then unpacks it into destination, moving the
// page's lower gauge from 0 at every progress event. Without a filter every entry is
// unpacked; with one, only the entries it accepts, and the page handles its pending
// messages at each event. The counters belong to the page and start again from 0.
// A failure (missing, damaged or unsafe archive, a file that cannot be written) ends the
// archive and is returned; the caller stops its run there.
ZipError ExtractArchive(CopyPageView& page, corvan::ExtractProgress& counters, const std::wstring& archive,
                        const std::wstring& destination, const ZipEntryFilter& filter = {});

// Shows one "Nu pot sterge <file>" message; the default is the platform's plain message box
// (PlatformMessageBox).
using DeleteFailureReport = std::function<void(const std::wstring& text)>;

// Deletes the component archives (FileName + ".ZIP" of every row of the component table)
// from ProgramDir. Other ZIP files there are the user's and stay. An archive that cannot
// be deleted is reported and the others are still deleted.
void DeleteAssembledArchives(const DeleteFailureReport& report = {});
