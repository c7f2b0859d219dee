#include "core/accelerator.h"

namespace corvan {

AccentParts SplitAccent(std::wstring_view caption) {
  AccentParts parts;
  const size_t amp = caption.find(L'&');
  if (amp == std::wstring_view::npos) {
    parts.before = caption;
    return parts;
  }
  parts.hasAccent = true;
  parts.before = caption.substr(0, amp);
  if (amp + 1 < caption.size()) parts.letter = caption.substr(amp + 1, 1);
  if (amp + 2 < caption.size()) parts.after = caption.substr(amp + 2);
  return parts;
}

wchar_t AcceleratorOf(std::wstring_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    return caption[i + 1];
  }
  return 0;
}

std::wstring StripAmpersands(std::wstring_view caption) {
  std::wstring out;
  for (wchar_t c : caption)
    if (c != L'&') out += c;
  return out;
}

}  // namespace corvan
