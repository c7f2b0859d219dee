// The shared pictures under Wine: every picture decoded from the program's resources at
// its size, the lookups, and the drawing helpers checked pixel by pixel on memory DCs.
#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "core/button_kinds.h"
#include "core/accelerator.h"
#include "core/colors.h"
#include "toolkit/GGlobals.h"
#include "toolkit/dlgform2.h"
#include "win32_test_support.h"
#include "toolkit_globals.h"
#include "pixel_canvas.h"

using namespace corvan;

namespace {

// The face of the captions.
HFONT MakeFont(bool underline = false) {
  return CreateFontW(-11, 0, 0, 0, FW_BOLD, FALSE, underline, FALSE, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                     L"MS Sans Serif");
}

constexpr TColor kKey = Rgb(255, 0, 255);
}  // namespace

TEST(Pictures, EveryNamedPictureIsLoadedOnce) {
  ASSERT_NE(Mesaj, nullptr);
  EXPECT_EQ(Mesaj->Count(), TMesaj::PictureNames().size());
  for (const wchar_t* name : TMesaj::PictureNames()) {
    SCOPED_TRACE(std::string(name, name + wcslen(name)));
    HBITMAP picture = Mesaj->Find(name);
    ASSERT_NE(picture, nullptr);
    EXPECT_GT(BitmapSize(picture).cx, 0);
    EXPECT_EQ(SharedPicture(name), picture);
  }
  EXPECT_FALSE(Mesaj->Caption().empty());
  EXPECT_NE(Mesaj->Caption(), L"?");
  // Made once: a second start-up keeps the same holder and pictures.
  TMesaj* before = Mesaj;
  HBITMAP ok = Mesaj->Find(L"OK");
  CreateMesaj();
  EXPECT_EQ(Mesaj, before);
  EXPECT_EQ(Mesaj->Find(L"OK"), ok);
}

TEST(Pictures, SizesTheToolkitSlicesBy) {
  struct Case {
    const wchar_t* name;
    int w, h;
  } cases[] = {
      {L"Warning", 86, 53},  {L"Error", 86, 53},   {L"Information", 86, 53}, {L"Confirmation", 86, 53},
      {L"Anulat", 92, 53},   {L"Check", 66, 15},   {L"Radio", 22, 11},       {L"ButtonFaceCVX", 180, 28},
      {L"ButtonFaceCVX120", 180, 35}, {L"OK", 84, 28}, {L"Cancel", 70, 22},  {L"Nu", 90, 28},
      {L"Help", 60, 31},     {L"Exit", 69, 26},    {L"Retry", 99, 31},       {L"All", 81, 31},
      {L"PrnSetup", 99, 31}, {L"nPrev", 30, 17},   {L"nNext", 30, 17},       {L"IconFace", 40, 40},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    const SIZE size = BitmapSize(SharedPicture(c.name));
    EXPECT_EQ(size.cx, c.w);
    EXPECT_EQ(size.cy, c.h);
  }
}

TEST(Pictures, Lookups) {
  EXPECT_EQ(MessageKindImage(0), SharedPicture(L"Warning"));
  EXPECT_EQ(MessageKindImage(1), SharedPicture(L"Error"));
  EXPECT_EQ(MessageKindImage(2), SharedPicture(L"Information"));
  EXPECT_EQ(MessageKindImage(3), SharedPicture(L"Confirmation"));
  EXPECT_EQ(MessageKindImage(4), BlankGlyph);
  EXPECT_EQ(MessageKindImage(-1), BlankGlyph);

  EXPECT_EQ(SmallImage(0), BlankGlyph);
  EXPECT_EQ(SmallImage(5), SharedPicture(L"Check"));
  EXPECT_EQ(SmallImage(133), SmallImage(5));
  EXPECT_EQ(SmallImage(19), SharedPicture(L"Neoperat"));
  EXPECT_EQ(SmallImage(20), BlankGlyph);

  EXPECT_EQ(KindImage(mkOK), SharedPicture(L"OK"));
  EXPECT_EQ(KindImage(mkYes), SharedPicture(L"OK"));
  EXPECT_EQ(KindImage(128 + mknNext), SharedPicture(L"nNext"));
  EXPECT_EQ(KindImage(mkCustom), BlankGlyph);
  EXPECT_EQ(KindImage(mkLast), BlankGlyph);
  EXPECT_EQ(KindImage(mkIgnore), BlankGlyph);
  EXPECT_EQ(NiceKindImage(mkIgnore), SharedPicture(L"PrnSetup"));
  EXPECT_EQ(SharedPicture(L"NuExista"), BlankGlyph);
  EXPECT_EQ(SharedPicture(L""), BlankGlyph);
  // Every kind with a picture in the table finds it.
  for (int k = 0; k < ButtonKindCount; ++k) {
    if (KindImageName(k).empty()) continue;
    EXPECT_NE(KindImage(k), BlankGlyph) << k;
  }
}

TEST(Pictures, FaceStripCellsTileWithoutSeams) {
  // The middle cells are tiled as they are, so they hold no transparent pixel and every
  // column of one is the same; the ends are rounded, their outer corners transparent.
  HBITMAP strip = SharedPicture(L"ButtonFaceCVX");
  for (int state = 0; state < 3; ++state) {
    SCOPED_TRACE(state);
    const int left = state * 60, middle = left + 20, right = left + 40;
    EXPECT_EQ(PictureAt(strip, left, 0), kKey);
    EXPECT_EQ(PictureAt(strip, right + 19, 27), kKey);
    for (int y = 0; y < 28; ++y) {
      const TColor first = PictureAt(strip, middle, y);
      EXPECT_NE(first, kKey) << y;
      EXPECT_EQ(PictureAt(strip, middle + 19, y), first) << y;
      EXPECT_EQ(PictureAt(strip, left + 19, y), first) << y;   // the left end meets the middle
      EXPECT_EQ(PictureAt(strip, right, y), first) << y;       // and the middle the right end
    }
  }
  // The three faces differ.
  EXPECT_NE(PictureAt(strip, 30, 14), PictureAt(strip, 90, 14));
  EXPECT_NE(PictureAt(strip, 90, 14), PictureAt(strip, 150, 14));
}

TEST(Pictures, ButtonPictureCellsAreKeyedAndTheDisabledCellIsGrey) {
  for (const wchar_t* name : {L"OK", L"Cancel", L"Nu", L"Exit", L"nPrev", L"nNext", L"Help", L"Retry"}) {
    SCOPED_TRACE(std::string(name, name + wcslen(name)));
    HBITMAP picture = SharedPicture(name);
    const SIZE size = BitmapSize(picture);
    const int cell = size.cx / 3;
    int coloured = 0, greyNonWhite = 0;
    for (int n = 0; n < 3; ++n) EXPECT_EQ(PictureAt(picture, n * cell, 0), kKey) << n;
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < cell; ++x) {
        const TColor normal = PictureAt(picture, x, y), disabled = PictureAt(picture, cell + x, y);
        if (normal != kKey && !(RedOf(normal) == GreenOf(normal) && GreenOf(normal) == BlueOf(normal))) ++coloured;
        if (disabled == kKey) continue;
        EXPECT_TRUE(RedOf(disabled) == GreenOf(disabled) && GreenOf(disabled) == BlueOf(disabled)) << x << "," << y;
        if (disabled != clWhite) ++greyNonWhite;
      }
    EXPECT_GT(greyNonWhite, 10);
    const bool blackArrow = std::wstring(name) == L"nPrev" || std::wstring(name) == L"nNext";
    if (!blackArrow) {
      EXPECT_GT(coloured, 10);
    }
  }
}

TEST(Pictures, ReplaceBackgroundChangesOnlyTheTopLeftColour) {
  PixelCanvas source(4, 3, Rgb(10, 20, 30));
  SetPixel(source.dc(), 1, 1, RGB(200, 0, 0));
  SetPixel(source.dc(), 3, 2, RGB(10, 20, 31));  // one step off: kept
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 3);
  ReleaseDC(nullptr, screen);
  {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, 4, 3, source.dc(), 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  ReplaceBackground(bitmap, PageColor);
  EXPECT_EQ(PictureAt(bitmap, 0, 0), PageColor);
  EXPECT_EQ(PictureAt(bitmap, 3, 0), PageColor);
  EXPECT_EQ(PictureAt(bitmap, 1, 1), Rgb(200, 0, 0));
  EXPECT_EQ(PictureAt(bitmap, 3, 2), Rgb(10, 20, 31));
  DeleteObject(bitmap);
  ReplaceBackground(nullptr, PageColor);     // nothing to do, no crash
  ReplaceBackground(BlankGlyph, PageColor);  // an empty picture neither
}

TEST(Pictures, DrawEmbossedTextIsWhiteUnderGrey) {
  PixelCanvas canvas(120, 30, PageColor);
  HFONT font = MakeFont();
  HGDIOBJ old = SelectObject(canvas.dc(), font);
  SetTextColor(canvas.dc(), RGB(1, 2, 3));
  DrawEmbossedText(canvas.dc(), {5, 5, 115, 25}, L"Gri", DT_SINGLELINE | DT_LEFT);
  const auto grey = canvas.Columns(Rgb(128, 128, 128));
  const auto white = canvas.Columns(clWhite);
  ASSERT_GE(grey.first, 5);
  EXPECT_EQ(white.last, grey.last + 1);  // the white copy one pixel to the right
  EXPECT_EQ(GetTextColor(canvas.dc()), RGB(1, 2, 3));  // the canvas is left as it was
  SelectObject(canvas.dc(), old);
  DeleteObject(font);
}

// The columns of a text's ink drawn plainly in black with DrawText.
PixelCanvas::Span PlainInk(HFONT font, const std::wstring& text, RECT rect, UINT flags) {
  PixelCanvas canvas(rect.right, rect.bottom, clWhite);
  HGDIOBJ old = SelectObject(canvas.dc(), font);
  SetBkMode(canvas.dc(), TRANSPARENT);
  SetTextColor(canvas.dc(), clBlack);
  DrawTextW(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &rect, flags | DT_NOPREFIX);
  SelectObject(canvas.dc(), old);
  return canvas.Columns(clBlack);
}

TEST(Pictures, DrawAccentTextColoursOnlyTheAcceleratorLetter) {
  const TColor red = Hex(0xFF0000), black = clBlack;
  HFONT font = MakeFont();
  struct Case {
    const wchar_t* text;
    bool expectRed;
  } cases[] = {{L"&Abandon", true}, {L"I&esire", true}, {L"Fara accent", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text, c.text + wcslen(c.text)));
    PixelCanvas canvas(200, 30, clWhite);
    HGDIOBJ old = SelectObject(canvas.dc(), font);
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), black);
    DrawAccentText(canvas.dc(), c.text, {0, 0, 200, 30}, false, red, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const auto reds = canvas.Columns(red);
    const auto blacks = canvas.Columns(black);
    EXPECT_EQ(reds.first >= 0, c.expectRed);
    // The text is centred as a whole, its measured width widened by 2 when it has an
    // accent: it stands where the plain text stands centred in a box 2 pixels narrower.
    const int left = std::min(blacks.first, reds.first < 0 ? blacks.first : reds.first);
    const int right = std::max(blacks.last, reds.last);
    const auto parts = corvan::SplitAccent(c.text);
    const std::wstring plain = parts.before + parts.letter + parts.after;
    const LONG box = parts.hasAccent ? 198 : 200;
    const auto centred = PlainInk(font, plain, {0, 0, box, 30}, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(left, centred.first);
    EXPECT_EQ(right, centred.last);
    if (c.expectRed) {
      // The red letter is one run as wide as the letter; no "&" is drawn anywhere.
      const auto letter = PlainInk(font, parts.letter, {0, 0, 200, 30}, DT_SINGLELINE);
      EXPECT_EQ(reds.last - reds.first, letter.last - letter.first);
      if (c.text[0] == L'&') {
        EXPECT_LT(reds.last, blacks.first + 2);
      } else {
        EXPECT_GT(reds.first, blacks.first);
      }
    }
    EXPECT_EQ(GetTextColor(canvas.dc()), black);
    SelectObject(canvas.dc(), old);
  }
  DeleteObject(font);
}

TEST(Pictures, DrawAccentTextUnderlinesWhenTheAccentIsTheTextColour) {
  HFONT font = MakeFont();
  // Ink pixels per row that a render adds to the plain one (red letter, no underline).
  auto render = [&](bool underline, TColor accent) {
    auto canvas = std::make_unique<PixelCanvas>(120, 30, clWhite);
    HGDIOBJ old = SelectObject(canvas->dc(), font);
    SetBkMode(canvas->dc(), TRANSPARENT);
    SetTextColor(canvas->dc(), clBlack);
    DrawAccentText(canvas->dc(), L"&Mama", {10, 0, 120, 30}, underline, accent, DT_SINGLELINE);
    SelectObject(canvas->dc(), old);
    return canvas;
  };
  const auto plain = render(false, Hex(0xFF0000));
  auto widestAddedRow = [&](const PixelCanvas& other) {
    int widest = 0;
    for (int y = 0; y < 30; ++y) {
      int added = 0;
      for (int x = 0; x < 120; ++x) added += plain->Pixel(x, y) == clWhite && other.Pixel(x, y) != clWhite;
      widest = std::max(widest, added);
    }
    return widest;
  };
  EXPECT_EQ(widestAddedRow(*render(false, Hex(0xFF0000))), 0);
  EXPECT_GE(widestAddedRow(*render(false, clBlack)), 6);      // same colour: the underline marks it
  EXPECT_GE(widestAddedRow(*render(true, Hex(0xFF0000))), 6);  // asked for: underlined as well
  DeleteObject(font);
}

TEST(Pictures, CursorPositionAndBadPng) {
  ASSERT_TRUE(SetCursorPos(33, 44));
  const POINT p = GetCursorScreenPos();
  EXPECT_EQ(p.x, 33);
  EXPECT_EQ(p.y, 44);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const char garbage[] = "\x89PNG\r\n\x1a\n not really";
  EXPECT_EQ(DecodePng(garbage, sizeof garbage), nullptr);
  EXPECT_EQ(DecodePng(garbage, 0), nullptr);
  CoUninitialize();
}
