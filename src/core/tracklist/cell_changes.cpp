#include "tracklist/cell_changes.h"

#include <array>
#include <utility>

#include "tracklist/cell_rules.h"
#include "tracklist/edit_commands.h"
#include "tracklist/track_grid.h"
#include "tracklist/undo_list.h"
#include "ui/msgbox.h"

namespace quilmark {

const CellChange* FirstBadNumber(const TrackGrid& grid, const std::vector<CellChange>& changes) {
  for (const CellChange& change : changes) {
    if (IsNumericColumn(grid.Layout(), change.column) &&
        !KeepsNonDigitsOf(grid.Cell(change.column, change.row), change.text)) {
      return &change;
    }
  }
  return nullptr;
}

std::string DescribeChange(const TrackGrid& grid, const CellChange& change) {
  return grid.Cell(change.column, 0) + " " + std::to_string(change.row) + "行目: " + change.text;
}

// Rows come in runs (a row's cells one after the other), so a row's path
// is made once per run rather than once per record.
int ApplyChanges(TrackGrid& grid, UndoList& undo, std::vector<CellChange> changes,
                 const TextWidth* fit) {
  GridBatch batch(grid);
  UndoStepScope step(undo);
  int changed = 0;
  std::array<bool, kColumnCount> touched{};
  int pathRow = -1;
  std::string path;
  for (CellChange& change : changes) {
    const int column = change.column;
    const int row = change.row;
    if (!IsChangeableCell(grid, column, row) || grid.Cell(column, row) == change.text) continue;
    if (row != pathRow) path = grid.FullPathOf(pathRow = row);
    std::string oldText = grid.Cell(column, row);
    grid.SetCell(column, row, std::move(change.text));
    undo.Push({path, *grid.Layout().FieldAt(column), std::move(oldText), grid.Cell(column, row)});
    grid.MarkRowChanged(row);
    touched[static_cast<std::size_t>(column)] = true;
    ++changed;
  }
  for (int c = 0; fit != nullptr && c < kColumnCount; ++c) {
    if (touched[static_cast<std::size_t>(c)]) grid.FitColumnWidth(c, *fit);
  }
  return changed;
}

// Half a paste is harder to put right than none.
std::optional<int> ApplyCheckedChanges(TrackGrid& grid, UndoList& undo, Messages& messages,
                                       std::vector<CellChange> changes, const TextWidth* fit) {
  if (const CellChange* bad = FirstBadNumber(grid, changes)) {
    messages.msgbox(MSG_BAD_NUMBER, DescribeChange(grid, *bad));
    return std::nullopt;
  }
  return ApplyChanges(grid, undo, std::move(changes), fit);
}

}  // namespace quilmark
