#include "core/html_layout.h"

#include <algorithm>
#include <utility>

#include "core/html_table.h"

namespace corvan::html {

namespace {

constexpr size_t kMaxFloats = 64;

int Resolve(const Length& l, int base) {
  switch (l.unit) {
    case Unit::Px: return static_cast<int>(l.value);
    case Unit::Percent: return static_cast<int>(static_cast<long long>(l.value * 100) * base / 10000);
    case Unit::Em: return static_cast<int>(l.value * 16);
    default: return 0;
  }
}

int Clamp(long long v) { return static_cast<int>(std::clamp<long long>(v, -kMaxLayoutY, kMaxLayoutY)); }

class Engine {
 public:
  Engine(const Page& page, Layout& out) : p_(page), out_(out) {}
  void Run(int width);

 private:
  struct Float {
    int left, right, top, bottom;
    bool leftSide;
  };
  // A block formatting context: the floats that lines and tables go around.
  struct Bfc {
    std::vector<Float> floats;
    int lowestTop = 0;  // a float is never placed above an earlier one
    int bottom = 0;     // of the lowest float
  };
  struct Cursor {
    int y = 0;
    int marginPos = 0, marginNeg = 0;  // the margin waiting to collapse with the next one
    std::vector<size_t> waiting;       // tops of boxes placed at the next content
    const Box* marker = nullptr;       // a list item whose marker goes on the next line
    int markerLeft = 0;
  };
  struct Mark {
    size_t runs, decorations, pictures, controls, anchors;
  };

  int Pending(const Cursor& c) const { return c.marginPos + c.marginNeg; }
  void Collapse(Cursor& c, int margin) {
    if (margin > 0) c.marginPos = std::max(c.marginPos, margin);
    else c.marginNeg = std::min(c.marginNeg, margin);
  }
  void ResolveMargin(Cursor& c) {
    c.y = Clamp(static_cast<long long>(c.y) + Pending(c));
    c.marginPos = c.marginNeg = 0;
    for (size_t slot : c.waiting) tops_[slot] = c.y;
    c.waiting.clear();
  }
  Mark MarkNow() const {
    return {out_.runs.size(), out_.decorations.size(), out_.pictures.size(), out_.controls.size(),
            out_.anchors.size()};
  }
  void Shift(const Mark& from, const Mark& to, int dy);

  // Where [left, right) is free of floats between y and y + height.
  void Span(const Bfc& bfc, int y, int height, int& left, int& right) const;
  // The place of a float of this size at y or below.
  void PlaceFloat(Bfc& bfc, int& y, int width, int height, int left, int right, bool leftSide, int& x);
  void AddFloat(Bfc& bfc, int x, int y, int width, int height, bool leftSide);
  void ClearFloats(Cursor& c, const Bfc& bfc, Clear clear);

  void Children(uint32_t box, int left, int width, Cursor& c, Bfc& bfc);
  void LayoutBox(uint32_t box, int left, int width, Cursor& c, Bfc& bfc);
  void Block(uint32_t box, int left, int width, Cursor& c, Bfc& bfc, bool asFloat);
  void FloatBlock(uint32_t box, int left, int width, Cursor& c, Bfc& bfc);
  void Lines(const Box& box, int left, int width, Cursor& c, Bfc& bfc);
  void Rule(const Box& box, int left, int width, Cursor& c);
  void Table(uint32_t box, int x, int width, Cursor& c, Bfc& bfc, bool placed);
  void TableAt(uint32_t box, int x, int tableWidth, Cursor& c);
  int TableWidth(const Box& t, int avail) const;
  void Marker(Cursor& c, int baseline);
  void FloatPicture(const InlineItem& item, Bfc& bfc, int y, int left, int right);
  void PlacePicture(const InlineItem& item, int x, int top);
  size_t Reserve() {
    out_.decorations.push_back({});
    return out_.decorations.size() - 1;
  }
  void BoxDecorations(const Box& b, size_t fill, size_t border, int x, int y, int w, int h);

  const Page& p_;
  Layout& out_;
  std::vector<int> tops_;
  bool cellStart_ = false;
  bool markerRun_ = false;  // a number was put before the line being placed: it begins the line
  int depth_ = 0;
};

void Engine::Shift(const Mark& from, const Mark& to, int dy) {
  if (dy == 0) return;
  for (size_t i = from.runs; i < to.runs; ++i) out_.runs[i].y += dy;
  for (size_t i = from.decorations; i < to.decorations; ++i) out_.decorations[i].y += dy;
  for (size_t i = from.pictures; i < to.pictures; ++i) out_.pictures[i].y += dy;
  for (size_t i = from.controls; i < to.controls; ++i) out_.controls[i].y += dy;
  for (size_t i = from.anchors; i < to.anchors; ++i) out_.anchors[i].y += dy;
}

void Engine::Span(const Bfc& bfc, int y, int height, int& left, int& right) const {
  const int bottom = y + std::max(height, 1);
  const int l0 = left, r0 = right;
  for (const Float& f : bfc.floats) {
    if (f.top >= bottom || f.bottom <= y) continue;
    if (f.leftSide) left = std::max(left, f.right);
    else right = std::min(right, f.left);
  }
  left = std::min(left, r0);
  right = std::max(right, std::max(left, l0));
}

void Engine::PlaceFloat(Bfc& bfc, int& y, int width, int height, int left, int right, bool leftSide, int& x) {
  y = std::max(y, bfc.lowestTop);
  for (size_t attempt = 0; attempt <= bfc.floats.size(); ++attempt) {
    int l = left, r = right;
    Span(bfc, y, height, l, r);
    bool crowded = false;
    int next = kMaxLayoutY;
    for (const Float& f : bfc.floats)
      if (f.top < y + std::max(height, 1) && f.bottom > y) {
        crowded = true;
        next = std::min(next, f.bottom);
      }
    if (r - l >= width || !crowded) {
      x = leftSide ? l : r - width;
      return;
    }
    y = std::max(y + 1, next);
  }
  x = leftSide ? left : right - width;
}

void Engine::AddFloat(Bfc& bfc, int x, int y, int width, int height, bool leftSide) {
  if (bfc.floats.size() >= kMaxFloats) {
    // Floats above every line still to come no longer matter.
    const int lowest = bfc.lowestTop;
    bfc.floats.erase(std::remove_if(bfc.floats.begin(), bfc.floats.end(), [&](const Float& f) { return f.bottom <= lowest; }),
                     bfc.floats.end());
    if (bfc.floats.size() >= kMaxFloats) bfc.floats.erase(bfc.floats.begin());
  }
  bfc.floats.push_back({x, x + width, y, Clamp(static_cast<long long>(y) + height), leftSide});
  bfc.lowestTop = std::max(bfc.lowestTop, y);
  bfc.bottom = std::max(bfc.bottom, bfc.floats.back().bottom);
}

void Engine::ClearFloats(Cursor& c, const Bfc& bfc, Clear clear) {
  if (clear == Clear::None) return;
  int y = c.y;
  for (const Float& f : bfc.floats)
    if ((f.leftSide && clear != Clear::Right) || (!f.leftSide && clear != Clear::Left)) y = std::max(y, f.bottom);
  if (y > c.y + Pending(c)) {
    c.marginPos = c.marginNeg = 0;
    c.y = y;
    ResolveMargin(c);
  }
}

void Engine::Children(uint32_t box, int left, int width, Cursor& c, Bfc& bfc) {
  for (uint32_t child = p_.boxes[box].firstChild; child != kNone; child = p_.boxes[child].nextSibling) {
    if (c.y >= kMaxLayoutY) return;
    LayoutBox(child, left, width, c, bfc);
  }
}

void Engine::LayoutBox(uint32_t index, int left, int width, Cursor& c, Bfc& bfc) {
  const Box& b = p_.boxes[index];
  switch (b.kind) {
    case BoxKind::Lines: Lines(b, left, width, c, bfc); break;
    case BoxKind::Rule: Rule(b, left, width, c); break;
    case BoxKind::Table:
      if (b.floatSide != FloatSide::None) FloatBlock(index, left, width, c, bfc);
      else Table(index, left, width, c, bfc, false);
      break;
    default:
      if (b.floatSide != FloatSide::None) FloatBlock(index, left, width, c, bfc);
      else Block(index, left, width, c, bfc, false);
      break;
  }
}

void Engine::BoxDecorations(const Box& b, size_t fill, size_t border, int x, int y, int w, int h) {
  if (fill != kNone) out_.decorations[fill] = {DecorationKind::Fill, BorderStyle::Solid, x, y, w, h, {0, 0, 0, 0}, b.background};
  if (border != kNone)
    out_.decorations[border] = {DecorationKind::Border, b.borderStyle, x, y, w, h,
                                {b.border[0], b.border[1], b.border[2], b.border[3]}, b.borderColor};
}

void Engine::Block(uint32_t index, int left, int width, Cursor& c, Bfc& bfc, bool asFloat) {
  const Box& b = p_.boxes[index];
  if (!asFloat) ClearFloats(c, bfc, b.clear);
  int ml = Resolve(b.margin[3], width), mr = Resolve(b.margin[1], width);
  const int mt = Resolve(b.margin[0], width), mb = Resolve(b.margin[2], width);
  const int pl = Resolve(b.padding[3], width), pr = Resolve(b.padding[1], width);
  const int pt = Resolve(b.padding[0], width), pb = Resolve(b.padding[2], width);
  const int bl = b.border[3], br = b.border[1], bt = b.border[0], bb = b.border[2];
  int w;
  if (!b.width.IsAuto() && !asFloat) {
    w = std::max(0, Resolve(b.width, width));
    const int free = width - w - pl - pr - bl - br - ml - mr;
    const bool autoLeft = b.margin[3].IsAuto(), autoRight = b.margin[1].IsAuto();
    if (free > 0) {
      if ((autoLeft && autoRight) || (!autoLeft && !autoRight && b.align == Align::Center)) ml += free / 2;
      else if (autoLeft || (!autoRight && b.align == Align::Right)) ml += free;
    }
  } else {
    w = std::max(0, width - ml - mr - pl - pr - bl - br);
  }
  Collapse(c, mt);
  const size_t slot = tops_.size();
  tops_.push_back(c.y + Pending(c));
  const bool closedTop = bt > 0 || pt > 0;
  if (closedTop) {
    ResolveMargin(c);
    tops_[slot] = c.y;
  } else {
    c.waiting.push_back(slot);
  }
  const size_t fill = b.background != kNoColor ? Reserve() : kNone;
  const size_t border = (bt | br | bb | bl) ? Reserve() : kNone;
  const size_t anchorAt = out_.anchors.size();
  if (b.anchor >= 0) out_.anchors.push_back({static_cast<uint32_t>(b.anchor), 0});
  c.y += bt + pt;
  const int contentLeft = left + ml + bl + pl;
  const bool ownMarker = b.kind == BoxKind::ListItem && b.marker != MarkerKind::None;
  if (ownMarker) {
    // An outer item's marker still waiting goes beside this one's first line too.
    if (c.marker) {
      const FontMetrics& fm = p_.metrics[p_.styles[c.marker->markerStyle].font];
      Marker(c, c.y + Pending(c) + fm.ascent);
      markerRun_ = false;
    }
    c.marker = &b;
    c.markerLeft = contentLeft;
  }
  ++depth_;
  Children(index, contentLeft, w, c, bfc);
  --depth_;
  if (ownMarker && c.marker == &b) {
    // A list item without a line of its own still shows its marker, on a line of its own.
    ResolveMargin(c);
    const FontMetrics& fm = p_.metrics[p_.styles[b.markerStyle].font];
    Marker(c, c.y + fm.ascent);
    markerRun_ = false;
    c.y += fm.ascent + fm.descent;
  }
  const int specified = b.height.unit == Unit::Px ? static_cast<int>(b.height.value) : 0;
  const bool closedBottom = bb > 0 || pb > 0 || specified > 0;
  if (closedBottom) {
    ResolveMargin(c);
    const int top = tops_[slot];
    c.y = std::max(c.y, top + bt + pt + specified) + pb + bb;
  }
  auto waiting = std::find(c.waiting.begin(), c.waiting.end(), slot);
  if (waiting != c.waiting.end()) {
    c.waiting.erase(waiting);
    tops_[slot] = c.y + Pending(c);
  }
  const int top = tops_[slot];
  const int bottom = std::max(c.y, top);
  Collapse(c, mb);
  BoxDecorations(b, fill, border, left + ml, top, w + pl + pr + bl + br, bottom - top);
  if (b.anchor >= 0) out_.anchors[anchorAt].y = top;
  tops_.resize(slot);
}

void Engine::FloatBlock(uint32_t index, int left, int width, Cursor& c, Bfc& bfc) {
  const Box& b = p_.boxes[index];
  int outer;
  const int ml = Resolve(b.margin[3], width), mr = Resolve(b.margin[1], width);
  if (b.kind != BoxKind::Table && !b.width.IsAuto()) {
    outer = Resolve(b.width, width) + ml + mr + b.border[1] + b.border[3] + Resolve(b.padding[1], width) +
            Resolve(b.padding[3], width);
  } else if (b.kind == BoxKind::Table) {
    outer = TableWidth(b, width - ml - mr) + ml + mr;
  } else {
    // Shrunk to its content, within the width there is.
    outer = std::min(std::max(b.minWidth, width), b.maxWidth);
  }
  outer = std::max(outer, 0);
  int y = c.y + Pending(c), x = left;
  PlaceFloat(bfc, y, outer, 1, left, left + width, b.floatSide == FloatSide::Left, x);
  Cursor inner;
  inner.y = y;
  Bfc own;
  if (b.kind == BoxKind::Table) Table(index, x, outer, inner, own, true);
  else Block(index, x, outer, inner, own, true);
  const int bottom = std::max(inner.y + inner.marginPos, own.bottom);
  AddFloat(bfc, x, y, outer, bottom - y, b.floatSide == FloatSide::Left);
}

void Engine::Marker(Cursor& c, int baseline) {
  const Box* li = c.marker;
  c.marker = nullptr;
  if (!li) return;
  const RunStyle& style = p_.styles[li->markerStyle];
  const FontMetrics& fm = p_.metrics[style.font];
  const int size = p_.fonts[style.font].size;
  if (li->marker == MarkerKind::Text) {
    const int gap = std::max(2, size / 2);
    out_.runs.push_back({c.markerLeft - gap - li->markerWidth, baseline - fm.ascent, li->markerWidth,
                         fm.ascent + fm.descent, fm.ascent, li->markerText, li->markerLength, li->markerStyle,
                         static_cast<uint8_t>(kRunLineStart | kRunMarker)});
    markerRun_ = true;
    return;
  }
  const int dot = std::max(4, size * 5 / 16);
  const int x = c.markerLeft - dot - std::max(5, size * 9 / 16);
  const int y = baseline - std::max(dot / 2 + 1, fm.ascent * 3 / 10);  // the dot's middle, half an x-height up
  const DecorationKind kind = li->marker == MarkerKind::Disc     ? DecorationKind::Disc
                              : li->marker == MarkerKind::Circle ? DecorationKind::Circle
                                                                 : DecorationKind::Square;
  out_.decorations.push_back({kind, BorderStyle::Solid, x, y - dot / 2, dot, dot, {0, 0, 0, 0}, style.color});
}

void Engine::PlacePicture(const InlineItem& item, int x, int top) {
  const Picture& pic = p_.pictures[item.object];
  const int bx = x + pic.hspace, by = top + pic.vspace;
  if (pic.border > 0)
    out_.decorations.push_back({DecorationKind::Border, BorderStyle::Solid, bx, by, pic.width + 2 * pic.border,
                                pic.height + 2 * pic.border, {pic.border, pic.border, pic.border, pic.border},
                                pic.borderColor});
  out_.pictures.push_back({bx + pic.border, by + pic.border, pic.width, pic.height, item.object});
}

void Engine::FloatPicture(const InlineItem& item, Bfc& bfc, int y, int left, int right) {
  const Picture& pic = p_.pictures[item.object];
  const int w = item.width, h = pic.height + 2 * pic.border + 2 * pic.vspace;
  const bool leftSide = item.flags & kItemFloatLeft;
  int x = left;
  PlaceFloat(bfc, y, w, h, left, right, leftSide, x);
  PlacePicture(item, x, y);
  AddFloat(bfc, x, y, w, h, leftSide);
}

void Engine::Lines(const Box& b, int left, int width, Cursor& c, Bfc& bfc) {
  const std::vector<InlineItem>& items = p_.items;
  const uint32_t begin = b.itemBegin, end = b.itemEnd;
  bool any = false;
  for (uint32_t i = begin; i < end && !any; ++i) {
    const ItemKind k = items[i].kind;
    any = k != ItemKind::Space && k != ItemKind::Anchor && k != ItemKind::Opportunity;
  }
  if (!any) {
    for (uint32_t i = begin; i < end; ++i)
      if (items[i].kind == ItemKind::Anchor) out_.anchors.push_back({items[i].object, c.y + Pending(c)});
    return;
  }
  ResolveMargin(c);
  const FontMetrics& strut = p_.metrics[p_.styles[b.strut].font];
  const int strutHeight = strut.ascent + strut.descent;
  std::vector<uint32_t> later;  // floats that wait for the end of the line
  int64_t lastFloat = -1;       // floats up to this item are placed or waiting
  uint32_t i = begin;
  int guard = 0;
  while (i < end && c.y < kMaxLayoutY) {
    while (i < end && (items[i].kind == ItemKind::Space || items[i].kind == ItemKind::Opportunity)) ++i;
    if (i >= end) break;
    const int lineTop = c.y;
    int l = left, r = left + width;
    Span(bfc, lineTop, strutHeight, l, r);
    long long lineWidth = 0;
    int64_t breakAt = -1;
    bool content = false, forced = false;
    uint32_t j = i;
    int firstWidth = -1;
    for (; j < end; ++j) {
      const InlineItem& item = items[j];
      if (item.kind == ItemKind::Break) {
        ++j;
        forced = true;
        break;
      }
      if (item.kind == ItemKind::Anchor) continue;
      if (item.kind == ItemKind::Opportunity) {
        breakAt = j;
        continue;
      }
      if (item.kind == ItemKind::Space) {
        if (!content) continue;
        if (!(item.flags & kItemNoBreak)) breakAt = j;
        lineWidth += item.width;
        continue;
      }
      if (item.kind == ItemKind::Picture && (item.flags & (kItemFloatLeft | kItemFloatRight))) {
        if (static_cast<int64_t>(j) <= lastFloat) continue;
        lastFloat = j;
        if (!content || lineWidth + item.width <= r - l) {
          FloatPicture(item, bfc, lineTop, left, left + width);
          l = left, r = left + width;
          Span(bfc, lineTop, strutHeight, l, r);
        } else {
          later.push_back(j);
        }
        continue;
      }
      if (content && lineWidth + item.width > r - l && breakAt >= 0) {
        j = static_cast<uint32_t>(breakAt);
        break;
      }
      if (!content) firstWidth = item.width;
      lineWidth += item.width;
      content = true;
    }
    const uint32_t lineEnd = j;
    if (!content && !forced) {
      for (uint32_t k = i; k < lineEnd; ++k)
        if (items[k].kind == ItemKind::Anchor) out_.anchors.push_back({items[k].object, lineTop});
      i = lineEnd;
      continue;
    }
    // A first word too wide for the room beside floats goes below them, if there is more room there.
    if (content && firstWidth > r - l && (r - l) < width && guard < 1000) {
      int next = kMaxLayoutY;
      for (const Float& f : bfc.floats)
        if (f.top <= lineTop && f.bottom > lineTop) next = std::min(next, f.bottom);
      if (next < kMaxLayoutY && next > lineTop) {
        ++guard;
        c.y = next;
        for (uint32_t k : later) FloatPicture(items[k], bfc, c.y, left, left + width);
        later.clear();
        continue;
      }
    }
    // The line's height and baseline.
    int ascent = strut.ascent, descent = strut.descent;
    uint32_t last = i;  // the last item that is content, for trailing blanks
    bool seen = false;
    for (uint32_t k = i; k < lineEnd; ++k) {
      const InlineItem& item = items[k];
      switch (item.kind) {
        case ItemKind::Word: case ItemKind::Space: {
          if (item.kind == ItemKind::Space && !seen) break;
          const RunStyle& s = p_.styles[item.style];
          const FontMetrics& fm = p_.metrics[s.font];
          ascent = std::max(ascent, fm.ascent + s.shift);
          descent = std::max(descent, fm.descent - s.shift);
          if (item.kind == ItemKind::Word) last = k, seen = true;
          break;
        }
        case ItemKind::Picture: {
          if (item.flags & (kItemFloatLeft | kItemFloatRight)) break;
          const Picture& pic = p_.pictures[item.object];
          const int h = pic.height + 2 * pic.border + 2 * pic.vspace;
          int a = h;
          if (pic.valign == VAlign::Middle || pic.valign == VAlign::AbsMiddle) a = h / 2 + strut.ascent / 3;
          else if (pic.valign == VAlign::Top || pic.valign == VAlign::TextTop) a = std::min(h, strut.ascent);
          ascent = std::max(ascent, a);
          descent = std::max(descent, h - a);
          last = k, seen = true;
          break;
        }
        case ItemKind::Control: {
          const FormControl& control = p_.controls[item.object];
          ascent = std::max(ascent, control.baseline);
          descent = std::max(descent, control.height - control.baseline);
          last = k, seen = true;
          break;
        }
        default: break;
      }
    }
    // The content's width without the blanks after its last word.
    long long contentWidth = 0;
    for (uint32_t k = i; k <= last && k < lineEnd; ++k) {
      const InlineItem& item = items[k];
      if (item.kind == ItemKind::Anchor || item.kind == ItemKind::Break || item.kind == ItemKind::Opportunity) continue;
      if (item.kind == ItemKind::Picture && (item.flags & (kItemFloatLeft | kItemFloatRight))) continue;
      contentWidth += item.width;
    }
    int x = l;
    if (contentWidth < r - l) {
      if (b.align == Align::Center) x += static_cast<int>((r - l - contentWidth) / 2);
      else if (b.align == Align::Right) x += static_cast<int>(r - l - contentWidth);
    }
    const int baseline = lineTop + ascent;
    // The items, text of one style joined into runs; a list item's number first.
    if (c.marker) Marker(c, baseline);
    bool lineStart = !std::exchange(markerRun_, false);
    bool open = false;
    TextRun run{};
    const auto flush = [&] {
      if (!open) return;
      run.flags = (lineStart ? kRunLineStart : 0) | (cellStart_ ? kRunCellStart : 0);
      lineStart = false;
      cellStart_ = false;
      out_.runs.push_back(run);
      open = false;
    };
    bool started = false;
    for (uint32_t k = i; k < lineEnd; ++k) {
      const InlineItem& item = items[k];
      switch (item.kind) {
        case ItemKind::Word:
        case ItemKind::Space: {
          if (item.kind == ItemKind::Space && (!started || k > last)) break;
          started = true;
          if (open && run.style == item.style && run.text + run.length == item.text) {
            run.length += item.length;
            run.width += item.width;
          } else {
            flush();
            const RunStyle& s = p_.styles[item.style];
            const FontMetrics& fm = p_.metrics[s.font];
            run = {x, baseline - s.shift - fm.ascent, item.width, fm.ascent + fm.descent, fm.ascent,
                   item.text, item.length, item.style, 0};
            open = true;
          }
          x += item.width;
          break;
        }
        case ItemKind::Picture: {
          if (item.flags & (kItemFloatLeft | kItemFloatRight)) break;
          flush();
          started = true;
          const Picture& pic = p_.pictures[item.object];
          const int h = pic.height + 2 * pic.border + 2 * pic.vspace;
          int top = baseline - h;
          if (pic.valign == VAlign::Middle || pic.valign == VAlign::AbsMiddle) top = baseline - (h / 2 + strut.ascent / 3);
          else if (pic.valign == VAlign::Top || pic.valign == VAlign::TextTop) top = lineTop;
          PlacePicture(item, x, top);
          x += item.width;
          break;
        }
        case ItemKind::Control: {
          flush();
          started = true;
          const FormControl& control = p_.controls[item.object];
          out_.controls.push_back({x + control.margin, baseline - control.baseline, control.width, control.height,
                                   item.object});
          x += item.width;
          break;
        }
        case ItemKind::Anchor: out_.anchors.push_back({item.object, lineTop}); break;
        default: break;
      }
    }
    flush();
    c.y = Clamp(static_cast<long long>(lineTop) + ascent + descent);
    if (forced) {
      const InlineItem& br = items[lineEnd - 1];
      const bool clearLeft = br.flags & kItemClearLeft, clearRight = br.flags & kItemClearRight;
      if (clearLeft || clearRight)
        ClearFloats(c, bfc, clearLeft && clearRight ? Clear::Both : clearLeft ? Clear::Left : Clear::Right);
    }
    for (uint32_t k : later) FloatPicture(items[k], bfc, c.y, left, left + width);
    later.clear();
    i = lineEnd;
  }
  for (uint32_t k : later) FloatPicture(items[k], bfc, c.y, left, left + width);
}

void Engine::Rule(const Box& b, int left, int width, Cursor& c) {
  const int mt = Resolve(b.margin[0], width), mb = Resolve(b.margin[2], width);
  Collapse(c, mt);
  ResolveMargin(c);
  int w = b.width.IsAuto() ? width : std::clamp(Resolve(b.width, width), 0, std::max(width, 0));
  w = std::max(w, 0);
  int x = left;
  if (b.align == Align::Center) x += (width - w) / 2;
  else if (b.align == Align::Right) x += width - w;
  const int h = std::max(1, Resolve(b.height, 0));
  if (b.borderStyle == BorderStyle::Inset) {
    out_.decorations.push_back({DecorationKind::Border, BorderStyle::Inset, x, c.y, w, h, {1, 1, 1, 1}, Rgb(128, 128, 128)});
  } else {
    out_.decorations.push_back({DecorationKind::Fill, BorderStyle::Solid, x, c.y, w, h, {0, 0, 0, 0}, b.background});
  }
  if (b.anchor >= 0) out_.anchors.push_back({static_cast<uint32_t>(b.anchor), c.y});
  c.y = Clamp(static_cast<long long>(c.y) + h);
  Collapse(c, mb);
}

int Engine::TableWidth(const Box& t, int avail) const {
  const int margins = Resolve(t.margin[1], avail) + Resolve(t.margin[3], avail);
  const int min = std::max(0, t.minWidth - margins), max = std::max(min, t.maxWidth - margins);
  if (t.width.unit == Unit::Px) return std::max(static_cast<int>(t.width.value), min);
  if (t.width.unit == Unit::Percent) return std::max(Resolve(t.width, avail), min);
  return std::clamp(max, min, std::max(avail, min));
}

void Engine::Table(uint32_t index, int left, int width, Cursor& c, Bfc& bfc, bool placed) {
  const Box& t = p_.boxes[index];
  const int mt = Resolve(t.margin[0], width), mb = Resolve(t.margin[2], width);
  const int ml = Resolve(t.margin[3], width), mr = Resolve(t.margin[1], width);
  Collapse(c, mt);
  ResolveMargin(c);
  if (c.marker) {
    const FontMetrics& fm = p_.metrics[p_.styles[c.marker->markerStyle].font];
    Marker(c, c.y + fm.ascent);
    markerRun_ = false;
  }
  int l = left, r = left + width;
  if (!placed) Span(bfc, c.y, 1, l, r);
  const int avail = std::max(0, r - l - ml - mr);
  const int tableWidth = placed ? std::max(0, width - ml - mr) : TableWidth(t, avail);
  int x = l + ml;
  if (!placed && tableWidth < avail) {
    if (t.align == Align::Center) x += (avail - tableWidth) / 2;
    else if (t.align == Align::Right) x += avail - tableWidth;
  }
  TableAt(index, x, tableWidth, c);
  Collapse(c, mb);
}

void Engine::TableAt(uint32_t index, int x, int tableWidth, Cursor& c) {
  const Box& t = p_.boxes[index];
  const TableGrid grid = MakeTableGrid(p_, index);
  const Columns cols = MeasureColumns(p_, grid);
  const int n = grid.columns;
  const int spacing = t.cellSpacing;
  const int extra = TableExtraWidth(t, n);
  const std::vector<int> widths = DistributeColumns(cols, std::max(0, tableWidth - extra));
  long long sum = extra;
  for (int w : widths) sum += w;
  const int fullWidth = static_cast<int>(std::min<long long>(std::max<long long>(sum, tableWidth), kMaxLayoutY));

  // Captions above the table.
  for (uint32_t caption : grid.captions) {
    Cursor cc;
    cc.y = c.y;
    Bfc own;
    Block(caption, x, fullWidth, cc, own, true);
    c.y = std::max(cc.y, own.bottom);
  }
  const int top = c.y;
  const size_t fill = t.background != kNoColor ? Reserve() : kNone;
  const size_t border = (t.border[0] | t.border[1] | t.border[2] | t.border[3]) ? Reserve() : kNone;
  if (t.anchor >= 0) out_.anchors.push_back({static_cast<uint32_t>(t.anchor), top});

  std::vector<int> colX(static_cast<size_t>(n) + 1, 0);
  colX[0] = x + t.border[3] + spacing;
  for (int k = 0; k < n; ++k)
    colX[static_cast<size_t>(k) + 1] = colX[static_cast<size_t>(k)] + widths[static_cast<size_t>(k)] + spacing;

  struct Placed {
    Mark from{}, to{};
    size_t fill = kNone, border = kNone;
    int x = 0, width = 0, height = 0;  // the cell's box before its rows are known
    bool done = false;
  };
  const size_t rows = grid.rows.size();
  std::vector<int> rowTop(rows + 1, 0), rowHeight(rows, 0);
  std::vector<Placed> placed(grid.cells.size());
  int y = top + t.border[0] + spacing;
  size_t next = 0;  // the first cell of the row being laid out
  for (size_t r = 0; r < rows; ++r) {
    rowTop[r] = y;
    const Box& rowBox = p_.boxes[grid.rows[r]];
    int height = rowBox.height.unit == Unit::Px ? static_cast<int>(rowBox.height.value) : 0;
    for (; next < grid.cells.size() && grid.cells[next].row == static_cast<int>(r); ++next) {
      const GridCell& g = grid.cells[next];
      const Box& cell = p_.boxes[g.box];
      const int cx = colX[static_cast<size_t>(g.col)];
      const int cw = colX[static_cast<size_t>(g.col + g.colSpan)] - spacing - cx;
      Placed& pl = placed[next];
      pl.fill = cell.background != kNoColor ? Reserve() : kNone;
      pl.border = (cell.border[0] | cell.border[1] | cell.border[2] | cell.border[3]) ? Reserve() : kNone;
      pl.from = MarkNow();
      const int padL = Resolve(cell.padding[3], cw), padR = Resolve(cell.padding[1], cw);
      const int padT = Resolve(cell.padding[0], cw), padB = Resolve(cell.padding[2], cw);
      Cursor cc;
      cc.y = y + cell.border[0] + padT;
      Bfc own;
      if (cell.anchor >= 0) out_.anchors.push_back({static_cast<uint32_t>(cell.anchor), y});
      cellStart_ = true;
      if (depth_ < 200) {
        ++depth_;
        Children(g.box, cx + cell.border[3] + padL, std::max(0, cw - cell.border[1] - cell.border[3] - padL - padR), cc, own);
        --depth_;
      }
      cellStart_ = false;
      const int contentBottom = std::max(cc.y, own.bottom);
      int h = contentBottom - y + padB + cell.border[2];
      if (cell.height.unit == Unit::Px) h = std::max(h, static_cast<int>(cell.height.value));
      pl.to = MarkNow();
      pl.x = cx;
      pl.width = cw;
      pl.height = std::max(h, 0);
      pl.done = true;
      if (g.rowSpan == 1) height = std::max(height, pl.height);
    }
    rowHeight[r] = height;
    // Cells spanning down to this row make it taller when they need it.
    for (size_t k = 0; k < next; ++k) {
      const GridCell& g = grid.cells[k];
      if (g.rowSpan <= 1 || g.row + g.rowSpan - 1 != static_cast<int>(r)) continue;
      long long span = static_cast<long long>(spacing) * (g.rowSpan - 1);
      for (int q = g.row; q <= static_cast<int>(r); ++q) span += rowHeight[static_cast<size_t>(q)];
      if (placed[k].height > span) rowHeight[r] += static_cast<int>(placed[k].height - span);
    }
    y = Clamp(static_cast<long long>(y) + rowHeight[r] + spacing);
    if (y >= kMaxLayoutY) break;
  }
  rowTop[rows] = y;
  if (t.height.unit == Unit::Px) {
    const int want = top + static_cast<int>(t.height.value) - t.border[2];
    if (want > y && rows > 0) {
      rowHeight[rows - 1] += want - y;
      y = want;
      rowTop[rows] = y;
    }
  }
  for (size_t k = 0; k < grid.cells.size(); ++k) {
    const GridCell& g = grid.cells[k];
    Placed& pl = placed[k];
    if (!pl.done) continue;
    const size_t lastRow = std::min(rows - 1, static_cast<size_t>(g.row + g.rowSpan - 1));
    const int cellTop = rowTop[static_cast<size_t>(g.row)];
    const int boxHeight = rowTop[lastRow] + rowHeight[lastRow] - cellTop;
    const Box& cell = p_.boxes[g.box];
    const int room = boxHeight - pl.height;
    int dy = 0;
    if (room > 0) {
      if (cell.valign == VAlign::Middle) dy = room / 2;
      else if (cell.valign == VAlign::Bottom) dy = room;
    }
    Shift(pl.from, pl.to, dy);
    BoxDecorations(cell, pl.fill, pl.border, pl.x, cellTop, pl.width, boxHeight);
  }
  const int height = y - top + t.border[2];
  BoxDecorations(t, fill, border, x, top, fullWidth, height);
  c.y = Clamp(static_cast<long long>(top) + height);
}

void Engine::Run(int width) {
  out_.width = width;
  Cursor c;
  Bfc bfc;
  if (!p_.boxes.empty() && !p_.frameset) Block(0, 0, width, c, bfc, false);
  out_.height = std::max({c.y + c.marginPos, bfc.bottom, 0});
}

}  // namespace

Layout LayoutPage(const Page& page, int width) {
  Layout layout;
  Engine(page, layout).Run(std::max(width, 0));
  return layout;
}

int AnchorTop(const Page& page, const Layout& layout, std::wstring_view name) {
  for (const PlacedAnchor& a : layout.anchors)
    if (page.anchors[a.anchor].name == name) return a.y;
  return -1;
}

}  // namespace corvan::html
