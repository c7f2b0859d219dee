#pragma once
// Process-wide values the toolkit draws by: the colour-depth switch, the shared bitmaps
// and the largest form size. Set once by InitGlobals, with the program folder AppDir,
// before the first window is created.
#include <windows.h>

#include <string>
#include <string_view>

#include "core/colors.h"
#include "platform/AppDir.h"

// False when AppDir + "LowColor.dat" exists; else true when the screen has more than 8 bits per pixel.
extern bool HighColor;
// An empty bitmap: what every picture lookup returns for a key it has no picture for. Borrowed.
extern HBITMAP BlankGlyph;
// 8 x 8, black but for the pixels whose column and row are both even (white): the form pattern.
extern HBITMAP DotPattern;
extern int MaxFormWidth;
extern int MaxFormHeight;
// The hint colour: 15131353 (#D9E2E6) on a high-colour screen, else 65535 (yellow).
extern corvan::TColor HintColor;

void InitGlobals();
// The same for a program whose folder is given (tests put marker files there).
void InitGlobalsIn(const std::wstring& programFolder);
void FreeGlobals();

// Colours may be system colours (the platform's COLOR_* index with the high bit set, as
// the toolkit writes clBtnFace); these resolve them first.
corvan::TColor ResolveColor(corvan::TColor color);
corvan::TColor LightenColor(corvan::TColor color, int n);
corvan::TColor DarkenColor(corvan::TColor color, int n);

// ---- The shared pictures, held by Mesaj (toolkit/dlgform2.h). All borrowed: never freed.
// The message pictures by kind: 0 Warning, 1 Error, 2 Information, 3 Confirmation.
HBITMAP MessageKindImage(int kind);
// The small glyphs by index, taken modulo 128: 1 Permis ... 19 Neoperat.
HBITMAP SmallImage(int index);
// A button kind's picture (the kind taken modulo 128); the smooth button's variant shows
// PrnSetup for mkIgnore.
HBITMAP KindImage(int kind);
HBITMAP NiceKindImage(int kind);
// Any picture of the holder by name. Every lookup gives BlankGlyph when it has no picture.
HBITMAP SharedPicture(std::wstring_view name);

// ---- Drawing helpers
// The caption with its first "&" letter in the accent colour (the underline toggled instead
// when the accent is the text colour); with underline, the letter is also underlined. Uses
// the font and text colour selected in dc; flags are DrawText's.
void DrawAccentText(HDC dc, const std::wstring& text, RECT rect, bool underline, corvan::TColor accent, UINT flags);
// White one pixel right of and below the rectangle, then grey (128, 128, 128) in it.
void DrawEmbossedText(HDC dc, RECT rect, const std::wstring& text, UINT flags);
// Every pixel of the bitmap's top-left colour becomes the given colour.
void ReplaceBackground(HBITMAP bitmap, corvan::TColor color);
// The mouse pointer's screen position, or (0, 0) when the platform cannot tell.
POINT GetCursorScreenPos();
// A bitmap's size ((0, 0) for none) and the colour of its top-left pixel (false: unreadable).
SIZE BitmapSize(HBITMAP bitmap);
bool TopLeftColor(HBITMAP bitmap, corvan::TColor& color);
