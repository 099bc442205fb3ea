// The questions the commands over many cells ask; the window shows real
// dialogs, tests answer for the user.
#pragma once

#include "bulk/find_replace.h"
#include "bulk/number_tracks.h"

namespace quilmark {

class BulkDialogs {
 public:
  virtual ~BulkDialogs() = default;
  // `options` comes with the last choices and the fields of the selection
  // and goes back with the user's; "the selected rows" may be chosen only
  // when `rowsSelected`. True when the user chose to go on.
  virtual bool AskFindReplace(FindReplaceOptions& options, bool rowsSelected) = 0;
  // For numbering, the counts of selected rows (0 when "the selected rows"
  // cannot be chosen) and of all rows, so that the dialog can show the
  // numbers it will give.
  virtual bool AskNumbering(NumberingOptions& options, int selectedRows, int allRows) = 0;
};

}  // namespace quilmark
