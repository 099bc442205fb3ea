// The cells the user selected: one rectangle of the grid, as the screen
// shows it. Hidden columns inside it are not part of what the user sees,
// so the commands pass them by.
#pragma once

#include <vector>

namespace quilmark {

class TrackGrid;
struct ColumnLayout;

struct CellBlock {
  int left = 0, top = 0, right = 0, bottom = 0;  // grid positions and rows, inclusive

  static CellBlock At(int column, int row) { return {column, row, column, row}; }
  bool IsSingleCell() const { return left == right && top == bottom; }
  bool SpansRows() const { return bottom > top; }
  bool Contains(int column, int row) const {
    return column >= left && column <= right && row >= top && row <= bottom;
  }
  friend bool operator==(const CellBlock&, const CellBlock&) = default;
};

// The block's field columns that are shown, left to right.
std::vector<int> ShownColumnsOf(const ColumnLayout& layout, const CellBlock& block);
// The block's rows that hold a file, top to bottom.
std::vector<int> FileRowsOf(const TrackGrid& grid, const CellBlock& block);
// Every field column and every row of the list.
CellBlock WholeList(const TrackGrid& grid);

}  // namespace quilmark
