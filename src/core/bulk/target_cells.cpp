#include "bulk/target_cells.h"

#include "tracklist/track_grid.h"

namespace quilmark {

std::vector<int> TargetRows(const TrackGrid& grid, const CellBlock& block, bool selectedOnly) {
  return FileRowsOf(grid, selectedOnly ? block : WholeList(grid));
}

std::vector<Field> ChangeableFields() {
  std::vector<Field> fields;
  for (std::size_t k = 0; k < kFieldCount; ++k) {
    const Field f = FieldOfIndex(k);
    if (f != colPath && f != colFile) fields.push_back(f);
  }
  return fields;
}

std::vector<Field> SelectedFields(const TrackGrid& grid, const CellBlock& block) {
  const ColumnLayout& layout = grid.Layout();
  std::vector<Field> fields;
  for (int p : ShownColumnsOf(layout, block.IsSingleCell() ? WholeList(grid) : block)) {
    const Field f = *layout.FieldAt(p);
    if (f != colPath && f != colFile) fields.push_back(f);
  }
  return fields;
}

}  // namespace quilmark
