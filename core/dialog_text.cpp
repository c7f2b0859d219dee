#include "core/dialog_text.h"

#include "core/text.h"

namespace corvan {

std::wstring ShownMessageText(std::wstring_view prefix, std::wstring_view text) {
  if (prefix.empty()) return std::wstring(text);
  return UpperText(prefix.substr(0, 255)) + L",\r\r" + std::wstring(text);
}

std::wstring DialogLabelText(const std::wstring& shownText, int maxWidth,
                             const std::function<int(const std::wstring&)>& measure) {
  // Each paragraph is cut into pieces of blanks + word; a line takes pieces while it stays
  // within maxWidth.
  std::wstring out, line;
  bool lineStarted = false;
  auto addPiece = [&](const std::wstring& piece) {
    if (piece.empty()) return;
    if (lineStarted && measure(line + piece) > maxWidth) {
      out += line + L'\r';
      line = piece.substr(piece.find_first_not_of(L' ') == std::wstring::npos ? piece.size()
                                                                               : piece.find_first_not_of(L' '));
    } else {
      line += piece;
    }
    lineStarted = true;
  };
  std::wstring piece;
  bool inBlanks = true;
  for (size_t i = 0; i < shownText.size(); ++i) {
    const wchar_t c = shownText[i];
    if (c == L'\r' || c == L'\n') {
      addPiece(piece);
      piece.clear();
      out += line + L'\r';
      line.clear();
      lineStarted = false;
      inBlanks = true;
      if (c == L'\r' && i + 1 < shownText.size() && shownText[i + 1] == L'\n') ++i;
      continue;
    }
    if (c == L' ' && !inBlanks) {
      addPiece(piece);
      piece.clear();
      inBlanks = true;
    } else if (c != L' ') {
      inBlanks = false;
    }
    piece += c;
  }
  addPiece(piece);
  out += line;
  return out;
}

}  // namespace corvan
