#pragma once
// Helpers the Wine tests share: folders, files and waiting without fixed sleeps.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// A fresh folder under the temporary folder, removed with its contents at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // With its trailing backslash.
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

void RemoveTree(const std::wstring& folder);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
bool PathExists(const std::wstring& path);
// The folder of the running test program, with its trailing backslash.
std::wstring TestProgramFolder();
// Dispatches pending messages until done() holds or the time-out (ms) passes.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// The root of a small drive of its own ("F:\\"), named by CORVAN_FULL_DRIVE when the
// test runs through tests/e2e/full_destination.sh; empty otherwise.
std::wstring SmallDrive();
// Writes a file of ballast that leaves about `room` bytes free on the drive.
bool FillDriveLeaving(const std::wstring& drive, std::uint64_t room, const std::wstring& ballast);
