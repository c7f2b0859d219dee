// The copy page's rules: which archives may be missing, and when an installed engine is
// older than 4.0.
#include "core/copy_rules.h"

#include <gtest/gtest.h>

using namespace corvan;

TEST(CopyRules, OnlyOutpostAndPaydeskMayBeMissing) {
  for (const wchar_t* name : {L"OUTPOST.ZIP", L"outpost.zip", L"PayDesk.Zip"}) EXPECT_TRUE(IsOptionalArchive(name)) << name;
  for (const wchar_t* name : {L"EXE.ZIP", L"HELP.ZIP", L"OUTPOST", L"OUTPOST.ZIP ", L"XOUTPOST.ZIP", L""})
    EXPECT_FALSE(IsOptionalArchive(name)) << name;
}

TEST(CopyRules, VersionNumberIsTheIntegerPartCountedCharacterByCharacter) {
  const struct {
    const wchar_t* text;
    std::int32_t number;
  } cases[] = {
      {L"", 0},          {L"4.0", 4},       {L"3.5", 3},     {L"5.01", 5},  {L"4.51", 4}, {L"12", 12},
      {L"3,5", 3},       {L"3,5.1", (3 * 10 + (',' - '0')) * 10 + 5},  // the "." wins over an earlier ","
      {L".5", 0},        {L"3a", 3 * 10 + ('a' - '0')}, {L" 4", (' ' - '0') * 10 + 4},
  };
  for (const auto& c : cases) EXPECT_EQ(BdeVersionNumber(c.text), c.number) << c.text;
  // A long text wraps instead of overflowing.
  EXPECT_EQ(BdeVersionNumber(L"99999999999"), static_cast<std::int32_t>(99999999999ULL & 0xFFFFFFFFu));
}

TEST(CopyRules, AnEngineIsOldBelowFourExceptForExactlyFourPointZero) {
  for (const wchar_t* v : {L"3.5", L"1", L"", L"0.9", L" 4.0"}) EXPECT_TRUE(IsOldEngineVersion(v)) << v;
  for (const wchar_t* v : {L"4.0", L"4", L"4.51", L"5.01", L"10.0"}) EXPECT_FALSE(IsOldEngineVersion(v)) << v;
}
