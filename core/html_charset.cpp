#include "core/html_charset.h"

#include <cstdint>

namespace corvan::html {

namespace {

// The upper halves of the single-byte code pages (bytes 0x80..0xFF). Bytes a code page
// leaves undefined read as the control character of the same number, as browsers do.
constexpr char16_t kWindows1250[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};
constexpr char16_t kWindows1252[128] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039,
    0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, 0x00A0, 0x00A1, 0x00A2, 0x00A3,
    0x00A4, 0x00A5, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB,
    0x00BC, 0x00BD, 0x00BE, 0x00BF, 0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF, 0x00D0, 0x00D1, 0x00D2, 0x00D3,
    0x00D4, 0x00D5, 0x00D6, 0x00D7, 0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB,
    0x00EC, 0x00ED, 0x00EE, 0x00EF, 0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};
constexpr char16_t kIso8859_2[128] = {
    0x0080, 0x0081, 0x0082, 0x0083, 0x0084, 0x0085, 0x0086, 0x0087, 0x0088, 0x0089, 0x008A, 0x008B,
    0x008C, 0x008D, 0x008E, 0x008F, 0x0090, 0x0091, 0x0092, 0x0093, 0x0094, 0x0095, 0x0096, 0x0097,
    0x0098, 0x0099, 0x009A, 0x009B, 0x009C, 0x009D, 0x009E, 0x009F, 0x00A0, 0x0104, 0x02D8, 0x0141,
    0x00A4, 0x013D, 0x015A, 0x00A7, 0x00A8, 0x0160, 0x015E, 0x0164, 0x0179, 0x00AD, 0x017D, 0x017B,
    0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7, 0x00B8, 0x0161, 0x015F, 0x0165,
    0x017A, 0x02DD, 0x017E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};
constexpr char16_t kIso8859_16[128] = {
    0x0080, 0x0081, 0x0082, 0x0083, 0x0084, 0x0085, 0x0086, 0x0087, 0x0088, 0x0089, 0x008A, 0x008B,
    0x008C, 0x008D, 0x008E, 0x008F, 0x0090, 0x0091, 0x0092, 0x0093, 0x0094, 0x0095, 0x0096, 0x0097,
    0x0098, 0x0099, 0x009A, 0x009B, 0x009C, 0x009D, 0x009E, 0x009F, 0x00A0, 0x0104, 0x0105, 0x0141,
    0x20AC, 0x201E, 0x0160, 0x00A7, 0x0161, 0x00A9, 0x0218, 0x00AB, 0x0179, 0x00AD, 0x017A, 0x017B,
    0x00B0, 0x00B1, 0x010C, 0x0142, 0x017D, 0x201D, 0x00B6, 0x00B7, 0x017E, 0x010D, 0x0219, 0x00BB,
    0x0152, 0x0153, 0x0178, 0x017C, 0x00C0, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0106, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF, 0x0110, 0x0143, 0x00D2, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x015A, 0x0170, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x0118, 0x021A, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x0107, 0x00E6, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB,
    0x00EC, 0x00ED, 0x00EE, 0x00EF, 0x0111, 0x0144, 0x00F2, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x015B,
    0x0171, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x0119, 0x021B, 0x00FF,
};

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWithNoCase(std::string_view s, size_t at, std::string_view prefix) {
  if (at > s.size() || s.size() - at < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (AsciiLower(s[at + i]) != prefix[i]) return false;
  return true;
}

// The value after "charset=" in a Content-Type (quoted or not), or empty.
std::string_view CharsetInContentType(std::string_view content) {
  for (size_t i = 0; i + 7 <= content.size(); ++i) {
    if (!StartsWithNoCase(content, i, "charset")) continue;
    size_t j = i + 7;
    while (j < content.size() && IsBlank(content[j])) ++j;
    if (j >= content.size() || content[j] != '=') continue;
    ++j;
    while (j < content.size() && IsBlank(content[j])) ++j;
    if (j < content.size() && (content[j] == '"' || content[j] == '\'')) {
      const char quote = content[j++];
      const size_t end = content.find(quote, j);
      if (end == std::string_view::npos) return {};
      return content.substr(j, end - j);
    }
    size_t end = j;
    while (end < content.size() && !IsBlank(content[end]) && content[end] != ';') ++end;
    return content.substr(j, end - j);
  }
  return {};
}

// One attribute of a tag being scanned: name and value, lower-case name; false at the tag's end.
bool NextAttribute(std::string_view s, size_t& at, std::string& name, std::string_view& value) {
  while (at < s.size() && (IsBlank(s[at]) || s[at] == '/')) ++at;
  if (at >= s.size() || s[at] == '>') return false;
  name.clear();
  while (at < s.size() && !IsBlank(s[at]) && s[at] != '=' && s[at] != '>' && s[at] != '/')
    name += AsciiLower(s[at++]);
  while (at < s.size() && IsBlank(s[at])) ++at;
  value = {};
  if (at >= s.size() || s[at] != '=') return true;
  ++at;
  while (at < s.size() && IsBlank(s[at])) ++at;
  if (at < s.size() && (s[at] == '"' || s[at] == '\'')) {
    const char quote = s[at++];
    const size_t end = s.find(quote, at);
    const size_t stop = end == std::string_view::npos ? s.size() : end;
    value = s.substr(at, stop - at);
    at = stop + 1;
    return true;
  }
  const size_t start = at;
  while (at < s.size() && !IsBlank(s[at]) && s[at] != '>') ++at;
  value = s.substr(start, at - start);
  return true;
}

// The character set a <meta> tag starting at `at` (just after "<meta") names.
bool MetaCharset(std::string_view s, size_t at, Charset& charset) {
  std::string name;
  std::string_view value, fromCharset, fromContent;
  bool httpEquivContentType = false;
  while (NextAttribute(s, at, name, value)) {
    if (name == "charset") fromCharset = value;
    else if (name == "content") fromContent = value;
    else if (name == "http-equiv") httpEquivContentType = Trim(value).size() == 12 && StartsWithNoCase(Trim(value), 0, "content-type");
  }
  std::string_view label = fromCharset;
  if (label.empty() && httpEquivContentType) label = CharsetInContentType(fromContent);
  if (label.empty() || !CharsetFromLabel(label, charset)) return false;
  if (charset == Charset::Utf16Le || charset == Charset::Utf16Be) charset = Charset::Utf8;
  return true;
}

void DecodeUtf8(std::string_view s, std::wstring& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const size_t n = s.size();
  size_t i = 0;
  while (i < n) {
    const unsigned char c = p[i];
    if (c < 0x80) {
      out.push_back(static_cast<wchar_t>(c));
      ++i;
      continue;
    }
    int length = 0;
    char32_t cp = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) length = 2, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF) {
      length = 3, cp = c & 0x0F;
      if (c == 0xE0) low = 0xA0;
      if (c == 0xED) high = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4, cp = c & 0x07;
      if (c == 0xF0) low = 0x90;
      if (c == 0xF4) high = 0x8F;
    }
    if (length == 0) {
      out.push_back(L'\xFFFD');
      ++i;
      continue;
    }
    // A broken sequence becomes one U+FFFD for the bytes read so far.
    size_t j = i + 1;
    bool ok = true;
    for (int k = 1; k < length; ++k, ++j) {
      const unsigned char b = j < n ? p[j] : 0;
      if (j >= n || b < low || b > high) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (b & 0x3F);
      low = 0x80, high = 0xBF;
    }
    if (ok) AppendCodePoint(out, cp);
    else out.push_back(L'\xFFFD');
    i = j;
  }
}

void DecodeUtf16(std::string_view s, bool bigEndian, std::wstring& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const size_t units = s.size() / 2;
  for (size_t i = 0; i < units; ++i) {
    char32_t u = bigEndian ? (p[2 * i] << 8 | p[2 * i + 1]) : (p[2 * i + 1] << 8 | p[2 * i]);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
      const char32_t v = bigEndian ? (p[2 * i + 2] << 8 | p[2 * i + 3]) : (p[2 * i + 3] << 8 | p[2 * i + 2]);
      if (v >= 0xDC00 && v <= 0xDFFF) {
        AppendCodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00));
        ++i;
        continue;
      }
    }
    if (u >= 0xD800 && u <= 0xDFFF) u = 0xFFFD;
    out.push_back(static_cast<wchar_t>(u));
  }
  if (s.size() % 2) out.push_back(L'\xFFFD');
}

void DecodeSingleByte(std::string_view s, const char16_t (&upper)[128], std::wstring& out) {
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    out.push_back(static_cast<wchar_t>(c < 0x80 ? c : upper[c - 0x80]));
  }
}

}  // namespace

void AppendCodePoint(std::wstring& out, char32_t cp) {
  if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
  if constexpr (sizeof(wchar_t) == 2) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
      return;
    }
  }
  out.push_back(static_cast<wchar_t>(cp));
}

bool CharsetFromLabel(std::string_view label, Charset& charset) {
  std::string l;
  for (char c : Trim(label)) l += AsciiLower(c);
  static constexpr struct {
    const char* label;
    Charset charset;
  } kLabels[] = {
      {"utf-8", Charset::Utf8},          {"utf8", Charset::Utf8},
      {"unicode-1-1-utf-8", Charset::Utf8},
      {"utf-16", Charset::Utf16Le},      {"utf-16le", Charset::Utf16Le},
      {"unicode", Charset::Utf16Le},     {"utf-16be", Charset::Utf16Be},
      {"windows-1250", Charset::Windows1250}, {"cp1250", Charset::Windows1250},
      {"x-cp1250", Charset::Windows1250},
      {"windows-1252", Charset::Windows1252}, {"cp1252", Charset::Windows1252},
      {"x-cp1252", Charset::Windows1252},     {"iso-8859-1", Charset::Windows1252},
      {"iso8859-1", Charset::Windows1252},    {"iso_8859-1", Charset::Windows1252},
      {"latin1", Charset::Windows1252},       {"l1", Charset::Windows1252},
      {"us-ascii", Charset::Windows1252},     {"ascii", Charset::Windows1252},
      {"iso-8859-2", Charset::Iso8859_2},     {"iso8859-2", Charset::Iso8859_2},
      {"iso_8859-2", Charset::Iso8859_2},     {"latin2", Charset::Iso8859_2},
      {"l2", Charset::Iso8859_2},             {"iso-8859-16", Charset::Iso8859_16},
      {"iso8859-16", Charset::Iso8859_16},    {"iso_8859-16", Charset::Iso8859_16},
      {"latin10", Charset::Iso8859_16},       {"l10", Charset::Iso8859_16},
  };
  for (const auto& entry : kLabels)
    if (l == entry.label) {
      charset = entry.charset;
      return true;
    }
  return false;
}

Charset DetectCharset(std::string_view bytes) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return Charset::Utf8;
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") return Charset::Utf16Le;
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFE\xFF") return Charset::Utf16Be;
  const std::string_view head = bytes.substr(0, 2048);
  for (size_t i = 0; i < head.size(); ++i) {
    if (head[i] != '<') continue;
    if (head.compare(i, 4, "<!--") == 0) {
      const size_t end = head.find("-->", i + 4);
      if (end == std::string_view::npos) break;
      i = end + 2;
      continue;
    }
    Charset charset;
    if (StartsWithNoCase(head, i + 1, "meta") && i + 5 < head.size() && (IsBlank(head[i + 5]) || head[i + 5] == '/') &&
        MetaCharset(head, i + 5, charset))
      return charset;
  }
  return Charset::Windows1250;
}

std::wstring DecodeBytes(std::string_view bytes, Charset charset) {
  std::wstring out;
  out.reserve(bytes.size());
  switch (charset) {
    case Charset::Utf8:
      if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
      DecodeUtf8(bytes, out);
      break;
    case Charset::Utf16Le:
    case Charset::Utf16Be: {
      const bool big = charset == Charset::Utf16Be;
      if (bytes.substr(0, 2) == (big ? "\xFE\xFF" : "\xFF\xFE")) bytes.remove_prefix(2);
      DecodeUtf16(bytes, big, out);
      break;
    }
    case Charset::Windows1250: DecodeSingleByte(bytes, kWindows1250, out); break;
    case Charset::Windows1252: DecodeSingleByte(bytes, kWindows1252, out); break;
    case Charset::Iso8859_2: DecodeSingleByte(bytes, kIso8859_2, out); break;
    case Charset::Iso8859_16: DecodeSingleByte(bytes, kIso8859_16, out); break;
  }
  return out;
}

std::wstring DecodeHtmlFile(std::string_view bytes) { return DecodeBytes(bytes, DetectCharset(bytes)); }

}  // namespace corvan::html
