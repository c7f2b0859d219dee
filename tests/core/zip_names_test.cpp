// Which entry names become which paths under the destination folder.
#include "core/zip_names.h"

#include <gtest/gtest.h>

using namespace corvan;

TEST(ZipNames, KeepsOrdinaryNamesAndTurnsSeparatorsIntoBackslashes) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"CORVAN.EXE", L"CORVAN.EXE"},
      {L"DATA/FIRME.DB", L"DATA\\FIRME.DB"},
      {L"VerInfo/3200876.02/Instruct.htm", L"VerInfo\\3200876.02\\Instruct.htm"},
      {L"NEW\\FIRMA\\logo.bmp", L"NEW\\FIRMA\\logo.bmp"},  // written by old Windows tools
      {L"NEW/LUNA/", L"NEW\\LUNA"},                         // a folder entry
      {L"..data/x..y/.hidden", L"..data\\x..y\\.hidden"},  // dots inside names are fine
      {L"CONSOLE.TXT", L"CONSOLE.TXT"},                     // only the exact device names are reserved
      {L"COM10", L"COM10"},
      {L"Scoala \u0218.txt", L"Scoala \u0218.txt"},
  };
  for (const auto& [name, path] : cases) {
    SCOPED_TRACE(testing::Message() << std::string(name, name + wcslen(name)).c_str());
    const auto result = SafeRelativePath(name);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, path);
  }
}

TEST(ZipNames, RefusesNamesThatLeaveOrCannotNameAFile) {
  const wchar_t* cases[] = {
      L"", L"/", L"..", L"../x", L"a/../../x", L"a\\..\\x", L"/abs", L"\\abs", L"\\\\srv\\share\\x", L"//srv/share/x",
      L"C:\\x", L"C:x", L"x:y", L"a:b/c", L"a//b", L"./x", L"a/./b", L"a/.", L"name.", L"name ", L"dir./x",
      L"CON", L"con.txt", L"NUL", L"Aux.dat", L"PRN", L"COM1", L"lpt9.log", L"CONIN$", L"a/nul", L"COM1 .txt", L"COM\u00B9", L"lpt\u00B3.txt",
      L"a<b", L"a>b", L"a|b", L"a\"b", L"a?b", L"a*b", L"a\tb", L"a\x7f" L"b",
  };
  for (const wchar_t* name : cases) {
    SCOPED_TRACE(testing::Message() << std::string(name, name + wcslen(name)).c_str());
    EXPECT_FALSE(SafeRelativePath(name).has_value());
  }
  EXPECT_FALSE(SafeRelativePath(std::wstring(L"a\0b", 3)).has_value());
}

TEST(ZipNames, DecodesCodePage437AndStrictUtf8) {
  std::string all;
  for (int b = 0x20; b < 0x100; ++b) all += static_cast<char>(b);
  const std::wstring decoded = *DecodeEntryName(all, false);
  ASSERT_EQ(decoded.size(), all.size());
  EXPECT_EQ(decoded.substr(0, 0x5F), std::wstring(L" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"));
  EXPECT_EQ(decoded[0x80 - 0x20], L'\u00C7');
  EXPECT_EQ(decoded[0xB3 - 0x20], L'\u2502');
  EXPECT_EQ(decoded[0xFF - 0x20], L'\u00A0');
  EXPECT_EQ(*DecodeEntryName("\xC3\xA2\xE2\x82\xAC", true), L"\u00E2\u20AC");
  for (const char* bad : {"\x80", "\xC3", "\xC1\x81", "\xE0\x80\x80", "\xF4\x90\x80\x80", "\xED\xBF\xBF"})
    EXPECT_FALSE(DecodeEntryName(bad, true).has_value()) << bad;
}
