// A block of cells on the clipboard, in the form spreadsheets exchange:
// one line per row, the cells of a row separated by tabs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tracklist/cell_block.h"
#include "tracklist/cell_changes.h"

namespace quilmark {

class TrackGrid;

// The texts of the block's shown columns, a row per line ("\n" between
// lines, none after the last). The path and file name are copied too.
std::string BlockText(const TrackGrid& grid, const CellBlock& block);

// Tab- and line-separated text as rows of cells. Any line end ("\r\n",
// "\n", "\r") ends a row; a line end at the very end adds no row.
std::vector<std::vector<std::string>> SplitSheetText(std::string_view text);

// What pasting `text` into the block does. A single line fills every row
// of the block, and a single value every cell of it. Several lines go
// from the block's top-left cell on, one row each, the way a spreadsheet
// pastes: past the block where the text is larger, never past the last row
// or the last shown column. Shown columns are filled in screen order; the
// path and file name take no value (theirs is passed over).
std::vector<CellChange> PlanPaste(const TrackGrid& grid, const CellBlock& block,
                                  std::string_view text);

// Every changeable cell of the block, emptied.
std::vector<CellChange> PlanClear(const TrackGrid& grid, const CellBlock& block);

}  // namespace quilmark
