#include "tracklist/cell_block.h"

#include <algorithm>

#include "tracklist/track_grid.h"

namespace quilmark {

std::vector<int> ShownColumnsOf(const ColumnLayout& layout, const CellBlock& block) {
  std::vector<int> columns;
  for (int p = std::max(block.left, kFirstFieldPosition);
       p <= std::min(block.right, kLastFieldPosition); ++p) {
    if (layout.ColumnVisible[static_cast<std::size_t>(p)]) columns.push_back(p);
  }
  return columns;
}

std::vector<int> FileRowsOf(const TrackGrid& grid, const CellBlock& block) {
  std::vector<int> rows;
  if (grid.IsEmptyList()) return rows;
  const int last = std::min(block.bottom, grid.RowCount() - 1);
  for (int r = std::max(block.top, 1); r <= last; ++r) rows.push_back(r);
  return rows;
}

CellBlock WholeList(const TrackGrid& grid) {
  return {kFirstFieldPosition, 1, kLastFieldPosition, grid.RowCount() - 1};
}

}  // namespace quilmark
