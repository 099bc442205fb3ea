#include "tracklist/edit_commands.h"

#include <utility>

#include "tracklist/track_grid.h"
#include "tracklist/undo_list.h"

namespace quilmark {

bool IsFileRow(const TrackGrid& grid, int row) {
  return row >= 1 && row < grid.RowCount() && !grid.Cell(colRowNo, row).empty();
}

bool IsChangeableCell(const TrackGrid& grid, int column, int row) {
  if (!IsFileRow(grid, row)) return false;
  const std::optional<Field> field = grid.Layout().FieldAt(column);
  return field && *field != colPath && *field != colFile;
}

void RecordChange(const TrackGrid& grid, UndoList& undo, int column, int row, std::string oldText) {
  const std::optional<Field> field = grid.Layout().FieldAt(column);
  if (!field) return;
  undo.Push({grid.FullPathOf(row), *field, std::move(oldText), grid.Cell(column, row)});
}

// The placeholder row holds no file: a "changed" mark there would make the
// save and close checks try to write a file that does not exist.
void ChangeCell(TrackGrid& grid, UndoList& undo, int column, int row, std::string text) {
  if (!IsChangeableCell(grid, column, row)) return;
  std::string oldText = grid.Cell(column, row);
  grid.SetCell(column, row, std::move(text));
  RecordChange(grid, undo, column, row, std::move(oldText));
  grid.MarkRowChanged(row);
}

// The restored cell is marked changed: once its row was written, the
// restored text differs from the file, and an unmarked row would lose it
// silently at the next close.
bool UndoLastChange(TrackGrid& grid, UndoList& undo) {
  while (!undo.Empty()) {
    const UndoRecord record = undo.Last();
    undo.PopLast();
    const int row = grid.RowOfPath(record.file);
    if (row < 1) continue;
    const int column = grid.Layout().Position(record.field);
    const bool differs = grid.Cell(column, row) != record.oldText;
    grid.SetCell(column, row, record.oldText);
    if (differs) grid.MarkRowChanged(row);
    return true;
  }
  return false;
}

void FillColumn(TrackGrid& grid, UndoList& undo, int column, int row) {
  if (!IsChangeableCell(grid, column, row)) return;
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
