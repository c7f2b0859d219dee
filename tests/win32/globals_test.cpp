// Process-wide values set at start-up, and the step trace's file.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "sysconfig/StepTrace.h"
#include "toolkit/GGlobals.h"
#include "win32_test_support.h"

TEST(Globals, LowColorMarkerForcesLowColourAndYellowHints) {
  TempFolder dir;
  InitGlobalsIn(dir.Path());
  EXPECT_EQ(AppDir, dir.Path());
  EXPECT_TRUE(HighColor);  // Xvfb runs at 24 bits per pixel
  EXPECT_EQ(HintColor, 15131353u);
  FreeGlobals();

  ASSERT_TRUE(WriteBytes(dir.Path() + L"LowColor.dat", ""));  // empty is enough
  InitGlobalsIn(dir.Path());
  EXPECT_FALSE(HighColor);
  EXPECT_EQ(HintColor, 65535u);
  FreeGlobals();
}

TEST(Globals, DotPatternAndLimits) {
  TempFolder dir;
  InitGlobalsIn(dir.Path());
  BITMAP info{};
  ASSERT_TRUE(GetObjectW(DotPattern, sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 8);
  EXPECT_EQ(info.bmHeight, 8);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, DotPattern);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      const COLORREF expected = (x % 2 == 0 && y % 2 == 0) ? RGB(255, 255, 255) : RGB(0, 0, 0);
      EXPECT_EQ(GetPixel(dc, x, y), expected);
    }
  SelectObject(dc, old);
  DeleteDC(dc);
  EXPECT_EQ(MaxFormWidth, GetSystemMetrics(SM_CXSCREEN) + 2 * GetSystemMetrics(SM_CXFRAME));
  EXPECT_EQ(MaxFormHeight, GetSystemMetrics(SM_CYSCREEN) + 2 * GetSystemMetrics(SM_CYFRAME));
  FreeGlobals();
}

TEST(Globals, ColourOperationsResolveSystemColours) {
  const corvan::TColor btnFace = 0x80000000u | COLOR_BTNFACE;
  EXPECT_EQ(ResolveColor(btnFace), static_cast<corvan::TColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(DarkenColor(btnFace, 3), corvan::DarkenColor(GetSysColor(COLOR_BTNFACE), 3));
}

TEST(StepTraceFile, WrittenOnlyWithTheMarker) {
  TempFolder dir;
  InitStepTrace(dir.Path());
  LogBegin(L"DoConfigBDE");
  EXPECT_FALSE(LogEnabled());
  EXPECT_EQ(LogLevel(), 0);
  EXPECT_FALSE(PathExists(dir.Path() + L"INSTCORV.LOG"));

  ASSERT_TRUE(WriteBytes(dir.Path() + L"debug.pas", ""));
  InitStepTrace(dir.Path());
  LogBegin(L"DoConfigBDE");
  LogNote(L"Configurare \x0103");  // written in the ANSI code page
  LogEnd(L"DoConfigBDE");
  const std::string text = ReadBytes(dir.Path() + L"INSTCORV.LOG");
  // Three CR LF lines, each with its time stamp and the final blank.
  ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
  EXPECT_EQ(text.rfind("BEGIN => DoConfigBDE <TIMP ", 0), 0u);
  EXPECT_NE(text.find(" > \r\n    *       Configurare "), std::string::npos);
  EXPECT_NE(text.find("\r\nEND <- DoConfigBDE <TIMP "), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 5), " > \r\n");
}

TEST(StepTraceFile, UnwritableFileTurnsTracingOff) {
  TempFolder dir;
  ASSERT_TRUE(WriteBytes(dir.Path() + L"debug.pas", ""));
  CreateDirectoryW((dir.Path() + L"INSTCORV.LOG").c_str(), nullptr);  // cannot be opened as a file
  InitStepTrace(dir.Path());
  EXPECT_TRUE(LogEnabled());
  LogBegin(L"X");
  EXPECT_FALSE(LogEnabled());
  LogNote(L"n");
  EXPECT_EQ(LogLevel(), 1);
}
