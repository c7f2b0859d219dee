#pragma once
// The message dialog's text rules: the heading put before a message, and the lines its
// formatted label gets.
#include <functional>
#include <string>
#include <string_view>

namespace corvan {

// The text as shown: with a heading (its first 255 characters), the heading in capitals,
// a comma, two CRs, then the text; without one, the text itself.
std::wstring ShownMessageText(std::wstring_view prefix, std::wstring_view text);

// The shown text as the dialog's label gets it: each paragraph (CR, LF or CR LF ends one)
// broken at blanks into lines no wider than maxWidth (measured by `measure`); a new line
// drops the blanks it starts with, a word wider than the box stays whole on its own line.
std::wstring DialogLabelText(const std::wstring& shownText, int maxWidth,
                             const std::function<int(const std::wstring&)>& measure);

}  // namespace corvan
