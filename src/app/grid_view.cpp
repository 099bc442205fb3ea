#include "app/grid_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <limits>

#include "app/cell_delegate.h"
#include "app/digit_mask_validator.h"
#include "app/gate_selection_model.h"
#include "tracklist/track_editor.h"

namespace quilmark {

GridView::GridView(TrackGrid& grid, QWidget* parent) : QTableView(parent) {
  setObjectName("gr");
  model_ = new TrackTableModel(grid, this);
  setModel(model_);
  selection_ = new GateSelectionModel(
      model_, [this](const QModelIndex& index) { return MaySelect(index); }, this);
  setSelectionModel(selection_);
  setItemDelegate(new CellDelegate(*this));

  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

  QHeaderView* top = horizontalHeader();
  top->setSectionsMovable(true);
  top->setSectionsClickable(false);
  top->setHighlightSections(false);
  top->setMinimumSectionSize(1);
  top->setDefaultSectionSize(16);
  top->setTextElideMode(Qt::ElideNone);
  top->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(top, &QHeaderView::sectionMoved, this, &GridView::HeaderSectionMoved);
  connect(top, &QHeaderView::customContextMenuRequested, this, [this, top](const QPoint& pos) {
    const int column = top->logicalIndexAt(pos);
    emit popupRequested(column, column < 0 ? -1 : 0, top->mapToGlobal(pos));
  });

  QHeaderView* side = verticalHeader();
  side->setSectionResizeMode(QHeaderView::Fixed);  // never measures every row
  side->setSectionsClickable(false);
  side->setHighlightSections(false);
  side->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  side->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(side, &QHeaderView::customContextMenuRequested, this, [this, side](const QPoint& pos) {
    const int section = side->logicalIndexAt(pos);
    emit popupRequested(section < 0 ? -1 : colRowNo,
                        section < 0 ? -1 : TrackTableModel::GridRow(section),
                        side->mapToGlobal(pos));
  });

  // The corner above the row numbers is their header cell: "№".
  if (auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly)) {
    corner->setText(QString::fromUtf8(FixedHeader(colRowNo)));
    corner->installEventFilter(this);
  }

  connect(model_, &TrackTableModel::columnsChanged, this, &GridView::ApplyColumnWidths);
  connect(selection_, &QItemSelectionModel::selectionChanged, this, [this] {
    if (editor_ != nullptr) editor_->SelectionChanged();
  });
  ApplyRowHeight();
  ApplyColumnWidths();
}

GridView::~GridView() = default;

void GridView::ApplyColumnWidths() {
  const TrackGrid& grid = model_->Grid();
  QHeaderView* top = horizontalHeader();
  for (int p = 0; p < kColumnCount; ++p) {
    const int width = grid.ColumnWidth(p);
    // The row numbers are the vertical header; the column itself stays hidden.
    const bool hidden = width < 0 || p == colRowNo;
    if (top->isSectionHidden(p) != hidden) top->setSectionHidden(p, hidden);
    if (!hidden && top->sectionSize(p) != width) top->resizeSection(p, width);
  }
}

void GridView::ApplyRowHeight() {
  const int height = QFontMetrics(font()).height() + 4;
  // Wide enough for the corner's "№" when the row numbers are narrower.
  const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
  verticalHeader()->setMinimumWidth(
      QFontMetrics(font()).horizontalAdvance(QString::fromUtf8(FixedHeader(colRowNo))) +
      2 * margin + 4);
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(std::max(height, QFontInfo(font()).pixelSize() + 4));
}

void GridView::CellAt(const QPoint& globalPos, int& column, int& row) const {
  column = -1;
  row = -1;
  const QPoint inViewport = viewport()->mapFromGlobal(globalPos);
  if (viewport()->rect().contains(inViewport)) {
    const QModelIndex index = indexAt(inViewport);
    if (index.isValid()) {
      column = index.column();
      row = TrackTableModel::GridRow(index.row());
    }
    return;
  }
  const QPoint inTop = horizontalHeader()->mapFromGlobal(globalPos);
  if (horizontalHeader()->rect().contains(inTop)) {
    column = horizontalHeader()->logicalIndexAt(inTop);
    row = column < 0 ? -1 : 0;
    return;
  }
  const QPoint inSide = verticalHeader()->mapFromGlobal(globalPos);
  if (verticalHeader()->rect().contains(inSide)) {
    const int section = verticalHeader()->logicalIndexAt(inSide);
    if (section >= 0) {
      column = colRowNo;
      row = TrackTableModel::GridRow(section);
    }
  }
}

bool GridView::SelectCell(int column, int row) {
  const QModelIndex target = model_->index(TrackTableModel::ModelRow(row), column);
  if (!target.isValid()) return false;
  selection_->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
  return currentIndex() == target;
}

bool GridView::MaySelect(const QModelIndex& index) {
  if (editor_ == nullptr) return true;
  return editor_->grSelectCell(index.column(), TrackTableModel::GridRow(index.row()));
}

// --- GridViewPort

int GridView::CurrentColumn() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.column() : kFirstFieldPosition;
}

int GridView::CurrentRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? TrackTableModel::GridRow(current.row()) : 1;
}

void GridView::SetCurrentCell(int column, int row) {
  const QModelIndex target = model_->index(TrackTableModel::ModelRow(row), column);
  if (target.isValid()) selection_->SetCurrentQuietly(target);
}

CellBlock GridView::SelectedBlock() const {
  const CellBlock current = CellBlock::At(CurrentColumn(), CurrentRow());
  const QItemSelection selection = selection_->selection();
  if (selection.isEmpty()) return current;
  CellBlock block{kColumnCount, std::numeric_limits<int>::max(), -1, -1};
  for (const QItemSelectionRange& range : selection) {
    block.left = std::min(block.left, range.left());
    block.right = std::max(block.right, range.right());
    block.top = std::min(block.top, TrackTableModel::GridRow(range.top()));
    block.bottom = std::max(block.bottom, TrackTableModel::GridRow(range.bottom()));
  }
  return block.Contains(current.left, current.top) ? block : current;
}

void GridView::SelectBlock(const CellBlock& block) {
  const QModelIndex topLeft = model_->index(TrackTableModel::ModelRow(block.top), block.left);
  const QModelIndex bottomRight =
      model_->index(TrackTableModel::ModelRow(block.bottom), block.right);
  if (topLeft.isValid() && bottomRight.isValid()) {
    selection_->SelectQuietly(QItemSelection(topLeft, bottomRight));
  }
}

QLineEdit* GridView::InPlaceEditor() const {
  if (inPlace_.isNull() || state() != QAbstractItemView::EditingState) return nullptr;
  return inPlace_.data();
}

bool GridView::IsEditorOpen() const { return InPlaceEditor() != nullptr; }

void GridView::OpenEditor() {
  if (QLineEdit* open = InPlaceEditor()) {
    open->setFocus();
    return;
  }
  programmaticOpen_ = true;
  const bool opened = QTableView::edit(currentIndex(), QAbstractItemView::AllEditTriggers, nullptr);
  programmaticOpen_ = false;
  if (QLineEdit* editor = InPlaceEditor(); opened && editor != nullptr) {
    editor->deselect();
    editor->end(false);
  }
}

void GridView::CloseEditor() {
  if (QLineEdit* open = InPlaceEditor()) closeEditor(open, QAbstractItemDelegate::NoHint);
}

void GridView::SetEditorText(const std::string& text) {
  if (QLineEdit* open = InPlaceEditor()) SetEditorTextQuietly(open, QString::fromStdString(text));
}

bool GridView::EditorHasSelection() const {
  const QLineEdit* open = InPlaceEditor();
  return open != nullptr && open->hasSelectedText();
}

void GridView::EditorUndo() {
  if (QLineEdit* open = InPlaceEditor()) open->undo();
}
void GridView::EditorRedo() {
  if (QLineEdit* open = InPlaceEditor()) open->redo();
}
void GridView::EditorCut() {
  if (QLineEdit* open = InPlaceEditor()) open->cut();
}
void GridView::EditorCopy() {
  if (QLineEdit* open = InPlaceEditor()) open->copy();
}
void GridView::EditorPaste() {
  if (QLineEdit* open = InPlaceEditor()) open->paste();
}

void GridView::EditActionsChanged(const EditActions& actions) { emit editActionsChanged(actions); }

// --- editing

bool GridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (trigger != QAbstractItemView::CurrentChanged &&
      trigger != QAbstractItemView::NoEditTriggers && !programmaticOpen_ &&
      (editTriggers() & trigger)) {
    // A user's opening: only where the editor allowed typing at selection.
    if (!editingAllowed_ || index != currentIndex()) return false;
  }
  return QTableView::edit(index, trigger, event);
}

void GridView::EditorCreated(QLineEdit* editor, int column, int row) {
  inPlace_ = editor;
  inPlaceColumn_ = column;
  inPlaceRow_ = row;
  std::string text;
  std::string mask;
  if (editor_ != nullptr) {
    mask = editor_->grGetEditMask(column, row);
    text = editor_->grGetEditText(column, row);
  } else {
    text = model_->Grid().Cell(column, row);
  }
  const QString shown = QString::fromStdString(text);
  if (const int digits = MaskDigits(mask); digits > 0) {
    editor->setValidator(new DigitMaskValidator(digits, shown, editor));
  }
  SetEditorTextQuietly(editor, shown);
  connect(editor, &QLineEdit::textChanged, this, [this, column, row](const QString& t) {
    if (!quietText_) EditorTextChanged(column, row, t);
  });
  // Cut and copy follow the editor's selection, also when made by mouse.
  connect(editor, &QLineEdit::selectionChanged, this, [this] {
    if (editor_ != nullptr && IsEditorOpen()) editor_->grKeyDown(TrackEditor::Key::Other);
  });
}

void GridView::SetEditorTextQuietly(QLineEdit* editor, const QString& text) {
  quietText_ = true;
  editor->setText(text);
  quietText_ = false;
}

void GridView::EditorTextChanged(int column, int row, const QString& text) {
  if (editor_ != nullptr) editor_->grSetEditText(column, row, text.toStdString(), true);
}

void GridView::closeEditor(QWidget* widget, QAbstractItemDelegate::EndEditHint hint) {
  auto* editor = qobject_cast<QLineEdit*>(widget);
  const bool ours = editor != nullptr && editor == inPlace_;
  const QString text = ours ? editor->text() : QString();
  const int column = inPlaceColumn_;
  const int row = inPlaceRow_;
  if (ours) inPlace_ = nullptr;
  // Tab is handled before the delegate sees it; any other hint that would
  // open the next cell's editor is dropped: moving never starts an edit.
  if (hint == QAbstractItemDelegate::EditNextItem ||
      hint == QAbstractItemDelegate::EditPreviousItem) {
    hint = QAbstractItemDelegate::NoHint;
  }
  QTableView::closeEditor(widget, hint);
  if (ours && editor_ != nullptr) editor_->grSetEditText(column, row, text.toStdString(), false);
}

static TrackEditor::Key KeyOf(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return TrackEditor::Key::Enter;
    case Qt::Key_Escape:
      return TrackEditor::Key::Escape;
    default:
      return TrackEditor::Key::Other;
  }
}

// Keys inside the in-place editor, before the editor itself sees them.
void GridView::EditorKey(QKeyEvent* event, bool& consumed) {
  const TrackEditor::Key key = KeyOf(event);
  if (editor_ != nullptr) editor_->grKeyDown(key);
  if (key == TrackEditor::Key::Escape) {
    // The old text is back in the cell and the editor; leave editor mode.
    CloseEditor();
    consumed = true;
    return;
  }
  if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
    // Tab moves to the next cell; the selection decides whether the editor
    // may close (a bad number keeps it open).
    MoveFromEditor(event->key() == Qt::Key_Tab ? MoveNext : MovePrevious);
    consumed = true;
  }
}

void GridView::MoveFromEditor(CursorAction action) {
  const QModelIndex next = moveCursor(action, Qt::NoModifier);
  if (next.isValid() && next != currentIndex()) {
    selection_->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
  }
  if (QLineEdit* open = InPlaceEditor()) open->setFocus();
}

void GridView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Menu ||
      (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
    PopupAtCurrentCell();
    event->accept();
    return;
  }
  const TrackEditor::Key key = KeyOf(event);
  if (editor_ != nullptr && !IsEditorOpen()) editor_->grKeyDown(key);
  if (key == TrackEditor::Key::Enter && !IsEditorOpen()) {
    // Enter starts typing where typing is allowed (the genre and comment
    // cells have opened their dialogs instead).
    if (editingAllowed_ && currentIndex().isValid()) {
      QTableView::edit(currentIndex(), QAbstractItemView::EditKeyPressed, event);
    }
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && index == currentIndex() && editor_ != nullptr) editor_->grDblClick();
  QTableView::mouseDoubleClickEvent(event);
}

void GridView::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() == QContextMenuEvent::Keyboard) {
    PopupAtCurrentCell();
    return;
  }
  int column = -1;
  int row = -1;
  CellAt(event->globalPos(), column, row);
  emit popupRequested(column, row, event->globalPos());
}

void GridView::PopupAtCurrentCell() {
  const QModelIndex current = currentIndex();
  const QRect cell = visualRect(current);
  const QPoint at = cell.isValid() ? cell.bottomLeft() : QPoint(0, 0);
  emit popupRequested(CurrentColumn(), CurrentRow(), viewport()->mapToGlobal(at));
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && watched->parent() == this) {
    if (auto* corner = qobject_cast<QAbstractButton*>(watched)) {
      PaintCorner(corner);
      return true;
    }
  }
  return QTableView::eventFilter(watched, event);
}

// Qt's corner button paints an empty header section; this one carries the
// row-number column's header text, drawn as the row numbers are.
void GridView::PaintCorner(QWidget* corner) {
  QStyleOptionHeader option;
  option.initFrom(verticalHeader());  // its colours, not the disabled button's
  option.state |= QStyle::State_Raised;
  option.rect = corner->rect();
  option.position = QStyleOptionHeader::OnlyOneSection;
  option.text = static_cast<QAbstractButton*>(corner)->text();
  option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  QPainter painter(corner);
  corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
}

// Qt moves the section on screen; the grid moves the column's cells,
// width and flag instead, so that screen order stays the grid's position
// order. Moves outside the field positions are undone.
void GridView::HeaderSectionMoved(int, int oldVisual, int newVisual) {
  if (revertingMove_) return;
  QHeaderView* top = horizontalHeader();
  revertingMove_ = true;
  top->moveSection(newVisual, oldVisual);
  revertingMove_ = false;
  if (oldVisual < kFirstFieldPosition || oldVisual > kLastFieldPosition ||
      newVisual < kFirstFieldPosition || newVisual > kLastFieldPosition) {
    return;
  }
  // The editor finishes the edit first and keeps the current cell on its
  // field; a cell holding a bad number refuses the move.
  const bool moved = editor_ != nullptr ? editor_->MoveColumn(oldVisual, newVisual)
                                        : model_->Grid().MoveColumn(oldVisual, newVisual);
  if (moved) {
    ApplyColumnWidths();
    emit columnMoved();
  }
}

}  // namespace quilmark
