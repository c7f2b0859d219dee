// File names compared as Windows compares them: which letters are one letter.
#include "core/file_name_case.h"

#include <gtest/gtest.h>

using namespace corvan;

TEST(FileNameCase, UpperCasesLettersOfEveryScriptAsWindowsDoes) {
  struct Case {
    wchar_t in, out;
  };
  const Case cases[] = {
      {L'a', L'A'}, {L'z', L'Z'}, {L'A', L'A'}, {L'0', L'0'}, {L'~', L'~'},
      {L'\u00E9', L'\u00C9'},  // é
      {L'\u00FF', L'\u0178'},  // ÿ leaves Latin-1
      {L'\u0103', L'\u0102'},  // ă
      {L'\u0219', L'\u0218'},  // ș, comma below
      {L'\u015F', L'\u015E'},  // ş, cedilla
      {L'\u021B', L'\u021A'},  // ț
      {L'\u03B1', L'\u0391'},  // Greek alpha
      {L'\u0436', L'\u0416'},  // Cyrillic zhe
      {L'\u1F80', L'\u1F88'},  // Greek with iota subscript: its simple upper case
      {L'\uFF41', L'\uFF21'},  // full-width a
      // Letters whose upper case maps back to another letter stay themselves on Windows.
      {L'\u0131', L'\u0131'},  // dotless i is not I
      {L'\u017F', L'\u017F'},  // long s is not S
      {L'\u03C2', L'\u03C2'},  // final sigma
      {L'\u00B5', L'\u00B5'},  // micro sign
      {L'\u01C5', L'\u01C5'},  // title-case Dž
      {L'\u00DF', L'\u00DF'},  // ß has no single upper case
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<unsigned>(c.in));
    EXPECT_EQ(FileNameUpcase(c.in), c.out);
  }
  EXPECT_EQ(FileNameUpcase(std::wstring(L"Data/\u0218coala.txt")), L"DATA/\u0218COALA.TXT");
  if constexpr (sizeof(wchar_t) == 4) {
    EXPECT_EQ(FileNameUpcase(static_cast<wchar_t>(0x10428)), static_cast<wchar_t>(0x10428));  // past the table
  }
}
