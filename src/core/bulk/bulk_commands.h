// The commands over many cells as the window runs them: the open edit is
// finished, the user is asked, the change is planned, checked and applied
// as one undo step, and the status text says what was done.
//
// Collaborators are borrowed and must outlive this. One per window.
#pragma once

#include <vector>

#include "bulk/find_replace.h"
#include "bulk/number_tracks.h"
#include "platform/text_transform.h"
#include "tracklist/grid_session.h"

namespace quilmark {

class BulkDialogs;

class BulkCommands {
 public:
  BulkCommands(const GridSession& session, BulkDialogs& dialogs);

  // Find and replace (Ctrl+H) in the chosen columns of the selected or all rows.
  void actEditReplaceExecute();
  // The No. column of the selected rows (several selected) or of all rows.
  void actEditNumberTracksExecute();
  // A conversion of the selected cells.
  void Convert(platform::TextConversion conversion);

 private:
  // Applies as one step, fits the columns that changed and tells the
  // editor; false when nothing was done.
  bool Apply(std::vector<CellChange> changes, bool checkNumbers, int& changed);

  GridSession session_;
  BulkDialogs& dialogs_;
  FindReplaceOptions lastReplace_;
  bool replacedBefore_ = false;
  NumberingOptions lastNumbering_;
};

}  // namespace quilmark
