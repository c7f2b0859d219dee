#pragma once
// Process-wide values the toolkit draws by: the program folder, the colour-depth
// switch, the shared bitmaps and the largest form size. Set once by InitGlobals
// before the first window is created.
#include <windows.h>

#include <string>

#include "core/colors.h"

// The folder of the running program file, with its trailing backslash.
extern std::wstring AppDir;
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

// The folder of a module's file with a trailing backslash (nullptr: the running program).
std::wstring ModuleFolder(HMODULE module);
bool FileExists(const std::wstring& path);

// Colours may be system colours (the platform's COLOR_* index with the high bit set, as
// the toolkit writes clBtnFace); these resolve them first.
corvan::TColor ResolveColor(corvan::TColor color);
corvan::TColor LightenColor(corvan::TColor color, int n);
corvan::TColor DarkenColor(corvan::TColor color, int n);
