#include "tracklist/sort_rows.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "platform/collation.h"
#include "tag/comma_text.h"
#include "tracklist/track_grid.h"

namespace quilmark {

namespace {

constexpr std::size_t kKeyPadding = 32;

}  // namespace

std::string SortLine(const TrackGrid& grid, int column, int row) {
  const TrackGrid::Row& cells = grid.RowCells(row);
  std::string line = QuoteAlways(grid.Cell(column, row) + std::string(kKeyPadding, ' '));
  for (const std::string& cell : cells) {
    line += ',';
    line += QuoteCommaItem(cell);
  }
  return line;
}

void SortRowsByColumn(TrackGrid& grid, int column) {
  const platform::LocaleCollator collator(platform::LocaleCollator::Case::Ignored);
  SortRowsByColumn(grid, column, collator);
}

// Collation keys are computed once per row, so the n log n comparisons are
// plain byte comparisons instead of locale comparisons of whole lines.
void SortRowsByColumn(TrackGrid& grid, int column, const platform::LocaleCollator& collator) {
  const int count = grid.FileRowCount();
  if (count == 0) return;
  std::vector<std::string> keys(static_cast<std::size_t>(count));
  for (int r = 1; r <= count; ++r) {
    keys[static_cast<std::size_t>(r - 1)] = collator.SortKey(SortLine(grid, column, r));
  }
  std::vector<int> order(static_cast<std::size_t>(count));
  std::iota(order.begin(), order.end(), 1);
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    return keys[static_cast<std::size_t>(a - 1)] < keys[static_cast<std::size_t>(b - 1)];
  });
  grid.ReorderRows(order);
}

}  // namespace quilmark
