#include "core/reg_template.h"

#include <cstdint>

namespace corvan {

std::wstring EscapeRegistryBackslashes(std::wstring_view folder) {
  std::wstring out;
  out.reserve(folder.size() * 2);
  for (wchar_t c : folder) {
    out += c;
    if (c == L'\\') out += L'\\';
  }
  return out;
}

std::wstring FillTemplateLine(std::wstring_view line, std::wstring_view escapedFolder) {
  const auto at = line.find(ProgDirPlaceholder);
  if (at == std::wstring_view::npos) return std::wstring(line);
  std::wstring out(line.substr(0, at));
  out += escapedFolder;
  out += line.substr(at + ProgDirPlaceholder.size());
  return out;
}

std::vector<std::wstring> SplitTemplateLines(std::wstring_view text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find(L'\n', start);
    if (end == std::wstring_view::npos) end = text.size();
    auto line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

std::wstring FillRegistryTemplate(std::wstring_view text, std::wstring_view programFilesDir) {
  const std::wstring escaped = EscapeRegistryBackslashes(programFilesDir);
  std::wstring out;
  out.reserve(text.size() + 64);
  for (const auto& line : SplitTemplateLines(text)) {
    out += FillTemplateLine(line, escaped);
    out += L"\r\n";
  }
  return out;
}

std::wstring NextUseCount(std::wstring_view useCount) {
  // Leading and trailing blanks are allowed around an optionally signed decimal number.
  auto first = useCount.find_first_not_of(L' ');
  auto last = useCount.find_last_not_of(L' ');
  std::int64_t value = 0;
  if (first != std::wstring_view::npos) {
    auto digits = useCount.substr(first, last - first + 1);
    bool negative = false;
    if (digits.front() == L'+' || digits.front() == L'-') {
      negative = digits.front() == L'-';
      digits.remove_prefix(1);
    }
    bool valid = !digits.empty() && digits.size() <= 10;
    std::int64_t parsed = 0;
    for (wchar_t c : digits) {
      if (c < L'0' || c > L'9') {
        valid = false;
        break;
      }
      parsed = parsed * 10 + (c - L'0');
    }
    if (negative) parsed = -parsed;
    if (valid && parsed >= INT32_MIN && parsed < INT32_MAX) value = parsed;
  }
  return std::to_wstring(value + 1);
}

}  // namespace corvan
