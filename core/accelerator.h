#pragma once
// How a caption's "&" marks are read: the one place that parses them. The accent drawing
// takes the caption's first "&" as the mark, as the painted controls have always drawn it
// (a doubled "&&" therefore draws an accented "&"); the keys take the letter after the
// first "&" that is not doubled; the disabled look drops every "&".
#include <string>
#include <string_view>

namespace corvan {

// A caption cut at its first "&": the text before it, the accelerator letter (empty when
// the "&" ends the caption) and the rest.
struct AccentParts {
  bool hasAccent = false;
  std::wstring before, letter, after;
};
AccentParts SplitAccent(std::wstring_view caption);

// The letter Alt + letter answers to: the one after the first single "&" ("&&" is a plain
// "&"); 0 when the caption has none.
wchar_t AcceleratorOf(std::wstring_view caption);

// Every "&" removed (the disabled look).
std::wstring StripAmpersands(std::wstring_view caption);

}  // namespace corvan
