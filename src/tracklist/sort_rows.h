// Sorting the track list by one column.
#pragma once

namespace quilmark {

class TrackGrid;

// Orders the rows ascending by the text of `column`, then by the rest of
// the row (every cell from colWork on), comparing case-insensitively in
// the user's locale; rows are renumbered 1..n, every cell (the changed mark
// included) moves with its row. An empty list is left alone.
void SortRowsByColumn(TrackGrid& grid, int column);

}  // namespace quilmark
