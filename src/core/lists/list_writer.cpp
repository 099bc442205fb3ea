#include "lists/list_writer.h"

#include <string_view>

#include "lists/csv_columns.h"
#include "lists/list_entry.h"
#include "lists/list_text.h"
#include "platform/paths.h"
#include "text/comma_text.h"

namespace quilmark {

namespace {

std::string WrittenPath(const TrackGrid& grid, int row, const ListWriteOptions& options,
                        const std::string& baseFolder) {
  std::string path = grid.FullPathOf(row);
  return options.relativePaths ? MakeRelativePath(baseFolder, path) : path;
}

// The folder relative paths start from: the written file's own, absolute.
std::string BaseFolderOf(const std::string& fileName) {
  return platform::FolderPart(platform::FullPath(fileName));
}

std::vector<Field> CsvFields(const TrackGrid& grid, const ListWriteOptions& options) {
  std::vector<Field> fields;
  // Positions 5 and 6 hold the path and file name in every sane layout;
  // whatever stands there is never a column of its own.
  for (int p = kFirstFieldPosition + 2; p <= kLastFieldPosition; ++p) {
    const std::optional<Field> f = grid.Layout().FieldAt(p);
    if (!f || *f == colPath || *f == colFile) continue;
    if (options.csvColumns[CsvColumnIndex(*f)]) fields.push_back(*f);
  }
  return fields;
}

void AppendValue(std::string& line, bool first, std::string_view value) {
  if (!first) line += ',';
  // An empty value among others is nothing between two commas.
  if (!value.empty()) AppendCommaItem(line, value);
}

}  // namespace

ListKind ListKindOf(const std::string& fileName) {
  const std::string extension = platform::UpperExtension(fileName);
  if (extension == ".M3U" || extension == ".M3U8" || extension == ".PLS") return ListKind::Playlist;
  if (extension == ".CSV") return ListKind::Csv;
  return ListKind::None;
}

std::vector<std::string> PlaylistLines(const TrackGrid& grid, const ListWriteOptions& options,
                                       const std::string& baseFolder) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(grid.RowCount()));
  for (int row = 1; row < grid.RowCount(); ++row)
    lines.push_back(WrittenPath(grid, row, options, baseFolder));
  return lines;
}

std::vector<std::string> CsvListLines(const TrackGrid& grid, const ListWriteOptions& options,
                                      const std::string& baseFolder) {
  const std::vector<Field> fields = CsvFields(grid, options);
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(grid.RowCount()));

  std::string line(kCsvPathWrittenName);
  for (Field f : fields) {
    line += ',';
    line += kCsvColumns[CsvColumnIndex(f)].writtenName;
  }
  lines.push_back(std::move(line));

  for (int row = 1; row < grid.RowCount(); ++row) {
    line.clear();
    const std::string path = WrittenPath(grid, row, options, baseFolder);
    // A line of one empty value needs the quotes to hold a field at all.
    if (fields.empty() && path.empty()) line = "\"\"";
    AppendValue(line, true, path);
    for (Field f : fields) {
      const std::string& cell = grid.FieldCell(f, row);
      AppendValue(line, false, cell.empty() ? std::string_view(" ") : std::string_view(cell));
    }
    lines.push_back(line);
  }
  return lines;
}

ListWriteResult WriteCsvList(const TrackGrid& grid, const ListWriteOptions& options,
                             const std::string& fileName) {
  return WriteListFile(fileName, CsvListLines(grid, options, BaseFolderOf(fileName)));
}

ListWriteResult WritePlaylist(const TrackGrid& grid, const ListWriteOptions& options,
                              const std::string& fileName) {
  const std::vector<std::string> lines = PlaylistLines(grid, options, BaseFolderOf(fileName));
  // A playlist has one path a line: a name with a line break in it would
  // come back as two entries.
  for (const std::string& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) {
      return {false, fileName + "\n改行を含むファイル名はプレイリストに書き込めません。\n" + line};
    }
  }
  return WriteListFile(fileName, lines);
}

ListWriteResult WriteList(const TrackGrid& grid, const ListWriteOptions& options,
                          const std::string& fileName) {
  switch (ListKindOf(fileName)) {
    case ListKind::Playlist:
      return WritePlaylist(grid, options, fileName);
    case ListKind::Csv:
      return WriteCsvList(grid, options, fileName);
    case ListKind::None:
      break;
  }
  return {};
}

}  // namespace quilmark
