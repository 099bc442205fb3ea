#include "tracklist/edit_actions.h"

#include "tracklist/track_grid.h"

namespace quilmark {

EditActions ComputeEditActions(const TrackGrid& grid, int column, bool undoAvailable,
                               bool clipboardHasText) {
  EditActions a;
  a.undo = a.undoHidden = undoAvailable;
  if (grid.IsEmptyList()) return a;
  const ColumnLayout& layout = grid.Layout();
  if (column == layout.Position(colPath) || column == layout.Position(colFile)) {
    a.copy = a.copyHidden = true;
    return a;
  }
  a.cut = a.cutHidden = a.deleteCell = true;
  a.copy = a.copyHidden = true;
  a.paste = a.pasteHidden = clipboardHasText;
  return a;
}

void ApplyEditorSelection(EditActions& actions, bool editorHasSelection) {
  actions.cut = actions.cutHidden = editorHasSelection;
  actions.copy = actions.copyHidden = editorHasSelection;
}

}  // namespace quilmark
