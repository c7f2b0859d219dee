#include "core/html_style.h"

#include <algorithm>
#include <cmath>

namespace corvan::html {

namespace {

bool IsBlank(wchar_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
wchar_t Lower(wchar_t c) { return c >= 'A' && c <= 'Z' ? static_cast<wchar_t>(c + 32) : c; }

std::wstring_view Trim(std::wstring_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool Is(std::wstring_view a, std::wstring_view lowerB) {
  if (a.size() != lowerB.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != lowerB[i]) return false;
  return true;
}

bool SameNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

// The blank-separated words of a value, brackets kept whole ("rgb(1, 2, 3) solid").
std::vector<std::wstring_view> Words(std::wstring_view value) {
  std::vector<std::wstring_view> out;
  size_t i = 0;
  while (i < value.size() && out.size() < 16) {
    while (i < value.size() && IsBlank(value[i])) ++i;
    if (i >= value.size()) break;
    size_t j = i;
    int depth = 0;
    while (j < value.size() && (depth > 0 || !IsBlank(value[j]))) {
      if (value[j] == '(') ++depth;
      else if (value[j] == ')' && depth > 0) --depth;
      ++j;
    }
    out.push_back(value.substr(i, j - i));
    i = j;
  }
  return out;
}

// Sides of a shorthand of one to four values: top, right, bottom, left.
template <class T, class Parse>
bool FourSides(std::wstring_view value, T (&sides)[4], Parse parse) {
  const std::vector<std::wstring_view> words = Words(value);
  if (words.empty() || words.size() > 4) return false;
  T v[4];
  for (size_t i = 0; i < words.size(); ++i)
    if (!parse(words[i], v[i])) return false;
  switch (words.size()) {
    case 1: v[1] = v[2] = v[3] = v[0]; break;
    case 2: v[2] = v[0], v[3] = v[1]; break;
    case 3: v[3] = v[1]; break;
    default: break;
  }
  for (int i = 0; i < 4; ++i) sides[i] = v[i];
  return true;
}

int Clamp(float v, int low, int high) {
  if (!(v == v)) return low;
  return static_cast<int>(std::lround(std::clamp(v, static_cast<float>(low), static_cast<float>(high))));
}

// A font size in pixels: keywords, lengths, percentages of the parent's.
bool FontSize(std::wstring_view value, int parentSize, int& size) {
  static constexpr struct {
    const wchar_t* name;
    int pixels;
  } kKeywords[] = {{L"xx-small", 9}, {L"x-small", 10}, {L"small", 13}, {L"medium", 16},
                   {L"large", 18},   {L"x-large", 24}, {L"xx-large", 32}};
  for (const auto& k : kKeywords)
    if (Is(value, k.name)) {
      size = k.pixels;
      return true;
    }
  if (Is(value, L"smaller")) {
    size = std::max(1, parentSize * 5 / 6);
    return true;
  }
  if (Is(value, L"larger")) {
    size = parentSize * 6 / 5;
    return true;
  }
  Length l;
  if (!ParseCssLength(value, l) || l.IsAuto()) return false;
  float px = l.value;
  if (l.unit == Unit::Percent) px = parentSize * l.value / 100;
  else if (l.unit == Unit::Em) px = parentSize * l.value;
  size = Clamp(px, 1, 400);
  return true;
}

bool BorderWidthOf(std::wstring_view w, int& width) {
  if (Is(w, L"thin")) width = 1;
  else if (Is(w, L"medium")) width = 3;
  else if (Is(w, L"thick")) width = 5;
  else {
    Length l;
    if (!ParseCssLength(w, l) || l.unit == Unit::Percent || l.IsAuto()) return false;
    width = Clamp(l.unit == Unit::Em ? l.value * 16 : l.value, 0, 100);
  }
  return true;
}

// 0: not a style; 1: a style that shows (the kind set); -1: none or hidden.
int BorderStyleOf(std::wstring_view w, BorderStyle& style) {
  if (Is(w, L"none") || Is(w, L"hidden")) return -1;
  if (Is(w, L"solid") || Is(w, L"dashed") || Is(w, L"dotted") || Is(w, L"double")) style = BorderStyle::Solid;
  else if (Is(w, L"inset")) style = BorderStyle::Inset;
  else if (Is(w, L"outset")) style = BorderStyle::Outset;
  else if (Is(w, L"groove")) style = BorderStyle::Groove;
  else if (Is(w, L"ridge")) style = BorderStyle::Ridge;
  else return 0;
  return 1;
}

bool BoxLength(std::wstring_view w, Length& l, bool allowAuto) {
  if (!ParseCssLength(w, l)) return false;
  if (l.IsAuto() && !allowAuto) return false;
  if (l.value < 0 && l.unit != Unit::Auto) l.value = std::max(l.value, -10000.0f);
  if (l.value > 100000) l.value = 100000;
  return true;
}

bool ListTypeOf(std::wstring_view w, ListType& type) {
  static constexpr struct {
    const wchar_t* name;
    ListType type;
  } kTypes[] = {{L"disc", ListType::Disc},
                {L"circle", ListType::Circle},
                {L"square", ListType::Square},
                {L"decimal", ListType::Decimal},
                {L"decimal-leading-zero", ListType::Decimal},
                {L"lower-alpha", ListType::LowerAlpha},
                {L"lower-latin", ListType::LowerAlpha},
                {L"upper-alpha", ListType::UpperAlpha},
                {L"upper-latin", ListType::UpperAlpha},
                {L"lower-roman", ListType::LowerRoman},
                {L"upper-roman", ListType::UpperRoman},
                {L"none", ListType::None}};
  for (const auto& t : kTypes)
    if (Is(w, t.name)) {
      type = t.type;
      return true;
    }
  return false;
}

void Background(std::wstring_view value, Style& s) {
  for (std::wstring_view w : Words(value)) {
    if (Is(w, L"transparent") || Is(w, L"none")) {
      if (Is(w, L"transparent")) s.background = kNoColor;
      continue;
    }
    TColor c;
    if (ParseCssColor(w, c)) {
      s.background = c;
      return;
    }
  }
}

void Font(std::wstring_view value, Style& s, const Style& parent, FaceTable& faces) {
  // [style] [variant] [weight] size[/line-height] family, family...
  std::vector<std::wstring_view> words = Words(value);
  size_t i = 0;
  for (; i < words.size(); ++i) {
    std::wstring_view w = words[i];
    if (Is(w, L"italic") || Is(w, L"oblique")) s.italic = true;
    else if (Is(w, L"bold") || Is(w, L"bolder")) s.bold = true;
    else if (Is(w, L"normal") || Is(w, L"small-caps") || Is(w, L"lighter")) {
    } else if (w.size() == 3 && w[0] >= '1' && w[0] <= '9' && w[1] == '0' && w[2] == '0') s.bold = w[0] >= '6';
    else break;
  }
  if (i >= words.size()) return;
  std::wstring_view sizeWord = words[i];
  if (size_t slash = sizeWord.find('/'); slash != std::wstring_view::npos) sizeWord = sizeWord.substr(0, slash);
  int size;
  if (!FontSize(sizeWord, parent.size, size)) return;
  s.size = size;
  const size_t familyStart = static_cast<size_t>(words[i].data() - value.data()) + words[i].size();
  const std::wstring_view family = Trim(value.substr(std::min(familyStart, value.size())));
  if (!family.empty()) s.face = faces.FromFamilyList(family);
}

}  // namespace

uint16_t FaceTable::FromFamilyList(std::wstring_view families) {
  size_t comma = families.find(',');
  std::wstring_view first = Trim(families.substr(0, comma));
  if (first.size() >= 2 && (first.front() == '"' || first.front() == '\'') && first.back() == first.front())
    first = Trim(first.substr(1, first.size() - 2));
  if (first.empty() || Is(first, L"serif") || Is(first, L"cursive") || Is(first, L"fantasy") || Is(first, L"inherit"))
    return 0;
  if (Is(first, L"monospace")) return 1;
  std::wstring name(first.substr(0, 64));
  if (Is(first, L"sans-serif")) name = L"Arial";
  for (size_t i = 0; i < names_.size(); ++i)
    if (SameNoCase(names_[i], name)) return static_cast<uint16_t>(i);
  if (names_.size() >= kMaxFaces) return 0;
  names_.push_back(std::move(name));
  return static_cast<uint16_t>(names_.size() - 1);
}

Style Inherit(const Style& parent) {
  Style s;
  s.face = parent.face;
  s.size = parent.size;
  s.bold = parent.bold;
  s.italic = parent.italic;
  s.underline = parent.underline;
  s.strike = parent.strike;
  s.color = parent.color;
  s.align = parent.align;
  s.blockAlign = parent.blockAlign;
  s.whiteSpace = parent.whiteSpace;
  s.listType = parent.listType;
  s.link = parent.link;
  s.shift = parent.shift;
  s.textBackground = parent.textBackground;
  return s;
}

int FontTagSize(std::wstring_view text) {
  static constexpr int kSizes[8] = {10, 10, 13, 16, 18, 24, 32, 48};
  text = Trim(text);
  if (text.empty()) return 0;
  int sign = 0;
  if (text[0] == '+') sign = 1, text.remove_prefix(1);
  else if (text[0] == '-') sign = -1, text.remove_prefix(1);
  int n = 0;
  size_t i = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && n < 100) n = n * 10 + (text[i++] - '0');
  if (i == 0) return 0;
  int level = sign ? 3 + sign * n : n;
  level = std::clamp(level, 1, 7);
  return kSizes[level];
}

void ApplyDeclaration(const Declaration& d, Style& s, const Style& parent, FaceTable& faces) {
  const std::wstring_view v = d.value;
  switch (d.property) {
    case Property::Color: {
      TColor c;
      if (ParseCssColor(v, c)) s.color = c;
      break;
    }
    case Property::BackgroundColor: {
      TColor c;
      if (Is(v, L"transparent")) s.background = kNoColor;
      else if (ParseCssColor(v, c)) s.background = c;
      break;
    }
    case Property::Background: Background(v, s); break;
    case Property::FontFamily: s.face = faces.FromFamilyList(v); break;
    case Property::FontSize: FontSize(v, parent.size, s.size); break;
    case Property::FontWeight:
      if (Is(v, L"bold") || Is(v, L"bolder")) s.bold = true;
      else if (Is(v, L"normal") || Is(v, L"lighter")) s.bold = false;
      else if (v.size() == 3 && v[0] >= '1' && v[0] <= '9' && v[1] == '0' && v[2] == '0') s.bold = v[0] >= '6';
      break;
    case Property::FontStyle:
      if (Is(v, L"italic") || Is(v, L"oblique")) s.italic = true;
      else if (Is(v, L"normal")) s.italic = false;
      break;
    case Property::Font: Font(v, s, parent, faces); break;
    case Property::TextAlign:
      if (Is(v, L"left") || Is(v, L"justify") || Is(v, L"start")) s.align = Align::Left;
      else if (Is(v, L"center")) s.align = Align::Center;
      else if (Is(v, L"right") || Is(v, L"end")) s.align = Align::Right;
      break;
    case Property::TextDecoration:
      for (std::wstring_view w : Words(v)) {
        if (Is(w, L"none")) s.underline = s.strike = false;
        else if (Is(w, L"underline")) s.underline = true;
        else if (Is(w, L"line-through")) s.strike = true;
      }
      break;
    case Property::Margin:
      FourSides(v, s.margin, [](std::wstring_view w, Length& l) { return BoxLength(w, l, true); });
      break;
    case Property::MarginTop: BoxLength(v, s.margin[0], true); break;
    case Property::MarginRight: BoxLength(v, s.margin[1], true); break;
    case Property::MarginBottom: BoxLength(v, s.margin[2], true); break;
    case Property::MarginLeft: BoxLength(v, s.margin[3], true); break;
    case Property::Padding:
      if (FourSides(v, s.padding, [](std::wstring_view w, Length& l) { return BoxLength(w, l, false) && l.value >= 0; }))
        s.paddingSet = true;
      break;
    case Property::PaddingTop: s.paddingSet |= BoxLength(v, s.padding[0], false); break;
    case Property::PaddingRight: s.paddingSet |= BoxLength(v, s.padding[1], false); break;
    case Property::PaddingBottom: s.paddingSet |= BoxLength(v, s.padding[2], false); break;
    case Property::PaddingLeft: s.paddingSet |= BoxLength(v, s.padding[3], false); break;
    case Property::Border: case Property::BorderTop: case Property::BorderRight: case Property::BorderBottom:
    case Property::BorderLeft: {
      int width = 3;
      int shows = 0;
      for (std::wstring_view w : Words(v)) {
        int bw;
        TColor c;
        BorderStyle style;
        if (const int k = BorderStyleOf(w, style)) {
          shows = k;
          if (k > 0) s.borderStyle = style;
        } else if (BorderWidthOf(w, bw)) {
          width = bw;
        } else if (ParseCssColor(w, c)) {
          s.borderColor = c;
        }
      }
      // One side: the others keep no border unless they have one already.
      const int side = d.property == Property::BorderTop      ? 0
                       : d.property == Property::BorderRight  ? 1
                       : d.property == Property::BorderBottom ? 2
                       : d.property == Property::BorderLeft   ? 3
                                                              : -1;
      if (side < 0) {
        for (int& w : s.borderWidth) w = shows > 0 ? width : 0;
      } else {
        if (!s.hasBorder)
          for (int& w : s.borderWidth) w = 0;
        s.borderWidth[side] = shows > 0 ? width : 0;
      }
      s.hasBorder = s.borderWidth[0] || s.borderWidth[1] || s.borderWidth[2] || s.borderWidth[3];
      break;
    }
    case Property::BorderWidth: FourSides(v, s.borderWidth, BorderWidthOf); break;
    case Property::BorderStyle: {
      BorderStyle style;
      const std::vector<std::wstring_view> words = Words(v);
      if (!words.empty()) {
        const int k = BorderStyleOf(words[0], style);
        if (k > 0) s.borderStyle = style;
        if (k) s.hasBorder = k > 0;
      }
      break;
    }
    case Property::BorderColor: {
      const std::vector<std::wstring_view> words = Words(v);
      TColor c;
      if (!words.empty() && ParseCssColor(words[0], c)) s.borderColor = c;
      break;
    }
    case Property::Width: BoxLength(v, s.width, true); break;
    case Property::Height: BoxLength(v, s.height, true); break;
    case Property::Display:
      if (Is(v, L"none")) s.display = Display::None;
      else if (Is(v, L"block")) s.display = Display::Block;
      else if (Is(v, L"inline") || Is(v, L"inline-block")) s.display = Display::Inline;
      else if (Is(v, L"list-item")) s.display = Display::ListItem;
      break;
    case Property::WhiteSpace:
      if (Is(v, L"pre") || Is(v, L"pre-wrap")) s.whiteSpace = WhiteSpace::Pre;
      else if (Is(v, L"nowrap")) s.whiteSpace = WhiteSpace::NoWrap;
      else if (Is(v, L"normal") || Is(v, L"pre-line")) s.whiteSpace = WhiteSpace::Normal;
      break;
    case Property::ListStyleType: ListTypeOf(v, s.listType); break;
    case Property::ListStyle:
      for (std::wstring_view w : Words(v))
        if (ListTypeOf(w, s.listType)) break;
      break;
    case Property::VerticalAlign:
      s.valignSet = true;
      if (Is(v, L"top")) s.valign = VAlign::Top;
      else if (Is(v, L"middle")) s.valign = VAlign::Middle;
      else if (Is(v, L"bottom") || Is(v, L"text-bottom")) s.valign = VAlign::Bottom;
      else if (Is(v, L"text-top")) s.valign = VAlign::TextTop;
      else if (Is(v, L"sub")) s.shift = static_cast<int8_t>(-std::max(1, s.size / 5)), s.valignSet = false;
      else if (Is(v, L"super")) s.shift = static_cast<int8_t>(std::min(60, std::max(1, s.size / 3))), s.valignSet = false;
      else if (Is(v, L"baseline")) s.valign = VAlign::Baseline;
      else s.valignSet = false;
      break;
    case Property::Float:
      if (Is(v, L"left")) s.floatSide = FloatSide::Left;
      else if (Is(v, L"right")) s.floatSide = FloatSide::Right;
      else if (Is(v, L"none")) s.floatSide = FloatSide::None;
      break;
    case Property::Clear:
      if (Is(v, L"left")) s.clear = Clear::Left;
      else if (Is(v, L"right")) s.clear = Clear::Right;
      else if (Is(v, L"both")) s.clear = Clear::Both;
      else if (Is(v, L"none")) s.clear = Clear::None;
      break;
    case Property::TextIndent: break;
  }
}

void ResolveEm(Style& s) {
  const auto resolve = [&](Length& l) {
    if (l.unit == Unit::Em) l = {std::clamp(l.value * static_cast<float>(s.size), -100000.0f, 100000.0f), Unit::Px};
  };
  for (Length& l : s.margin) resolve(l);
  for (Length& l : s.padding) resolve(l);
  resolve(s.width);
  resolve(s.height);
}

}  // namespace corvan::html
