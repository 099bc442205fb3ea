// The track list as a Qt table model: a thin adapter over TrackGrid. Model
// column = grid position (0..31), model row = grid row - 1 (the grid's row 0
// is the horizontal header; colRowNo is shown as the vertical header).
#pragma once

#include <QAbstractTableModel>

#include "tracklist/track_grid.h"

namespace quilmark {

class TrackTableModel : public QAbstractTableModel, private GridObserver {
  Q_OBJECT
 public:
  explicit TrackTableModel(TrackGrid& grid, QObject* parent = nullptr);
  ~TrackTableModel() override;

  static int GridRow(int modelRow) { return modelRow + 1; }
  static int ModelRow(int gridRow) { return gridRow - 1; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // The in-place editor stores through TrackEditor, never through here.
  bool setData(const QModelIndex&, const QVariant&, int) override { return false; }

  // While many rows arrive (adding files), single-cell notifications are
  // dropped and the view catches up once at the end: one insertion of all
  // new rows instead of one per file.
  void BeginBulk();
  void EndBulk();

  TrackGrid& Grid() { return grid_; }

 signals:
  // Widths, order or visibility of the columns changed.
  void columnsChanged();

 private:
  void CellChanged(int column, int row) override;
  void RowsReset() override;
  void RowAppended(int row) override;
  void ColumnsChanged() override;
  void RowMarkChanged(int row) override;

  void SyncRows();

  TrackGrid& grid_;
  int rows_ = 0;  // what the views have been told
  int bulk_ = 0;
  bool bulkColumns_ = false;
};

}  // namespace quilmark
