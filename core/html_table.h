#pragma once
// Tables of a page: where each cell sits on the grid of rows and columns (spans
// included), how narrow and how wide each column can be, and the widths the columns get
// when the table has a given width (the automatic table layout of browsers).
#include <cstdint>
#include <vector>

#include "core/html_page.h"

namespace corvan::html {

constexpr int kMaxColumns = 1000;

struct GridCell {
  uint32_t box;
  int row, col, rowSpan, colSpan;
};

struct TableGrid {
  int columns = 0;
  std::vector<uint32_t> rows;      // the Row boxes
  std::vector<uint32_t> captions;  // the Caption boxes
  std::vector<GridCell> cells;     // row by row
};

TableGrid MakeTableGrid(const Page& page, uint32_t table);

struct Columns {
  std::vector<int> min, max;
  std::vector<int> fixed;      // a width in pixels asked by a cell (0: none)
  std::vector<float> percent;  // a width in percent asked by a cell (0: none)
};

// The columns' widths from the cells' intrinsic widths and the widths cells ask for.
Columns MeasureColumns(const Page& page, const TableGrid& grid);

// The width of each column when the columns share `width` pixels (never less than a
// column's minimum, so the sum may exceed `width`).
std::vector<int> DistributeColumns(const Columns& columns, int width);

// The table's border, the spacing around and between its columns: what its width adds to its columns'.
int TableExtraWidth(const Box& table, int columns);

}  // namespace corvan::html
