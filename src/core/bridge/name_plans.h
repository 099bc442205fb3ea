// What tags from file names and file names from tags would do to each
// row, worked out before anything changes: the preview the user confirms,
// and the cell changes or renames that carry it out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "bridge/name_pattern.h"
#include "tracklist/cell_changes.h"
#include "tracklist/undo_list.h"

namespace quilmark {

class TrackGrid;

enum class NameRowStatus {
  Changes,
  Unchanged,
  NoMatch,       // the file name does not fit the pattern
  NotANumber,    // a value for No., Year, BPM or Org year is not all digits
  NameTaken,     // another file has the new name, and keeps it
  SameNewName,   // a row above gets the same new name
  EmptyName,     // the pattern's fields are all empty, or nothing is left
  NamesSwapped,  // rows would take each other's names in a ring
};

// The status in words, as the preview and quilmark-cli show it.
std::string_view StatusText(NameRowStatus status);

struct TagsFromNamesPlan {
  std::string error;  // the pattern's; then nothing else is planned
  std::vector<Field> fields;
  struct Row {
    int row = 0;
    std::vector<std::string> values;  // by `fields`, when the name fits
    NameRowStatus status = NameRowStatus::NoMatch;
  };
  std::vector<Row> rows;
  std::vector<CellChange> changes;  // of the rows whose status is Changes
};

// The rows' file names (without the extension) read through the pattern.
TagsFromNamesPlan PlanTagsFromNames(const TrackGrid& grid, const std::vector<int>& rows,
                                    std::string_view pattern);

struct RenamePlan {
  std::string error;
  struct Row {
    int row = 0;
    std::string from, to;  // full paths; `to` empty when no name is left
    NameRowStatus status = NameRowStatus::Unchanged;
  };
  std::vector<Row> rows;
  // The renames of the rows whose status is Changes, each after the one
  // that frees its new name.
  std::vector<RenameRecord> renames;
};

// New names from the pattern filled with the rows' cells, made portable,
// the old extension kept, in the same folder. A name that a file not
// being renamed away holds, on disk or in the list, is never taken.
RenamePlan PlanRenames(const TrackGrid& grid, const std::vector<int>& rows,
                       std::string_view pattern);

// The table a preview shows: a header and a line per row.
struct NamePreview {
  std::string error;
  std::vector<std::string> headers;
  std::vector<std::vector<std::string>> lines;
  int changing = 0;  // rows that would change
};

NamePreview PreviewOf(const TrackGrid& grid, const TagsFromNamesPlan& plan);
NamePreview PreviewOf(const RenamePlan& plan);

}  // namespace quilmark
