// Tags from file names and file names from tags as the window runs them on
// the selected rows: the open edit is finished, the pattern asked with its
// preview, and the plan carried out as one undo step (cells set, or files
// renamed on disk).
//
// Collaborators are borrowed and must outlive this. One per window.
#pragma once

#include <string>

namespace quilmark {

class BusyIndicator;
class GridViewPort;
class Messages;
class NameDialogs;
class TextWidth;
class TrackEditor;
class TrackGrid;
class UndoList;

inline constexpr const char* kDefaultNamePattern = "%track% - %artist% - %title%";

class NameCommands {
 public:
  NameCommands(TrackEditor& editor, TrackGrid& grid, GridViewPort& view, UndoList& undo,
               Messages& messages, NameDialogs& dialogs, BusyIndicator& busy,
               const TextWidth& measure);

  void actToolTagsFromNamesExecute();
  // What the file system refuses is told in one message per reason.
  void actToolNamesFromTagsExecute();

 private:
  TrackEditor& editor_;
  TrackGrid& grid_;
  GridViewPort& view_;
  UndoList& undo_;
  Messages& messages_;
  NameDialogs& dialogs_;
  BusyIndicator& busy_;
  const TextWidth& measure_;
  std::string tagsPattern_ = kDefaultNamePattern;
  std::string namesPattern_ = kDefaultNamePattern;
};

}  // namespace quilmark
