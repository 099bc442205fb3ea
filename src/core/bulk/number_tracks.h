// Track numbers for the chosen rows, in the order the grid shows them.
#pragma once

#include <string>
#include <vector>

#include "tracklist/cell_changes.h"

namespace quilmark {

class TrackGrid;

struct NumberingOptions {
  int start = 1;
  bool withTotal = false;  // "3/12": the number, "/" and the last number given
  int digits = 0;          // leading zeros up to this many digits (0: none)
  bool selectedRowsOnly = false;
};

// The text of number `n` when `last` is the last number given.
std::string TrackNumberText(int n, int last, const NumberingOptions& options);

// The No. cells of the rows, numbered from `start` in the order given.
// "n/total" is the form ID3v2 gives a track and its total, so these texts
// are not held to the digits-only rule of typed numbers.
std::vector<CellChange> PlanNumbering(const TrackGrid& grid, const std::vector<int>& rows,
                                      const NumberingOptions& options);

// "12 行に番号を付けました。"
std::string NumberingStatusText(int rows);

}  // namespace quilmark
