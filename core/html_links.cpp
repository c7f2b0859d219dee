#include "core/html_links.h"

#include <vector>

#include "core/html_charset.h"

namespace corvan::html {

namespace {

bool IsBlank(wchar_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsAlpha(wchar_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsSlash(wchar_t c) { return c == '/' || c == '\\'; }
int Hex(wchar_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ValidUtf8(const std::string& bytes) {
  const std::wstring text = DecodeBytes(bytes, Charset::Utf8);
  return text.find(L'\xFFFD') == std::wstring::npos;
}

// Percent escapes decoded; runs of escaped bytes read as UTF-8 when they are, else as Windows-1250.
std::wstring PercentDecoded(std::wstring_view text) {
  std::wstring out;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '%' && i + 2 < text.size() && Hex(text[i + 1]) >= 0 && Hex(text[i + 2]) >= 0) {
      std::string bytes;
      while (i + 2 < text.size() && text[i] == '%' && Hex(text[i + 1]) >= 0 && Hex(text[i + 2]) >= 0) {
        bytes.push_back(static_cast<char>(Hex(text[i + 1]) * 16 + Hex(text[i + 2])));
        i += 3;
      }
      out += DecodeBytes(bytes, ValidUtf8(bytes) ? Charset::Utf8 : Charset::Windows1250);
      continue;
    }
    out.push_back(text[i++]);
  }
  return out;
}

// "C:\a\.\b\..\c" -> "C:\a\c"; `root` characters at the start are never removed.
std::wstring Normalized(const std::wstring& path, size_t root) {
  std::vector<std::wstring> parts;
  size_t i = root;
  while (i <= path.size()) {
    size_t j = i;
    while (j < path.size() && !IsSlash(path[j])) ++j;
    const std::wstring part = path.substr(i, j - i);
    if (part == L"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != L".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  std::wstring out = path.substr(0, root);
  for (size_t k = 0; k < parts.size(); ++k) {
    if (k > 0 || (!out.empty() && out.back() != '\\')) out.push_back('\\');
    out += parts[k];
  }
  return out;
}

// The length of the root of a Windows path: "C:\" (3), "\\server\share\" (to after the share), or 0.
size_t RootLength(const std::wstring& path) {
  if (path.size() >= 2 && IsAlpha(path[0]) && path[1] == ':') return path.size() >= 3 && IsSlash(path[2]) ? 3 : 2;
  if (path.size() >= 2 && IsSlash(path[0]) && IsSlash(path[1])) {
    size_t slashes = 0, i = 2;
    for (; i < path.size(); ++i)
      if (IsSlash(path[i]) && ++slashes == 2) return i + 1;
    return path.size();
  }
  return 0;
}

std::wstring FolderOf(std::wstring_view path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash + 1));
}

}  // namespace

LinkTarget ResolveLink(std::wstring_view documentPath, std::wstring_view href) {
  while (!href.empty() && IsBlank(href.front())) href.remove_prefix(1);
  while (!href.empty() && IsBlank(href.back())) href.remove_suffix(1);
  LinkTarget target;
  std::wstring_view address = href;
  if (const size_t hash = href.find('#'); hash != std::wstring_view::npos) {
    target.fragment = PercentDecoded(href.substr(hash + 1));
    address = href.substr(0, hash);
  }
  if (const size_t query = address.find('?'); query != std::wstring_view::npos) address = address.substr(0, query);
  if (address.empty()) {
    target.kind = LinkKind::SameDocument;
    return target;
  }
  // A scheme: letters (then letters, digits, "+", "-", ".") and ":", longer than a drive letter.
  size_t colon = 0;
  while (colon < address.size() && (IsAlpha(address[colon]) || (colon > 0 && ((address[colon] >= '0' && address[colon] <= '9') ||
                                                                              address[colon] == '+' || address[colon] == '-' ||
                                                                              address[colon] == '.'))))
    ++colon;
  std::wstring path;
  if (colon >= 2 && colon < address.size() && address[colon] == ':') {
    std::wstring scheme;
    for (size_t k = 0; k < colon; ++k) scheme.push_back(static_cast<wchar_t>(address[k] | 0x20));
    if (scheme != L"file") return target;
    std::wstring_view rest = address.substr(colon + 1);
    size_t slashes = 0;
    while (slashes < rest.size() && IsSlash(rest[slashes])) ++slashes;
    rest.remove_prefix(slashes);
    path = PercentDecoded(rest);
    if (!(path.size() >= 2 && IsAlpha(path[0]) && (path[1] == ':' || path[1] == '|'))) {
      if (slashes != 2) return target;
      path = L"\\\\" + path;  // file://server/share/...
    } else {
      path[1] = ':';
    }
  } else {
    path = PercentDecoded(address);
  }
  for (wchar_t& c : path)
    if (c == '/') c = '\\';
  if (path.size() >= 2 && IsAlpha(path[0]) && path[1] == ':') {
    // Absolute already.
  } else if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    if (address.size() >= 2 && address[0] == '/' && address[1] == '/') return target;  // "//host/...": the network
  } else if (!path.empty() && path[0] == '\\') {
    const std::wstring document(documentPath);
    path = document.substr(0, RootLength(document)) + path.substr(1);
  } else {
    path = FolderOf(documentPath) + path;
  }
  const size_t root = RootLength(path);
  target.kind = LinkKind::LocalFile;
  target.path = Normalized(path, root);
  return target;
}

}  // namespace corvan::html
