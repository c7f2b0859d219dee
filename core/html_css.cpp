#include "core/html_css.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace corvan::html {

namespace {

struct NamedColor {
  const char* name;
  uint32_t rrggbb;
};

// Sorted by name.
constexpr NamedColor kNamedColors[] = {
    {"aliceblue", 0xF0F8FF},
    {"antiquewhite", 0xFAEBD7},
    {"aqua", 0x00FFFF},
    {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF},
    {"beige", 0xF5F5DC},
    {"bisque", 0xFFE4C4},
    {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD},
    {"blue", 0x0000FF},
    {"blueviolet", 0x8A2BE2},
    {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887},
    {"cadetblue", 0x5F9EA0},
    {"chartreuse", 0x7FFF00},
    {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50},
    {"cornflowerblue", 0x6495ED},
    {"cornsilk", 0xFFF8DC},
    {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF},
    {"darkblue", 0x00008B},
    {"darkcyan", 0x008B8B},
    {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9},
    {"darkgreen", 0x006400},
    {"darkgrey", 0xA9A9A9},
    {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B},
    {"darkolivegreen", 0x556B2F},
    {"darkorange", 0xFF8C00},
    {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000},
    {"darksalmon", 0xE9967A},
    {"darkseagreen", 0x8FBC8F},
    {"darkslateblue", 0x483D8B},
    {"darkslategray", 0x2F4F4F},
    {"darkslategrey", 0x2F4F4F},
    {"darkturquoise", 0x00CED1},
    {"darkviolet", 0x9400D3},
    {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF},
    {"dimgray", 0x696969},
    {"dimgrey", 0x696969},
    {"dodgerblue", 0x1E90FF},
    {"firebrick", 0xB22222},
    {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22},
    {"fuchsia", 0xFF00FF},
    {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xF8F8FF},
    {"gold", 0xFFD700},
    {"goldenrod", 0xDAA520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xADFF2F},
    {"grey", 0x808080},
    {"honeydew", 0xF0FFF0},
    {"hotpink", 0xFF69B4},
    {"indianred", 0xCD5C5C},
    {"indigo", 0x4B0082},
    {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C},
    {"lavender", 0xE6E6FA},
    {"lavenderblush", 0xFFF0F5},
    {"lawngreen", 0x7CFC00},
    {"lemonchiffon", 0xFFFACD},
    {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080},
    {"lightcyan", 0xE0FFFF},
    {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightgray", 0xD3D3D3},
    {"lightgreen", 0x90EE90},
    {"lightgrey", 0xD3D3D3},
    {"lightpink", 0xFFB6C1},
    {"lightsalmon", 0xFFA07A},
    {"lightseagreen", 0x20B2AA},
    {"lightskyblue", 0x87CEFA},
    {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xB0C4DE},
    {"lightyellow", 0xFFFFE0},
    {"lime", 0x00FF00},
    {"limegreen", 0x32CD32},
    {"linen", 0xFAF0E6},
    {"magenta", 0xFF00FF},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66CDAA},
    {"mediumblue", 0x0000CD},
    {"mediumorchid", 0xBA55D3},
    {"mediumpurple", 0x9370DB},
    {"mediumseagreen", 0x3CB371},
    {"mediumslateblue", 0x7B68EE},
    {"mediumspringgreen", 0x00FA9A},
    {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1},
    {"moccasin", 0xFFE4B5},
    {"navajowhite", 0xFFDEAD},
    {"navy", 0x000080},
    {"oldlace", 0xFDF5E6},
    {"olive", 0x808000},
    {"olivedrab", 0x6B8E23},
    {"orange", 0xFFA500},
    {"orangered", 0xFF4500},
    {"orchid", 0xDA70D6},
    {"palegoldenrod", 0xEEE8AA},
    {"palegreen", 0x98FB98},
    {"paleturquoise", 0xAFEEEE},
    {"palevioletred", 0xDB7093},
    {"papayawhip", 0xFFEFD5},
    {"peachpuff", 0xFFDAB9},
    {"peru", 0xCD853F},
    {"pink", 0xFFC0CB},
    {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6},
    {"purple", 0x800080},
    {"red", 0xFF0000},
    {"rosybrown", 0xBC8F8F},
    {"royalblue", 0x4169E1},
    {"saddlebrown", 0x8B4513},
    {"salmon", 0xFA8072},
    {"sandybrown", 0xF4A460},
    {"seagreen", 0x2E8B57},
    {"seashell", 0xFFF5EE},
    {"sienna", 0xA0522D},
    {"silver", 0xC0C0C0},
    {"skyblue", 0x87CEEB},
    {"slateblue", 0x6A5ACD},
    {"slategray", 0x708090},
    {"slategrey", 0x708090},
    {"snow", 0xFFFAFA},
    {"springgreen", 0x00FF7F},
    {"steelblue", 0x4682B4},
    {"tan", 0xD2B48C},
    {"teal", 0x008080},
    {"thistle", 0xD8BFD8},
    {"tomato", 0xFF6347},
    {"turquoise", 0x40E0D0},
    {"violet", 0xEE82EE},
    {"wheat", 0xF5DEB3},
    {"white", 0xFFFFFF},
    {"whitesmoke", 0xF5F5F5},
    {"yellow", 0xFFFF00},
    {"yellowgreen", 0x9ACD32},
};

bool IsBlank(wchar_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
wchar_t Lower(wchar_t c) { return c >= 'A' && c <= 'Z' ? static_cast<wchar_t>(c + 32) : c; }
int HexDigit(wchar_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::wstring_view Trim(std::wstring_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool NamedColorOf(std::wstring_view text, TColor& color) {
  if (text.empty() || text.size() > 24) return false;
  char name[25];
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = Lower(text[i]);
    if (c < 'a' || c > 'z') return false;
    name[i] = static_cast<char>(c);
  }
  name[text.size()] = '\0';
  const NamedColor* end = std::end(kNamedColors);
  const NamedColor* it = std::lower_bound(std::begin(kNamedColors), end, name,
                                          [](const NamedColor& n, const char* s) { return std::strcmp(n.name, s) < 0; });
  if (it == end || std::strcmp(it->name, name) != 0) return false;
  color = Hex(it->rrggbb);
  return true;
}

bool HexColor(std::wstring_view digits, TColor& color) {
  for (wchar_t c : digits)
    if (HexDigit(c) < 0) return false;
  if (digits.size() == 3) {
    const int r = HexDigit(digits[0]), g = HexDigit(digits[1]), b = HexDigit(digits[2]);
    color = Rgb(r * 17, g * 17, b * 17);
    return true;
  }
  if (digits.size() == 6) {
    color = Rgb(HexDigit(digits[0]) * 16 + HexDigit(digits[1]), HexDigit(digits[2]) * 16 + HexDigit(digits[3]),
                HexDigit(digits[4]) * 16 + HexDigit(digits[5]));
    return true;
  }
  return false;
}

// A number at the start of s (sign, digits, one point); false when none.
bool ParseNumber(std::wstring_view& s, float& value) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  double v = 0;
  bool digits = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    v = v * 10 + (s[i++] - '0');
    digits = true;
    if (v > 1e7) v = 1e7;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    double scale = 0.1;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
      v += (s[i++] - '0') * scale;
      scale /= 10;
      digits = true;
    }
  }
  if (!digits) return false;
  value = static_cast<float>(negative ? -v : v);
  s.remove_prefix(i);
  return true;
}

struct PropertyName {
  const char* name;
  Property property;
};

// Sorted by name.
constexpr PropertyName kProperties[] = {
    {"background", Property::Background},
    {"background-color", Property::BackgroundColor},
    {"border", Property::Border},
    {"border-bottom", Property::BorderBottom},
    {"border-color", Property::BorderColor},
    {"border-left", Property::BorderLeft},
    {"border-right", Property::BorderRight},
    {"border-style", Property::BorderStyle},
    {"border-top", Property::BorderTop},
    {"border-width", Property::BorderWidth},
    {"clear", Property::Clear},
    {"color", Property::Color},
    {"display", Property::Display},
    {"float", Property::Float},
    {"font", Property::Font},
    {"font-family", Property::FontFamily},
    {"font-size", Property::FontSize},
    {"font-style", Property::FontStyle},
    {"font-weight", Property::FontWeight},
    {"height", Property::Height},
    {"list-style", Property::ListStyle},
    {"list-style-type", Property::ListStyleType},
    {"margin", Property::Margin},
    {"margin-bottom", Property::MarginBottom},
    {"margin-left", Property::MarginLeft},
    {"margin-right", Property::MarginRight},
    {"margin-top", Property::MarginTop},
    {"padding", Property::Padding},
    {"padding-bottom", Property::PaddingBottom},
    {"padding-left", Property::PaddingLeft},
    {"padding-right", Property::PaddingRight},
    {"padding-top", Property::PaddingTop},
    {"text-align", Property::TextAlign},
    {"text-decoration", Property::TextDecoration},
    {"text-indent", Property::TextIndent},
    {"vertical-align", Property::VerticalAlign},
    {"white-space", Property::WhiteSpace},
    {"width", Property::Width},
};

bool PropertyOf(std::wstring_view text, Property& property) {
  if (text.empty() || text.size() > 20) return false;
  char name[21];
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = Lower(text[i]);
    if (c > 127) return false;
    name[i] = static_cast<char>(c);
  }
  name[text.size()] = '\0';
  const PropertyName* end = std::end(kProperties);
  const PropertyName* it = std::lower_bound(std::begin(kProperties), end, name,
                                            [](const PropertyName& p, const char* s) { return std::strcmp(p.name, s) < 0; });
  if (it == end || std::strcmp(it->name, name) != 0) return false;
  property = it->property;
  return true;
}

// The index after the block that starts at s[open] == '{' (strings and nesting respected).
size_t BlockEnd(std::wstring_view s, size_t open) {
  int depth = 0;
  for (size_t i = open; i < s.size(); ++i) {
    const wchar_t c = s[i];
    if (c == '"' || c == '\'') {
      const size_t close = s.find(c, i + 1);
      if (close == std::wstring_view::npos) return s.size();
      i = close;
    } else if (c == '{') {
      ++depth;
    } else if (c == '}') {
      if (--depth == 0) return i + 1;
    }
  }
  return s.size();
}

// The text between the "{" at s[open] and the end of its block (before its "}" when it has one).
std::wstring_view BlockInside(std::wstring_view s, size_t open, size_t end) {
  size_t stop = end;
  if (stop > open + 1 && s[stop - 1] == '}') --stop;
  return stop > open + 1 ? s.substr(open + 1, stop - open - 1) : std::wstring_view();
}

std::wstring WithoutComments(std::wstring_view css) {
  std::wstring out;
  out.reserve(css.size());
  size_t i = 0;
  while (i < css.size()) {
    const size_t open = css.find(L"/*", i);
    if (open == std::wstring_view::npos) {
      out.append(css.substr(i));
      break;
    }
    out.append(css.substr(i, open - i));
    const size_t close = css.find(L"*/", open + 2);
    if (close == std::wstring_view::npos) break;
    out.push_back(' ');
    i = close + 2;
  }
  return out;
}

bool IsNameChar(wchar_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c > 127;
}

}  // namespace

bool ParseCssColor(std::wstring_view text, TColor& color) {
  text = Trim(text);
  if (text.empty()) return false;
  if (text[0] == '#') return HexColor(text.substr(1), color);
  if (text.size() > 4 && EqualsNoCase(text.substr(0, 4), L"rgb(") && text.back() == ')') {
    std::wstring_view inner = text.substr(4, text.size() - 5);
    int channel[3];
    for (int k = 0; k < 3; ++k) {
      inner = Trim(inner);
      float v;
      if (!ParseNumber(inner, v)) return false;
      inner = Trim(inner);
      if (!inner.empty() && inner[0] == '%') {
        v = v * 255 / 100;
        inner.remove_prefix(1);
        inner = Trim(inner);
      }
      channel[k] = static_cast<int>(std::lround(std::clamp(v, 0.0f, 255.0f)));
      if (k < 2) {
        if (inner.empty() || inner[0] != ',') return false;
        inner.remove_prefix(1);
      }
    }
    if (!Trim(inner).empty()) return false;
    color = Rgb(channel[0], channel[1], channel[2]);
    return true;
  }
  return NamedColorOf(text, color);
}

bool ParseLegacyColor(std::wstring_view text, TColor& color) {
  text = Trim(text);
  if (text.empty() || EqualsNoCase(text, L"transparent")) return false;
  if (NamedColorOf(text, color)) return true;
  if (text[0] == '#') text.remove_prefix(1);
  if (HexColor(text, color)) return true;
  // What browsers do with the rest: non-digits read as 0, the digits split in three
  // equal parts, each cut to its first two significant digits.
  std::wstring digits;
  for (wchar_t c : text.substr(0, 128)) digits.push_back(HexDigit(c) >= 0 ? c : L'0');
  if (digits.empty()) return false;
  while (digits.size() % 3) digits.push_back('0');
  size_t part = digits.size() / 3;
  std::wstring_view r(digits.data(), part), g(digits.data() + part, part), b(digits.data() + 2 * part, part);
  while (part > 8) r.remove_prefix(1), g.remove_prefix(1), b.remove_prefix(1), --part;
  while (part > 2 && r[0] == '0' && g[0] == '0' && b[0] == '0') r.remove_prefix(1), g.remove_prefix(1), b.remove_prefix(1), --part;
  const auto two = [](std::wstring_view p) { return p.size() == 1 ? HexDigit(p[0]) : HexDigit(p[0]) * 16 + HexDigit(p[1]); };
  color = Rgb(two(r), two(g), two(b));
  return true;
}

bool ParseCssLength(std::wstring_view text, Length& length) {
  text = Trim(text);
  if (EqualsNoCase(text, L"auto")) {
    length = {};
    return true;
  }
  float v;
  if (!ParseNumber(text, v)) return false;
  std::wstring unit;
  for (wchar_t c : text) unit += Lower(c);
  if (unit.empty() || unit == L"px") length = {v, Unit::Px};
  else if (unit == L"%") length = {v, Unit::Percent};
  else if (unit == L"em") length = {v, Unit::Em};
  else if (unit == L"ex") length = {v / 2, Unit::Em};
  else if (unit == L"pt") length = {v * 4 / 3, Unit::Px};
  else if (unit == L"pc") length = {v * 16, Unit::Px};
  else if (unit == L"in") length = {v * 96, Unit::Px};
  else if (unit == L"cm") length = {v * 96 / 2.54f, Unit::Px};
  else if (unit == L"mm") length = {v * 96 / 25.4f, Unit::Px};
  else return false;
  // Lengths without a unit are only 0 in CSS, but pages write "width: 100".
  return true;
}

std::vector<Declaration> ParseDeclarations(std::wstring_view text) {
  std::vector<Declaration> out;
  size_t i = 0;
  while (i < text.size()) {
    // One declaration runs to the next ";" outside quotes and brackets.
    size_t end = i;
    int depth = 0;
    while (end < text.size()) {
      const wchar_t c = text[end];
      if (c == '"' || c == '\'') {
        const size_t close = text.find(c, end + 1);
        end = close == std::wstring_view::npos ? text.size() : close + 1;
        continue;
      }
      if (c == '(') ++depth;
      else if (c == ')' && depth > 0) --depth;
      else if (c == ';' && depth == 0) break;
      ++end;
    }
    const std::wstring_view one = text.substr(i, end - i);
    i = end + 1;
    const size_t colon = one.find(':');
    if (colon == std::wstring_view::npos) continue;
    Property property;
    if (!PropertyOf(Trim(one.substr(0, colon)), property)) continue;
    std::wstring_view value = Trim(one.substr(colon + 1));
    bool important = false;
    const size_t bang = value.rfind('!');
    if (bang != std::wstring_view::npos && EqualsNoCase(Trim(value.substr(bang + 1)), L"important")) {
      important = true;
      value = Trim(value.substr(0, bang));
    }
    if (value.empty()) continue;
    out.push_back({property, important, std::wstring(value)});
    if (out.size() >= 256) break;
  }
  return out;
}

bool HasClass(std::wstring_view classes, std::wstring_view name) {
  size_t i = 0;
  while (i < classes.size()) {
    while (i < classes.size() && IsBlank(classes[i])) ++i;
    size_t j = i;
    while (j < classes.size() && !IsBlank(classes[j])) ++j;
    if (j > i && EqualsNoCase(classes.substr(i, j - i), name)) return true;
    i = j;
  }
  return false;
}

bool StyleSheet::ParseSelector(std::wstring_view text, Rule& rule) {
  text = Trim(text);
  if (text.empty()) return false;
  size_t i = 0;
  bool child = false;
  uint32_t ids = 0, classes = 0, tags = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && text[i] == '>') {
      if (rule.parts.empty() || child) return false;
      child = true;
      ++i;
      continue;
    }
    if (i >= text.size()) break;
    Compound c;
    bool any = false;
    if (text[i] == '*') {
      ++i;
      any = true;
    } else if (IsNameChar(text[i])) {
      size_t j = i;
      std::wstring name;
      while (j < text.size() && IsNameChar(text[j])) name += Lower(text[j++]);
      c.tag = TagFromName(name);
      if (c.tag == Tag::Unknown) return false;
      c.anyTag = false;
      ++tags;
      i = j;
      any = true;
    }
    while (i < text.size() && !IsBlank(text[i]) && text[i] != '>') {
      const wchar_t k = text[i];
      if (k != '.' && k != '#' && k != ':') return false;
      size_t j = i + 1;
      while (j < text.size() && IsNameChar(text[j])) ++j;
      const std::wstring_view name = text.substr(i + 1, j - i - 1);
      if (name.empty()) return false;
      if (k == '.') {
        c.classes.emplace_back(name);
        ++classes;
      } else if (k == '#') {
        c.id = name;
        ++ids;
      } else if (EqualsNoCase(name, L"link")) {
        c.link = true;
        ++classes;
      } else {
        return false;  // :visited, :hover and the rest never match a page shown once
      }
      any = true;
      i = j;
    }
    if (!any) return false;
    if (!rule.parts.empty()) rule.childOf.push_back(child);
    child = false;
    rule.parts.push_back(std::move(c));
    if (rule.parts.size() > 16) return false;
  }
  if (rule.parts.empty() || child) return false;
  rule.specificity = std::min<uint32_t>(ids, 99) * 10000 + std::min<uint32_t>(classes, 99) * 100 + std::min<uint32_t>(tags, 99);
  return true;
}

void StyleSheet::AddRule(std::wstring_view selectors, std::wstring_view body) {
  std::vector<Declaration> declarations = ParseDeclarations(body);
  if (declarations.empty()) return;
  size_t i = 0;
  bool stored = false;
  uint32_t begin = 0;
  while (i <= selectors.size() && rules_.size() < kMaxRules) {
    size_t comma = selectors.find(',', i);
    if (comma == std::wstring_view::npos) comma = selectors.size();
    Rule rule;
    if (ParseSelector(selectors.substr(i, comma - i), rule)) {
      if (!stored) {
        begin = static_cast<uint32_t>(declarations_.size());
        for (Declaration& d : declarations) declarations_.push_back(std::move(d));
        stored = true;
      }
      rule.declBegin = begin;
      rule.declCount = static_cast<uint32_t>(declarations.size());
      const uint32_t index = static_cast<uint32_t>(rules_.size());
      const Compound& last = rule.parts.back();
      if (!last.id.empty()) {
        std::wstring key;
        for (wchar_t c : last.id) key += Lower(c);
        byId_[key].push_back(index);
      } else if (!last.classes.empty()) {
        std::wstring key;
        for (wchar_t c : last.classes.front()) key += Lower(c);
        byClass_[key].push_back(index);
      } else if (!last.anyTag) {
        byTag_[static_cast<size_t>(last.tag)].push_back(index);
      } else {
        universal_.push_back(index);
      }
      rules_.push_back(std::move(rule));
    }
    i = comma + 1;
  }
}

void StyleSheet::AddRules(std::wstring_view css, int depth) {
  size_t i = 0;
  while (i < css.size() && rules_.size() < kMaxRules) {
    while (i < css.size() && (IsBlank(css[i]) || css[i] == ';' || css[i] == '}')) ++i;
    if (css.compare(i, 4, L"<!--") == 0) {
      i += 4;
      continue;
    }
    if (css.compare(i, 3, L"-->") == 0) {
      i += 3;
      continue;
    }
    if (i >= css.size()) break;
    const size_t open = css.find('{', i);
    if (css[i] == '@') {
      const size_t semicolon = css.find(';', i);
      if (open == std::wstring_view::npos || (semicolon != std::wstring_view::npos && semicolon < open)) {
        i = semicolon == std::wstring_view::npos ? css.size() : semicolon + 1;
        continue;
      }
      const size_t end = BlockEnd(css, open);
      std::wstring prelude;
      for (wchar_t c : css.substr(i + 1, open - i - 1)) prelude += Lower(c);
      if (depth == 0 && prelude.rfind(L"media", 0) == 0) {
        const bool screen = prelude.find(L"screen") != std::wstring::npos || prelude.find(L"all") != std::wstring::npos;
        if (screen) AddRules(BlockInside(css, open, end), depth + 1);
      }
      i = end;
      continue;
    }
    if (open == std::wstring_view::npos) break;
    const size_t end = BlockEnd(css, open);
    AddRule(css.substr(i, open - i), BlockInside(css, open, end));
    i = end;
  }
}

void StyleSheet::Add(std::wstring_view css) {
  const std::wstring clean = WithoutComments(css);
  AddRules(clean, 0);
}

bool StyleSheet::MatchesCompound(const Compound& c, const ElementRef& e) {
  if (!c.anyTag && c.tag != e.tag) return false;
  if (c.link && !e.link) return false;
  if (!c.id.empty() && !EqualsNoCase(c.id, e.id)) return false;
  for (const std::wstring& name : c.classes)
    if (!HasClass(e.classes, name)) return false;
  return true;
}

bool StyleSheet::Matches(const Rule& rule, const ElementRef* chain, size_t length) {
  if (!MatchesCompound(rule.parts.back(), chain[length - 1])) return false;
  // Right to left: each earlier part must match an ancestor (the parent for ">"). The
  // nearest ancestor that matches is taken, which is exact for chains of this kind but
  // for rare mixes of ">" and " ".
  size_t at = length - 1;
  for (size_t p = rule.parts.size() - 1; p-- > 0;) {
    const bool child = rule.childOf[p];
    bool found = false;
    while (at > 0) {
      --at;
      if (MatchesCompound(rule.parts[p], chain[at])) {
        found = true;
        break;
      }
      if (child) return false;
    }
    if (!found) return false;
  }
  return true;
}

void StyleSheet::Match(const ElementRef* chain, size_t length, std::vector<const Declaration*>& out) const {
  if (rules_.empty() || length == 0) return;
  const ElementRef& e = chain[length - 1];
  uint32_t found[64];
  size_t count = 0;
  std::vector<uint32_t> more;
  const auto consider = [&](const std::vector<uint32_t>& candidates) {
    for (uint32_t index : candidates) {
      if (!Matches(rules_[index], chain, length)) continue;
      if (count < 64) found[count++] = index;
      else more.push_back(index);
    }
  };
  consider(universal_);
  consider(byTag_[static_cast<size_t>(e.tag)]);
  if (!e.id.empty() && !byId_.empty()) {
    std::wstring key;
    for (wchar_t c : e.id) key += Lower(c);
    if (auto it = byId_.find(key); it != byId_.end()) consider(it->second);
  }
  if (!e.classes.empty() && !byClass_.empty()) {
    size_t i = 0;
    std::wstring key;
    while (i < e.classes.size()) {
      while (i < e.classes.size() && IsBlank(e.classes[i])) ++i;
      key.clear();
      while (i < e.classes.size() && !IsBlank(e.classes[i])) key += Lower(e.classes[i++]);
      if (key.empty()) continue;
      if (auto it = byClass_.find(key); it != byClass_.end()) consider(it->second);
    }
  }
  std::vector<uint32_t> all(found, found + count);
  all.insert(all.end(), more.begin(), more.end());
  std::sort(all.begin(), all.end());
  all.erase(std::unique(all.begin(), all.end()), all.end());
  std::stable_sort(all.begin(), all.end(),
                   [&](uint32_t a, uint32_t b) { return rules_[a].specificity < rules_[b].specificity; });
  for (uint32_t index : all) {
    const Rule& r = rules_[index];
    for (uint32_t k = 0; k < r.declCount; ++k) out.push_back(&declarations_[r.declBegin + k]);
  }
}

}  // namespace corvan::html
