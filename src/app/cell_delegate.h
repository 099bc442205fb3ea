// How the grid draws a cell and makes its in-place editor: the text at two
// pixels from the cell's left edge, in the model's colour unless selected;
// the editor's keys and text changes go to the GridView that owns it.
#pragma once

#include <QLineEdit>
#include <QStyledItemDelegate>

namespace quilmark {

class GridView;

class CellDelegate : public QStyledItemDelegate {
 public:
  explicit CellDelegate(GridView& view);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* widget, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  GridView& view_;
};

}  // namespace quilmark
