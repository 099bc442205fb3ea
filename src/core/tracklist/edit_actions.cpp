#include "tracklist/edit_actions.h"

#include <algorithm>

#include "tracklist/track_grid.h"

namespace quilmark {

namespace {

bool IsNameColumn(const ColumnLayout& layout, int column) {
  return column == layout.Position(colPath) || column == layout.Position(colFile);
}

}  // namespace

EditActions ComputeEditActions(const TrackGrid& grid, const CellBlock& selection,
                               bool undoAvailable, bool redoAvailable, bool clipboardHasText) {
  EditActions a;
  a.undo = a.undoHidden = undoAvailable;
  a.redo = redoAvailable;
  if (grid.IsEmptyList()) return a;
  const ColumnLayout& layout = grid.Layout();
  a.copy = a.copyHidden = true;
  bool changeable = !IsNameColumn(layout, selection.left);
  if (!selection.IsSingleCell()) {
    const std::vector<int> columns = ShownColumnsOf(layout, selection);
    changeable = std::any_of(columns.begin(), columns.end(),
                             [&](int c) { return !IsNameColumn(layout, c); });
  }
  if (!changeable) return a;
  a.cut = a.cutHidden = a.deleteCell = true;
  a.paste = a.pasteHidden = clipboardHasText;
  return a;
}

void ApplyEditorSelection(EditActions& actions, bool editorHasSelection) {
  actions.cut = actions.cutHidden = editorHasSelection;
  actions.copy = actions.copyHidden = editorHasSelection;
}

}  // namespace quilmark
