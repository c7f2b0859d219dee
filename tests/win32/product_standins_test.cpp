// The product programs the configuration page starts: TREGSVR.EXE really registers
// CFX32.OCX (loads it and calls DllRegisterServer), HHUPD.EXE records the help update.
// They are started the way the setup starts them: unquoted paths, waited for.
#include <gtest/gtest.h>

#include "platform/RunProgram.h"
#include "win32_test_support.h"

namespace {

// The build folder of the stand-ins, as Wine sees it (Z: is the root of this machine).
std::wstring StandinFolder() {
  std::wstring path = L"Z:" PRODUCT_STANDINS_FOLDER;
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  return path + L"\\";
}

std::wstring ReadRegistryText(HKEY root, const std::wstring& key, const wchar_t* name) {
  wchar_t buffer[MAX_PATH * 2] = {};
  DWORD size = sizeof buffer;
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) return {};
  return buffer;
}

constexpr wchar_t ChartServerKey[] = L"CLSID\\{6F1C2B7A-3E55-4C1D-9A1E-2C0A3200876B}\\InprocServer32";

}  // namespace

TEST(ProductStandins, TregsvrRegistersTheChartControlFromAFolderWithBlanks) {
  TempFolder temp;
  const std::wstring folder = temp.Path() + L"Program Files\\Corvan Demo\\";
  ASSERT_TRUE(CreateDirectoryW((temp.Path() + L"Program Files").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  for (const wchar_t* name : {L"TREGSVR.EXE", L"CFX32.OCX"})
    ASSERT_TRUE(CopyFileW((StandinFolder() + name).c_str(), (folder + name).c_str(), FALSE)) << GetLastError();
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"CLSID\\{6F1C2B7A-3E55-4C1D-9A1E-2C0A3200876B}");

  // As the configuration page runs it: neither path in quotes.
  const std::wstring quotedProgram = QuotedPath(folder + L"TREGSVR.EXE");
  EXPECT_EQ(RunProgram(quotedProgram + L" -Q " + folder + L"CFX32.OCX", SW_MINIMIZE, true), 0);
  EXPECT_EQ(ReadRegistryText(HKEY_CLASSES_ROOT, ChartServerKey, nullptr), folder + L"CFX32.OCX");
  EXPECT_EQ(ReadRegistryText(HKEY_CLASSES_ROOT, L"Corvan.Chart\\CLSID", nullptr),
            L"{6F1C2B7A-3E55-4C1D-9A1E-2C0A3200876B}");

  // -U removes what registering wrote.
  EXPECT_EQ(RunProgram(quotedProgram + L" -Q -U " + folder + L"CFX32.OCX", SW_MINIMIZE, true), 0);
  EXPECT_EQ(ReadRegistryText(HKEY_CLASSES_ROOT, ChartServerKey, nullptr), L"");
}

TEST(ProductStandins, TregsvrSaysWhyItCouldNotRegister) {
  const std::wstring tregsvr = QuotedPath(StandinFolder() + L"TREGSVR.EXE");
  struct Case {
    const char* what;
    std::wstring arguments;
    int exitCode;
  };
  const Case cases[] = {
      {"no file", L" -Q", 1},
      {"a file that does not exist", L" -Q C:\\nowhere\\CFX32.OCX", 2},
      {"a library without DllRegisterServer", L" -Q C:\\windows\\system32\\version.dll", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RunProgram(tregsvr + c.arguments, SW_MINIMIZE, true), c.exitCode);
  }
}

TEST(ProductStandins, HhupdRecordsTheHelpUpdateQuietly) {
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Corvan\\Help");
  EXPECT_EQ(RunProgram(QuotedPath(StandinFolder() + L"HHUPD.EXE") + L" /Q", SW_MINIMIZE, true), 0);
  EXPECT_EQ(ReadRegistryText(HKEY_LOCAL_MACHINE, L"Software\\Corvan\\Help", L"Version"), L"3200876.02");
  EXPECT_EQ(ReadRegistryText(HKEY_LOCAL_MACHINE, L"Software\\Corvan\\Help", L"Folder"), StandinFolder());
}
