// The grid's selection: it refuses to move the current cell when the
// editor says no. The selection is one block around the current cell;
// while a move is refused (a cell holding a bad number), the selection
// stays as it is too.
#pragma once

#include <QItemSelectionModel>
#include <functional>

namespace quilmark {

class GateSelectionModel : public QItemSelectionModel {
 public:
  GateSelectionModel(QAbstractItemModel* model, std::function<bool(const QModelIndex&)> gate,
                     QObject* parent)
      : QItemSelectionModel(model, parent), gate_(std::move(gate)) {}

  void SetCurrentQuietly(const QModelIndex& index) {
    bypass_ = true;
    setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    bypass_ = false;
  }
  void SelectQuietly(const QItemSelection& selection) {
    QItemSelectionModel::select(selection, QItemSelectionModel::ClearAndSelect);
  }

  void setCurrentIndex(const QModelIndex& index, SelectionFlags command) override {
    refused_ = index.isValid() && index != currentIndex() && !bypass_ && !gate_(index);
    if (refused_) return;
    QItemSelectionModel::setCurrentIndex(index, command);
  }
  void select(const QModelIndex& index, SelectionFlags command) override {
    select(QItemSelection(index, index), command);
  }
  void select(const QItemSelection& selection, SelectionFlags command) override {
    if (!refused_) QItemSelectionModel::select(selection, command);
  }

 private:
  std::function<bool(const QModelIndex&)> gate_;
  bool bypass_ = false;
  bool refused_ = false;
};

}  // namespace quilmark
