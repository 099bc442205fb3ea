// The grid on screen: a table view over the track list that forwards every
// event (selection, in-place editor opened / changed / closed, keys, double
// click) to TrackEditor and serves as its view port. It draws the row
// numbers as fixed cells (red for changed rows), keeps the work and spare
// columns hidden and turns the user's column drags into TrackGrid moves.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <functional>

#include "app/track_table_model.h"
#include "tracklist/grid_view_port.h"

namespace quilmark {

class TrackEditor;
class GateSelectionModel;

class GridView : public QTableView, public GridViewPort {
  Q_OBJECT
 public:
  explicit GridView(TrackGrid& grid, QWidget* parent = nullptr);
  ~GridView() override;

  // The editor is made after the view (it needs the view port).
  void SetEditor(TrackEditor* editor) { editor_ = editor; }
  TrackTableModel& Model() { return *model_; }

  // Widths and visibility from the grid (-1 hides a column).
  void ApplyColumnWidths();
  // Row height from the font: its pixel height + 4.
  void ApplyRowHeight();

  // The grid cell at a point of the view (global coordinates): column
  // colRowNo for the row numbers, row 0 for the header; -1 when outside.
  void CellAt(const QPoint& globalPos, int& column, int& row) const;

  // Moves the current cell as a user's move would (asking the editor).
  // False when the editor refused.
  bool SelectCell(int column, int row);

  // --- GridViewPort
  int CurrentColumn() const override;
  int CurrentRow() const override;
  void SetCurrentCell(int column, int row) override;
  bool IsEditorOpen() const override;
  void OpenEditor() override;
  void CloseEditor() override;
  void SetEditorText(const std::string& text) override;
  bool EditorHasSelection() const override;
  CellBlock SelectedBlock() const override;
  void SelectBlock(const CellBlock& block) override;
  void EditorUndo() override;
  void EditorRedo() override;
  void EditorCut() override;
  void EditorCopy() override;
  void EditorPaste() override;
  void SetEditingAllowed(bool allowed) override { editingAllowed_ = allowed; }
  void EditActionsChanged(const EditActions& actions) override;

  // The open in-place editor, or null.
  QLineEdit* InPlaceEditor() const;

 signals:
  void editActionsChanged(const quilmark::EditActions& actions);
  // A right-click: the grid cell under the mouse (see CellAt); from the
  // keyboard, the current cell.
  void popupRequested(int column, int row, const QPoint& globalPos);
  // The user dragged a field column to another place.
  void columnMoved();

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class CellDelegate;

  bool MaySelect(const QModelIndex& index);
  void HeaderSectionMoved(int logical, int oldVisual, int newVisual);
  void EditorCreated(QLineEdit* editor, int column, int row);
  void EditorTextChanged(int column, int row, const QString& text);
  void EditorKey(QKeyEvent* event, bool& consumed);
  void MoveFromEditor(CursorAction action);
  void SetEditorTextQuietly(QLineEdit* editor, const QString& text);
  // The pop-up menu of the current cell, from the keyboard (Menu key,
  // Shift+F10), below the cell.
  void PopupAtCurrentCell();
  void PaintCorner(QWidget* corner);

  TrackTableModel* model_;
  GateSelectionModel* selection_;
  TrackEditor* editor_ = nullptr;
  QPointer<QLineEdit> inPlace_;
  int inPlaceColumn_ = -1;
  int inPlaceRow_ = -1;
  bool editingAllowed_ = false;
  bool programmaticOpen_ = false;
  bool quietText_ = false;
  bool revertingMove_ = false;
};

}  // namespace quilmark
