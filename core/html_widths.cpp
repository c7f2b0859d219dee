#include "core/html_widths.h"

#include <algorithm>
#include <numeric>

#include "core/html_table.h"

namespace corvan::html {

namespace {

int Px(const Length& l) { return l.unit == Unit::Px ? static_cast<int>(l.value) : 0; }

void LinesWidths(const Page& page, Box& box) {
  long long min = 0, max = 0, line = 0, segment = 0;
  for (uint32_t i = box.itemBegin; i < box.itemEnd; ++i) {
    const InlineItem& item = page.items[i];
    switch (item.kind) {
      case ItemKind::Word: case ItemKind::Control:
        segment += item.width;
        line += item.width;
        break;
      case ItemKind::Picture:
        if (item.flags & (kItemFloatLeft | kItemFloatRight)) {
          min = std::max<long long>(min, item.width);
          line += item.width;
        } else {
          segment += item.width;
          line += item.width;
        }
        break;
      case ItemKind::Space:
        line += item.width;
        if (item.flags & kItemNoBreak) segment += item.width;
        else min = std::max(min, segment), segment = 0;
        break;
      case ItemKind::Opportunity: min = std::max(min, segment), segment = 0; break;
      case ItemKind::Break:
        min = std::max(min, segment), segment = 0;
        max = std::max(max, line), line = 0;
        break;
      case ItemKind::Anchor: break;
    }
  }
  min = std::max(min, segment);
  max = std::max(max, line);
  box.minWidth = static_cast<int>(std::min<long long>(min, 1 << 28));
  box.maxWidth = static_cast<int>(std::min<long long>(max, 1 << 28));
}

int HorizontalExtra(const Box& b) {
  return Px(b.margin[1]) + Px(b.margin[3]) + b.border[1] + b.border[3] + Px(b.padding[1]) + Px(b.padding[3]);
}

void BlockWidths(const Page& page, Box& box) {
  int min = 0, max = 0;
  for (uint32_t child = box.firstChild; child != kNone; child = page.boxes[child].nextSibling) {
    min = std::max(min, page.boxes[child].minWidth);
    max = std::max(max, page.boxes[child].maxWidth);
  }
  const int extra = HorizontalExtra(box);
  if (box.kind == BoxKind::Rule) min = max = 0;
  if (box.width.unit == Unit::Px && box.kind != BoxKind::Cell) {
    const int own = static_cast<int>(box.width.value) + extra;
    box.minWidth = std::max(own, min + extra);
    box.maxWidth = std::max(own, box.minWidth);
    return;
  }
  box.minWidth = std::min(min + extra, 1 << 28);
  box.maxWidth = std::min(std::max(max, min) + extra, 1 << 28);
}

void TableWidths(Page& page, uint32_t index) {
  const TableGrid grid = MakeTableGrid(page, index);
  const Columns cols = MeasureColumns(page, grid);
  Box& table = page.boxes[index];
  const long long extra = TableExtraWidth(table, grid.columns);
  long long min = std::accumulate(cols.min.begin(), cols.min.end(), 0LL) + extra;
  long long max = std::accumulate(cols.max.begin(), cols.max.end(), 0LL) + extra;
  for (uint32_t caption : grid.captions) min = std::max<long long>(min, page.boxes[caption].minWidth);
  if (table.width.unit == Unit::Px) {
    min = std::max<long long>(min, static_cast<long long>(table.width.value));
    max = min;
  }
  max = std::max(max, min);
  const int margins = Px(table.margin[1]) + Px(table.margin[3]);
  table.minWidth = static_cast<int>(std::min<long long>(min + margins, 1 << 28));
  table.maxWidth = static_cast<int>(std::min<long long>(max + margins, 1 << 28));
}

}  // namespace

void ComputeIntrinsicWidths(Page& page) {
  // A box's children come after it, so walking backwards meets children first.
  for (size_t i = page.boxes.size(); i-- > 0;) {
    Box& box = page.boxes[i];
    switch (box.kind) {
      case BoxKind::Lines: LinesWidths(page, box); break;
      case BoxKind::Table: TableWidths(page, static_cast<uint32_t>(i)); break;
      case BoxKind::Row: break;
      default: BlockWidths(page, box); break;
    }
  }
}

}  // namespace corvan::html
