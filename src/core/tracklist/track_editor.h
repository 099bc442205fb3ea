// TrackEditor: the editing side of the main window. The grid widget forwards
// its events (selection, in-place editor opened / changed / closed, keys,
// double click) and the window's edit commands call the act* operations;
// every rule about cells, undo, the clipboard and questions lives here.
//
// Collaborators are borrowed and must outlive the editor. One editor per
// window; everything runs on the GUI thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tracklist/cell_block.h"
#include "tracklist/cell_changes.h"
#include "tracklist/edit_actions.h"
#include "tracklist/edit_commands.h"

namespace quilmark {

class BusyIndicator;
class Clipboard;
class EditDialogs;
class GridViewPort;
class Messages;
class TextWidth;
class TrackGrid;
class UndoList;

class TrackEditor {
 public:
  enum class Key { Enter, Escape, Other };

  TrackEditor(TrackGrid& grid, GridViewPort& view, Messages& messages, Clipboard& clipboard,
              EditDialogs& dialogs, BusyIndicator& busy, const TextWidth& measure, UndoList& undo);

  // --- grid events
  // Before the selection moves to (column, row); false refuses the move.
  // Also called with the current cell when the window is activated. On an
  // allowed move it sets EditingAllowed() and the edit actions. A cell
  // whose number the user typed wrong holds the selection (the editor
  // reopens on it); a text the cell had before the edit never does.
  bool grSelectCell(int column, int row);
  // "0000;0" for No. and Year, else empty.
  std::string grGetEditMask(int column, int row) const;
  // The in-place editor opens on (column, row): remembers the cell's text
  // and returns it for the editor to show.
  std::string grGetEditText(int column, int row);
  // The editor's text changed (editorOpen true) or the editor closed
  // (editorOpen false, once, with its final text). Stores the text into
  // the cell; the closing call records a changed value (undo record,
  // changed mark, colWork key).
  void grSetEditText(int column, int row, const std::string& text, bool editorOpen);
  // A key pressed in the grid or its editor, before the widget handles it.
  void grKeyDown(Key key);
  void grDblClick();

  // --- state the window reads
  // Whether typing may open the editor on the selected cell.
  bool EditingAllowed() const { return editingAllowed_; }
  const EditActions& Actions() const { return actions_; }
  // Recomputes the enabled states for a selection in `column` (the
  // selected block when it holds that column) and tells the view.
  void UpdateEditActions(int column);
  // The view's selected block changed (the user dragged, Shift+clicked...).
  void SelectionChanged();

  // Ends the edit before a command that reads or moves cells: an open
  // editor is closed (its change recorded) once the cell passes the check
  // that leaving it would. False when the cell holds a bad number: the
  // editor stays (or is back) open on it and the command must not run.
  [[nodiscard]] bool FinishEdit();

  // --- column layout (each finishes the edit first; false: nothing done)
  // The current cell follows its field to where the column lands.
  bool MoveColumn(int from, int to);
  // A field's show action on its current position.
  bool ShowColumn(int position, bool visible);
  bool actShowHideColExecute();             // the current column
  bool SetTagColumnsVisible(bool visible);  // show all / hide all

  // --- commands on the current cell, or on the selected block: copy,
  // cut, paste, clear and erase work on each of its cells (rows), fill on
  // its rows. Each is one undo step.
  void actEditGenreExecute();
  void actEditv2CommentExecute();
  void actEditUndoExecute();
  // Brings back what Undo took; in the in-place editor, its own redo.
  void actEditRedoExecute();
  // Selects every field column of every row; the current cell stays.
  void actEditSelectAllExecute();
  // Ctrl+Enter: ends the edit and puts the current cell's text into every
  // selected row of its column, the edit and the copies one undo step.
  void actEditFillSelectionExecute();
  void actEditCutExecute();
  void actEditCopyExecute();
  void actEditPasteExecute();
  void actEditDeleteCellExecute();
  void actEditColFillExecute();
  void actEditDeleteRowExecute();
  void actEditClearExecute();
  void actEditEraseTagExecute();
  void actEditEraseTagAllExecute();
  void actEditSortExecute();
  // The four hidden shortcuts: the in-place editor's own operations, and
  // nothing while no editor is open.
  void actEditUndoHiddenExecute();
  void actEditCutHiddenExecute();
  void actEditCopyHiddenExecute();
  void actEditPasteHiddenExecute();

  // Clears the tag contents of one row (keeps number, path, file name).
  void tagerasertn(int row);

 private:
  // The cell an edit changed, held until its text passes the check.
  struct HeldCell {
    int column = 0;
    int row = 0;
    std::string textBefore;  // what it held before the user's edit
  };

  bool CurrentCell(int& column, int& row) const;
  // The selected block when it is more than the current cell.
  std::optional<CellBlock> SelectedBlock() const;
  void FitColumn(int column);
  void KeepCurrentRowInList();
  bool HeldCellMayBeLeft() const;
  void ReturnToHeldCell();
  // After columns were hidden, shown or moved: the current cell goes to the
  // nearest shown column, and typing is allowed only where it now may be.
  void KeepCurrentCellShown();
  void AllowEditingAt(int column, int row);
  void StoreEditInWork(int column, int row, bool changed);
  void TellRefused(const StepResult& result);

  TrackGrid& grid_;
  GridViewPort& view_;
  Messages& messages_;
  Clipboard& clipboard_;
  EditDialogs& dialogs_;
  BusyIndicator& busy_;
  const TextWidth& measure_;
  UndoList& undo_;

  std::string editOldText_;
  std::optional<HeldCell> held_;
  bool editingAllowed_ = false;
  EditActions actions_;
};

}  // namespace quilmark
