// The edit commands' effect on the document, without questions or the
// in-place editor (TrackEditor adds those). Each change of a cell's value
// is recorded in the undo list and marks its row.
#pragma once

#include <string>
#include <vector>

#include "ui/file_report.h"

namespace quilmark {

class TrackGrid;
class UndoList;

// A row that holds a file: 1..last, never the placeholder row.
bool IsFileRow(const TrackGrid& grid, int row);

// Whether the user's commands may change the cell: a tag field of a row
// that holds a file. The path and file name say which file a save writes,
// so they never change once read.
bool IsChangeableCell(const TrackGrid& grid, int column, int row);

// Records the change of cell (column, row) from `oldText` to what it holds
// now, under the row's file and the column's field.
void RecordChange(const TrackGrid& grid, UndoList& undo, int column, int row, std::string oldText);

// Sets a cell as the user's change: sets, records the old text, marks.
// Nothing on a cell that is not changeable (see above).
void ChangeCell(TrackGrid& grid, UndoList& undo, int column, int row, std::string text);

// What an Undo or a Redo did.
struct StepResult {
  bool moved = false;  // a step was undone (redone), at least in part
  // Renames the file system refused: they stay where they were, as a step
  // of their own, to be tried again.
  std::vector<FileReportLine> refused;
};

// Puts the old texts of the newest step back, each into its file's row
// in its field wherever that column now stands, newest record first, and
// renames its renamed files back. Records whose file is no longer listed
// (row removed, list cleared) are passed by; a step none of whose files is
// listed is dropped on the way.
StepResult UndoLastChange(TrackGrid& grid, UndoList& undo);

// Brings back the new texts and names of the step Undo took last, oldest
// record first, under the same rules.
StepResult RedoLastChange(TrackGrid& grid, UndoList& undo);

// Copies cell (column, row) into the same column of every other file row,
// or of the rows given (when not empty), as one undo step.
void FillColumn(TrackGrid& grid, UndoList& undo, int column, int row,
                const std::vector<int>& rows = {});

// Empties every cell of the row except the row number, path and file name,
// and marks it changed (tagerasertn). No undo record.
void EraseRowTags(TrackGrid& grid, int row);

}  // namespace quilmark
