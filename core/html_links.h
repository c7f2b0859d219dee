#pragma once
// Where a link of a page leads, with Windows file names: "#name" stays on the page, a
// relative or absolute file name (or a file: address) is a file on disk, resolved against
// the page's own file; any other scheme (http:, mailto:, javascript:, ...) is not followed.
#include <string>
#include <string_view>

namespace corvan::html {

enum class LinkKind : unsigned char { SameDocument, LocalFile, Refused };

struct LinkTarget {
  LinkKind kind = LinkKind::Refused;
  std::wstring path;      // LocalFile: the full file name ("C:\Corvan\VerInfo\Doua.htm")
  std::wstring fragment;  // after "#", decoded; empty: none
};

// `documentPath` is the full file name of the page holding the link. Percent escapes are
// decoded (as UTF-8, else as Windows-1250), "/" becomes "\", "." and ".." are resolved
// (never above the drive or share), a query ("?...") is dropped.
LinkTarget ResolveLink(std::wstring_view documentPath, std::wstring_view href);

}  // namespace corvan::html
