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

}  // namespace corvan
