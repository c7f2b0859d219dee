#include "install/Extract.h"

#include <windows.h>

#include "core/install_settings.h"
#include "core/text.h"
#include "toolkit/PlatformBox.h"

using namespace corvan;

ZipError ExtractArchive(CopyPageView& page, ExtractProgress& counters, const std::wstring& archive,
                        const std::wstring& destination, const ZipEntryFilter& filter) {
  counters.Reset();
  ZipError error;
  auto zip = ZipArchive::Open(archive, error, destination);
  if (!zip) return error;
  const int count = zip->Count();
  for (int i = 0; i < count; ++i) counters.CountEntry(zip->UncompressedSize(i));
  page.SetUnzipPosition(0);
  page.SetUnzipMax(counters.GaugeMax());

  const bool filtered = static_cast<bool>(filter);
  for (int i = 0; i < count; ++i) {
    if (filtered && !filter(zip->Name(i))) continue;
    counters.BeginEntry(zip->UncompressedSize(i));
    error = zip->ExtractEntry(i, destination, [&](std::uint64_t written) {
      page.SetUnzipPosition(counters.OnProgress(written));
      if (filtered) page.ProcessPendingMessages();
      return true;
    });
    if (error) return error;
    counters.EndEntry();
  }
  return {};
}

void DeleteAssembledArchives(const DeleteFailureReport& report) {
  const std::wstring folder = Settings().ProgramDir;
  for (const auto& row : Components) {
    if (!*row.FileName) continue;
    const std::wstring path = JoinPath(folder, std::wstring(row.FileName) + L".ZIP");
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    if (DeleteFileW(path.c_str())) continue;
    const std::wstring text = L"Nu pot sterge " + path;
    if (report) report(text);
    else PlatformMessageBox(text, TPlatformBox::Plain);
  }
}
