// Filling the engine's registry template and counting its users.
#include "core/reg_template.h"

#include <gtest/gtest.h>

using namespace corvan;

TEST(RegTemplate, FillsFirstPlaceholderOfEachLine) {
  const std::wstring escaped = EscapeRegistryBackslashes(L"C:\\Program Files");
  EXPECT_EQ(escaped, L"C:\\\\Program Files");
  struct Case {
    const wchar_t* line;
    const wchar_t* filled;
  } cases[] = {
      {L"\"DLLPATH\"=\"$ProgDir$\\\\Borland\\\\Common Files\\\\BDE\"",
       L"\"DLLPATH\"=\"C:\\\\Program Files\\\\Borland\\\\Common Files\\\\BDE\""},
      {L"$ProgDir$", L"C:\\\\Program Files"},
      {L"a=$ProgDir$;b=$ProgDir$", L"a=C:\\\\Program Files;b=$ProgDir$"},
      {L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Borland\\BLW32]", L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Borland\\BLW32]"},
      {L"", L""},
      {L"$progdir$ differs in case", L"$progdir$ differs in case"},
      {L"$ProgDir", L"$ProgDir"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(FillTemplateLine(c.line, escaped), c.filled);
  }
}

TEST(RegTemplate, LongTailAfterPlaceholderIsKeptWhole) {
  const std::wstring tail(1500, L'x');
  const std::wstring line = L"\"P\"=\"$ProgDir$" + tail + L"\"";
  EXPECT_EQ(FillTemplateLine(line, L"C:\\\\PF"), L"\"P\"=\"C:\\\\PF" + tail + L"\"");
  // The same through the whole-file path, beside short lines.
  const std::wstring text = L"REGEDIT4\r\n" + line + L"\r\nend\r\n";
  EXPECT_EQ(FillRegistryTemplate(text, L"C:\\PF"), L"REGEDIT4\r\n\"P\"=\"C:\\\\PF" + tail + L"\"\r\nend\r\n");
}

TEST(RegTemplate, LineEndsAndEmptyLines) {
  struct Case {
    const wchar_t* text;
    std::vector<std::wstring> lines;
  } cases[] = {
      {L"", {}},
      {L"a", {L"a"}},
      {L"a\r\nb\r\n", {L"a", L"b"}},
      {L"a\nb", {L"a", L"b"}},
      {L"a\r\n\r\nb\r\n", {L"a", L"", L"b"}},
      {L"\r\n", {L""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SplitTemplateLines(c.text), c.lines);
  }
  // Every line is written back with CR LF, blank lines kept in place.
  EXPECT_EQ(FillRegistryTemplate(L"REGEDIT4\n\n[K]\n\"D\"=\"$ProgDir$\"", L"D:\\P F\\"),
            L"REGEDIT4\r\n\r\n[K]\r\n\"D\"=\"D:\\\\P F\\\\\"\r\n");
}

TEST(RegTemplate, UseCountPlusOne) {
  struct Case {
    const wchar_t* value;
    const wchar_t* next;
  } cases[] = {
      {L"3", L"4"},        {L"0", L"1"},         {L"", L"1"},          {L"abc", L"1"},
      {L"4x", L"1"},       {L" 7 ", L"8"},       {L"+2", L"3"},        {L"-5", L"-4"},
      {L"-", L"1"},        {L"99999999999", L"1"}, {L"2147483646", L"2147483647"},
      {L"2147483647", L"1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(NextUseCount(c.value), c.next);
  }
}
