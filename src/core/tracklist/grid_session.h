// What a command over many cells borrows from the window that runs it: the
// grid and its editor, the view that says what is selected, the undo list
// and the ways to tell the user. Every member must outlive the command.
#pragma once

namespace quilmark {

class BusyIndicator;
class GridViewPort;
class Messages;
class TextWidth;
class TrackEditor;
class TrackGrid;
class UndoList;

struct GridSession {
  TrackEditor& editor;
  TrackGrid& grid;
  GridViewPort& view;
  UndoList& undo;
  Messages& messages;
  BusyIndicator& busy;
  const TextWidth& measure;
};

}  // namespace quilmark
