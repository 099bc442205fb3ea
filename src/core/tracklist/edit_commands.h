// The edit commands' effect on the document, without questions or the
// in-place editor (TrackEditor adds those). Each change of a cell's value
// is recorded in the undo list and marks its row.
#pragma once

#include <string>

namespace quilmark {

class TrackGrid;
class UndoList;

// A row that holds a file: 1..last, never the placeholder row.
bool IsFileRow(const TrackGrid& grid, int row);

// Sets a cell as the user's change: records the old text, sets, marks.
// Nothing on a row that holds no file.
void ChangeCell(TrackGrid& grid, UndoList& undo, int column, int row, std::string text);

// Puts the last record's text back. Records whose cell no longer exists
// (rows removed, list cleared) are dropped on the way. Returns whether a
// cell was restored.
bool UndoLastChange(TrackGrid& grid, UndoList& undo);

// Copies cell (column, row) into the same column of every other file row.
void FillColumn(TrackGrid& grid, UndoList& undo, int column, int row);

// Empties every cell of the row except the row number, path and file name,
// and marks it changed (tagerasertn). No undo record.
void EraseRowTags(TrackGrid& grid, int row);

}  // namespace quilmark
