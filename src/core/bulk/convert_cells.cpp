#include "bulk/convert_cells.h"

#include "tracklist/edit_commands.h"
#include "tracklist/track_grid.h"

namespace quilmark {

std::vector<CellChange> PlanConversion(const TrackGrid& grid, const CellBlock& block,
                                       platform::TextConversion conversion) {
  const platform::TextConverter converter(conversion);
  std::vector<CellChange> changes;
  const std::vector<int> columns = ShownColumnsOf(grid.Layout(), block);
  for (int row : FileRowsOf(grid, block)) {
    for (int column : columns) {
      if (!IsChangeableCell(grid, column, row)) continue;
      const std::string& text = grid.Cell(column, row);
      std::string converted = converter.Apply(text);
      if (converted != text) changes.push_back({column, row, std::move(converted)});
    }
  }
  return changes;
}

std::string ConversionStatusText(int cells) {
  if (cells == 0) return "変換するセルはありませんでした。";
  return std::to_string(cells) + " 個のセルを変換しました。";
}

}  // namespace quilmark
