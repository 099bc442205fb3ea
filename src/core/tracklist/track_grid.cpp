#include "tracklist/track_grid.h"

#include <algorithm>
#include <utility>

#include "platform/paths.h"
#include "text/comma_text.h"
#include "ui/text_width.h"

namespace quilmark {

namespace {

constexpr int kDefaultColumnWidth = 16;
// The positions the show all / hide all commands set.
constexpr int kFirstTagPosition = 7;

const std::string& EmptyText() {
  static const std::string empty;
  return empty;
}

}  // namespace

TrackGrid::TrackGrid(ColumnLayout layout) : layout_(std::move(layout)) {
  rows_.resize(2);
  for (int p = 0; p < kColumnCount; ++p) {
    widths_[p] = layout_.ColumnVisible[p] ? kDefaultColumnWidth : -1;
  }
  ApplyColumnTitles();
  RebuildIndex();
}

// --- cells

const std::string& TrackGrid::Cell(int column, int row) const {
  if (column < 0 || column >= kColumnCount || row < 0 || row >= RowCount()) return EmptyText();
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void TrackGrid::SetCell(int column, int row, std::string text) {
  if (column < 0 || column >= kColumnCount || row < 0 || row >= RowCount()) return;
  Row& cells = rows_[static_cast<std::size_t>(row)];
  std::string& cell = cells[static_cast<std::size_t>(column)];
  if (cell == text) return;
  const bool indexed = row >= 1 && IsPathColumn(column);
  const std::string from = indexed ? EditedPathOf(row) : std::string();
  if (indexed) IndexRemove(cells);
  cell = std::move(text);
  if (indexed) {
    IndexAdd(cells);
    KeptByPathFollows(from, row);
  }
  NotifyCell(column, row);
}

void TrackGrid::SetRowCells(int row, Row cells) {
  if (row < 0 || row >= RowCount()) return;
  Row& target = rows_[static_cast<std::size_t>(row)];
  const std::string from = row >= 1 ? EditedPathOf(row) : std::string();
  if (row >= 1) IndexRemove(target);
  std::swap(target, cells);  // `cells` now holds the old texts
  if (row >= 1) {
    IndexAdd(target);
    KeptByPathFollows(from, row);
  }
  for (int c = 0; c < kColumnCount; ++c) {
    if (target[c] != cells[c]) NotifyCell(c, row);
  }
}

std::string TrackGrid::FullPathOf(int row) const {
  return FieldCell(colPath, row) + FieldCell(colFile, row);
}

bool TrackGrid::ContainsPath(std::string_view fullPath) const {
  if (fullPath.empty()) return false;
  return pathIndex_.find(fullPath) != pathIndex_.end();
}

int TrackGrid::RowOfPath(std::string_view fullPath) const {
  if (!ContainsPath(fullPath)) return -1;
  for (int row = 1; row < RowCount(); ++row) {
    if (FullPathOf(row) == fullPath) return row;
  }
  return -1;
}

void TrackGrid::SetRowPath(int row, std::string_view fullPath) {
  if (row < 1 || row >= RowCount()) return;
  Row cells = RowCells(row);
  cells[static_cast<std::size_t>(layout_.Position(colPath))] = platform::FolderPart(fullPath);
  cells[static_cast<std::size_t>(layout_.Position(colFile))] = platform::FileNamePart(fullPath);
  SetRowCells(row, std::move(cells));
}

bool TrackGrid::IsPathColumn(int column) const {
  return column == layout_.Position(colPath) || column == layout_.Position(colFile);
}

void TrackGrid::IndexAdd(const Row& row) {
  std::string path = row[layout_.Position(colPath)] + row[layout_.Position(colFile)];
  if (!path.empty()) ++pathIndex_[std::move(path)];
}

void TrackGrid::IndexRemove(const Row& row) {
  const std::string path = row[layout_.Position(colPath)] + row[layout_.Position(colFile)];
  if (path.empty()) return;
  auto it = pathIndex_.find(path);
  if (it != pathIndex_.end() && --it->second <= 0) pathIndex_.erase(it);
}

std::string TrackGrid::EditedPathOf(int row) const {
  return pictures_.empty() ? std::string() : FullPathOf(row);
}

// A path no row shows any more takes its picture edit to the path its row
// shows now (a rename), or drops it (a removal, `row` -1): a file added
// later under the old path must not inherit it.
void TrackGrid::KeptByPathFollows(const std::string& from, int row) {
  if (from.empty() || pathIndex_.count(from)) return;
  const std::string to = row >= 1 ? FullPathOf(row) : std::string();
  if (to == from) return;
  auto edit = pictures_.extract(from);
  if (edit.empty() || to.empty()) return;
  edit.key() = to;
  pictures_.insert(std::move(edit));
}

void TrackGrid::RebuildIndex() {
  pathIndex_.clear();
  for (std::size_t r = 1; r < rows_.size(); ++r) IndexAdd(rows_[r]);
  std::erase_if(pictures_, [this](const auto& edit) { return !pathIndex_.count(edit.first); });
}

// --- pictures

const PictureEdit* TrackGrid::PictureEditOf(int row) const {
  const auto it = pictures_.find(FullPathOf(row));
  return it == pictures_.end() ? nullptr : &it->second;
}

void TrackGrid::SetPicturesOf(int row, int kind, std::vector<Picture> pictures) {
  std::string path = FullPathOf(row);
  if (!pathIndex_.count(path)) return;
  pictures_[std::move(path)][kind] = std::move(pictures);
  NotifyPictures(row);
}

void TrackGrid::DropPictureEdit(int row) {
  if (pictures_.erase(FullPathOf(row)) > 0) NotifyPictures(row);
}

// --- rows

void TrackGrid::ExpectMoreRows(std::size_t more) {
  // Only ever to grow it: asked for fewer buckets than it has, the index
  // would be re-hashed smaller, every path again, at each add of one file.
  const std::size_t wanted = pathIndex_.size() + more;
  if (wanted > pathIndex_.bucket_count() * pathIndex_.max_load_factor()) {
    pathIndex_.reserve(wanted);
  }
}

int TrackGrid::AppendRow() {
  if (!rows_.back()[colRowNo].empty()) rows_.emplace_back();
  const int row = RowCount() - 1;
  Row& cells = rows_.back();
  const std::string from = EditedPathOf(row);
  IndexRemove(cells);
  KeptByPathFollows(from, -1);
  cells = Row{};
  cells[colRowNo] = std::to_string(row);
  NotifyAppended(row);
  return row;
}

void TrackGrid::RemoveRow(int row) {
  if (IsEmptyList() || row < 1 || row >= RowCount()) return;
  const std::string from = EditedPathOf(row);
  IndexRemove(rows_[static_cast<std::size_t>(row)]);
  KeptByPathFollows(from, -1);
  if (RowCount() > 2) {
    rows_.erase(rows_.begin() + row);
    Renumber(row);
  } else {
    rows_[1] = Row{};  // the placeholder
  }
  NotifyRowsReset();
}

void TrackGrid::ClearRows() {
  rows_.resize(1);
  rows_.emplace_back();
  RebuildIndex();
  NotifyRowsReset();
}

bool TrackGrid::ReorderRows(const std::vector<int>& newOrder) {
  const int count = FileRowCount();
  if (static_cast<int>(newOrder.size()) != count) return false;
  std::vector<bool> seen(static_cast<std::size_t>(count) + 1, false);
  for (int old : newOrder) {
    if (old < 1 || old > count || seen[static_cast<std::size_t>(old)]) return false;
    seen[static_cast<std::size_t>(old)] = true;
  }
  // Rows move in place, cycle by cycle, each once: a second copy of a large
  // list would cost more in fresh memory than the moves themselves.
  std::vector<bool> placed(static_cast<std::size_t>(count) + 1, false);
  for (std::size_t start = 1; start <= static_cast<std::size_t>(count); ++start) {
    if (placed[start]) continue;
    Row carried = std::move(rows_[start]);
    std::size_t to = start;
    for (;;) {
      placed[to] = true;
      const auto from = static_cast<std::size_t>(newOrder[to - 1]);
      if (from == start) {
        rows_[to] = std::move(carried);
        break;
      }
      rows_[to] = std::move(rows_[from]);
      to = from;
    }
  }
  Renumber(1);
  // The same paths are listed as before, so the index stays as it is.
  NotifyRowsReset();
  return true;
}

void TrackGrid::Renumber(int firstRow) {
  for (int r = std::max(firstRow, 1); r < RowCount(); ++r) {
    rows_[static_cast<std::size_t>(r)][colRowNo] = std::to_string(r);
  }
}

// --- changed mark

void TrackGrid::MarkRowChanged(int row) {
  if (row < 1 || row >= RowCount()) return;
  rows_[static_cast<std::size_t>(row)][colChanged] = "*";
  NotifyMark(row);
}

void TrackGrid::ClearRowChanged(int row) {
  if (row < 1 || row >= RowCount()) return;
  rows_[static_cast<std::size_t>(row)][colChanged].clear();
  NotifyMark(row);
}

int TrackGrid::ChangedRowCount() const {
  int count = 0;
  for (std::size_t r = 1; r < rows_.size(); ++r) {
    if (rows_[r][colChanged] == "*") ++count;
  }
  return count;
}

// --- columns

void TrackGrid::ApplyColumnTitles() {
  Row& header = rows_[0];
  header = Row{};
  for (int p = 0; p < kFixedColumnCount; ++p) header[p] = FixedHeader(p);
  for (int p = kFirstFieldPosition; p <= kLastFieldPosition; ++p) {
    if (const std::optional<Field> field = layout_.FieldAt(p)) header[p] = FieldHeader(*field);
  }
  NotifyColumns();
}

bool TrackGrid::MoveColumn(int from, int to) {
  if (!IsFieldPosition(from) || !IsFieldPosition(to)) return false;
  if (from == to) return true;

  // The dragged column's cells, width and flag travel together; the columns
  // in between shift by one towards where it came from.
  auto move = [from, to](auto first) {
    if (from < to) {
      std::rotate(first + from, first + from + 1, first + to + 1);
    } else {
      std::rotate(first + to, first + from, first + from + 1);
    }
  };
  for (Row& row : rows_) move(row.begin());
  move(widths_.begin());
  move(layout_.ColumnVisible.begin());

  // Where each field landed, read back from the header texts that moved
  // with their columns.
  std::array<int, kFieldCount> landed{};
  std::array<bool, kFieldCount> found{};
  bool permutation = true;
  for (int p = kFirstFieldPosition; p <= kLastFieldPosition && permutation; ++p) {
    int field = -1;
    for (int k = 0; k < kFieldCount; ++k) {
      if (rows_[0][p] == FieldHeader(FieldOfIndex(static_cast<std::size_t>(k)))) field = k;
    }
    if (field < 0 || found[field]) {
      permutation = false;
    } else {
      found[field] = true;
      landed[field] = p;
    }
  }
  if (permutation) {
    layout_.FieldColumn = landed;
  } else {
    // Someone wrote over a header: shift the table the way the cells went.
    for (int& p : layout_.FieldColumn) {
      if (p == from) {
        p = to;
      } else if (from < to && p > from && p <= to) {
        --p;
      } else if (from > to && p >= to && p < from) {
        ++p;
      }
    }
  }
  // Each row still shows the same file, only from other positions: the path
  // index stays as it is.
  NotifyColumns();
  NotifyRowsReset();
  return true;
}

void TrackGrid::FitColumnWidth(int position, const TextWidth& measure) {
  auto fit = [this, &measure](int p) {
    int width = -1;
    if (layout_.ColumnVisible[p]) {
      int widest = 0;
      for (const Row& row : rows_) widest = std::max(widest, measure.Width(row[p]));
      if (widest != 0) width = widest + 4;
    }
    widths_[p] = width;
  };
  if (position == -1) {
    for (int p = 0; p < kColumnCount; ++p) fit(p);
  } else if (position >= 0 && position < kColumnCount) {
    fit(position);
  } else {
    return;
  }
  NotifyColumns();
}

void TrackGrid::SetColumnVisible(int position, bool visible) {
  if (!IsFieldPosition(position)) return;
  layout_.ColumnVisible[position] = visible;
  if (!visible) widths_[position] = -1;
  NotifyColumns();
}

void TrackGrid::SetColumnVisible(int position, bool visible, const TextWidth& measure) {
  if (!IsFieldPosition(position)) return;
  layout_.ColumnVisible[position] = visible;
  FitColumnWidth(position, measure);
}

void TrackGrid::ToggleColumnVisible(int position, const TextWidth& measure) {
  if (!IsFieldPosition(position)) return;
  SetColumnVisible(position, !layout_.ColumnVisible[position], measure);
}

void TrackGrid::SetTagColumnsVisible(bool visible) {
  for (int p = kFirstTagPosition; p <= kLastFieldPosition; ++p) {
    layout_.ColumnVisible[p] = visible;
    if (!visible) widths_[p] = -1;
  }
  NotifyColumns();
}

void TrackGrid::SetTagColumnsVisible(bool visible, const TextWidth& measure) {
  for (int p = kFirstTagPosition; p <= kLastFieldPosition; ++p) layout_.ColumnVisible[p] = visible;
  FitColumnWidth(-1, measure);
}

// --- batches

void TrackGrid::EndBatch() {
  if (batch_ == 0 || --batch_ > 0 || !batchChanged_) return;
  batchChanged_ = false;
  NotifyRowsReset();
}

// --- observers

void TrackGrid::AddObserver(GridObserver* observer) {
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
    observers_.push_back(observer);
  }
}

void TrackGrid::RemoveObserver(GridObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

// Indexed loops: an observer may unregister itself while being told.
void TrackGrid::NotifyCell(int column, int row) {
  if (batch_ > 0) {
    batchChanged_ = true;
    return;
  }
  for (std::size_t i = 0; i < observers_.size(); ++i) observers_[i]->CellChanged(column, row);
}

void TrackGrid::NotifyRowsReset() {
  for (std::size_t i = 0; i < observers_.size(); ++i) observers_[i]->RowsReset();
}

void TrackGrid::NotifyColumns() {
  for (std::size_t i = 0; i < observers_.size(); ++i) observers_[i]->ColumnsChanged();
}

void TrackGrid::NotifyMark(int row) {
  if (batch_ > 0) {
    batchChanged_ = true;
    return;
  }
  for (std::size_t i = 0; i < observers_.size(); ++i) observers_[i]->RowMarkChanged(row);
}

void TrackGrid::NotifyPictures(int row) {
  if (batch_ > 0) {
    batchChanged_ = true;
    return;
  }
  for (std::size_t i = 0; i < observers_.size(); ++i) observers_[i]->PicturesChanged(row);
}

void TrackGrid::NotifyAppended(int row) {
  for (std::size_t i = 0; i < observers_.size(); ++i) observers_[i]->RowAppended(row);
}

}  // namespace quilmark
