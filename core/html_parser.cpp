#include "core/html_parser.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/html_charset.h"
#include "core/html_entities.h"

namespace corvan::html {

namespace {

struct TagName {
  const char* name;
  Tag tag;
};

// Sorted by name.
constexpr TagName kTagNames[] = {
    {"a", Tag::A}, {"abbr", Tag::Abbr}, {"acronym", Tag::Acronym}, {"address", Tag::Address},
    {"applet", Tag::Applet}, {"area", Tag::Area}, {"article", Tag::Article}, {"aside", Tag::Aside},
    {"b", Tag::B}, {"base", Tag::Base}, {"basefont", Tag::Basefont}, {"bdo", Tag::Bdo}, {"big", Tag::Big},
    {"blockquote", Tag::Blockquote}, {"body", Tag::Body}, {"br", Tag::Br}, {"button", Tag::Button},
    {"caption", Tag::Caption}, {"center", Tag::Center}, {"cite", Tag::Cite}, {"code", Tag::Code},
    {"col", Tag::Col}, {"colgroup", Tag::Colgroup}, {"dd", Tag::Dd}, {"del", Tag::Del}, {"dfn", Tag::Dfn},
    {"dir", Tag::Dir}, {"div", Tag::Div}, {"dl", Tag::Dl}, {"dt", Tag::Dt}, {"em", Tag::Em},
    {"embed", Tag::Embed}, {"fieldset", Tag::Fieldset}, {"figcaption", Tag::Figcaption},
    {"figure", Tag::Figure}, {"font", Tag::Font}, {"footer", Tag::Footer}, {"form", Tag::Form},
    {"frame", Tag::Frame}, {"frameset", Tag::Frameset}, {"h1", Tag::H1}, {"h2", Tag::H2}, {"h3", Tag::H3},
    {"h4", Tag::H4}, {"h5", Tag::H5}, {"h6", Tag::H6}, {"head", Tag::Head}, {"header", Tag::Header},
    {"hr", Tag::Hr}, {"html", Tag::Html}, {"i", Tag::I}, {"iframe", Tag::Iframe}, {"image", Tag::Img},
    {"img", Tag::Img}, {"input", Tag::Input}, {"ins", Tag::Ins}, {"kbd", Tag::Kbd}, {"label", Tag::Label},
    {"legend", Tag::Legend}, {"li", Tag::Li}, {"link", Tag::Link}, {"listing", Tag::Listing},
    {"main", Tag::Main}, {"map", Tag::Map}, {"mark", Tag::Mark}, {"marquee", Tag::Marquee},
    {"menu", Tag::Menu}, {"meta", Tag::Meta}, {"nav", Tag::Nav}, {"nobr", Tag::Nobr},
    {"noembed", Tag::Noembed}, {"noframes", Tag::Noframes}, {"noscript", Tag::Noscript},
    {"object", Tag::Object}, {"ol", Tag::Ol}, {"optgroup", Tag::Optgroup}, {"option", Tag::Option},
    {"p", Tag::P}, {"param", Tag::Param}, {"plaintext", Tag::Plaintext}, {"pre", Tag::Pre}, {"q", Tag::Q},
    {"s", Tag::S}, {"samp", Tag::Samp}, {"script", Tag::Script}, {"section", Tag::Section},
    {"select", Tag::Select}, {"small", Tag::Small}, {"source", Tag::Source}, {"span", Tag::Span},
    {"strike", Tag::Strike}, {"strong", Tag::Strong}, {"style", Tag::Style}, {"sub", Tag::Sub},
    {"sup", Tag::Sup}, {"table", Tag::Table}, {"tbody", Tag::Tbody}, {"td", Tag::Td},
    {"template", Tag::Template}, {"textarea", Tag::Textarea}, {"tfoot", Tag::Tfoot}, {"th", Tag::Th},
    {"thead", Tag::Thead}, {"title", Tag::Title}, {"tr", Tag::Tr}, {"track", Tag::Track}, {"tt", Tag::Tt},
    {"u", Tag::U}, {"ul", Tag::Ul}, {"var", Tag::Var}, {"wbr", Tag::Wbr}, {"xmp", Tag::Xmp},
};

enum Flag : uint16_t {
  kVoid = 1,
  kClosesP = 2,      // a start tag that ends an open <p>
  kFormatting = 4,   // reopened after misnesting
  kSpecial = 8,      // a block-level boundary for end tags of inline elements
  kBoundary = 16,    // the default scope ends here
  kRawText = 32,     // text read as written until the end tag
  kRcData = 64,      // the same, with character references
  kHeadContent = 128,
  kTableContext = 256,  // text and elements met directly inside go before the table
};

constexpr uint16_t Flags(Tag t) {
  switch (t) {
    case Tag::Area: case Tag::Embed: case Tag::Img: case Tag::Input: case Tag::Wbr: case Tag::Param:
    case Tag::Source: case Tag::Track: case Tag::Col: case Tag::Frame:
      return kVoid | kSpecial;
    case Tag::Br: return kVoid | kSpecial;
    case Tag::Hr: return kVoid | kSpecial | kClosesP;
    case Tag::Base: case Tag::Basefont: case Tag::Link: case Tag::Meta: return kVoid | kSpecial | kHeadContent;
    case Tag::Title: return kSpecial | kRcData | kHeadContent;
    case Tag::Style: case Tag::Script: return kSpecial | kRawText | kHeadContent;
    case Tag::Noframes: return kSpecial | kRawText | kHeadContent;
    case Tag::Textarea: return kSpecial | kRcData;
    case Tag::Xmp: return kSpecial | kRawText | kClosesP;
    case Tag::Iframe: case Tag::Noembed: return kSpecial | kRawText;
    case Tag::Plaintext: return kSpecial | kClosesP;
    case Tag::A: case Tag::B: case Tag::Big: case Tag::Code: case Tag::Em: case Tag::Font: case Tag::I:
    case Tag::Nobr: case Tag::S: case Tag::Small: case Tag::Strike: case Tag::Strong: case Tag::Tt: case Tag::U:
      return kFormatting;
    case Tag::Address: case Tag::Article: case Tag::Aside: case Tag::Blockquote: case Tag::Center:
    case Tag::Dir: case Tag::Div: case Tag::Dl: case Tag::Fieldset: case Tag::Figcaption: case Tag::Figure:
    case Tag::Footer: case Tag::Header: case Tag::Main: case Tag::Menu: case Tag::Nav: case Tag::Ol: case Tag::P:
    case Tag::Section: case Tag::Ul: case Tag::H1: case Tag::H2: case Tag::H3: case Tag::H4: case Tag::H5:
    case Tag::H6: case Tag::Pre: case Tag::Listing: case Tag::Form: case Tag::Li: case Tag::Dd: case Tag::Dt:
      return kSpecial | kClosesP;
    case Tag::Applet: case Tag::Marquee: case Tag::Object: case Tag::Caption: case Tag::Td: case Tag::Th:
    case Tag::Template:
      return kSpecial | kBoundary;
    case Tag::Html: return kSpecial | kBoundary;
    case Tag::Table: return kSpecial | kBoundary | kTableContext;
    case Tag::Tbody: case Tag::Thead: case Tag::Tfoot: case Tag::Tr: return kSpecial | kTableContext;
    case Tag::Body: case Tag::Button: case Tag::Colgroup: case Tag::Frameset: case Tag::Head:
    case Tag::Noscript: case Tag::Select:
      return kSpecial;
    default: return 0;
  }
}

constexpr bool Has(Tag t, uint16_t flag) { return (Flags(t) & flag) != 0; }

bool IsHeading(Tag t) { return t >= Tag::H1 && t <= Tag::H6; }
bool IsSection(Tag t) { return t == Tag::Tbody || t == Tag::Thead || t == Tag::Tfoot; }
bool IsCell(Tag t) { return t == Tag::Td || t == Tag::Th; }

bool IsBlank(wchar_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsAsciiAlpha(wchar_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
wchar_t Lower(wchar_t c) { return c >= 'A' && c <= 'Z' ? static_cast<wchar_t>(c + 32) : c; }

bool AllBlank(std::wstring_view s) {
  for (wchar_t c : s)
    if (!IsBlank(c)) return false;
  return true;
}

// What the tree builder is given by the tokenizer.
struct StartTag {
  Tag tag;
  uint32_t attrBegin, attrCount;
};

class TreeBuilder {
 public:
  explicit TreeBuilder(Document& d, size_t inputLength) : d_(d), nodeBudget_(inputLength / 2 + 4096) {
    d_.nodes.push_back(Node{Tag::Html});
    d_.head = NewElement(Tag::Head, 0, 0);
    Append(0, d_.head);
    stack_ = {0, d_.head};
  }

  // Where the tokenizer must read raw text after this start tag (Text: nowhere).
  void Start(const StartTag& t);
  void End(Tag tag);
  // Text already in the pool at [begin, begin + length).
  void Characters(uint32_t begin, uint32_t length);
  void Doctype(std::wstring_view text);
  void Finish();

 private:
  uint32_t NewElement(Tag tag, uint32_t attrBegin, uint32_t attrCount) {
    Node n{tag};
    n.begin = attrBegin;
    n.count = attrCount;
    d_.nodes.push_back(n);
    return static_cast<uint32_t>(d_.nodes.size() - 1);
  }
  void Append(uint32_t parent, uint32_t child) {
    Node& c = d_.nodes[child];
    c.parent = parent;
    Node& p = d_.nodes[parent];
    if (p.lastChild == kNoNode) p.firstChild = child;
    else d_.nodes[p.lastChild].nextSibling = child;
    p.lastChild = child;
  }
  void InsertBefore(uint32_t parent, uint32_t child, uint32_t before) {
    Node& p = d_.nodes[parent];
    d_.nodes[child].parent = parent;
    if (p.firstChild == before) {
      d_.nodes[child].nextSibling = before;
      p.firstChild = child;
      return;
    }
    for (uint32_t at = p.firstChild; at != kNoNode; at = d_.nodes[at].nextSibling)
      if (d_.nodes[at].nextSibling == before) {
        d_.nodes[child].nextSibling = before;
        d_.nodes[at].nextSibling = child;
        return;
      }
    Append(parent, child);
  }
  Tag TagAt(size_t i) const { return d_.nodes[stack_[i]].tag; }
  uint32_t Current() const { return stack_.back(); }
  Tag CurrentTag() const { return d_.nodes[stack_.back()].tag; }

  // Inserts an element at the current place (or before the table when the current node
  // is a table's own structure); pushes it unless it is void or the tree is at its depth.
  uint32_t Insert(const StartTag& t, bool push) {
    const uint32_t node = NewElement(t.tag, t.attrBegin, t.attrCount);
    if (IsFormControl(t.tag)) d_.nodes[node].form = form_;
    if (Has(CurrentTag(), kTableContext) && !IsTablePart(t.tag)) Foster(node);
    else Append(Current(), node);
    if (push && stack_.size() < kMaxDepth) stack_.push_back(node);
    return node;
  }
  static bool IsFormControl(Tag t) {
    return t == Tag::Input || t == Tag::Select || t == Tag::Textarea || t == Tag::Button;
  }
  static bool IsTablePart(Tag t) {
    return t == Tag::Caption || t == Tag::Colgroup || t == Tag::Col || IsSection(t) || t == Tag::Tr || IsCell(t) ||
           t == Tag::Script || t == Tag::Style || t == Tag::Template;
  }
  // Puts a node met inside a table's structure before that table.
  void Foster(uint32_t node) {
    for (size_t i = stack_.size(); i-- > 0;) {
      if (TagAt(i) == Tag::Table) {
        const uint32_t table = stack_[i];
        const uint32_t parent = d_.nodes[table].parent;
        if (parent != kNoNode) InsertBefore(parent, node, table);
        else Append(stack_[i - 1], node);
        return;
      }
    }
    Append(Current(), node);
  }

  void EnsureBody() {
    if (d_.body != kNoNode || d_.frameset != kNoNode) return;
    while (stack_.size() > 1) stack_.pop_back();
    d_.body = NewElement(Tag::Body, 0, 0);
    Append(0, d_.body);
    stack_.push_back(d_.body);
  }
  bool InHead() const { return d_.body == kNoNode && d_.frameset == kNoNode; }

  // Scopes: true when an element of the tag is open before a boundary of the scope.
  enum class Scope { Default, Button, ListItem, Table, Select };
  bool InScope(Tag tag, Scope scope) const {
    for (size_t i = stack_.size(); i-- > 0;) {
      const Tag t = TagAt(i);
      if (t == tag) return true;
      if (scope == Scope::Table) {
        if (t == Tag::Table || t == Tag::Html || t == Tag::Template) return false;
        continue;
      }
      if (scope == Scope::Select) {
        if (t != Tag::Optgroup && t != Tag::Option) return false;
        continue;
      }
      if (Has(t, kBoundary)) return false;
      if (scope == Scope::Button && t == Tag::Button) return false;
      if (scope == Scope::ListItem && (t == Tag::Ol || t == Tag::Ul)) return false;
    }
    return false;
  }
  bool HeadingInScope() const {
    for (size_t i = stack_.size(); i-- > 0;) {
      const Tag t = TagAt(i);
      if (IsHeading(t)) return true;
      if (Has(t, kBoundary)) return false;
    }
    return false;
  }
  // Pops elements until one of the tag has been popped.
  void PopThrough(Tag tag) {
    while (stack_.size() > 1) {
      const Tag t = CurrentTag();
      stack_.pop_back();
      if (t == tag) break;
    }
  }
  void PopThroughHeading() {
    while (stack_.size() > 1) {
      const Tag t = CurrentTag();
      stack_.pop_back();
      if (IsHeading(t)) break;
    }
  }
  void PopThroughNode(uint32_t node) {
    while (stack_.size() > 1) {
      const uint32_t n = stack_.back();
      stack_.pop_back();
      if (n == node) break;
    }
  }
  bool OnStack(uint32_t node) const { return std::find(stack_.begin(), stack_.end(), node) != stack_.end(); }
  void CloseP() {
    if (InScope(Tag::P, Scope::Button)) PopThrough(Tag::P);
  }
  // The index on the stack of the innermost open table, or -1.
  int TableIndex() const {
    for (size_t i = stack_.size(); i-- > 0;)
      if (TagAt(i) == Tag::Table) return static_cast<int>(i);
    return -1;
  }
  bool InSelect() const {
    for (size_t i = stack_.size(); i-- > 0;) {
      const Tag t = TagAt(i);
      if (t == Tag::Select) return true;
      if (t != Tag::Option && t != Tag::Optgroup) return false;
    }
    return false;
  }

  // The list of open formatting elements, reopened when content follows their misnested end.
  struct Formatting {
    uint32_t node;  // kNoNode: a marker (a cell, caption or object started)
    Tag tag;
    uint32_t attrBegin, attrCount;
  };
  void PushMarker() { active_.push_back({kNoNode, Tag::Text, 0, 0}); }
  void ClearToMarker() {
    while (!active_.empty()) {
      const bool marker = active_.back().node == kNoNode;
      active_.pop_back();
      if (marker) break;
    }
  }
  size_t AfterLastMarker() const {
    for (size_t i = active_.size(); i-- > 0;)
      if (active_[i].node == kNoNode) return i + 1;
    return 0;
  }
  int FindActive(Tag tag) const {
    const size_t from = AfterLastMarker();
    for (size_t i = active_.size(); i-- > from;)
      if (active_[i].tag == tag) return static_cast<int>(i);
    return -1;
  }
  void PushFormatting(uint32_t node, const StartTag& t) {
    // At most three of a kind, and a short list overall, so reopening stays cheap.
    const size_t from = AfterLastMarker();
    int same = 0;
    size_t oldest = active_.size();
    for (size_t i = from; i < active_.size(); ++i)
      if (active_[i].tag == t.tag) {
        if (same++ == 0) oldest = i;
      }
    if (same >= 3) active_.erase(active_.begin() + static_cast<ptrdiff_t>(oldest));
    if (active_.size() - from >= 12) active_.erase(active_.begin() + static_cast<ptrdiff_t>(from));
    active_.push_back({node, t.tag, t.attrBegin, t.attrCount});
  }
  void Reconstruct() {
    const size_t from = AfterLastMarker();
    for (size_t i = from; i < active_.size(); ++i) {
      Formatting& f = active_[i];
      if (OnStack(f.node)) continue;
      if (d_.nodes.size() > nodeBudget_ || stack_.size() >= kMaxDepth) return;
      f.node = Insert({f.tag, f.attrBegin, f.attrCount}, true);
    }
  }
  void RemoveActive(int index) { active_.erase(active_.begin() + index); }

  void StartInFrameset(const StartTag& t);
  void StartTableStructure(const StartTag& t);
  void EndFormatting(Tag tag);
  void EndGeneric(Tag tag);

  Document& d_;
  std::vector<uint32_t> stack_;
  std::vector<Formatting> active_;
  uint32_t form_ = kNoNode;
  size_t nodeBudget_;
  bool framesetClosed_ = false;
  bool skipNewline_ = false;

  friend class Tokenizer;
};

void TreeBuilder::Doctype(std::wstring_view text) {
  std::wstring lower;
  for (wchar_t c : text) lower += Lower(c);
  if (lower.find(L"html") == std::wstring::npos) return;
  const bool hasSystemId = lower.find(L"http://") != std::wstring::npos || lower.find(L"https://") != std::wstring::npos;
  const bool legacy = lower.find(L"html 3") != std::wstring::npos || lower.find(L"html 2") != std::wstring::npos;
  const bool transitional = lower.find(L"transitional") != std::wstring::npos || lower.find(L"frameset") != std::wstring::npos;
  d_.quirks = legacy || (transitional && !hasSystemId);
}

void TreeBuilder::StartInFrameset(const StartTag& t) {
  if (t.tag == Tag::Frameset) {
    if (framesetClosed_) return;
    Insert(t, true);
  } else if (t.tag == Tag::Frame) {
    if (!framesetClosed_) Insert(t, false);
  } else if (t.tag == Tag::Noframes) {
    Insert(t, true);
  }
}

void TreeBuilder::StartTableStructure(const StartTag& t) {
  const int table = TableIndex();
  if (table < 0) return;  // no table to belong to: dropped, as browsers do
  const auto closeCell = [&] {
    for (size_t i = stack_.size(); i-- > static_cast<size_t>(table);) {
      if (IsCell(TagAt(i)) || TagAt(i) == Tag::Caption) {
        while (stack_.size() > i) stack_.pop_back();
        ClearToMarker();
        return;
      }
    }
  };
  const auto popTo = [&](auto accept) {
    while (stack_.size() > static_cast<size_t>(table) + 1 && !accept(CurrentTag())) stack_.pop_back();
  };
  switch (t.tag) {
    case Tag::Caption:
    case Tag::Colgroup:
      closeCell();
      popTo([](Tag x) { return x == Tag::Table; });
      Insert(t, true);
      if (t.tag == Tag::Caption) PushMarker();
      break;
    case Tag::Col:
      closeCell();
      popTo([](Tag x) { return x == Tag::Table || x == Tag::Colgroup; });
      Insert(t, false);
      break;
    case Tag::Tbody:
    case Tag::Thead:
    case Tag::Tfoot:
      closeCell();
      popTo([](Tag x) { return x == Tag::Table; });
      Insert(t, true);
      break;
    case Tag::Tr:
      closeCell();
      popTo([](Tag x) { return x == Tag::Table || IsSection(x); });
      Insert(t, true);
      break;
    case Tag::Td:
    case Tag::Th:
      closeCell();
      popTo([](Tag x) { return x == Tag::Table || IsSection(x) || x == Tag::Tr; });
      if (CurrentTag() != Tag::Tr) Insert({Tag::Tr, 0, 0}, true);
      Insert(t, true);
      PushMarker();
      break;
    default: break;
  }
}

void TreeBuilder::Start(const StartTag& t) {
  const Tag tag = t.tag;
  if (tag == Tag::Html) return;
  if (tag == Tag::Head) return;
  if (d_.frameset != kNoNode) {
    StartInFrameset(t);
    return;
  }
  if (tag == Tag::Body) {
    EnsureBody();
    if (d_.body != kNoNode && d_.nodes[d_.body].count == 0) {
      // The first <body> gives the body its attributes, also when text opened it before.
      d_.nodes[d_.body].begin = t.attrBegin;
      d_.nodes[d_.body].count = t.attrCount;
    }
    return;
  }
  if (tag == Tag::Frameset) {
    if (d_.body != kNoNode) return;  // content came first: the page is a page, not a frame set
    while (stack_.size() > 1) stack_.pop_back();
    d_.frameset = Insert(t, true);
    return;
  }
  if (InHead() && Has(tag, kHeadContent)) {
    Insert(t, !Has(tag, kVoid));
    return;
  }
  EnsureBody();

  if (InSelect()) {
    switch (tag) {
      case Tag::Option:
        if (CurrentTag() == Tag::Option) stack_.pop_back();
        Insert(t, true);
        return;
      case Tag::Optgroup:
        if (CurrentTag() == Tag::Option) stack_.pop_back();
        if (CurrentTag() == Tag::Optgroup) stack_.pop_back();
        Insert(t, true);
        return;
      case Tag::Select: PopThrough(Tag::Select); return;
      case Tag::Input:
      case Tag::Textarea: PopThrough(Tag::Select); break;  // ends the list, then taken as usual
      case Tag::Script:
      case Tag::Style: Insert(t, true); return;
      default: return;  // nothing else belongs in a list
    }
  }

  if (Has(tag, kHeadContent)) {
    Insert(t, !Has(tag, kVoid));
    return;
  }
  switch (tag) {
    case Tag::Caption: case Tag::Col: case Tag::Colgroup: case Tag::Tbody: case Tag::Thead: case Tag::Tfoot:
    case Tag::Tr: case Tag::Td: case Tag::Th:
      StartTableStructure(t);
      return;
    case Tag::Frame: return;
    case Tag::Table:
      if (Has(CurrentTag(), kTableContext)) PopThrough(Tag::Table);  // a table directly in a table ends it
      if (!d_.quirks) CloseP();
      Insert(t, true);
      return;
    case Tag::Li:
    case Tag::Dd:
    case Tag::Dt: {
      for (size_t i = stack_.size(); i-- > 1;) {
        const Tag open = TagAt(i);
        const bool same = tag == Tag::Li ? open == Tag::Li : (open == Tag::Dd || open == Tag::Dt);
        if (same) {
          PopThrough(open);
          break;
        }
        if (Has(open, kSpecial) && open != Tag::Address && open != Tag::Div && open != Tag::P) break;
      }
      CloseP();
      Insert(t, true);
      return;
    }
    case Tag::H1: case Tag::H2: case Tag::H3: case Tag::H4: case Tag::H5: case Tag::H6:
      CloseP();
      if (IsHeading(CurrentTag())) stack_.pop_back();
      Insert(t, true);
      return;
    case Tag::Pre:
    case Tag::Listing:
      CloseP();
      Insert(t, true);
      skipNewline_ = true;
      return;
    case Tag::Form:
      if (form_ != kNoNode) return;  // forms do not nest
      CloseP();
      if (Has(CurrentTag(), kTableContext)) {
        // A form written between a table's rows holds the controls of the cells after it.
        const uint32_t node = NewElement(Tag::Form, t.attrBegin, t.attrCount);
        Append(Current(), node);
        form_ = node;
        return;
      }
      form_ = Insert(t, true);
      return;
    case Tag::A: {
      const int open = FindActive(Tag::A);
      if (open >= 0) {
        EndFormatting(Tag::A);
        const int still = FindActive(Tag::A);
        if (still >= 0) RemoveActive(still);
      }
      Reconstruct();
      PushFormatting(Insert(t, true), t);
      return;
    }
    case Tag::Nobr:
      Reconstruct();
      if (InScope(Tag::Nobr, Scope::Default)) {
        EndFormatting(Tag::Nobr);
        Reconstruct();
      }
      PushFormatting(Insert(t, true), t);
      return;
    case Tag::Button:
      if (InScope(Tag::Button, Scope::Default)) PopThrough(Tag::Button);
      Reconstruct();
      Insert(t, true);
      return;
    case Tag::Applet:
    case Tag::Marquee:
    case Tag::Object:
      Reconstruct();
      Insert(t, true);
      PushMarker();
      return;
    case Tag::Textarea:
      Insert(t, true);
      skipNewline_ = true;
      return;
    case Tag::Select:
      Reconstruct();
      Insert(t, true);
      return;
    case Tag::Option:
    case Tag::Optgroup:
      if (CurrentTag() == Tag::Option) stack_.pop_back();
      Reconstruct();
      Insert(t, true);
      return;
    case Tag::Iframe:
    case Tag::Noembed:
      Insert(t, true);
      return;
    default: break;
  }
  if (Has(tag, kClosesP)) {
    CloseP();
    if (tag == Tag::Xmp) Reconstruct();
    Insert(t, !Has(tag, kVoid));
    return;
  }
  Reconstruct();
  const uint32_t node = Insert(t, !Has(tag, kVoid));
  if (Has(tag, kFormatting)) PushFormatting(node, t);
}

void TreeBuilder::EndFormatting(Tag tag) {
  const int index = FindActive(tag);
  if (index < 0) {
    EndGeneric(tag);
    return;
  }
  const uint32_t node = active_[static_cast<size_t>(index)].node;
  if (!OnStack(node)) {
    RemoveActive(index);
    return;
  }
  if (!InScope(tag, Scope::Default)) return;
  // Closing it also closes what was opened inside; formatting among those is reopened
  // when content follows.
  PopThroughNode(node);
  RemoveActive(index);
}

void TreeBuilder::EndGeneric(Tag tag) {
  if (Has(tag, kSpecial)) {
    if (InScope(tag, Scope::Default)) PopThrough(tag);
    return;
  }
  for (size_t i = stack_.size(); i-- > 1;) {
    const Tag open = TagAt(i);
    if (open == tag) {
      while (stack_.size() > i) stack_.pop_back();
      return;
    }
    if (Has(open, kSpecial)) return;
  }
}

void TreeBuilder::End(Tag tag) {
  if (d_.frameset != kNoNode) {
    if (tag == Tag::Frameset && CurrentTag() == Tag::Frameset) {
      stack_.pop_back();
      if (CurrentTag() != Tag::Frameset) framesetClosed_ = true;
    } else if (tag == Tag::Noframes && CurrentTag() == Tag::Noframes) {
      stack_.pop_back();
    }
    return;
  }
  switch (tag) {
    case Tag::Html: case Tag::Body: case Tag::Head: return;
    case Tag::Br:
      EnsureBody();
      Start({Tag::Br, 0, 0});
      return;
    case Tag::P:
      if (InScope(Tag::P, Scope::Button)) PopThrough(Tag::P);
      return;
    case Tag::Li:
      if (InScope(Tag::Li, Scope::ListItem)) PopThrough(Tag::Li);
      return;
    case Tag::Dd:
    case Tag::Dt:
      if (InScope(tag, Scope::Default)) PopThrough(tag);
      return;
    case Tag::H1: case Tag::H2: case Tag::H3: case Tag::H4: case Tag::H5: case Tag::H6:
      if (HeadingInScope()) PopThroughHeading();
      return;
    case Tag::Form: {
      const uint32_t node = std::exchange(form_, kNoNode);
      if (node != kNoNode && OnStack(node) && InScope(Tag::Form, Scope::Default)) PopThroughNode(node);
      return;
    }
    case Tag::Applet: case Tag::Marquee: case Tag::Object:
      if (InScope(tag, Scope::Default)) {
        PopThrough(tag);
        ClearToMarker();
      }
      return;
    case Tag::Table:
      if (InScope(Tag::Table, Scope::Table)) PopThrough(Tag::Table);
      return;
    case Tag::Td: case Tag::Th: case Tag::Caption:
      if (InScope(tag, Scope::Table)) {
        PopThrough(tag);
        ClearToMarker();
      }
      return;
    case Tag::Tr: case Tag::Tbody: case Tag::Thead: case Tag::Tfoot: case Tag::Colgroup:
      if (InScope(tag, Scope::Table)) {
        for (size_t i = stack_.size(); i-- > 1 && TagAt(i) != tag;)
          if (IsCell(TagAt(i))) ClearToMarker();
        PopThrough(tag);
      }
      return;
    case Tag::Select:
      if (InScope(Tag::Select, Scope::Select) || InSelect()) PopThrough(Tag::Select);
      return;
    case Tag::Option:
    case Tag::Optgroup:
      if (CurrentTag() == Tag::Option) stack_.pop_back();
      if (tag == Tag::Optgroup && CurrentTag() == Tag::Optgroup) stack_.pop_back();
      return;
    default: break;
  }
  if (Has(tag, kRawText) || Has(tag, kRcData)) {
    if (CurrentTag() == tag) stack_.pop_back();
    return;
  }
  if (Has(tag, kFormatting)) {
    EndFormatting(tag);
    return;
  }
  if (tag == Tag::Unknown) {
    // Names it does not know end the innermost unknown element, if it is open inline.
    for (size_t i = stack_.size(); i-- > 1;) {
      if (TagAt(i) == Tag::Unknown) {
        while (stack_.size() > i) stack_.pop_back();
        return;
      }
      if (Has(TagAt(i), kSpecial)) return;
    }
    return;
  }
  EndGeneric(tag);
}

void TreeBuilder::Characters(uint32_t begin, uint32_t length) {
  std::wstring_view text = std::wstring_view(d_.pool).substr(begin, length);
  if (skipNewline_) {
    skipNewline_ = false;
    if (!text.empty() && text.front() == '\n') {
      text.remove_prefix(1);
      ++begin;
      --length;
    }
  }
  if (length == 0) return;
  const Tag current = CurrentTag();
  const bool raw = Has(current, kRawText) || Has(current, kRcData);
  if (!raw) {
    if (d_.frameset != kNoNode) return;
    if (InHead() || current == Tag::Html) {
      // Blanks before the body are not content; other text starts the body.
      size_t skip = 0;
      while (skip < text.size() && IsBlank(text[skip])) ++skip;
      if (skip == text.size()) return;
      begin += static_cast<uint32_t>(skip);
      length -= static_cast<uint32_t>(skip);
      text.remove_prefix(skip);
      EnsureBody();
    }
  }
  const uint32_t parentNow = Current();
  if (!raw && Has(CurrentTag(), kTableContext)) {
    if (AllBlank(text)) return;
    const uint32_t node = static_cast<uint32_t>(d_.nodes.size());
    d_.nodes.push_back(Node{Tag::Text, kNoNode, kNoNode, kNoNode, kNoNode, begin, length});
    Foster(node);
    return;
  }
  if (!raw && !InSelect()) Reconstruct();
  const uint32_t parent = raw ? parentNow : Current();
  // Text right after text of the same parent joins it when it continues in the pool.
  const uint32_t last = d_.nodes[parent].lastChild;
  if (last != kNoNode && d_.nodes[last].tag == Tag::Text && d_.nodes[last].begin + d_.nodes[last].count == begin) {
    d_.nodes[last].count += length;
    return;
  }
  const uint32_t node = static_cast<uint32_t>(d_.nodes.size());
  d_.nodes.push_back(Node{Tag::Text, kNoNode, kNoNode, kNoNode, kNoNode, begin, length});
  Append(parent, node);
}

void TreeBuilder::Finish() {
  if (d_.body == kNoNode && d_.frameset == kNoNode) EnsureBody();
}

// Reads the text: markup to the tree builder, text and attribute values into the pool.
class Tokenizer {
 public:
  Tokenizer(std::wstring_view text, Document& d) : s_(text), d_(d), builder_(d, text.size()) {}

  void Run() {
    while (at_ < s_.size()) {
      const size_t lt = s_.find(L'<', at_);
      const size_t stop = lt == std::wstring_view::npos ? s_.size() : lt;
      if (stop > at_) EmitText(at_, stop);
      at_ = stop;
      if (at_ >= s_.size()) break;
      if (!Markup()) {
        // A "<" that starts nothing is text.
        EmitText(at_, at_ + 1);
        ++at_;
      }
    }
    builder_.Finish();
  }

 private:
  // Text of s_[from, to): character references decoded, CR LF and CR read as LF, NUL dropped.
  void EmitText(size_t from, size_t to) { AppendText(from, to, false, true); }

  uint32_t AppendText(size_t from, size_t to, bool inAttribute, bool emit) {
    const size_t begin = d_.pool.size();
    size_t i = from;
    while (i < to) {
      size_t j = i;
      while (j < to && s_[j] != '&' && s_[j] != '\r' && s_[j] != 0) ++j;
      d_.pool.append(s_.data() + i, j - i);
      if (j >= to) break;
      const wchar_t c = s_[j];
      if (c == '\r') {
        d_.pool.push_back('\n');
        j += (j + 1 < to && s_[j + 1] == '\n') ? 2 : 1;
      } else if (c == 0) {
        ++j;
      } else {
        char32_t cp;
        const size_t taken = MatchCharacterReference(s_.substr(j + 1, to - j - 1), inAttribute, cp);
        if (taken) {
          AppendCodePoint(d_.pool, cp);
          j += 1 + taken;
        } else {
          d_.pool.push_back('&');
          ++j;
        }
      }
      i = j;
    }
    const uint32_t length = static_cast<uint32_t>(d_.pool.size() - begin);
    if (emit && length) builder_.Characters(static_cast<uint32_t>(begin), length);
    return length;
  }

  // Text read as written up to "</name" (raw text), or to the end.
  void RawText(Tag tag, std::wstring_view name, bool references) {
    size_t end = at_;
    for (;;) {
      end = s_.find(L"</", end);
      if (end == std::wstring_view::npos) {
        end = s_.size();
        break;
      }
      size_t k = 0;
      while (k < name.size() && end + 2 + k < s_.size() && Lower(s_[end + 2 + k]) == name[k]) ++k;
      const size_t after = end + 2 + k;
      if (k == name.size() && (after >= s_.size() || IsBlank(s_[after]) || s_[after] == '/' || s_[after] == '>')) break;
      end += 2;
    }
    if (end > at_) {
      if (references) {
        AppendText(at_, end, false, true);
      } else {
        const size_t begin = d_.pool.size();
        for (size_t i = at_; i < end; ++i) {
          const wchar_t c = s_[i];
          if (c == '\r') {
            d_.pool.push_back('\n');
            if (i + 1 < end && s_[i + 1] == '\n') ++i;
          } else if (c != 0) {
            d_.pool.push_back(c);
          }
        }
        if (d_.pool.size() > begin)
          builder_.Characters(static_cast<uint32_t>(begin), static_cast<uint32_t>(d_.pool.size() - begin));
      }
    }
    at_ = end;
    if (at_ < s_.size()) {
      const size_t close = s_.find(L'>', at_);
      at_ = close == std::wstring_view::npos ? s_.size() : close + 1;
    }
    builder_.End(tag);
  }

  // At a "<": reads a tag, comment or declaration; false when it is none (plain text).
  bool Markup() {
    const size_t n = s_.size();
    if (at_ + 1 >= n) return false;
    const wchar_t c = s_[at_ + 1];
    if (c == '!') {
      if (s_.compare(at_, 4, L"<!--") == 0) {
        size_t from = at_ + 4;
        // "<!-->" and "<!--->" end at once.
        if (from < n && s_[from] == '>') {
          at_ = from + 1;
          return true;
        }
        if (from + 1 < n && s_[from] == '-' && s_[from + 1] == '>') {
          at_ = from + 2;
          return true;
        }
        for (;;) {
          const size_t end = s_.find(L"--", from);
          if (end == std::wstring_view::npos) {
            at_ = n;
            return true;
          }
          if (end + 2 < n && s_[end + 2] == '>') {
            at_ = end + 3;
            return true;
          }
          if (end + 3 < n && s_[end + 2] == '!' && s_[end + 3] == '>') {
            at_ = end + 4;
            return true;
          }
          from = end + 1;
        }
      }
      const size_t end = s_.find(L'>', at_);
      const size_t stop = end == std::wstring_view::npos ? n : end;
      const std::wstring_view decl = s_.substr(at_ + 2, stop - at_ - 2);
      if (decl.size() >= 7) {
        std::wstring head;
        for (size_t i = 0; i < 7; ++i) head += Lower(decl[i]);
        if (head == L"doctype") builder_.Doctype(decl.substr(7));
      }
      at_ = end == std::wstring_view::npos ? n : end + 1;
      return true;
    }
    if (c == '?') {
      const size_t end = s_.find(L'>', at_);
      at_ = end == std::wstring_view::npos ? n : end + 1;
      return true;
    }
    if (c == '/') {
      if (at_ + 2 >= n) return false;
      if (s_[at_ + 2] == '>') {
        at_ += 3;
        return true;
      }
      if (!IsAsciiAlpha(s_[at_ + 2])) {
        // "</ ..." and the like: a comment to the next ">".
        const size_t end = s_.find(L'>', at_);
        at_ = end == std::wstring_view::npos ? n : end + 1;
        return true;
      }
      size_t i = at_ + 2;
      name_.clear();
      while (i < n && !IsBlank(s_[i]) && s_[i] != '/' && s_[i] != '>') name_ += Lower(s_[i++]);
      const size_t end = s_.find(L'>', i);
      if (end == std::wstring_view::npos) {
        at_ = n;  // an end tag cut by the end of the file is dropped
        return true;
      }
      at_ = end + 1;
      builder_.End(TagFromName(name_));
      return true;
    }
    if (!IsAsciiAlpha(c)) return false;
    return StartTagToken();
  }

  bool StartTagToken() {
    const size_t n = s_.size();
    size_t i = at_ + 1;
    name_.clear();
    while (i < n && !IsBlank(s_[i]) && s_[i] != '/' && s_[i] != '>') name_ += Lower(s_[i++]);
    const Tag tag = TagFromName(name_);
    const uint32_t attrBegin = static_cast<uint32_t>(d_.attributes.size());
    for (;;) {
      while (i < n && (IsBlank(s_[i]) || s_[i] == '/')) ++i;
      if (i >= n) {
        // A tag cut by the end of the file is dropped.
        d_.attributes.resize(attrBegin);
        at_ = n;
        return true;
      }
      if (s_[i] == '>') {
        ++i;
        break;
      }
      const size_t nameStart = d_.pool.size();
      // The first character may be "=" (it is then part of the name).
      do {
        d_.pool.push_back(Lower(s_[i]));
        ++i;
      } while (i < n && !IsBlank(s_[i]) && s_[i] != '/' && s_[i] != '>' && s_[i] != '=');
      const uint32_t nameLength = static_cast<uint32_t>(d_.pool.size() - nameStart);
      size_t j = i;
      while (j < n && IsBlank(s_[j])) ++j;
      uint32_t valueStart = static_cast<uint32_t>(d_.pool.size()), valueLength = 0;
      if (j < n && s_[j] == '=') {
        ++j;
        while (j < n && IsBlank(s_[j])) ++j;
        if (j < n && (s_[j] == '"' || s_[j] == '\'')) {
          const wchar_t quote = s_[j];
          const size_t close = s_.find(quote, j + 1);
          const size_t stop = close == std::wstring_view::npos ? n : close;
          valueStart = static_cast<uint32_t>(d_.pool.size());
          valueLength = AppendText(j + 1, stop, true, false);
          i = close == std::wstring_view::npos ? n : close + 1;
        } else {
          size_t stop = j;
          while (stop < n && !IsBlank(s_[stop]) && s_[stop] != '>') ++stop;
          valueStart = static_cast<uint32_t>(d_.pool.size());
          valueLength = AppendText(j, stop, true, false);
          i = stop;
        }
      }
      // The first of two attributes of the same name counts.
      bool duplicate = false;
      const std::wstring_view newName = std::wstring_view(d_.pool).substr(nameStart, nameLength);
      for (uint32_t k = attrBegin; k < d_.attributes.size() && !duplicate; ++k)
        duplicate = std::wstring_view(d_.pool).substr(d_.attributes[k].name, d_.attributes[k].nameLength) == newName;
      if (!duplicate)
        d_.attributes.push_back({static_cast<uint32_t>(nameStart), nameLength, valueStart, valueLength});
    }
    at_ = i;
    const uint32_t attrCount = static_cast<uint32_t>(d_.attributes.size() - attrBegin);
    builder_.Start({tag, attrBegin, attrCount});
    if (tag == Tag::Plaintext) {
      EmitText(at_, n);
      at_ = n;
    } else if (Has(tag, kRawText) || Has(tag, kRcData)) {
      RawText(tag, name_, Has(tag, kRcData));
    }
    return true;
  }

  std::wstring_view s_;
  Document& d_;
  TreeBuilder builder_;
  size_t at_ = 0;
  std::wstring name_;
};

}  // namespace

Tag TagFromName(std::wstring_view lowerName) {
  if (lowerName.empty() || lowerName.size() > 10) return Tag::Unknown;
  char name[11];
  for (size_t i = 0; i < lowerName.size(); ++i) {
    const wchar_t c = lowerName[i];
    if (c > 127) return Tag::Unknown;
    name[i] = static_cast<char>(c);
  }
  name[lowerName.size()] = '\0';
  const TagName* end = std::end(kTagNames);
  const TagName* it = std::lower_bound(std::begin(kTagNames), end, name,
                                       [](const TagName& t, const char* n) { return std::strcmp(t.name, n) < 0; });
  return it != end && std::strcmp(it->name, name) == 0 ? it->tag : Tag::Unknown;
}

std::optional<std::wstring_view> Document::Attr(uint32_t node, std::wstring_view name) const {
  const Node& n = nodes[node];
  if (n.tag == Tag::Text) return std::nullopt;
  const std::wstring_view all(pool);
  for (uint32_t i = n.begin; i < n.begin + n.count; ++i) {
    const Attribute& a = attributes[i];
    if (all.substr(a.name, a.nameLength) == name) return all.substr(a.value, a.valueLength);
  }
  return std::nullopt;
}

std::wstring Document::TextContent(uint32_t node) const {
  std::wstring out;
  if (nodes[node].tag == Tag::Text) return std::wstring(Text(node));
  // Iterative walk: the tree may be deep.
  uint32_t at = nodes[node].firstChild;
  while (at != kNoNode) {
    const Node& n = nodes[at];
    if (n.tag == Tag::Text) out.append(Text(at));
    if (n.firstChild != kNoNode) {
      at = n.firstChild;
      continue;
    }
    while (at != node && nodes[at].nextSibling == kNoNode) at = nodes[at].parent;
    if (at == node) break;
    at = nodes[at].nextSibling;
  }
  return out;
}

Document ParseHtml(std::wstring_view text) {
  Document d;
  d.pool.reserve(text.size() + 64);
  d.nodes.reserve(text.size() / 16 + 16);
  Tokenizer(text, d).Run();
  return d;
}

}  // namespace corvan::html
