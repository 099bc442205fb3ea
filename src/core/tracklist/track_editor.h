// TrackEditor: the editing side of the main window. The grid widget forwards
// its events (selection, in-place editor opened / changed / closed, keys,
// double click) and the window's edit commands call the act* operations;
// every rule about cells, undo, the clipboard and questions lives here.
//
// Collaborators are borrowed and must outlive the editor. One editor per
// window; everything runs on the GUI thread.
#pragma once

#include <string>

#include "tracklist/edit_actions.h"

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
  // allowed move it sets EditingAllowed() and the edit actions.
  bool grSelectCell(int column, int row);
  // "0000;0" for No. and Year, else empty.
  std::string grGetEditMask(int column, int row) const;
  // The in-place editor opens on (column, row): remembers the cell's text
  // (EditOldText) and returns it for the editor to show.
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
  const std::string& EditOldText() const { return editOldText_; }
  bool ValidationPending() const { return validationPending_; }
  bool ValidationFailed() const { return validationFailed_; }
  const EditActions& Actions() const { return actions_; }
  // Recomputes the enabled states for a selection in `column` and tells
  // the view.
  void UpdateEditActions(int column);

  // --- commands on the current cell
  void actEditGenreExecute();
  void actEditv2CommentExecute();
  void actEditUndoExecute();
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
  bool CurrentCell(int& column, int& row) const;
  void FitColumn(int column);
  void KeepCurrentRowInList();

  TrackGrid& grid_;
  GridViewPort& view_;
  Messages& messages_;
  Clipboard& clipboard_;
  EditDialogs& dialogs_;
  BusyIndicator& busy_;
  const TextWidth& measure_;
  UndoList& undo_;

  std::string editOldText_;
  bool validationPending_ = false;
  bool validationFailed_ = false;
  bool editingAllowed_ = false;
  EditActions actions_;
};

}  // namespace quilmark
