#include "tracklist/edit_commands.h"

#include <utility>

#include "tracklist/track_grid.h"
#include "tracklist/undo_list.h"

namespace quilmark {

bool IsFileRow(const TrackGrid& grid, int row) {
  return row >= 1 && row < grid.RowCount() && !grid.Cell(colRowNo, row).empty();
}

// The placeholder row holds no file: a "changed" mark there would make the
// save and close checks try to write a file that does not exist.
void ChangeCell(TrackGrid& grid, UndoList& undo, int column, int row, std::string text) {
  if (!IsFileRow(grid, row) || column < 0 || column >= kColumnCount) return;
  undo.Push(grid.Cell(column, row), column, row);
  grid.SetCell(column, row, std::move(text));
  grid.MarkRowChanged(row);
}

// A record addresses a cell by where it was; after rows were removed or the
// list cleared that cell may be gone, and writing there would put text into
// the placeholder row or past the end. Such records are dropped.
//
// The restored cell is marked changed: once its row was written, the
// restored text differs from the file, and an unmarked row would lose it
// silently at the next close.
bool UndoLastChange(TrackGrid& grid, UndoList& undo) {
  while (!undo.Empty()) {
    const std::optional<UndoRecord> record = undo.Last();
    undo.PopLast();
    if (!record || record->column < 0 || record->column >= kColumnCount ||
        !IsFileRow(grid, record->row)) {
      continue;
    }
    const bool differs = grid.Cell(record->column, record->row) != record->text;
    grid.SetCell(record->column, record->row, record->text);
    if (differs) grid.MarkRowChanged(record->row);
    return true;
  }
  return false;
}

void FillColumn(TrackGrid& grid, UndoList& undo, int column, int row) {
  if (!IsFileRow(grid, row) || column < 0 || column >= kColumnCount) return;
  const std::string text = grid.Cell(column, row);
  for (int i = 1; i < grid.RowCount(); ++i) {
    if (i != row) ChangeCell(grid, undo, column, i, text);
  }
}

void EraseRowTags(TrackGrid& grid, int row) {
  if (!IsFileRow(grid, row)) return;
  const ColumnLayout& layout = grid.Layout();
  const int path = layout.Position(colPath);
  const int file = layout.Position(colFile);
  for (int c = 0; c < kColumnCount; ++c) {
    if (c == colRowNo || c == colChanged || c == path || c == file) continue;
    grid.SetCell(c, row, std::string());
  }
  grid.MarkRowChanged(row);
}

}  // namespace quilmark
