// Sorting the track list by one column.
#pragma once

#include <string>

namespace quilmark {

namespace platform {
class LocaleCollator;
}

class TrackGrid;

// Orders the rows ascending by their sort lines (the comma text of the sort
// key, which is the cell's text followed by 32 spaces, and then of the
// row's 32 cells), compared case-insensitively
// in the user's locale, so the column's text decides first and the rest of
// the row (every cell from colWork on) breaks ties. Rows are renumbered
// 1..n; every other cell, the changed mark included, moves with its row.
// An empty list is left alone.
void SortRowsByColumn(TrackGrid& grid, int column);
// The same with a collator the caller keeps (case ignored).
void SortRowsByColumn(TrackGrid& grid, int column, const platform::LocaleCollator& collator);

}  // namespace quilmark
