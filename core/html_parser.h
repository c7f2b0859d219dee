#pragma once
// The HTML parser: text in, tree out, as browsers build it for the pages people write,
// including the broken ones. Implied end tags (<p>, <li>, <td>, <option>, ...), unclosed
// and misnested formatting (reopened where browsers reopen it), stray table content put
// before its table, text of <script>/<style>/<title>/<textarea> read as written,
// character references decoded. Every input gives a tree: elements nest at most
// kMaxDepth deep (deeper ones become children of the deepest), and the tree grows at
// most in proportion to the input.
#include <string_view>

#include "core/html_dom.h"

namespace corvan::html {

constexpr size_t kMaxDepth = 256;

Document ParseHtml(std::wstring_view text);

}  // namespace corvan::html
