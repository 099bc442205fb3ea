// Find and replace over the chosen columns of the chosen rows.
#pragma once

#include <string>
#include <vector>

#include "tracklist/cell_changes.h"
#include "tracklist/columns.h"

namespace quilmark {

class TrackGrid;

struct FindReplaceOptions {
  std::string find;
  std::string replace;
  bool regex = false;          // an ICU regular expression; $1 in `replace` is its first group
  bool caseSensitive = false;  // letter case counts
  std::vector<Field> fields;   // the chosen columns (shown or not)
  bool selectedRowsOnly = false;
};

struct ReplacePlan {
  std::vector<CellChange> changes;  // the cells whose text changes
  int replacements = 0;             // matches replaced, over all cells
  std::string error;                // why the pattern or replacement cannot be used
};

// What replacing in the fields of the rows would do; nothing changes yet.
// An empty `find` finds nothing.
ReplacePlan PlanReplace(const TrackGrid& grid, const std::vector<int>& rows,
                        const FindReplaceOptions& options);

// The status text after a replacement: "3 件置換しました。" or
// "見つかりませんでした。".
std::string ReplaceStatusText(int replacements);

}  // namespace quilmark
