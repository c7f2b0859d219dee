#include "core/zip_names.h"

#include <array>
#include <utility>

#include "core/file_name_case.h"

namespace corvan {
namespace {

// Code page 437, bytes 0x80..0xFF; the lower half is ASCII.
constexpr std::array<char16_t, 128> kCp437High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// wchar_t is UTF-16 on Windows and UTF-32 elsewhere.
void AppendCodePoint(std::wstring& out, char32_t cp) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (cp >> 10));
      out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
      return;
    }
  }
  out += static_cast<wchar_t>(cp);
}

std::optional<std::wstring> DecodeUtf8(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    int extra;
    char32_t cp;
    if (b < 0x80) {
      extra = 0, cp = b;
    } else if (b >= 0xC2 && b <= 0xDF) {
      extra = 1, cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2, cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3, cp = b & 0x07;
    } else {
      return std::nullopt;
    }
    if (bytes.size() - i <= static_cast<std::size_t>(extra) && extra) return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      if ((c & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not text.
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return std::nullopt;
    AppendCodePoint(out, cp);
    i += 1 + extra;
  }
  return out;
}

bool IsReservedDeviceName(std::wstring_view component) {
  // "CON", "nul.txt", "COM1.log": Windows opens the device whatever the extension.
  std::wstring base(component.substr(0, component.find(L'.')));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  for (auto& c : base)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  static constexpr std::wstring_view kPlain[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  for (auto name : kPlain)
    if (base == name) return true;
  // COM1..COM9 and LPT1..LPT9, and Windows also reserves them with a superscript 1, 2 or 3.
  if (base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) &&
      ((base[3] >= L'1' && base[3] <= L'9') || base[3] == L'\u00B9' || base[3] == L'\u00B2' || base[3] == L'\u00B3'))
    return true;
  return false;
}

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// What is wrong with one component of a name that does not leave the folder.
CheckedName CheckComponent(std::wstring_view component) {
  if (component.empty() || component == L".") return {{}, NameProblem::BadComponent};
  for (wchar_t c : component) {
    if (c == 0) return {{}, NameProblem::NotText};
    if (c < 0x20 || c == 0x7F) return {{}, NameProblem::ControlCharacter};
  }
  for (wchar_t c : component) {
    switch (c) {
      case L'<': case L'>': case L'"': case L'|': case L'?': case L'*': case L':':
        return {{}, NameProblem::ReservedCharacter, c};
      default:
        break;
    }
  }
  if (component.back() == L'.' || component.back() == L' ') return {{}, NameProblem::BadComponent};
  if (IsReservedDeviceName(component)) return {{}, NameProblem::DeviceName};
  return {};
}

}  // namespace

std::optional<std::wstring> DecodeEntryName(std::string_view bytes, bool utf8) {
  if (utf8) return DecodeUtf8(bytes);
  std::wstring out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    out += static_cast<wchar_t>(b < 0x80 ? b : kCp437High[b - 0x80]);
  }
  return out;
}

CheckedName CheckEntryName(std::wstring_view name) {
  // Both separators count: Windows treats '/' and '\' alike when the path is used.
  if (name.empty()) return {{}, NameProblem::BadComponent};
  if (name.front() == L'/' || name.front() == L'\\') return {{}, NameProblem::LeavesFolder};
  // "C:\x" and "C:x" both name a place on drive C:, not in the folder.
  if (name.size() >= 2 && name[1] == L':' && IsDriveLetter(name[0])) return {{}, NameProblem::LeavesFolder};
  if (name.back() == L'/' || name.back() == L'\\') name.remove_suffix(1);
  CheckedName result;
  result.path.reserve(name.size());
  CheckedName first;  // the first problem that is not a way out
  std::size_t start = 0;
  while (true) {
    const std::size_t end = name.find_first_of(L"/\\", start);
    const auto component = name.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
    if (component == L"..") return {{}, NameProblem::LeavesFolder};
    if (first.problem == NameProblem::None) {
      if (CheckedName verdict = CheckComponent(component); verdict.problem != NameProblem::None) first = verdict;
    }
    if (start != 0) result.path += L'\\';
    result.path += component;
    if (end == std::wstring_view::npos) break;
    start = end + 1;
  }
  if (first.problem != NameProblem::None) return first;
  return result;
}

std::optional<std::wstring> SafeRelativePath(std::wstring_view name) {
  CheckedName checked = CheckEntryName(name);
  if (checked.problem != NameProblem::None) return std::nullopt;
  return std::move(checked.path);
}

bool FitsPathLimits(std::size_t destinationLength, std::wstring_view path, bool folder) {
  const std::size_t full = destinationLength + 1 + path.size();
  if (folder) return full <= kMaxFolderPathLength;
  // The file's folder must be one Windows can make, and its temporary name must fit
  // beside it (with the folder within its limit, it does).
  const auto cut = path.rfind(L'\\');
  const std::size_t parent = cut == std::wstring_view::npos ? destinationLength : destinationLength + 1 + cut;
  return full <= kMaxFilePathLength && parent <= kMaxFolderPathLength;
}

EntryNameIndex::Result EntryNameIndex::Add(std::wstring_view path, bool folder, std::size_t index) {
  std::uint32_t parent = 0;
  std::wstring key;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find(L'\\', start);
    const bool last = end == std::wstring_view::npos;
    const auto component = path.substr(start, last ? std::wstring_view::npos : end - start);
    key.assign({static_cast<wchar_t>(parent & 0xFFFF), static_cast<wchar_t>(parent >> 16), L'\\'});
    key += FileNameUpcase(component);
    const Kind kind = !last ? Kind::ImpliedFolder : folder ? Kind::FolderEntry : Kind::File;
    const auto [it, added] = nodes_.try_emplace(key, Node{nextId_, kind, index});
    if (added) {
      ++nextId_;
    } else {
      Node& node = it->second;
      if (node.kind == Kind::File) return {kind == Kind::File ? Clash::SameName : Clash::FileAndFolder, node.entry};
      if (kind == Kind::File) return {Clash::FileAndFolder, node.entry};
      if (kind == Kind::FolderEntry) {
        if (node.kind == Kind::FolderEntry) return {Clash::SameName, node.entry};
        node.kind = Kind::FolderEntry;
        node.entry = index;
      }
    }
    if (last) return {};
    parent = it->second.id;
    start = end + 1;
  }
}

}  // namespace corvan
