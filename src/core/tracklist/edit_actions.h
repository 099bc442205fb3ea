// Enabled states of the undo and clipboard commands. The window binds each
// flag to its action (menu entry, tool button and shortcut share one action);
// the core decides the flags so the rules are tested without a window.
#pragma once

#include "tracklist/cell_block.h"
#include "tracklist/columns.h"

namespace quilmark {

class TrackGrid;

struct EditActions {
  bool undo = false, undoHidden = false;
  bool redo = false;
  bool cut = false, cutHidden = false;
  bool copy = false, copyHidden = false;
  bool paste = false, pasteHidden = false;
  bool deleteCell = false;

  friend bool operator==(const EditActions&, const EditActions&) = default;
};

// The states for a selection: undo and redo when there is something to
// take back or bring back; nothing else on an empty list; only copy on the
// path and file-name columns, which never change; elsewhere cut, copy and
// clearing the cell, and paste when the clipboard holds text. A block
// counts as changeable when any of its shown columns is.
EditActions ComputeEditActions(const TrackGrid& grid, const CellBlock& selection,
                               bool undoAvailable, bool redoAvailable, bool clipboardHasText);

// While the in-place editor is open, cut and copy follow its text selection.
void ApplyEditorSelection(EditActions& actions, bool editorHasSelection);

}  // namespace quilmark
