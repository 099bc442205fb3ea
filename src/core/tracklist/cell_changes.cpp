#include "tracklist/cell_changes.h"

#include "tracklist/cell_rules.h"
#include "tracklist/edit_commands.h"
#include "tracklist/track_grid.h"
#include "tracklist/undo_list.h"

namespace quilmark {

const CellChange* FirstBadNumber(const TrackGrid& grid, const std::vector<CellChange>& changes) {
  for (const CellChange& change : changes) {
    if (IsNumericColumn(grid.Layout(), change.column) && !IsAllDigits(change.text)) return &change;
  }
  return nullptr;
}

std::string DescribeChange(const TrackGrid& grid, const CellChange& change) {
  return grid.Cell(change.column, 0) + " " + std::to_string(change.row) + "行目: " + change.text;
}

int ApplyChanges(TrackGrid& grid, UndoList& undo, const std::vector<CellChange>& changes) {
  GridBatch batch(grid);
  UndoStepScope step(undo);
  int changed = 0;
  for (const CellChange& change : changes) {
    if (!IsChangeableCell(grid, change.column, change.row) ||
        grid.Cell(change.column, change.row) == change.text) {
      continue;
    }
    ChangeCell(grid, undo, change.column, change.row, change.text);
    ++changed;
  }
  return changed;
}

}  // namespace quilmark
