// The core's letter-case table against the platform's own: for every character of the
// Basic Multilingual Plane the table gives what the file systems' upper-casing gives
// (ntdll's RtlUpcaseUnicodeChar), and what it gives is one name with it to
// CompareStringOrdinal with case ignored.
#include "core/file_name_case.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(FileNameCase, AgreesWithThePlatformOnEveryCharacter) {
  using Upcase = WCHAR(WINAPI*)(WCHAR);
  const auto platform =
      reinterpret_cast<Upcase>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlUpcaseUnicodeChar")));
  ASSERT_NE(platform, nullptr);
  int mapped = 0, disagreements = 0;
  for (unsigned code = 1; code <= 0xFFFF && disagreements < 20; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;  // halves of pairs: never case-mapped
    const wchar_t c = static_cast<wchar_t>(code);
    const wchar_t upper = corvan::FileNameUpcase(c);
    mapped += upper != c;
    if (upper != platform(c) || CompareStringOrdinal(&c, 1, &upper, 1, TRUE) != CSTR_EQUAL) {
      ++disagreements;
      ADD_FAILURE() << std::hex << "U+" << code << ": table U+" << static_cast<unsigned>(upper) << ", platform U+"
                    << static_cast<unsigned>(platform(c));
    }
  }
  EXPECT_GT(mapped, 1000) << "letters of many scripts are mapped, not only ASCII";
}
