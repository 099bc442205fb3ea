#include "tracklist/edit_commands.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>

#include "tracklist/row_renames.h"
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

namespace {

// Puts one side of each record back: its old text and pictures (undo) or
// its new ones (redo). Finding rows by path is linear, so a step of many
// records looks each file up in a table made once.
bool ApplyRecords(TrackGrid& grid, const UndoStep& step, bool undoing) {
  const bool many = step.cells.size() + step.pictures.size() > 1;
  std::unordered_map<std::string, int> rowOf;
  if (many) {
    for (int row = grid.RowCount() - 1; row >= 1; --row) rowOf[grid.FullPathOf(row)] = row;
  }
  auto find = [&](const std::string& file) {
    if (!many) return grid.RowOfPath(file);
    const auto it = rowOf.find(file);
    return it == rowOf.end() || file.empty() ? -1 : it->second;
  };
  GridBatch batch(grid);
  bool applied = false;
  const std::size_t count = step.cells.size();
  for (std::size_t i = 0; i < count; ++i) {
    const UndoRecord& record = step.cells[undoing ? count - 1 - i : i];
    const int row = find(record.file);
    if (row < 1) continue;
    const int column = grid.Layout().Position(record.field);
    const std::string& text = undoing ? record.oldText : record.newText;
    const bool differs = grid.Cell(column, row) != text;
    grid.SetCell(column, row, text);
    if (differs) grid.MarkRowChanged(row);
    applied = true;
  }
  // Pictures are marked whatever they were: the file may hold either side.
  for (const PictureUndoRecord& record : step.pictures) {
    const int row = find(record.file);
    if (row < 1) continue;
    grid.SetPicturesOf(row, record.kind, undoing ? record.oldPictures : record.newPictures);
    grid.MarkRowChanged(row);
    applied = true;
  }
  return applied;
}

// Renames the step's files back (undo, newest first) or again (redo).
// The step keeps what was done or passed by; what the file system refused
// goes into `refused` as a step of its own.
bool ApplyRenames(TrackGrid& grid, UndoList& undo, UndoStep& step, bool undoing,
                  UndoStep& refusedStep, StepResult& result) {
  if (step.renames.empty()) return false;
  std::vector<RenameRecord> asked;
  const std::size_t count = step.renames.size();
  for (std::size_t i = 0; i < count; ++i) {
    const RenameRecord& r = step.renames[undoing ? count - 1 - i : i];
    asked.push_back(undoing ? RenameRecord{r.to, r.from} : r);
  }
  RowRenames renamed = RenameRowFiles(grid, undo, asked);
  step.FilesRenamed(renamed.done);
  std::vector<RenameRecord> kept;
  bool applied = false;
  for (std::size_t i = 0; i < count; ++i) {
    const RenameRecord& r = step.renames[undoing ? count - 1 - i : i];
    if (renamed.outcomes[i] == RenameOutcome::Refused) {
      refusedStep.renames.push_back(r);
    } else {
      kept.push_back(r);
      applied = applied || renamed.outcomes[i] == RenameOutcome::Done;
    }
  }
  if (undoing) {
    std::reverse(kept.begin(), kept.end());
    std::reverse(refusedStep.renames.begin(), refusedStep.renames.end());
  }
  step.renames = std::move(kept);
  result.refused = std::move(renamed.refused);
  return applied;
}

// A restored cell is marked changed: once its row was written, the
// restored text differs from the file, and an unmarked row would lose it
// silently at the next close. A step none of whose files is listed any
// more is dropped on the way; one whose renames were refused stops the
// way there, so that nothing older is taken back behind the user's back.
StepResult MoveOneStep(TrackGrid& grid, UndoList& undo, bool undoing) {
  StepResult result;
  while (std::optional<UndoStep> step = undoing ? undo.TakeUndo() : undo.TakeRedo()) {
    UndoStep refused;
    // Cell and picture records name files by their paths of the moment, so
    // they are taken back before the step's renames and brought back after.
    bool applied = undoing && ApplyRecords(grid, *step, true);
    applied = ApplyRenames(grid, undo, *step, undoing, refused, result) || applied;
    if (!undoing) applied = ApplyRecords(grid, *step, false) || applied;
    if (applied) {
      if (undoing) {
        undo.MoveToRedo(std::move(*step));
      } else {
        undo.MoveToUndo(std::move(*step));
      }
    }
    if (!refused.Empty()) {
      if (undoing) {
        undo.MoveToUndo(std::move(refused));
      } else {
        undo.MoveToRedo(std::move(refused));
      }
    }
    result.moved = applied;
    if (applied || !result.refused.empty()) break;
  }
  return result;
}

}  // namespace

StepResult UndoLastChange(TrackGrid& grid, UndoList& undo) { return MoveOneStep(grid, undo, true); }

StepResult RedoLastChange(TrackGrid& grid, UndoList& undo) {
  return MoveOneStep(grid, undo, false);
}

void FillColumn(TrackGrid& grid, UndoList& undo, int column, int row,
                const std::vector<int>& rows) {
  if (!IsChangeableCell(grid, column, row)) return;
  const std::string text = grid.Cell(column, row);
  std::vector<int> every;
  if (rows.empty()) {
    for (int i = 1; i < grid.RowCount(); ++i) every.push_back(i);
  }
  GridBatch batch(grid);
  UndoStepScope step(undo);
  for (int i : rows.empty() ? every : rows) {
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
