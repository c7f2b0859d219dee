#pragma once
// 24-bit colours as the toolkit stores them: red in the lowest byte, then green, then blue.
#include <cstdint>

namespace corvan {

using TColor = std::uint32_t;

constexpr TColor Rgb(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(TColor c) { return c & 0xFF; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }
// Written #RRGGBB in the toolkit's documentation.
constexpr TColor Hex(std::uint32_t rrggbb) {
  return Rgb((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

// The toolkit's own colour names.
constexpr TColor cl1 = Hex(0x9D9C9C);
constexpr TColor cl2 = Hex(0xA9A9A9);
constexpr TColor clPaper = Hex(0xB6B6B6);
constexpr TColor cl3 = Hex(0xCFCFCF);
constexpr TColor clGrid = Hex(0xDFDFDF);
constexpr TColor clEdit = Hex(0xEFEFEF);
constexpr TColor clOther = Hex(0x2E79A7);
constexpr TColor clActiveTitleBar = Hex(0x07458A);
constexpr TColor clInactiveTitleBar = Hex(0x9A9A9A);
constexpr TColor clMenuTracking = Hex(0xFE8636);
constexpr TColor clTitleBarEnd = Hex(0xF9CD1E);
constexpr TColor clIntrari = Hex(0x7EAECB);
constexpr TColor clIntrariT = Hex(0x719CB6);
constexpr TColor clIesiri = Hex(0xA8C1C1);
constexpr TColor clIesiriT = Hex(0x97ADAD);
constexpr TColor clInterne = Hex(0x9BB0C1);
constexpr TColor clInterneT = Hex(0x8B9EAD);
constexpr TColor clTrezor = Hex(0xB1BDAC);
constexpr TColor clTrezorT = Hex(0x9CAB96);
constexpr TColor clImplicit = Hex(0xB7B7B7);
constexpr TColor clImplicitT = Hex(0xA4A4A4);

// The wizard pages' background and title-bar colours.
constexpr TColor PageColor = 11642264;      // #98A5B1
constexpr TColor PageTitleColor = 7891292;  // #5C6978

constexpr TColor clWhite = Rgb(255, 255, 255);
constexpr TColor clBlack = Rgb(0, 0, 0);
constexpr TColor clRed = Rgb(255, 0, 0);

// Both take a plain RGB colour (system colours are resolved by the caller).
// White stays white; otherwise each channel c becomes c + (c + 255) / n, at most 255.
TColor LightenColor(TColor color, int n);
// Black stays black; otherwise each channel c becomes c - c / n, at least 0.
TColor DarkenColor(TColor color, int n);

}  // namespace corvan
