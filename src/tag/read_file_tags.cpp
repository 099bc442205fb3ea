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
  grid.SetFieldCell(colPath, row, platform::FolderPart(path));
  grid.SetFieldCell(colFile, row, platform::FileNamePart(path));
  FillRowFromTagValues(grid, row, *values);
  return row;
}

}  // namespace quilmark
