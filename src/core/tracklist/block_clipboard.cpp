#include "tracklist/block_clipboard.h"

#include "tracklist/edit_commands.h"
#include "tracklist/track_grid.h"

namespace quilmark {

std::string BlockText(const TrackGrid& grid, const CellBlock& block) {
  const std::vector<int> columns = ShownColumnsOf(grid.Layout(), block);
  std::string text;
  for (int row = block.top; row <= block.bottom && row < grid.RowCount(); ++row) {
    if (row > block.top) text += '\n';
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) text += '\t';
      text += grid.Cell(columns[i], row);
    }
  }
  return text;
}

std::vector<std::vector<std::string>> SplitSheetText(std::string_view text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> cells(1);
  std::size_t i = 0;
  while (i < text.size()) {
    const char ch = text[i++];
    if (ch == '\t') {
      cells.emplace_back();
    } else if (ch == '\r' || ch == '\n') {
      if (ch == '\r' && i < text.size() && text[i] == '\n') ++i;
      rows.push_back(std::move(cells));
      cells.assign(1, std::string());
    } else {
      cells.back() += ch;
    }
  }
  if (text.empty() || (text.back() != '\n' && text.back() != '\r'))
    rows.push_back(std::move(cells));
  return rows;
}

namespace {

void Add(const TrackGrid& grid, std::vector<CellChange>& changes, int column, int row,
         const std::string& text) {
  if (IsChangeableCell(grid, column, row)) changes.push_back({column, row, text});
}

}  // namespace

std::vector<CellChange> PlanPaste(const TrackGrid& grid, const CellBlock& block,
                                  std::string_view text) {
  const std::vector<std::vector<std::string>> lines = SplitSheetText(text);
  std::vector<CellChange> changes;
  if (lines.empty()) return changes;
  const std::vector<int> blockColumns = ShownColumnsOf(grid.Layout(), block);
  if (lines.size() == 1 && lines[0].size() == 1) {
    for (int row : FileRowsOf(grid, block)) {
      for (int column : blockColumns) Add(grid, changes, column, row, lines[0][0]);
    }
    return changes;
  }
  const std::vector<int> columns =
      ShownColumnsOf(grid.Layout(), {block.left, block.top, kLastFieldPosition, block.bottom});
  const int lastRow = grid.IsEmptyList() ? 0 : grid.RowCount() - 1;
  const int rowsToFill =
      lines.size() == 1 ? block.bottom - block.top + 1 : static_cast<int>(lines.size());
  for (int i = 0; i < rowsToFill && block.top + i <= lastRow; ++i) {
    const std::vector<std::string>& line = lines.size() == 1 ? lines[0] : lines[i];
    for (std::size_t j = 0; j < line.size() && j < columns.size(); ++j) {
      Add(grid, changes, columns[j], block.top + i, line[j]);
    }
  }
  return changes;
}

std::vector<CellChange> PlanClear(const TrackGrid& grid, const CellBlock& block) {
  std::vector<CellChange> changes;
  const std::vector<int> columns = ShownColumnsOf(grid.Layout(), block);
  for (int row : FileRowsOf(grid, block)) {
    for (int column : columns) Add(grid, changes, column, row, std::string());
  }
  return changes;
}

}  // namespace quilmark
