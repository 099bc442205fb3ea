// Changes of many cells planned first and applied as one command: checked
// as a whole, then set, recorded as one undo step and repainted once.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quilmark {

class Messages;
class TextWidth;
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
// not fit is refused as a whole rather than done in part. As in typing, a
// text the file gave ("3/12") may change as long as it gains no other
// character than digits.
const CellChange* FirstBadNumber(const TrackGrid& grid, const std::vector<CellChange>& changes);

// The cell a change addresses, for the first line of a message: the
// column's header, the row number and the text ("年 3行目: abc").
std::string DescribeChange(const TrackGrid& grid, const CellChange& change);

// Sets every changeable cell (a tag field of a file's row) whose text
// differs, records each as part of one undo step and marks its row; with
// `fit`, the columns that changed are fitted to their texts. Returns how
// many cells changed.
int ApplyChanges(TrackGrid& grid, UndoList& undo, std::vector<CellChange> changes,
                 const TextWidth* fit = nullptr);

// ApplyChanges once no change fails the numeric rule; else the first that
// does is named in MSG_BAD_NUMBER, nothing changes and the result is empty.
std::optional<int> ApplyCheckedChanges(TrackGrid& grid, UndoList& undo, Messages& messages,
                                       std::vector<CellChange> changes,
                                       const TextWidth* fit = nullptr);

}  // namespace quilmark
