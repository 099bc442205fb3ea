#include "app/track_table_model.h"

#include <QBrush>
#include <QColor>

namespace quilmark {

namespace {

// Colours as the grid has always drawn them.
const QColor kChangedRowNumber(0xFF, 0x00, 0x00);
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kMaroon(0x80, 0x00, 0x00);
const QColor kGray(0x80, 0x80, 0x80);

QString ToQString(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

TrackTableModel::TrackTableModel(TrackGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), rows_(grid.RowCount() - 1) {
  grid_.AddObserver(this);
}

TrackTableModel::~TrackTableModel() { grid_.RemoveObserver(this); }

int TrackTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TrackTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant TrackTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_ || index.column() >= kColumnCount) return {};
  const int column = index.column();
  const int row = GridRow(index.row());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return ToQString(grid_.Cell(column, row));
    case Qt::ForegroundRole: {
      const ColumnLayout& layout = grid_.Layout();
      if (column == layout.Position(colGenre)) {
        return QBrush(grid_.Cell(column, row) == "No Genre" ? kGray : kMaroon);
      }
      if (column == layout.Position(colComment)) return QBrush(kMaroon);
      if (column == layout.Position(colPath) || column == layout.Position(colFile)) {
        return QBrush(kNavy);
      }
      return {};
    }
    default:
      return {};
  }
}

QVariant TrackTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section >= kColumnCount) return {};
    if (role == Qt::DisplayRole) return ToQString(grid_.Cell(section, 0));
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
  }
  if (section < 0 || section >= rows_) return {};
  const int row = GridRow(section);
  if (role == Qt::DisplayRole) return ToQString(grid_.Cell(colRowNo, row));
  if (role == Qt::ForegroundRole && grid_.IsRowChanged(row)) return QBrush(kChangedRowNumber);
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

Qt::ItemFlags TrackTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  // Whether a cell may be typed into is decided at selection time by the
  // editor; the view asks it before opening.
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void TrackTableModel::BeginBulk() { ++bulk_; }

void TrackTableModel::EndBulk() {
  if (bulk_ == 0 || --bulk_ > 0) return;
  SyncRows();
  if (bulkColumns_) {
    bulkColumns_ = false;
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
    emit columnsChanged();
  }
}

void TrackTableModel::CellChanged(int column, int row) {
  if (bulk_ > 0) return;
  if (row == 0) {
    emit headerDataChanged(Qt::Horizontal, column, column);
    return;
  }
  const int modelRow = ModelRow(row);
  if (modelRow >= rows_) {
    SyncRows();
    return;
  }
  if (column == colRowNo || column == colChanged) {
    emit headerDataChanged(Qt::Vertical, modelRow, modelRow);
    return;
  }
  const QModelIndex cell = index(modelRow, column);
  emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole, Qt::ForegroundRole});
}

void TrackTableModel::RowsReset() {
  if (bulk_ == 0) SyncRows();
}

void TrackTableModel::RowAppended(int row) {
  if (bulk_ > 0) return;
  const int modelRow = ModelRow(row);
  if (modelRow == rows_) {
    beginInsertRows(QModelIndex(), rows_, rows_);
    ++rows_;
    endInsertRows();
  } else {
    SyncRows();
  }
}

void TrackTableModel::ColumnsChanged() {
  if (bulk_ > 0) {
    bulkColumns_ = true;
    return;
  }
  emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
  emit columnsChanged();
}

void TrackTableModel::RowMarkChanged(int row) {
  if (bulk_ > 0) return;
  const int modelRow = ModelRow(row);
  if (modelRow >= 0 && modelRow < rows_) emit headerDataChanged(Qt::Vertical, modelRow, modelRow);
}

// Brings the views to the grid's row count by inserting or removing rows at
// the end (which keeps the current cell where it was), then repaints all.
void TrackTableModel::SyncRows() {
  const int target = grid_.RowCount() - 1;
  if (target > rows_) {
    beginInsertRows(QModelIndex(), rows_, target - 1);
    rows_ = target;
    endInsertRows();
  } else if (target < rows_) {
    beginRemoveRows(QModelIndex(), target, rows_ - 1);
    rows_ = target;
    endRemoveRows();
  }
  if (rows_ > 0) {
    emit dataChanged(index(0, 0), index(rows_ - 1, kColumnCount - 1));
    emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
  }
}

}  // namespace quilmark
