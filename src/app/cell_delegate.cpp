#include "app/cell_delegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include "app/grid_view.h"

namespace quilmark {

CellDelegate::CellDelegate(GridView& view) : QStyledItemDelegate(&view), view_(view) {}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette::ColorGroup group =
      (option.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
  painter->save();
  painter->fillRect(option.rect,
                    option.palette.brush(group, selected ? QPalette::Highlight : QPalette::Base));
  QColor pen = option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
  if (!selected) {
    const QVariant colour = index.data(Qt::ForegroundRole);
    if (colour.canConvert<QBrush>()) pen = colour.value<QBrush>().color();
  }
  painter->setPen(pen);
  painter->setFont(option.font);
  painter->setClipRect(option.rect);
  painter->drawText(option.rect.adjusted(2, 0, 0, 0),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  if (option.state & QStyle::State_HasFocus) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.rect = option.rect.adjusted(0, 0, -1, -1);
    focus.backgroundColor = option.palette.color(group, QPalette::Highlight);
    view_.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, &view_);
  }
  painter->restore();
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex& index) const {
  auto* editor = new QLineEdit(parent);
  editor->setFrame(false);
  view_.EditorCreated(editor, index.column(), TrackTableModel::GridRow(index.row()));
  return editor;
}

void CellDelegate::setEditorData(QWidget* widget, const QModelIndex& index) const {
  auto* editor = qobject_cast<QLineEdit*>(widget);
  if (editor == nullptr) return;
  // Typing stores each change into the cell, which comes back here as a
  // data change: reload only when the cell now says something else (an
  // Escape or an undo put the old text back).
  const QString text = index.data(Qt::EditRole).toString();
  if (editor->text() != text) view_.SetEditorTextQuietly(editor, text);
}

// TrackEditor has stored every change already.
void CellDelegate::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const {}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex&) const {
  editor->setGeometry(option.rect);
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<QLineEdit*>(object);
  if (editor != nullptr && event->type() == QEvent::KeyPress) {
    bool consumed = false;
    view_.EditorKey(static_cast<QKeyEvent*>(event), consumed);
    if (consumed) return true;
  }
  if (editor != nullptr && event->type() == QEvent::FocusOut) {
    // A click on another cell first takes the focus to the grid; whether
    // the editor closes is the selection's decision, made right after.
    QWidget* to = QApplication::focusWidget();
    if (to == &view_ || to == view_.viewport()) return false;
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace quilmark
