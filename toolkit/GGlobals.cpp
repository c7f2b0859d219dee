#include "toolkit/GGlobals.h"

#include "core/button_kinds.h"
#include "core/accelerator.h"
#include "platform/Files.h"
#include "toolkit/Gdi.h"
#include "toolkit/dlgform2.h"

#include <vector>

bool HighColor = false;
HBITMAP BlankGlyph = nullptr;
HBITMAP DotPattern = nullptr;
int MaxFormWidth = 0;
int MaxFormHeight = 0;
corvan::TColor HintColor = 65535;

namespace {
HBITMAP MakeDotPattern() {
  HBITMAP bitmap;
  {
    WindowDC screen;
    bitmap = CreateCompatibleBitmap(screen.Get(), 8, 8);
  }
  HDC dc = CreateCompatibleDC(nullptr);
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
  WindowDC screen;
  return GetDeviceCaps(screen.Get(), BITSPIXEL);
}
}  // namespace

void InitGlobals() { InitGlobalsIn(ModuleFolder(nullptr)); }

void InitGlobalsIn(const std::wstring& programFolder) {
  AppDir = programFolder;
  BlankGlyph = CreateBitmap(0, 0, 1, 1, nullptr);
  DotPattern = MakeDotPattern();
  HighColor = !FileExists(AppDir + L"LowColor.dat") && ScreenBitsPerPixel() > 8;
  CreateMesaj();
  HintColor = HighColor ? 15131353 : 65535;
  MaxFormWidth = GetSystemMetrics(SM_CXSCREEN) + 2 * GetSystemMetrics(SM_CXFRAME);
  MaxFormHeight = GetSystemMetrics(SM_CYSCREEN) + 2 * GetSystemMetrics(SM_CYFRAME);
}

void FreeGlobals() {
  FreeMesaj();
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

HBITMAP SharedPicture(std::wstring_view name) {
  HBITMAP found = Mesaj && !name.empty() ? Mesaj->Find(name) : nullptr;
  return found ? found : BlankGlyph;
}

HBITMAP MessageKindImage(int kind) {
  static constexpr const wchar_t* names[] = {L"Warning", L"Error", L"Information", L"Confirmation"};
  return kind >= 0 && kind < 4 ? SharedPicture(names[kind]) : BlankGlyph;
}

HBITMAP SmallImage(int index) {
  static constexpr const wchar_t* names[] = {
      L"",      L"Permis",    L"Interzis",  L"Surub",     L"Linii",     L"Check",  L"Radio",
      L"Anulat", L"GrupX",    L"Grup0",     L"crescator", L"descrescator", L"ToolbVert", L"ToolbOriz",
      L"EscapeImg", L"SCLogo", L"Pag",      L"Corvan",    L"Buget",     L"Neoperat"};
  const int i = ((index % 128) + 128) % 128;
  return i < static_cast<int>(std::size(names)) ? SharedPicture(names[i]) : BlankGlyph;
}

HBITMAP KindImage(int kind) { return SharedPicture(corvan::KindImageName(kind)); }
HBITMAP NiceKindImage(int kind) { return SharedPicture(corvan::NiceKindImageName(kind)); }

namespace {
// Draws one piece of text with DrawText and gives its width.
int DrawPiece(HDC dc, const std::wstring& text, RECT rect, UINT flags) {
  if (text.empty()) return 0;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
  RECT measured = rect;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, (flags | DT_CALCRECT | DT_SINGLELINE));
  return measured.right - measured.left;
}

// The font selected in dc with its underline switched.
HFONT ToggledUnderlineFont(HDC dc) {
  LOGFONTW font{};
  if (!GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font)) return nullptr;
  font.lfUnderline = !font.lfUnderline;
  return CreateFontIndirectW(&font);
}
}  // namespace

void DrawAccentText(HDC dc, const std::wstring& text, RECT rect, bool underline, corvan::TColor accent, UINT flags) {
  const corvan::AccentParts parts = corvan::SplitAccent(text);
  if (!parts.hasAccent) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
    return;
  }
  const std::wstring stripped = parts.before + parts.letter + parts.after;
  RECT measured = rect;
  DrawTextW(dc, stripped.c_str(), static_cast<int>(stripped.size()), &measured, flags | DT_CALCRECT | DT_SINGLELINE);
  if (flags & DT_VCENTER) {
    measured.top = rect.top;
    measured.bottom = rect.bottom;
  }
  measured.right += 2;
  if (flags & DT_CENTER) {
    OffsetRect(&measured, (rect.right - measured.right) / 2, 0);
    flags &= ~DT_CENTER;
  } else if (flags & DT_RIGHT) {
    OffsetRect(&measured, rect.right - measured.right, 0);
    flags &= ~DT_RIGHT;
  }
  measured.left += DrawPiece(dc, parts.before, measured, flags);

  const COLORREF textColor = GetTextColor(dc);
  HFONT toggled = nullptr;
  HGDIOBJ oldFont = nullptr;
  if (static_cast<COLORREF>(ResolveColor(accent)) == textColor) {
    toggled = ToggledUnderlineFont(dc);
    if (toggled) oldFont = SelectObject(dc, toggled);
  } else {
    SetTextColor(dc, ResolveColor(accent));
  }
  if (underline) {
    // The platform underlines the letter after "&"; the width is the letter's alone.
    const std::wstring marked = L"&" + parts.letter;
    RECT at = measured;
    DrawTextW(dc, marked.c_str(), static_cast<int>(marked.size()), &at, flags);
    RECT size = measured;
    DrawTextW(dc, parts.letter.c_str(), static_cast<int>(parts.letter.size()), &size, flags | DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    if (!parts.letter.empty()) measured.left += size.right - size.left;
  } else {
    measured.left += DrawPiece(dc, parts.letter, measured, flags | DT_NOPREFIX);
  }
  SetTextColor(dc, textColor);
  if (toggled) {
    SelectObject(dc, oldFont);
    DeleteObject(toggled);
  }
  DrawPiece(dc, parts.after, measured, flags);
}

void DrawEmbossedText(HDC dc, RECT rect, const std::wstring& text, UINT flags) {
  const COLORREF old = GetTextColor(dc);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  RECT shadow = rect;
  OffsetRect(&shadow, 1, 1);
  SetTextColor(dc, RGB(255, 255, 255));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, flags);
  SetTextColor(dc, RGB(128, 128, 128));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
  SetTextColor(dc, old);
  SetBkMode(dc, oldMode);
}

namespace {
// The bitmap's pixels as 32-bit top-down BGRX rows.
bool ReadPixels(HBITMAP bitmap, BITMAPINFO& info, std::vector<DWORD>& pixels) {
  BITMAP bm{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
  info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = -bm.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  pixels.resize(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  WindowDC screen;
  const int rows = GetDIBits(screen.Get(), bitmap, 0, bm.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
  return rows == bm.bmHeight;
}

constexpr DWORD kRgbMask = 0x00FFFFFF;
DWORD ToPixel(corvan::TColor c) {
  return (corvan::RedOf(c) << 16) | (corvan::GreenOf(c) << 8) | corvan::BlueOf(c);
}
}  // namespace

void ReplaceBackground(HBITMAP bitmap, corvan::TColor color) {
  BITMAPINFO info;
  std::vector<DWORD> pixels;
  if (!ReadPixels(bitmap, info, pixels)) return;
  const DWORD key = pixels[0] & kRgbMask;
  const DWORD with = ToPixel(ResolveColor(color));
  bool changed = false;
  for (DWORD& p : pixels) {
    if ((p & kRgbMask) == key) {
      p = with;
      changed = true;
    }
  }
  if (!changed) return;
  WindowDC screen;
  SetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(-info.bmiHeader.biHeight), pixels.data(), &info, DIB_RGB_COLORS);
}

POINT GetCursorScreenPos() {
  POINT p{};
  if (!GetCursorPos(&p)) p = {0, 0};
  return p;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(bm), &bm)) return {0, 0};
  return {bm.bmWidth, bm.bmHeight};
}

bool TopLeftColor(HBITMAP bitmap, corvan::TColor& color) {
  const SIZE size = BitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return false;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return false;
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF pixel = old ? GetPixel(dc, 0, 0) : CLR_INVALID;
  if (old) SelectObject(dc, old);
  DeleteDC(dc);
  if (pixel == CLR_INVALID) return false;
  color = static_cast<corvan::TColor>(pixel);
  return true;
}
