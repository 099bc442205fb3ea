// Filling the track list from file names: MP3 files directly, and the files
// that M3U/PLS playlists and CSV lists name (CSV lines also carry values,
// which overwrite what the file's tags gave and mark the row changed).
#pragma once

#include <string>
#include <vector>

#include "tracklist/track_grid.h"
#include "ui/file_report.h"
#include "ui/msgbox.h"

namespace quilmark {

struct AddFilesResult {
  bool started = false;  // false when there were no names: nothing was done
  int added = 0;         // rows added
  int failed = 0;        // names not added, other than duplicates
  // What to tell about each name not added, in order: MSG_CANNOT_OPEN with
  // the reason for a file that could not be read (a blank playlist line
  // included, with no path), a notice for a folder where a file was
  // expected. Gathered for the caller, who may tell many at once.
  std::vector<FileReportLine> notAdded;
  int skippedLines = 0;  // CSV data lines that named no file
  // A playlist or CSV file could not be read: the add ended there (the user
  // was told); rows added before it stay.
  std::string unreadableList;
};

// Adds the names in order, deciding by each name's extension (.MP3, .M3U,
// .PLS, .CSV; anything else is ignored). Names and list entries are made
// absolute and normal first (relative names start at the current folder).
// Every file goes through ReadFileTags, which refuses duplicates; a file
// that cannot be read and a folder where a file is expected are skipped
// and gathered in `notAdded` (both count as failed).
// After a CSV file with lines that named no file (no "File" column, too few
// fields, an empty path), one notice says how many were skipped.
AddFilesResult AddFiles(TrackGrid& grid, const std::vector<std::string>& names, Messages& messages);

}  // namespace quilmark
