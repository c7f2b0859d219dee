#pragma once
// Character references of HTML text: named ones (the HTML 4 set, the Latin letters of
// Central and Eastern Europe, and the legacy names browsers accept without ";") and
// numeric ones.
#include <cstddef>
#include <string_view>

namespace corvan::html {

// The reference that starts just after an "&" in `text`: the characters it takes
// (";" included) and its code point; 0 when there is none (the "&" stays as written).
// In an attribute, a legacy name without ";" followed by a letter, digit or "=" is not
// a reference ("?a=1&copy=2").
size_t MatchCharacterReference(std::wstring_view text, bool inAttribute, char32_t& codePoint);

}  // namespace corvan::html
