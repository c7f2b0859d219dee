#include "toolkit/GGlobals.h"

#include <vector>

std::wstring AppDir;
bool HighColor = false;
HBITMAP BlankGlyph = nullptr;
HBITMAP DotPattern = nullptr;
int MaxFormWidth = 0;
int MaxFormHeight = 0;
corvan::TColor HintColor = 65535;

std::wstring ModuleFolder(HMODULE module) {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(module, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return L"";
    if (n < buf.size()) {
      std::wstring path(buf.data(), n);
      return path.substr(0, path.find_last_of(L"\\/") + 1);
    }
    buf.resize(buf.size() * 2);
  }
}

bool FileExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {
HBITMAP MakeDotPattern() {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 8, 8};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  for (int i = 1; i < 8; i += 2) {
    MoveToEx(dc, i, 0, nullptr);
    LineTo(dc, i, 8);
    MoveToEx(dc, 0, i, nullptr);
    LineTo(dc, 8, i);
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

int ScreenBitsPerPixel() {
  HDC screen = GetDC(nullptr);
  int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return bits;
}
}  // namespace

void InitGlobals() { InitGlobalsIn(ModuleFolder(nullptr)); }

void InitGlobalsIn(const std::wstring& programFolder) {
  AppDir = programFolder;
  BlankGlyph = CreateBitmap(0, 0, 1, 1, nullptr);
  DotPattern = MakeDotPattern();
  HighColor = !FileExists(AppDir + L"LowColor.dat") && ScreenBitsPerPixel() > 8;
  HintColor = HighColor ? 15131353 : 65535;
  MaxFormWidth = GetSystemMetrics(SM_CXSCREEN) + 2 * GetSystemMetrics(SM_CXFRAME);
  MaxFormHeight = GetSystemMetrics(SM_CYSCREEN) + 2 * GetSystemMetrics(SM_CYFRAME);
}

void FreeGlobals() {
  if (BlankGlyph) DeleteObject(BlankGlyph);
  if (DotPattern) DeleteObject(DotPattern);
  BlankGlyph = DotPattern = nullptr;
}

corvan::TColor ResolveColor(corvan::TColor color) {
  // The toolkit writes system colours as 0x80000000 | COLOR_* index.
  if (color & 0x80000000u) {
    COLORREF c = GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<corvan::TColor>(c);
  }
  return color & 0xFFFFFF;
}

corvan::TColor LightenColor(corvan::TColor color, int n) { return corvan::LightenColor(ResolveColor(color), n); }
corvan::TColor DarkenColor(corvan::TColor color, int n) { return corvan::DarkenColor(ResolveColor(color), n); }
