#include "bench_faces.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/text.h"
#include "toolkit/FmtLabel.h"
#include "toolkit/Gdi.h"

namespace {

constexpr BenchFace kFaces[] = {
    {L"MS Sans Serif", L"MS Sans Serif"},  // Wine's raster face, as on Windows
    {L"Ms Sans Serif", L"MS Sans Serif"},  // so spelled by the title bars
    {L"System", L"System"},  // the stock system font the edit boxes measure against
    {L"Wingdings", L"Wingdings"},  // the program's own: the prefix has none
    {L"Times New Roman", L"Liberation Serif"},
    {L"Courier New", L"Liberation Mono"},
};

std::uint16_t BigEndian16(const std::vector<unsigned char>& data, size_t at) {
  return at + 1 < data.size() ? static_cast<std::uint16_t>(data[at] << 8 | data[at + 1]) : 0;
}

// The family (name 1) of the font file's own name table, in its Windows (Unicode)
// record; empty for a font without one (a raster face).
std::wstring FamilyInNameTable(HDC dc) {
  constexpr DWORD kNameTable = 'n' | 'a' << 8 | 'm' << 16 | 'e' << 24;
  const DWORD size = GetFontData(dc, kNameTable, 0, nullptr, 0);
  if (size == GDI_ERROR || size < 6) return {};
  std::vector<unsigned char> data(size);
  if (GetFontData(dc, kNameTable, 0, data.data(), size) != size) return {};
  const std::uint16_t count = BigEndian16(data, 2), strings = BigEndian16(data, 4);
  std::wstring family;
  for (std::uint16_t i = 0; i < count; ++i) {
    const size_t record = 6 + 12 * size_t{i};
    if (BigEndian16(data, record) != 3 || BigEndian16(data, record + 6) != 1) continue;
    const bool english = BigEndian16(data, record + 4) == 0x409;
    if (!family.empty() && !english) continue;
    const size_t length = BigEndian16(data, record + 8), at = size_t{strings} + BigEndian16(data, record + 10);
    family.clear();
    for (size_t c = 0; c + 1 < length && at + c + 1 < data.size(); c += 2)
      family += static_cast<wchar_t>(BigEndian16(data, at + c));
    if (english) break;
  }
  return family;
}

// Empty when the family resolves to its face; else what it resolves to.
std::wstring Fault(HDC dc, const BenchFace& wanted) {
  OwnedFont font(CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, wanted.family));
  SelectGuard select(dc, font.Get());
  wchar_t selected[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, selected);
  std::wstring drawnWith = FamilyInNameTable(dc);
  if (drawnWith.empty()) drawnWith = selected;
  // A family the platform does not have comes back under the name of its fallback.
  if (corvan::SameNameNoCase(selected, wanted.family) && drawnWith == wanted.face) return {};
  return drawnWith.empty() ? L"nothing" : drawnWith;
}

}  // namespace

std::span<const BenchFace> BenchFaces() { return kFaces; }

std::string BenchFaceFault(std::span<const BenchFace> faces) {
  EnsureSymbolFont();
  WindowDC screen;
  std::wstring faults;
  for (const BenchFace& wanted : faces) {
    const std::wstring got = Fault(screen.Get(), wanted);
    if (got.empty()) continue;
    faults += faults.empty() ? L"" : L"; ";
    faults += L"\"" + std::wstring(wanted.family) + L"\" is drawn with \"" + got + L"\", not \"" + wanted.face + L"\"";
  }
  if (faults.empty()) return {};
  return "Fonts of the test bench: " + corvan::ToUtf8(faults) +
         " (the prefix's fonts come from scripts/make-wine-prefix.sh; scripts/wine-env.sh keeps the host's out)";
}
