#pragma once
// The install settings every wizard page shares, and the constant tables they
// select from: the component table, the per-type component sets and the aliases.
// They live for the whole run and are never saved.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace corvan {

enum TInstallType : std::uint8_t { itNone = 0, itLocal = 1, itServer = 2, itClient = 3 };

enum TWizardStep : std::uint8_t {
  wsInstallType = 0,
  wsFolders = 1,
  wsCopy = 2,
  wsConfig = 3,
  wsFinish = 4,
  wsDone = 5,
  wsFindApp = 6,
  wsUpgradeCopy = 7,
  wsDataUpgrade = 8,
};

enum TDestType : std::uint8_t { dtDatabaseDat = 0, dtDatabaseNew = 1, dtProgram = 2, dtProgramFiles = 3 };

struct TCompRecord {
  const wchar_t* FileName;  // the archive is FileName + ".ZIP"
  const wchar_t* CompName;  // shown on the copy pages while it is unpacked
  TDestType DestType;
};

constexpr int ComponentCount = 7;
// In unpacking order.
extern const std::array<TCompRecord, ComponentCount> Components;

// A set of component rows: bit i stands for Components[i].
using TComponentSet = std::uint8_t;
extern const std::array<TComponentSet, 4> InstallSets;  // indexed by TInstallType
extern const std::array<TComponentSet, 4> UpgradeSets;

constexpr bool InSet(TComponentSet set, int row) { return (set >> row) & 1; }
// The rows of a set, in table order.
std::vector<const TCompRecord*> ComponentsOf(TComponentSet set);
// The row whose FileName equals the name without regard to case, or -1.
int FindComponent(std::wstring_view fileName);

constexpr int AliasCount = 4;
extern const std::array<const wchar_t*, AliasCount> BdeAliases;
extern const std::array<const wchar_t*, AliasCount> BdeAliasDirs;
// DataDir + "\" + BdeAliasDirs[i], with no doubled backslash.
std::wstring AliasFolder(const std::wstring& dataDir, int i);

constexpr double ProductVersion = 3200876.02;

struct InstallSettings {
  TInstallType InstallType = itNone;
  bool UpgradeMode = false;
  bool OldBdeFound = false;
  std::uint8_t CurrentStep = wsInstallType;  // 9 appears briefly, one past wsDataUpgrade
  std::wstring ProposedProgramDir = L"C:\\Corvan";
  std::wstring ProgramDir = L"C:\\Corvan";
  std::wstring ProposedDataDir = L"C:\\Corvan";
  std::wstring DataDir = L"C:\\Corvan";
  std::wstring SourceDir;
  std::int32_t DiskCount = 1;
};

// The one set of settings of the process. Tests reset it with `Settings() = {}`.
InstallSettings& Settings();

}  // namespace corvan
