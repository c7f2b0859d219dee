// The component table, the per-type sets and the alias folders.
#include "core/install_settings.h"

#include <gtest/gtest.h>

#include <string>

using namespace corvan;

namespace {
std::wstring Names(TComponentSet set) {
  std::wstring out;
  for (auto* row : ComponentsOf(set)) out += std::wstring(row->FileName) + L" ";
  return out;
}
}  // namespace

TEST(InstallSettings, StartValues) {
  InstallSettings s;
  EXPECT_EQ(s.InstallType, itNone);
  EXPECT_FALSE(s.UpgradeMode);
  EXPECT_EQ(s.CurrentStep, wsInstallType);
  EXPECT_EQ(s.ProgramDir, L"C:\\Corvan");
  EXPECT_EQ(s.ProposedDataDir, L"C:\\Corvan");
  EXPECT_TRUE(s.SourceDir.empty());
  EXPECT_EQ(s.DiskCount, 1);
}

TEST(InstallSettings, SetsPerInstallType) {
  struct Case {
    TInstallType type;
    const wchar_t* install;
    const wchar_t* upgrade;
  } cases[] = {
      {itNone, L"", L""},
      {itLocal, L"EXE OUTPOST DBDAT DBNEW BDE32 HELP PAYDESK ", L"EXE OUTPOST DBNEW HELP PAYDESK "},
      {itServer, L"EXE OUTPOST DBDAT DBNEW BDE32 HELP PAYDESK ", L"EXE OUTPOST DBNEW HELP PAYDESK "},
      {itClient, L"EXE OUTPOST BDE32 HELP PAYDESK ", L"EXE OUTPOST HELP PAYDESK "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.type));
    EXPECT_EQ(Names(InstallSets[c.type]), c.install);
    EXPECT_EQ(Names(UpgradeSets[c.type]), c.upgrade);
  }
}

TEST(InstallSettings, ComponentTableOrderAndKinds) {
  ASSERT_EQ(Components.size(), 7u);
  EXPECT_STREQ(Components[2].CompName, L"CORVAN: baza de date si exemple");
  EXPECT_EQ(Components[2].DestType, dtDatabaseDat);
  EXPECT_EQ(Components[3].DestType, dtDatabaseNew);
  EXPECT_EQ(Components[4].DestType, dtProgramFiles);
  EXPECT_EQ(FindComponent(L"paydesk"), 6);
  EXPECT_EQ(FindComponent(L"UPGRADE"), -1);
}

TEST(InstallSettings, AliasFolders) {
  EXPECT_EQ(AliasFolder(L"C:\\Corvan", 2), L"C:\\Corvan\\NEW\\LUNA");
  EXPECT_EQ(AliasFolder(L"D:\\Date\\", 2), L"D:\\Date\\NEW\\LUNA");
  EXPECT_EQ(AliasFolder(L"D:\\Data", 3), L"D:\\Data\\DATA");
  EXPECT_STREQ(BdeAliases[3], L"CORVAN");
}
