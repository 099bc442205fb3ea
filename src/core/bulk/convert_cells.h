// A text conversion over the selected cells.
#pragma once

#include <string>
#include <vector>

#include "platform/text_transform.h"
#include "tracklist/cell_block.h"
#include "tracklist/cell_changes.h"

namespace quilmark {

class TrackGrid;

// The changeable cells of the block (its shown columns, its file rows)
// whose text the conversion changes, with their new texts.
std::vector<CellChange> PlanConversion(const TrackGrid& grid, const CellBlock& block,
                                       platform::TextConversion conversion);

// "3 個のセルを変換しました。", or "変換するセルはありませんでした。".
std::string ConversionStatusText(int cells);

}  // namespace quilmark
