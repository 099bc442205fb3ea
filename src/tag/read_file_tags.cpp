#include "tag/read_file_tags.h"

#include "platform/paths.h"
#include "tag/row_tag_values.h"
#include "tag/tag_file.h"

namespace quilmark {

int ReadFileTags(TrackGrid& grid, const std::string& path, Messages& messages) {
  if (grid.ContainsPath(path)) return -1;
  std::optional<TagValues> values = ReadTagValues(path);
  if (!values) {
    messages.msgbox(MSG_CANNOT_WRITE, path);
    return -1;
  }
  const int row = grid.AppendRow();
  // The whole row in one change: one update of the path index, one round of
  // notifications.
  TrackGrid::Row cells = grid.RowCells(row);
  const ColumnLayout& layout = grid.Layout();
  cells[static_cast<std::size_t>(layout.Position(colPath))] = platform::FolderPart(path);
  cells[static_cast<std::size_t>(layout.Position(colFile))] = platform::FileNamePart(path);
  FillRowFromTagValues(cells, layout, *values);
  grid.SetRowCells(row, std::move(cells));
  return row;
}

}  // namespace quilmark
