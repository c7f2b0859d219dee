#include "core/backdrop.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "core/text.h"

namespace corvan {

std::wstring TwoDecimals(double value) {
  if (std::isnan(value)) return L"NAN";
  if (std::isinf(value)) return value > 0 ? L"INF" : L"-INF";
  // Forty decimals are exact enough to decide the rounding: a double that is not itself
  // a tie lies much farther than 1e-40 from one. (printf writes the exact expansion on
  // both platforms; std::to_chars would bring 300 KB of tables into the program.)
  char buffer[400];
  const int length = std::snprintf(buffer, sizeof buffer, "%.40f", std::fabs(value));
  if (length <= 0 || length >= static_cast<int>(sizeof buffer)) return L"";
  const std::string expansion(buffer, static_cast<size_t>(length));
  const size_t point = expansion.find('.');
  std::string digits = expansion.substr(0, point) + expansion.substr(point + 1, 2);
  if (expansion[point + 3] >= '5') {
    size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) digits.insert(digits.begin(), '1');
    else ++digits[i - 1];
  }
  const bool zero = digits.find_first_not_of('0') == std::string::npos;
  std::wstring out = value < 0 && !zero ? L"-" : L"";
  out.append(digits.begin(), digits.end() - 2);
  out += L'.';
  out.append(digits.end() - 2, digits.end());
  return out;
}

std::wstring BackdropVersionText(double version) { return L"ver." + TwoDecimals(version); }

Placement CentredPanel(int clientWidth, int clientHeight, int panelWidth, int panelHeight) {
  // C++ division truncates toward zero, as the placement wants for a client area
  // smaller than the panel.
  return {(clientWidth - panelWidth) / 2, (clientHeight - panelHeight) / 2 - 15, panelWidth, panelHeight};
}

Placement InstructionsViewerBounds(const Placement& backdrop, int panelTop, int panelHeight) {
  const int width = backdrop.width - 200;
  return {backdrop.left + (backdrop.width - width) / 2, backdrop.top + 30, width, panelTop + panelHeight + 30};
}

std::wstring InstructionsFile(std::wstring_view programDir, double version) {
  return JoinPath(programDir, L"VerInfo\\" + TwoDecimals(version) + L"\\Instruct.htm");
}

std::wstring ReadMarkerName(std::wstring_view instructionsFile) { return std::wstring(instructionsFile) + L"l"; }

bool IsReadMarkerName(std::wstring_view fileName) {
  return !fileName.empty() && (fileName.back() == L'l' || fileName.back() == L'L');
}

}  // namespace corvan
