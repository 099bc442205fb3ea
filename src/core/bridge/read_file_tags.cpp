#include "bridge/read_file_tags.h"

#include <utility>

#include "bridge/row_tag_values.h"
#include "platform/paths.h"
#include "tag/tag_file.h"

namespace quilmark {

RowAddResult ReadFileTags(TrackGrid& grid, const std::string& path) {
  using Status = RowAddResult::Status;
  if (grid.ContainsPath(path)) return {Status::AlreadyListed, -1, {}};
  platform::IoResult<TagValues> values = ReadTagValues(path);
  if (!values) return {Status::Unreadable, -1, values.Error().Reason()};
  const int row = grid.AppendRow();
  // The whole row in one change: one update of the path index, one round of
  // notifications.
  TrackGrid::Row cells = grid.RowCells(row);
  const ColumnLayout& layout = grid.Layout();
  cells[static_cast<std::size_t>(layout.Position(colPath))] = platform::FolderPart(path);
  cells[static_cast<std::size_t>(layout.Position(colFile))] = platform::FileNamePart(path);
  FillRowFromTagValues(cells, layout, *values);
  grid.SetRowCells(row, std::move(cells));
  return {Status::Added, row, {}};
}

}  // namespace quilmark
