#include "core/html_page.h"

#include <algorithm>
#include <unordered_map>

#include "core/html_style.h"
#include "core/html_widths.h"

namespace corvan::html {

namespace {

bool IsCollapsible(wchar_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
wchar_t Lower(wchar_t c) { return c >= 'A' && c <= 'Z' ? static_cast<wchar_t>(c + 32) : c; }

bool Is(std::wstring_view a, std::wstring_view lowerB) {
  if (a.size() != lowerB.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != lowerB[i]) return false;
  return true;
}

std::wstring_view Trim(std::wstring_view s) {
  while (!s.empty() && IsCollapsible(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsCollapsible(s.back())) s.remove_suffix(1);
  return s;
}

// Blanks collapsed to one space, none at either end (titles, option texts, button captions).
std::wstring Collapsed(std::wstring_view text) {
  std::wstring out;
  bool space = false;
  for (wchar_t c : text) {
    if (IsCollapsible(c)) {
      space = !out.empty();
      continue;
    }
    if (space) out.push_back(' ');
    space = false;
    out.push_back(c);
  }
  return out;
}

// A number attribute ("3", " 12px"), or `otherwise`.
int NumberOf(std::wstring_view text, int otherwise, int low, int high) {
  text = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long v = 0;
  const size_t start = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') v = std::min(v * 10 + (text[i++] - '0'), 10000000LL);
  if (i == start) return otherwise;
  if (negative) v = -v;
  return static_cast<int>(std::clamp<long long>(v, low, high));
}

// A width or height attribute: pixels, or a percentage.
bool HtmlLength(std::wstring_view text, Length& length) {
  text = Trim(text);
  size_t i = 0;
  double v = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') v = std::min(v * 10 + (text[i++] - '0'), 1e6);
  if (i == 0) return false;
  if (i < text.size() && text[i] == '.') {
    ++i;
    double scale = 0.1;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') v += (text[i++] - '0') * scale, scale /= 10;
  }
  const bool percent = i < text.size() && text[i] == '%';
  length = {static_cast<float>(std::min(v, 100000.0)), percent ? Unit::Percent : Unit::Px};
  return true;
}

bool AlignOf(std::wstring_view text, Align& align) {
  text = Trim(text);
  if (Is(text, L"left") || Is(text, L"justify")) align = Align::Left;
  else if (Is(text, L"center") || Is(text, L"middle")) align = Align::Center;
  else if (Is(text, L"right")) align = Align::Right;
  else return false;
  return true;
}

bool VAlignOf(std::wstring_view text, VAlign& valign) {
  text = Trim(text);
  if (Is(text, L"top")) valign = VAlign::Top;
  else if (Is(text, L"middle") || Is(text, L"center")) valign = VAlign::Middle;
  else if (Is(text, L"bottom")) valign = VAlign::Bottom;
  else if (Is(text, L"baseline")) valign = VAlign::Baseline;
  else return false;
  return true;
}

std::wstring Roman(int n, bool upper) {
  static constexpr struct {
    int value;
    const wchar_t* text;
  } kDigits[] = {{1000, L"m"}, {900, L"cm"}, {500, L"d"}, {400, L"cd"}, {100, L"c"}, {90, L"xc"}, {50, L"l"},
                 {40, L"xl"},  {10, L"x"},   {9, L"ix"},  {5, L"v"},    {4, L"iv"},  {1, L"i"}};
  if (n <= 0 || n >= 4000) return std::to_wstring(n);
  std::wstring out;
  for (const auto& d : kDigits)
    while (n >= d.value) out += d.text, n -= d.value;
  if (upper)
    for (wchar_t& c : out) c = static_cast<wchar_t>(c - 32);
  return out;
}

std::wstring Alphabetic(int n, bool upper) {
  if (n <= 0) return std::to_wstring(n);
  std::wstring out;
  while (n > 0) {
    --n;
    out.insert(out.begin(), static_cast<wchar_t>((upper ? 'A' : 'a') + n % 26));
    n /= 26;
  }
  return out;
}

std::wstring MarkerText(int n, ListType type) {
  switch (type) {
    case ListType::LowerAlpha: return Alphabetic(n, false) + L".";
    case ListType::UpperAlpha: return Alphabetic(n, true) + L".";
    case ListType::LowerRoman: return Roman(n, false) + L".";
    case ListType::UpperRoman: return Roman(n, true) + L".";
    default: return std::to_wstring(n) + L".";
  }
}

// The list type of a type attribute: "1", "a", "A", "i", "I" (case matters), or a bullet.
bool ListTypeAttribute(std::wstring_view text, ListType& type) {
  text = Trim(text);
  if (text == L"1") type = ListType::Decimal;
  else if (text == L"a") type = ListType::LowerAlpha;
  else if (text == L"A") type = ListType::UpperAlpha;
  else if (text == L"i") type = ListType::LowerRoman;
  else if (text == L"I") type = ListType::UpperRoman;
  else if (Is(text, L"disc")) type = ListType::Disc;
  else if (Is(text, L"circle")) type = ListType::Circle;
  else if (Is(text, L"square")) type = ListType::Square;
  else if (Is(text, L"none")) type = ListType::None;
  else return false;
  return true;
}

struct StyleKey {
  RunStyle style;
  bool operator==(const StyleKey& o) const { return style == o.style; }
};
struct StyleKeyHash {
  size_t operator()(const StyleKey& k) const {
    const RunStyle& s = k.style;
    uint64_t h = s.font;
    h = h * 1000003u ^ s.color;
    h = h * 1000003u ^ s.background;
    h = h * 1000003u ^ static_cast<uint32_t>(s.link);
    h = h * 1000003u ^ static_cast<uint8_t>(s.shift);
    return static_cast<size_t>(h);
  }
};

class Builder {
 public:
  Builder(const Document& d, Measurer& m, const PageOptions& o, Page& p)
      : d_(d), m_(m), o_(o), p_(p), faces_(o.defaultFace, o.preFace) {}

  void Run();

 private:
  struct Block {
    uint32_t box;
    uint32_t lastChild = kNone;
    uint32_t lines = kNone;  // the open Lines box
    bool atStart = true, lastSpace = false;
    uint32_t strut = 0;
    Align align = Align::Left;
    int column = 0;  // of preformatted text, for tabs
  };
  struct List {
    int next;
    bool ordered;
  };
  struct PendingLabel {
    int32_t link;
    std::wstring forId;
    size_t firstControl, endControl;
  };

  Block& Current() { return blocks_.back(); }
  uint32_t NewBox(BoxKind kind) {
    Box b;
    b.kind = kind;
    p_.boxes.push_back(b);
    return static_cast<uint32_t>(p_.boxes.size() - 1);
  }
  void AppendChild(uint32_t parent, uint32_t& lastChild, uint32_t child) {
    if (lastChild == kNone) p_.boxes[parent].firstChild = child;
    else p_.boxes[lastChild].nextSibling = child;
    lastChild = child;
  }
  void OpenLines() {
    Block& b = Current();
    if (b.lines != kNone) return;
    const uint32_t lines = NewBox(BoxKind::Lines);
    Box& box = p_.boxes[lines];
    box.itemBegin = box.itemEnd = static_cast<uint32_t>(p_.items.size());
    box.strut = b.strut;
    box.align = b.align;
    AppendChild(b.box, b.lastChild, lines);
    b.lines = lines;
  }
  void CloseLines() {
    Block& b = Current();
    if (b.lines == kNone) return;
    p_.boxes[b.lines].itemEnd = static_cast<uint32_t>(p_.items.size());
    b.lines = kNone;
    b.atStart = true;
    b.lastSpace = false;
  }
  void AddItem(const InlineItem& item) {
    OpenLines();
    p_.items.push_back(item);
  }

  uint16_t FontOf(const Style& s);
  uint32_t StyleOf(const Style& s);
  int SpaceWidth(uint16_t font);

  void ComputeStyle(uint32_t node, Style& s, const Style& parent);
  void TagDefaults(Tag tag, Style& s, const Style& parent);
  void Attributes(uint32_t node, Tag tag, Style& s);
  void ApplyCss(uint32_t node, Style& s, const Style& parent);

  void Children(uint32_t node, const Style& s);
  void Element(uint32_t node, const Style& parent);
  void Text(std::wstring_view text, const Style& s);
  void AddWord(std::wstring_view word, uint32_t style, uint16_t font);
  void AddAnchor(std::wstring_view name, bool block);
  void AddPicture(uint32_t node, const Style& s);
  void AddControl(uint32_t node, const Style& s);
  void AddRule(uint32_t node, const Style& s);
  void AddTable(uint32_t node, const Style& s);
  void AddRow(uint32_t node, const Style& section, uint32_t table, uint32_t& lastRow, const Box& tableBox,
              TColor sectionBackground, bool sectionValignSet, VAlign sectionValign);
  void AddCell(uint32_t node, const Style& row, uint32_t rowBox, uint32_t& lastCell, const Box& tableBox,
               TColor rowBackground, bool rowValignSet, VAlign rowValign);
  void BlockBox(uint32_t box, const Style& s);
  void FillBoxStyle(Box& box, const Style& s);

  const Document& d_;
  Measurer& m_;
  const PageOptions& o_;
  Page& p_;
  FaceTable faces_;
  StyleSheet sheet_;
  std::vector<ElementRef> chain_;
  std::vector<Block> blocks_;
  std::vector<List> lists_;
  std::unordered_map<uint32_t, uint16_t> fontIndex_;
  std::unordered_map<StyleKey, uint32_t, StyleKeyHash> styleIndex_;
  std::vector<int> spaceWidths_;
  std::unordered_map<uint32_t, int> formOfNode_;
  std::vector<PendingLabel> labels_;
  TColor linkColor_ = Rgb(0, 0, 0xEE);
  std::vector<const Declaration*> matched_;
};

uint16_t Builder::FontOf(const Style& s) {
  const int size = std::clamp(s.size, 1, 400);
  const uint32_t flags = (s.bold ? 1 : 0) | (s.italic ? 2 : 0) | (s.underline ? 4 : 0) | (s.strike ? 8 : 0);
  const uint32_t key = static_cast<uint32_t>(s.face) | static_cast<uint32_t>(size) << 6 | flags << 16;
  if (auto it = fontIndex_.find(key); it != fontIndex_.end()) return it->second;
  if (p_.fonts.size() >= kMaxFonts) {
    // Too many fonts: the default face in the same size and style, when there is one.
    const uint32_t fallback = static_cast<uint32_t>(size) << 6 | flags << 16;
    auto it = fontIndex_.find(fallback);
    return it != fontIndex_.end() ? it->second : 0;
  }
  FontSpec spec{faces_.Name(s.face), size, s.bold, s.italic, s.underline, s.strike};
  const int handle = m_.Font(spec);
  p_.fonts.push_back(std::move(spec));
  p_.fontHandles.push_back(handle);
  FontMetrics metrics = m_.Metrics(handle);
  metrics.ascent = std::clamp(metrics.ascent, 0, 2000);
  metrics.descent = std::clamp(metrics.descent, 0, 2000);
  p_.metrics.push_back(metrics);
  spaceWidths_.push_back(-1);
  const uint16_t index = static_cast<uint16_t>(p_.fonts.size() - 1);
  fontIndex_.emplace(key, index);
  return index;
}

uint32_t Builder::StyleOf(const Style& s) {
  RunStyle r{FontOf(s), s.color, s.textBackground, s.link, s.shift};
  auto [it, added] = styleIndex_.emplace(StyleKey{r}, static_cast<uint32_t>(p_.styles.size()));
  if (added) p_.styles.push_back(r);
  return it->second;
}

int Builder::SpaceWidth(uint16_t font) {
  int& w = spaceWidths_[font];
  if (w < 0) w = std::max(0, m_.TextWidth(p_.fontHandles[font], L" "));
  return w;
}

void Builder::TagDefaults(Tag tag, Style& s, const Style& parent) {
  const auto margins = [&](float em) {
    s.margin[0] = s.margin[2] = {em, Unit::Em};
    s.margin[1] = s.margin[3] = {0, Unit::Px};
  };
  const auto heading = [&](float scale, float em) {
    s.display = Display::Block;
    s.size = std::max(1, static_cast<int>(parent.size * scale + 0.5f));
    s.bold = true;
    margins(em);
  };
  switch (tag) {
    case Tag::Html: case Tag::Body: case Tag::Div: case Tag::Address: case Tag::Center: case Tag::Blockquote:
    case Tag::Dl: case Tag::Dt: case Tag::Dd: case Tag::Form: case Tag::Fieldset: case Tag::Legend:
    case Tag::Figure: case Tag::Figcaption: case Tag::Header: case Tag::Footer: case Tag::Section:
    case Tag::Article: case Tag::Nav: case Tag::Aside: case Tag::Main: case Tag::P: case Tag::Pre:
    case Tag::Listing: case Tag::Xmp: case Tag::Plaintext: case Tag::Ul: case Tag::Ol: case Tag::Menu:
    case Tag::Dir: case Tag::Marquee: case Tag::Hr:
      s.display = Display::Block;
      break;
    case Tag::Li: s.display = Display::ListItem; break;
    case Tag::Table: s.display = Display::Table; break;
    case Tag::Tr: s.display = Display::Row; break;
    case Tag::Td: case Tag::Th: s.display = Display::Cell; break;
    case Tag::Tbody: case Tag::Thead: case Tag::Tfoot: s.display = Display::RowGroup; break;
    case Tag::Caption: s.display = Display::Caption; break;
    case Tag::Head: case Tag::Title: case Tag::Style: case Tag::Script: case Tag::Meta: case Tag::Link:
    case Tag::Base: case Tag::Basefont: case Tag::Param: case Tag::Area: case Tag::Noembed: case Tag::Noframes:
    case Tag::Template: case Tag::Option: case Tag::Optgroup: case Tag::Col: case Tag::Colgroup:
    case Tag::Frame: case Tag::Frameset: case Tag::Iframe: case Tag::Embed: case Tag::Source: case Tag::Track:
      s.display = Display::None;
      break;
    default: break;
  }
  switch (tag) {
    case Tag::Body: for (Length& m : s.margin) m = {8, Unit::Px}; break;
    case Tag::P: margins(1); break;
    case Tag::H1: heading(2.0f, 0.67f); break;
    case Tag::H2: heading(1.5f, 0.83f); break;
    case Tag::H3: heading(1.17f, 1.0f); break;
    case Tag::H4: heading(1.0f, 1.33f); break;
    case Tag::H5: heading(0.83f, 1.67f); break;
    case Tag::H6: heading(0.67f, 2.33f); break;
    case Tag::Pre: case Tag::Listing: case Tag::Xmp: case Tag::Plaintext:
      s.face = 1;
      s.size = std::max(1, parent.size * o_.preSize / std::max(1, o_.defaultSize));
      s.whiteSpace = WhiteSpace::Pre;
      margins(1);
      break;
    case Tag::Tt: case Tag::Code: case Tag::Kbd: case Tag::Samp:
      s.face = 1;
      s.size = std::max(1, parent.size * o_.preSize / std::max(1, o_.defaultSize));
      break;
    case Tag::Ul: case Tag::Ol: case Tag::Menu: case Tag::Dir:
      margins(lists_.empty() ? 1.0f : 0.0f);
      s.padding[3] = {40, Unit::Px};
      if (tag == Tag::Ol) s.listType = ListType::Decimal;
      else s.listType = lists_.empty() ? ListType::Disc : lists_.size() == 1 ? ListType::Circle : ListType::Square;
      break;
    case Tag::Dl: margins(1); break;
    case Tag::Dd: s.margin[3] = {40, Unit::Px}; break;
    case Tag::Blockquote:
      margins(1);
      s.margin[1] = s.margin[3] = {40, Unit::Px};
      break;
    case Tag::Form:
      if (d_.quirks) s.margin[2] = {1, Unit::Em};
      break;
    case Tag::Fieldset:
      s.margin[1] = s.margin[3] = {2, Unit::Px};
      s.padding[0] = {0.35f, Unit::Em};
      s.padding[1] = s.padding[3] = {0.75f, Unit::Em};
      s.padding[2] = {0.625f, Unit::Em};
      s.hasBorder = true;
      for (int& w : s.borderWidth) w = 2;
      s.borderStyle = BorderStyle::Groove;
      s.borderColor = Rgb(192, 192, 192);
      break;
    case Tag::Center:
      s.align = Align::Center;
      s.blockAlign = Align::Center;
      break;
    case Tag::B: case Tag::Strong: s.bold = true; break;
    case Tag::I: case Tag::Em: case Tag::Cite: case Tag::Var: case Tag::Dfn: case Tag::Address: s.italic = true; break;
    case Tag::U: case Tag::Ins: s.underline = true; break;
    case Tag::S: case Tag::Strike: case Tag::Del: s.strike = true; break;
    case Tag::Big: s.size = parent.size * 6 / 5; break;
    case Tag::Small: s.size = std::max(1, parent.size * 5 / 6); break;
    case Tag::Sub:
      s.size = std::max(1, parent.size * 5 / 6);
      s.shift = static_cast<int8_t>(std::clamp(parent.shift - std::max(1, parent.size / 5), -100, 100));
      break;
    case Tag::Sup:
      s.size = std::max(1, parent.size * 5 / 6);
      s.shift = static_cast<int8_t>(std::clamp(parent.shift + std::max(1, parent.size / 3), -100, 100));
      break;
    case Tag::Th: s.bold = true, s.align = Align::Center; break;
    case Tag::Caption: s.align = Align::Center; break;
    case Tag::Nobr: s.whiteSpace = WhiteSpace::NoWrap; break;
    default: break;
  }
}

void Builder::Attributes(uint32_t node, Tag tag, Style& s) {
  if (d_.HasAttr(node, L"hidden")) s.display = Display::None;
  const auto attr = [&](std::wstring_view name) { return d_.Attr(node, name); };
  switch (tag) {
    case Tag::P: case Tag::Div: case Tag::H1: case Tag::H2: case Tag::H3: case Tag::H4: case Tag::H5:
    case Tag::H6: case Tag::Caption: case Tag::Td: case Tag::Th: case Tag::Tr: case Tag::Thead: case Tag::Tbody:
    case Tag::Tfoot: case Tag::Legend:
      if (auto a = attr(L"align")) {
        Align align;
        if (AlignOf(*a, align)) {
          s.align = align;
          if (tag == Tag::Div) s.blockAlign = align;
        }
      }
      break;
    default: break;
  }
  switch (tag) {
    case Tag::Body: {
      TColor c;
      if (auto a = attr(L"bgcolor"); a && ParseLegacyColor(*a, c)) s.background = c;
      if (auto a = attr(L"text"); a && ParseLegacyColor(*a, c)) s.color = c;
      if (auto a = attr(L"link"); a && ParseLegacyColor(*a, c)) linkColor_ = c;
      for (const wchar_t* name : {L"leftmargin", L"marginwidth"})
        if (auto a = attr(name)) s.margin[1] = s.margin[3] = {static_cast<float>(NumberOf(*a, 8, 0, 1000)), Unit::Px};
      for (const wchar_t* name : {L"topmargin", L"marginheight"})
        if (auto a = attr(name)) s.margin[0] = s.margin[2] = {static_cast<float>(NumberOf(*a, 8, 0, 1000)), Unit::Px};
      break;
    }
    case Tag::Font: {
      TColor c;
      if (auto a = attr(L"color"); a && ParseLegacyColor(*a, c)) s.color = c;
      if (auto a = attr(L"face"); a && !Trim(*a).empty()) s.face = faces_.FromFamilyList(*a);
      if (auto a = attr(L"size"))
        if (const int size = FontTagSize(*a)) s.size = size * o_.defaultSize / 16;
      break;
    }
    case Tag::Td: case Tag::Th: {
      if (d_.HasAttr(node, L"nowrap")) s.whiteSpace = WhiteSpace::NoWrap;
      TColor c;
      if (auto a = attr(L"bgcolor"); a && ParseLegacyColor(*a, c)) s.background = c;
      if (auto a = attr(L"width")) HtmlLength(*a, s.width);
      if (auto a = attr(L"height")) HtmlLength(*a, s.height);
      if (auto a = attr(L"valign"); a && VAlignOf(*a, s.valign)) s.valignSet = true;
      break;
    }
    case Tag::Tr: case Tag::Thead: case Tag::Tbody: case Tag::Tfoot: {
      TColor c;
      if (auto a = attr(L"bgcolor"); a && ParseLegacyColor(*a, c)) s.background = c;
      if (auto a = attr(L"valign"); a && VAlignOf(*a, s.valign)) s.valignSet = true;
      if (auto a = attr(L"height")) HtmlLength(*a, s.height);
      break;
    }
    case Tag::Ul: case Tag::Ol: case Tag::Li: case Tag::Menu: case Tag::Dir:
      if (auto a = attr(L"type")) ListTypeAttribute(*a, s.listType);
      break;
    case Tag::A:
      if (auto href = attr(L"href")) {
        p_.links.push_back({std::wstring(Trim(*href)), std::wstring(attr(L"target").value_or(L"")), -1});
        s.link = static_cast<int32_t>(p_.links.size() - 1);
        s.color = linkColor_;
        s.underline = true;
      }
      break;
    case Tag::Label:
      p_.links.push_back({L"", L"", -1});
      s.link = static_cast<int32_t>(p_.links.size() - 1);
      labels_.push_back({s.link, std::wstring(attr(L"for").value_or(L"")), p_.controls.size(), p_.controls.size()});
      break;
    default: break;
  }
}

void Builder::ApplyCss(uint32_t node, Style& s, const Style& parent) {
  matched_.clear();
  sheet_.Match(chain_.data(), chain_.size(), matched_);
  std::vector<Declaration> inline_;
  if (auto style = d_.Attr(node, L"style")) inline_ = ParseDeclarations(*style);
  if (matched_.empty() && inline_.empty()) return;
  for (const Declaration* d : matched_)
    if (!d->important) ApplyDeclaration(*d, s, parent, faces_);
  for (const Declaration& d : inline_)
    if (!d.important) ApplyDeclaration(d, s, parent, faces_);
  for (const Declaration* d : matched_)
    if (d->important) ApplyDeclaration(*d, s, parent, faces_);
  for (const Declaration& d : inline_)
    if (d.important) ApplyDeclaration(d, s, parent, faces_);
}

void Builder::ComputeStyle(uint32_t node, Style& s, const Style& parent) {
  const Tag tag = d_.nodes[node].tag;
  s = Inherit(parent);
  TagDefaults(tag, s, parent);
  Attributes(node, tag, s);
  ApplyCss(node, s, parent);
  ResolveEm(s);
  if (s.display != Display::Inline) s.textBackground = kNoColor;
  else if (s.background != kNoColor) s.textBackground = s.background;
}

void Builder::FillBoxStyle(Box& box, const Style& s) {
  for (int i = 0; i < 4; ++i) {
    box.margin[i] = s.margin[i];
    box.padding[i] = s.padding[i];
    box.border[i] = s.hasBorder ? s.borderWidth[i] : 0;
  }
  box.borderStyle = s.borderStyle;
  box.borderColor = s.borderColor == kNoColor ? s.color : s.borderColor;
  box.background = s.background;
  box.width = s.width;
  box.height = s.height;
  box.floatSide = s.floatSide;
  box.clear = s.clear;
  box.align = s.blockAlign;
}

void Builder::Children(uint32_t node, const Style& s) {
  for (uint32_t child = d_.nodes[node].firstChild; child != kNoNode; child = d_.nodes[child].nextSibling) {
    if (d_.nodes[child].tag == Tag::Text) Text(d_.Text(child), s);
    else Element(child, s);
  }
}

void Builder::AddWord(std::wstring_view word, uint32_t style, uint16_t font) {
  InlineItem item;
  item.kind = ItemKind::Word;
  item.style = style;
  item.text = static_cast<uint32_t>(p_.text.size());
  item.length = static_cast<uint32_t>(word.size());
  p_.text.append(word);
  item.width = std::max(0, m_.TextWidth(p_.fontHandles[font], word));
  AddItem(item);
}

void Builder::Text(std::wstring_view text, const Style& s) {
  if (text.empty()) return;
  const uint32_t style = StyleOf(s);
  const uint16_t font = p_.styles[style].font;
  if (s.whiteSpace == WhiteSpace::Pre) {
    std::wstring line;
    const auto flush = [&] {
      if (!line.empty()) AddWord(line, style, font);
      line.clear();
    };
    for (wchar_t c : text) {
      Block& b = Current();
      if (c == '\n') {
        flush();
        InlineItem br;
        br.kind = ItemKind::Break;
        br.style = style;
        AddItem(br);
        Current().column = 0;
      } else if (c == '\t') {
        const int spaces = 8 - b.column % 8;
        line.append(static_cast<size_t>(spaces), L' ');
        b.column += spaces;
      } else {
        line.push_back(c);
        ++b.column;
      }
      Current().atStart = false;
    }
    flush();
    return;
  }
  const bool noWrap = s.whiteSpace == WhiteSpace::NoWrap;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    if (IsCollapsible(text[i])) {
      while (i < n && IsCollapsible(text[i])) ++i;
      Block& b = Current();
      if (!b.atStart && !b.lastSpace) {
        InlineItem space;
        space.kind = ItemKind::Space;
        space.flags = noWrap ? kItemNoBreak : 0;
        space.style = style;
        space.text = static_cast<uint32_t>(p_.text.size());
        space.length = 1;
        p_.text.push_back(' ');
        space.width = SpaceWidth(font);
        AddItem(space);
        Current().lastSpace = true;
      }
      continue;
    }
    size_t j = i;
    while (j < n && !IsCollapsible(text[j]) && text[j] != 0x200B && text[j] != 0xAD) ++j;
    if (j > i) AddWord(text.substr(i, j - i), style, font);
    while (j < n && (text[j] == 0x200B || text[j] == 0xAD)) {
      // Zero-width spaces and soft hyphens are places to break, shown as nothing.
      InlineItem opportunity;
      opportunity.kind = ItemKind::Opportunity;
      opportunity.style = style;
      AddItem(opportunity);
      ++j;
    }
    Block& b = Current();
    b.atStart = false;
    b.lastSpace = false;
    i = j;
  }
}

void Builder::AddAnchor(std::wstring_view name, bool block) {
  if (name.empty()) return;
  p_.anchors.push_back({std::wstring(name.substr(0, 256))});
  const uint32_t index = static_cast<uint32_t>(p_.anchors.size() - 1);
  if (block) return;
  InlineItem item;
  item.kind = ItemKind::Anchor;
  item.object = index;
  AddItem(item);
}

void Builder::AddPicture(uint32_t node, const Style& s) {
  Picture pic;
  pic.src = std::wstring(Trim(d_.Attr(node, L"src").value_or(L"")));
  pic.alt = Collapsed(d_.Attr(node, L"alt").value_or(L""));
  pic.style = StyleOf(s);
  Length w, h;
  const bool hasW = d_.Attr(node, L"width") && HtmlLength(*d_.Attr(node, L"width"), w) && w.unit == Unit::Px;
  const bool hasH = d_.Attr(node, L"height") && HtmlLength(*d_.Attr(node, L"height"), h) && h.unit == Unit::Px;
  int width = hasW ? static_cast<int>(w.value) : -1, height = hasH ? static_cast<int>(h.value) : -1;
  if (s.width.unit == Unit::Px) width = static_cast<int>(s.width.value);
  if (s.height.unit == Unit::Px) height = static_cast<int>(s.height.value);
  int naturalW = 0, naturalH = 0;
  pic.shown = !pic.src.empty() && m_.PictureSize(pic.src, naturalW, naturalH) && naturalW > 0 && naturalH > 0;
  if (pic.shown) {
    naturalW = std::min(naturalW, 10000);
    naturalH = std::min(naturalH, 10000);
    if (width < 0 && height < 0) width = naturalW, height = naturalH;
    else if (width < 0) width = static_cast<int>(static_cast<long long>(naturalW) * height / naturalH);
    else if (height < 0) height = static_cast<int>(static_cast<long long>(naturalH) * width / naturalW);
  } else {
    // The box of a picture that cannot be shown holds its alt text.
    const FontMetrics& fm = p_.metrics[p_.styles[pic.style].font];
    const int altW = m_.TextWidth(p_.fontHandles[p_.styles[pic.style].font], pic.alt) + 8;
    if (width < 0) width = std::max(altW, 20);
    if (height < 0) height = std::max(fm.ascent + fm.descent + 8, 20);
  }
  pic.width = std::clamp(width, 0, 10000);
  pic.height = std::clamp(height, 0, 10000);
  if (auto a = d_.Attr(node, L"border")) pic.border = NumberOf(*a, 0, 0, 100);
  if (auto a = d_.Attr(node, L"hspace")) pic.hspace = NumberOf(*a, 0, 0, 1000);
  if (auto a = d_.Attr(node, L"vspace")) pic.vspace = NumberOf(*a, 0, 0, 1000);
  pic.borderColor = s.color;
  uint8_t flags = 0;
  if (auto a = d_.Attr(node, L"align")) {
    const std::wstring_view v = Trim(*a);
    if (Is(v, L"left")) flags = kItemFloatLeft;
    else if (Is(v, L"right")) flags = kItemFloatRight;
    else if (Is(v, L"top")) pic.valign = VAlign::Top;
    else if (Is(v, L"texttop")) pic.valign = VAlign::TextTop;
    else if (Is(v, L"middle")) pic.valign = VAlign::Middle;
    else if (Is(v, L"absmiddle")) pic.valign = VAlign::AbsMiddle;
    else if (Is(v, L"absbottom")) pic.valign = VAlign::Bottom;
  }
  if (s.valignSet) pic.valign = s.valign;
  if (s.floatSide == FloatSide::Left) flags = kItemFloatLeft;
  else if (s.floatSide == FloatSide::Right) flags = kItemFloatRight;
  p_.pictures.push_back(std::move(pic));
  const Picture& placed = p_.pictures.back();
  InlineItem item;
  item.kind = ItemKind::Picture;
  item.flags = flags;
  item.style = placed.style;
  item.width = placed.width + 2 * placed.border + 2 * placed.hspace;
  item.object = static_cast<uint32_t>(p_.pictures.size() - 1);
  AddItem(item);
  Block& b = Current();
  b.atStart = false;
  b.lastSpace = false;
}

void Builder::AddControl(uint32_t node, const Style& s) {
  const Tag tag = d_.nodes[node].tag;
  FormControl c;
  if (d_.nodes[node].form != kNoNode)
    if (auto it = formOfNode_.find(d_.nodes[node].form); it != formOfNode_.end()) c.form = it->second;
  c.name = d_.Attr(node, L"name").value_or(L"");
  c.id = d_.Attr(node, L"id").value_or(L"");
  c.disabled = d_.HasAttr(node, L"disabled");
  c.readOnly = d_.HasAttr(node, L"readonly");
  c.font = p_.controlFont;
  const std::wstring_view type = Trim(d_.Attr(node, L"type").value_or(L""));
  const std::wstring_view value = d_.Attr(node, L"value").value_or(L"");
  const bool hasValue = d_.HasAttr(node, L"value");
  if (tag == Tag::Input) {
    static constexpr struct {
      const wchar_t* type;
      ControlKind kind;
    } kTypes[] = {{L"password", ControlKind::Password}, {L"checkbox", ControlKind::Checkbox},
                  {L"radio", ControlKind::Radio},       {L"submit", ControlKind::Submit},
                  {L"reset", ControlKind::Reset},       {L"button", ControlKind::Button},
                  {L"image", ControlKind::Image},       {L"file", ControlKind::File},
                  {L"hidden", ControlKind::Hidden}};
    for (const auto& t : kTypes)
      if (Is(type, t.type)) c.kind = t.kind;
    c.checked = d_.HasAttr(node, L"checked");
    c.size = NumberOf(d_.Attr(node, L"size").value_or(L""), 20, 1, 500);
    c.maxLength = NumberOf(d_.Attr(node, L"maxlength").value_or(L""), 0, 0, 1000000);
    switch (c.kind) {
      case ControlKind::Checkbox:
      case ControlKind::Radio: c.value = hasValue ? std::wstring(value) : L"on"; break;
      case ControlKind::Submit: c.value = hasValue ? std::wstring(value) : L"Trimite"; break;
      case ControlKind::Reset: c.value = hasValue ? std::wstring(value) : L"Reinițializează"; break;
      case ControlKind::Image: c.value = Collapsed(d_.Attr(node, L"alt").value_or(L"Trimite")); break;
      case ControlKind::Text:
      case ControlKind::Password:
      case ControlKind::Hidden: {
        std::wstring v(value);
        // A single-line field keeps no line breaks.
        v.erase(std::remove_if(v.begin(), v.end(), [](wchar_t ch) { return ch == '\n' || ch == '\r'; }), v.end());
        c.value = std::move(v);
        break;
      }
      default: c.value = value; break;
    }
  } else if (tag == Tag::Button) {
    c.kind = Is(type, L"reset") ? ControlKind::Reset : Is(type, L"button") ? ControlKind::Button : ControlKind::Submit;
    c.value = value;
    // The button's caption is its content; its value is what it sends.
    c.options.push_back({Collapsed(d_.TextContent(node)), std::wstring(value), false, false});
  } else if (tag == Tag::Select) {
    c.kind = ControlKind::Select;
    c.multiple = d_.HasAttr(node, L"multiple");
    c.size = NumberOf(d_.Attr(node, L"size").value_or(L""), c.multiple ? 4 : 1, 1, 100);
    const auto option = [&](uint32_t o, bool groupDisabled) {
      ControlOption opt;
      opt.text = Collapsed(d_.TextContent(o));
      opt.value = d_.HasAttr(o, L"value") ? std::wstring(*d_.Attr(o, L"value")) : opt.text;
      opt.selected = d_.HasAttr(o, L"selected");
      opt.disabled = groupDisabled || d_.HasAttr(o, L"disabled");
      if (c.options.size() < 10000) c.options.push_back(std::move(opt));
    };
    for (uint32_t o = d_.nodes[node].firstChild; o != kNoNode; o = d_.nodes[o].nextSibling) {
      if (d_.nodes[o].tag == Tag::Option) option(o, false);
      else if (d_.nodes[o].tag == Tag::Optgroup)
        for (uint32_t g = d_.nodes[o].firstChild; g != kNoNode; g = d_.nodes[g].nextSibling)
          if (d_.nodes[g].tag == Tag::Option) option(g, d_.HasAttr(o, L"disabled"));
    }
    if (!c.multiple) {
      // One choice: the last one marked, else the first that can be chosen.
      int chosen = -1;
      for (size_t i = 0; i < c.options.size(); ++i)
        if (c.options[i].selected) chosen = static_cast<int>(i);
      if (chosen < 0 && c.size == 1)
        for (size_t i = 0; i < c.options.size() && chosen < 0; ++i)
          if (!c.options[i].disabled) chosen = static_cast<int>(i);
      for (size_t i = 0; i < c.options.size(); ++i) c.options[i].selected = static_cast<int>(i) == chosen;
    }
  } else {
    c.kind = ControlKind::TextArea;
    c.value = d_.TextContent(node);
    c.rows = NumberOf(d_.Attr(node, L"rows").value_or(L""), 2, 1, 500);
    c.cols = NumberOf(d_.Attr(node, L"cols").value_or(L""), 20, 1, 500);
  }

  const FontMetrics& fm = p_.metrics[c.font];
  const int fontHandle = p_.fontHandles[c.font];
  const int lineH = fm.ascent + fm.descent;
  switch (c.kind) {
    case ControlKind::Text: case ControlKind::Password:
      c.width = c.size * fm.averageWidth + 8;
      c.height = lineH + 8;
      c.baseline = 4 + fm.ascent;
      break;
    case ControlKind::File:
      c.width = c.size * fm.averageWidth + 8;
      c.height = lineH + 8;
      c.baseline = 4 + fm.ascent;
      break;
    case ControlKind::Checkbox: case ControlKind::Radio:
      c.width = c.height = 13;
      c.baseline = 11;
      c.margin = 3;
      break;
    case ControlKind::Submit: case ControlKind::Reset: case ControlKind::Button: case ControlKind::Image: {
      const std::wstring& caption = tag == Tag::Button ? c.options.front().text : c.value;
      c.width = m_.TextWidth(fontHandle, caption) + 16;
      c.height = lineH + 10;
      c.baseline = 5 + fm.ascent;
      c.margin = 1;
      break;
    }
    case ControlKind::Select: {
      int widest = 0;
      for (const ControlOption& o : c.options) widest = std::max(widest, m_.TextWidth(fontHandle, o.text));
      c.width = std::min(widest, 2000) + 8 + 18;
      c.height = c.size > 1 || c.multiple ? c.size * (lineH + 2) + 6 : lineH + 8;
      c.baseline = 4 + fm.ascent;
      break;
    }
    case ControlKind::TextArea:
      c.width = c.cols * fm.averageWidth + 8 + 18;
      c.height = c.rows * lineH + 8;
      c.baseline = c.height - 4 - fm.descent;
      break;
    case ControlKind::Hidden: break;
  }
  c.width = std::clamp(c.width, 0, 10000);
  c.height = std::clamp(c.height, 0, 10000);
  if (s.width.unit == Unit::Px && c.kind != ControlKind::Checkbox && c.kind != ControlKind::Radio)
    c.width = std::clamp(static_cast<int>(s.width.value), 0, 10000);
  p_.controls.push_back(std::move(c));
  const FormControl& placed = p_.controls.back();
  if (placed.kind == ControlKind::Hidden) return;
  InlineItem item;
  item.kind = ItemKind::Control;
  item.style = StyleOf(s);
  item.width = placed.width + 2 * placed.margin;
  item.object = static_cast<uint32_t>(p_.controls.size() - 1);
  AddItem(item);
  Block& b = Current();
  b.atStart = false;
  b.lastSpace = false;
}

void Builder::AddRule(uint32_t node, const Style& s) {
  CloseLines();
  const uint32_t box = NewBox(BoxKind::Rule);
  Box& r = p_.boxes[box];
  FillBoxStyle(r, s);
  r.margin[0] = r.margin[2] = {static_cast<float>(std::max(1, s.size / 2)), Unit::Px};
  if (s.margin[0].unit != Unit::Auto && (s.margin[0].value != 0 || s.margin[2].value != 0)) {
    r.margin[0] = s.margin[0];
    r.margin[2] = s.margin[2];
  }
  const int size = NumberOf(d_.Attr(node, L"size").value_or(L""), 2, 1, 1000);
  r.height = {static_cast<float>(size), Unit::Px};
  if (auto a = d_.Attr(node, L"width")) HtmlLength(*a, r.width);
  if (s.width.unit != Unit::Auto) r.width = s.width;
  r.align = Align::Center;
  if (auto a = d_.Attr(node, L"align")) AlignOf(*a, r.align);
  TColor c;
  const bool colored = d_.Attr(node, L"color") && ParseLegacyColor(*d_.Attr(node, L"color"), c);
  if (colored || d_.HasAttr(node, L"noshade")) {
    r.borderStyle = BorderStyle::Solid;
    r.background = colored ? c : Rgb(128, 128, 128);
  } else {
    r.borderStyle = BorderStyle::Inset;
    r.background = s.background;
  }
  if (auto id = d_.Attr(node, L"id")) {
    AddAnchor(*id, true);
    if (!p_.anchors.empty()) p_.boxes[box].anchor = static_cast<int32_t>(p_.anchors.size() - 1);
  }
  AppendChild(Current().box, Current().lastChild, box);
}

void Builder::BlockBox(uint32_t box, const Style& s) {
  Block b;
  b.box = box;
  b.strut = StyleOf(s);
  b.align = s.align;
  blocks_.push_back(b);
}

void Builder::AddTable(uint32_t node, const Style& parentStyle) {
  CloseLines();
  Style s = parentStyle;
  if (d_.quirks) {
    // Tables of pages without a standards doctype start from the page's font, as in browsers.
    s.size = o_.defaultSize;
    s.bold = s.italic = false;
    s.align = Align::Left;
    s.whiteSpace = WhiteSpace::Normal;
  }
  const uint32_t table = NewBox(BoxKind::Table);
  {
    Box& t = p_.boxes[table];
    FillBoxStyle(t, s);
    const auto attr = [&](std::wstring_view name) { return d_.Attr(node, name); };
    if (auto a = attr(L"border")) {
      const int border = Trim(*a).empty() ? 1 : NumberOf(*a, 1, 0, 100);
      if (!s.hasBorder)
        for (int& w : t.border) w = border;
      if (!s.hasBorder) t.borderStyle = BorderStyle::Outset;
      if (!s.hasBorder) t.borderColor = Rgb(128, 128, 128);
      t.cellBorder = border > 0 ? 1 : 0;
    }
    t.cellSpacing = NumberOf(attr(L"cellspacing").value_or(L""), 2, 0, 1000);
    t.cellPadding = NumberOf(attr(L"cellpadding").value_or(L""), 1, 0, 1000);
    if (auto a = attr(L"width"); a && s.width.IsAuto()) HtmlLength(*a, t.width);
    if (auto a = attr(L"height"); a && s.height.IsAuto()) HtmlLength(*a, t.height);
    TColor c;
    if (auto a = attr(L"bgcolor"); a && s.background == kNoColor && ParseLegacyColor(*a, c)) t.background = c;
    if (auto a = attr(L"align")) {
      const std::wstring_view v = Trim(*a);
      if (Is(v, L"left")) t.floatSide = FloatSide::Left;
      else if (Is(v, L"right")) t.floatSide = FloatSide::Right;
      else if (Is(v, L"center")) t.align = Align::Center;
    }
    if (auto id = attr(L"id")) {
      AddAnchor(*id, true);
      t.anchor = static_cast<int32_t>(p_.anchors.size() - 1);
    }
  }
  AppendChild(Current().box, Current().lastChild, table);
  const Box tableBox = p_.boxes[table];
  Style inner = Inherit(s);
  inner.blockAlign = Align::Left;
  uint32_t lastChild = kNone;
  // Captions first, then the rows: head, body, foot, as browsers place them.
  for (uint32_t child = d_.nodes[node].firstChild; child != kNoNode; child = d_.nodes[child].nextSibling) {
    if (d_.nodes[child].tag != Tag::Caption) continue;
    chain_.push_back({Tag::Caption, d_.Attr(child, L"id").value_or(L""), d_.Attr(child, L"class").value_or(L""), false});
    Style cs;
    ComputeStyle(child, cs, inner);
    if (cs.display != Display::None) {
      const uint32_t caption = NewBox(BoxKind::Caption);
      FillBoxStyle(p_.boxes[caption], cs);
      AppendChild(table, lastChild, caption);
      BlockBox(caption, cs);
      Children(child, cs);
      CloseLines();
      blocks_.pop_back();
    }
    chain_.pop_back();
  }
  for (int pass = 0; pass < 3; ++pass) {
    for (uint32_t child = d_.nodes[node].firstChild; child != kNoNode; child = d_.nodes[child].nextSibling) {
      const Tag tag = d_.nodes[child].tag;
      const bool head = tag == Tag::Thead, foot = tag == Tag::Tfoot;
      if (tag == Tag::Tr) {
        if (pass == 1) AddRow(child, inner, table, lastChild, tableBox, kNoColor, false, VAlign::Middle);
      } else if (tag == Tag::Tbody || head || foot) {
        if ((head && pass != 0) || (foot && pass != 2) || (!head && !foot && pass != 1)) continue;
        chain_.push_back({tag, d_.Attr(child, L"id").value_or(L""), d_.Attr(child, L"class").value_or(L""), false});
        Style section;
        ComputeStyle(child, section, inner);
        if (section.display != Display::None)
          for (uint32_t row = d_.nodes[child].firstChild; row != kNoNode; row = d_.nodes[row].nextSibling)
            if (d_.nodes[row].tag == Tag::Tr)
              AddRow(row, section, table, lastChild, tableBox, section.background, section.valignSet, section.valign);
        chain_.pop_back();
      }
    }
  }
}

void Builder::AddRow(uint32_t node, const Style& section, uint32_t table, uint32_t& lastRow, const Box& tableBox,
                     TColor sectionBackground, bool sectionValignSet, VAlign sectionValign) {
  chain_.push_back({Tag::Tr, d_.Attr(node, L"id").value_or(L""), d_.Attr(node, L"class").value_or(L""), false});
  Style s;
  ComputeStyle(node, s, section);
  if (s.display != Display::None) {
    const uint32_t row = NewBox(BoxKind::Row);
    p_.boxes[row].height = s.height;
    AppendChild(table, lastRow, row);
    const TColor background = s.background != kNoColor ? s.background : sectionBackground;
    const bool valignSet = s.valignSet || sectionValignSet;
    const VAlign valign = s.valignSet ? s.valign : sectionValign;
    uint32_t lastCell = kNone;
    for (uint32_t child = d_.nodes[node].firstChild; child != kNoNode; child = d_.nodes[child].nextSibling)
      if (d_.nodes[child].tag == Tag::Td || d_.nodes[child].tag == Tag::Th)
        AddCell(child, s, row, lastCell, tableBox, background, valignSet, valign);
  }
  chain_.pop_back();
}

void Builder::AddCell(uint32_t node, const Style& row, uint32_t rowBox, uint32_t& lastCell, const Box& tableBox,
                      TColor rowBackground, bool rowValignSet, VAlign rowValign) {
  const Tag tag = d_.nodes[node].tag;
  chain_.push_back({tag, d_.Attr(node, L"id").value_or(L""), d_.Attr(node, L"class").value_or(L""), false});
  Style s;
  Style rowStyle = row;
  rowStyle.valignSet = false;
  ComputeStyle(node, s, rowStyle);
  if (s.display == Display::None) {
    chain_.pop_back();
    return;
  }
  const uint32_t cell = NewBox(BoxKind::Cell);
  {
    Box& c = p_.boxes[cell];
    FillBoxStyle(c, s);
    c.margin[0] = c.margin[1] = c.margin[2] = c.margin[3] = {0, Unit::Px};
    if (c.background == kNoColor) c.background = rowBackground;
    c.valign = s.valignSet ? s.valign : rowValignSet ? rowValign : VAlign::Middle;
    c.nowrap = s.whiteSpace == WhiteSpace::NoWrap;
    c.colSpan = NumberOf(d_.Attr(node, L"colspan").value_or(L""), 1, 1, 1000);
    c.rowSpan = NumberOf(d_.Attr(node, L"rowspan").value_or(L""), 1, 0, 65534);
    if (!s.paddingSet)
      for (Length& p : c.padding) p = {static_cast<float>(tableBox.cellPadding), Unit::Px};
    if (!s.hasBorder && tableBox.cellBorder > 0) {
      for (int& w : c.border) w = tableBox.cellBorder;
      c.borderStyle = BorderStyle::Inset;
      c.borderColor = Rgb(128, 128, 128);
    }
    c.align = Align::Left;
    if (auto id = d_.Attr(node, L"id")) {
      AddAnchor(*id, true);
      c.anchor = static_cast<int32_t>(p_.anchors.size() - 1);
    }
  }
  AppendChild(rowBox, lastCell, cell);
  Style inside = s;
  inside.blockAlign = s.align;
  BlockBox(cell, inside);
  Children(node, inside);
  CloseLines();
  blocks_.pop_back();
  chain_.pop_back();
}

void Builder::Element(uint32_t node, const Style& parent) {
  const Tag tag = d_.nodes[node].tag;
  const std::wstring_view id = d_.Attr(node, L"id").value_or(L"");
  chain_.push_back({tag, id, d_.Attr(node, L"class").value_or(L""), tag == Tag::A && d_.HasAttr(node, L"href")});
  Style s;
  ComputeStyle(node, s, parent);
  struct Pop {
    std::vector<ElementRef>& chain;
    ~Pop() { chain.pop_back(); }
  } pop{chain_};

  if (s.display == Display::None) {
    // A hidden field is sent with its form all the same.
    if (tag == Tag::Input && Is(Trim(d_.Attr(node, L"type").value_or(L"")), L"hidden")) AddControl(node, s);
    return;
  }
  switch (tag) {
    case Tag::Br: {
      InlineItem br;
      br.kind = ItemKind::Break;
      br.style = StyleOf(s);
      if (auto a = d_.Attr(node, L"clear")) {
        const std::wstring_view v = Trim(*a);
        if (Is(v, L"left")) br.flags = kItemClearLeft;
        else if (Is(v, L"right")) br.flags = kItemClearRight;
        else if (Is(v, L"all") || Is(v, L"both")) br.flags = kItemClearLeft | kItemClearRight;
      }
      AddItem(br);
      Current().lastSpace = true;
      return;
    }
    case Tag::Img: AddPicture(node, s); return;
    case Tag::Input: case Tag::Select: case Tag::Textarea: case Tag::Button: AddControl(node, s); return;
    case Tag::Wbr: {
      InlineItem opportunity;
      opportunity.kind = ItemKind::Opportunity;
      AddItem(opportunity);
      return;
    }
    case Tag::Hr: AddRule(node, s); return;
    case Tag::Table: AddTable(node, s); return;
    default: break;
  }
  const bool block = s.display != Display::Inline || s.floatSide != FloatSide::None;
  std::wstring_view name;
  if (tag == Tag::A) name = d_.Attr(node, L"name").value_or(L"");
  const bool isList = tag == Tag::Ul || tag == Tag::Ol || tag == Tag::Menu || tag == Tag::Dir;
  if (!block) {
    if (!name.empty()) AddAnchor(name, false);
    if (!id.empty() && id != name) AddAnchor(id, false);
    Children(node, s);
  } else {
    CloseLines();
    const uint32_t box = NewBox(s.display == Display::ListItem ? BoxKind::ListItem : BoxKind::Block);
    FillBoxStyle(p_.boxes[box], s);
    if (!id.empty()) {
      AddAnchor(id, true);
      p_.boxes[box].anchor = static_cast<int32_t>(p_.anchors.size() - 1);
    }
    if (s.display == Display::ListItem) {
      Box& li = p_.boxes[box];
      std::wstring markerText;
      int number = lists_.empty() ? 1 : lists_.back().next;
      if (auto v = d_.Attr(node, L"value")) number = NumberOf(*v, number, -1000000, 1000000);
      if (!lists_.empty()) lists_.back().next = number + 1;
      switch (s.listType) {
        case ListType::Disc: li.marker = MarkerKind::Disc; break;
        case ListType::Circle: li.marker = MarkerKind::Circle; break;
        case ListType::Square: li.marker = MarkerKind::Square; break;
        case ListType::None: li.marker = MarkerKind::None; break;
        default: {
          const std::wstring text = MarkerText(number, s.listType);
          li.marker = MarkerKind::Text;
          li.markerText = static_cast<uint32_t>(p_.text.size());
          li.markerLength = static_cast<uint32_t>(text.size());
          p_.text += text;
          markerText = text;
          break;
        }
      }
      Style markerStyle = s;
      markerStyle.link = -1;
      markerStyle.underline = false;
      const uint32_t markerRun = StyleOf(markerStyle);
      p_.boxes[box].markerStyle = markerRun;
      if (!markerText.empty())
        p_.boxes[box].markerWidth = std::max(0, m_.TextWidth(p_.fontHandles[p_.styles[markerRun].font], markerText));
    }
    AppendChild(Current().box, Current().lastChild, box);
    if (isList) {
      int start = 1;
      if (tag == Tag::Ol)
        if (auto a = d_.Attr(node, L"start")) start = NumberOf(*a, 1, -1000000, 1000000);
      lists_.push_back({start, tag == Tag::Ol});
    }
    BlockBox(box, s);
    if (!name.empty()) AddAnchor(name, false);
    Children(node, s);
    CloseLines();
    blocks_.pop_back();
    if (isList) lists_.pop_back();
  }
  if (tag == Tag::Label && !labels_.empty()) {
    for (auto it = labels_.rbegin(); it != labels_.rend(); ++it)
      if (it->link == s.link) {
        it->endControl = p_.controls.size();
        break;
      }
  }
}

void Builder::Run() {
  const Document& d = d_;
  // The title, the base target, the forms and the style sheets come from anywhere in the page.
  for (uint32_t i = 0; i < d.nodes.size(); ++i) {
    const Tag tag = d.nodes[i].tag;
    if (tag == Tag::Title && p_.title.empty()) p_.title = Collapsed(d.TextContent(i));
    else if (tag == Tag::Base && p_.baseTarget.empty()) p_.baseTarget = d.Attr(i, L"target").value_or(L"");
    else if (tag == Tag::Form) {
      formOfNode_[i] = static_cast<int>(p_.forms.size());
      FormInfo f;
      f.action = std::wstring(Trim(d.Attr(i, L"action").value_or(L"")));
      f.target = d.Attr(i, L"target").value_or(L"");
      const std::wstring_view method = Trim(d.Attr(i, L"method").value_or(L""));
      f.method = Is(method, L"post") ? L"post" : L"get";
      p_.forms.push_back(std::move(f));
    } else if (tag == Tag::Style) {
      const std::wstring_view type = d.Attr(i, L"type").value_or(L"text/css");
      if (Trim(type).empty() || Is(Trim(type), L"text/css")) sheet_.Add(d.TextContent(i));
    }
  }

  Style root;
  root.face = 0;
  root.size = o_.defaultSize;
  root.color = 0;
  {
    Style control = root;
    control.face = faces_.FromFamilyList(o_.controlFace);
    control.size = o_.controlSize;
    p_.controlFont = FontOf(control);
  }
  FontOf(root);
  p_.boxes.push_back(Box{});
  p_.boxes[0].kind = BoxKind::Block;

  if (d.frameset != kNoNode) {
    p_.frameset = BuildFrameSet(d, d.frameset);
    return;
  }
  chain_.push_back({Tag::Html, d.Attr(0, L"id").value_or(L""), d.Attr(0, L"class").value_or(L""), false});
  Style html;
  ComputeStyle(0, html, root);
  const uint32_t bodyNode = d.body;
  Style body = html;
  if (bodyNode != kNoNode) {
    chain_.push_back({Tag::Body, d.Attr(bodyNode, L"id").value_or(L""), d.Attr(bodyNode, L"class").value_or(L""), false});
    ComputeStyle(bodyNode, body, html);
  }
  // The body's background is the whole page's, as browsers show it.
  if (body.background != kNoColor) p_.background = body.background;
  else if (html.background != kNoColor) p_.background = html.background;
  body.background = kNoColor;
  p_.textColor = body.color;
  FillBoxStyle(p_.boxes[0], body);
  p_.boxes[0].floatSide = FloatSide::None;
  p_.boxes[0].width = {};
  const uint32_t rootStyle = StyleOf(body);
  const FontMetrics& rootMetrics = p_.metrics[p_.styles[rootStyle].font];
  p_.defaultLineHeight = std::max(1, rootMetrics.ascent + rootMetrics.descent);
  BlockBox(0, body);
  if (bodyNode != kNoNode) Children(bodyNode, body);
  CloseLines();
  blocks_.clear();

  for (const PendingLabel& label : labels_) {
    int control = -1;
    if (!label.forId.empty()) {
      for (size_t i = 0; i < p_.controls.size() && control < 0; ++i)
        if (p_.controls[i].id == label.forId) control = static_cast<int>(i);
    } else if (label.endControl > label.firstControl) {
      control = static_cast<int>(label.firstControl);
    }
    p_.links[static_cast<size_t>(label.link)].control = control;
  }
  ComputeIntrinsicWidths(p_);
}

}  // namespace

Page BuildPage(const Document& document, Measurer& measurer, const PageOptions& options) {
  Page page;
  Builder(document, measurer, options, page).Run();
  return page;
}

}  // namespace corvan::html
