#include "install/Assembly.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "core/disk_sets.h"
#include "core/modal_result.h"
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

std::wstring ShowFailure(const std::wstring& text) {
  MsgDlg(text, L"", mtError, taCenter, Buttons({mbOK}), mbOK);
  return text;
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

std::wstring AppendPart(CopyPageView& page, const std::wstring& name, int disk, BegunArchives& begun) {
  struct Counted {  // the part counts as handled however it ends
    ~Counted() { ++PartsJoined; }
  } counted;
  const std::wstring source = JoinPath(Settings().SourceDir, name);
  page.SetStatusText(name);
  const std::wstring archive = ArchiveNameOfPart(name);
  const std::wstring target = JoinPath(WithoutTrailingBackslash(Settings().ProposedProgramDir), archive);
  const bool first = StartsArchive(name);
  // Whatever lies in the work folder under this name was not made by this join.
  if (!first && !begun.count(UpperAscii(archive))) return MissingFirstPartText(name, disk);

  KernelHandle out;
  // An archive this join has begun is incomplete when one of its parts fails: it goes,
  // and the next join makes it again from its ".1".
  auto abandon = [&](const std::wstring& text) {
    out.Close();
    if (begun.erase(UpperAscii(archive))) DeleteFileW(target.c_str());
    return text;
  };
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[PartBufferSize]);
  if (!buffer) return abandon(PartBufferFailureText(name));
  KernelHandle in(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER partSize{};
  if (!in || !GetFileSizeEx(in.Get(), &partSize)) return abandon(PartReadFailureText(name, disk));

  if (first) {
    begun.erase(UpperAscii(archive));
    out = KernelHandle(CreateArchive(target));
  } else {
    out = KernelHandle(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  if (!out) return abandon(ArchiveWriteFailureText(target, IsDiskFullError(GetLastError())));
  if (first) begun.insert(UpperAscii(archive));
  if (!SetFilePointerEx(out.Get(), LARGE_INTEGER{}, nullptr, FILE_END))
    return abandon(ArchiveWriteFailureText(target, false));

  DWORD writeError = 0;
  const PartCopyResult copied = CopyPartThroughBuffer(
      [&](char* data, std::size_t size) -> std::int64_t {
        DWORD got = 0;
        if (!ReadFile(in.Get(), data, static_cast<DWORD>(size), &got, nullptr)) return -1;
        return got;
      },
      [&](const char* data, std::size_t size) {
        while (size) {
          DWORD put = 0;
          if (!WriteFile(out.Get(), data, static_cast<DWORD>(size), &put, nullptr) || put == 0) {
            writeError = GetLastError();
            return false;
          }
          data += put, size -= put;
        }
        return true;
      },
      buffer.get(), PartBufferSize);
  if (copied.fault == PartCopyFault::WriteError) return abandon(ArchiveWriteFailureText(target, IsDiskFullError(writeError)));
  // A part that ends before the size it had when it was opened was not read whole.
  if (copied.fault == PartCopyFault::ReadError || copied.written != static_cast<std::uint64_t>(partSize.QuadPart))
    return abandon(PartReadFailureText(name, disk));
  if (!out.Close()) return abandon(ArchiveWriteFailureText(target, IsDiskFullError(GetLastError())));
  return {};
}

AssemblyResult AssembleArchives(CopyPageView& page, TComponentSet wanted) {
  auto& settings = Settings();
  page.SetStatusText(L"Asamblare arhive...");
  PartsJoined = 0;
  settings.DiskCount = EffectiveDiskCount(settings.DiskCount, MediaIsRemovable(settings.SourceDir));
  page.SetCopyMax(static_cast<std::uint32_t>(std::max<std::int32_t>(settings.DiskCount, 0)));
  page.SetCopyPosition(0);
  settings.SourceDir = WithoutTrailingBackslash(settings.SourceDir);
  BegunArchives begun;
  for (int n = 1; n <= settings.DiskCount; ++n) {
    if (!WaitForDisk(n)) {
      page.SetModalResult(TModalResult::Cancel);
      return {AssemblyOutcome::Cancelled, {}};
    }
    page.SetCopyPosition(n);
    for (const auto& name : WantedPartsInSource(wanted))
      if (const std::wstring failure = AppendPart(page, name, n, begun); !failure.empty())
        return {AssemblyOutcome::Failed, ShowFailure(failure)};
    page.SetCopyPosition(PartsJoined);
  }
  return {AssemblyOutcome::Joined, {}};
}
