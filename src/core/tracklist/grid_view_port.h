// What the editing logic needs from the grid widget: where the current cell
// is and the in-place editor. The window implements it over its grid; tests
// script it. TrackEditor never sees a widget, only this.
#pragma once

#include <string>

#include "tracklist/cell_block.h"
#include "tracklist/edit_actions.h"

namespace quilmark {

class GridViewPort {
 public:
  virtual ~GridViewPort() = default;

  // --- current cell (grid positions: column 0..31, row 1..)
  virtual int CurrentColumn() const = 0;
  virtual int CurrentRow() const = 0;
  // Moves the current cell as the program's own step: the view must not ask
  // TrackEditor::grSelectCell about it (no re-entry).
  virtual void SetCurrentCell(int column, int row) = 0;

  // --- selection: a block around the current cell
  // The selected block; the current cell alone when nothing more is
  // selected. The current cell is always one of its cells.
  virtual CellBlock SelectedBlock() const { return CellBlock::At(CurrentColumn(), CurrentRow()); }
  // Selects a block that holds the current cell, which stays where it is.
  virtual void SelectBlock(const CellBlock& block) {}

  // --- in-place editor
  virtual bool IsEditorOpen() const = 0;
  // Opens the editor on the current cell with the caret after the last
  // character; nothing when it is already open. Opening asks
  // grGetEditMask and grGetEditText as a user's opening does.
  virtual void OpenEditor() = 0;
  // Closes the editor. The view then reports the closing edit with
  // grSetEditText(column, row, editorText, false), during this call or right
  // after it.
  virtual void CloseEditor() = 0;
  // Replaces the open editor's text (the cell already holds it); no
  // grSetEditText is needed for this change.
  virtual void SetEditorText(const std::string& text) = 0;
  // The editor's own one-step undo and its clipboard operations on its
  // selected text; each text change is reported through grSetEditText.
  virtual bool EditorHasSelection() const = 0;
  virtual void EditorUndo() = 0;
  virtual void EditorRedo() = 0;
  virtual void EditorCut() = 0;
  virtual void EditorCopy() = 0;
  virtual void EditorPaste() = 0;

  // --- hooks
  // Whether typing may open the editor on the cell just selected.
  virtual void SetEditingAllowed(bool allowed) {}
  // The enabled states of undo, cut, copy and paste changed.
  virtual void EditActionsChanged(const EditActions& actions) {}
};

}  // namespace quilmark
