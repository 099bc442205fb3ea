// Which cells a command over many cells works on: the selected rows or
// every row, and the fields the user may change.
#pragma once

#include <vector>

#include "tracklist/cell_block.h"
#include "tracklist/columns.h"

namespace quilmark {

class TrackGrid;

// The file rows of the block when `selectedOnly`, else every file row.
std::vector<int> TargetRows(const TrackGrid& grid, const CellBlock& block, bool selectedOnly);

// The fields a command may change: every one but the path and file name,
// in letter order.
std::vector<Field> ChangeableFields();

// The changeable fields the selection shows: those of the block when it is
// more than one cell, else every shown one.
std::vector<Field> SelectedFields(const TrackGrid& grid, const CellBlock& block);

}  // namespace quilmark
