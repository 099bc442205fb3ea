// Listed files given new names on disk: the file, its row and the undo
// history move together, so the row keeps showing the file and every undo
// record still finds it.
#pragma once

#include <vector>

#include "tracklist/undo_list.h"
#include "ui/file_report.h"

namespace quilmark {

class TrackGrid;

enum class RenameOutcome {
  Done,
  NotListed,  // no row shows the file: nothing was done
  Refused,    // the file system said no; see the report line
};

struct RowRenames {
  std::vector<RenameOutcome> outcomes;  // one per rename asked
  std::vector<RenameRecord> done;       // in the order done
  std::vector<FileReportLine> refused;  // the old path, the new name and why
};

// Renames the files of the rows that show each `from`, in the order given
// (a name freed by one rename may be taken by a later one), never over an
// existing file. Each file renamed has its row's folder and name cells and
// the duplicate-path index follow, and the undo history is told. Records
// nothing in the history: the caller knows whether this is a command or
// an Undo.
RowRenames RenameRowFiles(TrackGrid& grid, UndoList& undo,
                          const std::vector<RenameRecord>& renames);

// What the message about refused renames says for each file.
inline constexpr const char* kRenameRefused = "ファイル名を変更できませんでした。";

}  // namespace quilmark
