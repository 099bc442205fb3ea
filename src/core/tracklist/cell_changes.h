// Changes of many cells planned first and applied as one command: checked
// as a whole, then set, recorded as one undo step and repainted once.
#pragma once

#include <string>
#include <vector>

namespace quilmark {

class TrackGrid;
class UndoList;

// The new text of one cell, by grid position.
struct CellChange {
  int column = 0;
  int row = 0;
  std::string text;

  friend bool operator==(const CellChange&, const CellChange&) = default;
};

// The first change that would put anything but digits into a numeric
// column (No., Year, BPM, Org year), or null: a command whose values do
// not fit is refused as a whole rather than done in part.
const CellChange* FirstBadNumber(const TrackGrid& grid, const std::vector<CellChange>& changes);

// The cell a change addresses, for the first line of a message: the
// column's header, the row number and the text ("年 3行目: abc").
std::string DescribeChange(const TrackGrid& grid, const CellChange& change);

// Sets every changeable cell (a tag field of a file's row) whose text
// differs, records each as part of one undo step and marks its row.
// Returns how many cells changed.
int ApplyChanges(TrackGrid& grid, UndoList& undo, const std::vector<CellChange>& changes);

}  // namespace quilmark
