#pragma once
// The backdrop's and the instructions viewer's numbers and texts: the version as the
// backdrop shows it and as the instructions folder is named, the centred panel, the
// viewer's place over the backdrop, and the instructions file with its read marker.
#include <string>
#include <string_view>

#include "core/colors.h"

namespace corvan {

// The backdrop's colour (red 8, green 74, blue 140), also the viewer's bars.
constexpr TColor BackdropColor = Hex(0x084A8C);
// The centred panel of the backdrop.
constexpr int BackdropPanelWidth = 750;
constexpr int BackdropPanelHeight = 499;

// The number with at least one digit before the point and exactly two after it, "." as
// the separator, rounded half away from zero: 3200876.02 -> "3200876.02", 7 -> "7.00".
// (The backdrop's pattern "0.#0" and fixed notation with two decimals give the same text.)
std::wstring TwoDecimals(double value);
// "ver." + the version: "ver.3200876.02".
std::wstring BackdropVersionText(double version);

struct Placement {
  int left, top, width, height;
};

// The panel centred in the backdrop's client area, 15 pixels above the middle (division
// truncating toward zero): 1014 x 758 -> 132, 114; 790 x 590 -> 20, 30.
Placement CentredPanel(int clientWidth, int clientHeight, int panelWidth = BackdropPanelWidth,
                       int panelHeight = BackdropPanelHeight);

// The instructions viewer over the backdrop (outer bounds on the screen): 200 pixels
// narrower and centred across it (100 in from its left edge), 30 below its top, as high
// as the panel's bottom (in the backdrop's client area) plus 30.
Placement InstructionsViewerBounds(const Placement& backdrop, int panelTop, int panelHeight);

// ProgramDir\VerInfo\<version>\Instruct.htm, one backslash after the folder.
std::wstring InstructionsFile(std::wstring_view programDir, double version);
// The name of a page already read: the same name with "l" appended (Instruct.html).
std::wstring ReadMarkerName(std::wstring_view instructionsFile);
// A page already read is one whose name ends in "l" or "L".
bool IsReadMarkerName(std::wstring_view fileName);

}  // namespace corvan
