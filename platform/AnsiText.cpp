#include "platform/AnsiText.h"

#include <windows.h>

namespace {
std::optional<std::string> Convert(std::wstring_view text, bool exact) {
  if (text.empty()) return std::string();
  BOOL lossy = FALSE;
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, exact ? &lossy : nullptr);
  if (n <= 0 || lossy) return std::nullopt;
  std::string out(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}
}  // namespace

std::string ToAnsi(std::wstring_view text) { return Convert(text, false).value_or(std::string()); }

std::optional<std::string> ToAnsiExact(std::wstring_view text) { return Convert(text, true); }

std::wstring FromAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, out.data(), n);
  return out;
}
