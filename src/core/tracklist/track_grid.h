// The track list document: row 0 is the header, rows 1.. hold one file
// each, 32 cells of text per row. An empty list keeps one placeholder row
// whose colRowNo cell is empty. Column widths (-1 = hidden) live here too,
// so that the rules about them are the document's and a view only draws.
//
// Views listen through GridObserver; the document never knows a widget.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tag/picture.h"
#include "tracklist/columns.h"

namespace quilmark {

class TextWidth;

class GridObserver {
 public:
  virtual ~GridObserver() = default;
  virtual void CellChanged(int column, int row) {}
  // Rows were added, removed or reordered, or many cells changed at once.
  virtual void RowsReset() {}
  // AppendRow made `row` the row to fill (a new last row, or the
  // placeholder). A view that can insert one row cheaply overrides this.
  virtual void RowAppended(int row) { RowsReset(); }
  // Column widths, order or header texts changed.
  virtual void ColumnsChanged() {}
  // A row's changed mark was set or cleared (its number changes colour).
  virtual void RowMarkChanged(int row) {}
  // The pictures a save is to write for a row's file changed.
  virtual void PicturesChanged(int row) {}
};

class TrackGrid {
 public:
  using Row = std::array<std::string, kColumnCount>;

  explicit TrackGrid(ColumnLayout layout = ColumnLayout::Default());

  // --- cells
  int RowCount() const { return static_cast<int>(rows_.size()); }  // header included
  const std::string& Cell(int column, int row) const;
  void SetCell(int column, int row, std::string text);
  // A field's cell, at the field's current position.
  const std::string& FieldCell(Field f, int row) const { return Cell(layout_.Position(f), row); }
  void SetFieldCell(Field f, int row, std::string text) {
    SetCell(layout_.Position(f), row, std::move(text));
  }
  const Row& RowCells(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
  void SetRowCells(int row, Row cells);

  // True when only the placeholder row exists.
  bool IsEmptyList() const { return Cell(colRowNo, 1).empty(); }
  // Number of rows that hold a file (0 for an empty list).
  int FileRowCount() const { return IsEmptyList() ? 0 : RowCount() - 1; }

  // The row's folder and file name joined: the file the row shows.
  std::string FullPathOf(int row) const;
  // Whether some row shows exactly this path (byte comparison); O(1).
  bool ContainsPath(std::string_view fullPath) const;
  // The row that shows this path, or -1.
  int RowOfPath(std::string_view fullPath) const;
  // The row's file now has another path (it was renamed): the folder and
  // file-name cells and what is kept by path follow it.
  void SetRowPath(int row, std::string_view fullPath);

  // --- rows
  // The row a newly added file is to fill: the placeholder row of an empty
  // list, else a new last row; cleared and numbered.
  int AppendRow();
  // Room for `more` rows' paths, so that a large add does not grow the
  // path index step by step, re-hashing every path at each step.
  void ExpectMoreRows(std::size_t more);
  // Removes a file's row; the rows below move up and are renumbered. On
  // the only row it leaves the placeholder row.
  void RemoveRow(int row);
  // Back to the header and one placeholder row.
  void ClearRows();
  // Reorders the data rows: newOrder[i] is the old row index (1-based, as
  // Cell takes it) of the row that goes to row i + 1. Cells move whole;
  // colRowNo is renumbered. Anything but a permutation of the data rows is
  // refused (false) and changes nothing.
  bool ReorderRows(const std::vector<int>& newOrder);

  // --- changed mark
  bool IsRowChanged(int row) const { return Cell(colChanged, row) == "*"; }
  void MarkRowChanged(int row);
  void ClearRowChanged(int row);
  int ChangedRowCount() const;

  // --- pictures
  // The change a save is to make to a row's pictures beside its cells
  // (none: the file keeps them). Kept by file, as undo records are, so
  // that it follows the row through sorts; it goes with the file's last
  // row.
  const PictureEdit* PictureEditOf(int row) const;
  // The pictures of `kind` that the row's file is to hold.
  void SetPicturesOf(int row, int kind, std::vector<Picture> pictures);
  // Forgets the row's edit, once a save has written it.
  void DropPictureEdit(int row);

  // --- columns
  const ColumnLayout& Layout() const { return layout_; }
  // Row 0 from the layout: "Work", "*", "コメント言語", "コメント長文", "№",
  // then the field headers by position.
  void ApplyColumnTitles();

  // The user dragged column `from` to `to` (both 5..23): cells, width and
  // header move with it, then FieldColumn and ColumnVisible are re-read
  // from the headers. Other positions are refused (false).
  bool MoveColumn(int from, int to);

  int ColumnWidth(int position) const { return widths_[static_cast<std::size_t>(position)]; }
  // Widest text of the column (header included) + 4 when shown and not
  // empty, else -1; position -1 fits all columns.
  void FitColumnWidth(int position, const TextWidth& measure);

  // Positions 5..23 only. Hiding sets the width to -1 at once; a column
  // that is shown gets its width from the next FitColumnWidth, which the
  // overloads taking a measure do straight away.
  void SetColumnVisible(int position, bool visible);
  void SetColumnVisible(int position, bool visible, const TextWidth& measure);
  // A field's show action: flips the flag of its current position and fits it.
  void ToggleColumnVisible(int position, const TextWidth& measure);
  // Show all / hide all: positions 7..23, whatever field stands there.
  void SetTagColumnsVisible(bool visible);
  void SetTagColumnsVisible(bool visible, const TextWidth& measure);

  // --- batches
  // Between BeginBatch and the matching EndBatch (they nest), cell and mark
  // notifications are held back, and the last EndBatch tells the views once
  // that many cells changed: a command over a hundred thousand cells
  // repaints once, not per cell.
  void BeginBatch() { ++batch_; }
  void EndBatch();

  // --- observers (not owned; must outlive their registration)
  void AddObserver(GridObserver* observer);
  void RemoveObserver(GridObserver* observer);

 private:
  void NotifyCell(int column, int row);
  void NotifyRowsReset();
  void NotifyColumns();
  void NotifyMark(int row);
  void NotifyAppended(int row);
  void NotifyPictures(int row);
  void Renumber(int firstRow);
  bool IsPathColumn(int column) const;
  void IndexAdd(const Row& row);
  void IndexRemove(const Row& row);
  // The path a row's picture edit is kept under, taken before its path
  // changes; "" while no row has an edit (nothing then needs to follow).
  std::string EditedPathOf(int row) const;
  void KeptByPathFollows(const std::string& from, int row);
  void RebuildIndex();

  ColumnLayout layout_;
  // A deque, so that growing a list of tens of thousands of rows never
  // relocates the rows already there.
  std::deque<Row> rows_;
  std::array<int, kColumnCount> widths_{};
  // Full path -> number of rows showing it.
  // Looked up by string_view: a lookup builds no string of its own.
  struct PathHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view path) const {
      return std::hash<std::string_view>{}(path);
    }
  };
  std::unordered_map<std::string, int, PathHash, std::equal_to<>> pathIndex_;
  // Full path -> the pictures its save is to change.
  std::unordered_map<std::string, PictureEdit> pictures_;
  std::vector<GridObserver*> observers_;
  int batch_ = 0;
  bool batchChanged_ = false;
};

// One batch for a scope.
class GridBatch {
 public:
  explicit GridBatch(TrackGrid& grid) : grid_(grid) { grid_.BeginBatch(); }
  ~GridBatch() { grid_.EndBatch(); }
  GridBatch(const GridBatch&) = delete;
  GridBatch& operator=(const GridBatch&) = delete;

 private:
  TrackGrid& grid_;
};

}  // namespace quilmark
