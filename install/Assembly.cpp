#include "install/Assembly.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "core/disk_sets.h"
#include "core/text.h"
#include "platform/Files.h"
#include "platform/KernelHandle.h"
#include "toolkit/Dialogs.h"

using namespace corvan;

std::int32_t PartsJoined = 0;

namespace {

bool MediaIsRemovable(const std::wstring& sourceDir) {
  const std::wstring root = sourceDir.substr(0, 3);
  return GetDriveTypeW(root.c_str()) == DRIVE_REMOVABLE;
}

std::vector<std::wstring> WantedPartsInSource(TComponentSet wanted) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(JoinPath(Settings().SourceDir, L"*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    if (IsWantedPart(name, wanted)) names.push_back(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  SortParts(names);
  return names;
}

// Part 1 empties its archive. A stale archive left read-only would otherwise stay, and be
// unpacked in place of the new one.
HANDLE CreateArchive(const std::wstring& target) {
  HANDLE h = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED &&
      SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL))
    h = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return h;
}

}  // namespace

bool IsWantedPart(const std::wstring& name, TComponentSet wanted) { return corvan::IsWantedPart(name, wanted); }

bool WaitForDisk(int n) {
  MessagePrefix = L"Pentru continuare";
  const std::wstring marker = JoinPath(Settings().SourceDir, DiskMarkerName(n));
  while (!FileExists(marker)) {
    const TModalResult answer =
        MsgDlg(DiskPromptText(n), L"", mtWarning, taCenter, Buttons({mbOK, mbCancel}), mbOK);
    // None: the dialog could not be shown at all; asking again would never end.
    if (answer == TModalResult::Cancel || answer == TModalResult::None) return false;
  }
  return true;
}

void AppendPart(CopyPageView& page, const std::wstring& name) {
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[PartBufferSize]);
  const std::wstring source = JoinPath(Settings().SourceDir, name);
  page.SetStatusText(name);
  const std::wstring target =
      JoinPath(WithoutTrailingBackslash(Settings().ProposedProgramDir), ArchiveNameOfPart(name));

  KernelHandle in(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  KernelHandle out(StartsArchive(name) ? CreateArchive(target)
                                     : CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (buffer && in && out && SetFilePointerEx(out.Get(), LARGE_INTEGER{}, nullptr, FILE_END)) {
    CopyPartThroughBuffer(
        [&](char* data, std::size_t size) -> std::int64_t {
          DWORD got = 0;
          if (!ReadFile(in.Get(), data, static_cast<DWORD>(size), &got, nullptr)) return -1;
          return got;
        },
        [&](const char* data, std::size_t size) {
          DWORD put = 0;
          return WriteFile(out.Get(), data, static_cast<DWORD>(size), &put, nullptr) && put == size;
        },
        buffer.get(), PartBufferSize);
  }
  ++PartsJoined;
}

bool AssembleArchives(CopyPageView& page, TComponentSet wanted) {
  auto& settings = Settings();
  page.SetStatusText(L"Asamblare arhive...");
  PartsJoined = 0;
  settings.DiskCount = EffectiveDiskCount(settings.DiskCount, MediaIsRemovable(settings.SourceDir));
  page.SetCopyMax(static_cast<std::uint32_t>(std::max<std::int32_t>(settings.DiskCount, 0)));
  page.SetCopyPosition(0);
  settings.SourceDir = WithoutTrailingBackslash(settings.SourceDir);
  for (int n = 1; n <= settings.DiskCount; ++n) {
    if (!WaitForDisk(n)) {
      page.SetModalResult(TModalResult::Cancel);
      return false;
    }
    page.SetCopyPosition(n);
    for (const auto& name : WantedPartsInSource(wanted)) AppendPart(page, name);
    page.SetCopyPosition(PartsJoined);
  }
  return true;
}
