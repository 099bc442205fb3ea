// Filling the track list from file names: MP3 files directly, the MP3
// files in folders and all their subfolders, and the files that M3U/PLS
// playlists and CSV lists name (CSV lines also carry values, which
// overwrite what the file's tags gave and mark the row changed, and may
// name an image file in a Picture column, which becomes the row's front
// cover).
#pragma once

#include <string>
#include <vector>

#include "tracklist/track_grid.h"
#include "tracklist/undo_list.h"
#include "ui/busy_indicator.h"
#include "ui/file_report.h"
#include "ui/msgbox.h"

namespace quilmark {

struct AddFilesResult {
  bool started = false;  // false when there were no names: nothing was done
  int added = 0;         // rows added
  int failed = 0;        // names not added, other than duplicates
  // What to tell about each name not added, in order: MSG_CANNOT_OPEN with
  // the reason for a file that could not be read (a blank playlist line
  // included, with no path), a folder that could not be opened or read
  // with the reason, a folder that held no MP3 file, a folder named by a
  // CSV line. Gathered for the caller, who may tell many at once.
  std::vector<FileReportLine> notAdded;
  int skippedLines = 0;  // CSV data lines that named no file
  int updated = 0;       // rows already listed that CSV lines changed
  // A playlist or CSV file could not be read: the add ended there (the user
  // was told); rows added before it stay.
  std::string unreadableList;
  // The user stopped the add; rows added and updated before it stay.
  bool stopped = false;
};

// Adds the names in order: a folder (named directly or by a playlist line)
// by the MP3 files in it and in all its subfolders, in path order, hidden
// ones passed by (platform::WalkFolder); anything else by its extension
// (.MP3, .M3U, .PLS, .CSV; anything else is ignored). Names and list
// entries are made absolute and normal first (relative names start at the
// current folder). Every file goes through ReadFileTags, which refuses
// duplicates; a file that cannot be read and a folder that cannot be
// opened are skipped and gathered in `notAdded` (both count as failed).
//
// A CSV line whose file is listed already puts its values into that row:
// the cells it changes are marked and recorded in `undo`, all of them one
// step with the rest of this add, and one notice per CSV file says how many
// rows it updated. A CSV line naming a folder is skipped: its values are
// one file's. After a CSV file with lines that named no file (no "File"
// column, too few fields, an empty path), one notice says how many were
// skipped.
//
// `busy` is told the progress (files found, files read) between files and
// asked whether to stop; a stopped add keeps what it did.
AddFilesResult AddFiles(TrackGrid& grid, const std::vector<std::string>& names, Messages& messages,
                        BusyIndicator& busy, UndoList& undo);
// The same with no one to watch or stop it and no undo to keep.
AddFilesResult AddFiles(TrackGrid& grid, const std::vector<std::string>& names, Messages& messages);

}  // namespace quilmark
