#include "core/html_table.h"

#include <algorithm>
#include <numeric>

namespace corvan::html {

namespace {

int PaddingAndBorder(const Box& b) {
  int sum = b.border[1] + b.border[3];
  for (int side : {1, 3})
    if (b.padding[side].unit == Unit::Px) sum += static_cast<int>(b.padding[side].value);
  return sum;
}

// Adds `extra` to the columns [from, from + count) in proportion to their weights (evenly
// when every weight is 0).
void Spread(std::vector<int>& widths, const std::vector<int>& weights, int from, int count, long long extra) {
  if (extra <= 0 || count <= 0) return;
  long long total = 0;
  for (int c = from; c < from + count; ++c) total += std::max(weights[static_cast<size_t>(c)], 0);
  long long given = 0;
  for (int c = from; c < from + count; ++c) {
    const long long share = total > 0 ? extra * std::max(weights[static_cast<size_t>(c)], 0) / total : extra / count;
    widths[static_cast<size_t>(c)] += static_cast<int>(share);
    given += share;
  }
  widths[static_cast<size_t>(from + count - 1)] += static_cast<int>(extra - given);
}

}  // namespace

TableGrid MakeTableGrid(const Page& page, uint32_t table) {
  TableGrid grid;
  for (uint32_t child = page.boxes[table].firstChild; child != kNone; child = page.boxes[child].nextSibling) {
    if (page.boxes[child].kind == BoxKind::Row) grid.rows.push_back(child);
    else if (page.boxes[child].kind == BoxKind::Caption) grid.captions.push_back(child);
  }
  const int rows = static_cast<int>(grid.rows.size());
  // blockedUntil[c]: the first row where column c is free of a cell spanning down into it.
  std::vector<int> blockedUntil;
  for (int r = 0; r < rows; ++r) {
    int col = 0;
    for (uint32_t cell = page.boxes[grid.rows[static_cast<size_t>(r)]].firstChild; cell != kNone;
         cell = page.boxes[cell].nextSibling) {
      if (page.boxes[cell].kind != BoxKind::Cell) continue;
      while (col < static_cast<int>(blockedUntil.size()) && blockedUntil[static_cast<size_t>(col)] > r) ++col;
      if (col >= kMaxColumns) break;
      const Box& b = page.boxes[cell];
      const int colSpan = std::min(b.colSpan, kMaxColumns - col);
      const int rowSpan = b.rowSpan == 0 ? rows - r : std::min(b.rowSpan, rows - r);
      grid.cells.push_back({cell, r, col, rowSpan, colSpan});
      if (static_cast<int>(blockedUntil.size()) < col + colSpan) blockedUntil.resize(static_cast<size_t>(col + colSpan), 0);
      for (int c = col; c < col + colSpan; ++c) blockedUntil[static_cast<size_t>(c)] = r + rowSpan;
      col += colSpan;
    }
  }
  grid.columns = static_cast<int>(blockedUntil.size());
  return grid;
}

Columns MeasureColumns(const Page& page, const TableGrid& grid) {
  const size_t n = static_cast<size_t>(grid.columns);
  const int spacing = 0;  // spacing between spanned columns is added by the caller's widths
  Columns cols;
  cols.min.assign(n, 0);
  cols.max.assign(n, 0);
  cols.fixed.assign(n, 0);
  cols.percent.assign(n, 0);
  struct Need {
    int col, span, min, max;
  };
  std::vector<Need> spanning;
  for (const GridCell& g : grid.cells) {
    const Box& b = page.boxes[g.box];
    int min = b.minWidth, max = std::max(b.maxWidth, b.minWidth);
    if (b.nowrap) min = max;
    if (b.width.unit == Unit::Px) {
      const int asked = static_cast<int>(b.width.value) + PaddingAndBorder(b);
      max = std::max(min, asked);
      if (b.nowrap) min = std::max(min, asked);
      if (g.colSpan == 1) cols.fixed[static_cast<size_t>(g.col)] = std::max(cols.fixed[static_cast<size_t>(g.col)], asked);
    } else if (b.width.unit == Unit::Percent && g.colSpan == 1) {
      cols.percent[static_cast<size_t>(g.col)] = std::max(cols.percent[static_cast<size_t>(g.col)], std::min(b.width.value, 100.0f));
    }
    if (g.colSpan == 1) {
      cols.min[static_cast<size_t>(g.col)] = std::max(cols.min[static_cast<size_t>(g.col)], min);
      cols.max[static_cast<size_t>(g.col)] = std::max(cols.max[static_cast<size_t>(g.col)], max);
    } else {
      spanning.push_back({g.col, g.colSpan, min, max});
    }
  }
  std::stable_sort(spanning.begin(), spanning.end(), [](const Need& a, const Need& b) { return a.span < b.span; });
  for (const Need& need : spanning) {
    long long sumMin = 0, sumMax = 0;
    for (int c = need.col; c < need.col + need.span; ++c) {
      sumMin += cols.min[static_cast<size_t>(c)];
      sumMax += cols.max[static_cast<size_t>(c)];
    }
    Spread(cols.min, cols.max, need.col, need.span, need.min - sumMin - spacing);
    Spread(cols.max, cols.max, need.col, need.span, need.max - sumMax - spacing);
  }
  for (size_t c = 0; c < n; ++c) cols.max[c] = std::max(cols.max[c], std::max(cols.min[c], cols.fixed[c]));
  return cols;
}

std::vector<int> DistributeColumns(const Columns& cols, int width) {
  const size_t n = cols.min.size();
  std::vector<int> widths = cols.min;
  long long remaining = static_cast<long long>(width) - std::accumulate(widths.begin(), widths.end(), 0LL);
  if (remaining <= 0 || n == 0) return widths;
  // Columns asked in percent first, then those asked in pixels, then the others up to
  // their natural widths; what is left goes to the others (or, without others, to all).
  for (size_t c = 0; c < n && remaining > 0; ++c) {
    if (cols.percent[c] <= 0) continue;
    const long long target = static_cast<long long>(cols.percent[c] * static_cast<float>(width) / 100.0f);
    const long long grow = std::min(std::max(target - widths[c], 0LL), remaining);
    widths[c] += static_cast<int>(grow);
    remaining -= grow;
  }
  for (size_t c = 0; c < n && remaining > 0; ++c) {
    if (cols.percent[c] > 0 || cols.fixed[c] <= 0) continue;
    const long long grow = std::min(std::max<long long>(cols.fixed[c] - widths[c], 0), remaining);
    widths[c] += static_cast<int>(grow);
    remaining -= grow;
  }
  std::vector<int> want(n, 0), weight(n, 0);
  long long need = 0;
  for (size_t c = 0; c < n; ++c) {
    if (cols.percent[c] > 0 || cols.fixed[c] > 0) continue;
    want[c] = std::max(cols.max[c] - widths[c], 0);
    need += want[c];
  }
  if (need > 0) {
    if (need <= remaining) {
      for (size_t c = 0; c < n; ++c) widths[c] += want[c];
      remaining -= need;
    } else {
      Spread(widths, want, 0, static_cast<int>(n), remaining);
      return widths;
    }
  }
  if (remaining <= 0) return widths;
  bool anyAuto = false;
  for (size_t c = 0; c < n; ++c)
    if (cols.percent[c] <= 0 && cols.fixed[c] <= 0) {
      anyAuto = true;
      weight[c] = std::max(cols.max[c], 1);
    }
  if (!anyAuto)
    for (size_t c = 0; c < n; ++c) weight[c] = std::max(widths[c], 1);
  Spread(widths, weight, 0, static_cast<int>(n), remaining);
  return widths;
}

int TableExtraWidth(const Box& table, int columns) {
  return table.border[1] + table.border[3] + (columns + 1) * table.cellSpacing;
}

}  // namespace corvan::html
