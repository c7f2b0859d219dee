#include "core/text.h"

namespace corvan {

std::wstring UpperAscii(std::wstring_view text) {
  std::wstring out(text);
  for (auto& c : out)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return out;
}

namespace {
wchar_t UpperLetter(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 0x20);
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<wchar_t>(c - 0x20);  // Latin-1, but the division sign
  if (c == 0xFF) return 0x178;                                                      // y with diaeresis
  if (c == 0x131) return L'I';                                                      // dotless i
  if (c == 0x17F) return L'S';                                                      // long s
  // Latin Extended-A pairs capital and small letter: even then odd, except in two runs.
  const bool oddCapital = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if (c >= 0x100 && c <= 0x17F && c != 0x138 && c != 0x149) {
    if (oddCapital && c % 2 == 0) return static_cast<wchar_t>(c - 1);
    if (!oddCapital && c % 2 == 1) return static_cast<wchar_t>(c - 1);
  }
  if (c == 0x219 || c == 0x21B) return static_cast<wchar_t>(c - 1);  // s and t with comma below
  return c;
}
}  // namespace

std::wstring UpperText(std::wstring_view text) {
  std::wstring out(text);
  for (auto& c : out) c = UpperLetter(c);
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
