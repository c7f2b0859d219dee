#include "core/text.h"

namespace corvan {

std::wstring UpperAscii(std::wstring_view text) {
  std::wstring out(text);
  for (auto& c : out)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return out;
}

bool SameNameNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && UpperAscii(a) == UpperAscii(b);
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring out(folder);
  if (out.empty() || out.back() != L'\\') out += L'\\';
  out += name;
  return out;
}

std::wstring WithTrailingBackslash(std::wstring_view folder) {
  std::wstring out(folder);
  if (!out.empty() && out.back() != L'\\') out += L'\\';
  return out;
}

std::wstring WithoutTrailingBackslash(std::wstring_view folder) {
  std::wstring out(folder);
  if (!out.empty() && out.back() == L'\\') out.pop_back();
  return out;
}

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  for (wchar_t w : text) {
    const auto c = static_cast<char32_t>(w);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6), out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12), out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18), out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F)), out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace corvan
